#include "IdeSession.h"
#include "ORVO.Assets.Factory.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Log.h"
#include "TestData.h"

#include <algorithm>

using core::TqoAssetsManager;
using dsgn::TqoIdeEventsListener;
using dsgn::TqoProjectOpenedMessage;

namespace {

const QString DemoGUID = QStringLiteral("{6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F10}");

// Records project-opened messages, and the project's manager as a receiver sees it then.
class TOpenedMessages
{
public:
    TOpenedMessages()
    {
        FId = ide::TMessageManager::DefaultManager().SubscribeToMessage<TqoProjectOpenedMessage>(
            [this](const void*, const TqoProjectOpenedMessage& AMessage) {
                Projects.push_back(AMessage.Value());
                SeenManager = testdata::TIdeSession::AssetsManager(*AMessage.Value());
            });
    }
    ~TOpenedMessages() { ide::TMessageManager::DefaultManager().Unsubscribe<TqoProjectOpenedMessage>(FId); }
    std::vector<std::shared_ptr<ide::IOTAProject>> Projects;
    std::shared_ptr<TqoAssetsManager> SeenManager;

private:
    int FId = 0;
};

class IdeEventsListenerTest : public ::testing::Test
{
protected:
    // The demo project, copied with or without its assets configuration (or with AConfig).
    QString CopyDemo(bool AWithConfig, const QByteArray& AConfig = {})
    {
        const QString Source = testdata::SourceDir() + QStringLiteral("/examples/DemoApp/");
        EXPECT_TRUE(QFile::copy(Source + "DemoApp.dproj", FDir.filePath("DemoApp.dproj")));
        if (AWithConfig) {
            EXPECT_TRUE(
                testdata::WriteAll(FDir.filePath("Assets/config.json"),
                                   AConfig.isEmpty() ? testdata::ReadAll(Source + "Assets/config.json") : AConfig));
        }
        return FDir.filePath("DemoApp.dproj");
    }

    QTemporaryDir FDir;
    testdata::TIdeSession FSession;
};

TEST_F(IdeEventsListenerTest, OpenedProjectGetsItsConfigurationBeforeTheMessage)
{
    TOpenedMessages Messages;
    const auto Project = FSession.Open(CopyDemo(true));
    const auto Manager = testdata::TIdeSession::AssetsManager(*Project);
    ASSERT_NE(Manager, nullptr);
    // Receivers look the manager up, so it is in place when the message arrives.
    EXPECT_EQ(Messages.SeenManager, Manager);
    ASSERT_EQ(Messages.Projects.size(), 1u);
    EXPECT_EQ(Messages.Projects[0], Project);
    TqoAssetsManager Expected;
    core::TqoAssetsFactory::LoadFromFile(Expected, FDir.filePath("Assets/config.json"));
    ASSERT_GT(Expected.Count(), 0);
    EXPECT_EQ(Manager->GetAssetsNames(), Expected.GetAssetsNames());

    // Without an Assets folder the manager is empty.
    QFile::remove(FDir.filePath("Assets/config.json"));
    ASSERT_TRUE(testdata::TIdeSession::Close(Project));
    EXPECT_EQ(testdata::TIdeSession::AssetsManager(*FSession.Open(Project->FileName()))->Count(), 0);
}

struct TGuidCase
{
    std::string Name;
    QString Lookup;
    bool Found;
};

class GuidLookupTest : public IdeEventsListenerTest, public ::testing::WithParamInterface<TGuidCase>
{
};

TEST_P(GuidLookupTest, FindsTheManagerUnderTheSameGuidWrittenAnyWay)
{
    const auto Manager = testdata::TIdeSession::AssetsManager(*FSession.Open(CopyDemo(false)));
    ASSERT_NE(Manager, nullptr);
    EXPECT_EQ(TqoIdeEventsListener::Instance().GetAssetsManager(GetParam().Lookup),
              GetParam().Found ? Manager : nullptr);
}

INSTANTIATE_TEST_SUITE_P(Keys, GuidLookupTest,
                         ::testing::Values(TGuidCase{"same", DemoGUID, true},
                                           TGuidCase{"lower_case", DemoGUID.toLower(), true},
                                           TGuidCase{"no_braces", DemoGUID.mid(1, 36), true},
                                           TGuidCase{"blanks_around", "  " + DemoGUID + "\n", true},
                                           TGuidCase{"other_guid", "{6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F11}", false},
                                           TGuidCase{"empty", "", false}),
                         testdata::TCaseName());

// A view saving its project on closing refills the project's manager, so the manager must
// outlive the project's own notifiers.
TEST_F(IdeEventsListenerTest, ClosingKeepsTheManagerUntilTheProjectsViewsAreDone)
{
    struct TView : ide::IOTAProjectNotifier
    {
        ide::IOTAProject* Project = nullptr;
        bool SawManager = false;
        void Destroyed() override { SawManager = testdata::TIdeSession::AssetsManager(*Project) != nullptr; }
    };
    const auto Project = FSession.Open(CopyDemo(true));
    const auto View = std::make_shared<TView>();
    View->Project = Project.get();
    Project->AddNotifier(View);
    std::weak_ptr<TqoAssetsManager> Manager = testdata::TIdeSession::AssetsManager(*Project);

    EXPECT_TRUE(testdata::TIdeSession::Close(Project));
    EXPECT_TRUE(View->SawManager);
    EXPECT_TRUE(Manager.expired());
}

TEST_F(IdeEventsListenerTest, CanRemoveMessageDropsOnlyThatProjectsManager)
{
    const auto Project = FSession.Open(CopyDemo(false));
    ide::TMessageManager::DefaultManager().SendMessage(
        nullptr, dsgn::TqoCanRemoveAssetsManager("{00000000-0000-0000-0000-000000000001}"));
    EXPECT_TRUE(TqoIdeEventsListener::Instance().Contains(DemoGUID));
    ide::TMessageManager::DefaultManager().SendMessage(nullptr, dsgn::TqoCanRemoveAssetsManager(DemoGUID));
    EXPECT_FALSE(TqoIdeEventsListener::Instance().Contains(DemoGUID));
}

TEST_F(IdeEventsListenerTest, BrokenConfigurationOpensTheProjectWithoutAssetsAndSaysWhere)
{
    const QString File = CopyDemo(true, "{\n  \"format\": \"orvo-assets\",\n  \"assets\": [ {\"name\": ");
    TOpenedMessages Messages;
    core::TqoLogCapture Log;
    FSession.Open(File);
    EXPECT_EQ(ide::ModuleServices().Projects().size(), 1u);
    EXPECT_FALSE(TqoIdeEventsListener::Instance().Contains(DemoGUID));
    EXPECT_TRUE(Messages.Projects.empty());
    const auto& LEntries = Log.Entries();
    EXPECT_TRUE(std::any_of(LEntries.begin(), LEntries.end(), [](const auto& AEntry) {
        return AEntry.Level == core::TqoLogLevel::Error && AEntry.Message.contains(QStringLiteral("config.json:3"));
    }));
}

TEST_F(IdeEventsListenerTest, ProjectWithoutGuidGetsNoManagerAndNoMessage)
{
    QByteArray Text = testdata::ReadAll(CopyDemo(true));
    Text.replace(QByteArray("<ProjectGuid>" + DemoGUID.toUtf8() + "</ProjectGuid>"), "");
    ASSERT_TRUE(testdata::WriteAll(FDir.filePath("DemoApp.dproj"), Text));

    TOpenedMessages Messages;
    core::TqoLogCapture Log;
    FSession.Open(FDir.filePath("DemoApp.dproj"));
    EXPECT_TRUE(Messages.Projects.empty());
    EXPECT_EQ(TqoIdeEventsListener::Instance().Count(), 0);
    ASSERT_EQ(Log.Entries().size(), 1u);
    EXPECT_EQ(Log.Entries()[0].Level, core::TqoLogLevel::Warning);
}

} // namespace
