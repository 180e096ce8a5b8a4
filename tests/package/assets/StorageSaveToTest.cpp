#include "StorageTestUtil.h"
#include "TestData.h"

#include "ORVO.Log.h"
#include "ORVO.VectorImage.Document.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace storagetest;
using core::TqoDeviceClass;
using core::TqoPlatform;

// ---------------------------------------------------------------------------------------------
// Kinds stored as one file

struct TSingleFileCase
{
    const char* Label;
    QString Kind;
    std::function<std::unique_ptr<core::TqoAssetWithUri>(const QString&, TqoPlatform, TqoDeviceClass)> Create;
    QString AssetName;
    TqoPlatform Platform;
    TqoDeviceClass DeviceClass;
    QString SourceName;
    QString ExpectedUri; // relative to the assets folder, backslashes
};

template <typename T>
std::unique_ptr<core::TqoAssetWithUri> Make(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADevice)
{
    return std::make_unique<T>(AName, APlatform, ADevice);
}

const TSingleFileCase SingleFileCases[] = {
    {"FileTopLevelKeepsExtensionCase", core::TqoAssetFile::Kind, Make<core::TqoAssetFile>, "Readme", TqoPlatform::All,
     TqoDeviceClass::All, "readme.TXT", "Readme\\default.TXT"},
    {"FontInGroupForAndroid", core::TqoAssetFont::Kind, Make<core::TqoAssetFont>, "Fonts\\Main", TqoPlatform::Android,
     TqoDeviceClass::All, "Roboto-Regular.ttf", "Fonts\\Main\\android.ttf"},
    {"LottieForIosTablet", core::TqoAssetLottieAnimation::Kind, Make<core::TqoAssetLottieAnimation>, "Anim\\Done",
     TqoPlatform::iOS, TqoDeviceClass::Tablet, "done.json", "Anim\\Done\\ios-tablet.json"},
    {"StyleTwoLevelsDeepForTablets", core::TqoAssetStyle::Kind, Make<core::TqoAssetStyle>, "Styles\\Dark\\Button",
     TqoPlatform::All, TqoDeviceClass::Tablet, "button.style.json", "Styles\\Dark\\Button\\tablet.json"},
    {"FileWithoutExtension", core::TqoAssetFile::Kind, Make<core::TqoAssetFile>, "Data\\Blob", TqoPlatform::All,
     TqoDeviceClass::PhoneSmall, "blob", "Data\\Blob\\phone-small"},
};

class SingleFileSaveTo : public testing::TestWithParam<TSingleFileCase>
{
protected:
    TTempProject FProject;
};

TEST_P(SingleFileSaveTo, CopiesUnderTargetIdAndMakesUriRelative)
{
    const TSingleFileCase& c = GetParam();
    const QByteArray content = QByteArray("content of ") + c.Label;
    WriteFile(FProject.Source(c.SourceName), content);
    auto asset = c.Create(c.AssetName, c.Platform, c.DeviceClass);
    asset->SetUri(FProject.Source(c.SourceName));

    const QStringList written = Editor(c.Kind)->SaveTo(asset.get(), FProject.Root());

    QString expectedFile = c.ExpectedUri;
    expectedFile.replace(QLatin1Char('\\'), QLatin1Char('/'));
    EXPECT_EQ(written, QStringList{FProject.InRoot(expectedFile)});
    EXPECT_EQ(asset->GetUri(), c.ExpectedUri);
    EXPECT_EQ(ReadFile(FProject.InRoot(expectedFile)), content);
    EXPECT_EQ(ReadFile(FProject.Source(c.SourceName)), content) << "the source must stay";
    // The relative uri resolves to the stored copy.
    EXPECT_EQ(asset->GetFileName(), FProject.InRoot(expectedFile));

    // Saving again starts from the relative uri and claims the same file.
    EXPECT_EQ(Editor(c.Kind)->SaveTo(asset.get(), FProject.Root()), written);
    EXPECT_EQ(asset->GetUri(), c.ExpectedUri);
    EXPECT_EQ(ReadFile(FProject.InRoot(expectedFile)), content);
    EXPECT_EQ(FilesBelow(FProject.Root()), QStringList{expectedFile});
}

TEST_P(SingleFileSaveTo, MissingSourceIsSkippedWithoutFolder)
{
    const TSingleFileCase& c = GetParam();
    auto asset = c.Create(c.AssetName, c.Platform, c.DeviceClass);
    asset->SetUri(FProject.Source(c.SourceName));

    EXPECT_EQ(Editor(c.Kind)->SaveTo(asset.get(), FProject.Root()), QStringList());
    EXPECT_EQ(asset->GetUri(), FProject.Source(c.SourceName));
    EXPECT_FALSE(QFileInfo::exists(FProject.Root()));
}

TEST_P(SingleFileSaveTo, ExternalAssetKeepsItsFile)
{
    const TSingleFileCase& c = GetParam();
    WriteFile(FProject.Source(c.SourceName), "external");
    auto asset = c.Create(c.AssetName, c.Platform, c.DeviceClass);
    asset->SetUri(FProject.Source(c.SourceName));
    asset->SetExternal(true);

    EXPECT_EQ(Editor(c.Kind)->SaveTo(asset.get(), FProject.Root()), QStringList());
    EXPECT_EQ(asset->GetUri(), FProject.Source(c.SourceName));
    EXPECT_FALSE(QFileInfo::exists(FProject.Root()));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SingleFileSaveTo, testing::ValuesIn(SingleFileCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Label); });

// A source that already is the stored file, named in another letter case: it must come out
// as the stored file with its bytes, whether the file system treats the names as one file
// or two.
TEST(StorageSaveTo, SourceAlreadyStoredInAnotherCase)
{
    TTempProject project;
    const QString stored = project.InRoot(QStringLiteral("Docs/Readme/DEFAULT.txt"));
    WriteFile(stored, "stored bytes");
    core::TqoAssetFile asset(QStringLiteral("Docs\\Readme"));
    asset.SetUri(stored);

    const QStringList written = Editor(core::TqoAssetFile::Kind)->SaveTo(&asset, project.Root());

    EXPECT_EQ(written, QStringList{project.InRoot(QStringLiteral("Docs/Readme/default.txt"))});
    EXPECT_EQ(asset.GetUri(), QStringLiteral("Docs\\Readme\\default.txt"));
    EXPECT_EQ(ReadFile(written.value(0)), QByteArray("stored bytes"));
    EXPECT_EQ(ReadFile(stored), QByteArray("stored bytes"));
}

// ---------------------------------------------------------------------------------------------
// Bitmap sets

TEST(StorageSaveTo, BitmapSetWritesOnlyScalesWithBitmapsInOrder)
{
    TTempProject project;
    const QString source = project.Source(QStringLiteral("icon.png"));
    ASSERT_TRUE(SaveImage(SolidImage(8, 8, 0xFF112233), source));
    core::TqoAssetBitmapSet asset(QStringLiteral("Icons\\Back"), TqoPlatform::iOS, TqoDeviceClass::All);
    asset.Add(std::make_unique<core::TqoBitmapInfo>(source, 1.0f));
    asset.Add(1.5f);
    core::TqoBitmapInfo* second = asset.Add(2.0f);
    second->SetBitmap(core::TqoBitmap(SolidImage(16, 16, 0xFF445566)));

    const QStringList written = Editor(core::TqoAssetBitmapSet::Kind)->SaveTo(&asset, project.Root());

    EXPECT_EQ(written, (QStringList{project.InRoot(QStringLiteral("Icons/Back/ios@10x.png")),
                                    project.InRoot(QStringLiteral("Icons/Back/ios@20x.png"))}));
    const auto infos = asset.GetBitmapInfos();
    EXPECT_EQ(infos[0]->GetUri(), QStringLiteral("Icons\\Back\\ios@10x.png"));
    EXPECT_EQ(infos[1]->GetUri(), QString());
    EXPECT_EQ(infos[2]->GetUri(), QStringLiteral("Icons\\Back\\ios@20x.png"));
    EXPECT_EQ(ReadFile(written.value(0)), ReadFile(source));
    const QImage saved(written.value(1));
    EXPECT_EQ(saved.size(), QSize(16, 16));
    EXPECT_EQ(saved.pixel(3, 3), 0xFF445566u);
    // Infos resolve to the stored files afterwards.
    EXPECT_EQ(infos[2]->GetFileName(), written.value(1));
}

TEST(StorageSaveTo, BitmapSetStoresJpegBytesUnderPngName)
{
    TTempProject project;
    const QString source = project.Source(QStringLiteral("photo.jpg"));
    ASSERT_TRUE(SaveImage(SolidImage(10, 6, 0xFF808000), source, "JPG"));
    core::TqoAssetBitmapSet asset(QStringLiteral("Photo"));
    asset.Add(std::make_unique<core::TqoBitmapInfo>(source, 0.75f));

    const QStringList written = Editor(core::TqoAssetBitmapSet::Kind)->SaveTo(&asset, project.Root());

    EXPECT_EQ(written, QStringList{project.InRoot(QStringLiteral("Photo/default@7x.png"))});
    EXPECT_EQ(ReadFile(written.value(0)), ReadFile(source));
}

TEST(StorageSaveTo, BitmapSetWithoutBitmapsCreatesItsFolderOnly)
{
    TTempProject project;
    core::TqoAssetBitmapSet asset(QStringLiteral("Empty\\Set"));
    asset.Add(1.0f);
    asset.Add(std::make_unique<core::TqoBitmapInfo>(project.Source(QStringLiteral("gone.png")), 2.0f));

    EXPECT_EQ(Editor(core::TqoAssetBitmapSet::Kind)->SaveTo(&asset, project.Root()), QStringList());
    EXPECT_TRUE(QFileInfo(project.InRoot(QStringLiteral("Empty/Set"))).isDir());
    EXPECT_EQ(asset.GetBitmapInfos()[1]->GetUri(), project.Source(QStringLiteral("gone.png")));
}

// ---------------------------------------------------------------------------------------------
// SVG

QString MaterialIcon()
{
    return testdata::SharedDataDir() + QStringLiteral("/svg/material/file/ic_file_upload_24px.svg");
}

TEST(StorageSaveTo, SvgWritesCopyAndVectorThatLoadsBack)
{
    ORVO_REQUIRE_SHARED_DATA("svg/material");
    TTempProject project;
    core::TqoAssetSVG asset(QStringLiteral("Icons\\Upload"), TqoPlatform::Android);
    asset.SetSVGUri(MaterialIcon());

    const QStringList written = Editor(core::TqoAssetSVG::Kind)->SaveTo(&asset, project.Root());

    const QString svgFile = project.InRoot(QStringLiteral("Icons/Upload/android.svg"));
    const QString vectorFile = project.InRoot(QStringLiteral("Icons/Upload/android.vector"));
    ASSERT_EQ(written, (QStringList{svgFile, vectorFile}));
    EXPECT_EQ(asset.GetSVGUri(), QStringLiteral("Icons\\Upload\\android.svg"));
    EXPECT_EQ(asset.GetVectorUri(), QStringLiteral("Icons\\Upload\\android.vector"));
    EXPECT_EQ(ReadFile(svgFile), ReadFile(MaterialIcon()));

    core::TqoVectorDocument loaded;
    loaded.LoadFromFile(vectorFile);
    EXPECT_EQ(loaded, asset.GetVectorDocument());
    EXPECT_EQ(loaded.Size(), QSizeF(24, 24));
    int paths = 0;
    for (const auto& command : loaded.Commands())
        if (command.Kind == core::TqoVectorCommandKind::DrawPath) {
            ++paths;
            EXPECT_EQ(command.Path, QStringLiteral("M9 16h6v-6h4l-7-7-7 7h4zm-4 2h14v2H5z"));
        }
    EXPECT_EQ(paths, 1);
}

TEST(StorageSaveTo, SvgVectorIsRebuiltFromStoredCopyOnEverySave)
{
    TTempProject project;
    const QString source = project.Source(QStringLiteral("square.SVG"));
    WriteFile(source,
              R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10"><path d="M0 0H10V10Z"/></svg>)");
    core::TqoAssetSVG asset(QStringLiteral("Square"));
    asset.SetSVGUri(source);
    const auto editor = Editor(core::TqoAssetSVG::Kind);
    const QStringList first = editor->SaveTo(&asset, project.Root());
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[0], project.InRoot(QStringLiteral("Square/default.SVG")));

    // The stored copy is now the source; change it and save again.
    WriteFile(first[0],
              R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="20"><path d="M1 1H5V5Z"/></svg>)");
    EXPECT_EQ(editor->SaveTo(&asset, project.Root()), first);

    core::TqoVectorDocument loaded;
    loaded.LoadFromFile(first[1]);
    EXPECT_EQ(loaded.Size(), QSizeF(20, 20));
    QStringList paths;
    for (const auto& command : loaded.Commands())
        if (command.Kind == core::TqoVectorCommandKind::DrawPath)
            paths.append(command.Path);
    EXPECT_EQ(paths, QStringList{QStringLiteral("M1 1H5V5Z")});
}

TEST(StorageSaveTo, SvgTheReaderRefusesKeepsBothFilesAndWarns)
{
    TTempProject project;
    const QString source = project.Source(QStringLiteral("broken.svg"));
    WriteFile(source, "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=");
    core::TqoAssetSVG asset(QStringLiteral("Broken"));
    asset.SetSVGUri(source);
    core::TqoLogCapture log;

    const QStringList written = Editor(core::TqoAssetSVG::Kind)->SaveTo(&asset, project.Root());

    EXPECT_EQ(written, (QStringList{project.InRoot(QStringLiteral("Broken/default.svg")),
                                    project.InRoot(QStringLiteral("Broken/default.vector"))}));
    EXPECT_TRUE(QFileInfo::exists(written.value(1)));
    bool warned = false;
    for (const auto& entry : log.Entries())
        warned |= entry.Level == core::TqoLogLevel::Warning && entry.Category == QStringLiteral("AssetsDesigner") &&
                  entry.Message.contains(written.value(0));
    EXPECT_TRUE(warned);
}

// ---------------------------------------------------------------------------------------------
// Bad places

TEST(StorageSaveTo, FolderThatCannotBeCreatedRaisesItsMessage)
{
    TTempProject project;
    WriteFile(project.Source(QStringLiteral("a.txt")), "a");
    WriteFile(project.Root(), "the assets folder is a file"); // mkpath below it must fail
    core::TqoAssetFile asset(QStringLiteral("Docs\\A"));
    asset.SetUri(project.Source(QStringLiteral("a.txt")));
    try {
        Editor(core::TqoAssetFile::Kind)->SaveTo(&asset, project.Root());
        FAIL() << "no exception";
    } catch (const orvo::EqoAssetStorageError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("[Assets Designer]: Cannot create directory for saving asset's file: "
                                              "path=\"%1\"")
                                   .arg(project.InRoot(QStringLiteral("Docs/A"))));
    }
    EXPECT_EQ(asset.GetUri(), project.Source(QStringLiteral("a.txt")));
}

} // namespace
