// Every Material icon from its bytes in memory to a 48 x 48 bitmap, with our reader and
// renderer and with QtSvg, in the same run. Prints files per second for both and the ratio.
//
//   svg_material_bench [ROUNDS]

#include "BenchSvg.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.svg.warning=false");
    QGuiApplication App(argc, argv);
    const int LRounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const auto LFiles = bench::LoadCorpus(bench::SharedData(QStringLiteral("svg/material")));
    if (LFiles.empty()) {
        std::printf("no SVG files under %s: nothing measured\n", qPrintable(bench::SharedData("svg/material")));
        return 0;
    }
    const QSize LSize(48, 48);
    volatile qint64 LSink = 0;

    // Rounds alternate between the two so that neither gets a warmer machine.
    qint64 LOursNs = 0, LQtNs = 0;
    for (int LRound = 0; LRound < LRounds; ++LRound) {
        QElapsedTimer LTimer;
        LTimer.start();
        for (const auto& F : LFiles) {
            QImage LImage;
            bench::RenderOurs(F.Bytes, LSize, LImage);
            LSink += LImage.width();
        }
        LOursNs += LTimer.nsecsElapsed();
        LTimer.restart();
        for (const auto& F : LFiles)
            LSink += bench::RenderQtSvg(F.Bytes, LSize).width();
        LQtNs += LTimer.nsecsElapsed();
    }
    const double LCount = double(LFiles.size()) * LRounds;
    const double LOursRate = LCount / (LOursNs / 1e9);
    const double LQtRate = LCount / (LQtNs / 1e9);
    std::printf("files: %zu, rounds: %d, size: 48 x 48\n", LFiles.size(), LRounds);
    std::printf("orvo reader + renderer: %10.0f files/s\n", LOursRate);
    std::printf("QtSvg (QSvgRenderer):   %10.0f files/s\n", LQtRate);
    std::printf("ratio (orvo / QtSvg):   %10.2f\n", LOursRate / LQtRate);
    return 0;
}
