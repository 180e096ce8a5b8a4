#pragma once

// The Lottie animation's frame: the animation image under the file's extension; a click opens
// the picker with the animation's frame and duration.

#include "ORVO.Assets.Editor.CustomFile.h"

namespace orvo {

class TEditorLottieAnimation : public TEditorFileAsset
{
    Q_OBJECT
public:
    explicit TEditorLottieAnimation(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

protected:
    QImage PreviewImage(int ASize) const override;
    TFileAssetPicker* CreatePicker() override;
};

} // namespace orvo
