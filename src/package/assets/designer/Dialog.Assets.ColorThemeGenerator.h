// The dialog of the color theme generator and the colors a theme is made of.

#pragma once

#include "ORVO.Colors.h"

#include <QDialog>
#include <QList>
#include <functional>

class QGridLayout;
class QRadioButton;

namespace orvo {

class TFrameColorPicker;

struct TThemeColor
{
    // Relative to the theme container ("Primary\\Color").
    QString Name;
    core::TqoAlphaColor Color;
};

struct TThemeChoice
{
    bool LightTheme = true;
    int PrimaryIndex = 7;
    int SecondaryIndex = 9;
    bool PrimaryTextDark = false;
    bool SecondaryTextDark = false;
};

// "Light Red", "Dark Teal": the theme container's base name.
QString ThemeName(const TThemeChoice& AChoice);
// The color assets of a theme, in the order they are added.
QList<TThemeColor> ThemeColors(const TThemeChoice& AChoice);

class TDialogThemeGenerator : public QDialog
{
    Q_OBJECT
public:
    explicit TDialogThemeGenerator(QWidget* AOwner = nullptr);

    bool IsLightTheme() const;
    int PrimaryIndex() const { return FSelectedColorsIndex[0]; }
    int SecondaryIndex() const { return FSelectedColorsIndex[1]; }
    void SetPrimaryIndex(int AIndex);
    void SetSecondaryIndex(int AIndex);
    TFrameColorPicker* ColorEditor(int AColorIndex) const;
    TThemeChoice Choice() const;

    void ColorSelected(TFrameColorPicker* ASender, core::TqoAlphaColor AColor, Qt::MouseButton AButton);
    void UpdatePSLabels();

    // Shows the dialog modally; tests replace it to fill the dialog and answer.
    static std::function<bool(TDialogThemeGenerator&)> ExecuteDialog;

    QRadioButton* rbLightTheme = nullptr;
    QRadioButton* rbDarkTheme = nullptr;
    QRadioButton* rbPrimaryTextLight = nullptr;
    QRadioButton* rbPrimaryTextDark = nullptr;
    QRadioButton* rbSecondaryTextLight = nullptr;
    QRadioButton* rbSecondaryTextDark = nullptr;

private:
    void Choose(int ARole, int AIndex);

    int FSelectedColorsIndex[2] = {7, 9};
    QGridLayout* gpColors = nullptr;
    QList<TFrameColorPicker*> FTiles;
};

} // namespace orvo
