#pragma once

// The bitmap set's frame: one tile per scale, in the set's order, each checked against the
// set's base size; a tile's picker may carry its cap insets and tint to every scale.

#include "ORVO.Assets.Editor.h"

#include <QSizeF>
#include <vector>

class QHBoxLayout;

namespace orvo {

class TImageInfoView;

class TEditorBitmapSet : public TBaseAssetEditorFrame
{
    Q_OBJECT
public:
    explicit TEditorBitmapSet(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

    core::TqoAssetBitmapSet* GetBitmapSet() const;
    const std::vector<TImageInfoView*>& Tiles() const { return FTiles; }
    // Logical size of the first bitmap in the set's order; kept when no scale has a bitmap.
    QSizeF BaseSize() const { return FBaseSize; }

    // Every info of the set takes the source's insets, taken to logical pixels and back to its
    // own scale (rounded half to even), and the source's tint.
    static void PropagateCapInsets(core::TqoAssetBitmapSet& ASet, const core::TqoBitmapInfo& ASource);

protected:
    void AssetChanged() override;

private:
    void UpdateBaseSize();
    void NeedUpdateCapInsets(core::TqoBitmapInfo* ASource);
    void TileChanged(TImageInfoView* ATile);

    std::vector<TImageInfoView*> FTiles;
    QSizeF FBaseSize;
};

} // namespace orvo
