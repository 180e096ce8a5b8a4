// The package's own property editors, found through the IDE's registry as the object
// inspector finds them and driven through their dialogs.

#include "DesignFormDocument.h"
#include "ORVO.Components.h"
#include "TestData.h"
#include "properties/ORVO.Gradient.Designer.h"
#include "properties/ORVO.Properties.Gradient.h"

#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<ide::TPropertyEditor> Take(ide::TPropertyEditorList& AEditors, const QString& AName)
{
    for (auto& LEditor : AEditors)
        if (LEditor->GetName() == AName)
            return std::move(LEditor);
    return nullptr;
}

std::unique_ptr<ide::TPropertyEditor> SubProperty(ide::TPropertyEditor& AEditor, const QString& AName)
{
    ide::TPropertyEditorList LSubs;
    AEditor.GetProperties([&](std::unique_ptr<ide::TPropertyEditor> E) { LSubs.push_back(std::move(E)); });
    return Take(LSubs, AName);
}

class PackagePropertyEditors : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ide::RegisterClass(&core::TqoForm::staticMetaObject);
        ide::RegisterClass(&core::TqoRectangle::staticMetaObject);
        orvo::RegisterAssetAlignmentGradientEditors();
    }

    void SetUp() override
    {
        FileName = Dir.filePath("Main.xfm");
        ASSERT_TRUE(testdata::WriteAll(FileName, "object Form1: TqoForm\n"
                                                 "  object Rectangle1: TqoRectangle\n"
                                                 "    Fill.Kind = Gradient\n"
                                                 "    Fill.Gradient.Points = <\n"
                                                 "      item\n"
                                                 "        Color = xFF3F51B5\n"
                                                 "      end\n"
                                                 "      item\n"
                                                 "        Color = xFFFF4081\n"
                                                 "        Offset = 1.000000000000000000\n"
                                                 "      end>\n"
                                                 "  end\n"
                                                 "end\n"));
        ASSERT_TRUE(testdata::WriteAll(Dir.filePath("Main.pas"),
                                       "unit Main;\n\ninterface\n\nuses\n  Forms;\n\nimplementation\n\nend.\n"));
        Document = ide::TFormDocument::Open(FileName);
    }

    // The editor of a property of a component of the form, by its path ("Fill.Gradient").
    std::unique_ptr<ide::TPropertyEditor> Editor(const QString& AComponent, const QString& APath)
    {
        auto LEditors = ide::GetComponentProperties({Document->FindComponent(AComponent)}, &Document->Designer());
        const QStringList LPath = APath.split('.');
        auto LEditor = Take(LEditors, LPath.first());
        for (qsizetype I = 1; LEditor && I < LPath.size(); ++I)
            LEditor = SubProperty(*LEditor, LPath[I]);
        return LEditor;
    }

    QTemporaryDir Dir;
    QString FileName;
    std::unique_ptr<ide::TFormDocument> Document;
};

TEST_F(PackagePropertyEditors, GradientDesignerChangesGoIntoTheFormsGradientAndItsFile)
{
    auto LEditor = Editor("Rectangle1", "Fill.Gradient");
    ASSERT_NE(dynamic_cast<orvo::TqoGradientProperty*>(LEditor.get()), nullptr);
    EXPECT_EQ(LEditor->GetAttributes(), ide::paDialog | ide::paReadOnly);

    auto* LGradient = static_cast<core::TqoRectangle*>(Document->FindComponent("Rectangle1"))->GetFill()->GetGradient();
    const auto LSaved = orvo::TFormGradientDesigner::ExecuteDialog;
    orvo::TFormGradientDesigner::ExecuteDialog = [&](orvo::TFormGradientDesigner& ADialog) {
        ADialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&ADialog));
        QTest::mouseClick(ADialog.btnRadial, Qt::LeftButton);
        // Each change is in the form's gradient while the dialog is still open.
        EXPECT_EQ(LGradient->GetStyle(), core::TqoGradient::TqoGradientStyle::Radial);
        QTest::keyClick(ADialog.sbRed, Qt::Key_Up);
        return true;
    };
    LEditor->Edit();
    orvo::TFormGradientDesigner::ExecuteDialog = LSaved;

    const auto LPoints = LGradient->GetPoints()->Items();
    ASSERT_EQ(LPoints.size(), 2);
    EXPECT_EQ(LPoints[0]->GetColor(), 0xFF4051B5u);
    EXPECT_EQ(LPoints[1]->GetColor(), 0xFFFF4081u);
    EXPECT_EQ(LPoints[1]->GetOffset(), 1.0f);
    EXPECT_GE(Document->Designer().ModifiedCount(), 1);

    Document->Save();
    const QByteArray LText = testdata::ReadAll(FileName);
    EXPECT_TRUE(LText.contains("Fill.Gradient.Style = Radial")) << LText.toStdString();
    EXPECT_TRUE(LText.contains("Color = xFF4051B5")) << LText.toStdString();
    EXPECT_TRUE(LText.contains("Color = xFFFF4081")) << LText.toStdString();
}

} // namespace
