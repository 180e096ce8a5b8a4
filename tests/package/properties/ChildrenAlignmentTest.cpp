// A layout's children alignment edited through the drop-down panel: the panel's buttons and
// icons follow the layout, clicks write the layout, and the form file takes the result.

#include "DesignFormDocument.h"
#include "DesignFormView.h"
#include "ORVO.Components.h"
#include "ORVO.Exceptions.h"
#include "TestData.h"
#include "properties/ORVO.Properties.ChildrenAlignment.Editor.h"
#include "properties/ORVO.Properties.ChildrenAlignment.h"
#include "registration/ORVO.Registration.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using TFrame = orvo::TFlexBoxContainerEditorFrame;
using TAlign = core::TqoChildrenAlignment;

class ChildrenAlignment : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ide::RegisterClass(&core::TqoForm::staticMetaObject);
        ide::RegisterClass(&core::TqoLayout::staticMetaObject);
        static const bool LRegistered = (orvo::registration::RegisterPropertyEditors(), true);
        (void)LRegistered;
    }

    core::TqoLayout Layout;
    TFrame Frame;
};

TEST_F(ChildrenAlignment, RowReversePanelShowsRowIconsWithStartAndEndSwapped)
{
    Layout.GetChildrenAlignment()->SetDirection(TAlign::TqoFlexDirection::RowReverse);
    Layout.GetChildrenAlignment()->SetAlignContent(TAlign::TqoAlignContent::SpaceAround);
    Frame.SetInstance(&Layout);

    EXPECT_EQ(Frame.Checked(TFrame::Direction), 3);
    EXPECT_EQ(Frame.Checked(TFrame::AlignContent), 5);
    EXPECT_EQ(Frame.Checked(TFrame::AlignItems), 0);
    EXPECT_EQ(Frame.ValueLabel(TFrame::Direction)->text(), "RowReverse");
    EXPECT_EQ(Frame.ValueLabel(TFrame::AlignContent)->text(), "SpaceAround");
    EXPECT_EQ(Frame.Button(TFrame::JustifyContent, 0)->ImageName(), "JustifyContent\\End Row");
    EXPECT_EQ(Frame.Button(TFrame::JustifyContent, 1)->ImageName(), "JustifyContent\\Start Row");
    EXPECT_EQ(Frame.Button(TFrame::Wrap, 0)->ImageName(), "Wrap\\NoWrap Row");
    EXPECT_EQ(Frame.Button(TFrame::Direction, 2)->ImageName(), "Direction\\Column Reverse");
}

TEST_F(ChildrenAlignment, ClicksWriteTheLayoutAndDirectionTurnsTheIcons)
{
    Frame.SetInstance(&Layout);
    Frame.show();
    QTest::mouseClick(Frame.Button(TFrame::JustifyContent, 5), Qt::LeftButton);
    EXPECT_EQ(Layout.GetChildrenAlignment()->GetJustifyContent(), TAlign::TqoJustifyContent::SpaceEvenly);
    EXPECT_EQ(Frame.ValueLabel(TFrame::JustifyContent)->text(), "SpaceEvenly");
    EXPECT_EQ(Frame.Button(TFrame::AlignItems, 3)->ImageName(), "AlignItems\\Center Column");

    QTest::mouseClick(Frame.Button(TFrame::Direction, 1), Qt::LeftButton);
    EXPECT_EQ(Layout.GetChildrenAlignment()->GetDirection(), TAlign::TqoFlexDirection::Row);
    EXPECT_EQ(Frame.Button(TFrame::AlignItems, 3)->ImageName(), "AlignItems\\Center Row");
    EXPECT_EQ(Frame.Checked(TFrame::JustifyContent), 5) << "a direction keeps the other settings";

    // Every button of every direction finds its picture in the designer's collection.
    for (int LDirection : {0, 1, 2, 3}) {
        QTest::mouseClick(Frame.Button(TFrame::Direction, LDirection), Qt::LeftButton);
        for (QToolButton* LButton : Frame.findChildren<QToolButton*>())
            EXPECT_FALSE(LButton->icon().isNull())
                << static_cast<orvo::TqoSpeedButton*>(LButton)->ImageName().toStdString();
    }
}

TEST_F(ChildrenAlignment, ValueOutsideTheButtonsIsAnAssertionNamingItsType)
{
    Layout.GetChildrenAlignment()->SetWrap(TAlign::TqoFlexWrap(7));
    try {
        Frame.SetInstance(&Layout);
        FAIL() << "no assertion";
    } catch (const core::EqoAssertionFailed& E) {
        EXPECT_TRUE(QString::fromUtf8(E.what()).contains("TqoFlexWrap")) << E.what();
    }
}

TEST_F(ChildrenAlignment, InspectorDropsThePanelDownAndTheFormFileTakesItsClicks)
{
    QTemporaryDir LDir;
    const QString LFile = testdata::WriteForm(LDir.path(), "object Form1: TqoForm\n"
                                                           "  object Layout1: TqoLayout\n"
                                                           "    ChildrenAlignment.Wrap = Wrap\n"
                                                           "  end\n"
                                                           "  object Layout2: TqoLayout\n"
                                                           "  end\n"
                                                           "end\n");
    ASSERT_FALSE(LFile.isEmpty());
    ide::TFormDesignView LView(ide::TFormDocument::Open(LFile));
    LView.OnError = [](const QString& AText) { ADD_FAILURE() << AText.toStdString(); };
    LView.resize(1000, 600);
    LView.show();
    QObject* LLayout1 = LView.Document().FindComponent("Layout1");
    QObject* LLayout2 = LView.Document().FindComponent("Layout2");

    // One component at a time: two layouts selected have no such row.
    auto LBoth = ide::GetComponentProperties({LLayout1, LLayout2}, &LView.Document().Designer());
    for (const auto& LEditor : LBoth)
        EXPECT_NE(LEditor->GetName(), "ChildrenAlignment");

    LView.Select(LLayout1);
    auto* LButton = LView.Inspector().findChild<QAbstractButton*>("Edit.ChildrenAlignment");
    ASSERT_NE(LButton, nullptr);
    QTest::mouseClick(LButton, Qt::LeftButton);
    auto* LPanel = dynamic_cast<TFrame*>(LView.Inspector().DroppedDown());
    ASSERT_NE(LPanel, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(LPanel));
    EXPECT_EQ(LPanel->Checked(TFrame::Wrap), 1);
    EXPECT_EQ(LPanel->height(), 290);
    QTest::mouseClick(LPanel->Button(TFrame::Direction, 1), Qt::LeftButton);
    QTest::mouseClick(LPanel->Button(TFrame::AlignItems, 3), Qt::LeftButton);
    QTest::keyClick(LPanel, Qt::Key_Escape);
    QTRY_VERIFY(!LView.Inspector().DroppedDown());

    // The rows below the property show what the panel set once it closes.
    const auto LShown = [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* LCell = LView.Inspector().findChild<QWidget*>("Value.ChildrenAlignment.Direction");
        return LCell ? LCell->property("currentText").toString() : QString();
    };
    QTRY_COMPARE(LShown(), QString("Row"));

    LView.Save();
    EXPECT_EQ(QString::fromUtf8(testdata::ReadAll(LFile)), "object Form1: TqoForm\n"
                                                           "  object Layout1: TqoLayout\n"
                                                           "    ChildrenAlignment.Direction = Row\n"
                                                           "    ChildrenAlignment.Wrap = Wrap\n"
                                                           "    ChildrenAlignment.AlignItems = Center\n"
                                                           "  end\n"
                                                           "  object Layout2: TqoLayout\n"
                                                           "  end\n"
                                                           "end\n");
}

} // namespace
