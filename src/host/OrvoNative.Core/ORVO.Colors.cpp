#include "ORVO.Colors.h"

#include "ORVO.Exceptions.h"

namespace core {

QString TqoColorHelper::ToARGBHex(TqoAlphaColor AColor, QChar APrefix)
{
    return APrefix + QStringLiteral("%1").arg(AColor, 8, 16, QLatin1Char('0')).toUpper();
}

QString TqoColorHelper::ToDisplayString(TqoAlphaColor AColor)
{
    if (Alpha(AColor) == 0xFF)
        return QLatin1Char('#') + QStringLiteral("%1").arg(AColor & 0x00FFFFFF, 6, 16, QLatin1Char('0')).toUpper();
    return ToARGBHex(AColor);
}

bool TqoColorHelper::TryParse(const QString& AText, TqoAlphaColor& AColor)
{
    if (AText.size() != 7 && AText.size() != 9)
        return false;
    if (AText[0] != QLatin1Char('#') && AText[0] != QLatin1Char('$'))
        return false;
    TqoAlphaColor value = 0;
    for (qsizetype i = 1; i < AText.size(); ++i) {
        const char16_t c = AText[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        value = (value << 4) | TqoAlphaColor(digit);
    }
    if (AText.size() == 7)
        value |= 0xFF000000;
    AColor = value;
    return true;
}

TqoAlphaColor TqoColorHelper::Parse(const QString& AText)
{
    TqoAlphaColor color = 0;
    if (!TryParse(AText, color))
        throw EConvertError(QStringLiteral("Invalid color text: text=\"%1\"").arg(AText));
    return color;
}

} // namespace core
