#include "StructureView.h"

#include <vector>

namespace ide {

int TStructureView::AddNotifier(std::shared_ptr<IOTAStructureNotifier> ANotifier)
{
    FNotifiers.emplace(FNext, std::move(ANotifier));
    return FNext++;
}

void TStructureView::SelectNode(QObject* AComponent)
{
    // A notifier may remove itself (or others) while told.
    std::vector<std::shared_ptr<IOTAStructureNotifier>> LNotifiers;
    for (const auto& [LIndex, LNotifier] : FNotifiers)
        LNotifiers.push_back(LNotifier);
    for (const auto& LNotifier : LNotifiers)
        LNotifier->NodeSelected(AComponent);
}

} // namespace ide
