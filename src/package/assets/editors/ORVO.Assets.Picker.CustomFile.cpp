#include "ORVO.Assets.Picker.CustomFile.h"

#include "ORVO.Translator.h"
#include "ToolsAPI.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QVBoxLayout>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("FileAssetPickers");

using TText = core::TqoTranslationText;

const TText CTexts[] = {
    {"file_location", "Место распаковки:", "File location:"},
    {"extraction_rule", "Правило распаковки:", "Extraction rule:"},
    {"open", "Открыть", "Open"},
    {"save", "Сохранить", "Save"},
    {"clear", "Очистить", "Clear"},
    {"filter", "Все файлы (*.*)|*.*", "All files (*.*)|*.*"},
    {"font_filter", "Шрифты (*.ttf;*.otf)|*.ttf;*.otf", "Fonts (*.ttf;*.otf)|*.ttf;*.otf"},
    {"lottie_filter", "Анимации Lottie (*.json)|*.json", "Lottie animations (*.json)|*.json"},
    {"duration", "Длительность:", "Duration:"},
    {"no_file", "Нет файла", "No file"},
    {"save_failed", "Не удалось сохранить файл \"%1\": %2", "Cannot save the file \"%1\": %2"},
};

// The tables are registered by the first picker that asks for a text.
void RegisterTranslations() { core::TqoTranslator::RegisterTexts(CScope, {std::begin(CTexts), std::end(CTexts)}); }

// "Description (*.a)|*.a|..." as the IDE's dialogs take it, into Qt's "Description (*.a);;...".
// "*.*" means every file there, also those without a dot.
QString QtFilter(const QString& AFilter)
{
    const QStringList LParts = AFilter.split(QLatin1Char('|'));
    QStringList LFilters;
    for (int I = 0; I + 1 < LParts.size(); I += 2) {
        QString LDescription = LParts[I];
        LDescription.remove(QRegularExpression(QStringLiteral("\\s*\\([^)]*\\)\\s*$")));
        QString LMasks = LParts[I + 1];
        LMasks.replace(QLatin1Char(';'), QLatin1Char(' ')).replace(QStringLiteral("*.*"), QStringLiteral("*"));
        LFilters.append(QStringLiteral("%1 (%2)").arg(LDescription, LMasks));
    }
    return LFilters.join(QStringLiteral(";;"));
}

} // namespace

QString FilePickerText(const QString& AKey)
{
    RegisterTranslations();
    return core::TqoTranslator::Translate(CScope, AKey);
}

TFileAssetPicker::TFileAssetPicker(QWidget* AParent) : dsgn::TFormBasePicker(AParent)
{
    FFileLabel = new QLabel(this);
    FFileLabel->setMinimumWidth(240);
    FFileLabel->setMaximumWidth(360);
    FFileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FContent = new QVBoxLayout;
    FOpen = new QPushButton(FilePickerText(QStringLiteral("open")), this);
    FSave = new QPushButton(FilePickerText(QStringLiteral("save")), this);
    FClear = new QPushButton(FilePickerText(QStringLiteral("clear")), this);
    auto* LButtons = new QHBoxLayout;
    LButtons->addWidget(FOpen);
    LButtons->addWidget(FSave);
    LButtons->addWidget(FClear);
    auto* LLayout = new QVBoxLayout(this);
    LLayout->setContentsMargins(8, 8, 8, 8);
    LLayout->addWidget(FFileLabel);
    LLayout->addLayout(FContent);
    LLayout->addLayout(LButtons);
    connect(FOpen, &QPushButton::clicked, this, &TFileAssetPicker::Load);
    connect(FSave, &QPushButton::clicked, this, &TFileAssetPicker::SaveAs);
    connect(FClear, &QPushButton::clicked, this, &TFileAssetPicker::Clear);
}

void TFileAssetPicker::SetAsset(core::TqoAssetWithUri* AAsset)
{
    FAsset = AAsset;
    Reload();
    UpdateActions();
}

QString TFileAssetPicker::Filter() const { return FilePickerText(QStringLiteral("filter")); }

void TFileAssetPicker::Reload()
{
    const QString LUri = FAsset ? FAsset->GetUri() : QString();
    const QString LText = LUri.isEmpty() ? FilePickerText(QStringLiteral("no_file")) : LUri;
    FFileLabel->setText(FFileLabel->fontMetrics().elidedText(LText, Qt::ElideMiddle, FFileLabel->maximumWidth()));
    FFileLabel->setToolTip(LUri);
}

void TFileAssetPicker::UpdateActions()
{
    FClear->setEnabled(FAsset && !FAsset->GetUri().isEmpty());
    FSave->setEnabled(FAsset && !FAsset->GetUri().isEmpty() && QFileInfo(FAsset->GetFileName()).isFile());
}

QStringList TFileAssetPicker::AskForFile(bool ASave)
{
    const auto LDialogs = ide::BorlandIDEServices().Supports<ide::IOTADialogServices>();
    if (!LDialogs)
        return {};
    ide::TFileDialogOptions LOptions;
    LOptions.Title = FilePickerText(ASave ? QStringLiteral("save") : QStringLiteral("open"));
    LOptions.Filter = QtFilter(Filter());
    LOptions.Save = ASave;
    // The dialog takes the focus; the popup stays until it is back.
    FDialogOpen = true;
    const QStringList LChosen = LDialogs->ChooseFiles(LOptions);
    FDialogOpen = false;
    return LChosen;
}

void TFileAssetPicker::Load()
{
    if (!FAsset)
        return;
    const QStringList LChosen = AskForFile(false);
    if (LChosen.isEmpty())
        return;
    FAsset->SetUri(LChosen.first());
    Change();
    Reload();
    UpdateActions();
}

void TFileAssetPicker::SaveAs()
{
    if (!FAsset || !QFileInfo(FAsset->GetFileName()).isFile())
        return;
    const QStringList LChosen = AskForFile(true);
    if (LChosen.isEmpty())
        return;
    const QString LTarget = SaveFileName(LChosen.first());
    QFile LSource(FAsset->GetFileName());
    QSaveFile LCopy(LTarget);
    // Written beside the target and renamed over it, so a failed copy leaves the old file whole.
    if (!LSource.open(QIODevice::ReadOnly) || !LCopy.open(QIODevice::WriteOnly) ||
        LCopy.write(LSource.readAll()) != LSource.size() || !LCopy.commit()) {
        const QString LReason = LSource.error() != QFileDevice::NoError ? LSource.errorString() : LCopy.errorString();
        ide::MessageDlg(FilePickerText(QStringLiteral("save_failed")).arg(LTarget, LReason), ide::TMsgDlgType::mtError,
                        ide::mbOK);
    }
}

void TFileAssetPicker::Clear()
{
    if (!FAsset || FAsset->GetUri().isEmpty())
        return;
    FAsset->SetUri(QString());
    Change();
    Reload();
    UpdateActions();
}

// ---------------------------------------------------------------------------------------------

TCustomFilePicker::TCustomFilePicker(QWidget* AParent) : TFileAssetPicker(AParent)
{
    FFileLocation = new QComboBox(this);
    for (auto LValue : {core::TqoFileLocation::PrivateDocuments, core::TqoFileLocation::PublicDocuments})
        FFileLocation->addItem(core::TqoAssetFile::FileLocationDisplayText(LValue));
    FExtractionRule = new QComboBox(this);
    for (auto LValue :
         {core::TqoExtractionRule::Overwrite, core::TqoExtractionRule::Skip, core::TqoExtractionRule::RaiseException})
        FExtractionRule->addItem(core::TqoAssetFile::ExtractionRuleDisplayText(LValue));
    auto* LForm = new QFormLayout;
    LForm->addRow(FilePickerText(QStringLiteral("file_location")), FFileLocation);
    LForm->addRow(FilePickerText(QStringLiteral("extraction_rule")), FExtractionRule);
    Content()->addLayout(LForm);
    // Only what the user picks is a change; Reload sets the boxes without signals.
    connect(FFileLocation, &QComboBox::activated, this, [this](int AIndex) {
        if (auto* LAsset = FileAsset()) {
            LAsset->SetFileLocation(static_cast<core::TqoFileLocation>(AIndex));
            Change();
        }
    });
    connect(FExtractionRule, &QComboBox::activated, this, [this](int AIndex) {
        if (auto* LAsset = FileAsset()) {
            LAsset->SetExtractionRule(static_cast<core::TqoExtractionRule>(AIndex));
            Change();
        }
    });
}

core::TqoAssetFile* TCustomFilePicker::FileAsset() const { return dynamic_cast<core::TqoAssetFile*>(GetAsset()); }

void TCustomFilePicker::Reload()
{
    TFileAssetPicker::Reload();
    if (const auto* LAsset = FileAsset()) {
        FFileLocation->setCurrentIndex(static_cast<int>(LAsset->GetFileLocation()));
        FExtractionRule->setCurrentIndex(static_cast<int>(LAsset->GetExtractionRule()));
    }
}

} // namespace orvo
