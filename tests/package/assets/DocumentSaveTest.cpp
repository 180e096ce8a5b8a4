// The Assets Manager's document on a real project: load, save order, backup, stale files,
// empty folders, the project's asset manager, and configurations that do not load.

#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include "IdeSession.h"
#include "ORVO.Assets.Factory.h"
#include "ORVO.Log.h"
#include "TestData.h"
#include "ToolsAPI.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

using testdata::ReadAll;

using namespace core;
using orvo::TqoAssetsDocument;

namespace {

void WriteAll(const QString& AFileName, const QByteArray& AData)
{
    ASSERT_TRUE(testdata::WriteAll(AFileName, AData)) << AFileName.toStdString();
}

// The demo project's .dproj and .dpr in a folder of their own, without assets.
class DocumentTest : public testing::Test
{
protected:
    QTemporaryDir FDir;
    std::shared_ptr<ide::TDprojProject> FProject;
    TqoLogCapture FLog;

    void SetUp() override
    {
        orvo::AssetsEditorsInitialization();
        for (const char* LName : {"DemoApp.dproj", "DemoApp.dpr"})
            WriteAll(Path(QString::fromUtf8(LName)),
                     ReadAll(testdata::SourceDir() + QStringLiteral("/examples/DemoApp/") + QString::fromUtf8(LName)));
        FProject = ide::TDprojProject::Open(Path(QStringLiteral("DemoApp.dproj")));
    }

    QString Path(const QString& ARelative) const { return FDir.path() + QLatin1Char('/') + ARelative; }
    QString Assets(const QString& ARelative = QString()) const
    {
        return ARelative.isEmpty() ? Path(QStringLiteral("Assets")) : Path(QStringLiteral("Assets/") + ARelative);
    }

    // Files below Assets, relative and sorted.
    QStringList AssetsFiles() const
    {
        QStringList LFiles;
        for (QDirIterator LIt(Assets(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); LIt.hasNext();)
            LFiles << QDir(Assets()).relativeFilePath(LIt.next());
        LFiles.sort();
        return LFiles;
    }

    QStringList NamesIn(const QString& AConfigFileName) const
    {
        TqoAssetsManager LManager;
        TqoAssetsFactory::LoadFromFile(LManager, AConfigFileName);
        return LManager.GetAssetsNames();
    }

    std::unique_ptr<TqoAssetsDocument> Open()
    {
        auto LDocument = std::make_unique<TqoAssetsDocument>();
        LDocument->SetProject(FProject);
        return LDocument;
    }

    // A file asset whose source lies outside the project's Assets folder.
    void AddFileAsset(TqoAssetsDocument& ADocument, const QString& AName, const QByteArray& AContent)
    {
        const QString LSource =
            Path(QStringLiteral("sources/") + TqoAssetNameHelper::ShortName(AName) + QStringLiteral(".txt"));
        WriteAll(LSource, AContent);
        ADocument.GetModel().AddEmptyFile(AName)->SetUri(LSource);
    }
};

} // namespace

TEST_F(DocumentTest, SaveWritesPlatformVariantsAndLeavesNoBackup)
{
    auto LDocument = Open();
    auto& LManager = LDocument->GetAssetsManager();
    LDocument->GetModel().AddColor(QStringLiteral("Primary"), 0xFF112233u);
    LManager.Add(std::make_shared<TqoAssetColor>(QStringLiteral("Primary"), 0xFF000001u, TqoPlatform::Android));
    LManager.Add(std::make_shared<TqoAssetColor>(QStringLiteral("OnlyIOS"), 0xFF000002u, TqoPlatform::iOS));
    EXPECT_TRUE(LDocument->GetModified());

    LDocument->Save(true);
    LDocument->Save(true);

    EXPECT_EQ(AssetsFiles(), QStringList({"config-android.json", "config-ios.json", "config.json"}));
    EXPECT_EQ(NamesIn(Assets(QStringLiteral("config.json"))), QStringList({"OnlyIOS", "Primary"}));
    EXPECT_EQ(NamesIn(Assets(QStringLiteral("config-android.json"))), QStringList({"Primary"}));
    EXPECT_EQ(NamesIn(Assets(QStringLiteral("config-ios.json"))), QStringList({"OnlyIOS", "Primary"}));
    // The reload after the save leaves each variant once.
    EXPECT_EQ(LManager.Count(), 3);
}

TEST_F(DocumentTest, StaleFilesGoAndFoldersLeftEmptyAreRemoved)
{
    auto LDocument = Open();
    AddFileAsset(*LDocument, QStringLiteral("Docs\\Terms"), "terms");
    LDocument->Save(true);
    const QString LStored = QStringLiteral("Docs/Terms/default.txt");
    ASSERT_EQ(AssetsFiles(), QStringList({LStored, "config-android.json", "config-ios.json", "config.json"}));

    WriteAll(Assets(QStringLiteral("stray.txt")), "x");
    WriteAll(Assets(QStringLiteral("Old/Deep/Er/left.png")), "x");
    WriteAll(Assets(QStringLiteral(".hidden")), "x");
    // Differs from a kept file only in letter case: kept.
    WriteAll(Assets(QStringLiteral("Docs/Terms/DEFAULT.TXT")), "x");
    const auto LResult = LDocument->Save(true);

    EXPECT_EQ(AssetsFiles(), QStringList({"Docs/Terms/DEFAULT.TXT", LStored, "config-android.json", "config-ios.json",
                                          "config.json"}));
    QStringList LDeleted;
    for (const QString& LFile : LResult.DeletedFiles)
        LDeleted << QDir(Assets()).relativeFilePath(LFile);
    LDeleted.sort();
    EXPECT_EQ(LDeleted, QStringList({".hidden", "Old/Deep/Er/left.png", "stray.txt"}));
    EXPECT_FALSE(QFileInfo::exists(Assets(QStringLiteral("Old"))));
    EXPECT_EQ(LResult.RemovedFolders.size(), 3);
    EXPECT_EQ(ReadAll(Assets(LStored)), QByteArray("terms"));

    // Without the asset its files go, the case variant with them, and so do its folders;
    // Assets itself stays.
    LDocument->GetModel().RemovePath(QStringLiteral("Docs\\"));
    LDocument->Save(true);
    EXPECT_EQ(AssetsFiles(), QStringList({"config-android.json", "config-ios.json", "config.json"}));
    EXPECT_EQ(QDir(Assets()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(DocumentTest, BackupIsTakenFirstAndSurvivesASaveThatStopsAtTheConfigurations)
{
    auto LDocument = Open();
    LDocument->GetModel().AddColor(QStringLiteral("A"), 0xFF0000AAu);
    LDocument->Save(true);
    const QByteArray LBefore = ReadAll(Assets(QStringLiteral("config.json")));

    // The iOS variant cannot be written over a folder: the model's write stops after config.json
    // (the document checks its targets first and would not start).
    QFile::remove(Assets(QStringLiteral("config-ios.json")));
    WriteAll(Assets(QStringLiteral("config-ios.json/keep")), "x");
    WriteAll(Assets(QStringLiteral("stray.txt")), "x");
    LDocument->GetModel().AddColor(QStringLiteral("B"), 0xFF0000BBu);
    EXPECT_THROW(LDocument->GetModel().SaveToFile(LDocument->GetConfigFileName()), EqoException);

    EXPECT_EQ(ReadAll(Assets(QStringLiteral("config.backup.json"))), LBefore);
    EXPECT_EQ(NamesIn(Assets(QStringLiteral("config.json"))), QStringList({"A", "B"}));
    EXPECT_EQ(NamesIn(Assets(QStringLiteral("config-android.json"))), QStringList({"A", "B"}));
    EXPECT_TRUE(QFileInfo::exists(Assets(QStringLiteral("stray.txt"))));

    // Once the obstacle is gone the next save completes and drops the backup.
    QDir(Assets(QStringLiteral("config-ios.json"))).removeRecursively();
    LDocument->GetModel().SaveToFile(LDocument->GetConfigFileName());
    EXPECT_EQ(AssetsFiles(), QStringList({"config-android.json", "config-ios.json", "config.json"}));
}

TEST_F(DocumentTest, ConfigurationThatDoesNotLoadIsNeverSavedOver)
{
    const QByteArray LBroken = "{\n  \"format\": \"orvo-assets\",\n  \"version\": 1,\n  oops\n}\n";
    WriteAll(Assets(QStringLiteral("config.json")), LBroken);
    auto LDocument = std::make_unique<TqoAssetsDocument>();
    try {
        LDocument->SetProject(FProject);
        FAIL() << "the load should fail";
    } catch (const EqoFileError& E) {
        EXPECT_EQ(E.FileName(), Assets(QStringLiteral("config.json")));
        EXPECT_EQ(E.Line(), 4);
    }
    LDocument->GetModel().AddColor(QStringLiteral("New"), 0xFF000000u);

    EXPECT_THROW(LDocument->Save(true), EqoFileError);
    EXPECT_EQ(ReadAll(Assets(QStringLiteral("config.json"))), LBroken);
    EXPECT_EQ(AssetsFiles(), QStringList({"config.json"}));

    // Fixed by hand: its assets join the document's before it is written.
    TqoAssetsManager LFixed;
    LFixed.Add(std::make_shared<TqoAssetColor>(QStringLiteral("Fixed"), 0xFF123456u));
    TqoAssetsFactory::SaveConfigToFile(LFixed, Assets(QStringLiteral("config.json")));
    LDocument->Save(true);
    EXPECT_EQ(NamesIn(Assets(QStringLiteral("config.json"))), QStringList({"Fixed", "New"}));
    EXPECT_EQ(LDocument->GetLoadError(), QString());
}

TEST_F(DocumentTest, RemovedBrokenConfigurationAllowsTheSave)
{
    WriteAll(Assets(QStringLiteral("config.json")), "not json");
    TqoAssetsDocument LDocument;
    EXPECT_THROW(LDocument.SetProject(FProject), EqoFileError);
    QFile::remove(Assets(QStringLiteral("config.json")));
    LDocument.GetModel().AddColor(QStringLiteral("New"), 0xFF000000u);
    LDocument.Save(true);
    EXPECT_EQ(NamesIn(Assets(QStringLiteral("config.json"))), QStringList({"New"}));
}

TEST_F(DocumentTest, NameLeadingToADeviceNeverJoinsTheDocument)
{
    auto LDocument = Open();
    // The runtime refuses it as the model does, so no save can meet it.
    EXPECT_THROW(LDocument->GetAssetsManager().Add(std::make_shared<TqoAssetColor>(QStringLiteral("Icons\\aux"), 1u)),
                 EqoAssertionFailed);
    EXPECT_THROW(LDocument->GetModel().AddColor(QStringLiteral("Icons\\aux"), 1u), orvo::EqoAssetNameError);
    EXPECT_FALSE(QFileInfo::exists(Assets()));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("Assets.Consts.pas"))));
}

TEST_F(DocumentTest, ProjectManagerIsRefilledFromTheWrittenConfiguration)
{
    testdata::TIdeSession LIde;
    FProject = LIde.Open(FProject->FileName());
    auto LProjectManager = testdata::TIdeSession::AssetsManager(*FProject);
    LProjectManager->Add(std::make_shared<TqoAssetColor>(QStringLiteral("Gone"), 1u));
    auto LDocument = Open();
    LDocument->GetModel().AddColor(QStringLiteral("Kept"), 2u);
    LDocument->GetModel().AddThemeContainer(QStringLiteral("Dark"));

    LDocument->Save(true);

    EXPECT_EQ(LProjectManager->GetAssetsNames(), QStringList({"Dark", "Kept"}));
    EXPECT_TRUE(FProject->IsModified());
}

TEST_F(DocumentTest, LoadDropsRedundantColorsAndDoesNotMarkModified)
{
    TqoAssetsManager LOnDisk;
    LOnDisk.Add(std::make_shared<TqoAssetColor>(QStringLiteral("C"), 0xFF112233u));
    LOnDisk.Add(
        std::make_shared<TqoAssetColor>(QStringLiteral("C"), 0xFF112233u, TqoPlatform::All, TqoDeviceClass::Tablet));
    TqoAssetsFactory::SaveConfigToFile(LOnDisk, Assets(QStringLiteral("config.json")));
    TqoAssetsDocument LDocument;
    bool LLoadingSeen = false;
    LDocument.SetOnLoaded([&] { LLoadingSeen = LDocument.HasState(orvo::TqoState::Loading); });
    LDocument.SetProject(FProject);

    EXPECT_TRUE(LLoadingSeen);
    EXPECT_FALSE(LDocument.HasState(orvo::TqoState::Loading));
    EXPECT_FALSE(LDocument.GetModified());
    EXPECT_EQ(LDocument.GetAssetsManager().Count(), 1);
}

TEST_F(DocumentTest, SaveWhileTheProjectClosesLeavesTheDeploymentAlone)
{
    const auto LEntries = [&](const QString& AClass) {
        int LCount = 0;
        for (const auto& LFile : FProject->ProjectDeployment()->Files())
            LCount += LFile->DeploymentClass() == AClass;
        return LCount;
    };
    auto LDocument = Open();
    AddFileAsset(*LDocument, QStringLiteral("Terms"), "terms");

    LDocument->Save(false);
    // Two configuration files and one asset file, each in Debug and Release.
    EXPECT_EQ(LEntries(QStringLiteral("ORVO_AssetsConfig")), 4);
    EXPECT_EQ(LEntries(QStringLiteral("ORVO_Assets")), 2);

    FProject->ProjectDeployment()->RemoveFilesOfClass(QStringLiteral("ORVO_Assets"));
    FProject->ProjectDeployment()->RemoveFilesOfClass(QStringLiteral("ORVO_AssetsConfig"));
    QFile::remove(Path(QStringLiteral("Assets.Consts.pas")));
    LDocument->Save(true);
    EXPECT_EQ(LEntries(QStringLiteral("ORVO_AssetsConfig")), 0);
    EXPECT_EQ(LEntries(QStringLiteral("ORVO_Assets")), 0);
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("Assets.Consts.pas"))));
}

namespace {

const QByteArray CSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"24\" height=\"24\">"
                        "<rect width=\"10\" height=\"10\" fill=\"#ff0000\"/></svg>";

// Every file below a folder with its modification time.
QMap<QString, QDateTime> Times(const QString& AFolder)
{
    QMap<QString, QDateTime> LTimes;
    for (const QString& LFile : testdata::FileNames(AFolder))
        LTimes.insert(LFile, QFileInfo(AFolder + QLatin1Char('/') + LFile).lastModified());
    return LTimes;
}

} // namespace

TEST_F(DocumentTest, SaveWithNothingChangedWritesNoFileAndKeepsModificationTimes)
{
    auto LDocument = Open();
    AddFileAsset(*LDocument, QStringLiteral("Docs\\Terms"), "terms");
    WriteAll(Path(QStringLiteral("sources/logo.svg")), CSvg);
    LDocument->GetModel().AddEmptySVG(QStringLiteral("Logo"))->SetSVGUri(Path(QStringLiteral("sources/logo.svg")));
    TqoBitmap LBitmap(4, 4);
    LBitmap.Clear(0xFF00FF00u);
    LDocument->GetModel().AddEmptyBitmapSet(QStringLiteral("Dot"))->GetBitmapInfos().front()->SetBitmap(LBitmap);
    const auto LFirst = LDocument->Save(false);
    // Three asset files beside the SVG's vector file, three configurations, the constants unit.
    EXPECT_EQ(LFirst.WrittenFiles.size(), 8);
    // Times far back: a rewrite would show even within the file system's time resolution.
    const QDateTime LOld = QDateTime::currentDateTimeUtc().addDays(-3);
    for (const QString& LFile : testdata::FileNames(FDir.path())) {
        QFile LData(Path(LFile));
        ASSERT_TRUE(LData.open(QIODevice::ReadWrite) && LData.setFileTime(LOld, QFileDevice::FileModificationTime));
    }
    const auto LBefore = Times(FDir.path());

    const auto LSecond = LDocument->Save(false);
    EXPECT_EQ(LSecond.WrittenFiles, QStringList());
    EXPECT_EQ(LSecond.UnchangedFiles.size(), 8);
    EXPECT_EQ(LSecond.DeletedFiles, QStringList());
    EXPECT_EQ(Times(FDir.path()), LBefore);

    // A new color rewrites the configurations, nothing else (the unit is made from the
    // project's manager, which this test does not register).
    LDocument->GetModel().AddColor(QStringLiteral("New"), 0xFF123456u);
    const auto LThird = LDocument->Save(false);
    QStringList LWritten;
    for (const QString& LFile : LThird.WrittenFiles)
        LWritten << QDir(FDir.path()).relativeFilePath(LFile);
    LWritten.sort();
    EXPECT_EQ(LWritten, QStringList({"Assets/config-android.json", "Assets/config-ios.json", "Assets/config.json"}));

    // The PNG bytes of in-memory bitmaps are kept between saves: a changed bitmap is still written.
    LBitmap.Clear(0xFFFF0000u);
    std::dynamic_pointer_cast<TqoAssetBitmapSet>(
        LDocument->GetAssetsManager().Find(QStringLiteral("Dot"), TqoPlatform::All, TqoDeviceClass::All))
        ->GetBitmapInfos()
        .front()
        ->SetBitmap(LBitmap);
    const auto LFourth = LDocument->Save(false);
    ASSERT_EQ(LFourth.WrittenFiles.size(), 1);
    EXPECT_EQ(QImage(LFourth.WrittenFiles.first()).pixel(0, 0), 0xFFFF0000u);
}

TEST_F(DocumentTest, FailedStorageOfOneAssetIsLoggedAndKeepsTheFilesItNames)
{
    auto LDocument = Open();
    WriteAll(Path(QStringLiteral("sources/logo.svg")), CSvg);
    LDocument->GetModel().AddEmptySVG(QStringLiteral("Logo"))->SetSVGUri(Path(QStringLiteral("sources/logo.svg")));
    LDocument->Save(true);
    // The vector file cannot be written over a folder, so the SVG asset's storage fails.
    QFile::remove(Assets(QStringLiteral("Logo/default.vector")));
    ASSERT_TRUE(QDir().mkpath(Assets(QStringLiteral("Logo/default.vector/x"))));
    AddFileAsset(*LDocument, QStringLiteral("Terms"), "terms");

    const auto LResult = LDocument->Save(true);

    EXPECT_EQ(LResult.FailedAssets.size(), 1);
    const auto& LEntries = FLog.Entries();
    EXPECT_EQ(std::count_if(LEntries.begin(), LEntries.end(),
                            [](const TqoLogCapture::TqoEntry& E) {
                                return E.Level == TqoLogLevel::Error &&
                                       E.Message.startsWith(QStringLiteral("Cannot save asset's files on disk"));
                            }),
              1);
    EXPECT_EQ(ReadAll(Assets(QStringLiteral("Logo/default.svg"))), CSvg);
    EXPECT_EQ(ReadAll(Assets(QStringLiteral("Terms/default.txt"))), QByteArray("terms"));
    EXPECT_EQ(NamesIn(Assets(QStringLiteral("config.json"))), QStringList({"Logo", "Terms"}));
}

TEST_F(DocumentTest, ConfigurationNestedTooDeepIsAnErrorWithFileAndLine)
{
    WriteAll(Assets(QStringLiteral("config.json")), "{\n\"assets\": " + QByteArray(100000, '[') + "\n");
    TqoAssetsDocument LDocument;
    try {
        LDocument.SetProject(FProject);
        FAIL() << "the load should fail";
    } catch (const EqoFileError& E) {
        EXPECT_EQ(E.FileName(), Assets(QStringLiteral("config.json")));
        EXPECT_EQ(E.Line(), 2);
    }
}

TEST_F(DocumentTest, ConfigurationChangedByAnotherProgramIsNotSavedOver)
{
    auto LDocument = Open();
    LDocument->GetModel().AddColor(QStringLiteral("Mine"), 1u);
    LDocument->Save(true);
    TqoAssetsManager LOther;
    LOther.Add(std::make_shared<TqoAssetColor>(QStringLiteral("Theirs"), 2u));
    TqoAssetsFactory::SaveConfigToFile(LOther, Assets(QStringLiteral("config.json")));
    const QByteArray LTheirs = ReadAll(Assets(QStringLiteral("config.json")));

    LDocument->GetModel().AddColor(QStringLiteral("Later"), 3u);
    try {
        LDocument->Save(true);
        FAIL() << "the save should be refused";
    } catch (const EqoFileError& E) {
        EXPECT_TRUE(QString::fromUtf8(E.what()).contains(QStringLiteral("open it again"))) << E.what();
    }
    EXPECT_EQ(ReadAll(Assets(QStringLiteral("config.json"))), LTheirs);
}

struct TObstacle
{
    const char* Name;
    const char* Path;   // in the project folder
    const char* LinkTo; // "file" or "folder" outside the project; nullptr: no link
    bool IsReadOnly;    // otherwise, without a link: a folder in the file's place
};

class DocumentObstacleTest : public DocumentTest, public testing::WithParamInterface<TObstacle>
{
};

// Everything a save would write must be writable and no link, or the save writes nothing:
// no half-saved project, nothing outside it changed.
TEST_P(DocumentObstacleTest, SaveThatCannotFinishWritesNothing)
{
    auto LDocument = Open();
    AddFileAsset(*LDocument, QStringLiteral("Icons\\Back"), "back");
    LDocument->Save(false);
    QTemporaryDir LOutside;
    WriteAll(LOutside.filePath(QStringLiteral("file")), "outside");
    QDir().mkpath(LOutside.filePath(QStringLiteral("folder")));
    const QString LPath = Path(QString::fromUtf8(GetParam().Path));
    if (GetParam().IsReadOnly) {
        ASSERT_TRUE(QFile::setPermissions(LPath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else {
        QFile::remove(LPath);
        QDir(LPath).removeRecursively();
        if (GetParam().LinkTo)
            ASSERT_TRUE(QFile::link(LOutside.filePath(QString::fromUtf8(GetParam().LinkTo)), LPath));
        else
            ASSERT_TRUE(QDir().mkpath(LPath + QStringLiteral("/x")));
    }
    const QMap<QString, QDateTime> LBefore = Times(FDir.path());

    LDocument->GetModel().AddColor(QStringLiteral("New"), 1u);
    LDocument->GetModel().Remove(QStringLiteral("Icons\\Back"));
    EXPECT_THROW(LDocument->Save(false), EqoFileError);

    EXPECT_EQ(Times(FDir.path()), LBefore);
    EXPECT_EQ(testdata::FileNames(LOutside.path()), QStringList({"file"}));
    EXPECT_EQ(ReadAll(LOutside.filePath(QStringLiteral("file"))), QByteArray("outside"));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, DocumentObstacleTest,
    testing::Values(TObstacle{"link_as_asset_file", "Assets/Icons/Back/default.txt", "file", false},
                    TObstacle{"link_as_folder", "Assets/Icons", "folder", false},
                    TObstacle{"link_as_backup", "Assets/config.backup.json", "file", false},
                    TObstacle{"link_as_platform_configuration", "Assets/config-android.json", "file", false},
                    TObstacle{"link_as_constants_unit", "Assets.Consts.pas", "file", false},
                    TObstacle{"read_only_project", "DemoApp.dproj", nullptr, true},
                    TObstacle{"read_only_constants_unit", "Assets.Consts.pas", nullptr, true},
                    TObstacle{"folder_as_platform_configuration", "Assets/config-android.json", nullptr, false}),
    testdata::TCaseName());
