#include "System.Skia.h"

#include "System.Skia.ParsePath.h"
#include "System.Skia.Raster.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace ext {

namespace {

// ---------------------------------------------------------------- path

class TSkPathImpl final : public ISkPath
{
public:
    TSkPathImpl(TSkPathFillType AFillType, std::vector<TSkPathVerb> AVerbs, std::vector<QPointF> APoints)
        : FFillType(AFillType), FVerbs(std::move(AVerbs)), FPoints(std::move(APoints))
    {
    }

    TSkPathFillType GetFillType() const override { return FFillType; }
    bool IsEmpty() const override { return FVerbs.empty(); }
    QRectF GetBounds() const override;
    QRectF GetTightBounds() const override;
    const std::vector<TSkPathVerb>& GetVerbs() const override { return FVerbs; }
    const std::vector<QPointF>& GetPoints() const override { return FPoints; }
    bool Contains(double AX, double AY) const override;
    QString ToSVG() const override;

private:
    TSkPathFillType FFillType;
    std::vector<TSkPathVerb> FVerbs;
    std::vector<QPointF> FPoints;
};

int PointsOf(TSkPathVerb AVerb)
{
    switch (AVerb) {
    case TSkPathVerb::Move:
    case TSkPathVerb::Line:
        return 1;
    case TSkPathVerb::Quad:
        return 2;
    case TSkPathVerb::Cubic:
        return 3;
    case TSkPathVerb::Close:
        return 0;
    }
    return 0;
}

// A length far below a device pixel under AToDevice, for segments that exist only to carry caps.
double DotLength(const QTransform& AToDevice)
{
    const double deviceScale = std::sqrt(std::abs(AToDevice.determinant()));
    return deviceScale > 0 ? 0.01 / deviceScale : 1e-6;
}

// ADotLength > 0 keeps contours of zero length that Skia strokes as a dot with round or
// square caps ("M5 5h0", "M5 5Z"): Qt drops a zero-length line, so they become a
// horizontal line of that length. A lone move stays nothing, as in Skia.
QPainterPath ToPainterPath(const ISkPath& APath, double ADotLength = 0)
{
    QPainterPath result;
    result.setFillRule(APath.GetFillType() == TSkPathFillType::EvenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    const std::vector<TSkPathVerb>& verbs = APath.GetVerbs();
    const std::vector<QPointF>& pts = APath.GetPoints();
    size_t i = 0;
    for (size_t v = 0; v < verbs.size(); ++v) {
        if (ADotLength > 0 && verbs[v] == TSkPathVerb::Move) {
            size_t end = v + 1, p = i + 1;
            bool degenerate = true;
            for (; end < verbs.size() && verbs[end] != TSkPathVerb::Move; ++end)
                for (int k = 0; k < PointsOf(verbs[end]); ++k, ++p)
                    degenerate = degenerate && pts[p] == pts[i];
            if (degenerate && end > v + 1) {
                result.moveTo(pts[i]);
                result.lineTo(pts[i] + QPointF(ADotLength, 0));
                v = end - 1;
                i = p;
                continue;
            }
        }
        switch (verbs[v]) {
        case TSkPathVerb::Move:
            result.moveTo(pts[i]);
            break;
        case TSkPathVerb::Line:
            result.lineTo(pts[i]);
            break;
        case TSkPathVerb::Quad:
            result.quadTo(pts[i], pts[i + 1]);
            break;
        case TSkPathVerb::Cubic:
            result.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
            break;
        case TSkPathVerb::Close:
            result.closeSubpath();
            break;
        }
        i += PointsOf(verbs[v]);
    }
    return result;
}

QRectF TSkPathImpl::GetBounds() const
{
    if (FPoints.empty())
        return QRectF();
    double left = FPoints[0].x(), right = left, top = FPoints[0].y(), bottom = top;
    for (const QPointF& p : FPoints) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QRectF TSkPathImpl::GetTightBounds() const
{
    if (FPoints.empty())
        return QRectF();
    // A lone move still counts, as in Skia.
    QRectF curves = ToPainterPath(*this).boundingRect();
    for (size_t i = 0, p = 0; i < FVerbs.size(); p += PointsOf(FVerbs[i]), ++i)
        if (FVerbs[i] == TSkPathVerb::Move)
            curves = curves.united(QRectF(FPoints[p], QSizeF(0, 0)));
    return curves;
}

bool TSkPathImpl::Contains(double AX, double AY) const { return ToPainterPath(*this).contains(QPointF(AX, AY)); }

void AppendScalar(QString& AText, double AValue)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<float>(AValue));
    AText += QLatin1String(buffer, result.ptr - buffer);
}

QString TSkPathImpl::ToSVG() const
{
    QString text;
    size_t p = 0;
    for (TSkPathVerb verb : FVerbs) {
        static const char* const labels[] = {"M", "L", "Q", "C", "Z"};
        text += QLatin1String(labels[static_cast<int>(verb)]);
        for (int i = 0; i < PointsOf(verb); ++i, ++p) {
            if (i > 0)
                text += QLatin1Char(' ');
            AppendScalar(text, FPoints[p].x());
            text += QLatin1Char(' ');
            AppendScalar(text, FPoints[p].y());
        }
    }
    return text;
}

// ---------------------------------------------------------------- effects and shaders

class TSkDashEffect final : public ISkPathEffect
{
public:
    TSkDashEffect(std::vector<float> AIntervals, float APhase) : FIntervals(std::move(AIntervals)), FPhase(APhase) {}
    // Dash pieces of APath in its own units. AToDevice only sets how finely curves are flattened.
    // Returns false when the path would get too many dashes; Skia then draws it undashed.
    bool Apply(const ISkPath& APath, const QTransform& AToDevice, QPainterPath& AResult) const;

private:
    std::vector<float> FIntervals;
    float FPhase;
};

class TSkShaderImpl final : public ISkShader
{
public:
    explicit TSkShaderImpl(const QBrush& ABrush) : FBrush(ABrush) {}
    const QBrush& Brush() const { return FBrush; }
    bool IsSolid() const { return FBrush.style() == Qt::SolidPattern; }

private:
    QBrush FBrush;
};

// Skia caps the work of one dash effect; beyond it the path is not dashed.
constexpr double MaxDashCount = 1000000;

// A contour flattened to a polyline; curves get more points the larger they are on the device.
struct TContour
{
    std::vector<QPointF> Points;
    bool Closed = false;
};

std::vector<TContour> Flatten(const ISkPath& APath, const QTransform& AToDevice)
{
    std::vector<TContour> contours;
    const std::vector<QPointF>& pts = APath.GetPoints();
    auto segmentsFor = [&](std::initializer_list<QPointF> AControl) {
        double length = 0;
        QPointF previous = AToDevice.map(*AControl.begin());
        for (const QPointF& p : AControl) {
            const QPointF mapped = AToDevice.map(p);
            length += QLineF(previous, mapped).length();
            previous = mapped;
        }
        // The chord error of n segments falls as 1/n^2, so sqrt keeps it well below a pixel.
        return std::clamp(static_cast<int>(std::ceil(std::sqrt(length) * 2)), 1, 1024);
    };
    size_t i = 0;
    QPointF current;
    for (TSkPathVerb verb : APath.GetVerbs()) {
        if (verb != TSkPathVerb::Move && contours.empty())
            contours.push_back({{current}, false});
        switch (verb) {
        case TSkPathVerb::Move:
            contours.push_back({{pts[i]}, false});
            current = pts[i];
            break;
        case TSkPathVerb::Line:
            contours.back().Points.push_back(pts[i]);
            current = pts[i];
            break;
        case TSkPathVerb::Quad: {
            const QPointF p0 = current, p1 = pts[i], p2 = pts[i + 1];
            const int n = segmentsFor({p0, p1, p2});
            for (int k = 1; k <= n; ++k) {
                const double t = double(k) / n, u = 1 - t;
                contours.back().Points.push_back(u * u * p0 + 2 * u * t * p1 + t * t * p2);
            }
            current = p2;
            break;
        }
        case TSkPathVerb::Cubic: {
            const QPointF p0 = current, p1 = pts[i], p2 = pts[i + 1], p3 = pts[i + 2];
            const int n = segmentsFor({p0, p1, p2, p3});
            for (int k = 1; k <= n; ++k) {
                const double t = double(k) / n, u = 1 - t;
                contours.back().Points.push_back(u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 +
                                                 t * t * t * p3);
            }
            current = p3;
            break;
        }
        case TSkPathVerb::Close:
            contours.back().Closed = true;
            if (contours.back().Points.back() != contours.back().Points.front())
                contours.back().Points.push_back(contours.back().Points.front());
            current = contours.back().Points.front();
            break;
        }
        i += PointsOf(verb);
    }
    return contours;
}

bool TSkDashEffect::Apply(const ISkPath& APath, const QTransform& AToDevice, QPainterPath& AResult) const
{
    const std::vector<TContour> contours = Flatten(APath, AToDevice);
    double total = 0;
    for (float interval : FIntervals)
        total += interval;
    double pathLength = 0;
    for (const TContour& contour : contours)
        for (size_t k = 1; k < contour.Points.size(); ++k)
            pathLength += QLineF(contour.Points[k - 1], contour.Points[k]).length();
    if (pathLength / total * FIntervals.size() > MaxDashCount)
        return false;

    // Where the pattern starts: SkDashPath's CalcDashParameters.
    double phase = std::fmod(double(FPhase), total);
    if (phase < 0)
        phase += total;
    size_t startIndex = 0;
    double startLength = FIntervals[0];
    for (size_t k = 0; k < FIntervals.size(); ++k) {
        const double gap = FIntervals[k];
        if (phase > gap || (phase == gap && gap != 0)) {
            phase -= gap;
        } else {
            startIndex = k;
            startLength = gap - phase;
            break;
        }
    }

    const double dotLength = DotLength(AToDevice);
    QPainterPath result;
    for (const TContour& contour : contours) {
        size_t index = startIndex;
        double remaining = startLength;
        std::vector<std::vector<QPointF>> dashes;
        bool inDash = false;
        auto on = [&] { return index % 2 == 0; };
        auto advance = [&] {
            index = (index + 1) % FIntervals.size();
            remaining = FIntervals[index];
        };
        if (on()) {
            dashes.push_back({contour.Points.front()});
            inDash = true;
        }
        bool startsOn = inDash;
        for (size_t k = 1; k < contour.Points.size(); ++k) {
            const QPointF a = contour.Points[k - 1], b = contour.Points[k];
            const double length = QLineF(a, b).length();
            double done = 0;
            while (length - done >= remaining) {
                done += remaining;
                const QPointF at = a + (b - a) * (length > 0 ? done / length : 0);
                if (inDash) {
                    std::vector<QPointF>& dash = dashes.back();
                    // A zero-length dash still shows its caps (dotted lines), and Qt drops a
                    // zero-length line: give it a length far below a pixel.
                    dash.push_back(dash.size() == 1 && dash[0] == at && length > 0 ? at + (b - a) / length * dotLength
                                                                                   : at);
                    inDash = false;
                }
                advance();
                if (on()) {
                    dashes.push_back({at});
                    inDash = true;
                }
            }
            remaining -= length - done;
            if (inDash)
                dashes.back().push_back(b);
        }
        // A closed contour whose pattern is on at both ends has one dash across its start, as in Skia.
        if (contour.Closed && startsOn && inDash && dashes.size() > 1) {
            std::vector<QPointF>& last = dashes.back();
            last.insert(last.end(), dashes.front().begin() + 1, dashes.front().end());
            dashes.erase(dashes.begin());
        }
        for (const std::vector<QPointF>& dash : dashes) {
            if (dash.size() < 2)
                continue;
            result.moveTo(dash.front());
            for (size_t k = 1; k < dash.size(); ++k)
                result.lineTo(dash[k]);
        }
    }
    AResult = result;
    return true;
}

// ---------------------------------------------------------------- paint

class TSkPaintImpl final : public ISkPaint
{
public:
    explicit TSkPaintImpl(TSkPaintStyle AStyle) : FStyle(AStyle) {}

    TSkPaintStyle GetStyle() const override { return FStyle; }
    void SetStyle(TSkPaintStyle AValue) override { FStyle = AValue; }
    bool GetAntiAlias() const override { return FAntiAlias; }
    void SetAntiAlias(bool AValue) override { FAntiAlias = AValue; }

    // Stored as fractions, as SkColor4f: an alpha set as a fraction reads back rounded.
    TAlphaColor GetColor() const override
    {
        auto byte = [](float AValue) { return TAlphaColor(std::lround(AValue * 255.0f)); };
        return byte(FA) << 24 | byte(FR) << 16 | byte(FG) << 8 | byte(FB);
    }
    void SetColor(TAlphaColor AValue) override
    {
        FA = float((AValue >> 24) & 0xFF) / 255.0f;
        FR = float((AValue >> 16) & 0xFF) / 255.0f;
        FG = float((AValue >> 8) & 0xFF) / 255.0f;
        FB = float(AValue & 0xFF) / 255.0f;
    }
    float GetAlphaF() const override { return FA; }
    void SetAlphaF(float AValue) override { FA = std::isnan(AValue) ? 0.0f : std::clamp(AValue, 0.0f, 1.0f); }
    QColor GetQColor() const { return QColor::fromRgbF(FR, FG, FB, FA); }

    std::shared_ptr<ISkShader> GetShader() const override { return FShader; }
    void SetShader(const std::shared_ptr<ISkShader>& AValue) override { FShader = AValue; }
    std::shared_ptr<ISkPathEffect> GetPathEffect() const override { return FPathEffect; }
    void SetPathEffect(const std::shared_ptr<ISkPathEffect>& AValue) override { FPathEffect = AValue; }

    float GetStrokeWidth() const override { return FStrokeWidth; }
    void SetStrokeWidth(float AValue) override
    {
        if (AValue >= 0)
            FStrokeWidth = AValue;
    }
    TSkStrokeCap GetStrokeCap() const override { return FStrokeCap; }
    void SetStrokeCap(TSkStrokeCap AValue) override { FStrokeCap = AValue; }
    TSkStrokeJoin GetStrokeJoin() const override { return FStrokeJoin; }
    void SetStrokeJoin(TSkStrokeJoin AValue) override { FStrokeJoin = AValue; }
    float GetStrokeMiter() const override { return FStrokeMiter; }
    void SetStrokeMiter(float AValue) override
    {
        if (AValue >= 0)
            FStrokeMiter = AValue;
    }

private:
    TSkPaintStyle FStyle;
    bool FAntiAlias = false;
    float FA = 1, FR = 0, FG = 0, FB = 0;
    std::shared_ptr<ISkShader> FShader;
    std::shared_ptr<ISkPathEffect> FPathEffect;
    float FStrokeWidth = 0;
    TSkStrokeCap FStrokeCap = TSkStrokeCap::Butt;
    TSkStrokeJoin FStrokeJoin = TSkStrokeJoin::Miter;
    float FStrokeMiter = 4;
};

// ---------------------------------------------------------------- canvas

class TSkCanvasImpl final : public ISkCanvas
{
public:
    // The painter is begun only when a draw needs it: most icons are filled by the fast path
    // alone, and beginning a painter costs more than filling a small icon.
    explicit TSkCanvasImpl(QImage& AImage) : FImage(AImage.isNull() ? nullptr : &AImage) {}
    ~TSkCanvasImpl() override { Detach(); }

    // Ends the drawing; later calls to a kept reference draw nothing.
    void Detach()
    {
        if (FPainter)
            FPainter->end();
        FPainter.reset();
        FImage = nullptr;
    }

    void Clear(TAlphaColor AColor) override;
    int Save() override
    {
        FSaved.push_back(FMatrix);
        return static_cast<int>(FSaved.size());
    }
    void Restore() override
    {
        if (FSaved.empty())
            return;
        FMatrix = FSaved.back();
        FSaved.pop_back();
    }
    void RestoreToCount(int ASaveCount) override
    {
        while (GetSaveCount() > std::max(ASaveCount, 1))
            Restore();
    }
    int GetSaveCount() const override { return static_cast<int>(FSaved.size()) + 1; }
    QTransform GetLocalToDeviceAs3x3() const override { return FMatrix; }
    void SetMatrix(const QTransform& AMatrix) override { FMatrix = AMatrix; }
    void ResetMatrix() override { FMatrix.reset(); }
    void Concat(const QTransform& AMatrix) override { FMatrix = AMatrix * FMatrix; }
    void DrawPath(const ISkPath& APath, const ISkPaint& APaint) override;

private:
    // Null once detached or when the image cannot be painted on.
    QPainter* Painter()
    {
        if (!FPainter && FImage) {
            FPainter = std::make_unique<QPainter>();
            if (!FPainter->begin(FImage)) {
                FPainter.reset();
                FImage = nullptr;
            }
        }
        return FPainter.get();
    }

    QImage* FImage = nullptr;
    std::unique_ptr<QPainter> FPainter;
    QTransform FMatrix;
    std::vector<QTransform> FSaved;
};

void TSkCanvasImpl::Clear(TAlphaColor AColor)
{
    if (AColor == 0 && FImage && !FPainter) {
        FImage->fill(0);
        return;
    }
    if (!Painter())
        return;
    FPainter->save();
    FPainter->resetTransform();
    FPainter->setCompositionMode(QPainter::CompositionMode_Source);
    FPainter->fillRect(QRect(0, 0, FPainter->device()->width(), FPainter->device()->height()),
                       QColor::fromRgba(AColor));
    FPainter->restore();
}

QBrush BrushOf(const ISkPaint& APaint, qreal& AOpacity)
{
    AOpacity = 1;
    const auto* shader = dynamic_cast<const TSkShaderImpl*>(APaint.GetShader().get());
    const auto* paint = dynamic_cast<const TSkPaintImpl*>(&APaint);
    QColor color = paint ? paint->GetQColor() : QColor::fromRgba(APaint.GetColor());
    if (!shader)
        return QBrush(color);
    // With a shader the paint's color counts only through its alpha.
    if (shader->IsSolid()) {
        QColor solid = shader->Brush().color();
        solid.setAlphaF(solid.alphaF() * APaint.GetAlphaF());
        return QBrush(solid);
    }
    AOpacity = APaint.GetAlphaF();
    return shader->Brush();
}

void TSkCanvasImpl::DrawPath(const ISkPath& APath, const ISkPaint& APaint)
{
    if (!FImage || APath.IsEmpty())
        return;
    // With source-over blending a paint of zero alpha leaves every pixel as it is, so
    // Skia's result is the same without rasterizing anything. The renderer strokes every
    // path with such a paint until a brush gives it a color.
    if (!APaint.GetShader() && APaint.GetAlphaF() <= 0)
        return;
    const bool isStroke = APaint.GetStyle() == TSkPaintStyle::Stroke;
    if (!isStroke && !APaint.GetShader() && !APaint.GetPathEffect() && APaint.GetAntiAlias() &&
        APath.GetFillType() == TSkPathFillType::Winding && (!FPainter || FImage->isDetached()) &&
        raster::FillWinding(*FImage, APath.GetVerbs(), APath.GetPoints(), FMatrix, APaint.GetColor()))
        return;
    if (!Painter())
        return;
    const bool hasCaps = isStroke && APaint.GetStrokeCap() != TSkStrokeCap::Butt;
    QPainterPath path = ToPainterPath(APath, hasCaps ? DotLength(FMatrix) : 0);
    if (const auto* dash = dynamic_cast<const TSkDashEffect*>(APaint.GetPathEffect().get())) {
        QPainterPath dashed;
        if (dash->Apply(APath, FMatrix, dashed))
            path = dashed;
    }
    qreal opacity = 1;
    const QBrush brush = BrushOf(APaint, opacity);
    // Each draw sets the whole painter state it uses, so no save and restore per path.
    FPainter->setTransform(FMatrix);
    FPainter->setOpacity(opacity);
    FPainter->setRenderHint(QPainter::Antialiasing, APaint.GetAntiAlias());
    if (!isStroke) {
        FPainter->fillPath(path, brush);
    } else {
        // Width 0 is a cosmetic pen in Qt too: one pixel whatever the transform.
        QPen pen(brush, APaint.GetStrokeWidth());
        static const Qt::PenCapStyle caps[] = {Qt::FlatCap, Qt::RoundCap, Qt::SquareCap};
        pen.setCapStyle(caps[static_cast<int>(APaint.GetStrokeCap())]);
        // Qt's SVG miter falls back to a bevel past the limit, as Skia's miter does; the limits
        // are both miter length over stroke width.
        static const Qt::PenJoinStyle joins[] = {Qt::SvgMiterJoin, Qt::RoundJoin, Qt::BevelJoin};
        pen.setJoinStyle(joins[static_cast<int>(APaint.GetStrokeJoin())]);
        pen.setMiterLimit(APaint.GetStrokeMiter());
        FPainter->strokePath(path, pen);
    }
}

QGradientStops MakeStops(const std::vector<TAlphaColor>& AColors, const std::vector<float>& APositions)
{
    QGradientStops stops;
    const size_t count = AColors.size();
    double previous = 0;
    for (size_t i = 0; i < count; ++i) {
        double position = APositions.empty() ? (count == 1 ? 0.0 : double(i) / double(count - 1)) : APositions[i];
        // Skia pins positions into [0, 1] and keeps them ascending.
        position = std::clamp(std::isnan(position) ? previous : position, previous, 1.0);
        // Qt keeps one color per position; a hard stop needs its second color just after.
        if (!stops.isEmpty() && position <= stops.last().first) {
            if (stops.last().first + 1e-6 > 1.0) {
                stops.last().second = QColor::fromRgba(AColors[i]);
                continue;
            }
            position = stops.last().first + 1e-6;
        }
        stops.append({position, QColor::fromRgba(AColors[i])});
        previous = position;
    }
    return stops;
}

std::shared_ptr<ISkShader> MakeGradientShader(QGradient& AGradient, const std::vector<TAlphaColor>& AColors,
                                              const std::vector<float>& APositions, TSkTileMode ATileMode,
                                              const QTransform& ALocalMatrix)
{
    static const QGradient::Spread spreads[] = {QGradient::PadSpread, QGradient::RepeatSpread,
                                                QGradient::ReflectSpread};
    AGradient.setStops(MakeStops(AColors, APositions));
    AGradient.setSpread(spreads[static_cast<int>(ATileMode)]);
    // Skia blends stops unpremultiplied unless told otherwise.
    AGradient.setInterpolationMode(QGradient::ComponentInterpolation);
    QBrush brush(AGradient);
    brush.setTransform(ALocalMatrix);
    return std::make_shared<TSkShaderImpl>(brush);
}

bool ValidGradient(const std::vector<TAlphaColor>& AColors, const std::vector<float>& APositions)
{
    return !AColors.empty() && (APositions.empty() || APositions.size() == AColors.size());
}

// Skia's answer for a gradient of no extent: clamp shows the last color everywhere.
std::shared_ptr<ISkShader> MakeDegenerate(const std::vector<TAlphaColor>& AColors, TSkTileMode ATileMode)
{
    if (ATileMode == TSkTileMode::Clamp)
        return TSkShader::MakeColor(AColors.back());
    // Repeat and mirror average the stops.
    double a = 0, r = 0, g = 0, b = 0;
    for (TAlphaColor color : AColors) {
        a += (color >> 24) & 0xFF;
        r += (color >> 16) & 0xFF;
        g += (color >> 8) & 0xFF;
        b += color & 0xFF;
    }
    const double n = double(AColors.size());
    return TSkShader::MakeColor(TAlphaColor(std::lround(a / n)) << 24 | TAlphaColor(std::lround(r / n)) << 16 |
                                TAlphaColor(std::lround(g / n)) << 8 | TAlphaColor(std::lround(b / n)));
}

constexpr double DegenerateThreshold = 1.0 / (1 << 15);

} // namespace

// ---------------------------------------------------------------- factories

std::shared_ptr<ISkPath> TSkPath::Create(const QString& ASVG)
{
    std::shared_ptr<ISkPath> path;
    if (!TryCreate(ASVG, path))
        throw ESkException(QStringLiteral("Invalid SVG path data: \"%1\"").arg(ASVG));
    return path;
}

bool TSkPath::TryCreate(const QString& ASVG, std::shared_ptr<ISkPath>& APath)
{
    // Skia reads a C string and would stop at an embedded zero; such text is not path data.
    if (ASVG.contains(QChar(0)))
        return false;
    TSkPathBuilder builder;
    if (!SkParseSVGPath(ASVG.toUtf8(), builder))
        return false;
    APath = builder.Detach();
    return true;
}

TSkPathBuilder::TSkPathBuilder(TSkPathFillType AFillType) : FFillType(AFillType) {}

TSkPathBuilder::TSkPathBuilder(const ISkPath& APath) : FFillType(APath.GetFillType()) { AddPath(APath); }

TSkPathBuilder& TSkPathBuilder::MoveTo(const QPointF& APoint)
{
    FLastMoveToIndex = static_cast<int>(FPoints.size());
    FVerbs.push_back(TSkPathVerb::Move);
    FPoints.push_back(APoint);
    return *this;
}

// A segment without an open contour starts one at the last contour's start (or 0,0), as SkPath does.
void TSkPathBuilder::InjectMoveToIfNeeded()
{
    if (FLastMoveToIndex >= 0)
        return;
    MoveTo(FPoints.empty() ? QPointF() : FPoints[~FLastMoveToIndex]);
}

TSkPathBuilder& TSkPathBuilder::LineTo(const QPointF& APoint)
{
    InjectMoveToIfNeeded();
    FVerbs.push_back(TSkPathVerb::Line);
    FPoints.push_back(APoint);
    return *this;
}

TSkPathBuilder& TSkPathBuilder::QuadTo(const QPointF& AControl, const QPointF& AEnd)
{
    InjectMoveToIfNeeded();
    FVerbs.push_back(TSkPathVerb::Quad);
    FPoints.push_back(AControl);
    FPoints.push_back(AEnd);
    return *this;
}

TSkPathBuilder& TSkPathBuilder::CubicTo(const QPointF& AControl1, const QPointF& AControl2, const QPointF& AEnd)
{
    InjectMoveToIfNeeded();
    FVerbs.push_back(TSkPathVerb::Cubic);
    FPoints.push_back(AControl1);
    FPoints.push_back(AControl2);
    FPoints.push_back(AEnd);
    return *this;
}

// The endpoint-to-center conversion of the SVG 1.1 implementation notes (F.6.5),
// with Skia's handling of the degenerate cases, drawn as cubics of at most 90 degrees.
TSkPathBuilder& TSkPathBuilder::ArcTo(const QPointF& ARadii, double AXAxisRotate, bool ALargeArc, bool ASweep,
                                      const QPointF& AEnd)
{
    InjectMoveToIfNeeded();
    const QPointF start = FPoints.back();
    double rx = std::abs(ARadii.x()), ry = std::abs(ARadii.y());
    if (rx == 0 || ry == 0 || start == AEnd)
        return LineTo(AEnd);
    const double phi = AXAxisRotate * std::numbers::pi / 180.0;
    const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    const double dx = (start.x() - AEnd.x()) / 2, dy = (start.y() - AEnd.y()) / 2;
    const double x1 = cosPhi * dx + sinPhi * dy;
    const double y1 = -sinPhi * dx + cosPhi * dy;
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double numerator = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double coef = std::sqrt(std::max(0.0, numerator / denominator));
    if (ALargeArc == ASweep)
        coef = -coef;
    const double cxp = coef * rx * y1 / ry;
    const double cyp = -coef * ry * x1 / rx;
    const double cx = cosPhi * cxp - sinPhi * cyp + (start.x() + AEnd.x()) / 2;
    const double cy = sinPhi * cxp + cosPhi * cyp + (start.y() + AEnd.y()) / 2;
    const double theta1 = std::atan2((y1 - cyp) / ry, (x1 - cxp) / rx);
    const double theta2 = std::atan2((-y1 - cyp) / ry, (-x1 - cxp) / rx);
    double delta = theta2 - theta1;
    if (ASweep && delta < 0)
        delta += 2 * std::numbers::pi;
    else if (!ASweep && delta > 0)
        delta -= 2 * std::numbers::pi;
    // Skia draws a line for an arc too small for its math (skbug.com/9272).
    if (std::abs(delta) < std::numbers::pi / 1e6 || !std::isfinite(delta))
        return LineTo(AEnd);

    const int segments = static_cast<int>(std::ceil(std::abs(delta) / (std::numbers::pi / 2) - 1e-9));
    const double step = delta / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    auto onEllipse = [&](double AX, double AY) {
        return QPointF(cx + cosPhi * rx * AX - sinPhi * ry * AY, cy + sinPhi * rx * AX + cosPhi * ry * AY);
    };
    double theta = theta1;
    for (int i = 0; i < segments; ++i) {
        const double next = theta + step;
        const double c0 = std::cos(theta), s0 = std::sin(theta), c1 = std::cos(next), s1 = std::sin(next);
        const QPointF end = i == segments - 1 ? AEnd : onEllipse(c1, s1);
        CubicTo(onEllipse(c0 - k * s0, s0 + k * c0), onEllipse(c1 + k * s1, s1 - k * c1), end);
        theta = next;
    }
    return *this;
}

TSkPathBuilder& TSkPathBuilder::Close()
{
    // Skia adds no close to an empty path or after another close.
    if (!FVerbs.empty() && FVerbs.back() != TSkPathVerb::Close)
        FVerbs.push_back(TSkPathVerb::Close);
    if (FLastMoveToIndex >= 0)
        FLastMoveToIndex = ~FLastMoveToIndex;
    return *this;
}

TSkPathBuilder& TSkPathBuilder::AddPath(const ISkPath& APath)
{
    const std::vector<QPointF>& pts = APath.GetPoints();
    size_t i = 0;
    for (TSkPathVerb verb : APath.GetVerbs()) {
        switch (verb) {
        case TSkPathVerb::Move:
            MoveTo(pts[i]);
            break;
        case TSkPathVerb::Line:
            LineTo(pts[i]);
            break;
        case TSkPathVerb::Quad:
            QuadTo(pts[i], pts[i + 1]);
            break;
        case TSkPathVerb::Cubic:
            CubicTo(pts[i], pts[i + 1], pts[i + 2]);
            break;
        case TSkPathVerb::Close:
            Close();
            break;
        }
        i += PointsOf(verb);
    }
    return *this;
}

void TSkPathBuilder::Reset()
{
    FVerbs.clear();
    FPoints.clear();
    FLastMoveToIndex = -1;
}

std::shared_ptr<ISkPath> TSkPathBuilder::Snapshot() const
{
    return std::make_shared<TSkPathImpl>(FFillType, FVerbs, FPoints);
}

std::shared_ptr<ISkPath> TSkPathBuilder::Detach()
{
    auto path = std::make_shared<TSkPathImpl>(FFillType, std::move(FVerbs), std::move(FPoints));
    Reset();
    return path;
}

std::shared_ptr<ISkPathEffect> TSkPathEffect::MakeDash(const std::vector<float>& AIntervals, float APhase)
{
    if (AIntervals.size() < 2 || AIntervals.size() % 2 != 0 || !std::isfinite(APhase))
        return nullptr;
    double total = 0;
    for (float interval : AIntervals) {
        if (!(interval >= 0) || !std::isfinite(interval))
            return nullptr;
        total += interval;
    }
    if (!(total > 0) || !std::isfinite(total))
        return nullptr;
    return std::make_shared<TSkDashEffect>(AIntervals, APhase);
}

std::shared_ptr<ISkShader> TSkShader::MakeColor(TAlphaColor AColor)
{
    return std::make_shared<TSkShaderImpl>(QBrush(QColor::fromRgba(AColor)));
}

std::shared_ptr<ISkShader> TSkShader::MakeGradientLinear(const QPointF& AStart, const QPointF& AEnd,
                                                         const std::vector<TAlphaColor>& AColors,
                                                         const std::vector<float>& APositions, TSkTileMode ATileMode,
                                                         const QTransform& ALocalMatrix)
{
    if (!ValidGradient(AColors, APositions))
        return nullptr;
    if (AColors.size() == 1)
        return MakeColor(AColors[0]);
    if (QLineF(AStart, AEnd).length() <= DegenerateThreshold)
        return MakeDegenerate(AColors, ATileMode);
    QLinearGradient gradient(AStart, AEnd);
    return MakeGradientShader(gradient, AColors, APositions, ATileMode, ALocalMatrix);
}

std::shared_ptr<ISkShader> TSkShader::MakeGradientRadial(const QPointF& ACenter, float ARadius,
                                                         const std::vector<TAlphaColor>& AColors,
                                                         const std::vector<float>& APositions, TSkTileMode ATileMode,
                                                         const QTransform& ALocalMatrix)
{
    if (!ValidGradient(AColors, APositions) || ARadius < 0 || !std::isfinite(ARadius))
        return nullptr;
    if (AColors.size() == 1)
        return MakeColor(AColors[0]);
    if (ARadius <= DegenerateThreshold)
        return MakeDegenerate(AColors, ATileMode);
    QRadialGradient gradient(ACenter, ARadius);
    return MakeGradientShader(gradient, AColors, APositions, ATileMode, ALocalMatrix);
}

std::shared_ptr<ISkPaint> TSkPaint::Create(TSkPaintStyle AStyle) { return std::make_shared<TSkPaintImpl>(AStyle); }

std::shared_ptr<ISkPaint> TSkPaint::Create(const ISkPaint& APaint)
{
    if (const auto* paint = dynamic_cast<const TSkPaintImpl*>(&APaint))
        return std::make_shared<TSkPaintImpl>(*paint);
    auto copy = std::make_shared<TSkPaintImpl>(APaint.GetStyle());
    copy->SetAntiAlias(APaint.GetAntiAlias());
    copy->SetColor(APaint.GetColor());
    copy->SetShader(APaint.GetShader());
    copy->SetPathEffect(APaint.GetPathEffect());
    copy->SetStrokeWidth(APaint.GetStrokeWidth());
    copy->SetStrokeCap(APaint.GetStrokeCap());
    copy->SetStrokeJoin(APaint.GetStrokeJoin());
    copy->SetStrokeMiter(APaint.GetStrokeMiter());
    return copy;
}

void TSkBitmapHelper::SkiaDraw(QImage& ABitmap, const TSkDrawProc& AProc, bool AStartClean)
{
    if (!ABitmap.isNull() && ABitmap.format() != QImage::Format_ARGB32_Premultiplied)
        ABitmap = ABitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (AStartClean && !ABitmap.isNull())
        ABitmap.fill(Qt::transparent);
    auto canvas = std::make_shared<TSkCanvasImpl>(ABitmap);
    try {
        AProc(canvas);
    } catch (...) {
        canvas->Detach();
        throw;
    }
    canvas->Detach();
}

} // namespace ext
