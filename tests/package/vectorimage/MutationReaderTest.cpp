// Randomized mutations of real SVG files: every mutant is read and, unless it failed, drawn.
// Reading may end in any verdict or in one of our exceptions; it must never crash, hang or
// throw anything else. Bounded by count and by time so the suite stays quick.

#include "ORVO.Bitmap.h"
#include "ORVO.VectorImage.Document.h"
#include "TestData.h"
#include "vectorimage/ORVO.VectorImage.Reader.SVG.h"
#include "vectorimage/ORVO.VectorImage.Writer.SkiaFMX.h"

#include <QBuffer>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <random>

namespace {

// Fragments that reach the reader's less travelled paths when spliced in anywhere.
const char* const Fragments[] = {
    "<use xlink:href=\"#a\"/>",
    "<g id=\"a\"><use href=\"#a\"/></g>",
    " transform=\"rotate(45 1e38 -1e38)\"",
    " d=\"M\"",
    " d=\"M0 0 A1e30 1e30 0 1 1 5 5\"",
    " style=\"fill:url(#g);stroke-width:-3\"",
    "<linearGradient id=\"g\" href=\"#g\"><stop offset=\"2\"/></linearGradient>",
    " viewBox=\"0 0 0 0\"",
    " width=\"-1\"",
    " stroke-dasharray=\"0 0 0\"",
    "<style>.c{fill:#zzz}</style>",
    " class=\"c\"",
    "<![CDATA[",
    "&amp;",
    "<!--",
    "]]>",
    "\xC3\x28",
    " points=\"1,2,3\"",
    " r=\"NaN\"",
    " x=\"1e999\"",
    "<defs><circle id=\"a\" r=\"1\"/></defs>",
    " fill-opacity=\"inf\"",
    " transform=\"matrix(0 0 0 0 0 0)\"",
};

std::vector<QByteArray> Seeds()
{
    std::vector<QByteArray> LSeeds;
    for (const auto& LSub : {QStringLiteral("svg/resvg/structure"), QStringLiteral("svg/resvg/paint-servers"),
                             QStringLiteral("svg/material/action")}) {
        QDirIterator LIt(testdata::SharedDataDir() + "/" + LSub, {QStringLiteral("*.svg")}, QDir::Files,
                         QDirIterator::Subdirectories);
        while (LIt.hasNext()) {
            QFile LFile(LIt.next());
            if (LFile.open(QIODevice::ReadOnly))
                LSeeds.push_back(LFile.readAll());
        }
    }
    return LSeeds;
}

// Splices a fragment where it keeps the XML well formed more often than not (attributes into
// a start tag, elements after one), so that most mutants get past the XML parser and reach
// the reader itself.
void Splice(QByteArray& AData, int AAt, const QByteArray& AFragment)
{
    const int LTagEnd = AData.indexOf('>', AAt);
    if (LTagEnd < 0)
        AData.insert(AAt, AFragment);
    else if (AFragment.startsWith(' '))
        AData.insert(LTagEnd > 0 && AData[LTagEnd - 1] == '/' ? LTagEnd - 1 : LTagEnd, AFragment);
    else
        AData.insert(LTagEnd + 1, AFragment);
}

QByteArray Mutate(QByteArray AData, std::mt19937& ARandom)
{
    const int LSteps = 1 + ARandom() % 4;
    for (int I = 0; I < LSteps && !AData.isEmpty(); ++I) {
        const int LAt = ARandom() % AData.size();
        const unsigned LKind = ARandom() % 10;
        if (LKind < 6) // half and more: structure-keeping splices
            Splice(AData, LAt, Fragments[ARandom() % std::size(Fragments)]);
        else if (LKind == 6) // flip a byte
            AData[LAt] = char(ARandom() % 256);
        else if (LKind == 7) // cut a piece
            AData.remove(LAt, 1 + ARandom() % 16);
        else if (LKind == 8) // duplicate a piece, e.g. nesting an element into itself
            AData.insert(LAt, AData.mid(ARandom() % AData.size(), 1 + ARandom() % 64));
        else
            AData.truncate(LAt);
    }
    return AData;
}

TEST(ReaderMutations, NeverCrashAndOnlyRaiseOurErrors)
{
    ORVO_REQUIRE_SHARED_DATA("svg");
    const auto LSeeds = Seeds();
    ASSERT_FALSE(LSeeds.empty());
    std::mt19937 LRandom(20261205);
    QElapsedTimer LTimer;
    LTimer.start();
    int LRuns = 0, LFailed = 0, LRaised = 0;
    for (; LRuns < 30000 && LTimer.elapsed() < 20000; ++LRuns) {
        const QByteArray LMutant = Mutate(LSeeds[LRandom() % LSeeds.size()], LRandom);
        core::TqoVectorDocument LDocument;
        orvo::TqoVectorReaderSVG LReader(LDocument);
        QBuffer LBuffer;
        LBuffer.setData(LMutant);
        LBuffer.open(QIODevice::ReadOnly);
        try {
            LReader.LoadFromStream(LBuffer);
        } catch (const std::exception&) {
            // Malformed XML and fatal reading errors end in an exception that names them.
            ++LRaised;
            continue;
        }
        if (LReader.Result() == orvo::TqoResultParsing::Failed) {
            ++LFailed;
            continue;
        }
        // Mutated sizes can be huge; the preview draws at a bounded size.
        LDocument.SetSize(QSizeF(32, 32));
        try {
            orvo::TsvgExportFMXBitmapWithSkia LWriter(LDocument);
            EXPECT_EQ(LWriter.Bitmap().Image().size(), QSize(32, 32));
        } catch (const std::exception& E) {
            ADD_FAILURE() << "drawing a document the reader accepted raised: " << E.what() << "\n"
                          << LMutant.left(2000).toStdString();
        }
    }
    std::printf("mutants: %d (failed verdict %d, raised %d) in %lld ms\n", LRuns, LFailed, LRaised,
                static_cast<long long>(LTimer.elapsed()));
    EXPECT_GT(LRuns, 200);
}

} // namespace
