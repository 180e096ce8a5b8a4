#include "ToolsAPI.Dialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>

namespace ide {

namespace {

class TDialogServices final : public IOTADialogServices
{
public:
    TModalResult MessageDlg(const QString& AText, TMsgDlgType AType, TMsgDlgButtons AButtons) override
    {
        QMessageBox LBox(QApplication::activeWindow());
        LBox.setWindowTitle(QApplication::applicationDisplayName());
        LBox.setText(AText);
        switch (AType) {
        case TMsgDlgType::mtWarning:
            LBox.setIcon(QMessageBox::Warning);
            break;
        case TMsgDlgType::mtError:
            LBox.setIcon(QMessageBox::Critical);
            break;
        case TMsgDlgType::mtInformation:
            LBox.setIcon(QMessageBox::Information);
            break;
        case TMsgDlgType::mtConfirmation:
            LBox.setIcon(QMessageBox::Question);
            break;
        }
        QMessageBox::StandardButtons LButtons;
        if (AButtons & mbYes)
            LButtons |= QMessageBox::Yes;
        if (AButtons & mbNo)
            LButtons |= QMessageBox::No;
        if (AButtons & mbOK)
            LButtons |= QMessageBox::Ok;
        if (AButtons & mbCancel)
            LButtons |= QMessageBox::Cancel;
        LBox.setStandardButtons(LButtons ? LButtons : QMessageBox::Ok);
        switch (LBox.exec()) {
        case QMessageBox::Yes:
            return TModalResult::mrYes;
        case QMessageBox::No:
            return TModalResult::mrNo;
        case QMessageBox::Ok:
            return TModalResult::mrOk;
        default:
            return TModalResult::mrCancel;
        }
    }

    QStringList ChooseFiles(const TFileDialogOptions& AOptions) override
    {
        QFileDialog LDialog(QApplication::activeWindow(), AOptions.Title, QString(), AOptions.Filter);
        if (AOptions.Folders) {
            LDialog.setFileMode(QFileDialog::Directory);
            LDialog.setOption(QFileDialog::ShowDirsOnly);
            if (AOptions.Multiple) {
                // Only Qt's own dialog lets several folders be picked at once.
                LDialog.setOption(QFileDialog::DontUseNativeDialog);
                for (auto* LView : LDialog.findChildren<QAbstractItemView*>())
                    LView->setSelectionMode(QAbstractItemView::ExtendedSelection);
            }
        } else if (AOptions.Save) {
            LDialog.setAcceptMode(QFileDialog::AcceptSave);
            LDialog.setFileMode(QFileDialog::AnyFile);
        } else {
            LDialog.setFileMode(AOptions.Multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        }
        return LDialog.exec() == QDialog::Accepted ? LDialog.selectedFiles() : QStringList();
    }
};

// The IDE's light theme.
class TThemingServices final : public IOTAIDEThemingServices
{
public:
    quint32 GetSystemColor(TIdeColor AColor) const override
    {
        switch (AColor) {
        case TIdeColor::clBtnFace:
            return 0xFFF0F0F0;
        case TIdeColor::clBtnShadow:
            return 0xFFA0A0A0;
        case TIdeColor::clWindow:
            return 0xFFFFFFFF;
        case TIdeColor::clWindowText:
            return 0xFF000000;
        case TIdeColor::clGrayText:
            return 0xFF6D6D6D;
        case TIdeColor::clHighlight:
            return 0xFF0078D7;
        }
        return 0xFF000000;
    }
};

class TClipboardService final : public IFMXClipboardService
{
public:
    QString GetClipboard() const override { return QGuiApplication::clipboard()->text(); }
    void SetClipboard(const QString& AText) override { QGuiApplication::clipboard()->setText(AText); }
};

class TIDEServices final : public IOTAServices
{
public:
    QString GetLanguage() const override { return FLanguage; }
    void SetLanguage(const QString& ALanguage) override { FLanguage = ALanguage; }

private:
    QString FLanguage = QStringLiteral("en");
};

} // namespace

std::shared_ptr<IOTADialogServices> CreateDialogServices() { return std::make_shared<TDialogServices>(); }
std::shared_ptr<IOTAIDEThemingServices> CreateThemingServices() { return std::make_shared<TThemingServices>(); }
std::shared_ptr<IFMXClipboardService> CreateClipboardService() { return std::make_shared<TClipboardService>(); }
std::shared_ptr<IOTAServices> CreateIDEServices() { return std::make_shared<TIDEServices>(); }

quint32 IdeThemeColor(TIdeColor AColor)
{
    if (const auto LTheming = BorlandIDEServices().Supports<IOTAIDEThemingServices>())
        return LTheming->GetSystemColor(AColor);
    return TThemingServices().GetSystemColor(AColor);
}

TModalResult MessageDlg(const QString& AText, TMsgDlgType AType, TMsgDlgButtons AButtons)
{
    const auto LDialogs = BorlandIDEServices().Supports<IOTADialogServices>();
    return LDialogs ? LDialogs->MessageDlg(AText, AType, AButtons) : TModalResult::mrCancel;
}

} // namespace ide
