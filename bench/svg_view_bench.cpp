// Selecting a folder of 50 SVG assets in the Assets Manager: the frame builds and lays out one
// view per asset, each with its SVG tile drawn by the vector renderer. Several runs each.
//
//   svg_view_bench [RUNS]   default 5

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

namespace {

constexpr int AssetCount = 50;

bool MakeFolderProject(const QString& ARoot, const std::vector<bench::TSvgFile>& ASvgs)
{
    const QString LDemo = QStringLiteral(ORVO_SOURCE_DIR "/examples/DemoApp/");
    QDir(ARoot).mkpath(QStringLiteral("Assets"));
    QDir(ARoot).mkpath(QStringLiteral("Sources"));
    if (!QFile::copy(LDemo + "DemoApp.dproj", ARoot + "/Svg.dproj") ||
        !QFile::copy(LDemo + "DemoApp.dpr", ARoot + "/DemoApp.dpr"))
        return false;
    QByteArray LConfig =
        "{\n  \"format\": \"orvo-assets\",\n  \"version\": 1,\n  \"platform\": \"all\",\n  \"assets\": [\n";
    for (int I = 0; I < AssetCount; ++I) {
        const QString LFile = QStringLiteral("Sources/icon%1.svg").arg(I);
        if (!bench::WriteFile(ARoot + "/" + LFile, ASvgs[I % ASvgs.size()].Bytes))
            return false;
        LConfig += bench::Asset(QStringLiteral("Icons\\Icon%1").arg(I), "svg",
                                "\"svgUri\": " + bench::Json(QStringLiteral("..\\Sources\\icon%1.svg").arg(I)) +
                                    ", \"vectorUri\": \"\", \"size\": [24, 24]") +
                   (I + 1 < AssetCount ? ",\n" : "\n");
    }
    LConfig += "  ]\n}\n";
    return bench::WriteFile(ARoot + "/Assets/config.json", LConfig);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    const int LRuns = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    orvo::AssetsEditorsInitialization();
    core::TqoLog::SetMinimumLevel(core::TqoLogLevel::Warning);
    const auto LSvgs = bench::LoadCorpus(bench::SharedData(QStringLiteral("svg/material")));
    if (LSvgs.empty()) {
        std::printf("no SVG files under %s: nothing measured\n", qPrintable(bench::SharedData("svg/material")));
        return 0;
    }
    QTemporaryDir LTemp;
    if (!MakeFolderProject(LTemp.path(), LSvgs)) {
        std::fprintf(stderr, "could not write the project under %s\n", qPrintable(LTemp.path()));
        return 1;
    }
    const auto LProject = ide::ModuleServices().OpenProject(LTemp.filePath(QStringLiteral("Svg.dproj")));
    std::printf("%-36s %10s\n", "step", "ms");
    std::vector<double> LTimes;
    for (int LRun = 0; LRun < LRuns; ++LRun) {
        orvo::TFrameAssetManager LFrame;
        LFrame.resize(1200, 800);
        LFrame.SetProject(LProject);
        LFrame.show();
        QApplication::processEvents();
        QElapsedTimer LTimer;
        LTimer.start();
        LFrame.SetInitialAssetName(QStringLiteral("Icons"));
        QApplication::processEvents();
        LTimes.push_back(LTimer.nsecsElapsed() / 1e6);
        std::printf("select the folder Icons %13s %10.1f   (%lld views)\n", "", LTimes.back(),
                    qlonglong(LFrame.SelectedViews().size()));
    }
    std::sort(LTimes.begin(), LTimes.end());
    std::printf("median of %d runs: %.1f ms for %d SVG views (target under 200 ms)\n", LRuns, LTimes[LTimes.size() / 2],
                AssetCount);
    orvo::AssetsEditorsFinalization();
    return 0;
}
