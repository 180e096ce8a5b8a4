#include "ORVO.Assets.Editor.CustomFile.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.Picker.CustomFile.h"
#include "assets/designer/ORVO.Assets.DataModule.h"

#include <QPainter>

namespace orvo {

namespace {

constexpr int ImageSize = 48;

} // namespace

QString TEditorFileAsset::UriExtension(const QString& AUri)
{
    const qsizetype LDot = AUri.lastIndexOf(QLatin1Char('.'));
    return LDot < 0 ? AUri : AUri.mid(LDot + 1);
}

QString TEditorFileAsset::GetTitle() const
{
    const auto* LAsset = dynamic_cast<const core::TqoAssetWithUri*>(GetAsset());
    return LAsset ? UriExtension(LAsset->GetUri()) : QString();
}

void TEditorFileAsset::DrawPreview(QPainter& ACanvas, const QRect& ARect)
{
    const QImage LImage = PreviewImage(ImageSize);
    if (LImage.isNull())
        return;
    QRect LTarget(QPoint(), LImage.size().scaled(ARect.size(), Qt::KeepAspectRatio).boundedTo(LImage.size()));
    LTarget.moveCenter(ARect.center());
    ACanvas.setRenderHint(QPainter::SmoothPixmapTransform);
    ACanvas.drawImage(LTarget, LImage);
}

void TEditorFileAsset::OpenEditor()
{
    core::TqoAssert::IsNotNil(GetAsset(), QStringLiteral("Asset"));
    auto* LAsset = core::TqoAssert::IsClass<core::TqoAssetWithUri>(GetAsset());
    if (!FPicker) {
        FPicker = CreatePicker();
        FPicker->OnChange = [this](dsgn::TFormBasePicker*) { PickerChangedHandler(); };
    }
    FPicker->SetAsset(LAsset);
    FPicker->ShowAsPopup(PaintBox());
}

void TEditorFileAsset::PickerChangedHandler() { Changed(); }

// ---------------------------------------------------------------------------------------------

TEditorFile::TEditorFile(core::TqoAsset* AAsset, QWidget* AParent) : TEditorFileAsset(AAsset, AParent)
{
    core::TqoAssert::IsClass<core::TqoAssetFile>(AAsset);
    UpdatePreview();
}

QImage TEditorFile::PreviewImage(int ASize) const
{
    return DesignerDataModule().ImageCollection().Bitmap(QStringLiteral("Custom File"), ASize);
}

TFileAssetPicker* TEditorFile::CreatePicker() { return new TCustomFilePicker(this); }

} // namespace orvo
