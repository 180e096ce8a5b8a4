// The demo project saved as the IDE saves it, twice: the second save must leave every file of
// the project as the first one left it.

#include "IdeSession.h"
#include "TestData.h"
#include "ToolsAPI.h"
#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>
#include <map>

using testdata::CopyTree;

namespace {

using TSnapshot = std::map<QString, QByteArray>;

TSnapshot Snapshot(const QString& ARoot)
{
    TSnapshot LFiles;
    QDirIterator LIt(ARoot, QDir::Files, QDirIterator::Subdirectories);
    while (LIt.hasNext()) {
        QFile LFile(LIt.next());
        EXPECT_TRUE(LFile.open(QIODevice::ReadOnly)) << LFile.fileName().toStdString();
        LFiles[LFile.fileName().mid(ARoot.size() + 1)] = LFile.readAll();
    }
    return LFiles;
}

// One session of the IDE: open the project, load its assets, save them and the project.
orvo::TqoAssetsSaveResult SaveOnce(const QString& AProjectFile)
{
    testdata::TIdeSession LIde;
    const auto LProject = LIde.Open(AProjectFile);
    orvo::TqoAssetsDocument LDocument;
    LDocument.SetProject(LProject);
    LDocument.Load();
    const auto LResult = LDocument.Save(false);
    LProject->Save();
    return LResult;
}

class DemoProject : public ::testing::Test
{
protected:
    void SetUp() override
    {
        orvo::AssetsEditorsInitialization();
        ASSERT_TRUE(FTemp.isValid());
        FRoot = FTemp.path() + QStringLiteral("/DemoApp");
        ASSERT_TRUE(CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), FRoot));
    }
    void TearDown() override { orvo::AssetsEditorsFinalization(); }

    QTemporaryDir FTemp;
    QString FRoot;
};

TEST_F(DemoProject, SecondSaveLeavesEveryFileAsTheFirstDid)
{
    const auto LFirst = SaveOnce(FRoot + QStringLiteral("/DemoApp.dproj"));
    EXPECT_TRUE(LFirst.FailedAssets.isEmpty()) << LFirst.FailedAssets.join(QLatin1Char('\n')).toStdString();
    const TSnapshot LAfterFirst = Snapshot(FRoot);

    const auto LSecond = SaveOnce(FRoot + QStringLiteral("/DemoApp.dproj"));
    EXPECT_TRUE(LSecond.DeletedFiles.isEmpty()) << LSecond.DeletedFiles.join(QLatin1Char('\n')).toStdString();
    const TSnapshot LAfterSecond = Snapshot(FRoot);

    ASSERT_EQ(LAfterFirst.size(), LAfterSecond.size());
    for (const auto& [LName, LBytes] : LAfterFirst) {
        const auto It = LAfterSecond.find(LName);
        ASSERT_NE(It, LAfterSecond.end()) << LName.toStdString() << " is gone";
        EXPECT_EQ(It->second, LBytes) << LName.toStdString() << " changed";
    }
}

TEST_F(DemoProject, FirstSaveStoresConvertsDeploysAndGeneratesConstants)
{
    SaveOnce(FRoot + QStringLiteral("/DemoApp.dproj"));
    const TSnapshot LFiles = Snapshot(FRoot);
    for (const char* LExpected :
         {"Assets/config.json", "Assets/config-android.json", "Assets/config-ios.json", "Assets.Consts.pas",
          "Assets/Logo/default.svg", "Assets/Logo/default.vector", "Assets/Avatar/default@15x.png",
          "Assets/Icons/Badge/tablet@20x.png", "Assets/Loading/default.json", "Assets/Docs/Terms/default.txt",
          "Assets/Light/Logo/default@30x.png"})
        EXPECT_EQ(LFiles.count(QString::fromLatin1(LExpected)), 1u) << LExpected;
    EXPECT_EQ(LFiles.count(QStringLiteral("Assets/config.backup.json")), 0u);
    // Sources outside Assets are the user's and stay.
    EXPECT_EQ(LFiles.count(QStringLiteral("Artwork/logo.svg")), 1u);

    const QByteArray& LProject = LFiles.at(QStringLiteral("DemoApp.dproj"));
    EXPECT_TRUE(LProject.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(LProject.contains("<DeployClass Name=\"ORVO_Assets\">"));
    EXPECT_TRUE(LProject.contains(
        "LocalName=\"Assets\\Logo\\default.vector\" Configuration=\"Release\" Class=\"ORVO_Assets\""));
    EXPECT_TRUE(LProject.contains("<DCCReference Include=\"Assets.Consts.pas\"/>"));
    // The IDE's own entries are still there.
    EXPECT_TRUE(LProject.contains("LocalName=\"Android64\\Debug\\libDemoApp.so\""));
    EXPECT_TRUE(LFiles.at(QStringLiteral("DemoApp.dpr")).contains("Assets.Consts in 'Assets.Consts.pas'"));

    const QByteArray& LConsts = LFiles.at(QStringLiteral("Assets.Consts.pas"));
    EXPECT_TRUE(LConsts.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(LConsts.contains("\r\n"));
    EXPECT_TRUE(LConsts.contains("OVERLAY_CLEAR = 'Overlay\\Clear';"));
}

} // namespace
