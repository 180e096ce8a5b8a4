#include "VirtualTrees.h"

#include <QAbstractItemModel>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

namespace ext {

namespace {
const QString InternalMimeType = QStringLiteral("application/x-orvo-virtual-tree-nodes");
const QString UriListMimeType = QStringLiteral("text/uri-list");
} // namespace

class TVirtualNode
{
public:
    TVirtualNode* Parent = nullptr;
    int Index = 0; // row among the parent's children, kept current on every change
    // How many leading children are in the tree's last sort order; nodes added after them are
    // placed by a binary search at the next sort inside a batch.
    int SortedCount = 0;
    std::vector<std::unique_ptr<TVirtualNode>> Children;
    std::unique_ptr<TNodeData> Data;
    bool Expanded = false;

    void Renumber(int AFrom)
    {
        for (int I = AFrom; I < int(Children.size()); ++I)
            Children[I]->Index = I;
    }
};

namespace {

// The rows from the top level down to the node: compared as they stand, the order in which the tree shows nodes.
std::vector<int> PathOf(const TVirtualNode* ANode)
{
    std::vector<int> LPath;
    for (; ANode && ANode->Parent; ANode = ANode->Parent)
        LPath.push_back(ANode->Index);
    std::reverse(LPath.begin(), LPath.end());
    return LPath;
}

QList<PVirtualNode> InTreeOrder(const QList<PVirtualNode>& ANodes)
{
    std::vector<std::pair<std::vector<int>, PVirtualNode>> LKeyed;
    LKeyed.reserve(ANodes.size());
    for (PVirtualNode LNode : ANodes)
        LKeyed.emplace_back(PathOf(LNode), LNode);
    std::sort(LKeyed.begin(), LKeyed.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
    QList<PVirtualNode> LResult;
    LResult.reserve(ANodes.size());
    for (const auto& LItem : LKeyed)
        LResult.append(LItem.second);
    return LResult;
}

TVirtualNode* NodeOf(const QModelIndex& AIndex) { return static_cast<TVirtualNode*>(AIndex.internalPointer()); }

} // namespace

// The nodes of a drag that started in a tree. The tree forgets freed nodes in it, so a drop
// after the owner rebuilt the tree never sees a dangling node.
class TVirtualTreeDragData : public QMimeData
{
public:
    QPointer<TVirtualStringTree> Source;
    QList<PVirtualNode> Nodes;

    ~TVirtualTreeDragData() override
    {
        if (Source)
            Source->FDrags.removeOne(this);
    }
};

class TVirtualStringTree::TChangeScope
{
public:
    explicit TChangeScope(TVirtualStringTree& ATree) : FTree(ATree) { ++FTree.FChangeDepth; }
    ~TChangeScope()
    {
        if (--FTree.FChangeDepth == 0)
            FTree.FireChange();
    }
    TChangeScope(const TChangeScope&) = delete;
    TChangeScope& operator=(const TChangeScope&) = delete;

private:
    TVirtualStringTree& FTree;
};

// The nodes as Qt sees them: an index's internal pointer is its node.
class TVirtualTreeModel : public QAbstractItemModel
{
public:
    explicit TVirtualTreeModel(TVirtualStringTree& ATree) : QAbstractItemModel(&ATree), FTree(ATree) {}

    QModelIndex Make(TVirtualNode* ANode, int AColumn) const { return createIndex(ANode->Index, AColumn, ANode); }

    QModelIndex index(int ARow, int AColumn, const QModelIndex& AParent = {}) const override
    {
        const TVirtualNode* LParent = AParent.isValid() ? NodeOf(AParent) : FTree.FRoot.get();
        if (ARow < 0 || ARow >= int(LParent->Children.size()) || AColumn < 0 || AColumn >= columnCount())
            return {};
        return createIndex(ARow, AColumn, LParent->Children[ARow].get());
    }

    QModelIndex parent(const QModelIndex& AChild) const override
    {
        if (!AChild.isValid())
            return {};
        TVirtualNode* LParent = NodeOf(AChild)->Parent;
        return !LParent || LParent == FTree.FRoot.get() ? QModelIndex() : Make(LParent, 0);
    }

    int rowCount(const QModelIndex& AParent = {}) const override
    {
        if (AParent.column() > 0)
            return 0;
        return int((AParent.isValid() ? NodeOf(AParent) : FTree.FRoot.get())->Children.size());
    }

    int columnCount(const QModelIndex& = {}) const override { return std::max(1, FTree.ColumnCount()); }

    QVariant data(const QModelIndex& AIndex, int ARole) const override
    {
        if (!AIndex.isValid())
            return {};
        switch (ARole) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return FTree.OnGetText ? FTree.OnGetText(NodeOf(AIndex), AIndex.column()) : QString();
        case Qt::DecorationRole:
            if (FTree.OnGetImage) {
                const QIcon LIcon = FTree.OnGetImage(NodeOf(AIndex), AIndex.column());
                if (!LIcon.isNull())
                    return LIcon;
            }
            return {};
        case Qt::TextAlignmentRole:
            if (AIndex.column() < FTree.ColumnCount())
                return int(FTree.Column(AIndex.column()).Alignment);
            return {};
        default:
            return {};
        }
    }

    QVariant headerData(int ASection, Qt::Orientation AOrientation, int ARole) const override
    {
        if (AOrientation != Qt::Horizontal || ASection < 0 || ASection >= FTree.ColumnCount())
            return {};
        if (ARole == Qt::DisplayRole)
            return FTree.Column(ASection).Text;
        if (ARole == Qt::TextAlignmentRole)
            return int(FTree.Column(ASection).Alignment);
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& AIndex) const override
    {
        if (!AIndex.isValid())
            return Qt::ItemIsDropEnabled;
        Qt::ItemFlags LFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
        const bool LEditable =
            FTree.OnEditing ? FTree.OnEditing(NodeOf(AIndex), AIndex.column()) : AIndex.column() == 0;
        return LEditable ? LFlags | Qt::ItemIsEditable : LFlags;
    }

    bool setData(const QModelIndex& AIndex, const QVariant& AValue, int ARole) override
    {
        if (!AIndex.isValid() || ARole != Qt::EditRole)
            return false;
        if (FTree.OnNewText)
            FTree.OnNewText(NodeOf(AIndex), AIndex.column(), AValue.toString());
        return true;
    }

    QStringList mimeTypes() const override { return {InternalMimeType, UriListMimeType}; }

    QMimeData* mimeData(const QModelIndexList& AIndexes) const override
    {
        QList<PVirtualNode> LNodes;
        for (const QModelIndex& LIndex : AIndexes)
            if (LIndex.isValid() && !LNodes.contains(NodeOf(LIndex)))
                LNodes.append(NodeOf(LIndex));
        auto* LData = new TVirtualTreeDragData;
        LData->Source = &FTree;
        LData->Nodes = InTreeOrder(LNodes);
        LData->setData(InternalMimeType, QByteArray::number(quintptr(&FTree), 16));
        FTree.FDrags.append(LData);
        return LData;
    }

    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction | Qt::CopyAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction | Qt::CopyAction; }

    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    void BeginInsert(const QModelIndex& AParent, int ARow) { beginInsertRows(AParent, ARow, ARow); }
    void EndInsert() { endInsertRows(); }
    void BeginRemove(const QModelIndex& AParent, int AFirst, int ALast) { beginRemoveRows(AParent, AFirst, ALast); }
    void EndRemove() { endRemoveRows(); }

    // Nodes never die inside a layout change, so every persistent index follows its node.
    void EndLayoutChange()
    {
        const QModelIndexList LOld = persistentIndexList();
        QModelIndexList LNew;
        LNew.reserve(LOld.size());
        for (const QModelIndex& LIndex : LOld)
            LNew.append(Make(NodeOf(LIndex), LIndex.column()));
        changePersistentIndexList(LOld, LNew);
        Q_EMIT layoutChanged();
    }

private:
    TVirtualStringTree& FTree;
};

class TVirtualTreeHeader : public QHeaderView
{
public:
    explicit TVirtualTreeHeader(TVirtualStringTree& ATree) : QHeaderView(Qt::Horizontal, &ATree), FTree(ATree) {}

    int FHeight = 0;

    QSize sizeHint() const override
    {
        QSize LSize = QHeaderView::sizeHint();
        if (FHeight > 0)
            LSize.setHeight(FHeight);
        return LSize;
    }

protected:
    void paintSection(QPainter* APainter, const QRect& ARect, int ALogicalIndex) const override
    {
        if (!FTree.OnHeaderDrawBackground) {
            QHeaderView::paintSection(APainter, ARect, ALogicalIndex);
            return;
        }
        APainter->save();
        FTree.OnHeaderDrawBackground(*APainter, ARect, ALogicalIndex);
        APainter->restore();
        QStyleOptionHeader LOption;
        initStyleOption(&LOption);
        LOption.rect = ARect;
        LOption.section = ALogicalIndex;
        LOption.text = model()->headerData(ALogicalIndex, Qt::Horizontal).toString();
        LOption.textAlignment =
            Qt::Alignment(model()->headerData(ALogicalIndex, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
        style()->drawControl(QStyle::CE_HeaderLabel, &LOption, APainter, this);
    }

private:
    TVirtualStringTree& FTree;
};

namespace {

class TVirtualTreeDelegate : public QStyledItemDelegate
{
public:
    explicit TVirtualTreeDelegate(TVirtualStringTree& ATree) : QStyledItemDelegate(&ATree), FTree(ATree) {}

    QSize sizeHint(const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override
    {
        QSize LSize = QStyledItemDelegate::sizeHint(AOption, AIndex);
        if (FTree.DefaultNodeHeight() > 0)
            LSize.setHeight(FTree.DefaultNodeHeight());
        return LSize;
    }

private:
    TVirtualStringTree& FTree;
};

} // namespace

TVirtualStringTree::TVirtualStringTree(QWidget* AParent) : QTreeView(AParent), FRoot(std::make_unique<TVirtualNode>())
{
    FHeader = new TVirtualTreeHeader(*this);
    setHeader(FHeader);
    FHeader->setStretchLastSection(false);
    FModel = new TVirtualTreeModel(*this);
    setModel(FModel);
    setItemDelegate(new TVirtualTreeDelegate(*this));
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    // All rows are alike, which keeps the layout of thousands of nodes cheap.
    setUniformRowHeights(true);
    // A click on the focused node edits it; that is decided here, not by Qt's delayed SelectedClicked.
    setEditTriggers(DoubleClicked | EditKeyPressed);
    setDragEnabled(true);
    setDragDropMode(DragDrop);
    setDropIndicatorShown(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& ASelected, const QItemSelection& ADeselected) {
                SelectionChanged(ASelected, ADeselected);
            });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& ACurrent) {
        if (!FSyncing && !FResetPending)
            FFocused = ACurrent.isValid() ? NodeOf(ACurrent) : nullptr;
    });
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& AIndex) {
        if (!FResetPending)
            NodeOf(AIndex)->Expanded = true;
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& AIndex) {
        if (!FResetPending)
            NodeOf(AIndex)->Expanded = false;
    });
}

TVirtualStringTree::~TVirtualStringTree()
{
    // The owner may be half gone by now: no more events, and the view lets go of the nodes
    // before they are freed.
    OnGetText = nullptr;
    OnGetImage = nullptr;
    OnEditing = nullptr;
    OnNewText = nullptr;
    OnChange = nullptr;
    OnFreeNode = nullptr;
    OnHeaderDrawBackground = nullptr;
    for (TVirtualTreeDragData* LDrag : std::as_const(FDrags)) {
        LDrag->Source = nullptr;
        LDrag->Nodes.clear();
    }
    FDrags.clear();
    setModel(nullptr);
    delete FModel;
}

// Columns and looks

void TVirtualStringTree::SetColumns(const QList<TVirtualTreeColumn>& AColumns)
{
    if (IsUpdating()) {
        // The header learns of the new sections with the reset at the batch's end.
        BeginStructureChange();
        FColumns = AColumns;
        FColumnWidthsPending = true;
        return;
    }
    FModel->BeginReset();
    FColumns = AColumns;
    FModel->EndReset();
    FViewWasReset = true;
    FViewStateDirty = true;
    ApplyViewState();
    ApplyColumnWidths();
}

void TVirtualStringTree::ApplyColumnWidths()
{
    FColumnWidthsPending = false;
    for (int I = 0; I < FColumns.size(); ++I)
        FHeader->resizeSection(I, FColumns[I].Width);
}

void TVirtualStringTree::SetColumnText(int AColumn, const QString& AText)
{
    if (AColumn < 0 || AColumn >= FColumns.size())
        return;
    FColumns[AColumn].Text = AText;
    Q_EMIT FModel->headerDataChanged(Qt::Horizontal, AColumn, AColumn);
}

void TVirtualStringTree::SetDefaultNodeHeight(int AHeight)
{
    FDefaultNodeHeight = AHeight;
    if (!FResetPending)
        scheduleDelayedItemsLayout();
}

void TVirtualStringTree::SetHeaderHeight(int AHeight)
{
    FHeader->FHeight = AHeight;
    FHeader->updateGeometry();
    updateGeometries();
}

// Nodes

TVirtualNode* TVirtualStringTree::NodeOrRoot(PVirtualNode ANode) const { return ANode ? ANode : FRoot.get(); }

QModelIndex TVirtualStringTree::IndexOf(PVirtualNode ANode, int AColumn) const
{
    return !ANode || ANode == FRoot.get() ? QModelIndex() : FModel->Make(ANode, AColumn);
}

void TVirtualStringTree::BeginStructureChange()
{
    if (!IsUpdating() || FResetPending)
        return;
    // The view must not look at the nodes until the batch ends and the model is reset.
    FResetPending = true;
    setUpdatesEnabled(false);
    FModel->BeginReset();
}

PVirtualNode TVirtualStringTree::Attach(std::unique_ptr<TVirtualNode> ANode, TVirtualNode* AParent, int ARow)
{
    TVirtualNode* LNode = ANode.get();
    LNode->Parent = AParent;
    AParent->Children.insert(AParent->Children.begin() + ARow, std::move(ANode));
    AParent->Renumber(ARow);
    AParent->SortedCount = std::min(AParent->SortedCount, ARow);
    FUnsortedParents.insert(AParent);
    return LNode;
}

std::unique_ptr<TVirtualNode> TVirtualStringTree::Detach(PVirtualNode ANode)
{
    TVirtualNode* LParent = ANode->Parent;
    const int LRow = ANode->Index;
    std::unique_ptr<TVirtualNode> LOwned = std::move(LParent->Children[LRow]);
    LParent->Children.erase(LParent->Children.begin() + LRow);
    LParent->Renumber(LRow);
    if (LRow < LParent->SortedCount)
        --LParent->SortedCount;
    return LOwned;
}

PVirtualNode TVirtualStringTree::AddChild(PVirtualNode AParent, std::unique_ptr<TNodeData> AData)
{
    return InsertNode(AParent, TVTNodeAttachMode::amAddChildLast, std::move(AData));
}

// Where a node attached to ATarget with AMode goes: its parent and row. Beside the invisible root
// means at either end of the top level.
std::pair<TVirtualNode*, int> TVirtualStringTree::Destination(PVirtualNode ATarget, TVTNodeAttachMode AMode) const
{
    const bool LAfter = AMode == TVTNodeAttachMode::amInsertAfter;
    if (AMode == TVTNodeAttachMode::amInsertBefore || LAfter) {
        if (!ATarget)
            return {FRoot.get(), LAfter ? int(FRoot->Children.size()) : 0};
        return {ATarget->Parent, ATarget->Index + (LAfter ? 1 : 0)};
    }
    TVirtualNode* LParent = NodeOrRoot(ATarget);
    return {LParent, AMode == TVTNodeAttachMode::amAddChildFirst ? 0 : int(LParent->Children.size())};
}

PVirtualNode TVirtualStringTree::InsertNode(PVirtualNode ATarget, TVTNodeAttachMode AMode,
                                            std::unique_ptr<TNodeData> AData)
{
    if (AMode == TVTNodeAttachMode::amNoWhere)
        return nullptr;
    const auto [LParent, LRow] = Destination(ATarget, AMode);
    auto LNode = std::make_unique<TVirtualNode>();
    LNode->Data = std::move(AData);
    const bool LLive = !IsUpdating();
    if (LLive)
        FModel->BeginInsert(IndexOf(LParent), LRow);
    else
        BeginStructureChange();
    PVirtualNode LResult = Attach(std::move(LNode), LParent, LRow);
    ++FTotalCount;
    if (LLive)
        FModel->EndInsert();
    return LResult;
}

void TVirtualStringTree::MoveTo(PVirtualNode ANode, PVirtualNode ATarget, TVTNodeAttachMode AMode)
{
    if (!ANode || ANode == FRoot.get() || AMode == TVTNodeAttachMode::amNoWhere || ATarget == ANode)
        return;
    for (const TVirtualNode* LUp = Destination(ATarget, AMode).first; LUp; LUp = LUp->Parent)
        if (LUp == ANode)
            return; // into its own subtree
    ChangeLayout([&] {
        std::unique_ptr<TVirtualNode> LOwned = Detach(ANode);
        // The row counts without the node itself.
        const auto [LParent, LRow] = Destination(ATarget, AMode);
        Attach(std::move(LOwned), LParent, LRow);
    });
}

void TVirtualStringTree::ChangeLayout(const std::function<void()>& AChange)
{
    if (IsUpdating()) {
        BeginStructureChange();
        AChange();
        return;
    }
    TChangeScope LScope(*this);
    Q_EMIT FModel->layoutAboutToBeChanged();
    AChange();
    FModel->EndLayoutChange();
    // Qt keeps selected rows across a layout change only as far as their ranges allow; the nodes know better.
    FViewStateDirty = true;
    ApplyViewState();
}

void TVirtualStringTree::DeleteNode(PVirtualNode ANode)
{
    if (!ANode || ANode == FRoot.get())
        return;
    RemoveRows(ANode->Parent, ANode->Index, ANode->Index);
}

void TVirtualStringTree::DeleteChildren(PVirtualNode ANode)
{
    TVirtualNode* LParent = NodeOrRoot(ANode);
    if (!LParent->Children.empty())
        RemoveRows(LParent, 0, int(LParent->Children.size()) - 1);
}

void TVirtualStringTree::Clear() { DeleteChildren(nullptr); }

void TVirtualStringTree::RemoveRows(TVirtualNode* AParent, int AFirst, int ALast)
{
    TChangeScope LScope(*this);
    const bool LLive = !IsUpdating();
    if (LLive) {
        FRemoving = true;
        FModel->BeginRemove(IndexOf(AParent), AFirst, ALast);
    } else {
        BeginStructureChange();
    }
    std::vector<std::unique_ptr<TVirtualNode>> LGone;
    for (int I = AFirst; I <= ALast; ++I)
        LGone.push_back(std::move(AParent->Children[I]));
    AParent->Children.erase(AParent->Children.begin() + AFirst, AParent->Children.begin() + ALast + 1);
    AParent->Renumber(AFirst);
    if (AFirst < AParent->SortedCount)
        AParent->SortedCount -= std::min(ALast + 1, AParent->SortedCount) - AFirst;
    if (LLive) {
        FModel->EndRemove();
        FRemoving = false;
    }
    // First forget the nodes everywhere, so that a failing OnFreeNode leaves no dangling pointer behind.
    std::function<void(TVirtualNode*)> Forget = [&](TVirtualNode* ANode) {
        for (const auto& LChild : ANode->Children)
            Forget(LChild.get());
        if (FSelection.remove(ANode))
            FSelectionChanged = true;
        FExpansionChanges.remove(ANode);
        FUnsortedParents.remove(ANode);
        if (FFocused == ANode)
            FFocused = nullptr;
        if (FScrollTarget == ANode)
            FScrollTarget = nullptr;
        if (FEditOnRelease == ANode)
            FEditOnRelease = nullptr;
        for (TVirtualTreeDragData* LDrag : std::as_const(FDrags))
            LDrag->Nodes.removeAll(ANode);
        --FTotalCount;
    };
    for (const auto& LNode : LGone)
        Forget(LNode.get());
    for (const auto& LNode : LGone)
        FreeSubtree(LNode.get());
}

void TVirtualStringTree::FreeSubtree(TVirtualNode* ANode)
{
    for (const auto& LChild : ANode->Children)
        FreeSubtree(LChild.get());
    if (OnFreeNode)
        OnFreeNode(ANode);
    ANode->Data.reset();
}

TNodeData* TVirtualStringTree::GetNodeData(PVirtualNode ANode) const { return ANode ? ANode->Data.get() : nullptr; }

PVirtualNode TVirtualStringTree::NodeParent(PVirtualNode ANode) const
{
    return ANode && ANode->Parent != FRoot.get() ? ANode->Parent : nullptr;
}

PVirtualNode TVirtualStringTree::GetFirstChild(PVirtualNode AParent) const
{
    const TVirtualNode* LParent = NodeOrRoot(AParent);
    return LParent->Children.empty() ? nullptr : LParent->Children.front().get();
}

PVirtualNode TVirtualStringTree::GetLastChild(PVirtualNode AParent) const
{
    const TVirtualNode* LParent = NodeOrRoot(AParent);
    return LParent->Children.empty() ? nullptr : LParent->Children.back().get();
}

PVirtualNode TVirtualStringTree::GetNextSibling(PVirtualNode ANode) const
{
    if (!ANode || !ANode->Parent || ANode->Index + 1 >= int(ANode->Parent->Children.size()))
        return nullptr;
    return ANode->Parent->Children[ANode->Index + 1].get();
}

PVirtualNode TVirtualStringTree::GetPreviousSibling(PVirtualNode ANode) const
{
    if (!ANode || !ANode->Parent || ANode->Index == 0)
        return nullptr;
    return ANode->Parent->Children[ANode->Index - 1].get();
}

int TVirtualStringTree::ChildCount(PVirtualNode AParent) const { return int(NodeOrRoot(AParent)->Children.size()); }

int TVirtualStringTree::GetNodeLevel(PVirtualNode ANode) const
{
    int LLevel = 0;
    for (; ANode && ANode->Parent && ANode->Parent != FRoot.get(); ANode = ANode->Parent)
        ++LLevel;
    return LLevel;
}

// Expansion, selection, focus

bool TVirtualStringTree::Expanded(PVirtualNode ANode) const { return ANode && ANode->Expanded; }

void TVirtualStringTree::SetExpanded(PVirtualNode ANode, bool AValue)
{
    if (!ANode || ANode == FRoot.get())
        return;
    ANode->Expanded = AValue;
    if (IsUpdating()) {
        FExpansionChanges.insert(ANode);
        FViewStateDirty = true;
    } else {
        setExpanded(IndexOf(ANode), AValue);
    }
}

void TVirtualStringTree::NoteSelected(PVirtualNode ANode, bool AValue)
{
    const bool LChanged = AValue ? !FSelection.contains(ANode) : FSelection.contains(ANode);
    if (!LChanged)
        return;
    if (AValue)
        FSelection.insert(ANode);
    else
        FSelection.remove(ANode);
    FSelectionChanged = true;
}

void TVirtualStringTree::SetSelected(PVirtualNode ANode, bool AValue)
{
    if (!ANode || ANode == FRoot.get())
        return;
    TChangeScope LScope(*this);
    if (IsUpdating()) {
        FViewStateDirty = true;
    } else {
        selectionModel()->select(IndexOf(ANode),
                                 (AValue ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                     QItemSelectionModel::Rows);
    }
    NoteSelected(ANode, AValue);
}

QList<PVirtualNode> TVirtualStringTree::GetSortedSelection() const { return InTreeOrder(FSelection.values()); }

void TVirtualStringTree::ClearSelection()
{
    TChangeScope LScope(*this);
    if (IsUpdating())
        FViewStateDirty = true;
    else
        selectionModel()->clearSelection();
    for (PVirtualNode LNode : FSelection.values())
        NoteSelected(LNode, false);
}

void TVirtualStringTree::SetFocusedNode(PVirtualNode ANode)
{
    FFocused = ANode == FRoot.get() ? nullptr : ANode;
    if (IsUpdating()) {
        FViewStateDirty = true;
        return;
    }
    FSyncing = true;
    selectionModel()->setCurrentIndex(IndexOf(FFocused), QItemSelectionModel::NoUpdate);
    FSyncing = false;
}

void TVirtualStringTree::ScrollIntoView(PVirtualNode ANode)
{
    if (!ANode)
        return;
    if (IsUpdating()) {
        FScrollTarget = ANode;
        FViewStateDirty = true;
    } else {
        scrollTo(IndexOf(ANode));
    }
}

void TVirtualStringTree::SelectionChanged(const QItemSelection& ASelected, const QItemSelection& ADeselected)
{
    // Rows on their way out are settled by the removal itself.
    if (FSyncing || FResetPending || FRemoving)
        return;
    TChangeScope LScope(*this);
    const auto Note = [this](const QItemSelection& ARanges, bool AValue) {
        for (const QItemSelectionRange& LRange : ARanges) {
            if (!LRange.isValid())
                continue;
            for (int LRow = LRange.top(); LRow <= LRange.bottom(); ++LRow) {
                const QModelIndex LIndex = FModel->index(LRow, 0, LRange.parent());
                if (LIndex.isValid())
                    NoteSelected(NodeOf(LIndex), AValue);
            }
        }
    };
    Note(ADeselected, false);
    Note(ASelected, true);
}

void TVirtualStringTree::FireChange()
{
    if (IsUpdating() || FChangeDepth > 0 || !FSelectionChanged)
        return;
    FSelectionChanged = false;
    if (OnChange)
        OnChange();
}

// Shows what the nodes say: expansion, selection and focus, after a reset or a batch.
void TVirtualStringTree::ApplyViewState()
{
    if (!FViewStateDirty)
        return;
    FViewStateDirty = false;
    FSyncing = true;
    if (FViewWasReset) {
        // The reset collapsed everything in the view.
        std::function<void(TVirtualNode*)> Expand = [&](TVirtualNode* ANode) {
            for (const auto& LChild : ANode->Children) {
                if (LChild->Expanded)
                    setExpanded(IndexOf(LChild.get()), true);
                if (!LChild->Children.empty())
                    Expand(LChild.get());
            }
        };
        Expand(FRoot.get());
    } else {
        for (PVirtualNode LNode : std::as_const(FExpansionChanges))
            setExpanded(IndexOf(LNode), LNode->Expanded);
    }
    FExpansionChanges.clear();
    FViewWasReset = false;
    // One range per run of selected siblings: Qt's selection work grows with the number of ranges.
    QItemSelection LSelection;
    const int LLastColumn = FModel->columnCount() - 1;
    const QList<PVirtualNode> LSelected = GetSortedSelection();
    for (qsizetype I = 0; I < LSelected.size();) {
        qsizetype LEnd = I + 1;
        while (LEnd < LSelected.size() && LSelected[LEnd]->Parent == LSelected[I]->Parent &&
               LSelected[LEnd]->Index == LSelected[LEnd - 1]->Index + 1)
            ++LEnd;
        LSelection.select(IndexOf(LSelected[I], 0), IndexOf(LSelected[LEnd - 1], LLastColumn));
        I = LEnd;
    }
    selectionModel()->select(LSelection, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(IndexOf(FFocused), QItemSelectionModel::NoUpdate);
    FSyncing = false;
    if (PVirtualNode LTarget = std::exchange(FScrollTarget, nullptr))
        scrollTo(IndexOf(LTarget));
}

// Sorting

bool TVirtualStringTree::NodeLess(const TVirtualNode* A, const TVirtualNode* B, int AColumn, Qt::SortOrder AOrder) const
{
    if (AOrder == Qt::DescendingOrder)
        std::swap(A, B);
    auto* LA = const_cast<TVirtualNode*>(A);
    auto* LB = const_cast<TVirtualNode*>(B);
    if (OnCompareNodes)
        return OnCompareNodes(LA, LB, AColumn) < 0;
    return OnGetText(LA, AColumn).compare(OnGetText(LB, AColumn)) < 0;
}

void TVirtualStringTree::SortChildren(TVirtualNode* AParent, int AColumn, Qt::SortOrder AOrder, bool ARecursive)
{
    auto& LChildren = AParent->Children;
    if (LChildren.size() > 1 && (OnCompareNodes || OnGetText)) {
        std::stable_sort(LChildren.begin(), LChildren.end(),
                         [&](const auto& A, const auto& B) { return NodeLess(A.get(), B.get(), AColumn, AOrder); });
        AParent->Renumber(0);
    }
    const bool LTreeOrder = AColumn == FSortColumn && AOrder == FSortOrder;
    AParent->SortedCount = LTreeOrder ? int(LChildren.size()) : 0;
    if (LTreeOrder)
        FUnsortedParents.remove(AParent);
    if (ARecursive)
        for (const auto& LChild : LChildren)
            if (!LChild->Children.empty())
                SortChildren(LChild.get(), AColumn, AOrder, true);
}

// Places the children after the sorted prefix into it, each after its equals as a stable sort would.
void TVirtualStringTree::SortTail(TVirtualNode* AParent)
{
    auto& LChildren = AParent->Children;
    if (!OnCompareNodes && !OnGetText) {
        AParent->SortedCount = int(LChildren.size());
        return;
    }
    const int LFirstNew = AParent->SortedCount;
    int LFirstMoved = int(LChildren.size());
    for (int I = LFirstNew; I < int(LChildren.size()); ++I) {
        const auto LEnd = LChildren.begin() + I;
        const auto LPlace = std::upper_bound(LChildren.begin(), LEnd, LChildren[I], [&](const auto& A, const auto& B) {
            return NodeLess(A.get(), B.get(), FSortColumn, FSortOrder);
        });
        if (LPlace != LEnd) {
            LFirstMoved = std::min(LFirstMoved, int(LPlace - LChildren.begin()));
            std::rotate(LPlace, LEnd, LEnd + 1);
        }
    }
    AParent->SortedCount = int(LChildren.size());
    AParent->Renumber(std::min(LFirstMoved, LFirstNew));
}

void TVirtualStringTree::Sort(PVirtualNode AParent, int AColumn, Qt::SortOrder AOrder)
{
    ChangeLayout([&] { SortChildren(NodeOrRoot(AParent), AColumn, AOrder, false); });
}

void TVirtualStringTree::SortTree(int AColumn, Qt::SortOrder AOrder)
{
    const bool LSameOrder = AColumn == FSortColumn && AOrder == FSortOrder;
    FSortColumn = AColumn;
    FSortOrder = AOrder;
    if (IsUpdating() && LSameOrder) {
        // Building a tree sorts after every node: only the new nodes are placed now, and a full sort
        // at the end of the batch catches nodes whose texts changed.
        BeginStructureChange();
        for (TVirtualNode* LParent : std::as_const(FUnsortedParents))
            SortTail(LParent);
        FUnsortedParents.clear();
        FSortAtBatchEnd = true;
        return;
    }
    ChangeLayout([&] { SortChildren(FRoot.get(), AColumn, AOrder, true); });
    FUnsortedParents.clear();
}

// Batches

void TVirtualStringTree::BeginUpdate() { ++FUpdateCount; }

void TVirtualStringTree::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    TChangeScope LScope(*this);
    if (--FUpdateCount > 0)
        return;
    if (std::exchange(FSortAtBatchEnd, false))
        SortChildren(FRoot.get(), FSortColumn, FSortOrder, true);
    if (FResetPending) {
        FModel->EndReset();
        FResetPending = false;
        FViewWasReset = true;
        FViewStateDirty = true;
        setUpdatesEnabled(true);
    }
    if (FColumnWidthsPending)
        ApplyColumnWidths();
    ApplyViewState();
}

// Editing and looks of single nodes

bool TVirtualStringTree::EditNode(PVirtualNode ANode, int AColumn)
{
    if (!ANode || ANode == FRoot.get() || IsUpdating() || AColumn < 0 || AColumn >= FModel->columnCount())
        return false;
    const QModelIndex LIndex = IndexOf(ANode, AColumn);
    if (!(FModel->flags(LIndex) & Qt::ItemIsEditable))
        return false;
    scrollTo(LIndex);
    return edit(LIndex, AllEditTriggers, nullptr);
}

void TVirtualStringTree::InvalidateNode(PVirtualNode ANode)
{
    if (!ANode || ANode == FRoot.get() || FResetPending)
        return;
    Q_EMIT FModel->dataChanged(IndexOf(ANode, 0), IndexOf(ANode, FModel->columnCount() - 1));
}

QModelIndex TVirtualStringTree::ModelIndex(PVirtualNode ANode, int AColumn) const
{
    return FResetPending || AColumn < 0 || AColumn >= FModel->columnCount() ? QModelIndex() : IndexOf(ANode, AColumn);
}

PVirtualNode TVirtualStringTree::GetNodeAt(const QPoint& AViewportPos) const
{
    if (FResetPending)
        return nullptr;
    // The whole row counts, also right of the last column.
    const int LRight = FHeader->length() - FHeader->offset() - 1;
    const QModelIndex LIndex = indexAt(QPoint(std::clamp(AViewportPos.x(), 0, std::max(0, LRight)), AViewportPos.y()));
    return LIndex.isValid() ? NodeOf(LIndex) : nullptr;
}

QRect TVirtualStringTree::GetDisplayRect(PVirtualNode ANode, int AColumn) const
{
    if (!ANode || ANode == FRoot.get() || FResetPending || AColumn >= FModel->columnCount())
        return {};
    if (AColumn != NoColumn)
        return visualRect(IndexOf(ANode, AColumn));
    const QRect LCell = visualRect(IndexOf(ANode, 0));
    return LCell.isEmpty() ? QRect() : QRect(0, LCell.top(), viewport()->width(), LCell.height());
}

TDropMode TVirtualStringTree::GetDropMode(const QPoint& AViewportPos, PVirtualNode& ATarget) const
{
    ATarget = GetNodeAt(AViewportPos);
    if (!ATarget)
        return TDropMode::dmNowhere;
    const QRect LRow = visualRect(IndexOf(ATarget, 0));
    const int LY = AViewportPos.y() - LRow.top();
    if (LY * 4 < LRow.height())
        return TDropMode::dmAbove;
    if (LY * 4 >= LRow.height() * 3)
        return TDropMode::dmBelow;
    return TDropMode::dmOnNode;
}

// Mouse

void TVirtualStringTree::mousePressEvent(QMouseEvent* AEvent)
{
    FEditOnRelease = nullptr;
    if (FResetPending)
        return;
    TChangeScope LScope(*this);
    const QPoint LPos = AEvent->position().toPoint();
    const PVirtualNode LNode = GetNodeAt(LPos);
    if (!LNode) {
        setFocus(Qt::MouseFocusReason);
        ClearSelection();
        AEvent->accept();
        return;
    }
    if (AEvent->button() == Qt::RightButton) {
        // The context menu acts on what the pointer is on.
        if (!Selected(LNode))
            selectionModel()->setCurrentIndex(IndexOf(LNode),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        AEvent->accept();
        return;
    }
    const QRect LCell = visualRect(IndexOf(LNode, 0));
    if (AEvent->button() == Qt::LeftButton && AEvent->modifiers() == Qt::NoModifier && LNode == FFocused &&
        Selected(LNode) && LCell.contains(LPos) && !IsEditing())
        FEditOnRelease = LNode;
    QTreeView::mousePressEvent(AEvent);
}

void TVirtualStringTree::mouseReleaseEvent(QMouseEvent* AEvent)
{
    const PVirtualNode LEdit = std::exchange(FEditOnRelease, nullptr);
    {
        TChangeScope LScope(*this);
        QTreeView::mouseReleaseEvent(AEvent);
    }
    if (LEdit && AEvent->button() == Qt::LeftButton && GetNodeAt(AEvent->position().toPoint()) == LEdit && !IsEditing())
        EditNode(LEdit, 0);
}

// Drag and drop

void TVirtualStringTree::startDrag(Qt::DropActions)
{
    FEditOnRelease = nullptr;
    QModelIndexList LIndexes;
    for (PVirtualNode LNode : GetSortedSelection())
        LIndexes.append(IndexOf(LNode));
    if (LIndexes.isEmpty())
        return;
    // The owner moves the nodes in OnDragDrop; Qt's own removal after a move must not run.
    auto* LDrag = new QDrag(this);
    LDrag->setMimeData(FModel->mimeData(LIndexes));
    LDrag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

bool TVirtualStringTree::AcceptsDrop(const QDropEvent* AEvent, PVirtualNode& ATarget, TDropMode& AMode,
                                     QList<PVirtualNode>* ANodes) const
{
    const QMimeData* LData = AEvent->mimeData();
    if (!LData)
        return false;
    const auto* LOwn = dynamic_cast<const TVirtualTreeDragData*>(LData);
    const bool LInternal = LOwn && LOwn->Source == this;
    if (!LInternal && !LData->hasUrls())
        return false;
    AMode = GetDropMode(AEvent->position().toPoint(), ATarget);
    if (ANodes)
        *ANodes = LInternal ? LOwn->Nodes : QList<PVirtualNode>();
    return true;
}

void TVirtualStringTree::dragEnterEvent(QDragEnterEvent* AEvent)
{
    PVirtualNode LTarget = nullptr;
    TDropMode LMode = TDropMode::dmNowhere;
    if (!AcceptsDrop(AEvent, LTarget, LMode, nullptr) || FResetPending) {
        AEvent->ignore();
        return;
    }
    // Entering is always allowed, so that the moves that follow can ask the owner.
    setState(DraggingState);
    AEvent->acceptProposedAction();
}

void TVirtualStringTree::dragMoveEvent(QDragMoveEvent* AEvent)
{
    // Qt's part: scrolling while the pointer is near an edge.
    QTreeView::dragMoveEvent(AEvent);
    PVirtualNode LTarget = nullptr;
    TDropMode LMode = TDropMode::dmNowhere;
    QList<PVirtualNode> LNodes;
    if (FResetPending || !AcceptsDrop(AEvent, LTarget, LMode, &LNodes) ||
        (OnDragOver && !OnDragOver(AEvent->mimeData(), LTarget, LMode))) {
        AEvent->ignore();
        return;
    }
    const bool LMove = !LNodes.isEmpty() && (AEvent->possibleActions() & Qt::MoveAction);
    AEvent->setDropAction(LMove ? Qt::MoveAction : AEvent->proposedAction());
    AEvent->accept();
}

void TVirtualStringTree::dropEvent(QDropEvent* AEvent)
{
    stopAutoScroll();
    setState(NoState);
    PVirtualNode LTarget = nullptr;
    TDropMode LMode = TDropMode::dmNowhere;
    QList<PVirtualNode> LNodes;
    if (FResetPending || !AcceptsDrop(AEvent, LTarget, LMode, &LNodes)) {
        AEvent->ignore();
        return;
    }
    const bool LMove = !LNodes.isEmpty() && (AEvent->possibleActions() & Qt::MoveAction);
    AEvent->setDropAction(LMove ? Qt::MoveAction : AEvent->proposedAction());
    AEvent->accept();
    if (OnDragDrop)
        OnDragDrop(AEvent->mimeData(), LNodes, LTarget, LMode);
}

} // namespace ext
