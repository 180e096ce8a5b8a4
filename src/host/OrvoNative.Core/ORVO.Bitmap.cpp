#include "ORVO.Bitmap.h"

#include "ORVO.Exceptions.h"
#include "ORVO.WriteJournal.h"

#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

namespace core {

TqoBitmap::TqoBitmap(int AWidth, int AHeight) { SetSize(AWidth, AHeight); }

TqoBitmap::TqoBitmap(const QImage& AImage) : FImage(AImage.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}

TqoBitmap TqoBitmap::FromFile(const QString& AFileName)
{
    TqoBitmap bitmap;
    bitmap.LoadFromFile(AFileName);
    return bitmap;
}

void TqoBitmap::SetSize(int AWidth, int AHeight)
{
    if (AWidth <= 0 || AHeight <= 0) {
        FImage = QImage();
        return;
    }
    FImage = QImage(AWidth, AHeight, QImage::Format_ARGB32_Premultiplied);
    FImage.fill(Qt::transparent);
}

void TqoBitmap::Clear(TqoAlphaColor AColor)
{
    if (!FImage.isNull())
        FImage.fill(TqoColorHelper::ToQColor(AColor));
}

void TqoBitmap::LoadFromFile(const QString& AFileName)
{
    QImageReader reader(AFileName);
    QImage image = reader.read();
    if (image.isNull())
        throw EqoFileError(AFileName, 0, QStringLiteral("cannot read image: %1").arg(reader.errorString()));
    FImage = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TqoBitmap::SaveToFile(const QString& AFileName) const
{
    QByteArray format = QFileInfo(AFileName).suffix().toLower().toLatin1();
    if (format.isEmpty())
        format = "png";
    QSaveFile file(AFileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EqoFileError(AFileName, 0, QStringLiteral("cannot write image: %1").arg(file.errorString()));
    if (FImage.isNull() || !FImage.save(&file, format.constData()) || !file.commit())
        throw EqoFileError(AFileName, 0, QStringLiteral("cannot write image"));
    TqoWriteJournal::Note(AFileName);
}

TqoAlphaColor TqoBitmap::Pixel(int AX, int AY) const
{
    if (!FImage.valid(AX, AY))
        return TqoAlphaColors::Null;
    return FImage.pixel(AX, AY); // unpremultiplied ARGB
}

} // namespace core
