// The generated constants unit: its exact text for the main shapes of an asset set, the
// identifiers made from names, and the theme shapes that must still declare what they name.

#include "assets/storage/ORVO.Assets.Constants.Generator.h"

#include "ORVO.Assets.h"

#include "TestData.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace core;
using orvo::TqoAssetsConstsGenerator;

namespace {

// The header and the interface part up to "type", as every unit starts.
QStringList UnitStart()
{
    return {
        "{*********************************************************************",
        " *",
        " * This unit was generated automatically!",
        " *",
        " * DO NOT make changes to this file, as they will be lost after updating the assets in ",
        " * Project -> ORVO Assets Manager.",
        " *",
        " * Use these constants instead of entering asset names in the code. This will help you catch",
        " * situation of assets changes (removing, renaming) in assets designer in compile time.",
        " *",
        " *********************************************************************}",
        "",
        "unit Assets.Consts;",
        "",
        "interface",
        "",
        "{$SCOPEDENUMS ON}",
        "",
    };
}

QString Padded(const QString& ALine, const QString& AComment = QString())
{
    return ALine.leftJustified(80, QLatin1Char(' ')) + AComment;
}

std::shared_ptr<TqoAssetBitmapSet> Bitmap(const QString& AName)
{
    auto Set = std::make_shared<TqoAssetBitmapSet>(AName);
    Set->Add(std::make_unique<TqoBitmapInfo>(AName + "\\default@10x.png", 1.0f));
    return Set;
}

// The constants of one record: identifier -> literal, in order.
QStringList ConstantsOf(const QStringList& ALines, const QString& ARecord)
{
    QStringList Result;
    const qsizetype Start = ALines.indexOf("    " + ARecord + " = record");
    if (Start < 0)
        return {"no record " + ARecord};
    for (qsizetype I = Start + 1; I < ALines.size() && ALines[I] != "    end;"; ++I)
        if (ALines[I] != "    const")
            Result << ALines[I].trimmed();
    return Result;
}

QStringList Matching(const QStringList& ALines, const QString& APattern)
{
    return ALines.filter(QRegularExpression(APattern));
}

TEST(ConstantsGeneratorTest, NoAssetsGiveAnEmptyRecordAndNoUsesClauses)
{
    TqoAssetsManager Manager;
    const QStringList Expected = UnitStart() + QStringList{
                                                   "type",
                                                   "  /// <summary>Identifiers with application assets.</summary>",
                                                   "  TqoAssetsConstants = record",
                                                   "  private type",
                                                   "  public",
                                                   "  end;",
                                                   "",
                                                   "var",
                                                   "  R: TqoAssetsConstants;",
                                                   "",
                                                   "implementation",
                                                   "",
                                                   "end.",
                                               };
    EXPECT_EQ(TqoAssetsConstsGenerator::GenerateLines(Manager), Expected);
}

TEST(ConstantsGeneratorTest, ThemesWithColorsAndBitmapsGiveThemeRecordsAndCurrentThemeFunctions)
{
    TqoAssetsManager Manager;
    // Light before Dark: the current theme is the first in ordinal order, not in the manager's.
    Manager.Add(std::make_shared<TqoAssetThemeContainer>("Light"));
    Manager.Add(std::make_shared<TqoAssetThemeContainer>("Dark"));
    Manager.Add(std::make_shared<TqoAssetColor>("Light\\Primary", 0xFFFFFFFFu));
    Manager.Add(std::make_shared<TqoAssetColor>("Dark\\Primary", 0xFF121212u));
    Manager.Add(Bitmap("Dark\\Logo"));
    Manager.Add(std::make_shared<TqoAssetColor>("Accent", 0xFFFF4081u));

    const QStringList Expected =
        UnitStart() + QStringList{
                          "uses",
                          "  ORVO.Assets;",
                          "",
                          "type",
                          "  /// <summary>Identifiers with application assets.</summary>",
                          "  TqoAssetsConstants = record",
                          "  private type",
                          "",
                          "    {$REGION 'Colors'}",
                          "    TqoColors = record",
                          "    const",
                          Padded("      ACCENT = 'Accent';", "// #FFFF4081"),
                          "    end;",
                          "    {$ENDREGION}",
                          "",
                          "    {$REGION 'Themes'}",
                          "    TqoThemeDark = record",
                          "    const",
                          Padded("      LOGO = 'Dark\\Logo';"),
                          Padded("      PRIMARY = 'Dark\\Primary';", "// #FF121212"),
                          "    end;",
                          "",
                          "    TqoThemeLight = record",
                          "    const",
                          Padded("      PRIMARY = 'Light\\Primary';", "// #FFFFFFFF"),
                          "    end;",
                          "",
                          "    TqoThemes = record",
                          "      class var Dark: TqoThemeDark;",
                          "      class var Light: TqoThemeLight;",
                          "    end;",
                          "    {$ENDREGION}",
                          "",
                          "    {$REGION 'Current Theme'}",
                          "    TqoThemeColors = record",
                          "      class function PRIMARY: TqoAssetName; static;",
                          "    end;",
                          "",
                          "    TqoThemeBitmaps = record",
                          "      class function LOGO: TqoAssetName; static;",
                          "    end;",
                          "",
                          "    TqoCurrentTheme = record",
                          "      /// <summary>Identifiers with current theme colors assets.</summary>",
                          "      class var Color: TqoThemeColors;",
                          "      /// <summary>Identifiers with current theme bitmap assets.</summary>",
                          "      class var Bitmap: TqoThemeBitmaps;",
                          "    end;",
                          "    {$ENDREGION}",
                          "  public",
                          "    /// <summary>Identifiers with colors assets.</summary>",
                          "    class var Color: TqoColors;",
                          "",
                          "    /// <summary>Identifiers with current theme assets.</summary>",
                          "    class var CurrentTheme: TqoCurrentTheme;",
                          "",
                          "    /// <summary>Identifiers with themes names.</summary>",
                          "    class var Theme: TqoThemes;",
                          "  end;",
                          "",
                          "var",
                          "  R: TqoAssetsConstants;",
                          "",
                          "implementation",
                          "",
                          "uses",
                          "  ORVO.Application;",
                          "",
                          "class function TqoAssetsConstants.TqoThemeBitmaps.LOGO: TqoAssetName; ",
                          "begin",
                          "  Result := Application.ThemeSettings.ThemeName + TqoAsset.ThemeSeparator + 'Logo';",
                          "end;",
                          "",
                          "class function TqoAssetsConstants.TqoThemeColors.PRIMARY: TqoAssetName; ",
                          "begin",
                          "  Result := Application.ThemeSettings.ThemeName + TqoAsset.ThemeSeparator + 'Primary';",
                          "end;",
                          "",
                          "end.",
                      };
    EXPECT_EQ(TqoAssetsConstsGenerator::GenerateLines(Manager), Expected);
}

TEST(ConstantsGeneratorTest, SectionsComeInTheirPrivateAndPublicOrders)
{
    TqoAssetsManager Manager;
    Manager.Add(std::make_shared<TqoAssetLottieAnimation>("Spinner"));
    Manager.Add(std::make_shared<TqoAssetSVG>("Logo"));
    Manager.Add(std::make_shared<TqoAssetStyle>("Buttons\\Primary"));
    Manager.Add(std::make_shared<TqoAssetFile>("Terms"));
    Manager.Add(std::make_shared<TqoAssetFont>("Roboto"));
    Manager.Add(std::make_shared<TqoAssetColor>("Accent", 0xFF000000u));
    Manager.Add(Bitmap("Back"));

    const QStringList Lines = TqoAssetsConstsGenerator::GenerateLines(Manager);
    EXPECT_EQ(Matching(Lines, "\\{\\$REGION"),
              QStringList({"    {$REGION 'Bitmaps'}", "    {$REGION 'Colors'}", "    {$REGION 'Fonts'}",
                           "    {$REGION 'Files'}", "    {$REGION 'SVG Images'}", "    {$REGION 'Animations'}"}));
    EXPECT_EQ(Matching(Lines, "^    class var"),
              QStringList({"    class var Bitmap: TqoBitmaps;", "    class var Color: TqoColors;",
                           "    class var Image: TqoImages;", "    class var &File: TqoFiles;",
                           "    class var Font: TqoFonts;", "    class var LottieAnimation: TqoLottieAnimations;"}));
    // Styles have no constants, and without theme colors there are no uses clauses.
    EXPECT_EQ(Matching(Lines, "Primary|^uses"), QStringList());
    // The first public declaration follows "public" directly, the others an empty line.
    const qsizetype Public = Lines.indexOf("  public");
    ASSERT_GT(Public, 0);
    EXPECT_EQ(Lines[Public + 1], "    /// <summary>Identifiers with bitmap assets.</summary>");
    EXPECT_EQ(Lines[Public + 3], "");
}

TEST(ConstantsGeneratorTest, GroupsAreSortedByNameWithoutRegardToCase)
{
    TqoAssetsManager Manager;
    for (const char* Name : {"b", "icons\\back", "A", "Icons\\Add"})
        Manager.Add(std::make_shared<TqoAssetColor>(QString::fromUtf8(Name), 0xFF000000u));
    // Variants of one name make one constant.
    Manager.Add(std::make_shared<TqoAssetColor>("A", 0xFF00FF00u, TqoPlatform::iOS));

    const QStringList Constants = ConstantsOf(TqoAssetsConstsGenerator::GenerateLines(Manager), "TqoColors");
    QStringList Identifiers;
    for (const QString& Line : Constants)
        Identifiers << Line.section(QLatin1Char(' '), 0, 0);
    EXPECT_EQ(Identifiers, QStringList({"A", "B", "ICONS_ADD", "ICONS_BACK"}));
}

struct TIdentifierCase
{
    const char* Name;
    const char* AssetName;
    const char* Constant; // the constant line without padding
};

void PrintTo(const TIdentifierCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class ConstantIdentifierTest : public ::testing::TestWithParam<TIdentifierCase>
{
};

TEST_P(ConstantIdentifierTest, NameBecomesAnUpperCaseIdentifierAndTheLiteralKeepsTheName)
{
    TqoAssetsManager Manager;
    Manager.Add(std::make_shared<TqoAssetFile>(QString::fromUtf8(GetParam().AssetName)));
    EXPECT_EQ(ConstantsOf(TqoAssetsConstsGenerator::GenerateLines(Manager), "TqoFiles"),
              QStringList{QString::fromUtf8(GetParam().Constant)});
}

INSTANTIATE_TEST_SUITE_P(
    Names, ConstantIdentifierTest,
    ::testing::Values(TIdentifierCase{"folders_and_dashes", "Icons\\my-logo", "ICONS_MY_LOGO = 'Icons\\my-logo';"},
                      TIdentifierCase{"reserved_word", "end", "&END = 'end';"},
                      TIdentifierCase{"reserved_word_any_case", "Begin", "&BEGIN = 'Begin';"},
                      TIdentifierCase{"reserved_word_file", "file", "&FILE = 'file';"},
                      TIdentifierCase{"reserved_word_only_as_a_whole", "endless", "ENDLESS = 'endless';"},
                      TIdentifierCase{"reserved_word_in_a_folder", "Docs\\end", "DOCS_END = 'Docs\\end';"},
                      TIdentifierCase{"word_outside_the_list", "class", "CLASS = 'class';"},
                      TIdentifierCase{"leading_digit", "2x", "_2X = '2x';"},
                      TIdentifierCase{"leading_symbol", "-a", "__A = '-a';"},
                      TIdentifierCase{"dots_and_blanks", "read me.v2", "READ_ME_V2 = 'read me.v2';"},
                      TIdentifierCase{"unicode_letters", "Фон\\Ünïcode", "ФОН_ÜNÏCODE = 'Фон\\Ünïcode';"},
                      TIdentifierCase{"quote_is_doubled", "it's", "IT_S = 'it''s';"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST(ConstantsGeneratorTest, ColorLinePadsToColumn80EvenWhenLonger)
{
    TqoAssetsManager Manager;
    Manager.Add(std::make_shared<TqoAssetColor>("Primary", 0x803F51B5u));
    const QString Long = QStringLiteral("Palette\\A_very_long_folder_name\\And_a_long_color_name_too");
    Manager.Add(std::make_shared<TqoAssetColor>(Long, 0xFF000000u));

    const QStringList Lines = TqoAssetsConstsGenerator::GenerateLines(Manager);
    EXPECT_EQ(Lines.filter("PRIMARY"), QStringList{"      PRIMARY = 'Primary';" + QString(54, ' ') + "// #803F51B5"});
    EXPECT_EQ(
        Lines.filter("LONG_COLOR"),
        QStringList{"      PALETTE_A_VERY_LONG_FOLDER_NAME_AND_A_LONG_COLOR_NAME_TOO = '" + Long + "';// #FF000000"});
}

TEST(ConstantsGeneratorTest, NamesThatBecomeOneIdentifierAreWarnedAboutByName)
{
    TqoAssetsManager Manager;
    for (const char* Name : {"Accent", "accent", "a-b", "a_b"})
        Manager.Add(std::make_shared<TqoAssetColor>(QString::fromUtf8(Name), 0xFF000000u));
    // Another record: no collision.
    Manager.Add(std::make_shared<TqoAssetFile>("ACCENT"));
    Manager.Add(std::make_shared<TqoAssetThemeContainer>("Dark"));
    Manager.Add(std::make_shared<TqoAssetColor>("Dark\\x y", 0xFF000000u));
    Manager.Add(std::make_shared<TqoAssetColor>("Dark\\X_Y", 0xFF000000u));

    const QString Tail =
        QStringLiteral(" of Assets.Consts.pas, which then does not compile; rename all but one of them");
    EXPECT_EQ(
        TqoAssetsConstsGenerator::CollisionWarnings(Manager),
        QStringList({"Assets \"a-b\", \"a_b\" all become the identifier A_B in TqoColors" + Tail,
                     "Assets \"Accent\", \"accent\" all become the identifier ACCENT in TqoColors" + Tail,
                     "Assets \"Dark\\x y\", \"Dark\\X_Y\" all become the identifier X_Y in TqoThemeDark" + Tail}));
}

// ---------------------------------------------------------------------------------------------
// Themes

struct TThemeNamesCase
{
    const char* Name;
    std::vector<const char*> Themes;
    QStringList ThemeVars; // the class var lines of TqoThemes
};

void PrintTo(const TThemeNamesCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class ThemeIdentifierTest : public ::testing::TestWithParam<TThemeNamesCase>
{
};

TEST_P(ThemeIdentifierTest, ThemeRecordsAreNamedAfterTheirThemes)
{
    TqoAssetsManager Manager;
    for (const char* Theme : GetParam().Themes) {
        Manager.Add(std::make_shared<TqoAssetThemeContainer>(QString::fromUtf8(Theme)));
        Manager.Add(std::make_shared<TqoAssetColor>(QString::fromUtf8(Theme) + "\\Primary", 0xFF000000u));
    }
    EXPECT_EQ(ConstantsOf(TqoAssetsConstsGenerator::GenerateLines(Manager), "TqoThemes"), GetParam().ThemeVars);
}

INSTANTIATE_TEST_SUITE_P(
    Themes, ThemeIdentifierTest,
    ::testing::Values(
        TThemeNamesCase{
            "plain", {"Light", "Dark"}, {"class var Dark: TqoThemeDark;", "class var Light: TqoThemeLight;"}},
        TThemeNamesCase{"folder_with_unique_last_level", {"Brand\\Light"}, {"class var Light: TqoThemeLight;"}},
        TThemeNamesCase{"same_last_level_keeps_the_folder",
                        {"Brand\\Light", "Other\\Light"},
                        {"class var BrandLight: TqoThemeBrandLight;", "class var OtherLight: TqoThemeOtherLight;"}},
        TThemeNamesCase{"symbols_are_dropped", {"Dark-Blue v2"}, {"class var DarkBluev2: TqoThemeDarkBluev2;"}},
        TThemeNamesCase{"leading_digit", {"2024"}, {"class var _2024: TqoTheme_2024;"}},
        TThemeNamesCase{"reserved_word", {"Type"}, {"class var &Type: TqoThemeType;"}},
        TThemeNamesCase{"reserved_word_outside_the_asset_list", {"Record"}, {"class var &Record: TqoThemeRecord;"}},
        TThemeNamesCase{"only_symbols", {"---"}, {"class var _: TqoTheme_;"}}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// Themes holding only bitmap sets: the public section names TqoCurrentTheme, so the unit
// declares it, with the uses clauses its functions need.
TEST(ConstantsGeneratorTest, ThemeBitmapsWithoutColorsStillDeclareTheCurrentTheme)
{
    TqoAssetsManager Manager;
    Manager.Add(std::make_shared<TqoAssetThemeContainer>("Dark"));
    Manager.Add(Bitmap("Dark\\Logo"));
    const QStringList Lines = TqoAssetsConstsGenerator::GenerateLines(Manager);
    qsizetype Last = -1;
    for (const char* Text : {"  ORVO.Assets;", "    TqoCurrentTheme = record",
                             "    class var CurrentTheme: TqoCurrentTheme;", "implementation", "  ORVO.Application;",
                             "class function TqoAssetsConstants.TqoThemeBitmaps.LOGO: TqoAssetName; "}) {
        const qsizetype At = Lines.indexOf(QString::fromUtf8(Text), Last + 1);
        EXPECT_GT(At, Last) << Text;
        Last = std::max(At, Last);
    }
}

} // namespace
