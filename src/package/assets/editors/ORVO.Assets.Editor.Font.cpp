#include "ORVO.Assets.Editor.Font.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.Picker.FontFile.h"
#include "assets/designer/ORVO.Assets.DataModule.h"

namespace orvo {

TEditorFont::TEditorFont(core::TqoAsset* AAsset, QWidget* AParent) : TEditorFileAsset(AAsset, AParent)
{
    core::TqoAssert::IsClass<core::TqoAssetFont>(AAsset);
    UpdatePreview();
}

QImage TEditorFont::FontImage(const QString& AUri, int ASize)
{
    // A name without a dot has no extension, whatever the title shows for it.
    const qsizetype LDot = AUri.lastIndexOf(QLatin1Char('.'));
    if (LDot < 0 || LDot < AUri.lastIndexOf(QLatin1Char('\\')) || LDot < AUri.lastIndexOf(QLatin1Char('/')))
        return {};
    const QString LExtension = AUri.mid(LDot + 1).toUpper();
    if (LExtension != QLatin1String("TTF") && LExtension != QLatin1String("OTF"))
        return {};
    return DesignerDataModule().ImageCollection().Bitmap(QStringLiteral("Font File ") + LExtension, ASize);
}

QImage TEditorFont::PreviewImage(int ASize) const
{
    const auto* LAsset = dynamic_cast<const core::TqoAssetFont*>(GetAsset());
    return LAsset ? FontImage(LAsset->GetUri(), ASize) : QImage();
}

TFileAssetPicker* TEditorFont::CreatePicker() { return new TFontFilePicker(this); }

} // namespace orvo
