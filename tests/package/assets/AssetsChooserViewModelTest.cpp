// The chooser's list without a window: which assets, under which names, in which order,
// with which previews.

#include "assets/editors/Form.AssetsChooser.ViewModel.h"

#include "TestData.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using orvo::TqoAssetType;
using orvo::TqoAssetTypes;

std::shared_ptr<core::TqoAssetsManager> MakeManager()
{
    auto LManager = std::make_shared<core::TqoAssetsManager>();
    LManager->Add(std::make_shared<core::TqoAssetColor>("zeta", 0xFF112233));
    LManager->Add(std::make_shared<core::TqoAssetColor>("Alpha", 0xFF445566));
    LManager->Add(std::make_shared<core::TqoAssetColor>("Ärger", 0xFF445566));
    LManager->Add(std::make_shared<core::TqoAssetColor>("_under", 0xFF445566));
    LManager->Add(std::make_shared<core::TqoAssetThemeContainer>("Light"));
    LManager->Add(std::make_shared<core::TqoAssetColor>("Light\\Text", 0xFF212121));
    LManager->Add(std::make_shared<core::TqoAssetFont>("Font"));
    auto LLogo = std::make_shared<core::TqoAssetBitmapSet>("Logo");
    core::TqoBitmap LWide(40, 20);
    LWide.Clear(0xFFFF0000);
    LLogo->Add(1.0f)->SetBitmap(LWide);
    LManager->Add(LLogo);
    LManager->Add(std::make_shared<core::TqoAssetBitmapSet>("Empty"));
    return LManager;
}

QStringList Names(const orvo::TGraphicAssetChooserViemModel& AModel)
{
    QStringList LNames;
    for (const orvo::TqoGraphicItem* LItem : AModel.VisibleItems())
        LNames << LItem->Name;
    return LNames;
}

struct TListCase
{
    const char* Name;
    TqoAssetTypes Types;
    QString Filter;
    QStringList Expected;
};

class ChooserList : public testing::TestWithParam<TListCase>
{
};

TEST_P(ChooserList, ListsTheOfferedAssetsSorted)
{
    orvo::TGraphicAssetChooserViemModel LModel(MakeManager());
    LModel.SetAssetTypes(GetParam().Types);
    LModel.SetFilter(GetParam().Filter);
    EXPECT_EQ(Names(LModel), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooserList,
    testing::Values(
        // Only a to z fold: "_" sorts before letters, "Ä" after them.
        TListCase{"ColorsFoldOnlyAsciiLetters",
                  {TqoAssetType::Colors},
                  "",
                  {"_under", "Alpha", "Light:Text", "zeta", "Ärger"}},
        TListCase{"BitmapsWithoutPreviewStayListed", {TqoAssetType::Bitmaps}, "", {"Empty", "Logo"}},
        TListCase{"FontsAndFilesOfferNothing", {TqoAssetType::Fonts, TqoAssetType::Files}, "", {}},
        TListCase{"FilterIgnoresCase", {TqoAssetType::Colors, TqoAssetType::Bitmaps}, "LO", {"Logo"}},
        // The filter sees the asset's own name, not the one shown.
        TListCase{"FilterMatchesTheStoredThemeName", {TqoAssetType::Colors}, "light\\", {"Light:Text"}},
        TListCase{"FilterMatchingNothing", {TqoAssetType::Colors}, "qqq", {}}),
    testdata::TCaseName());

TEST(ChooserViewModel, DefaultsToBitmapsAndClearingTheFilterRestoresAll)
{
    orvo::TGraphicAssetChooserViemModel LModel(MakeManager());
    LModel.BuildModel();
    LModel.SetFilter("qqq");
    int LChanges = 0;
    LModel.OnChanged = [&] { ++LChanges; };
    LModel.SetFilter("");
    EXPECT_EQ(Names(LModel), QStringList({"Empty", "Logo"}));
    EXPECT_EQ(LChanges, 1);
}

TEST(ChooserViewModel, NamesDifferingInCaseGiveOneItemOfTheLaterAsset)
{
    auto LManager = std::make_shared<core::TqoAssetsManager>();
    LManager->Add(std::make_shared<core::TqoAssetColor>("beta", 0xFF0000FF));
    LManager->Add(std::make_shared<core::TqoAssetColor>("BETA", 0xFF00FF00));
    orvo::TGraphicAssetChooserViemModel LModel(LManager);
    LModel.SetAssetTypes({TqoAssetType::Colors});
    ASSERT_EQ(Names(LModel), QStringList({"BETA"}));
    EXPECT_EQ(LModel.VisibleItems()[0]->Preview().pixel(5, 5), 0xFF00FF00u);
}

TEST(ChooserViewModel, PreviewsOfColorsAndBitmaps)
{
    auto LManager = MakeManager();
    LManager->Add(std::make_shared<core::TqoAssetColor>("Clear", 0x00000000));
    orvo::TGraphicAssetChooserViemModel LModel(LManager);
    LModel.SetAssetTypes({TqoAssetType::Colors, TqoAssetType::Bitmaps});
    LModel.SetFilter("clear");
    ASSERT_EQ(LModel.VisibleItems().size(), 1u);
    // A color of value 0 would be invisible: it shows as opaque black.
    EXPECT_EQ(LModel.VisibleItems()[0]->Preview().pixel(10, 10), 0xFF000000u);
    EXPECT_TRUE(LModel.VisibleItems()[0]->OwnsPreview());

    LModel.SetFilter("logo");
    const QImage& LLogo = LModel.VisibleItems()[0]->Preview();
    EXPECT_EQ(LLogo.size(), QSize(20, 20));
    // The 2:1 bitmap is fitted and centered: red in the middle, clear above it.
    EXPECT_EQ(LLogo.pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(qAlpha(LLogo.pixel(10, 2)), 0);

    LModel.SetFilter("empty");
    EXPECT_FALSE(LModel.VisibleItems()[0]->OwnsPreview());
}

// Kinds whose previews come from files or icons: a preview only when there is something to show.
TEST(ChooserViewModel, PreviewsOfSvgStyleAndLottieAssets)
{
    QTemporaryDir LDir;
    const QString LSvgFile = LDir.filePath("red.svg");
    ASSERT_TRUE(testdata::WriteAll(LSvgFile, R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10">)"
                                             R"(<rect width="10" height="10" fill="#ff0000"/></svg>)"));
    ASSERT_TRUE(testdata::WriteAll(LDir.filePath("broken.json"), "{"));
    auto LManager = std::make_shared<core::TqoAssetsManager>();
    const auto LAddSvg = [&](const QString& AName, const QString& AFile) {
        auto LSvg = std::make_shared<core::TqoAssetSVG>(AName);
        LSvg->SetSVGUri(AFile);
        LManager->Add(LSvg);
    };
    LAddSvg("SvgRed", LSvgFile);
    LAddSvg("SvgMissing", LDir.filePath("missing.svg"));
    const auto LAddStyle = [&](const QString& AName, const QString& AClass) {
        auto LStyle = std::make_shared<core::TqoAssetStyle>(AName);
        LStyle->SetStyleClass(AClass);
        LManager->Add(LStyle);
    };
    LAddStyle("StyleIcon", "TqoActivityIndicator");
    LAddStyle("StyleNoClass", "");
    LAddStyle("StyleUnknownClass", "TqoNoSuchControl");
    auto LLottie = std::make_shared<core::TqoAssetLottieAnimation>("LottieBroken");
    LLottie->SetUri(LDir.filePath("broken.json"));
    LManager->Add(LLottie);

    orvo::TGraphicAssetChooserViemModel LModel(LManager);
    LModel.SetAssetTypes({TqoAssetType::SVG, TqoAssetType::Styles, TqoAssetType::LottieAnimations});
    QStringList LWithPreview;
    for (const orvo::TqoGraphicItem* LItem : LModel.VisibleItems())
        if (LItem->OwnsPreview())
            LWithPreview << LItem->Name;
    EXPECT_EQ(LWithPreview, QStringList({"StyleIcon", "SvgRed"}));
    EXPECT_EQ(LModel.VisibleItems().size(), 6u);
    LModel.SetFilter("svgred");
    EXPECT_EQ(LModel.VisibleItems()[0]->Preview().pixel(10, 10), 0xFFFF0000u);
}

TEST(ChooserViewModel, ScaleResizesThePreviews)
{
    orvo::TGraphicAssetChooserViemModel LModel(MakeManager());
    LModel.SetAssetTypes({TqoAssetType::Colors});
    LModel.SetScale(1.5);
    EXPECT_EQ(LModel.GetPreviewSize(), QSize(30, 30));
    EXPECT_EQ(LModel.VisibleItems()[0]->Preview().size(), QSize(30, 30));
}

TEST(ChooserViewModel, ThemeNamesConvertBothWays)
{
    orvo::TGraphicAssetChooserViemModel LModel(MakeManager());
    EXPECT_EQ(LModel.ConvertAssetNameToThemeRelated("Light\\Primary\\Color"), "Light:Primary\\Color");
    EXPECT_EQ(LModel.ConvertAssetNameToThemeRelated("Lighter\\Color"), "Lighter\\Color");
    EXPECT_EQ(LModel.ConvertThemeRelatedToAssetName("Light:Primary\\Color"), "Light\\Primary\\Color");
    LModel.SetAssetTypes({TqoAssetType::Colors});
    LModel.SetFilter("text");
    EXPECT_EQ(LModel.VisibleItems()[0]->Caption, "Light -> Text");
}

} // namespace
