#include "ORVO.Assets.Editor.Color.h"

#include "ORVO.Assert.h"
#include "ORVO.Designer.Frames.h"
#include "ORVO.Designer.Preview.h"

#include <QPainter>
#include <QPainterPath>

namespace orvo {

namespace {

constexpr core::TqoAlphaColor OutlineColor = 0xFF808080;

// One chessboard for every color frame; it is stretched over each swatch.
const QImage& Background()
{
    static const QImage FBackground = [] {
        core::TqoBitmap LBoard(64, 64);
        dsgn::CreateChessBackground(LBoard, 8, dsgn::LightGridColors.Color1, dsgn::LightGridColors.Color2);
        return LBoard.Image();
    }();
    return FBackground;
}

QString ComponentHint(const QString& ALetter, quint8 AValue)
{
    return QStringLiteral("%1: %2 (#%3)").arg(ALetter).arg(AValue).arg(AValue, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

TEditorColor::TEditorColor(core::TqoAsset* AAsset, QWidget* AParent) : TBaseEditorSinglePreview(AAsset, AParent)
{
    core::TqoAssert::IsClass<core::TqoAssetColor>(AAsset);
    UpdatePreview();
}

core::TqoAssetColor* TEditorColor::GetColorAsset() const
{
    return core::TqoAssert::IsClass<core::TqoAssetColor>(GetAsset());
}

QString TEditorColor::GetTitle() const
{
    return GetColorAsset() ? core::TqoColorHelper::ToDisplayString(GetColorAsset()->GetColor()) : QString();
}

void TEditorColor::UpdatePreview()
{
    TBaseEditorSinglePreview::UpdatePreview();
    const core::TqoAlphaColor LColor = GetColorAsset() ? GetColorAsset()->GetColor() : 0;
    using H = core::TqoColorHelper;
    PaintBox()->setToolTip(QStringList{
        ComponentHint(QStringLiteral("R"), H::Red(LColor)), ComponentHint(QStringLiteral("G"), H::Green(LColor)),
        ComponentHint(QStringLiteral("B"), H::Blue(LColor)), ComponentHint(QStringLiteral("A"), H::Alpha(LColor))}
                               .join(QStringLiteral("\r\n")));
    FPreview = GenerateColorBitmap(LColor);
}

QImage TEditorColor::GenerateColorBitmap(core::TqoAlphaColor AColor) const
{
    QImage LBitmap(PaintBox()->size(), QImage::Format_ARGB32_Premultiplied);
    LBitmap.fill(Qt::transparent);
    QPainter LCanvas(&LBitmap);
    LCanvas.drawImage(LBitmap.rect(), Background());
    LCanvas.setRenderHint(QPainter::Antialiasing);
    const QRectF LBounds = QRectF(LBitmap.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath LPath;
    LPath.addRoundedRect(LBounds, 3, 3);
    LCanvas.fillPath(LPath, QColor::fromRgba(AColor));
    LCanvas.setPen(QPen(QColor::fromRgba(OutlineColor), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    LCanvas.drawPath(LPath);
    LCanvas.end();
    return LBitmap.convertToFormat(QImage::Format_ARGB32);
}

void TEditorColor::DrawPreview(QPainter& ACanvas, const QRect& ARect)
{
    QRect LTarget(QPoint(), FPreview.size());
    LTarget.moveCenter(ARect.center());
    ACanvas.drawImage(LTarget, FPreview);
}

void TEditorColor::OpenEditor()
{
    if (!GetColorAsset())
        return;
    if (!FPicker)
        FPicker = new dsgn::TqoColorPicker(this);
    FPicker->SetColor(GetColorAsset()->GetColor());
    FPicker->OnChange = [this](dsgn::TFormBasePicker*) { ColorChanged(); };
    FPicker->ShowAsPopup(PaintBox());
}

void TEditorColor::ColorChanged()
{
    core::TqoAssetColor* LAsset = GetColorAsset();
    LAsset->SetColor(FPicker->GetColor());
    Changed();
    if (FPicker->GetApplyToAll() && OnNeedApplyColor)
        OnNeedApplyColor(this, LAsset);
}

} // namespace orvo
