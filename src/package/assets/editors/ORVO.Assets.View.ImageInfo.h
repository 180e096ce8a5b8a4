#pragma once

// One tile of the bitmap set editor: the bitmap of one scale, its scale and a warning when its
// size does not fit the set's base size. A click opens the scale's picker.

#include "ORVO.Assets.h"
#include "ORVO.Designer.Frames.h"

#include <QImage>
#include <QPointer>
#include <QSizeF>
#include <functional>

class QLabel;

namespace orvo {

class TImageInfoPicker;
class TImageInfoView;
class TPreviewPaintBox;

using TImageInfoViewEvent = std::function<void(TImageInfoView* ASender)>;
using TNeedUpdateCapInsetsEvent = std::function<void(core::TqoBitmapInfo* AInfo)>;

class TImageInfoView : public dsgn::TqoThemedFrame
{
    Q_OBJECT
public:
    static constexpr int TileWidth = 96;
    static constexpr int TileHeight = 112;

    explicit TImageInfoView(QWidget* AParent = nullptr);

    core::TqoBitmapInfo* GetInfo() const { return FInfo; }
    // Shows the info (not owned) and regenerates the preview.
    void SetInfo(core::TqoBitmapInfo* AInfo);
    // The set's base size in logical units; checks the bitmap against it.
    void SetBaseSize(const QSizeF& ABaseSize);
    QSize ExpectedSize() const { return FExpectedSize; }
    void UpdatePreview();
    // After someone else changed the info: the preview, and the picker when it is open.
    void Refresh();
    void OpenPicker();

    // "1x", "1.5x", ...
    static QString ScaleLabel(float AScale);
    QLabel* ScaleLabelWidget() const { return FScaleLabel; }
    // Shown with its hint when the bitmap's size does not fit the base size.
    QLabel* WarningIcon() const { return FWarning; }
    TPreviewPaintBox* PaintBox() const { return FPaintBox; }
    const QImage& Preview() const { return FPreview; }
    // The picker of the last OpenPicker; null before.
    TImageInfoPicker* Picker() const;

    TImageInfoViewEvent OnChanged;
    TNeedUpdateCapInsetsEvent OnNeedUpdateCapInsets;

private:
    void PickerChanged();
    void PaintPreview(QPainter& ACanvas);

    core::TqoBitmapInfo* FInfo = nullptr;
    QSizeF FBaseSize;
    QSize FExpectedSize;
    QImage FPreview;
    QLabel* FScaleLabel;
    QLabel* FWarning;
    TPreviewPaintBox* FPaintBox;
    QPointer<TImageInfoPicker> FPicker;
};

} // namespace orvo
