#include "ORVO.Assets.View.Assets.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.DataModule.h"
#include "ToolsAPI.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace orvo {

namespace {

QColor ThemeColor(ide::TIdeColor AColor) { return QColor::fromRgba(ide::IdeThemeColor(AColor)); }

// Shifts a finished row so that it stands in the middle of the content.
void CenterRow(const std::vector<TResourceGroupView*>& ARow, int AContentWidth)
{
    int LRowWidth = 0;
    for (const TResourceGroupView* LTile : ARow)
        LRowWidth += LTile->width() + TAssetsView::TileSpacing;
    const int LShift = (AContentWidth - LRowWidth) / 2;
    for (TResourceGroupView* LTile : ARow)
        LTile->move(LTile->x() + LShift, LTile->y());
}

} // namespace

TAssetsView::TAssetsView(QWidget* AParent) : dsgn::TqoThemedFrame(AParent)
{
    resize(761, 466);
    FHeader = new QWidget(this);
    FHeader->setFixedHeight(29);
    FAssetName = new QLabel(FHeader);
    FAssetName->setFont(TDesignerDataModule::Font(QStringLiteral("Segoe UI"), 14));
    FAssetName->setContentsMargins(16, 4, 8, 4);
    // A long name is elided, so it never widens the view.
    FAssetName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    FAssetType = new QLabel(FHeader);
    FAssetType->setFont(TDesignerDataModule::Font(QStringLiteral("Segoe UI"), 12));
    FAssetType->setContentsMargins(8, 4, 16, 4);
    QPalette LGray = FAssetType->palette();
    LGray.setColor(QPalette::WindowText, ThemeColor(ide::TIdeColor::clGrayText));
    FAssetType->setPalette(LGray);
    auto* LHeaderLayout = new QHBoxLayout(FHeader);
    LHeaderLayout->setContentsMargins(0, 0, 0, 0);
    LHeaderLayout->addWidget(FAssetName, 1);
    LHeaderLayout->addWidget(FAssetType);

    FTitleSplitter = new QWidget(this);
    FTitleSplitter->setFixedHeight(1);
    QPalette LLine = FTitleSplitter->palette();
    LLine.setColor(QPalette::Window, ThemeColor(ide::TIdeColor::clBtnShadow));
    FTitleSplitter->setPalette(LLine);
    FTitleSplitter->setAutoFillBackground(true);

    FContent = new QWidget(this);
    FContent->installEventFilter(this);
    auto* LLayout = new QVBoxLayout(this);
    LLayout->setContentsMargins(0, 0, 0, 0);
    LLayout->setSpacing(0);
    LLayout->addWidget(FHeader);
    LLayout->addWidget(FTitleSplitter);
    LLayout->addWidget(FContent, 1);
}

TAssetsView::~TAssetsView()
{
    // The tiles go first: their frames point into the group's assets.
    ClearTiles();
}

void TAssetsView::SetGroup(std::unique_ptr<core::TqoAssetGroup> AGroup)
{
    core::TqoAssert::IsNotNil(AGroup, QStringLiteral("Value"));
    FAlignEnabled = false;
    ClearTiles();
    FGroup = std::move(AGroup);
    std::stable_sort(FGroup->Assets().begin(), FGroup->Assets().end(), core::TqoAssetComparer());
    try {
        for (const core::TqoAssetPtr& LAsset : FGroup->GetAssets()) {
            auto LTile = std::make_unique<TResourceGroupView>(FContent);
            LTile->SetAsset(LAsset.get());
            LTile->OnNeedUpdatePreview = [this](core::TqoAsset* AAsset) { NeedUpdatePreviewHandler(AAsset); };
            LTile->OnNeedApplyColor = [this](QObject*, core::TqoAssetColor* AAsset) { NeedApplyColorsHandler(AAsset); };
            LTile->show();
            FOrderedList.push_back(LTile.release());
        }
    } catch (...) {
        FAlignEnabled = true;
        throw;
    }
    FAssetType->setText(FGroup->IsEmpty() ? QString() : FGroup->First()->GetKind());
    RefreshTitle();
    FAlignEnabled = true;
    Realign();
}

void TAssetsView::RefreshTitle()
{
    if (!FGroup)
        return;
    if (!FGroup->IsEmpty())
        FGroup->SetName(FGroup->First()->GetName());
    ShowName();
}

void TAssetsView::ShowName()
{
    const QString LName = FGroup ? FGroup->GetName() : QString();
    const QMargins LMargins = FAssetName->contentsMargins();
    const int LRoom = FAssetName->width() - LMargins.left() - LMargins.right();
    FAssetName->setText(FAssetName->fontMetrics().elidedText(LName, Qt::ElideMiddle, std::max(LRoom, 0)));
    FAssetName->setToolTip(LName);
}

void TAssetsView::Realign()
{
    ShowName();
    if (!FAlignEnabled || FOrderedList.empty())
        return;
    FAlignEnabled = false;
    const int LWidth = FContent->width();
    int LTop = TileSpacing;
    int LX = TileSpacing;
    std::vector<TResourceGroupView*> LRow;
    for (TResourceGroupView* LTile : FOrderedList) {
        if (!LRow.empty() && LX + LTile->width() + TileSpacing > LWidth) {
            LTop += LTile->height() + TileSpacing;
            CenterRow(LRow, LWidth);
            LRow.clear();
            LX = TileSpacing;
        }
        LTile->move(LX, LTop);
        LX += LTile->width() + TileSpacing;
        LRow.push_back(LTile);
    }
    CenterRow(LRow, LWidth);
    FAlignEnabled = true;
    MatchToContent();
}

void TAssetsView::MatchToContent()
{
    if (FOrderedList.empty())
        return;
    const TResourceGroupView* LLast = FOrderedList.back();
    setFixedHeight(LLast->y() + LLast->height() + FContent->y() + BottomPadding);
}

void TAssetsView::NeedUpdatePreviewHandler(core::TqoAsset* AAsset)
{
    if (OnNeedUpdatePreview)
        OnNeedUpdatePreview(AAsset);
}

void TAssetsView::NeedApplyColorsHandler(core::TqoAssetColor* AAsset)
{
    if (!FGroup || !AAsset)
        return;
    for (const core::TqoAssetPtr& LAsset : FGroup->GetAssets())
        if (auto* LColor = dynamic_cast<core::TqoAssetColor*>(LAsset.get()); LColor && LColor != AAsset)
            LColor->SetColor(AAsset->GetColor());
    for (TResourceGroupView* LTile : FOrderedList)
        if (LTile->GetResource() != AAsset)
            LTile->Refresh();
}

bool TAssetsView::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == FContent && AEvent->type() == QEvent::Resize)
        Realign();
    return dsgn::TqoThemedFrame::eventFilter(AWatched, AEvent);
}

void TAssetsView::ClearTiles()
{
    for (TResourceGroupView* LTile : FOrderedList)
        delete LTile;
    FOrderedList.clear();
}

} // namespace orvo
