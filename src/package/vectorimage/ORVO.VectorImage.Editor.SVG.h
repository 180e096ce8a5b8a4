#pragma once

// The SVG asset's tile: the SVG drawn at the asset's size by the vector renderer, and a mark
// telling how much of the file the SVG reader understands. A click opens the SVG picker.

#include "ORVO.VectorImage.Picker.SVG.h"
#include "assets/editors/ORVO.Assets.Editor.h"

#include <QImage>
#include <QPointer>

class QLabel;

namespace orvo {

class TPreviewPaintBox;

class TEditorSVG : public TBaseAssetEditorFrame
{
    Q_OBJECT
public:
    static constexpr int FrameSize = 104;

    explicit TEditorSVG(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

    core::TqoAssetSVG* GetAsset() const;
    void OpenPicker();
    // The picker of the last OpenPicker; null before.
    TSVGPicker* Picker() const { return FPicker; }
    // Null without a drawable SVG.
    const QImage& Preview() const { return FPreview; }

    TPreviewPaintBox* pbDecoration = nullptr;
    QLabel* imgWarning = nullptr;

protected:
    void UpdatePreview() override;

private:
    void GeneratePreviewBitmap();
    void PickerChangedHandler();
    void pbDecorationPaint(QPainter& ACanvas);

    QImage FPreview;
    // The pixel ratio FPreview was drawn for: a move to a screen of another density redraws it.
    qreal FPreviewScale = 0;
    QPointer<TSVGPicker> FPicker;
};

} // namespace orvo
