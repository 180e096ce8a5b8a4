#include "ORVO.VectorImage.Picker.SVG.h"

#include "ORVO.Assets.h"
#include "ORVO.Externals.SvgBrush.h"
#include "ORVO.Log.h"
#include "ORVO.Translator.h"
#include "ToolsAPI.h"
#include "assets/editors/ORVO.Editor.SinglePreview.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QToolButton>

namespace orvo {

namespace {

const QString Scope = QStringLiteral("TSVGPicker");
const QString LogCategory = QStringLiteral("VectorImage");
constexpr int DefaultSize = 24;
constexpr int ChessCell = 8;

QString Tr(const char* AKey)
{
    // Keyed by the framework's own texts.
    core::TqoTranslator::RegisterTexts(Scope, {{"Открыть", "Открыть", "Open"},
                                               {"Сохранить", "Сохранить", "Save"},
                                               {"Очистить", "Очистить", "Clear"},
                                               {"Все файлы (*.*)|*.*", "Все файлы (*.*)|*.*", "All files (*.*)|*.*"}});
    return core::TqoTranslator::Translate(Scope, QString::fromUtf8(AKey));
}

// A padlock, closed for a locked aspect ratio.
QIcon LockIcon(bool ALocked)
{
    QPixmap LImage(20, 20);
    LImage.fill(Qt::transparent);
    QPainter P(&LImage);
    P.setRenderHint(QPainter::Antialiasing);
    P.setPen(QPen(QColor(0x50, 0x50, 0x50), 2));
    P.drawArc(QRectF(6, 2, 8, 10), 0, 180 * 16);
    P.drawLine(QPointF(14, 7), QPointF(14, 10));
    // An open padlock's shackle hangs free on the left.
    if (ALocked)
        P.drawLine(QPointF(6, 7), QPointF(6, 10));
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x50, 0x50, 0x50));
    P.drawRoundedRect(QRectF(4, 9, 12, 9), 1.5, 1.5);
    P.end();
    return QIcon(LImage);
}

void DashedFrame(QPainter& ACanvas, const QRect& ARect, const QColor& AColor)
{
    ACanvas.setPen(QPen(AColor, 1, Qt::DashLine));
    ACanvas.setBrush(Qt::NoBrush);
    ACanvas.drawRect(ARect.adjusted(0, 0, -1, -1));
}

} // namespace

TSkSvg::TSkSvg(QWidget* AParent) : QWidget(AParent), FSvg(std::make_unique<ext::TSkSvgBrush>()) {}

TSkSvg::~TSkSvg() = default;

void TSkSvg::paintEvent(QPaintEvent*)
{
    QPainter LCanvas(this);
    FSvg->Render(LCanvas, QRectF(rect()));
}

TSVGPicker::TSVGPicker(QWidget* AParent) : dsgn::TFormBasePicker(AParent)
{
    setFixedSize(444, 304);

    auto* LGrid = new TPreviewPaintBox(this);
    LGrid->setObjectName(QStringLiteral("GridBackground"));
    LGrid->setGeometry(8, 10, 270, 270);
    LGrid->OnPaint = [LGrid](QPainter& ACanvas) {
        for (int Y = 0; Y < LGrid->height(); Y += ChessCell)
            for (int X = 0; X < LGrid->width(); X += ChessCell)
                ACanvas.fillRect(X, Y, ChessCell, ChessCell,
                                 (X / ChessCell + Y / ChessCell) % 2 ? QColor(0xE8, 0xE8, 0xE8) : Qt::white);
        DashedFrame(ACanvas, LGrid->rect(), QColor(0xD3, 0xD3, 0xD3));
    };
    skSvg = new TSkSvg(this);
    skSvg->setObjectName(QStringLiteral("skSvg"));
    skSvg->setGeometry(9, 11, 268, 268);
    auto* LDecoration = new TPreviewPaintBox(this);
    rectDecoration = LDecoration;
    LDecoration->setObjectName(QStringLiteral("rectDecoration"));
    LDecoration->setGeometry(8, 10, 270, 270);
    LDecoration->setAttribute(Qt::WA_TransparentForMouseEvents);
    LDecoration->OnPaint = [this, LDecoration](QPainter& ACanvas) {
        const bool LHasFile = FAsset && !FAsset->GetSVGUri().isEmpty();
        ACanvas.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, LHasFile ? Qt::SolidLine : Qt::DashLine));
        ACanvas.drawRect(LDecoration->rect().adjusted(0, 0, -1, -1));
    };

    const auto LButton = [this](const char* AName, const char* ACaption, int ATop, void (TSVGPicker::*AAction)()) {
        auto* LButton = new QPushButton(Tr(ACaption), this);
        LButton->setObjectName(QString::fromLatin1(AName));
        LButton->setGeometry(290, ATop, 146, 28);
        connect(LButton, &QPushButton::clicked, this, AAction);
        return LButton;
    };
    btnLoad = LButton("btnLoad", "Открыть", 10, &TSVGPicker::actLoadExecute);
    btnSave = LButton("btnSave", "Сохранить", 44, &TSVGPicker::actSaveExecute);
    btnClear = LButton("btnClear", "Очистить", 78, &TSVGPicker::actClearExecute);

    const auto LSize = [this](const char* AName, const char* ACaption, int ATop) {
        auto* LLabel = new QLabel(QString::fromLatin1(ACaption), this);
        LLabel->setGeometry(290, ATop, 22, 24);
        auto* LBox = new QSpinBox(this);
        LBox->setObjectName(QString::fromLatin1(AName));
        LBox->setGeometry(314, ATop, 84, 24);
        LBox->setRange(16, 1024);
        LBox->setValue(DefaultSize);
        // valueChanged also fires on every step while the arrows are held.
        connect(LBox, &QSpinBox::valueChanged, this, [this, LBox] { SizeChanged(LBox); });
        return LBox;
    };
    sbWidth = LSize("sbWidth", "W:", 124);
    sbHeight = LSize("sbHeight", "H:", 154);
    sbHoldAspectRatio = new QToolButton(this);
    sbHoldAspectRatio->setObjectName(QStringLiteral("sbHoldAspectRatio"));
    sbHoldAspectRatio->setGeometry(406, 136, 30, 30);
    sbHoldAspectRatio->setAutoRaise(true);
    sbHoldAspectRatio->setIcon(LockIcon(true));
    connect(sbHoldAspectRatio, &QToolButton::clicked, this, &TSVGPicker::sbHoldAspectRatioClick);

    lWarning = new QLabel(QStringLiteral("Файл не совместим"), this);
    lWarning->setGeometry(290, 190, 146, 20);
    lWarning->setStyleSheet(QStringLiteral("color: #C62828"));
    lWarning->hide();
    UpdateActions();
}

void TSVGPicker::SetAsset(core::TqoAssetSVG* AAsset)
{
    const QScopedValueRollback LChanging(FChanging, true);
    FAsset = AAsset;
    ReloadPreview();
    UpdateSize();
    UpdateActions();
}

void TSVGPicker::ReloadPreview()
{
    const bool LHasFile = FAsset && !FAsset->GetSVGUri().isEmpty();
    skSvg->Svg().SetSource(LHasFile ? FAsset->GetSVGContent() : QString());
    skSvg->update();
    rectDecoration->update();
}

void TSVGPicker::UpdateSize()
{
    if (!FAsset)
        return;
    core::TqoLog::Trace(LogCategory, QStringLiteral("UpdateSize: w=%1, h=%2"), FAsset->GetWidth(), FAsset->GetHeight());
    const QScopedValueRollback LChanging(FChanging, true);
    sbWidth->setValue(qRound(FAsset->GetWidth()));
    sbHeight->setValue(qRound(FAsset->GetHeight()));
}

void TSVGPicker::UpdateActions()
{
    const bool LHasFile = FAsset && !FAsset->GetSVGUri().isEmpty();
    btnClear->setEnabled(LHasFile);
    btnSave->setEnabled(LHasFile && QFileInfo(FAsset->GetSVGFileName()).isFile());
}

QStringList TSVGPicker::ChooseFile(bool ASave)
{
    const auto LDialogs = ide::BorlandIDEServices().Supports<ide::IOTADialogServices>();
    if (!LDialogs)
        return {};
    ide::TFileDialogOptions LOptions;
    LOptions.Title = Tr(ASave ? "Сохранить" : "Открыть");
    LOptions.Filter = Tr("Все файлы (*.*)|*.*").section(QLatin1Char('|'), 0, 0);
    LOptions.Save = ASave;
    const QScopedValueRollback LWorking(FIsWorkingWithDialogs, true);
    return LDialogs->ChooseFiles(LOptions);
}

void TSVGPicker::actLoadExecute()
{
    if (!FAsset)
        return;
    const QStringList LFiles = ChooseFile(false);
    if (!LFiles.isEmpty() && QFileInfo(LFiles.first()).isFile()) {
        {
            const QScopedValueRollback LChanging(FChanging, true);
            FAsset->SetSVGUri(LFiles.first());
            ReloadPreview();
            const QSizeF LSize = skSvg->Svg().GetOriginalSize();
            FAsset->SetSize(float(LSize.width()), float(LSize.height()));
            sbWidth->setValue(qRound(LSize.width()));
            sbHeight->setValue(qRound(LSize.height()));
        }
        Change();
    }
    UpdateActions();
}

void TSVGPicker::actSaveExecute()
{
    if (!FAsset)
        return;
    const QStringList LFiles = ChooseFile(true);
    const QString LSource = FAsset->GetSVGFileName();
    if (!LFiles.isEmpty() && QFileInfo(LSource).isFile()) {
        QFile LFile(LSource);
        if (!LFile.copy(LFiles.first())) {
            const QString LMessage = QStringLiteral("Cannot copy the file \"%1\" to \"%2\": %3")
                                         .arg(LSource, LFiles.first(), LFile.errorString());
            core::TqoLog::Error(LogCategory, LMessage);
            if (const auto LDialogs = ide::BorlandIDEServices().Supports<ide::IOTADialogServices>())
                LDialogs->MessageDlg(LMessage, ide::TMsgDlgType::mtError, ide::mbOK);
        }
    }
    UpdateActions();
}

void TSVGPicker::actClearExecute()
{
    if (!FAsset)
        return;
    FAsset->SetSVGUri(QString());
    FAsset->SetVectorUri(QString());
    FAsset->SetSize(DefaultSize, DefaultSize);
    ReloadPreview();
    Change();
    UpdateSize();
    UpdateActions();
}

void TSVGPicker::closeEvent(QCloseEvent* AEvent)
{
    if (DoCanClose())
        dsgn::TFormBasePicker::closeEvent(AEvent);
    else
        AEvent->ignore();
}

void TSVGPicker::sbHoldAspectRatioClick()
{
    FHoldAspectRatioImage = FHoldAspectRatioImage == LockedImage ? UnlockedImage : LockedImage;
    sbHoldAspectRatio->setIcon(LockIcon(IsRatioLocked()));
}

void TSVGPicker::SizeChanged(QObject* ASender)
{
    if (FChanging || !FAsset)
        return;
    const QSizeF LOld = FAsset->GetSize();
    float LWidth = float(sbWidth->value());
    float LHeight = float(sbHeight->value());
    if (IsRatioLocked() && LOld.width() != 0 && LOld.height() != 0) {
        const float LRatio = float(LOld.width() / LOld.height());
        if (ASender == sbHeight)
            LWidth = LHeight * LRatio;
        else
            LHeight = LWidth / LRatio;
    }
    FAsset->SetSize(LWidth, LHeight);
    UpdateSize();
    Change();
}

} // namespace orvo
