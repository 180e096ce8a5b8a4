#pragma once

#include <QChar>
#include <QColor>
#include <QString>
#include <QtGlobal>

namespace core {

// A 32-bit ARGB color: alpha in the top byte, then red, green, blue.
using TqoAlphaColor = quint32;

namespace TqoAlphaColors {
constexpr TqoAlphaColor Null = 0x00000000; // fully transparent black, a real color
constexpr TqoAlphaColor Black = 0xFF000000;
constexpr TqoAlphaColor White = 0xFFFFFFFF;
} // namespace TqoAlphaColors

class TqoColorHelper
{
public:
    // "#AARRGGBB" (or with another prefix such as "$"), upper-case digits.
    static QString ToARGBHex(TqoAlphaColor AColor, QChar APrefix = QLatin1Char('#'));

    // Text shown to people: "#RRGGBB" for opaque colors, "#AARRGGBB" otherwise.
    static QString ToDisplayString(TqoAlphaColor AColor);

    // Accepts "#AARRGGBB", "$AARRGGBB", "#RRGGBB" and "$RRGGBB" (alpha FF), hex digits in any case,
    // nothing else (no blanks, no names). On failure returns false and leaves AColor unchanged.
    static bool TryParse(const QString& AText, TqoAlphaColor& AColor);
    // As TryParse, raising EConvertError on bad text.
    static TqoAlphaColor Parse(const QString& AText);

    static quint8 Alpha(TqoAlphaColor AColor) { return quint8(AColor >> 24); }
    static quint8 Red(TqoAlphaColor AColor) { return quint8(AColor >> 16); }
    static quint8 Green(TqoAlphaColor AColor) { return quint8(AColor >> 8); }
    static quint8 Blue(TqoAlphaColor AColor) { return quint8(AColor); }
    static TqoAlphaColor FromARGB(quint8 AAlpha, quint8 ARed, quint8 AGreen, quint8 ABlue)
    {
        return (TqoAlphaColor(AAlpha) << 24) | (TqoAlphaColor(ARed) << 16) | (TqoAlphaColor(AGreen) << 8) | ABlue;
    }

    static QColor ToQColor(TqoAlphaColor AColor) { return QColor::fromRgba(AColor); }
    static TqoAlphaColor FromQColor(const QColor& AColor) { return AColor.rgba(); }
};

} // namespace core
