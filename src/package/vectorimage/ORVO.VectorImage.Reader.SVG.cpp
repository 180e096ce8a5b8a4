#include "ORVO.VectorImage.Reader.SVG.h"

#include "ORVO.Log.h"
#include "SVG.Colors.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

namespace orvo {

using core::EConvertError;
using core::EqoException;
using core::TqoAlphaColor;
using core::TqoFillRule;
using core::TqoNullable;
using core::TqoStrokeLineCap;
using core::TqoStrokeLineJoin;
using core::TqoVectorGradient;
using core::TqoVectorMatrix;
using core::TqoVectorTransform;

namespace {

const QString LogCategory = QStringLiteral("VectorImage");

const QString UnknownNodeMessage = QStringLiteral("Unknown node name: node=\"%1\"");
const QString NotExistedMessage = QStringLiteral("The attribute is not existed: node=\"%1\", attributeName=%2");
const QString CannotParseMessage =
    QStringLiteral("Cannot parse attribute value: node=\"%1\", name=\"%2\", attributeValue=\"%3\"");
const QString RecursiveUseMessage =
    QStringLiteral("Reference to an element being read skipped: node=\"%1\", id=\"%2\"");
const QString TooManyCopiesMessage =
    QStringLiteral("Too many copied commands, reference skipped: node=\"%1\", id=\"%2\"");
const QString TooDeepMessage = QStringLiteral("Elements nested too deeply, children skipped: node=\"%1\"");

// Guards against documents built to exhaust the stack or the memory: nesting deeper
// than any real drawing, and "use" chains that multiply their copies (each level of
// references can multiply the commands of the one below).
constexpr int MaxDepth = 256;
constexpr size_t MaxCopiedCommands = 250000;

// ---------------------------------------------------------------------------------------------
// Text helpers. "Blank" is any character up to the space, as in the IDE's own Trim.

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

// "%g" and "%f" in a path format, each taking the next argument.
QString FormatPath(const char* AFormat, std::initializer_list<float> AArgs)
{
    QString result;
    auto arg = AArgs.begin();
    for (const char* p = AFormat; *p; ++p) {
        if (p[0] == '%' && (p[1] == 'g' || p[1] == 'f') && arg != AArgs.end()) {
            result += p[1] == 'g' ? TqoVectorReaderSVG::FloatToStrG(*arg) : TqoVectorReaderSVG::FloatToStrF(*arg);
            ++arg;
            ++p;
        } else {
            result += QLatin1Char(*p);
        }
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// DOM helpers

// Node names as the DOM reports them, so that text and comments can be judged like elements.
QString NodeName(const pugi::xml_node& ANode)
{
    switch (ANode.type()) {
    case pugi::node_element:
    case pugi::node_pi:
        return QString::fromUtf8(ANode.name());
    case pugi::node_pcdata:
        return QStringLiteral("#text");
    case pugi::node_cdata:
        return QStringLiteral("#cdata-section");
    case pugi::node_comment:
        return QStringLiteral("#comment");
    case pugi::node_declaration:
        return QStringLiteral("xml");
    case pugi::node_doctype:
        return QStringLiteral("#doctype");
    default:
        return QString();
    }
}

QString LocalName(const pugi::xml_node& ANode)
{
    const QString name = NodeName(ANode);
    const qsizetype colon = name.lastIndexOf(QLatin1Char(':'));
    return colon < 0 ? name : name.mid(colon + 1);
}

bool HasAttribute(const pugi::xml_node& ANode, const char* AName) { return bool(ANode.attribute(AName)); }

// A missing attribute reads as empty text.
QString AttributeText(const pugi::xml_node& ANode, const char* AName)
{
    return QString::fromUtf8(ANode.attribute(AName).value());
}

// All text below a node, in document order (a "style" element may split its rules
// over text and CDATA sections).
QString TextContent(const pugi::xml_node& ANode)
{
    QString result;
    std::vector<pugi::xml_node> pending;
    for (pugi::xml_node child = ANode.last_child(); child; child = child.previous_sibling())
        pending.push_back(child);
    while (!pending.empty()) {
        const pugi::xml_node node = pending.back();
        pending.pop_back();
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            result += QString::fromUtf8(node.value());
        for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling())
            pending.push_back(child);
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Declaration lists ("name:value;...")

using TDeclarations = std::vector<std::pair<QString, QString>>;

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

template <typename T> void ReadQuietNumber(const QString& AText, TqoNullable<T>& AValue)
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

// Runs at scope exit, also when the reading raised.
template <typename F> class TScopeExit
{
public:
    explicit TScopeExit(F AAction) : FAction(std::move(AAction)) {}
    ~TScopeExit() { FAction(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F FAction;
};

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

template <typename F> TqoResultParsing Guarded(F AAction)
{
    try {
        return AAction();
    } catch (const std::exception& e) {
        core::TqoLog::Error(LogCategory, QString::fromUtf8(e.what()));
    } catch (...) {
        core::TqoLog::Error(LogCategory, QStringLiteral("Unknown error while reading an SVG document"));
    }
    return TqoResultParsing::Failed;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Values

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
    if (AText.compare(QLatin1String("butt"), Qt::CaseInsensitive) == 0)
        AValue = TqoStrokeLineCap::Butt;
    else if (AText.compare(QLatin1String("round"), Qt::CaseInsensitive) == 0)
        AValue = TqoStrokeLineCap::Round;
    else if (AText.compare(QLatin1String("square"), Qt::CaseInsensitive) == 0)
        AValue = TqoStrokeLineCap::Square;
    else
        return false;
    return true;
}

bool TqoVectorReaderSVG::TryStrToStrokeLineJoin(const QString& AText, TqoStrokeLineJoin& AValue)
{
    if (AText.compare(QLatin1String("miter"), Qt::CaseInsensitive) == 0)
        AValue = TqoStrokeLineJoin::Miter;
    else if (AText.compare(QLatin1String("round"), Qt::CaseInsensitive) == 0)
        AValue = TqoStrokeLineJoin::Round;
    else if (AText.compare(QLatin1String("bevel"), Qt::CaseInsensitive) == 0)
        AValue = TqoStrokeLineJoin::Bevel;
    else
        return false;
    return true;
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

// ---------------------------------------------------------------------------------------------
// Painting parameters

void TsvgPaintingParams::ResetToDefault()
{
    *this = TsvgPaintingParams();
    FillRule = TqoFillRule::NonZero;
}

// ---------------------------------------------------------------------------------------------
// Reader

TqoVectorReaderSVG::TqoVectorReaderSVG(core::TqoVectorDocument& ADocument)
    : FVectorDocument(ADocument), FInput(std::make_unique<pugi::xml_document>())
{
}

TqoVectorReaderSVG::~TqoVectorReaderSVG() = default;

void TqoVectorReaderSVG::Clear()
{
    FGradients.clear();
    FCSSClasses.clear();
    // A reader may be loaded again: ids and the log start afresh with each document.
    FCreatingSnippets.clear();
    FSnippets.clear();
    FLogs.clear();
    FVectorDocument.Clear();
    FWasFailed = false;
    FIsParsingDefs = false;
    FDepth = 0;
    FCopiedCommands = 0;
}

void TqoVectorReaderSVG::LoadFromFile(const QString& AFileName)
{
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw core::EqoFileError(AFileName, 0, file.errorString());
    LoadFromStream(file);
}

void TqoVectorReaderSVG::LoadFromStream(QIODevice& AStream) { LoadFromBuffer(AStream.readAll(), false); }

void TqoVectorReaderSVG::LoadFromText(const QString& AContent)
{
    QString content = AContent;
    if (content.startsWith(QChar(0xFEFF)))
        content.remove(0, 1);
    LoadFromBuffer(content.toUtf8(), true);
}

void TqoVectorReaderSVG::LoadFromBuffer(const QByteArray& AData, bool AIsDecodedText)
{
    Clear();
    FInput->reset();
    // Comments are kept: they are nodes of the document and are judged like elements.
    const unsigned options = pugi::parse_default | pugi::parse_comments;
    const pugi::xml_encoding encoding = AIsDecodedText ? pugi::encoding_utf8 : pugi::encoding_auto;
    const pugi::xml_parse_result parsed =
        FInput->load_buffer(AData.constData(), size_t(AData.size()), options, encoding);
    if (!parsed)
        throw EqoException(QStringLiteral("Cannot read the SVG document: %1 at offset %2")
                               .arg(QString::fromUtf8(parsed.description()))
                               .arg(qlonglong(parsed.offset)));
    Process();
}

TqoResultParsing TqoVectorReaderSVG::LoadFromFile(core::TqoVectorDocument& ADocument, const QString& AFileName)
{
    return Guarded([&] {
        TqoVectorReaderSVG reader(ADocument);
        reader.LoadFromFile(AFileName);
        return reader.Result();
    });
}

TqoResultParsing TqoVectorReaderSVG::Check(const QString& AFileName)
{
    if (!QFileInfo(AFileName).isFile())
        return TqoResultParsing::Failed;
    return Guarded([&] {
        core::TqoVectorDocument document;
        TqoVectorReaderSVG reader(document);
        reader.LoadFromFile(AFileName);
        return reader.Result();
    });
}

TqoResultParsing TqoVectorReaderSVG::CheckContent(const QString& AContent, QString& AHint)
{
    AHint.clear();
    return Guarded([&] {
        core::TqoVectorDocument document;
        TqoVectorReaderSVG reader(document);
        reader.LoadFromText(AContent);
        AHint = reader.Logs().join(QLatin1String("\r\n"));
        return reader.Result();
    });
}

TqoResultParsing TqoVectorReaderSVG::CheckContent(const QString& AContent)
{
    QString hint;
    return CheckContent(AContent, hint);
}

void TqoVectorReaderSVG::Process()
{
    Clear();
    FResult = TqoResultParsing::Success;
    const pugi::xml_node root = FInput->document_element();
    if (!ParseSVGNodeAttributes(root))
        return;
    ProcessElements(root);
}

bool TqoVectorReaderSVG::ParseSVGNodeAttributes(const pugi::xml_node& ANode)
{
    float width = 0;
    float height = 0;
    if (!HasAttribute(ANode, "width") || !TryStrToFloat(AttributeText(ANode, "width"), width))
        width = 0;
    if (!HasAttribute(ANode, "height") || !TryStrToFloat(AttributeText(ANode, "height"), height))
        height = 0;
    FViewportRect = QRectF(0, 0, 0, 0);
    if (HasAttribute(ANode, "viewBox"))
        TryStrToRectF(AttributeText(ANode, "viewBox"), FViewportRect);

    const auto isZero = [](double AValue) { return std::fabs(AValue) <= 0.0001; };
    const QString name = LocalName(ANode);
    if (isZero(width) && isZero(FViewportRect.width())) {
        Stop(NotExistedMessage, name, QStringLiteral("width"));
        Stop(NotExistedMessage, name, QStringLiteral("viewBox"));
        return false;
    }
    if (isZero(height) && isZero(FViewportRect.height())) {
        Stop(NotExistedMessage, name, QStringLiteral("height"));
        Stop(NotExistedMessage, name, QStringLiteral("viewBox"));
        return false;
    }
    // Each of size and view box completes the other.
    if (isZero(FViewportRect.width()))
        FViewportRect.setWidth(width);
    else if (isZero(width))
        width = float(FViewportRect.width());
    if (isZero(FViewportRect.height()))
        FViewportRect.setHeight(height);
    else if (isZero(height))
        height = float(FViewportRect.height());

    FVectorDocument.SetSize(QSizeF(width, height));
    FVectorDocument.SetViewBox(FViewportRect);
    return true;
}

bool TqoVectorReaderSVG::DefineElementType(const pugi::xml_node& ANode, TqoSVGElementType& AType) const
{
    static const QHash<QString, TqoSVGElementType> Types = {
        {QStringLiteral("circle"), TqoSVGElementType::Circle},
        {QStringLiteral("ellipse"), TqoSVGElementType::Ellipse},
        {QStringLiteral("line"), TqoSVGElementType::Line},
        {QStringLiteral("path"), TqoSVGElementType::Path},
        {QStringLiteral("polygon"), TqoSVGElementType::Polygon},
        {QStringLiteral("polyline"), TqoSVGElementType::Polyline},
        {QStringLiteral("rect"), TqoSVGElementType::Rect},
        {QStringLiteral("g"), TqoSVGElementType::Group},
        {QStringLiteral("radialgradient"), TqoSVGElementType::RadialGradient},
        {QStringLiteral("lineargradient"), TqoSVGElementType::LinearGradient},
        {QStringLiteral("style"), TqoSVGElementType::Style},
        {QStringLiteral("defs"), TqoSVGElementType::Defs},
        {QStringLiteral("use"), TqoSVGElementType::Use},
        {QStringLiteral("title"), TqoSVGElementType::Ignore},
        {QStringLiteral("metadata"), TqoSVGElementType::Ignore},
        {QStringLiteral("text"), TqoSVGElementType::Ignore},
        {QStringLiteral("desc"), TqoSVGElementType::Ignore},
        {QStringLiteral("#comment"), TqoSVGElementType::Ignore},
    };
    const auto it = Types.constFind(NodeName(ANode).toLower());
    if (it == Types.constEnd())
        return false;
    AType = it.value();
    return true;
}

void TqoVectorReaderSVG::ProcessTopPriorityElements(const pugi::xml_node& AParent)
{
    // Gradients, class rules and definitions apply to the whole child list, wherever they stand.
    for (const pugi::xml_node& child : AParent.children()) {
        TqoSVGElementType type;
        if (!DefineElementType(child, type)) {
            Warn(UnknownNodeMessage, NodeName(child));
            continue;
        }
        switch (type) {
        case TqoSVGElementType::RadialGradient:
            ProcessRadialGradient(child);
            break;
        case TqoSVGElementType::LinearGradient:
            ProcessLinearGradient(child);
            break;
        case TqoSVGElementType::Style:
            ParseStyle(child);
            break;
        case TqoSVGElementType::Defs:
            ProcessDefs(child);
            break;
        default:
            break;
        }
    }
}

void TqoVectorReaderSVG::ProcessElements(const pugi::xml_node& AParent)
{
    if (FDepth >= MaxDepth) {
        Stop(TooDeepMessage, NodeName(AParent));
        return;
    }
    ++FDepth;
    TScopeExit leave([this] { --FDepth; });

    ProcessTopPriorityElements(AParent);
    for (const pugi::xml_node& child : AParent.children()) {
        TqoSVGElementType type;
        if (!DefineElementType(child, type)) {
            Warn(UnknownNodeMessage, NodeName(child));
            continue;
        }
        switch (type) {
        case TqoSVGElementType::RadialGradient:
        case TqoSVGElementType::LinearGradient:
        case TqoSVGElementType::Style:
        case TqoSVGElementType::Defs:
            continue;
        default:
            break;
        }
        // A group sets its own transform inside its group; everything else is wrapped.
        if (type != TqoSVGElementType::Group && HasAttribute(child, "transform")) {
            BeginGroup();
            ProcessTransformAttribute(child);
            ProcessElement(child, type);
            EndGroup();
        } else {
            ProcessElement(child, type);
        }
    }
}

void TqoVectorReaderSVG::ProcessElement(const pugi::xml_node& ANode, TqoSVGElementType AType)
{
    switch (AType) {
    case TqoSVGElementType::Circle:
        ProcessCircle(ANode);
        break;
    case TqoSVGElementType::Ellipse:
        ProcessEllipse(ANode);
        break;
    case TqoSVGElementType::Line:
        ProcessLine(ANode);
        break;
    case TqoSVGElementType::Path:
        ProcessPath(ANode);
        break;
    case TqoSVGElementType::Polygon:
        ProcessPolygon(ANode);
        break;
    case TqoSVGElementType::Polyline:
        ProcessPolyline(ANode);
        break;
    case TqoSVGElementType::Rect:
        ProcessRect(ANode);
        break;
    case TqoSVGElementType::Group:
        ProcessGroup(ANode);
        break;
    case TqoSVGElementType::Use:
        ProcessUse(ANode);
        break;
    case TqoSVGElementType::ClipPath:
        ProcessClipPath(ANode);
        break;
    case TqoSVGElementType::Ignore:
    case TqoSVGElementType::RadialGradient:
    case TqoSVGElementType::LinearGradient:
    case TqoSVGElementType::Style:
    case TqoSVGElementType::Defs:
        break;
    }
}

void TqoVectorReaderSVG::ProcessGroup(const pugi::xml_node& ANode)
{
    const TsvgPaintingParams params = ReadPaintParams(ANode);
    TqoSnippet* snippet = ProcessSnippetAttribute(ANode);
    TScopeExit stopRecording([this, snippet] { StopRecording(snippet); });
    BeginGroup();
    try {
        ProcessPaintAttributes(ANode, params);
        ProcessTransformAttribute(ANode);
        ProcessElements(ANode);
    } catch (...) {
        EndGroup();
        throw;
    }
    EndGroup();
}

void TqoVectorReaderSVG::ProcessDefs(const pugi::xml_node& ANode)
{
    // One flag, not a count: the end of a nested "defs" ends the outer one too.
    FIsParsingDefs = true;
    {
        TqoSnippet* snippet = ProcessSnippetAttribute(ANode);
        TScopeExit stopRecording([this, snippet] { StopRecording(snippet); });
        BeginGroup();
        ProcessTransformAttribute(ANode);
        ProcessElements(ANode);
        // A nested "defs" may have ended definitions mode already; the closing group still
        // goes where the opening one went, so that groups stay balanced.
        FIsParsingDefs = true;
        EndGroup();
    }
    FIsParsingDefs = false;
}

void TqoVectorReaderSVG::ProcessUse(const pugi::xml_node& ANode)
{
    if (!HasAttribute(ANode, "xlink:href"))
        return;
    const QString href = AttributeText(ANode, "xlink:href");
    const QString id = href.startsWith(QLatin1Char('#')) ? href.mid(1) : QString();
    const auto it = FSnippets.find(id);
    if (it == FSnippets.end())
        return;
    const TqoSnippet& snippet = *it->second;

    // An ancestor still recording would copy itself into itself.
    if (std::find(FCreatingSnippets.begin(), FCreatingSnippets.end(), &snippet) != FCreatingSnippets.end()) {
        Warn(RecursiveUseMessage, NodeName(ANode), id);
        return;
    }
    const size_t receivers = FCreatingSnippets.size() + (FIsParsingDefs ? 0 : 1);
    const size_t copies = snippet.Commands().size() * receivers;
    if (FCopiedCommands + copies > MaxCopiedCommands) {
        Stop(TooManyCopiesMessage, NodeName(ANode), id);
        return;
    }
    FCopiedCommands += copies;

    BeginGroup();
    if (!FIsParsingDefs)
        FVectorDocument.AddCopiesFrom(snippet);
    for (TqoSnippet* target : FCreatingSnippets)
        target->AddCopiesFrom(snippet);
    EndGroup();
}

bool TqoVectorReaderSVG::ReadShapeNumbers(const pugi::xml_node& ANode, std::initializer_list<const char*> ANames,
                                          float* AValues)
{
    for (const char* name : ANames) {
        float value = 0;
        if (HasAttribute(ANode, name)) {
            const QString text = AttributeText(ANode, name);
            if (!TryStrToFloat(text, value)) {
                Warn(CannotParseMessage, NodeName(ANode), QString::fromLatin1(name), text);
                return false;
            }
        }
        *AValues++ = value;
    }
    return true;
}

void TqoVectorReaderSVG::ProcessCircle(const pugi::xml_node& ANode)
{
    float v[3];
    if (!ReadShapeNumbers(ANode, {"cx", "cy", "r"}, v))
        return;
    const float cx = v[0], cy = v[1], r = v[2];
    ProcessPath(ANode,
                FormatPath("M%g,%gm%g,0a%g,%g 0,1 1,%g 0a%g,%g 0,1 1,-%g 0", {cx, cy, -r, r, r, 2 * r, r, r, 2 * r}));
}

void TqoVectorReaderSVG::ProcessEllipse(const pugi::xml_node& ANode)
{
    float v[4];
    if (!ReadShapeNumbers(ANode, {"cx", "cy", "rx", "ry"}, v))
        return;
    const float cx = v[0], cy = v[1], rx = v[2], ry = v[3];
    ProcessPath(ANode,
                FormatPath("M%g,%ga%g,%g 0 1,0 %g,0a%g,%g 0 1,0 -%g,0", {cx - rx, cy, rx, ry, 2 * rx, rx, ry, 2 * rx}));
}

void TqoVectorReaderSVG::ProcessLine(const pugi::xml_node& ANode)
{
    float v[4];
    if (!ReadShapeNumbers(ANode, {"x1", "y1", "x2", "y2"}, v))
        return;
    ProcessPath(ANode, FormatPath("M%f, %f, L%f, %f", {v[0], v[1], v[2], v[3]}));
}

void TqoVectorReaderSVG::ProcessRect(const pugi::xml_node& ANode)
{
    // "rx" and "ry" are not read: corners stay square.
    float v[4];
    if (!ReadShapeNumbers(ANode, {"width", "height", "x", "y"}, v))
        return;
    const float width = v[0], height = v[1], x = v[2], y = v[3];
    ProcessPath(ANode, FormatPath("M%f, %f L%f, %f %f, %f %f, %f Z",
                                  {x, y, x + width, y, x + width, y + height, x, y + height}));
}

void TqoVectorReaderSVG::ProcessPolygon(const pugi::xml_node& ANode) { ProcessPoints(ANode, true); }

void TqoVectorReaderSVG::ProcessPolyline(const pugi::xml_node& ANode) { ProcessPoints(ANode, false); }

void TqoVectorReaderSVG::ProcessPoints(const pugi::xml_node& ANode, bool AClose)
{
    if (!HasAttribute(ANode, "points")) {
        Warn(NotExistedMessage, NodeName(ANode), QStringLiteral("points"));
        return;
    }
    // The tokens go into the path as written; the path parser judges them.
    const QStringList tokens = StrToPoints(AttributeText(ANode, "points"));
    if (tokens.size() <= 2)
        return;
    QString path = QLatin1Char('M') + tokens[0] + QLatin1Char(' ') + tokens[1] + QLatin1Char('L');
    for (qsizetype i = 2; i < tokens.size(); ++i)
        path += tokens[i] + QLatin1Char(' ');
    if (AClose)
        path += QLatin1Char('Z');
    ProcessPath(ANode, path);
}

void TqoVectorReaderSVG::ProcessPath(const pugi::xml_node& ANode)
{
    if (!HasAttribute(ANode, "d")) {
        Warn(NotExistedMessage, NodeName(ANode), QStringLiteral("d"));
        return;
    }
    ProcessPath(ANode, AttributeText(ANode, "d"));
}

void TqoVectorReaderSVG::ProcessPath(const pugi::xml_node& ANode, const QString& APath)
{
    TqoSnippet* snippet = ProcessSnippetAttribute(ANode);
    TScopeExit stopRecording([this, snippet] { StopRecording(snippet); });
    const TsvgPaintingParams params = ReadPaintParams(ANode);
    BeginGroup();
    ProcessPaintAttributes(ANode, params);
    DrawPath(APath);
    EndGroup();
}

void TqoVectorReaderSVG::ProcessClipPath(const pugi::xml_node& /*ANode*/)
{
    // Clipping is not supported; no element name leads here.
}

TqoSnippet* TqoVectorReaderSVG::ProcessSnippetAttribute(const pugi::xml_node& ANode)
{
    if (!HasAttribute(ANode, "id"))
        return nullptr;
    const QString id = AttributeText(ANode, "id");
    if (FSnippets.count(id))
        throw EqoException(QStringLiteral("Duplicate element id: id=\"%1\"").arg(id));
    auto snippet = std::make_unique<TqoSnippet>(id);
    TqoSnippet* result = snippet.get();
    FSnippets.emplace(id, std::move(snippet));
    FCreatingSnippets.push_back(result);
    return result;
}

void TqoVectorReaderSVG::StopRecording(TqoSnippet* ASnippet)
{
    if (ASnippet)
        std::erase(FCreatingSnippets, ASnippet);
}

// ---------------------------------------------------------------------------------------------
// Style and paint

TsvgPaintingParams TqoVectorReaderSVG::ReadPaintParams(const pugi::xml_node& ANode) const
{
    TsvgPaintingParams params;
    params.ResetToDefault();
    QString value;

    if (HasAttribute(ANode, "style")) {
        const TDeclarations style = ParseDeclarations(AttributeText(ANode, "style").toLower());
        if (FindDeclaration(style, "fill", value))
            ReadPaint(value, params.FillColor, params.IsCustomFillColor);
        if (FindDeclaration(style, "opacity", value)) {
            ReadQuietNumber(value, params.FillOpacity);
            ReadQuietNumber(value, params.StrokeOpacity);
        }
        if (FindDeclaration(style, "stroke-dashoffset", value))
            ReadQuietNumber(value, params.StrokeDashOffset);
        if (FindDeclaration(style, "fill-rule", value))
            params.FillRule = ReadFillRule(value);
        if (FindDeclaration(style, "stroke-width", value))
            ReadQuietNumber(value, params.StrokeWidth);
        if (FindDeclaration(style, "stroke-dasharray", value))
            ReadDashArray(value, QLatin1Char(','), params.StrokeDashArray);
        if (FindDeclaration(style, "stroke-linecap", value))
            ReadLineCap(value, params.StrokeLineCap);
        if (FindDeclaration(style, "stroke-linejoin", value))
            ReadLineJoin(value, params.StrokeLineJoin);
    }

    // Presentation attributes override the style declarations.
    const auto attribute = [&](const char* AName) {
        if (!HasAttribute(ANode, AName))
            return false;
        value = AttributeText(ANode, AName);
        return true;
    };
    if (attribute("fill"))
        ReadPaint(value, params.FillColor, params.IsCustomFillColor);
    if (attribute("opacity")) {
        ReadQuietNumber(value, params.FillOpacity);
        ReadQuietNumber(value, params.StrokeOpacity);
    }
    if (attribute("stroke-dashoffset"))
        ReadQuietNumber(value, params.StrokeDashOffset);
    if (attribute("fill-opacity"))
        params.FillOpacity = StrToFloat(value);
    if (attribute("stroke"))
        ReadPaint(value, params.StrokeColor, params.IsCustomStrokeColor);
    if (attribute("stroke-width"))
        ReadQuietNumber(value, params.StrokeWidth);
    if (attribute("stroke-opacity"))
        params.StrokeOpacity = StrToFloat(value);
    if (attribute("stroke-dasharray"))
        ReadDashArray(value, QLatin1Char(' '), params.StrokeDashArray);
    if (attribute("stroke-dashoffset"))
        params.StrokeDashOffset = StrToFloat(value);
    if (attribute("stroke-linecap"))
        ReadLineCap(value, params.StrokeLineCap);
    if (attribute("stroke-linejoin"))
        ReadLineJoin(value, params.StrokeLineJoin);
    if (attribute("fill-rule"))
        params.FillRule = ReadFillRule(value);
    return params;
}

const TqoVectorGradient& TqoVectorReaderSVG::FindGradient(const QString& AId) const
{
    const auto it = FGradients.find(AId);
    if (it == FGradients.end())
        throw EqoException(QStringLiteral("Gradient is not defined: id=\"%1\"").arg(AId));
    return *it->second;
}

void TqoVectorReaderSVG::ProcessPaintAttributes(const pugi::xml_node& ANode, const TsvgPaintingParams& AParams)
{
    core::TqoVectorBrush brush;
    const TsvgCssClass* cssClass = nullptr;
    if (HasAttribute(ANode, "class")) {
        const auto it = FCSSClasses.find(AttributeText(ANode, "class").toLower());
        if (it != FCSSClasses.end())
            cssClass = &it->second;
    }
    if (cssClass) {
        if (cssClass->Fill.HasValue())
            brush.FillColor = ResolveColorName(cssClass->Fill.Value());
        brush.FillOpacity = cssClass->Opacity;
        brush.StrokeOpacity = cssClass->Opacity;
        brush.StrokeDashOffset = cssClass->StrokeDashOffset;
        brush.StrokeWidth = cssClass->StrokeWidth;
        brush.StrokeDashArray = cssClass->StrokeDashArray;
        brush.StrokeLineCap = cssClass->StrokeLineCap;
        brush.StrokeLineJoin = cssClass->StrokeLineJoin;
        brush.FillRule = cssClass->FillRule;
    }

    // Paint: the element beats its class. A gradient paint leaves the class's fill as it is.
    if (AParams.FillColor.HasValue()) {
        if (AParams.IsCustomFillColor)
            SetGradient(FindGradient(AParams.FillColor.Value()), true);
        else
            brush.FillColor = ResolveColorName(AParams.FillColor.Value());
    }
    if (AParams.StrokeColor.HasValue()) {
        if (AParams.IsCustomStrokeColor)
            SetGradient(FindGradient(AParams.StrokeColor.Value()), false);
        else
            brush.StrokeColor = ResolveColorName(AParams.StrokeColor.Value());
    }

    // Everything else: the class beats the element.
    const auto fallBack = [](auto& AWorking, const auto& AElement) {
        if (!AWorking.HasValue())
            AWorking = AElement;
    };
    fallBack(brush.StrokeWidth, AParams.StrokeWidth);
    fallBack(brush.FillOpacity, AParams.FillOpacity);
    fallBack(brush.StrokeOpacity, AParams.StrokeOpacity);
    fallBack(brush.StrokeDashOffset, AParams.StrokeDashOffset);
    fallBack(brush.FillRule, AParams.FillRule);
    fallBack(brush.StrokeDashArray, AParams.StrokeDashArray);
    fallBack(brush.StrokeLineCap, AParams.StrokeLineCap);
    fallBack(brush.StrokeLineJoin, AParams.StrokeLineJoin);
    SetBrush(brush);
}

void TqoVectorReaderSVG::ParseStyle(const pugi::xml_node& ANode)
{
    // Split at every ".": a rule whose body holds a decimal point is cut apart and lost.
    for (const QString& piece : TextContent(ANode).split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        const QString rule = Trim(piece).toLower();
        const qsizetype open = rule.indexOf(QLatin1Char('{'));
        const qsizetype close = rule.indexOf(QLatin1Char('}'));
        if (rule.isEmpty() || open < 0 || close < 0)
            continue;
        TsvgCssClass cssClass;
        cssClass.Name = Trim(rule.left(open));
        const QString body = close > open ? rule.mid(open + 1, close - open - 1) : QString();
        const TDeclarations declarations = ParseDeclarations(body);
        QString value;
        if (FindDeclaration(declarations, "fill", value))
            cssClass.Fill = value;
        if (FindDeclaration(declarations, "opacity", value))
            ReadQuietNumber(value, cssClass.Opacity);
        if (FindDeclaration(declarations, "stroke-width", value))
            ReadQuietNumber(value, cssClass.StrokeWidth);
        if (FindDeclaration(declarations, "fill-rule", value) && ReadFillRule(value) == TqoFillRule::EvenOdd)
            cssClass.FillRule = TqoFillRule::EvenOdd;
        if (FindDeclaration(declarations, "stroke-dasharray", value))
            ReadDashArray(value, QLatin1Char(','), cssClass.StrokeDashArray);
        if (FindDeclaration(declarations, "stroke-linecap", value))
            ReadLineCap(value, cssClass.StrokeLineCap);
        if (FindDeclaration(declarations, "stroke-linejoin", value))
            ReadLineJoin(value, cssClass.StrokeLineJoin);
        const QString name = cssClass.Name;
        FCSSClasses.insert_or_assign(name, std::move(cssClass));
    }
}

// ---------------------------------------------------------------------------------------------
// Gradients

void TqoVectorReaderSVG::AddGradient(std::unique_ptr<TqoVectorGradient> AGradient)
{
    const QString id = AGradient->Id;
    if (FGradients.count(id))
        throw EqoException(QStringLiteral("Duplicate gradient id: id=\"%1\"").arg(id));
    FGradients.emplace(id, std::move(AGradient));
}

void TqoVectorReaderSVG::ProcessLinearGradient(const pugi::xml_node& ANode)
{
    auto gradient = std::make_unique<core::TqoVectorLinearGradient>();
    gradient->Id = AttributeText(ANode, "id");
    ReadGradientTransform(ANode, *gradient);
    // Coordinates are taken as user-space values; "0%" is not a number and ends the reading.
    if (HasAttribute(ANode, "x1"))
        gradient->X1 = StrToFloat(AttributeText(ANode, "x1"));
    if (HasAttribute(ANode, "y1"))
        gradient->Y1 = StrToFloat(AttributeText(ANode, "y1"));
    if (HasAttribute(ANode, "x2"))
        gradient->X2 = StrToFloat(AttributeText(ANode, "x2"));
    if (HasAttribute(ANode, "y2"))
        gradient->Y2 = StrToFloat(AttributeText(ANode, "y2"));
    ReadGradientPoints(ANode, *gradient);
    AddGradient(std::move(gradient));
}

void TqoVectorReaderSVG::ProcessRadialGradient(const pugi::xml_node& ANode)
{
    auto gradient = std::make_unique<core::TqoVectorRadialGradient>();
    gradient->Id = AttributeText(ANode, "id");
    ReadGradientTransform(ANode, *gradient);
    // The center is required; the matrix is applied to it here, the radius stays as written.
    const float cx = StrToFloat(AttributeText(ANode, "cx"));
    const float cy = StrToFloat(AttributeText(ANode, "cy"));
    const QPointF center = gradient->Matrix.Map(QPointF(cx, cy));
    gradient->CenterX = float(center.x());
    gradient->CenterY = float(center.y());
    float radius = 0;
    if (TryStrToFloat(AttributeText(ANode, "r"), radius))
        gradient->Radius = radius;
    ReadGradientPoints(ANode, *gradient);
    AddGradient(std::move(gradient));
}

void TqoVectorReaderSVG::ReadGradientTransform(const pugi::xml_node& ANode, TqoVectorGradient& AGradient) const
{
    if (!HasAttribute(ANode, "gradientTransform"))
        return;
    const QString text = Trim(AttributeText(ANode, "gradientTransform"));
    const QLatin1String function("matrix(");
    if (!text.toLower().startsWith(function))
        return;
    AGradient.Matrix = StrToMatrix(text.mid(function.size()).chopped(1));
}

void TqoVectorReaderSVG::ReadGradientPoints(const pugi::xml_node& ANode, TqoVectorGradient& AGradient) const
{
    for (const pugi::xml_node& child : ANode.children()) {
        if (NodeName(child) == QLatin1String("#text"))
            continue;
        const TDeclarations style = ParseRawDeclarations(AttributeText(child, "style"));
        const auto property = [&](const char* AName) {
            QString value;
            if (HasAttribute(child, AName))
                value = AttributeText(child, AName);
            else
                FindDeclaration(style, AName, value);
            return value;
        };

        core::TqoGradientStop stop;
        if (!TryStrToFloat(property("offset"), stop.Offset))
            stop.Offset = 0;
        TqoAlphaColor color = 0;
        if (!TryStrToColor(property("stop-color"), color))
            color = 0;
        float opacity = 1;
        if (!TryStrToFloat(property("stop-opacity"), opacity))
            opacity = 1;
        // Ties go to the even alpha, as the host's rounding does.
        const double alpha = std::nearbyint(double(color >> 24) * double(opacity));
        const quint32 scaled = quint32(std::clamp(alpha, 0.0, 255.0));
        stop.Color = (color & 0x00FFFFFFu) | (scaled << 24);
        AGradient.Stops.push_back(stop);
    }
}

// ---------------------------------------------------------------------------------------------
// Transforms

bool TqoVectorReaderSVG::ReadTransform(const pugi::xml_node& ANode, TqoVectorTransform& ATransform) const
{
    if (!HasAttribute(ANode, "transform"))
        return false;
    TqoVectorTransform transform;
    TqoVectorMatrix matrix;
    const QStringList pieces = Trim(AttributeText(ANode, "transform")).split(QLatin1Char(')'), Qt::SkipEmptyParts);
    for (QString piece : pieces) {
        piece.replace(QLatin1Char(','), QLatin1Char(' '));
        piece = Trim(piece).toLower();
        const auto arguments = [&piece](qsizetype ANameLength) {
            return piece.mid(ANameLength).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        };
        // A missing argument counts as 0 for a translation and 1 for a scaling.
        const auto argument = [](const QStringList& AArguments, int AIndex, float ADefault) {
            return AIndex < AArguments.size() ? StrToFloat(AArguments[AIndex]) : ADefault;
        };
        TqoVectorMatrix function;
        if (piece.startsWith(QLatin1String("translate("))) {
            const QStringList args = arguments(10);
            transform.TranslateX = argument(args, 0, 0);
            transform.TranslateY = argument(args, 1, 0);
            transform.Letters += QLatin1Char('T');
            function = TranslationMatrix(transform.TranslateX, transform.TranslateY);
        } else if (piece.startsWith(QLatin1String("translatex("))) {
            transform.TranslateX = argument(arguments(11), 0, 0);
            transform.TranslateY = 0;
            transform.Letters += QLatin1Char('T');
            function = TranslationMatrix(transform.TranslateX, 0);
        } else if (piece.startsWith(QLatin1String("translatey("))) {
            transform.TranslateX = 0;
            transform.TranslateY = argument(arguments(11), 0, 0);
            transform.Letters += QLatin1Char('T');
            function = TranslationMatrix(0, transform.TranslateY);
        } else if (piece.startsWith(QLatin1String("rotate("))) {
            // A rotation about a center ("rotate(45 10 10)") is not an angle and is skipped.
            float degrees = 0;
            if (!TryStrToDegree(piece.mid(7), degrees))
                continue;
            transform.Rotate = degrees;
            transform.Letters += QLatin1Char('R');
            function = RotationMatrix(degrees);
        } else if (piece.startsWith(QLatin1String("scale("))) {
            const QStringList args = arguments(6);
            transform.ScaleX = argument(args, 0, 1);
            transform.ScaleY = args.size() > 1 ? argument(args, 1, 1) : transform.ScaleX;
            transform.Letters += QLatin1Char('S');
            function = ScalingMatrix(transform.ScaleX, transform.ScaleY);
        } else if (piece.startsWith(QLatin1String("scalex("))) {
            transform.ScaleX = argument(arguments(7), 0, 1);
            transform.ScaleY = 1;
            transform.Letters += QLatin1Char('S');
            function = ScalingMatrix(transform.ScaleX, 1);
        } else if (piece.startsWith(QLatin1String("scaley("))) {
            transform.ScaleX = 1;
            transform.ScaleY = argument(arguments(7), 0, 1);
            transform.Letters += QLatin1Char('S');
            function = ScalingMatrix(1, transform.ScaleY);
        } else {
            continue; // matrix, skewX, skewY and unknown functions
        }
        // The function written further right applies to the points first.
        matrix = function * matrix;
    }
    transform.Matrix = matrix;
    ATransform = transform;
    return true;
}

void TqoVectorReaderSVG::ProcessTransformAttribute(const pugi::xml_node& ANode)
{
    TqoVectorTransform transform;
    if (ReadTransform(ANode, transform))
        SetTransform(transform);
}

// ---------------------------------------------------------------------------------------------
// Recording and logging

template <typename TRecord> void TqoVectorReaderSVG::Record(const TRecord& ARecord)
{
    if (!FIsParsingDefs)
        ARecord(FVectorDocument);
    for (TqoSnippet* snippet : FCreatingSnippets)
        ARecord(*snippet);
}

void TqoVectorReaderSVG::BeginGroup()
{
    Record([](core::TqoVectorDocument& ATarget) { ATarget.BeginGroup(); });
}

void TqoVectorReaderSVG::EndGroup()
{
    Record([](core::TqoVectorDocument& ATarget) { ATarget.EndGroup(); });
}

void TqoVectorReaderSVG::SetBrush(const core::TqoVectorBrush& ABrush)
{
    Record([&](core::TqoVectorDocument& ATarget) { ATarget.SetBrush(ABrush); });
}

void TqoVectorReaderSVG::SetGradient(const TqoVectorGradient& AGradient, bool AIsFill)
{
    // Each receiver keeps its own copy.
    Record([&](core::TqoVectorDocument& ATarget) { ATarget.SetGradient(AGradient, AIsFill); });
}

void TqoVectorReaderSVG::SetTransform(const TqoVectorTransform& ATransform)
{
    Record([&](core::TqoVectorDocument& ATarget) { ATarget.SetTransform(ATransform); });
}

void TqoVectorReaderSVG::DrawPath(const QString& APath)
{
    Record([&](core::TqoVectorDocument& ATarget) { ATarget.DrawPath(APath); });
}

void TqoVectorReaderSVG::DoLog(const QString& AMessage, TqoLogType AType)
{
    if (AType == TqoLogType::Warning) {
        if (!FWasFailed)
            FResult = TqoResultParsing::SuccessWithWarnings;
    } else if (!FWasFailed) {
        FWasFailed = true;
        FResult = TqoResultParsing::Failed;
    }
    FLogs.append(QStringLiteral("- ") + AMessage);
    if (FOnLog)
        FOnLog(this, AMessage, AType);
}

} // namespace orvo
