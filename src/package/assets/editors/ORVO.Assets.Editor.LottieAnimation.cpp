#include "ORVO.Assets.Editor.LottieAnimation.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.Picker.LottieAnimation.h"
#include "assets/designer/ORVO.Assets.DataModule.h"

namespace orvo {

TEditorLottieAnimation::TEditorLottieAnimation(core::TqoAsset* AAsset, QWidget* AParent)
    : TEditorFileAsset(AAsset, AParent)
{
    core::TqoAssert::IsClass<core::TqoAssetLottieAnimation>(AAsset);
    UpdatePreview();
}

QImage TEditorLottieAnimation::PreviewImage(int ASize) const
{
    return DesignerDataModule().ImageCollection().Bitmap(QStringLiteral("Lottie Animation"), ASize);
}

TFileAssetPicker* TEditorLottieAnimation::CreatePicker() { return new TLottieAnimationPicker(this); }

} // namespace orvo
