#include "DesignIdeTestUtil.h"
#include "ToolsAPI.h"
#include "Xml.Lossless.h"

#include <QDir>
#include <QFileInfo>
#include <random>

using namespace designide_test;
using ide::IProjectDeployment;
using ide::TDprojProject;
using ide::xml::EXmlError;

namespace {

// The bytes with ABlock inserted at the start of the line holding the first AMarker.
QByteArray InsertBeforeLineOf(const QByteArray& AText, const QByteArray& AMarker, const QByteArray& ABlock)
{
    const qsizetype At = AText.indexOf(AMarker);
    if (At < 0)
        return "marker not found: " + AMarker;
    const qsizetype LineStart = AText.lastIndexOf('\n', At) + 1;
    QByteArray Result = AText;
    return Result.insert(LineStart, ABlock);
}

// The calls the assets deployment makes for one file, in its order.
void DeployLikeAssets(IProjectDeployment& ADeployment, const QString& AConfig, const QString& APlatform,
                      const QString& ALocal, const QString& ARemoteDir, const QString& ARemoteName,
                      const QString& AClass)
{
    const auto Entry = ADeployment.GetFile(AConfig, APlatform, ALocal);
    Entry->SetDeploymentClass(AClass);
    Entry->SetConfiguration(AConfig);
    Entry->SetEnabled(APlatform, true);
    Entry->SetOperation(APlatform, 0);
    Entry->SetRemoteDir(APlatform, ARemoteDir);
    Entry->SetRemoteName(APlatform, ARemoteName);
}

const QByteArray ConfigEntryBlock = Crlf({
    R"(                <DeployFile LocalName="Assets\config-android.json" Configuration="Debug" Class="ORVO_AssetsConfig">)",
    R"(                    <Platform Name="Android64">)",
    R"(                        <RemoteDir>assets</RemoteDir>)",
    R"(                        <RemoteName>config.json</RemoteName>)",
    R"(                        <Overwrite>true</Overwrite>)",
    R"(                    </Platform>)",
    R"(                </DeployFile>)",
});

// ---------------------------------------------------------------------------------------

struct TIdentity
{
    std::string Name;
    QString Guid;
    QString MainSource;
};

class DprojIdentity : public ::testing::TestWithParam<TIdentity>
{
};

TEST_P(DprojIdentity, ReadsIdentityAndSavesUnchangedBytes)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    TProjectCopy Copy(QString::fromStdString(GetParam().Name));
    const auto Project = TDprojProject::Open(Copy.FileName);
    EXPECT_EQ(Project->ProjectGUID(), GetParam().Guid);
    EXPECT_EQ(Project->ProjectType(), QStringLiteral("FMX"));
    EXPECT_EQ(Project->MainSourceFileName(), Copy.Path(GetParam().MainSource));
    EXPECT_FALSE(Project->IsModified());
    Project->Save();
    EXPECT_EQ(testdata::ReadAll(Copy.FileName), Copy.Original);
}

INSTANTIATE_TEST_SUITE_P(
    SharedData, DprojIdentity,
    ::testing::Values(TIdentity{"FlashLight", "{11E74F75-3B48-408C-8FC7-B8ECEC2D3B51}", "FlashLight.dpr"},
                      TIdentity{"NotificationApp", "{EFB6BB59-32C0-40C2-9462-8BD5E95FB301}", "NotificationApp.dpr"},
                      TIdentity{"PullToRefresh", "{B762D565-66EE-4F7C-8A55-BB5F68C37C79}", "PullToRefresh.dpr"}),
    testdata::TCaseName());

TEST(DprojIdentity, TypeComesFromTheUnconditionedGroupOnly)
{
    QTemporaryDir Dir;
    const QString File = Dir.path() + "/P.dproj";
    WriteBytes(File, Crlf({"<Project>", "    <PropertyGroup Condition=\"'$(Base)'!=''\">",
                           "        <FrameworkType>VCL</FrameworkType>", "    </PropertyGroup>", "    <PropertyGroup>",
                           "        <FrameworkType>xfm</FrameworkType>", "    </PropertyGroup>", "</Project>"}));
    EXPECT_EQ(TDprojProject::Open(File)->ProjectType(), QStringLiteral("xfm"));
}

// ---------------------------------------------------------------------------------------

struct TModuleCase
{
    std::string Name;
    QString Query;    // relative to the project folder
    QString Expected; // relative to the project folder; empty: not found
    QString Form;
};

class DprojModules : public ::testing::TestWithParam<TModuleCase>
{
};

TEST_P(DprojModules, FindsModulesByFileName)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    TProjectCopy Copy(QStringLiteral("NotificationApp"));
    const auto Project = TDprojProject::Open(Copy.FileName);
    const auto Info = Project->FindModuleInfo(GetParam().Query);
    if (GetParam().Expected.isEmpty()) {
        EXPECT_EQ(Info, nullptr);
        return;
    }
    ASSERT_NE(Info, nullptr);
    EXPECT_EQ(Info->FileName(), QDir::cleanPath(Copy.Path(GetParam().Expected)));
    EXPECT_EQ(Info->FormName(), GetParam().Form);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DprojModules,
    ::testing::Values(TModuleCase{"Unit", "Unit1.pas", "Unit1.pas", "Form1"},
                      TModuleCase{"OutsideFolderWithBackslashes",
                                  "..\\NotificationService\\NotificationServiceUnit.pas",
                                  "../NotificationService/NotificationServiceUnit.pas", "NotificationServiceDM"},
                      TModuleCase{"MainSource", "NotificationApp.dpr", "NotificationApp.dpr", ""},
                      TModuleCase{"NotInProject", "Unit2.pas", "", ""},
                      TModuleCase{"JavaReferenceIsNoModule",
                                  "..\\NotificationService\\Android\\Debug\\NotificationService.jar", "", ""}),
    testdata::TCaseName());

// ---------------------------------------------------------------------------------------
// Adding a unit

const QByteArray IdeDpr =
    "\xEF\xBB\xBF" + Crlf({"program FlashLight;", "", "uses", "  System.StartUpCopy,", "  FMX.Forms,",
                           "  FlashLightU in 'FlashLightU.pas' {FlashLightForm};", "", "{$R *.res}", "", "begin",
                           "  Application.Initialize;", "  Application.Run;", "end."});

TEST(DprojAddFile, UnitGoesIntoProjectAndUsesClauseOnce)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    TProjectCopy Copy(QStringLiteral("FlashLight"));
    WriteBytes(Copy.Path("FlashLight.dpr"), IdeDpr);
    const auto Project = TDprojProject::Open(Copy.FileName);

    Project->AddFile(Copy.Path("Assets.Consts.pas"), true);
    Project->AddFile(QStringLiteral("Units/Helpers.pas"), true);
    EXPECT_TRUE(Project->IsModified());
    Project->Save();

    const QByteArray ExpectedDproj =
        InsertBeforeLineOf(Copy.Original, R"(<BuildConfiguration Include="Base">)",
                           Crlf({R"(        <DCCReference Include="Assets.Consts.pas"/>)",
                                 R"(        <DCCReference Include="Units\Helpers.pas"/>)"}));
    EXPECT_EQ(testdata::ReadAll(Copy.FileName).toStdString(), ExpectedDproj.toStdString());
    const QByteArray ExpectedDpr =
        "\xEF\xBB\xBF" + Crlf({"program FlashLight;", "", "uses", "  System.StartUpCopy,", "  FMX.Forms,",
                               "  FlashLightU in 'FlashLightU.pas' {FlashLightForm},",
                               "  Assets.Consts in 'Assets.Consts.pas',", "  Helpers in 'Units\\Helpers.pas';", "",
                               "{$R *.res}", "", "begin", "  Application.Initialize;", "  Application.Run;", "end."});
    EXPECT_EQ(testdata::ReadAll(Copy.Path("FlashLight.dpr")).toStdString(), ExpectedDpr.toStdString());
    ASSERT_NE(Project->FindModuleInfo(QStringLiteral("ASSETS.CONSTS.PAS")), nullptr);

    // Adding again changes nothing, in memory or on disk.
    Project->AddFile(QStringLiteral("Assets.Consts.pas"), true);
    Project->AddFile(Copy.Path("Units/helpers.pas"), true);
    EXPECT_FALSE(Project->IsModified());
    Project->Save();
    EXPECT_EQ(testdata::ReadAll(Copy.FileName), ExpectedDproj);
    EXPECT_EQ(testdata::ReadAll(Copy.Path("FlashLight.dpr")), ExpectedDpr);
}

struct TUsesCase
{
    std::string Name;
    QByteArray Before;
    QByteArray After;
};

class DprojUsesClause : public ::testing::TestWithParam<TUsesCase>
{
};

TEST_P(DprojUsesClause, AddsUnitAsTheIdeDoes)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    TProjectCopy Copy(QStringLiteral("PullToRefresh"));
    WriteBytes(Copy.Path("PullToRefresh.dpr"), GetParam().Before);
    const auto Project = TDprojProject::Open(Copy.FileName);
    Project->AddFile(QStringLiteral("Assets.Consts.pas"), true);
    Project->Save();
    EXPECT_EQ(testdata::ReadAll(Copy.Path("PullToRefresh.dpr")).toStdString(), GetParam().After.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DprojUsesClause,
    ::testing::Values(
        TUsesCase{"LineFeeds", "program P;\n\nuses\n  FMX.Forms;\n\nbegin\nend.\n",
                  "program P;\n\nuses\n  FMX.Forms,\n  Assets.Consts in 'Assets.Consts.pas';\n\nbegin\nend.\n"},
        TUsesCase{"NoUsesClause", Crlf({"program P;", "", "begin", "end."}),
                  Crlf({"program P;", "", "uses", "  Assets.Consts in 'Assets.Consts.pas';", "", "begin", "end."})},
        TUsesCase{"SemicolonsInCommentsAndStrings",
                  Crlf({"program P; // a; b", "{ uses X; }", "uses", "  A in 'a;b.pas' {x;y},", "  B (* ; *);", "begin",
                        "end."}),
                  Crlf({"program P; // a; b", "{ uses X; }", "uses", "  A in 'a;b.pas' {x;y},", "  B (* ; *),",
                        "  Assets.Consts in 'Assets.Consts.pas';", "begin", "end."})},
        TUsesCase{"AlreadyListedInOtherCase", Crlf({"program P;", "uses", "  assets.consts;", "begin", "end."}),
                  Crlf({"program P;", "uses", "  assets.consts;", "begin", "end."})}),
    testdata::TCaseName());

// ---------------------------------------------------------------------------------------
// Deployment

class DprojDeployment : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ORVO_REQUIRE_SHARED_DATA("dproj");
        Project = TDprojProject::Open(Copy.FileName);
        Deployment = Project->ProjectDeployment();
    }

    TProjectCopy Copy{QStringLiteral("FlashLight")};
    std::shared_ptr<TDprojProject> Project;
    std::shared_ptr<IProjectDeployment> Deployment;
};

// New entries go before the classes, one per (configuration, local name) with a platform
// each; removing the last platform removes the entry, so the file is as it was.
TEST_F(DprojDeployment, EntriesAreWrittenAsTheIdeWritesThemAndRemovedWithTheirLastPlatform)
{
    DeployLikeAssets(*Deployment, "Debug", "Android64", "Assets\\config-android.json", "assets", "config.json",
                     "ORVO_AssetsConfig");
    EXPECT_EQ(Project->Serialize().toStdString(),
              InsertBeforeLineOf(Copy.Original, R"(<DeployClass Name="AdditionalDebugSymbols">)", ConfigEntryBlock)
                  .toStdString());
    const auto Found = Deployment->FindFile("Debug", "Android64", "assets\\CONFIG-android.json");
    ASSERT_NE(Found, nullptr);
    EXPECT_EQ(Found->DeploymentClass() + Found->RemoteDir("Android64") + Found->RemoteName("Android64"),
              QStringLiteral("ORVO_AssetsConfigassetsconfig.json"));
    EXPECT_EQ(Deployment->FindFile("Release", "Android64", "Assets\\config-android.json"), nullptr);
    EXPECT_EQ(Deployment->FindFile("Debug", "Android", "Assets\\config-android.json"), nullptr);

    for (const char* Platform : {"Android", "iOSDevice64"})
        DeployLikeAssets(*Deployment, "Debug", Platform, "Assets\\config-android.json", "assets", "config.json",
                         "ORVO_AssetsConfig");
    EXPECT_TRUE(Deployment->RemoveFile("Debug", "Android", "Assets\\config-android.json"));
    EXPECT_FALSE(Deployment->RemoveFile("Debug", "Android", "Assets\\config-android.json"));
    EXPECT_EQ(Found->Platforms(), QStringList({"Android64", "iOSDevice64"}));
    Deployment->RemoveFile("Debug", "iOSDevice64", "Assets\\config-android.json");
    EXPECT_TRUE(Deployment->RemoveFile("Debug", "Android64", "Assets\\config-android.json"));
    EXPECT_EQ(Project->Serialize(), Copy.Original);
}

TEST_F(DprojDeployment, ClassesAreInsertedInTheIdesOrderOnce)
{
    EXPECT_TRUE(Deployment->EnsureDeployClass("ORVO_AssetsConfig", {{"Android", "assets", 0}}));
    EXPECT_TRUE(Deployment->EnsureDeployClass("ORVO_Assets", {{"Android", "assets", 0}}));
    EXPECT_FALSE(Deployment->EnsureDeployClass("ORVO_Assets", {{"Win32", "x", 1}}));
    const QByteArray Block = Crlf({
        R"(                <DeployClass Name="ORVO_Assets">)",
        R"(                    <Platform Name="Android">)",
        R"(                        <RemoteDir>assets</RemoteDir>)",
        R"(                        <Operation>0</Operation>)",
        R"(                    </Platform>)",
        R"(                </DeployClass>)",
        R"(                <DeployClass Name="ORVO_AssetsConfig">)",
        R"(                    <Platform Name="Android">)",
        R"(                        <RemoteDir>assets</RemoteDir>)",
        R"(                        <Operation>0</Operation>)",
        R"(                    </Platform>)",
        R"(                </DeployClass>)",
    });
    EXPECT_EQ(Project->Serialize().toStdString(),
              InsertBeforeLineOf(Copy.Original, R"(<DeployClass Name="ProjectAndroidManifest">)", Block).toStdString());
}

// The save failed with "Argument must not be nil: name="FDeploymentManager"" after the
// assets were written.
TEST(DprojDeploymentService, ProjectWithoutExtensionsGetsThemWithTheFirstEntry)
{
    QTemporaryDir Dir;
    const QString File = Dir.path() + "/P.dproj";
    const QByteArray Original =
        Crlf({"<Project>", "    <PropertyGroup/>", "    <Import Project=\"x.targets\"/>", "</Project>"});
    WriteBytes(File, Original);
    const auto Project = TDprojProject::Open(File);
    const auto Deployment = Project->ProjectDeployment();
    ASSERT_NE(Deployment, nullptr);
    EXPECT_EQ(Deployment->RemoveFilesOfClass("ORVO_Assets"), 0);
    EXPECT_EQ(Project->Serialize(), Original);
    DeployLikeAssets(*Deployment, "Debug", "Android", "Assets\\a.png", "assets", "a.png", "ORVO_Assets");
    EXPECT_EQ(
        Project->Serialize().toStdString(),
        Crlf({"<Project>", "    <PropertyGroup/>", "    <ProjectExtensions>",
              "        <Borland.Personality>Delphi.Personality.12</Borland.Personality>", "        <BorlandProject>",
              "            <Deployment Version=\"3\">",
              "                <DeployFile LocalName=\"Assets\\a.png\" Configuration=\"Debug\" Class=\"ORVO_Assets\">",
              "                    <Platform Name=\"Android\">",
              "                        <RemoteDir>assets</RemoteDir>",
              "                        <RemoteName>a.png</RemoteName>",
              "                        <Overwrite>true</Overwrite>", "                    </Platform>",
              "                </DeployFile>", "            </Deployment>", "        </BorlandProject>",
              "        <ProjectFileVersion>12</ProjectFileVersion>", "    </ProjectExtensions>",
              "    <Import Project=\"x.targets\"/>", "</Project>"})
            .toStdString());
}

// ---------------------------------------------------------------------------------------
// Build configurations

struct TValueCase
{
    std::string Name;
    QString Config;
    QString Platform;
    QString Property;
    QString Expected;
};

class DprojConfigurationValue : public ::testing::TestWithParam<TValueCase>
{
};

TEST_P(DprojConfigurationValue, InheritsAsMsBuildEvaluates)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    const auto Project = TDprojProject::Open(RealProjectPath(QStringLiteral("FlashLight")));
    const auto Config = Project->ProjectOptionsConfigurations()->ConfigurationByName(GetParam().Config);
    ASSERT_NE(Config, nullptr);
    EXPECT_EQ(Config->PlatformConfiguration(GetParam().Platform)->GetValue(GetParam().Property), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    FlashLight, DprojConfigurationValue,
    ::testing::Values(
        TValueCase{"PlatformGroupOfConfigWins", "Debug", "Android64", "CfgParent", "Cfg_1"},
        TValueCase{"ConfigWithoutPlatform", "Debug", "", "CfgParent", "Base"},
        TValueCase{"ConfigWithoutPlatformGroupFallsBack", "Release", "Android64", "CfgParent", "Base"},
        TValueCase{"KnownReferencesExpand", "Debug", "Android64", "DCC_DcuOutput", ".\\Android64\\Debug"},
        TValueCase{"UnknownReferencesStay", "Release", "iOSDevice64", "DCC_Define", "RELEASE;$(DCC_Define)"},
        TValueCase{"EnvironmentReferencesStay", "Base", "Win32", "Manifest_File", "$(BDS)\\bin\\default_app.manifest"},
        TValueCase{"BasePlatformGroup", "Base", "Android", "VerInfo_Build", "1"},
        TValueCase{"BaseWithoutPlatform", "Base", "", "VerInfo_Build", ""},
        TValueCase{"OtherPlatformNotMixedIn", "Debug", "Win32", "EnabledSysJars", ""},
        TValueCase{"NamesAreCaseInsensitive", "Debug", "Android64", "dcc_dcuoutput", ".\\Android64\\Debug"}),
    testdata::TCaseName());

TEST(DprojConfigurations, ValueSetInBaseIsOverriddenOnlyWhereSetAgain)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    const auto Configs = TDprojProject::Open(RealProjectPath("FlashLight"))->ProjectOptionsConfigurations();
    const QString Key = "ORVO_YandexMapsTileProvider_APIKey";
    Configs->BaseConfiguration()->SetValue(Key, "base-key");
    Configs->ConfigurationByName("Debug")->PlatformConfiguration("Android64")->SetValue(Key, "debug-key");
    EXPECT_THROW(Configs->ConfigurationByName("Release")->PlatformConfiguration("Android")->SetValue(Key, "y"),
                 EXmlError);
    QStringList Values;
    for (const auto& [Config, Platform] :
         {std::pair{"Debug", "Android64"}, {"Debug", "Android"}, {"Release", "Android64"}, {"Base", ""}})
        Values << Configs->ConfigurationByName(Config)->PlatformConfiguration(Platform)->GetValue(Key);
    EXPECT_EQ(Values, QStringList({"debug-key", "base-key", "base-key", "base-key"}));
}

// ---------------------------------------------------------------------------------------
// Errors, saving

struct TBrokenProject
{
    std::string Name;
    QByteArray Data; // empty: no file at all
    QString MessagePart;
};

class DprojBroken : public ::testing::TestWithParam<TBrokenProject>
{
};

TEST_P(DprojBroken, OpenThrowsNamingTheFile)
{
    QTemporaryDir Dir;
    const QString File = Dir.path() + "/Broken.dproj";
    if (!GetParam().Data.isEmpty())
        WriteBytes(File, GetParam().Data);
    try {
        TDprojProject::Open(File);
        FAIL() << "no error";
    } catch (const EXmlError& E) {
        const QString Message = QString::fromStdString(E.what());
        EXPECT_TRUE(Message.startsWith(File)) << E.what();
        EXPECT_TRUE(Message.contains(GetParam().MessagePart)) << E.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DprojBroken,
    ::testing::Values(
        TBrokenProject{"MissingFile", "", "cannot open"},
        TBrokenProject{"Truncated", "\xEF\xBB\xBF<Project xmlns=\"x\">\r\n    <PropertyGroup>\r\n        <Pro", ":3:"},
        TBrokenProject{"WrongRoot", "<Solution>\r\n</Solution>\r\n", ":1:1: the root element is <Solution>"}),
    testdata::TCaseName());

QByteArray MinimalProject(const char* AMainSource)
{
    const QByteArray MainSource = QByteArray("        <MainSource>") + AMainSource + "</MainSource>";
    return Crlf({"<Project>", "    <PropertyGroup>", MainSource.constData(), "    </PropertyGroup>", "    <ItemGroup>",
                 "        <DelphiCompile Include=\"$(MainSource)\"/>", "    </ItemGroup>", "</Project>"});
}

const QByteArray MinimalDpr = Crlf({"program P;", "uses", "  FMX.Forms;", "begin", "end."});

// A project naming a main source outside its folder got that file edited by a save.
TEST(DprojSave, MainSourceOutsideTheProjectFolderIsLeftAlone)
{
    QTemporaryDir Dir;
    WriteBytes(Dir.filePath("Outside.dpr"), MinimalDpr);
    WriteBytes(Dir.filePath("P/P.dproj"), MinimalProject("..\\Outside.dpr"));
    QStringList Messages;
    auto& Manager = ide::TMessageManager::DefaultManager();
    const int Id = Manager.SubscribeToMessage<ide::TOTATitleMessage>(
        [&](const void*, const ide::TOTATitleMessage& AMessage) { Messages << AMessage.Value(); });
    const auto Project = TDprojProject::Open(Dir.filePath("P/P.dproj"));
    Project->AddFile("Assets.Consts.pas", true);
    Project->Save();
    Manager.Unsubscribe<ide::TOTATitleMessage>(Id);

    EXPECT_EQ(testdata::ReadAll(Dir.filePath("Outside.dpr")), MinimalDpr);
    EXPECT_TRUE(
        testdata::ReadAll(Dir.filePath("P/P.dproj")).contains(R"(<DCCReference Include="Assets.Consts.pas"/>)"));
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].contains("outside the project folder")) << Messages[0].toStdString();
}

class DprojSaveThroughLink : public ::testing::TestWithParam<const char*>
{
};

// Saving wrote through a linked .dproj or .dpr into the file it points at.
TEST_P(DprojSaveThroughLink, IsRefusedBeforeAnythingIsWritten)
{
    QTemporaryDir Dir;
    const QString Linked = GetParam();
    for (const auto& [Name, Data] :
         {std::pair{QString("P.dproj"), MinimalProject("P.dpr")}, std::pair{QString("P.dpr"), MinimalDpr}})
        WriteBytes(Dir.filePath((Name == Linked ? "Elsewhere/" : "P/") + Name), Data);
    ASSERT_TRUE(QFile::link(Dir.filePath("Elsewhere/" + Linked), Dir.filePath("P/" + Linked)));
    const auto Project = TDprojProject::Open(Dir.filePath("P/P.dproj"));
    Project->AddFile("Assets.Consts.pas", true);

    QString Why;
    EXPECT_FALSE(Project->CanSave(Why));
    EXPECT_TRUE(Why.contains("symbolic link")) << Why.toStdString();
    EXPECT_THROW(Project->Save(), EXmlError);
    EXPECT_EQ(testdata::ReadAll(Dir.filePath("P/P.dproj")), MinimalProject("P.dpr"));
    EXPECT_EQ(testdata::ReadAll(Dir.filePath("P/P.dpr")), MinimalDpr);
}

INSTANTIATE_TEST_SUITE_P(Cases, DprojSaveThroughLink, ::testing::Values("P.dproj", "P.dpr"),
                         [](const auto& AInfo) { return QString(AInfo.param).section('.', 1).toStdString(); });

TEST(DprojSave, FailedWriteKeepsTheOriginal)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    // A name at the file system's limit leaves no room for the temporary file beside it,
    // which makes the write fail even for root.
    QTemporaryDir Dir;
    const QString File = Dir.path() + "/" + QString(249, QLatin1Char('p')) + ".dproj";
    const QByteArray Original = testdata::ReadAll(RealProjectPath(QStringLiteral("PullToRefresh")));
    WriteBytes(File, Original);
    const auto Project = TDprojProject::Open(File);
    Project->ProjectDeployment()->RemoveFilesOfClass("ProjectOutput");
    EXPECT_THROW(Project->Save(), EXmlError);
    EXPECT_EQ(testdata::ReadAll(File), Original);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// Random damage to a real project: every variant either opens, writes back exactly what it
// read and answers every question, or is refused with our error. Nothing else may escape.
TEST(DprojMutation, DamagedProjectOpensOrFailsCleanly)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    TProjectCopy Copy(QStringLiteral("PullToRefresh"));
    std::mt19937 Random(20261205);
    const char Specials[] = "<>/=\"'&;![]-?()$ \r\n\x00\xEF";
    int Opened = 0;
    int Refused = 0;
    for (int Round = 0; Round < 300; ++Round) {
        QByteArray Data = Copy.Original;
        for (int E = 0, Edits = 1 + int(Random() % 4); E < Edits && !Data.isEmpty(); ++E) {
            const auto Pos = static_cast<qsizetype>(Random() % static_cast<unsigned>(Data.size()));
            switch (Random() % 5) {
            case 0:
                Data[Pos] = Specials[Random() % (sizeof(Specials) - 1)];
                break;
            case 1:
                Data.remove(Pos, 1 + Random() % 40);
                break;
            case 2:
                Data.insert(Pos, Data.mid(Random() % Data.size(), 1 + Random() % 60));
                break;
            case 3:
                Data.truncate(Pos);
                break;
            default:
                Data[Pos] = static_cast<char>(Random() % 256);
                break;
            }
        }
        WriteBytes(Copy.FileName, Data);
        try {
            const auto Project = TDprojProject::Open(Copy.FileName);
            EXPECT_EQ(Project->Serialize(), Data) << "round " << Round;
            Project->ProjectGUID();
            Project->FindModuleInfo(QStringLiteral("Unit1.pas"));
            if (const auto Deployment = Project->ProjectDeployment())
                Deployment->RemoveFilesOfClass(QStringLiteral("ProjectOutput"));
            const auto Configs = Project->ProjectOptionsConfigurations();
            for (int I = 0; I < Configs->ConfigurationCount(); ++I)
                Configs->Configuration(I)
                    ->PlatformConfiguration(QStringLiteral("Android64"))
                    ->GetValue(QStringLiteral("DCC_Define"));
            ++Opened;
        } catch (const EXmlError&) {
            ++Refused;
        }
    }
    // Both outcomes occur, so the run reached the readers as well as the error paths.
    EXPECT_GT(Opened, 0);
    EXPECT_GT(Refused, 0);
}

} // namespace
