#include "TestData.h"

#include <QImage>

namespace {

struct TCloseCase
{
    std::string Name;
    QStringList Options;
    int ExitCode;
    QString Said;
};

class OrvoIdeProject : public ::testing::TestWithParam<TCloseCase>
{
};

// orvo-ide loads the package, opens a copy of the demo project and, with --close, closes it
// through File > Close Project; the project's asset manager must go with it.
TEST_P(OrvoIdeProject, ClosingReleasesTheAssetManager)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", Dir.path()));
    const auto Run = testdata::RunProgram(QStringLiteral(ORVO_BIN_DIR "/orvo-ide"),
                                          QStringList{Dir.filePath("DemoApp.dproj")} + GetParam().Options +
                                              QStringList{"--check-released"});
    ASSERT_FALSE(Run.Crashed) << Run.Err.toStdString();
    EXPECT_EQ(Run.ExitCode, GetParam().ExitCode) << Run.Err.toStdString();
    EXPECT_EQ(Run.OutText(), GetParam().Said);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OrvoIdeProject,
    ::testing::Values(
        TCloseCase{"Closed", {"--close"}, 0, "asset manager released; after unloading the package released\n"},
        TCloseCase{"LeftOpen", {}, 1, "asset manager kept; after unloading the package released\n"}),
    testdata::TCaseName());

struct TAssetsCase
{
    std::string Name;
    QString AssetName;
    int ExitCode;
    QStringList Extra = {};
    // Quoted in the error of a failing run.
    QString Named = AssetName;
};

class OrvoIdeAssets : public ::testing::TestWithParam<TAssetsCase>
{
};

// --assets opens the Assets Manager through the Project menu and pictures the window; a name
// that is not in the tree is an error and leaves no picture. A command's dialog is pictured and
// left as Cancel leaves it.
TEST_P(OrvoIdeAssets, OpensTheAssetsManagerForAScreenshot)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", Dir.path()));
    const QString Shot = Dir.filePath("shot.png");
    const auto Run = testdata::RunProgram(
        QStringLiteral(ORVO_BIN_DIR "/orvo-ide"),
        QStringList{Dir.filePath("DemoApp.dproj"), "--assets", GetParam().AssetName, "--screenshot", Shot} +
            GetParam().Extra);
    ASSERT_FALSE(Run.Crashed) << Run.Err.toStdString();
    EXPECT_EQ(Run.ExitCode, GetParam().ExitCode) << Run.Err.toStdString();
    const QByteArray Config = testdata::ReadAll(Dir.filePath("Assets/config.json"));
    const QImage Image(Shot);
    if (GetParam().ExitCode == 0) {
        EXPECT_EQ(Image.size(), QSize(1280, 800));
        EXPECT_EQ(testdata::ReadAll(Dir.filePath("Assets/config.json")), Config);
    } else {
        EXPECT_TRUE(Image.isNull());
        EXPECT_TRUE(Run.ErrText().contains('"' + GetParam().Named + '"')) << Run.Err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OrvoIdeAssets,
    ::testing::Values(TAssetsCase{"KnownName", "Primary", 0}, TAssetsCase{"UnknownName", "No\\Such", 4},
                      TAssetsCase{"CommandDialog", "Primary", 0, {"--action", "ActionGenerateRoundMask"}},
                      TAssetsCase{"UnknownCommand", "Primary", 6, {"--action", "ActionNone"}, "ActionNone"}),
    testdata::TCaseName());

// --form opens the demo's form in the designer with a component selected; a name the form does
// not hold is an error and leaves no picture.
TEST(OrvoIdeForm, OpensTheFormDesignerOnAComponent)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", Dir.path()));
    for (const auto& [LName, LExit] : {std::pair{QStringLiteral("ImageLogo"), 0}, {QStringLiteral("NoSuch"), 7}}) {
        const QString Shot = Dir.filePath(LName + ".png");
        const auto Run = testdata::RunProgram(QStringLiteral(ORVO_BIN_DIR "/orvo-ide"),
                                              {Dir.filePath("DemoApp.dproj"), "--form", Dir.filePath("Main.xfm"),
                                               "--select", LName, "--screenshot", Shot});
        EXPECT_EQ(Run.ExitCode, LExit) << Run.Err.toStdString();
        EXPECT_EQ(QFileInfo::exists(Shot), LExit == 0);
        if (LExit != 0)
            EXPECT_TRUE(Run.ErrText().contains("\"NoSuch\"")) << Run.Err.toStdString();
    }
    // A property whose editor opens nothing: an error, no picture.
    const auto Run =
        testdata::RunProgram(QStringLiteral(ORVO_BIN_DIR "/orvo-ide"),
                             {Dir.filePath("DemoApp.dproj"), "--form", Dir.filePath("Main.xfm"), "--select",
                              "ImageLogo", "--edit", "Size", "--screenshot", Dir.filePath("edit.png")});
    EXPECT_EQ(Run.ExitCode, 8) << Run.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Dir.filePath("edit.png")));
}

// --device finds the device classes the package registered; an id none has is an error and
// leaves no picture.
TEST(OrvoIdeForm, ShowsTheFormInARegisteredDeviceClass)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", Dir.path()));
    for (const auto& [LId, LExit] :
         {std::pair{QStringLiteral("ANDROID_PHONE_LARGE"), 0}, {QStringLiteral("IPHONE"), 10}}) {
        const QString Shot = Dir.filePath(LId + ".png");
        const auto Run = testdata::RunProgram(
            QStringLiteral(ORVO_BIN_DIR "/orvo-ide"),
            {"--form", Dir.filePath("Main.xfm"), "--device", LId, "--landscape", "--screenshot", Shot});
        EXPECT_EQ(Run.ExitCode, LExit) << Run.Err.toStdString();
        EXPECT_EQ(QFileInfo::exists(Shot), LExit == 0);
    }
}

// --submenu opens the context menu's sub-menus level by level; a caption the menu lacks is an
// error and leaves no picture.
TEST(OrvoIdeForm, OpensTheContextMenusSubMenus)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", Dir.path()));
    for (const auto& [LCategory, LExit] : {std::pair{QStringLiteral("Menu"), 0}, {QStringLiteral("No such"), 10}}) {
        const QString Shot = Dir.filePath(LCategory + ".png");
        const auto Run = testdata::RunProgram(QStringLiteral(ORVO_BIN_DIR "/orvo-ide"),
                                              {Dir.filePath("DemoApp.dproj"), "--form", Dir.filePath("Main.xfm"),
                                               "--select", "CollectionViewItems", "--verbs", "--submenu", "Add Style",
                                               "--submenu", LCategory, "--screenshot", Shot});
        ASSERT_FALSE(Run.Crashed) << Run.Err.toStdString();
        EXPECT_EQ(Run.ExitCode, LExit) << Run.Err.toStdString();
        EXPECT_EQ(QFileInfo::exists(Shot), LExit == 0);
        if (LExit != 0)
            EXPECT_TRUE(Run.ErrText().contains("\"No such\"")) << Run.Err.toStdString();
    }
}

} // namespace
