#include "ORVO.Designer.Images.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QStringList>

namespace dsgn {

namespace {

// Flex-box pictures are drawn for a row (main axis left to right) on a 24 x 24 grid and
// turned for a column, so every setting has one drawing for both directions.
struct TFlexPicture
{
    QList<QRectF> Items;
    // The direction arrow: from, to (grid coordinates); none when empty.
    QLineF Arrow;
};

const QStringList& Categories()
{
    static const QStringList LCategories{QStringLiteral("Direction"), QStringLiteral("Wrap"),
                                         QStringLiteral("AlignContent"), QStringLiteral("JustifyContent"),
                                         QStringLiteral("AlignItems")};
    return LCategories;
}

// Three items along the main axis of a 20-wide track starting at 2, placed as the
// justify-content value places them.
QList<QRectF> Justified(const QString& AValue)
{
    const double LItem = 4, LTrack = 20, LFree = LTrack - 3 * LItem;
    double LStart = 2, LGap = 1;
    if (AValue == QLatin1String("Start"))
        LGap = 1;
    else if (AValue == QLatin1String("End"))
        LStart = 2 + LFree - 2;
    else if (AValue == QLatin1String("Center"))
        LStart = 2 + (LFree - 2) / 2;
    else if (AValue == QLatin1String("SpaceBetween"))
        LGap = LFree / 2;
    else if (AValue == QLatin1String("SpaceAround")) {
        LGap = LFree / 3;
        LStart = 2 + LGap / 2;
    } else if (AValue == QLatin1String("SpaceEvenly")) {
        LGap = LFree / 4;
        LStart = 2 + LGap;
    } else
        return {};
    QList<QRectF> LItems;
    for (int I = 0; I < 3; ++I)
        LItems.append(QRectF(LStart + I * (LItem + LGap), 8, LItem, 8));
    return LItems;
}

QList<QRectF> AlignedItems(const QString& AValue)
{
    // Items of three lengths across the axis, as align-items puts them in a 20-high line.
    const double LHeights[] = {6, 10, 8};
    QList<QRectF> LItems;
    for (int I = 0; I < 3; ++I) {
        const double LX = 4 + I * 6;
        double LTop = 2, LHeight = LHeights[I];
        if (AValue == QLatin1String("Stretch"))
            LHeight = 20;
        else if (AValue == QLatin1String("End"))
            LTop = 22 - LHeight;
        else if (AValue == QLatin1String("Center"))
            LTop = 12 - LHeight / 2;
        else if (AValue == QLatin1String("Baseline"))
            LTop = 10 - LHeight / 2 + (I == 1 ? 0 : 2);
        else if (AValue != QLatin1String("Start"))
            return {};
        LItems.append(QRectF(LX, LTop, 4, LHeight));
    }
    return LItems;
}

QList<QRectF> AlignedLines(const QString& AValue)
{
    // Two wrapped lines of two items each, placed across the axis as align-content says.
    double LTop = 2, LGap = 1, LHeight = 5;
    if (AValue == QLatin1String("Stretch"))
        LHeight = 9.5;
    else if (AValue == QLatin1String("End"))
        LTop = 22 - 2 * LHeight - LGap;
    else if (AValue == QLatin1String("Center"))
        LTop = 12 - LHeight - LGap / 2;
    else if (AValue == QLatin1String("SpaceBetween"))
        LGap = 20 - 2 * LHeight;
    else if (AValue == QLatin1String("SpaceAround")) {
        LGap = (20 - 2 * LHeight) / 2;
        LTop = 2 + LGap / 2;
    } else if (AValue != QLatin1String("Start"))
        return {};
    QList<QRectF> LItems;
    for (int LLine = 0; LLine < 2; ++LLine)
        for (int I = 0; I < 2; ++I)
            LItems.append(QRectF(4 + I * 9, LTop + LLine * (LHeight + LGap), 7, LHeight));
    return LItems;
}

bool Picture(const QString& ACategory, const QString& AValue, TFlexPicture& APicture)
{
    if (ACategory == QLatin1String("Direction")) {
        const bool LReverse = AValue.endsWith(QLatin1String("Reverse"));
        for (int I = 0; I < 3; ++I)
            APicture.Items.append(QRectF(3 + I * 7, 4, 5, 7));
        APicture.Arrow = LReverse ? QLineF(21, 17, 3, 17) : QLineF(3, 17, 21, 17);
        return true;
    }
    if (ACategory == QLatin1String("Wrap")) {
        if (AValue == QLatin1String("NoWrap")) {
            for (int I = 0; I < 4; ++I)
                APicture.Items.append(QRectF(1 + I * 6, 8, 4, 8));
            return true;
        }
        if (AValue == QLatin1String("Wrap")) {
            for (int I = 0; I < 3; ++I)
                APicture.Items.append(QRectF(3 + I * 7, 3, 5, 8));
            APicture.Items.append(QRectF(3, 13, 5, 8));
            return true;
        }
        return false;
    }
    if (ACategory == QLatin1String("JustifyContent"))
        APicture.Items = Justified(AValue);
    else if (ACategory == QLatin1String("AlignItems"))
        APicture.Items = AlignedItems(AValue);
    else if (ACategory == QLatin1String("AlignContent"))
        APicture.Items = AlignedLines(AValue);
    return !APicture.Items.isEmpty();
}

// "Category\Value Axis": the direction's own icons carry no axis; theirs is in the value.
bool Parse(const QString& AName, QString& ACategory, QString& AValue, bool& AColumn)
{
    const qsizetype LSlash = AName.indexOf(QLatin1Char('\\'));
    if (LSlash <= 0)
        return false;
    ACategory = AName.left(LSlash);
    if (!Categories().contains(ACategory))
        return false;
    QString LRest = AName.mid(LSlash + 1);
    if (ACategory == QLatin1String("Direction")) {
        static const QStringList LValues{QStringLiteral("Column"), QStringLiteral("Row"),
                                         QStringLiteral("Column Reverse"), QStringLiteral("Row Reverse")};
        if (!LValues.contains(LRest))
            return false;
        AColumn = LRest.startsWith(QLatin1String("Column"));
        AValue = LRest.endsWith(QLatin1String("Reverse")) ? QStringLiteral("Reverse") : QStringLiteral("Forward");
        return true;
    }
    const qsizetype LSpace = LRest.lastIndexOf(QLatin1Char(' '));
    if (LSpace <= 0)
        return false;
    const QString LAxis = LRest.mid(LSpace + 1);
    if (LAxis != QLatin1String("Column") && LAxis != QLatin1String("Row"))
        return false;
    AColumn = LAxis == QLatin1String("Column");
    AValue = LRest.left(LSpace);
    return true;
}

} // namespace

bool TqoDesignerImages::Contains(const QString& AName)
{
    QString LCategory, LValue;
    bool LColumn = false;
    TFlexPicture LPicture;
    return Parse(AName, LCategory, LValue, LColumn) && Picture(LCategory, LValue, LPicture);
}

QIcon TqoDesignerImages::Icon(const QString& AName, int ASize)
{
    QString LCategory, LValue;
    bool LColumn = false;
    TFlexPicture LPicture;
    if (!Parse(AName, LCategory, LValue, LColumn) || !Picture(LCategory, LValue, LPicture))
        return {};
    const qreal LRatio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap LPixmap(QSize(ASize, ASize) * LRatio);
    LPixmap.setDevicePixelRatio(LRatio);
    LPixmap.fill(Qt::transparent);
    QPainter LPainter(&LPixmap);
    LPainter.setRenderHint(QPainter::Antialiasing);
    LPainter.scale(ASize / 24.0, ASize / 24.0);
    if (LColumn) // a column is a row turned about the diagonal
        LPainter.setTransform(QTransform(0, 1, 1, 0, 0, 0), true);
    const QPalette LPalette = QGuiApplication::palette();
    QColor LFrame = LPalette.color(QPalette::WindowText);
    LFrame.setAlphaF(0.45);
    LPainter.setPen(QPen(LFrame, 1));
    LPainter.setBrush(Qt::NoBrush);
    LPainter.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 2, 2);
    LPainter.setPen(Qt::NoPen);
    LPainter.setBrush(LPalette.color(QPalette::Highlight));
    for (const QRectF& LItem : LPicture.Items)
        LPainter.drawRect(LItem);
    if (!LPicture.Arrow.isNull()) {
        LPainter.setPen(QPen(LPalette.color(QPalette::WindowText), 1.5, Qt::SolidLine, Qt::RoundCap));
        LPainter.drawLine(LPicture.Arrow);
        const QPointF LTip = LPicture.Arrow.p2();
        const double LBack = LPicture.Arrow.dx() > 0 ? -3 : 3;
        LPainter.drawLine(LTip, LTip + QPointF(LBack, -3));
        LPainter.drawLine(LTip, LTip + QPointF(LBack, 3));
    }
    LPainter.end();
    return QIcon(LPixmap);
}

} // namespace dsgn
