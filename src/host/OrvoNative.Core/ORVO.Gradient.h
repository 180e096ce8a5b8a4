#pragma once

// The gradient a brush paints: linear or radial, color points at offsets along it, and the
// start and stop points in coordinates relative to the painted rectangle.

#include "ORVO.Colors.h"

#include <QPointF>
#include <functional>
#include <vector>

namespace core {

enum class TqoGradientStyle
{
    Linear,
    Radial
};

struct TqoGradientPoint
{
    TqoAlphaColor Color = TqoAlphaColors::Black;
    float Offset = 0; // 0 at the start point, 1 at the stop point

    bool operator==(const TqoGradientPoint&) const = default;
};

class TqoGradient
{
public:
    static constexpr QPointF DefaultStartPoint{0, 0};
    static constexpr QPointF DefaultStopPoint{0, 1};

    // The default gradient: linear, opaque black at 0 to opaque white at 1, top to bottom.
    TqoGradient();
    TqoGradient(const TqoGradient& AOther);
    TqoGradient& operator=(const TqoGradient& AOther);

    TqoGradientStyle GetStyle() const { return FStyle; }
    void SetStyle(TqoGradientStyle AStyle);
    QPointF GetStartPoint() const { return FStartPoint; }
    void SetStartPoint(const QPointF& APoint);
    QPointF GetStopPoint() const { return FStopPoint; }
    void SetStopPoint(const QPointF& APoint);

    const std::vector<TqoGradientPoint>& GetPoints() const { return FPoints; }
    int PointCount() const { return int(FPoints.size()); }
    void AddPoint(TqoAlphaColor AColor, float AOffset);
    // Raises EqoAssertionFailed for an index out of range.
    void SetPoint(int AIndex, const TqoGradientPoint& APoint);
    void RemovePoint(int AIndex);
    void ClearPoints();
    // The default points; style, start and stop point stay.
    void ResetToDefault();
    // The color at AOffset between the points around it, the end colors outside them.
    TqoAlphaColor InterpolateColor(float AOffset) const;

    // Changes between these two make one change report at the end.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // Reports a change now, or at the end of the current update.
    void Changed();
    // Told of every change, once per update.
    std::function<void()> OnChanged;

    // Same style, points, start and stop point.
    bool operator==(const TqoGradient& AOther) const;

private:
    TqoGradientStyle FStyle = TqoGradientStyle::Linear;
    std::vector<TqoGradientPoint> FPoints;
    QPointF FStartPoint = DefaultStartPoint;
    QPointF FStopPoint = DefaultStopPoint;
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
};

} // namespace core
