// Draws the palette icons of the package: a rounded tile in the page's color with a
// white pictogram of the component. Run once when a class or its picture changes; the
// PNGs it writes are committed under src/package/resources/icons.
//
//   icongen OUTPUT_DIR

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cstdio>
#include <functional>
#include <map>

namespace {

using TGlyph = std::function<void(QPainter&)>;

// All glyphs are drawn on a 24 x 24 grid; the tile is scaled to the icon's size.
void Pen(QPainter& P, qreal AWidth = 1.6)
{
    P.setPen(QPen(Qt::white, AWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    P.setBrush(Qt::NoBrush);
}

void Fill(QPainter& P)
{
    P.setPen(Qt::NoPen);
    P.setBrush(Qt::white);
}

void Lines(QPainter& P, std::initializer_list<QLineF> ALines)
{
    for (const auto& L : ALines)
        P.drawLine(L);
}

const std::map<QString, TGlyph>& Glyphs()
{
    static const std::map<QString, TGlyph> G = {
        {"TqoLabel",
         [](QPainter& P) {
             Pen(P, 2);
             Lines(P, {{7, 18, 12, 6}, {12, 6, 17, 18}, {9, 14, 15, 14}});
         }},
        {"TqoButton",
         [](QPainter& P) {
             Pen(P);
             P.drawRoundedRect(QRectF(4, 8, 16, 8), 3, 3);
             Lines(P, {{9, 12, 15, 12}});
         }},
        {"TqoCheckBox",
         [](QPainter& P) {
             Pen(P);
             P.drawRoundedRect(QRectF(5, 5, 14, 14), 2, 2);
             Pen(P, 2);
             P.drawPolyline(QPolygonF({{8, 12}, {11, 15}, {16, 9}}));
         }},
        {"TqoRadioButton",
         [](QPainter& P) {
             Pen(P);
             P.drawEllipse(QPointF(12, 12), 7, 7);
             Fill(P);
             P.drawEllipse(QPointF(12, 12), 3.5, 3.5);
         }},
        {"TqoEdit",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(3, 8, 18, 8));
             Lines(P, {{7, 10, 7, 14}});
         }},
        {"TqoAutoCompleteEdit",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(3, 4, 18, 7));
             P.drawRect(QRectF(3, 13, 18, 7));
             Lines(P, {{6, 16.5, 14, 16.5}});
         }},
        {"TqoSearchEdit",
         [](QPainter& P) {
             Pen(P, 2);
             P.drawEllipse(QPointF(10, 10), 5, 5);
             Lines(P, {{14, 14, 19, 19}});
         }},
        {"TqoComboBox",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(3, 8, 18, 8));
             Fill(P);
             P.drawPolygon(QPolygonF({{14, 11}, {19, 11}, {16.5, 14}}));
         }},
        {"TqoMemo",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(4, 4, 16, 16));
             Lines(P, {{7, 8, 17, 8}, {7, 12, 17, 12}, {7, 16, 13, 16}});
         }},
        {"TqoImage",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(4, 5, 16, 14));
             P.drawPolyline(QPolygonF({{4, 17}, {10, 11}, {14, 15}, {16, 13}, {20, 17}}));
             Fill(P);
             P.drawEllipse(QPointF(16, 9), 1.5, 1.5);
         }},
        {"TqoTrackBar",
         [](QPainter& P) {
             Pen(P);
             Lines(P, {{3, 12, 21, 12}});
             Fill(P);
             P.drawEllipse(QPointF(10, 12), 3.5, 3.5);
         }},
        {"TqoNavigationBar",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(3, 5, 18, 14));
             Fill(P);
             P.drawRect(QRectF(3, 5, 18, 4));
         }},
        {"TqoSwitch",
         [](QPainter& P) {
             Pen(P);
             P.drawRoundedRect(QRectF(3, 8, 18, 8), 4, 4);
             Fill(P);
             P.drawEllipse(QPointF(17, 12), 2.7, 2.7);
         }},
        {"TqoProgressBar",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(3, 9, 18, 6));
             Fill(P);
             P.drawRect(QRectF(3, 9, 11, 6));
         }},
        {"TqoActivityIndicator",
         [](QPainter& P) {
             Pen(P, 2);
             for (int I = 0; I < 8; ++I) {
                 const qreal A = I * M_PI / 4;
                 Lines(P, {{12 + 4 * qCos(A), 12 + 4 * qSin(A), 12 + 8 * qCos(A), 12 + 8 * qSin(A)}});
             }
         }},
        {"TqoVirtualListPicker",
         [](QPainter& P) {
             Pen(P);
             Lines(P, {{5, 6, 19, 6}, {5, 18, 19, 18}});
             P.drawRect(QRectF(4, 10, 16, 4));
         }},
        {"TqoNumberListPicker",
         [](QPainter& P) {
             Pen(P);
             Lines(P, {{9, 5, 9, 19}, {15, 5, 15, 19}, {5, 9, 19, 9}, {5, 15, 19, 15}});
         }},
        {"TqoCollectionView",
         [](QPainter& P) {
             Fill(P);
             for (int R = 0; R < 2; ++R)
                 for (int C = 0; C < 2; ++C)
                     P.drawRoundedRect(QRectF(5 + C * 8, 5 + R * 8, 6, 6), 1, 1);
         }},
        {"TqoListMenu",
         [](QPainter& P) {
             Fill(P);
             for (int I = 0; I < 3; ++I) {
                 P.drawEllipse(QPointF(6, 7 + I * 5), 1.3, 1.3);
                 P.drawRect(QRectF(9, 6.2 + I * 5, 10, 1.6));
             }
         }},
        {"TqoLayout",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(4, 4, 16, 16));
             Lines(P, {{4, 10, 20, 10}, {12, 10, 12, 20}});
         }},
        {"TqoDrawerLayout",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(4, 4, 16, 16));
             Fill(P);
             P.drawRect(QRectF(4, 4, 7, 16));
         }},
        {"TqoBottomSheetLayout",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(4, 4, 16, 16));
             Fill(P);
             P.drawRect(QRectF(4, 13, 16, 7));
         }},
        {"TqoVirtualPagerLayout",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(7, 5, 10, 14));
             Lines(P, {{4, 7, 4, 17}, {20, 7, 20, 17}});
         }},
        {"TqoPagerLayout",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(7, 4, 10, 13));
             Fill(P);
             for (int I = 0; I < 3; ++I)
                 P.drawEllipse(QPointF(9 + I * 3, 20), 1, 1);
         }},
        {"TqoCardPanel",
         [](QPainter& P) {
             Pen(P);
             P.drawRoundedRect(QRectF(4, 6, 16, 12), 3, 3);
             Lines(P, {{7, 10, 14, 10}});
         }},
        {"TqoSpacer",
         [](QPainter& P) {
             Pen(P);
             Lines(P, {{4, 6, 4, 18}, {20, 6, 20, 18}, {7, 12, 17, 12}});
             P.drawPolyline(QPolygonF({{9, 10}, {7, 12}, {9, 14}}));
             P.drawPolyline(QPolygonF({{15, 10}, {17, 12}, {15, 14}}));
         }},
        {"TqoHorizontalScrollBox",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(4, 5, 16, 14));
             Fill(P);
             P.drawRect(QRectF(6, 16, 7, 1.6));
         }},
        {"TqoVerticalScrollBox",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(5, 4, 14, 16));
             Fill(P);
             P.drawRect(QRectF(16, 6, 1.6, 7));
         }},
        {"TqoPageControl",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(4, 8, 16, 12));
             P.drawRect(QRectF(4, 4, 6, 4));
             P.drawRect(QRectF(10, 4, 6, 4));
         }},
        {"TqoLine",
         [](QPainter& P) {
             Pen(P, 2);
             Lines(P, {{5, 19, 19, 5}});
         }},
        {"TqoRectangle",
         [](QPainter& P) {
             Pen(P, 2);
             P.drawRect(QRectF(5, 7, 14, 10));
         }},
        {"TqoRhomb",
         [](QPainter& P) {
             Pen(P, 2);
             P.drawPolygon(QPolygonF({{12, 4}, {20, 12}, {12, 20}, {4, 12}}));
         }},
        {"TqoCircle",
         [](QPainter& P) {
             Pen(P, 2);
             P.drawEllipse(QPointF(12, 12), 7, 7);
         }},
        {"TqoEllipse",
         [](QPainter& P) {
             Pen(P, 2);
             P.drawEllipse(QPointF(12, 12), 8, 5);
         }},
        {"TqoArc",
         [](QPainter& P) {
             Pen(P, 2);
             P.drawArc(QRectF(5, 5, 14, 14), 0, 180 * 16);
         }},
        {"TqoArch",
         [](QPainter& P) {
             Pen(P, 2);
             P.drawArc(QRectF(5, 7, 14, 14), 0, 180 * 16);
             Lines(P, {{5, 14, 5, 19}, {19, 14, 19, 19}});
         }},
        {"TqoSector",
         [](QPainter& P) {
             Pen(P, 2);
             P.drawPie(QRectF(5, 5, 14, 14), 30 * 16, 270 * 16);
         }},
        {"TqoRegularPolygon",
         [](QPainter& P) {
             Pen(P, 2);
             QPolygonF G;
             for (int I = 0; I < 6; ++I)
                 G << QPointF(12 + 7.5 * qCos(I * M_PI / 3), 12 + 7.5 * qSin(I * M_PI / 3));
             P.drawPolygon(G);
         }},
        {"TqoSvgPath",
         [](QPainter& P) {
             Pen(P, 2);
             QPainterPath Path({4, 17});
             Path.cubicTo(8, 3, 14, 21, 20, 7);
             P.drawPath(Path);
         }},
        {"TqoPaintBox",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(4, 4, 16, 16));
             Pen(P, 2);
             Lines(P, {{8, 16, 16, 8}});
             Fill(P);
             P.drawEllipse(QPointF(8, 16), 1.8, 1.8);
         }},
        {"TqoSignature",
         [](QPainter& P) {
             Pen(P);
             QPainterPath Path({4, 15});
             Path.cubicTo(7, 5, 9, 19, 12, 12);
             Path.cubicTo(14, 8, 16, 17, 20, 12);
             P.drawPath(Path);
             Lines(P, {{4, 19, 20, 19}});
         }},
        {"TqoMap",
         [](QPainter& P) {
             Pen(P);
             P.drawPolygon(QPolygonF({{3, 6}, {9, 4}, {15, 6}, {21, 4}, {21, 18}, {15, 20}, {9, 18}, {3, 20}}));
             Lines(P, {{9, 4, 9, 18}, {15, 6, 15, 20}});
         }},
        {"TqoVideoControl",
         [](QPainter& P) {
             Pen(P);
             P.drawRoundedRect(QRectF(3, 5, 18, 14), 2, 2);
             Fill(P);
             P.drawPolygon(QPolygonF({{10, 9}, {15, 12}, {10, 15}}));
         }},
        {"TqoCamera",
         [](QPainter& P) {
             Pen(P);
             P.drawRoundedRect(QRectF(3, 7, 18, 12), 2, 2);
             P.drawEllipse(QPointF(12, 13), 3.5, 3.5);
             Fill(P);
             P.drawRect(QRectF(8, 5, 8, 2));
         }},
        {"TqoCameraPreview",
         [](QPainter& P) {
             Pen(P);
             P.drawRect(QRectF(3, 4, 18, 16));
             P.drawEllipse(QPointF(12, 12), 4, 4);
             Fill(P);
             P.drawEllipse(QPointF(12, 12), 1.5, 1.5);
         }},
        {"TqoBarcodeScanner",
         [](QPainter& P) {
             Pen(P);
             P.drawPolyline(QPolygonF({{4, 8}, {4, 4}, {8, 4}}));
             P.drawPolyline(QPolygonF({{16, 4}, {20, 4}, {20, 8}}));
             P.drawPolyline(QPolygonF({{4, 16}, {4, 20}, {8, 20}}));
             P.drawPolyline(QPolygonF({{16, 20}, {20, 20}, {20, 16}}));
             Lines(P, {{7, 12, 17, 12}});
         }},
        {"TqoBarcode",
         [](QPainter& P) {
             Fill(P);
             const qreal W[] = {1, 2, 1, 1, 3, 1, 2, 1};
             qreal X = 4;
             for (int I = 0; I < 8; ++I) {
                 P.drawRect(QRectF(X, 6, W[I], 12));
                 X += W[I] + 1;
             }
         }},
        {"TqoFont",
         [](QPainter& P) {
             Pen(P, 2);
             Lines(P, {{6, 19, 11, 5}, {11, 5, 16, 19}, {8, 14, 14, 14}});
             Pen(P);
             Lines(P, {{17, 9, 17, 19}});
             P.drawEllipse(QPointF(19, 16), 2, 3);
         }},
        {"TqoFirebaseAnalytics",
         [](QPainter& P) {
             Fill(P);
             P.drawRect(QRectF(5, 13, 3, 6));
             P.drawRect(QRectF(10.5, 9, 3, 10));
             P.drawRect(QRectF(16, 5, 3, 14));
         }},
        {"TqoAppMetricaAnalytics",
         [](QPainter& P) {
             Pen(P, 2);
             P.drawPolyline(QPolygonF({{4, 17}, {9, 11}, {13, 14}, {20, 6}}));
             Pen(P);
             Lines(P, {{4, 20, 20, 20}});
         }},
        {"TqoGoogleAdMobProvider",
         [](QPainter& P) {
             Pen(P);
             P.drawRoundedRect(QRectF(3, 6, 18, 12), 2, 2);
             Pen(P, 2);
             Lines(P, {{7, 15, 9.5, 9}, {9.5, 9, 12, 15}, {14, 9, 14, 15}});
             P.drawArc(QRectF(12, 9, 5, 6), -90 * 16, 180 * 16);
         }},
        {"TqoYandexMobileAdsProvider",
         [](QPainter& P) {
             Pen(P);
             P.drawRoundedRect(QRectF(3, 6, 18, 12), 2, 2);
             Pen(P, 2);
             Lines(P, {{9, 9, 12, 12.5}, {15, 9, 12, 12.5}, {12, 12.5, 12, 15}});
         }},
        {"TqoPushNotificationService",
         [](QPainter& P) {
             Pen(P);
             QPainterPath B({6, 17});
             B.lineTo(18, 17);
             B.cubicTo(16, 15, 17, 12, 16.5, 9.5);
             B.cubicTo(16, 6, 8, 6, 7.5, 9.5);
             B.cubicTo(7, 12, 8, 15, 6, 17);
             P.drawPath(B);
             Fill(P);
             P.drawEllipse(QPointF(12, 19), 1.6, 1.6);
             P.drawEllipse(QPointF(17.5, 6.5), 2.2, 2.2);
         }},
        {"TqoBiometricAuthentication",
         [](QPainter& P) {
             Pen(P);
             for (int I = 0; I < 3; ++I)
                 P.drawArc(QRectF(6 + I * 2.5, 5 + I * 2.5, 12 - I * 5, 16 - I * 5), 0, 180 * 16);
             Lines(P, {{6, 13, 6, 17}, {18, 13, 18, 17}, {12, 12, 12, 19}});
         }},
        {"TqoLottieImage",
         [](QPainter& P) {
             Pen(P, 2);
             QPainterPath L({6, 18});
             L.cubicTo(12, 18, 11, 6, 18, 6);
             P.drawPath(L);
             Lines(P, {{9, 12, 15, 12}});
         }},
    };
    return G;
}

// Palette page colors, so that icons of one page read as a family.
QColor TileColor(const QString& AClass)
{
    static const std::map<QString, QColor> C = {
        {"TqoCollectionView", QColor("#00897B")},
        {"TqoListMenu", QColor("#00897B")},
        {"TqoLayout", QColor("#5E35B1")},
        {"TqoDrawerLayout", QColor("#5E35B1")},
        {"TqoBottomSheetLayout", QColor("#5E35B1")},
        {"TqoVirtualPagerLayout", QColor("#5E35B1")},
        {"TqoPagerLayout", QColor("#5E35B1")},
        {"TqoCardPanel", QColor("#5E35B1")},
        {"TqoSpacer", QColor("#5E35B1")},
        {"TqoHorizontalScrollBox", QColor("#5E35B1")},
        {"TqoVerticalScrollBox", QColor("#5E35B1")},
        {"TqoPageControl", QColor("#5E35B1")},
        {"TqoLine", QColor("#F4511E")},
        {"TqoRectangle", QColor("#F4511E")},
        {"TqoRhomb", QColor("#F4511E")},
        {"TqoCircle", QColor("#F4511E")},
        {"TqoEllipse", QColor("#F4511E")},
        {"TqoArc", QColor("#F4511E")},
        {"TqoArch", QColor("#F4511E")},
        {"TqoSector", QColor("#F4511E")},
        {"TqoRegularPolygon", QColor("#F4511E")},
        {"TqoSvgPath", QColor("#F4511E")},
        {"TqoPaintBox", QColor("#F4511E")},
        {"TqoMap", QColor("#43A047")},
        {"TqoVideoControl", QColor("#C2185B")},
        {"TqoCamera", QColor("#455A64")},
        {"TqoCameraPreview", QColor("#455A64")},
        {"TqoBarcodeScanner", QColor("#455A64")},
        {"TqoBarcode", QColor("#455A64")},
        {"TqoFirebaseAnalytics", QColor("#F9A825")},
        {"TqoAppMetricaAnalytics", QColor("#F9A825")},
        {"TqoGoogleAdMobProvider", QColor("#6D4C41")},
        {"TqoYandexMobileAdsProvider", QColor("#6D4C41")},
        {"TqoPushNotificationService", QColor("#E53935")},
        {"TqoBiometricAuthentication", QColor("#3949AB")},
        {"TqoLottieImage", QColor("#00ACC1")},
        {"TqoSignature", QColor("#8E24AA")},
        {"TqoFont", QColor("#546E7A")},
    };
    const auto It = C.find(AClass);
    return It != C.end() ? It->second : QColor("#1E88E5");
}

QImage DrawIcon(const QString& AClass, const TGlyph& AGlyph, int ASize)
{
    QImage LImage(ASize, ASize, QImage::Format_ARGB32_Premultiplied);
    LImage.fill(Qt::transparent);
    QPainter P(&LImage);
    P.setRenderHint(QPainter::Antialiasing);
    P.scale(ASize / 24.0, ASize / 24.0);
    P.setPen(Qt::NoPen);
    P.setBrush(TileColor(AClass));
    P.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4.5, 4.5);
    AGlyph(P);
    P.end();
    return LImage;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication App(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: icongen OUTPUT_DIR\n");
        return 2;
    }
    const QDir LOut(QString::fromLocal8Bit(argv[1]));
    if (!LOut.mkpath(QStringLiteral(".")))
        return 1;
    int LCount = 0;
    for (const auto& [LClass, LGlyph] : Glyphs()) {
        // The default image is the palette's 24 x 24 one; a few classes carry other sizes.
        std::vector<std::pair<QString, int>> LSizes = {{"", 24}, {"16", 16}, {"32", 32}, {"128", 128}};
        if (LClass == "TqoPushNotificationService")
            LSizes.push_back({"48", 48});
        if (LClass == "TqoYandexMobileAdsProvider")
            LSizes[2] = {"36", 36};
        for (const auto& [LSuffix, LSize] : LSizes) {
            const QString LName = LClass.toUpper() + LSuffix + QStringLiteral("_PNG.png");
            if (!DrawIcon(LClass, LGlyph, LSize).save(LOut.filePath(LName), "PNG"))
                return 1;
            ++LCount;
        }
    }
    std::printf("%d icons written to %s\n", LCount, qPrintable(LOut.absolutePath()));
    return 0;
}
