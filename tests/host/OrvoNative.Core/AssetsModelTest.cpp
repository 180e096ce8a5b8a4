#include "ORVO.Assets.h"
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace core;

// ---------------------------------------------------------------------------------------------
// Names

struct NormalizeCase
{
    const char* Name;
    const char* Input;
    const char* Expected;
};

class NameNormalizeTest : public ::testing::TestWithParam<NormalizeCase>
{
};

TEST_P(NameNormalizeTest, Normalizes)
{
    EXPECT_EQ(TqoAssetNameHelper::Normalize(QString::fromUtf8(GetParam().Input)),
              QString::fromUtf8(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameNormalizeTest,
    ::testing::Values(NormalizeCase{"Plain", "Icon", "Icon"},
                      NormalizeCase{"Nested", "Icons\\Arrows\\Back", "Icons\\Arrows\\Back"},
                      NormalizeCase{"OuterBlanksAndSeparators", "  \\Icons\\Back\\ ", "Icons\\Back"},
                      NormalizeCase{"EmptyLevelsCollapse", "Icons\\\\\\Back", "Icons\\Back"},
                      NormalizeCase{"BlankLevelsCollapse", "Icons\\  \\Back", "Icons\\Back"},
                      NormalizeCase{"LevelsAreTrimmed", "Icons \\ Back", "Icons\\Back"},
                      NormalizeCase{"InnerBlanksStay", "My Icons\\Back arrow", "My Icons\\Back arrow"},
                      NormalizeCase{"SlashIsASeparator", "Icons/Back", "Icons\\Back"},
                      NormalizeCase{"NonAsciiStays", "Иконки\\Назад", "Иконки\\Назад"},
                      NormalizeCase{"DotsInANameStay", "v1.2\\logo.dark", "v1.2\\logo.dark"},
                      NormalizeCase{"OnlySeparators", " \\ \\ ", ""}, NormalizeCase{"Empty", "", ""},
                      NormalizeCase{"ParentLevel", "Icons\\..\\..\\Secret", ""},
                      NormalizeCase{"CurrentLevel", ".\\Icon", ""}, NormalizeCase{"Drive", "C:\\Icons\\Back", ""},
                      NormalizeCase{"Wildcard", "Icons\\*", ""}, NormalizeCase{"ControlCharacter", "Icon\tX", ""}),
    testdata::TCaseName());

TEST(NameHelperTest, PathAndShortNameSplitAtTheLastSeparator)
{
    EXPECT_EQ(TqoAssetNameHelper::Path("Icons\\Arrows\\Back"), QStringLiteral("Icons\\Arrows"));
    EXPECT_EQ(TqoAssetNameHelper::ShortName("Icons\\Arrows\\Back"), QStringLiteral("Back"));
    EXPECT_EQ(TqoAssetNameHelper::Path("Back"), QString());
    EXPECT_EQ(TqoAssetNameHelper::ShortName("Back"), QStringLiteral("Back"));
    EXPECT_EQ(TqoAssetNameHelper::Combine("Icons\\", "Back"), QStringLiteral("Icons\\Back"));
    EXPECT_EQ(TqoAssetNameHelper::Combine("", "Back"), QStringLiteral("Back"));
}

// ---------------------------------------------------------------------------------------------
// Variants

struct TargetCase
{
    const char* Name;
    TqoPlatform Platform;
    TqoDeviceClass DeviceClass;
    const char* TargetId;
    const char* DisplayName;
};

class TargetTest : public ::testing::TestWithParam<TargetCase>
{
};

TEST_P(TargetTest, IdAndDisplayName)
{
    const TargetCase& c = GetParam();
    TqoAssetColor asset("Icons\\Back", c.Platform, c.DeviceClass);
    EXPECT_EQ(asset.GetTargetId(), QLatin1String(c.TargetId));
    EXPECT_EQ(asset.GetTargetDeviceDisplayName(), QLatin1String(c.DisplayName));
    EXPECT_EQ(asset.GetId(), QStringLiteral("Icons\\Back@") + QLatin1String(c.TargetId));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TargetTest,
    ::testing::Values(TargetCase{"Universal", TqoPlatform::All, TqoDeviceClass::All, "default", "Universal"},
                      TargetCase{"Android", TqoPlatform::Android, TqoDeviceClass::All, "android", "Android"},
                      TargetCase{"iOS", TqoPlatform::iOS, TqoDeviceClass::All, "ios", "iOS"},
                      TargetCase{"Tablet", TqoPlatform::All, TqoDeviceClass::Tablet, "tablet", "Tablet"},
                      TargetCase{"iOSTablet", TqoPlatform::iOS, TqoDeviceClass::Tablet, "ios-tablet", "iOS Tablet"},
                      TargetCase{"AndroidSmall", TqoPlatform::Android, TqoDeviceClass::PhoneSmall,
                                 "android-phone-small", "Android Phone Small"},
                      TargetCase{"Watch", TqoPlatform::All, TqoDeviceClass::Watch, "watch", "Watch"}),
    testdata::TCaseName());

TEST(AssetComparerTest, AllPlatformsFirstThenDeviceClassesInOrder)
{
    TqoAssetGroup group("Icon");
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::iOS, TqoDeviceClass::All));
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::All, TqoDeviceClass::Tablet));
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::Android, TqoDeviceClass::PhoneLarge));
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::Android, TqoDeviceClass::All));
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::All, TqoDeviceClass::All));
    group.Add(std::make_shared<TqoAssetColor>("Icon", TqoPlatform::All, TqoDeviceClass::PhoneSmall));
    group.Sort();

    QStringList order;
    for (const TqoAssetPtr& asset : group.GetAssets())
        order.append(asset->GetTargetId());
    EXPECT_EQ(order, (QStringList{"default", "phone-small", "tablet", "android", "android-phone-large", "ios"}));
}

TEST(AssetComparerTest, SameVariantOrdersByNameThenKind)
{
    const TqoAssetColor a("A");
    const TqoAssetColor b("B");
    const TqoAssetFont aFont("A");
    EXPECT_LT(TqoAssetComparer::Compare(a, b), 0);
    EXPECT_GT(TqoAssetComparer::Compare(b, a), 0);
    EXPECT_LT(TqoAssetComparer::Compare(a, aFont), 0); // "color" < "font"
    EXPECT_EQ(TqoAssetComparer::Compare(a, a), 0);
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
        M.Add(std::make_shared<TqoAssetThemeContainer>("Light"));
    }
    TqoAlphaColor ColorOf(const TqoAssetPtr& A) { return std::dynamic_pointer_cast<TqoAssetColor>(A)->GetColor(); }
    TqoAssetsManager M;
};

TEST_F(AssetsManagerTest, AddingTheSameVariantReplacesItInPlace)
{
    const auto replacement = std::make_shared<TqoAssetColor>("Icons\\Back", 0xFF0000AA, TqoPlatform::Android);
    M.Add(replacement);
    EXPECT_EQ(M.Count(), 6);
    EXPECT_EQ(M.GetAllAssets()[1], replacement);
    EXPECT_EQ(M.Find("Icons\\Back", TqoPlatform::Android, TqoDeviceClass::All), replacement);
}

TEST_F(AssetsManagerTest, RemoveByNameTakesEveryVariant)
{
    EXPECT_TRUE(M.Remove(QStringLiteral("Icons\\Back")));
    EXPECT_FALSE(M.Contains("Icons\\Back"));
    EXPECT_EQ(M.Find("Icons\\Back", TqoPlatform::Android, TqoDeviceClass::All), nullptr);
    EXPECT_EQ(M.Count(), 4);
    EXPECT_FALSE(M.Remove(QStringLiteral("Icons\\Back")));
}

TEST_F(AssetsManagerTest, RemoveByAssetTakesOnlyThatVariant)
{
    const TqoAssetPtr android = M.Find("Icons\\Back", TqoPlatform::Android, TqoDeviceClass::All);
    EXPECT_TRUE(M.Remove(android));
    EXPECT_TRUE(M.Contains("Icons\\Back"));
    EXPECT_EQ(M.Find("Icons\\Back", TqoPlatform::Android, TqoDeviceClass::All), nullptr);
    EXPECT_EQ(ColorOf(android), 0xFF000002u); // still alive for whoever holds it
}

TEST_F(AssetsManagerTest, RenameMovesEveryVariantAndTheIds)
{
    EXPECT_TRUE(M.Rename("Icons\\Back", "Arrows\\Back"));
    EXPECT_FALSE(M.Contains("Icons\\Back"));
    EXPECT_EQ(ColorOf(M.Find("Arrows\\Back", TqoPlatform::Android, TqoDeviceClass::All)), 0xFF000002u);
    EXPECT_EQ(ColorOf(M.FindById("Arrows\\Back@default")), 0xFF000001u);
}

TEST_F(AssetsManagerTest, RenameRefusesWhatItCannotDo)
{
    EXPECT_FALSE(M.Rename("Icons\\Back", "Icons\\Add"));  // taken
    EXPECT_FALSE(M.Rename("Missing", "Other"));           // absent
    EXPECT_FALSE(M.Rename("Icons\\Back", "Icons\\Back")); // same
    EXPECT_TRUE(M.Contains("Icons\\Back"));
    EXPECT_EQ(M.Count(), 6);
}

// Names become folders below the assets folder: the manager never holds one that leads elsewhere.
TEST_F(AssetsManagerTest, UnusableNamesAreRefused)
{
    for (const char* name : {"", "..\\Outside", "C:\\Icons", " Icon", "Icons\\\\Back"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(M.Add(std::make_shared<TqoAssetColor>(name)), EqoAssertionFailed);
        EXPECT_THROW(M.Rename("Icons\\Back", name), EqoAssertionFailed);
    }
    EXPECT_EQ(M.Count(), 6);
    EXPECT_TRUE(M.Contains("Icons\\Back"));
}

TEST_F(AssetsManagerTest, ResolveFallsBackFromTheExactVariantToTheUniversalOne)
{
    EXPECT_EQ(ColorOf(M.Resolve("Icons\\Back", TqoPlatform::Android, TqoDeviceClass::Tablet)), 0xFF000002u);
    EXPECT_EQ(ColorOf(M.Resolve("Icons\\Back", TqoPlatform::iOS, TqoDeviceClass::Tablet)), 0xFF000001u);
    EXPECT_EQ(ColorOf(M.Resolve("Icons\\Add", TqoPlatform::iOS, TqoDeviceClass::Tablet)), 0xFF000003u);
    EXPECT_EQ(M.Resolve("Icons\\Add", TqoPlatform::iOS, TqoDeviceClass::Watch), nullptr);
    EXPECT_EQ(M.ResolveAs<TqoAssetFont>("Icons\\Back", TqoPlatform::iOS, TqoDeviceClass::All), nullptr);
}

TEST_F(AssetsManagerTest, GroupsNamesAndThemes)
{
    const std::vector<TqoAssetGroup> groups = M.GetGroupedAssets();
    QStringList names;
    for (const TqoAssetGroup& group : groups)
        names.append(QStringLiteral("%1:%2").arg(group.GetName()).arg(group.Count()));
    EXPECT_EQ(names, (QStringList{"Icons\\Back:2", "Icons\\Add:1", "Dark:1", "Dark\\Primary:1", "Light:1"}));
    EXPECT_EQ(M.GetAssetsNames(), (QStringList{"Icons\\Back", "Icons\\Add", "Dark", "Dark\\Primary", "Light"}));
    EXPECT_EQ(M.GetAssetsNames([](const QString& N) { return N.startsWith("Icons\\"); }),
              (QStringList{"Icons\\Back", "Icons\\Add"}));
    EXPECT_EQ(M.GetThemesNames(), (QStringList{"Dark", "Light"}));
    EXPECT_EQ(M.GetAssets([](const TqoAsset& A) { return A.GetPlatform() == TqoPlatform::Android; }).size(), 1u);
}

TEST(AssetsManagerHelperTest, AddColorOverwritesOnlyWhenAsked)
{
    TqoAssetsManager manager;
    const auto first = TqoAssetsManagerHelper::AddColor(manager, "Primary", 0xFF000001, true);
    EXPECT_EQ(TqoAssetsManagerHelper::AddColor(manager, "Primary", 0xFF000002, false), first);
    EXPECT_EQ(first->GetColor(), 0xFF000001u);
    TqoAssetsManagerHelper::AddColor(manager, "Primary", 0xFF000003, true);
    EXPECT_EQ(first->GetColor(), 0xFF000003u);
    EXPECT_EQ(manager.Count(), 1);
}

// ---------------------------------------------------------------------------------------------
// Kinds

TEST(AssetCloneTest, CloneIsADeepCopyUnderTheNewName)
{
    TqoAssetBitmapSet set("Icon", TqoPlatform::iOS, TqoDeviceClass::Tablet);
    set.Add(std::make_unique<TqoBitmapInfo>("a.png", 1.0f))->SetTint(0xFF00FF00);
    const std::unique_ptr<TqoAsset> copy = set.Clone("Icon-1");
    auto* copySet = dynamic_cast<TqoAssetBitmapSet*>(copy.get());
    ASSERT_NE(copySet, nullptr);
    EXPECT_EQ(copy->GetId(), QStringLiteral("Icon-1@ios-tablet"));
    ASSERT_EQ(copySet->Count(), 1);
    copySet->GetBitmapInfos()[0]->SetUri("b.png");
    EXPECT_EQ(set.GetBitmapInfos()[0]->GetUri(), QStringLiteral("a.png"));
    EXPECT_EQ(copySet->GetBitmapInfos()[0]->GetTint().Value(), 0xFF00FF00u);

    TqoAssetSVG svg("Logo");
    svg.GetVectorDocument().DrawPath("M0 0");
    const std::unique_ptr<TqoAsset> svgCopy = svg.Clone("Logo-1");
    dynamic_cast<TqoAssetSVG&>(*svgCopy).GetVectorDocument().DrawPath("M1 1");
    EXPECT_EQ(svg.GetVectorDocument().Commands().size(), 1u);
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
    EXPECT_TRUE(set.Contains(1.5f));
    EXPECT_FALSE(set.Contains(3.0f));

    TqoBitmapInfo* info = nullptr;
    ASSERT_TRUE(set.FindBitmapInfo(info));
    EXPECT_EQ(info->GetScale(), 2.0f);
    TqoBitmap bitmap;
    ASSERT_TRUE(set.FindBitmap(bitmap));
    EXPECT_EQ(bitmap.GetWidth(), 4);

    // An in-memory bitmap takes over from the file, even on an earlier info.
    set.GetBitmapInfos()[0]->SetBitmap(TqoBitmap(8, 8));
    ASSERT_TRUE(set.FindBitmapInfo(info));
    EXPECT_EQ(info->GetScale(), 1.0f);
    EXPECT_EQ(info->GetSource(), TqoBitmapInfo::TqoSource::Memory);
}

TEST(BitmapSetTest, NoBitmapAtAll)
{
    TqoAssetBitmapSet set("Icon");
    set.Add(1.0f);
    TqoBitmapInfo* info = nullptr;
    EXPECT_FALSE(set.FindBitmapInfo(info));
    EXPECT_TRUE(set.IsEmpty());
    EXPECT_THROW(set.GetBitmapInfos()[0]->GetBitmap(), EqoException);
}

TEST(SvgAssetTest, ContentAndFileNameResolveAgainstTheBasePath)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Images/Logo");
    QFile file(dir.filePath("Images/Logo/default.svg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<svg>é</svg>");
    file.close();

    TqoAssetSVG svg("Images\\Logo");
    EXPECT_EQ(svg.GetSVGFileName(), QString());
    EXPECT_EQ(svg.GetSVGContent(), QString());
    svg.SetSVGUri("Images\\Logo\\default.svg");
    svg.SetBasePath(dir.path());
    EXPECT_EQ(svg.GetSVGFileName(), dir.filePath("Images/Logo/default.svg"));
    EXPECT_EQ(svg.GetSVGContent(), QStringLiteral("<svg>é</svg>"));
}

TEST(FileAssetTest, DisplayTexts)
{
    EXPECT_EQ(TqoAssetFile::FileLocationDisplayText(TqoFileLocation::PublicDocuments),
              QStringLiteral("Public documents"));
    EXPECT_EQ(TqoAssetFile::ExtractionRuleDisplayText(TqoExtractionRule::Skip),
              QStringLiteral("Skip, if the file is exist"));
}
