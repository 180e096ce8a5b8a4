#include "ORVO.VectorImage.Document.h"
#include "TestData.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace core;

namespace {

// Every command kind, brushes with and without each field, floats without an exact decimal form.
TqoVectorDocument MakeDocument()
{
    TqoVectorDocument d;
    d.SetSize(QSizeF(48, 0.1));
    d.SetViewBox(QRectF(-0.5, 0, 24, 1.0 / 3.0));
    d.BeginGroup();

    TqoVectorTransform t;
    t.TranslateX = 10;
    t.TranslateY = 0.1f;
    t.Rotate = 33.333333f;
    t.ScaleX = 2;
    t.ScaleY = 1e-7f;
    t.Matrix.m11 = 0.70710677f;
    t.Matrix.m12 = -0.70710677f;
    t.Matrix.m31 = 12;
    t.Matrix.m32 = 22;
    t.Letters = "TRS";
    d.SetTransform(t);

    TqoVectorLinearGradient linear;
    linear.Id = "g1";
    linear.X1 = 0.25f;
    linear.Y2 = 3.4e38f;
    linear.Stops = {{0, 0xFF000000}, {0.3f, 0x00000000}, {1, 0x80FF8000}};
    d.SetGradient(linear, true);

    TqoVectorRadialGradient radial;
    radial.Id = "";
    radial.CenterX = 12;
    radial.CenterY = 12.5f;
    radial.Radius = 0.1f;
    radial.Matrix.m31 = 5;
    d.SetGradient(radial, false);

    TqoVectorBrush full;
    full.FillColor = QStringLiteral("#FFFF0000");
    full.FillOpacity = 0.5f;
    full.FillRule = TqoFillRule::EvenOdd;
    full.StrokeColor = QStringLiteral("url-leftover \"quoted\"");
    full.StrokeWidth = 0.0f;
    full.StrokeOpacity = 1.0f;
    full.StrokeDashArray = std::vector<float>{1, 0.1f, 3};
    full.StrokeDashOffset = -2.5f;
    full.StrokeLineCap = TqoStrokeLineCap::Butt;
    full.StrokeLineJoin = TqoStrokeLineJoin::Bevel;
    d.SetBrush(full);

    TqoVectorBrush sparse; // only a fill rule and an empty dash array
    sparse.FillRule = TqoFillRule::NonZero;
    sparse.StrokeDashArray = std::vector<float>{};
    d.SetBrush(sparse);
    d.SetBrush(TqoVectorBrush()); // nothing set at all

    d.DrawPath("M0 0L10 10 A5 5 0 0 1 20,20Z");
    d.DrawPath("");
    d.EndGroup();
    return d;
}

} // namespace

TEST(VectorDocumentTest, EveryCommandKindSurvivesARoundTripThroughAFile)
{
    const TqoVectorDocument source = MakeDocument();
    QTemporaryDir dir;
    const QString fileName = dir.filePath("logo.vector");
    source.SaveToFile(fileName);

    TqoVectorDocument loaded;
    loaded.LoadFromFile(fileName);
    ASSERT_EQ(loaded.Commands().size(), source.Commands().size());
    for (size_t i = 0; i < source.Commands().size(); ++i)
        EXPECT_EQ(loaded.Commands()[i], source.Commands()[i]) << "command " << i;
    EXPECT_EQ(loaded.Size(), source.Size());
    EXPECT_EQ(loaded.ViewBox(), source.ViewBox());

    // Spot checks that the comparison above looks at the payloads.
    const TqoVectorBrush& sparse = loaded.Commands()[5].Brush;
    EXPECT_FALSE(sparse.FillColor.HasValue());
    EXPECT_FALSE(sparse.StrokeWidth.HasValue());
    EXPECT_EQ(sparse.StrokeDashArray.Value(), std::vector<float>{});
    EXPECT_EQ(loaded.Commands()[4].Brush.StrokeDashArray.Value(), (std::vector<float>{1, 0.1f, 3}));
    EXPECT_EQ(loaded.Commands()[1].Transform.ScaleY, 1e-7f);
    EXPECT_FALSE(loaded.Commands()[3].IsFill);
    EXPECT_EQ(loaded.Commands()[3].Gradient->Kind(), TqoGradientKind::Radial);
}

TEST(VectorDocumentTest, CommandsAreRecordedInOrderWithTheirKindNumbers)
{
    const TqoVectorDocument d = MakeDocument();
    std::vector<int> kinds;
    for (const TqoVectorCommand& c : d.Commands())
        kinds.push_back(static_cast<int>(c.Kind));
    EXPECT_EQ(kinds, (std::vector<int>{1, 3, 4, 4, 5, 5, 5, 0, 0, 2}));
}

TEST(VectorDocumentTest, SavingIsByteStableAndWritesShortNumbers)
{
    const QByteArray first = MakeDocument().SaveToBytes();
    TqoVectorDocument reloaded;
    reloaded.LoadFromBytes(first);
    EXPECT_EQ(reloaded.SaveToBytes(), first);
    EXPECT_TRUE(first.contains("\"fillOpacity\": 0.5")) << first.constData();
    EXPECT_TRUE(first.contains("[1.0, 0.1, 3.0]")) << first.constData();
    EXPECT_FALSE(first.contains("0.10000000149")) << first.constData();
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
    TqoVectorDocument d = MakeDocument();
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

class BadVectorFileTest : public ::testing::TestWithParam<BadVectorCase>
{
};

TEST_P(BadVectorFileTest, RaisesWithLineAndKeepsTheDocument)
{
    const BadVectorCase& c = GetParam();
    TqoVectorDocument d = MakeDocument();
    try {
        d.LoadFromBytes(c.Text, "x.vector");
        FAIL() << "no error";
    } catch (const EqoFileError& e) {
        EXPECT_EQ(e.Line(), c.Line) << e.what();
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("x.vector:%1: ").arg(c.Line))) << e.what();
        EXPECT_TRUE(e.Message().contains(QLatin1String(c.Fragment))) << e.what();
    }
    EXPECT_TRUE(d == MakeDocument());
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
