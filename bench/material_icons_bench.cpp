// The Material icons importer at the size of the real repository: about 1,900 icons in 17
// categories, each icon with its eight PNG files (two tints, four sizes) in drawable-mdpi and
// its four SVG files in svg/production, made once in a temporary folder as hard links to a few
// real files. Measures scanning the catalogue, one search keystroke in the dialog (the filter,
// the list's refill and the paint that makes the visible previews) and opening the dialog.
//
//   material_icons_bench [Google Benchmark options]

#include "dialogs/icons/Dialog.Google.Icons.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int Categories = 17;
constexpr int IconsPerCategory = 112; // 1,904 icons

QString SharedRepo() { return QStringLiteral(ORVO_SHARED_DATA_DIR "/icons-repo"); }

// The repository, or an empty path when the shared sample icons are missing.
const QString& Repository()
{
    static QTemporaryDir LDir;
    static const QString LPath = [] {
        QStringList LNames;
        for (QDirIterator LIt(SharedRepo(), {QStringLiteral("*_24px.svg")}, QDir::Files, QDirIterator::Subdirectories);
             LIt.hasNext();)
            LNames << LIt.next();
        if (LNames.isEmpty())
            return QString();
        const QByteArray LPng = (SharedRepo() + "/navigation/drawable-mdpi/ic_close_white_36dp.png").toLocal8Bit();
        const QString LRoot = LDir.path();
        for (int C = 0; C < Categories; ++C) {
            const QString LCategory = LRoot + QStringLiteral("/category_%1").arg(C, 2, 10, QLatin1Char('0'));
            QDir().mkpath(LCategory + "/drawable-mdpi");
            QDir().mkpath(LCategory + "/svg/production");
            for (int I = 0; I < IconsPerCategory; ++I) {
                const QString LSource = LNames.at((C * IconsPerCategory + I) % LNames.size());
                const QString LName = QFileInfo(LSource).fileName().mid(3).chopped(9) +
                                      QStringLiteral("_%1").arg(C * IconsPerCategory + I);
                for (const char* LTint : {"white", "black"})
                    for (int LSize : orvo::MaterialIconSizes)
                        ::link(LPng.constData(), QStringLiteral("%1/drawable-mdpi/ic_%2_%3_%4dp.png")
                                                     .arg(LCategory, LName, QLatin1String(LTint))
                                                     .arg(LSize)
                                                     .toLocal8Bit()
                                                     .constData());
                for (int LSize : orvo::MaterialIconSizes)
                    ::link(LSource.toLocal8Bit().constData(), QStringLiteral("%1/svg/production/ic_%2_%3px.svg")
                                                                  .arg(LCategory, LName)
                                                                  .arg(LSize)
                                                                  .toLocal8Bit()
                                                                  .constData());
            }
        }
        return LRoot;
    }();
    return LPath;
}

bool NeedRepository(benchmark::State& AState)
{
    if (!Repository().isEmpty())
        return true;
    AState.SkipWithError("no sample icons under ../shared/data/icons-repo");
    return false;
}

void BM_ScanCatalogue(benchmark::State& AState)
{
    if (!NeedRepository(AState))
        return;
    int LIcons = 0;
    for (auto _ : AState) {
        orvo::TMaterialIconsModel LModel;
        LModel.Load(Repository());
        LIcons = LModel.IconCount();
    }
    AState.counters["icons"] = LIcons;
}
BENCHMARK(BM_ScanCatalogue)->Unit(benchmark::kMillisecond);

// One keystroke after the delay: two searches in turn, so the list changes every time. With
// AState.range(0) the previews are dropped first, so the rows in view make theirs again.
void BM_SearchKeystroke(benchmark::State& AState)
{
    if (!NeedRepository(AState))
        return;
    orvo::TDialogMaterialIconsImporter LDialog(Repository(), nullptr);
    LDialog.show();
    QApplication::processEvents();
    const bool LCold = AState.range(0) != 0;
    const QString LTexts[] = {QStringLiteral("ar"), QStringLiteral("no")};
    int LTurn = 0;
    size_t LListed = 0;
    for (auto _ : AState) {
        if (LCold) {
            AState.PauseTiming();
            LDialog.Model().SetTintColor(LTurn % 2 ? 0xFFFFFFFF : 0xFFFFFFFE);
            AState.ResumeTiming();
        }
        LDialog.edSearch->setText(LTexts[LTurn++ % 2]);
        LDialog.tmDelaySearchTimer();
        LDialog.lvIcons->viewport()->repaint();
        LListed = LDialog.ListedIcons().size();
    }
    AState.counters["listed"] = double(LListed);
    AState.counters["previews"] = LDialog.Model().PreviewCount();
}
BENCHMARK(BM_SearchKeystroke)->ArgName("cold_previews")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// From nothing to the dialog on screen with a search shown: the previews made are only those
// of the rows in view.
void BM_OpenDialog(benchmark::State& AState)
{
    if (!NeedRepository(AState))
        return;
    int LPreviews = 0;
    size_t LListed = 0;
    for (auto _ : AState) {
        orvo::TDialogMaterialIconsImporter LDialog(Repository(), nullptr);
        LDialog.show();
        LDialog.edSearch->setText(QStringLiteral("ar"));
        LDialog.tmDelaySearchTimer();
        QApplication::processEvents();
        LDialog.lvIcons->viewport()->repaint();
        LPreviews = LDialog.Model().PreviewCount();
        LListed = LDialog.ListedIcons().size();
    }
    AState.counters["listed"] = double(LListed);
    AState.counters["previews"] = LPreviews;
}
BENCHMARK(BM_OpenDialog)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
