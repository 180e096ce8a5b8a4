#include "assets/designer/Frame.ColorGenerator.Color.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace orvo {

namespace {

using K = TColorKind;

// The 2014 Material Design palette in its standard order.
const std::array<TColorInfo, ColorsCount> CColors{{
    {QStringLiteral("Red"),
     {0xFFFFEBEE, 0xFFFFCDD2, 0xFFEF9A9A, 0xFFE57373, 0xFFEF5350, 0xFFF44336, 0xFFE53935, 0xFFD32F2F, 0xFFC62828,
      0xFFB71C1C, 0xFFFF8A80, 0xFFFF5252, 0xFFFF1744, 0xFFD50000},
     K::k400},
    {QStringLiteral("Pink"),
     {0xFFFCE4EC, 0xFFF8BBD0, 0xFFF48FB1, 0xFFF06292, 0xFFEC407A, 0xFFE91E63, 0xFFD81B60, 0xFFC2185B, 0xFFAD1457,
      0xFF880E4F, 0xFFFF80AB, 0xFFFF4081, 0xFFF50057, 0xFFC51162},
     K::k400},
    {QStringLiteral("Purple"),
     {0xFFF3E5F5, 0xFFE1BEE7, 0xFFCE93D8, 0xFFBA68C8, 0xFFAB47BC, 0xFF9C27B0, 0xFF8E24AA, 0xFF7B1FA2, 0xFF6A1B9A,
      0xFF4A148C, 0xFFEA80FC, 0xFFE040FB, 0xFFD500F9, 0xFFAA00FF},
     K::k300},
    {QStringLiteral("Deep purple"),
     {0xFFEDE7F6, 0xFFD1C4E9, 0xFFB39DDB, 0xFF9575CD, 0xFF7E57C2, 0xFF673AB7, 0xFF5E35B1, 0xFF512DA8, 0xFF4527A0,
      0xFF311B92, 0xFFB388FF, 0xFF7C4DFF, 0xFF651FFF, 0xFF6200EA},
     K::k300},
    {QStringLiteral("Indigo"),
     {0xFFE8EAF6, 0xFFC5CAE9, 0xFF9FA8DA, 0xFF7986CB, 0xFF5C6BC0, 0xFF3F51B5, 0xFF3949AB, 0xFF303F9F, 0xFF283593,
      0xFF1A237E, 0xFF8C9EFF, 0xFF536DFE, 0xFF3D5AFE, 0xFF304FFE},
     K::k300},
    {QStringLiteral("Blue"),
     {0xFFE3F2FD, 0xFFBBDEFB, 0xFF90CAF9, 0xFF64B5F6, 0xFF42A5F5, 0xFF2196F3, 0xFF1E88E5, 0xFF1976D2, 0xFF1565C0,
      0xFF0D47A1, 0xFF82B1FF, 0xFF448AFF, 0xFF2979FF, 0xFF2962FF},
     K::k600},
    {QStringLiteral("Light Blue"),
     {0xFFE1F5FE, 0xFFB3E5FC, 0xFF81D4FA, 0xFF4FC3F7, 0xFF29B6F6, 0xFF03A9F4, 0xFF039BE5, 0xFF0288D1, 0xFF0277BD,
      0xFF01579B, 0xFF80D8FF, 0xFF40C4FF, 0xFF00B0FF, 0xFF0091EA},
     K::k700},
    {QStringLiteral("Cyan"),
     {0xFFE0F7FA, 0xFFB2EBF2, 0xFF80DEEA, 0xFF4DD0E1, 0xFF26C6DA, 0xFF00BCD4, 0xFF00ACC1, 0xFF0097A7, 0xFF00838F,
      0xFF006064, 0xFF84FFFF, 0xFF18FFFF, 0xFF00E5FF, 0xFF00B8D4},
     K::k700},
    {QStringLiteral("Teal"),
     {0xFFE0F2F1, 0xFFB2DFDB, 0xFF80CBC4, 0xFF4DB6AC, 0xFF26A69A, 0xFF009688, 0xFF00897B, 0xFF00796B, 0xFF00695C,
      0xFF004D40, 0xFFA7FFEB, 0xFF64FFDA, 0xFF1DE9B6, 0xFF00BFA5},
     K::k500},
    {QStringLiteral("Green"),
     {0xFFE8F5E9, 0xFFC8E6C9, 0xFFA5D6A7, 0xFF81C784, 0xFF66BB6A, 0xFF4CAF50, 0xFF43A047, 0xFF388E3C, 0xFF2E7D32,
      0xFF1B5E20, 0xFFB9F6CA, 0xFF69F0AE, 0xFF00E676, 0xFF00C853},
     K::k600},
    {QStringLiteral("Light Green"),
     {0xFFF1F8E9, 0xFFDCEDC8, 0xFFC5E1A5, 0xFFAED581, 0xFF9CCC65, 0xFF8BC34A, 0xFF7CB342, 0xFF689F38, 0xFF558B2F,
      0xFF33691E, 0xFFCCFF90, 0xFFB2FF59, 0xFF76FF03, 0xFF64DD17},
     K::k800},
    {QStringLiteral("Lime"),
     {0xFFF9FBE7, 0xFFF0F4C3, 0xFFE6EE9C, 0xFFDCE775, 0xFFD4E157, 0xFFCDDC39, 0xFFC0CA33, 0xFFAFB42B, 0xFF9E9D24,
      0xFF827717, 0xFFF4FF81, 0xFFEEFF41, 0xFFC6FF00, 0xFFAEEA00},
     K::k900},
    {QStringLiteral("Yellow"),
     {0xFFFFFDE7, 0xFFFFF9C4, 0xFFFFF59D, 0xFFFFF176, 0xFFFFEE58, 0xFFFFEB3B, 0xFFFDD835, 0xFFFBC02D, 0xFFF9A825,
      0xFFF57F17, 0xFFFFFF8D, 0xFFFFFF00, 0xFFFFEA00, 0xFFFFD600},
     K::kA700},
    {QStringLiteral("Amber"),
     {0xFFFFF8E1, 0xFFFFECB3, 0xFFFFE082, 0xFFFFD54F, 0xFFFFCA28, 0xFFFFC107, 0xFFFFB300, 0xFFFFA000, 0xFFFF8F00,
      0xFFFF6F00, 0xFFFFE57F, 0xFFFFD740, 0xFFFFC400, 0xFFFFAB00},
     K::kA700},
    {QStringLiteral("Orange"),
     {0xFFFFF3E0, 0xFFFFE0B2, 0xFFFFCC80, 0xFFFFB74D, 0xFFFFA726, 0xFFFF9800, 0xFFFB8C00, 0xFFF57C00, 0xFFEF6C00,
      0xFFE65100, 0xFFFFD180, 0xFFFFAB40, 0xFFFF9100, 0xFFFF6D00},
     K::k900},
    {QStringLiteral("Deep orange"),
     {0xFFFBE9E7, 0xFFFFCCBC, 0xFFFFAB91, 0xFFFF8A65, 0xFFFF7043, 0xFFFF5722, 0xFFF4511E, 0xFFE64A19, 0xFFD84315,
      0xFFBF360C, 0xFFFF9E80, 0xFFFF6E40, 0xFFFF3D00, 0xFFDD2C00},
     K::k600},
    {QStringLiteral("Brown"),
     {0xFFEFEBE9, 0xFFD7CCC8, 0xFFBCAAA4, 0xFFA1887F, 0xFF8D6E63, 0xFF795548, 0xFF6D4C41, 0xFF5D4037, 0xFF4E342E,
      0xFF3E2723, 0, 0, 0, 0},
     K::k300},
    {QStringLiteral("Grey"),
     {0xFFFAFAFA, 0xFFF5F5F5, 0xFFEEEEEE, 0xFFE0E0E0, 0xFFBDBDBD, 0xFF9E9E9E, 0xFF757575, 0xFF616161, 0xFF424242,
      0xFF212121, 0, 0, 0, 0},
     K::k600},
    {QStringLiteral("Bluy Grey"),
     {0xFFECEFF1, 0xFFCFD8DC, 0xFFB0BEC5, 0xFF90A4AE, 0xFF78909C, 0xFF607D8B, 0xFF546E7A, 0xFF455A64, 0xFF37474F,
      0xFF263238, 0, 0, 0, 0},
     K::k400},
}};

QPixmap Circle(const QColor& AColor)
{
    QPixmap LPixmap(32, 32);
    LPixmap.fill(Qt::transparent);
    QPainter LPainter(&LPixmap);
    LPainter.setRenderHint(QPainter::Antialiasing);
    LPainter.setPen(Qt::NoPen);
    LPainter.setBrush(AColor);
    LPainter.drawEllipse(QRectF(0.5, 0.5, 31, 31));
    return LPixmap;
}

// Draws the selection mark centred over the circle.
class TTitle : public QWidget
{
public:
    TTitle(TFrameColorPicker* AOwner, QWidget* AParent) : QWidget(AParent), FOwner(AOwner) { setFixedSize(32, 32); }
    QColor FColor;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter LPainter(this);
        LPainter.setPen(FColor);
        LPainter.setFont(font());
        LPainter.drawText(rect(), Qt::AlignCenter, FOwner->Caption());
    }

private:
    TFrameColorPicker* FOwner;
};

} // namespace

const TColorInfo& Colors(int AIndex) { return CColors.at(AIndex - 1); }

TFrameColorPicker::TFrameColorPicker(int AColorIndex, QWidget* AParent) : QFrame(AParent), FColorIndex(AColorIndex)
{
    setObjectName(QStringLiteral("TFrameColorPicker%1").arg(AColorIndex));
    setAutoFillBackground(true);
    setMinimumSize(40, 40);
    auto* LLayout = new QVBoxLayout(this);
    LLayout->setContentsMargins(8, 8, 12, 12);
    FColorName = new QLabel(Colors(AColorIndex).Name, this);
    FColorName->setObjectName(QStringLiteral("lColorName"));
    QFont LFont(QStringLiteral("Segoe UI"));
    LFont.setPixelSize(14);
    LFont.setBold(true);
    FColorName->setFont(LFont);
    LLayout->addWidget(FColorName, 0, Qt::AlignTop | Qt::AlignLeft);
    LLayout->addStretch();
    FCircle = new QLabel(this);
    FCircle->setObjectName(QStringLiteral("imgCircle"));
    FCircle->setFixedSize(32, 32);
    FCircle->hide();
    LLayout->addWidget(FCircle, 0, Qt::AlignRight | Qt::AlignBottom);
    FTitle = new TTitle(this, FCircle);
    FTitle->setObjectName(QStringLiteral("pbTitle"));
    for (QWidget* LChild : {static_cast<QWidget*>(FColorName), static_cast<QWidget*>(FCircle), FTitle})
        LChild->installEventFilter(this);
    SetColor(Colors(AColorIndex).Color(TColorKind::k500));
}

QColor TFrameColorPicker::TextColor() const
{
    return Colors(FColorIndex).TakesLightText() ? QColor(Qt::white) : QColor(Qt::black);
}

void TFrameColorPicker::SetColor(core::TqoAlphaColor AColor)
{
    FColor = AColor;
    QPalette LPalette = palette();
    LPalette.setColor(QPalette::Window, QColor::fromRgb(AColor & 0xFFFFFF));
    LPalette.setColor(QPalette::WindowText, TextColor());
    setPalette(LPalette);
    static_cast<TTitle*>(FTitle)->FColor = TextColor();
    FTitle->update();
}

void TFrameColorPicker::Select(const QString& ACaption)
{
    FCaption = ACaption;
    // The mark keeps the tile's text color, so the circle under it takes the opposite one.
    FCircle->setPixmap(Circle(Colors(FColorIndex).TakesLightText() ? Qt::black : Qt::white));
    QFont LFont = FTitle->font();
    const double LDpi = logicalDpiY();
    LFont.setPixelSize(qRound(LDpi * (ACaption.size() == 1 ? 20 : 12) / 96));
    FTitle->setFont(LFont);
    FCircle->show();
    FTitle->update();
}

void TFrameColorPicker::ResetSelection()
{
    FCaption.clear();
    FCircle->hide();
    FTitle->update();
}

void TFrameColorPicker::mouseReleaseEvent(QMouseEvent* AEvent)
{
    if (OnColorSelected)
        OnColorSelected(this, FColor, AEvent->button());
    QFrame::mouseReleaseEvent(AEvent);
}

bool TFrameColorPicker::eventFilter(QObject* AObject, QEvent* AEvent)
{
    // The name and the mark pass their clicks to the tile.
    if (AEvent->type() == QEvent::MouseButtonRelease && OnColorSelected) {
        OnColorSelected(this, FColor, static_cast<QMouseEvent*>(AEvent)->button());
        return true;
    }
    return QFrame::eventFilter(AObject, AEvent);
}

} // namespace orvo
