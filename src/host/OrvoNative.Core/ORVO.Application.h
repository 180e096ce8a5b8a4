#pragma once

// The application object of the framework as design-time code sees it: its theme settings.

#include <QString>

namespace core {

class TqoApplicationThemeSettings
{
public:
    // The theme the application shows; forms and controls with no theme of their own follow it.
    QString GetThemeName() const { return FThemeName; }
    void SetThemeName(const QString& AValue) { FThemeName = AValue; }

private:
    QString FThemeName = QStringLiteral("Light");
};

class TqoApplication
{
public:
    TqoApplicationThemeSettings& ThemeSettings() { return FThemeSettings; }

private:
    TqoApplicationThemeSettings FThemeSettings;
};

TqoApplication& Application();

} // namespace core
