// Deployment entries of a project's assets, on real .dproj files: the entries every asset kind
// makes, the rebuild that drops what is gone and leaves other classes alone, single-asset
// additions and removals, and the rebuild when the IDE opens a project.

#include "assets/storage/ORVO.Assets.Deployment.h"

#include "IdeSession.h"
#include "ORVO.Assets.Factory.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Log.h"
#include "TestData.h"
#include "ToolsAPI.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace core;
using orvo::TqoAssetsDeployment;

namespace {

const QStringList AndroidPlatforms = {"Android", "Android64"};
const QStringList iOSPlatforms = {"iOSDevice64", "iOSSimARM64"};
const QString Assets = QStringLiteral("ORVO_Assets");
const QString Config = QStringLiteral("ORVO_AssetsConfig");

// One line per entry and platform: local|configuration|class|platform|enabled|operation|remote dir|remote
// name.
QStringList Dump(const ide::IProjectDeployment& ADeployment, std::function<bool(const QString&)> AClassFilter)
{
    QStringList Result;
    for (const auto& File : ADeployment.Files()) {
        if (!AClassFilter(File->DeploymentClass()))
            continue;
        for (const QString& Platform : File->Platforms())
            Result << QStringList{File->LocalName(),
                                  File->Configuration(),
                                  File->DeploymentClass(),
                                  Platform,
                                  File->Enabled(Platform) ? "on" : "off",
                                  QString::number(File->Operation(Platform)),
                                  File->RemoteDir(Platform),
                                  File->RemoteName(Platform)}
                          .join('|');
    }
    Result.sort();
    return Result;
}

QStringList DumpOf(const ide::IProjectDeployment& ADeployment, const QString& AClass)
{
    return Dump(ADeployment, [&](const QString& C) { return C == AClass; });
}

QStringList DumpOfOthers(const ide::IProjectDeployment& ADeployment)
{
    return Dump(ADeployment, [](const QString& C) { return C != Assets && C != Config; });
}

struct TItem
{
    QString Local;
    QString RemoteDir;
    QString RemoteName;
};

// The lines an item deployed to every supported platform in Debug and Release gives.
QStringList Expected(const std::vector<TItem>& AItems, const QString& AClass)
{
    QStringList Result;
    for (const TItem& Item : AItems)
        for (const QString& Configuration : QStringList{"Debug", "Release"})
            for (const QString& Platform : AndroidPlatforms + iOSPlatforms)
                Result << QStringList{Item.Local, Configuration, AClass,         Platform,
                                      "on",       "0",           Item.RemoteDir, Item.RemoteName}
                              .join('|');
    Result.sort();
    return Result;
}

QStringList ConfigEntries()
{
    QStringList Result;
    for (const QString& Configuration : QStringList{"Debug", "Release"}) {
        for (const QString& Platform : AndroidPlatforms)
            Result << "Assets\\config-android.json|" + Configuration + "|ORVO_AssetsConfig|" + Platform +
                          "|on|0|assets|config.json";
        for (const QString& Platform : iOSPlatforms)
            Result << "Assets\\config-ios.json|" + Configuration + "|ORVO_AssetsConfig|" + Platform +
                          "|on|0|assets|config.json";
    }
    Result.sort();
    return Result;
}

template <class T>
std::shared_ptr<T> WithUri(const QString& AName, const QString& AUri, TqoPlatform APlatform = TqoPlatform::All,
                           TqoDeviceClass ADeviceClass = TqoDeviceClass::All)
{
    auto Asset = std::make_shared<T>(AName, APlatform, ADeviceClass);
    Asset->SetUri(AUri);
    return Asset;
}

std::shared_ptr<TqoAssetBitmapSet> BitmapSet(const QString& AName, std::vector<std::pair<float, QString>> AInfos)
{
    auto Set = std::make_shared<TqoAssetBitmapSet>(AName);
    for (const auto& [Scale, Uri] : AInfos)
        Set->Add(std::make_unique<TqoBitmapInfo>(Uri, Scale));
    return Set;
}

// A real project of the shared data, copied so it may be changed.
class DeploymentTest : public ::testing::Test
{
protected:
    void OpenProject(const QString& AName = QStringLiteral("PullToRefresh.dproj"))
    {
        const QString Target = FDir.filePath(AName);
        ASSERT_TRUE(QFile::copy(testdata::SharedDataDir() + "/dproj/" + AName, Target));
        QFile::setPermissions(Target, QFile::ReadOwner | QFile::WriteOwner);
        FProject = ide::TDprojProject::Open(Target);
        FDeployment = FProject->ProjectDeployment();
        ASSERT_NE(FDeployment, nullptr);
    }
    void TearDown() override { orvo::FinalizeAssetsDeploymentUnit(); }
    QString AssetsFolder() const { return FDir.filePath("Assets"); }

    QTemporaryDir FDir;
    std::shared_ptr<ide::TDprojProject> FProject;
    std::shared_ptr<ide::IProjectDeployment> FDeployment;
};

struct TKindCase
{
    const char* Name;
    std::function<TqoAssetPtr(const QString& AAssetsFolder)> Make;
    std::vector<TItem> Items;
};

void PrintTo(const TKindCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class DeploymentKindTest : public DeploymentTest, public ::testing::WithParamInterface<TKindCase>
{
};

TEST_P(DeploymentKindTest, AssetIsDeployedUnderItsOwnNames)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    OpenProject();
    TqoAssetsManager Manager;
    Manager.Add(GetParam().Make(AssetsFolder()));

    TqoAssetsDeployment(FProject).AddToDeploy(Manager);

    EXPECT_EQ(DumpOf(*FDeployment, Assets), Expected(GetParam().Items, Assets));
    EXPECT_EQ(DumpOf(*FDeployment, Config), ConfigEntries());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DeploymentKindTest,
    ::testing::Values(
        TKindCase{"font_under_assets_fonts",
                  [](const QString&) { return WithUri<TqoAssetFont>("Fonts\\Roboto", "Fonts\\Roboto\\default.ttf"); },
                  {{"Assets\\Fonts\\Roboto\\default.ttf", "assets\\fonts\\Fonts\\Roboto", "default.ttf"}}},
        TKindCase{"font_variant_named_by_target_id",
                  [](const QString&) {
                      return WithUri<TqoAssetFont>("Roboto", "/elsewhere/Roboto-Bold.otf", TqoPlatform::iOS,
                                                   TqoDeviceClass::Tablet);
                  },
                  {{"Assets\\Roboto\\ios-tablet.otf", "assets\\fonts\\Roboto", "ios-tablet.otf"}}},
        TKindCase{"file",
                  [](const QString&) {
                      return WithUri<TqoAssetFile>("Docs\\Terms", "Docs\\Terms\\android.pdf", TqoPlatform::Android);
                  },
                  {{"Assets\\Docs\\Terms\\android.pdf", "assets\\Docs\\Terms", "android.pdf"}}},
        TKindCase{"top_level_file",
                  [](const QString&) { return WithUri<TqoAssetFile>("Readme", "Readme\\default.txt"); },
                  {{"Assets\\Readme\\default.txt", "assets\\Readme", "default.txt"}}},
        TKindCase{"file_without_extension",
                  [](const QString&) { return WithUri<TqoAssetFile>("Data\\v1.0\\Blob", "Data\\v1.0\\Blob\\default"); },
                  {{"Assets\\Data\\v1.0\\Blob\\default", "assets\\Data\\v1.0\\Blob", "default"}}},
        TKindCase{"lottie_animation",
                  [](const QString&) {
                      return WithUri<TqoAssetLottieAnimation>("Anim\\Spinner", "Anim\\Spinner\\default.json");
                  },
                  {{"Assets\\Anim\\Spinner\\default.json", "assets\\Anim\\Spinner", "default.json"}}},
        TKindCase{"svg_deploys_its_vector_file_only",
                  [](const QString&) {
                      auto SVG = std::make_shared<TqoAssetSVG>("Logo");
                      SVG->SetSVGUri("Logo\\default.svg");
                      SVG->SetVectorUri("Logo\\default.vector");
                      return SVG;
                  },
                  {{"Assets\\Logo\\default.vector", "assets\\Logo", "default.vector"}}},
        TKindCase{"bitmap_set_skips_the_info_without_uri",
                  [](const QString&) {
                      return BitmapSet(
                          "Icons\\Back",
                          {{1.0f, "Icons\\Back\\default@10x.png"}, {2.0f, ""}, {3.0f, "Icons\\Back\\default@30x.png"}});
                  },
                  {{"Assets\\Icons\\Back\\default@10x.png", "assets\\Icons\\Back", "default@10x.png"},
                   {"Assets\\Icons\\Back\\default@30x.png", "assets\\Icons\\Back", "default@30x.png"}}},
        TKindCase{"bitmap_uri_below_the_assets_folder_becomes_relative",
                  [](const QString& AFolder) {
                      // Folder compared without regard to case.
                      const QString Upper = AFolder.left(AFolder.size() - 6) + "ASSETS";
                      return BitmapSet("Back", {{1.5f, Upper + "/Back/default@15x.jpg"}});
                  },
                  {{"Assets\\Back\\default@15x.jpg", "assets\\Back", "default@15x.jpg"}}},
        TKindCase{"bitmap_uri_elsewhere_is_kept",
                  [](const QString&) {
                      return BitmapSet("Back", {{4.0f, "/opt/art/back.png"}});
                  },
                  {{"/opt/art/back.png", "assets\\Back", "default@40x.png"}}},
        TKindCase{"color_is_not_deployed",
                  [](const QString&) { return std::make_shared<TqoAssetColor>("Accent", 0xFF000000u); },
                  {}},
        TKindCase{
            "style_is_not_deployed",
            [](const QString&) { return WithUri<TqoAssetStyle>("Buttons\\Primary", "Buttons\\Primary\\default.json"); },
            {}},
        TKindCase{"theme_is_not_deployed",
                  [](const QString&) { return std::make_shared<TqoAssetThemeContainer>("Dark"); },
                  {}}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// A rebuild that would make the entries there are leaves the project file alone; an entry
// removed by hand comes back, and a removed asset's entries go.
TEST_F(DeploymentTest, RebuildKeepsWhatIsUnchangedAndDropsTheEntriesOfARemovedAsset)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    OpenProject();
    TqoAssetsManager Manager;
    Manager.Add(WithUri<TqoAssetFont>("Roboto", "Roboto\\default.ttf"));
    Manager.Add(WithUri<TqoAssetFile>("Terms", "Terms\\default.pdf"));
    TqoAssetsDeployment(FProject).AddToDeploy(Manager);
    const QByteArray Once = FProject->Serialize();
    TqoAssetsDeployment(FProject).AddToDeploy(Manager);
    EXPECT_EQ(FProject->Serialize(), Once);

    FDeployment->RemoveFile("Release", iOSPlatforms.first(), "Assets\\Terms\\default.pdf");
    TqoAssetsDeployment(FProject).AddToDeploy(Manager);
    const QStringList Terms = Expected({{"Assets\\Terms\\default.pdf", "assets\\Terms", "default.pdf"}}, Assets);
    QStringList Both =
        Terms + Expected({{"Assets\\Roboto\\default.ttf", "assets\\fonts\\Roboto", "default.ttf"}}, Assets);
    Both.sort();
    EXPECT_EQ(DumpOf(*FDeployment, Assets), Both);

    Manager.Remove(QStringLiteral("Roboto"));
    TqoAssetsDeployment(FProject).AddToDeploy(Manager);
    EXPECT_EQ(DumpOf(*FDeployment, Assets), Terms);
}

// A project of a kind that offers no deployment (every .dproj does).
class TProjectWithoutDeployment : public ide::IOTAProject
{
public:
    QString FileName() const override { return QStringLiteral("/p/Bare.dproj"); }
    QString ProjectGUID() const override { return QStringLiteral("{11111111-2222-3333-4444-555555555555}"); }
    QString ProjectType() const override { return {}; }
    std::shared_ptr<ide::IOTAModuleInfo> FindModuleInfo(const QString&) const override { return nullptr; }
    void AddFile(const QString&, bool) override {}
    int AddNotifier(std::shared_ptr<ide::IOTAProjectNotifier>) override { return 0; }
    void RemoveNotifier(int) override {}
    void MarkModified() override {}
    bool IsModified() const override { return false; }
    bool CanSave(QString&) const override { return true; }
    void Save() override {}
    std::shared_ptr<ide::IOTAProjectOptionsConfigurations> ProjectOptionsConfigurations() override { return nullptr; }
    std::shared_ptr<ide::IProjectDeployment> ProjectDeployment() override { return nullptr; }
};

TEST_F(DeploymentTest, ProjectWithoutDeploymentServiceLogsAndRefusesToDeploy)
{
    const auto Project = std::make_shared<TProjectWithoutDeployment>();
    TqoAssetsManager Manager;
    Manager.Add(WithUri<TqoAssetFont>("Roboto", "Roboto\\default.ttf"));

    TqoLogCapture Log;
    TqoAssetsDeployment Deployment(Project);
    ASSERT_EQ(Log.Entries().size(), 1u);
    EXPECT_EQ(Log.Entries()[0].Level, TqoLogLevel::Error);
    EXPECT_EQ(Log.Entries()[0].Message,
              QStringLiteral("Не могу задеплоить файлы изображений. Сервис деплоя не доступен"));
    EXPECT_THROW(Deployment.AddToDeploy(Manager), EqoAssertionFailed);
}

TEST_F(DeploymentTest, SingleAssetAddsOnlyExistingFilesAndRemovesAllItsEntries)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    OpenProject();
    ASSERT_TRUE(QDir(FDir.path()).mkpath("Assets/Icons/Back"));
    QFile Present(FDir.filePath("Assets/Icons/Back/default@10x.png"));
    ASSERT_TRUE(Present.open(QIODevice::WriteOnly));
    Present.close();
    const auto Set =
        BitmapSet("Icons\\Back", {{1.0f, "Icons\\Back\\default@10x.png"}, {2.0f, "Icons\\Back\\default@20x.png"}});
    TqoAssetsManager Manager;
    Manager.Add(WithUri<TqoAssetFile>("Terms", "Terms\\default.pdf"));
    TqoAssetsDeployment Deployment(FProject);
    Deployment.AddToDeploy(Manager);

    Deployment.AddFiles(*Set);
    const QStringList Terms = Expected({{"Assets\\Terms\\default.pdf", "assets\\Terms", "default.pdf"}}, Assets);
    QStringList WithIcon =
        Terms + Expected({{"Assets\\Icons\\Back\\default@10x.png", "assets\\Icons\\Back", "default@10x.png"}}, Assets);
    WithIcon.sort();
    EXPECT_EQ(DumpOf(*FDeployment, Assets), WithIcon);

    Deployment.RemoveFiles(*Set);
    EXPECT_EQ(DumpOf(*FDeployment, Assets), Terms);
    EXPECT_EQ(DumpOf(*FDeployment, Config), ConfigEntries());
}

class DeploymentProjectsTest : public DeploymentTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(DeploymentProjectsTest, OtherClassesSurviveAndTheFileKeepsTheEntries)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    OpenProject(QString::fromUtf8(GetParam()));
    const QStringList Others = DumpOfOthers(*FDeployment);
    ASSERT_FALSE(Others.isEmpty());
    TqoAssetsManager Manager;
    Manager.Add(WithUri<TqoAssetFont>("Fonts\\Roboto", "Fonts\\Roboto\\default.ttf"));
    Manager.Add(BitmapSet("Icons\\Back", {{1.0f, "Icons\\Back\\default@10x.png"}}));
    Manager.Add(std::make_shared<TqoAssetColor>("Primary", 0xFF000000u));

    TqoAssetsDeployment(FProject).AddToDeploy(Manager);
    const QByteArray Once = FProject->Serialize();
    TqoAssetsDeployment(FProject).AddToDeploy(Manager);
    EXPECT_EQ(FProject->Serialize(), Once);
    EXPECT_EQ(DumpOfOthers(*FDeployment), Others);
    const QStringList Ours = DumpOf(*FDeployment, Assets) + DumpOf(*FDeployment, Config);
    EXPECT_EQ(Ours.size(), 3 * 8); // font, bitmap, configuration: 2 configurations x 4 platforms each

    FProject->Save();
    const auto Reopened = ide::TDprojProject::Open(FProject->FileName());
    const auto Deployment = Reopened->ProjectDeployment();
    EXPECT_EQ(DumpOf(*Deployment, Assets) + DumpOf(*Deployment, Config), Ours);
    EXPECT_EQ(DumpOfOthers(*Deployment), Others);
    EXPECT_TRUE(Deployment->HasDeployClass(Assets));
    EXPECT_TRUE(Deployment->HasDeployClass(Config));
    EXPECT_EQ(Reopened->Serialize().count("<DeployClass Name=\"ORVO_Assets\">"), 1);
}

INSTANTIATE_TEST_SUITE_P(SharedProjects, DeploymentProjectsTest,
                         ::testing::Values("FlashLight.dproj", "NotificationApp.dproj", "PullToRefresh.dproj"),
                         [](const auto& AInfo) {
                             return QString::fromUtf8(AInfo.param).section('.', 0, 0).toStdString();
                         });

// ---------------------------------------------------------------------------------------------
// The rebuild when the IDE opens a project

class DeploymentOpenedTest : public DeploymentTest
{
protected:
    void WriteConfig()
    {
        TqoAssetsManager Manager;
        Manager.Add(WithUri<TqoAssetFont>("Roboto", "Roboto\\default.ttf"));
        QDir(FDir.path()).mkpath("Assets");
        TqoAssetsFactory::SaveConfigToFile(Manager, FDir.filePath("Assets/config.json"));
    }
    // The IDE opens the copy.
    void OpenInIde()
    {
        FProject = FSession.Open(FProject->FileName());
        FDeployment = FProject->ProjectDeployment();
    }

    testdata::TIdeSession FSession;
};

TEST_F(DeploymentOpenedTest, OpenedProjectWithAnAssetManagerIsRebuilt)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    OpenProject();
    WriteConfig();
    orvo::RegisterAssetsDeployment();
    orvo::RegisterAssetsDeployment(); // registering again must not rebuild twice per message

    OpenInIde();

    EXPECT_EQ(DumpOf(*FDeployment, Assets),
              Expected({{"Assets\\Roboto\\default.ttf", "assets\\fonts\\Roboto", "default.ttf"}}, Assets));
    EXPECT_EQ(DumpOf(*FDeployment, Config), ConfigEntries());
    EXPECT_EQ(ide::TMessageManager::DefaultManager().SubscriptionCount(typeid(dsgn::TqoProjectOpenedMessage)), 1);
}

TEST_F(DeploymentOpenedTest, OpenedProjectWithoutAssetManagerIsLeftAlone)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    OpenProject();
    orvo::RegisterAssetsDeployment();
    const QByteArray Before = FProject->Serialize();

    ide::TMessageManager::DefaultManager().SendMessage(nullptr, dsgn::TqoProjectOpenedMessage(FProject));

    EXPECT_EQ(FProject->Serialize(), Before);
    EXPECT_FALSE(FProject->IsModified());
}

TEST_F(DeploymentOpenedTest, FinalizedUnitNoLongerListens)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    OpenProject();
    WriteConfig();
    orvo::RegisterAssetsDeployment();
    orvo::FinalizeAssetsDeploymentUnit();
    const QByteArray Before = FProject->Serialize();

    OpenInIde();

    EXPECT_NE(testdata::TIdeSession::AssetsManager(*FProject), nullptr);
    EXPECT_EQ(FProject->Serialize(), Before);
}

} // namespace
