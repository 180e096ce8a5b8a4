// Conversions of attribute text into values, and numbers written back into path data.

#include "ReaderTestUtil.h"

using orvo::TqoVectorReaderSVG;

namespace {

using readertest::ExpectConversions;

constexpr float Unchanged = -12345.f;

TEST(Values, Numbers)
{
    ExpectConversions<float>(TqoVectorReaderSVG::TryStrToFloat,
                             {{"Exponent", "2.5E-2", true, 0.025f},
                              {"Blanks", " 7 ", true, 7},
                              {"PlusSign", "+4", true, 4},
                              {"PixelsAfterBlank", "12 px", true, 12},
                              {"CentimetresOnlyStripped", "2cm", true, 2},
                              {"NegativeLeadingDot", "-.25", true, -0.25f},
                              {"DotOnly", ".", false, 0},
                              {"Percent", "50%", false, 0},
                              {"Empty", "", false, 0},
                              {"BadNumberBeforeUnit", "1.2.3px", false, 0},
                              {"DecimalComma", "1,5", false, 0},
                              {"NotANumber", "nan", false, 0},
                              {"BeyondSingle", "1e39", false, 0},
                              {"UpperCaseUnit", "12PX", false, 0}},
                             Unchanged);
    EXPECT_EQ(TqoVectorReaderSVG::StrToFloat(QStringLiteral(" -1.5e1 ")), -15.f);
    EXPECT_EQ(TqoVectorReaderSVG::StrToFloat(QStringLiteral("-.5e1")), -5.f);
    EXPECT_THROW(TqoVectorReaderSVG::StrToFloat(QString()), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::StrToFloat(QStringLiteral("12px")), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::StrToFloat(QStringLiteral("-.e1")), core::EConvertError);
}

TEST(Values, Angles)
{
    ExpectConversions<float>(TqoVectorReaderSVG::TryStrToDegree,
                             {{"DegreesAfterBlank", "45 deg", true, 45},
                              {"Gradians", "100grad", true, 90},
                              {"Turns", "90turn", false, 0},
                              {"UnitOnly", "deg", false, 0},
                              {"WithCenter", "45 10 10", false, 0}},
                             Unchanged);
    float degrees = 0;
    EXPECT_TRUE(TqoVectorReaderSVG::TryStrToDegree(QStringLiteral("1.5708rad"), degrees));
    EXPECT_NEAR(degrees, 90, 1e-3);
}

TEST(Values, RectanglesAndPoints)
{
    ExpectConversions<QRectF>(TqoVectorReaderSVG::TryStrToRectF,
                              {{"RepeatedBlanksAndUnits", "  -1  2.5 10px   20 ", true, QRectF(-1, 2.5, 10, 20)},
                               {"Commas", "0,0,24,24", false, {}},
                               {"ThreeNumbers", "0 0 24", false, {}},
                               {"FiveNumbers", "0 0 24 24 1", false, {}}},
                              QRectF(1, 2, 3, 4));
    EXPECT_EQ(TqoVectorReaderSVG::StrToPoints(QStringLiteral(" 1e2,-3\r\n.5 ")), QStringList({"1e2", "-3", ".5"}));
}

TEST(Values, DashLists)
{
    const auto commaList = [](const QString& AText, std::vector<float>& AValues) {
        return TqoVectorReaderSVG::TryParseSingleArray(AText, QLatin1Char(','), AValues);
    };
    ExpectConversions<std::vector<float>>(commaList,
                                          {{"EmptyPieceSkipped", "5,,3px", true, {5, 3}},
                                           {"Letters", "a,b", false, {}},
                                           {"PercentIsPlain", "50%,10", true, {50, 10}},
                                           {"UpperCaseUnitDropsPiece", "3PX,4", true, {4}}},
                                          {-1});
    std::vector<float> values;
    EXPECT_FALSE(TqoVectorReaderSVG::TryParseSingleArray(QStringLiteral("4,2"), QLatin1Char(' '), values));
}

TEST(Values, Matrices)
{
    const core::TqoVectorMatrix m = TqoVectorReaderSVG::StrToMatrix(QStringLiteral(" 2, 0.5 0,3,10 , -4 9"));
    EXPECT_EQ(m.ToArray(), (std::array<float, 9>{2, 0.5f, 0, 0, 3, 0, 10, -4, 1}));
    EXPECT_THROW(TqoVectorReaderSVG::StrToMatrix(QStringLiteral("1,2,3")), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::StrToMatrix(QStringLiteral("1,2,3,4,5,x")), core::EConvertError);
}

TEST(Values, StopColors)
{
    ExpectConversions<core::TqoAlphaColor>(TqoVectorReaderSVG::TryStrToColor,
                                           {{"Short", "#f0a", true, 0xFFFF00AA},
                                            {"Six", "#ff0000", true, 0xFFFF0000},
                                            {"AlphaFirst", "#80FF0000", true, 0x80FF0000},
                                            {"FiveDigitsTakenAsIs", "#12345", true, 0x12345},
                                            {"Keyword", "red", false, 0},
                                            {"LeadingBlank", " #fff", false, 0}},
                                           0xDEADBEEF);
    core::TqoAlphaColor color = 0;
    EXPECT_THROW(TqoVectorReaderSVG::TryStrToColor(QStringLiteral("#GGG"), color), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::TryStrToColor(QStringLiteral("#"), color), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::TryStrToColor(QStringLiteral("#123456789"), color), core::EConvertError);
}

// Any case, no trimming; a join name is no cap.
TEST(Values, LineCapsAndJoins)
{
    ExpectConversions<core::TqoStrokeLineCap>(TqoVectorReaderSVG::TryStrToStrokeLineCap,
                                              {{"UpperCase", "BUTT", true, core::TqoStrokeLineCap::Butt},
                                               {"LeadingBlank", " square", false, {}},
                                               {"JoinName", "miter", false, {}}},
                                              core::TqoStrokeLineCap::Round);
    ExpectConversions<core::TqoStrokeLineJoin>(
        TqoVectorReaderSVG::TryStrToStrokeLineJoin,
        {{"MixedCase", "Bevel", true, core::TqoStrokeLineJoin::Bevel}, {"TrailingBlank", "bevel ", false, {}}},
        core::TqoStrokeLineJoin::Round);
}

// ---------------------------------------------------------------------------------------------
// Numbers written into path data

struct TFormatCase
{
    const char* Name;
    float Value;
    const char* General;
    const char* Fixed;
};

using ValuesFormat = testing::TestWithParam<TFormatCase>;

TEST_P(ValuesFormat, GeneralAndFixed)
{
    const TFormatCase& c = GetParam();
    EXPECT_EQ(TqoVectorReaderSVG::FloatToStrG(c.Value), QString::fromLatin1(c.General));
    EXPECT_EQ(TqoVectorReaderSVG::FloatToStrF(c.Value), QString::fromLatin1(c.Fixed));
}

INSTANTIATE_TEST_SUITE_P(Values, ValuesFormat,
                         testing::Values(TFormatCase{"Integer", 12, "12", "12.00"},
                                         TFormatCase{"SingleExpansion", 0.1f, "0.100000001490116", "0.10"},
                                         TFormatCase{"Zero", 0, "0", "0.00"},
                                         TFormatCase{"Tiny", 1e-6f, "9.99999997475243E-7", "0.00"},
                                         TFormatCase{"Huge", 1e20f, "1.00000002004088E20", "100000002004087734272.00"},
                                         TFormatCase{"TinyNegativeFixed", -0.001f, "-0.00100000004749745", "0.00"}),
                         testdata::TCaseName());

} // namespace
