// The Assets Manager's frame driven through its widgets: the tree built from names, the editing
// commands, drag and drop, delete and save, and the views of the selection.

#include "IdeSession.h"
#include "TestData.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/designer/ORVO.Assets.View.Assets.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>

using namespace orvo;
using testdata::TAnsweringDialogs;

namespace {

class AssetsManagerFrameTest : public testing::Test
{
protected:
    QTemporaryDir FDir;
    testdata::TIdeSession FSession;
    std::shared_ptr<TAnsweringDialogs> FDialogs;
    std::unique_ptr<TFrameAssetManager> FFrame;

    void SetUp() override
    {
        AssetsEditorsInitialization();
        ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), FDir.path()));
        FDialogs = TAnsweringDialogs::Install();
    }

    void TearDown() override { FFrame.reset(); }

    // Opens the frame on the project; AConfig replaces the demo's configuration when given.
    void Open(const QByteArray& AConfig = {})
    {
        if (!AConfig.isNull()) {
            ASSERT_TRUE(testdata::WriteAll(FDir.filePath(QStringLiteral("Assets/config.json")), AConfig));
        }
        const auto LProject = FSession.Open(FDir.filePath(QStringLiteral("DemoApp.dproj")));
        FFrame = std::make_unique<TFrameAssetManager>();
        FFrame->resize(1100, 700);
        FFrame->SetProject(LProject);
        FFrame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FFrame.get()));
    }

    ext::TVirtualStringTree& Tree() const { return FFrame->Tree(); }

    PVirtualNode Node(const QString& AName) const
    {
        PVirtualNode LNode = nullptr;
        return FFrame->TryFindNode(AName, LNode) ? LNode : nullptr;
    }

    // Captions of the children of a node (null: the top level) in the order shown.
    QStringList Children(PVirtualNode AParent) const
    {
        QStringList LCaptions;
        for (PVirtualNode LChild = Tree().GetFirstChild(AParent); LChild; LChild = Tree().GetNextSibling(LChild))
            LCaptions << FFrame->GetNodeData(LChild)->Caption;
        return LCaptions;
    }

    QStringList Names() const
    {
        QStringList LNames = FFrame->Document().GetAssetsManager().GetAssetsNames();
        LNames.sort();
        return LNames;
    }

    // Clicks a node's name, as a user selects it.
    void Click(PVirtualNode ANode, Qt::KeyboardModifiers AModifiers = Qt::NoModifier)
    {
        Tree().ScrollIntoView(ANode);
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, AModifiers, Tree().GetDisplayRect(ANode, 0).center());
    }

    void Trigger(const char* AAction)
    {
        FFrame->UpdateActions();
        QAction* LAction = FFrame->Action(QString::fromLatin1(AAction));
        ASSERT_TRUE(LAction && LAction->isEnabled()) << AAction;
        LAction->trigger();
    }

    // Types a new caption into the node's in-place editor and commits it with Enter.
    void Rename(PVirtualNode ANode, const QString& AText)
    {
        ASSERT_TRUE(Tree().EditNode(ANode, 0));
        auto* LEditor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_TRUE(LEditor);
        LEditor->selectAll();
        QTest::keyClicks(LEditor, AText);
        QTest::keyClick(LEditor, Qt::Key_Return);
        QTest::qWait(20); // folder renames finish on a later turn of the event loop
    }

    // Enter, move and drop on the middle of the target's row, as a drag ends there.
    void Drop(const QMimeData& AData, PVirtualNode ATarget, Qt::DropActions AActions)
    {
        Tree().ScrollIntoView(ATarget);
        const QPoint LPos = Tree().GetDisplayRect(ATarget, 0).center();
        QDragEnterEvent LEnter(LPos, AActions, &AData, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Tree().viewport(), &LEnter);
        QDragMoveEvent LMove(LPos, AActions, &AData, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Tree().viewport(), &LMove);
        QDropEvent LDrop(LPos, AActions, &AData, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Tree().viewport(), &LDrop);
    }

    void DropUrls(const QList<QUrl>& AUrls, PVirtualNode ATarget)
    {
        QMimeData LData;
        LData.setUrls(AUrls);
        Drop(LData, ATarget, Qt::CopyAction);
    }

    // The tree's own drag of these nodes, dropped on the target.
    void DragNodes(const QList<PVirtualNode>& ANodes, PVirtualNode ATarget)
    {
        QModelIndexList LIndexes;
        for (PVirtualNode LNode : ANodes)
            LIndexes << Tree().ModelIndex(LNode, 0);
        const std::unique_ptr<QMimeData> LData(Tree().model()->mimeData(LIndexes));
        Drop(*LData, ATarget, Qt::MoveAction);
    }
};

QByteArray Config(std::initializer_list<const char*> AAssets)
{
    QByteArray LItems;
    for (const char* LAsset : AAssets)
        LItems += (LItems.isEmpty() ? "" : ",") + QByteArray(LAsset);
    return R"({"format": "orvo-assets", "version": 1, "platform": "all", "assets": [)" + LItems + "]}";
}

} // namespace

TEST_F(AssetsManagerFrameTest, TreeIsBuiltFromNamesWithContainersFirstInCaseSensitiveOrder)
{
    Open(Config(
        {R"({"name": "b", "kind": "color", "platform": "all", "deviceClass": "all", "color": "#FF000000"})",
         R"({"name": "B", "kind": "color", "platform": "all", "deviceClass": "all", "color": "#FF000000"})",
         R"({"name": "a\\x\\y", "kind": "color", "platform": "all", "deviceClass": "all", "color": "#FF000000"})",
         R"({"name": "Theme", "kind": "theme-container", "platform": "all", "deviceClass": "all"})",
         R"({"name": "Theme\\c", "kind": "color", "platform": "all", "deviceClass": "all", "color": "#FF000000"})"}));
    EXPECT_EQ(Children(nullptr), QStringList({"Theme", "a", "B", "b"}));
    PVirtualNode LY = Node(QStringLiteral("a\\x\\y"));
    ASSERT_TRUE(LY);
    EXPECT_EQ(FFrame->GetNodeData(Tree().NodeParent(LY))->NodeType, TqoNodeType::Folder);
    EXPECT_EQ(FFrame->GetNodeData(Node(QStringLiteral("Theme")))->NodeType, TqoNodeType::AssetContainer);
    EXPECT_EQ(Children(Node(QStringLiteral("Theme"))), QStringList({"c"}));
    EXPECT_FALSE(Node(QStringLiteral("A\\x\\y"))) << "look-ups by name are case-sensitive";
}

TEST_F(AssetsManagerFrameTest, AddCommandsPlaceAssetsInTheCurrentFolder)
{
    Open();
    Click(Node(QStringLiteral("Icons\\Star")));
    Trigger("ActionAddColor");
    Trigger("ActionAddColor");
    EXPECT_TRUE(Names().contains(QStringLiteral("Icons\\Color")));
    EXPECT_TRUE(Names().contains(QStringLiteral("Icons\\Color-1")));
    ASSERT_EQ(Tree().SelectedCount(), 1);
    EXPECT_EQ(FFrame->GetAssetName(Tree().GetSortedSelection().first()), QStringLiteral("Icons\\Color-1"));

    // Inside a theme, a new theme goes to the nearest ordinary folder above it: the top level here.
    Click(Node(QStringLiteral("Light\\Text")));
    Trigger("ActionAddTheme");
    EXPECT_TRUE(Names().contains(QStringLiteral("Theme")));
    EXPECT_FALSE(Names().contains(QStringLiteral("Light\\Theme")));

    // A folder exists only in the tree until an asset is placed in it.
    Click(Node(QStringLiteral("Icons\\Star")));
    Trigger("ActionAddFolder");
    EXPECT_EQ(Children(Tree().NodeParent(Node(QStringLiteral("Icons\\Star")))).first(), QStringLiteral("New Folder"));
    Trigger("ActionAddSVG");
    EXPECT_TRUE(Names().contains(QStringLiteral("Icons\\New Folder\\SVG")));
    EXPECT_TRUE(FFrame->GetModified());
}

TEST_F(AssetsManagerFrameTest, RenameInPlaceResolvesCollisions)
{
    Open();
    Rename(Node(QStringLiteral("Icons\\Star")), QStringLiteral("Back"));
    EXPECT_TRUE(Names().contains(QStringLiteral("Icons\\Back-1")));
    EXPECT_FALSE(Names().contains(QStringLiteral("Icons\\Star")));

    // A folder takes its assets along; an empty text changes nothing.
    Rename(Node(QStringLiteral("Icons\\Back")), QStringLiteral("Arrow"));
    PVirtualNode LIcons = Tree().NodeParent(Node(QStringLiteral("Icons\\Arrow")));
    ASSERT_TRUE(LIcons);
    Rename(LIcons, QStringLiteral("Glyphs"));
    EXPECT_TRUE(Names().contains(QStringLiteral("Glyphs\\Arrow")));
    EXPECT_TRUE(Names().contains(QStringLiteral("Glyphs\\Badge")));
    EXPECT_FALSE(FFrame->ContainsName(QStringLiteral("Icons\\")));
    Rename(Tree().NodeParent(Node(QStringLiteral("Glyphs\\Arrow"))), QStringLiteral("  "));
    EXPECT_TRUE(FFrame->ContainsName(QStringLiteral("Glyphs\\")));
}

TEST_F(AssetsManagerFrameTest, DraggedNodesMoveIntoTheTargetsFolder)
{
    Open();
    // Onto an asset: into that asset's folder.
    Tree().SetExpanded(Tree().NodeParent(Node(QStringLiteral("Icons\\Star"))), true);
    DragNodes({Node(QStringLiteral("Logo"))}, Node(QStringLiteral("Icons\\Star")));
    EXPECT_TRUE(Names().contains(QStringLiteral("Icons\\Logo")));
    // A folder into its own subfolder: nothing.
    Click(Node(QStringLiteral("Icons\\Star")));
    Trigger("ActionAddFolder");
    const QStringList LBefore = Names();
    PVirtualNode LIcons = Tree().NodeParent(Node(QStringLiteral("Icons\\Star")));
    PVirtualNode LSub = Tree().GetFirstChild(LIcons);
    DragNodes({LIcons}, LSub);
    EXPECT_EQ(Names(), LBefore);
    // A folder with content into another folder: its assets follow.
    DragNodes({LIcons}, Tree().NodeParent(Node(QStringLiteral("Docs\\Terms"))));
    EXPECT_TRUE(Names().contains(QStringLiteral("Docs\\Icons\\Star")));
    EXPECT_FALSE(FFrame->ContainsName(QStringLiteral("Icons\\")));
}

TEST_F(AssetsManagerFrameTest, DroppedFilesBecomeAssets)
{
    Open();
    const QString LPng = FDir.filePath(QStringLiteral("Artwork/drop.png"));
    QImage LImage(4, 4, QImage::Format_ARGB32);
    LImage.fill(Qt::red);
    ASSERT_TRUE(LImage.save(LPng));
    const QString LJson = FDir.filePath(QStringLiteral("Artwork/data.json"));
    ASSERT_TRUE(testdata::WriteAll(LJson, "{}"));
    DropUrls({QUrl::fromLocalFile(LPng), QUrl::fromLocalFile(LJson)},
             Tree().NodeParent(Node(QStringLiteral("Docs\\Terms"))));
    const auto& LManager = FFrame->Document().GetAssetsManager();
    const auto LSet = LManager.ResolveAs<core::TqoAssetBitmapSet>(QStringLiteral("Docs\\drop"), core::TqoPlatform::All,
                                                                  core::TqoDeviceClass::All);
    ASSERT_TRUE(LSet);
    ASSERT_TRUE(LSet->FindByScale(1.0f));
    EXPECT_TRUE(LSet->FindByScale(1.0f)->HasBitmap());
    EXPECT_EQ(LManager.Find(QStringLiteral("Docs\\data"), core::TqoPlatform::All, core::TqoDeviceClass::All)->GetKind(),
              core::TqoAssetFile::Kind);
}

TEST_F(AssetsManagerFrameTest, DeleteAsksAndOnlyYesDeletes)
{
    Open();
    Click(Node(QStringLiteral("Logo")));
    for (const auto LAnswer : {ide::TModalResult::mrNo, ide::TModalResult::mrCancel}) {
        FDialogs->Answers.push_back(LAnswer);
        QTest::keyClick(&Tree(), Qt::Key_Delete);
        EXPECT_TRUE(Names().contains(QStringLiteral("Logo")));
    }
    EXPECT_EQ(FDialogs->Asked.size(), 2);
    EXPECT_EQ(FDialogs->Asked.first(), QStringLiteral("All selected resource will be removed. Continue?"));
    // A theme goes with its assets, a folder of empty folders with them.
    Click(Node(QStringLiteral("Dark")), Qt::ControlModifier);
    FDialogs->Answers.push_back(ide::TModalResult::mrYes);
    QTest::keyClick(&Tree(), Qt::Key_Delete);
    for (const char* LGone : {"Logo", "Dark", "Dark\\Text", "Dark\\Logo"})
        EXPECT_FALSE(Names().contains(QString::fromLatin1(LGone))) << LGone;
    EXPECT_FALSE(Children(nullptr).contains(QStringLiteral("Dark")));
}

TEST_F(AssetsManagerFrameTest, SaveWritesFilesAndKeepsSelectionAndExpansion)
{
    Open();
    PVirtualNode LStar = Node(QStringLiteral("Icons\\Star"));
    Tree().SetExpanded(Tree().NodeParent(LStar), true);
    Click(LStar);
    Trigger("ActionAddColor");
    Click(Node(QStringLiteral("Icons\\Star")));
    Trigger("ActionSave");
    EXPECT_FALSE(FFrame->GetModified());
    EXPECT_TRUE(testdata::ReadAll(FDir.filePath(QStringLiteral("Assets/config.json"))).contains("Icons\\\\Color"));
    EXPECT_TRUE(testdata::ReadAll(FDir.filePath(QStringLiteral("Assets.Consts.pas"))).contains("Color"));
    const QList<PVirtualNode> LSelection = Tree().GetSortedSelection();
    ASSERT_EQ(LSelection.size(), 1);
    EXPECT_EQ(FFrame->GetAssetName(LSelection.first()), QStringLiteral("Icons\\Star"));
    EXPECT_TRUE(Tree().Expanded(Tree().NodeParent(LSelection.first())));
}

TEST_F(AssetsManagerFrameTest, ViewsFollowTheSelection)
{
    Open();
    Click(Node(QStringLiteral("Logo")));
    Click(Node(QStringLiteral("Avatar")), Qt::ControlModifier);
    EXPECT_EQ(FFrame->SelectedViews().size(), 2);
    // A folder: one view per asset directly inside it; a subfolder gives none.
    Click(Tree().NodeParent(Node(QStringLiteral("Icons\\Star"))));
    Trigger("ActionAddFolder");
    Click(Tree().NodeParent(Node(QStringLiteral("Icons\\Star"))));
    EXPECT_EQ(FFrame->SelectedViews().size(), 3);
    Tree().ClearSelection();
    EXPECT_TRUE(FFrame->SelectedViews().isEmpty());
}

TEST_F(AssetsManagerFrameTest, ConfigurationThatDoesNotLoadIsNamedAndNeverOverwritten)
{
    const QByteArray LBroken = "{\"format\": \"orvo-assets\",\n  \"assets\": [ oops ]}";
    Open(LBroken);
    EXPECT_TRUE(FFrame->LoadErrorText().contains(QStringLiteral("config.json")))
        << FFrame->LoadErrorText().toStdString();
    EXPECT_TRUE(FFrame->LoadErrorText().contains(QStringLiteral("2"))) << FFrame->LoadErrorText().toStdString();
    EXPECT_FALSE(FFrame->Action(QStringLiteral("ActionAddColor"))->isEnabled());
    EXPECT_THROW(FFrame->Save(false), std::exception);
    EXPECT_EQ(testdata::ReadAll(FDir.filePath(QStringLiteral("Assets/config.json"))), LBroken);
}

TEST_F(AssetsManagerFrameTest, CopyNameCloneAndConvertToTheme)
{
    Open();
    Click(Node(QStringLiteral("Light")));
    Trigger("ActionCopyName");
    EXPECT_EQ(ide::BorlandIDEServices().Supports<ide::IFMXClipboardService>()->GetClipboard(), QStringLiteral("Light"));
    PVirtualNode LIcons = Tree().NodeParent(Node(QStringLiteral("Icons\\Star")));
    Click(LIcons);
    FFrame->UpdateActions();
    EXPECT_FALSE(FFrame->Action(QStringLiteral("ActionCopyName"))->isEnabled());

    // A folder becomes a theme of the same name: no asset is renamed.
    const QStringList LBefore = Names();
    Trigger("ActionConvertFolderToThemeContainer");
    EXPECT_EQ(FFrame->GetNodeData(Tree().NodeParent(Node(QStringLiteral("Icons\\Star"))))->NodeType,
              TqoNodeType::AssetContainer);
    QStringList LExpected = LBefore;
    LExpected << QStringLiteral("Icons");
    LExpected.sort();
    EXPECT_EQ(Names(), LExpected);

    Click(Node(QStringLiteral("Icons\\Star")));
    Trigger("ActionCloneAsset");
    EXPECT_TRUE(Names().contains(QStringLiteral("Icons\\Star-1")));
    EXPECT_EQ(FFrame->GetAssetName(Tree().GetSortedSelection().value(0)), QStringLiteral("Icons\\Star-1"));
}
