#include "StorageTestUtil.h"
#include "TestData.h"

#include <functional>
#include <gtest/gtest.h>
#include <typeinfo>

namespace {

using namespace storagetest;
using orvo::TqoAssetEditorOption;
using orvo::TqoAssetEditorOptions;

// ---------------------------------------------------------------------------------------------
// Registry

struct TKindRow
{
    QString Key;
    const std::type_info& Class;
    TqoAssetEditorOptions Options;
    int ImageIndex;
};

TEST(EditorsRegistry, EightKindsInRegistrationOrder)
{
    const TKindRow rows[] = {
        {"color", typeid(orvo::TqoAssetEditorColor), TqoAssetEditorOption::UniquePreview, -1},
        {"bitmap-set", typeid(orvo::TqoAssetEditorBitmapSet), TqoAssetEditorOption::UniquePreview, -1},
        {"font", typeid(orvo::TqoAssetEditorFont), {}, 1},
        {"lottie-json", typeid(orvo::TqoAssetEditorLottieAnimation), {}, 3},
        {"style", typeid(orvo::TqoAssetEditorStyle), {}, 4},
        {"svg", typeid(orvo::TqoAssetEditorSVG), TqoAssetEditorOption::UniquePreview, -1},
        {"file", typeid(orvo::TqoAssetEditorFile), {}, 2},
        {"theme-container", typeid(orvo::TqoAssetEditorThemeContainer), TqoAssetEditorOption::AssetContainer, 4},
    };
    const auto& ordered = Registry().OrderedEditors();
    ASSERT_EQ(ordered.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].Key.toStdString());
        const orvo::IORVOAssetEditorPtr editor = Registry().Editors(rows[i].Key);
        EXPECT_EQ(editor, ordered[i]);
        EXPECT_EQ(std::string(typeid(*editor).name()), std::string(rows[i].Class.name()));
        EXPECT_EQ(editor->GetOptions().toInt(), rows[i].Options.toInt());
        EXPECT_EQ(editor->GetPreviewImageIndex(), rows[i].ImageIndex);
    }
}

TEST(EditorsRegistry, KeysAreExactAndUnique)
{
    EXPECT_THROW(Registry().Editors(QStringLiteral("Color")), orvo::EListError);
    EXPECT_THROW(Registry().Editors(QStringLiteral("bitmap")), orvo::EListError);
    EXPECT_THROW(Registry().Editors(QString()), orvo::EListError);

    orvo::TqoAssetsEditorsManager manager;
    manager.Register(QStringLiteral("color"), std::make_shared<orvo::TqoAssetEditorColor>());
    EXPECT_THROW(manager.Register(QStringLiteral("color"), std::make_shared<orvo::TqoAssetEditorFile>()),
                 orvo::EListError);
    EXPECT_EQ(manager.OrderedEditors().size(), 1u);
    EXPECT_NE(dynamic_cast<orvo::TqoAssetEditorColor*>(manager.Editors(QStringLiteral("color")).get()), nullptr);
}

TEST(EditorsRegistry, LivesFromInitializationToFinalization)
{
    orvo::AssetsEditorsInitialization();
    orvo::TqoAssetsEditorsManager* first = orvo::TqoAssetsEditorsManager::Instance();
    ASSERT_NE(first, nullptr);
    orvo::AssetsEditorsInitialization(); // a second initialization keeps the registry
    EXPECT_EQ(orvo::TqoAssetsEditorsManager::Instance(), first);

    orvo::AssetsEditorsFinalization();
    EXPECT_EQ(orvo::TqoAssetsEditorsManager::Instance(), nullptr);
    orvo::AssetsEditorsFinalization();
    EXPECT_EQ(orvo::TqoAssetsEditorsManager::Instance(), nullptr);

    orvo::AssetsEditorsInitialization();
    ASSERT_NE(orvo::TqoAssetsEditorsManager::Instance(), nullptr);
    EXPECT_EQ(orvo::TqoAssetsEditorsManager::Instance()->OrderedEditors().size(), 8u);
}

// ---------------------------------------------------------------------------------------------
// Dropped files

struct TDropCase
{
    const char* Label;
    QString FileName;
    QString ExpectedKind;
};

class EditorsTryCreateAsset : public testing::TestWithParam<TDropCase>
{
};

TEST_P(EditorsTryCreateAsset, FirstKindThatTakesTheFileWins)
{
    const TDropCase& c = GetParam();
    const QString name = QStringLiteral("Dropped\\Item");
    const std::unique_ptr<core::TqoAsset> asset = Registry().TryCreateAsset(name, c.FileName);
    ASSERT_NE(asset, nullptr);
    EXPECT_EQ(asset->GetKind(), c.ExpectedKind);
    EXPECT_EQ(asset->GetName(), name);
    EXPECT_EQ(asset->GetPlatform(), core::TqoPlatform::All);
    EXPECT_EQ(asset->GetDeviceClass(), core::TqoDeviceClass::All);
    if (const auto* withUri = dynamic_cast<const core::TqoAssetWithUri*>(asset.get())) {
        EXPECT_EQ(withUri->GetUri(), c.FileName);
    }
}

const TDropCase DropCases[] = {
    {"PngUpperCase", "/tmp/in/Photo.PNG", "bitmap-set"},
    {"Jpg", "/tmp/in/a.jpg", "bitmap-set"},
    {"Jpeg", "/tmp/in/a.JPEG", "bitmap-set"},
    {"Bmp", "/tmp/in/a.bmp", "bitmap-set"},
    {"Ttf", "/tmp/in/Roboto.TTF", "font"},
    {"Otf", "/tmp/in/Inter.otf", "font"},
    {"Svg", "/tmp/in/icon.svg", "svg"},
    {"SvgUpperCase", "/tmp/in/ICON.SVG", "svg"},
    {"LottieJsonIsAPlainFile", "/tmp/in/anim.json", "file"},
    {"NoExtension", "/tmp/in/README", "file"},
    {"OnlyLastExtensionCounts", "/tmp/in/icon.png.txt", "file"},
    {"DotInFolderNotInFile", "C:\\in\\pics.png\\readme", "file"},
    {"WindowsPath", "C:\\Users\\me\\logo.Png", "bitmap-set"},
};

INSTANTIATE_TEST_SUITE_P(Extensions, EditorsTryCreateAsset, testing::ValuesIn(DropCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Label); });

TEST(EditorsTryCreateAsset, BitmapSetGetsFiveScalesWithTheFileFirst)
{
    const auto asset = Registry().TryCreateAsset(QStringLiteral("Photo"), QStringLiteral("/tmp/in/Photo.PNG"));
    const auto* set = dynamic_cast<core::TqoAssetBitmapSet*>(asset.get());
    ASSERT_NE(set, nullptr);
    const auto infos = set->GetBitmapInfos();
    ASSERT_EQ(infos.size(), 5u);
    const float scales[] = {1.0f, 1.5f, 2.0f, 3.0f, 4.0f};
    for (size_t i = 0; i < infos.size(); ++i) {
        EXPECT_EQ(infos[i]->GetScale(), scales[i]);
        EXPECT_EQ(infos[i]->GetUri(), i == 0 ? QStringLiteral("/tmp/in/Photo.PNG") : QString());
        EXPECT_EQ(infos[i]->GetSource(),
                  i == 0 ? core::TqoBitmapInfo::TqoSource::File : core::TqoBitmapInfo::TqoSource::None);
    }
}

TEST(EditorsTryCreateAsset, SvgTakesTheDocumentsOwnSize)
{
    TTempProject project;
    const QString file = project.Source(QStringLiteral("wide.svg"));
    WriteFile(file, R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 512 256"><path d="M0 0H512V256Z"/></svg>)");
    const auto asset = Registry().TryCreateAsset(QStringLiteral("Wide"), file);
    const auto* svg = dynamic_cast<core::TqoAssetSVG*>(asset.get());
    ASSERT_NE(svg, nullptr);
    EXPECT_EQ(svg->GetSVGUri(), file);
    EXPECT_EQ(svg->GetSize(), QSizeF(512, 256));

    // A file that is gone still makes the asset; it keeps a new asset's size.
    const auto gone = Registry().TryCreateAsset(QStringLiteral("Gone"), project.Source(QStringLiteral("gone.svg")));
    ASSERT_NE(dynamic_cast<core::TqoAssetSVG*>(gone.get()), nullptr);
    EXPECT_EQ(static_cast<core::TqoAssetSVG*>(gone.get())->GetSize(),
              core::TqoAssetSVG(QStringLiteral("New")).GetSize());
}

// ---------------------------------------------------------------------------------------------
// Descriptions

struct TInfoCase
{
    const char* Label;
    std::function<std::unique_ptr<core::TqoAsset>()> Create;
    QString Expected;
};

template <typename T> std::unique_ptr<core::TqoAsset> WithUri(const char* AUri)
{
    auto asset = std::make_unique<T>(QStringLiteral("A"));
    asset->SetUri(QString::fromLatin1(AUri));
    return asset;
}

std::unique_ptr<core::TqoAsset> BitmapSet(std::vector<std::pair<float, QSize>> AInfos)
{
    auto asset = std::make_unique<core::TqoAssetBitmapSet>(QStringLiteral("A"));
    for (const auto& [scale, size] : AInfos) {
        core::TqoBitmapInfo* info = asset->Add(scale);
        if (!size.isEmpty())
            info->SetBitmap(core::TqoBitmap(SolidImage(size.width(), size.height(), 0xFF000000)));
    }
    return asset;
}

std::unique_ptr<core::TqoAsset> Svg(float AWidth, float AHeight)
{
    auto asset = std::make_unique<core::TqoAssetSVG>(QStringLiteral("A"));
    asset->SetSize(AWidth, AHeight);
    return asset;
}

std::unique_ptr<core::TqoAsset> Style(const char* AClass)
{
    auto asset = std::make_unique<core::TqoAssetStyle>(QStringLiteral("A"));
    asset->SetStyleClass(QString::fromLatin1(AClass));
    return asset;
}

class EditorsAdditionalInfo : public testing::TestWithParam<TInfoCase>
{
};

TEST_P(EditorsAdditionalInfo, Describes)
{
    const auto asset = GetParam().Create();
    EXPECT_EQ(Editor(asset->GetKind())->GetAdditionalInfo(asset.get()), GetParam().Expected);
}

const TInfoCase InfoCases[] = {
    {"OpaqueColor", [] { return std::make_unique<core::TqoAssetColor>(QStringLiteral("A"), 0xFFFF8000); }, "#FF8000"},
    {"TranslucentColor", [] { return std::make_unique<core::TqoAssetColor>(QStringLiteral("A"), 0x80FF8000); },
     "#80FF8000"},
    {"EmptyColor", [] { return std::make_unique<core::TqoAssetColor>(QStringLiteral("A")); }, ""},
    {"BitmapAtScale1",
     [] {
         return BitmapSet({{1.0f, QSize(24, 16)}});
     },
     "24 x 16"},
    {"BitmapAtScale3",
     [] {
         return BitmapSet({{3.0f, QSize(72, 48)}});
     },
     "24 x 16"},
    {"FirstScaleWithBitmapRepresents",
     [] {
         return BitmapSet({{1.0f, QSize()}, {2.0f, QSize(96, 64)}, {3.0f, QSize(30, 30)}});
     },
     "48 x 32"},
    {"BitmapHalfPixelRoundsToEven",
     [] {
         return BitmapSet({{2.0f, QSize(45, 47)}});
     },
     "22 x 24"},
    {"BitmapSetWithoutBitmaps",
     [] {
         return BitmapSet({{1.0f, QSize()}, {2.0f, QSize()}});
     },
     ""},
    {"FontExtensionUpperCased", [] { return WithUri<core::TqoAssetFont>("C:\\fonts\\Roboto.ttf"); }, "TTF"},
    {"LottieJson", [] { return WithUri<core::TqoAssetLottieAnimation>("Anim\\Done\\default.Json"); }, "JSON"},
    {"FileWithoutExtension", [] { return WithUri<core::TqoAssetFile>("/data/Makefile"); }, ""},
    {"FileDotOnlyInFolder", [] { return WithUri<core::TqoAssetFile>("Data\\v1.2\\blob"); }, ""},
    {"FileWithoutUri", [] { return WithUri<core::TqoAssetFile>(""); }, ""},
    {"StyleWithoutClass", [] { return Style(""); }, "None"},
    {"StyleWithClass", [] { return Style("TqoButton"); }, "TqoButton"},
    {"SvgWholeSize", [] { return Svg(24, 24); }, "24 x 24"},
    {"SvgRoundsHalfAwayFromZero", [] { return Svg(24.5f, 16.4f); }, "25 x 16"},
    {"ThemeContainer", [] { return std::make_unique<core::TqoAssetThemeContainer>(QStringLiteral("A")); }, ""},
};

INSTANTIATE_TEST_SUITE_P(Kinds, EditorsAdditionalInfo, testing::ValuesIn(InfoCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Label); });

TEST(EditorsAdditionalInfoFiles, BitmapSetFromSharedIconAtHdpi)
{
    ORVO_REQUIRE_SHARED_DATA("icons-repo");
    core::TqoAssetBitmapSet asset(QStringLiteral("More"));
    asset.Add(std::make_unique<core::TqoBitmapInfo>(
        testdata::SharedDataDir() + QStringLiteral("/icons-repo/navigation/drawable-hdpi/ic_more_vert_black_48dp.png"),
        1.5f));
    EXPECT_EQ(Editor(asset.GetKind())->GetAdditionalInfo(&asset), QStringLiteral("48 x 48"));
}

TEST(EditorsAdditionalInfoFiles, UnreadableBitmapGivesEmptyText)
{
    TTempProject project;
    const QString file = project.Source(QStringLiteral("broken.png"));
    WriteFile(file, "this is not a PNG");
    core::TqoAssetBitmapSet asset(QStringLiteral("Broken"));
    asset.Add(std::make_unique<core::TqoBitmapInfo>(file, 1.0f));
    EXPECT_EQ(Editor(asset.GetKind())->GetAdditionalInfo(&asset), QString());
}

// Every per-asset operation checks its argument: not null, of the editor's own kind.
TEST(EditorsArguments, NullOrForeignAssetFailsTheAssertion)
{
    core::TqoAssetColor color(QStringLiteral("C"), 0xFF000000);
    core::TqoAssetFont font(QStringLiteral("F"));
    for (const auto& editor : Registry().OrderedEditors()) {
        core::TqoAsset* foreign =
            dynamic_cast<orvo::TqoAssetEditorColor*>(editor.get()) ? static_cast<core::TqoAsset*>(&font) : &color;
        SCOPED_TRACE(typeid(*editor).name());
        try {
            editor->SaveTo(nullptr, QStringLiteral("/nonexistent/Assets"));
            ADD_FAILURE() << "null asset accepted";
        } catch (const core::EqoAssertionFailed& E) {
            EXPECT_TRUE(E.Message().contains(QStringLiteral("name=\"AAsset\""))) << E.what();
        }
        EXPECT_THROW(editor->SaveTo(foreign, QStringLiteral("/nonexistent/Assets")), core::EqoAssertionFailed);
        EXPECT_THROW(editor->GetAdditionalInfo(nullptr), core::EqoAssertionFailed);
        EXPECT_THROW(editor->GetAdditionalInfo(foreign), core::EqoAssertionFailed);
        if (editor->GetOptions().testFlag(TqoAssetEditorOption::UniquePreview)) {
            try {
                editor->GeneratePreview(nullptr, QSize(8, 8));
                ADD_FAILURE() << "null asset accepted";
            } catch (const core::EqoAssertionFailed& E) {
                EXPECT_TRUE(E.Message().contains(QStringLiteral("name=\"AResource\""))) << E.what();
            }
            EXPECT_THROW(editor->GeneratePreview(foreign, QSize(8, 8)), core::EqoAssertionFailed);
        } else {
            EXPECT_EQ(editor->GeneratePreview(&font, QSize(8, 8)), nullptr);
        }
    }
}

} // namespace
