#pragma once

// The host runtime's message bus: listeners subscribe to a message class and receive every
// message of exactly that class sent through the manager. Everything runs on the main
// thread; a listener may subscribe or unsubscribe (itself or others) while a message is
// being delivered.

#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace ide {

class TMessageBase
{
public:
    virtual ~TMessageBase() = default;
};

// A message that carries one value.
template <class T> class TMessage : public TMessageBase
{
public:
    explicit TMessage(T AValue) : FValue(std::move(AValue)) {}
    const T& Value() const { return FValue; }

private:
    T FValue;
};

class TMessageManager
{
public:
    using TListener = std::function<void(const void* ASender, const TMessageBase& AMessage)>;

    static TMessageManager& DefaultManager();

    int SubscribeToMessage(std::type_index AMessageClass, TListener AListener);
    template <class TMsg> int SubscribeToMessage(std::function<void(const void*, const TMsg&)> AListener)
    {
        return SubscribeToMessage(std::type_index(typeid(TMsg)),
                                  [L = std::move(AListener)](const void* ASender, const TMessageBase& AMessage) {
                                      L(ASender, static_cast<const TMsg&>(AMessage));
                                  });
    }
    // Unknown ids are ignored.
    void Unsubscribe(std::type_index AMessageClass, int AId);
    template <class TMsg> void Unsubscribe(int AId) { Unsubscribe(std::type_index(typeid(TMsg)), AId); }

    // Delivers to the listeners of the message's own class in subscription order; listeners
    // added during delivery get the next message, removed ones get nothing more.
    void SendMessage(const void* ASender, const TMessageBase& AMessage);
    int SubscriptionCount(std::type_index AMessageClass) const;

private:
    struct TSubscription
    {
        int Id;
        TListener Listener;
        bool Removed = false;
    };
    std::unordered_map<std::type_index, std::vector<std::shared_ptr<TSubscription>>> FListeners;
    int FNextId = 1;
};

} // namespace ide
