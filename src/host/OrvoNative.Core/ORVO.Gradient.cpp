#include "ORVO.Gradient.h"

#include "ORVO.Assert.h"

#include <algorithm>

namespace core {

namespace {

quint8 Mix(quint8 AFrom, quint8 ATo, float AWeight) { return quint8(AFrom + (ATo - AFrom) * AWeight + 0.5f); }

} // namespace

TqoGradient::TqoGradient() { ResetToDefault(); }

// The change handler belongs to the owner of each gradient and is not copied.
TqoGradient::TqoGradient(const TqoGradient& AOther)
    : FStyle(AOther.FStyle), FPoints(AOther.FPoints), FStartPoint(AOther.FStartPoint), FStopPoint(AOther.FStopPoint)
{
}

TqoGradient& TqoGradient::operator=(const TqoGradient& AOther)
{
    FStyle = AOther.FStyle;
    FPoints = AOther.FPoints;
    FStartPoint = AOther.FStartPoint;
    FStopPoint = AOther.FStopPoint;
    Changed();
    return *this;
}

void TqoGradient::SetStyle(TqoGradientStyle AStyle)
{
    FStyle = AStyle;
    Changed();
}

void TqoGradient::SetStartPoint(const QPointF& APoint)
{
    FStartPoint = APoint;
    Changed();
}

void TqoGradient::SetStopPoint(const QPointF& APoint)
{
    FStopPoint = APoint;
    Changed();
}

void TqoGradient::AddPoint(TqoAlphaColor AColor, float AOffset)
{
    FPoints.push_back({AColor, AOffset});
    Changed();
}

void TqoGradient::SetPoint(int AIndex, const TqoGradientPoint& APoint)
{
    TqoAssert::IsTrue(AIndex >= 0 && AIndex < PointCount(), QStringLiteral("AIndex"));
    FPoints[AIndex] = APoint;
    Changed();
}

void TqoGradient::RemovePoint(int AIndex)
{
    TqoAssert::IsTrue(AIndex >= 0 && AIndex < PointCount(), QStringLiteral("AIndex"));
    FPoints.erase(FPoints.begin() + AIndex);
    Changed();
}

void TqoGradient::ClearPoints()
{
    FPoints.clear();
    Changed();
}

void TqoGradient::ResetToDefault()
{
    FPoints = {{TqoAlphaColors::Black, 0}, {TqoAlphaColors::White, 1}};
    Changed();
}

TqoAlphaColor TqoGradient::InterpolateColor(float AOffset) const
{
    if (FPoints.empty())
        return TqoAlphaColors::Null;
    std::vector<TqoGradientPoint> LSorted = FPoints;
    std::stable_sort(LSorted.begin(), LSorted.end(), [](const auto& A, const auto& B) { return A.Offset < B.Offset; });
    if (AOffset <= LSorted.front().Offset)
        return LSorted.front().Color;
    for (size_t I = 1; I < LSorted.size(); ++I) {
        const TqoGradientPoint& LFrom = LSorted[I - 1];
        const TqoGradientPoint& LTo = LSorted[I];
        if (AOffset <= LTo.Offset) {
            const float LSpan = LTo.Offset - LFrom.Offset;
            const float LWeight = LSpan > 0 ? (AOffset - LFrom.Offset) / LSpan : 1;
            using C = TqoColorHelper;
            return C::FromARGB(Mix(C::Alpha(LFrom.Color), C::Alpha(LTo.Color), LWeight),
                               Mix(C::Red(LFrom.Color), C::Red(LTo.Color), LWeight),
                               Mix(C::Green(LFrom.Color), C::Green(LTo.Color), LWeight),
                               Mix(C::Blue(LFrom.Color), C::Blue(LTo.Color), LWeight));
        }
    }
    return LSorted.back().Color;
}

void TqoGradient::EndUpdate()
{
    TqoAssert::IsTrue(FUpdateCount > 0, QStringLiteral("FUpdateCount"));
    if (--FUpdateCount == 0 && FChangedInUpdate) {
        FChangedInUpdate = false;
        if (OnChanged)
            OnChanged();
    }
}

void TqoGradient::Changed()
{
    if (FUpdateCount > 0)
        FChangedInUpdate = true;
    else if (OnChanged)
        OnChanged();
}

bool TqoGradient::operator==(const TqoGradient& AOther) const
{
    return FStyle == AOther.FStyle && FPoints == AOther.FPoints && FStartPoint == AOther.FStartPoint &&
           FStopPoint == AOther.FStopPoint;
}

} // namespace core
