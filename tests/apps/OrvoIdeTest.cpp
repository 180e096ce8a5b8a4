#include "TestData.h"

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

} // namespace
