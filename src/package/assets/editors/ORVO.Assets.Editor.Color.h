#pragma once

// The color asset's frame: a swatch of the color under its text; a click opens the color picker.

#include "ORVO.Editor.SinglePreview.h"

#include <QPointer>

namespace dsgn {
class TqoColorPicker;
}

namespace orvo {

using TNeedApplyColorEvent = std::function<void(QObject* ASender, core::TqoAssetColor* AAsset)>;

class TEditorColor : public TBaseEditorSinglePreview
{
    Q_OBJECT
public:
    explicit TEditorColor(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

    core::TqoAssetColor* GetColorAsset() const;
    void OpenEditor() override;
    // The picker of the last OpenEditor; null before.
    dsgn::TqoColorPicker* Picker() const { return FPicker; }

    // Raised when the user asks for the picked color in every variant of the asset.
    TNeedApplyColorEvent OnNeedApplyColor;

protected:
    QString GetTitle() const override;
    void UpdatePreview() override;
    void DrawPreview(QPainter& ACanvas, const QRect& ARect) override;

private:
    QImage GenerateColorBitmap(core::TqoAlphaColor AColor) const;
    void ColorChanged();

    QImage FPreview;
    QPointer<dsgn::TqoColorPicker> FPicker;
};

} // namespace orvo
