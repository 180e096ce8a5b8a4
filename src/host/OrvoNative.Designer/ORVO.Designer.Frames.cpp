#include "ORVO.Designer.Frames.h"

#include "ORVO.Bitmap.h"
#include "ORVO.Designer.Preview.h"
#include "ToolsAPI.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace dsgn {

TqoThemedFrame::TqoThemedFrame(QWidget* AParent) : QFrame(AParent)
{
    QPalette LPalette = palette();
    LPalette.setColor(QPalette::Window, QColor::fromRgba(ide::IdeThemeColor(ide::TIdeColor::clWindow)));
    LPalette.setColor(QPalette::WindowText, QColor::fromRgba(ide::IdeThemeColor(ide::TIdeColor::clWindowText)));
    setPalette(LPalette);
    setAutoFillBackground(true);
}

// ---------------------------------------------------------------------------------------------

TFormBasePicker::TFormBasePicker(QWidget* AParent) : QFrame(AParent, Qt::Popup) { setFrameShape(QFrame::StyledPanel); }

void TFormBasePicker::ShowAsPopup(QWidget* AAnchor)
{
    adjustSize();
    QPoint LPos = AAnchor ? AAnchor->mapToGlobal(QPoint(0, AAnchor->height())) : QPoint();
    QScreen* LScreen = AAnchor ? AAnchor->screen() : QGuiApplication::primaryScreen();
    if (LScreen) {
        const QRect LArea = LScreen->availableGeometry();
        if (AAnchor && LPos.y() + height() > LArea.bottom())
            LPos.setY(AAnchor->mapToGlobal(QPoint(0, 0)).y() - height());
        LPos.setX(std::clamp(LPos.x(), LArea.left(), std::max(LArea.left(), LArea.right() - width())));
        LPos.setY(std::clamp(LPos.y(), LArea.top(), std::max(LArea.top(), LArea.bottom() - height())));
    }
    move(LPos);
    UpdateActions();
    show();
}

void TFormBasePicker::closeEvent(QCloseEvent* AEvent)
{
    if (DoCanClose())
        QFrame::closeEvent(AEvent);
    else
        AEvent->ignore();
}

void TFormBasePicker::Change()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------------------------------------

namespace {

constexpr int PlaneWidth = 160;
constexpr int PlaneHeight = 120;
constexpr int HueBarWidth = 16;
constexpr int SwatchCellSize = 6;

QColor PlaneColor(core::TqoAlphaColor AColor) { return QColor::fromRgb(AColor | 0xFF000000); }

} // namespace

// An area of the picker where a press or a drag picks a value.
class TqoPickArea : public QWidget
{
public:
    explicit TqoPickArea(TqoColorPicker* APicker) : QWidget(APicker), FPicker(APicker) {}

protected:
    virtual void Pick(const QPoint& AAt) = 0;
    void mousePressEvent(QMouseEvent* AEvent) override { Pick(AEvent->position().toPoint()); }
    void mouseMoveEvent(QMouseEvent* AEvent) override
    {
        if (AEvent->buttons() & Qt::LeftButton)
            Pick(AEvent->position().toPoint());
    }

    TqoColorPicker* FPicker;
};

// Saturation grows to the right, value upwards, for the picker's hue.
class TqoColorPlane : public TqoPickArea
{
public:
    explicit TqoColorPlane(TqoColorPicker* APicker) : TqoPickArea(APicker)
    {
        setFixedSize(PlaneWidth, PlaneHeight);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter LPainter(this);
        const QRect LRect = rect();
        LPainter.fillRect(LRect, QColor::fromHsv(FPicker->FHue, 255, 255));
        QLinearGradient LWhite(LRect.topLeft(), LRect.topRight());
        LWhite.setColorAt(0, Qt::white);
        LWhite.setColorAt(1, QColor(255, 255, 255, 0));
        LPainter.fillRect(LRect, LWhite);
        QLinearGradient LBlack(LRect.topLeft(), LRect.bottomLeft());
        LBlack.setColorAt(0, QColor(0, 0, 0, 0));
        LBlack.setColorAt(1, Qt::black);
        LPainter.fillRect(LRect, LBlack);
        const QColor LColor = PlaneColor(FPicker->FColor);
        const QPoint LAt(LColor.hsvSaturation() * (width() - 1) / 255, (255 - LColor.value()) * (height() - 1) / 255);
        LPainter.setRenderHint(QPainter::Antialiasing);
        LPainter.setPen(QPen(LColor.value() > 128 ? Qt::black : Qt::white, 1.5));
        LPainter.drawEllipse(LAt, 4, 4);
    }
    void Pick(const QPoint& AAt) override
    {
        const int LSaturation = std::clamp(AAt.x() * 255 / std::max(1, width() - 1), 0, 255);
        const int LValue = 255 - std::clamp(AAt.y() * 255 / std::max(1, height() - 1), 0, 255);
        FPicker->SetHsv(FPicker->FHue, LSaturation, LValue);
    }
};

// Hues from 0 at the top to 359 at the bottom.
class TqoHueBar : public TqoPickArea
{
public:
    explicit TqoHueBar(TqoColorPicker* APicker) : TqoPickArea(APicker) { setFixedSize(HueBarWidth, PlaneHeight); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter LPainter(this);
        QLinearGradient LHues(0, 0, 0, height());
        for (int LHue = 0; LHue <= 360; LHue += 60)
            LHues.setColorAt(LHue / 360.0, QColor::fromHsv(LHue % 360, 255, 255));
        LPainter.fillRect(rect(), LHues);
        const int LY = FPicker->FHue * (height() - 1) / 359;
        LPainter.setPen(Qt::black);
        LPainter.drawRect(0, std::max(0, LY - 2), width() - 1, 4);
    }
    void Pick(const QPoint& AAt) override
    {
        const QColor LColor = PlaneColor(FPicker->FColor);
        const int LHue = std::clamp(AAt.y() * 359 / std::max(1, height() - 1), 0, 359);
        FPicker->SetHsv(LHue, LColor.hsvSaturation(), LColor.value());
    }
};

// The color over a chessboard, so that its transparency shows.
class TqoColorSwatch : public QWidget
{
public:
    explicit TqoColorSwatch(QWidget* AParent) : QWidget(AParent) { setFixedSize(48, 24); }
    void SetColor(core::TqoAlphaColor AColor)
    {
        FColor = AColor;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        core::TqoBitmap LBoard(width(), height());
        CreateChessBackground(LBoard, SwatchCellSize, LightGridColors.Color1, LightGridColors.Color2);
        QPainter LPainter(this);
        LPainter.drawImage(0, 0, LBoard.Image());
        LPainter.fillRect(rect(), QColor::fromRgba(FColor));
        LPainter.setPen(QColor(0x80, 0x80, 0x80));
        LPainter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    core::TqoAlphaColor FColor = 0;
};

TqoColorPicker::TqoColorPicker(QWidget* AParent) : TFormBasePicker(AParent)
{
    FPlane = new TqoColorPlane(this);
    FHueBar = new TqoHueBar(this);
    FAlphaSlider = new QSlider(Qt::Horizontal, this);
    FAlphaSlider->setRange(0, 255);
    FAlphaSpin = new QSpinBox(this);
    FAlphaSpin->setRange(0, 255);
    FHexEdit = new QLineEdit(this);
    FHexEdit->setMaxLength(9);
    FHexEdit->setPlaceholderText(QStringLiteral("#AARRGGBB"));
    FSwatch = new TqoColorSwatch(this);
    FApplyToAll = new QCheckBox(QStringLiteral("Apply to all variants"), this);

    auto* LTop = new QHBoxLayout;
    LTop->addWidget(FPlane);
    LTop->addWidget(FHueBar);
    LTop->addStretch();
    auto* LGrid = new QGridLayout;
    LGrid->addWidget(new QLabel(QStringLiteral("Alpha:"), this), 0, 0);
    LGrid->addWidget(FAlphaSlider, 0, 1);
    LGrid->addWidget(FAlphaSpin, 0, 2);
    LGrid->addWidget(new QLabel(QStringLiteral("Hex:"), this), 1, 0);
    LGrid->addWidget(FHexEdit, 1, 1);
    LGrid->addWidget(FSwatch, 1, 2);
    auto* LLayout = new QVBoxLayout(this);
    LLayout->setContentsMargins(8, 8, 8, 8);
    LLayout->addLayout(LTop);
    LLayout->addLayout(LGrid);
    LLayout->addWidget(FApplyToAll);

    const auto LAlphaChanged = [this](int AAlpha) {
        if (!FUpdating)
            UserColor((FColor & 0x00FFFFFF) | (core::TqoAlphaColor(AAlpha) << 24));
    };
    connect(FAlphaSlider, &QSlider::valueChanged, this, LAlphaChanged);
    connect(FAlphaSpin, &QSpinBox::valueChanged, this, LAlphaChanged);
    connect(FHexEdit, &QLineEdit::editingFinished, this, &TqoColorPicker::HexEdited);
    // Ticking the box asks for the color everywhere; clearing it changes nothing.
    connect(FApplyToAll, &QCheckBox::toggled, this, [this](bool AChecked) {
        if (AChecked)
            Change();
    });
    ShowColor();
}

void TqoColorPicker::SetColor(core::TqoAlphaColor AColor)
{
    FColor = AColor;
    const int LHue = PlaneColor(AColor).hsvHue();
    if (LHue >= 0)
        FHue = LHue;
    ShowColor();
}

bool TqoColorPicker::GetApplyToAll() const { return FApplyToAll->isChecked(); }

void TqoColorPicker::UserColor(core::TqoAlphaColor AColor)
{
    if (AColor == FColor)
        return;
    SetColor(AColor);
    Change();
}

void TqoColorPicker::SetHsv(int AHue, int ASaturation, int AValue)
{
    FHue = AHue;
    const QColor LColor = QColor::fromHsv(AHue, ASaturation, AValue);
    const core::TqoAlphaColor LNew = (FColor & 0xFF000000) | (LColor.rgb() & 0x00FFFFFF);
    if (LNew == FColor)
        update(); // the hue alone moved on a gray: redraw the plane and the bar
    UserColor(LNew);
}

void TqoColorPicker::HexEdited()
{
    core::TqoAlphaColor LColor = FColor;
    // Text that is no color is dropped: the edit shows the color in use again.
    if (core::TqoColorHelper::TryParse(FHexEdit->text().trimmed(), LColor))
        UserColor(LColor);
    ShowColor();
}

void TqoColorPicker::ShowColor()
{
    FUpdating = true;
    FAlphaSlider->setValue(core::TqoColorHelper::Alpha(FColor));
    FAlphaSpin->setValue(core::TqoColorHelper::Alpha(FColor));
    FHexEdit->setText(core::TqoColorHelper::ToARGBHex(FColor));
    FSwatch->SetColor(FColor);
    FUpdating = false;
    FPlane->update();
    FHueBar->update();
}

} // namespace dsgn
