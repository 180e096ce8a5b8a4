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
        FileName = Dir.filePath("Main.xfm");
        EXPECT_TRUE(testdata::WriteAll(FileName, "object Form1: TFormWidget\n"
                                                 "  Size.Width = 300.000000000000000000\n"
                                                 "  Size.Height = 200.000000000000000000\n"
                                                 "  object Button1: TButtonWidget\n"
                                                 "    Text = 'Go'\n"
                                                 "  end\n"
                                                 "end\n"));
        EXPECT_TRUE(testdata::WriteAll(Dir.filePath("Main.pas"), "unit Main;\n\ninterface\n\nuses\n  Forms;\n\n"
                                                                 "implementation\n\nend.\n"));
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

} // namespace
