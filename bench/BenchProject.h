#pragma once

// A project of 5,000 assets: 2,000 colors, 1,500 bitmap sets of five scales with small PNGs,
// 1,000 SVG images from the shared corpus, 500 other files, and three themes, written as a
// project looks before its first save: the demo's .dproj and .dpr, sources outside Assets,
// and a configuration that names them.

#include "BenchSvg.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>
#include <vector>

namespace bench {

inline bool WriteFile(const QString& AName, const QByteArray& AData)
{
    QFile LFile(AName);
    return LFile.open(QIODevice::WriteOnly) && LFile.write(AData) == AData.size();
}

inline QByteArray Json(const QString& AText)
{
    QString LOut = QStringLiteral("\"");
    for (const QChar C : AText)
        LOut += C == QLatin1Char('\\')  ? QStringLiteral("\\\\")
                : C == QLatin1Char('"') ? QStringLiteral("\\\"")
                                        : QString(C);
    return (LOut + QLatin1Char('"')).toUtf8();
}

inline QByteArray Asset(const QString& AName, const char* AKind, const QByteArray& AMembers)
{
    return "    {\"name\": " + Json(AName) + ", \"kind\": \"" + AKind +
           "\", \"platform\": \"all\", \"deviceClass\": \"all\"" +
           (AMembers.isEmpty() ? QByteArray() : ", " + AMembers) + "}";
}

// Writes the project under ARoot as ARoot/Big.dproj.
inline bool MakeProject(const QString& ARoot, const std::vector<bench::TSvgFile>& ASvgs)
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

} // namespace bench
