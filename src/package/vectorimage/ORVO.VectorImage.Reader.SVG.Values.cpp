#include "ORVO.VectorImage.Reader.SVG.Values.h"

#include "ORVO.VectorImage.Reader.SVG.h"
#include "SVG.Colors.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace orvo {

using core::EConvertError;
using core::TqoAlphaColor;
using core::TqoFillRule;
using core::TqoNullable;
using core::TqoStrokeLineCap;
using core::TqoStrokeLineJoin;
using core::TqoVectorMatrix;

namespace svgvalues {

bool IsBlank(QChar AChar) { return AChar.unicode() <= 0x20; }

QString Trim(const QString& AText)
{
    qsizetype first = 0;
    qsizetype last = AText.size();
    while (first < last && IsBlank(AText[first]))
        ++first;
    while (last > first && IsBlank(AText[last - 1]))
        --last;
    return AText.mid(first, last - first);
}

// The invariant number grammar: [sign] digits [. [digits]] [(e|E) [sign] digits], blanks around.
// The integer digits may be left out (".5"), as SVG writers that shorten numbers do, so the
// raising conversion accepts what the quiet one does after its own ".5" handling.
bool ParseInvariant(const QString& AText, float& AValue)
{
    const QString text = Trim(AText);
    if (text.isEmpty())
        return false;
    QByteArray ascii;
    ascii.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() > 0x7F)
            return false;
        ascii.append(char(c.unicode()));
    }
    const char* p = ascii.constData();
    const char* end = p + ascii.size();
    const char* start = p;
    if (*p == '+' || *p == '-')
        ++p;
    if (*start == '+')
        start = p; // from_chars takes no plus sign
    const char* digits = p;
    while (p < end && *p >= '0' && *p <= '9')
        ++p;
    qsizetype digitCount = p - digits;
    if (p < end && *p == '.') {
        const char* fraction = ++p;
        while (p < end && *p >= '0' && *p <= '9')
            ++p;
        digitCount += p - fraction;
    }
    if (digitCount == 0)
        return false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        const char* exponent = p;
        while (p < end && *p >= '0' && *p <= '9')
            ++p;
        if (p == exponent)
            return false;
    }
    if (p != end)
        return false;
    float value = 0;
    const auto [ptr, error] = std::from_chars(start, end, value, std::chars_format::general);
    if (error != std::errc() || ptr != end || !std::isfinite(value))
        return false;
    AValue = value;
    return true;
}

[[noreturn]] void RaiseNotAFloat(const QString& AText)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(AText));
}

// Hexadecimal text of up to 32 bits; anything else is a conversion error.
quint32 HexToInt(const QString& AHex)
{
    bool ok = !AHex.isEmpty();
    quint64 value = 0;
    for (QChar c : AHex) {
        const char16_t digit = c.unicode();
        int nibble = -1;
        if (digit >= '0' && digit <= '9')
            nibble = digit - '0';
        else if (digit >= 'a' && digit <= 'f')
            nibble = digit - 'a' + 10;
        else if (digit >= 'A' && digit <= 'F')
            nibble = digit - 'A' + 10;
        if (nibble < 0) {
            ok = false;
            break;
        }
        value = (value << 4) | quint64(nibble);
        if (value > 0xFFFFFFFFull) {
            ok = false;
            break;
        }
    }
    if (!ok)
        throw EConvertError(QStringLiteral("'$%1' is not a valid integer value").arg(AHex));
    return quint32(value);
}

// Pieces are trimmed; name and value are not trimmed again, so "fill: red" has the value " red".
TDeclarations ParseDeclarations(const QString& AText)
{
    TDeclarations result;
    for (const QString& piece : AText.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString declaration = Trim(piece);
        const qsizetype colon = declaration.indexOf(QLatin1Char(':'));
        if (colon >= 0)
            result.emplace_back(declaration.left(colon), declaration.mid(colon + 1));
    }
    return result;
}

// Stop styles are taken as raw lines: nothing is trimmed at all.
TDeclarations ParseRawDeclarations(const QString& AText)
{
    TDeclarations result;
    for (const QString& piece : AText.split(QLatin1Char(';'))) {
        const qsizetype colon = piece.indexOf(QLatin1Char(':'));
        if (colon >= 0)
            result.emplace_back(piece.left(colon), piece.mid(colon + 1));
    }
    return result;
}

// The first declaration of that name wins, as in a name/value list.
bool FindDeclaration(const TDeclarations& ADeclarations, const char* AName, QString& AValue)
{
    const QLatin1String name(AName);
    for (const auto& [declarationName, value] : ADeclarations)
        if (declarationName.compare(name, Qt::CaseInsensitive) == 0) {
            AValue = value;
            return true;
        }
    return false;
}

// "url(#id)" names a gradient; anything else is paint text.
void ReadPaint(const QString& AValue, TqoNullable<QString>& AColor, bool& AIsGradient)
{
    AIsGradient = AValue.contains(QLatin1String("url("));
    if (!AIsGradient) {
        AColor = AValue;
        return;
    }
    QString id = AValue.mid(4);
    id.chop(1);
    if (id.startsWith(QLatin1Char('#')))
        id.remove(0, 1);
    AColor = id;
}

TqoFillRule ReadFillRule(const QString& AValue)
{
    return AValue.compare(QLatin1String("evenodd"), Qt::CaseInsensitive) == 0 ? TqoFillRule::EvenOdd
                                                                              : TqoFillRule::NonZero;
}

void ReadQuietNumber(const QString& AText, TqoNullable<float>& AValue)
{
    float value = 0;
    if (TqoVectorReaderSVG::TryStrToFloat(AText, value))
        AValue = value;
}

void ReadDashArray(const QString& AText, QChar ASeparator, TqoNullable<std::vector<float>>& AValue)
{
    std::vector<float> values;
    if (TqoVectorReaderSVG::TryParseSingleArray(AText, ASeparator, values))
        AValue = values;
}

void ReadLineCap(const QString& AText, TqoNullable<TqoStrokeLineCap>& AValue)
{
    TqoStrokeLineCap value;
    if (TqoVectorReaderSVG::TryStrToStrokeLineCap(AText, value))
        AValue = value;
}

void ReadLineJoin(const QString& AText, TqoNullable<TqoStrokeLineJoin>& AValue)
{
    TqoStrokeLineJoin value;
    if (TqoVectorReaderSVG::TryStrToStrokeLineJoin(AText, value))
        AValue = value;
}

TqoVectorMatrix TranslationMatrix(float ADx, float ADy)
{
    TqoVectorMatrix m;
    m.m31 = ADx;
    m.m32 = ADy;
    return m;
}

TqoVectorMatrix ScalingMatrix(float ASx, float ASy)
{
    TqoVectorMatrix m;
    m.m11 = ASx;
    m.m22 = ASy;
    return m;
}

TqoVectorMatrix RotationMatrix(float ADegrees)
{
    const double radians = double(ADegrees) * std::numbers::pi / 180.0;
    TqoVectorMatrix m;
    m.m11 = float(std::cos(radians));
    m.m12 = float(std::sin(radians));
    m.m21 = -m.m12;
    m.m22 = m.m11;
    return m;
}

} // namespace svgvalues

using namespace svgvalues;

bool TqoVectorReaderSVG::TryStrToFloat(const QString& AText, float& AValue)
{
    if (ParseInvariant(AText, AValue))
        return true;
    // Units are only stripped: "2cm" is 2, like "2px". (".5" and "-.5" are numbers already.)
    if (AText.endsWith(QLatin1String("px")) || AText.endsWith(QLatin1String("cm")))
        return ParseInvariant(Trim(AText.chopped(2)), AValue);
    return false;
}

float TqoVectorReaderSVG::StrToFloat(const QString& AText)
{
    float value = 0;
    if (!ParseInvariant(AText, value))
        RaiseNotAFloat(AText);
    return value;
}

bool TqoVectorReaderSVG::TryStrToDegree(const QString& AText, float& ADegrees)
{
    float value = 0;
    if (ParseInvariant(AText, value)) {
        ADegrees = value;
        return true;
    }
    // "grad" before "rad", which it ends with.
    if (AText.endsWith(QLatin1String("deg"))) {
        if (!ParseInvariant(Trim(AText.chopped(3)), value))
            return false;
        ADegrees = value;
        return true;
    }
    if (AText.endsWith(QLatin1String("grad"))) {
        if (!ParseInvariant(Trim(AText.chopped(4)), value))
            return false;
        ADegrees = value * 360.0f / 400.0f;
        return true;
    }
    if (AText.endsWith(QLatin1String("rad"))) {
        if (!ParseInvariant(Trim(AText.chopped(3)), value))
            return false;
        ADegrees = float(double(value) * 180.0 / std::numbers::pi);
        return true;
    }
    return false;
}

bool TqoVectorReaderSVG::TryStrToRectF(const QString& AText, QRectF& ARect)
{
    const QStringList pieces = AText.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (pieces.size() != 4)
        return false;
    float values[4];
    for (int i = 0; i < 4; ++i)
        if (!TryStrToFloat(pieces[i], values[i]))
            return false;
    ARect = QRectF(values[0], values[1], values[2], values[3]);
    return true;
}

QStringList TqoVectorReaderSVG::StrToPoints(const QString& AText)
{
    QString text = AText;
    for (QChar& c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char(','))
            c = QLatin1Char(' ');
    return Trim(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

bool TqoVectorReaderSVG::TryParseSingleArray(const QString& AText, QChar ASeparator, std::vector<float>& AValues)
{
    std::vector<float> values;
    for (QString piece : AText.split(ASeparator)) {
        if (piece.toLower().contains(QLatin1String("px"))) {
            // A unit written in upper case leaves nothing of the piece.
            const qsizetype unit = piece.indexOf(QLatin1String("px"));
            piece = unit < 0 ? QString() : piece.left(unit);
        }
        const qsizetype percent = piece.indexOf(QLatin1Char('%'));
        if (percent >= 0)
            piece = piece.left(percent);
        float value = 0;
        if (TryStrToFloat(piece, value))
            values.push_back(value);
    }
    if (values.empty())
        return false;
    AValues = std::move(values);
    return true;
}

TqoVectorMatrix TqoVectorReaderSVG::StrToMatrix(const QString& AText)
{
    QString text = AText;
    text.replace(QLatin1Char(','), QLatin1Char(' '));
    const QStringList pieces = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (pieces.size() < 6)
        throw EConvertError(QStringLiteral("'%1' is not a valid matrix").arg(AText));
    TqoVectorMatrix m;
    m.m11 = StrToFloat(pieces[0]);
    m.m12 = StrToFloat(pieces[1]);
    m.m21 = StrToFloat(pieces[2]);
    m.m22 = StrToFloat(pieces[3]);
    m.m31 = StrToFloat(pieces[4]);
    m.m32 = StrToFloat(pieces[5]);
    return m;
}

bool TqoVectorReaderSVG::TryStrToColor(const QString& AText, TqoAlphaColor& AColor)
{
    if (!AText.startsWith(QLatin1Char('#')))
        return false;
    QString hex = AText.mid(1);
    if (hex.size() == 6) {
        hex.prepend(QLatin1String("FF"));
    } else if (hex.size() == 3) {
        hex = QLatin1String("FF") + hex[0] + hex[0] + hex[1] + hex[1] + hex[2] + hex[2];
    }
    AColor = HexToInt(hex);
    return true;
}

bool TqoVectorReaderSVG::TryStrToStrokeLineCap(const QString& AText, TqoStrokeLineCap& AValue)
{
    return core::TryStrokeLineCapFromName(AText, AValue, Qt::CaseInsensitive);
}

bool TqoVectorReaderSVG::TryStrToStrokeLineJoin(const QString& AText, TqoStrokeLineJoin& AValue)
{
    return core::TryStrokeLineJoinFromName(AText, AValue, Qt::CaseInsensitive);
}

QString TqoVectorReaderSVG::ResolveColorName(const QString& AValue)
{
    QString color;
    return TsvgColors::GetDefault().TryGetValue(AValue, color) ? color : AValue;
}

QString TqoVectorReaderSVG::FloatToStrG(float AValue)
{
    const double value = AValue;
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");
    // 15 significant digits, then the shortest of fixed and scientific notation as the
    // general format chooses: fixed while the exponent is below 15 and the value not below 1E-5.
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    Q_UNUSED(error);
    const std::string text(buffer, end); // [-]d.dddddddddddddde[+-]xx
    const bool negative = text[0] == '-';
    const size_t e = text.find('e');
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < e; ++i)
        if (text[i] != '.')
            digits += text[i];
    const int exponent = std::stoi(text.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string result = negative ? "-" : "";
    if (exponent >= 15 || std::fabs(value) < 1e-5) {
        result += digits[0];
        if (digits.size() > 1)
            result += '.' + digits.substr(1);
        result += 'E' + std::to_string(exponent);
    } else if (exponent >= 0) {
        const size_t integerDigits = size_t(exponent) + 1;
        if (digits.size() <= integerDigits) {
            result += digits + std::string(integerDigits - digits.size(), '0');
        } else {
            result += digits.substr(0, integerDigits) + '.' + digits.substr(integerDigits);
        }
    } else {
        result += "0." + std::string(size_t(-exponent - 1), '0') + digits;
    }
    return QString::fromLatin1(result.c_str());
}

QString TqoVectorReaderSVG::FloatToStrF(float AValue)
{
    const double value = AValue;
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    Q_UNUSED(error);
    QString result = QString::fromLatin1(buffer, end - buffer);
    if (result == QLatin1String("-0.00"))
        result.remove(0, 1);
    return result;
}

} // namespace orvo
