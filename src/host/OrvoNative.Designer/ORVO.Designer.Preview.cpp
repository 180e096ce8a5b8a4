#include "ORVO.Designer.Preview.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Externals.SvgBrush.h"

#include <QFile>
#include <QPainter>

namespace dsgn {

void CreateChessBackground(core::TqoBitmap& ABitmap, int ACellSize, core::TqoAlphaColor AColor1,
                           core::TqoAlphaColor AColor2)
{
    core::TqoAssert::IsTrue(ACellSize > 0,
                            QStringLiteral("The chessboard's cell size must be positive: ACellSize=%1").arg(ACellSize));
    QImage& image = ABitmap.Image();
    if (image.isNull())
        return;
    const QColor color1 = core::TqoColorHelper::ToQColor(AColor1);
    const QColor color2 = core::TqoColorHelper::ToQColor(AColor2);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int y = 0, row = 0; y < image.height(); y += ACellSize, ++row)
        for (int x = 0, column = 0; x < image.width(); x += ACellSize, ++column)
            painter.fillRect(x, y, ACellSize, ACellSize, (row + column) % 2 == 0 ? color1 : color2);
}

float Luminance(const core::TqoBitmap& ABitmap)
{
    const QImage& image = ABitmap.Image();
    if (image.isNull())
        return 0;
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    double weighted = 0;
    double alphaSum = 0;
    for (int y = 0; y < straight.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb pixel = line[x];
            const double alpha = qAlpha(pixel) / 255.0;
            // Rec. 709 weights on the stored (gamma-encoded) channels.
            const double luminance = (0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel)) / 255.0;
            weighted += luminance * alpha;
            alphaSum += alpha;
        }
    }
    return alphaSum > 0 ? float(weighted / alphaSum) : 0.0f;
}

core::TqoBitmap CreatePreview(const core::TqoBitmap& ABitmap, const QSize& ASize, core::TqoAlphaColor AColor1,
                              core::TqoAlphaColor AColor2, int ACellSize)
{
    core::TqoBitmap result(ASize.width(), ASize.height());
    if (result.IsEmpty())
        return result;
    CreateChessBackground(result, ACellSize, AColor1, AColor2);
    if (ABitmap.IsEmpty())
        return result;

    QSizeF size = ABitmap.Image().size();
    if (size.width() > ASize.width() || size.height() > ASize.height())
        size.scale(QSizeF(ASize), Qt::KeepAspectRatio);
    const QRectF target(QPointF((ASize.width() - size.width()) / 2, (ASize.height() - size.height()) / 2), size);
    QPainter painter(&result.Image());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(target, ABitmap.Image());
    return result;
}

core::TqoBitmap GenerateBitmap(const core::TqoAssetSVG& AAsset, const QSize& ASize)
{
    const QString fileName = AAsset.GetSVGFileName();
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        throw core::EqoFileError(fileName, 0, QStringLiteral("cannot read the SVG file"));
    ext::TSkSvgBrush brush;
    brush.SetSource(QString::fromUtf8(file.readAll()));
    if (!brush.HasDOM())
        throw core::EqoFileError(fileName, 0, QStringLiteral("not an SVG document"));

    core::TqoBitmap bitmap(ASize.width(), ASize.height());
    if (!bitmap.IsEmpty())
        brush.Render(bitmap.Image(), QRectF(QPointF(0, 0), QSizeF(ASize)));
    return bitmap;
}

std::unique_ptr<TWindowBitmap> FMXBitmapToVCLBitmap(const core::TqoBitmap& ABitmap)
{
    if (ABitmap.IsEmpty())
        return std::make_unique<TWindowBitmap>();
    return std::make_unique<TWindowBitmap>(ABitmap.Image().convertToFormat(QImage::Format_ARGB32));
}

} // namespace dsgn
