// The form designer window with the package's editors: double-click and context-menu verbs
// on the canvas and in the structure, with real mouse events.

#include "DesignFormDocument.h"
#include "DesignFormView.h"
#include "ORVO.Components.h"
#include "TestData.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

class FormDesignerVerbs : public testing::Test
{
protected:
    ide::TFormDesignView& Open(const QString& AExample)
    {
        EXPECT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/" + AExample, FDir.path()));
        FView = std::make_unique<ide::TFormDesignView>(ide::TFormDocument::Open(FDir.filePath("Main.xfm")));
        FView->OnError = [](const QString& AText) { ADD_FAILURE() << AText.toStdString(); };
        FView->resize(1100, 760);
        FView->show();
        return *FView;
    }
    QPoint Center(QObject* AComponent) const { return FView->Canvas().ComponentRect(AComponent).center(); }
    // The node's text of each node, depth first.
    static QStringList Nodes(QTreeWidget& ATree)
    {
        QStringList LTexts;
        for (QTreeWidgetItemIterator It(&ATree); *It; ++It)
            LTexts << (*It)->text(0);
        return LTexts;
    }

    // Each node's text indented by its depth, depth first.
    static QStringList Tree(QTreeWidget& ATree)
    {
        QStringList LTexts;
        for (QTreeWidgetItemIterator It(&ATree); *It; ++It) {
            int LDepth = 0;
            for (auto* LUp = (*It)->parent(); LUp; LUp = LUp->parent())
                ++LDepth;
            LTexts << QString(LDepth * 2, ' ') + (*It)->text(0);
        }
        return LTexts;
    }
    // A real click on the menu's item of that text, its sub-menu waited for; null when the
    // menu has no such item.
    static QAction* ClickItem(QMenu& AMenu, const QString& AText)
    {
        for (QAction* A : AMenu.actions())
            if (A->text() == AText) {
                QTest::mouseClick(&AMenu, Qt::LeftButton, {}, AMenu.actionGeometry(A).center());
                if (A->menu())
                    QTest::qWaitFor([A] { return A->menu()->isVisible(); }, 1000);
                return A;
            }
        return nullptr;
    }

    QTemporaryDir FDir;
    std::unique_ptr<ide::TFormDesignView> FView;
};

TEST_F(FormDesignerVerbs, DoubleClickedButtonGetsItsTapHandlerOnce)
{
    auto& LView = Open("DemoApp");
    QObject* LButton = LView.Document().FindComponent("qoButton1");
    ASSERT_FALSE(LView.Canvas().ComponentRect(LButton).isEmpty());
    QTest::mouseDClick(&LView.Canvas(), Qt::LeftButton, {}, Center(LButton));
    // The handler is shown in the unit, the cursor in its body.
    ASSERT_TRUE(LView.UnitCode()->isVisible());
    const QTextBlock LAt = LView.UnitCode()->textCursor().block();
    EXPECT_EQ(LAt.previous().previous().text(), "procedure TFormMain.qoButton1Tap(Sender: TObject);")
        << LAt.text().toStdString();
    QTest::mouseDClick(&LView.Canvas(), Qt::LeftButton, {}, Center(LButton));
    LView.Save();
    const QString LUnit = QString::fromUtf8(testdata::ReadAll(FDir.filePath("Main.pas")));
    EXPECT_EQ(LUnit.count("procedure qoButton1Tap(Sender: TObject);"), 1) << LUnit.toStdString();
    EXPECT_EQ(LUnit.count("procedure TFormMain.qoButton1Tap(Sender: TObject);"), 1);
    const QByteArray LForm = testdata::ReadAll(FDir.filePath("Main.xfm"));
    EXPECT_TRUE(LForm.contains("      OnClick = qoButton1Click\n      OnTap = qoButton1Tap\n")) << LForm.toStdString();
}

TEST_F(FormDesignerVerbs, AddPageFromTheCanvasMenuShowsTheNewPageInTheStructure)
{
    auto& LView = Open("FormContainers");
    QObject* LControl = LView.Document().FindComponent("PageControl1");
    // The page control's own box shows beside its page's only at its edge.
    QTest::mouseClick(&LView.Canvas(), Qt::RightButton, {}, LView.Canvas().ComponentRect(LControl).topLeft());
    QMenu* LMenu = LView.VerbMenu();
    ASSERT_TRUE(LMenu);
    QStringList LCaptions;
    for (QAction* A : LMenu->actions())
        LCaptions << A->text() + (A->isEnabled() ? "" : " (disabled)");
    EXPECT_EQ(LCaptions,
              QStringList({"Add page", "Previous page (disabled)", "Next page", "Delete \"Home\" (PageHome) page"}));
    LMenu->actions().front()->trigger();
    EXPECT_TRUE(Nodes(LView.Structure()).contains("qoPage1: TqoPage"))
        << Nodes(LView.Structure()).join(", ").toStdString();
    EXPECT_EQ(qobject_cast<core::TqoCustomPageControl*>(LControl)->GetActivePage()->objectName(), "PageHome");
}

TEST_F(FormDesignerVerbs, StructureShowsSprigCaptionsAndSelectingAPageActivatesIt)
{
    auto& LView = Open("FormContainers");
    EXPECT_EQ(Nodes(LView.Structure()).mid(2, 4),
              QStringList({"Drawer", "LabelMenu: TqoLabel", "Content", "PageControl1: TqoPageControl"}));
    auto* LSettings = LView.Document().FindComponent("PageSettings");
    EXPECT_TRUE(LView.Canvas().ComponentRect(LSettings).isEmpty()); // not active, not drawn
    for (QTreeWidgetItemIterator It(&LView.Structure()); *It; ++It)
        if ((*It)->text(0) == "PageSettings: TqoPage")
            LView.Structure().setCurrentItem(*It);
    EXPECT_TRUE(qobject_cast<core::TqoCustomPage*>(LSettings)->IsActive());
    EXPECT_FALSE(LView.Canvas().ComponentRect(LSettings).isEmpty());
}

TEST_F(FormDesignerVerbs, StyleAddedFromTheCanvasMenuShowsUnderStylesAndSurvivesSaveAndReopen)
{
    auto& LView = Open("DemoApp");
    QObject* LCollection = LView.Document().FindComponent("CollectionViewItems");
    QTest::mouseClick(&LView.Canvas(), Qt::RightButton, {}, Center(LCollection));
    QMenu* LMenu = LView.VerbMenu();
    ASSERT_TRUE(LMenu);
    QAction* LAddStyle = ClickItem(*LMenu, "Add Style");
    ASSERT_TRUE(LAddStyle && LAddStyle->menu());
    ASSERT_TRUE(LAddStyle->menu()->isVisible());
    QAction* LCategory = ClickItem(*LAddStyle->menu(), "Two line item");
    ASSERT_TRUE(LCategory && LCategory->menu());
    ASSERT_TRUE(LCategory->menu()->isVisible());
    ASSERT_TRUE(ClickItem(*LCategory->menu(), "Primary, Secondary and Meta text"));

    const QStringList LTree = Tree(LView.Structure());
    const qsizetype LAt = LTree.indexOf("  CollectionViewItems: TqoCollectionView");
    ASSERT_GE(LAt, 0) << LTree.join('\n').toStdString();
    // A template leaves the style's title empty: its node shows its name until it has one.
    EXPECT_EQ(LTree.mid(LAt + 1, 7),
              QStringList({"    Styles", "      qoCollectionViewStyle1: TqoCollectionViewStyle",
                           "        qoLayout1: TqoLayout", "          qoLabel1: TqoLabel",
                           "          qoLabel2: TqoLabel", "        qoLabel3: TqoLabel", "  LayoutFooter: TqoLayout"}))
        << LTree.join('\n').toStdString();

    LView.Save();
    const QByteArray LForm = testdata::ReadAll(FDir.filePath("Main.xfm"));
    for (const char* LObject : {"object qoCollectionViewStyle1: TqoCollectionViewStyle", "object qoLayout1: TqoLayout",
                                "object qoLabel1: TqoLabel", "object qoLabel3: TqoLabel"})
        EXPECT_TRUE(LForm.contains(LObject)) << LObject << "\n" << LForm.toStdString();
    ide::TFormDesignView LReopened(ide::TFormDocument::Open(FDir.filePath("Main.xfm")));
    EXPECT_EQ(Tree(LReopened.Structure()), LTree);
}

} // namespace
