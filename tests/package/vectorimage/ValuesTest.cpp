// Conversions of attribute text into values, and numbers written back into path data.

#include "ReaderTestUtil.h"

#include <QLocale>
#include <clocale>
#include <locale>

using orvo::TqoVectorReaderSVG;

namespace {

constexpr float Unchanged = -12345.f;

// ---------------------------------------------------------------------------------------------
// Numbers

struct TFloatCase
{
    const char* Name;
    const char* Text;
    bool Accepted;
    float Value;
};

class ValuesNumber : public testing::TestWithParam<TFloatCase>
{
};

TEST_P(ValuesNumber, TryStrToFloat)
{
    const TFloatCase& c = GetParam();
    float value = Unchanged;
    EXPECT_EQ(TqoVectorReaderSVG::TryStrToFloat(QString::fromUtf8(c.Text), value), c.Accepted);
    EXPECT_EQ(value, c.Accepted ? c.Value : Unchanged);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValuesNumber,
    testing::Values(TFloatCase{"Integer", "12", true, 12}, TFloatCase{"Exponent", "1e3", true, 1000},
                    TFloatCase{"NegativeExponent", "2.5E-2", true, 0.025f}, TFloatCase{"Blanks", " 7 ", true, 7},
                    TFloatCase{"Negative", "-3.5", true, -3.5f}, TFloatCase{"PlusSign", "+4", true, 4},
                    TFloatCase{"TrailingDot", "5.", true, 5}, TFloatCase{"Pixels", "12px", true, 12},
                    TFloatCase{"PixelsAfterBlank", "12 px", true, 12},
                    TFloatCase{"CentimetresOnlyStripped", "2cm", true, 2}, TFloatCase{"LeadingDot", ".25", true, 0.25f},
                    TFloatCase{"NegativeLeadingDot", "-.25", true, -0.25f}, TFloatCase{"DotOnly", ".", false, 0},
                    TFloatCase{"PlusLeadingDot", "+.5", true, 0.5f}, TFloatCase{"Percent", "50%", false, 0},
                    TFloatCase{"Em", "1em", false, 0}, TFloatCase{"Millimetres", "3mm", false, 0},
                    TFloatCase{"Empty", "", false, 0}, TFloatCase{"BlanksOnly", "   ", false, 0},
                    TFloatCase{"UnitOnly", "px", false, 0}, TFloatCase{"BadNumberBeforeUnit", "1.2.3px", false, 0},
                    TFloatCase{"DecimalComma", "1,5", false, 0}, TFloatCase{"Hexadecimal", "0x10", false, 0},
                    TFloatCase{"Infinity", "inf", false, 0}, TFloatCase{"NotANumber", "nan", false, 0},
                    TFloatCase{"BeyondSingle", "1e39", false, 0}, TFloatCase{"Word", "five", false, 0},
                    TFloatCase{"UpperCaseUnit", "12PX", false, 0}),
    testdata::TCaseName());

TEST(ValuesNumberRaising, AcceptsOnlyPlainNumbers)
{
    EXPECT_EQ(TqoVectorReaderSVG::StrToFloat(QStringLiteral(" -1.5e1 ")), -15.f);
    EXPECT_THROW(TqoVectorReaderSVG::StrToFloat(QString()), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::StrToFloat(QStringLiteral("12px")), core::EConvertError);
    EXPECT_EQ(TqoVectorReaderSVG::StrToFloat(QStringLiteral(".5")), 0.5f);
    EXPECT_EQ(TqoVectorReaderSVG::StrToFloat(QStringLiteral("-.5e1")), -5.f);
    EXPECT_THROW(TqoVectorReaderSVG::StrToFloat(QStringLiteral(".")), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::StrToFloat(QStringLiteral("-.e1")), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::StrToFloat(QStringLiteral(".5x")), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::StrToFloat(QStringLiteral("50%")), core::EConvertError);
}

// ---------------------------------------------------------------------------------------------
// Angles

struct TAngleCase
{
    const char* Name;
    const char* Text;
    bool Accepted;
    float Degrees;
};

class ValuesAngle : public testing::TestWithParam<TAngleCase>
{
};

TEST_P(ValuesAngle, TryStrToDegree)
{
    const TAngleCase& c = GetParam();
    float degrees = Unchanged;
    EXPECT_EQ(TqoVectorReaderSVG::TryStrToDegree(QString::fromUtf8(c.Text), degrees), c.Accepted);
    if (c.Accepted)
        EXPECT_NEAR(degrees, c.Degrees, 1e-3);
    else
        EXPECT_EQ(degrees, Unchanged);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValuesAngle,
    testing::Values(TAngleCase{"Plain", "90", true, 90}, TAngleCase{"Degrees", "90deg", true, 90},
                    TAngleCase{"DegreesAfterBlank", "45 deg", true, 45},
                    TAngleCase{"Radians", "1.5708rad", true, 90.0002f}, TAngleCase{"Gradians", "100grad", true, 90},
                    TAngleCase{"NegativeGradians", "-200grad", true, -180}, TAngleCase{"Turns", "90turn", false, 0},
                    TAngleCase{"UnitOnly", "deg", false, 0}, TAngleCase{"WithCenter", "45 10 10", false, 0},
                    TAngleCase{"Empty", "", false, 0}),
    testdata::TCaseName());

// ---------------------------------------------------------------------------------------------
// Rectangles, point tokens, number lists, matrices

struct TRectCase
{
    const char* Name;
    const char* Text;
    bool Accepted;
    QRectF Rect;
};

class ValuesRect : public testing::TestWithParam<TRectCase>
{
};

TEST_P(ValuesRect, TryStrToRectF)
{
    const TRectCase& c = GetParam();
    const QRectF before(1, 2, 3, 4);
    QRectF rect = before;
    EXPECT_EQ(TqoVectorReaderSVG::TryStrToRectF(QString::fromUtf8(c.Text), rect), c.Accepted);
    EXPECT_EQ(rect, c.Accepted ? c.Rect : before);
}

INSTANTIATE_TEST_SUITE_P(Texts, ValuesRect,
                         testing::Values(TRectCase{"Icon", "0 0 24 24", true, QRectF(0, 0, 24, 24)},
                                         TRectCase{"OffsetWithUnits", "-1 2.5 10px 20", true, QRectF(-1, 2.5, 10, 20)},
                                         TRectCase{"RepeatedBlanks", "  0  0 24   24 ", true, QRectF(0, 0, 24, 24)},
                                         TRectCase{"Commas", "0,0,24,24", false, {}},
                                         TRectCase{"ThreeNumbers", "0 0 24", false, {}},
                                         TRectCase{"FiveNumbers", "0 0 24 24 1", false, {}},
                                         TRectCase{"Percent", "0 0 100% 24", false, {}},
                                         TRectCase{"Empty", "", false, {}}),
                         testdata::TCaseName());

TEST(ValuesPoints, TokensKeepTheirSpelling)
{
    EXPECT_EQ(TqoVectorReaderSVG::StrToPoints(QStringLiteral("10,20 30,40\n50,60")),
              QStringList({"10", "20", "30", "40", "50", "60"}));
    EXPECT_EQ(TqoVectorReaderSVG::StrToPoints(QStringLiteral(" 1e2,-3\r\n.5 ")), QStringList({"1e2", "-3", ".5"}));
    EXPECT_EQ(TqoVectorReaderSVG::StrToPoints(QStringLiteral(" , \n")), QStringList());
}

struct TDashCase
{
    const char* Name;
    const char* Text;
    char Separator;
    bool Accepted;
    std::vector<float> Values;
};

class ValuesDashList : public testing::TestWithParam<TDashCase>
{
};

TEST_P(ValuesDashList, TryParseSingleArray)
{
    const TDashCase& c = GetParam();
    std::vector<float> values{-1};
    EXPECT_EQ(TqoVectorReaderSVG::TryParseSingleArray(QString::fromUtf8(c.Text), QLatin1Char(c.Separator), values),
              c.Accepted);
    EXPECT_EQ(values, c.Accepted ? c.Values : std::vector<float>{-1});
}

INSTANTIATE_TEST_SUITE_P(Texts, ValuesDashList,
                         testing::Values(TDashCase{"EmptyPieceSkipped", "5,,3px", ',', true, {5, 3}},
                                         TDashCase{"Letters", "a,b", ',', false, {}},
                                         TDashCase{"BlankSeparated", "4 2.5", ' ', true, {4, 2.5f}},
                                         TDashCase{"PercentIsPlain", "50%,10", ',', true, {50, 10}},
                                         TDashCase{"UpperCaseUnitDropsPiece", "3PX,4", ',', true, {4}},
                                         TDashCase{"CommaInBlankList", "4,2", ' ', false, {}},
                                         TDashCase{"Empty", "", ',', false, {}}),
                         testdata::TCaseName());

TEST(ValuesMatrix, SixNumbersInRowVectorForm)
{
    const core::TqoVectorMatrix m = TqoVectorReaderSVG::StrToMatrix(QStringLiteral(" 2, 0.5 0,3,10 , -4 9"));
    core::TqoVectorMatrix expected;
    expected.m11 = 2;
    expected.m12 = 0.5f;
    expected.m21 = 0;
    expected.m22 = 3;
    expected.m31 = 10;
    expected.m32 = -4;
    EXPECT_EQ(m.ToArray(), expected.ToArray());
    EXPECT_EQ(m.Map(QPointF(1, 1)), QPointF(12, -0.5));
}

TEST(ValuesMatrix, RaisesOnFewOrBadNumbers)
{
    EXPECT_THROW(TqoVectorReaderSVG::StrToMatrix(QStringLiteral("1,2,3")), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::StrToMatrix(QStringLiteral("1,2,3,4,5,x")), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::StrToMatrix(QString()), core::EConvertError);
}

// ---------------------------------------------------------------------------------------------
// Stop colors and enumerations

struct TStopColorCase
{
    const char* Name;
    const char* Text;
    bool Accepted;
    core::TqoAlphaColor Color;
};

class ValuesStopColor : public testing::TestWithParam<TStopColorCase>
{
};

TEST_P(ValuesStopColor, TryStrToColor)
{
    const TStopColorCase& c = GetParam();
    core::TqoAlphaColor color = 0xDEADBEEF;
    EXPECT_EQ(TqoVectorReaderSVG::TryStrToColor(QString::fromUtf8(c.Text), color), c.Accepted);
    EXPECT_EQ(color, c.Accepted ? c.Color : 0xDEADBEEF);
}

INSTANTIATE_TEST_SUITE_P(Texts, ValuesStopColor,
                         testing::Values(TStopColorCase{"Short", "#f0a", true, 0xFFFF00AA},
                                         TStopColorCase{"Six", "#ff0000", true, 0xFFFF0000},
                                         TStopColorCase{"AlphaFirst", "#80FF0000", true, 0x80FF0000},
                                         TStopColorCase{"FiveDigitsTakenAsIs", "#12345", true, 0x12345},
                                         TStopColorCase{"Keyword", "red", false, 0},
                                         TStopColorCase{"None", "none", false, 0},
                                         TStopColorCase{"Function", "rgb(1,2,3)", false, 0},
                                         TStopColorCase{"LeadingBlank", " #fff", false, 0}),
                         testdata::TCaseName());

TEST(ValuesStopColorRaising, BadHexDigitsRaise)
{
    core::TqoAlphaColor color = 0;
    EXPECT_THROW(TqoVectorReaderSVG::TryStrToColor(QStringLiteral("#GGG"), color), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::TryStrToColor(QStringLiteral("#"), color), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::TryStrToColor(QStringLiteral("#fff "), color), core::EConvertError);
    EXPECT_THROW(TqoVectorReaderSVG::TryStrToColor(QStringLiteral("#123456789"), color), core::EConvertError);
}

TEST(ValuesStroke, LineCapsAndJoins)
{
    struct TCase
    {
        const char* Text;
        bool Accepted;
        int Value;
    };
    const TCase caps[] = {
        {"butt", true, 2}, {"ROUND", true, 1}, {"Square", true, 0}, {" butt", false, 0}, {"miter", false, 0}};
    for (const TCase& c : caps) {
        core::TqoStrokeLineCap cap = core::TqoStrokeLineCap::Round;
        EXPECT_EQ(TqoVectorReaderSVG::TryStrToStrokeLineCap(QString::fromUtf8(c.Text), cap), c.Accepted) << c.Text;
        EXPECT_EQ(int(cap), c.Accepted ? c.Value : int(core::TqoStrokeLineCap::Round)) << c.Text;
    }
    const TCase joins[] = {
        {"miter", true, 0}, {"Round", true, 1}, {"BEVEL", true, 2}, {"bevel ", false, 0}, {"arcs", false, 0}};
    for (const TCase& c : joins) {
        core::TqoStrokeLineJoin join = core::TqoStrokeLineJoin::Round;
        EXPECT_EQ(TqoVectorReaderSVG::TryStrToStrokeLineJoin(QString::fromUtf8(c.Text), join), c.Accepted) << c.Text;
        EXPECT_EQ(int(join), c.Accepted ? c.Value : int(core::TqoStrokeLineJoin::Round)) << c.Text;
    }
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

class ValuesFormat : public testing::TestWithParam<TFormatCase>
{
};

TEST_P(ValuesFormat, GeneralAndFixed)
{
    const TFormatCase& c = GetParam();
    EXPECT_EQ(TqoVectorReaderSVG::FloatToStrG(c.Value), QString::fromLatin1(c.General));
    EXPECT_EQ(TqoVectorReaderSVG::FloatToStrF(c.Value), QString::fromLatin1(c.Fixed));
}

INSTANTIATE_TEST_SUITE_P(Values, ValuesFormat,
                         testing::Values(TFormatCase{"Integer", 12, "12", "12.00"},
                                         TFormatCase{"Half", 0.5f, "0.5", "0.50"},
                                         TFormatCase{"SingleExpansion", 0.1f, "0.100000001490116", "0.10"},
                                         TFormatCase{"Negative", -2.25f, "-2.25", "-2.25"},
                                         TFormatCase{"Zero", 0, "0", "0.00"},
                                         TFormatCase{"LargeInteger", 123456, "123456", "123456.00"},
                                         TFormatCase{"SmallFixed", 0.0001f, "0.0000999999974737875", "0.00"},
                                         TFormatCase{"Tiny", 1e-6f, "9.99999997475243E-7", "0.00"},
                                         TFormatCase{"Huge", 1e20f, "1.00000002004088E20", "100000002004087734272.00"},
                                         TFormatCase{"TinyNegativeFixed", -0.001f, "-0.00100000004749745", "0.00"}),
                         testdata::TCaseName());

// ---------------------------------------------------------------------------------------------
// A locale whose decimal separator is a comma must change nothing.

struct TCommaNumpunct : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class ValuesUnderCommaLocale : public testing::Test
{
protected:
    void SetUp() override
    {
        FPreviousLocale = std::locale::global(std::locale(std::locale::classic(), new TCommaNumpunct));
        FPreviousQLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override
    {
        std::locale::global(FPreviousLocale);
        QLocale::setDefault(FPreviousQLocale);
    }

    static void ExpectInvariant()
    {
        float value = 0;
        EXPECT_TRUE(TqoVectorReaderSVG::TryStrToFloat(QStringLiteral("1.5"), value));
        EXPECT_EQ(value, 1.5f);
        EXPECT_FALSE(TqoVectorReaderSVG::TryStrToFloat(QStringLiteral("1,5"), value));
        EXPECT_EQ(TqoVectorReaderSVG::StrToFloat(QStringLiteral("2.25e1")), 22.5f);
        EXPECT_EQ(TqoVectorReaderSVG::FloatToStrG(0.1f), QStringLiteral("0.100000001490116"));
        EXPECT_EQ(TqoVectorReaderSVG::FloatToStrF(1234.5f), QStringLiteral("1234.50"));
        const readertest::TReadResult read =
            readertest::Read(QStringLiteral("<circle cx=\"1.5\" cy=\"2\" r=\".5\"/><line x2=\"1.25\"/>"),
                             QStringLiteral("width=\"2.5\" height=\"4\""));
        EXPECT_EQ(read.Document.Size(), QSizeF(2.5, 4));
        EXPECT_EQ(readertest::Paths(read.Document),
                  QStringList({"M1.5,2m-0.5,0a0.5,0.5 0,1 1,1 0a0.5,0.5 0,1 1,-1 0", "M0.00, 0.00, L1.25, 0.00"}));
    }

private:
    std::locale FPreviousLocale;
    QLocale FPreviousQLocale;
};

TEST_F(ValuesUnderCommaLocale, StreamsAndQtLocale)
{
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    ExpectInvariant();
}

TEST_F(ValuesUnderCommaLocale, CLibraryLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "the C library has no de_DE.UTF-8 locale on this machine";
    const bool comma = std::localeconv()->decimal_point[0] == ',';
    ExpectInvariant();
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_TRUE(comma) << "de_DE.UTF-8 is expected to use a decimal comma";
}

} // namespace
