// The Material icons importer: the catalogue and its search, the groups an import builds, the
// dialog driven by real key and mouse events, and the Assets Manager's command.

#include "IdeSession.h"
#include "ORVO.Designer.IdeSettings.h"
#include "ORVO.Translator.h"
#include "TestData.h"
#include "dialogs/icons/Dialog.Google.Icons.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace orvo;

namespace {

QString SharedRepo() { return testdata::SharedDataDir() + QStringLiteral("/icons-repo"); }

// The catalogue's files of the shared repository, and an "action" category holding the icons
// the cases name: home as PNG, 3d rotation as SVG (copies of real files under those names).
// Made once: the suite only reads it.
class MaterialIconsTest : public testing::Test
{
protected:
    static inline std::unique_ptr<QTemporaryDir> FRepoDir;
    QTemporaryDir FDir;
    QString FRepo;
    QString FLanguage = core::TqoTranslator::CurrentLanguage();

    static void SetUpTestSuite()
    {
        if (!testdata::HasSharedData(QStringLiteral("icons-repo")))
            return;
        FRepoDir = std::make_unique<QTemporaryDir>();
        const QString LRepo = FRepoDir->path();
        for (QDirIterator LIt(SharedRepo(), {"*_white_36dp.png", "*_24px.svg"}, QDir::Files,
                              QDirIterator::Subdirectories);
             LIt.hasNext();) {
            const QString LFile = LIt.next();
            if (LFile.contains("/drawable-mdpi/") || LFile.contains("/svg/production/"))
                testdata::WriteAll(LRepo + LFile.mid(SharedRepo().size()), testdata::ReadAll(LFile));
        }
        testdata::WriteAll(LRepo + "/action/drawable-mdpi/ic_home_white_36dp.png",
                           testdata::ReadAll(SharedRepo() + "/navigation/drawable-mdpi/ic_close_white_36dp.png"));
        testdata::WriteAll(LRepo + "/action/svg/production/ic_3d_rotation_24px.svg",
                           testdata::ReadAll(SharedRepo() + "/navigation/svg/production/ic_apps_24px.svg"));
    }
    static void TearDownTestSuite() { FRepoDir.reset(); }

    void SetUp() override
    {
        ORVO_REQUIRE_SHARED_DATA("icons-repo");
        core::TqoTranslator::SetCurrentLanguage(core::TqoTranslator::EnglishLanguage);
        FRepo = FRepoDir->path();
        ASSERT_TRUE(QFileInfo::exists(FRepo + "/action/svg/production/ic_3d_rotation_24px.svg"));
    }

    void TearDown() override { core::TqoTranslator::SetCurrentLanguage(FLanguage); }

    // The one asset of the group an import of the icon builds, named as the icon is shown.
    core::TqoAssetPtr ImportOne(const QString& AName, TqoIconType AType, const TqoMaterialImport& AImport) const
    {
        TMaterialIconsModel LModel;
        LModel.Load(FRepo);
        std::vector<core::TqoAssetGroup> LGroups;
        FillGroups(LModel.FindIcons({AName}, AType), AImport, LGroups);
        if (LGroups.size() != 1 || LGroups[0].Count() != 1)
            return nullptr;
        EXPECT_EQ(LGroups[0].GetName(), AName);
        EXPECT_EQ(LGroups[0].First()->GetName(), AName);
        return LGroups[0].First();
    }
};

TEST_F(MaterialIconsTest, TwoLettersMatchNamesAndCategoriesInAnyCase)
{
    TMaterialIconsModel LModel;
    LModel.Load(FRepo);
    QStringList LLower, LUpper, LNotification;
    LModel.Enumerate(
        QStringLiteral("no"), [&](TqoIconData& A) { LLower << A.GroupDisplayName + "/" + A.Name; }, TqoIconType::SVG);
    LModel.Enumerate(
        QStringLiteral("NO"), [&](TqoIconData& A) { LUpper << A.GroupDisplayName + "/" + A.Name; }, TqoIconType::SVG);
    for (const QString& LFile : QDir(SharedRepo() + "/notification/svg/production").entryList({"*_24px.svg"}))
        LNotification << QStringLiteral("notification/") + LFile.mid(3).chopped(9);
    EXPECT_EQ(LUpper, LLower);
    for (const QString& LIcon : LNotification)
        EXPECT_TRUE(LLower.contains(LIcon)) << LIcon.toStdString();
    for (const QString& LIcon : LLower)
        EXPECT_TRUE(LIcon.startsWith("notification/") || LIcon.section('/', 1).contains("no")) << LIcon.toStdString();
    EXPECT_FALSE(LLower.contains("navigation/more_vert"));
    int LNone = 0;
    LModel.Enumerate(QString(), [&](TqoIconData&) { ++LNone; });
    EXPECT_EQ(LNone, 0);
}

TEST_F(MaterialIconsTest, PreviewIsTintedAndRemadeWhenTheTintChanges)
{
    TMaterialIconsModel LModel;
    LModel.Load(FRepo);
    auto* LIcon = const_cast<TqoIconData*>(LModel.FindIcons({"home"}, TqoIconType::PNG).front());
    // An opaque pixel of the icon and a transparent one, as drawn at 36 x 36.
    const QImage LSource = QImage(LIcon->FileName).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(LSource.size(), QSize(36, 36));
    QPoint LInk(-1, -1), LClear(-1, -1);
    for (int Y = 0; Y < 36; ++Y)
        for (int X = 0; X < 36; ++X) {
            if (qAlpha(LSource.pixel(X, Y)) == 255)
                LInk = QPoint(X, Y);
            if (qAlpha(LSource.pixel(X, Y)) == 0)
                LClear = QPoint(X, Y);
        }
    ASSERT_GE(LInk.x(), 0);
    ASSERT_GE(LClear.x(), 0);

    // Either cell of the chessboard.
    const auto LBoard = [](QRgb APixel) { return QString::number(APixel, 16); };
    LModel.LoadIconIfNotLoaded(*LIcon);
    ASSERT_EQ(LIcon->ImageIndex, 0);
    EXPECT_EQ(LModel.Preview(0).size(), QSize(36, 36));
    EXPECT_EQ(LModel.Preview(0).pixel(LInk), 0xFFFFFFFFu);
    EXPECT_TRUE(QStringList({"ff7e7e7e", "ff666666"}).contains(LBoard(LModel.Preview(0).pixel(LClear))))
        << LBoard(LModel.Preview(0).pixel(LClear)).toStdString();

    LModel.SetTintColor(0xFF000000);
    LModel.SetTintType(TMaterialIconsModel::TqoTintType::Dark);
    EXPECT_EQ(LIcon->ImageIndex, -1);
    EXPECT_EQ(LModel.PreviewCount(), 0);
    LModel.LoadIconIfNotLoaded(*LIcon);
    EXPECT_EQ(LModel.Preview(LIcon->ImageIndex).pixel(LInk), 0xFF000000u);
    EXPECT_TRUE(QStringList({"fffcfcfc", "ffcccccc"}).contains(LBoard(LModel.Preview(LIcon->ImageIndex).pixel(LClear))))
        << "the light board under black icons";
}

TEST_F(MaterialIconsTest, PngImportNamesTheFiveDensityFilesOfTintAndSize)
{
    const auto LSet =
        std::dynamic_pointer_cast<core::TqoAssetBitmapSet>(ImportOne("home", TqoIconType::PNG, {36, true}));
    ASSERT_TRUE(LSet);
    QStringList LFiles;
    QList<float> LScales;
    for (const core::TqoBitmapInfo* LInfo : LSet->GetBitmapInfos()) {
        LFiles << QDir(FRepo).relativeFilePath(LInfo->GetFileName());
        LScales << LInfo->GetScale();
    }
    EXPECT_EQ(
        LFiles,
        QStringList({"action/drawable-mdpi/ic_home_black_36dp.png", "action/drawable-hdpi/ic_home_black_36dp.png",
                     "action/drawable-xhdpi/ic_home_black_36dp.png", "action/drawable-xxhdpi/ic_home_black_36dp.png",
                     "action/drawable-xxxhdpi/ic_home_black_36dp.png"}));
    EXPECT_EQ(LScales, QList<float>({1.0f, 1.5f, 2.0f, 3.0f, 4.0f}));
}

TEST_F(MaterialIconsTest, SvgImportKeepsTheFileAndTheBlankInTheName)
{
    const auto LSvg = std::dynamic_pointer_cast<core::TqoAssetSVG>(ImportOne("3d rotation", TqoIconType::SVG, {18}));
    ASSERT_TRUE(LSvg);
    EXPECT_EQ(LSvg->GetSVGFileName(), FRepo + "/action/svg/production/ic_3d_rotation_24px.svg");
    EXPECT_EQ(LSvg->GetSize(), QSizeF(18, 18));
}

struct TMissingRepoCase
{
    std::string Name;
    std::function<QString(const QString&)> Make; // the repository folder below a temporary one
};

class MissingRepository : public testing::TestWithParam<TMissingRepoCase>
{
};

TEST_P(MissingRepository, GivesAnEmptyCatalogueAndSaysWhereItLooked)
{
    QTemporaryDir LDir;
    const QString LRepo = GetParam().Make(LDir.path());
    TMaterialIconsModel LModel;
    LModel.Load(LRepo);
    EXPECT_EQ(LModel.IconCount(), 0);

    TDialogMaterialIconsImporter LDialog(LRepo, nullptr);
    EXPECT_TRUE(LDialog.ListedIcons().empty());
    EXPECT_FALSE(LDialog.pnEmptyMessage->isHidden());
    EXPECT_FALSE(LDialog.lRepository->isHidden());
    EXPECT_TRUE(LDialog.lRepository->text().contains(QDir::toNativeSeparators(LRepo)))
        << LDialog.lRepository->text().toStdString();
    EXPECT_TRUE(LDialog.lRepository->text().contains("ORVO_ICONS_REPO"));
}

INSTANTIATE_TEST_SUITE_P(Folders, MissingRepository,
                         testing::Values(TMissingRepoCase{"Missing", [](const QString& A) { return A + "/none"; }},
                                         TMissingRepoCase{"Empty",
                                                          [](const QString& A) {
                                                              QDir(A).mkpath("empty/toggle/svg");
                                                              return A + "/empty";
                                                          }}),
                         testdata::TCaseName());

TEST(MaterialIconsRepository, SettingComesBeforeTheEnvironment)
{
    QTemporaryDir LDir;
    const QString LOldFile = dsgn::TqoIdeSettings::FileName();
    const QByteArray LOldRepo = qgetenv("ORVO_ICONS_REPO"), LOldOrvo = qgetenv("ORVO");
    dsgn::TqoIdeSettings::SetFileName(LDir.filePath("ide.ini"));
    qputenv("ORVO", "/opt/orvo");
    qunsetenv("ORVO_ICONS_REPO");
    EXPECT_EQ(TqoIconsRepository::Locate().Path, QStringLiteral("/opt/orvo/Externals/material-design-icons"));
    qputenv("ORVO_ICONS_REPO", "/srv/icons");
    EXPECT_EQ(TqoIconsRepository::Locate().Path, QStringLiteral("/srv/icons"));
    dsgn::TqoIdeSettings::WriteString(TqoIconsRepository::SettingsSection, TqoIconsRepository::SettingsName, "/set");
    EXPECT_EQ(TqoIconsRepository::Locate().Path, QStringLiteral("/set"));
    dsgn::TqoIdeSettings::SetFileName(LOldFile);
    qputenv("ORVO_ICONS_REPO", LOldRepo);
    qputenv("ORVO", LOldOrvo);
}

// Real events on the dialog's widgets.
QModelIndex RowOf(const QTreeView& AView, const QString& ACaption)
{
    const QAbstractItemModel& LModel = *AView.model();
    for (int G = 0; G < LModel.rowCount(); ++G)
        for (int I = 0; I < LModel.rowCount(LModel.index(G, 0)); ++I) {
            const QModelIndex LIndex = LModel.index(I, 0, LModel.index(G, 0));
            if (LIndex.data().toString() == ACaption)
                return LIndex;
        }
    return {};
}

void Search(TDialogMaterialIconsImporter& ADialog, const QString& AText)
{
    ADialog.edSearch->clear();
    QTest::keyClicks(ADialog.edSearch, AText);
    EXPECT_TRUE(ADialog.tmDelaySearch->isActive());
    QTest::qWait(ADialog.tmDelaySearch->interval() + 100);
}

void Click(TDialogMaterialIconsImporter& ADialog, const QString& ACaption, Qt::KeyboardModifiers AModifiers = {})
{
    const QModelIndex LIndex = RowOf(*ADialog.lvIcons, ACaption);
    ASSERT_TRUE(LIndex.isValid()) << ACaption.toStdString();
    ADialog.lvIcons->scrollTo(LIndex);
    QTest::mouseClick(ADialog.lvIcons->viewport(), Qt::LeftButton, AModifiers,
                      ADialog.lvIcons->visualRect(LIndex).center());
}

TEST_F(MaterialIconsTest, DialogSearchesAfterTheDelayAndKeepsTheSelection)
{
    TDialogMaterialIconsImporter LDialog(FRepo, nullptr);
    LDialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&LDialog));
    EXPECT_FALSE(LDialog.pnEmptyMessage->isHidden());

    Search(LDialog, QStringLiteral("no"));
    EXPECT_TRUE(LDialog.pnEmptyMessage->isHidden());
    EXPECT_TRUE(RowOf(*LDialog.lvIcons, "adb").isValid());
    // Only the rows in view have previews; a list that made them all would stall every search.
    EXPECT_GT(LDialog.Model().PreviewCount(), 0);
    EXPECT_LT(size_t(LDialog.Model().PreviewCount()), LDialog.ListedIcons().size());
    Click(LDialog, QStringLiteral("adb"));
    Click(LDialog, QStringLiteral("sms"), Qt::ControlModifier);
    EXPECT_EQ(LDialog.lSelectedIcons->text(), QStringLiteral("Selected 2 Icons (<a href=\"reset\">\"reset\"</a>)"));

    QTest::keyClick(LDialog.edSearch, Qt::Key_Backspace);
    QTest::qWait(LDialog.tmDelaySearch->interval() + 100);
    EXPECT_TRUE(LDialog.ListedIcons().empty());
    EXPECT_FALSE(LDialog.pnEmptyMessage->isHidden());

    Search(LDialog, QStringLiteral("apps"));
    Click(LDialog, QStringLiteral("apps"), Qt::ControlModifier);
    Search(LDialog, QStringLiteral("notification"));
    EXPECT_EQ(LDialog.lvIcons->selectionModel()->selectedIndexes().size(), 2);
    EXPECT_EQ(LDialog.lSelectedIcons->text(), QStringLiteral("Selected 3 Icons (<a href=\"reset\">\"reset\"</a>)"));

    std::vector<core::TqoAssetGroup> LGroups;
    LDialog.FillGroups(&LGroups);
    QStringList LNames;
    for (const auto& LGroup : LGroups)
        LNames << LGroup.GetName();
    EXPECT_EQ(LNames, QStringList({"adb", "sms", "apps"}));

    Q_EMIT LDialog.lSelectedIcons->linkActivated(QStringLiteral("reset"));
    EXPECT_EQ(LDialog.SelectedCount(), 0);
    EXPECT_TRUE(LDialog.lSelectedIcons->isHidden());
    EXPECT_TRUE(LDialog.lvIcons->selectionModel()->selectedIndexes().isEmpty());

    QTest::mouseClick(LDialog.rbPNG, Qt::LeftButton);
    EXPECT_FALSE(LDialog.pnTints->isHidden());
    ASSERT_FALSE(LDialog.ListedIcons().empty());
    for (const TqoIconData* LIcon : LDialog.ListedIcons())
        EXPECT_EQ(LIcon->IconType, TqoIconType::PNG) << LIcon->FileName.toStdString();
    Q_EMIT LDialog.lSearchSample->linkActivated(QStringLiteral("notification"));
    EXPECT_EQ(LDialog.edSearch->text(), QStringLiteral("notification"));
}

class MaterialIconsFrameTest : public MaterialIconsTest
{
protected:
    QTemporaryDir FProjectDir;
    QString FOldSettings = dsgn::TqoIdeSettings::FileName();
    std::unique_ptr<testdata::TIdeSession> FSession;
    std::unique_ptr<TFrameAssetManager> FFrame;

    void SetUp() override
    {
        MaterialIconsTest::SetUp();
        if (IsSkipped())
            return;
        AssetsEditorsInitialization();
        dsgn::TqoIdeSettings::SetFileName(FDir.filePath("ide.ini"));
        dsgn::TqoIdeSettings::WriteString(TqoIconsRepository::SettingsSection, TqoIconsRepository::SettingsName, FRepo);
        ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", FProjectDir.path()));
        FSession = std::make_unique<testdata::TIdeSession>();
        FFrame = std::make_unique<TFrameAssetManager>();
        FFrame->SetProject(FSession->Open(FProjectDir.filePath("DemoApp.dproj")));
    }

    void TearDown() override
    {
        FFrame.reset();
        FSession.reset();
        dsgn::TqoIdeSettings::SetFileName(FOldSettings);
        TDialogMaterialIconsImporter::ExecuteDialog = [](TDialogMaterialIconsImporter& ADialog) {
            return ADialog.exec() == QDialog::Accepted;
        };
        MaterialIconsTest::TearDown();
    }

    void Import(bool AAccept)
    {
        TDialogMaterialIconsImporter::ExecuteDialog = [AAccept](TDialogMaterialIconsImporter& ADialog) {
            ADialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&ADialog));
            Search(ADialog, QStringLiteral("3d"));
            Click(ADialog, QStringLiteral("3d rotation"));
            EXPECT_EQ(ADialog.SelectedCount(), 1);
            return AAccept;
        };
        FFrame->UpdateActions();
        QAction* LAction = FFrame->Action(QStringLiteral("ActionImportIconsCollections"));
        ASSERT_TRUE(LAction && LAction->isEnabled());
        LAction->trigger();
    }
};

TEST_F(MaterialIconsFrameTest, ImportedSvgIsSelectedAndSavedIntoAssets)
{
    Import(true);
    const auto LAsset = std::dynamic_pointer_cast<core::TqoAssetSVG>(FFrame->Document().GetAssetsManager().Find(
        QStringLiteral("3d rotation"), core::TqoPlatform::All, core::TqoDeviceClass::All));
    ASSERT_TRUE(LAsset);
    EXPECT_EQ(LAsset->GetSize(), QSizeF(24, 24));
    ASSERT_EQ(FFrame->Tree().SelectedCount(), 1);
    EXPECT_EQ(FFrame->GetAssetName(FFrame->Tree().GetSortedSelection().first()), QStringLiteral("3d rotation"));

    FFrame->Save(false);
    const QByteArray LSource = testdata::ReadAll(FRepo + "/action/svg/production/ic_3d_rotation_24px.svg");
    QStringList LCopies;
    for (const QString& LFile : testdata::FileNames(FProjectDir.filePath("Assets")))
        if (LFile.endsWith(".svg") && testdata::ReadAll(FProjectDir.filePath("Assets/" + LFile)) == LSource)
            LCopies << LFile;
    EXPECT_EQ(LCopies.size(), 1) << LCopies.join(' ').toStdString();
    EXPECT_TRUE(LCopies.value(0).startsWith("3d rotation/")) << LCopies.value(0).toStdString();
}

TEST_F(MaterialIconsFrameTest, CancelChangesNothing)
{
    const QStringList LBefore = FFrame->Document().GetAssetsManager().GetAssetsNames();
    const bool LModified = FFrame->GetModified();
    Import(false);
    EXPECT_EQ(FFrame->Document().GetAssetsManager().GetAssetsNames(), LBefore);
    EXPECT_EQ(FFrame->GetModified(), LModified);
}

} // namespace

namespace {

TEST_F(MaterialIconsTest, CommandLineSearchesAndImportsByName)
{
    const QString LBinary = QStringLiteral(ORVO_BIN_DIR "/orvo-assets");
    if (!QFileInfo(LBinary).isExecutable())
        GTEST_SKIP() << "orvo-assets is not built";
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", FDir.path()));
    const QString LProject = FDir.filePath("DemoApp.dproj");
    const QString LSvg = FRepo + "/action/svg/production/ic_3d_rotation_24px.svg";

    const testdata::TRun LSearch = testdata::RunProgram(LBinary, {"material", "search", "3D", "--icons-repo", FRepo});
    ASSERT_EQ(LSearch.ExitCode, 0) << LSearch.ErrText().toStdString();
    EXPECT_EQ(LSearch.OutText(), "action\t3d rotation\t" + LSvg + "\n");

    const QByteArray LConfig = testdata::ReadAll(FDir.filePath("Assets/config.json"));
    const testdata::TRun LUnknown = testdata::RunProgram(
        LBinary, {"material", "import", LProject, "3d rotation", "no_such_icon", "--icons-repo", FRepo});
    EXPECT_EQ(LUnknown.ExitCode, 1);
    EXPECT_TRUE(LUnknown.ErrText().contains("\"no_such_icon\"")) << LUnknown.ErrText().toStdString();
    EXPECT_EQ(testdata::ReadAll(FDir.filePath("Assets/config.json")), LConfig);

    const testdata::TRun LImport =
        testdata::RunProgram(LBinary, {"material", "import", LProject, "3d_rotation", "--size", "18", "--into", "Icons",
                                       "--icons-repo", FRepo});
    ASSERT_EQ(LImport.ExitCode, 0) << LImport.ErrText().toStdString();
    EXPECT_TRUE(LImport.OutText().contains("Icons\\3d rotation\n")) << LImport.OutText().toStdString();
    const QByteArray LSaved = testdata::ReadAll(FDir.filePath("Assets/config.json"));
    EXPECT_TRUE(LSaved.contains("Icons\\\\3d rotation")) << LSaved.toStdString();
    QStringList LCopies;
    for (const QString& LFile : testdata::FileNames(FDir.filePath("Assets/Icons/3d rotation")))
        if (testdata::ReadAll(FDir.filePath("Assets/Icons/3d rotation/" + LFile)) == testdata::ReadAll(LSvg))
            LCopies << LFile;
    EXPECT_EQ(LCopies.size(), 1) << LCopies.join(' ').toStdString();
}

} // namespace
