#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace testdata {

// Read-only files of real projects shared by every checkout.
inline QString SharedDataDir() { return QStringLiteral(ORVO_SHARED_DATA_DIR); }

inline bool HasSharedData(const QString& ASubDir)
{
    return QDir(SharedDataDir() + QLatin1Char('/') + ASubDir).exists();
}

inline QString SourceDir() { return QStringLiteral(ORVO_SOURCE_DIR); }

// The whole content of a file, empty when it cannot be read.
inline QByteArray ReadAll(const QString& AFileName)
{
    QFile LFile(AFileName);
    return LFile.open(QIODevice::ReadOnly) ? LFile.readAll() : QByteArray();
}

// Writes AData to AFileName, creating its folder; false when it cannot.
inline bool WriteAll(const QString& AFileName, const QByteArray& AData)
{
    QFile LFile(AFileName);
    return QDir().mkpath(QFileInfo(AFileName).absolutePath()) && LFile.open(QIODevice::WriteOnly) &&
           LFile.write(AData) == AData.size();
}

// A form file Main.xfm holding AForm in AFolder, beside a unit Main.pas with a bare uses clause;
// the form's file name, empty when either cannot be written.
inline QString WriteForm(const QString& AFolder, const QByteArray& AForm)
{
    const QString LForm = AFolder + QStringLiteral("/Main.xfm");
    const bool LWritten =
        WriteAll(LForm, AForm) && WriteAll(AFolder + QStringLiteral("/Main.pas"),
                                           "unit Main;\n\ninterface\n\nuses\n  Forms;\n\nimplementation\n\nend.\n");
    return LWritten ? LForm : QString();
}

// The files below AFolder, relative to it with '/' separators, sorted.
inline QStringList FileNames(const QString& AFolder)
{
    QStringList LNames;
    for (QDirIterator LIt(AFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); LIt.hasNext();)
        LNames.append(QDir(AFolder).relativeFilePath(LIt.next()));
    LNames.sort();
    return LNames;
}

// One run of a program. A crash or a time-out reads as Crashed, never as an exit status.
struct TRun
{
    int ExitCode = -1;
    bool Crashed = true;
    QByteArray Out;
    QByteArray Err;

    QString OutText() const { return QString::fromUtf8(Out); }
    QString ErrText() const { return QString::fromUtf8(Err); }
};

inline TRun RunProgram(const QString& AProgram, const QStringList& AArgs, const QString& AWorkingDir = QString(),
                       int ATimeoutMs = 120000)
{
    QProcess LProcess;
    if (!AWorkingDir.isEmpty())
        LProcess.setWorkingDirectory(AWorkingDir);
    LProcess.start(AProgram, AArgs);
    TRun LRun;
    if (!LProcess.waitForFinished(ATimeoutMs)) {
        LProcess.kill();
        LProcess.waitForFinished();
        return LRun;
    }
    LRun.Crashed = LProcess.exitStatus() != QProcess::NormalExit;
    LRun.ExitCode = LRun.Crashed ? -1 : LProcess.exitCode();
    LRun.Out = LProcess.readAllStandardOutput();
    LRun.Err = LProcess.readAllStandardError();
    return LRun;
}

// Names the cases of a parameterized suite after their Name member.
struct TCaseName
{
    template <typename T> std::string operator()(const testing::TestParamInfo<T>& AInfo) const
    {
        return AInfo.param.Name;
    }
};

// Copies every file below AFrom to the same place below ATo.
inline bool CopyTree(const QString& AFrom, const QString& ATo)
{
    QDirIterator LIt(AFrom, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (LIt.hasNext()) {
        const QString LFile = LIt.next();
        const QString LTarget = ATo + LFile.mid(AFrom.size());
        if (!QDir().mkpath(QFileInfo(LTarget).absolutePath()) || !QFile::copy(LFile, LTarget))
            return false;
    }
    return true;
}

// Tests that run orvo-assets on a copy of the demo project in a temporary folder.
class TDemoProjectTest : public testing::Test
{
protected:
    QTemporaryDir FDir;
    QString FProject;

    void SetUp() override
    {
        if (!QFileInfo(Binary()).isExecutable())
            GTEST_SKIP() << "orvo-assets is not built: " << Binary().toStdString();
        ASSERT_TRUE(CopyTree(SourceDir() + QStringLiteral("/examples/DemoApp"), FDir.path()));
        FProject = FDir.filePath(QStringLiteral("DemoApp.dproj"));
    }

    static QString Binary() { return QStringLiteral(ORVO_BIN_DIR "/orvo-assets"); }

    TRun Run(const QStringList& AArgs) const { return RunProgram(Binary(), AArgs, FDir.path()); }
};

} // namespace testdata

// Readable values in failure messages.
inline void PrintTo(const QString& AText, std::ostream* AOut) { *AOut << '"' << AText.toStdString() << '"'; }

inline void PrintTo(const QStringList& AList, std::ostream* AOut)
{
    *AOut << '{';
    for (const QString& LItem : AList)
        *AOut << ' ' << '"' << LItem.toStdString() << '"';
    *AOut << " }";
}

// Skips the current test with a message when the shared data folder is missing.
#define ORVO_REQUIRE_SHARED_DATA(sub)                                                                                  \
    do {                                                                                                               \
        if (!testdata::HasSharedData(QStringLiteral(sub)))                                                             \
            GTEST_SKIP() << "shared test data not found: "                                                             \
                         << QString(testdata::SharedDataDir() + "/" sub).toStdString();                                \
    } while (0)
