#include "ORVO.Assets.Editor.h"

namespace orvo {

TBaseAssetEditorFrame::TBaseAssetEditorFrame(core::TqoAsset* AAsset, QWidget* AParent)
    : dsgn::TqoThemedFrame(AParent), FAsset(AAsset)
{
}

void TBaseAssetEditorFrame::SetAsset(core::TqoAsset* AAsset)
{
    if (AAsset == FAsset)
        return;
    FAsset = AAsset;
    AssetChanged();
}

void TBaseAssetEditorFrame::AssetChanged() { UpdatePreview(); }

void TBaseAssetEditorFrame::Changed()
{
    if (OnChanged)
        OnChanged(this);
}

} // namespace orvo
