// The asset chooser on the asset manager the IDE keeps for the demo project, driven with
// real keys and clicks.

#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/designer/Wizard.AssetsManager.h"
#include "assets/editors/Form.AssetsChooser.h"
#include "assets/storage/ORVO.Assets.Editors.h"
#include "registration/ORVO.Registration.h"

#include "DesignFormDocument.h"
#include "DesignFormView.h"
#include "IdeSession.h"
#include "ORVO.Components.h"
#include "TestData.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using orvo::TFormAssetsChooser;
using orvo::TqoAssetType;

class AssetsChooserDialog : public testing::Test
{
protected:
    void SetUp() override
    {
        ide::BorlandIDEServices().InstallDefaultServices();
        FIde = std::make_unique<testdata::TIdeSession>();
        testdata::TAnsweringDialogs::Install();
        orvo::AssetsEditorsInitialization();
        orvo::WizardAssetsManagerInitialization();
        ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", FDir.path()));
        FProject = FIde->Open(FDir.filePath("DemoApp.dproj"));
    }
    void TearDown() override
    {
        TFormAssetsChooser::ExecuteDialog = FDefaultExecute;
        FProject.reset();
        FIde.reset();
        orvo::WizardAssetsManagerFinalization();
        orvo::AssetsEditorsFinalization();
    }

    static QStringList Rows(const TFormAssetsChooser& ADialog)
    {
        QStringList LRows;
        for (int I = 0; I < ADialog.vstImages->topLevelItemCount(); ++I)
            LRows << ADialog.vstImages->topLevelItem(I)->text(0);
        return LRows;
    }
    static QTreeWidgetItem* Row(const TFormAssetsChooser& ADialog, const QString& ACaption)
    {
        const auto LFound = ADialog.vstImages->findItems(ACaption, Qt::MatchExactly);
        return LFound.isEmpty() ? nullptr : LFound.first();
    }
    static void ClickRow(TFormAssetsChooser& ADialog, QTreeWidgetItem* ARow)
    {
        QTest::mouseClick(ADialog.vstImages->viewport(), Qt::LeftButton, {},
                          ADialog.vstImages->visualItemRect(ARow).center());
    }

    QTemporaryDir FDir;
    std::unique_ptr<testdata::TIdeSession> FIde;
    std::shared_ptr<ide::TDprojProject> FProject;
    const std::function<bool(TFormAssetsChooser&)> FDefaultExecute = TFormAssetsChooser::ExecuteDialog;
};

TEST_F(AssetsChooserDialog, SearchThenDoubleClickGivesTheThemeRelatedName)
{
    QStringList LShown;
    TFormAssetsChooser::ExecuteDialog = [&](TFormAssetsChooser& ADialog) {
        ADialog.show();
        QTest::keyClicks(ADialog.edSearch, "TEXT");
        LShown = Rows(ADialog);
        QTreeWidgetItem* LRow = Row(ADialog, "Light -> Text");
        if (!LRow)
            return false;
        ClickRow(ADialog, LRow);
        QTest::mouseDClick(ADialog.vstImages->viewport(), Qt::LeftButton, {},
                           ADialog.vstImages->visualItemRect(LRow).center());
        return ADialog.result() == QDialog::Accepted;
    };
    QStringList LChosen;
    TFormAssetsChooser::Show({TqoAssetType::Colors}, QString(), [&](const QString& AName) { LChosen << AName; });
    EXPECT_EQ(LShown, QStringList({"Dark -> Text", "Light -> Text"}));
    EXPECT_EQ(LChosen, QStringList({"Light:Text"}));
}

TEST_F(AssetsChooserDialog, InitialNameIsSelectedIgnoringCaseAndOkNeedsASelection)
{
    TFormAssetsChooser LDialog;
    LDialog.SetAssetTypes({TqoAssetType::Colors});
    QPushButton* LOk = LDialog.Buttons->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(LOk->isEnabled());
    LDialog.SetInitialImageName("light:TEXT");
    ASSERT_NE(LDialog.vstImages->currentItem(), nullptr);
    EXPECT_EQ(LDialog.vstImages->currentItem()->text(0), "Light -> Text");
    EXPECT_TRUE(LOk->isEnabled());

    TFormAssetsChooser LEmpty(nullptr, std::make_shared<core::TqoAssetsManager>());
    LEmpty.SetAssetTypes({TqoAssetType::Colors, TqoAssetType::Bitmaps, TqoAssetType::SVG});
    EXPECT_EQ(LEmpty.vstImages->topLevelItemCount(), 0);
    EXPECT_FALSE(LEmpty.Buttons->button(QDialogButtonBox::Ok)->isEnabled());
}

TEST_F(AssetsChooserDialog, LinkClosesAndOpensTheAssetsManagerOnTheChosenAsset)
{
    bool LVisibleAfterLink = true;
    TFormAssetsChooser::ExecuteDialog = [&](TFormAssetsChooser& ADialog) {
        ADialog.show();
        if (QTreeWidgetItem* LRow = Row(ADialog, "Dark -> Background"))
            ClickRow(ADialog, LRow);
        QTest::mouseClick(ADialog.lblOpenAssetsManager, Qt::LeftButton);
        LVisibleAfterLink = ADialog.isVisible();
        return ADialog.result() == QDialog::Accepted;
    };
    bool LCalled = false;
    TFormAssetsChooser::Show({TqoAssetType::Colors}, QString(), [&](const QString&) { LCalled = true; });
    EXPECT_FALSE(LCalled);
    EXPECT_FALSE(LVisibleAfterLink);
    const auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>();
    ASSERT_EQ(LViews->OpenViews().size(), 1u);
    const auto LView = orvo::FindAssetsManagerView(FProject->ProjectGUID());
    ASSERT_NE(LView, nullptr);
    EXPECT_EQ(LView->Frame()->Document().GetInitialAssetName(), "Dark\\Background");
}

TEST_F(AssetsChooserDialog, InspectorEllipsisPicksAnAssetIntoTheFormFile)
{
    for (const QMetaObject* LClass :
         {&core::TqoForm::staticMetaObject, &core::TqoLayout::staticMetaObject, &core::TqoImage::staticMetaObject,
          &core::TqoRectangle::staticMetaObject, &core::TqoLabel::staticMetaObject,
          &core::TqoCollectionView::staticMetaObject, &core::TqoButton::staticMetaObject})
        ide::RegisterClass(LClass);
    static const bool LRegistered = (orvo::registration::RegisterPropertyEditors(), true);
    (void)LRegistered;
    const QString LForm = FDir.filePath("Main.xfm");
    ide::TFormDesignView LView(ide::TFormDocument::Open(LForm));
    LView.resize(1000, 600);
    LView.show();
    LView.Select(LView.Document().FindComponent("ImageLogo"));

    QString LInitial;
    TFormAssetsChooser::ExecuteDialog = [&](TFormAssetsChooser& ADialog) {
        ADialog.show();
        LInitial = ADialog.vstImages->currentItem() ? ADialog.vstImages->currentItem()->text(0) : QString();
        QTest::keyClicks(ADialog.edSearch, "star");
        if (QTreeWidgetItem* LRow = Row(ADialog, "Icons\\Star"))
            ClickRow(ADialog, LRow);
        QTest::mouseClick(ADialog.Buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return ADialog.result() == QDialog::Accepted;
    };
    auto* LEllipsis = LView.Inspector().findChild<QAbstractButton*>("Edit.ImageName");
    ASSERT_NE(LEllipsis, nullptr);
    QTest::mouseClick(LEllipsis, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(LInitial, "Logo");

    LView.Save();
    const QString LText = QString::fromUtf8(testdata::ReadAll(LForm));
    EXPECT_TRUE(LText.contains("      ImageName = 'Icons\\Star'\n")) << LText.toStdString();
    EXPECT_FALSE(LText.contains("'Logo'")) << LText.toStdString();
}

} // namespace
