// Opening the Assets Manager on the 5,000-asset project: the frame loads the document and builds
// its tree; then one asset is selected and its view built and laid out. Several runs each.
//
//   assets_manager_bench [RUNS]   default 3

#include "BenchProject.h"
#include "ORVO.Log.h"
#include "ToolsAPI.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    const int LRuns = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    orvo::AssetsEditorsInitialization();
    core::TqoLog::SetMinimumLevel(core::TqoLogLevel::Warning);
    auto LSvgs = bench::LoadCorpus(bench::SharedData(QStringLiteral("svg/material")));
    if (LSvgs.empty()) {
        std::printf("no SVG files under %s: nothing measured\n", qPrintable(bench::SharedData("svg/material")));
        return 0;
    }
    QTemporaryDir LTemp;
    if (!bench::MakeProject(LTemp.path(), LSvgs)) {
        std::fprintf(stderr, "could not write the project under %s\n", qPrintable(LTemp.path()));
        return 1;
    }
    const auto LProject = ide::ModuleServices().OpenProject(LTemp.filePath(QStringLiteral("Big.dproj")));
    std::printf("%-36s %10s\n", "step", "ms");
    for (int LRun = 0; LRun < LRuns; ++LRun) {
        orvo::TFrameAssetManager LFrame;
        LFrame.resize(1200, 800);
        LFrame.show();
        QElapsedTimer LTimer;
        LTimer.start();
        LFrame.SetProject(LProject);
        QApplication::processEvents();
        std::printf("%-36s %10.1f   (%d nodes)\n", "open: load and build the tree", LTimer.nsecsElapsed() / 1e6,
                    LFrame.Tree().TotalCount());

        // One bitmap set with five scales, one color, one SVG.
        for (const char* LName : {"Icons\\Set7\\Icon777", "Colors\\Group3\\Color345", "Vector\\Group4\\Image456"}) {
            LTimer.restart();
            LFrame.SetInitialAssetName(QString::fromLatin1(LName));
            QApplication::processEvents();
            std::printf("  select %-27s %10.1f   (%lld views)\n", LName, LTimer.nsecsElapsed() / 1e6,
                        qlonglong(LFrame.SelectedViews().size()));
        }
    }
    orvo::AssetsEditorsFinalization();
    return 0;
}
