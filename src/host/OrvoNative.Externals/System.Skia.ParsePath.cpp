#include "System.Skia.ParsePath.h"

#include "System.Skia.h"

#include <charconv>
#include <cmath>

// Skia reads path data leniently where browsers do not (a first command other
// than a move starts at 0,0; any byte from 1 to 32 is a blank; commas may
// repeat) and strictly elsewhere (a number after "Z", a trailing separator and
// any unknown letter fail the whole text; so does a comma before a command
// letter, as in "M1, 2, L3, 4"). The framework draws the same vector files
// with Skia itself, so a text is accepted or refused here exactly as there.

namespace ext {

namespace {

bool IsWs(char AChar) { return AChar >= 1 && AChar <= 32; }
bool IsDigit(char AChar) { return AChar >= '0' && AChar <= '9'; }
bool IsSep(char AChar) { return IsWs(AChar) || AChar == ','; }
bool IsLower(char AChar) { return AChar >= 'a' && AChar <= 'z'; }

const char* SkipWs(const char* AText)
{
    while (IsWs(*AText))
        ++AText;
    return AText;
}

const char* SkipSep(const char* AText)
{
    while (IsSep(*AText))
        ++AText;
    return AText;
}

// The decimal forms strtod reads in the C locale (sign, digits, fraction,
// exponent), so "1.5.5" is 1.5 then .5 and "1e" is 1 then an unknown "e".
// Infinity, NaN and hexadecimal floats are refused: no finite path has them.
const char* FindScalar(const char* AText, float& AValue)
{
    const char* start = SkipWs(AText);
    const char* p = start;
    if (*p == '+' || *p == '-')
        ++p;
    int digits = 0;
    while (IsDigit(*p)) {
        ++p;
        ++digits;
    }
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) {
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return nullptr;
    if (*p != 'e' && *p != 'E' && digits <= 15) {
        // Most path numbers are short decimals: their digits as an integer over a power of ten,
        // both exact in a double, divide to the correctly rounded value that from_chars gives.
        static constexpr double PowersOfTen[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        qint64 mantissa = 0;
        int fractionDigits = 0;
        bool inFraction = false;
        for (const char* q = *start == '+' || *start == '-' ? start + 1 : start; q < p; ++q) {
            if (*q == '.') {
                inFraction = true;
                continue;
            }
            mantissa = mantissa * 10 + (*q - '0');
            fractionDigits += inFraction;
        }
        const double value = double(mantissa) / PowersOfTen[fractionDigits];
        AValue = static_cast<float>(*start == '-' ? -value : value);
        return p;
    }
    bool negativeExponent = false;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') {
            negativeExponent = *q == '-';
            ++q;
        }
        if (IsDigit(*q)) {
            while (IsDigit(*q))
                ++q;
            p = q;
        }
    }
    // from_chars takes no leading '+'.
    const char* numberStart = *start == '+' ? start + 1 : start;
    double value = 0;
    const auto [end, error] = std::from_chars(numberStart, p, value);
    if (error == std::errc::result_out_of_range) {
        if (!negativeExponent)
            return nullptr;
        value = 0; // underflow
    } else if (error != std::errc() || end != p) {
        return nullptr;
    }
    const float single = static_cast<float>(value);
    if (!std::isfinite(single))
        return nullptr;
    AValue = single;
    return p;
}

const char* FindScalarRel(const char* AText, float& AValue, bool ARelative, float AOrigin)
{
    AText = FindScalar(AText, AValue);
    if (!AText)
        return nullptr;
    if (ARelative)
        AValue += AOrigin;
    return SkipSep(AText);
}

struct TPoint
{
    float X = 0;
    float Y = 0;
    QPointF ToQ() const { return QPointF(X, Y); }
};

// Reads ACount points; no separator is skipped after the last number.
const char* FindPoints(const char* AText, TPoint* APoints, int ACount, bool ARelative, const TPoint& AOrigin)
{
    for (int i = 0; i < ACount; ++i) {
        AText = FindScalar(AText, APoints[i].X);
        if (!AText)
            return nullptr;
        AText = SkipSep(AText);
        AText = FindScalar(AText, APoints[i].Y);
        if (!AText)
            return nullptr;
        if (i + 1 < ACount)
            AText = SkipSep(AText);
    }
    if (ARelative) {
        for (int i = 0; i < ACount; ++i) {
            APoints[i].X += AOrigin.X;
            APoints[i].Y += AOrigin.Y;
        }
    }
    return AText;
}

// Arc flags are single characters, so "a1 1 0 0110 10" has the flags 0 and 1.
const char* FindFlag(const char* AText, bool& AValue)
{
    if (*AText != '0' && *AText != '1')
        return nullptr;
    AValue = *AText == '1';
    return SkipSep(AText + 1);
}

} // namespace

bool SkParseSVGPath(const QByteArray& AData, TSkPathBuilder& AResult)
{
    TSkPathBuilder path(AResult.GetFillType());
    TPoint first;
    TPoint c;
    TPoint lastc;
    TPoint points[3];
    char op = '\0';
    char previousOp = '\0';
    bool relative = false;
    const char* data = AData.constData(); // zero-terminated
    for (;;) {
        data = SkipWs(data);
        if (*data == '\0')
            break;
        const char ch = *data;
        if (IsDigit(ch) || ch == '-' || ch == '+' || ch == '.') {
            // A number repeats the previous command; there is none at the start or after a close.
            if (op == '\0' || op == 'Z')
                return false;
        } else if (IsSep(ch)) {
            data = SkipSep(data);
        } else {
            op = ch;
            relative = false;
            if (IsLower(op)) {
                op = static_cast<char>(op - 'a' + 'A');
                relative = true;
            }
            ++data;
            data = SkipSep(data);
        }
        switch (op) {
        case 'M':
            data = FindPoints(data, points, 1, relative, c);
            if (!data)
                return false;
            path.MoveTo(points[0].ToQ());
            previousOp = '\0';
            // Further pairs after a move are lines.
            op = 'L';
            c = points[0];
            break;
        case 'L':
            data = FindPoints(data, points, 1, relative, c);
            if (!data)
                return false;
            path.LineTo(points[0].ToQ());
            c = points[0];
            break;
        case 'H': {
            float x = 0;
            data = FindScalarRel(data, x, relative, c.X);
            if (!data)
                return false;
            path.LineTo(QPointF(x, c.Y));
            c.X = x;
            break;
        }
        case 'V': {
            float y = 0;
            data = FindScalarRel(data, y, relative, c.Y);
            if (!data)
                return false;
            path.LineTo(QPointF(c.X, y));
            c.Y = y;
            break;
        }
        case 'C':
        case 'S':
            if (op == 'C') {
                data = FindPoints(data, points, 3, relative, c);
            } else {
                data = FindPoints(data, &points[1], 2, relative, c);
                // The first control point mirrors the previous curve's second one.
                points[0] = c;
                if (previousOp == 'C' || previousOp == 'S') {
                    points[0].X -= lastc.X - c.X;
                    points[0].Y -= lastc.Y - c.Y;
                }
            }
            if (!data)
                return false;
            path.CubicTo(points[0].ToQ(), points[1].ToQ(), points[2].ToQ());
            lastc = points[1];
            c = points[2];
            break;
        case 'Q':
        case 'T':
            if (op == 'Q') {
                data = FindPoints(data, points, 2, relative, c);
            } else {
                data = FindPoints(data, &points[1], 1, relative, c);
                points[0] = c;
                if (previousOp == 'Q' || previousOp == 'T') {
                    points[0].X -= lastc.X - c.X;
                    points[0].Y -= lastc.Y - c.Y;
                }
            }
            if (!data)
                return false;
            path.QuadTo(points[0].ToQ(), points[1].ToQ());
            lastc = points[0];
            c = points[1];
            break;
        case 'A': {
            TPoint radii;
            float angle = 0;
            bool largeArc = false;
            bool sweep = false;
            if (!(data = FindPoints(data, &radii, 1, false, c)) || !(data = SkipSep(data)) ||
                !(data = FindScalarRel(data, angle, false, 0)) || !(data = FindFlag(data, largeArc)) ||
                !(data = FindFlag(data, sweep)) || !(data = FindPoints(data, points, 1, relative, c)))
                return false;
            path.ArcTo(radii.ToQ(), angle, largeArc, sweep, points[0].ToQ());
            const QPointF last = path.LastPoint();
            c = TPoint{static_cast<float>(last.x()), static_cast<float>(last.y())};
            break;
        }
        case 'Z':
            path.Close();
            c = first;
            break;
        case '~': {
            // Skia's own shorthand for a separate segment: a move and a line, absolute.
            TPoint segment[2];
            data = FindPoints(data, segment, 2, false, c);
            if (!data)
                return false;
            path.MoveTo(segment[0].ToQ());
            path.LineTo(segment[1].ToQ());
            break;
        }
        default:
            return false;
        }
        if (previousOp == '\0')
            first = c;
        previousOp = op;
    }
    AResult = std::move(path);
    return true;
}

} // namespace ext
