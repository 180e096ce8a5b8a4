#pragma once

// The style asset's frame: the styled class's component icon under its name; a click or the
// edit button opens the style editor, the clear button drops the class.

#include "ORVO.Assets.Picker.Style.h"
#include "ORVO.Editor.SinglePreview.h"

#include <QPointer>

class QToolButton;

namespace orvo {

class TEditorStyle : public TBaseEditorSinglePreview
{
    Q_OBJECT
public:
    static constexpr int ButtonsHeight = 24;

    explicit TEditorStyle(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

    core::TqoAssetStyle* GetStyleAsset() const;
    void OpenEditor() override;
    void Clear();
    // The dialog of the last OpenEditor while it is open.
    TFormStyleEditor* Editor() const { return FEditor; }

protected:
    QString GetTitle() const override;
    void UpdatePreview() override;
    void DrawPreview(QPainter& ACanvas, const QRect& ARect) override;

private:
    QImage FIcon;
    QToolButton* btnEdit;
    QToolButton* btnClear;
    QPointer<TFormStyleEditor> FEditor;
};

} // namespace orvo
