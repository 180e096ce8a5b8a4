// The icon folder importer: which layouts it recognizes, the bitmap set it builds, the base size
// question, and the frame's and the command line's imports.

#include "IdeSession.h"
#include "TestData.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/designer/ORVO.Assets.Designer.Importer.h"
#include "assets/designer/ORVO.Assets.Picker.Size.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QImageReader>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace orvo;

namespace {

const QStringList CDensities = {"drawable-mdpi", "drawable-hdpi", "drawable-xhdpi", "drawable-xxhdpi",
                                "drawable-xxxhdpi"};

// A real PNG at each relative path.
void MakeFiles(const QString& ARoot, const QStringList& AFiles)
{
    for (const QString& LFile : AFiles) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(ARoot + "/" + LFile).absolutePath()));
        QImage LImage(4, 4, QImage::Format_ARGB32);
        LImage.fill(Qt::black);
        ASSERT_TRUE(LImage.save(ARoot + "/" + LFile, "PNG")) << LFile.toStdString();
    }
}

// Five Material-style files of one icon in each density folder under APrefix.
QStringList AndroidIcon(const QString& APrefix, const QString& AIcon, const QStringList& ADensities = CDensities)
{
    QStringList LFiles;
    for (const QString& LDensity : ADensities)
        for (int LSize : {18, 20, 24, 36, 48})
            LFiles << QStringLiteral("%1%2/%3_%4dp.png").arg(APrefix, LDensity, AIcon).arg(LSize);
    return LFiles;
}

struct TLayoutCase
{
    std::string Name;
    QStringList Files;
    QList<int> Sizes; // empty: refused
    QString AssetName;
    int BaseSize = 0;
    QList<std::pair<float, QString>> Infos; // scale and file relative to the root ("" for none)
};

class ImporterLayout : public testing::TestWithParam<TLayoutCase>
{
};

TEST_P(ImporterLayout, RecognizesAndReads)
{
    const TLayoutCase& LCase = GetParam();
    QTemporaryDir LDir;
    MakeFiles(LDir.path(), LCase.Files);
    TqoMaterialIOIcons LImporter;
    QList<int> LSizes;
    EXPECT_EQ(LImporter.RecognizeFolderStructure(LDir.path(), LSizes), !LCase.Sizes.isEmpty());
    EXPECT_EQ(LSizes, LCase.Sizes);
    if (LCase.Sizes.isEmpty())
        return;
    const auto LGroup = LImporter.ReadResource(LCase.BaseSize);
    EXPECT_EQ(LGroup->GetName(), LCase.AssetName);
    ASSERT_EQ(LGroup->Count(), 1);
    const auto LSet = std::dynamic_pointer_cast<core::TqoAssetBitmapSet>(LGroup->First());
    ASSERT_TRUE(LSet);
    EXPECT_EQ(LSet->GetName(), LCase.AssetName);
    EXPECT_EQ(LSet->GetPlatform(), core::TqoPlatform::All);
    QList<std::pair<float, QString>> LInfos;
    for (const core::TqoBitmapInfo* LInfo : LSet->GetBitmapInfos())
        LInfos.append({LInfo->GetScale(),
                       LInfo->GetUri().isEmpty() ? QString() : QDir(LDir.path()).relativeFilePath(LInfo->GetUri())});
    EXPECT_EQ(LInfos, LCase.Infos);
}

const QString CHome = QStringLiteral("ic_home_black");

INSTANTIATE_TEST_SUITE_P(
    Folders, ImporterLayout,
    testing::Values(
        TLayoutCase{"AndroidResFolder",
                    AndroidIcon("res/", CHome),
                    {18, 20, 24, 36, 48},
                    CHome,
                    24,
                    {{1.5f, "res/drawable-hdpi/ic_home_black_24dp.png"},
                     {1.0f, "res/drawable-mdpi/ic_home_black_24dp.png"},
                     {2.0f, "res/drawable-xhdpi/ic_home_black_24dp.png"},
                     {3.0f, "res/drawable-xxhdpi/ic_home_black_24dp.png"},
                     {4.0f, "res/drawable-xxxhdpi/ic_home_black_24dp.png"}}},
        TLayoutCase{"DrawableFoldersWithoutRes",
                    AndroidIcon("", CHome, {"drawable-mdpi", "drawable-xhdpi", "drawable-xxxhdpi"}) << "notes/a.png",
                    {18, 20, 24, 36, 48},
                    CHome,
                    48,
                    {{1.0f, "drawable-mdpi/ic_home_black_48dp.png"},
                     {2.0f, "drawable-xhdpi/ic_home_black_48dp.png"},
                     {4.0f, "drawable-xxxhdpi/ic_home_black_48dp.png"}}},
        TLayoutCase{
            "MissingDensity",
            AndroidIcon("res/", CHome, {"drawable-mdpi", "drawable-hdpi"}),
            {18, 20, 24, 36, 48},
            CHome,
            18,
            {{1.5f, "res/drawable-hdpi/ic_home_black_18dp.png"}, {1.0f, "res/drawable-mdpi/ic_home_black_18dp.png"}}},
        TLayoutCase{"FourAndSixPngsIgnored",
                    AndroidIcon("res/", CHome, {"drawable-hdpi", "drawable-xhdpi"})
                        << "res/drawable-hdpi/ic_home_black_96dp.png"
                        << AndroidIcon("res/", CHome, {"drawable-mdpi"}).mid(1),
                    {18, 20, 24, 36, 48},
                    CHome,
                    20,
                    {{2.0f, "res/drawable-xhdpi/ic_home_black_20dp.png"}}},
        TLayoutCase{"OnlyFoldersOfFourPngs", AndroidIcon("res/", CHome, {"drawable-mdpi"}).mid(1), {}, {}, 0, {}},
        TLayoutCase{"OneXTwoX",
                    {"1x/ic_home_white_24dp.png", "2x/ic_home_white_24dp.png"},
                    {24},
                    QStringLiteral("ic_home_white"),
                    24,
                    {{1.0f, "1x/ic_home_white_24dp.png"}, {1.5f, ""}, {3.0f, ""}, {2.0f, "2x/ic_home_white_24dp.png"}}},
        TLayoutCase{"NameWithoutUnderscore",
                    {"res/drawable-mdpi/home.png", "res/drawable-mdpi/home2.png", "res/drawable-mdpi/home3.png",
                     "res/drawable-mdpi/home4.png", "res/drawable-mdpi/home5.png"},
                    {18, 20, 24, 36, 48},
                    QStringLiteral("home"),
                    36,
                    {{1.0f, "res/drawable-mdpi/home4.png"}}},
        TLayoutCase{"IosImageSet",
                    {"Assets.xcassets/home.imageset/home.png", "Assets.xcassets/home.imageset/home@2x.png",
                     "Assets.xcassets/home.imageset/home@3x.png"},
                    {},
                    {},
                    0,
                    {}},
        TLayoutCase{"TwoFoldersWithoutSizeInName", {"1x/home.png", "2x/home.png"}, {}, {}, 0, {}},
        TLayoutCase{"TwoFoldersNotNamedScales", {"small/ic_a_24dp.png", "large/ic_a_24dp.png"}, {}, {}, 0, {}},
        TLayoutCase{"LooseFiles", {"ic_home_black_24dp.png", "readme.png"}, {}, {}, 0, {}},
        TLayoutCase{"ThreeFoldersNoDrawable", {"a/x_24dp.png", "b/x_24dp.png", "c/x_24dp.png"}, {}, {}, 0, {}}),
    testdata::TCaseName());

TEST(ImporterTest, SizeNotFoundRaises)
{
    QTemporaryDir LDir;
    MakeFiles(LDir.path(), {"1x/ic_a_24dp.png", "2x/ic_a_24dp.png"});
    TqoMaterialIOIcons LImporter;
    QList<int> LSizes;
    ASSERT_TRUE(LImporter.RecognizeFolderStructure(LDir.path(), LSizes));
    try {
        LImporter.ReadResource(30);
        FAIL() << "no exception";
    } catch (const core::EqoAssertionFailed& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Невозможно найти изображения для указанного размера: [30]"));
    }
}

TEST(ImporterTest, DamagedPngNamesTheFile)
{
    QTemporaryDir LDir;
    MakeFiles(LDir.path(), AndroidIcon("res/", CHome));
    const QString LDamaged = LDir.filePath("res/drawable-xhdpi/ic_home_black_24dp.png");
    const QByteArray LPng = testdata::ReadAll(LDamaged);
    ASSERT_TRUE(testdata::WriteAll(LDamaged, LPng.left(LPng.size() / 2)));
    TqoMaterialIOIcons LImporter;
    QList<int> LSizes;
    ASSERT_TRUE(LImporter.RecognizeFolderStructure(LDir.path(), LSizes));
    EXPECT_EQ(LImporter.ReadResource(36)->Count(), 1);
    try {
        LImporter.ReadResource(24);
        FAIL() << "no exception";
    } catch (const core::EqoFileError& E) {
        EXPECT_EQ(E.FileName(), LDamaged);
    }
}

// The base size question as the frame and the command line ask it.
class BaseSizeQuestion : public testing::Test
{
protected:
    QTemporaryDir FDir;
    QList<std::pair<QList<int>, bool>> FAsked; // sizes, whether remembering was offered
    std::optional<TqoChosenBaseSize> FAnswer;

    QString Folder(const QString& AName, const QStringList& AFiles)
    {
        MakeFiles(FDir.filePath(AName), AFiles);
        return FDir.filePath(AName);
    }

    QString Import(const QString& AFolder, bool AMultiple, int& ARemembered)
    {
        const TqoIconFolderImport LResult = ImportIconFolder(
            AFolder, AMultiple, ARemembered, [this](const TqoMaterialIOIcons&, const QList<int>& ASizes, bool AOffer) {
                FAsked.append({ASizes, AOffer});
                return FAnswer;
            });
        if (!LResult.Group)
            return LResult.Recognized ? QStringLiteral("cancelled") : QStringLiteral("not recognized");
        const auto LSet = std::dynamic_pointer_cast<core::TqoAssetBitmapSet>(LResult.Group->First());
        return QFileInfo(LSet->GetBitmapInfos().front()->GetUri()).fileName();
    }
};

TEST_F(BaseSizeQuestion, RememberedSizeSkipsTheQuestion)
{
    const QString LFirst = Folder("first", AndroidIcon("res/", "ic_a"));
    const QString LSecond = Folder("second", AndroidIcon("res/", "ic_b"));
    const QString LSingle = Folder("single", {"1x/ic_c_20dp.png", "2x/ic_c_20dp.png"});
    int LRemembered = 0;
    FAnswer = TqoChosenBaseSize{36, true};
    EXPECT_EQ(Import(LFirst, true, LRemembered), QStringLiteral("ic_a_36dp.png"));
    EXPECT_EQ(LRemembered, 36);
    FAnswer.reset();
    EXPECT_EQ(Import(LSecond, true, LRemembered), QStringLiteral("ic_b_36dp.png"));
    EXPECT_EQ(Import(LSingle, true, LRemembered), QStringLiteral("ic_c_20dp.png"));
    const QList<int> LAndroid = {18, 20, 24, 36, 48};
    EXPECT_EQ(FAsked, (QList<std::pair<QList<int>, bool>>{{LAndroid, true}}));
}

TEST_F(BaseSizeQuestion, AsksAgainWhenRememberedSizeIsNotOffered)
{
    const QString LFolder = Folder("icons", AndroidIcon("", "ic_a"));
    int LRemembered = 30;
    FAnswer = TqoChosenBaseSize{18, true};
    EXPECT_EQ(Import(LFolder, true, LRemembered), QStringLiteral("ic_a_18dp.png"));
    EXPECT_EQ(FAsked.size(), 1);
    EXPECT_FALSE(FAsked.value(0).second);
    EXPECT_EQ(LRemembered, 18);
    int LNone = 0;
    FAnswer.reset();
    EXPECT_EQ(Import(LFolder, false, LNone), QStringLiteral("cancelled"));
    EXPECT_EQ(Import(FDir.filePath("icons/drawable-mdpi"), false, LNone), QStringLiteral("not recognized"));
    EXPECT_EQ(LNone, 0);
}

TEST(SizePickerTest, PreselectsAndReadsTheChosenSize)
{
    TFormSizePicker LDialog;
    EXPECT_FALSE(LDialog.cbPickSizeByDefault->isVisibleTo(&LDialog));
    LDialog.SetSizes({18, 20, 24, 36, 48});
    EXPECT_EQ(LDialog.cbSizes->currentText(), QStringLiteral("24 x 24"));
    EXPECT_EQ(LDialog.GetBaseSize(), 24);
    LDialog.SetSizes({16, 32});
    EXPECT_EQ(LDialog.GetBaseSize(), 16);
    LDialog.SetSizes({});
    EXPECT_THROW(LDialog.GetBaseSize(), core::EqoException);
}

class IconImportFrameTest : public testing::Test
{
protected:
    QTemporaryDir FDir;
    QTemporaryDir FIcons;
    testdata::TIdeSession FSession;
    std::shared_ptr<testdata::TAnsweringDialogs> FDialogs;
    std::unique_ptr<TFrameAssetManager> FFrame;
    QString FHome;

    void SetUp() override
    {
        AssetsEditorsInitialization();
        ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), FDir.path()));
        FDialogs = testdata::TAnsweringDialogs::Install();
        FFrame = std::make_unique<TFrameAssetManager>();
        FFrame->SetProject(FSession.Open(FDir.filePath(QStringLiteral("DemoApp.dproj"))));
        FHome = FIcons.filePath(QStringLiteral("home"));
        MakeFiles(FHome, AndroidIcon("res/", CHome));
    }

    void TearDown() override
    {
        FFrame.reset();
        TFormSizePicker::ExecuteDialog = [](TFormSizePicker& ADialog) { return ADialog.exec() == QDialog::Accepted; };
    }

    // The picker answered as a user does: AKey on the size list, then Import or Escape.
    static void AnswerPicker(std::optional<Qt::Key> AKey, bool AAccept, QStringList* ASeen = nullptr)
    {
        TFormSizePicker::ExecuteDialog = [=](TFormSizePicker& ADialog) {
            ADialog.show();
            if (ASeen)
                *ASeen << ADialog.cbSizes->currentText()
                       << (ADialog.cbPickSizeByDefault->isVisible() ? QStringLiteral("offered") : QString());
            if (AKey)
                QTest::keyClick(ADialog.cbSizes, *AKey);
            if (AAccept)
                QTest::mouseClick(ADialog.OkButton(), Qt::LeftButton);
            else
                QTest::keyClick(&ADialog, Qt::Key_Escape);
            return ADialog.result() == QDialog::Accepted;
        };
    }

    void ImportFolders(const QStringList& AFolders)
    {
        FDialogs->FileAnswers.push_back(AFolders);
        FFrame->UpdateActions();
        QAction* LAction = FFrame->Action(QStringLiteral("ActionImportIconPack"));
        ASSERT_TRUE(LAction && LAction->isEnabled());
        LAction->trigger();
    }

    QStringList Names() const { return FFrame->Document().GetAssetsManager().GetAssetsNames(); }

    QStringList ImportedFiles(const QString& AName) const
    {
        const auto LSet = std::dynamic_pointer_cast<core::TqoAssetBitmapSet>(
            FFrame->Document().GetAssetsManager().Find(AName, core::TqoPlatform::All, core::TqoDeviceClass::All));
        QStringList LFiles;
        if (LSet)
            for (const core::TqoBitmapInfo* LInfo : LSet->GetBitmapInfos())
                LFiles << QFileInfo(LInfo->GetFileName()).fileName();
        return LFiles;
    }
};

TEST_F(IconImportFrameTest, ChosenSizeIsAddedSelectedAndSaved)
{
    FFrame->SelectNode(QStringLiteral("Icons\\Star"), true);
    QStringList LSeen;
    AnswerPicker(Qt::Key_Down, true, &LSeen);
    ImportFolders({FHome});

    EXPECT_EQ(LSeen, (QStringList{"24 x 24", ""}));
    const QString LName = QStringLiteral("Icons\\ic_home_black");
    EXPECT_EQ(ImportedFiles(LName), QStringList(5, QStringLiteral("ic_home_black_36dp.png")));
    ASSERT_EQ(FFrame->Tree().SelectedCount(), 1);
    EXPECT_EQ(FFrame->GetAssetName(FFrame->Tree().GetSortedSelection().first()), LName);

    FFrame->Action(QStringLiteral("ActionSave"))->trigger();
    QStringList LStored = testdata::FileNames(FDir.filePath(QStringLiteral("Assets/Icons/ic_home_black")));
    EXPECT_EQ(LStored, (QStringList{"default@10x.png", "default@15x.png", "default@20x.png", "default@30x.png",
                                    "default@40x.png"}));
    for (const QString& LFile : LStored)
        EXPECT_EQ(QImageReader(FDir.filePath("Assets/Icons/ic_home_black/" + LFile)).size(), QSize(4, 4));
}

TEST_F(IconImportFrameTest, EscapeAddsNothing)
{
    const QStringList LBefore = Names();
    AnswerPicker(std::nullopt, false);
    ImportFolders({FHome});
    EXPECT_EQ(Names(), LBefore);
}

TEST_F(IconImportFrameTest, DamagedPngIsNamedAndNothingAdded)
{
    const QString LDamaged = FHome + QStringLiteral("/res/drawable-xxhdpi/ic_home_black_24dp.png");
    ASSERT_TRUE(testdata::WriteAll(LDamaged, "\x89PNG\r\n\x1a\n broken"));
    const QStringList LBefore = Names();
    AnswerPicker(std::nullopt, true);
    ImportFolders({FHome});
    EXPECT_EQ(Names(), LBefore);
    ASSERT_EQ(FDialogs->Asked.size(), 2);
    EXPECT_TRUE(FDialogs->Asked.last().contains(LDamaged)) << FDialogs->Asked.last().toStdString();
}

TEST_F(IconImportFrameTest, DroppedFoldersAreIconSetsOrTheirFiles)
{
    MakeFiles(FIcons.filePath(QStringLiteral("plain")), {"star.png"});
    QStringList LSeen;
    AnswerPicker(std::nullopt, true, &LSeen);
    FFrame->DropFiles({FHome, FIcons.filePath(QStringLiteral("plain"))}, nullptr);
    EXPECT_EQ(LSeen, (QStringList{"24 x 24", "offered"}));
    EXPECT_EQ(ImportedFiles(QStringLiteral("ic_home_black")).value(0), QStringLiteral("ic_home_black_24dp.png"));
    EXPECT_EQ(ImportedFiles(QStringLiteral("star")).value(0), QStringLiteral("star.png"));
}

using ImportCommandLine = testdata::TDemoProjectTest;

TEST_F(ImportCommandLine, RefusesWithoutChangesThenImportsTheGivenSize)
{
    QTemporaryDir LIcons;
    MakeFiles(LIcons.filePath("home"), AndroidIcon("res/", CHome));
    MakeFiles(LIcons.filePath("loose"), {"a.png"});
    const QString LConfig = FDir.filePath(QStringLiteral("Assets/config.json"));
    const QByteArray LBefore = testdata::ReadAll(LConfig);

    const testdata::TRun LSeveral = Run({"import", FProject, LIcons.filePath("home")});
    EXPECT_FALSE(LSeveral.Crashed);
    EXPECT_EQ(LSeveral.ExitCode, 1);
    EXPECT_TRUE(LSeveral.ErrText().contains("18, 20, 24, 36, 48")) << LSeveral.ErrText().toStdString();
    const testdata::TRun LUnknown =
        Run({"import", FProject, LIcons.filePath("home"), LIcons.filePath("loose"), "--base-size", "24"});
    EXPECT_EQ(LUnknown.ExitCode, 1);
    EXPECT_TRUE(LUnknown.ErrText().contains("no icon layout")) << LUnknown.ErrText().toStdString();
    EXPECT_EQ(testdata::ReadAll(LConfig), LBefore);

    const testdata::TRun LDone =
        Run({"import", FProject, LIcons.filePath("home"), "--into", "Icons", "--base-size", "48"});
    ASSERT_EQ(LDone.ExitCode, 0) << LDone.ErrText().toStdString();
    EXPECT_EQ(LDone.OutText().section('\n', 0, 0), QStringLiteral("Icons\\ic_home_black"));
    EXPECT_EQ(testdata::FileNames(FDir.filePath(QStringLiteral("Assets/Icons/ic_home_black"))).size(), 5);
}

} // namespace
