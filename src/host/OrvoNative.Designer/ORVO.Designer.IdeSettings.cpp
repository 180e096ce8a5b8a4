#include "ORVO.Designer.IdeSettings.h"

#include <QSettings>
#include <memory>

namespace dsgn {

namespace {

QString FileNameSet;

std::unique_ptr<QSettings> OpenSettings()
{
    const QString LFile = TqoIdeSettings::FileName();
    if (LFile.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("Orvo"), QStringLiteral("Designer"));
    return std::make_unique<QSettings>(LFile, QSettings::IniFormat);
}

QString Key(const QString& ASection, const QString& AName) { return ASection + QLatin1Char('/') + AName; }

} // namespace

int TqoIdeSettings::ReadInteger(const QString& ASection, const QString& AName, int ADefault)
{
    bool LOk = false;
    const int LValue = OpenSettings()->value(Key(ASection, AName)).toInt(&LOk);
    return LOk ? LValue : ADefault;
}

void TqoIdeSettings::WriteInteger(const QString& ASection, const QString& AName, int AValue)
{
    OpenSettings()->setValue(Key(ASection, AName), AValue);
}

QString TqoIdeSettings::ReadString(const QString& ASection, const QString& AName, const QString& ADefault)
{
    return OpenSettings()->value(Key(ASection, AName), ADefault).toString();
}

void TqoIdeSettings::WriteString(const QString& ASection, const QString& AName, const QString& AValue)
{
    OpenSettings()->setValue(Key(ASection, AName), AValue);
}

void TqoIdeSettings::SetFileName(const QString& AFileName) { FileNameSet = AFileName; }

QString TqoIdeSettings::FileName()
{
    return FileNameSet.isEmpty() ? qEnvironmentVariable("ORVO_IDE_SETTINGS") : FileNameSet;
}

} // namespace dsgn
