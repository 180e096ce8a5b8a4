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

TEST_F(IdeServices, MissingServiceAnswersNull)
{
    BorlandIDEServices().UnregisterService<INTAServices>();
    EXPECT_EQ(BorlandIDEServices().Supports<INTAServices>(), nullptr);
    EXPECT_NE(BorlandIDEServices().Supports<IOTAEditorViewServices>(), nullptr);
    BorlandIDEServices().UnregisterService<IOTAModuleServices>();
    EXPECT_EQ(GetActiveProject(), nullptr);
}

// ---------------------------------------------------------------------------------------
// Main menu

struct TMenuInsertCase
{
    const char* Name;
    bool InsertAfter;
    bool InsertAsChild;
    QStringList ProjectMenu;   // names in the Project menu afterwards
    QStringList ResourcesItem; // names below ProjectViewResourcesItem afterwards
};

inline void PrintTo(const TMenuInsertCase& AValue, std::ostream* AOut) { *AOut << AValue.Name; }

class MainMenuInsert : public IdeServices, public ::testing::WithParamInterface<TMenuInsertCase>
{
};

TEST_P(MainMenuInsert, PlacesItemRelativeToNamedItem)
{
    const auto Menu = BorlandIDEServices().Supports<INTAServices>();
    int Changes = 0;
    Menu->SetMenuChangedHandler([&] { ++Changes; });
    auto Item = std::make_shared<TMenuItem>();
    Item->Name = "OrvoAssetsItem";
    auto Action = std::make_shared<TAction>();
    Action->Caption = "Orvo Assets Manager";
    ASSERT_TRUE(Menu->AddActionMenu("ProjectViewResourcesItem", Action, Item, GetParam().InsertAfter,
                                    GetParam().InsertAsChild));

    TMenuItem* Project = Menu->MainMenu().Find("ProjectMenu");
    ASSERT_NE(Project, nullptr);
    EXPECT_EQ(ItemNames(*Project), GetParam().ProjectMenu);
    EXPECT_EQ(ItemNames(*Menu->MainMenu().Find("ProjectViewResourcesItem")), GetParam().ResourcesItem);
    EXPECT_EQ(Menu->MainMenu().Find("OrvoAssetsItem")->DisplayCaption(), QStringLiteral("Orvo Assets Manager"));
    EXPECT_EQ(Changes, 1);

    EXPECT_TRUE(Menu->RemoveMenuItem(Item.get()));
    EXPECT_FALSE(Menu->RemoveMenuItem(Item.get()));
    EXPECT_EQ(Menu->MainMenu().Find("OrvoAssetsItem"), nullptr);
    EXPECT_EQ(ItemNames(*Project), ItemNames(*CreateDefaultMainMenu()->Find("ProjectMenu")));
}

const QStringList DefaultProject = {"ProjectAddItem", "ProjectRemoveItem", "ProjectViewResourcesItem",
                                    "ProjectDeploymentItem", "ProjectOptionsItem"};

INSTANTIATE_TEST_SUITE_P(
    Cases, MainMenuInsert,
    ::testing::Values(TMenuInsertCase{"After",
                                      true,
                                      false,
                                      {"ProjectAddItem", "ProjectRemoveItem", "ProjectViewResourcesItem",
                                       "OrvoAssetsItem", "ProjectDeploymentItem", "ProjectOptionsItem"},
                                      {}},
                      TMenuInsertCase{"Before",
                                      false,
                                      false,
                                      {"ProjectAddItem", "ProjectRemoveItem", "OrvoAssetsItem",
                                       "ProjectViewResourcesItem", "ProjectDeploymentItem", "ProjectOptionsItem"},
                                      {}},
                      TMenuInsertCase{"AsChild", true, true, DefaultProject, {"OrvoAssetsItem"}}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(IdeServices, MenuInsertAfterUnknownItemChangesNothing)
{
    const auto Menu = BorlandIDEServices().Supports<INTAServices>();
    EXPECT_FALSE(Menu->AddActionMenu("NoSuchItem", std::make_shared<TAction>(), std::make_shared<TMenuItem>()));
    EXPECT_EQ(ItemNames(*Menu->MainMenu().Find("ProjectMenu")), DefaultProject);
}

TEST_F(IdeServices, ActionsFollowTheActiveProject)
{
    REQUIRE_SHARED_DPROJ();
    const auto Menu = BorlandIDEServices().Supports<INTAServices>();
    int Executed = 0;
    auto Action = std::make_shared<TAction>();
    Action->OnExecute = [&] { ++Executed; };
    Action->OnUpdate = [](TAction& A) {
        const auto Project = GetActiveProject();
        A.Enabled = Project && Project->ProjectType() == QLatin1String("xfm");
        A.Visible = A.Enabled;
    };
    auto Item = std::make_shared<TMenuItem>();
    Menu->AddActionMenu("ProjectViewResourcesItem", Action, Item);

    Menu->UpdateActions();
    EXPECT_FALSE(Item->IsVisible());
    EXPECT_FALSE(Item->Click());

    // A framework project turns the item on.
    TProjectCopy Copy(QStringLiteral("PullToRefresh"));
    QByteArray Data = Copy.Original;
    Data.replace("<FrameworkType>FMX</FrameworkType>", "<FrameworkType>xfm</FrameworkType>");
    WriteBytes(Copy.FileName, Data);
    BorlandIDEServices().Supports<IOTAModuleServices>()->OpenProject(Copy.FileName);
    Menu->UpdateActions();
    EXPECT_TRUE(Item->IsVisible());
    EXPECT_TRUE(Item->Click());
    EXPECT_EQ(Executed, 1);
}

// ---------------------------------------------------------------------------------------
// Modules

class TRecordingNotifier : public IOTAProjectNotifier
{
public:
    int DestroyedCount = 0;
    void Destroyed() override { ++DestroyedCount; }
};

TEST_F(IdeServices, ProjectsOpenOnceAndReportClosing)
{
    REQUIRE_SHARED_DPROJ();
    const auto Modules = BorlandIDEServices().Supports<IOTAModuleServices>();
    const auto First = Modules->OpenProject(RealProjectPath("FlashLight"));
    const auto Second = Modules->OpenProject(RealProjectPath("PullToRefresh"));
    EXPECT_EQ(GetActiveProject(), Second);
    EXPECT_EQ(Modules->OpenProject(RealProjectPath("FlashLight")), First);
    EXPECT_EQ(GetActiveProject(), First);
    EXPECT_EQ(Modules->Projects().size(), 2u);

    const auto Notifier = std::make_shared<TRecordingNotifier>();
    First->AddNotifier(Notifier);
    Modules->CloseProject(First);
    EXPECT_EQ(Notifier->DestroyedCount, 1);
    EXPECT_EQ(GetActiveProject(), Second);
    Modules->CloseProject(Second);
    EXPECT_EQ(GetActiveProject(), nullptr);
}

// ---------------------------------------------------------------------------------------
// Editor views

class TTestView : public INTACustomEditorView
{
public:
    explicit TTestView(QString AId) : FId(std::move(AId)) {}
    QString GetCaption() override { return "Caption " + FId; }
    QString GetEditorWindowCaption() override { return {}; }
    QString GetViewIdentifier() override { return FId; }
    const QMetaObject* GetFrameClass() override { return nullptr; }
    void FrameCreated(QObject*) override {}
    void SelectView() override { ++Selected; }
    void Close(bool& AAllowed) override
    {
        ++CloseAsked;
        AAllowed = AllowClose;
    }

    bool AllowClose = true;
    int CloseAsked = 0;
    int Selected = 0;

private:
    QString FId;
};

TEST_F(IdeServices, EditorViewsShowOncePerIdentifierAndMayRefuseToClose)
{
    const auto Views = BorlandIDEServices().Supports<IOTAEditorViewServices>();
    QStringList HostLog;
    Views->SetHostHandlers([&](INTACustomEditorView& V) { HostLog << "show " + V.GetViewIdentifier(); },
                           [&](INTACustomEditorView& V) { HostLog << "close " + V.GetViewIdentifier(); });
    const auto A = std::make_shared<TTestView>("ORVO.Project.Designer.Assets./p/A");
    const auto B = std::make_shared<TTestView>("ORVO.Project.Designer.Assets./p/B");
    Views->ShowEditorView(A);
    Views->ShowEditorView(B);
    Views->ShowEditorView(std::make_shared<TTestView>("ORVO.Project.Designer.Assets./p/A")); // brings A forward
    EXPECT_EQ(Views->OpenViews().size(), 2u);
    EXPECT_EQ(Views->ActiveView(), A);
    EXPECT_EQ(A->Selected, 2);

    A->AllowClose = false;
    EXPECT_FALSE(Views->CloseEditorView(A));
    EXPECT_EQ(Views->FindView(A->GetViewIdentifier()), A);
    A->AllowClose = true;
    EXPECT_TRUE(Views->CloseEditorView(A));
    EXPECT_EQ(Views->FindView(A->GetViewIdentifier()), nullptr);
    EXPECT_EQ(A->CloseAsked, 2);
    EXPECT_EQ(Views->ActiveView(), B);
    EXPECT_FALSE(Views->CloseEditorView(A));
    EXPECT_EQ(HostLog, QStringList({"show ORVO.Project.Designer.Assets./p/A", "show ORVO.Project.Designer.Assets./p/B",
                                    "close ORVO.Project.Designer.Assets./p/A"}));
}

TEST_F(IdeServices, TabImagesAreAddedOncePerIdentifier)
{
    const auto Images = BorlandIDEServices().Supports<INTAEditorViewServices>();
    EXPECT_EQ(Images->AddImages({":/a.png", ":/b.png"}, "IDE"), 0);
    EXPECT_EQ(Images->AddImages({":/orvo.png"}, "ORVO"), 2);
    EXPECT_EQ(Images->AddImages({":/other.png"}, "ORVO"), 2);
    EXPECT_EQ(Images->Images(), QStringList({":/a.png", ":/b.png", ":/orvo.png"}));
}

} // namespace
