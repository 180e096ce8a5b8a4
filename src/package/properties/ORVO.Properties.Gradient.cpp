#include "ORVO.Properties.Gradient.h"

#include "DesignIntf.h"
#include "ORVO.Components.Base.h"
#include "ORVO.Properties.AssetName.h"
#include "properties/ORVO.Gradient.Designer.h"

namespace orvo {

using TqoGradient = core::TqoGradient;

core::TqoGradientData TqoGradientProperty::ToData(const TqoGradient& AGradient)
{
    core::TqoGradientData LData;
    LData.ClearPoints();
    for (const core::TqoGradientPoint* LPoint : AGradient.GetPoints()->Items())
        LData.AddPoint(LPoint->GetColor(), LPoint->GetOffset());
    LData.SetStyle(AGradient.GetStyle() == TqoGradient::TqoGradientStyle::Radial ? core::TqoGradientStyle::Radial
                                                                                 : core::TqoGradientStyle::Linear);
    LData.SetStartPoint({AGradient.GetStartPoint()->GetX(), AGradient.GetStartPoint()->GetY()});
    LData.SetStopPoint({AGradient.GetStopPoint()->GetX(), AGradient.GetStopPoint()->GetY()});
    return LData;
}

void TqoGradientProperty::Assign(const core::TqoGradientData& AData, TqoGradient& AGradient)
{
    AGradient.GetPoints()->Clear();
    for (const core::TqoGradientPointData& LData : AData.GetPoints()) {
        auto* LPoint = static_cast<core::TqoGradientPoint*>(AGradient.GetPoints()->Add());
        LPoint->SetColor(LData.Color);
        LPoint->SetOffset(LData.Offset);
    }
    AGradient.SetStyle(AData.GetStyle() == core::TqoGradientStyle::Radial ? TqoGradient::TqoGradientStyle::Radial
                                                                          : TqoGradient::TqoGradientStyle::Linear);
    AGradient.GetStartPoint()->SetX(float(AData.GetStartPoint().x()));
    AGradient.GetStartPoint()->SetY(float(AData.GetStartPoint().y()));
    AGradient.GetStopPoint()->SetX(float(AData.GetStopPoint().x()));
    AGradient.GetStopPoint()->SetY(float(AData.GetStopPoint().y()));
}

void TqoGradientProperty::Edit()
{
    auto* LGradient = qobject_cast<TqoGradient*>(GetObjectValue());
    if (!LGradient)
        return;
    core::TqoGradientData LData = ToData(*LGradient);
    LData.OnChanged = [&] {
        Assign(LData, *LGradient);
        Modified();
    };
    TFormGradientDesigner::Show(&LData);
    Modified();
}

} // namespace orvo
