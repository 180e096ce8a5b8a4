#include "ORVO.VectorImage.Writer.SkiaFMX.h"

#include "ORVO.Bitmap.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Log.h"
#include "System.Skia.h"

#include <QImage>
#include <cctype>
#include <cmath>
#include <limits>

namespace orvo {

namespace {

const QString LogCategory = QStringLiteral("VectorImage");

QTransform ToTransform(const core::TqoVectorMatrix& M)
{
    return QTransform(M.m11, M.m12, M.m13, M.m21, M.m22, M.m23, M.m31, M.m32, M.m33);
}

bool IsVisible(const ext::ISkPaint& APaint) { return APaint.GetColor() != 0 || APaint.GetShader() != nullptr; }

// Whole pixels of a document side. A size from a damaged file (negative, NaN, beyond int) gives 0
// or a size the bitmap refuses, never an undefined conversion.
int PixelSize(double AValue)
{
    if (!(AValue >= 1))
        return 0;
    return AValue >= double(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                             : static_cast<int>(std::trunc(AValue));
}

} // namespace

TsvgExportFMXBitmapWithSkia::TsvgExportFMXBitmapWithSkia(const core::TqoVectorDocument& ADocument)
    : FDocument(&ADocument)
{
    FFill = ext::TSkPaint::Create(ext::TSkPaintStyle::Fill);
    FFill->SetAntiAlias(true);
    FStroke = ext::TSkPaint::Create(ext::TSkPaintStyle::Stroke);
    FStroke->SetAntiAlias(true);
    const QSizeF size = FDocument->Size();
    FBitmap = std::make_unique<core::TqoBitmap>(PixelSize(size.width()), PixelSize(size.height()));
    ext::TSkBitmapHelper::SkiaDraw(FBitmap->Image(), [this](const std::shared_ptr<ext::ISkCanvas>& ACanvas) {
        FCanvas = ACanvas;
        try {
            Process();
        } catch (...) {
            FCanvas.reset();
            throw;
        }
        FCanvas.reset();
    });
}

TsvgExportFMXBitmapWithSkia::~TsvgExportFMXBitmapWithSkia() = default;

void TsvgExportFMXBitmapWithSkia::SaveToBitmap(core::TqoBitmap& ABitmap) const { ABitmap = *FBitmap; }

void TsvgExportFMXBitmapWithSkia::SaveToFile(const QString& AFileName) const { FBitmap->SaveToFile(AFileName); }

bool TsvgExportFMXBitmapWithSkia::TryStrToColor(const QString& AText, core::TqoAlphaColor& AColor)
{
    if (!AText.startsWith(QLatin1Char('#')))
        return false;
    QString digits = AText.mid(1).trimmed();
    if (digits.length() == 6) {
        digits.prepend(QLatin1String("FF"));
    } else if (digits.length() == 3) {
        QString doubled = QStringLiteral("FF");
        for (QChar c : digits)
            doubled += QString(2, c);
        digits = doubled;
    }
    // Up to eight digits fit the 32-bit color; more is out of range.
    if (digits.isEmpty() || digits.length() > 8)
        return false;
    for (QChar c : digits)
        if (c.unicode() > 0x7F || !std::isxdigit(c.unicode()))
            return false;
    AColor = digits.toUInt(nullptr, 16);
    return true;
}

void TsvgExportFMXBitmapWithSkia::Process()
{
    FStrokeOpacity = 1;
    FFillOpacity = 1;
    FCanvas->Clear(0);
    FFill->SetColor(core::TqoAlphaColors::Black);
    // Transparent: no stroke shows until a brush sets one. Its width stays 0, a hairline.
    FStroke->SetColor(core::TqoAlphaColors::Null);

    // The view box fills the document's size; an empty side of it is left unscaled.
    const QRectF viewBox = FDocument->ViewBox();
    const QSizeF size = FDocument->Size();
    const double scaleX = viewBox.width() != 0 ? size.width() / viewBox.width() : 1.0;
    const double scaleY = viewBox.height() != 0 ? size.height() / viewBox.height() : 1.0;
    FCanvas->SetMatrix(QTransform::fromTranslate(-viewBox.left(), -viewBox.top()) *
                       QTransform::fromScale(scaleX, scaleY));

    for (const core::TqoVectorCommand& command : FDocument->Commands()) {
        switch (command.Kind) {
        case core::TqoVectorCommandKind::DrawPath:
            DrawPath(command.Path);
            break;
        case core::TqoVectorCommandKind::BeginGroup:
            SaveState();
            break;
        case core::TqoVectorCommandKind::EndGroup:
            RestoreState();
            break;
        case core::TqoVectorCommandKind::Transform:
            ConcatMatrix(command.Transform.Matrix);
            break;
        case core::TqoVectorCommandKind::Gradient:
            SetShader(command.Gradient.get(), command.IsFill);
            break;
        case core::TqoVectorCommandKind::Brush:
            ChangePaints(command.Brush);
            break;
        default:
            throw core::EqoException(QStringLiteral("Unknown svg command kind"));
        }
    }
}

void TsvgExportFMXBitmapWithSkia::SaveState()
{
    TsvgState state;
    state.CanvasState = FCanvas->Save();
    state.StrokeOpacity = FStrokeOpacity;
    state.FillOpacity = FFillOpacity;
    state.Fill = ext::TSkPaint::Create(*FFill);
    state.Stroke = ext::TSkPaint::Create(*FStroke);
    FStates.push_back(std::move(state));
}

void TsvgExportFMXBitmapWithSkia::RestoreState()
{
    if (FStates.empty()) {
        // The reader never writes this; a hand-made file might. Nothing to restore.
        core::TqoLog::Warning(LogCategory, QStringLiteral("End of group without a group; ignored"));
        return;
    }
    TsvgState state = std::move(FStates.back());
    FStates.pop_back();
    FStrokeOpacity = state.StrokeOpacity;
    FFillOpacity = state.FillOpacity;
    FFill = std::move(state.Fill);
    FStroke = std::move(state.Stroke);
    FCanvas->RestoreToCount(state.CanvasState);
}

void TsvgExportFMXBitmapWithSkia::ConcatMatrix(const core::TqoVectorMatrix& AMatrix)
{
    // The element's own transform applies to its points first, the enclosing ones after.
    FCanvas->SetMatrix(ToTransform(AMatrix) * FCanvas->GetLocalToDeviceAs3x3());
}

void TsvgExportFMXBitmapWithSkia::SetShader(const core::TqoVectorGradient* AGradient, bool AIsFill)
{
    if (!AGradient)
        return;
    std::vector<ext::TAlphaColor> colors;
    std::vector<float> positions;
    for (const core::TqoGradientStop& stop : AGradient->Stops) {
        colors.push_back(stop.Color);
        positions.push_back(stop.Offset);
    }
    // The gradient's matrix is not applied: the reader has already moved a radial center by it.
    std::shared_ptr<ext::ISkShader> shader;
    if (const auto* radial = dynamic_cast<const core::TqoVectorRadialGradient*>(AGradient))
        shader = ext::TSkShader::MakeGradientRadial(QPointF(radial->CenterX, radial->CenterY), radial->Radius, colors,
                                                    positions, ext::TSkTileMode::Clamp);
    else if (const auto* linear = dynamic_cast<const core::TqoVectorLinearGradient*>(AGradient))
        shader = ext::TSkShader::MakeGradientLinear(QPointF(linear->X1, linear->Y1), QPointF(linear->X2, linear->Y2),
                                                    colors, positions, ext::TSkTileMode::Clamp);
    else
        return;
    (AIsFill ? FFill : FStroke)->SetShader(shader);
}

void TsvgExportFMXBitmapWithSkia::ChangePaints(const core::TqoVectorBrush& ABrush)
{
    if (ABrush.StrokeOpacity.HasValue())
        FStrokeOpacity = ABrush.StrokeOpacity.Value();
    if (ABrush.FillOpacity.HasValue())
        FFillOpacity = ABrush.FillOpacity.Value();
    if (ABrush.StrokeWidth.HasValue())
        FStroke->SetStrokeWidth(ABrush.StrokeWidth.Value());
    core::TqoAlphaColor color = 0;
    if (ABrush.StrokeColor.HasValue() && TryStrToColor(ABrush.StrokeColor.Value(), color)) {
        FStroke->SetColor(color);
        FStroke->SetShader(nullptr);
    }
    if (ABrush.StrokeDashArray.HasValue())
        FStroke->SetPathEffect(
            ext::TSkPathEffect::MakeDash(ABrush.StrokeDashArray.Value(), ABrush.StrokeDashOffset.ValueOr(0)));
    if (ABrush.StrokeLineCap.HasValue()) {
        switch (ABrush.StrokeLineCap.Value()) {
        case core::TqoStrokeLineCap::Square:
            FStroke->SetStrokeCap(ext::TSkStrokeCap::Square);
            break;
        case core::TqoStrokeLineCap::Round:
            FStroke->SetStrokeCap(ext::TSkStrokeCap::Round);
            break;
        case core::TqoStrokeLineCap::Butt:
            FStroke->SetStrokeCap(ext::TSkStrokeCap::Butt);
            break;
        }
    }
    if (ABrush.StrokeLineJoin.HasValue()) {
        switch (ABrush.StrokeLineJoin.Value()) {
        case core::TqoStrokeLineJoin::Miter:
            FStroke->SetStrokeJoin(ext::TSkStrokeJoin::Miter);
            break;
        case core::TqoStrokeLineJoin::Round:
            FStroke->SetStrokeJoin(ext::TSkStrokeJoin::Round);
            break;
        case core::TqoStrokeLineJoin::Bevel:
            FStroke->SetStrokeJoin(ext::TSkStrokeJoin::Bevel);
            break;
        }
    }
    FLastFillPathRule = ABrush.FillRule.ValueOr(core::TqoFillRule::NonZero);
    // After any fill gradient of the same element: a brush with a fill color replaces it.
    if (ABrush.FillColor.HasValue() && TryStrToColor(ABrush.FillColor.Value(), color)) {
        FFill->SetColor(color);
        FFill->SetShader(nullptr);
    }
}

void TsvgExportFMXBitmapWithSkia::DrawPath(const QString& APathData)
{
    std::shared_ptr<ext::ISkPath> parsed;
    if (!ext::TSkPath::TryCreate(APathData, parsed)) {
        // The reader keeps "d" texts unchecked; one bad path must not cost the whole image.
        core::TqoLog::Warning(LogCategory, QStringLiteral("Cannot parse path data, path skipped: \"%1\""),
                              APathData.left(200));
        return;
    }
    const ext::TSkPathFillType fillType =
        FLastFillPathRule == core::TqoFillRule::EvenOdd ? ext::TSkPathFillType::EvenOdd : ext::TSkPathFillType::Winding;
    std::shared_ptr<ext::ISkPath> path = parsed;
    if (parsed->GetFillType() != fillType) {
        ext::TSkPathBuilder builder(fillType);
        builder.AddPath(*parsed);
        path = builder.Detach();
    }

    // Stroke first: the fill then covers the inner half of the stroke.
    constexpr float Epsilon = 0.0001f;
    if (std::abs(FStrokeOpacity) > Epsilon && IsVisible(*FStroke)) {
        FStroke->SetAlphaF(FStrokeOpacity);
        FCanvas->DrawPath(*path, *FStroke);
    }
    if (std::abs(FFillOpacity) > Epsilon && IsVisible(*FFill)) {
        FFill->SetAlphaF(FFillOpacity);
        FCanvas->DrawPath(*path, *FFill);
    }
}

} // namespace orvo
