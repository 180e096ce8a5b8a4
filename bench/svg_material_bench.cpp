// Every Material icon from its bytes in memory to a 48 x 48 bitmap, with our reader and
// renderer, with QtSvg and, when it is installed, with librsvg, in the same run. Prints
// files per second for each and our ratio to each peer. Seconds are this thread's CPU time, so
// that other work on a shared machine shows less in the figures.
//
//   svg_material_bench [ROUNDS] [--only-orvo]      --only-orvo: no peers, for a profiler

#include "BenchSvg.h"

#include <QGuiApplication>
#include <cstdio>
#include <ctime>

#ifdef ORVO_HAVE_RSVG
#include <cairo.h>
#include <librsvg/rsvg.h>
#endif

namespace {

// Thread CPU time in nanoseconds.
qint64 CpuNs()
{
    timespec LTime{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &LTime);
    return qint64(LTime.tv_sec) * 1000000000 + LTime.tv_nsec;
}

class TCpuTimer
{
public:
    void restart() { FStart = CpuNs(); }
    qint64 nsecsElapsed() const { return CpuNs() - FStart; }

private:
    qint64 FStart = CpuNs();
};

#ifdef ORVO_HAVE_RSVG
// The icon scaled into a 48 x 48 cairo image, as rsvg-convert -w 48 -h 48 does.
int RenderRsvg(const QByteArray& ABytes, int ASize)
{
    GError* LError = nullptr;
    RsvgHandle* LHandle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(ABytes.constData()), gsize(ABytes.size()), &LError);
    if (!LHandle) {
        g_clear_error(&LError);
        return 0;
    }
    cairo_surface_t* LSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, ASize, ASize);
    cairo_t* LCairo = cairo_create(LSurface);
    const RsvgRectangle LViewport{0, 0, double(ASize), double(ASize)};
    rsvg_handle_render_document(LHandle, LCairo, &LViewport, &LError);
    g_clear_error(&LError);
    cairo_surface_flush(LSurface);
    const int LWidth = cairo_image_surface_get_width(LSurface);
    cairo_destroy(LCairo);
    cairo_surface_destroy(LSurface);
    g_object_unref(LHandle);
    return LWidth;
}
#endif

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.svg.warning=false");
    QGuiApplication App(argc, argv);
    const int LRounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const bool LOnlyOurs = argc > 2 && QByteArray(argv[2]) == "--only-orvo";
    const auto LFiles = bench::LoadCorpus(bench::SharedData(QStringLiteral("svg/material")));
    if (LFiles.empty()) {
        std::printf("no SVG files under %s: nothing measured\n", qPrintable(bench::SharedData("svg/material")));
        return 0;
    }
    const QSize LSize(48, 48);
    volatile qint64 LSink = 0;

    // Rounds alternate between the peers so that none gets a warmer machine.
    qint64 LOursNs = 0, LQtNs = 0, LRsvgNs = 0;
    for (int LRound = 0; LRound < LRounds; ++LRound) {
        TCpuTimer LTimer;
        for (const auto& F : LFiles) {
            QImage LImage;
            bench::RenderOurs(F.Bytes, LSize, LImage);
            LSink = LSink + LImage.width();
        }
        LOursNs += LTimer.nsecsElapsed();
        if (LOnlyOurs)
            continue;
        LTimer.restart();
        for (const auto& F : LFiles)
            LSink = LSink + bench::RenderQtSvg(F.Bytes, LSize).width();
        LQtNs += LTimer.nsecsElapsed();
#ifdef ORVO_HAVE_RSVG
        LTimer.restart();
        for (const auto& F : LFiles)
            LSink = LSink + RenderRsvg(F.Bytes, LSize.width());
        LRsvgNs += LTimer.nsecsElapsed();
#endif
    }
    const double LCount = double(LFiles.size()) * LRounds;
    const double LOursRate = LCount / (LOursNs / 1e9);
    const double LQtRate = LQtNs > 0 ? LCount / (LQtNs / 1e9) : 0;
    std::printf("files: %zu, rounds: %d, size: 48 x 48\n", LFiles.size(), LRounds);
    std::printf("orvo reader + renderer: %10.0f files/s\n", LOursRate);
    std::printf("QtSvg (QSvgRenderer):   %10.0f files/s\n", LQtRate);
    if (LRsvgNs > 0)
        std::printf("librsvg (cairo):        %10.0f files/s\n", LCount / (LRsvgNs / 1e9));
    else if (!LOnlyOurs)
        std::printf("librsvg:                not built in (install librsvg2-dev)\n");
    if (LQtRate > 0)
        std::printf("ratio (orvo / QtSvg):   %10.2f\n", LOursRate / LQtRate);
    if (LRsvgNs > 0)
        std::printf("ratio (orvo / librsvg): %10.2f\n", LOursRate / (LCount / (LRsvgNs / 1e9)));
    return 0;
}
