#include "ORVO.Assets.View.ImageInfo.h"

#include "ORVO.Assets.Picker.ImageInfo.h"
#include "ORVO.Designer.Preview.h"
#include "ORVO.Editor.SinglePreview.h"
#include "ORVO.Log.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <cmath>

namespace orvo {

namespace {

constexpr int CSpacing = 4;
constexpr int CLabelHeight = 18;
constexpr int CWarningSize = 16;
constexpr double CDarkBoardLuminance = 0.65;

} // namespace

TImageInfoView::TImageInfoView(QWidget* AParent) : dsgn::TqoThemedFrame(AParent)
{
    setFixedSize(TileWidth, TileHeight);
    FScaleLabel = new QLabel(this);
    FScaleLabel->setAlignment(Qt::AlignCenter);
    FScaleLabel->setGeometry(0, 0, TileWidth, CLabelHeight);
    FWarning = new QLabel(this);
    FWarning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(CWarningSize, CWarningSize));
    FWarning->setGeometry(TileWidth - CWarningSize, 0, CWarningSize, CWarningSize);
    FWarning->hide();
    FPaintBox = new TPreviewPaintBox(this);
    FPaintBox->setObjectName(QStringLiteral("pbPreview"));
    FPaintBox->setGeometry(CSpacing, CLabelHeight + CSpacing, TileWidth - 2 * CSpacing,
                           TileHeight - CLabelHeight - 2 * CSpacing);
    FPaintBox->setCursor(Qt::PointingHandCursor);
    FPaintBox->OnPaint = [this](QPainter& ACanvas) { PaintPreview(ACanvas); };
    FPaintBox->OnClick = [this] { OpenPicker(); };
}

QString TImageInfoView::ScaleLabel(float AScale)
{
    const bool LWhole = std::lround(AScale * 10.0) % 10 == 0;
    return QString::asprintf(LWhole ? "%.0fx" : "%.1fx", double(AScale));
}

void TImageInfoView::SetInfo(core::TqoBitmapInfo* AInfo)
{
    FInfo = AInfo;
    FScaleLabel->setText(AInfo ? ScaleLabel(AInfo->GetScale()) : QString());
    UpdatePreview();
}

void TImageInfoView::SetBaseSize(const QSizeF& ABaseSize)
{
    FBaseSize = ABaseSize;
    const float LScale = FInfo ? FInfo->GetScale() : 1.0f;
    FExpectedSize = QSize(int(std::trunc(ABaseSize.width() * LScale)), int(std::trunc(ABaseSize.height() * LScale)));
    QSize LActual;
    if (FInfo && FInfo->HasBitmap()) {
        try {
            const core::TqoBitmap LBitmap = FInfo->GetBitmap();
            LActual = QSize(LBitmap.GetWidth(), LBitmap.GetHeight());
        } catch (const std::exception&) {
            // the preview has logged it already
        }
    }
    const bool LWrong = LActual.isValid() && LActual != FExpectedSize;
    // The table's %f is the host's: two decimals.
    const QByteArray LFormat =
        ImageInfoText("hint_wrong_image_size").replace(QStringLiteral("%f"), QStringLiteral("%.2f")).toUtf8();
    FWarning->setToolTip(LWrong ? QString::asprintf(LFormat.constData(), ABaseSize.width(), ABaseSize.height(),
                                                    LActual.width(), LActual.height(), FExpectedSize.width(),
                                                    FExpectedSize.height())
                                : QString());
    FWarning->setVisible(LWrong);
}

void TImageInfoView::Refresh()
{
    UpdatePreview();
    if (FPicker && FPicker->isVisible())
        FPicker->SetInfo(FInfo);
}

void TImageInfoView::UpdatePreview()
{
    FPreview = QImage();
    QString LHint = QStringLiteral("Empty");
    if (FInfo && FInfo->HasBitmap()) {
        try {
            const core::TqoBitmap LBitmap = FInfo->GetBitmap();
            const core::TqoBitmap LTinted(TintedImage(LBitmap.Image(), FInfo->GetTint().ValueOr(0)));
            // No larger than the bitmap itself: a small icon is not blown up.
            QSize LSize = LBitmap.Image().size();
            if (LSize.width() > FPaintBox->width() || LSize.height() > FPaintBox->height())
                LSize.scale(FPaintBox->size(), Qt::KeepAspectRatio);
            const dsgn::TqoGridColors& LColors =
                dsgn::Luminance(LTinted) >= CDarkBoardLuminance ? dsgn::DarkGridColors : dsgn::LightGridColors;
            FPreview = dsgn::CreatePreview(LTinted, LSize, LColors.Color1, LColors.Color2, 4).Image();
            LHint = QStringLiteral("%1 x %2").arg(LBitmap.GetWidth()).arg(LBitmap.GetHeight());
        } catch (const std::exception& E) {
            core::TqoLog::Error(QStringLiteral("AssetsDesigner"), QString::fromUtf8(E.what()));
            LHint.clear();
        }
    }
    FPaintBox->setToolTip(LHint);
    FPaintBox->update();
}

void TImageInfoView::PaintPreview(QPainter& ACanvas)
{
    if (FPreview.isNull()) {
        ACanvas.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DashLine));
        ACanvas.drawRect(FPaintBox->rect().adjusted(0, 0, -1, -1));
        return;
    }
    QRect LTarget(QPoint(), FPreview.size());
    LTarget.moveCenter(FPaintBox->rect().center());
    ACanvas.drawImage(LTarget, FPreview);
}

TImageInfoPicker* TImageInfoView::Picker() const { return FPicker; }

void TImageInfoView::OpenPicker()
{
    if (!FInfo)
        return;
    if (!FPicker)
        FPicker = new TImageInfoPicker(this);
    FPicker->SetInfo(FInfo);
    FPicker->OnChange = [this](dsgn::TFormBasePicker*) { PickerChanged(); };
    FPicker->ShowAsPopup(FPaintBox);
}

void TImageInfoView::PickerChanged()
{
    UpdatePreview();
    if (FPicker->GetApplyToAll() && OnNeedUpdateCapInsets)
        OnNeedUpdateCapInsets(FInfo);
    if (OnChanged)
        OnChanged(this);
}

} // namespace orvo
