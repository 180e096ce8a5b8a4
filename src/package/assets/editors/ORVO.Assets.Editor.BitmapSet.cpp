#include "ORVO.Assets.Editor.BitmapSet.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.View.ImageInfo.h"
#include "ORVO.Log.h"

#include <algorithm>
#include <cmath>

namespace orvo {

namespace {

constexpr int CTileSpacing = 4;

// Half to even, as the host's Round does.
int RoundInset(double AValue) { return int(std::nearbyint(AValue)); }

} // namespace

TEditorBitmapSet::TEditorBitmapSet(core::TqoAsset* AAsset, QWidget* AParent) : TBaseAssetEditorFrame(AAsset, AParent)
{
    core::TqoAssert::IsClass<core::TqoAssetBitmapSet>(AAsset);
    AssetChanged();
}

core::TqoAssetBitmapSet* TEditorBitmapSet::GetBitmapSet() const
{
    return core::TqoAssert::IsClass<core::TqoAssetBitmapSet>(GetAsset());
}

void TEditorBitmapSet::AssetChanged()
{
    for (TImageInfoView* LTile : FTiles)
        delete LTile;
    FTiles.clear();
    if (core::TqoAssetBitmapSet* LSet = GetBitmapSet()) {
        for (core::TqoBitmapInfo* LInfo : LSet->GetBitmapInfos()) {
            auto* LTile = new TImageInfoView(this);
            LTile->SetInfo(LInfo);
            LTile->OnChanged = [this](TImageInfoView* ASender) { TileChanged(ASender); };
            LTile->OnNeedUpdateCapInsets = [this](core::TqoBitmapInfo* ASource) { NeedUpdateCapInsets(ASource); };
            LTile->move(int(FTiles.size()) * (TImageInfoView::TileWidth + CTileSpacing), 0);
            LTile->show();
            FTiles.push_back(LTile);
        }
    }
    const int LCount = std::max<int>(1, int(FTiles.size()));
    setFixedSize(LCount * TImageInfoView::TileWidth + (LCount - 1) * CTileSpacing, TImageInfoView::TileHeight);
    UpdateBaseSize();
}

void TEditorBitmapSet::UpdateBaseSize()
{
    for (TImageInfoView* LTile : FTiles) {
        core::TqoBitmapInfo* LInfo = LTile->GetInfo();
        if (!LInfo->HasBitmap() || !(LInfo->GetScale() > 0))
            continue;
        try {
            const core::TqoBitmap LBitmap = LInfo->GetBitmap();
            FBaseSize =
                QSizeF(LBitmap.GetWidth() / double(LInfo->GetScale()), LBitmap.GetHeight() / double(LInfo->GetScale()));
            break;
        } catch (const std::exception& E) {
            core::TqoLog::Error(QStringLiteral("AssetsDesigner"), QString::fromUtf8(E.what()));
        }
    }
    for (TImageInfoView* LTile : FTiles)
        LTile->SetBaseSize(FBaseSize);
}

void TEditorBitmapSet::PropagateCapInsets(core::TqoAssetBitmapSet& ASet, const core::TqoBitmapInfo& ASource)
{
    const QMargins LSource = ASource.GetCapInsets().ValueOr(QMargins());
    const double LScale = ASource.GetScale();
    const double LBase[] = {double(RoundInset(LSource.left() / LScale)), double(RoundInset(LSource.top() / LScale)),
                            double(RoundInset(LSource.right() / LScale)),
                            double(RoundInset(LSource.bottom() / LScale))};
    const core::TqoNullable<core::TqoAlphaColor> LTint = ASource.GetTint();
    for (core::TqoBitmapInfo* LInfo : ASet.GetBitmapInfos()) {
        const double LOwn = LInfo->GetScale();
        LInfo->SetCapInsets(QMargins(RoundInset(LBase[0] * LOwn), RoundInset(LBase[1] * LOwn),
                                     RoundInset(LBase[2] * LOwn), RoundInset(LBase[3] * LOwn)));
        if (LTint.HasValue())
            LInfo->SetTint(LTint.Value());
        else
            LInfo->ClearTint();
    }
}

void TEditorBitmapSet::NeedUpdateCapInsets(core::TqoBitmapInfo* ASource)
{
    PropagateCapInsets(*GetBitmapSet(), *ASource);
    for (TImageInfoView* LTile : FTiles)
        LTile->Refresh();
}

void TEditorBitmapSet::TileChanged(TImageInfoView*)
{
    // A loaded or cleared bitmap may change the base size every tile is checked against.
    UpdateBaseSize();
    Changed();
}

} // namespace orvo
