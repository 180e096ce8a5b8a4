#include "ORVO.GradientData.h"

#include "ORVO.Assert.h"

#include <algorithm>

namespace core {

namespace {

quint8 Mix(quint8 AFrom, quint8 ATo, float AWeight) { return quint8(AFrom + (ATo - AFrom) * AWeight + 0.5f); }

} // namespace

TqoGradientData::TqoGradientData() { ResetToDefault(); }

// The change handler belongs to the owner of each gradient and is not copied.
TqoGradientData::TqoGradientData(const TqoGradientData& AOther)
    : FStyle(AOther.FStyle), FPoints(AOther.FPoints), FStartPoint(AOther.FStartPoint), FStopPoint(AOther.FStopPoint)
{
}

TqoGradientData& TqoGradientData::operator=(const TqoGradientData& AOther)
{
    FStyle = AOther.FStyle;
    FPoints = AOther.FPoints;
    FStartPoint = AOther.FStartPoint;
    FStopPoint = AOther.FStopPoint;
    Changed();
    return *this;
}

void TqoGradientData::SetStyle(TqoGradientStyle AStyle)
{
    FStyle = AStyle;
    Changed();
}

void TqoGradientData::SetStartPoint(const QPointF& APoint)
{
    FStartPoint = APoint;
    Changed();
}

void TqoGradientData::SetStopPoint(const QPointF& APoint)
{
    FStopPoint = APoint;
    Changed();
}

void TqoGradientData::AddPoint(TqoAlphaColor AColor, float AOffset)
{
    FPoints.push_back({AColor, AOffset});
    Changed();
}

void TqoGradientData::SetPoint(int AIndex, const TqoGradientPointData& APoint)
{
    TqoAssert::IsTrue(AIndex >= 0 && AIndex < PointCount(), QStringLiteral("AIndex"));
    FPoints[AIndex] = APoint;
    Changed();
}

void TqoGradientData::RemovePoint(int AIndex)
{
    TqoAssert::IsTrue(AIndex >= 0 && AIndex < PointCount(), QStringLiteral("AIndex"));
    FPoints.erase(FPoints.begin() + AIndex);
    Changed();
}

void TqoGradientData::ClearPoints()
{
    FPoints.clear();
    Changed();
}

void TqoGradientData::ResetToDefault()
{
    FPoints = {{TqoAlphaColors::Black, 0}, {TqoAlphaColors::White, 1}};
    Changed();
}

TqoAlphaColor TqoGradientData::InterpolateColor(float AOffset) const
{
    if (FPoints.empty())
        return TqoAlphaColors::Null;
    std::vector<TqoGradientPointData> LSorted = FPoints;
    std::stable_sort(LSorted.begin(), LSorted.end(), [](const auto& A, const auto& B) { return A.Offset < B.Offset; });
    if (AOffset <= LSorted.front().Offset)
        return LSorted.front().Color;
    for (size_t I = 1; I < LSorted.size(); ++I) {
        const TqoGradientPointData& LFrom = LSorted[I - 1];
        const TqoGradientPointData& LTo = LSorted[I];
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

void TqoGradientData::EndUpdate()
{
    TqoAssert::IsTrue(FUpdateCount > 0, QStringLiteral("FUpdateCount"));
    if (--FUpdateCount == 0 && FChangedInUpdate) {
        FChangedInUpdate = false;
        if (OnChanged)
            OnChanged();
    }
}

void TqoGradientData::Changed()
{
    if (FUpdateCount > 0)
        FChangedInUpdate = true;
    else if (OnChanged)
        OnChanged();
}

bool TqoGradientData::operator==(const TqoGradientData& AOther) const
{
    return FStyle == AOther.FStyle && FPoints == AOther.FPoints && FStartPoint == AOther.FStartPoint &&
           FStopPoint == AOther.FStopPoint;
}

} // namespace core
