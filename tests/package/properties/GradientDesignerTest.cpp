// The gradient designer driven with real mouse and key events; every edit must be in the
// edited gradient at once, and nothing else in it may change.

#include "properties/ORVO.Gradient.Designer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using core::TqoGradientData;
using core::TqoGradientPointData;
using core::TqoGradientStyle;
using orvo::TFormGradientDesigner;

class GradientDesigner : public testing::Test
{
protected:
    void SetUp() override
    {
        FGradient.ClearPoints();
        FGradient.AddPoint(0xFFFF0000, 0);
        FGradient.AddPoint(0xFF0000FF, 1);
        FGradient.SetStartPoint({0, 0});
        FGradient.SetStopPoint({1, 0});
        FGradient.OnChanged = [this] { ++FChanges; };
        FDialog.SetGradient(&FGradient);
        FDialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&FDialog));
    }

    // The gradient as set up with the changes expected.
    static TqoGradientData Expected(std::vector<TqoGradientPointData> APoints, QPointF AStop = {1, 0})
    {
        TqoGradientData LGradient;
        LGradient.ClearPoints();
        for (const auto& LPoint : APoints)
            LGradient.AddPoint(LPoint.Color, LPoint.Offset);
        LGradient.SetStartPoint({0, 0});
        LGradient.SetStopPoint(AStop);
        return LGradient;
    }

    TqoGradientData FGradient;
    int FChanges = 0;
    TFormGradientDesigner FDialog;
};

TEST_F(GradientDesigner, ComponentBoxesChangeTheCurrentPointAtOnce)
{
    QTest::keyClick(FDialog.sbAlpha, Qt::Key_Down);
    EXPECT_EQ(FGradient, Expected({{0xFEFF0000, 0}, {0xFF0000FF, 1}}));
    QTest::keyClick(FDialog.sbGreen, Qt::Key_Up);
    EXPECT_EQ(FGradient, Expected({{0xFEFF0100, 0}, {0xFF0000FF, 1}}));
    EXPECT_EQ(FDialog.edColor->text(), "#FEFF0100");
    EXPECT_EQ(FChanges, 2);
}

TEST_F(GradientDesigner, ColorTextSetsTheCurrentPointOnlyWhenItIsAColor)
{
    FDialog.edColor->selectAll();
    QTest::keyClicks(FDialog.edColor, "not a color");
    QTest::keyClick(FDialog.edColor, Qt::Key_Return);
    EXPECT_EQ(FGradient, Expected({{0xFFFF0000, 0}, {0xFF0000FF, 1}}));
    EXPECT_EQ(FChanges, 0);

    FDialog.edColor->selectAll();
    QTest::keyClicks(FDialog.edColor, "#8000FF00");
    QTest::keyClick(FDialog.edColor, Qt::Key_Return);
    EXPECT_EQ(FGradient, Expected({{0x8000FF00, 0}, {0xFF0000FF, 1}}));
    EXPECT_EQ(FDialog.sbAlpha->value(), 128);
}

TEST_F(GradientDesigner, GradientBarSelectsMovesAddsAndRemovesPoints)
{
    orvo::TGradientEditBar* LBar = FDialog.GradientEdit;
    const QRect LRect = LBar->BarRect();
    // Select the last point and drag it to the middle.
    QTest::mousePress(LBar, Qt::LeftButton, {}, LBar->MarkerPos(1));
    EXPECT_EQ(FDialog.edColor->text(), "#FF0000FF");
    QTest::mouseMove(LBar, QPoint(LRect.left() + LRect.width() / 2, LBar->MarkerPos(1).y()));
    QTest::mouseRelease(LBar, Qt::LeftButton, {}, QPoint(LRect.left() + LRect.width() / 2, LBar->MarkerPos(1).y()));
    const float LMiddle = float(LRect.width() / 2) / LRect.width();
    EXPECT_EQ(FGradient, Expected({{0xFFFF0000, 0}, {0xFF0000FF, LMiddle}}));

    // A click on the bar beyond the moved point adds one with the color there.
    QTest::mouseClick(LBar, Qt::LeftButton, {}, QPoint(LRect.right(), LRect.center().y()));
    ASSERT_EQ(FGradient.PointCount(), 3);
    EXPECT_EQ(FGradient.GetPoints()[2].Color, 0xFF0000FFu);
    EXPECT_EQ(FDialog.Model().GetCurrentPoint(), 2);

    QTest::keyClick(LBar, Qt::Key_Delete);
    EXPECT_EQ(FGradient, Expected({{0xFFFF0000, 0}, {0xFF0000FF, LMiddle}}));
    // Two points are the least a gradient has.
    QTest::keyClick(LBar, Qt::Key_Delete);
    EXPECT_EQ(FGradient.PointCount(), 2);
}

TEST_F(GradientDesigner, StopPointTakesTheCornerItIsDroppedOn)
{
    orvo::TGradientPreview* LPreview = FDialog.Preview;
    QTest::mousePress(LPreview, Qt::LeftButton, {}, LPreview->StopHandle().toPoint());
    QTest::mouseMove(LPreview, QPoint(LPreview->width() / 2, LPreview->height() / 2));
    // While it is dragged the gradient keeps its stop point.
    EXPECT_EQ(FGradient.GetStopPoint(), QPointF(1, 0));
    EXPECT_EQ(LPreview->StopHandle(), QPointF(LPreview->width() / 2, LPreview->height() / 2));
    QTest::mouseRelease(LPreview, Qt::LeftButton, {}, QPoint(LPreview->width() + 20, LPreview->height()));
    EXPECT_EQ(FGradient, Expected({{0xFFFF0000, 0}, {0xFF0000FF, 1}}, {1, 1}));
}

TEST_F(GradientDesigner, RadialThenResetLeavesTheDefaultGradient)
{
    QTest::mouseClick(FDialog.btnRadial, Qt::LeftButton);
    EXPECT_EQ(FGradient.GetStyle(), TqoGradientStyle::Radial);
    EXPECT_TRUE(FDialog.btnRadial->isChecked());
    QTest::mouseClick(FDialog.btnReset, Qt::LeftButton);
    EXPECT_EQ(FGradient, TqoGradientData());
    EXPECT_TRUE(FDialog.btnLinear->isChecked());
    EXPECT_EQ(FDialog.edColor->text(), "#FF000000");
    QTest::keyClick(&FDialog, Qt::Key_Escape);
    EXPECT_FALSE(FDialog.isVisible());
}

TEST_F(GradientDesigner, ShowEditsTheGivenGradientInPlace)
{
    const auto LDefault = TFormGradientDesigner::ExecuteDialog;
    TFormGradientDesigner::ExecuteDialog = [](TFormGradientDesigner& ADialog) {
        QTest::mouseClick(ADialog.btnRadial, Qt::LeftButton);
        return false;
    };
    TFormGradientDesigner::Show(&FGradient);
    TFormGradientDesigner::ExecuteDialog = LDefault;
    EXPECT_EQ(FGradient.GetStyle(), TqoGradientStyle::Radial);
}

} // namespace
