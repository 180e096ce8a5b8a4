#include "ORVO.Designer.ProjectSettings.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>
#include <utility>

namespace dsgn {

namespace {

struct TPage
{
    const char* Id;
    const char* Caption;
};

const TPage CPages[] = {
    {"{71553CF8-A0D7-47B8-921C-B1D157C0FBDE}", "Facebook Login"},
    {"{CC38F07D-855C-4BA5-8D20-9261D4DE726F}", "Maps"},
    {"{EF7CE72D-225B-4C17-809C-1461D38B6DBA}", "Google Pay"},
    {"{8F899F79-DD72-4E29-9B5D-E2BD7DF17957}", "Google AdMob"},
    {"{C6144CF8-9881-4F9F-A504-4148F8484D37}", "Yandex Mobile Ads"},
    {"{81FCC070-2A82-407A-951D-F579CF142DC8}", "VK Login"},
    {"{1A537D2E-E1FA-433F-BCF7-AC49937A58C8}", "Firebase Analytics"},
    {"{1E657D6F-DDDD-4696-809C-020207FCE3CE}", "In-App Purchase"},
    {"{12F58E2C-9723-41F5-8136-D0C5852B69DA}", "Biometric Authentication"},
    {"{426547B7-B99E-4BF4-9209-42ABF3321C48}", "Firebase Cloud Messaging"},
    {"{F7709849-FB3D-4D47-BC31-551750459271}", "RuStore Push"},
    {"{3A80BE9B-2254-424A-B16E-A77BCD43C86C}", "Yandex Maps Tiles"},
};

std::function<void(const QString&)>& Handler()
{
    static std::function<void(const QString&)> LHandler;
    return LHandler;
}

} // namespace

QString TFormProjectSettings::PageCaption(const QString& APageId)
{
    for (const TPage& P : CPages)
        if (APageId.compare(QLatin1String(P.Id), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(P.Caption);
    return {};
}

void TFormProjectSettings::SetExecuteHandler(std::function<void(const QString&)> AHandler)
{
    Handler() = std::move(AHandler);
}

void TFormProjectSettings::Execute(const QString& APageId)
{
    if (Handler()) {
        Handler()(APageId);
        return;
    }
    QDialog LDialog;
    LDialog.setWindowTitle(QStringLiteral("Orvo Options"));
    auto* LLayout = new QVBoxLayout(&LDialog);
    auto* LPages = new QListWidget(&LDialog);
    for (const TPage& P : CPages) {
        LPages->addItem(QString::fromLatin1(P.Caption));
        if (APageId.compare(QLatin1String(P.Id), Qt::CaseInsensitive) == 0)
            LPages->setCurrentRow(LPages->count() - 1);
    }
    if (!LPages->currentItem())
        LPages->setCurrentRow(0);
    LLayout->addWidget(LPages);
    auto* LButtons = new QDialogButtonBox(QDialogButtonBox::Ok, &LDialog);
    QObject::connect(LButtons, &QDialogButtonBox::accepted, &LDialog, &QDialog::accept);
    LLayout->addWidget(LButtons);
    LDialog.exec();
}

} // namespace dsgn
