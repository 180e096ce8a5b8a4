// Reads and renders every SVG of the shared corpus, prints the verdict counts and, for files
// read with Success, how many render like QtSvg at the same size within a small tolerance.
// A file that takes too long stops the run with its name (a hang is a failure too).
//
//   svg_conformance [FOLDER] [--save DIR | --against DIR]     default FOLDER: ../shared/data/svg
//
// --save keeps every verdict and our picture in DIR; --against compares this run with such
// a saved run and lists each file whose verdict changed or whose picture moved beyond the
// tolerance, so a change to the reader or renderer can show that it changed nothing.

#include "BenchSvg.h"

#include <QDir>
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

// The saved run's file for one corpus file: its path below the corpus folder, flattened.
QString SavedName(const QString& AFolder, const QString& AFile)
{
    return QDir(AFolder).relativeFilePath(AFile).replace(QLatin1Char('/'), QLatin1Char('_'));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.svg.warning=false");
    QGuiApplication App(argc, argv);
    QString LFolder = bench::SharedData(QStringLiteral("svg"));
    QString LSaveDir, LAgainstDir;
    for (int I = 1; I < argc; ++I) {
        const QString LArg = QString::fromLocal8Bit(argv[I]);
        if (LArg == QLatin1String("--save") && I + 1 < argc)
            LSaveDir = QString::fromLocal8Bit(argv[++I]);
        else if (LArg == QLatin1String("--against") && I + 1 < argc)
            LAgainstDir = QString::fromLocal8Bit(argv[++I]);
        else
            LFolder = LArg;
    }
    if (!LSaveDir.isEmpty() && !QDir().mkpath(LSaveDir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(LSaveDir));
        return 1;
    }
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
    int LAgainstChecked = 0, LAgainstChanged = 0;
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
        const QString LSaved = SavedName(LFolder, F.Name);
        if (!LSaveDir.isEmpty()) {
            QFile LVerdictFile(LSaveDir + QLatin1Char('/') + LSaved + QLatin1String(".verdict"));
            if (LVerdictFile.open(QIODevice::WriteOnly))
                LVerdictFile.write(LVerdict);
            if (!LOurs.isNull())
                LOurs.save(LSaveDir + QLatin1Char('/') + LSaved + QLatin1String(".png"));
        }
        if (!LAgainstDir.isEmpty()) {
            QFile LVerdictFile(LAgainstDir + QLatin1Char('/') + LSaved + QLatin1String(".verdict"));
            const QByteArray LBefore = LVerdictFile.open(QIODevice::ReadOnly) ? LVerdictFile.readAll() : QByteArray();
            const QImage LBeforeImage(LAgainstDir + QLatin1Char('/') + LSaved + QLatin1String(".png"));
            ++LAgainstChecked;
            if (LBefore != LVerdict) {
                ++LAgainstChanged;
                std::printf("verdict changed: %s: %s -> %s\n", qPrintable(F.Name), LBefore.constData(), LVerdict);
            } else if (LBeforeImage.isNull() != LOurs.isNull() ||
                       (!LOurs.isNull() && MatchingShare(LOurs, LBeforeImage, 24) < 1.0)) {
                ++LAgainstChanged;
                std::printf("picture changed: %s\n", qPrintable(F.Name));
            }
        }
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
    if (!LAgainstDir.isEmpty())
        std::printf("against %s: %d of %d files changed\n", qPrintable(LAgainstDir), LAgainstChanged, LAgainstChecked);
    return LAgainstChanged == 0 ? 0 : 1;
}
