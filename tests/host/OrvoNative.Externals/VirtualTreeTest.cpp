#include "TestData.h"
#include "VirtualTrees.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {

using ext::PVirtualNode;
using ext::TDropMode;
using ext::TVTNodeAttachMode;

int GLiveItems = 0;

struct TItem : ext::TNodeData
{
    explicit TItem(QString ACaption) : Caption(std::move(ACaption)) { ++GLiveItems; }
    ~TItem() override { --GLiveItems; }
    QString Caption;
};

class VirtualTree : public testing::Test
{
protected:
    ext::TVirtualStringTree FTree;
    QStringList FFreed;
    int FChanges = 0;

    void SetUp() override
    {
        FTree.SetColumns({{QStringLiteral("Name"), 150}, {QStringLiteral("Info"), 80}});
        FTree.SetDefaultNodeHeight(32);
        FTree.resize(260, 400);
        FTree.OnGetText = [this](PVirtualNode ANode, int AColumn) { return AColumn == 0 ? Caption(ANode) : QString(); };
        FTree.OnFreeNode = [this](PVirtualNode ANode) { FFreed.append(Caption(ANode)); };
        FTree.OnChange = [this] { ++FChanges; };
        FTree.show();
    }

    PVirtualNode Add(PVirtualNode AParent, const QString& ACaption)
    {
        return FTree.AddChild(AParent, std::make_unique<TItem>(ACaption));
    }
    QString Caption(PVirtualNode ANode) const { return FTree.GetNodeData<TItem>(ANode)->Caption; }

    // The nodes as shown: "A(B C) D".
    QString Dump(PVirtualNode AParent = nullptr) const
    {
        QStringList LParts;
        for (PVirtualNode N = FTree.GetFirstChild(AParent); N; N = FTree.GetNextSibling(N))
            LParts.append(Caption(N) + (FTree.ChildCount(N) ? "(" + Dump(N) + ")" : QString()));
        return LParts.join(' ');
    }
    QString Names(const QList<PVirtualNode>& ANodes) const
    {
        QStringList LNames;
        for (PVirtualNode N : ANodes)
            LNames.append(Caption(N));
        return LNames.join(' ');
    }

    QPoint Center(PVirtualNode ANode) const { return FTree.GetDisplayRect(ANode, 0).center(); }
    void Mouse(QEvent::Type AType, const QPoint& APos, Qt::MouseButton AButton = Qt::LeftButton)
    {
        QMouseEvent LEvent(AType, APos, FTree.viewport()->mapToGlobal(APos), AButton,
                           AType == QEvent::MouseButtonRelease ? Qt::NoButton : AButton, Qt::NoModifier);
        QApplication::sendEvent(FTree.viewport(), &LEvent);
    }
    void Click(const QPoint& APos, Qt::MouseButton AButton = Qt::LeftButton)
    {
        Mouse(QEvent::MouseButtonPress, APos, AButton);
        Mouse(QEvent::MouseButtonRelease, APos, AButton);
    }
    // As a drag does: the drop reaches only a widget that took the drag when it entered.
    void Drop(QMimeData* AData, const QPoint& APos)
    {
        const auto LActions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent LEnter(APos, LActions, AData, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FTree.viewport(), &LEnter);
        QDragMoveEvent LMove(APos, LActions, AData, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FTree.viewport(), &LMove);
        QDropEvent LDrop(APos, LActions, AData, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FTree.viewport(), &LDrop);
    }
};

TEST_F(VirtualTree, StructureWalksAndFreeing)
{
    const PVirtualNode A = Add(nullptr, "A");
    const PVirtualNode B = Add(nullptr, "B");
    Add(B, "B1");
    const PVirtualNode B2 = Add(B, "B2");
    Add(B2, "B2a");
    FTree.InsertNode(A, TVTNodeAttachMode::amInsertBefore, std::make_unique<TItem>("X"));
    FTree.InsertNode(A, TVTNodeAttachMode::amInsertAfter, std::make_unique<TItem>("Y"));
    FTree.InsertNode(B, TVTNodeAttachMode::amAddChildFirst, std::make_unique<TItem>("B0"));
    EXPECT_EQ(Dump(), "X A Y B(B0 B1 B2(B2a))");
    EXPECT_EQ(FTree.TotalCount(), 8);
    EXPECT_EQ(FTree.GetNodeLevel(FTree.GetFirstChild(B2)), 2);
    EXPECT_EQ(FTree.NodeParent(B2), B);
    EXPECT_EQ(FTree.NodeParent(B), nullptr);
    EXPECT_EQ(Caption(FTree.GetPreviousSibling(B2)), "B1");
    EXPECT_EQ(Caption(FTree.GetLastChild(nullptr)), "B");
    EXPECT_EQ(FTree.model()->rowCount(FTree.ModelIndex(B)), 3);

    FTree.DeleteNode(B);
    EXPECT_EQ(FFreed, QStringList({"B0", "B1", "B2a", "B2", "B"})); // children first, once each
    EXPECT_EQ(Dump(), "X A Y");
    EXPECT_EQ(GLiveItems, 3);
    FTree.Clear();
    EXPECT_EQ(FTree.TotalCount(), 0);
    EXPECT_EQ(GLiveItems, 0);
    EXPECT_EQ(FTree.model()->rowCount(), 0);
}

TEST_F(VirtualTree, ColumnsHeaderAndRowLooks)
{
    const PVirtualNode A = Add(nullptr, "A");
    FTree.SetHeaderHeight(30);
    FTree.SetColumnText(1, "Size");
    FTree.OnHeaderDrawBackground = [](QPainter& APainter, const QRect& ARect, int) {
        APainter.fillRect(ARect, Qt::red);
    };
    const QImage LHeader = FTree.header()->grab().toImage();
    EXPECT_EQ(LHeader.height(), 30);
    EXPECT_EQ(LHeader.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(FTree.model()->headerData(1, Qt::Horizontal).toString(), "Size");
    EXPECT_EQ(FTree.header()->sectionSize(0), 150);
    EXPECT_EQ(FTree.GetDisplayRect(A, 1).height(), 32);
    EXPECT_EQ(FTree.GetDisplayRect(A, 1).left(), 150);
}

TEST_F(VirtualTree, BatchShowsChangesAndReportsSelectionOnceAtTheEnd)
{
    const PVirtualNode Old = Add(nullptr, "Old");
    FTree.SetSelected(Old, true);
    FChanges = 0;
    FTree.BeginUpdate();
    FTree.BeginUpdate();
    FTree.DeleteNode(Old);
    const PVirtualNode F = Add(nullptr, "F");
    const PVirtualNode C = Add(F, "c");
    Add(F, "b");
    const PVirtualNode A = Add(nullptr, "a");
    FTree.SetSelected(C, true);
    FTree.SetSelected(A, true);
    FTree.SetExpanded(F, true);
    FTree.SortTree(0);
    FTree.EndUpdate();
    EXPECT_EQ(FChanges, 0);
    FTree.EndUpdate();
    EXPECT_EQ(FChanges, 1);
    EXPECT_EQ(Dump(), "F(b c) a");
    EXPECT_EQ(Names(FTree.GetSortedSelection()), "c a");
    EXPECT_EQ(FTree.selectionModel()->selectedRows().size(), 2);
    EXPECT_TRUE(FTree.isExpanded(FTree.ModelIndex(F)));
    EXPECT_EQ(FTree.GetNodeAt(Center(C)), C);
}

TEST_F(VirtualTree, SortUsesCompareHandlerAndOrder)
{
    const PVirtualNode P = Add(nullptr, "P");
    for (const char* LName : {"bb", "a", "ccc"})
        Add(P, LName);
    const PVirtualNode Q = Add(nullptr, "Q");
    for (const char* LName : {"zz", "y"})
        Add(Q, LName);
    FTree.OnCompareNodes = [this](PVirtualNode A, PVirtualNode B, int) {
        return int(Caption(A).size() - Caption(B).size());
    };
    FTree.Sort(P, 0, Qt::DescendingOrder);
    EXPECT_EQ(Dump(), "P(ccc bb a) Q(zz y)"); // only P's children
    FTree.SortTree(0);
    EXPECT_EQ(Dump(), "P(a bb ccc) Q(y zz)");
}

TEST_F(VirtualTree, SortingAfterEveryAddInBatchPlacesNewNodesAndSortsChangedOnesAtTheEnd)
{
    FTree.OnCompareNodes = [this](PVirtualNode A, PVirtualNode B, int) { // by the first letter only
        return Caption(A).at(0).unicode() - Caption(B).at(0).unicode();
    };
    FTree.BeginUpdate();
    const PVirtualNode P = Add(nullptr, "P");
    Add(P, "d");
    Add(P, "b1");
    FTree.SortTree(0);
    const PVirtualNode A = Add(P, "a");
    for (const char* LName : {"c", "b2", "e"})
        Add(P, LName);
    FTree.SortTree(0);
    EXPECT_EQ(Dump(), "P(a b1 b2 c d e)"); // equals keep the order they came in
    FTree.GetNodeData<TItem>(A)->Caption = "z";
    FTree.SortTree(0);
    FTree.EndUpdate();
    EXPECT_EQ(Dump(), "P(b1 b2 c d e z)");
    FTree.SetExpanded(P, true);
    EXPECT_EQ(FTree.GetNodeAt(Center(A)), A);
}

TEST_F(VirtualTree, MoveToKeepsSubtreeSelectionAndExpansion)
{
    const PVirtualNode F1 = Add(nullptr, "F1");
    const PVirtualNode F2 = Add(nullptr, "F2");
    const PVirtualNode B = Add(F1, "b");
    const PVirtualNode C = Add(B, "c");
    Add(F1, "d");
    for (PVirtualNode N : {F1, F2, B})
        FTree.SetExpanded(N, true);
    FTree.SetSelected(C, true);
    FChanges = 0;
    FTree.MoveTo(B, F2, TVTNodeAttachMode::amAddChildLast);
    EXPECT_EQ(Dump(), "F1(d) F2(b(c))");
    EXPECT_EQ(FTree.GetSortedSelection(), QList<PVirtualNode>({C}));
    EXPECT_EQ(FTree.selectionModel()->selectedRows(), QModelIndexList({FTree.ModelIndex(C)}));
    EXPECT_TRUE(FTree.isExpanded(FTree.ModelIndex(B)));
    EXPECT_EQ(FChanges, 0);

    FTree.MoveTo(F2, C, TVTNodeAttachMode::amAddChildLast); // into its own subtree: refused
    FTree.MoveTo(F2, F1, TVTNodeAttachMode::amInsertBefore);
    EXPECT_EQ(Dump(), "F2(b(c)) F1(d)");
    EXPECT_EQ(FTree.GetNodeAt(Center(C)), C);
}

TEST_F(VirtualTree, MouseSelection)
{
    const PVirtualNode A = Add(nullptr, "A");
    const PVirtualNode B = Add(nullptr, "B");
    const PVirtualNode C = Add(nullptr, "C");
    FTree.SetSelected(A, true);
    FTree.SetSelected(B, true);
    FChanges = 0;
    Click(Center(B), Qt::RightButton); // already selected: the selection stays for the context menu
    EXPECT_EQ(FTree.SelectedCount(), 2);
    FTree.setContextMenuPolicy(Qt::CustomContextMenu);
    QPoint LMenuAt;
    QObject::connect(&FTree, &QWidget::customContextMenuRequested, [&](const QPoint& APos) { LMenuAt = APos; });
    Click(Center(C), Qt::RightButton);
    QContextMenuEvent LMenu(QContextMenuEvent::Mouse, Center(C), FTree.viewport()->mapToGlobal(Center(C)));
    QApplication::sendEvent(FTree.viewport(), &LMenu);
    EXPECT_EQ(LMenuAt, Center(C));
    EXPECT_EQ(FTree.GetSortedSelection(), QList<PVirtualNode>({C}));
    EXPECT_EQ(FTree.FocusedNode(), C);
    EXPECT_EQ(FChanges, 1);
    Click(QPoint(20, FTree.GetDisplayRect(C, ext::NoColumn).bottom() + 40)); // below the last row
    EXPECT_EQ(FTree.SelectedCount(), 0);
    EXPECT_EQ(FChanges, 2);
}

struct TEditCase
{
    std::string Name;
    bool DoubleClick;
    int Key;
    QStringList Expected;
};

void PrintTo(const TEditCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class VirtualTreeEdit : public VirtualTree, public testing::WithParamInterface<TEditCase>
{
};

TEST_P(VirtualTreeEdit, CommitsOnlyWithEnter)
{
    const PVirtualNode A = Add(nullptr, "A");
    QStringList LTexts;
    FTree.OnNewText = [&](PVirtualNode ANode, int AColumn, const QString& AText) {
        LTexts.append(QStringLiteral("%1:%2:%3").arg(Caption(ANode)).arg(AColumn).arg(AText));
    };
    EXPECT_FALSE(FTree.EditNode(A, 1)); // only column 0 by default
    Click(Center(A));
    EXPECT_FALSE(FTree.IsEditing()); // the first click only selects
    if (GetParam().DoubleClick)
        Mouse(QEvent::MouseButtonDblClick, Center(A));
    else
        Click(Center(A));
    ASSERT_TRUE(FTree.IsEditing());
    auto* LEditor = FTree.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(LEditor, nullptr);
    EXPECT_EQ(LEditor->text(), "A");
    LEditor->setText("Renamed");
    QKeyEvent LKey(QEvent::KeyPress, GetParam().Key, Qt::NoModifier);
    QApplication::sendEvent(LEditor, &LKey);
    QApplication::processEvents(); // the delegate commits on the next turn
    EXPECT_FALSE(FTree.IsEditing());
    EXPECT_EQ(LTexts, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, VirtualTreeEdit,
                         testing::Values(TEditCase{"ClickEnter", false, Qt::Key_Return, {"A:0:Renamed"}},
                                         TEditCase{"ClickEscape", false, Qt::Key_Escape, {}},
                                         TEditCase{"DoubleClickEnter", true, Qt::Key_Return, {"A:0:Renamed"}}),
                         testdata::TCaseName());

TEST_F(VirtualTree, InternalDropGivesDraggedNodesAndDropMode)
{
    const PVirtualNode A = Add(nullptr, "A");
    const PVirtualNode B = Add(nullptr, "B");
    const PVirtualNode C = Add(nullptr, "C");
    QStringList LDrops;
    FTree.OnDragDrop = [&](const QMimeData*, const QList<PVirtualNode>& ANodes, PVirtualNode ATarget, TDropMode AMode) {
        LDrops.append(QStringLiteral("%1 -> %2 %3")
                          .arg(Names(ANodes), ATarget ? Caption(ATarget) : QStringLiteral("-"))
                          .arg(int(AMode)));
    };
    FTree.SetSelected(C, true);
    FTree.SetSelected(A, true);
    const QRect LRow = FTree.GetDisplayRect(B, 0);
    const std::pair<QPoint, QString> LCases[] = {
        // rows are 32 high: a quarter is 8 pixels
        {LRow.topLeft() + QPoint(10, 7), "A C -> B 1"},
        {LRow.topLeft() + QPoint(10, 8), "A C -> B 2"},
        {LRow.topLeft() + QPoint(10, 23), "A C -> B 2"},
        {LRow.topLeft() + QPoint(10, 24), "A C -> B 3"},
        {QPoint(10, FTree.GetDisplayRect(C, 0).bottom() + 50), "A C -> - 0"},
    };
    for (const auto& [LPos, LExpected] : LCases) {
        std::unique_ptr<QMimeData> LData(
            FTree.model()->mimeData({FTree.ModelIndex(C), FTree.ModelIndex(A), FTree.ModelIndex(A, 1)}));
        LDrops.clear();
        Drop(LData.get(), LPos);
        EXPECT_EQ(LDrops, QStringList({LExpected}));
    }
    EXPECT_EQ(Dump(), "A B C"); // the owner moves nodes, never the tree
}

TEST_F(VirtualTree, DropAfterDraggedNodeWasDeletedHasNoDanglingNode)
{
    const PVirtualNode A = Add(nullptr, "A");
    const PVirtualNode B = Add(nullptr, "B");
    std::unique_ptr<QMimeData> LData(FTree.model()->mimeData({FTree.ModelIndex(A), FTree.ModelIndex(B)}));
    FTree.DeleteNode(A);
    QList<PVirtualNode> LNodes;
    FTree.OnDragDrop = [&](const QMimeData*, const QList<PVirtualNode>& ANodes, PVirtualNode, TDropMode) {
        LNodes = ANodes;
    };
    Drop(LData.get(), Center(B));
    EXPECT_EQ(LNodes, QList<PVirtualNode>({B}));
}

TEST_F(VirtualTree, ExternalDropGivesUrlsAndNoNodes)
{
    const PVirtualNode A = Add(nullptr, "A");
    int LCalls = 0;
    QList<QUrl> LUrls;
    FTree.OnDragDrop = [&](const QMimeData* AData, const QList<PVirtualNode>& ANodes, PVirtualNode ATarget,
                           TDropMode AMode) {
        ++LCalls;
        LUrls = AData->urls();
        EXPECT_TRUE(ANodes.isEmpty());
        EXPECT_EQ(ATarget, A);
        EXPECT_EQ(AMode, TDropMode::dmOnNode);
    };
    QMimeData LText;
    LText.setText("plain text is no file");
    Drop(&LText, Center(A));
    EXPECT_EQ(LCalls, 0);
    QMimeData LFiles;
    LFiles.setUrls({QUrl::fromLocalFile("/tmp/a.svg"), QUrl::fromLocalFile("/tmp/icons")});
    Drop(&LFiles, Center(A));
    EXPECT_EQ(LCalls, 1);
    EXPECT_EQ(LUrls, LFiles.urls());
}

} // namespace
