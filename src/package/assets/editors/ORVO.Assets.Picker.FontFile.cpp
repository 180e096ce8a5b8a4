#include "ORVO.Assets.Picker.FontFile.h"

namespace orvo {

QString TFontFilePicker::Filter() const
{
    return FilePickerText(QStringLiteral("font_filter")) + QLatin1Char('|') + FilePickerText(QStringLiteral("filter"));
}

} // namespace orvo
