#include "IdeSession.h"
#include "TestData.h"

#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/designer/Wizard.AssetsManager.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QTest>

namespace {

using namespace orvo;

const QString ClosePrompt = QStringLiteral("The assets designer is closing. Would you like to save all changes?");

// The IDE with the wizard registered, over copies of the demo project.
class AssetsManagerWizard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ide::BorlandIDEServices().InstallDefaultServices();
        FIde = std::make_unique<testdata::TIdeSession>();
        FDialogs = testdata::TAnsweringDialogs::Install();
        orvo::AssetsEditorsInitialization();
        WizardAssetsManagerInitialization();
        FWizard = std::make_shared<TqoWizardAssetsManager>();
    }
    void TearDown() override
    {
        FIde.reset();
        WizardAssetsManagerFinalization();
        FWizard.reset();
        orvo::AssetsEditorsFinalization();
    }

    // A copy of the demo project in its own folder, with the type and GUID given.
    std::shared_ptr<ide::TDprojProject> OpenDemo(const QString& AName, const QString& AType = "xfm",
                                                 const QString& AGuid = "{6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F10}")
    {
        const QString LFolder = FDir.filePath(AName);
        EXPECT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", LFolder));
        const QString LProject = LFolder + "/" + AName + ".dproj";
        QByteArray LText = testdata::ReadAll(LFolder + "/DemoApp.dproj");
        LText.replace("<FrameworkType>xfm<", QByteArray("<FrameworkType>" + AType.toUtf8() + "<"));
        LText.replace("{6F1C2A7E-3D4B-4E59-9A21-0C7B5D8E4F10}", AGuid.toUtf8());
        QFile::remove(LFolder + "/DemoApp.dproj");
        EXPECT_TRUE(testdata::WriteAll(LProject, LText));
        return FIde->Open(LProject);
    }
    static std::shared_ptr<ide::IOTAEditorViewServices> Views()
    {
        return ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>();
    }
    static ide::TMenuItem* MenuItem()
    {
        return ide::BorlandIDEServices().Supports<ide::INTAServices>()->MainMenu().Find("OrvoAssetsManagerItem");
    }
    // Opens the active project's view and marks its document changed with a new color.
    static std::shared_ptr<TqoAssetsManagerView> OpenChanged(const ide::IOTAProject& AProject)
    {
        OpenAssetsManagerDesigner(QString());
        auto LView = FindAssetsManagerView(AProject.ProjectGUID());
        LView->Frame()->Document().GetModel().AddColor(QStringLiteral("Added"), 0xFF102030);
        return LView;
    }
    static QString ConfigOf(const ide::IOTAProject& AProject)
    {
        return QString::fromUtf8(testdata::ReadAll(QFileInfo(AProject.FileName()).path() + "/Assets/config.json"));
    }

    QTemporaryDir FDir;
    std::unique_ptr<testdata::TIdeSession> FIde;
    std::shared_ptr<testdata::TAnsweringDialogs> FDialogs;
    std::shared_ptr<TqoWizardAssetsManager> FWizard;
};

struct TMenuCase
{
    std::string Name;
    QString ProjectType; // empty: no project
    bool Shown;
};

class AssetsManagerMenu : public AssetsManagerWizard, public ::testing::WithParamInterface<TMenuCase>
{
};

TEST_P(AssetsManagerMenu, ShowsOnlyForFrameworkProjects)
{
    if (!GetParam().ProjectType.isEmpty())
        OpenDemo("App", GetParam().ProjectType);
    ide::BorlandIDEServices().Supports<ide::INTAServices>()->UpdateActions();
    ide::TMenuItem* LItem = MenuItem();
    ASSERT_NE(LItem, nullptr);
    const auto& LSiblings = LItem->Parent()->Items;
    const auto LAt = std::find_if(LSiblings.begin(), LSiblings.end(), [&](const auto& I) { return I.get() == LItem; });
    EXPECT_EQ((*(LAt - 1))->Name, "ProjectViewResourcesItem");
    EXPECT_EQ(LItem->DisplayCaption(), "Orvo Assets Manager");
    EXPECT_EQ(LItem->IsVisible(), GetParam().Shown);
    EXPECT_EQ(LItem->IsEnabled(), GetParam().Shown);
    EXPECT_EQ(FWizard->GetState(), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, AssetsManagerMenu,
                         ::testing::Values(TMenuCase{"NoProject", "", false}, TMenuCase{"FmxProject", "FMX", false},
                                           TMenuCase{"UpperCaseXfm", "XFM", false},
                                           TMenuCase{"XfmProject", "xfm", true}),
                         testdata::TCaseName());

TEST_F(AssetsManagerWizard, OpeningTwiceShowsOneViewOnTheSecondName)
{
    const auto LProject = OpenDemo("App");
    ASSERT_TRUE(MenuItem()->Click());
    OpenAssetsManagerDesigner("Primary");
    ASSERT_EQ(Views()->OpenViews().size(), 1u);
    const auto LView = FindAssetsManagerView(LProject->ProjectGUID());
    ASSERT_NE(LView->Frame(), nullptr);
    EXPECT_EQ(Views()->FrameOf(*LView), LView->Frame());
    EXPECT_EQ(LView->Frame()->Document().GetInitialAssetName(), "Primary");
    EXPECT_EQ(LView->GetViewIdentifier(), "ORVO.Project.Designer.Assets." + FDir.filePath("App/App"));
}

TEST_F(AssetsManagerWizard, TwoProjectsHaveTwoViews)
{
    OpenDemo("First");
    OpenAssetsManagerDesigner(QString());
    OpenDemo("Second", "xfm", "{0A1B2C3D-0000-4000-8000-000000000002}");
    OpenAssetsManagerDesigner(QString());
    QStringList LCaptions;
    for (const auto& LView : Views()->OpenViews())
        LCaptions << LView->GetCaption();
    EXPECT_EQ(LCaptions, QStringList({"Assets Manager: First.dproj", "Assets Manager: Second.dproj"}));
}

struct TPromptCase
{
    std::string Name;
    ide::TModalResult Answer;
    bool Closed;
    bool Saved;
};

class AssetsManagerClosePrompt : public AssetsManagerWizard, public ::testing::WithParamInterface<TPromptCase>
{
};

TEST_P(AssetsManagerClosePrompt, AnswerDecidesOverChanges)
{
    const auto LProject = OpenDemo("App");
    const auto LView = OpenChanged(*LProject);
    const QPointer<QWidget> LFrame = LView->Frame();
    FDialogs->Answers = {GetParam().Answer};
    EXPECT_EQ(Views()->CloseEditorView(LView), GetParam().Closed);
    EXPECT_EQ(FDialogs->Asked, QStringList{ClosePrompt});
    EXPECT_EQ(LFrame.isNull(), GetParam().Closed);
    EXPECT_EQ(FindAssetsManagerView(LProject->ProjectGUID()) == nullptr, GetParam().Closed);
    EXPECT_EQ(ConfigOf(*LProject).contains("\"Added\""), GetParam().Saved);
    if (!GetParam().Closed) {
        EXPECT_TRUE(LView->Frame()->GetModified());
    }
    if (GetParam().Saved) {
        EXPECT_TRUE(QFileInfo::exists(QFileInfo(LProject->FileName()).path() + "/Assets.Consts.pas"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AssetsManagerClosePrompt,
                         ::testing::Values(TPromptCase{"Cancel", ide::TModalResult::mrCancel, false, false},
                                           TPromptCase{"No", ide::TModalResult::mrNo, true, false},
                                           TPromptCase{"Yes", ide::TModalResult::mrYes, true, true}),
                         testdata::TCaseName());

TEST_F(AssetsManagerWizard, ClosingTheProjectSavesOnceAndLeavesDeploymentAlone)
{
    const auto LProject = OpenDemo("App");
    OpenChanged(*LProject);
    const QByteArray LDproj = testdata::ReadAll(LProject->FileName());
    QStringList LReleased;
    auto& LMessages = ide::TMessageManager::DefaultManager();
    const int LId = LMessages.SubscribeToMessage<dsgn::TqoCanRemoveAssetsManager>(
        [&](const void*, const dsgn::TqoCanRemoveAssetsManager& AMessage) { LReleased << AMessage.Value(); });
    FDialogs->Answers = {ide::TModalResult::mrYes};
    EXPECT_TRUE(FIde->Close(LProject));
    LMessages.Unsubscribe<dsgn::TqoCanRemoveAssetsManager>(LId);
    EXPECT_EQ(FDialogs->Asked, QStringList{ClosePrompt});
    EXPECT_EQ(LReleased, QStringList{LProject->ProjectGUID()});
    EXPECT_TRUE(ConfigOf(*LProject).contains("\"Added\""));
    EXPECT_EQ(testdata::ReadAll(LProject->FileName()), LDproj);
    EXPECT_TRUE(Views()->OpenViews().empty());
}

// The host removed no tab on File > Close Project: the frame was already forgotten when it was told.
TEST_F(AssetsManagerWizard, HostStillFindsTheFrameWhenToldOfClosing)
{
    const auto LProject = OpenDemo("App");
    QList<QWidget*> LFrames;
    Views()->SetHostHandlers({}, [&](ide::INTACustomEditorView& AView) { LFrames << Views()->FrameOf(AView); });
    OpenAssetsManagerDesigner(QString());
    const QList<QWidget*> LShown{FindAssetsManagerView(LProject->ProjectGUID())->Frame()};
    // The demo's folders count as changes: the view asks before it closes.
    FDialogs->Answers = {ide::TModalResult::mrNo};
    EXPECT_TRUE(FIde->Close(LProject));
    Views()->SetHostHandlers({}, {});
    EXPECT_EQ(LFrames, LShown);
}

TEST_F(AssetsManagerWizard, ConfigurationThatDoesNotLoadIsShownAndKept)
{
    const auto LProject = OpenDemo("App");
    const QString LConfig = QFileInfo(LProject->FileName()).path() + "/Assets/config.json";
    const QByteArray LBroken = "{\n  \"format\": \"orvo-assets\",\n  \"assets\": [ oops\n";
    ASSERT_TRUE(testdata::WriteAll(LConfig, LBroken));
    OpenAssetsManagerDesigner(QString());
    const auto LView = FindAssetsManagerView(LProject->ProjectGUID());
    const QString LError = LView->Frame()->LoadErrorText();
    // The file, then the line the parser stopped on.
    EXPECT_TRUE(LError.contains(LConfig) && LError.mid(LError.indexOf(LConfig) + LConfig.size()).contains("3"))
        << LError.toStdString();
    FDialogs->Answers = {ide::TModalResult::mrYes};
    EXPECT_TRUE(FIde->Close(LProject));
    EXPECT_EQ(testdata::ReadAll(LConfig), LBroken);
}

TEST_F(AssetsManagerWizard, MissingServicesAreNamedAndAddNothing)
{
    auto& LServices = ide::BorlandIDEServices();
    FWizard.reset();
    auto LMessage = [](auto AAction) {
        try {
            AAction();
        } catch (const std::exception& E) {
            return QString::fromUtf8(E.what());
        }
        return QString();
    };
    LServices.UnregisterService<ide::INTAEditorViewServices>();
    EXPECT_EQ(LMessage([] { TqoWizardAssetsManager LWizard; }),
              "Cannot create Assets Manager menu Item in MainMenu. Sevice INTAEditorViewServices is unavailable");
    EXPECT_EQ(MenuItem(), nullptr);
    LServices.UnregisterService<ide::INTAServices>();
    EXPECT_EQ(LMessage([] { TqoWizardAssetsManager LWizard; }),
              "Cannot create Assets Manager menu Item in MainMenu. Sevice INTAService is unavailable");
    OpenDemo("App");
    LServices.UnregisterService<ide::IOTAEditorViewServices>();
    EXPECT_EQ(LMessage([] { OpenAssetsManagerDesigner(QString()); }),
              "Cannot open Assets Manager designer. Sevice IOTAEditorViewServices is unavailable");
}

TEST_F(AssetsManagerWizard, UnloadingRemovesTheMenuItemAndClosesViewsWithoutAsking)
{
    const auto LProject = OpenDemo("App");
    OpenChanged(*LProject);
    WizardAssetsManagerFinalization();
    EXPECT_EQ(MenuItem(), nullptr);
    EXPECT_TRUE(Views()->OpenViews().empty());
    EXPECT_TRUE(FDialogs->Asked.isEmpty());
    WizardAssetsManagerInitialization(); // TearDown finalizes again
}

// A session in the window, opened from the menu, ends with the files that the same edits made
// with orvo-assets on another copy give.
TEST_F(AssetsManagerWizard, EditsInTheWindowWriteWhatTheCommandLineWrites)
{
    const QString LCliBinary = QStringLiteral(ORVO_BIN_DIR "/orvo-assets");
    if (!QFileInfo(LCliBinary).isExecutable())
        GTEST_SKIP() << "orvo-assets is not built";
    const QString LGuiDir = FDir.filePath(QStringLiteral("Gui")), LCliDir = FDir.filePath(QStringLiteral("Cli"));
    for (const QString& LDir : {LGuiDir, LCliDir})
        ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), LDir));
    const QString LCliProject = LCliDir + QStringLiteral("/DemoApp.dproj");
    const auto LProject = FIde->Open(LGuiDir + QStringLiteral("/DemoApp.dproj"));
    ide::TMenuItem* LItem = ide::BorlandIDEServices().Supports<ide::INTAServices>()->MainMenu().Find(
        QStringLiteral("OrvoAssetsManagerItem"));
    ASSERT_TRUE(LItem);
    ASSERT_TRUE(LItem->Click());
    const auto LView = FindAssetsManagerView(LProject->ProjectGUID());
    ASSERT_TRUE(LView && LView->Frame());
    TFrameAssetManager& LFrame = *LView->Frame();
    LFrame.resize(1100, 700);
    LFrame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&LFrame));
    auto& LTree = LFrame.Tree();
    const auto LNode = [&](const char* AName) {
        PVirtualNode LFound = nullptr;
        LFrame.TryFindNode(QString::fromLatin1(AName), LFound);
        return LFound;
    };
    const auto LClick = [&](PVirtualNode ANode) {
        LTree.ScrollIntoView(ANode);
        QTest::mouseClick(LTree.viewport(), Qt::LeftButton, {}, LTree.GetDisplayRect(ANode, 0).center());
    };

    // A color in the Icons folder, renamed in place.
    LTree.SetExpanded(LTree.NodeParent(LNode("Icons\\Star")), true);
    LClick(LNode("Icons\\Star"));
    LFrame.Action(QStringLiteral("ActionAddColor"))->trigger();
    ASSERT_TRUE(LNode("Icons\\Color"));
    ASSERT_TRUE(LTree.EditNode(LNode("Icons\\Color"), 0));
    auto* LEditor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(LEditor);
    LEditor->selectAll();
    QTest::keyClicks(LEditor, QStringLiteral("Brand"));
    QTest::keyClick(LEditor, Qt::Key_Return);
    QTest::qWait(20); // the editor commits on a later turn of the event loop
    ASSERT_TRUE(LNode("Icons\\Brand"));

    // Dragged onto the Docs folder.
    PVirtualNode LDocs = LTree.NodeParent(LNode("Docs\\Terms"));
    const std::unique_ptr<QMimeData> LDrag(LTree.model()->mimeData({LTree.ModelIndex(LNode("Icons\\Brand"), 0)}));
    const QPoint LAt = LTree.GetDisplayRect(LDocs, 0).center();
    QDragEnterEvent LEnter(LAt, Qt::MoveAction, LDrag.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(LTree.viewport(), &LEnter);
    QDropEvent LDrop(LAt, Qt::MoveAction, LDrag.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(LTree.viewport(), &LDrop);
    ASSERT_TRUE(LNode("Docs\\Brand"));

    // Another asset deleted with the Delete key, then saved.
    LClick(LNode("Avatar"));
    FDialogs->Answers = {ide::TModalResult::mrYes};
    QTest::keyClick(&LTree, Qt::Key_Delete);
    LFrame.UpdateActions();
    LFrame.Action(QStringLiteral("ActionSave"))->trigger();
    ASSERT_FALSE(LFrame.GetModified());
    // The deployment entries and the unit reference wait in the project for the IDE's own save.
    ASSERT_TRUE(LProject->IsModified());
    LProject->Save();

    for (const QStringList& LArgs : {QStringList{"add", LCliProject, "color", "Icons\\Color", "--color", "#00000000"},
                                     QStringList{"rename", LCliProject, "Icons\\Color", "Icons\\Brand"},
                                     QStringList{"rename", LCliProject, "Icons\\Brand", "Docs\\Brand"},
                                     QStringList{"remove", LCliProject, "Avatar"}, QStringList{"save", LCliProject}}) {
        const testdata::TRun LRun = testdata::RunProgram(LCliBinary, LArgs, LCliDir);
        ASSERT_EQ(LRun.ExitCode, 0) << LArgs.join(' ').toStdString() << ": " << LRun.Err.toStdString();
    }
    // Every file of both project folders, by relative name.
    const auto LFiles = [](const QString& AFolder) {
        QMap<QString, QByteArray> LResult;
        for (const QString& LName : testdata::FileNames(AFolder))
            LResult.insert(LName, testdata::ReadAll(AFolder + QLatin1Char('/') + LName));
        return LResult;
    };
    const auto LGui = LFiles(LGuiDir);
    const auto LCli = LFiles(LCliDir);
    EXPECT_EQ(LGui.keys(), LCli.keys());
    for (auto It = LCli.cbegin(); It != LCli.cend(); ++It)
        EXPECT_EQ(LGui.value(It.key()), It.value()) << It.key().toStdString();
    EXPECT_TRUE(LGui.value(QStringLiteral("Assets/config.json")).contains("Docs\\\\Brand"));
}

} // namespace
