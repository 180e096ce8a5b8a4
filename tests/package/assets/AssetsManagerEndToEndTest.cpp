// A session in the Assets Manager on a copy of the demo project, opened from the IDE's menu, ends
// with the same files as the same edits made with orvo-assets on another copy.

#include "IdeSession.h"
#include "TestData.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/designer/Wizard.AssetsManager.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

using namespace orvo;

namespace {

class AssetsManagerEndToEnd : public testdata::TDemoProjectTest
{
protected:
    void SetUp() override
    {
        TDemoProjectTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), FGuiDir.path()));
        ide::BorlandIDEServices().InstallDefaultServices();
        FIde = std::make_unique<testdata::TIdeSession>();
        FDialogs = testdata::TAnsweringDialogs::Install();
        AssetsEditorsInitialization();
        WizardAssetsManagerInitialization();
        FWizard = std::make_shared<TqoWizardAssetsManager>();
    }
    void TearDown() override
    {
        FIde.reset();
        WizardAssetsManagerFinalization();
        FWizard.reset();
        AssetsEditorsFinalization();
    }

    // Every file of the project folder, by relative name.
    static QMap<QString, QByteArray> Files(const QString& AFolder)
    {
        QMap<QString, QByteArray> LFiles;
        for (const QString& LName : testdata::FileNames(AFolder))
            LFiles.insert(LName, testdata::ReadAll(AFolder + QLatin1Char('/') + LName));
        return LFiles;
    }

    QTemporaryDir FGuiDir;
    std::unique_ptr<testdata::TIdeSession> FIde;
    std::shared_ptr<testdata::TAnsweringDialogs> FDialogs;
    std::shared_ptr<TqoWizardAssetsManager> FWizard;
};

} // namespace

TEST_F(AssetsManagerEndToEnd, EditsInTheWindowWriteWhatTheCommandLineWrites)
{
    const auto LProject = FIde->Open(FGuiDir.filePath(QStringLiteral("DemoApp.dproj")));
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

    for (const QStringList& LArgs : {QStringList{"add", FProject, "color", "Icons\\Color", "--color", "#00000000"},
                                     QStringList{"rename", FProject, "Icons\\Color", "Icons\\Brand"},
                                     QStringList{"rename", FProject, "Icons\\Brand", "Docs\\Brand"},
                                     QStringList{"remove", FProject, "Avatar"}, QStringList{"save", FProject}}) {
        const testdata::TRun LRun = Run(LArgs);
        ASSERT_EQ(LRun.ExitCode, 0) << LArgs.join(' ').toStdString() << ": " << LRun.Err.toStdString();
    }
    const auto LGui = Files(FGuiDir.path());
    const auto LCli = Files(FDir.path());
    EXPECT_EQ(LGui.keys(), LCli.keys());
    for (auto It = LCli.cbegin(); It != LCli.cend(); ++It)
        EXPECT_EQ(LGui.value(It.key()), It.value()) << It.key().toStdString();
    EXPECT_TRUE(LGui.value(QStringLiteral("Assets/config.json")).contains("Docs\\\\Brand"));
}
