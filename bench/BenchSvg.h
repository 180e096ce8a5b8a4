#pragma once

// Shared by the SVG benchmarks: the corpus on disk and our pipeline from bytes to bitmap.

#include "ORVO.Bitmap.h"
#include "ORVO.VectorImage.Document.h"
#include "vectorimage/ORVO.VectorImage.Reader.SVG.h"
#include "vectorimage/ORVO.VectorImage.Writer.SkiaFMX.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <vector>

namespace bench {

struct TSvgFile
{
    QString Name;
    QByteArray Bytes;
};

inline QString SharedData(const QString& ASub)
{
    return QStringLiteral(ORVO_SHARED_DATA_DIR) + QLatin1Char('/') + ASub;
}

inline std::vector<TSvgFile> LoadCorpus(const QString& AFolder)
{
    std::vector<TSvgFile> LFiles;
    QDirIterator LIt(AFolder, {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
    while (LIt.hasNext()) {
        const QString LName = LIt.next();
        QFile LFile(LName);
        if (LFile.open(QIODevice::ReadOnly))
            LFiles.push_back({LName, LFile.readAll()});
    }
    std::sort(LFiles.begin(), LFiles.end(), [](const auto& A, const auto& B) { return A.Name < B.Name; });
    return LFiles;
}

// The reader over bytes in memory; Failed when it raised.
inline orvo::TqoResultParsing ReadDocument(const QByteArray& ABytes, core::TqoVectorDocument& ADocument)
{
    try {
        orvo::TqoVectorReaderSVG LReader(ADocument);
        QBuffer LBuffer;
        LBuffer.setData(ABytes);
        LBuffer.open(QIODevice::ReadOnly);
        LReader.LoadFromStream(LBuffer);
        return LReader.Result();
    } catch (const std::exception&) {
        return orvo::TqoResultParsing::Failed;
    }
}

// Our pipeline: read the bytes, keep the view box, draw at ASize. Returns the verdict.
inline orvo::TqoResultParsing RenderOurs(const QByteArray& ABytes, const QSize& ASize, QImage& AImage)
{
    core::TqoVectorDocument LDocument;
    const auto LResult = ReadDocument(ABytes, LDocument);
    if (LResult == orvo::TqoResultParsing::Failed)
        return LResult;
    if (ASize.isValid())
        LDocument.SetSize(ASize);
    orvo::TsvgExportFMXBitmapWithSkia LWriter(LDocument);
    AImage = LWriter.Bitmap().Image();
    return LResult;
}

inline QSize DocumentSize(const QByteArray& ABytes)
{
    core::TqoVectorDocument LDocument;
    ReadDocument(ABytes, LDocument);
    return QSize(int(LDocument.Size().width()), int(LDocument.Size().height()));
}

inline QImage RenderQtSvg(const QByteArray& ABytes, const QSize& ASize)
{
    QImage LImage(ASize, QImage::Format_ARGB32_Premultiplied);
    LImage.fill(Qt::transparent);
    QSvgRenderer LRenderer(ABytes);
    if (LRenderer.isValid()) {
        QPainter LPainter(&LImage);
        LPainter.setRenderHint(QPainter::Antialiasing);
        LRenderer.render(&LPainter);
    }
    return LImage;
}

} // namespace bench
