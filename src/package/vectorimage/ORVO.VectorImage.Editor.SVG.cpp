#include "ORVO.VectorImage.Editor.SVG.h"

#include "ORVO.Assert.h"
#include "ORVO.Log.h"
#include "ORVO.VectorImage.Picker.SVG.h"
#include "ORVO.VectorImage.Reader.SVG.h"
#include "ORVO.VectorImage.Writer.SkiaFMX.h"
#include "assets/designer/ORVO.Assets.DataModule.h"
#include "assets/editors/ORVO.Editor.SinglePreview.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace orvo {

namespace {

const QString LogCategory = QStringLiteral("VectorImage");
const QString WarningImage = QStringLiteral("Common\\Warning");
const QString ErrorImage = QStringLiteral("Common\\Error");
constexpr int MarkSize = 16;

// A round badge with an exclamation mark; the shared collection has no marks of its own yet.
TImageCollection::TDrawer Mark(const QColor& AColor)
{
    return [AColor](QPainter& P) {
        P.setRenderHint(QPainter::Antialiasing);
        P.setPen(Qt::NoPen);
        P.setBrush(AColor);
        P.drawEllipse(QRectF(1, 1, 22, 22));
        P.setBrush(Qt::white);
        P.drawRoundedRect(QRectF(10.5, 5, 3, 9.5), 1.5, 1.5);
        P.drawEllipse(QRectF(10.5, 16.5, 3, 3));
    };
}

QImage MarkImage(const QString& AName)
{
    TImageCollection& LImages = DesignerDataModule().ImageCollection();
    if (!LImages.Contains(WarningImage)) {
        LImages.Add(WarningImage, Mark(QColor(0xE6, 0x9B, 0x00)));
        LImages.Add(ErrorImage, Mark(QColor(0xD3, 0x2F, 0x2F)));
    }
    return LImages.Bitmap(AName, MarkSize);
}

// The icon preview: the drawing fitted into the box (kept when it fits), centered on a
// transparent image of the box's size. No drawing gives no preview.
QImage BuildIconPreview(const QImage& ABitmap, const QSize& ABoxSize, qreal AScale)
{
    if (ABitmap.isNull() || ABoxSize.isEmpty())
        return {};
    // One pixel of the border on each side stays free.
    const QSizeF LRoom = QSizeF(ABoxSize - QSize(4, 4)) * AScale;
    QSizeF LSize = ABitmap.size();
    if (LSize.width() > LRoom.width() || LSize.height() > LRoom.height())
        LSize.scale(LRoom, Qt::KeepAspectRatio);
    QImage LPreview(LSize.toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    LPreview.fill(Qt::transparent);
    QPainter LCanvas(&LPreview);
    LCanvas.setRenderHint(QPainter::SmoothPixmapTransform);
    LCanvas.drawImage(QRectF(QPointF(), LSize), ABitmap);
    LCanvas.end();
    LPreview.setDevicePixelRatio(AScale);
    return LPreview;
}

} // namespace

TEditorSVG::TEditorSVG(core::TqoAsset* AAsset, QWidget* AParent) : TBaseAssetEditorFrame(AAsset, AParent)
{
    core::TqoAssert::IsClass<core::TqoAssetSVG>(AAsset);
    setFixedSize(FrameSize, FrameSize);
    pbDecoration = new TPreviewPaintBox(this);
    // The name the IDE's screenshot option clicks.
    pbDecoration->setObjectName(QStringLiteral("pbPreview"));
    pbDecoration->setGeometry(8, 8, 88, 88);
    pbDecoration->setCursor(Qt::PointingHandCursor);
    pbDecoration->OnPaint = [this](QPainter& ACanvas) { pbDecorationPaint(ACanvas); };
    pbDecoration->OnClick = [this] { OpenPicker(); };
    imgWarning = new QLabel(this);
    imgWarning->setObjectName(QStringLiteral("imgWarning"));
    imgWarning->setGeometry(88, 0, MarkSize, MarkSize);
    imgWarning->hide();
    UpdatePreview();
}

core::TqoAssetSVG* TEditorSVG::GetAsset() const
{
    return core::TqoAssert::IsClass<core::TqoAssetSVG>(TBaseAssetEditorFrame::GetAsset());
}

void TEditorSVG::UpdatePreview()
{
    core::TqoAssetSVG* LAsset = GetAsset();
    QString LImage, LHint;
    if (LAsset && !LAsset->GetSVGUri().isEmpty()) {
        QString LReaderHint;
        switch (TqoVectorReaderSVG::CheckContent(LAsset->GetSVGContent(), LReaderHint)) {
        case TqoResultParsing::Success:
            break;
        case TqoResultParsing::SuccessWithWarnings:
            LImage = WarningImage;
            LHint = QStringLiteral("SVG File is supported but with limitation\r\n") + LReaderHint;
            break;
        case TqoResultParsing::Failed:
            LImage = ErrorImage;
            LHint = QStringLiteral("SVG File is not supported\r\n") + LReaderHint;
            break;
        }
    }
    imgWarning->setPixmap(LImage.isEmpty() ? QPixmap() : QPixmap::fromImage(MarkImage(LImage)));
    imgWarning->setToolTip(LHint);
    imgWarning->setVisible(!LImage.isEmpty());
    GeneratePreviewBitmap();
}

void TEditorSVG::GeneratePreviewBitmap()
{
    FPreview = QImage();
    FPreviewScale = devicePixelRatioF();
    core::TqoAssetSVG* LAsset = GetAsset();
    QImage LBitmap;
    if (LAsset && QFileInfo(LAsset->GetSVGFileName()).isFile()) {
        try {
            core::TqoVectorDocument LDocument;
            TqoVectorReaderSVG LReader(LDocument);
            try {
                LReader.LoadFromFile(LAsset->GetSVGFileName());
            } catch (const core::EqoException&) {
                // Whatever the reader recorded before it stopped is still drawn; its verdict is
                // the mark's business.
            }
            // The view box stays, so the drawing is scaled to the asset's size.
            LDocument.SetSize(
                QSizeF(int(LAsset->GetWidth() * FPreviewScale), int(LAsset->GetHeight() * FPreviewScale)));
            TsvgExportFMXBitmapWithSkia LRenderer(LDocument);
            LBitmap = LRenderer.Bitmap().Image();
        } catch (const std::exception& E) {
            core::TqoLog::Error(LogCategory, QStringLiteral("[SVG] Cannot generate bitmap by SVG file: message=\"%1\""),
                                QString::fromUtf8(E.what()));
            LBitmap = QImage();
        }
    }
    FPreview = BuildIconPreview(LBitmap, pbDecoration->size(), FPreviewScale);
    pbDecoration->update();
}

void TEditorSVG::pbDecorationPaint(QPainter& ACanvas)
{
    if (!qFuzzyCompare(FPreviewScale, devicePixelRatioF()))
        GeneratePreviewBitmap();
    const bool LHasFile = GetAsset() && !GetAsset()->GetSVGUri().isEmpty();
    ACanvas.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, LHasFile ? Qt::SolidLine : Qt::DashLine));
    ACanvas.drawRect(pbDecoration->rect().adjusted(0, 0, -1, -1));
    if (FPreview.isNull())
        return;
    const QSize LSize = (QSizeF(FPreview.size()) / FPreview.devicePixelRatio()).toSize();
    ACanvas.drawImage(
        QPoint((pbDecoration->width() - LSize.width()) / 2, (pbDecoration->height() - LSize.height()) / 2), FPreview);
}

void TEditorSVG::OpenPicker()
{
    if (!GetAsset())
        return;
    if (!FPicker)
        FPicker = new TSVGPicker(this);
    FPicker->SetAsset(GetAsset());
    FPicker->OnChange = [this](dsgn::TFormBasePicker*) { PickerChangedHandler(); };
    FPicker->ShowAsPopup(this);
}

void TEditorSVG::PickerChangedHandler()
{
    UpdatePreview();
    Changed();
}

} // namespace orvo
