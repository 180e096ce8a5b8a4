// The package's value editors in the form designer's object inspector, driven with real clicks
// and keys; the form file then holds what was done.

#include "DesignFormDocument.h"
#include "DesignFormView.h"
#include "DesignIntf.h"
#include "ORVO.Application.h"
#include "ORVO.Components.h"
#include "TestData.h"
#include "registration/ORVO.Registration.h"
#include "registration/ORVO.SelectionEditors.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class InspectorCells : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        auto& R = ide::TDesignRegistry::Instance();
        R.BeginModule(QStringLiteral("cells"));
        for (const QMetaObject* LClass :
             {&core::TqoForm::staticMetaObject, &core::TqoLayout::staticMetaObject, &core::TqoButton::staticMetaObject,
              &core::TqoNavigationBarButton::staticMetaObject})
            ide::RegisterClass(LClass);
        orvo::registration::RegisterPropertyEditors();
        orvo::registration::RegisterSelectionEditors();
        R.EndModule();
    }
    static void TearDownTestSuite() { ide::TDesignRegistry::Instance().UnregisterModule(QStringLiteral("cells")); }

    void SetUp() override
    {
        FileName = testdata::WriteForm(Dir.path(), "object Form1: TqoForm\n"
                                                   "  object Layout1: TqoLayout\n"
                                                   "  end\n"
                                                   "  object Button1: TqoButton\n"
                                                   "  end\n"
                                                   "  object NavButton1: TqoNavigationBarButton\n"
                                                   "  end\n"
                                                   "end\n");
        ASSERT_FALSE(FileName.isEmpty());
        View = std::make_unique<ide::TFormDesignView>(ide::TFormDocument::Open(FileName));
        View->OnError = [this](const QString& AText) { Errors << AText; };
        View->resize(1000, 700);
        View->show();
    }

    void Select(const char* AName)
    {
        View->Select(View->Document().FindComponent(AName));
        QCoreApplication::processEvents();
    }
    template <class T> T* Cell(const QString& APath)
    {
        // The inspector rebuilds its rows a turn after a change; the old ones go then.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return View->Inspector().findChild<T*>(APath);
    }
    QString Saved()
    {
        View->Save();
        return QString::fromUtf8(testdata::ReadAll(FileName));
    }

    void TearDown() override { EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString(); }

    QTemporaryDir Dir;
    QString FileName;
    QStringList Errors;
    std::unique_ptr<ide::TFormDesignView> View;
};

TEST_F(InspectorCells, OffsetCheckBoxTicksTheSideAndTheFileDefinesIt)
{
    Select("Layout1");
    auto* LBox = Cell<QWidget>("Picture.RelativePosition.Left");
    ASSERT_NE(LBox, nullptr);
    QTest::mouseClick(LBox, Qt::LeftButton, {}, QPoint(6, LBox->height() / 2));
    EXPECT_TRUE(Saved().contains("    RelativePosition.DefinedValues = [Left]\n"));

    LBox = Cell<QWidget>("Picture.RelativePosition.Left");
    ASSERT_NE(LBox, nullptr);
    QTest::mouseClick(LBox, Qt::LeftButton, {}, QPoint(6, LBox->height() / 2));
    EXPECT_TRUE(Saved().contains("    RelativePosition.DefinedValues = []\n"));
}

TEST_F(InspectorCells, ButtonKindAndNavigationActionMakeTheirObjectsAndKeepTheirValues)
{
    Select("Button1");
    auto* LKind = Cell<QComboBox>("Value.Appearance");
    ASSERT_NE(LKind, nullptr);
    EXPECT_EQ(LKind->currentText(), "(Empty)");
    EXPECT_EQ(Cell<QWidget>("Value.Appearance.CornerRadius"), nullptr);
    LKind->setCurrentText("outlined");
    QTest::keyClick(LKind->lineEdit(), Qt::Key_Return);
    auto* LRadius = Cell<QLineEdit>("Value.Appearance.CornerRadius");
    ASSERT_NE(LRadius, nullptr);
    EXPECT_EQ(Cell<QComboBox>("Value.Appearance")->currentText(), "Outlined");
    LRadius->selectAll();
    QTest::keyClicks(LRadius, "12");
    QTest::keyClick(LRadius, Qt::Key_Return);

    Select("NavButton1");
    auto* LAction = Cell<QComboBox>("Value.ActionControl");
    ASSERT_NE(LAction, nullptr);
    QStringList LOffered;
    for (int I = 0; I < LAction->count(); ++I)
        LOffered << LAction->itemText(I);
    EXPECT_EQ(LOffered, QStringList({"(Empty)", "Back", "Menu", "Search"}));
    LAction->textActivated("Menu");
    EXPECT_EQ(Cell<QComboBox>("Value.ActionControl")->currentText(), "Menu (TqoMenuActionControl)");
    auto* LDrawer = Cell<QLineEdit>("Value.ActionControl.DrawerName");
    ASSERT_NE(LDrawer, nullptr);
    QTest::keyClicks(LDrawer, "Drawer1");
    QTest::keyClick(LDrawer, Qt::Key_Return);

    // The kind and the action come first in the file, so the objects exist when their values are read.
    Saved();
    auto LReopened = ide::TFormDocument::Open(FileName);
    auto* LButton = qobject_cast<core::TqoButton*>(LReopened->FindComponent("Button1"));
    ASSERT_TRUE(LButton && LButton->GetAppearance());
    EXPECT_EQ(LButton->GetKind(), core::TqoButtonKind::Outlined);
    EXPECT_EQ(LButton->GetAppearance()->GetCornerRadius(), 12.0f);
    auto* LNav = qobject_cast<core::TqoNavigationBarButton*>(LReopened->FindComponent("NavButton1"));
    ASSERT_TRUE(LNav && LNav->GetActionControl());
    EXPECT_EQ(LNav->GetActionControl()->property("DrawerName").toString(), "Drawer1");

    // A kind the runtime does not know makes the button a custom one, without an appearance.
    Select("Button1");
    Cell<QComboBox>("Value.Appearance")->textActivated("Glass");
    EXPECT_EQ(Cell<QComboBox>("Value.Appearance")->currentText(), "(Empty)");
    EXPECT_EQ(Cell<QWidget>("Value.Appearance.CornerRadius"), nullptr);
}

TEST_F(InspectorCells, EmptyThemeNameShowsTheApplicationsThemeUntilOneIsTyped)
{
    Select("Form1");
    auto* LTheme = Cell<QComboBox>("Value.ThemeName");
    ASSERT_NE(LTheme, nullptr);
    ASSERT_TRUE(LTheme->currentText().isEmpty());
    // The empty cell is drawn by the editor: it differs from the same cell drawn with no text.
    const QImage LDrawn = LTheme->lineEdit()->grab().toImage();
    core::Application().ThemeSettings().SetThemeName(QString());
    const QImage LBlank = LTheme->lineEdit()->grab().toImage();
    core::Application().ThemeSettings().SetThemeName(QStringLiteral("Light"));
    EXPECT_NE(LDrawn, LBlank);

    LTheme->lineEdit()->setFocus();
    QTest::keyClicks(LTheme->lineEdit(), "Dark");
    QTest::keyClick(LTheme->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(Saved().contains("  ThemeName = 'Dark'\n"));
}

} // namespace
