#include "ORVO.Assets.h"
#include "TestData.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace core;

// ---------------------------------------------------------------------------------------------
// Names: a typed name is stored in its normal form or refused with the reason.

struct NameCase
{
    const char* Name;
    QString Input;
    QString Stored;  // empty: refused
    const char* Why; // part of the reason when refused
};

using NameRuleTest = ::testing::TestWithParam<NameCase>;

TEST_P(NameRuleTest, TypedNameIsStoredOrRefused)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(TqoAssetNameHelper::Normalize(c.Input), c.Stored);
    const QString why = TqoAssetNameHelper::CheckTyped(c.Input);
    if (!c.Stored.isEmpty())
        EXPECT_EQ(TqoAssetNameHelper::Check(c.Stored), QString());
    else
        EXPECT_TRUE(why.contains(QLatin1String(c.Why))) << why.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameRuleTest,
    ::testing::Values(NameCase{"Nested", "Icons\\Arrows\\Back", "Icons\\Arrows\\Back", ""},
                      NameCase{"SlashesBlanksAndTrailingSeparator", " Icons / Back \\ ", "Icons\\Back", ""},
                      NameCase{"DoubledSeparatorsCollapse", "Icons\\\\Back", "Icons\\Back", ""},
                      NameCase{"NonAscii", "Иконки\\Назад", "Иконки\\Назад", ""},
                      NameCase{"DotsInsideALevel", "v1.2\\a..b", "v1.2\\a..b", ""},
                      NameCase{"DeviceWordsInLongerLevels", "Console\\COM10\\Nul_Icon", "Console\\COM10\\Nul_Icon", ""},
                      NameCase{"LongestLevels", QString(80, 'a') + "\\" + QString(80, 'b') + "\\" + QString(38, 'c'),
                               QString(80, 'a') + "\\" + QString(80, 'b') + "\\" + QString(38, 'c'), ""},
                      NameCase{"Blank", "  ", "", "empty"},
                      NameCase{"ParentLevel", "Icons\\..\\..\\Secret", "", "outside the assets folder"},
                      NameCase{"CurrentLevel", ".\\Icon", "", "outside the assets folder"},
                      NameCase{"Rooted", "/etc/Logo", "", "outside the assets folder"},
                      NameCase{"Drive", "C:\\Icons", "", "drive"}, NameCase{"DriveRelative", "c:Icons", "", "drive"},
                      NameCase{"Wildcard", "Icons\\*", "", "not allowed"},
                      NameCase{"ControlCharacter", "Icon\tX", "", "not allowed"},
                      NameCase{"TrailingDot", "x.", "", "ends with a dot"},
                      NameCase{"FolderEndsWithADot", "Icons.\\Back", "", "ends with a dot"},
                      NameCase{"DeviceWithExtension", "Icons\\nul.txt", "", "device name"},
                      NameCase{"NumberedDevice", "lpt1", "", "device name"},
                      NameCase{"VeryLongName", QString(4096, 'a'), "", "longer than 200"},
                      NameCase{"LongLevel", QString(81, 'a'), "", "longer than 80"}),
    testdata::TCaseName());

TEST(NameRuleTest, StoredNamesAreTakenOnlyInTheirNormalForm)
{
    for (const char* name : {" Icon", "Icon ", "Icons\\ Back", "Icons\\\\Back", "\\Icon", "Icon\\"})
        EXPECT_NE(TqoAssetNameHelper::Check(QString::fromUtf8(name)), QString()) << name;
}

// ---------------------------------------------------------------------------------------------
// Kinds and variants

TEST(AssetKindsTest, EveryKeyMakesItsKindAndOnlyThose)
{
    const QStringList keys = TqoAssetKinds::Keys();
    EXPECT_EQ(keys.size(), 8);
    for (const QString& key : keys) {
        const std::unique_ptr<TqoAsset> asset =
            TqoAssetKinds::Create(key, "A", TqoPlatform::Android, TqoDeviceClass::Tablet);
        ASSERT_NE(asset, nullptr) << key.toStdString();
        EXPECT_EQ(asset->GetKind(), key);
        EXPECT_EQ(asset->GetId(), QStringLiteral("A@android-tablet"));
    }
    EXPECT_EQ(TqoAssetKinds::Create("Color", "A"), nullptr);
    EXPECT_EQ(static_cast<TqoAssetBitmapSet&>(*TqoAssetKinds::Create(TqoAssetBitmapSet::Kind, "A")).Count(), 0);
}

TEST(TargetTest, IdAndDisplayNameNameThePlatformThenTheDeviceClass)
{
    const TqoAssetColor universal("Icons\\Back");
    EXPECT_EQ(universal.GetId(), QStringLiteral("Icons\\Back@default"));
    EXPECT_EQ(universal.GetTargetDeviceDisplayName(), QStringLiteral("Universal"));
    EXPECT_EQ(TqoAsset::GetTargetId(TqoPlatform::All, TqoDeviceClass::Tablet), QStringLiteral("tablet"));
    EXPECT_EQ(TqoAsset::GetTargetDeviceDisplayName(TqoPlatform::Android, TqoDeviceClass::PhoneSmall),
              QStringLiteral("Android Phone Small"));
}

TEST(AssetComparerTest, AllPlatformsFirstThenDeviceClassesThenNameAndKind)
{
    TqoAssetGroup group("Icon");
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::iOS, TqoDeviceClass::All));
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::All, TqoDeviceClass::Tablet));
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::Android, TqoDeviceClass::PhoneLarge));
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::Android, TqoDeviceClass::All));
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::All, TqoDeviceClass::All));
    group.Sort();
    QStringList order;
    for (const TqoAssetPtr& asset : group.GetAssets())
        order.append(asset->GetTargetId());
    EXPECT_EQ(order, (QStringList{"default", "tablet", "android", "android-phone-large", "ios"}));
    EXPECT_LT(TqoAssetComparer::Compare(TqoAssetColor("A"), TqoAssetColor("B")), 0);
    EXPECT_LT(TqoAssetComparer::Compare(TqoAssetColor("A"), TqoAssetFont("A")), 0);
}

// ---------------------------------------------------------------------------------------------
// Manager

class AssetsManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        M.Add(std::make_shared<TqoAssetColor>("Icons\\Back", 0xFF000001));
        M.Add(std::make_shared<TqoAssetColor>("Icons\\Back", 0xFF000002, TqoPlatform::Android));
        M.Add(std::make_shared<TqoAssetColor>("Icons\\Add", 0xFF000003, TqoPlatform::All, TqoDeviceClass::Tablet));
        M.Add(std::make_shared<TqoAssetThemeContainer>("Dark"));
        M.Add(std::make_shared<TqoAssetColor>("Dark\\Primary", 0xFF000004));
    }
    TqoAlphaColor ColorOf(const TqoAssetPtr& A) { return std::dynamic_pointer_cast<TqoAssetColor>(A)->GetColor(); }
    TqoAssetsManager M;
};

TEST_F(AssetsManagerTest, AddingTheSameVariantReplacesItInPlace)
{
    const auto replacement = std::make_shared<TqoAssetColor>("Icons\\Back", 0xFF0000AA, TqoPlatform::Android);
    M.Add(replacement);
    EXPECT_EQ(M.Count(), 5);
    EXPECT_EQ(M.GetAllAssets()[1], replacement);
}

TEST_F(AssetsManagerTest, RemoveByNameTakesEveryVariantByAssetOnlyThatOne)
{
    const TqoAssetPtr android = M.Find("Icons\\Back", TqoPlatform::Android, TqoDeviceClass::All);
    EXPECT_TRUE(M.Remove(android));
    EXPECT_TRUE(M.Contains("Icons\\Back"));
    EXPECT_EQ(ColorOf(android), 0xFF000002u); // still alive for whoever holds it
    EXPECT_TRUE(M.Remove(QStringLiteral("Icons\\Back")));
    EXPECT_FALSE(M.Contains("Icons\\Back"));
    EXPECT_FALSE(M.Remove(QStringLiteral("Icons\\Back")));
    EXPECT_EQ(M.Count(), 3);
}

TEST_F(AssetsManagerTest, RenameMovesEveryVariantAndRefusesWhatItCannotDo)
{
    EXPECT_FALSE(M.Rename("Icons\\Back", "Icons\\Add"));  // taken
    EXPECT_FALSE(M.Rename("Missing", "Other"));           // absent
    EXPECT_FALSE(M.Rename("Icons\\Back", "Icons\\Back")); // same
    EXPECT_TRUE(M.Rename("Icons\\Back", "Arrows\\Back"));
    EXPECT_EQ(ColorOf(M.Find("Arrows\\Back", TqoPlatform::Android, TqoDeviceClass::All)), 0xFF000002u);
    EXPECT_EQ(ColorOf(M.FindById("Arrows\\Back@default")), 0xFF000001u);
}

// The manager is the last guard: nothing it holds can fail to be stored.
TEST_F(AssetsManagerTest, AssetsThatCannotBeStoredAreRefused)
{
    for (const char* name : {"..\\Outside", " Icon"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(M.Add(std::make_shared<TqoAssetColor>(name)), EqoAssertionFailed);
        EXPECT_THROW(M.Rename("Icons\\Back", name), EqoAssertionFailed);
    }
    auto set = std::make_shared<TqoAssetBitmapSet>("Icon");
    set->Add(1.0f);
    set->Add(1.5f)->SetScale(1.0f);
    EXPECT_THROW(M.Add(set), EqoAssertionFailed);
    EXPECT_EQ(M.Count(), 5);
}

TEST_F(AssetsManagerTest, ResolveFallsBackFromTheExactVariantToTheUniversalOne)
{
    EXPECT_EQ(ColorOf(M.Resolve("Icons\\Back", TqoPlatform::Android, TqoDeviceClass::Tablet)), 0xFF000002u);
    EXPECT_EQ(ColorOf(M.Resolve("Icons\\Back", TqoPlatform::iOS, TqoDeviceClass::Tablet)), 0xFF000001u);
    EXPECT_EQ(ColorOf(M.Resolve("Icons\\Add", TqoPlatform::iOS, TqoDeviceClass::Tablet)), 0xFF000003u);
    EXPECT_EQ(M.Resolve("Icons\\Add", TqoPlatform::iOS, TqoDeviceClass::Watch), nullptr);
}

TEST_F(AssetsManagerTest, GroupsNamesAndThemes)
{
    QStringList groups;
    for (const TqoAssetGroup& group : M.GetGroupedAssets())
        groups.append(QStringLiteral("%1:%2").arg(group.GetName()).arg(group.Count()));
    EXPECT_EQ(groups, (QStringList{"Icons\\Back:2", "Icons\\Add:1", "Dark:1", "Dark\\Primary:1"}));
    EXPECT_EQ(M.GetAssetsNames([](const QString& N) { return N.startsWith("Icons\\"); }),
              (QStringList{"Icons\\Back", "Icons\\Add"}));
    EXPECT_EQ(M.GetThemesNames(), (QStringList{"Dark"}));
}

TEST(AssetsManagerHelperTest, AddColorOverwritesOnlyWhenAsked)
{
    TqoAssetsManager manager;
    const auto first = TqoAssetsManagerHelper::AddColor(manager, "Primary", 0xFF000001, true);
    EXPECT_EQ(TqoAssetsManagerHelper::AddColor(manager, "Primary", 0xFF000002, false), first);
    EXPECT_EQ(first->GetColor(), 0xFF000001u);
    TqoAssetsManagerHelper::AddColor(manager, "Primary", 0xFF000003, true);
    EXPECT_EQ(first->GetColor(), 0xFF000003u);
    manager.Add(std::make_shared<TqoAssetFont>("Font"));
    EXPECT_THROW(TqoAssetsManagerHelper::AddColor(manager, "Font", 0, true), EqoAssertionFailed);
}

// ---------------------------------------------------------------------------------------------
// Content

TEST(AssetCloneTest, CloneIsADeepCopyUnderTheNewNameOrVariant)
{
    TqoAssetBitmapSet set("Icon", TqoPlatform::iOS, TqoDeviceClass::Tablet);
    set.Add(std::make_unique<TqoBitmapInfo>("a.png", 1.0f))->SetTint(0xFF00FF00);
    const std::unique_ptr<TqoAsset> copy = set.Clone("Icon-1");
    EXPECT_EQ(copy->GetId(), QStringLiteral("Icon-1@ios-tablet"));
    auto& copySet = dynamic_cast<TqoAssetBitmapSet&>(*copy);
    copySet.GetBitmapInfos()[0]->SetUri("b.png");
    EXPECT_EQ(set.GetBitmapInfos()[0]->GetUri(), QStringLiteral("a.png"));
    EXPECT_EQ(copySet.GetBitmapInfos()[0]->GetTint().Value(), 0xFF00FF00u);
    EXPECT_EQ(set.Clone("Icon", TqoPlatform::Android, TqoDeviceClass::All)->GetId(), QStringLiteral("Icon@android"));

    TqoAssetSVG svg("Logo");
    svg.GetVectorDocument().DrawPath("M0 0");
    const std::unique_ptr<TqoAsset> svgCopy = svg.Clone("Logo-1");
    dynamic_cast<TqoAssetSVG&>(*svgCopy).GetVectorDocument().DrawPath("M1 1");
    EXPECT_EQ(svg.GetVectorDocument().Commands().size(), 1u);
}

// Regression: 1.0 and 1.05 both gave "@10x", so one bitmap was written over the other.
TEST(BitmapSetTest, ScalesWithOneScaleTextAreOneScale)
{
    EXPECT_EQ(TqoBitmapInfo::ScaleText(0.75f), QStringLiteral("7"));
    EXPECT_EQ(TqoBitmapInfo::ScaleText(2.0f), QStringLiteral("20"));
    TqoAssetBitmapSet set("Icon");
    set.Add(1.05f);
    EXPECT_TRUE(set.Contains(1.0f));
    EXPECT_THROW(set.Add(1.0f), EqoException);
    set.AddDefaultScales();
    QStringList scales;
    for (const TqoBitmapInfo* info : set.GetBitmapInfos())
        scales << QString::number(info->GetScale());
    EXPECT_EQ(scales, (QStringList{"1.05", "1.5", "2", "3", "4"}));
    EXPECT_EQ(set.CheckScales(), QString());
    set.GetBitmapInfos()[1]->SetScale(1.0f);
    EXPECT_TRUE(set.CheckScales().contains(QLatin1String("@10x"))) << set.CheckScales().toStdString();
}

TEST(BitmapSetTest, RepresentativeIsTheFirstInfoWithABitmap)
{
    QTemporaryDir dir;
    TqoBitmap(4, 2).SaveToFile(dir.filePath("x2.png"));

    TqoAssetBitmapSet set("Icon");
    set.Add(1.0f);
    set.Add(std::make_unique<TqoBitmapInfo>("missing.png", 1.5f));
    set.Add(std::make_unique<TqoBitmapInfo>("x2.png", 2.0f));
    set.SetBasePath(dir.path());
    TqoBitmapInfo* info = nullptr;
    ASSERT_TRUE(set.FindBitmapInfo(info));
    EXPECT_EQ(info->GetScale(), 2.0f);
    TqoBitmap bitmap;
    ASSERT_TRUE(set.FindBitmap(bitmap));
    EXPECT_EQ(bitmap.GetWidth(), 4);
    EXPECT_THROW(set.GetBitmapInfos()[0]->GetBitmap(), EqoException);

    // An in-memory bitmap takes over from the file, even on an earlier info.
    set.GetBitmapInfos()[0]->SetBitmap(TqoBitmap(8, 8));
    ASSERT_TRUE(set.FindBitmapInfo(info));
    EXPECT_EQ(info->GetScale(), 1.0f);
}

TEST(SvgAssetTest, ContentAndFileNameResolveAgainstTheBasePath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testdata::WriteAll(dir.filePath("Images/Logo/default.svg"), "<svg>é</svg>"));
    TqoAssetSVG svg("Images\\Logo");
    EXPECT_EQ(svg.GetSVGContent(), QString());
    svg.SetSVGUri("Images\\Logo\\default.svg");
    svg.SetBasePath(dir.path());
    EXPECT_EQ(svg.GetSVGFileName(), dir.filePath("Images/Logo/default.svg"));
    EXPECT_EQ(svg.GetSVGContent(), QStringLiteral("<svg>é</svg>"));
}
