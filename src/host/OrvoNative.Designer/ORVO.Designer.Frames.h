#pragma once

// Frame and picker bases of the framework's design-time tools, and its color picker.

#include "ORVO.Colors.h"

#include <QFrame>
#include <QImage>
#include <functional>

class QCheckBox;
class QLineEdit;
class QSlider;
class QSpinBox;

namespace dsgn {

// A frame that paints its background in the IDE theme's window color, so that frames hosted
// in the IDE's views match the theme around them.
class TqoThemedFrame : public QFrame
{
    Q_OBJECT
public:
    explicit TqoThemedFrame(QWidget* AParent = nullptr);
};

class TFormBasePicker;
using TPickerChangeEvent = std::function<void(TFormBasePicker* ASender)>;

// A picker shown as a popup next to the widget it edits; a click outside closes it.
class TFormBasePicker : public QFrame
{
    Q_OBJECT
public:
    explicit TFormBasePicker(QWidget* AParent = nullptr);

    // Shows the picker under AAnchor (above it when there is no room below), kept on AAnchor's screen.
    void ShowAsPopup(QWidget* AAnchor);

    // Raises OnChange; pickers call it on every change the user makes.
    virtual void Change();
    // Enables what can be done with the picker's current value; called before showing.
    virtual void UpdateActions() {}

    TPickerChangeEvent OnChange;

protected:
    // Whether the popup may close now; a picker says no while its own dialog is open.
    virtual bool DoCanClose() { return true; }
    void closeEvent(QCloseEvent* AEvent) override;
};

class TqoColorPlane;
class TqoHueBar;
class TqoColorSwatch;

// The framework's color picker: a saturation/value plane and a hue bar, alpha, the color as
// "#AARRGGBB" text, a swatch over a chessboard and the "Apply to all variants" box.
class TqoColorPicker : public TFormBasePicker
{
    Q_OBJECT
public:
    explicit TqoColorPicker(QWidget* AParent = nullptr);

    core::TqoAlphaColor GetColor() const { return FColor; }
    // Shows the color without raising OnChange.
    void SetColor(core::TqoAlphaColor AColor);
    bool GetApplyToAll() const;

    QLineEdit* HexEdit() const { return FHexEdit; }
    QCheckBox* ApplyToAllBox() const { return FApplyToAll; }
    QSlider* AlphaSlider() const { return FAlphaSlider; }

private:
    friend class TqoColorPlane;
    friend class TqoHueBar;

    // A color the user chose: shown everywhere and reported.
    void UserColor(core::TqoAlphaColor AColor);
    void SetHsv(int AHue, int ASaturation, int AValue);
    void HexEdited();
    void ShowColor();

    core::TqoAlphaColor FColor = core::TqoAlphaColors::White;
    // Kept apart from the color: gray and black have no hue of their own.
    int FHue = 0;
    TqoColorPlane* FPlane = nullptr;
    TqoHueBar* FHueBar = nullptr;
    QSlider* FAlphaSlider = nullptr;
    QSpinBox* FAlphaSpin = nullptr;
    QLineEdit* FHexEdit = nullptr;
    TqoColorSwatch* FSwatch = nullptr;
    QCheckBox* FApplyToAll = nullptr;
    bool FUpdating = false;
};

} // namespace dsgn
