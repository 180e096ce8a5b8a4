// Clean-up of redundant color variants at load, and the names the model refuses.

#include "assets/designer/ORVO.Assets.Designer.h"

#include "TestData.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace core;
using orvo::TqoAssetsModel;

namespace {

struct TVariant
{
    const char* Name;
    TqoPlatform Platform;
    TqoDeviceClass DeviceClass;
    std::optional<TqoAlphaColor> Color; // nullopt: an empty color asset
};

constexpr auto All = TqoPlatform::All;
constexpr auto Android = TqoPlatform::Android;
constexpr auto iOS = TqoPlatform::iOS;
constexpr auto AnyDevice = TqoDeviceClass::All;
constexpr auto Tablet = TqoDeviceClass::Tablet;
constexpr auto Watch = TqoDeviceClass::Watch;

} // namespace

struct TCleanUpCase
{
    const char* Label;
    std::vector<TVariant> Variants;
    std::vector<const char*> Left; // ids that stay
};

class CleanUpTest : public testing::TestWithParam<TCleanUpCase>
{
};

TEST_P(CleanUpTest, DropsOnlyVariantsThatRepeatWhatTheyInherit)
{
    TqoAssetsModel LModel;
    int LReports = 0;
    LModel.SetOnAssetChanged([&](const QString&, orvo::TqoAssetOperation) { ++LReports; });
    for (const TVariant& V : GetParam().Variants) {
        auto LAsset = std::make_shared<TqoAssetColor>(QString::fromUtf8(V.Name), V.Platform, V.DeviceClass);
        if (V.Color)
            LAsset->SetColor(*V.Color);
        LModel.GetAssetsManager().Add(LAsset);
    }
    LModel.CleanUp();

    QStringList LLeft;
    for (const TqoAssetPtr& LAsset : LModel.GetAssetsManager().GetAllAssets())
        LLeft << LAsset->GetId();
    QStringList LExpected;
    for (const char* L : GetParam().Left)
        LExpected << QString::fromUtf8(L);
    EXPECT_EQ(LLeft, LExpected);
    EXPECT_EQ(LReports, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Model, CleanUpTest,
    testing::Values(
        TCleanUpCase{
            "tablet_equal_to_base", {{"C", All, AnyDevice, 0xFF112233}, {"C", All, Tablet, 0xFF112233}}, {"C@default"}},
        TCleanUpCase{"tablet_with_own_color",
                     {{"C", All, AnyDevice, 0xFF112233}, {"C", All, Tablet, 0xFF445566}},
                     {"C@default", "C@tablet"}},
        TCleanUpCase{"android_equal_to_base",
                     {{"C", All, AnyDevice, 0xFF112233},
                      {"C", Android, AnyDevice, 0xFF112233},
                      {"C", iOS, AnyDevice, 0xFF000000}},
                     {"C@default", "C@ios"}},
        TCleanUpCase{
            "android_tablet_equal_to_tablet",
            {{"C", All, AnyDevice, 0xFF112233}, {"C", All, Tablet, 0xFF445566}, {"C", Android, Tablet, 0xFF445566}},
            {"C@default", "C@tablet"}},
        TCleanUpCase{"ios_watch_equal_to_base_after_watch_dropped",
                     {{"C", All, AnyDevice, 0xFF112233}, {"C", All, Watch, 0xFF112233}, {"C", iOS, Watch, 0xFF112233}},
                     {"C@default"}},
        TCleanUpCase{
            "ios_tablet_differing_from_tablet",
            {{"C", All, AnyDevice, 0xFF112233}, {"C", All, Tablet, 0xFF445566}, {"C", iOS, Tablet, 0xFF112233}},
            {"C@default", "C@tablet", "C@ios-tablet"}},
        // Transparent black is a real color: with no base it is not taken for a repeat of one.
        TCleanUpCase{
            "zero_without_base",
            {{"C", All, Tablet, 0x00000000}, {"C", Android, AnyDevice, 0x00000000}, {"C", iOS, Watch, 0x00000000}},
            {"C@tablet", "C@android", "C@ios-watch"}},
        TCleanUpCase{"zero_under_empty_base",
                     {{"C", All, AnyDevice, std::nullopt},
                      {"C", All, Tablet, 0x00000000},
                      {"C", Android, AnyDevice, 0x00000000}},
                     {"C@default", "C@tablet", "C@android"}},
        TCleanUpCase{
            "zero_base_is_inherited",
            {{"C", All, AnyDevice, 0x00000000}, {"C", All, Tablet, 0x00000000}, {"C", Android, AnyDevice, 0x00000000}},
            {"C@default"}},
        TCleanUpCase{"android_tablet_under_tablet_without_base",
                     {{"C", All, Tablet, 0xFF445566}, {"C", Android, Tablet, 0xFF445566}},
                     {"C@tablet"}},
        TCleanUpCase{"names_are_separate",
                     {{"A", All, AnyDevice, 0xFF112233}, {"B", All, Tablet, 0xFF112233}},
                     {"A@default", "B@tablet"}}),
    [](const auto& AInfo) { return std::string(AInfo.param.Label); });

TEST(ModelCleanUp, OtherKindsAreLeftAlone)
{
    TqoAssetsModel LModel;
    auto& LManager = LModel.GetAssetsManager();
    LManager.Add(std::make_shared<TqoAssetColor>(QStringLiteral("X"), 0xFF112233u));
    auto LFile = std::make_shared<TqoAssetFile>(QStringLiteral("X"), TqoPlatform::All, TqoDeviceClass::Tablet);
    LManager.Add(LFile);
    LModel.CleanUp();
    EXPECT_EQ(LManager.Count(), 2);
}

struct TNameCase
{
    const char* Label;
    const char* Name;
    bool Accepted;
    const char* Stored; // the stored form when accepted
};

class AssetNameTest : public testing::TestWithParam<TNameCase>
{
};

TEST_P(AssetNameTest, RefusesNamesThatLeaveTheAssetsFolder)
{
    const QString LName = QString::fromUtf8(GetParam().Name);
    if (GetParam().Accepted) {
        EXPECT_EQ(TqoAssetsModel::NormalizeAssetName(LName), QString::fromUtf8(GetParam().Stored));
        return;
    }
    EXPECT_THROW(TqoAssetsModel::NormalizeAssetName(LName), orvo::EqoAssetNameError);
    // Every add refuses it before the manager sees it.
    TqoAssetsModel LModel;
    EXPECT_THROW(LModel.AddColor(LName, 0xFF000000u), orvo::EqoAssetNameError);
    EXPECT_THROW(LModel.AddEmptyFile(LName), orvo::EqoAssetNameError);
    EXPECT_EQ(LModel.GetAssetsManager().Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Model, AssetNameTest,
    testing::Values(TNameCase{"plain", "Icons\\Back", true, "Icons\\Back"},
                    TNameCase{"slashes_and_blanks", " Icons / Back ", true, "Icons\\Back"},
                    TNameCase{"device_prefix_in_longer_word", "Console", true, "Console"},
                    TNameCase{"com_with_two_digits", "COM10", true, "COM10"},
                    TNameCase{"dots_inside_a_level", "a..b", true, "a..b"}, TNameCase{"empty", "  ", false, ""},
                    TNameCase{"parent", "..\\x", false, ""}, TNameCase{"parent_inside", "Icons\\..\\..\\x", false, ""},
                    TNameCase{"current", ".\\x", false, ""}, TNameCase{"rooted_slash", "/etc/passwd", false, ""},
                    TNameCase{"rooted_backslash", "\\x", false, ""}, TNameCase{"drive", "C:\\x", false, ""},
                    TNameCase{"drive_relative", "c:x", false, ""}, TNameCase{"device", "CON", false, ""},
                    TNameCase{"device_lower_with_extension", "Icons\\nul.txt", false, ""},
                    TNameCase{"device_numbered", "lpt1", false, ""},
                    TNameCase{"forbidden_character", "a|b", false, ""}),
    [](const auto& AInfo) { return std::string(AInfo.param.Label); });

TEST(ModelNames, RenameToAnEscapingNameChangesNothing)
{
    TqoAssetsModel LModel;
    LModel.AddColor(QStringLiteral("A"), 1u);
    EXPECT_THROW(LModel.Rename(QStringLiteral("A"), QStringLiteral("..\\A")), orvo::EqoAssetNameError);
    EXPECT_TRUE(LModel.GetAssetsManager().Contains(QStringLiteral("A")));
}
