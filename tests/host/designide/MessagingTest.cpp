#include "System.Messaging.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

using ide::TMessage;
using ide::TMessageManager;

namespace {

class TOpenedMessage : public TMessage<QString>
{
public:
    using TMessage::TMessage;
};

class TClosedMessage : public TMessage<QString>
{
public:
    using TMessage::TMessage;
};

// A manager of its own per test; the default one is shared by the whole process.
class MessageManager : public ::testing::Test
{
protected:
    int Listen(const QString& AName, std::function<void()> AThen = {})
    {
        return FManager.SubscribeToMessage<TOpenedMessage>([this, AName, AThen](const void*, const TOpenedMessage& M) {
            Log << AName + ":" + M.Value();
            if (AThen)
                AThen();
        });
    }

    TMessageManager FManager;
    QStringList Log;
};

TEST_F(MessageManager, DeliversByExactClassWithSenderUntilUnsubscribed)
{
    const void* Seen = nullptr;
    const int Opened = FManager.SubscribeToMessage<TOpenedMessage>([&](const void* ASender, const TOpenedMessage& M) {
        Seen = ASender;
        Log << "opened:" + M.Value();
    });
    FManager.SubscribeToMessage<TClosedMessage>(
        [&](const void*, const TClosedMessage& M) { Log << "closed:" + M.Value(); });
    const int Sender = 0;
    FManager.SendMessage(&Sender, TOpenedMessage("A.dproj"));
    FManager.SendMessage(nullptr, TClosedMessage("B.dproj"));
    FManager.SendMessage(nullptr, TMessage<QString>("base class has no listeners"));
    FManager.Unsubscribe<TOpenedMessage>(Opened);
    FManager.Unsubscribe<TOpenedMessage>(Opened); // twice is harmless
    FManager.SendMessage(nullptr, TOpenedMessage("C.dproj"));
    EXPECT_EQ(Log, QStringList({"opened:A.dproj", "closed:B.dproj"}));
    EXPECT_EQ(Seen, &Sender);
    EXPECT_EQ(FManager.SubscriptionCount(typeid(TOpenedMessage)), 0);
}

// Listeners that unsubscribe themselves or a later one, or subscribe a new one, while a
// message is delivered: the removed get nothing more, the new start with the next message.
TEST_F(MessageManager, SubscriptionsChangedDuringDeliveryApplyAtOnceOrNext)
{
    int Self = 0;
    int Later = 0;
    bool Added = false;
    Self = Listen("once", [&] { FManager.Unsubscribe<TOpenedMessage>(Self); });
    Listen("remover", [&] { FManager.Unsubscribe<TOpenedMessage>(Later); });
    Later = Listen("later");
    Listen("adder", [&] {
        if (!std::exchange(Added, true))
            Listen("new");
    });
    FManager.SendMessage(nullptr, TOpenedMessage("1"));
    FManager.SendMessage(nullptr, TOpenedMessage("2"));
    EXPECT_EQ(Log, QStringList({"once:1", "remover:1", "adder:1", "remover:2", "adder:2", "new:2"}));
}

} // namespace
