#pragma once

#include <QString>

namespace dsgn {

// The framework's settings in the IDE, by section and name. They are kept with the
// user's "Orvo/Designer" settings, or in the INI file named by SetFileName or, failing that,
// by the environment variable ORVO_IDE_SETTINGS, so that tests never touch the user's own.
class TqoIdeSettings
{
public:
    // ADefault when the setting is missing or not an integer.
    static int ReadInteger(const QString& ASection, const QString& AName, int ADefault);
    static void WriteInteger(const QString& ASection, const QString& AName, int AValue);
    // ADefault when the setting is missing.
    static QString ReadString(const QString& ASection, const QString& AName, const QString& ADefault = QString());
    static void WriteString(const QString& ASection, const QString& AName, const QString& AValue);

    // An empty name goes back to ORVO_IDE_SETTINGS or the user's settings.
    static void SetFileName(const QString& AFileName);
    // Empty while the user's settings are used.
    static QString FileName();
};

} // namespace dsgn
