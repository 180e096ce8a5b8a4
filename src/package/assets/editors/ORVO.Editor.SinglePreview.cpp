#include "ORVO.Editor.SinglePreview.h"

#include "assets/designer/ORVO.Assets.DataModule.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace orvo {

namespace {

constexpr int Spacing = 4;
// Kinds with a fixed image show it larger than the tree's 24x24 entry.
constexpr int KindImageSize = 48;

} // namespace

void TPreviewPaintBox::paintEvent(QPaintEvent*)
{
    QPainter LPainter(this);
    if (OnPaint)
        OnPaint(LPainter);
}

void TPreviewPaintBox::mouseReleaseEvent(QMouseEvent* AEvent)
{
    if (AEvent->button() == Qt::LeftButton && rect().contains(AEvent->position().toPoint()) && OnClick)
        OnClick();
}

TBaseEditorSinglePreview::TBaseEditorSinglePreview(core::TqoAsset* AAsset, QWidget* AParent)
    : TBaseAssetEditorFrame(AAsset, AParent)
{
    setFixedSize(FrameWidth, FrameHeight);
    FTitleLabel = new QLabel(this);
    FTitleLabel->setAlignment(Qt::AlignCenter);
    FTitleLabel->setGeometry(Spacing, 0, FrameWidth - 2 * Spacing, TitleHeight);
    FPaintBox = new TPreviewPaintBox(this);
    FPaintBox->setObjectName(QStringLiteral("pbPreview"));
    FPaintBox->setGeometry(Spacing, TitleHeight + Spacing, FrameWidth - 2 * Spacing,
                           FrameHeight - TitleHeight - 2 * Spacing);
    FPaintBox->setCursor(Qt::PointingHandCursor);
    FPaintBox->OnPaint = [this](QPainter& ACanvas) { PaintPreview(ACanvas); };
    FPaintBox->OnClick = [this] { OpenEditor(); };
    UpdatePreview();
}

QString TBaseEditorSinglePreview::GetTitle() const { return GetAsset() ? GetAsset()->ToString() : QString(); }

QString TEditorKindPreview::GetTitle() const
{
    const auto* LEditors = TqoAssetsEditorsManager::Instance();
    const QString LInfo =
        GetAsset() && LEditors ? LEditors->GetEditors(GetAsset()->GetKind())->GetAdditionalInfo(GetAsset()) : QString();
    return LInfo.isEmpty() ? TBaseEditorSinglePreview::GetTitle() : LInfo;
}

void TBaseEditorSinglePreview::UpdatePreview()
{
    FTitle = !GetAsset() || GetAsset()->IsEmpty() ? QStringLiteral("Empty") : GetTitle();
    ShowTitle();
    FPaintBox->update();
}

void TBaseEditorSinglePreview::Changed()
{
    TBaseAssetEditorFrame::Changed();
    UpdatePreview();
}

void TBaseEditorSinglePreview::resizeEvent(QResizeEvent* AEvent)
{
    TBaseAssetEditorFrame::resizeEvent(AEvent);
    ShowTitle();
}

void TBaseEditorSinglePreview::ShowTitle()
{
    // A long asset name is elided rather than cut; the whole of it is in the hint.
    FTitleLabel->setText(FTitleLabel->fontMetrics().elidedText(FTitle, Qt::ElideMiddle, FTitleLabel->width()));
    FTitleLabel->setToolTip(FTitle);
}

void TBaseEditorSinglePreview::PaintPreview(QPainter& ACanvas)
{
    const QRect LRect = FPaintBox->rect();
    if (!GetAsset() || GetAsset()->IsEmpty()) {
        ACanvas.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DashLine));
        ACanvas.drawRect(LRect.adjusted(0, 0, -1, -1));
        return;
    }
    DrawPreview(ACanvas, LRect);
}

// ---------------------------------------------------------------------------------------------

TEditorKindPreview::TEditorKindPreview(core::TqoAsset* AAsset, QWidget* AParent)
    : TBaseEditorSinglePreview(AAsset, AParent)
{
    UpdatePreview();
}

void TEditorKindPreview::UpdatePreview()
{
    FPreview = QImage();
    const auto* LRegistry = TqoAssetsEditorsManager::Instance();
    if (GetAsset() && !GetAsset()->IsEmpty() && LRegistry) {
        const IORVOAssetEditorPtr LEditor = LRegistry->GetEditors(GetAsset()->GetKind());
        if (LEditor->GetOptions().testFlag(TqoAssetEditorOption::UniquePreview)) {
            if (auto LImage = LEditor->GeneratePreview(GetAsset(), PaintBox()->size()))
                FPreview = *LImage;
        } else {
            FPreview = DesignerDataModule().KindImage(LEditor->GetPreviewImageIndex(), KindImageSize);
        }
    }
    TBaseEditorSinglePreview::UpdatePreview();
}

void TEditorKindPreview::DrawPreview(QPainter& ACanvas, const QRect& ARect)
{
    if (FPreview.isNull())
        return;
    QRect LTarget(QPoint(), FPreview.size().scaled(ARect.size(), Qt::KeepAspectRatio).boundedTo(FPreview.size()));
    LTarget.moveCenter(ARect.center());
    ACanvas.setRenderHint(QPainter::SmoothPixmapTransform);
    ACanvas.drawImage(LTarget, FPreview);
}

} // namespace orvo
