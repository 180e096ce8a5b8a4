#pragma once

// The SVG asset's picker: loads, clears and saves a copy of the asset's SVG file and sets the
// asset's size, with or without a locked aspect ratio.

#include "ORVO.Designer.Frames.h"

#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace core {
class TqoAssetSVG;
}

namespace ext {
class TSkSvgBrush;
}

namespace orvo {

// Draws an SVG text fitted into its rectangle, as the Skia SVG view does.
class TSkSvg : public QWidget
{
    Q_OBJECT
public:
    explicit TSkSvg(QWidget* AParent = nullptr);
    ~TSkSvg() override;

    ext::TSkSvgBrush& Svg() { return *FSvg; }

protected:
    void paintEvent(QPaintEvent* AEvent) override;

private:
    std::unique_ptr<ext::TSkSvgBrush> FSvg;
};

class TSVGPicker : public dsgn::TFormBasePicker
{
    Q_OBJECT
public:
    // Image indexes of sbHoldAspectRatio.
    static constexpr int UnlockedImage = 0;
    static constexpr int LockedImage = 1;

    explicit TSVGPicker(QWidget* AParent = nullptr);

    // The asset is edited in place and not owned.
    void SetAsset(core::TqoAssetSVG* AAsset);

    void actLoadExecute();
    void actSaveExecute();
    void actClearExecute();
    bool DoCanClose() const { return !FIsWorkingWithDialogs; }
    bool IsRatioLocked() const { return FHoldAspectRatioImage == LockedImage; }

    TSkSvg* skSvg = nullptr;
    QWidget* rectDecoration = nullptr;
    QPushButton* btnLoad = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnClear = nullptr;
    QSpinBox* sbWidth = nullptr;
    QSpinBox* sbHeight = nullptr;
    QToolButton* sbHoldAspectRatio = nullptr;
    QLabel* lWarning = nullptr;

protected:
    void closeEvent(QCloseEvent* AEvent) override;

private:
    void ReloadPreview();
    void UpdateSize();
    void UpdateActions();
    void SizeChanged(QObject* ASender);
    void sbHoldAspectRatioClick();
    // Which file dialog is open, for DoCanClose.
    QStringList ChooseFile(bool ASave);

    core::TqoAssetSVG* FAsset = nullptr;
    bool FIsWorkingWithDialogs = false;
    bool FChanging = false;
    int FHoldAspectRatioImage = LockedImage;
};

} // namespace orvo
