#pragma once

// The font asset's frame: the font image for TrueType and OpenType files, under the extension.

#include "ORVO.Assets.Editor.CustomFile.h"

namespace orvo {

class TEditorFont : public TEditorFileAsset
{
    Q_OBJECT
public:
    explicit TEditorFont(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

    // The designer's image for the file's kind, by extension ignoring case; null for other files.
    static QImage FontImage(const QString& AUri, int ASize);

protected:
    QImage PreviewImage(int ASize) const override;
    TFileAssetPicker* CreatePicker() override;
};

} // namespace orvo
