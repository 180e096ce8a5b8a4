#include "ORVO.Assets.Factory.h"

#include "TestData.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testdata::ReadAll;

using namespace core;

namespace {

std::vector<std::string> Ids(const TqoAssetsManager& AManager)
{
    std::vector<std::string> result;
    for (const TqoAssetPtr& asset : AManager.GetAllAssets())
        result.push_back(asset->GetId().toStdString());
    std::sort(result.begin(), result.end());
    return result;
}

// One asset of every kind with every field set, in several platform and device-class variants.
void FillEveryKind(TqoAssetsManager& M)
{
    M.Add(std::make_shared<TqoAssetColor>("Colors\\Primary", 0xFF2196F3));
    M.Add(std::make_shared<TqoAssetColor>("Colors\\Primary", 0x802196F3, TqoPlatform::Android, TqoDeviceClass::Tablet));
    M.Add(std::make_shared<TqoAssetColor>("Colors\\Clear", TqoAlphaColors::Null, TqoPlatform::iOS));
    M.Add(std::make_shared<TqoAssetColor>("Colors\\Unset", TqoPlatform::All, TqoDeviceClass::Watch));

    auto set = std::make_shared<TqoAssetBitmapSet>("Icons\\Back", TqoPlatform::iOS, TqoDeviceClass::PhoneSmall);
    set->Add(std::make_unique<TqoBitmapInfo>("Icons\\Back\\ios-phone-small@10x.png", 1.0f));
    TqoBitmapInfo* second = set->Add(std::make_unique<TqoBitmapInfo>("Icons\\Back\\ios-phone-small@15x.png", 1.5f));
    second->SetCapInsets(QMargins(1, 2, 3, 4));
    second->SetTint(0x00000000);
    set->Add(std::make_unique<TqoBitmapInfo>(0.75f))->SetTint(0xFFFF0000);
    set->Add(0.1f); // a scale without an exact binary form
    M.Add(set);
    M.Add(std::make_shared<TqoAssetBitmapSet>("Icons\\Back")); // no infos at all

    auto font = std::make_shared<TqoAssetFont>("Fonts\\Roboto", TqoPlatform::Android);
    font->SetUri("Fonts\\Roboto\\android.ttf");
    M.Add(font);

    auto file = std::make_shared<TqoAssetFile>("Data\\Cities");
    file->SetUri("/abs/path/cities.db");
    file->SetFileLocation(TqoFileLocation::PublicDocuments);
    file->SetExtractionRule(TqoExtractionRule::RaiseException);
    file->SetExternal(true);
    M.Add(file);

    auto lottie =
        std::make_shared<TqoAssetLottieAnimation>("Anim\\Spinner", TqoPlatform::All, TqoDeviceClass::PhoneLarge);
    lottie->SetUri("Anim\\Spinner\\phone-large.json");
    M.Add(lottie);

    auto style = std::make_shared<TqoAssetStyle>("Styles\\Card");
    style->SetUri("Styles\\Card\\default.style");
    style->SetStyleClass("TqoCardView");
    M.Add(style);
    M.Add(std::make_shared<TqoAssetStyle>("Styles\\Empty", TqoPlatform::iOS, TqoDeviceClass::Tablet));

    auto svg = std::make_shared<TqoAssetSVG>("Images\\Logo", TqoPlatform::Android, TqoDeviceClass::PhoneNormal);
    svg->SetSVGUri("Images\\Logo\\android-phone-normal.svg");
    svg->SetVectorUri("Images\\Logo\\android-phone-normal.vector");
    svg->SetSize(24.5f, 0.1f);
    M.Add(svg);

    M.Add(std::make_shared<TqoAssetThemeContainer>("Dark"));
    M.Add(std::make_shared<TqoAssetColor>("Dark\\Background", 0xFF101010));
}

class AssetsFactoryTest : public ::testing::Test
{
protected:
    QString FileName(const QString& AName) const { return FDir.filePath(AName); }
    QTemporaryDir FDir;
};

} // namespace

// The saver writes every field, so equal bytes after loading mean nothing was lost.
TEST_F(AssetsFactoryTest, EveryKindAndVariantSurvivesARoundTripInIdenticalBytesWhateverTheOrder)
{
    TqoAssetsManager source;
    FillEveryKind(source);
    TqoAssetsFactory::SaveConfigToFile(source, FileName("a.json"));
    EXPECT_FALSE(ReadAll(FileName("a.json")).contains('\r'));

    TqoAssetsManager loaded;
    EXPECT_EQ(TqoAssetsFactory::LoadFromFile(loaded, FileName("a.json")), source.Count());
    TqoAssetsFactory::SaveConfigToFile(loaded, FileName("b.json"));
    EXPECT_EQ(ReadAll(FileName("b.json")), ReadAll(FileName("a.json")));

    TqoAssetsManager reversed;
    const TqoAssetList all = source.GetAllAssets();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        reversed.Add(*it);
    TqoAssetsFactory::SaveConfigToFile(reversed, FileName("c.json"));
    EXPECT_EQ(ReadAll(FileName("c.json")), ReadAll(FileName("a.json")));

    // Relative uris resolve against the configuration's folder, absolute ones stay.
    const auto font = loaded.ResolveAs<TqoAssetFont>("Fonts\\Roboto", TqoPlatform::Android, TqoDeviceClass::All);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetFileName(), QDir(FDir.path()).filePath("Fonts/Roboto/android.ttf"));
    const auto file = loaded.ResolveAs<TqoAssetFile>("Data\\Cities", TqoPlatform::All, TqoDeviceClass::All);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetFileName(), QStringLiteral("/abs/path/cities.db"));
}

TEST_F(AssetsFactoryTest, LoadingAddsOnlyVariantsNotPresentYet)
{
    TqoAssetsManager source;
    FillEveryKind(source);
    TqoAssetsFactory::SaveConfigToFile(source, FileName("config.json"));

    TqoAssetsManager target;
    const auto edited = std::make_shared<TqoAssetColor>("Colors\\Primary", 0xFF0000FF);
    target.Add(edited);
    EXPECT_EQ(TqoAssetsFactory::LoadFromFile(target, FileName("config.json")), source.Count() - 1);
    EXPECT_EQ(TqoAssetsFactory::LoadFromFile(target, FileName("config.json")), 0);
    EXPECT_EQ(Ids(target), Ids(source));
    EXPECT_EQ(target.Find("Colors\\Primary", TqoPlatform::All, TqoDeviceClass::All), edited);
    EXPECT_EQ(edited->GetColor(), 0xFF0000FFu);
}

TEST_F(AssetsFactoryTest, PlatformFilesHoldTheirPlatformWithDeployedUrisAndNoSvgSource)
{
    TqoAssetsManager source;
    FillEveryKind(source);
    TqoAssetsFactory::SaveConfigToFile(source, FileName("config-android.json"),
                                       {TqoPlatform::All, TqoPlatform::Android},
                                       TqoWritingOptions(true, TqoPlatform::Android, false));
    TqoAssetsManager expected;
    for (const TqoAssetPtr& asset : source.GetAllAssets())
        if (asset->GetPlatform() != TqoPlatform::iOS)
            expected.Add(asset);
    TqoAssetsManager loaded;
    TqoAssetsFactory::LoadFromFile(loaded, FileName("config-android.json"));
    EXPECT_EQ(Ids(loaded), Ids(expected));

    const auto font = loaded.ResolveAs<TqoAssetFont>("Fonts\\Roboto", TqoPlatform::Android, TqoDeviceClass::All);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetUri(), QStringLiteral("fonts/Fonts/Roboto/android.ttf"));
    const auto svg = loaded.ResolveAs<TqoAssetSVG>("Images\\Logo", TqoPlatform::Android, TqoDeviceClass::PhoneNormal);
    ASSERT_NE(svg, nullptr);
    EXPECT_EQ(svg->GetSVGUri(), QString());
    EXPECT_EQ(svg->GetVectorUri(), QStringLiteral("Images/Logo/android-phone-normal.vector"));
    const auto file = loaded.ResolveAs<TqoAssetFile>("Data\\Cities", TqoPlatform::All, TqoDeviceClass::All);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetUri(), QStringLiteral("/abs/path/cities.db"));
}

TEST_F(AssetsFactoryTest, AFailedSaveKeepsThePreviousFile)
{
    TqoAssetsManager source;
    source.Add(std::make_shared<TqoAssetColor>("A", 0xFF000001));
    TqoAssetsFactory::SaveConfigToFile(source, FileName("config.json"));
    const QByteArray before = ReadAll(FileName("config.json"));

    auto svg = std::make_shared<TqoAssetSVG>("Broken");
    svg->SetSize(std::numeric_limits<float>::infinity(), 1);
    source.Add(svg);
    EXPECT_THROW(TqoAssetsFactory::SaveConfigToFile(source, FileName("config.json")), EqoFileError);
    EXPECT_EQ(ReadAll(FileName("config.json")), before);
}

TEST_F(AssetsFactoryTest, AMissingFileNamesTheFile)
{
    TqoAssetsManager manager;
    try {
        TqoAssetsFactory::LoadFromFile(manager, FileName("absent.json"));
        FAIL() << "no error";
    } catch (const EqoFileError& e) {
        EXPECT_EQ(e.FileName(), FileName("absent.json"));
    }
}

// ---------------------------------------------------------------------------------------------
// Malformed files: each case names what is wrong and the line it is on.

struct MalformedCase
{
    const char* Name;
    const char* Text;
    int Line;
    const char* Fragment; // part of the message
};

using MalformedConfigTest = ::testing::TestWithParam<MalformedCase>;

TEST_P(MalformedConfigTest, RaisesAnErrorNamingFileAndLineAndAddsNothing)
{
    const MalformedCase& c = GetParam();
    QTemporaryDir dir;
    const QString fileName = dir.filePath("config.json");
    ASSERT_TRUE(testdata::WriteAll(fileName, c.Text));

    TqoAssetsManager manager;
    try {
        TqoAssetsFactory::LoadFromFile(manager, fileName);
        FAIL() << "no error";
    } catch (const EqoFileError& e) {
        EXPECT_EQ(e.FileName(), fileName);
        EXPECT_EQ(e.Line(), c.Line) << e.what();
        EXPECT_TRUE(e.Message().startsWith(fileName + QStringLiteral(":%1: ").arg(c.Line))) << e.what();
        EXPECT_TRUE(e.Message().contains(QLatin1String(c.Fragment))) << e.what();
    }
    EXPECT_EQ(manager.Count(), 0);
}

#define HEADER "{\n  \"format\": \"orvo-assets\",\n  \"version\": 1,\n  \"assets\": [\n"
#define GOOD "    {\"name\": \"Ok\", \"kind\": \"color\", \"platform\": \"all\", \"deviceClass\": \"all\"},\n"
// A file whose second asset, from line 6 on, holds the members X.
#define SECOND(X) HEADER GOOD "    {" X "}\n  ]\n}\n"
#define ALL "\"platform\": \"all\", \"deviceClass\": \"all\""
#define SET "\"name\": \"X\", \"kind\": \"bitmap-set\", " ALL ",\n     \"bitmaps\": "

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedConfigTest,
    ::testing::Values(
        MalformedCase{"TrailingComma", SECOND("\"name\": \"X\","), 6, "invalid JSON"},
        MalformedCase{"OtherFormat", "{\n  \"format\": \"something\",\n  \"version\": 1,\n  \"assets\": []\n}\n", 2,
                      "not an assets configuration"},
        MalformedCase{"FutureVersion", "{\n  \"format\": \"orvo-assets\",\n  \"version\": 7,\n  \"assets\": []\n}\n", 3,
                      "unsupported version"},
        MalformedCase{"UnknownKind", SECOND("\"name\": \"X\", \"kind\": \"sound\", " ALL), 6, "unknown asset kind"},
        MalformedCase{"MissingPlatform", SECOND("\"name\": \"X\", \"kind\": \"color\", \"deviceClass\": \"all\""), 6,
                      "missing member \"platform\""},
        MalformedCase{"BadColor", SECOND("\"name\": \"X\", \"kind\": \"color\", " ALL ",\n     \"color\": \"red\""), 7,
                      "invalid color \"red\""},
        MalformedCase{"UnknownMember", SECOND("\"name\": \"X\", \"kind\": \"font\", " ALL ",\n     \"colour\": \"\""),
                      7, "unknown member \"colour\""},
        MalformedCase{"ScaleIsAString", SECOND(SET "[{\"scale\": \"2\", \"uri\": \"\"}]"), 7, "expected a number"},
        MalformedCase{"VariantListedTwice", SECOND("\"name\": \"Ok\", \"kind\": \"color\", " ALL), 6, "listed twice"},
        // What the storage could not keep apart is refused before anything is written.
        MalformedCase{"NameLeavesTheFolder", SECOND("\"name\": \"..\\\\x\", \"kind\": \"color\", " ALL), 6,
                      "outside the assets folder"},
        MalformedCase{"SameScaleTwice",
                      SECOND(SET "[{\"scale\": 1.5, \"uri\": \"a.png\"},\n{\"scale\": 1.5, \"uri\": \"b.png\"}]"), 8,
                      "both be stored as @15x"},
        MalformedCase{"ScaleTextsCollide",
                      SECOND(SET "[{\"scale\": 1, \"uri\": \"a.png\"},\n{\"scale\": 1.05, \"uri\": \"b.png\"}]"), 8,
                      "1 and 1.05 would both be stored as @10x"}),
    testdata::TCaseName());
