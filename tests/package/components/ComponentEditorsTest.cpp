// The framework's component editors and sprigs, bound as the package binds them, over forms
// opened in the designer.

#include "DesignFormDocument.h"
#include "IdeSession.h"
#include "ORVO.Components.h"
#include "ORVO.Designer.ProjectSettings.h"
#include "ORVO.Exceptions.h"
#include "StructureView.h"
#include "TestData.h"
#include "components/ORVO.Components.Editors.h"
#include "registration/ORVO.Registration.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace core;

// A component with only OnCreate, and one whose only event is not among those a
// double-click prefers.
class TOnlyCreate : public TqoComponent
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.OnCreate", "TNotifyEvent")
    Q_PROPERTY(QString OnCreate MEMBER FOnCreate STORED false)
public:
    Q_INVOKABLE explicit TOnlyCreate(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
    QString FOnCreate;
};

class TOnlyClick : public TqoComponent
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.OnClick", "TNotifyEvent")
    Q_PROPERTY(QString OnClick MEMBER FOnClick STORED false)
public:
    Q_INVOKABLE explicit TOnlyClick(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
    QString FOnClick;
};

// The package's bindings for the whole run, made with the IDE's services the wizard and the
// deployment need, and dropped before those services go at exit.
class TPackageBindings : public testing::Environment
{
public:
    void SetUp() override
    {
        ide::BorlandIDEServices().InstallDefaultServices();
        auto& R = ide::TDesignRegistry::Instance();
        R.BeginModule(QStringLiteral("components"));
        orvo::registration::Register();
        R.EndModule();
    }
    void TearDown() override { ide::TDesignRegistry::Instance().UnregisterModule(QStringLiteral("components")); }
};

[[maybe_unused]] const testing::Environment* const CBindings = testing::AddGlobalTestEnvironment(new TPackageBindings);

const char* const CUnit = "unit Main;\n\ninterface\n\nuses\n  ORVO.Forms;\n\ntype\n"
                          "  TFormMain = class(TqoForm)\n  private\n  end;\n\nimplementation\n\nend.\n";

class ComponentEditors : public testing::Test
{
protected:
    // A form with AObjects inside, its unit beside it.
    ide::TFormDocument& Open(const QByteArray& AObjects = {})
    {
        const QString LForm = FDir.filePath("Main.xfm");
        EXPECT_TRUE(testdata::WriteAll(LForm, "object FormMain: TFormMain\n" + AObjects + "end\n"));
        EXPECT_TRUE(testdata::WriteAll(FDir.filePath("Main.pas"), CUnit));
        FDocument = ide::TFormDocument::Open(LForm);
        return *FDocument;
    }
    QObject* Find(const char* AName) const { return FDocument->FindComponent(QString::fromLatin1(AName)); }

    static std::unique_ptr<ide::TComponentEditor> EditorFor(QObject* AComponent, ide::IDesigner& ADesigner)
    {
        const auto* LClass = ide::TDesignRegistry::Instance().FindComponentEditor(AComponent->metaObject());
        return LClass ? LClass->Create(AComponent, &ADesigner) : nullptr;
    }

    // The verbs as the context menu shows them, a disabled one marked.
    static QStringList Menu(ide::TComponentEditor& AEditor)
    {
        QStringList LMenu;
        for (int I = 0; I < AEditor.GetVerbCount(); ++I) {
            ide::TVerbMenuItem LItem(AEditor.GetVerb(I));
            AEditor.PrepareItem(I, LItem);
            LMenu << LItem.GetCaption() + (LItem.GetEnabled() ? QString() : QStringLiteral(" (disabled)"));
        }
        return LMenu;
    }

    QTemporaryDir FDir;
    std::unique_ptr<ide::TFormDocument> FDocument;
};

struct TVerbCase
{
    const char* Name;
    QByteArray Objects;
    const char* Component;
    QStringList Menu;
};

class EditorVerbs : public ComponentEditors, public testing::WithParamInterface<TVerbCase>
{
};

TEST_P(EditorVerbs, ShowsItsVerbsEnabledAsTheComponentAllows)
{
    Open(GetParam().Objects);
    auto LEditor = EditorFor(Find(GetParam().Component), FDocument->Designer());
    ASSERT_TRUE(LEditor);
    EXPECT_EQ(Menu(*LEditor), GetParam().Menu);
}

const QByteArray CTwoPages = "  object PageControl1: TqoPageControl\n    ActivePageIndex = 0\n"
                             "    object First: TqoPage\n      Title = 'One'\n    end\n"
                             "    object Second: TqoPage\n    end\n  end\n";

INSTANTIATE_TEST_SUITE_P(
    , EditorVerbs,
    testing::Values(
        TVerbCase{"ClosedDrawer", "  object D: TqoDrawerLayout\n  end\n", "D", {"Show"}},
        TVerbCase{"EmptyPageControl",
                  "  object P: TqoPageControl\n  end\n",
                  "P",
                  {"Add page", "Previous page (disabled)", "Next page (disabled)", "Delete current page (disabled)"}},
        TVerbCase{"PageShowsItsPageControlsVerbs",
                  CTwoPages,
                  "Second",
                  {"Add page", "Previous page (disabled)", "Next page", "Delete \"One\" (First) page"}},
        TVerbCase{"PagerOnItsLastPage",
                  "  object P: TqoPagerLayout\n    PageIndex = 1\n    object L1: TqoLayout\n    end\n"
                  "    object L2: TqoLayout\n    end\n  end\n",
                  "P",
                  {"Add page", "Previous page", "Next page (disabled)", "Delete \"1\" page"}},
        TVerbCase{"EmptyPager",
                  "  object P: TqoPagerLayout\n  end\n",
                  "P",
                  {"Add page", "Previous page (disabled)", "Next page (disabled)", "Delete current page (disabled)"}},
        TVerbCase{
            "ComboBox", "  object C: TqoComboBox\n  end\n", "C", {"Add text item", "Add text with icon item", "Clear"}},
        TVerbCase{"FirebaseAnalytics", "  object F: TqoFirebaseAnalytics\n  end\n", "F", {"Open Orvo Options..."}},
        TVerbCase{"MapViaItsAncestor", "  object M: TqoMap\n  end\n", "M", {"Open Orvo Options..."}},
        TVerbCase{"PlainButtonHasNone", "  object B: TqoButton\n  end\n", "B", {}}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(ComponentEditors, DrawerVerbTogglesTheDrawer)
{
    Open("  object D: TqoDrawerLayout\n  end\n");
    auto LEditor = EditorFor(Find("D"), FDocument->Designer());
    LEditor->ExecuteVerb(0);
    EXPECT_EQ(LEditor->GetVerb(0), "Hide");
    LEditor->ExecuteVerb(7); // any index toggles
    EXPECT_EQ(LEditor->GetVerb(0), "Show");
}

TEST_F(ComponentEditors, AddPageKeepsTheActivePageAndTheSavedFormHoldsTheNewPages)
{
    Open(CTwoPages);
    auto* LControl = qobject_cast<TqoCustomPageControl*>(Find("PageControl1"));
    auto LEditor = EditorFor(LControl, FDocument->Designer());
    LEditor->ExecuteVerb(0);
    EXPECT_EQ(LControl->GetActivePage()->objectName(), "First");
    ASSERT_EQ(LControl->PageCount(), 3);
    EXPECT_EQ(LControl->Pages().back()->GetTitle(), "Page1");
    FDocument->Save();
    auto LReopened = ide::TFormDocument::Open(FDocument->FileName());
    auto* LPage = qobject_cast<TqoCustomPage*>(LReopened->FindComponent("qoPage1"));
    ASSERT_TRUE(LPage);
    EXPECT_EQ(LPage->GetTitle(), "Page1");
    EXPECT_EQ(LPage->GetPageControl()->objectName(), "PageControl1");
}

TEST_F(ComponentEditors, AddPageOnAnEmptyControlMakesTheNewPageActive)
{
    Open("  object P: TqoPageControl\n  end\n");
    auto* LControl = qobject_cast<TqoCustomPageControl*>(Find("P"));
    EditorFor(LControl, FDocument->Designer())->ExecuteVerb(0);
    ASSERT_TRUE(LControl->GetActivePage());
    EXPECT_EQ(LControl->GetActivePage()->objectName(), "qoPage1");
}

// Deleting a page once left the form document holding the freed page.
TEST_F(ComponentEditors, PageNavigationSelectsAndADeletedPageLeavesTheForm)
{
    Open(CTwoPages);
    auto* LControl = qobject_cast<TqoCustomPageControl*>(Find("PageControl1"));
    auto LEditor = EditorFor(LControl, FDocument->Designer());
    LEditor->ExecuteVerb(2);
    EXPECT_EQ(FDocument->Designer().GetSelections(), QList<QObject*>{Find("Second")});
    LEditor->ExecuteVerb(1);
    LEditor->ExecuteVerb(3);
    EXPECT_EQ(LControl->PageCount(), 1);
    EXPECT_EQ(FDocument->Designer().GetSelections(), QList<QObject*>{Find("Second")});
    EXPECT_EQ(LControl->GetActivePageIndex(), 0);
    FDocument->Save();
    EXPECT_FALSE(testdata::ReadAll(FDocument->FileName()).contains("First"));
    EXPECT_EQ(FDocument->FindComponent(QStringLiteral("First")), nullptr);
}

TEST_F(ComponentEditors, PagerAddsLayoutsAndDeletesTheActiveOne)
{
    Open("  object P: TqoPagerLayout\n  end\n");
    auto* LPager = qobject_cast<TqoCustomPagerLayout*>(Find("P"));
    auto LEditor = EditorFor(LPager, FDocument->Designer());
    LEditor->ExecuteVerb(0);
    LEditor->ExecuteVerb(0);
    EXPECT_EQ(LPager->GetPageIndex(), 1);
    EXPECT_EQ(LPager->ActivePage()->objectName(), "qoLayout2");
    LEditor->ExecuteVerb(3);
    EXPECT_EQ(LPager->PageCount(), 1);
    EXPECT_EQ(FDocument->Designer().GetSelections(), QList<QObject*>{LPager->ActivePage()});
}

TEST_F(ComponentEditors, ComboBoxAddsItemsClearsAndRefusesUnknownVerbs)
{
    Open("  object C: TqoComboBox\n  end\n");
    auto* LCombo = qobject_cast<TqoCustomComboBox*>(Find("C"));
    auto LEditor = EditorFor(LCombo, FDocument->Designer());
    LEditor->ExecuteVerb(0);
    LEditor->ExecuteVerb(1);
    EXPECT_EQ(LCombo->ItemCount(), 2);
    EXPECT_TRUE(qobject_cast<TqoComboBoxTextIconItem*>(
        FDocument->Designer().GetRoot()->findChild<QObject*>(QStringLiteral("qoComboBoxTextIconItem1"))));
    LEditor->ExecuteVerb(2);
    EXPECT_EQ(LCombo->ItemCount(), 0);
    try {
        LEditor->GetVerb(3);
        ADD_FAILURE() << "no failure for verb 3";
    } catch (const EqoAssertionFailed& E) {
        EXPECT_EQ(QString::fromUtf8(E.what()), QStringLiteral("Неизвестный код действия дизайнера TqoComboBox."));
    }
}

TEST_F(ComponentEditors, PageEditorOnAnotherClassFailsWithItsMessage)
{
    Open("  object B: TqoButton\n  end\n");
    const auto* LClass = ide::TDesignRegistry::Instance().FindComponentEditor(&TqoPageControl::staticMetaObject);
    try {
        LClass->Create(Find("B"), &FDocument->Designer());
        ADD_FAILURE() << "no failure";
    } catch (const EqoAssertionFailed& E) {
        EXPECT_EQ(QString::fromUtf8(E.what()),
                  QStringLiteral("Попытка открыть редактор для компонента, который не является наследником "
                                 "TqoCustomPage и TqoCustomPageControl. TqoButton"));
    }
}

struct TDoubleClickCase
{
    const char* Name;
    std::function<QObject*(QObject* ARoot)> Create;
    const char* Handler; // empty: none created
};

class DoubleClick : public ComponentEditors, public testing::WithParamInterface<TDoubleClickCase>
{
};

TEST_P(DoubleClick, OpensTheMostFittingEvent)
{
    Open();
    QObject* LComponent = GetParam().Create(FDocument->Root());
    LComponent->setObjectName(QStringLiteral("X1"));
    orvo::components::TqoControlEditor(LComponent, &FDocument->Designer()).Edit();
    const QString LHandler = QString::fromLatin1(GetParam().Handler);
    if (LHandler.isEmpty())
        EXPECT_EQ(FDocument->UnitSource(), QByteArray(CUnit));
    else
        EXPECT_TRUE(FDocument->MethodExists(LHandler)) << FDocument->UnitSource().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    , DoubleClick,
    testing::Values(
        TDoubleClickCase{"CreateAndTapOpensTap", [](QObject* R) { return new TqoForm(R); }, "X1Tap"},
        TDoubleClickCase{"ChangeAndChangedOpensChanged", [](QObject* R) { return new TqoEdit(R); }, "X1Changed"},
        TDoubleClickCase{"OnlyCreateOpensCreate", [](QObject* R) { return new TOnlyCreate(R); }, "X1Create"},
        TDoubleClickCase{"NoListedEventEditsTheFirstProperty", [](QObject* R) { return new TOnlyClick(R); }, ""}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(ComponentEditors, DoubleClickedFormOpensOnCreateOnceAndBindsIt)
{
    Open();
    auto LEditor = EditorFor(FDocument->Root(), FDocument->Designer());
    LEditor->Edit();
    LEditor->Edit();
    FDocument->Save();
    const QString LUnit = QString::fromUtf8(testdata::ReadAll(FDir.filePath("Main.pas")));
    EXPECT_EQ(LUnit.count(QStringLiteral("procedure TFormMain.FormMainCreate(Sender: TObject);")), 1);
    EXPECT_TRUE(testdata::ReadAll(FDir.filePath("Main.xfm")).contains("  OnCreate = FormMainCreate\n"));
}

struct TPushCase
{
    const char* Name;
    const char* ServiceName;
    const char* Platform; // empty: no project open
    const char* PageId;   // empty: no verb
};

class PushServiceVerb : public ComponentEditors, public testing::WithParamInterface<TPushCase>
{
};

TEST_P(PushServiceVerb, FollowsTheServiceOrTheActivePlatform)
{
    testdata::TIdeSession LSession;
    if (*GetParam().Platform) {
        ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", FDir.filePath("demo")));
        auto LProject = LSession.Open(FDir.filePath("demo/DemoApp.dproj"));
        LProject->ProjectOptionsConfigurations()->SetActivePlatformName(QString::fromLatin1(GetParam().Platform));
    }
    TqoPushNotificationService LService;
    LService.SetServiceName(QString::fromLatin1(GetParam().ServiceName));
    ide::TFormDesigner LDesigner(&LService);
    auto LEditor = EditorFor(&LService, LDesigner);
    QString LOpened;
    dsgn::TFormProjectSettings::SetExecuteHandler([&](const QString& APage) { LOpened = APage; });
    if (LEditor->GetVerbCount() == 1)
        LEditor->ExecuteVerb(0);
    dsgn::TFormProjectSettings::SetExecuteHandler({});
    EXPECT_EQ(LOpened, QString::fromLatin1(GetParam().PageId));
}

INSTANTIATE_TEST_SUITE_P(, PushServiceVerb,
                         testing::Values(TPushCase{"DefaultOnAndroid", "Default", "Android64",
                                                   "{426547B7-B99E-4BF4-9209-42ABF3321C48}"},
                                         TPushCase{"DefaultOnIOS", "default", "iOSDevice64", ""},
                                         TPushCase{"DefaultWithoutProject", "Default", "", ""},
                                         TPushCase{"RuStore", "RSM", "", "{F7709849-FB3D-4D47-BC31-551750459271}"},
                                         TPushCase{"ApsNamed", "APS", "Android", ""}),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

// ---------------------------------------------------------------------------------------

class Sprigs : public ComponentEditors
{
protected:
    void SetUp() override
    {
        FKept = ide::BorlandIDEServices().Supports<ide::IOTAStructureView>();
        FView = std::make_shared<ide::TStructureView>();
        ide::BorlandIDEServices().RegisterService<ide::IOTAStructureView>(FView);
    }
    void TearDown() override { ide::BorlandIDEServices().RegisterService<ide::IOTAStructureView>(FKept); }
    std::unique_ptr<ide::TSprig> SprigFor(QObject* AComponent)
    {
        const auto* LClass = ide::TDesignRegistry::Instance().FindSprig(AComponent->metaObject());
        return LClass ? LClass->Create(AComponent) : nullptr;
    }
    std::shared_ptr<ide::TStructureView> FView;
    std::shared_ptr<ide::IOTAStructureView> FKept;
};

const QByteArray CDrawerForm = "  object DrawerLayout1: TqoDrawerLayout\n"
                               "    object Drawer1: TqoDrawer\n      object Inside: TqoButton\n      end\n    end\n"
                               "    object Content1: TqoMainContent\n    end\n  end\n"
                               "  object Sheet1: TqoBottomSheet\n    object InSheet: TqoLabel\n    end\n  end\n"
                               "  object Outside: TqoButton\n  end\n";

TEST_F(Sprigs, CaptionsAndDragRules)
{
    Open(CDrawerForm + CTwoPages);
    EXPECT_EQ(SprigFor(Find("Drawer1"))->Caption(), "Drawer");
    EXPECT_EQ(SprigFor(Find("Content1"))->Caption(), "Content");
    EXPECT_EQ(SprigFor(Find("Sheet1"))->Caption(), "Sheet1: TqoBottomSheet");
    EXPECT_EQ(SprigFor(Find("Outside")), nullptr);
    const auto LLayout = SprigFor(Find("DrawerLayout1"));
    const auto LPage = SprigFor(Find("First"));
    const auto LSheet = SprigFor(Find("Sheet1"));
    EXPECT_FALSE(LLayout->DragOver(*LPage));
    EXPECT_FALSE(LLayout->PaletteOver(&TqoButton::staticMetaObject));
    EXPECT_TRUE(LLayout->SortByIndex());
    EXPECT_FALSE(LPage->DragOverTo(*LSheet));
    const ide::TSprig LControlNode(Find("PageControl1"));
    EXPECT_TRUE(LPage->DragOverTo(LControlNode));
}

TEST_F(Sprigs, SelectingANodeBringsItsDrawerSheetOrPageIntoView)
{
    Open(CDrawerForm + CTwoPages);
    auto* LDrawer = qobject_cast<TqoControl*>(Find("Drawer1"));
    auto* LSheet = qobject_cast<TqoCustomBottomSheet*>(Find("Sheet1"));
    auto* LControl = qobject_cast<TqoCustomPageControl*>(Find("PageControl1"));
    {
        const auto LDrawerSprig = SprigFor(LDrawer);
        const auto LSheetSprig = SprigFor(LSheet);
        const auto LPageSprig = SprigFor(Find("Second"));
        EXPECT_EQ(FView->NotifierCount(), 3);
        FView->SelectNode(Find("Inside"));
        EXPECT_TRUE(LDrawer->GetVisible());
        EXPECT_FALSE(LSheet->IsExpanded());
        FView->SelectNode(Find("InSheet"));
        EXPECT_FALSE(LDrawer->GetVisible());
        EXPECT_TRUE(LSheet->IsExpanded());
        FView->SelectNode(Find("Second"));
        EXPECT_EQ(LControl->GetActivePageIndex(), 1);
        EXPECT_FALSE(LSheet->IsExpanded());
    }
    EXPECT_EQ(FView->NotifierCount(), 0);
}

} // namespace

#include "ComponentEditorsTest.moc"
