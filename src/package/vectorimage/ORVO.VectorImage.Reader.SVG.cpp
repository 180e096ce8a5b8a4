#include "ORVO.VectorImage.Reader.SVG.h"

#include "ORVO.Log.h"
#include "ORVO.VectorImage.Reader.SVG.Dom.h"
#include "ORVO.VectorImage.Reader.SVG.Values.h"
#include "SVG.Colors.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

namespace orvo {

using core::EqoException;
using core::TqoFillRule;
using core::TqoVectorGradient;
using core::TqoVectorTransform;

using namespace svgdom;
using namespace svgvalues;

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
    // Compared on the parser's own bytes, so that no text is made for every node. Only ASCII
    // letters of these names change with case, so this matches as a lower-cased name would.
    struct TNamedType
    {
        const char* Name;
        TqoSVGElementType Type;
    };
    static constexpr TNamedType Types[] = {
        {"circle", TqoSVGElementType::Circle},
        {"ellipse", TqoSVGElementType::Ellipse},
        {"line", TqoSVGElementType::Line},
        {"path", TqoSVGElementType::Path},
        {"polygon", TqoSVGElementType::Polygon},
        {"polyline", TqoSVGElementType::Polyline},
        {"rect", TqoSVGElementType::Rect},
        {"g", TqoSVGElementType::Group},
        {"radialgradient", TqoSVGElementType::RadialGradient},
        {"lineargradient", TqoSVGElementType::LinearGradient},
        {"style", TqoSVGElementType::Style},
        {"defs", TqoSVGElementType::Defs},
        {"use", TqoSVGElementType::Use},
        {"title", TqoSVGElementType::Ignore},
        {"metadata", TqoSVGElementType::Ignore},
        {"text", TqoSVGElementType::Ignore},
        {"desc", TqoSVGElementType::Ignore},
    };
    if (ANode.type() == pugi::node_comment) {
        AType = TqoSVGElementType::Ignore;
        return true;
    }
    if (ANode.type() != pugi::node_element && ANode.type() != pugi::node_pi)
        return false;
    const char* const name = ANode.name();
    const auto sameName = [name](const char* ALower) {
        const char* p = name;
        for (; *ALower; ++p, ++ALower)
            if (*p != *ALower && !(*p >= 'A' && *p <= 'Z' && *p - 'A' + 'a' == *ALower))
                return false;
        return *p == 0;
    };
    for (const TNamedType& entry : Types)
        if (sameName(entry.Name)) {
            AType = entry.Type;
            return true;
        }
    return false;
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
