// A project of 5,000 assets: 2,000 colors, 1,500 bitmap sets of five scales with small PNGs,
// 1,000 SVG images from the shared corpus, 500 other files, and three themes. Measures the
// document's load, a first save, a second save with nothing changed, and the constants unit,
// with the peak memory after each step.
//
//   assets_save_bench [--verbose] [WORK_FOLDER]   default: a temporary folder, removed afterwards
//   --verbose: the assets designer's trace log on stderr

#include "BenchProject.h"
#include "ORVO.Log.h"
#include "OrvoNative.Designtime.h"
#include "ToolsAPI.h"
#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/storage/ORVO.Assets.Constants.Generator.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

long PeakMemoryMiB()
{
    rusage LUsage{};
    getrusage(RUSAGE_SELF, &LUsage);
    return LUsage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    // The package's units start as the IDE starts them.
    orvo::AssetsEditorsInitialization();
    auto LSvgs = bench::LoadCorpus(bench::SharedData(QStringLiteral("svg/material")));
    if (LSvgs.empty()) {
        std::printf("no SVG files under %s: nothing measured\n", qPrintable(bench::SharedData("svg/material")));
        return 0;
    }
    bool LVerbose = false;
    int LUnchangedSaves = 1;
    QString LRoot;
    for (int I = 1; I < argc; ++I) {
        if (qstrcmp(argv[I], "--verbose") == 0)
            LVerbose = true;
        else if (qstrcmp(argv[I], "--unchanged-saves") == 0 && I + 1 < argc)
            LUnchangedSaves = std::max(1, atoi(argv[++I]));
        else
            LRoot = QString::fromLocal8Bit(argv[I]);
    }
    core::TqoLog::SetMinimumLevel(LVerbose ? core::TqoLogLevel::Trace : core::TqoLogLevel::Warning);
    QTemporaryDir LTemp;
    if (LRoot.isEmpty())
        LRoot = LTemp.path();
    if (!bench::MakeProject(LRoot, LSvgs)) {
        std::fprintf(stderr, "could not write the project under %s\n", qPrintable(LRoot));
        return 1;
    }
    std::printf("%-28s %10s %12s\n", "step", "seconds", "peak MiB");
    auto Report = [](const char* AStep, const QElapsedTimer& ATimer) {
        std::printf("%-28s %10.2f %12ld\n", AStep, ATimer.nsecsElapsed() / 1e9, PeakMemoryMiB());
    };
    try {
        Initialize();
        orvo::TqoAssetsDocument LDocument;
        QElapsedTimer LTimer;
        LTimer.start();
        // As in the IDE: the opened project's manager is what the constants unit is made from.
        const auto LProject = ide::ModuleServices().OpenProject(LRoot + "/Big.dproj");
        LDocument.SetProject(LProject);
        Report("load", LTimer);

        const auto Counts = [](const orvo::TqoAssetsSaveResult& AResult) {
            std::printf("  files written: %lld, unchanged: %lld, deleted: %lld, failed assets: %lld\n",
                        qlonglong(AResult.WrittenFiles.size()), qlonglong(AResult.UnchangedFiles.size()),
                        qlonglong(AResult.DeletedFiles.size()), qlonglong(AResult.FailedAssets.size()));
        };
        LTimer.restart();
        const auto LFirst = LDocument.Save(false);
        Report("first save", LTimer);
        Counts(LFirst);

        // The fastest of the unchanged saves asked for: the others carry the machine's noise.
        orvo::TqoAssetsSaveResult LSecond;
        qint64 LBest = std::numeric_limits<qint64>::max();
        for (int I = 0; I < LUnchangedSaves; ++I) {
            LTimer.restart();
            LSecond = LDocument.Save(false);
            LBest = std::min(LBest, LTimer.nsecsElapsed());
        }
        std::printf("%-28s %10.2f %12ld\n", "second save, no change", LBest / 1e9, PeakMemoryMiB());
        Counts(LSecond);

        // As the Save command does after saving: the document reads what it wrote.
        LTimer.restart();
        orvo::TqoAssetsDocument LReloaded;
        LReloaded.SetProject(LProject);
        Report("load after save", LTimer);

        // The unit is in place from the saves; this makes it again and compares.
        LTimer.restart();
        orvo::TqoAssetsConstsGenerator::GenerateAssetsConsts(LProject, false);
        Report("constants unit", LTimer);
        std::printf("  Assets.Consts.pas: %lld bytes\n", qlonglong(QFileInfo(LRoot + "/Assets.Consts.pas").size()));
    } catch (const std::exception& E) {
        std::fprintf(stderr, "failed: %s\n", E.what());
        return 1;
    }
    orvo::AssetsEditorsFinalization();
    return 0;
}
