// Reads and renders every SVG of the shared corpus, prints the verdict counts and, for files
// read with Success, how many render like QtSvg at the same size within a small tolerance.
// A file that takes too long stops the run with its name (a hang is a failure too).
//
//   svg_conformance [FOLDER]       default: ../shared/data/svg

#include "BenchSvg.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>

namespace {

std::atomic<const char*> CurrentFile{nullptr};
std::atomic<qint64> CurrentStart{0};
std::atomic<bool> Done{false};

// A pixel matches when every premultiplied channel is within ATolerance.
double MatchingShare(const QImage& A, const QImage& B, int ATolerance)
{
    if (A.size() != B.size() || A.isNull())
        return 0;
    const QImage LA = A.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage LB = B.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    qint64 LMatching = 0;
    for (int Y = 0; Y < LA.height(); ++Y) {
        const auto* RA = reinterpret_cast<const QRgb*>(LA.constScanLine(Y));
        const auto* RB = reinterpret_cast<const QRgb*>(LB.constScanLine(Y));
        for (int X = 0; X < LA.width(); ++X) {
            const QRgb P = RA[X], Q = RB[X];
            if (std::abs(qAlpha(P) - qAlpha(Q)) <= ATolerance && std::abs(qRed(P) - qRed(Q)) <= ATolerance &&
                std::abs(qGreen(P) - qGreen(Q)) <= ATolerance && std::abs(qBlue(P) - qBlue(Q)) <= ATolerance)
                ++LMatching;
        }
    }
    return double(LMatching) / (qint64(LA.width()) * LA.height());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.svg.warning=false");
    QGuiApplication App(argc, argv);
    const QString LFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : bench::SharedData(QStringLiteral("svg"));
    const auto LFiles = bench::LoadCorpus(LFolder);
    if (LFiles.empty()) {
        std::printf("no SVG files under %s: nothing checked\n", qPrintable(LFolder));
        return 0;
    }

    QElapsedTimer LClock;
    LClock.start();
    std::thread LWatchdog([&LClock] {
        while (!Done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const char* LFile = CurrentFile;
            if (LFile && LClock.elapsed() - CurrentStart > 20000) {
                std::fprintf(stderr, "HANG: %s takes more than 20 s\n", LFile);
                std::_Exit(3);
            }
        }
    });

    std::map<QString, int> LVerdicts;
    int LCompared = 0, LClose = 0, LNear = 0;
    std::vector<std::pair<double, QString>> LWorst;
    for (const auto& F : LFiles) {
        const QByteArray LName = F.Name.toUtf8();
        CurrentStart = LClock.elapsed();
        CurrentFile = LName.constData();
        QSize LSize = bench::DocumentSize(F.Bytes);
        if (!LSize.isValid() || LSize.width() > 1024 || LSize.height() > 1024)
            LSize = QSize(200, 200);
        QImage LOurs;
        const auto LResult = bench::RenderOurs(F.Bytes, LSize, LOurs);
        CurrentFile = nullptr;
        const char* LVerdict = LResult == orvo::TqoResultParsing::Success               ? "Success"
                               : LResult == orvo::TqoResultParsing::SuccessWithWarnings ? "SuccessWithWarnings"
                                                                                        : "Failed";
        ++LVerdicts[QString::fromLatin1(LVerdict)];
        if (LResult != orvo::TqoResultParsing::Success)
            continue;
        const QImage LQt = bench::RenderQtSvg(F.Bytes, LSize);
        ++LCompared;
        const double LShare = MatchingShare(LOurs, LQt, 24);
        LClose += LShare >= 0.99;
        LNear += LShare >= 0.95;
        LWorst.push_back({LShare, F.Name});
    }
    Done = true;
    LWatchdog.join();

    std::printf("files: %zu under %s (%.1f s)\n", LFiles.size(), qPrintable(LFolder), LClock.elapsed() / 1000.0);
    for (const auto& [LVerdict, LCount] : LVerdicts)
        std::printf("  %-20s %5d\n", qPrintable(LVerdict), LCount);
    if (LCompared > 0) {
        std::printf("read with Success and compared with QtSvg at the same size: %d\n", LCompared);
        std::printf("  >= 99%% of pixels within 24/255 per channel: %5d (%.1f%%)\n", LClose,
                    100.0 * LClose / LCompared);
        std::printf("  >= 95%% of pixels within 24/255 per channel: %5d (%.1f%%)\n", LNear, 100.0 * LNear / LCompared);
        std::sort(LWorst.begin(), LWorst.end());
        std::printf("most different:\n");
        for (size_t I = 0; I < std::min<size_t>(8, LWorst.size()); ++I)
            std::printf("  %5.1f%%  %s\n", 100 * LWorst[I].first, qPrintable(LWorst[I].second));
    }
    return 0;
}
