#include "System.Messaging.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

using ide::TMessage;
using ide::TMessageBase;
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
    int Listen(const QString& AName)
    {
        return FManager.SubscribeToMessage<TOpenedMessage>(
            [this, AName](const void*, const TOpenedMessage& M) { Log << AName + ":" + M.Value(); });
    }

    TMessageManager FManager;
    QStringList Log;
};

TEST_F(MessageManager, DeliversByExactClassWithSender)
{
    const void* Seen = nullptr;
    FManager.SubscribeToMessage<TOpenedMessage>([&](const void* ASender, const TOpenedMessage& M) {
        Seen = ASender;
        Log << "opened:" + M.Value();
    });
    FManager.SubscribeToMessage<TClosedMessage>(
        [&](const void*, const TClosedMessage& M) { Log << "closed:" + M.Value(); });
    const int Sender = 0;
    FManager.SendMessage(&Sender, TOpenedMessage("A.dproj"));
    FManager.SendMessage(nullptr, TClosedMessage("B.dproj"));
    FManager.SendMessage(nullptr, TMessage<QString>("base class has no listeners"));
    EXPECT_EQ(Log, QStringList({"opened:A.dproj", "closed:B.dproj"}));
    EXPECT_EQ(Seen, &Sender);
}

TEST_F(MessageManager, UnsubscribedListenerGetsNothing)
{
    const int First = Listen("first");
    Listen("second");
    FManager.Unsubscribe<TOpenedMessage>(First);
    FManager.Unsubscribe<TOpenedMessage>(First); // twice is harmless
    FManager.Unsubscribe<TClosedMessage>(12345);
    FManager.SendMessage(nullptr, TOpenedMessage("x"));
    EXPECT_EQ(Log, QStringList({"second:x"}));
    EXPECT_EQ(FManager.SubscriptionCount(typeid(TOpenedMessage)), 1);
}

TEST_F(MessageManager, ListenerMayUnsubscribeItselfDuringDelivery)
{
    int Self = 0;
    Self = FManager.SubscribeToMessage<TOpenedMessage>([&](const void*, const TOpenedMessage& M) {
        Log << "once:" + M.Value();
        FManager.Unsubscribe<TOpenedMessage>(Self);
    });
    Listen("after");
    FManager.SendMessage(nullptr, TOpenedMessage("1"));
    FManager.SendMessage(nullptr, TOpenedMessage("2"));
    EXPECT_EQ(Log, QStringList({"once:1", "after:1", "after:2"}));
}

TEST_F(MessageManager, ListenerRemovedByEarlierListenerIsNotCalled)
{
    int Later = 0;
    FManager.SubscribeToMessage<TOpenedMessage>([&](const void*, const TOpenedMessage&) {
        Log << "remover";
        FManager.Unsubscribe<TOpenedMessage>(Later);
    });
    Later = Listen("later");
    FManager.SendMessage(nullptr, TOpenedMessage("x"));
    EXPECT_EQ(Log, QStringList({"remover"}));
}

TEST_F(MessageManager, ListenerAddedDuringDeliveryStartsWithNextMessage)
{
    bool Added = false;
    FManager.SubscribeToMessage<TOpenedMessage>([&](const void*, const TOpenedMessage&) {
        if (!Added) {
            Added = true;
            Listen("new");
        }
    });
    FManager.SendMessage(nullptr, TOpenedMessage("1"));
    FManager.SendMessage(nullptr, TOpenedMessage("2"));
    EXPECT_EQ(Log, QStringList({"new:2"}));
}

TEST(DefaultMessageManager, IsOneInstance)
{
    EXPECT_EQ(&TMessageManager::DefaultManager(), &TMessageManager::DefaultManager());
}

} // namespace
