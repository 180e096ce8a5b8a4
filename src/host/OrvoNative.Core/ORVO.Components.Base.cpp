#include "ORVO.Components.Base.h"

namespace core {

TqoComponent::TqoComponent(QObject* AOwner) : QObject(AOwner) {}

TqoControl::TqoControl(QObject* AOwner) : QObject(AOwner) {}

} // namespace core
