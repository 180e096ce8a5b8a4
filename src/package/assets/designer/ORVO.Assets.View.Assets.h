#pragma once

// The view of one asset name in the Assets Manager: a header with the name and kind, and a
// tile per variant, flowed in centered rows.

#include "ORVO.Assets.View.GroupedResources.h"

#include <memory>
#include <vector>

class QLabel;

namespace orvo {

class TAssetsView : public dsgn::TqoThemedFrame
{
    Q_OBJECT
public:
    static constexpr int TileSpacing = 8;
    static constexpr int BottomPadding = 8;

    explicit TAssetsView(QWidget* AParent = nullptr);
    ~TAssetsView() override;

    const core::TqoAssetGroup* GetGroup() const { return FGroup.get(); }
    // Shows the group (the view keeps it): one tile per variant in the asset comparer's order.
    // Raises EqoAssertionFailed for a null group or a variant whose kind has no editor.
    void SetGroup(std::unique_ptr<core::TqoAssetGroup> AGroup);
    // Takes the name of the group's first asset, as after a rename.
    void RefreshTitle();
    // Places the tiles in centered rows, then sizes the view to them.
    void Realign();
    // Fixes the view's height to its tiles, so views stack in a vertical layout.
    void MatchToContent();

    void NeedUpdatePreviewHandler(core::TqoAsset* AAsset);
    // Gives every other color variant of the group the asset's color and shows it.
    void NeedApplyColorsHandler(core::TqoAssetColor* AAsset);

    const std::vector<TResourceGroupView*>& Tiles() const { return FOrderedList; }
    QWidget* Content() const { return FContent; }
    QLabel* AssetNameLabel() const { return FAssetName; }
    QLabel* AssetTypeLabel() const { return FAssetType; }

    TNeedUpdateResourcePreviewEvent OnNeedUpdatePreview;

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void ClearTiles();
    void ShowName();

    std::unique_ptr<core::TqoAssetGroup> FGroup;
    std::vector<TResourceGroupView*> FOrderedList;
    QWidget* FHeader;
    QLabel* FAssetName;
    QLabel* FAssetType;
    QWidget* FTitleSplitter;
    QWidget* FContent;
    bool FAlignEnabled = true;
};

} // namespace orvo
