#include "assets/storage/ORVO.Assets.MaskSize.h"

#include "ORVO.Bitmap.h"
#include "ORVO.Designer.Preview.h"
#include "ORVO.Translator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("TFormMaskGenerationParams");
constexpr int CPreviewSize = 70;
constexpr int CPreviewMargin = 6;

void RegisterTranslations()
{
    TFormGenerationParams::RegisterTexts(
        CScope,
        {{"caption", "Мастер создания маски", "Mask creation wizard"},
         {"header", "Этот мастер создаст ресурс с изображением маски в соответствии с указанными вами параметрами.",
          "This wizard creates a resource with the mask image according to the parameters you specified."},
         {"rbcircle.text", "Круг", "Circle"},
         {"rbroundrectangle.text", "Прямоугольник", "Rectangle"},
         {"lsize.text", "Базовый размер:", "Base size:"},
         {"lcornerradius.text", "Радиус скругления:", "The fillet radius:"}});
}

// Opens a painter on a cleared bitmap with a solid white brush, the way every mask starts.
void FillWhite(core::TqoBitmap& ABitmap, const std::function<void(QPainter&)>& ADraw)
{
    ABitmap.Clear(0);
    QPainter LPainter(&ABitmap.Image());
    LPainter.setRenderHint(QPainter::Antialiasing);
    LPainter.setPen(Qt::NoPen);
    LPainter.setBrush(QColor::fromRgba(0xFFFFFFFF));
    ADraw(LPainter);
}

} // namespace

TFormGenerationParams::TFormGenerationParams(const QString& AScope, QWidget* AParent) : QDialog(AParent), FScope(AScope)
{
    auto LLayout = new QVBoxLayout(this);
    FHeader = new QLabel(this);
    FHeader->setWordWrap(true);
    LLayout->addWidget(FHeader);
    FContent = new QWidget(this);
    LLayout->addWidget(FContent, 1);
    auto LButtons = new QHBoxLayout;
    LButtons->addStretch();
    FOkButton = new QPushButton(this);
    FOkButton->setObjectName(QStringLiteral("btnOk"));
    FOkButton->setDefault(true);
    FCancelButton = new QPushButton(this);
    FCancelButton->setObjectName(QStringLiteral("btnCancel"));
    LButtons->addWidget(FOkButton);
    LButtons->addWidget(FCancelButton);
    LLayout->addLayout(LButtons);
    connect(FOkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(FCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setWindowTitle(Tr(QStringLiteral("caption")));
    FHeader->setText(Tr(QStringLiteral("header")));
    FOkButton->setText(Tr(QStringLiteral("ok.text")));
    FCancelButton->setText(Tr(QStringLiteral("cancel.text")));
}

void TFormGenerationParams::RegisterTexts(const QString& AScope, std::initializer_list<TText> ATexts)
{
    QList<TText> LTexts(ATexts);
    LTexts << TText{"ok.text", "Сгенерировать", "Generate"} << TText{"cancel.text", "Отмена", "Cancel"};
    core::TqoTranslator::RegisterTexts(AScope, LTexts);
}

QString TFormGenerationParams::Tr(const QString& AKey) const { return core::TqoTranslator::Translate(FScope, AKey); }

std::function<bool(TFormMaskGenerationParams&)> TFormMaskGenerationParams::ExecuteDialog =
    [](TFormMaskGenerationParams& ADialog) { return ADialog.exec() == QDialog::Accepted; };

TFormMaskGenerationParams::TFormMaskGenerationParams(QWidget* AParent)
    : TFormGenerationParams((RegisterTranslations(), CScope), AParent)
{
    const auto LNamed = [](auto* AWidget, const char* AName) {
        AWidget->setObjectName(QString::fromLatin1(AName));
        return AWidget;
    };
    lSize = LNamed(new QLabel(Tr(QStringLiteral("lsize.text"))), "lSize");
    lCornerRadius = LNamed(new QLabel(Tr(QStringLiteral("lcornerradius.text"))), "lCornerRadius");
    rbCircle = LNamed(new QRadioButton(Tr(QStringLiteral("rbcircle.text"))), "rbCircle");
    rbRoundRectangle = LNamed(new QRadioButton(Tr(QStringLiteral("rbroundrectangle.text"))), "rbRoundRectangle");
    ImagePreview = LNamed(new QLabel, "ImagePreview");
    ImagePreview->setFixedSize(CPreviewSize, CPreviewSize);
    pnKind = LNamed(new QWidget, "pnKind");
    pnSizes = LNamed(new QWidget, "pnSizes");
    seWidth = LNamed(new QSpinBox, "seWidth");
    seWidth->setRange(4, 200);
    seWidth->setValue(40);
    seCornerRadius = LNamed(new QSpinBox, "seCornerRadius");
    seCornerRadius->setRange(0, 20);
    seCornerRadius->setValue(16);
    rbCircle->setChecked(true);
    lCornerRadius->setVisible(false);
    seCornerRadius->setVisible(false);

    auto LKindLayout = new QVBoxLayout(pnKind);
    LKindLayout->addWidget(rbCircle);
    LKindLayout->addWidget(rbRoundRectangle);
    auto LSizesLayout = new QVBoxLayout(pnSizes);
    LSizesLayout->addWidget(lSize);
    LSizesLayout->addWidget(seWidth);
    LSizesLayout->addWidget(lCornerRadius);
    LSizesLayout->addWidget(seCornerRadius);
    LSizesLayout->addStretch();
    auto LContent = new QHBoxLayout(Content());
    LContent->addWidget(ImagePreview);
    LContent->addWidget(pnKind);
    LContent->addWidget(pnSizes, 1);

    connect(rbCircle, &QRadioButton::clicked, this, [this] { UpdateKind(); });
    connect(rbRoundRectangle, &QRadioButton::clicked, this, [this] { UpdateKind(); });
    connect(seWidth, &QSpinBox::valueChanged, this, [this] { WidthChanged(); });
    connect(seCornerRadius, &QSpinBox::valueChanged, this, [this] { UpdatePreview(); });
    connect(seCornerRadius, &QSpinBox::editingFinished, this, [this] {
        if (seCornerRadius->cleanText().isEmpty())
            seCornerRadius->findChild<QLineEdit*>()->setText(QStringLiteral("0"));
    });
    UpdatePreview();
}

QSize TFormMaskGenerationParams::BaseSize() const { return QSize(seWidth->value(), seWidth->value()); }

int TFormMaskGenerationParams::CornerRadius() const
{
    return std::clamp(seCornerRadius->value(), seCornerRadius->minimum(), seCornerRadius->maximum());
}

TqoMaskKind TFormMaskGenerationParams::Kind() const
{
    return rbRoundRectangle->isChecked() ? TqoMaskKind::RoundRectangle : TqoMaskKind::Circle;
}

void TFormMaskGenerationParams::UpdateKind()
{
    const bool LRound = rbRoundRectangle->isChecked();
    lCornerRadius->setVisible(LRound);
    seCornerRadius->setVisible(LRound);
    UpdatePreview();
}

void TFormMaskGenerationParams::WidthChanged()
{
    OkButton()->setEnabled(seWidth->value() > 0);
    // The spin box clamps its value into the new range itself.
    seCornerRadius->setMaximum(seWidth->value() / 2);
    UpdatePreview();
}

void TFormMaskGenerationParams::UpdatePreview()
{
    core::TqoBitmap LBitmap(CPreviewSize, CPreviewSize);
    const QRectF LBounds(CPreviewMargin, CPreviewMargin, CPreviewSize - 2 * CPreviewMargin,
                         CPreviewSize - 2 * CPreviewMargin);
    const double LFactor = seWidth->value() == 0 ? 1.0 : double(CPreviewSize) / seWidth->value();
    const double LRadius = CornerRadius() * LFactor;
    const bool LRound = Kind() == TqoMaskKind::RoundRectangle;
    FillWhite(LBitmap, [&](QPainter& APainter) {
        if (LRound)
            APainter.drawRoundedRect(LBounds, LRadius, LRadius);
        else
            APainter.drawEllipse(LBounds);
    });
    const core::TqoBitmap LPreview =
        dsgn::CreatePreview(LBitmap, QSize(CPreviewSize, CPreviewSize), 0xCDFFFFFF, 0xCDD3D3D3, 8);
    ImagePreview->setPixmap(QPixmap::fromImage(LPreview.Image()));
}

QSize ScaledSize(const QSize& ABaseSize, float AScale)
{
    // lrint rounds halves to the even neighbour in the default rounding mode.
    return QSize(int(std::lrint(double(ABaseSize.width()) * AScale)),
                 int(std::lrint(double(ABaseSize.height()) * AScale)));
}

std::unique_ptr<core::TqoBitmapInfo> CreateCircleMask(const QSize& ABaseSize, float AScale)
{
    const QSize LSize = ScaledSize(ABaseSize, AScale);
    core::TqoBitmap LBitmap(LSize.width(), LSize.height());
    FillWhite(LBitmap, [&](QPainter& APainter) { APainter.drawEllipse(QRectF(QPointF(0, 0), QSizeF(LSize))); });
    auto LInfo = std::make_unique<core::TqoBitmapInfo>(AScale);
    LInfo->SetBitmap(LBitmap);
    return LInfo;
}

std::unique_ptr<core::TqoBitmapInfo> CreateRoundRectangleMask(const QSize& ABaseSize, int ACornerRadius, float AScale)
{
    const QSize LSize = ScaledSize(ABaseSize, AScale);
    auto LInfo = std::make_unique<core::TqoBitmapInfo>(AScale);
    const double LRadius = double(ACornerRadius) * AScale;
    const int LInset = int(std::lrint(LRadius));
    // The corners stay put when the mask is stretched.
    LInfo->SetCapInsets(QMargins(LInset, LInset, LInset, LInset));
    core::TqoBitmap LBitmap(LSize.width(), LSize.height());
    FillWhite(LBitmap, [&](QPainter& APainter) {
        APainter.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(LSize)), LRadius, LRadius);
    });
    LInfo->SetBitmap(LBitmap);
    return LInfo;
}

QString GeneratedAssetName(const QString& ABase, const QSize& ASize)
{
    return ASize.width() == ASize.height()
               ? QStringLiteral("%1 %2").arg(ABase).arg(ASize.width())
               : QStringLiteral("%1 %2x%3").arg(ABase).arg(ASize.width()).arg(ASize.height());
}

std::unique_ptr<core::TqoAssetBitmapSet> GenerateMask(const QString& AName, const QSize& ABaseSize, TqoMaskKind AKind,
                                                      int ACornerRadius)
{
    auto LSet = std::make_unique<core::TqoAssetBitmapSet>(AName);
    for (const float LScale : core::TqoAssetBitmapSet::DefaultScales)
        LSet->Add(AKind == TqoMaskKind::Circle ? CreateCircleMask(ABaseSize, LScale)
                                               : CreateRoundRectangleMask(ABaseSize, ACornerRadius, LScale));
    return LSet;
}

} // namespace orvo
