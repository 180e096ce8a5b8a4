#include "ORVO.Assets.Picker.ImageInfo.h"

#include "ORVO.Designer.Preview.h"
#include "ORVO.Log.h"
#include "ORVO.Translator.h"
#include "ToolsAPI.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("TImageInfoPicker");
const QString CLogCategory = QStringLiteral("AssetsDesigner");
constexpr double CDarkBoardLuminance = 0.65;
constexpr int CCellSize = 8;

// Texts of the picker and of the tiles that open it: key, default (Russian), English.
using TText = core::TqoTranslationText;

const TText CTexts[] = {
    {"actload.caption", "Открыть", "Open"},
    {"actsave.caption", "Сохранить", "Save"},
    {"actclear.caption", "Очистить", "Clear"},
    {"ltint.text", "Оттенок:", "Tint:"},
    {"lsize.text", "Размер:", "Size:"},
    {"lleft.text", "Слева:", "Left:"},
    {"lright.text", "Справа:", "Right:"},
    {"ltop.text", "Сверху:", "Top:"},
    {"lbottom.text", "Снизу:", "Bottom:"},
    {"cbapplytoall.text", "Применить для всех", "Apply to all"},
    {"dialog.filter", "Изображения (*.png *.jpg *.jpeg *.bmp)", "Images (*.png *.jpg *.jpeg *.bmp)"},
    {"not_an_image", "Файл не является изображением: %1", "The file is not an image: %1"},
    {"cannot_save", "Не удалось сохранить изображение: %1", "Cannot save the image: %1"},
    {"hint_wrong_image_size",
     "Текущий размер изображения не соответствует базовому размеру [%f, %f]. Актуальный размер [%d, %d], "
     "Ожидаемый размер [%d, %d]",
     "Current image size does not match the base size [%f, %f]. Actual size [%d, %d], Expected size [%d, %d]"},
};

QStringList ChooseFiles(const ide::TFileDialogOptions& AOptions)
{
    const auto LDialogs = ide::BorlandIDEServices().Supports<ide::IOTADialogServices>();
    return LDialogs ? LDialogs->ChooseFiles(AOptions) : QStringList();
}

QString TintText(core::TqoAlphaColor AColor)
{
    return QStringLiteral("$%1").arg(AColor, 8, 16, QLatin1Char('0')).toUpper();
}

// The checkerboard behind an image: the form's light one, or for light images a dark one.
QImage Board(bool ADark)
{
    core::TqoBitmap LBoard(2 * CCellSize, 2 * CCellSize);
    const dsgn::TqoGridColors& LColors = ADark ? dsgn::DarkGridColors : dsgn::LightGridColors;
    dsgn::CreateChessBackground(LBoard, CCellSize, LColors.Color1, LColors.Color2);
    return LBoard.Image();
}

} // namespace

QString ImageInfoText(const char* AKey)
{
    core::TqoTranslator::RegisterTexts(CScope, {std::begin(CTexts), std::end(CTexts)});
    return core::TqoTranslator::Translate(CScope, QString::fromLatin1(AKey));
}

QImage TintedImage(const QImage& AImage, core::TqoAlphaColor ATint)
{
    if (AImage.isNull() || core::TqoColorHelper::Alpha(ATint) == 0)
        return AImage;
    QImage LResult = AImage.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter LPainter(&LResult);
    LPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    LPainter.fillRect(LResult.rect(), QColor::fromRgba(ATint));
    return LResult;
}

// ---------------------------------------------------------------------------------------------

TImageInfoImage::TImageInfoImage(QWidget* AParent) : QWidget(AParent) { setFixedSize(ViewSize, ViewSize); }

void TImageInfoImage::SetImage(const QImage& AImage, core::TqoAlphaColor ATint)
{
    FImage = AImage;
    FShown = TintedImage(AImage, ATint);
    FDarkBoard = !AImage.isNull() && dsgn::Luminance(core::TqoBitmap(FShown)) >= CDarkBoardLuminance;
    update();
}

void TImageInfoImage::SetCapInsets(const QMargins& AInsets)
{
    FInsets = AInsets;
    update();
}

QRect TImageInfoImage::ImageRect() const
{
    if (FImage.isNull())
        return QRect();
    QRect LRect(QPoint(), FImage.size().scaled(size(), Qt::KeepAspectRatio));
    LRect.moveCenter(rect().center());
    return LRect;
}

QList<int> TImageInfoImage::GuidePositions() const
{
    const QRect LRect = ImageRect();
    if (LRect.isEmpty())
        return {};
    const double LZoom = double(LRect.width()) / FImage.width();
    const auto LAt = [&](int AStart, int AInset) { return AStart + int(std::lround(AInset * LZoom)); };
    return {LAt(LRect.left(), FInsets.left()), LAt(LRect.left() + LRect.width(), -FInsets.right()),
            LAt(LRect.top(), FInsets.top()), LAt(LRect.top() + LRect.height(), -FInsets.bottom())};
}

void TImageInfoImage::paintEvent(QPaintEvent*)
{
    QPainter LPainter(this);
    LPainter.fillRect(rect(), QBrush(Board(FDarkBoard)));
    const QRect LRect = ImageRect();
    if (!LRect.isEmpty())
        LPainter.drawImage(LRect, FShown); // no smoothing: the pixels the insets count stay visible
    LPainter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, FImage.isNull() ? Qt::DashLine : Qt::SolidLine));
    LPainter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QList<int> LGuides = GuidePositions();
    if (LGuides.isEmpty())
        return;
    LPainter.setPen(QPen(QColor(0xFF, 0x40, 0x81), 1, Qt::DashLine));
    for (int LX : {LGuides[0], LGuides[1]})
        LPainter.drawLine(LX, 0, LX, height());
    for (int LY : {LGuides[2], LGuides[3]})
        LPainter.drawLine(0, LY, width(), LY);
}

// ---------------------------------------------------------------------------------------------

TImageInfoPicker::TImageInfoPicker(QWidget* AParent) : dsgn::TFormBasePicker(AParent)
{
    FImage = new TImageInfoImage(this);
    FLoad = new QPushButton(ImageInfoText("actload.caption"), this);
    FSave = new QPushButton(ImageInfoText("actsave.caption"), this);
    FClear = new QPushButton(ImageInfoText("actclear.caption"), this);
    FSize = new QLabel(this);
    FTint = new QLineEdit(TintText(0), this);
    FTint->setMaxLength(10);
    FApplyToAll = new QCheckBox(ImageInfoText("cbapplytoall.text"), this);

    auto* LButtons = new QHBoxLayout;
    for (QPushButton* LButton : {FLoad, FSave, FClear})
        LButtons->addWidget(LButton);
    auto* LGrid = new QGridLayout;
    LGrid->addWidget(new QLabel(ImageInfoText("lsize.text"), this), 0, 0);
    LGrid->addWidget(FSize, 0, 1);
    LGrid->addWidget(new QLabel(ImageInfoText("ltint.text"), this), 1, 0);
    LGrid->addWidget(FTint, 1, 1);
    const char* const LInsetLabels[] = {"lleft.text", "lright.text", "ltop.text", "lbottom.text"};
    for (int I = 0; I < 4; ++I) {
        FInsets[I] = new QSpinBox(this);
        FInsets[I]->setRange(0, 9999);
        LGrid->addWidget(new QLabel(ImageInfoText(LInsetLabels[I]), this), 2 + I, 0);
        LGrid->addWidget(FInsets[I], 2 + I, 1);
        connect(FInsets[I], &QSpinBox::valueChanged, this, &TImageInfoPicker::InsetsChanged);
    }
    auto* LSide = new QVBoxLayout;
    LSide->addLayout(LButtons);
    LSide->addLayout(LGrid);
    LSide->addWidget(FApplyToAll);
    LSide->addStretch();
    auto* LLayout = new QHBoxLayout(this);
    LLayout->setContentsMargins(8, 8, 8, 8);
    LLayout->addWidget(FImage, 0, Qt::AlignTop);
    LLayout->addLayout(LSide);

    connect(FLoad, &QPushButton::clicked, this, &TImageInfoPicker::Load);
    connect(FSave, &QPushButton::clicked, this, &TImageInfoPicker::Save);
    connect(FClear, &QPushButton::clicked, this, &TImageInfoPicker::Clear);
    connect(FTint, &QLineEdit::editingFinished, this, &TImageInfoPicker::TintEdited);
    Refresh();
}

void TImageInfoPicker::SetInfo(core::TqoBitmapInfo* AInfo)
{
    FInfo = AInfo;
    Refresh();
}

bool TImageInfoPicker::GetApplyToAll() const { return FApplyToAll->isChecked(); }

bool TImageInfoPicker::TryParseTint(const QString& AText, core::TqoAlphaColor& AColor)
{
    QString LText = AText.trimmed();
    if (LText.startsWith(QLatin1Char('x'), Qt::CaseInsensitive))
        LText[0] = QLatin1Char('$');
    if (!LText.startsWith(QLatin1Char('$')))
        LText.prepend(QLatin1Char('$'));
    QString LDigits = LText.mid(1);
    static const QRegularExpression LHex(QStringLiteral("^[0-9A-Fa-f]{1,8}$"));
    if (!LHex.match(LDigits).hasMatch())
        return false;
    if (LDigits.size() == 3)
        LDigits = QStringLiteral("FF%1%1%2%2%3%3").arg(LDigits[0]).arg(LDigits[1]).arg(LDigits[2]);
    else if (LDigits.size() == 6)
        LDigits.prepend(QStringLiteral("FF"));
    AColor = LDigits.toUInt(nullptr, 16);
    return true;
}

void TImageInfoPicker::Refresh()
{
    FUpdating = true;
    QImage LImage;
    if (FInfo && FInfo->HasBitmap()) {
        try {
            LImage = FInfo->GetBitmap().Image();
        } catch (const std::exception& E) {
            core::TqoLog::Error(CLogCategory, QString::fromUtf8(E.what()));
        }
    }
    const core::TqoAlphaColor LTint = FInfo ? FInfo->GetTint().ValueOr(0) : 0;
    const QMargins LInsets = FInfo ? FInfo->GetCapInsets().ValueOr(QMargins()) : QMargins();
    FImage->SetImage(LImage, LTint);
    FImage->SetCapInsets(LInsets);
    FSize->setText(LImage.isNull() ? QString() : QStringLiteral("%1 x %2").arg(LImage.width()).arg(LImage.height()));
    FTint->setText(TintText(LTint));
    const int LValues[] = {LInsets.left(), LInsets.right(), LInsets.top(), LInsets.bottom()};
    for (int I = 0; I < 4; ++I)
        FInsets[I]->setValue(LValues[I]);
    FSave->setEnabled(!LImage.isNull());
    FClear->setEnabled(!LImage.isNull());
    FLoad->setEnabled(FInfo != nullptr);
    FUpdating = false;
}

void TImageInfoPicker::Load()
{
    if (!FInfo)
        return;
    ide::TFileDialogOptions LOptions;
    LOptions.Title = ImageInfoText("actload.caption");
    LOptions.Filter = ImageInfoText("dialog.filter");
    const QStringList LFiles = ChooseFiles(LOptions);
    if (LFiles.isEmpty())
        return;
    // Stored under a ".png" name byte for byte: a file that is no image would break the set.
    if (!QImageReader(LFiles.first()).canRead()) {
        ide::MessageDlg(ImageInfoText("not_an_image").arg(LFiles.first()), ide::TMsgDlgType::mtError, ide::mbOK);
        return;
    }
    FInfo->SetUri(LFiles.first());
    Refresh();
    Change();
}

void TImageInfoPicker::Save()
{
    if (FImage->Image().isNull())
        return;
    ide::TFileDialogOptions LOptions;
    LOptions.Title = ImageInfoText("actsave.caption");
    LOptions.Filter = ImageInfoText("dialog.filter");
    LOptions.Save = true;
    const QStringList LFiles = ChooseFiles(LOptions);
    if (LFiles.isEmpty())
        return;
    try {
        core::TqoBitmap(FImage->Image()).SaveToFile(LFiles.first());
    } catch (const std::exception& E) {
        ide::MessageDlg(ImageInfoText("cannot_save").arg(QString::fromUtf8(E.what())), ide::TMsgDlgType::mtError,
                        ide::mbOK);
    }
}

void TImageInfoPicker::Clear()
{
    if (!FInfo)
        return;
    FInfo->SetUri(QString());
    FInfo->ClearBitmap();
    Refresh();
    Change();
}

void TImageInfoPicker::TintEdited()
{
    core::TqoAlphaColor LColor = 0;
    if (FUpdating || !FInfo || !TryParseTint(FTint->text(), LColor))
        return;
    FTint->setText(TintText(LColor));
    if (FInfo->GetTint().HasValue() && FInfo->GetTint().Value() == LColor)
        return; // leaving the edit unchanged is no change
    FInfo->SetTint(LColor);
    FImage->SetImage(FImage->Image(), LColor);
    Change();
}

void TImageInfoPicker::InsetsChanged()
{
    if (FUpdating || !FInfo)
        return;
    const QMargins LInsets(FInsets[0]->value(), FInsets[2]->value(), FInsets[1]->value(), FInsets[3]->value());
    FInfo->SetCapInsets(LInsets);
    FImage->SetCapInsets(LInsets);
    Change();
}

} // namespace orvo
