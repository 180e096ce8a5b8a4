// The package's own property editors, found through the IDE's registry as the object
// inspector finds them and driven through their dialogs.

#include "DesignFormDocument.h"
#include "DesignFormView.h"
#include "ORVO.Assets.h"
#include "ORVO.Components.h"
#include "ORVO.Log.h"
#include "TestData.h"
#include "assets/editors/Form.AssetsChooser.h"
#include "properties/ORVO.Gradient.Designer.h"
#include "properties/ORVO.Properties.AssetName.h"
#include "properties/ORVO.Properties.Gradient.h"
#include "registration/ORVO.Registration.h"

#include <QPainter>
#include <QPalette>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

// A component with a color asset name and two asset names without a link.
class TSwatch : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.ColorName", "TqoAssetName")
    Q_CLASSINFO("PropertyType.Caption", "TqoAssetName")
    Q_CLASSINFO("PropertyType.IconName", "TqoAssetName")
    Q_PROPERTY(QString ColorName READ GetColorName WRITE SetColorName)
    Q_PROPERTY(core::TqoAssetColorLink* ColorLink READ GetColorLink DESIGNABLE false)
    Q_PROPERTY(QString Caption MEMBER FCaption)
    Q_PROPERTY(QString IconName MEMBER FIconName)
public:
    QString GetColorName() const { return FColorLink->GetName(); }
    void SetColorName(const QString& AValue) { FColorLink->SetName(AValue); }
    core::TqoAssetColorLink* GetColorLink() const { return FColorLink; }

private:
    core::TqoAssetColorLink* FColorLink = new core::TqoAssetColorLink(this, QStringLiteral("Primary"));
    QString FCaption;
    QString FIconName;
};

namespace {

std::unique_ptr<ide::TPropertyEditor> Take(ide::TPropertyEditorList& AEditors, const QString& AName)
{
    for (auto& LEditor : AEditors)
        if (LEditor->GetName() == AName)
            return std::move(LEditor);
    return nullptr;
}

void RegisterEditorsOnce()
{
    static const bool LRegistered = (orvo::registration::RegisterPropertyEditors(), true);
    (void)LRegistered;
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
        RegisterEditorsOnce();
    }

    void SetUp() override
    {
        FileName = testdata::WriteForm(Dir.path(), "object Form1: TqoForm\n"
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
                                                   "end\n");
        ASSERT_FALSE(FileName.isEmpty());
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
    // As the user opens it: the ellipsis of the row in the object inspector.
    ide::TFormDesignView LView(std::move(Document));
    LView.OnError = [](const QString& AText) { ADD_FAILURE() << AText.toStdString(); };
    LView.show();
    LView.Select(LView.Document().FindComponent("Rectangle1"));
    LView.Inspector().Row("Fill")->setExpanded(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&LView));
    auto* LEllipsis = LView.Inspector().findChild<QToolButton*>("Edit.Fill.Gradient");
    ASSERT_NE(LEllipsis, nullptr);
    ASSERT_TRUE(LEllipsis->isVisible());
    QTest::mouseClick(LEllipsis, Qt::LeftButton);
    orvo::TFormGradientDesigner::ExecuteDialog = LSaved;

    const auto LPoints = LGradient->GetPoints()->Items();
    ASSERT_EQ(LPoints.size(), 2);
    EXPECT_EQ(LPoints[0]->GetColor(), 0xFF4051B5u);
    EXPECT_EQ(LPoints[1]->GetColor(), 0xFFFF4081u);
    EXPECT_EQ(LPoints[1]->GetOffset(), 1.0f);
    EXPECT_GE(LView.Document().Designer().ModifiedCount(), 1);

    LView.Save();
    const QByteArray LText = testdata::ReadAll(FileName);
    EXPECT_TRUE(LText.contains("Fill.Gradient.Style = Radial")) << LText.toStdString();
    EXPECT_TRUE(LText.contains("Color = xFF4051B5")) << LText.toStdString();
    EXPECT_TRUE(LText.contains("Color = xFFFF4081")) << LText.toStdString();
}

class AssetNameEditor : public testing::Test
{
protected:
    void SetUp() override
    {
        RegisterEditorsOnce();
        core::TqoAssetsManagerHelper::AddColor(core::TqoAssetsManager::GetCurrent(), "Primary", 0xFF00FF00, true);
        FSavedSink = core::TqoLog::SetSink(
            [this](core::TqoLogLevel, const QString&, const QString& AText) { Warnings << AText; });
    }
    void TearDown() override
    {
        core::TqoLog::SetSink(FSavedSink);
        core::TqoAssetsManager::GetCurrent().Remove(QStringLiteral("Primary"));
    }

    std::unique_ptr<orvo::TqoImageNamePropertyEditor> Editor(const QString& AName)
    {
        ide::TPropertyEditorList LEditors = ide::GetComponentProperties({&Swatch}, &Designer);
        auto LEditor = Take(LEditors, AName);
        auto* LResult = dynamic_cast<orvo::TqoImageNamePropertyEditor*>(LEditor.get());
        EXPECT_NE(LResult, nullptr);
        if (LResult) {
            LEditor.release();
            // The inspector made editors of every property; only this one's warnings count.
            Warnings.clear();
            LResult->SetPropEntry(0, &Swatch, LResult->GetProperty());
        }
        return std::unique_ptr<orvo::TqoImageNamePropertyEditor>(LResult);
    }

    // The value square painted on white; returns the pixel at the square's center.
    QRgb PaintedCenter(orvo::TqoImageNamePropertyEditor& AEditor, bool ASelected, QColor* APen = nullptr)
    {
        QImage LImage(100, 20, QImage::Format_ARGB32);
        LImage.fill(Qt::white);
        QPainter LPainter(&LImage);
        const QRect LSquare = AEditor.PropDrawValueRect(LImage.rect());
        AEditor.PropDrawValue(LPainter, LSquare, ASelected);
        if (APen)
            *APen = LPainter.pen().color();
        LPainter.end();
        return LImage.pixel(LSquare.center() + QPoint(1, 0));
    }

    TSwatch Swatch;
    ide::TFormDesigner Designer{&Swatch};
    QStringList Warnings;
    core::TqoLogSink FSavedSink;
};

TEST_F(AssetNameEditor, UnsetNameShowsTheThemeDefaultInGrayWithItsSwatch)
{
    auto LEditor = Editor("ColorName");
    ASSERT_TRUE(LEditor);
    EXPECT_EQ(LEditor->GetAttributes(),
              ide::paMultiSelect | ide::paRevertable | ide::paDialog | ide::paVolatileSubProperties);
    EXPECT_EQ(LEditor->GetValue(), "Primary");
    QColor LPen;
    EXPECT_EQ(PaintedCenter(*LEditor, false, &LPen), 0xFF00FF00u);
    EXPECT_EQ(LPen, QPalette().color(QPalette::Disabled, QPalette::Text));
    // Being edited, the row shows what is stored.
    PaintedCenter(*LEditor, true);
    EXPECT_EQ(LEditor->GetValue(), "");

    LEditor->SetValue("#FFFF0000");
    EXPECT_EQ(PaintedCenter(*LEditor, false), 0xFFFF0000u);
    LEditor->SetValue("NoSuchAsset");
    EXPECT_EQ(PaintedCenter(*LEditor, false), 0xFFFFFFFFu);
    EXPECT_EQ(Warnings, QStringList());
}

struct TFilterCase
{
    const char* Name;
    const char* Property;
    orvo::TqoAssetTypes Types;
    const char* Warning;
};

class AssetNameFilter : public AssetNameEditor, public testing::WithParamInterface<TFilterCase>
{
};

TEST_P(AssetNameFilter, ChooserOffersTheKindsTheLinkTakes)
{
    auto LEditor = Editor(GetParam().Property);
    ASSERT_TRUE(LEditor);
    std::optional<orvo::TqoAssetTypes> LOffered;
    const auto LSaved = orvo::TFormAssetsChooser::ExecuteDialog;
    orvo::TFormAssetsChooser::ExecuteDialog = [&](orvo::TFormAssetsChooser& ADialog) {
        LOffered = ADialog.ViewModel().GetAssetTypes();
        return false;
    };
    LEditor->Edit();
    orvo::TFormAssetsChooser::ExecuteDialog = LSaved;
    ASSERT_TRUE(LOffered);
    EXPECT_EQ(*LOffered, GetParam().Types);
    EXPECT_EQ(Warnings, GetParam().Warning[0] ? QStringList{QString::fromUtf8(GetParam().Warning)} : QStringList());
}

using orvo::TqoAssetType;
INSTANTIATE_TEST_SUITE_P(
    Links, AssetNameFilter,
    testing::Values(TFilterCase{"ColorLink", "ColorName", {TqoAssetType::Colors}, ""},
                    TFilterCase{"WronglyNamed",
                                "Caption",
                                {TqoAssetType::Bitmaps, TqoAssetType::Colors, TqoAssetType::SVG},
                                "Свойство \"Caption\" не верно названо и должно заканчиваться на \"Name\"."},
                    TFilterCase{"NoLinkProperty",
                                "IconName",
                                {TqoAssetType::Bitmaps, TqoAssetType::Colors, TqoAssetType::SVG},
                                "Не могу найти свойство связи с ассетом по имени \"IconLink\"."}),
    testdata::TCaseName());

} // namespace

#include "PropertyEditorsTest.moc"
