#include "ORVO.Designer.DeviceSkins.h"

#include <algorithm>

namespace dsgn {

std::shared_ptr<TqoDeviceSkinInfo> TqoDeviceSkinInfo::Create(const QString& AId, core::TqoPlatform APlatform,
                                                             core::TqoDeviceClass ADeviceClass)
{
    return std::shared_ptr<TqoDeviceSkinInfo>(new TqoDeviceSkinInfo(OwnCopy(AId), APlatform, ADeviceClass));
}

TqoDeviceSkinManager& TqoDeviceSkinManager::Instance()
{
    static TqoDeviceSkinManager LInstance;
    return LInstance;
}

void TqoDeviceSkinManager::RegisterSkin(std::shared_ptr<TqoDeviceSkinInfo> ASkin)
{
    if (!ASkin)
        return;
    const auto LSame = std::find_if(FSkins.begin(), FSkins.end(),
                                    [&](const auto& ASkinInfo) { return ASkinInfo->Id() == ASkin->Id(); });
    if (LSame != FSkins.end())
        *LSame = std::move(ASkin);
    else
        FSkins.push_back(std::move(ASkin));
}

std::shared_ptr<TqoDeviceSkinInfo> TqoDeviceSkinManager::FindSkin(const QString& AId) const
{
    for (const auto& LSkin : FSkins)
        if (LSkin->Id() == AId)
            return LSkin;
    return nullptr;
}

TqoModularGridManager& TqoModularGridManager::Instance()
{
    static TqoModularGridManager LInstance;
    return LInstance;
}

void TqoModularGridManager::RegisterModularGridFor(const QString& ASkinId, TqoScreenOrientation AOrientation,
                                                   const TModularGridInfo& AGrid)
{
    for (TEntry& LEntry : FGrids)
        if (LEntry.SkinId == ASkinId && LEntry.Orientation == AOrientation) {
            LEntry.Grid = AGrid;
            return;
        }
    FGrids.push_back({OwnCopy(ASkinId), AOrientation, AGrid});
}

const TModularGridInfo* TqoModularGridManager::GridFor(const QString& ASkinId, TqoScreenOrientation AOrientation) const
{
    for (const TEntry& LEntry : FGrids)
        if (LEntry.SkinId == ASkinId && LEntry.Orientation == AOrientation)
            return &LEntry.Grid;
    return nullptr;
}

} // namespace dsgn
