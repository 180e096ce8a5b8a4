#include "StorageTestUtil.h"
#include "TestData.h"

#include <gtest/gtest.h>
#include <typeinfo>

namespace {

using namespace storagetest;
using orvo::TqoAssetEditorOption;
using orvo::TqoAssetEditorOptions;

// ---------------------------------------------------------------------------------------------
// Registry

// Every kind the runtime knows has its editor; only the theme container holds other assets,
// and a kind shows either a generated preview or a fixed image.
TEST(EditorsRegistry, EveryKindHasAnEditorInRegistrationOrder)
{
    const auto& ordered = Registry().OrderedEditors();
    ASSERT_EQ(ordered.size(), size_t(core::TqoAssetKinds::Keys().size()));
    for (const QString& key : core::TqoAssetKinds::Keys()) {
        SCOPED_TRACE(key.toStdString());
        const orvo::IORVOAssetEditorPtr editor = Registry().Editors(key);
        const TqoAssetEditorOptions options = editor->GetOptions();
        EXPECT_EQ(options.testFlag(TqoAssetEditorOption::AssetContainer), key == core::TqoAssetThemeContainer::Kind);
        EXPECT_EQ(options.testFlag(TqoAssetEditorOption::UniquePreview), editor->GetPreviewImageIndex() < 0);
    }
    EXPECT_EQ(ordered.front(), Registry().Editors(core::TqoAssetColor::Kind));
    EXPECT_EQ(ordered.back(), Registry().Editors(core::TqoAssetThemeContainer::Kind));
    EXPECT_THROW(Registry().Editors(QStringLiteral("Color")), orvo::EListError); // keys are exact
}

TEST(EditorsRegistry, AKeyIsRegisteredOnce)
{
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
    orvo::AssetsEditorsFinalization(); // a second finalization is harmless
    EXPECT_EQ(orvo::TqoAssetsEditorsManager::Instance(), nullptr);

    orvo::AssetsEditorsInitialization();
    ASSERT_NE(orvo::TqoAssetsEditorsManager::Instance(), nullptr);
    EXPECT_EQ(orvo::TqoAssetsEditorsManager::Instance()->OrderedEditors().size(), 8u);
}

// ---------------------------------------------------------------------------------------------
// Dropped files

struct TDropCase
{
    const char* Name;
    QString FileName;
    QString ExpectedKind;
};

using EditorsTryCreateAsset = testing::TestWithParam<TDropCase>;

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
    {"Jpeg", "/tmp/in/a.JPEG", "bitmap-set"},
    {"Ttf", "/tmp/in/Roboto.TTF", "font"},
    {"Svg", "/tmp/in/icon.svg", "svg"},
    {"LottieJsonIsAPlainFile", "/tmp/in/anim.json", "file"},
    {"NoExtension", "/tmp/in/README", "file"},
    {"OnlyLastExtensionCounts", "/tmp/in/icon.png.txt", "file"},
    {"DotInFolderNotInFile", "C:\\in\\pics.png\\readme", "file"},
};

INSTANTIATE_TEST_SUITE_P(Extensions, EditorsTryCreateAsset, testing::ValuesIn(DropCases), testdata::TCaseName());

TEST(EditorsTryCreateAsset, BitmapSetGetsFiveScalesWithTheFileFirst)
{
    const auto asset = Registry().TryCreateAsset(QStringLiteral("Photo"), QStringLiteral("/tmp/in/Photo.PNG"));
    const auto* set = dynamic_cast<core::TqoAssetBitmapSet*>(asset.get());
    ASSERT_NE(set, nullptr);
    QStringList infos;
    for (const core::TqoBitmapInfo* info : set->GetBitmapInfos())
        infos << info->GetScaleText() + QLatin1Char(' ') + info->GetUri();
    EXPECT_EQ(infos, QStringList({"10 /tmp/in/Photo.PNG", "15 ", "20 ", "30 ", "40 "}));
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

QString Info(const core::TqoAsset& AAsset) { return Editor(AAsset.GetKind())->GetAdditionalInfo(&AAsset); }

TEST(EditorsAdditionalInfo, DescribesEachKind)
{
    EXPECT_EQ(Info(core::TqoAssetColor(QStringLiteral("A"), 0xFFFF8000)), QStringLiteral("#FF8000"));
    EXPECT_EQ(Info(core::TqoAssetColor(QStringLiteral("A"))), QString());
    core::TqoAssetFont font(QStringLiteral("A"));
    font.SetUri(QStringLiteral("C:\\fonts\\Roboto.ttf"));
    EXPECT_EQ(Info(font), QStringLiteral("TTF"));
    core::TqoAssetFile file(QStringLiteral("A"));
    file.SetUri(QStringLiteral("Data\\v1.2\\blob"));
    EXPECT_EQ(Info(file), QString());
    EXPECT_EQ(Info(core::TqoAssetStyle(QStringLiteral("A"))), QStringLiteral("None"));
    core::TqoAssetSVG svg(QStringLiteral("A"));
    svg.SetSize(24.5f, 16.4f);
    EXPECT_EQ(Info(svg), QStringLiteral("25 x 16"));
    EXPECT_EQ(Info(core::TqoAssetThemeContainer(QStringLiteral("A"))), QString());
}

// A bitmap set is described by its first bitmap, at scale 1.
struct TBitmapInfoCase
{
    const char* Name;
    std::vector<std::pair<float, QSize>> Infos;
    const char* Expected;
};

using EditorsBitmapSetInfo = testing::TestWithParam<TBitmapInfoCase>;

TEST_P(EditorsBitmapSetInfo, Describes)
{
    core::TqoAssetBitmapSet asset(QStringLiteral("A"));
    for (const auto& [scale, size] : GetParam().Infos) {
        core::TqoBitmapInfo* info = asset.Add(scale);
        if (!size.isEmpty())
            info->SetBitmap(core::TqoBitmap(SolidImage(size.width(), size.height(), 0xFF000000)));
    }
    EXPECT_EQ(Info(asset), QString::fromLatin1(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(Scales, EditorsBitmapSetInfo,
                         testing::Values(TBitmapInfoCase{"Scale3", {{3.0f, QSize(72, 48)}}, "24 x 16"},
                                         TBitmapInfoCase{"HalfPixelRoundsToEven", {{2.0f, QSize(45, 47)}}, "22 x 24"},
                                         TBitmapInfoCase{"NoBitmaps", {{1.0f, {}}, {2.0f, {}}}, ""}),
                         testdata::TCaseName());

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
        EXPECT_THROW(editor->SaveTo(nullptr, QStringLiteral("/nonexistent/Assets")), core::EqoAssertionFailed);
        EXPECT_THROW(editor->SaveTo(foreign, QStringLiteral("/nonexistent/Assets")), core::EqoAssertionFailed);
        EXPECT_THROW(editor->GetAdditionalInfo(foreign), core::EqoAssertionFailed);
        if (editor->GetOptions().testFlag(TqoAssetEditorOption::UniquePreview))
            EXPECT_THROW(editor->GeneratePreview(nullptr, QSize(8, 8)), core::EqoAssertionFailed);
        else
            EXPECT_EQ(editor->GeneratePreview(&font, QSize(8, 8)), nullptr);
    }
}

} // namespace
