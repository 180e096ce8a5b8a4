// The "orvo-assets svg" commands as scripts use them: output shapes and exit statuses.

#include "ORVO.VectorImage.Document.h"
#include "TestData.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using testdata::TRun;

TRun RunSvg(const QStringList& AArgs)
{
    return testdata::RunProgram(QStringLiteral(ORVO_BIN_DIR "/orvo-assets"),
                                QStringList{QStringLiteral("svg")} + AArgs);
}

class SvgCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FTemp.isValid());
        Write(QStringLiteral("good.svg"),
              R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10" viewBox="0 0 40 20">
  <linearGradient id="g" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="red"/><stop offset="1" stop-color="#00f"/></linearGradient>
  <g transform="translate(2 3)"><rect width="40" height="20" fill="#FF0000" stroke="blue" stroke-width="2" stroke-dasharray="1 2"/></g>
  <circle cx="5" cy="5" r="3" fill="url(#g)"/>
</svg>)svg");
        Write(
            QStringLiteral("warn.svg"),
            R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10"><unknownthing/><rect width="5" height="5"/></svg>)svg");
        Write(QStringLiteral("bad.svg"), "<svg><rect");
    }

    QString Path(const QString& AName) const { return FTemp.filePath(AName); }
    void Write(const QString& AName, const QByteArray& AText) { ASSERT_TRUE(testdata::WriteAll(Path(AName), AText)); }

    QTemporaryDir FTemp;
};

TEST_F(SvgCommandLine, CheckPrintsVerdictFileAndLogAndFailsWhenOneFileFails)
{
    const TRun LGood = RunSvg({QStringLiteral("check"), Path("good.svg"), Path("warn.svg")});
    EXPECT_EQ(LGood.ExitCode, 0) << LGood.Err.toStdString();
    const QList<QByteArray> LLines = LGood.Out.trimmed().split('\n');
    ASSERT_GE(LLines.size(), 3);
    EXPECT_EQ(LLines[0], QByteArray("Success\t") + Path("good.svg").toUtf8());
    EXPECT_EQ(LLines[1], QByteArray("SuccessWithWarnings\t") + Path("warn.svg").toUtf8());
    EXPECT_TRUE(LLines[2].startsWith("- Unknown node name: node=\"unknownthing\"")) << LLines[2].toStdString();

    const TRun LBad = RunSvg({QStringLiteral("check"), Path("good.svg"), Path("bad.svg")});
    EXPECT_EQ(LBad.ExitCode, 1);
    EXPECT_TRUE(LBad.Out.contains(QByteArray(QByteArray("Failed\t") + Path("bad.svg").toUtf8())));
}

// One line per command, only the properties that were set, enumerations as numbers.
TEST_F(SvgCommandLine, DumpIsTheDocumentAsJsonAfterTheVerdict)
{
    Write(QStringLiteral("dump.svg"),
          R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10" viewBox="0 0 20 20">
  <radialGradient id="r" cx="5" cy="4" r="3"><stop offset="0.5" stop-color="#80ff0000"/></radialGradient>
  <g transform="translate(2 3)"><path d="M0 0H9" stroke="url(#r)" stroke-width="2" stroke-dasharray="1 2"
    stroke-linecap="round" stroke-linejoin="bevel" fill-rule="evenodd"/></g></svg>)svg");
    const TRun LRun = RunSvg({QStringLiteral("dump"), Path("dump.svg")});
    EXPECT_EQ(LRun.ExitCode, 0) << LRun.Err.toStdString();
    EXPECT_EQ(
        LRun.OutText(),
        QStringLiteral(
            R"json({"result": "Success", "logs": [], "size": [10.0, 10.0], "viewBox": [0.0, 0.0, 20.0, 20.0], "commands": [
  {"kind": 1},
  {"kind": 5, "fillRule": 0},
  {"kind": 3, "matrix": [1.0, 0.0, 0.0, 1.0, 2.0, 3.0], "translate": [2.0, 3.0], "rotate": 0.0, "scale": [1.0, 1.0], "letters": "T"},
  {"kind": 1},
  {"kind": 4, "fill": false, "id": "r", "type": "radial", "cx": 5.0, "cy": 4.0, "r": 3.0, "matrix": [1.0, 0.0, 0.0, 1.0, 0.0, 0.0], "stops": [[0.5, "#80FF0000"]]},
  {"kind": 5, "fillRule": 1, "strokeWidth": 2.0, "dashArray": [1.0, 2.0], "lineCap": 1, "lineJoin": 2},
  {"kind": 0, "path": "M0 0H9"},
  {"kind": 2},
  {"kind": 2}
]}
)json"));
}

// Both commands once replaced a FIFO or a device named as the output by a regular file.
TEST_F(SvgCommandLine, OutputsThatAreNotRegularFilesAreRefusedAndLeftAlone)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("fifo")).constData(), 0600), 0);
    Write(QStringLiteral("target.png"), "keep");
    ASSERT_TRUE(QFile::link(Path("target.png"), Path("link.png")));
    ASSERT_TRUE(QDir(FTemp.path()).mkdir(QStringLiteral("folder")));
    for (const char* LCommand : {"render", "convert"}) {
        for (const char* LOutput : {"fifo", "link.png", "folder"}) {
            const TRun LRun = RunSvg({QString::fromLatin1(LCommand), Path("good.svg"), "-o", Path(LOutput)});
            EXPECT_EQ(LRun.ExitCode, 2) << LCommand << " " << LOutput;
            EXPECT_TRUE(LRun.Err.contains("nothing written")) << LRun.Err.toStdString();
        }
    }
    EXPECT_EQ(QFileInfo(Path("fifo")).isFile(), false);
    EXPECT_EQ(QFileInfo(Path("link.png")).isSymLink(), true);
    EXPECT_EQ(testdata::ReadAll(Path("target.png")), QByteArray("keep"));
    EXPECT_EQ(QFileInfo(Path("folder")).isDir(), true);
    // A regular file is replaced as before.
    EXPECT_EQ(RunSvg({QStringLiteral("convert"), Path("good.svg"), "-o", Path("target.png")}).ExitCode, 0);
}

TEST_F(SvgCommandLine, RenderKeepsTheViewBoxInTheRequestedSize)
{
    ASSERT_EQ(RunSvg({QStringLiteral("render"), Path("good.svg"), "-o", Path("doc.png")}).ExitCode, 0);
    EXPECT_EQ(QImage(Path("doc.png")).size(), QSize(20, 10));

    ASSERT_EQ(RunSvg({QStringLiteral("render"), Path("good.svg"), "-o", Path("big.png"), "--size", "80x40"}).ExitCode,
              0);
    const QImage LBig(Path("big.png"));
    ASSERT_EQ(LBig.size(), QSize(80, 40));
    // The rectangle starts at (2, 3) in view-box units: twice that in pixels of an 80 px width.
    EXPECT_EQ(qAlpha(LBig.pixel(2, 2)), 0);
    EXPECT_EQ(LBig.pixelColor(40, 30).red(), 255);

    EXPECT_EQ(RunSvg({QStringLiteral("render"), Path("good.svg"), "-o", Path("x.png"), "--size", "0"}).ExitCode, 2);
    EXPECT_EQ(RunSvg({QStringLiteral("render"), Path("bad.svg"), "-o", Path("x.png")}).ExitCode, 1);
    EXPECT_FALSE(QFile::exists(Path("x.png")));
}

TEST_F(SvgCommandLine, ConvertWritesAVectorFileThatLoadsBack)
{
    ASSERT_EQ(RunSvg({QStringLiteral("convert"), Path("good.svg"), "-o", Path("good.vector")}).ExitCode, 0);
    core::TqoVectorDocument LDocument;
    LDocument.LoadFromFile(Path("good.vector"));
    EXPECT_EQ(LDocument.Size(), QSizeF(20, 10));
    EXPECT_GT(LDocument.Commands().size(), 4u);
    EXPECT_EQ(RunSvg({QStringLiteral("convert"), Path("bad.svg"), "-o", Path("bad.vector")}).ExitCode, 1);
    EXPECT_FALSE(QFile::exists(Path("bad.vector")));
    EXPECT_EQ(RunSvg({QStringLiteral("convert"), Path("good.svg")}).ExitCode, 2);
    EXPECT_EQ(RunSvg({QStringLiteral("nonsense")}).ExitCode, 2);
}

} // namespace
