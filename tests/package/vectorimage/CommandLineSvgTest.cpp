// The "orvo-assets svg" commands as scripts use them: output shapes and exit statuses.

#include "ORVO.VectorImage.Document.h"
#include "TestData.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

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
    void Write(const QString& AName, const QByteArray& AText)
    {
        QFile LFile(Path(AName));
        ASSERT_TRUE(LFile.open(QIODevice::WriteOnly));
        LFile.write(AText);
    }

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

TEST_F(SvgCommandLine, DumpIsOneJsonObjectWithTheDocument)
{
    const TRun LRun = RunSvg({QStringLiteral("dump"), Path("good.svg")});
    ASSERT_EQ(LRun.ExitCode, 0) << LRun.Err.toStdString();
    QJsonParseError LError;
    const QJsonObject O = QJsonDocument::fromJson(LRun.Out, &LError).object();
    ASSERT_EQ(LError.error, QJsonParseError::NoError) << LRun.Out.toStdString();
    EXPECT_EQ(O.value("result").toString(), QStringLiteral("Success"));
    EXPECT_EQ(O.value("size").toArray(), QJsonArray({20, 10}));
    EXPECT_EQ(O.value("viewBox").toArray(), QJsonArray({0, 0, 40, 20}));

    QList<int> LKinds;
    QJsonObject LTransform, LBrush, LGradient;
    for (const auto& V : O.value("commands").toArray()) {
        const QJsonObject C = V.toObject();
        LKinds << C.value("kind").toInt();
        if (C.value("kind").toInt() == 3)
            LTransform = C;
        if (C.value("kind").toInt() == 5 && C.contains("dashArray"))
            LBrush = C;
        if (C.value("kind").toInt() == 4)
            LGradient = C;
        if (C.value("kind").toInt() == 0)
            EXPECT_TRUE(C.value("path").isString());
    }
    EXPECT_TRUE(LKinds.contains(0) && LKinds.contains(1) && LKinds.contains(2)) << LRun.Out.toStdString();
    EXPECT_EQ(LTransform.value("matrix").toArray(), QJsonArray({1, 0, 0, 1, 2, 3}));
    EXPECT_EQ(LTransform.value("letters").toString(), QStringLiteral("T"));
    EXPECT_EQ(LBrush.value("dashArray").toArray(), QJsonArray({1, 2}));
    EXPECT_EQ(LBrush.value("strokeWidth").toDouble(), 2.0);
    EXPECT_FALSE(LBrush.contains("lineCap")); // only the properties that were set
    EXPECT_EQ(LGradient.value("type").toString(), QStringLiteral("linear"));
    EXPECT_EQ(LGradient.value("fill").toBool(), true);
    EXPECT_EQ(LGradient.value("stops").toArray().at(1).toArray(), QJsonArray({1, "#FF0000FF"}));
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
