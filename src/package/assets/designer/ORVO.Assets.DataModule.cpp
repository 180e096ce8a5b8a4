#include "ORVO.Assets.DataModule.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

namespace orvo {

namespace {

const QString ResourceRoot = QStringLiteral(":/" ORVO_PACKAGE_MODULE);

constexpr QColor FolderFill(0xE8, 0xB8, 0x4A);
constexpr QColor FolderLine(0xA8, 0x7A, 0x1E);
constexpr QColor PageFill(0xFF, 0xFF, 0xFF);
constexpr QColor PageLine(0x70, 0x70, 0x70);
constexpr QColor Ink(0x2B, 0x4A, 0x8C);

QPen Line(const QColor& AColor, qreal AWidth = 1.2)
{
    return QPen(AColor, AWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawFolder(QPainter& P)
{
    P.setPen(Line(FolderLine));
    P.setBrush(FolderFill);
    P.drawPolygon(QPolygonF{{2.5, 5.5}, {9.5, 5.5}, {11.5, 7.5}, {21.5, 7.5}, {21.5, 19.5}, {2.5, 19.5}});
    P.drawLine(QPointF(2.5, 9.5), QPointF(21.5, 9.5));
}

// A page with its top-right corner folded.
void DrawPage(QPainter& P)
{
    P.setPen(Line(PageLine));
    P.setBrush(PageFill);
    P.drawPolygon(QPolygonF{{5.5, 2.5}, {14.5, 2.5}, {19.5, 7.5}, {19.5, 21.5}, {5.5, 21.5}});
    P.setBrush(Qt::NoBrush);
    P.drawPolyline(QPolygonF{{14.5, 2.5}, {14.5, 7.5}, {19.5, 7.5}});
}

void DrawFile(QPainter& P)
{
    DrawPage(P);
    P.setPen(Line(QColor(0xA0, 0xA0, 0xA0), 1));
    for (qreal LY : {11.5, 14.5, 17.5})
        P.drawLine(QPointF(8, LY), QPointF(17, LY));
}

void DrawLetterA(QPainter& P, const QRectF& ABox, const QColor& AColor, qreal AWidth)
{
    P.setPen(Line(AColor, AWidth));
    P.setBrush(Qt::NoBrush);
    const QPointF LTop(ABox.center().x(), ABox.top());
    P.drawPolyline(QPolygonF{ABox.bottomLeft(), LTop, ABox.bottomRight()});
    const qreal LBarY = ABox.top() + ABox.height() * 0.62;
    const qreal LInset = ABox.width() * 0.5 * 0.62;
    P.drawLine(QPointF(ABox.left() + LInset, LBarY), QPointF(ABox.right() - LInset, LBarY));
}

void DrawFont(QPainter& P)
{
    DrawLetterA(P, QRectF(4, 3.5, 12, 17), Ink, 2.2);
    DrawLetterA(P, QRectF(14, 11.5, 7, 9), QColor(0x60, 0x60, 0x60), 1.4);
}

void DrawLottie(QPainter& P)
{
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x00, 0xC1, 0xA2));
    P.drawRoundedRect(QRectF(2, 2, 20, 20), 5, 5);
    // The curve of a motion path: a slow start, a swing and a settle.
    QPainterPath LCurve;
    LCurve.moveTo(6.5, 17);
    LCurve.cubicTo(11, 17, 10, 7, 17.5, 7);
    P.setPen(Line(Qt::white, 2.2));
    P.setBrush(Qt::NoBrush);
    P.drawPath(LCurve);
}

void DrawTheme(QPainter& P)
{
    // A painter's palette with four paints.
    QPainterPath LPalette;
    LPalette.addEllipse(QRectF(2.5, 3.5, 19, 17));
    QPainterPath LThumb;
    LThumb.addEllipse(QRectF(12.5, 13.5, 5, 4));
    P.setPen(Line(QColor(0x8A, 0x63, 0x3A)));
    P.setBrush(QColor(0xF0, 0xD9, 0xB5));
    P.drawPath(LPalette.subtracted(LThumb));
    P.setPen(Qt::NoPen);
    const std::pair<QPointF, QColor> LPaints[] = {{{7.5, 9}, QColor(0xE5, 0x39, 0x35)},
                                                  {{12, 7}, QColor(0x1E, 0x88, 0xE5)},
                                                  {{16.5, 9}, QColor(0x43, 0xA0, 0x47)},
                                                  {{7.5, 14.5}, QColor(0xFB, 0xC0, 0x2D)}};
    for (const auto& [LAt, LColor] : LPaints) {
        P.setBrush(LColor);
        P.drawEllipse(LAt, 2.2, 2.2);
    }
}

void DrawCustomFile(QPainter& P)
{
    DrawFile(P);
    // A gear badge: the file is the application's own.
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x1E, 0x88, 0xE5));
    const QPointF LCenter(16, 17);
    for (int LTooth = 0; LTooth < 8; ++LTooth) {
        P.save();
        P.translate(LCenter);
        P.rotate(LTooth * 45);
        P.drawRect(QRectF(-1, -5.5, 2, 2.5));
        P.restore();
    }
    P.drawEllipse(LCenter, 4, 4);
    P.setBrush(Qt::white);
    P.drawEllipse(LCenter, 1.6, 1.6);
}

TImageCollection::TDrawer FontFile(const QString& AType, const QColor& ABand)
{
    return [AType, ABand](QPainter& P) {
        DrawPage(P);
        DrawLetterA(P, QRectF(8.5, 5.5, 7, 7), Ink, 1.6);
        P.setPen(Qt::NoPen);
        P.setBrush(ABand);
        P.drawRect(QRectF(3, 14, 18, 7));
        QFont LFont = TDesignerDataModule::Font(QStringLiteral("Tahoma"), 6);
        LFont.setBold(true);
        P.setFont(LFont);
        P.setPen(Qt::white);
        P.drawText(QRectF(3, 14, 18, 7), Qt::AlignCenter, AType);
    };
}

} // namespace

void TImageCollection::Add(const QString& AName, TDrawer ADrawer)
{
    if (!FItems.contains(AName))
        FNames.append(AName);
    FItems.insert(AName, TItem{std::move(ADrawer), QImage()});
}

void TImageCollection::Add(const QString& AName, const QImage& AImage)
{
    if (!FItems.contains(AName))
        FNames.append(AName);
    FItems.insert(AName, TItem{nullptr, AImage});
}

QImage TImageCollection::Bitmap(const QString& AName, int ASize) const
{
    const auto LIt = FItems.constFind(AName);
    if (LIt == FItems.cend() || ASize < 1)
        return QImage();
    QImage LImage(ASize, ASize, QImage::Format_ARGB32_Premultiplied);
    LImage.fill(Qt::transparent);
    QPainter LPainter(&LImage);
    LPainter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    if (LIt->Drawer) {
        LPainter.scale(ASize / 24.0, ASize / 24.0);
        LIt->Drawer(LPainter);
    } else if (!LIt->Image.isNull()) {
        const QSize LSize = LIt->Image.size().scaled(ASize, ASize, Qt::KeepAspectRatio);
        LPainter.drawImage(QRect(QPoint((ASize - LSize.width()) / 2, (ASize - LSize.height()) / 2), LSize), LIt->Image);
    }
    LPainter.end();
    return LImage.convertToFormat(QImage::Format_ARGB32);
}

TDesignerDataModule::TDesignerDataModule()
{
    FImageCollection.Add(QStringLiteral("Folder Closed"), DrawFolder);
    FImageCollection.Add(QStringLiteral("Font"), DrawFont);
    FImageCollection.Add(QStringLiteral("File"), DrawFile);
    FImageCollection.Add(QStringLiteral("Lottie Animation"), DrawLottie);
    FImageCollection.Add(QStringLiteral("Theme"), DrawTheme);
    FImageCollection.Add(QStringLiteral("Custom File"), DrawCustomFile);
    FImageCollection.Add(QStringLiteral("Font File OTF"), FontFile(QStringLiteral("OTF"), QColor(0x2E, 0x7D, 0x32)));
    FImageCollection.Add(QStringLiteral("Font File TTF"), FontFile(QStringLiteral("TTF"), QColor(0x15, 0x65, 0xC0)));
}

QStringList TDesignerDataModule::ImageListTabs() const
{
    return {ResourceRoot + QStringLiteral("/designer/AssetsManager.png")};
}

const QStringList& TDesignerDataModule::KindImageNames()
{
    static const QStringList LNames{QStringLiteral("Folder Closed"), QStringLiteral("Font"), QStringLiteral("File"),
                                    QStringLiteral("Lottie Animation"), QStringLiteral("Theme")};
    return LNames;
}

std::vector<QImage> TDesignerDataModule::KindImages24() const
{
    std::vector<QImage> LImages;
    for (int LIndex = 0; LIndex < KindImageNames().size(); ++LIndex)
        LImages.push_back(KindImage(LIndex, 24));
    return LImages;
}

QImage TDesignerDataModule::KindImage(int AIndex, int ASize) const
{
    if (AIndex < 0 || AIndex >= KindImageNames().size())
        return QImage();
    return FImageCollection.Bitmap(KindImageNames().at(AIndex), ASize);
}

QImage TDesignerDataModule::LoadComponentIconIfRequired(const QString& AClassName, int ASize)
{
    if (AClassName.isEmpty())
        return QImage();
    if (!FImageCollection.Contains(AClassName)) {
        // The largest icon scales down best; the plain one is 24 by 24.
        for (const char* LSuffix : {"128", "32", "", "16"}) {
            const QImage LIcon(ResourceRoot + QStringLiteral("/RCDATA/") + AClassName.toUpper() +
                               QLatin1String(LSuffix) + QStringLiteral("_PNG"));
            if (!LIcon.isNull()) {
                FImageCollection.Add(AClassName, LIcon);
                break;
            }
        }
    }
    return FImageCollection.Bitmap(AClassName, ASize);
}

QFont TDesignerDataModule::Font(const QString& AFamily, int APixelSize)
{
    QFont LFont;
    LFont.setFamilies({AFamily, QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    LFont.setStyleHint(QFont::SansSerif);
    LFont.setPixelSize(APixelSize);
    return LFont;
}

TDesignerDataModule& DesignerDataModule()
{
    static TDesignerDataModule LInstance;
    return LInstance;
}

} // namespace orvo
