#include "assets/designer/ORVO.Assets.Designer.Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace orvo {

namespace {

using TGlyph = std::function<void(QPainter&)>;

// Glyphs are drawn on a 24x24 grid; add commands carry a green plus in the lower right corner.
QIcon Draw(const TGlyph& AGlyph, bool APlus)
{
    QIcon LIcon;
    for (const int LSize : {24, 48}) {
        QPixmap LPixmap(LSize, LSize);
        LPixmap.fill(Qt::transparent);
        QPainter P(&LPixmap);
        P.setRenderHint(QPainter::Antialiasing);
        P.scale(LSize / 24.0, LSize / 24.0);
        AGlyph(P);
        if (APlus) {
            P.setPen(QPen(Qt::white, 1.5));
            P.setBrush(QColor(0x2E, 0x9E, 0x44));
            P.drawEllipse(QRectF(13, 13, 10.5, 10.5));
            P.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
            P.drawLine(QPointF(18.25, 15.5), QPointF(18.25, 21));
            P.drawLine(QPointF(15.5, 18.25), QPointF(21, 18.25));
        }
        P.end();
        LIcon.addPixmap(LPixmap);
    }
    return LIcon;
}

void Picture(QPainter& P)
{
    P.setPen(QPen(QColor(0x45, 0x5A, 0x64), 1.5));
    P.setBrush(QColor(0xE3, 0xF2, 0xFD));
    P.drawRoundedRect(QRectF(2.5, 4.5, 17, 14), 2, 2);
    QPainterPath LHills;
    LHills.moveTo(3.5, 17.5);
    LHills.lineTo(9, 10.5);
    LHills.lineTo(12.5, 14.5);
    LHills.lineTo(15, 12);
    LHills.lineTo(18.5, 17.5);
    LHills.closeSubpath();
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x43, 0xA0, 0x47));
    P.drawPath(LHills);
    P.setBrush(QColor(0xFF, 0xB3, 0x00));
    P.drawEllipse(QPointF(15.5, 8.5), 1.8, 1.8);
}

void Curve(QPainter& P)
{
    P.setPen(QPen(QColor(0xE6, 0x51, 0x00), 2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath LPath;
    LPath.moveTo(3, 17);
    LPath.cubicTo(6, 2, 13, 20, 18, 4);
    P.setBrush(Qt::NoBrush);
    P.drawPath(LPath);
    P.setPen(QPen(QColor(0x45, 0x5A, 0x64), 1.2));
    P.setBrush(Qt::white);
    P.drawRect(QRectF(1.5, 15.5, 3, 3));
    P.drawRect(QRectF(16.5, 2.5, 3, 3));
}

void Swatch(QPainter& P)
{
    const QColor LColors[] = {QColor(0xE5, 0x39, 0x35), QColor(0xFD, 0xD8, 0x35), QColor(0x43, 0xA0, 0x47),
                              QColor(0x1E, 0x88, 0xE5)};
    const QRectF LRect(2, 2, 17, 17);
    P.setPen(Qt::NoPen);
    for (int I = 0; I < 4; ++I) {
        P.setBrush(LColors[I]);
        P.drawPie(LRect, I * 90 * 16, 90 * 16);
    }
    P.setPen(QPen(QColor(0x45, 0x5A, 0x64), 1.2));
    P.setBrush(Qt::NoBrush);
    P.drawEllipse(LRect);
}

void Letter(QPainter& P)
{
    QFont LFont(QStringLiteral("Serif"));
    LFont.setPixelSize(17);
    LFont.setBold(true);
    P.setFont(LFont);
    P.setPen(QColor(0x37, 0x47, 0x4F));
    P.drawText(QRectF(0, 0, 20, 21), Qt::AlignCenter, QStringLiteral("A"));
}

void Page(QPainter& P)
{
    QPainterPath LPage;
    LPage.moveTo(4.5, 2.5);
    LPage.lineTo(13, 2.5);
    LPage.lineTo(17.5, 7);
    LPage.lineTo(17.5, 20.5);
    LPage.lineTo(4.5, 20.5);
    LPage.closeSubpath();
    P.setPen(QPen(QColor(0x45, 0x5A, 0x64), 1.3));
    P.setBrush(Qt::white);
    P.drawPath(LPage);
    P.drawLine(QPointF(13, 2.5), QPointF(13, 7));
    P.drawLine(QPointF(13, 7), QPointF(17.5, 7));
    P.setPen(QPen(QColor(0x90, 0xA4, 0xAE), 1.2));
    for (const double LY : {10.5, 13.5, 16.5})
        P.drawLine(QPointF(7, LY), QPointF(15, LY));
}

void Play(QPainter& P)
{
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x00, 0x89, 0x7B));
    P.drawEllipse(QRectF(2, 2, 18, 18));
    QPainterPath LTriangle;
    LTriangle.moveTo(8.5, 6.5);
    LTriangle.lineTo(15, 11);
    LTriangle.lineTo(8.5, 15.5);
    LTriangle.closeSubpath();
    P.setBrush(Qt::white);
    P.drawPath(LTriangle);
}

void Brush(QPainter& P)
{
    P.setPen(QPen(QColor(0x6D, 0x4C, 0x41), 2.5, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(QPointF(16, 3), QPointF(9.5, 11.5));
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x8E, 0x24, 0xAA));
    QPainterPath LTip;
    LTip.moveTo(8, 10.5);
    LTip.cubicTo(11, 12, 11, 15, 8, 17);
    LTip.cubicTo(6, 18.5, 3, 18.5, 2.5, 18.5);
    LTip.cubicTo(4, 16, 4, 12, 8, 10.5);
    P.drawPath(LTip);
}

void Theme(QPainter& P)
{
    P.setPen(QPen(QColor(0x45, 0x5A, 0x64), 1.2));
    P.setBrush(QColor(0x26, 0x32, 0x38));
    P.drawRoundedRect(QRectF(7.5, 2.5, 12, 12), 2, 2);
    P.setBrush(QColor(0xFA, 0xFA, 0xFA));
    P.drawRoundedRect(QRectF(2.5, 7.5, 12, 12), 2, 2);
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x3F, 0x51, 0xB5));
    P.drawEllipse(QPointF(8.5, 13.5), 3, 3);
}

void Folder(QPainter& P)
{
    QPainterPath LFolder;
    LFolder.moveTo(2.5, 5.5);
    LFolder.lineTo(8.5, 5.5);
    LFolder.lineTo(10.5, 7.5);
    LFolder.lineTo(19.5, 7.5);
    LFolder.lineTo(19.5, 18.5);
    LFolder.lineTo(2.5, 18.5);
    LFolder.closeSubpath();
    P.setPen(QPen(QColor(0xC7, 0x8B, 0x00), 1.3));
    P.setBrush(QColor(0xFF, 0xCA, 0x28));
    P.drawPath(LFolder);
}

void Sparkles(QPainter& P)
{
    Theme(P);
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0xFF, 0xB3, 0x00));
    QPainterPath LStar;
    LStar.moveTo(19, 15);
    LStar.lineTo(20.2, 18.8);
    LStar.lineTo(24, 20);
    LStar.lineTo(20.2, 21.2);
    LStar.lineTo(19, 25);
    LStar.lineTo(17.8, 21.2);
    LStar.lineTo(14, 20);
    LStar.lineTo(17.8, 18.8);
    LStar.closeSubpath();
    P.drawPath(LStar.translated(-1.5, -2));
}

void Mask(QPainter& P)
{
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x37, 0x47, 0x4F));
    QPainterPath LRing;
    LRing.addRect(QRectF(2, 2, 19, 19));
    LRing.addEllipse(QRectF(4.5, 4.5, 14, 14));
    P.drawPath(LRing);
}

void Stub(QPainter& P)
{
    P.setPen(QPen(QColor(0x78, 0x90, 0x9C), 1.3));
    P.setBrush(QColor(0xEC, 0xEF, 0xF1));
    P.drawRect(QRectF(2.5, 4.5, 18, 14));
    P.drawLine(QPointF(2.5, 4.5), QPointF(20.5, 18.5));
    P.drawLine(QPointF(20.5, 4.5), QPointF(2.5, 18.5));
}

void Cross(QPainter& P)
{
    P.setPen(QPen(QColor(0xD3, 0x2F, 0x2F), 2.6, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(QPointF(5, 5), QPointF(18, 18));
    P.drawLine(QPointF(18, 5), QPointF(5, 18));
}

void Disk(QPainter& P)
{
    P.setPen(QPen(QColor(0x15, 0x65, 0xC0), 1.3));
    P.setBrush(QColor(0x1E, 0x88, 0xE5));
    P.drawRoundedRect(QRectF(2.5, 2.5, 18, 18), 2, 2);
    P.setBrush(Qt::white);
    P.drawRect(QRectF(6.5, 2.5, 10, 6));
    P.drawRect(QRectF(5.5, 12.5, 12, 8));
}

void Copy(QPainter& P)
{
    P.setPen(QPen(QColor(0x45, 0x5A, 0x64), 1.3));
    P.setBrush(Qt::white);
    P.drawRoundedRect(QRectF(2.5, 2.5, 11, 13), 1.5, 1.5);
    P.drawRoundedRect(QRectF(8.5, 7.5, 11, 13), 1.5, 1.5);
}

void Arrow(QPainter& P)
{
    Folder(P);
    P.setPen(QPen(QColor(0x3F, 0x51, 0xB5), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    P.drawLine(QPointF(7, 13), QPointF(15, 13));
    P.drawLine(QPointF(12, 10), QPointF(15, 13));
    P.drawLine(QPointF(12, 16), QPointF(15, 13));
}

} // namespace

QIcon AssetsDesignerIcon(const QString& AActionName)
{
    struct TEntry
    {
        const char* Name;
        void (*Glyph)(QPainter&);
        bool Plus;
    };
    static const TEntry CEntries[] = {
        {"ActionAddBitmapSet", &Picture, true},
        {"ActionAddSVG", &Curve, true},
        {"ActionAddColor", &Swatch, true},
        {"ActionAddFont", &Letter, true},
        {"ActionAddCustomFile", &Page, true},
        {"ActionAddLottieAnimation", &Play, true},
        {"ActionAddStyle", &Brush, true},
        {"ActionAddTheme", &Theme, true},
        {"ActionAddFolder", &Folder, true},
        {"ActionGenerateThemeColors", &Sparkles, false},
        {"ActionGenerateRoundMask", &Mask, false},
        {"ActionGenerateImageStub", &Stub, false},
        {"ActionImportIconsCollections", &Picture, false},
        {"ActionImportIconPack", &Folder, false},
        {"ActionConvertFolderToThemeContainer", &Arrow, false},
        {"ActionDelete", &Cross, false},
        {"ActionCopyName", &Copy, false},
        {"ActionCloneAsset", &Copy, true},
        {"ActionSave", &Disk, false},
    };
    for (const TEntry& LEntry : CEntries)
        if (AActionName == QLatin1String(LEntry.Name))
            return Draw(LEntry.Glyph, LEntry.Plus);
    return {};
}

} // namespace orvo
