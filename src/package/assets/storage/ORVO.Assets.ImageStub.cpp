#include "assets/storage/ORVO.Assets.ImageStub.h"

#include "ORVO.Assert.h"
#include "ORVO.Bitmap.h"
#include "ORVO.Translator.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <cmath>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("TFormImageStubGenerationParams");
constexpr int CPreviewSize = 71;

// The pictogram of the stub: a circle and a triangle (its double blank is the original's).
const char* const CPictogram =
    "M 78.65,42.237999 103.138,0 153,85.878 h -49.3 c 0.008,0.347999 0.011,0.697 0.011,1.046 0,28.915 "
    "-23.44,52.356  -52.355,52.356 C 22.44,139.28 -1,115.84 -1,86.924 -1,58.009 22.44,34.569 51.356,34.569 "
    "c 10,0 19.347,2.804 27.294,7.668999 z m 0,0 L 53.35,85.878 H 103.7 C 103.339,67.4 93.404,51.268 "
    "78.65,42.237999 Z";

void RegisterTranslations()
{
    TFormGenerationParams::RegisterTexts(
        CScope, {{"caption", "Мастер создания изображения", "Image stub creation wizard"},
                 {"header",
                  "Этот мастер создает ресурс с изображением-заглушкой, которое можно использовать для быстрого "
                  "прототипирования.",
                  "This wizard creates a resource with a stub image that can be used for rapid prototyping."},
                 {"lwidth.text", "Ширина:", "Width:"},
                 {"lheight.text", "Высота:", "Height:"},
                 {"rbany.text", "Любой", "Any"}});
}

int Round(double AValue) { return int(std::lrint(AValue)); }

// A widget that leaves its painting to its owner.
class TPaintBox : public QWidget
{
public:
    explicit TPaintBox(std::function<void(QWidget&)> APaint) : FPaint(std::move(APaint)) {}

protected:
    void paintEvent(QPaintEvent*) override { FPaint(*this); }

private:
    std::function<void(QWidget&)> FPaint;
};

} // namespace

std::function<bool(TFormImageStubGenerationParams&)> TFormImageStubGenerationParams::ExecuteDialog =
    [](TFormImageStubGenerationParams& ADialog) { return ADialog.exec() == QDialog::Accepted; };

TFormImageStubGenerationParams::TFormImageStubGenerationParams(QWidget* AParent)
    : TFormGenerationParams((RegisterTranslations(), CScope), AParent)
{
    const auto LNamed = [](auto* AWidget, const char* AName) {
        AWidget->setObjectName(QString::fromLatin1(AName));
        return AWidget;
    };
    pnSizes = LNamed(new QWidget, "pnSizes");
    lWidth = LNamed(new QLabel(Tr(QStringLiteral("lwidth.text"))), "lWidth");
    lHeight = LNamed(new QLabel(Tr(QStringLiteral("lheight.text"))), "lHeight");
    seWidth = LNamed(new QSpinBox, "seWidth");
    seWidth->setRange(0, 1000);
    seWidth->setValue(400);
    seHeight = LNamed(new QSpinBox, "seHeight");
    seHeight->setRange(0, 1000);
    seHeight->setValue(300);
    pnKind = LNamed(new QWidget, "pnKind");
    rbAny = LNamed(new QRadioButton(Tr(QStringLiteral("rbany.text"))), "rbAny");
    rb16x9 = LNamed(new QRadioButton(QStringLiteral("16:9")), "rb16x9");
    rb3x4 = LNamed(new QRadioButton(QStringLiteral("3:4")), "rb3x4");
    rb1x1 = LNamed(new QRadioButton(QStringLiteral("1:1")), "rb1x1");
    rb4x3 = LNamed(new QRadioButton(QStringLiteral("4:3")), "rb4x3");
    rbAny->setChecked(true);
    pbPreview = LNamed(new TPaintBox([this](QWidget& ABox) { PaintPreview(ABox); }), "pbPreview");
    pbPreview->setFixedSize(CPreviewSize, CPreviewSize);

    auto LSizesLayout = new QGridLayout(pnSizes);
    LSizesLayout->addWidget(lWidth, 0, 0);
    LSizesLayout->addWidget(seWidth, 0, 1);
    LSizesLayout->addWidget(lHeight, 1, 0);
    LSizesLayout->addWidget(seHeight, 1, 1);
    auto LKindLayout = new QHBoxLayout(pnKind);
    for (QRadioButton* LButton : {rbAny, rb16x9, rb3x4, rb1x1, rb4x3}) {
        LKindLayout->addWidget(LButton);
        connect(LButton, &QRadioButton::clicked, this, [this] { WidthChanged(); });
    }
    auto LLeft = new QVBoxLayout;
    LLeft->addWidget(pnSizes);
    LLeft->addWidget(pnKind);
    auto LContent = new QHBoxLayout(Content());
    LContent->addLayout(LLeft, 1);
    LContent->addWidget(pbPreview);

    connect(seWidth, &QSpinBox::valueChanged, this, [this] { WidthChanged(); });
    connect(seHeight, &QSpinBox::valueChanged, this, [this] { HeightChanged(); });
}

QSize TFormImageStubGenerationParams::GetBaseSize() const { return QSize(seWidth->value(), seHeight->value()); }

TqoAspectRatio TFormImageStubGenerationParams::GetAspectRatio() const
{
    if (rbAny->isChecked())
        return TqoAspectRatio::Custom;
    if (rb1x1->isChecked())
        return TqoAspectRatio::Ration1x1;
    if (rb3x4->isChecked())
        return TqoAspectRatio::Ration3x4;
    if (rb4x3->isChecked())
        return TqoAspectRatio::Ration4x3;
    if (rb16x9->isChecked())
        return TqoAspectRatio::Ration16x9;
    core::TqoAssert::UnknownValue(QStringLiteral("TqoAspectRatio"));
}

bool TFormImageStubGenerationParams::UpdateOk()
{
    const bool LValid = seWidth->value() > 0 && seHeight->value() > 0;
    OkButton()->setEnabled(LValid);
    return LValid;
}

void TFormImageStubGenerationParams::WidthChanged()
{
    if (UpdateOk()) {
        const double LWidth = seWidth->value();
        // The other side follows without bouncing back through its own handler.
        const QSignalBlocker LBlocker(seHeight);
        switch (GetAspectRatio()) {
        case TqoAspectRatio::Custom:
            break;
        case TqoAspectRatio::Ration1x1:
            seHeight->setValue(seWidth->value());
            break;
        case TqoAspectRatio::Ration3x4:
            seHeight->setValue(Round(LWidth / 3 * 4));
            break;
        case TqoAspectRatio::Ration4x3:
            seHeight->setValue(Round(LWidth / 4 * 3));
            break;
        case TqoAspectRatio::Ration16x9:
            seHeight->setValue(Round(LWidth / 16 * 9));
            break;
        }
    }
    pbPreview->update();
}

void TFormImageStubGenerationParams::HeightChanged()
{
    if (UpdateOk()) {
        const double LHeight = seHeight->value();
        const QSignalBlocker LBlocker(seWidth);
        switch (GetAspectRatio()) {
        case TqoAspectRatio::Custom:
            break;
        case TqoAspectRatio::Ration1x1:
            seWidth->setValue(seHeight->value());
            break;
        case TqoAspectRatio::Ration3x4:
            seWidth->setValue(Round(LHeight / 4 * 3));
            break;
        case TqoAspectRatio::Ration4x3:
            seWidth->setValue(Round(LHeight / 3 * 4));
            break;
        case TqoAspectRatio::Ration16x9:
            seWidth->setValue(Round(LHeight / 9 * 16));
            break;
        }
    }
    pbPreview->update();
}

void TFormImageStubGenerationParams::PaintPreview(QWidget& ABox)
{
    QPainter LPainter(&ABox);
    LPainter.setBrush(Qt::NoBrush);
    LPainter.setPen(ABox.palette().color(QPalette::Mid));
    LPainter.drawRect(ABox.rect().adjusted(0, 0, -1, -1));
    const QSize LSize = GetBaseSize();
    if (LSize.isEmpty())
        return;
    const QSize LFitted = LSize.scaled(ABox.size(), Qt::KeepAspectRatio);
    const QRect LRect(QPoint((ABox.width() - LFitted.width()) / 2, (ABox.height() - LFitted.height()) / 2), LFitted);
    LPainter.setPen(ABox.palette().color(QPalette::Dark));
    LPainter.drawRect(LRect.adjusted(0, 0, -1, -1));
    LPainter.drawLine(LRect.topLeft(), LRect.bottomRight());
    LPainter.drawLine(LRect.topRight(), LRect.bottomLeft());
}

std::unique_ptr<core::TqoBitmapInfo> CreateImageStub(const QSize& ABaseSize, float AScale)
{
    const QSize LSize = ScaledSize(ABaseSize, AScale);
    core::TqoBitmap LBitmap(LSize.width(), LSize.height());
    LBitmap.Clear(0xFFE7E7E7);
    {
        QPainter LPainter(&LBitmap.Image());
        LPainter.setRenderHint(QPainter::Antialiasing);
        const QSizeF LArea(LSize.width() * 2.0 / 3, LSize.height() * 2.0 / 3);
        const QRectF LCentred(QPointF((LSize.width() - LArea.width()) / 2, (LSize.height() - LArea.height()) / 2),
                              LArea);
        QSvgRenderer LRenderer(
            QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><path id=\"p\" fill=\"#B9B9B9\" d=\"") + CPictogram +
            "\"/></svg>");
        const QRectF LBounds = LRenderer.boundsOnElement(QStringLiteral("p"));
        if (!LBounds.isEmpty() && !LArea.isEmpty()) {
            const QSizeF LFitted = LBounds.size().scaled(LArea, Qt::KeepAspectRatio);
            LRenderer.setViewBox(LBounds);
            LRenderer.render(&LPainter,
                             QRectF(LCentred.center() - QPointF(LFitted.width(), LFitted.height()) / 2, LFitted));
        }
    }
    auto LInfo = std::make_unique<core::TqoBitmapInfo>(AScale);
    LInfo->SetBitmap(LBitmap);
    return LInfo;
}

std::unique_ptr<core::TqoAssetBitmapSet> GenerateImageStub(const QString& AName, const QSize& ABaseSize)
{
    auto LSet = std::make_unique<core::TqoAssetBitmapSet>(AName);
    for (const float LScale : core::TqoAssetBitmapSet::DefaultScales)
        LSet->Add(CreateImageStub(ABaseSize, LScale));
    return LSet;
}

} // namespace orvo
