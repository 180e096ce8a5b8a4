#pragma once

// Frames of the assets backed by one file: the kind's image under the file's extension; a click
// opens the kind's picker. The custom file's frame is the plain one.

#include "ORVO.Assets.Picker.CustomFile.h"
#include "ORVO.Editor.SinglePreview.h"

#include <QPointer>

namespace orvo {

class TEditorFileAsset : public TBaseEditorSinglePreview
{
    Q_OBJECT
public:
    using TBaseEditorSinglePreview::TBaseEditorSinglePreview;

    // The text after the last "." of AUri, or all of it when it has none.
    static QString UriExtension(const QString& AUri);

    void OpenEditor() override;
    // The picker of the last OpenEditor; null before.
    TFileAssetPicker* Picker() const { return FPicker; }

protected:
    QString GetTitle() const override;
    void DrawPreview(QPainter& ACanvas, const QRect& ARect) override;
    // The image shown for the asset; null for none.
    virtual QImage PreviewImage(int ASize) const = 0;
    virtual TFileAssetPicker* CreatePicker() = 0;
    // The picker reports the asset changed.
    void PickerChangedHandler();

private:
    QPointer<TFileAssetPicker> FPicker;
};

class TEditorFile : public TEditorFileAsset
{
    Q_OBJECT
public:
    explicit TEditorFile(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

protected:
    QImage PreviewImage(int ASize) const override;
    TFileAssetPicker* CreatePicker() override;
};

} // namespace orvo
