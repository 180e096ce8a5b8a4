#pragma once

// One tile of an asset view: the editing frame of one variant, a brace under it and the
// variant's target name.

#include "ORVO.Designer.Frames.h"
#include "assets/editors/ORVO.Assets.Editor.Color.h"

#include <functional>

class QLabel;

namespace orvo {

using TNeedUpdateResourcePreviewEvent = std::function<void(core::TqoAsset* AAsset)>;

class TResourceGroupView : public dsgn::TqoThemedFrame
{
    Q_OBJECT
public:
    static constexpr int ContentPadding = 8;
    static constexpr int BraceHeight = 7;
    static constexpr int TargetNameTopMargin = 6;

    explicit TResourceGroupView(QWidget* AParent = nullptr);

    core::TqoAsset* GetResource() const { return FAsset; }
    // Shows the variant in its kind's editing frame. Raises EqoAssertionFailed for a null
    // asset or a kind without an editor.
    void SetAsset(core::TqoAsset* AAsset);
    // Shows the asset again after someone else changed it.
    void Refresh();
    // Sizes the tile to its editing frame.
    void MatchToContentSize();

    TBaseAssetEditorFrame* Editor() const { return FEditor; }
    QLabel* TargetNameLabel() const { return FTargetName; }

    TNeedUpdateResourcePreviewEvent OnNeedUpdatePreview;
    TNeedApplyColorEvent OnNeedApplyColor;

protected:
    void resizeEvent(QResizeEvent* AEvent) override;

private:
    void NeedUpdatePreivewHandler(core::TqoAsset* AAsset);
    void NeedApplyColorEvent(core::TqoAssetColor* AAsset);
    void PaintBrace(QPainter& ACanvas);

    QWidget* FContent;
    QWidget* FBrace;
    QLabel* FTargetName;
    TBaseAssetEditorFrame* FEditor = nullptr;
    core::TqoAsset* FAsset = nullptr;
};

} // namespace orvo
