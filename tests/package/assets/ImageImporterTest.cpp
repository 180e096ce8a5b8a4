// The icon folder importer: the layouts it takes, the bitmap set it builds, the base size question,
// and the imports of the frame and of the command line.

#include "DemoFrameTest.h"
#include "TestData.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/storage/ORVO.Assets.Designer.Importer.h"
#include "assets/storage/ORVO.Assets.Editors.h"
#include "assets/storage/ORVO.Assets.Picker.Size.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImageReader>
#include <QPushButton>
#include <QTest>

using namespace orvo;

namespace {

const QString CHome = QStringLiteral("ic_home_black");

// A 4x4 PNG at each path below ARoot.
void MakeFiles(const QString& ARoot, const QStringList& AFiles)
{
    QImage LImage(4, 4, QImage::Format_ARGB32);
    LImage.fill(Qt::black);
    for (const QString& LFile : AFiles)
        ASSERT_TRUE(QDir().mkpath(QFileInfo(ARoot + "/" + LFile).absolutePath()) &&
                    LImage.save(ARoot + "/" + LFile, "PNG"));
}

// One icon's five sizes in each density folder under APrefix.
QStringList AndroidIcon(const QString& APrefix,
                        const QStringList& ADensities = {"mdpi", "hdpi", "xhdpi", "xxhdpi", "xxxhdpi"})
{
    QStringList LFiles;
    for (const QString& LDensity : ADensities)
        for (int LSize : {18, 20, 24, 36, 48})
            LFiles << QStringLiteral("%1drawable-%2/%3_%4dp.png").arg(APrefix, LDensity, CHome).arg(LSize);
    return LFiles;
}

// "scale folder/file" per info of a bitmap set, "scale" for one without a file.
QStringList Infos(const core::TqoAssetPtr& AAsset)
{
    QStringList LInfos;
    if (const auto LSet = std::dynamic_pointer_cast<core::TqoAssetBitmapSet>(AAsset))
        for (const core::TqoBitmapInfo* LInfo : LSet->GetBitmapInfos()) {
            const QFileInfo LFile(LInfo->GetUri());
            LInfos << (QString::number(LInfo->GetScale()) +
                       (LInfo->GetUri().isEmpty() ? QString() : " " + LFile.dir().dirName() + "/" + LFile.fileName()));
        }
    return LInfos;
}

struct TLayoutCase
{
    std::string Name;
    QStringList Files;
    QList<int> Sizes; // empty: refused
    QString AssetName;
    int BaseSize;
    QStringList Infos;
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
    ASSERT_EQ(LGroup->Count(), 1);
    EXPECT_EQ(LGroup->GetName(), LCase.AssetName);
    EXPECT_EQ(LGroup->First()->GetName(), LCase.AssetName);
    EXPECT_EQ(Infos(LGroup->First()), LCase.Infos);
}

const QList<int> CAndroidSizes = {18, 20, 24, 36, 48};

INSTANTIATE_TEST_SUITE_P(
    Folders, ImporterLayout,
    testing::Values(
        TLayoutCase{"AndroidResFolder",
                    AndroidIcon("res/"),
                    CAndroidSizes,
                    CHome,
                    24,
                    {"1.5 drawable-hdpi/ic_home_black_24dp.png", "1 drawable-mdpi/ic_home_black_24dp.png",
                     "2 drawable-xhdpi/ic_home_black_24dp.png", "3 drawable-xxhdpi/ic_home_black_24dp.png",
                     "4 drawable-xxxhdpi/ic_home_black_24dp.png"}},
        TLayoutCase{"MissingDensitiesWithoutRes",
                    AndroidIcon("", {"mdpi", "xxxhdpi"}) << "notes/a.png",
                    CAndroidSizes,
                    CHome,
                    48,
                    {"1 drawable-mdpi/ic_home_black_48dp.png", "4 drawable-xxxhdpi/ic_home_black_48dp.png"}},
        TLayoutCase{"FourAndSixPngsIgnored",
                    AndroidIcon("res/", {"hdpi", "xhdpi"})
                        << "res/drawable-hdpi/ic_home_black_96dp.png" << AndroidIcon("res/", {"mdpi"}).mid(1),
                    CAndroidSizes,
                    CHome,
                    20,
                    {"2 drawable-xhdpi/ic_home_black_20dp.png"}},
        TLayoutCase{"OneXTwoX",
                    {"1x/ic_home_white_24dp.png", "2x/ic_home_white_24dp.png"},
                    {24},
                    "ic_home_white",
                    24,
                    {"1 1x/ic_home_white_24dp.png", "1.5", "3", "2 2x/ic_home_white_24dp.png"}},
        TLayoutCase{"NameWithoutUnderscore",
                    {"res/drawable-mdpi/home.png", "res/drawable-mdpi/home2.png", "res/drawable-mdpi/home3.png",
                     "res/drawable-mdpi/home4.png", "res/drawable-mdpi/home5.png"},
                    CAndroidSizes,
                    "home",
                    36,
                    {"1 drawable-mdpi/home4.png"}},
        TLayoutCase{"OnlyFoldersOfFourPngs", AndroidIcon("res/", {"mdpi"}).mid(1), {}, {}, 0, {}},
        TLayoutCase{"IosImageSet",
                    {"A.xcassets/home.imageset/home.png", "A.xcassets/home.imageset/home@2x.png"},
                    {},
                    {},
                    0,
                    {}},
        TLayoutCase{"TwoFoldersWithoutSizeInName", {"1x/home.png", "2x/home.png"}, {}, {}, 0, {}},
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

// Which folders asked for a size (with whether remembering was offered) and which size each got.
TEST(BaseSizeQuestion, RememberedSizeSkipsTheQuestionUntilAFolderLacksIt)
{
    QTemporaryDir LDir;
    MakeFiles(LDir.filePath("a"), AndroidIcon("res/"));
    MakeFiles(LDir.filePath("b"), {"1x/ic_b_20dp.png", "2x/ic_b_20dp.png"});
    QStringList LLog;
    std::optional<TqoChosenBaseSize> LAnswer = TqoChosenBaseSize{36, true};
    const auto LImport = [&](const QString& AFolder, bool AMultiple, int& ARemembered) {
        const TqoIconFolderImport LResult =
            ImportIconFolder(LDir.filePath(AFolder), AMultiple, ARemembered,
                             [&](const TqoMaterialIOIcons&, const QList<int>&, bool AOffer) {
                                 LLog << (AOffer ? "asked, offered" : "asked");
                                 return LAnswer;
                             });
        LLog << (LResult.Group ? Infos(LResult.Group->First()).value(0)
                               : QString(LResult.Recognized ? "cancelled" : "refused"));
    };
    int LRemembered = 0;
    LImport("a", true, LRemembered);
    LImport("b", true, LRemembered);
    LImport("a", true, LRemembered);
    int LOther = 30;
    LAnswer = TqoChosenBaseSize{18, true};
    LImport("a", true, LOther);
    LAnswer.reset();
    int LNone = 0;
    LImport("a", false, LNone);
    LImport("b/1x", false, LNone);
    EXPECT_EQ(LLog, (QStringList{"asked, offered", "1.5 drawable-hdpi/ic_home_black_36dp.png", "1 1x/ic_b_20dp.png",
                                 "1.5 drawable-hdpi/ic_home_black_36dp.png", "asked",
                                 "1.5 drawable-hdpi/ic_home_black_18dp.png", "asked", "cancelled", "refused"}));
    EXPECT_EQ(QList<int>({LRemembered, LOther, LNone}), QList<int>({36, 18, 0}));
}

class IconImportFrameTest : public testdata::TDemoFrameTest
{
protected:
    QTemporaryDir FIcons;
    std::shared_ptr<testdata::TAnsweringDialogs> FDialogs = testdata::TAnsweringDialogs::Install();
    testdata::TKeepDialogHook<TFormSizePicker> FHook;
    QStringList FSeen; // per question: the preselected size, and "offered" when remembering was

    void SetUp() override
    {
        TDemoFrameTest::SetUp();
        MakeFiles(FIcons.filePath("home"), AndroidIcon("res/"));
    }

    // The picker answered as a user does: AKey on the size list, then Import or Escape.
    void AnswerPicker(std::optional<Qt::Key> AKey, bool AAccept)
    {
        TFormSizePicker::ExecuteDialog = [=, this](TFormSizePicker& ADialog) {
            ADialog.show();
            FSeen << ADialog.cbSizes->currentText() << (ADialog.cbPickSizeByDefault->isVisible() ? "offered" : "");
            if (AKey)
                QTest::keyClick(ADialog.cbSizes, *AKey);
            if (AAccept)
                QTest::mouseClick(ADialog.OkButton(), Qt::LeftButton);
            else
                QTest::keyClick(&ADialog, Qt::Key_Escape);
            return ADialog.result() == QDialog::Accepted;
        };
    }

    void ImportFolder()
    {
        FDialogs->FileAnswers.push_back({FIcons.filePath("home")});
        FFrame->UpdateActions();
        ASSERT_TRUE(FFrame->Action(QStringLiteral("ActionImportIconPack"))->isEnabled());
        FFrame->Action(QStringLiteral("ActionImportIconPack"))->trigger();
    }

    QStringList Names() const { return FFrame->Document().GetAssetsManager().GetAssetsNames(); }
    core::TqoAssetPtr Asset(const QString& AName) const
    {
        return FFrame->Document().GetAssetsManager().Find(AName, core::TqoPlatform::All, core::TqoDeviceClass::All);
    }
};

TEST_F(IconImportFrameTest, ChosenSizeIsAddedSelectedAndSaved)
{
    FFrame->SelectNode(QStringLiteral("Icons\\Star"), true);
    AnswerPicker(Qt::Key_Down, true);
    ImportFolder();

    EXPECT_EQ(FSeen, (QStringList{"24 x 24", ""}));
    const QString LName = QStringLiteral("Icons\\ic_home_black");
    EXPECT_EQ(Infos(Asset(LName)).value(4), QStringLiteral("4 drawable-xxxhdpi/ic_home_black_36dp.png"));
    ASSERT_EQ(FFrame->Tree().SelectedCount(), 1);
    EXPECT_EQ(FFrame->GetAssetName(FFrame->Tree().GetSortedSelection().first()), LName);

    FFrame->Action(QStringLiteral("ActionSave"))->trigger();
    const QString LStored = FDir.filePath(QStringLiteral("Assets/Icons/ic_home_black/"));
    EXPECT_EQ(testdata::FileNames(LStored), (QStringList{"default@10x.png", "default@15x.png", "default@20x.png",
                                                         "default@30x.png", "default@40x.png"}));
    EXPECT_EQ(QImageReader(LStored + "default@40x.png").size(), QSize(4, 4));
}

TEST_F(IconImportFrameTest, EscapeOrDamagedPngAddsNothing)
{
    const QStringList LBefore = Names();
    AnswerPicker(std::nullopt, false);
    ImportFolder();
    const QString LDamaged = FIcons.filePath("home/res/drawable-xxhdpi/ic_home_black_24dp.png");
    ASSERT_TRUE(testdata::WriteAll(LDamaged, testdata::ReadAll(LDamaged).left(40)));
    AnswerPicker(std::nullopt, true);
    ImportFolder();
    EXPECT_EQ(Names(), LBefore);
    EXPECT_EQ(FSeen.size(), 4);
    EXPECT_TRUE(FDialogs->Asked.last().contains(LDamaged)) << FDialogs->Asked.last().toStdString();
}

TEST_F(IconImportFrameTest, DroppedFoldersAreIconSetsOrTheirFiles)
{
    MakeFiles(FIcons.filePath("plain"), {"star.png"});
    AnswerPicker(std::nullopt, true);
    FFrame->DropFiles({FIcons.filePath("home"), FIcons.filePath("plain")}, nullptr);
    EXPECT_EQ(FSeen, (QStringList{"24 x 24", "offered"}));
    EXPECT_EQ(Infos(Asset(CHome)).size(), 5);
    EXPECT_EQ(Infos(Asset("star")).value(0), QStringLiteral("1 plain/star.png"));
}

using ImportCommandLine = testdata::TDemoProjectTest;

TEST_F(ImportCommandLine, RefusesWithoutChangesThenImportsTheGivenSize)
{
    QTemporaryDir LIcons;
    MakeFiles(LIcons.filePath("home"), AndroidIcon("res/"));
    MakeFiles(LIcons.filePath("loose"), {"a.png"});
    const QString LConfig = FDir.filePath(QStringLiteral("Assets/config.json"));
    const QByteArray LBefore = testdata::ReadAll(LConfig);

    const testdata::TRun LSeveral = Run({"import", FProject, LIcons.filePath("home")});
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
