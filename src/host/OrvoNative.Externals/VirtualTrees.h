#pragma once

// The virtual string tree: nodes the owner builds and walks through the tree's own calls, with
// data hung on each node and texts, images and order asked of the owner through events. Shown
// through Qt's model/view; selection and expansion live on the nodes so that a batch of
// structural changes can be shown at once by one model reset.

#include <QIcon>
#include <QList>
#include <QSet>
#include <QString>
#include <QTreeView>
#include <functional>
#include <memory>

class QMimeData;
class QPainter;

namespace ext {

// Data hung on a node; the node owns it and frees it when the node is freed.
class TNodeData
{
public:
    virtual ~TNodeData() = default;
};

class TVirtualNode; // opaque to users
using PVirtualNode = TVirtualNode*;

enum class TVTNodeAttachMode
{
    amNoWhere,
    amInsertBefore,
    amInsertAfter,
    amAddChildFirst,
    amAddChildLast
};
enum class TDropMode
{
    dmNowhere,
    dmAbove,
    dmOnNode,
    dmBelow
};
inline constexpr int NoColumn = -1;

struct TVirtualTreeColumn
{
    QString Text;
    int Width = 100;
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

class TVirtualTreeModel;
class TVirtualTreeHeader;
class TVirtualTreeDragData;

class TVirtualStringTree : public QTreeView
{
    Q_OBJECT

public:
    explicit TVirtualStringTree(QWidget* AParent = nullptr);
    // Frees the nodes' data without OnFreeNode: the owner may be half destroyed by then.
    ~TVirtualStringTree() override;

    // Columns and looks
    void SetColumns(const QList<TVirtualTreeColumn>& AColumns);
    void SetColumnText(int AColumn, const QString& AText);
    int ColumnCount() const { return int(FColumns.size()); }
    const TVirtualTreeColumn& Column(int AColumn) const { return FColumns.at(AColumn); }
    void SetDefaultNodeHeight(int AHeight);
    int DefaultNodeHeight() const { return FDefaultNodeHeight; }
    void SetHeaderHeight(int AHeight);

    // Nodes. A null parent or target means the invisible root.
    PVirtualNode AddChild(PVirtualNode AParent, std::unique_ptr<TNodeData> AData = {}); // last child
    PVirtualNode InsertNode(PVirtualNode ATarget, TVTNodeAttachMode AMode, std::unique_ptr<TNodeData> AData = {});
    // Keeps data, selection and expansion of the subtree. A move into the node's own subtree does nothing.
    void MoveTo(PVirtualNode ANode, PVirtualNode ATarget, TVTNodeAttachMode AMode);
    void DeleteNode(PVirtualNode ANode); // with its subtree; OnFreeNode for each, children first
    void DeleteChildren(PVirtualNode ANode);
    void Clear();
    TNodeData* GetNodeData(PVirtualNode ANode) const;
    template <class T> T* GetNodeData(PVirtualNode ANode) const { return static_cast<T*>(GetNodeData(ANode)); }
    PVirtualNode NodeParent(PVirtualNode ANode) const;      // null for top-level nodes
    PVirtualNode GetFirstChild(PVirtualNode AParent) const; // null parent: top level
    PVirtualNode GetLastChild(PVirtualNode AParent) const;
    PVirtualNode GetNextSibling(PVirtualNode ANode) const;
    PVirtualNode GetPreviousSibling(PVirtualNode ANode) const;
    int ChildCount(PVirtualNode AParent) const;
    int GetNodeLevel(PVirtualNode ANode) const;    // 0 at the top level
    int TotalCount() const { return FTotalCount; } // every node, the invisible root not counted

    // Expansion, selection, focus
    bool Expanded(PVirtualNode ANode) const;
    void SetExpanded(PVirtualNode ANode, bool AValue);
    bool Selected(PVirtualNode ANode) const { return ANode && FSelection.contains(ANode); }
    void SetSelected(PVirtualNode ANode, bool AValue);
    int SelectedCount() const { return int(FSelection.size()); }
    QList<PVirtualNode> GetSortedSelection() const; // in tree order (depth first, as shown)
    void ClearSelection();
    PVirtualNode FocusedNode() const { return FFocused; }
    void SetFocusedNode(PVirtualNode ANode);
    void ScrollIntoView(PVirtualNode ANode);

    // Sorting with OnCompareNodes (texts of the column without it): the children of one node, or the whole tree.
    // Inside a batch, SortTree in the same order as before places only the nodes added since, and sorts
    // the whole tree once more at the last EndUpdate, so that sorting after every added node stays cheap.
    void Sort(PVirtualNode AParent, int AColumn, Qt::SortOrder AOrder = Qt::AscendingOrder);
    void SortTree(int AColumn, Qt::SortOrder AOrder = Qt::AscendingOrder);

    // Batches: structural changes inside are shown at the last EndUpdate, and OnChange fires at most
    // once then (if the selection changed). Nested calls count.
    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return FUpdateCount > 0; }

    // In-place editing of a cell; OnNewText gets the committed text (not called when cancelled with Esc).
    bool EditNode(PVirtualNode ANode, int AColumn);
    bool IsEditing() const { return state() == EditingState; }
    void InvalidateNode(PVirtualNode ANode); // repaint after the owner changed its data
    PVirtualNode GetNodeAt(const QPoint& AViewportPos) const;
    QRect GetDisplayRect(PVirtualNode ANode, int AColumn) const; // viewport coordinates; NoColumn: the row
    // The node's cell in the view's model; invalid for null and inside a batch with structural changes.
    QModelIndex ModelIndex(PVirtualNode ANode, int AColumn = 0) const;
    // Where a drop at AViewportPos lands: the node under it and the part of its row.
    TDropMode GetDropMode(const QPoint& AViewportPos, PVirtualNode& ATarget) const;

    // Events (all optional)
    std::function<QString(PVirtualNode, int AColumn)> OnGetText;
    std::function<QIcon(PVirtualNode, int AColumn)> OnGetImage;
    std::function<int(PVirtualNode, PVirtualNode, int AColumn)> OnCompareNodes; // <0, 0, >0
    std::function<bool(PVirtualNode, int AColumn)> OnEditing; // may the cell be edited? default: column 0 only
    std::function<void(PVirtualNode, int AColumn, const QString& ANewText)> OnNewText;
    std::function<void()> OnChange;               // the selection changed
    std::function<void(PVirtualNode)> OnFreeNode; // before the node's data is freed
    std::function<bool(const QMimeData*, PVirtualNode ATarget, TDropMode)> OnDragOver; // default: accept
    // A drop. ANodes: the dragged nodes of this tree in tree order (empty for drops from other programs);
    // the tree never moves nodes itself: the owner does, through MoveTo or its own model.
    std::function<void(const QMimeData*, const QList<PVirtualNode>& ANodes, PVirtualNode ATarget, TDropMode)>
        OnDragDrop;
    std::function<void(QPainter&, const QRect&, int AColumn)> OnHeaderDrawBackground; // a header section's background

protected:
    void mousePressEvent(QMouseEvent* AEvent) override;
    void mouseReleaseEvent(QMouseEvent* AEvent) override;
    void startDrag(Qt::DropActions ASupportedActions) override;
    void dragEnterEvent(QDragEnterEvent* AEvent) override;
    void dragMoveEvent(QDragMoveEvent* AEvent) override;
    void dropEvent(QDropEvent* AEvent) override;

private:
    friend class TVirtualTreeModel;
    friend class TVirtualTreeHeader;
    friend class TVirtualTreeDragData;
    class TChangeScope;

    TVirtualNode* NodeOrRoot(PVirtualNode ANode) const;
    QModelIndex IndexOf(PVirtualNode ANode, int AColumn = 0) const;
    std::pair<TVirtualNode*, int> Destination(PVirtualNode ATarget, TVTNodeAttachMode AMode) const;
    PVirtualNode Attach(std::unique_ptr<TVirtualNode> ANode, TVirtualNode* AParent, int ARow);
    std::unique_ptr<TVirtualNode> Detach(PVirtualNode ANode);
    void FreeSubtree(TVirtualNode* ANode);
    void RemoveRows(TVirtualNode* AParent, int AFirst, int ALast);
    bool NodeLess(const TVirtualNode* A, const TVirtualNode* B, int AColumn, Qt::SortOrder AOrder) const;
    void SortChildren(TVirtualNode* AParent, int AColumn, Qt::SortOrder AOrder, bool ARecursive);
    void SortTail(TVirtualNode* AParent);
    void ChangeLayout(const std::function<void()>& AChange);
    void BeginStructureChange();
    void NoteSelected(PVirtualNode ANode, bool AValue);
    void ApplyViewState();
    void ApplyColumnWidths();
    void SelectionChanged(const QItemSelection& ASelected, const QItemSelection& ADeselected);
    void FireChange();
    bool AcceptsDrop(const QDropEvent* AEvent, PVirtualNode& ATarget, TDropMode& AMode,
                     QList<PVirtualNode>* ANodes) const;

    std::unique_ptr<TVirtualNode> FRoot;
    TVirtualTreeModel* FModel = nullptr;
    TVirtualTreeHeader* FHeader = nullptr;
    QList<TVirtualTreeColumn> FColumns;
    int FDefaultNodeHeight = 0;
    int FTotalCount = 0;
    QSet<PVirtualNode> FSelection;
    QSet<PVirtualNode> FExpansionChanges; // expanded or collapsed inside a batch
    QList<TVirtualTreeDragData*> FDrags;  // drags of this tree's nodes still alive
    QSet<TVirtualNode*> FUnsortedParents; // parents with children added after the last sort
    int FSortColumn = NoColumn - 1;       // the last SortTree's order; none yet
    Qt::SortOrder FSortOrder = Qt::AscendingOrder;
    bool FSortAtBatchEnd = false;
    bool FColumnWidthsPending = false;
    PVirtualNode FFocused = nullptr;
    PVirtualNode FScrollTarget = nullptr;
    PVirtualNode FEditOnRelease = nullptr;
    int FUpdateCount = 0;
    int FChangeDepth = 0;
    bool FResetPending = false;   // the model is inside a reset until the batch ends
    bool FViewStateDirty = false; // selection, expansion or focus set inside a batch
    bool FViewWasReset = false;   // the view forgot every expansion
    bool FSelectionChanged = false;
    bool FSyncing = false;  // the view's selection is being set from the nodes
    bool FRemoving = false; // rows are leaving; the nodes' selection is settled afterwards
};

} // namespace ext
