#pragma once

// Skia's drawing API (the subset the framework uses) over Qt's raster engine.
// Names and semantics follow Skia: paints carry their own alpha, a stroke width
// of 0 is a one-pixel hairline, dash intervals are in user units, gradients
// clamp, paths come from SVG path data with SkParsePath's grammar.

#include "ORVO.Exceptions.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <functional>
#include <memory>
#include <vector>

class QImage;

namespace ext {

// 32-bit ARGB, alpha in the top byte.
using TAlphaColor = quint32;

class ESkException : public core::EqoException
{
public:
    using core::EqoException::EqoException;
};

enum class TSkPaintStyle
{
    Fill,
    Stroke
};

enum class TSkStrokeCap
{
    Butt,
    Round,
    Square
};

enum class TSkStrokeJoin
{
    Miter,
    Round,
    Bevel
};

enum class TSkPathFillType
{
    Winding,
    EvenOdd
};

enum class TSkPathVerb
{
    Move,
    Line,
    Quad,
    Cubic,
    Close
};

enum class TSkTileMode
{
    Clamp,
    Repeat,
    Mirror
};

class ISkShader
{
public:
    virtual ~ISkShader() = default;
};

class ISkPathEffect
{
public:
    virtual ~ISkPathEffect() = default;
};

// An immutable path, as SkPath is shared between paints and canvases.
class ISkPath
{
public:
    virtual ~ISkPath() = default;

    virtual TSkPathFillType GetFillType() const = 0;
    virtual bool IsEmpty() const = 0;
    // Bounds of all points, control points included (SkPath::getBounds).
    virtual QRectF GetBounds() const = 0;
    // Bounds of the curves themselves (SkPath::computeTightBounds).
    virtual QRectF GetTightBounds() const = 0;
    virtual const std::vector<TSkPathVerb>& GetVerbs() const = 0;
    virtual const std::vector<QPointF>& GetPoints() const = 0;
    // Whether the point is inside under the path's fill type.
    virtual bool Contains(double AX, double AY) const = 0;
    // Absolute SVG path data laid out as SkParsePath::ToSVGString does ("M0 0L10 0Z"),
    // numbers in their shortest exact form.
    virtual QString ToSVG() const = 0;
};

class TSkPath
{
public:
    // Parses SVG path data; raises ESkException when the text does not parse.
    static std::shared_ptr<ISkPath> Create(const QString& ASVG);
    // As SkParsePath::FromSVGString: on failure returns false and leaves APath unchanged.
    // Nothing is kept of a partly parsed text.
    static bool TryCreate(const QString& ASVG, std::shared_ptr<ISkPath>& APath);
};

class TSkPathBuilder
{
public:
    explicit TSkPathBuilder(TSkPathFillType AFillType = TSkPathFillType::Winding);
    // Starts from a copy of APath, its fill type included.
    explicit TSkPathBuilder(const ISkPath& APath);

    TSkPathFillType GetFillType() const { return FFillType; }
    void SetFillType(TSkPathFillType AValue) { FFillType = AValue; }

    TSkPathBuilder& MoveTo(const QPointF& APoint);
    TSkPathBuilder& LineTo(const QPointF& APoint);
    TSkPathBuilder& QuadTo(const QPointF& AControl, const QPointF& AEnd);
    TSkPathBuilder& CubicTo(const QPointF& AControl1, const QPointF& AControl2, const QPointF& AEnd);
    // SVG's elliptical arc from the last point to AEnd (SkPath::arcTo with ArcSize and direction).
    TSkPathBuilder& ArcTo(const QPointF& ARadii, double AXAxisRotate, bool ALargeArc, bool ASweep, const QPointF& AEnd);
    TSkPathBuilder& Close();
    // Appends APath's contours; the builder keeps its own fill type.
    TSkPathBuilder& AddPath(const ISkPath& APath);
    void Reset();

    bool IsEmpty() const { return FVerbs.empty(); }
    QPointF LastPoint() const { return FPoints.empty() ? QPointF() : FPoints.back(); }

    // The path so far; the builder keeps it.
    std::shared_ptr<ISkPath> Snapshot() const;
    // The path so far; the builder is left empty (with its fill type).
    std::shared_ptr<ISkPath> Detach();

private:
    void InjectMoveToIfNeeded();

    TSkPathFillType FFillType;
    std::vector<TSkPathVerb> FVerbs;
    std::vector<QPointF> FPoints;
    // Index of the point of the open contour's move, or ~index after a close (Skia's fLastMoveToIndex).
    int FLastMoveToIndex = -1;
};

class TSkPathEffect
{
public:
    // Dashes in the path's own units: on, off, on, off... starting APhase into the pattern.
    // Returns null for an odd or empty list, a negative interval or a zero total, as Skia does.
    static std::shared_ptr<ISkPathEffect> MakeDash(const std::vector<float>& AIntervals, float APhase);
};

class TSkShader
{
public:
    // A solid color, the shader Skia uses for one-color and degenerate gradients.
    static std::shared_ptr<ISkShader> MakeColor(TAlphaColor AColor);
    // APositions empty spreads the colors evenly; otherwise it has one entry per color.
    // Returns null without colors or with mismatched positions.
    static std::shared_ptr<ISkShader> MakeGradientLinear(const QPointF& AStart, const QPointF& AEnd,
                                                         const std::vector<TAlphaColor>& AColors,
                                                         const std::vector<float>& APositions,
                                                         TSkTileMode ATileMode = TSkTileMode::Clamp,
                                                         const QTransform& ALocalMatrix = QTransform());
    static std::shared_ptr<ISkShader> MakeGradientRadial(const QPointF& ACenter, float ARadius,
                                                         const std::vector<TAlphaColor>& AColors,
                                                         const std::vector<float>& APositions,
                                                         TSkTileMode ATileMode = TSkTileMode::Clamp,
                                                         const QTransform& ALocalMatrix = QTransform());
};

class ISkPaint
{
public:
    virtual ~ISkPaint() = default;

    virtual TSkPaintStyle GetStyle() const = 0;
    virtual void SetStyle(TSkPaintStyle AValue) = 0;
    virtual bool GetAntiAlias() const = 0;
    virtual void SetAntiAlias(bool AValue) = 0;
    virtual TAlphaColor GetColor() const = 0;
    virtual void SetColor(TAlphaColor AValue) = 0;
    // The alpha as a fraction; setting it replaces the color's alpha.
    virtual float GetAlphaF() const = 0;
    virtual void SetAlphaF(float AValue) = 0;
    virtual std::shared_ptr<ISkShader> GetShader() const = 0;
    virtual void SetShader(const std::shared_ptr<ISkShader>& AValue) = 0;
    virtual std::shared_ptr<ISkPathEffect> GetPathEffect() const = 0;
    virtual void SetPathEffect(const std::shared_ptr<ISkPathEffect>& AValue) = 0;
    // In user units; 0 is a hairline, one device pixel whatever the matrix. Negative values are ignored.
    virtual float GetStrokeWidth() const = 0;
    virtual void SetStrokeWidth(float AValue) = 0;
    virtual TSkStrokeCap GetStrokeCap() const = 0;
    virtual void SetStrokeCap(TSkStrokeCap AValue) = 0;
    virtual TSkStrokeJoin GetStrokeJoin() const = 0;
    virtual void SetStrokeJoin(TSkStrokeJoin AValue) = 0;
    // Miter length over stroke width beyond which a miter becomes a bevel. Negative values are ignored.
    virtual float GetStrokeMiter() const = 0;
    virtual void SetStrokeMiter(float AValue) = 0;
};

class TSkPaint
{
public:
    // Skia's defaults: fill, no anti-aliasing, opaque black, hairline, butt cap, miter join, miter 4.
    static std::shared_ptr<ISkPaint> Create(TSkPaintStyle AStyle = TSkPaintStyle::Fill);
    // A copy; shader and path effect are shared, as they are immutable.
    static std::shared_ptr<ISkPaint> Create(const ISkPaint& APaint);
};

class ISkCanvas
{
public:
    virtual ~ISkCanvas() = default;

    // Replaces every pixel with AColor, ignoring the matrix.
    virtual void Clear(TAlphaColor AColor) = 0;
    // Returns the save count before saving; a fresh canvas has count 1.
    virtual int Save() = 0;
    // Does nothing when there is nothing to restore.
    virtual void Restore() = 0;
    virtual void RestoreToCount(int ASaveCount) = 0;
    virtual int GetSaveCount() const = 0;
    // Matrices are in row-vector form (QTransform's): A * B applies A first, then B.
    virtual QTransform GetLocalToDeviceAs3x3() const = 0;
    virtual void SetMatrix(const QTransform& AMatrix) = 0;
    virtual void ResetMatrix() = 0;
    // AMatrix applies to the points first, the current matrix after it.
    virtual void Concat(const QTransform& AMatrix) = 0;
    virtual void DrawPath(const ISkPath& APath, const ISkPaint& APaint) = 0;
};

using TSkDrawProc = std::function<void(const std::shared_ptr<ISkCanvas>& ACanvas)>;

class TSkBitmapHelper
{
public:
    // Runs AProc on a canvas over ABitmap, which becomes premultiplied ARGB32. The canvas
    // must not be used after AProc returns. A null bitmap gets a canvas that draws nothing.
    static void SkiaDraw(QImage& ABitmap, const TSkDrawProc& AProc, bool AStartClean = true);
};

} // namespace ext
