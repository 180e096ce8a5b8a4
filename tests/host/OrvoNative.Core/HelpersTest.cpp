#include "ORVO.Assert.h"
#include "ORVO.Assets.h"
#include "ORVO.Bitmap.h"
#include "ORVO.Colors.h"
#include "ORVO.Log.h"
#include "ORVO.Nullable.h"
#include "ORVO.Translator.h"
#include "TestData.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace core;

TEST(NullableTest, ReadingAnEmptyValueRaises)
{
    TqoNullable<float> value;
    EXPECT_THROW((void)value.Value(), EqoNoSuchValue);
    value = 0.0f; // zero is a value, not "empty"
    EXPECT_EQ(value.Value(), 0.0f);
    value.Clear();
    EXPECT_EQ(value.ValueOr(7.0f), 7.0f);
}

// ---------------------------------------------------------------------------------------------
// Colors

struct ColorCase
{
    const char* Name;
    const char* Text;
    bool Valid;
    TqoAlphaColor Color;
};

using ColorParseTest = ::testing::TestWithParam<ColorCase>;

TEST_P(ColorParseTest, TryParseAndParseAgree)
{
    const ColorCase& c = GetParam();
    TqoAlphaColor color = 0x12345678;
    EXPECT_EQ(TqoColorHelper::TryParse(QString::fromUtf8(c.Text), color), c.Valid);
    if (c.Valid) {
        EXPECT_EQ(color, c.Color);
        EXPECT_EQ(TqoColorHelper::Parse(QString::fromUtf8(c.Text)), c.Color);
    } else {
        EXPECT_EQ(color, 0x12345678u); // unchanged on failure
        EXPECT_THROW(TqoColorHelper::Parse(QString::fromUtf8(c.Text)), EConvertError);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorParseTest,
    ::testing::Values(ColorCase{"HashARGB", "#80FF0000", true, 0x80FF0000},
                      ColorCase{"DollarARGB", "$FF00ff00", true, 0xFF00FF00},
                      ColorCase{"HashRGBIsOpaque", "#2196f3", true, 0xFF2196F3},
                      ColorCase{"TransparentBlack", "#00000000", true, 0x00000000}, ColorCase{"Empty", "", false, 0},
                      ColorCase{"NoPrefix", "FF000000", false, 0}, ColorCase{"SevenDigits", "#FF00000", false, 0},
                      ColorCase{"NotHex", "#GG000000", false, 0}, ColorCase{"Blank", " #FF000000", false, 0}),
    testdata::TCaseName());

TEST(ColorTextTest, HexAndDisplayTexts)
{
    EXPECT_EQ(TqoColorHelper::ToARGBHex(0x0A0B0C0D), QStringLiteral("#0A0B0C0D"));
    EXPECT_EQ(TqoColorHelper::ToARGBHex(0xFFABCDEF, QLatin1Char('$')), QStringLiteral("$FFABCDEF"));
    EXPECT_EQ(TqoColorHelper::ToDisplayString(0xFF2196F3), QStringLiteral("#2196F3"));
    EXPECT_EQ(TqoColorHelper::ToDisplayString(0x802196F3), QStringLiteral("#802196F3"));
}

// ---------------------------------------------------------------------------------------------
// Log

// The comma-locale run of this suite shows the numbers are locale-free.
TEST(LogTest, FormatsInOnePassWithLocaleFreeNumbers)
{
    TqoLogCapture capture;
    TqoLog::Trace("AssetsDesigner", "a=\"%1\", b=%2, c=%3", QStringLiteral("100%2"), 1.5, 42);
    TqoLog::Warning("Cat", "plain %1 text");
    TqoLog::Error("Cat", "%1", true);

    ASSERT_EQ(capture.Entries().size(), 3u);
    EXPECT_EQ(capture.Entries()[0].Level, TqoLogLevel::Trace);
    EXPECT_EQ(capture.Entries()[0].Category, QStringLiteral("AssetsDesigner"));
    EXPECT_EQ(capture.Entries()[0].Message, QStringLiteral("a=\"100%2\", b=1.5, c=42"));
    EXPECT_EQ(capture.Entries()[1].Message, QStringLiteral("plain %1 text"));
    EXPECT_EQ(capture.Entries()[2].Level, TqoLogLevel::Error);
    EXPECT_EQ(capture.Entries()[2].Message, QStringLiteral("True"));
}

TEST(LogTest, LevelFilterDropsLowerLevels)
{
    TqoLogCapture capture;
    TqoLog::SetMinimumLevel(TqoLogLevel::Warning);
    TqoLog::Trace("Cat", "dropped");
    TqoLog::Warning("Cat", "kept");
    EXPECT_EQ(capture.Entries().size(), 1u);
}

// ---------------------------------------------------------------------------------------------
// Assertions

TEST(AssertTest, MessagesNameTheArgumentOrClass)
{
    try {
        TqoAssert::IsNotNil(nullptr, "AAsset");
        FAIL() << "no error";
    } catch (const EqoAssertionFailed& e) {
        EXPECT_TRUE(e.Message().contains(QLatin1String("name=\"AAsset\""))) << e.what();
    }
    const auto color = std::make_shared<TqoAssetColor>("A");
    EXPECT_EQ(TqoAssert::IsClass<TqoAssetColor>(color), color.get());
    EXPECT_THROW(TqoAssert::IsClass<TqoAssetFont>(color), EqoAssertionFailed);
    EXPECT_THROW(TqoAssert::IsFalse(true, "x"), EqoAssertionFailed);
}

// ---------------------------------------------------------------------------------------------
// Translator

TEST(TranslatorTest, CurrentLanguageThenDefaultThenKey)
{
    TqoTranslator::RegisterTable("TestDialog", "default", {{"open", "Открыть"}, {"only_ru", "Только"}});
    TqoTranslator::RegisterTable("TestDialog", "en", {{"open", "Open"}});
    TqoTranslator::RegisterTable("OtherDialog", "en", {{"open", "Open file"}});
    const QString oldLanguage = TqoTranslator::CurrentLanguage();

    TqoTranslator::SetCurrentLanguage("default");
    EXPECT_EQ(TqoTranslator::Translate("open"), QStringLiteral("Открыть"));
    TqoTranslator::SetCurrentLanguage("en");
    EXPECT_EQ(TqoTranslator::Translate("open"), QStringLiteral("Open"));
    EXPECT_EQ(TqoTranslator::Translate("OtherDialog", "open"), QStringLiteral("Open file"));
    EXPECT_EQ(TqoTranslator::Translate("only_ru"), QStringLiteral("Только"));
    EXPECT_EQ(TqoTranslator::Translate("missing_key"), QStringLiteral("missing_key"));

    TqoTranslator::UnregisterScope("TestDialog");
    EXPECT_EQ(TqoTranslator::Translate("open"), QStringLiteral("Open file"));
    TqoTranslator::UnregisterScope("OtherDialog");
    TqoTranslator::SetCurrentLanguage(oldLanguage);
}

// ---------------------------------------------------------------------------------------------
// Bitmap

TEST(BitmapTest, UnreadableFileRaisesWithItsName)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("broken.png");
    ASSERT_TRUE(testdata::WriteAll(fileName, "not a png"));
    try {
        TqoBitmap::FromFile(fileName);
        FAIL() << "no error";
    } catch (const EqoFileError& e) {
        EXPECT_EQ(e.FileName(), fileName);
    }
}
