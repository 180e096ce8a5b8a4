// A project of 5,000 assets: 2,000 colors, 1,500 bitmap sets of five scales with small PNGs,
// 1,000 SVG images from the shared corpus, 500 other files, and three themes. Measures the
// document's load, a first save, a second save with nothing changed, and the constants unit,
// with the peak memory after each step.
//
//   assets_save_bench [--verbose] [WORK_FOLDER]   default: a temporary folder, removed afterwards
//   --verbose: the assets designer's trace log on stderr

#include "BenchSvg.h"
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

bool WriteFile(const QString& AName, const QByteArray& AData)
{
    QFile LFile(AName);
    return LFile.open(QIODevice::WriteOnly) && LFile.write(AData) == AData.size();
}

QByteArray Json(const QString& AText)
{
    QString LOut = QStringLiteral("\"");
    for (const QChar C : AText)
        LOut += C == QLatin1Char('\\')  ? QStringLiteral("\\\\")
                : C == QLatin1Char('"') ? QStringLiteral("\\\"")
                                        : QString(C);
    return (LOut + QLatin1Char('"')).toUtf8();
}

QByteArray Asset(const QString& AName, const char* AKind, const QByteArray& AMembers)
{
    return "    {\"name\": " + Json(AName) + ", \"kind\": \"" + AKind +
           "\", \"platform\": \"all\", \"deviceClass\": \"all\"" +
           (AMembers.isEmpty() ? QByteArray() : ", " + AMembers) + "}";
}

// The project: the demo's .dproj and .dpr, sources outside Assets, and a configuration that
// names them, as a project looks before its first save.
bool MakeProject(const QString& ARoot, const std::vector<bench::TSvgFile>& ASvgs)
{
    const QString LDemo = QStringLiteral(ORVO_SOURCE_DIR "/examples/DemoApp/");
    QDir(ARoot).mkpath(QStringLiteral("Assets"));
    QDir(ARoot).mkpath(QStringLiteral("Sources"));
    if (!QFile::copy(LDemo + "DemoApp.dproj", ARoot + "/Big.dproj") ||
        !QFile::copy(LDemo + "DemoApp.dpr", ARoot + "/DemoApp.dpr"))
        return false;

    std::vector<QByteArray> LAssets;
    const char* const Themes[] = {"Light", "Dark", "Contrast"};
    for (const char* LTheme : Themes) {
        LAssets.push_back(Asset(QString::fromLatin1(LTheme), "theme-container", {}));
        for (int I = 0; I < 20; ++I)
            LAssets.push_back(Asset(QStringLiteral("%1\\Color%2").arg(QLatin1String(LTheme)).arg(I), "color",
                                    "\"color\": \"#FF" +
                                        QByteArray::number(0x102030 + I * 977, 16).toUpper().rightJustified(6, '0') +
                                        "\""));
    }
    for (int I = 0; I < 2000 - 60; ++I)
        LAssets.push_back(
            Asset(QStringLiteral("Colors\\Group%1\\Color%2").arg(I / 100).arg(I), "color",
                  "\"color\": \"#" + QByteArray::number(0xFF000000u + I * 2654435u % 0xFFFFFF, 16).toUpper() + "\""));

    const float Scales[] = {1, 1.5, 2, 3, 4};
    for (int I = 0; I < 1500; ++I) {
        QByteArray LBitmaps;
        for (const float S : Scales) {
            const int LSize = int(8 * S);
            QImage LImage(LSize, LSize, QImage::Format_ARGB32);
            LImage.fill(QColor::fromHsv(I % 360, 200, 200));
            const QString LFile = QStringLiteral("Sources/icon%1@%2.png").arg(I).arg(int(S * 10));
            if (!LImage.save(ARoot + "/" + LFile))
                return false;
            LBitmaps += QByteArray(LBitmaps.isEmpty() ? "" : ", ") + "{\"scale\": " + QByteArray::number(S) +
                        ", \"uri\": " + Json(QStringLiteral("..\\") + QString(LFile).replace('/', '\\')) + "}";
        }
        LAssets.push_back(Asset(QStringLiteral("Icons\\Set%1\\Icon%2").arg(I / 100).arg(I), "bitmap-set",
                                "\"bitmaps\": [" + LBitmaps + "]"));
    }
    for (int I = 0; I < 1000; ++I) {
        const auto& F = ASvgs[I % ASvgs.size()];
        const QString LFile = QStringLiteral("Sources/image%1.svg").arg(I);
        if (!WriteFile(ARoot + "/" + LFile, F.Bytes))
            return false;
        LAssets.push_back(Asset(QStringLiteral("Vector\\Group%1\\Image%2").arg(I / 100).arg(I), "svg",
                                "\"svgUri\": " + Json(QStringLiteral("..\\") + QString(LFile).replace('/', '\\')) +
                                    ", \"vectorUri\": \"\", \"size\": [24, 24]"));
    }
    for (int I = 0; I < 500; ++I) {
        const QString LFile = QStringLiteral("Sources/data%1.txt").arg(I);
        if (!WriteFile(ARoot + "/" + LFile, QByteArray("record ") + QByteArray::number(I) + "\n"))
            return false;
        LAssets.push_back(Asset(QStringLiteral("Data\\File%1").arg(I), "file",
                                "\"uri\": " + Json(QStringLiteral("..\\") + QString(LFile).replace('/', '\\')) +
                                    ", \"fileLocation\": \"private-documents\", \"extractionRule\": \"overwrite\""));
    }
    QByteArray LConfig =
        "{\n  \"format\": \"orvo-assets\",\n  \"version\": 1,\n  \"platform\": \"all\",\n  \"assets\": [\n";
    for (size_t I = 0; I < LAssets.size(); ++I)
        LConfig += LAssets[I] + (I + 1 < LAssets.size() ? ",\n" : "\n");
    LConfig += "  ]\n}\n";
    std::printf("project: %zu assets (2000 colors, 1500 bitmap sets x 5 scales, 1000 SVG, 500 files, 3 themes)\n",
                LAssets.size());
    return WriteFile(ARoot + "/Assets/config.json", LConfig);
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
    QString LRoot;
    for (int I = 1; I < argc; ++I) {
        if (qstrcmp(argv[I], "--verbose") == 0)
            LVerbose = true;
        else
            LRoot = QString::fromLocal8Bit(argv[I]);
    }
    core::TqoLog::SetMinimumLevel(LVerbose ? core::TqoLogLevel::Trace : core::TqoLogLevel::Warning);
    QTemporaryDir LTemp;
    if (LRoot.isEmpty())
        LRoot = LTemp.path();
    if (!MakeProject(LRoot, LSvgs)) {
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

        LTimer.restart();
        const auto LSecond = LDocument.Save(false);
        Report("second save, no change", LTimer);
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
