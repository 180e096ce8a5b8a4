#include "ORVO.Components.Base.h"

namespace core {

TqoGradient::TqoGradient(QObject* AOwner)
    : QObject(AOwner), FPoints(new TqoGradientPoints(this)), FStartPoint(new TqoSinglePoint(this)),
      FStopPoint(new TqoSinglePoint(this))
{
    ResetToDefault();
}

void TqoGradient::ResetToDefault()
{
    FStyle = TqoGradientStyle::Linear;
    FPoints->Clear();
    auto* LFirst = static_cast<TqoGradientPoint*>(FPoints->Add());
    LFirst->SetColor(0xFF000000);
    auto* LLast = static_cast<TqoGradientPoint*>(FPoints->Add());
    LLast->SetColor(0xFFFFFFFF);
    LLast->SetOffset(1);
    FStartPoint->SetX(0.5f);
    FStartPoint->SetY(0);
    FStopPoint->SetX(0.5f);
    FStopPoint->SetY(1);
}

void TqoAssetLink::SetDefault(const QString& ATheme, const QString& AName)
{
    FDefaultName =
        ATheme.isEmpty() || AName.isEmpty() ? QString(ATheme + AName) : QString(ATheme + QLatin1Char('\\') + AName);
}

TqoComponent::TqoComponent(QObject* AOwner) : QObject(AOwner) {}

TqoControl::TqoControl(QObject* AOwner)
    : QObject(AOwner), FPosition(new TqoPosition(this)), FSize(new TqoSize(this)), FMargins(new TqoBounds(this)),
      FRelativePosition(new TqoNullableRectF(this)), FFlexItem(new TqoFlexItemAlignment(this))
{
    // The size a control gets when dropped on a form.
    FSize->SetSizeF(100, 40);
}

} // namespace core
