// The color theme generator: the colors a choice makes, the dialog's tiles and the frame's command.

#include "DemoFrameTest.h"
#include "TestData.h"
#include "assets/designer/Dialog.Assets.ColorThemeGenerator.h"
#include "assets/designer/Frame.ColorGenerator.Color.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QAction>
#include <QRadioButton>
#include <QTest>
#include <map>

using namespace orvo;

namespace {

std::map<QString, core::TqoAlphaColor> ColorMap(const TThemeChoice& AChoice)
{
    std::map<QString, core::TqoAlphaColor> LMap;
    for (const TThemeColor& LColor : ThemeColors(AChoice))
        LMap[LColor.Name] = LColor.Color;
    return LMap;
}

struct TColorCase
{
    std::string Name;
    bool LightTheme;
    QString Asset;
    core::TqoAlphaColor Color;
};

class ThemeColorsTest : public testing::TestWithParam<TColorCase>
{
};

// Red as primary with dark text on it, Teal as secondary with light text.
TEST_P(ThemeColorsTest, ColorOfAsset)
{
    const TColorCase& LCase = GetParam();
    const auto LMap = ColorMap({LCase.LightTheme, 1, 9, true, false});
    ASSERT_EQ(LMap.size(), 46u);
    ASSERT_EQ(LMap.count(LCase.Asset), 1u) << LCase.Asset.toStdString();
    EXPECT_EQ(LMap.at(LCase.Asset), LCase.Color);
}

INSTANTIATE_TEST_SUITE_P(
    Theme, ThemeColorsTest,
    testing::Values(TColorCase{"PrimaryColor", true, QStringLiteral("Primary\\Color"), 0xFFF44336},
                    TColorCase{"PrimaryLight", true, QStringLiteral("Primary\\Light Primary"), 0xFFEF9A9A},
                    TColorCase{"SecondaryDark", true, QStringLiteral("Secondary\\Dark Primary"), 0xFF00796B},
                    TColorCase{"TextOnLightTheme", true, QStringLiteral("Text\\Text"), 0xDE000000},
                    TColorCase{"TextOnDarkTheme", false, QStringLiteral("Text\\Secondary Text"), 0xB3FFFFFF},
                    TColorCase{"DarkTextOnPrimary", true, QStringLiteral("On Primary\\Hint Text"), 0x61000000},
                    TColorCase{"LightTextOnSecondary", true, QStringLiteral("On Secondary\\Disabled Text"), 0x80FFFFFF},
                    TColorCase{"ErrorLight", true, QStringLiteral("Error"), 0xFFB00020},
                    TColorCase{"ErrorDark", false, QStringLiteral("Error"), 0xFFCF6679},
                    TColorCase{"OnErrorDark", false, QStringLiteral("On Error"), 0xFF000000},
                    TColorCase{"OnErrorTextLight", true, QStringLiteral("On Error\\Text"), 0xFFFFFFFF},
                    TColorCase{"SurfaceDark", false, QStringLiteral("Surface"), 0xFF121212},
                    TColorCase{"OnSurfaceDark", false, QStringLiteral("On Surface\\Dividers"), 0x1FFFFFFF},
                    TColorCase{"BackgroundLight", true, QStringLiteral("Background"), 0xFFFFFFFF},
                    TColorCase{"OnBackgroundLight", true, QStringLiteral("On Background\\Icon"), 0x8A000000}),
    testdata::TCaseName());

void ClickTile(TDialogThemeGenerator& ADialog, int AIndex, Qt::MouseButton AButton)
{
    QTest::mouseClick(ADialog.ColorEditor(AIndex), AButton, Qt::NoModifier, QPoint(4, 4));
}

TEST(ThemeGeneratorDialogTest, ClicksChooseHuesAndTextShades)
{
    TDialogThemeGenerator LDialog;
    EXPECT_EQ(LDialog.ColorEditor(7)->Caption(), QStringLiteral("P"));
    EXPECT_EQ(LDialog.ColorEditor(9)->Caption(), QStringLiteral("S"));

    ClickTile(LDialog, 13, Qt::LeftButton); // Yellow takes dark text
    EXPECT_EQ(LDialog.PrimaryIndex(), 13);
    EXPECT_TRUE(LDialog.rbPrimaryTextDark->isChecked());
    EXPECT_EQ(LDialog.ColorEditor(7)->Caption(), QString());

    ClickTile(LDialog, 5, Qt::RightButton); // Indigo takes light text
    EXPECT_EQ(LDialog.SecondaryIndex(), 5);
    EXPECT_TRUE(LDialog.rbSecondaryTextLight->isChecked());

    ClickTile(LDialog, 2, Qt::MiddleButton);
    EXPECT_EQ(LDialog.PrimaryIndex(), 13);
    EXPECT_EQ(LDialog.SecondaryIndex(), 5);

    ClickTile(LDialog, 5, Qt::LeftButton);
    EXPECT_EQ(LDialog.ColorEditor(5)->Caption(), QStringLiteral("P/S"));
    EXPECT_EQ(LDialog.ColorEditor(13)->Caption(), QString());
}

class ThemeGeneratorFrameTest : public testdata::TDemoFrameTest
{
protected:
    testdata::TKeepDialogHook<TDialogThemeGenerator> FHook;

    void Generate() { Trigger(QStringLiteral("ActionGenerateThemeColors")); }
};

TEST_F(ThemeGeneratorFrameTest, LightRedThemeLandsInThemesFolder)
{
    TDialogThemeGenerator::ExecuteDialog = [](TDialogThemeGenerator& ADialog) {
        ClickTile(ADialog, 1, Qt::LeftButton);
        ClickTile(ADialog, 1, Qt::RightButton);
        return true;
    };
    Generate();
    Generate();

    const auto LTheme = Asset(QStringLiteral("Themes\\Light Red"));
    ASSERT_TRUE(LTheme);
    EXPECT_EQ(LTheme->GetKind(), core::TqoAssetThemeContainer::Kind);
    const auto LColor =
        std::dynamic_pointer_cast<core::TqoAssetColor>(Asset(QStringLiteral("Themes\\Light Red\\Secondary\\Color")));
    ASSERT_TRUE(LColor);
    EXPECT_EQ(LColor->GetColor(), 0xFFF44336u);
    EXPECT_TRUE(Asset(QStringLiteral("Themes\\Light Red-1\\On Background\\Dividers")));
    ASSERT_EQ(FFrame->Tree().SelectedCount(), 1);
    EXPECT_EQ(FFrame->GetAssetName(FFrame->Tree().GetSortedSelection().first()), QStringLiteral("Themes\\Light Red-1"));
    EXPECT_TRUE(FFrame->Document().GetModified());

    FFrame->Action(QStringLiteral("ActionSave"))->trigger();
    EXPECT_TRUE(testdata::ReadAll(FDir.filePath(QStringLiteral("Assets/config.json")))
                    .contains(R"("name": "Themes\\Light Red-1\\Secondary\\Color")"));
}

TEST_F(ThemeGeneratorFrameTest, CancelAddsNothing)
{
    const QStringList LBefore = FFrame->Document().GetAssetsManager().GetAssetsNames();
    TDialogThemeGenerator::ExecuteDialog = [](TDialogThemeGenerator&) { return false; };
    Generate();
    EXPECT_EQ(FFrame->Document().GetAssetsManager().GetAssetsNames(), LBefore);
}

} // namespace
