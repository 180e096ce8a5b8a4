#pragma once

// The Assets Manager's frame: the tree of a project's assets with its commands on the left, the
// views of the selected assets on the right. It holds the widget-free document and follows the
// model's reports; no command writes files, only Save does.

#include "VirtualTrees.h"
#include "assets/designer/ORVO.Assets.Designer.h"

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QSplitter;
class QToolBar;
class QToolButton;
class QVBoxLayout;

namespace orvo {

class TAssetsView;

enum class TqoNodeType
{
    Folder,
    AssetContainer,
    Asset
};

// What a tree node stands for; the node owns it.
class TqoNodeData : public ext::TNodeData
{
public:
    TqoNodeType NodeType = TqoNodeType::Folder;
    QString Caption; // the last level of the name
    QString Size;    // the info column's text; empty for folders
    int ImageIndex = 0;
};

using PVirtualNode = ext::PVirtualNode;

class TFrameAssetManager : public QWidget
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TFrameAssetManager(QWidget* AParent = nullptr);
    ~TFrameAssetManager() override;

    // Loads the project's assets. A configuration that does not load leaves the frame empty with
    // a message naming the file and line, and the document refuses to save over it.
    void SetProject(const std::shared_ptr<ide::IOTAProject>& AProject);
    // Expands to that asset or folder ("Icons\\Home", "Icons") and selects it; names are matched
    // without regard to case, and a name not in the tree changes nothing.
    Q_INVOKABLE void SetInitialAssetName(const QString& AName);
    void LoadUISettings();
    void SaveUISettings();

    TqoAssetsDocument& Document() const { return *FDocument; }
    TqoAssetsModel& Model() const { return FDocument->GetModel(); }
    bool GetModified() const { return FDocument->GetModified(); }
    // The document's save; the tree keeps its selection and expansion.
    TqoAssetsSaveResult Save(bool AIsProjectDestroying);
    // The message shown instead of the assets when the configuration did not load; empty otherwise.
    Q_INVOKABLE QString LoadErrorText() const;
    // Whether the tree has a node of that asset name or folder path (case-sensitive).
    Q_INVOKABLE bool ContainsName(const QString& AName) const;

    // The tree and its nodes.
    ext::TVirtualStringTree& Tree() const { return *FTree; }
    TqoNodeData* GetNodeData(PVirtualNode ANode) const;
    PVirtualNode AddNode(const core::TqoAsset& AAsset);
    PVirtualNode AddFolderNode(PVirtualNode AParent, const QString& AName);
    // The container-like node of a path ("A\\B"), creating the folders that are missing; null
    // for the top level.
    PVirtualNode GetNodeForPath(const QString& APath);
    PVirtualNode DefineRootNode(const QString& APath) { return GetNodeForPath(APath); }
    bool TryFindNode(const QString& AName, PVirtualNode& ANode) const;
    void SelectNode(const QString& AName, bool AClearSelection);
    void ExpandNodesToAsset(const QString& AName);
    // The captions from the top level down to the node, joined with backslashes.
    QString GetAssetName(PVirtualNode ANode) const;
    QString GetAssetNameForNode(PVirtualNode ANode) const { return GetAssetName(ANode); }
    // The node's asset name and a backslash; empty for the top level (null).
    QString GetPathForNode(PVirtualNode ANode) const;
    QString GenerateNodeName(const QString& ABase, PVirtualNode AParent, PVirtualNode AExcept = nullptr) const;
    QString GenerateUniqueNameForCurrentFolder(PVirtualNode AFolder, const QString& ABase) const;
    PVirtualNode FindFolder(PVirtualNode ANode) const;
    PVirtualNode FindFolderAmongSelected() const;
    PVirtualNode FindFolderAmongSelectedAndAvoidThemeNode() const;
    PVirtualNode FindThemeContainerParentNode(PVirtualNode ANode) const;
    bool IsInThemeContainerNode(PVirtualNode ANode) const;
    void MoveNodesToNewParent(const QList<PVirtualNode>& ANodes, PVirtualNode ATarget, ext::TVTNodeAttachMode AMode);
    void DeleteNode(PVirtualNode ANode);
    // Files and folders dropped from another program onto the node (null: the current folder).
    void DropFiles(const QStringList& AFileNames, PVirtualNode ATarget);

    // The tree's 24x24 images: the kinds' fixed ones, then the previews of this load.
    int AddPreview(const core::TqoAsset* AAsset, const QImage* APreview);
    int ReplacePreview(const core::TqoAsset* AAsset, const QImage& APreview);
    void RestoreBitmapScales(const core::TqoAssetGroup& AGroup);

    // The views shown for the selection, in order.
    QList<TAssetsView*> SelectedViews() const;
    QWidget* ViewsPanel() const;
    QAction* Action(const QString& AName) const;
    // Recomputes which commands are enabled, as the IDE does when it is idle.
    void UpdateActions();

    static constexpr int DefaultTreeWidth = 480;
    static constexpr int MinTreeWidth = 200;

Q_SIGNALS:
    // The views of the current selection are built and laid out.
    void ViewsReady();

protected:
    void showEvent(QShowEvent* AEvent) override;
    void resizeEvent(QResizeEvent* AEvent) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    void CreateActions();
    void CreateLayout();
    QAction* NewAction(const QString& AName, const std::function<void()>& AExecute);
    void Translate();

    // Tree building and the model's reports.
    void LoadTree();
    void AssetsChangedHandler(const core::TqoAssetName& AName, TqoAssetOperation AOperation);
    void AssetRenamedHandler(const core::TqoAssetName& AOldName, const core::TqoAssetName& ANewName);
    void NeedUpdateAssetPreviewHandler(core::TqoAsset* AAsset);
    int CompareNodes(PVirtualNode ANode1, PVirtualNode ANode2) const;
    void SortTree();
    bool IsContainerLike(PVirtualNode ANode) const;
    void DeleteEmptyFolders(PVirtualNode ANode, bool AWithParents);
    void DeleteEmptyFoldersAmongSelected();
    bool DeleteNestedEmptyFolders(PVirtualNode ANode);

    // Commands.
    void AddAssetCommand(const QString& AKind, const QString& ABaseName);
    void AddThemeCommand();
    // Asks for a light or dark theme and two hues, then adds a theme container of colors.
    void ActionGenerateThemeColorsExecute();
    void AddFolderCommand();
    void DeleteCommand();
    void CopyNameCommand();
    void CloneCommand();
    void ConvertToThemeCommand();
    void GenerateMaskCommand();
    void GenerateImageStubCommand();
    // Adds the icons chosen in the Material icons dialog to the current folder.
    void ActionImportIconsCollectionsExecute();
    // Icon folders chosen in a folder dialog, each imported as one bitmap set into the current folder.
    void ImportIconPackCommand();
    // One folder of an import into the folder node (null: the top level); false when the folder
    // is no icon folder. The added name goes to ALastName, a failure to AErrors.
    bool ImportIconFolderInto(const QString& AFolder, PVirtualNode ATarget, bool AMultipleFolders, int& ARememberedSize,
                              QString& ALastName, QStringList& AErrors);
    void SaveCommand();
    void NewText(PVirtualNode ANode, const QString& AText);
    void DragDrop(const QMimeData* AData, const QList<PVirtualNode>& ANodes, PVirtualNode ATarget,
                  ext::TDropMode AMode);

    // Views of the selection.
    void SelectionChanged();
    void ClearViews();
    void ApplyTreeWidth();
    void NotifyViewsReady();

    std::unique_ptr<TqoAssetsDocument> FDocument;
    ext::TVirtualStringTree* FTree = nullptr;
    QSplitter* FSplitter = nullptr;
    QWidget* FTreePanel = nullptr;
    QToolBar* FToolBar = nullptr;
    QToolButton* FSaveButton = nullptr;
    QMenu* FContextMenu = nullptr;
    QScrollArea* FImageSetPanel = nullptr;
    QVBoxLayout* FViewsLayout = nullptr;
    QLabel* FPanelSpacer = nullptr;
    QLabel* FMessage = nullptr;
    QHash<QString, QAction*> FActions;
    std::map<PVirtualNode, TAssetsView*> FSelectedViews;
    QList<TAssetsView*> FViews;
    QList<QIcon> FImages;
    int FInitialTreeIconsCount = 0;
    QHash<QString, int> FPreviewIndexes; // by the asset's identity
    QString FLoadError;
    int FPendingTreeWidth = DefaultTreeWidth;
};

} // namespace orvo
