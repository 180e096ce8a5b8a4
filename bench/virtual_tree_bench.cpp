// The asset tree's shape: 5,000 asset nodes under 320 folders (20 top-level folders of 15
// subfolders each), added in a scrambled order inside one batch and sorted there as the
// Assets Manager does at load (folders first, then captions). Measures the batch (adds, sort,
// selection, expansion, EndUpdate), the view's first layout and paint, a rebuild of the
// same tree (Clear and add again in one batch), and a rebuild that sorts the whole tree after
// every added node, over several runs.
//
//   virtual_tree_bench [RUNS]   default: 7 runs

#include "VirtualTrees.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

struct TBenchNode : ext::TNodeData
{
    TBenchNode(QString ACaption, bool AFolder) : Caption(std::move(ACaption)), Folder(AFolder) {}
    QString Caption;
    bool Folder;
};

constexpr int TopFolders = 20;
constexpr int SubFolders = 15;
constexpr int Assets = 5000;

// AEachAdd: sort after every node, as the Assets Manager's AddNode does; else once at the end.
void Build(ext::TVirtualStringTree& ATree, std::mt19937& ARandom, bool AEachAdd = false)
{
    std::vector<ext::PVirtualNode> LFolders;
    for (int I = 0; I < TopFolders; ++I) {
        const auto LTop =
            ATree.AddChild(nullptr, std::make_unique<TBenchNode>(QStringLiteral("Folder%1").arg(I), true));
        ATree.SetExpanded(LTop, true);
        for (int J = 0; J < SubFolders; ++J)
            LFolders.push_back(
                ATree.AddChild(LTop, std::make_unique<TBenchNode>(QStringLiteral("Group%1").arg(J), true)));
    }
    std::vector<int> LOrder(Assets);
    for (int I = 0; I < Assets; ++I)
        LOrder[I] = I;
    std::shuffle(LOrder.begin(), LOrder.end(), ARandom);
    ext::PVirtualNode LLast = nullptr;
    for (const int I : LOrder) {
        LLast = ATree.AddChild(LFolders[I % LFolders.size()],
                               std::make_unique<TBenchNode>(QStringLiteral("Asset%1").arg(I), false));
        if (AEachAdd)
            ATree.SortTree(0);
    }
    ATree.SortTree(0);
    ATree.SetExpanded(ATree.NodeParent(LLast), true);
    ATree.SetSelected(LLast, true);
    ATree.SetFocusedNode(LLast);
}

double Median(std::vector<double> AValues)
{
    std::sort(AValues.begin(), AValues.end());
    return AValues[AValues.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    const int LRuns = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    std::mt19937 LRandom(20261206);
    std::vector<double> LBatch, LLayout, LRebuild, LEachAdd;
    int LTotal = 0;
    for (int R = 0; R < LRuns; ++R) {
        ext::TVirtualStringTree LTree;
        LTree.SetColumns({{QStringLiteral("Name"), 162}, {QStringLiteral("Info"), 85}});
        LTree.SetDefaultNodeHeight(32);
        LTree.resize(400, 800);
        LTree.OnGetText = [&](ext::PVirtualNode ANode, int AColumn) {
            return AColumn == 0 ? LTree.GetNodeData<TBenchNode>(ANode)->Caption : QString();
        };
        LTree.OnCompareNodes = [&](ext::PVirtualNode A, ext::PVirtualNode B, int) {
            const auto* LA = LTree.GetNodeData<TBenchNode>(A);
            const auto* LB = LTree.GetNodeData<TBenchNode>(B);
            if (LA->Folder != LB->Folder)
                return LA->Folder ? -1 : 1;
            return LA->Caption.compare(LB->Caption);
        };
        LTree.show();
        QApplication::processEvents();

        QElapsedTimer LTimer;
        LTimer.start();
        LTree.BeginUpdate();
        Build(LTree, LRandom);
        LTree.EndUpdate();
        LBatch.push_back(LTimer.nsecsElapsed() / 1e6);

        LTimer.restart();
        LTree.ScrollIntoView(LTree.FocusedNode());
        const QPixmap LShot = LTree.grab(); // layout and one full paint
        LLayout.push_back(LTimer.nsecsElapsed() / 1e6);

        LTimer.restart();
        LTree.BeginUpdate();
        LTree.Clear();
        Build(LTree, LRandom);
        LTree.EndUpdate();
        LTree.grab();
        LRebuild.push_back(LTimer.nsecsElapsed() / 1e6);

        LTimer.restart();
        LTree.BeginUpdate();
        LTree.Clear();
        Build(LTree, LRandom, true);
        LTree.EndUpdate();
        LEachAdd.push_back(LTimer.nsecsElapsed() / 1e6);
        LTotal = LTree.TotalCount();
        if (LShot.isNull() || LTree.SelectedCount() != 1) {
            std::fprintf(stderr, "the tree did not show its nodes\n");
            return 1;
        }
    }
    std::printf("nodes: %d (%d assets, %d folders), runs: %d\n", LTotal, Assets, TopFolders * (SubFolders + 1), LRuns);
    std::printf("%-44s %10s %10s\n", "step", "median ms", "min ms");
    const auto Report = [](const char* AStep, const std::vector<double>& ATimes) {
        std::printf("%-44s %10.1f %10.1f\n", AStep, Median(ATimes), *std::min_element(ATimes.begin(), ATimes.end()));
    };
    Report("add, sort, select, EndUpdate (one batch)", LBatch);
    Report("first layout and paint", LLayout);
    Report("rebuild: Clear, add, sort, EndUpdate, paint", LRebuild);
    Report("rebuild sorting after every add (one batch)", LEachAdd);
    return 0;
}
