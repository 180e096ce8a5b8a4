#include "ORVO.Assets.Factory.h"
#include "ORVO.Designer.IdeEvents.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Log.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using core::TqoAssetsManager;
using dsgn::TqoIdeEventsListener;
using dsgn::TqoProjectOpenedMessage;

namespace {

const QString DemoGUID = QStringLiteral("{6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F10}");

// Counts project-opened messages while alive.
class TOpenedMessages
{
public:
    TOpenedMessages()
    {
        FId = ide::TMessageManager::DefaultManager().SubscribeToMessage<TqoProjectOpenedMessage>(
            [this](const void*, const TqoProjectOpenedMessage& AMessage) { FProjects.push_back(AMessage.Value()); });
    }
    ~TOpenedMessages() { ide::TMessageManager::DefaultManager().Unsubscribe<TqoProjectOpenedMessage>(FId); }
    std::vector<std::shared_ptr<ide::IOTAProject>> FProjects;

private:
    int FId = 0;
};

class IdeEventsListenerTest : public ::testing::Test
{
protected:
    void TearDown() override { TqoIdeEventsListener::Instance().Clear(); }

    // The demo project, copied with or without its assets configuration.
    std::shared_ptr<ide::TDprojProject> OpenDemo(bool AWithConfig)
    {
        const QString Source = testdata::SourceDir() + QStringLiteral("/examples/DemoApp/");
        EXPECT_TRUE(QFile::copy(Source + "DemoApp.dproj", FDir.filePath("DemoApp.dproj")));
        if (AWithConfig) {
            QDir(FDir.path()).mkpath("Assets");
            EXPECT_TRUE(QFile::copy(Source + "Assets/config.json", FDir.filePath("Assets/config.json")));
        }
        return ide::TDprojProject::Open(FDir.filePath("DemoApp.dproj"));
    }

    QTemporaryDir FDir;
};

struct TGuidCase
{
    const char* Name;
    const char* Lookup;
    bool Found;
};

class GuidLookupTest : public IdeEventsListenerTest, public ::testing::WithParamInterface<TGuidCase>
{
};

TEST_P(GuidLookupTest, FindsTheManagerUnderTheSameGuidWrittenAnyWay)
{
    auto& Listener = TqoIdeEventsListener::Instance();
    const auto Manager = std::make_shared<TqoAssetsManager>();
    Listener.SetAssetsManager(DemoGUID, Manager);

    const QString Lookup = QString::fromUtf8(GetParam().Lookup);
    EXPECT_EQ(Listener.GetAssetsManager(Lookup), GetParam().Found ? Manager : nullptr);
    std::shared_ptr<TqoAssetsManager> Out;
    EXPECT_EQ(Listener.TryGetAssetsManager(Lookup, Out), GetParam().Found);
    EXPECT_EQ(Out, GetParam().Found ? Manager : nullptr);
}

INSTANTIATE_TEST_SUITE_P(Keys, GuidLookupTest,
                         ::testing::Values(TGuidCase{"same", "{6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F10}", true},
                                           TGuidCase{"lower_case", "{6f1c2a7e-3d4b-4e59-9a21-0c7b5d8e4f10}", true},
                                           TGuidCase{"no_braces", "6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F10", true},
                                           TGuidCase{"blanks_around", "  {6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F10}\n",
                                                     true},
                                           TGuidCase{"other_guid", "{6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F11}", false},
                                           TGuidCase{"empty", "", false}),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(IdeEventsListenerTest, SetReplacesAndRemoveForgets)
{
    auto& Listener = TqoIdeEventsListener::Instance();
    const auto First = std::make_shared<TqoAssetsManager>();
    const auto Second = std::make_shared<TqoAssetsManager>();
    Listener.SetAssetsManager(DemoGUID, First);
    Listener.SetAssetsManager(DemoGUID.toLower(), Second);
    EXPECT_EQ(Listener.Count(), 1);
    EXPECT_EQ(Listener.GetAssetsManager(DemoGUID), Second);

    EXPECT_TRUE(Listener.RemoveAssetsManager(DemoGUID));
    EXPECT_FALSE(Listener.RemoveAssetsManager(DemoGUID));
    EXPECT_FALSE(Listener.Contains(DemoGUID));
}

TEST_F(IdeEventsListenerTest, CanRemoveMessageDropsOnlyThatProjectsManager)
{
    auto& Listener = TqoIdeEventsListener::Instance();
    const QString Other = QStringLiteral("{00000000-0000-0000-0000-000000000001}");
    Listener.SetAssetsManager(DemoGUID, std::make_shared<TqoAssetsManager>());
    Listener.SetAssetsManager(Other, std::make_shared<TqoAssetsManager>());

    ide::TMessageManager::DefaultManager().SendMessage(nullptr, dsgn::TqoCanRemoveAssetsManager(DemoGUID));

    EXPECT_FALSE(Listener.Contains(DemoGUID));
    EXPECT_TRUE(Listener.Contains(Other));
}

TEST_F(IdeEventsListenerTest, RefusesAnEmptyGuidOrNoManager)
{
    auto& Listener = TqoIdeEventsListener::Instance();
    EXPECT_THROW(Listener.SetAssetsManager(QStringLiteral("  "), std::make_shared<TqoAssetsManager>()),
                 core::EqoAssertionFailed);
    EXPECT_THROW(Listener.SetAssetsManager(DemoGUID, nullptr), core::EqoAssertionFailed);
    EXPECT_EQ(Listener.Count(), 0);
}

TEST_F(IdeEventsListenerTest, OpenedProjectGetsItsConfigurationThenTheMessage)
{
    const auto Project = OpenDemo(true);
    TOpenedMessages Messages;
    // The manager must be in place when the message arrives: its receivers look it up.
    std::shared_ptr<TqoAssetsManager> SeenByReceiver;
    const int Id = ide::TMessageManager::DefaultManager().SubscribeToMessage<TqoProjectOpenedMessage>(
        [&](const void*, const TqoProjectOpenedMessage& AMessage) {
            SeenByReceiver = TqoIdeEventsListener::Instance().GetAssetsManager(AMessage.Value()->ProjectGUID());
        });

    const auto Manager = TqoIdeEventsListener::Instance().ProjectOpened(Project);
    ide::TMessageManager::DefaultManager().Unsubscribe<TqoProjectOpenedMessage>(Id);

    ASSERT_NE(Manager, nullptr);
    EXPECT_EQ(SeenByReceiver, Manager);
    ASSERT_EQ(Messages.FProjects.size(), 1u);
    EXPECT_EQ(Messages.FProjects[0], Project);
    TqoAssetsManager Expected;
    core::TqoAssetsFactory::LoadFromFile(Expected, FDir.filePath("Assets/config.json"));
    ASSERT_GT(Expected.Count(), 0);
    EXPECT_EQ(Manager->GetAssetsNames(), Expected.GetAssetsNames());
    EXPECT_EQ(Manager->Count(), Expected.Count());

    TqoIdeEventsListener::Instance().ProjectClosed(*Project);
    EXPECT_EQ(TqoIdeEventsListener::Instance().GetAssetsManager(DemoGUID), nullptr);
}

TEST_F(IdeEventsListenerTest, ProjectWithoutAssetsFolderGetsAnEmptyManager)
{
    const auto Project = OpenDemo(false);
    TOpenedMessages Messages;
    const auto Manager = TqoIdeEventsListener::Instance().ProjectOpened(Project);
    ASSERT_NE(Manager, nullptr);
    EXPECT_EQ(Manager->Count(), 0);
    EXPECT_EQ(Messages.FProjects.size(), 1u);
}

TEST_F(IdeEventsListenerTest, BrokenConfigurationRaisesAndKeepsThePreviousManager)
{
    const auto Project = OpenDemo(true);
    QFile Config(FDir.filePath("Assets/config.json"));
    ASSERT_TRUE(Config.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Config.write("{\n  \"format\": \"orvo-assets\",\n  \"assets\": [ {\"name\": ");
    Config.close();
    const auto Previous = std::make_shared<TqoAssetsManager>();
    TqoIdeEventsListener::Instance().SetAssetsManager(DemoGUID, Previous);
    TOpenedMessages Messages;

    EXPECT_THROW(TqoIdeEventsListener::Instance().ProjectOpened(Project), core::EqoFileError);
    EXPECT_EQ(TqoIdeEventsListener::Instance().GetAssetsManager(DemoGUID), Previous);
    EXPECT_EQ(Messages.FProjects.size(), 0u);
}

TEST_F(IdeEventsListenerTest, ProjectWithoutGuidGetsNoManagerAndNoMessage)
{
    const auto Project = OpenDemo(true);
    QFile File(Project->FileName());
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    QByteArray Text = File.readAll();
    File.close();
    Text.replace("<ProjectGuid>{6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F10}</ProjectGuid>", "");
    ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
    File.write(Text);
    File.close();
    const auto NoGuid = ide::TDprojProject::Open(Project->FileName());
    ASSERT_EQ(NoGuid->ProjectGUID(), QString());

    TOpenedMessages Messages;
    core::TqoLogCapture Log;
    EXPECT_EQ(TqoIdeEventsListener::Instance().ProjectOpened(NoGuid), nullptr);
    EXPECT_EQ(Messages.FProjects.size(), 0u);
    EXPECT_EQ(TqoIdeEventsListener::Instance().Count(), 0);
    ASSERT_EQ(Log.Entries().size(), 1u);
    EXPECT_EQ(Log.Entries()[0].Level, core::TqoLogLevel::Warning);
}

} // namespace
