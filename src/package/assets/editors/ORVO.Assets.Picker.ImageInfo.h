#pragma once

// The popup editor of one bitmap of a bitmap set: load, save or clear the bitmap, and edit its
// cap insets and tint over a checkerboard with guide lines.

#include "ORVO.Assets.h"
#include "ORVO.Designer.Frames.h"

#include <QImage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orvo {

// A text of the bitmap set editor's translation table in the current language.
QString ImageInfoText(const char* AKey);

// The bitmap's pixels painted in the tint, their alpha kept; a tint without alpha changes nothing.
QImage TintedImage(const QImage& AImage, core::TqoAlphaColor ATint);

class TImageInfoImage;

class TImageInfoPicker : public dsgn::TFormBasePicker
{
    Q_OBJECT
public:
    explicit TImageInfoPicker(QWidget* AParent = nullptr);

    // Shows the info without reporting a change; the info is not owned.
    void SetInfo(core::TqoBitmapInfo* AInfo);
    core::TqoBitmapInfo* GetInfo() const { return FInfo; }
    bool GetApplyToAll() const;

    // Reads a tint as typed: "x" for "$", "$" optional, 3 digits RGB, 6 digits RRGGBB (both
    // opaque) or 8 digits AARRGGBB. False, and AColor untouched, for anything else.
    static bool TryParseTint(const QString& AText, core::TqoAlphaColor& AColor);

    void Load();
    void Save();
    void Clear();

    QPushButton* LoadButton() const { return FLoad; }
    QPushButton* SaveButton() const { return FSave; }
    QPushButton* ClearButton() const { return FClear; }
    QLineEdit* TintEdit() const { return FTint; }
    QLabel* SizeLabel() const { return FSize; }
    // Left, right, top, bottom, as the form lists them.
    QSpinBox* InsetBox(int AIndex) const { return FInsets[AIndex]; }
    QCheckBox* ApplyToAllBox() const { return FApplyToAll; }
    TImageInfoImage* ImageView() const { return FImage; }

private:
    void Refresh();
    void TintEdited();
    void InsetsChanged();

    core::TqoBitmapInfo* FInfo = nullptr;
    TImageInfoImage* FImage = nullptr;
    QPushButton* FLoad = nullptr;
    QPushButton* FSave = nullptr;
    QPushButton* FClear = nullptr;
    QLabel* FSize = nullptr;
    QLineEdit* FTint = nullptr;
    QSpinBox* FInsets[4] = {};
    QCheckBox* FApplyToAll = nullptr;
    bool FUpdating = false;
};

// The picker's image over its checkerboard, with the four cap inset guides.
class TImageInfoImage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ViewSize = 200;

    explicit TImageInfoImage(QWidget* AParent = nullptr);

    void SetImage(const QImage& AImage, core::TqoAlphaColor ATint);
    void SetCapInsets(const QMargins& AInsets);
    const QImage& Image() const { return FImage; }
    // Where the image is drawn, and the guides in widget coordinates: x of left and right,
    // y of top and bottom.
    QRect ImageRect() const;
    QList<int> GuidePositions() const;
    // The dark board is used for light images, which would vanish on the light one.
    bool UsesDarkBoard() const { return FDarkBoard; }

protected:
    void paintEvent(QPaintEvent* AEvent) override;

private:
    QImage FImage;
    QImage FShown;
    QMargins FInsets;
    bool FDarkBoard = false;
};

} // namespace orvo
