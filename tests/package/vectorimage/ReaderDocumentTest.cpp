// The reader's walk: root sizing, shapes, use/defs/snippets, verdicts and logs.

#include "ReaderTestUtil.h"
#include "TestData.h"

#include "ORVO.Log.h"

#include <QBuffer>
#include <QDirIterator>
#include <QTemporaryDir>

using namespace readertest;
using orvo::TqoLogType;
using orvo::TqoResultParsing;
using orvo::TqoVectorReaderSVG;

namespace {

const QString Brush = QStringLiteral("brush rule=nonzero");

// ---------------------------------------------------------------------------------------------
// Root sizing

struct TRootCase
{
    const char* Name;
    const char* Attributes;
    QSizeF Size;
    QRectF ViewBox;
};

using ReaderRoot = testing::TestWithParam<TRootCase>;

TEST_P(ReaderRoot, SizeAndViewBoxCompleteEachOther)
{
    const TRootCase& c = GetParam();
    const TReadResult read = Read(QString(), QString::fromUtf8(c.Attributes));
    EXPECT_EQ(read.Result, TqoResultParsing::Success);
    EXPECT_EQ(read.Document.Size(), c.Size);
    EXPECT_EQ(read.Document.ViewBox(), c.ViewBox);
}

INSTANTIATE_TEST_SUITE_P(
    Roots, ReaderRoot,
    testing::Values(TRootCase{"ViewBoxOnly", R"(viewBox="0 0 24 24")", QSizeF(24, 24), QRectF(0, 0, 24, 24)},
                    TRootCase{"SizeOnly", R"(width="48" height="48")", QSizeF(48, 48), QRectF(0, 0, 48, 48)},
                    TRootCase{"Both", R"(width="48px" height="32" viewBox="0 0 24 16")", QSizeF(48, 32),
                              QRectF(0, 0, 24, 16)},
                    TRootCase{"PercentCountsAsMissing", R"(width="100%" height="100%" viewBox="0 0 10 20")",
                              QSizeF(10, 20), QRectF(0, 0, 10, 20)},
                    TRootCase{"MixedHalves", R"(width="48" viewBox="2 3 0 16")", QSizeF(48, 16), QRectF(2, 3, 48, 16)},
                    TRootCase{"CommaViewBoxIgnored", R"(width="8" height="8" viewBox="0,0,24,24")", QSizeF(8, 8),
                              QRectF(0, 0, 8, 8)}),
    testdata::TCaseName());

TEST(ReaderRootFailure, NoWidthAnywhereStopsWithTwoErrors)
{
    const TReadResult read = Read(QStringLiteral("<path d=\"M0 0h1\"/>"), QString());
    EXPECT_EQ(read.Result, TqoResultParsing::Failed);
    EXPECT_EQ(read.Logs, QStringList({"- The attribute is not existed: node=\"svg\", attributeName=width",
                                      "- The attribute is not existed: node=\"svg\", attributeName=viewBox"}));
    core::TqoVectorDocument cleared;
    cleared.Clear();
    EXPECT_EQ(read.Document, cleared);
}

// ---------------------------------------------------------------------------------------------
// Shapes

struct TShapeCase
{
    const char* Name;
    const char* Element;
    const char* Path;
};

using ReaderShape = testing::TestWithParam<TShapeCase>;

TEST_P(ReaderShape, BecomesPathTextInItsOwnGroup)
{
    const TShapeCase& c = GetParam();
    const TReadResult read = Read(QString::fromUtf8(c.Element));
    EXPECT_EQ(read.Result, TqoResultParsing::Success);
    EXPECT_EQ(read.Logs, QStringList());
    EXPECT_EQ(Dump(read.Document), QStringList({"begin", Brush, "path " + QString::fromUtf8(c.Path), "end"}));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ReaderShape,
    testing::Values(
        TShapeCase{"Circle", R"(<circle cx="12" cy="12" r="10"/>)", "M12,12m-10,0a10,10 0,1 1,20 0a10,10 0,1 1,-20 0"},
        TShapeCase{"CircleWithoutRadiusIsDegenerate", R"(<circle cx="3" cy="4"/>)",
                   "M3,4m0,0a0,0 0,1 1,0 0a0,0 0,1 1,-0 0"},
        TShapeCase{"Ellipse", R"(<ellipse cx="10" cy="20" rx="5" ry="3"/>)", "M5,20a5,3 0 1,0 10,0a5,3 0 1,0 -10,0"},
        TShapeCase{"Line", R"(<line x1="1" y1="2.5" x2="3" y2="-4"/>)", "M1.00, 2.50, L3.00, -4.00"},
        TShapeCase{"RectCornersStaySquare", R"(<rect x="1" y="2" width="10" height="20" rx="4" ry="4"/>)",
                   "M1.00, 2.00 L11.00, 2.00 11.00, 22.00 1.00, 22.00 Z"},
        TShapeCase{"Polygon", R"(<polygon points="0,0 10,0 10,10"/>)", "M0 0L10 0 10 10 Z"},
        TShapeCase{"PolylineStaysOpen", R"(<polyline points="0,0 10,0&#10;10,10"/>)", "M0 0L10 0 10 10 "},
        TShapeCase{"PathDataUnchanged", R"(<path d=" M0 0 h5 v5 z "/>)", " M0 0 h5 v5 z "},
        TShapeCase{"UpperCaseElementName", R"(<RECT width="1" height="1"/>)",
                   "M0.00, 0.00 L1.00, 0.00 1.00, 1.00 0.00, 1.00 Z"}),
    testdata::TCaseName());

struct TSkipCase
{
    const char* Name;
    const char* Body;
    TqoResultParsing Result;
    QStringList Logs;
    QStringList Paths;
};

using ReaderSkipped = testing::TestWithParam<TSkipCase>;

TEST_P(ReaderSkipped, IsLoggedAndTheRestIsRead)
{
    const TSkipCase& c = GetParam();
    const TReadResult read = Read(QString::fromUtf8(c.Body));
    EXPECT_EQ(read.Result, c.Result);
    EXPECT_EQ(read.Logs, c.Logs);
    EXPECT_EQ(Paths(read.Document), c.Paths);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReaderSkipped,
    testing::Values(TSkipCase{"UnreadableRadius",
                              R"(<circle r="five"/><path d="M1 1"/>)",
                              TqoResultParsing::SuccessWithWarnings,
                              {R"(- Cannot parse attribute value: node="circle", name="r", attributeValue="five")"},
                              {"M1 1"}},
                    TSkipCase{"FirstUnreadableAttributeOnly",
                              R"(<ellipse cx="a" cy="b"/>)",
                              TqoResultParsing::SuccessWithWarnings,
                              {R"(- Cannot parse attribute value: node="ellipse", name="cx", attributeValue="a")"},
                              {}},
                    TSkipCase{"PolygonOfOnePoint", R"(<polygon points="5,5"/>)", TqoResultParsing::Success, {}, {}},
                    TSkipCase{"PolygonWithoutPoints",
                              R"(<polygon/>)",
                              TqoResultParsing::SuccessWithWarnings,
                              {R"(- The attribute is not existed: node="polygon", attributeName=points)"},
                              {}},
                    TSkipCase{"UnknownElementReportedByBothPasses",
                              R"(<path d="M1 1"/><image href="a.png"/><path d="M2 2"/>)",
                              TqoResultParsing::SuccessWithWarnings,
                              {R"(- Unknown node name: node="image")", R"(- Unknown node name: node="image")"},
                              {"M1 1", "M2 2"}},
                    TSkipCase{"TextContentIsAnUnknownNode",
                              R"(hello<path d="M1 1"/>)",
                              TqoResultParsing::SuccessWithWarnings,
                              {R"(- Unknown node name: node="#text")", R"(- Unknown node name: node="#text")"},
                              {"M1 1"}},
                    TSkipCase{"IgnoredElements",
                              R"(<title>t</title><desc>d</desc><metadata/><text>x</text><!-- c --><path d="M1 1"/>)",
                              TqoResultParsing::Success,
                              {},
                              {"M1 1"}}),
    testdata::TCaseName());

TEST(ReaderShapeTransform, WrapsTheElementEvenWhenIgnored)
{
    const TReadResult read =
        Read(R"~(<title transform="scale(2)">t</title><rect transform="translate(1,1)" width="1" height="1"/>)~");
    EXPECT_EQ(Dump(read.Document), QStringList({"begin", "transform S", "end", "begin", "transform T", "begin", Brush,
                                                "path M0.00, 0.00 L1.00, 0.00 1.00, 1.00 0.00, 1.00 Z", "end", "end"}));
}

TEST(ReaderGroup, PaintAndTransformInsideItsGroup)
{
    const TReadResult read =
        Read(R"~(<g fill="blue" transform="translate(1,2)"><path d="M0 0"/></g><path d="M1 1"/>)~");
    EXPECT_EQ(Dump(read.Document), QStringList({"begin", "brush fill=#FF0000FF rule=nonzero", "transform T", "begin",
                                                Brush, "path M0 0", "end", "end", "begin", Brush, "path M1 1", "end"}));
}

// ---------------------------------------------------------------------------------------------
// use, defs and snippets

TEST_P(ReaderDump, Records)
{
    const TDumpCase& c = GetParam();
    const TReadResult read = Read(QString::fromUtf8(c.Body));
    EXPECT_EQ(read.Result, TqoResultParsing::Success);
    EXPECT_EQ(read.Logs, QStringList());
    EXPECT_EQ(Dump(read.Document), c.Dump);
}

INSTANTIATE_TEST_SUITE_P(
    Use, ReaderDump,
    testing::Values(
        TDumpCase{"UseDrawsTheDefinitionInItsOwnGroup",
                  R"(<defs><path id="a" d="M1 1"/></defs><use xlink:href="#a"/>)",
                  {"begin", "begin", Brush, "path M1 1", "end", "end"}},
        TDumpCase{"DefsAfterTheUseAreFound",
                  R"(<use xlink:href="#a"/><defs><path id="a" d="M1 1"/></defs>)",
                  {"begin", "begin", Brush, "path M1 1", "end", "end"}},
        TDumpCase{"UnknownId", R"(<use xlink:href="#missing"/>)", {}},
        TDumpCase{"PlainHrefIsNotRead", R"(<defs><path id="a" d="M1 1"/></defs><use href="#a"/>)", {}},
        TDumpCase{"LaterSiblingIsNotYetKnown",
                  R"(<use xlink:href="#a"/><path id="a" d="M1 1"/><use xlink:href="#a"/>)",
                  {"begin", Brush, "path M1 1", "end", "begin", "begin", Brush, "path M1 1", "end", "end"}},
        TDumpCase{"PositionAndPaintOfUseNotApplied",
                  R"(<defs><path id="a" d="M1 1"/></defs><use xlink:href="#a" x="5" y="5" fill="red"/>)",
                  {"begin", "begin", Brush, "path M1 1", "end", "end"}},
        TDumpCase{"TransformOfUseWraps",
                  R"~(<defs><path id="a" d="M1 1"/></defs><use xlink:href="#a" transform="scale(2)"/>)~",
                  {"begin", "transform S", "begin", "begin", Brush, "path M1 1", "end", "end", "end"}},
        TDumpCase{"ShapeTransformStaysOutsideItsSnippet",
                  R"~(<defs><path id="a" transform="scale(3)" d="M1 1"/></defs><use xlink:href="#a"/>)~",
                  {"begin", "begin", Brush, "path M1 1", "end", "end"}},
        TDumpCase{"GroupSnippetHoldsItsDescendants",
                  R"(<defs><g id="g" stroke="red"><path d="M1 1"/></g></defs><use xlink:href="#g"/>)",
                  {"begin", "begin", "brush rule=nonzero stroke=#FFFF0000", "begin", Brush, "path M1 1", "end", "end",
                   "end"}},
        TDumpCase{"DefsWithIdRecordsItsOwnGroup",
                  R"(<defs id="d"><path d="M1 1"/></defs><use xlink:href="#d"/>)",
                  {"begin", "begin", "begin", Brush, "path M1 1", "end", "end", "end"}},
        TDumpCase{"UseInsideDefsRecordsIntoEnclosingSnippet",
                  R"(<defs><path id="a" d="M1 1"/><g id="b"><use xlink:href="#a"/></g></defs><use xlink:href="#b"/>)",
                  {"begin", "begin", Brush, "begin", "begin", Brush, "path M1 1", "end", "end", "end", "end"}},
        TDumpCase{"NestedDefsEndDefinitionsForTheOuterOne",
                  R"(<defs><defs/><path id="a" d="M1 1"/></defs>)",
                  {"begin", Brush, "path M1 1", "end"}}),
    testdata::TCaseName());

TEST(ReaderUseRecursion, ReferenceToAnAncestorIsSkippedNotLooped)
{
    const TReadResult read =
        Read(R"(<g id="g"><path d="M1 1"/><g><use xlink:href="#g"/></g></g><use xlink:href="#g"/>)");
    EXPECT_EQ(read.Result, TqoResultParsing::SuccessWithWarnings);
    EXPECT_EQ(read.Logs, QStringList({R"(- Reference to an element being read skipped: node="use", id="g")"}));
    EXPECT_EQ(Paths(read.Document), QStringList({"M1 1", "M1 1"}));
}

TEST(ReaderUseRecursion, MultiplyingReferencesStopAtTheCommandLimit)
{
    // Each level refers ten times to the one before: 10^6 copies if nothing stopped it.
    QString body = QStringLiteral("<defs><path id=\"l0\" d=\"M1 1\"/>");
    for (int level = 1; level <= 6; ++level) {
        body += QStringLiteral("<g id=\"l%1\">").arg(level);
        for (int i = 0; i < 10; ++i)
            body += QStringLiteral("<use xlink:href=\"#l%1\"/>").arg(level - 1);
        body += QStringLiteral("</g>");
    }
    body += QStringLiteral("</defs><use xlink:href=\"#l6\"/>");
    const TReadResult read = Read(body);
    EXPECT_EQ(read.Result, TqoResultParsing::Failed);
    // Two copies of level 4 fit, the other eight do not, nor any copy of level 5.
    ASSERT_EQ(read.Logs.size(), 18);
    EXPECT_EQ(read.Logs.first(),
              QStringLiteral(R"(- Too many copied commands, reference skipped: node="use", id="l4")"));
    EXPECT_EQ(read.Logs.last(),
              QStringLiteral(R"(- Too many copied commands, reference skipped: node="use", id="l5")"));
    EXPECT_EQ(Dump(read.Document), QStringList({"begin", "begin", Brush, "end", "end"}));
}

TEST(ReaderNesting, DeepNestingIsCutWithAnError)
{
    const int depth = 5000;
    const QString body = QStringLiteral("<g>").repeated(depth) + QStringLiteral("<path d=\"M1 1\"/>") +
                         QStringLiteral("</g>").repeated(depth);
    const TReadResult read = Read(body);
    EXPECT_EQ(read.Result, TqoResultParsing::Failed);
    EXPECT_EQ(read.Logs, QStringList({R"(- Elements nested too deeply, children skipped: node="g")"}));
    EXPECT_EQ(Paths(read.Document), QStringList());
}

// ---------------------------------------------------------------------------------------------
// Verdicts and logs

TEST(ReaderVerdict, FailedStaysFailedAndListenerHearsEveryMessage)
{
    core::TqoVectorDocument document;
    TqoVectorReaderSVG reader(document);
    std::vector<std::pair<QString, TqoLogType>> heard;
    reader.SetOnLog([&](TqoVectorReaderSVG* ASender, const QString& AMessage, TqoLogType AType) {
        EXPECT_EQ(ASender, &reader);
        heard.emplace_back(AMessage, AType);
    });
    const QString deep = QStringLiteral("<g>").repeated(300) + QStringLiteral("</g>").repeated(300);
    reader.LoadFromText(Svg(QStringLiteral("<image/>") + deep + QStringLiteral("<polygon/>")));
    EXPECT_EQ(reader.Result(), TqoResultParsing::Failed);
    ASSERT_EQ(heard.size(), size_t(4));
    EXPECT_EQ(heard[0], std::make_pair(QStringLiteral(R"(Unknown node name: node="image")"), TqoLogType::Warning));
    EXPECT_EQ(heard[2].second, TqoLogType::Error);
    EXPECT_EQ(heard[3],
              std::make_pair(QStringLiteral(R"(The attribute is not existed: node="polygon", attributeName=points)"),
                             TqoLogType::Warning));
    QStringList expected;
    for (const auto& [message, type] : heard)
        expected << QStringLiteral("- ") + message;
    EXPECT_EQ(reader.Logs(), expected);
}

TEST(ReaderVerdict, AReaderCanBeLoadedTwice)
{
    core::TqoVectorDocument document;
    TqoVectorReaderSVG reader(document);
    const QString svg = Svg(QStringLiteral("<path id=\"a\" d=\"M1 1\"/><image/>"));
    reader.LoadFromText(svg);
    reader.LoadFromText(svg);
    EXPECT_EQ(reader.Result(), TqoResultParsing::SuccessWithWarnings);
    EXPECT_EQ(reader.Logs().size(), 2);
    EXPECT_EQ(Paths(document), QStringList({"M1 1"}));
}

struct TFailureCase
{
    const char* Name;
    const char* Content;
};

using ReaderCheckContentFailure = testing::TestWithParam<TFailureCase>;

// Whatever ends a reading reaches the framework log and gives Failed with an empty hint.
TEST_P(ReaderCheckContentFailure, LogsTheExceptionAndFails)
{
    const TFailureCase& c = GetParam();
    core::TqoLogCapture capture;
    QString hint = QStringLiteral("left over");
    EXPECT_EQ(TqoVectorReaderSVG::CheckContent(QString::fromUtf8(c.Content), hint), TqoResultParsing::Failed);
    EXPECT_EQ(hint, QString());
    ASSERT_EQ(capture.Entries().size(), size_t(1));
    EXPECT_EQ(capture.Entries()[0].Level, core::TqoLogLevel::Error);
    EXPECT_FALSE(capture.Entries()[0].Message.isEmpty());

    core::TqoVectorDocument document;
    TqoVectorReaderSVG reader(document);
    EXPECT_THROW(reader.LoadFromText(QString::fromUtf8(c.Content)), std::exception);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, ReaderCheckContentFailure,
    testing::Values(TFailureCase{"MalformedXml", R"(<svg viewBox="0 0 1 1"><path d="M0 0"></svg>)"},
                    TFailureCase{"Empty", ""}, TFailureCase{"NoElement", "<!-- nothing -->"},
                    TFailureCase{"DuplicateElementId",
                                 R"(<svg viewBox="0 0 1 1"><path id="a" d="M0 0"/><path id="a" d="M1 1"/></svg>)"}),
    testdata::TCaseName());

TEST(ReaderCheckContent, HintJoinsTheLogLines)
{
    QString hint;
    // The root is named by its local name.
    EXPECT_EQ(TqoVectorReaderSVG::CheckContent(
                  QStringLiteral("<svg:svg xmlns:svg=\"http://www.w3.org/2000/svg\" width=\"10\"/>"), hint),
              TqoResultParsing::Failed);
    EXPECT_EQ(hint, QStringLiteral("- The attribute is not existed: node=\"svg\", attributeName=height\r\n"
                                   "- The attribute is not existed: node=\"svg\", attributeName=viewBox"));
    EXPECT_EQ(TqoVectorReaderSVG::CheckContent(Svg(QStringLiteral("<path d=\"M0 0\"/>"))), TqoResultParsing::Success);
}

TEST(ReaderFiles, CheckAndLoadFromFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString good = dir.filePath(QStringLiteral("icon.svg"));
    // Latin-1 per its declaration: the id must come out as "é".
    ASSERT_TRUE(testdata::WriteAll(good, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<svg width=\"4\" "
                                         "height=\"4\"><defs><path id=\"\xE9\" d=\"M1 1\"/></defs><use "
                                         "xlink:href=\"#\xE9\"/></svg>"));
    core::TqoLogCapture capture;
    EXPECT_EQ(TqoVectorReaderSVG::Check(good), TqoResultParsing::Success);
    core::TqoVectorDocument document;
    EXPECT_EQ(TqoVectorReaderSVG::LoadFromFile(document, good), TqoResultParsing::Success);
    EXPECT_EQ(document.Size(), QSizeF(4, 4));
    EXPECT_EQ(Paths(document), QStringList({"M1 1"}));
    EXPECT_EQ(capture.Entries().size(), size_t(0));

    // A missing file fails at once and quietly for Check, through the log for LoadFromFile.
    const QString missing = dir.filePath(QStringLiteral("missing.svg"));
    EXPECT_EQ(TqoVectorReaderSVG::Check(missing), TqoResultParsing::Failed);
    EXPECT_EQ(capture.Entries().size(), size_t(0));
    EXPECT_EQ(TqoVectorReaderSVG::LoadFromFile(document, missing), TqoResultParsing::Failed);
    EXPECT_EQ(capture.Entries().size(), size_t(1));
}

TEST(ReaderFiles, StreamEncodingIsDetected)
{
    const QString svg = Svg(QStringLiteral("<path id=\"\u00E9\" d=\"M1 1\"/><use xlink:href=\"#\u00E9\"/>"));
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(svg.utf16()), svg.size() * 2);
    QBuffer buffer(&utf16);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    core::TqoVectorDocument document;
    TqoVectorReaderSVG reader(document);
    reader.LoadFromStream(buffer);
    EXPECT_EQ(reader.Result(), TqoResultParsing::Success);
    EXPECT_EQ(Paths(document), QStringList({"M1 1", "M1 1"}));

    // Text already decoded may still begin with its byte order mark.
    reader.LoadFromText(QChar(0xFEFF) + svg);
    EXPECT_EQ(reader.Result(), TqoResultParsing::Success);
    EXPECT_EQ(Paths(document), QStringList({"M1 1", "M1 1"}));
}

// ---------------------------------------------------------------------------------------------
// Every shared test file is read to a verdict without crashing.

TEST(ReaderSmoke, SharedSvgFiles)
{
    ORVO_REQUIRE_SHARED_DATA("svg");
    core::TqoLogCapture capture; // exceptions are expected for some test cases; keep them off stderr
    int files = 0;
    for (QDirIterator it(testdata::SharedDataDir() + QStringLiteral("/svg"), {QStringLiteral("*.svg")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext(); ++files) {
        const QString path = it.next();
        const TqoResultParsing verdict = TqoVectorReaderSVG::Check(path);
        // Material icons are plain paths in a sized root: every one must read.
        if (path.contains(QLatin1String("/material/"))) {
            EXPECT_NE(verdict, TqoResultParsing::Failed) << path.toStdString();
        }
    }
    EXPECT_EQ(files, 1500);
}

} // namespace
