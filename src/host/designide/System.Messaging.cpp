#include "System.Messaging.h"

#include <algorithm>

namespace ide {

TMessageManager& TMessageManager::DefaultManager()
{
    static TMessageManager Manager;
    return Manager;
}

int TMessageManager::SubscribeToMessage(std::type_index AMessageClass, TListener AListener)
{
    const int Id = FNextId++;
    FListeners[AMessageClass].push_back(std::make_shared<TSubscription>(TSubscription{Id, std::move(AListener)}));
    return Id;
}

void TMessageManager::Unsubscribe(std::type_index AMessageClass, int AId)
{
    const auto It = FListeners.find(AMessageClass);
    if (It == FListeners.end())
        return;
    auto& List = It->second;
    const auto Found = std::find_if(List.begin(), List.end(), [AId](const auto& S) { return S->Id == AId; });
    if (Found == List.end())
        return;
    // A delivery in progress holds its own copy of the list; the flag stops it from calling
    // this listener, and erasing here is safe because that copy keeps the record alive.
    (*Found)->Removed = true;
    List.erase(Found);
}

void TMessageManager::SendMessage(const void* ASender, const TMessageBase& AMessage)
{
    const auto It = FListeners.find(std::type_index(typeid(AMessage)));
    if (It == FListeners.end())
        return;
    const std::vector<std::shared_ptr<TSubscription>> Snapshot = It->second;
    for (const auto& Subscription : Snapshot) {
        if (Subscription->Removed)
            continue;
        Subscription->Listener(ASender, AMessage);
    }
}

int TMessageManager::SubscriptionCount(std::type_index AMessageClass) const
{
    const auto It = FListeners.find(AMessageClass);
    return It == FListeners.end() ? 0 : static_cast<int>(It->second.size());
}

} // namespace ide
