#include "ORVO.Json.Internal.h"
#include "ORVO.WriteJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace core::jsonio {

namespace {

std::string EscapePointerToken(const std::string& AKey)
{
    std::string result;
    for (char c : AKey) {
        if (c == '~')
            result += "~0";
        else if (c == '/')
            result += "~1";
        else
            result += c;
    }
    return result;
}

QString TypeName(const Json& AValue) { return QString::fromLatin1(AValue.type_name()); }

} // namespace

namespace {

// The tokens of a JSON pointer ("/assets/2/name"), unescaped.
std::vector<std::string> PointerTokens(const std::string& APointer)
{
    std::vector<std::string> tokens;
    size_t at = 0;
    while (at < APointer.size()) {
        const size_t next = APointer.find('/', at + 1);
        std::string token = APointer.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        std::string plain;
        for (size_t i = 0; i < token.size(); ++i) {
            if (token[i] == '~' && i + 1 < token.size()) {
                plain += token[i + 1] == '1' ? '/' : '~';
                ++i;
            } else {
                plain += token[i];
            }
        }
        tokens.push_back(std::move(plain));
        at = next == std::string::npos ? APointer.size() : next;
    }
    return tokens;
}

} // namespace

int ValueLine(const QByteArray& AText, const std::string& APointer)
{
    // One pass over text that already parsed, following nesting, keys and array positions.
    // Each container remembers whether the path to it is a prefix of the pointer, so no path
    // is ever built: the scan stays linear however deep the text nests.
    const std::vector<std::string> target = PointerTokens(APointer);
    struct TFrame
    {
        bool IsArray;
        size_t Index;
        std::string Key;
        bool ExpectKey;
        bool OnPath; // the path to this container equals the pointer's first Depth tokens
    };
    std::vector<TFrame> stack;
    int line = 1;
    // Whether the value starting now is the pointer's target, or a container on its way.
    auto valueStarts = [&](bool& AOnPath) {
        if (stack.empty()) {
            AOnPath = true;
            return target.empty();
        }
        const TFrame& frame = stack.back();
        const size_t depth = stack.size();
        AOnPath = frame.OnPath && depth <= target.size() &&
                  (frame.IsArray ? std::to_string(frame.Index) == target[depth - 1] : frame.Key == target[depth - 1]);
        return AOnPath && depth == target.size();
    };
    const char* p = AText.constData();
    const qsizetype n = AText.size();
    bool onPath = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c == '\n') {
            ++line;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            continue;
        } else if (c == '"') {
            const bool isKey = !stack.empty() && !stack.back().IsArray && stack.back().ExpectKey;
            if (isKey)
                stack.back().Key.clear();
            for (++i; i < n && p[i] != '"'; ++i) {
                if (p[i] == '\\' && i + 1 < n)
                    ++i;
                if (isKey)
                    stack.back().Key += p[i];
            }
            if (!isKey && valueStarts(onPath))
                return line;
        } else if (c == ':') {
            if (!stack.empty())
                stack.back().ExpectKey = false;
        } else if (c == ',') {
            if (!stack.empty()) {
                if (stack.back().IsArray)
                    ++stack.back().Index;
                else
                    stack.back().ExpectKey = true;
            }
        } else if (c == '{' || c == '[') {
            if (valueStarts(onPath))
                return line;
            stack.push_back({c == '[', 0, std::string(), true, onPath});
        } else if (c == '}' || c == ']') {
            if (!stack.empty())
                stack.pop_back();
        } else {
            if (valueStarts(onPath))
                return line;
            while (i + 1 < n && p[i + 1] != ',' && p[i + 1] != '}' && p[i + 1] != ']' && p[i + 1] != '\n' &&
                   p[i + 1] != ' ' && p[i + 1] != '\t' && p[i + 1] != '\r')
                ++i;
        }
    }
    return 0;
}

int NestingDepth(const QByteArray& AText, int ALimit, int* ALine)
{
    int depth = 0;
    int deepest = 0;
    int line = 1;
    const char* p = AText.constData();
    const qsizetype n = AText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c == '\n') {
            ++line;
        } else if (c == '"') {
            for (++i; i < n && p[i] != '"'; ++i) {
                if (p[i] == '\\' && i + 1 < n)
                    ++i;
                else if (p[i] == '\n')
                    ++line;
            }
        } else if (c == '{' || c == '[') {
            deepest = std::max(deepest, ++depth);
            if (depth > ALimit) {
                if (ALine)
                    *ALine = line;
                return depth;
            }
        } else if (c == '}' || c == ']') {
            depth = std::max(0, depth - 1);
        }
    }
    return deepest;
}

Json FloatValue(float AValue, const QString& AWhat)
{
    if (!std::isfinite(AValue))
        throw EqoException(QStringLiteral("Cannot write a non-finite number: value=\"%1\"").arg(AWhat));
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, AValue);
    double widened = 0;
    std::from_chars(buffer, written.ptr, widened);
    return widened;
}

Json DoubleValue(double AValue, const QString& AWhat)
{
    if (!std::isfinite(AValue))
        throw EqoException(QStringLiteral("Cannot write a non-finite number: value=\"%1\"").arg(AWhat));
    return AValue;
}

bool TqoJsonNode::Has(const char* AKey) const { return FValue->is_object() && FValue->contains(AKey); }

TqoJsonNode TqoJsonNode::Member(const char* AKey) const
{
    if (!FValue->is_object())
        Fail(QStringLiteral("expected an object, found %1").arg(TypeName(*FValue)));
    const auto it = FValue->find(AKey);
    if (it == FValue->end())
        Fail(QStringLiteral("missing member \"%1\"").arg(QString::fromUtf8(AKey)));
    return TqoJsonNode(FDocument, &*it, FPointer + '/' + EscapePointerToken(AKey));
}

TqoJsonNode TqoJsonNode::At(size_t AIndex) const
{
    ExpectArray();
    return TqoJsonNode(FDocument, &(*FValue)[AIndex], FPointer + '/' + std::to_string(AIndex));
}

size_t TqoJsonNode::Size() const
{
    ExpectArray();
    return FValue->size();
}

void TqoJsonNode::ExpectObject(std::initializer_list<const char*> AAllowedKeys) const
{
    if (!FValue->is_object())
        Fail(QStringLiteral("expected an object, found %1").arg(TypeName(*FValue)));
    for (auto it = FValue->begin(); it != FValue->end(); ++it) {
        bool known = false;
        for (const char* key : AAllowedKeys)
            known = known || it.key() == key;
        if (!known)
            TqoJsonNode(FDocument, &it.value(), FPointer + '/' + EscapePointerToken(it.key()))
                .Fail(QStringLiteral("unknown member \"%1\"").arg(QString::fromStdString(it.key())));
    }
}

void TqoJsonNode::ExpectArray() const
{
    if (!FValue->is_array())
        Fail(QStringLiteral("expected an array, found %1").arg(TypeName(*FValue)));
}

QString TqoJsonNode::String() const
{
    if (!FValue->is_string())
        Fail(QStringLiteral("expected a string, found %1").arg(TypeName(*FValue)));
    return QString::fromStdString(FValue->get_ref<const std::string&>());
}

double TqoJsonNode::Number() const
{
    if (!FValue->is_number())
        Fail(QStringLiteral("expected a number, found %1").arg(TypeName(*FValue)));
    return FValue->get<double>();
}

float TqoJsonNode::Float() const
{
    const double value = Number();
    if (std::fabs(value) > 3.4028234663852886e38)
        Fail(QStringLiteral("number out of range"));
    return static_cast<float>(value);
}

int TqoJsonNode::Int() const
{
    if (!FValue->is_number_integer())
        Fail(QStringLiteral("expected an integer, found %1").arg(TypeName(*FValue)));
    const auto value = FValue->get<std::int64_t>();
    if (value < INT32_MIN || value > INT32_MAX)
        Fail(QStringLiteral("integer out of range"));
    return static_cast<int>(value);
}

bool TqoJsonNode::Bool() const
{
    if (!FValue->is_boolean())
        Fail(QStringLiteral("expected true or false, found %1").arg(TypeName(*FValue)));
    return FValue->get<bool>();
}

void TqoJsonNode::Fail(const QString& AMessage) const
{
    const QString where = FPointer.empty() ? QStringLiteral("/") : QString::fromStdString(FPointer);
    throw EqoFileError(FDocument->FileName(), FDocument->LineOf(FPointer),
                       QStringLiteral("%1: %2").arg(where, AMessage));
}

TqoJsonDocument::TqoJsonDocument(const QByteArray& AText, const QString& AFileName) : FFileName(AFileName)
{
    // Checked before parsing: the parser and everything that walks its result recurse per level.
    int deepLine = 0;
    if (NestingDepth(AText, MaxNestingDepth, &deepLine) > MaxNestingDepth)
        throw EqoFileError(AFileName, deepLine,
                           QStringLiteral("invalid JSON: nested deeper than %1 levels").arg(MaxNestingDepth));
    try {
        FRoot = Json::parse(AText.constData(), AText.constData() + AText.size());
    } catch (const Json::parse_error& e) {
        // Count the line ourselves: the byte offset is exact, the message text varies between versions.
        const qsizetype offset = qBound<qsizetype>(0, qsizetype(e.byte) - 1, AText.size());
        const int line = int(AText.left(offset).count('\n')) + 1;
        QString message = QString::fromUtf8(e.what());
        const int colon = message.indexOf(QLatin1String(": "));
        if (message.startsWith(QLatin1String("[json.exception")) && colon >= 0)
            message = message.mid(colon + 2);
        throw EqoFileError(AFileName, line, QStringLiteral("invalid JSON: %1").arg(message));
    }
    // Lines are only needed for an error message; the text is kept to find them then.
    FText = AText;
}

int TqoJsonDocument::LineOf(const std::string& APointer) const
{
    // A member that is missing has no line of its own: use its nearest parent's.
    std::string pointer = APointer;
    while (true) {
        if (const int line = ValueLine(FText, pointer); line > 0)
            return line;
        if (pointer.empty())
            return 1;
        pointer.erase(pointer.rfind('/'));
    }
}

namespace {

// Objects one member a line; arrays of plain values on one line, so that a
// point or a rectangle reads as one value.
void DumpValue(const Json& AValue, int AIndent, std::string& AText)
{
    const std::string inner(size_t(AIndent + 2), ' ');
    if (AValue.is_object() && !AValue.empty()) {
        AText += "{\n";
        bool first = true;
        for (auto it = AValue.begin(); it != AValue.end(); ++it) {
            AText += first ? "" : ",\n";
            first = false;
            AText += inner + Json(it.key()).dump() + ": ";
            DumpValue(it.value(), AIndent + 2, AText);
        }
        AText += "\n" + std::string(size_t(AIndent), ' ') + "}";
    } else if (AValue.is_array() && !AValue.empty() &&
               std::any_of(AValue.begin(), AValue.end(), [](const Json& V) { return V.is_structured(); })) {
        AText += "[\n";
        bool first = true;
        for (const Json& item : AValue) {
            AText += first ? "" : ",\n";
            first = false;
            AText += inner;
            DumpValue(item, AIndent + 2, AText);
        }
        AText += "\n" + std::string(size_t(AIndent), ' ') + "]";
    } else if (AValue.is_array()) {
        AText += "[";
        bool first = true;
        for (const Json& item : AValue) {
            AText += first ? "" : ", ";
            first = false;
            AText += item.dump(-1, ' ', false, Json::error_handler_t::strict);
        }
        AText += "]";
    } else {
        AText += AValue.dump(-1, ' ', false, Json::error_handler_t::strict);
    }
}

} // namespace

std::string DumpInline(const Json& AValue)
{
    std::string text;
    if (AValue.is_object()) {
        text += "{";
        for (auto it = AValue.begin(); it != AValue.end(); ++it)
            text += (it == AValue.begin() ? "" : ", ") + Json(it.key()).dump() + ": " + DumpInline(it.value());
        text += "}";
    } else if (AValue.is_array()) {
        text += "[";
        for (auto it = AValue.begin(); it != AValue.end(); ++it)
            text += (it == AValue.begin() ? "" : ", ") + DumpInline(*it);
        text += "]";
    } else {
        text += AValue.dump(-1, ' ', false, Json::error_handler_t::strict);
    }
    return text;
}

QByteArray Dump(const Json& AValue)
{
    std::string text;
    DumpValue(AValue, 0, text);
    text += '\n';
    return QByteArray(text.data(), qsizetype(text.size()));
}

QByteArray ReadFile(const QString& AFileName)
{
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EqoFileError(AFileName, 0, QStringLiteral("cannot open file: %1").arg(file.errorString()));
    return file.readAll();
}

bool HasContent(const QString& AFileName, const QByteArray& AData)
{
    // Size first: most changed files differ in it, and it costs no read.
    const QFileInfo info(AFileName);
    if (!info.isFile() || info.isSymLink() || info.size() != AData.size())
        return false;
    QFile file(AFileName);
    return file.open(QIODevice::ReadOnly) && file.readAll() == AData;
}

bool WriteFileAtomically(const QString& AFileName, const QByteArray& AData)
{
    // Unchanged bytes keep the file and its modification time, so nothing downstream copies it again.
    if (HasContent(AFileName, AData))
        return false;
    const QFileInfo info(AFileName);
    if (info.isSymLink())
        throw EqoFileError(AFileName, 0,
                           QStringLiteral("cannot write file: it is a symbolic link, never written through"));
    if (!QDir().mkpath(info.absolutePath()))
        throw EqoFileError(AFileName, 0, QStringLiteral("cannot create folder: path=\"%1\"").arg(info.absolutePath()));
    QSaveFile file(AFileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EqoFileError(AFileName, 0, QStringLiteral("cannot write file: %1").arg(file.errorString()));
    if (file.write(AData) != AData.size() || !file.commit())
        throw EqoFileError(AFileName, 0, QStringLiteral("cannot write file: %1").arg(file.errorString()));
    TqoWriteJournal::Note(AFileName);
    return true;
}

} // namespace core::jsonio
