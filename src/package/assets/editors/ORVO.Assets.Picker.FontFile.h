#pragma once

// The font asset's picker: open, save and clear the font file.

#include "ORVO.Assets.Picker.CustomFile.h"

namespace orvo {

class TFontFilePicker : public TFileAssetPicker
{
    Q_OBJECT
public:
    using TFileAssetPicker::TFileAssetPicker;

protected:
    QString Filter() const override;
};

} // namespace orvo
