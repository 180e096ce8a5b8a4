#pragma once

#include "ORVO.Colors.h"

#include <QImage>
#include <QString>

namespace core {

// The framework's bitmap: a premultiplied ARGB image. Drawing goes through a
// QPainter opened on Image(), the host's 2D canvas.
class TqoBitmap
{
public:
    TqoBitmap() = default;
    TqoBitmap(int AWidth, int AHeight);
    explicit TqoBitmap(const QImage& AImage);

    // Raises EqoFileError naming the file when it cannot be read as an image.
    static TqoBitmap FromFile(const QString& AFileName);

    int GetWidth() const { return FImage.width(); }
    int GetHeight() const { return FImage.height(); }
    bool IsEmpty() const { return FImage.isNull(); }

    // New size with transparent content; the old pixels are dropped.
    void SetSize(int AWidth, int AHeight);
    void Clear(TqoAlphaColor AColor);

    void LoadFromFile(const QString& AFileName);
    // Format follows the extension (PNG unless told otherwise); written via a temporary file.
    void SaveToFile(const QString& AFileName) const;

    QImage& Image() { return FImage; }
    const QImage& Image() const { return FImage; }

    TqoAlphaColor Pixel(int AX, int AY) const;

private:
    QImage FImage;
};

} // namespace core
