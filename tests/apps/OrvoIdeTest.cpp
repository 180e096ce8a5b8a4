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
};

class OrvoIdeAssets : public ::testing::TestWithParam<TAssetsCase>
{
};

// --assets opens the Assets Manager through the Project menu and pictures the window; a name
// that is not in the tree is an error and leaves no picture.
TEST_P(OrvoIdeAssets, OpensTheAssetsManagerForAScreenshot)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", Dir.path()));
    const QString Shot = Dir.filePath("shot.png");
    const auto Run =
        testdata::RunProgram(QStringLiteral(ORVO_BIN_DIR "/orvo-ide"),
                             {Dir.filePath("DemoApp.dproj"), "--assets", GetParam().AssetName, "--screenshot", Shot});
    ASSERT_FALSE(Run.Crashed) << Run.Err.toStdString();
    EXPECT_EQ(Run.ExitCode, GetParam().ExitCode) << Run.Err.toStdString();
    const QImage Image(Shot);
    if (GetParam().ExitCode == 0) {
        EXPECT_EQ(Image.size(), QSize(1280, 800));
    } else {
        EXPECT_TRUE(Image.isNull());
        EXPECT_TRUE(Run.ErrText().contains('"' + GetParam().AssetName + '"')) << Run.Err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OrvoIdeAssets,
                         ::testing::Values(TAssetsCase{"KnownName", "Primary", 0},
                                           TAssetsCase{"UnknownName", "No\\Such", 4}),
                         testdata::TCaseName());

} // namespace
