#pragma once

// A gradient as a value: linear or radial, color points at offsets along it, and the start and
// stop points in coordinates relative to the painted rectangle. The gradient designer edits
// one and copies every change into the brush's gradient of the form.

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

struct TqoGradientPointData
{
    TqoAlphaColor Color = TqoAlphaColors::Black;
    float Offset = 0; // 0 at the start point, 1 at the stop point

    bool operator==(const TqoGradientPointData&) const = default;
};

class TqoGradientData
{
public:
    static constexpr QPointF DefaultStartPoint{0, 0};
    static constexpr QPointF DefaultStopPoint{0, 1};

    // The default gradient: linear, opaque black at 0 to opaque white at 1, top to bottom.
    TqoGradientData();
    TqoGradientData(const TqoGradientData& AOther);
    TqoGradientData& operator=(const TqoGradientData& AOther);

    TqoGradientStyle GetStyle() const { return FStyle; }
    void SetStyle(TqoGradientStyle AStyle);
    QPointF GetStartPoint() const { return FStartPoint; }
    void SetStartPoint(const QPointF& APoint);
    QPointF GetStopPoint() const { return FStopPoint; }
    void SetStopPoint(const QPointF& APoint);

    const std::vector<TqoGradientPointData>& GetPoints() const { return FPoints; }
    int PointCount() const { return int(FPoints.size()); }
    void AddPoint(TqoAlphaColor AColor, float AOffset);
    // Raises EqoAssertionFailed for an index out of range.
    void SetPoint(int AIndex, const TqoGradientPointData& APoint);
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
    bool operator==(const TqoGradientData& AOther) const;

private:
    TqoGradientStyle FStyle = TqoGradientStyle::Linear;
    std::vector<TqoGradientPointData> FPoints;
    QPointF FStartPoint = DefaultStartPoint;
    QPointF FStopPoint = DefaultStopPoint;
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
};

} // namespace core
