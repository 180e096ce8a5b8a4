#pragma once

// The base of every asset kind's editing frame, as the asset views host them.

#include "ORVO.Assets.h"
#include "ORVO.Designer.Frames.h"

#include <functional>

namespace orvo {

class TBaseAssetEditorFrame;
using TOnAssetChangedEvent = std::function<void(TBaseAssetEditorFrame* ASender)>;

// Edits one asset variant in place; the asset is not owned. A frame is made without a parent
// and freed by whoever holds it.
class TBaseAssetEditorFrame : public dsgn::TqoThemedFrame
{
    Q_OBJECT
public:
    explicit TBaseAssetEditorFrame(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

    core::TqoAsset* GetAsset() const { return FAsset; }
    // Only a different asset is taken and shown.
    void SetAsset(core::TqoAsset* AAsset);
    // Shows the asset again after someone else changed it.
    void Refresh() { AssetChanged(); }

    // Raised after the frame changed its asset.
    TOnAssetChangedEvent OnChanged;

protected:
    virtual void AssetChanged();
    virtual void Changed();
    virtual void UpdatePreview() {}

private:
    core::TqoAsset* FAsset;
};

} // namespace orvo
