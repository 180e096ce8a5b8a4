#include "DesignIdeTestUtil.h"
#include "ToolsAPI.h"

using namespace designide_test;
using namespace ide;

namespace {

// Every test starts from the default services and leaves none behind.
class IdeServices : public ::testing::Test
{
protected:
    void SetUp() override { BorlandIDEServices().InstallDefaultServices(); }
    void TearDown() override { BorlandIDEServices().Clear(); }
};

QStringList ItemNames(const TMenuItem& AMenu)
{
    QStringList Result;
    for (const auto& Item : AMenu.Items)
        Result << Item->Name;
    return Result;
}

// The package's wizard puts its item right after the IDE's resources item.
TEST_F(IdeServices, MenuItemGoesAfterTheNamedItemUntilRemoved)
{
    const auto Menu = BorlandIDEServices().Supports<INTAServices>();
    int Changes = 0;
    Menu->SetMenuChangedHandler([&] { ++Changes; });
    auto Item = std::make_shared<TMenuItem>();
    Item->Name = "OrvoAssetsItem";
    EXPECT_FALSE(Menu->AddActionMenu("NoSuchItem", std::make_shared<TAction>(), Item));
    ASSERT_TRUE(Menu->AddActionMenu("ProjectViewResourcesItem", std::make_shared<TAction>(), Item));

    TMenuItem* Project = Menu->MainMenu().Find("ProjectMenu");
    EXPECT_EQ(ItemNames(*Project), QStringList({"ProjectAddItem", "ProjectRemoveItem", "ProjectViewResourcesItem",
                                                "OrvoAssetsItem", "ProjectDeploymentItem", "ProjectOptionsItem"}));
    EXPECT_TRUE(Menu->RemoveMenuItem(Item.get()));
    EXPECT_FALSE(Menu->RemoveMenuItem(Item.get()));
    EXPECT_EQ(ItemNames(*Project), ItemNames(*CreateDefaultMainMenu()->Find("ProjectMenu")));
    EXPECT_EQ(Changes, 2);
}

// ---------------------------------------------------------------------------------------
// Modules

class TRecordingNotifier : public IOTAIDENotifier, public IOTAProjectNotifier
{
public:
    void FileNotification(TOTAFileNotification ACode, const QString& AFileName, bool& ACancel) override
    {
        Events << QStringLiteral("%1 %2").arg(ACode).arg(QFileInfo(AFileName).completeBaseName());
        ACancel = ACode == ofnFileClosing && CancelClosing;
        if (ACode == ofnFileOpened && ThrowOnOpened)
            throw std::runtime_error("refused");
    }
    void Destroyed() override { Events << "destroyed"; }

    QStringList Events;
    bool CancelClosing = false;
    bool ThrowOnOpened = false;
};

TEST_F(IdeServices, ProjectsOpenOnceAndNotifiersHearOfOpeningAndClosing)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    auto& Modules = ModuleServices();
    const auto Notifier = std::make_shared<TRecordingNotifier>();
    const int Id = Modules.AddNotifier(Notifier);
    const auto First = Modules.OpenProject(RealProjectPath("FlashLight"));
    const auto Second = Modules.OpenProject(RealProjectPath("PullToRefresh"));
    EXPECT_EQ(Modules.OpenProject(RealProjectPath("FlashLight")), First);
    EXPECT_EQ(GetActiveProject(), First);
    First->AddNotifier(Notifier);

    Notifier->CancelClosing = true;
    EXPECT_FALSE(Modules.CloseProject(First));
    Notifier->CancelClosing = false;
    EXPECT_TRUE(Modules.CloseProject(First));
    EXPECT_FALSE(Modules.CloseProject(First));
    EXPECT_EQ(GetActiveProject(), Second);
    Modules.RemoveNotifier(Id);
    EXPECT_TRUE(Modules.CloseProject(Second));
    EXPECT_EQ(GetActiveProject(), nullptr);
    EXPECT_EQ(Notifier->Events,
              QStringList({"1 FlashLight", "1 PullToRefresh", "2 FlashLight", "2 FlashLight", "destroyed"}));
}

TEST_F(IdeServices, ProjectRefusedByANotifierIsNotLeftOpen)
{
    ORVO_REQUIRE_SHARED_DATA("dproj");
    const auto Notifier = std::make_shared<TRecordingNotifier>();
    Notifier->ThrowOnOpened = true;
    ModuleServices().AddNotifier(Notifier);
    EXPECT_THROW(ModuleServices().OpenProject(RealProjectPath("FlashLight")), std::runtime_error);
    EXPECT_TRUE(ModuleServices().Projects().empty());
    EXPECT_EQ(Notifier->Events, QStringList({"1 FlashLight", "2 FlashLight"}));
}

// ---------------------------------------------------------------------------------------
// Editor views

class TTestView : public INTACustomEditorView
{
public:
    explicit TTestView(QString AId) : FId(std::move(AId)) {}
    QString GetCaption() override { return FId; }
    QString GetEditorWindowCaption() override { return {}; }
    QString GetViewIdentifier() override { return FId; }
    const QMetaObject* GetFrameClass() override { return nullptr; }
    void FrameCreated(QObject*) override {}
    void Close(bool& AAllowed) override { AAllowed = AllowClose; }

    bool AllowClose = true;

private:
    QString FId;
};

TEST_F(IdeServices, EditorViewsShowOncePerIdentifierAndMayRefuseToClose)
{
    const auto Views = BorlandIDEServices().Supports<IOTAEditorViewServices>();
    QStringList HostLog;
    Views->SetHostHandlers([&](INTACustomEditorView& V) { HostLog << "show " + V.GetViewIdentifier(); },
                           [&](INTACustomEditorView& V) { HostLog << "close " + V.GetViewIdentifier(); });
    const auto A = std::make_shared<TTestView>("A");
    const auto B = std::make_shared<TTestView>("B");
    Views->ShowEditorView(A);
    Views->ShowEditorView(B);
    Views->ShowEditorView(std::make_shared<TTestView>("A")); // brings A forward
    EXPECT_EQ(Views->OpenViews().size(), 2u);
    EXPECT_EQ(Views->ActiveView(), A);

    A->AllowClose = false;
    EXPECT_FALSE(Views->CloseEditorView(A));
    A->AllowClose = true;
    EXPECT_TRUE(Views->CloseEditorView(A));
    EXPECT_EQ(Views->FindView("A"), nullptr);
    EXPECT_EQ(Views->ActiveView(), B);
    EXPECT_EQ(HostLog, QStringList({"show A", "show B", "close A"}));
}

} // namespace
