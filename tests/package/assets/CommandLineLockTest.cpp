// Two orvo-assets processes on one project: the second waits for the first, or says the
// project is in use; neither loses the other's work.

#include "assets/storage/ORVO.Assets.ProjectLock.h"

#include "TestData.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace {

using CommandLineLockTest = testdata::TDemoProjectTest;

TEST_F(CommandLineLockTest, ConcurrentAddsKeepEveryAsset)
{
    std::vector<std::unique_ptr<QProcess>> LProcesses;
    for (int I = 0; I < 4; ++I) {
        LProcesses.push_back(std::make_unique<QProcess>());
        LProcesses.back()->start(Binary(), {QStringLiteral("add"), FProject, QStringLiteral("color"),
                                            QStringLiteral("Race%1").arg(I), QStringLiteral("--color"),
                                            QStringLiteral("#FF000000")});
    }
    for (auto& LProcess : LProcesses) {
        ASSERT_TRUE(LProcess->waitForFinished(120000));
        EXPECT_EQ(LProcess->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(LProcess->exitCode(), 0) << LProcess->readAllStandardError().toStdString();
    }
    const testdata::TRun LList = testdata::RunProgram(Binary(), {QStringLiteral("list"), FProject});
    ASSERT_EQ(LList.ExitCode, 0) << LList.Err.toStdString();
    for (int I = 0; I < 4; ++I)
        EXPECT_TRUE(LList.OutText().contains(QStringLiteral("Race%1\t").arg(I))) << I;
}

TEST_F(CommandLineLockTest, ProjectLockedLongerThanTheWaitFailsWithAClearMessage)
{
    const QByteArray LConfig = testdata::ReadAll(FDir.filePath(QStringLiteral("Assets/config.json")));
    const orvo::TqoProjectLock LLock(FProject);
    qputenv("ORVO_LOCK_WAIT_MS", "200");
    const testdata::TRun LRun = testdata::RunProgram(
        Binary(), {QStringLiteral("add"), FProject, QStringLiteral("color"), QStringLiteral("Late"),
                   QStringLiteral("--color"), QStringLiteral("#FF000000")});
    qunsetenv("ORVO_LOCK_WAIT_MS");
    EXPECT_EQ(LRun.ExitCode, 1);
    EXPECT_TRUE(LRun.ErrText().contains(QStringLiteral("in use by another program"))) << LRun.Err.toStdString();
    EXPECT_EQ(testdata::ReadAll(FDir.filePath(QStringLiteral("Assets/config.json"))), LConfig);
}

TEST_F(CommandLineLockTest, ListFailsWhenAssetsIsAFile)
{
    ASSERT_TRUE(QDir(FDir.filePath(QStringLiteral("Assets"))).removeRecursively());
    ASSERT_TRUE(testdata::WriteAll(FDir.filePath(QStringLiteral("Assets")), "not a folder"));
    const testdata::TRun LRun = testdata::RunProgram(Binary(), {QStringLiteral("list"), FProject});
    EXPECT_EQ(LRun.ExitCode, 1);
    EXPECT_TRUE(LRun.ErrText().contains(QStringLiteral("assets folder is a file"))) << LRun.Err.toStdString();
    EXPECT_EQ(LRun.Out, QByteArray());
}

} // namespace
