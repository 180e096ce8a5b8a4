#include "ORVO.VectorImage.Document.h"
#include "TestData.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace core;

namespace {

// Every command kind, brushes with and without each field, floats without an exact decimal form.
const QByteArray Golden = R"json({
  "format": "orvo-vector",
  "version": 1,
  "size": [48.0, 0.1],
  "viewBox": [-0.5, 0.0, 24.0, 0.3333333333333333],
  "commands": [
    {"kind": "begin"},
    {"kind": "transform", "matrix": [0.70710677, -0.70710677, 0.0, 0.0, 1.0, 0.0, 12.0, 22.0, 1.0], "translate": [10.0, 0.1], "rotate": 33.333332, "scale": [2.0, 1e-07], "letters": "TRS"},
    {"kind": "gradient", "target": "fill", "id": "g1", "type": "linear", "points": [0.25, 0.0, 1.0, 3.4e+38], "matrix": [1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0], "stops": [[0.0, "#FF000000"], [0.3, "#00000000"], [1.0, "#80FF8000"]]},
    {"kind": "gradient", "target": "stroke", "id": "", "type": "radial", "center": [12.0, 12.5], "radius": 0.1, "matrix": [1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 5.0, 0.0, 1.0], "stops": []},
    {"kind": "brush", "fill": "#FFFF0000", "fillOpacity": 0.5, "fillRule": "evenodd", "stroke": "url-leftover \"quoted\"", "strokeWidth": 0.0, "strokeOpacity": 1.0, "dashArray": [1.0, 0.1, 3.0], "dashOffset": -2.5, "lineCap": "butt", "lineJoin": "bevel"},
    {"kind": "brush", "fillRule": "nonzero", "dashArray": []},
    {"kind": "brush"},
    {"kind": "path", "d": "M0 0L10 10 A5 5 0 0 1 20,20Z"},
    {"kind": "path", "d": ""},
    {"kind": "end"}
  ]
}
)json";

TqoVectorDocument GoldenDocument()
{
    TqoVectorDocument d;
    d.LoadFromBytes(Golden, "golden.vector");
    return d;
}

} // namespace

TEST(VectorDocumentTest, EveryCommandKindSurvivesARoundTripThroughAFileByteForByte)
{
    const TqoVectorDocument source = GoldenDocument();
    QTemporaryDir dir;
    const QString fileName = dir.filePath("logo.vector");
    source.SaveToFile(fileName);
    EXPECT_EQ(testdata::ReadAll(fileName), Golden);
    TqoVectorDocument loaded;
    loaded.LoadFromFile(fileName);
    EXPECT_EQ(loaded, source);

    // What was read is in the fields, not only passed through.
    ASSERT_EQ(loaded.Commands().size(), 10u);
    EXPECT_EQ(loaded.Size(), QSizeF(48, 0.1));
    EXPECT_EQ(loaded.Commands()[1].Transform.ScaleY, 1e-7f);
    EXPECT_FALSE(loaded.Commands()[3].IsFill);
    EXPECT_EQ(loaded.Commands()[3].Gradient->Kind(), TqoGradientKind::Radial);
    EXPECT_EQ(loaded.Commands()[4].Brush.StrokeDashArray.Value(), (std::vector<float>{1, 0.1f, 3}));
    EXPECT_FALSE(loaded.Commands()[5].Brush.FillColor.HasValue());
    EXPECT_EQ(loaded.Commands()[5].Brush.StrokeDashArray.Value(), std::vector<float>{});
}

TEST(VectorDocumentTest, AddCopiesFromAppendsIndependentCopies)
{
    TqoVectorDocument snippet;
    TqoVectorLinearGradient gradient;
    gradient.Id = "g";
    snippet.SetGradient(gradient, true);
    snippet.DrawPath("M1 1");

    TqoVectorDocument target;
    target.SetSize(QSizeF(10, 10));
    target.BeginGroup();
    target.AddCopiesFrom(snippet);
    target.AddCopiesFrom(target); // copying itself doubles the list once
    EXPECT_EQ(target.Commands().size(), 6u);
    EXPECT_EQ(target.Size(), QSizeF(10, 10));

    snippet.Clear();
    EXPECT_EQ(target.Commands()[1].Gradient->Id, QStringLiteral("g"));
    EXPECT_NE(target.Commands()[1].Gradient.get(), target.Commands()[4].Gradient.get());
}

TEST(VectorDocumentTest, ClearResetsEverything)
{
    TqoVectorDocument d = GoldenDocument();
    d.Clear();
    EXPECT_EQ(d, TqoVectorDocument());
}

struct BadVectorCase
{
    const char* Name;
    const char* Text;
    int Line;
    const char* Fragment;
};

using BadVectorFileTest = ::testing::TestWithParam<BadVectorCase>;

TEST_P(BadVectorFileTest, RaisesWithLineAndKeepsTheDocument)
{
    const BadVectorCase& c = GetParam();
    TqoVectorDocument d = GoldenDocument();
    try {
        d.LoadFromBytes(c.Text, "x.vector");
        FAIL() << "no error";
    } catch (const EqoFileError& e) {
        EXPECT_EQ(e.Line(), c.Line) << e.what();
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("x.vector:%1: ").arg(c.Line))) << e.what();
        EXPECT_TRUE(e.Message().contains(QLatin1String(c.Fragment))) << e.what();
    }
    EXPECT_EQ(d, GoldenDocument());
}

#define VHEAD                                                                                                          \
    "{\n  \"format\": \"orvo-vector\",\n  \"version\": 1,\n  \"size\": [1, 1],\n  \"viewBox\": [0, 0, 1, 1],\n  "      \
    "\"commands\": [\n"

INSTANTIATE_TEST_SUITE_P(
    Cases, BadVectorFileTest,
    ::testing::Values(
        BadVectorCase{"Truncated", VHEAD "    {\"kind\": \"begin\"},\n", 8, "invalid JSON"},
        BadVectorCase{"UnknownKind", VHEAD "    {\"kind\": \"begin\"},\n    {\"kind\": \"blur\"}\n  ]\n}\n", 8,
                      "unknown command kind"},
        BadVectorCase{"PathNotAString", VHEAD "    {\"kind\": \"path\", \"d\": 5}\n  ]\n}\n", 7, "expected a string"},
        BadVectorCase{"BadLineCap", VHEAD "    {\"kind\": \"brush\",\n     \"lineCap\": \"flat\"}\n  ]\n}\n", 8,
                      "unknown value \"flat\""},
        BadVectorCase{"ShortMatrix",
                      VHEAD "    {\"kind\": \"transform\", \"matrix\": [1, 0, 0, 1], \"translate\": [0, 0],"
                            " \"rotate\": 0, \"scale\": [1, 1], \"letters\": \"\"}\n  ]\n}\n",
                      7, "expected 9 numbers"},
        BadVectorCase{"BadStopColor",
                      VHEAD "    {\"kind\": \"gradient\", \"target\": \"fill\", \"id\": \"\", \"type\": \"linear\",\n"
                            "     \"points\": [0, 0, 1, 0], \"matrix\": [1,0,0,0,1,0,0,0,1],\n"
                            "     \"stops\": [[0, \"#FF000000\"], [1, \"blue\"]]}\n  ]\n}\n",
                      9, "invalid color"},
        BadVectorCase{"NotAVectorFile", "{\"format\": \"orvo-assets\"}", 1, "not a vector image file"}),
    testdata::TCaseName());
