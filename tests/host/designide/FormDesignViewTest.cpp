// The form designer window driven as the user drives it: a click on the form selects, the
// object inspector's cells edit through the property editors, the palette's class is placed
// by a click, and the save writes what was done into the form file.

#include "DesignFormDocument.h"
#include "DesignFormView.h"
#include "FormTestClasses.h"
#include "TestData.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

using namespace formtest;

class FormDesignView : public TFormFixture
{
protected:
    QTemporaryDir Dir;
    QString FileName;
    QStringList Errors;

    std::unique_ptr<ide::TFormDesignView> Open()
    {
        FileName = testdata::WriteForm(Dir.path(), "object Form1: TFormWidget\n"
                                                   "  Size.Width = 300.000000000000000000\n"
                                                   "  Size.Height = 200.000000000000000000\n"
                                                   "  object Button1: TButtonWidget\n"
                                                   "    Text = 'Go'\n"
                                                   "  end\n"
                                                   "end\n");
        EXPECT_FALSE(FileName.isEmpty());
        auto LView = std::make_unique<ide::TFormDesignView>(ide::TFormDocument::Open(FileName));
        LView->OnError = [this](const QString& AText) { Errors << AText; };
        LView->resize(1000, 500);
        LView->show();
        return LView;
    }

    static void Type(QLineEdit* AEdit, const QString& AText)
    {
        AEdit->selectAll();
        QTest::keyClicks(AEdit, AText);
        QTest::keyClick(AEdit, Qt::Key_Return);
        // The inspector is rebuilt on the next turn of the event loop.
        QCoreApplication::processEvents();
    }
};

TEST_F(FormDesignView, ClicksAndInspectorCellsEditTheFormFile)
{
    auto LView = Open();
    QObject* LButton = LView->Document().FindComponent("Button1");
    ASSERT_TRUE(LButton);
    QTest::mouseClick(&LView->Canvas(), Qt::LeftButton, {}, LView->Canvas().ComponentRect(LButton).center());
    EXPECT_EQ(LView->Selected(), LButton);

    auto* LWidth = LView->Inspector().findChild<QLineEdit*>("Value.Size.Width");
    ASSERT_TRUE(LWidth);
    Type(LWidth, "150");
    EXPECT_EQ(LButton->property("Size").value<TExtent*>()->Width, 150);
    // A refused text is reported and changes nothing.
    Type(LView->Inspector().findChild<QLineEdit*>("Value.Tag"), "4x2");
    EXPECT_EQ(Errors.size(), 1);
    EXPECT_EQ(LButton->property("Tag").toInt(), 0);
    auto* LAlign = LView->Inspector().findChild<QComboBox*>("Value.Align");
    ASSERT_TRUE(LAlign && LAlign->lineEdit());
    EXPECT_EQ(LAlign->count(), 3);
    Type(LAlign->lineEdit(), "Client");

    // A class chosen on the palette goes where the form is clicked, and is selected.
    LView->ArmClass(&TPanelWidget::staticMetaObject);
    const QRect LForm = LView->Canvas().ComponentRect(LView->Document().Root());
    QTest::mouseClick(&LView->Canvas(), Qt::LeftButton, {}, LForm.bottomRight() - QPoint(20, 20));
    QObject* LPanel = LView->Selected();
    ASSERT_TRUE(LPanel && LPanel != LButton);
    EXPECT_EQ(LPanel->parent(), LView->Document().Root());
    EXPECT_EQ(LView->Structure().topLevelItem(0)->childCount(), 2);

    LView->Save();
    EXPECT_EQ(Errors.size(), 1) << Errors.join('\n').toStdString();
    const QString LText = QString::fromUtf8(testdata::ReadAll(FileName));
    EXPECT_TRUE(LText.contains("  object Button1: TButtonWidget\n    Size.Width = 150.000000000000000000\n"
                               "    Text = 'Go'\n    Align = Client\n"))
        << LText.toStdString();
    EXPECT_TRUE(LText.contains(QStringLiteral("object %1: TPanelWidget").arg(LPanel->objectName())))
        << LText.toStdString();
}

TEST_F(FormDesignView, DeviceFrameHoldsTheFormOnItsScreenUnderTheGrid)
{
    auto LView = Open();
    ide::TFormCanvas& LCanvas = LView->Canvas();
    QObject* LRoot = LView->Document().Root();
    QObject* LButton = LView->Document().FindComponent("Button1");
    const QRect LPlain = LCanvas.ComponentRect(LRoot);
    const QSize LPlainHint = LCanvas.sizeHint();
    ide::TDeviceDescription LPhone{"PHONE", "Phone", {}, {}};
    LPhone.Portrait = {QSizeF(375, 729), QPointF(13, 52), QSizeF(360, 640), {}, 4, 16, 48};
    LPhone.Landscape = {QSizeF(729, 375), QPointF(52, 17), QSizeF(640, 360), {}, 8, 16, 48};
    LView->SetDevices({LPhone});
    EXPECT_FALSE(LView->SetDevice("TABLET"));
    auto* LSelector = LView->findChild<QComboBox*>("DeviceSelector");
    ASSERT_TRUE(LSelector);
    ASSERT_EQ(LSelector->count(), 2);
    LSelector->setCurrentIndex(1);

    // The form is laid out at the screen's size, where the screen lies in the frame.
    const QRect LScreen = LCanvas.ScreenRect();
    EXPECT_EQ(LScreen.topLeft() - LCanvas.FrameRect().topLeft(), QPoint(13, 52));
    EXPECT_EQ(LCanvas.ComponentRect(LRoot), QRect(LScreen.topLeft(), QSize(360, 640)));
    const QRect LButtonRect = LCanvas.ComponentRect(LButton);
    EXPECT_TRUE(LScreen.contains(LButtonRect)) << LButtonRect.x() << "," << LButtonRect.y();
    QTest::mouseClick(&LCanvas, Qt::LeftButton, {}, LButtonRect.center());
    EXPECT_EQ(LView->Selected(), LButton);
    LView->ArmClass(&TPanelWidget::staticMetaObject);
    QTest::mouseClick(&LCanvas, Qt::LeftButton, {}, LButtonRect.center());
    EXPECT_EQ(LView->Selected()->parent(), LButton);

    // Four columns of (360 - 5 * 16) / 4 between gutters; the bands tint the picture.
    const QList<QRect> LBands = LCanvas.GridColumnRects();
    ASSERT_EQ(LBands.size(), 4);
    EXPECT_EQ(LBands.first(), QRect(LScreen.left() + 16, LScreen.top(), 70, 640));
    EXPECT_EQ(LBands.last().right(), LScreen.right() - 16);
    const QImage LPicture = LCanvas.grab().toImage();
    const int LY = LScreen.bottom() - 20; // below the components, between two module lines
    EXPECT_NE(LPicture.pixel(LBands[1].center().x(), LY), LPicture.pixel(LBands[1].left() - 8, LY));
    EXPECT_LT(qGray(LPicture.pixel(LCanvas.FrameRect().left() + 6, LScreen.center().y())), 80);

    LView->findChild<QComboBox*>("OrientationSelector")->setCurrentIndex(1);
    EXPECT_EQ(LCanvas.ComponentRect(LRoot).size(), QSize(640, 360));
    EXPECT_EQ(LCanvas.GridColumnRects().size(), 8);

    // A frame picture that exists is drawn instead of the body.
    QImage LFramePicture(375, 729, QImage::Format_RGB32);
    LFramePicture.fill(Qt::green);
    ASSERT_TRUE(LFramePicture.save(Dir.filePath("frame.png")));
    LPhone.Portrait.FrameImage = Dir.filePath("frame.png");
    LView->SetDevices({LPhone});
    ASSERT_TRUE(LView->SetDevice("PHONE"));
    EXPECT_EQ(LCanvas.grab().toImage().pixel(LCanvas.FrameRect().topLeft() + QPoint(6, 300)), QColor(Qt::green).rgb());

    LSelector->setCurrentIndex(0);
    EXPECT_EQ(LCanvas.ComponentRect(LRoot), LPlain);
    EXPECT_EQ(LCanvas.sizeHint(), LPlainHint);
    EXPECT_TRUE(LCanvas.GridColumnRects().isEmpty());
}

} // namespace
