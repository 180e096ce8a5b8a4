// The reader's paint: style and class precedence, gradients and stops, transforms.

#include "ReaderTestUtil.h"

#include "ORVO.Log.h"

using namespace readertest;
using orvo::TqoResultParsing;
using orvo::TqoVectorReaderSVG;

namespace {

// ---------------------------------------------------------------------------------------------
// Style attribute, presentation attributes and class rules

struct TBrushCase
{
    const char* Name;
    const char* Body;
    const char* Brush;
};

using ReaderBrush = testing::TestWithParam<TBrushCase>;

TEST_P(ReaderBrush, OneBrushPerElement)
{
    const TBrushCase& c = GetParam();
    const TReadResult read = Read(QString::fromUtf8(c.Body));
    EXPECT_EQ(read.Result, TqoResultParsing::Success);
    const core::TqoVectorCommand* brush = Only(read.Document, core::TqoVectorCommandKind::Brush);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(Describe(brush->Brush), QString::fromUtf8(c.Brush));
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, ReaderBrush,
    testing::Values(
        TBrushCase{"AttributeBeatsStyle", R"(<path d="M0 0" fill="red" style="fill:blue"/>)",
                   "fill=#FFFF0000 rule=nonzero"},
        TBrushCase{"StyleIsLowerCased", R"(<path d="M0 0" style="FILL:RED"/>)", "fill=#FFFF0000 rule=nonzero"},
        TBrushCase{"BlankAfterColonIsKept", R"(<path d="M0 0" style="fill: red"/>)", "fill= red rule=nonzero"},
        TBrushCase{"FirstDeclarationWins", R"(<path d="M0 0" style="fill:red;fill:blue"/>)",
                   "fill=#FFFF0000 rule=nonzero"},
        TBrushCase{"StyleOpacityGoesToBoth", R"(<path d="M0 0" style=" ; opacity:0.5 ;"/>)",
                   "fill-opacity=0.5 rule=nonzero stroke-opacity=0.5"},
        TBrushCase{"StrokeAndItsOpacitiesNotReadFromStyle",
                   R"(<path d="M0 0" style="stroke:red;stroke-opacity:0.5;fill-opacity:0.2"/>)", "rule=nonzero"},
        TBrushCase{
            "EveryStyleDeclaration",
            R"(<path d="M0 0" style="stroke-width:3;stroke-dasharray:1,2;stroke-dashoffset:4;stroke-linecap:butt;stroke-linejoin:miter;fill-rule:EVENODD"/>)",
            "rule=evenodd width=3 dash=1,2 dash-offset=4 cap=butt join=miter"},
        TBrushCase{"UnreadableStyleNumbersStayUnset",
                   R"(<path d="M0 0" style="opacity:half;stroke-width:3em;stroke-linecap:flat"/>)", "rule=nonzero"},
        TBrushCase{
            "EveryAttribute",
            R"(<path d="M0 0" fill="#abc" fill-opacity="0.3" stroke="Navy" stroke-width="2px" stroke-opacity=".5" stroke-dasharray="4 2" stroke-dashoffset="1" stroke-linecap="round" stroke-linejoin="bevel" fill-rule="evenodd"/>)",
            "fill=#abc fill-opacity=0.3 rule=evenodd stroke=#FF000080 width=2 stroke-opacity=0.5 dash=4,2 "
            "dash-offset=1 cap=round join=bevel"},
        TBrushCase{"FillOpacityBeatsOpacity", R"(<path d="M0 0" opacity="0.5" fill-opacity="0.25"/>)",
                   "fill-opacity=0.25 rule=nonzero stroke-opacity=0.5"},
        TBrushCase{"AttributeValuesNotLowerCased", R"~(<path d="M0 0" fill="URL(#g)" stroke="#ABC"/>)~",
                   "fill=URL(#g) rule=nonzero stroke=#ABC"},
        TBrushCase{"NoneIsTransparent", R"(<path d="M0 0" fill="none" stroke="NONE"/>)",
                   "fill=#00000000 rule=nonzero stroke=#00000000"},
        TBrushCase{"ElementFillBeatsClass", R"(<style>.a{fill:green}</style><path class="a" d="M0 0" fill="red"/>)",
                   "fill=#FFFF0000 rule=nonzero"},
        TBrushCase{"RuleWithDecimalPointIsLost", R"(<style>.a{opacity:0.5;fill:red}</style><path class="a" d="M0 0"/>)",
                   "rule=nonzero"},
        TBrushCase{"ClassOpacityBeatsElement",
                   R"(<style>.a{opacity:1}</style><path class="a" d="M0 0" opacity="0.2" fill-opacity="0.3"/>)",
                   "fill-opacity=1 rule=nonzero stroke-opacity=1"},
        TBrushCase{"ClassEvenOddBeatsElement",
                   R"(<style>.a{fill-rule:evenodd}</style><path class="a" d="M0 0" fill-rule="nonzero"/>)",
                   "rule=evenodd"},
        TBrushCase{"ClassNonZeroSetsNothing",
                   R"(<style>.a{fill-rule:nonzero}</style><path class="a" d="M0 0" fill-rule="evenodd"/>)",
                   "rule=evenodd"},
        TBrushCase{
            "ClassStrokeProperties",
            R"(<style>.a{stroke-dasharray:3,1;stroke-linecap:round;stroke-linejoin:round;stroke:red}</style><path class="a" d="M0 0" stroke-dasharray="9" stroke-linecap="butt"/>)",
            "rule=nonzero dash=3,1 cap=round join=round"},
        TBrushCase{"ClassNamesIgnoreCase", R"(<style>.Big{fill:blue}</style><path class="BIG" d="M0 0"/>)",
                   "fill=#FF0000FF rule=nonzero"},
        TBrushCase{"TwoClassesAreOneName", R"(<style>.a{fill:blue}</style><path class="a b" d="M0 0"/>)",
                   "rule=nonzero"},
        TBrushCase{"LaterRuleReplacesEarlier",
                   R"(<style>.a{fill:red} .a{stroke-width:2}</style><path class="a" d="M0 0"/>)",
                   "rule=nonzero width=2"},
        TBrushCase{"RulesInCdata", R"(<style><![CDATA[.a{fill:blue}]]></style><path class="a" d="M0 0"/>)",
                   "fill=#FF0000FF rule=nonzero"},
        TBrushCase{"RulesAfterTheElement", R"(<path class="a" d="M0 0"/><style>.a{fill:blue}</style>)",
                   "fill=#FF0000FF rule=nonzero"}),
    testdata::TCaseName());

// ---------------------------------------------------------------------------------------------
// Gradients

INSTANTIATE_TEST_SUITE_P(
    Gradients, ReaderDump,
    testing::Values(
        TDumpCase{"FillDefinedLater",
                  R"~(<path fill="url(#g)" d="M0 0"/><linearGradient id="g"/>)~",
                  {"begin", "gradient fill g", "brush rule=nonzero", "path M0 0", "end"}},
        TDumpCase{"Stroke",
                  R"~(<radialGradient id="r" cx="0" cy="0"/><path stroke="url(#r)" d="M0 0"/>)~",
                  {"begin", "gradient stroke r", "brush rule=nonzero", "path M0 0", "end"}},
        TDumpCase{"IdWithoutHash",
                  R"~(<linearGradient id="g"/><path fill="url(g)" d="M0 0"/>)~",
                  {"begin", "gradient fill g", "brush rule=nonzero", "path M0 0", "end"}},
        TDumpCase{
            "ClassFillStaysInTheBrush",
            R"~(<style>.a{fill:#00ff00}</style><linearGradient id="g"/><path class="a" fill="url(#g)" d="M0 0"/>)~",
            {"begin", "gradient fill g", "brush fill=#00ff00 rule=nonzero", "path M0 0", "end"}},
        TDumpCase{"FromStyleWithLowerCaseId",
                  R"~(<defs><linearGradient id="g1"/></defs><g style="fill:url(#G1)"/>)~",
                  {"begin", "gradient fill g1", "brush rule=nonzero", "end"}},
        TDumpCase{"PlainAttributeAfterStyleGradient",
                  R"~(<path style="fill:url(#g)" fill="red" d="M0 0"/>)~",
                  {"begin", "brush fill=#FFFF0000 rule=nonzero", "path M0 0", "end"}}),
    testdata::TCaseName());

// The gradient as the document received it for the single path of the body.
template <typename TGradient> TGradient GradientOf(const QString& ABody)
{
    const TReadResult read = Read(ABody);
    EXPECT_EQ(read.Result, TqoResultParsing::Success);
    const core::TqoVectorCommand* command = Only(read.Document, core::TqoVectorCommandKind::Gradient);
    const auto* gradient = command ? dynamic_cast<const TGradient*>(command->Gradient.get()) : nullptr;
    EXPECT_NE(gradient, nullptr);
    return gradient ? *gradient : TGradient();
}

TEST(ReaderGradient, LinearDefaultsCoordinatesAsWrittenAndOnlyAMatrix)
{
    const auto defaults = GradientOf<core::TqoVectorLinearGradient>(
        QStringLiteral("<linearGradient id=\"g\"/><path fill=\"url(#g)\" d=\"M0 0\"/>"));
    EXPECT_EQ(defaults.Id, QStringLiteral("g"));
    EXPECT_EQ((std::array<float, 4>{defaults.X1, defaults.Y1, defaults.X2, defaults.Y2}),
              (std::array<float, 4>{0, 0, 1, 0}));
    EXPECT_TRUE(defaults.Matrix.IsIdentity());
    EXPECT_EQ(defaults.Stops.size(), size_t(0));

    const auto explicitOne = GradientOf<core::TqoVectorLinearGradient>(QStringLiteral(
        "<linearGradient id=\"g\" x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\" gradientUnits=\"objectBoundingBox\" "
        "gradientTransform=\" MATRIX(2 0 0 2 10 10) \"/><path fill=\"url(#g)\" d=\"M0 0\"/>"));
    EXPECT_EQ((std::array<float, 4>{explicitOne.X1, explicitOne.Y1, explicitOne.X2, explicitOne.Y2}),
              (std::array<float, 4>{1, 2, 3, 4}));
    EXPECT_EQ(explicitOne.Matrix.ToArray(), (std::array<float, 9>{2, 0, 0, 0, 2, 0, 10, 10, 1}));

    // Only matrix() is read of a gradient transform.
    const auto rotated = GradientOf<core::TqoVectorLinearGradient>(QStringLiteral(
        "<linearGradient id=\"g\" gradientTransform=\"rotate(45)\"/><path fill=\"url(#g)\" d=\"M0 0\"/>"));
    EXPECT_TRUE(rotated.Matrix.IsIdentity());
}

TEST(ReaderGradient, RadialCenterTransformedRadiusNot)
{
    const auto radial = GradientOf<core::TqoVectorRadialGradient>(
        QStringLiteral("<radialGradient id=\"r\" cx=\"5\" cy=\"5\" r=\"3\" fx=\"1\" "
                       "gradientTransform=\"matrix(2,0,0,2,10,10)\"/><path fill=\"url(#r)\" d=\"M0 0\"/>"));
    EXPECT_EQ(QPointF(radial.CenterX, radial.CenterY), QPointF(20, 20));
    EXPECT_EQ(radial.Radius, 3.f);

    const auto noRadius = GradientOf<core::TqoVectorRadialGradient>(
        QStringLiteral("<radialGradient id=\"r\" cx=\"1\" cy=\"2\" r=\"50%\"/><path fill=\"url(#r)\" d=\"M0 0\"/>"));
    EXPECT_EQ(QPointF(noRadius.CenterX, noRadius.CenterY), QPointF(1, 2));
    EXPECT_EQ(noRadius.Radius, core::TqoVectorRadialGradient().Radius);
}

struct TStopCase
{
    const char* Name;
    const char* Stops;
    std::vector<core::TqoGradientStop> Expected;
};

using ReaderGradientStops = testing::TestWithParam<TStopCase>;

TEST_P(ReaderGradientStops, OffsetColorAndOpacity)
{
    const TStopCase& c = GetParam();
    const auto gradient = GradientOf<core::TqoVectorLinearGradient>(
        QStringLiteral("<linearGradient id=\"g\">%1</linearGradient><path fill=\"url(#g)\" d=\"M0 0\"/>")
            .arg(QString::fromUtf8(c.Stops)));
    EXPECT_EQ(gradient.Stops, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, ReaderGradientStops,
    testing::Values(
        TStopCase{"HalfOpaqueRed", R"(<stop offset="1" stop-color="#ff0000" stop-opacity="0.5"/>)", {{1, 0x80FF0000}}},
        TStopCase{"KeywordIsTransparentBlack", R"(<stop offset="0.2" stop-color="red"/>)", {{0.2f, 0}}},
        TStopCase{
            "FromStyle", R"(<stop style="offset:0.5;stop-color:#00ff00;stop-opacity:0.25"/>)", {{0.5f, 0x4000FF00}}},
        TStopCase{"StyleNotTrimmed", R"(<stop style="stop-color: #00ff00; stop-opacity:0.5"/>)", {{0, 0}}},
        TStopCase{"AttributeBeatsStyle",
                  R"(<stop offset="0.3" style="offset:0.9;stop-color:#123" stop-color="#456"/>)",
                  {{0.3f, 0xFF445566}}},
        TStopCase{"PercentOffsetIsZero", R"(<stop offset="50%" stop-color="#fff"/>)", {{0, 0xFFFFFFFF}}},
        TStopCase{
            "AlphaTiesToEven",
            R"(<stop stop-color="#05112233" stop-opacity="0.5"/><stop stop-color="#03112233" stop-opacity="0.5"/>)",
            {{0, 0x02112233}, {0, 0x02112233}}},
        TStopCase{"UnreadableOpacityIsOne", R"(<stop stop-color="#fff" stop-opacity="half"/>)", {{0, 0xFFFFFFFF}}},
        TStopCase{
            "EveryChildButTextIsAStop", R"(<stop offset="1"/><!-- note --><animate/>)", {{1, 0}, {0, 0}, {0, 0}}}),
    testdata::TCaseName());

// ---------------------------------------------------------------------------------------------
// Failures that end the whole reading

struct TEndCase
{
    const char* Name;
    const char* Body;
};

using ReaderEndsReading = testing::TestWithParam<TEndCase>;

TEST_P(ReaderEndsReading, FailedThroughTheLog)
{
    const TEndCase& c = GetParam();
    core::TqoLogCapture capture;
    EXPECT_EQ(TqoVectorReaderSVG::CheckContent(Svg(QString::fromUtf8(c.Body))), TqoResultParsing::Failed);
    EXPECT_EQ(capture.Entries().size(), size_t(1));
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReaderEndsReading,
    testing::Values(
        TEndCase{"UndefinedGradient", R"~(<path fill="url(#nope)" d="M0 0"/>)~"},
        TEndCase{"StyleGradientIdLowerCased",
                 R"~(<linearGradient id="Grad1"/><path style="fill:url(#Grad1)" d="M0 0"/>)~"},
        TEndCase{"GradientInALaterGroup", R"~(<path fill="url(#g)" d="M0 0"/><g><linearGradient id="g"/></g>)~"},
        TEndCase{"FillOpacityPercent", R"(<path fill-opacity="30%" d="M0 0"/>)"},
        TEndCase{"LinearPercentCoordinate", R"(<linearGradient id="g" x1="0%"/>)"},
        TEndCase{"RadialWithoutCy", R"(<radialGradient id="r" cx="1"/>)"},
        TEndCase{"BadStopColor", R"(<linearGradient id="g"><stop stop-color="#GGG"/></linearGradient>)"},
        TEndCase{"BadGradientMatrix", R"~(<linearGradient id="g" gradientTransform="matrix(1,2)"/>)~"},
        TEndCase{"DuplicateGradientId", R"(<linearGradient id="g"/><radialGradient id="g" cx="0" cy="0"/>)"},
        TEndCase{"TranslateWithUnit", R"~(<path transform="translate(10px, 5)" d="M0 0"/>)~"}),

    testdata::TCaseName());

TEST(ReaderEndsReadingDocument, KeepsWhatWasRecordedBefore)
{
    core::TqoVectorDocument document;
    TqoVectorReaderSVG reader(document);
    EXPECT_THROW(reader.LoadFromText(Svg(QStringLiteral("<path d=\"M1 1\"/><path fill-opacity=\"x\" d=\"M2 2\"/>"))),
                 core::EConvertError);
    EXPECT_EQ(Paths(document), QStringList({"M1 1"}));
}

// ---------------------------------------------------------------------------------------------
// Transforms

struct TTransformCase
{
    const char* Name;
    const char* Text;
    const char* Letters;
    std::array<float, 5> Parts; // translate x, y, rotate, scale x, y
    QPointF MappedOneOne;
};

using ReaderTransform = testing::TestWithParam<TTransformCase>;

TEST_P(ReaderTransform, RecordAndMatrix)
{
    const TTransformCase& c = GetParam();
    const TReadResult read = Read(QStringLiteral("<path d=\"M0 0\" transform=\"%1\"/>").arg(QString::fromUtf8(c.Text)));
    EXPECT_EQ(read.Result, TqoResultParsing::Success);
    const core::TqoVectorCommand* command = Only(read.Document, core::TqoVectorCommandKind::Transform);
    ASSERT_NE(command, nullptr);
    const core::TqoVectorTransform& t = command->Transform;
    EXPECT_EQ(t.Letters, QString::fromUtf8(c.Letters));
    EXPECT_EQ((std::array<float, 5>{t.TranslateX, t.TranslateY, t.Rotate, t.ScaleX, t.ScaleY}), c.Parts);
    const QPointF mapped = t.Matrix.Map(QPointF(1, 1));
    EXPECT_NEAR(mapped.x(), c.MappedOneOne.x(), 1e-5);
    EXPECT_NEAR(mapped.y(), c.MappedOneOne.y(), 1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, ReaderTransform,
    testing::Values(
        TTransformCase{"TranslateThenScale", "translate(10,20) scale(2)", "TS", {10, 20, 0, 2, 2}, QPointF(12, 22)},
        TTransformCase{"ScaleThenTranslate", "scale(2,3) translate(1,1)", "ST", {1, 1, 0, 2, 3}, QPointF(4, 6)},
        TTransformCase{"ScaleX", "scalex(2)", "S", {0, 0, 0, 2, 1}, QPointF(2, 1)},
        TTransformCase{"ScaleYAnyCase", "scaleY(3)", "S", {0, 0, 0, 1, 3}, QPointF(1, 3)},
        TTransformCase{"EmptyScale", "scale()", "S", {0, 0, 0, 1, 1}, QPointF(1, 1)},
        TTransformCase{"SingleTranslate", "translate(5)", "T", {5, 0, 0, 1, 1}, QPointF(6, 1)},
        TTransformCase{"LastTranslationKept", "translateX(3) translateY(4)", "TT", {0, 4, 0, 1, 1}, QPointF(4, 5)},
        TTransformCase{"BlanksAndCommas", " translate( 1 , 2 ) ", "T", {1, 2, 0, 1, 1}, QPointF(2, 3)},
        TTransformCase{"RotateDegrees", "rotate(90deg)", "R", {0, 0, 90, 1, 1}, QPointF(-1, 1)},
        TTransformCase{
            "RotateAboutCenterIgnored", "rotate(45 10 10) translate(1)", "T", {1, 0, 0, 1, 1}, QPointF(2, 1)},
        TTransformCase{"MatrixIgnored", "matrix(1,0,0,1,5,5)", "", {0, 0, 0, 1, 1}, QPointF(1, 1)},
        TTransformCase{"SkewIgnored", "skewX(30) scale(2)", "S", {0, 0, 0, 2, 2}, QPointF(2, 2)}),
    testdata::TCaseName());

} // namespace
