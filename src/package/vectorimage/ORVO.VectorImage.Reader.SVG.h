#pragma once

#include "ORVO.VectorImage.Document.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QIODevice;

namespace pugi {
class xml_document;
class xml_node;
} // namespace pugi

namespace orvo {

enum class TqoResultParsing
{
    Success,
    SuccessWithWarnings,
    Failed
};

enum class TqoLogType
{
    Warning,
    Error
};

class TqoVectorReaderSVG;

// Called for every message the reader logs; AMessage comes without the "- " of the log list.
using TqoLogEvent = std::function<void(TqoVectorReaderSVG* ASender, const QString& AMessage, TqoLogType AType)>;

// The commands of one element (and its descendants), kept so that "use" can copy them.
class TqoSnippet : public core::TqoVectorDocument
{
public:
    explicit TqoSnippet(const QString& AId) : ID(AId) {}

    QString ID;
};

// The paint properties read from one element's "style" and presentation attributes.
struct TsvgPaintingParams
{
    core::TqoNullable<QString> FillColor; // paint text, or a gradient id when IsCustomFillColor
    core::TqoNullable<float> FillOpacity;
    core::TqoNullable<core::TqoFillRule> FillRule;
    core::TqoNullable<QString> StrokeColor; // paint text, or a gradient id when IsCustomStrokeColor
    core::TqoNullable<float> StrokeWidth;
    core::TqoNullable<float> StrokeOpacity;
    core::TqoNullable<std::vector<float>> StrokeDashArray;
    core::TqoNullable<float> StrokeDashOffset;
    core::TqoNullable<core::TqoStrokeLineCap> StrokeLineCap;
    core::TqoNullable<core::TqoStrokeLineJoin> StrokeLineJoin;
    bool IsCustomFillColor = false;
    bool IsCustomStrokeColor = false;

    // Everything unset except the fill rule, so every brush carries one.
    void ResetToDefault();
};

// One rule of a "style" element, found by its lower-case class name.
struct TsvgCssClass
{
    QString Name;
    core::TqoNullable<QString> Fill;
    core::TqoNullable<core::TqoFillRule> FillRule;
    core::TqoNullable<float> Opacity;
    core::TqoNullable<float> StrokeWidth;
    core::TqoNullable<std::vector<float>> StrokeDashArray;
    core::TqoNullable<float> StrokeDashOffset;
    core::TqoNullable<core::TqoStrokeLineCap> StrokeLineCap;
    core::TqoNullable<core::TqoStrokeLineJoin> StrokeLineJoin;
};

// Reads one SVG document into a vector document: groups, basic shapes, paths, "use",
// "defs", class rules and gradients. Everything else is reported in the log, and the
// reading ends with a verdict.
class TqoVectorReaderSVG
{
public:
    enum class TqoSVGElementType
    {
        Circle,
        Ellipse,
        Line,
        Path,
        Polygon,
        Polyline,
        Rect,
        Group,
        RadialGradient,
        LinearGradient,
        Style,
        Defs,
        Use,
        Ignore,
        ClipPath
    };

    // ADocument is filled by the loads and must outlive the reader.
    explicit TqoVectorReaderSVG(core::TqoVectorDocument& ADocument);
    ~TqoVectorReaderSVG();
    TqoVectorReaderSVG(const TqoVectorReaderSVG&) = delete;
    TqoVectorReaderSVG& operator=(const TqoVectorReaderSVG&) = delete;

    // These raise on unreadable files, malformed XML and the failures that end a reading.
    void LoadFromFile(const QString& AFileName);
    // The encoding is detected from the bytes (BOM, XML declaration).
    void LoadFromStream(QIODevice& AStream);
    // AContent is already decoded text.
    void LoadFromText(const QString& AContent);

    // Each makes its own reader; any exception is logged through TqoLog and gives Failed.
    static TqoResultParsing LoadFromFile(core::TqoVectorDocument& ADocument, const QString& AFileName);
    static TqoResultParsing Check(const QString& AFileName);
    // AHint: the log lines joined with CR LF; empty when an exception ended the reading.
    static TqoResultParsing CheckContent(const QString& AContent, QString& AHint);
    static TqoResultParsing CheckContent(const QString& AContent);

    TqoResultParsing Result() const { return FResult; }
    const QStringList& Logs() const { return FLogs; }
    const TqoLogEvent& OnLog() const { return FOnLog; }
    void SetOnLog(TqoLogEvent AOnLog) { FOnLog = std::move(AOnLog); }

    // Value conversions. Numbers always use "." whatever the locale; Try... forms leave
    // their out values untouched on failure, the others raise core::EConvertError.
    static bool TryStrToFloat(const QString& AText, float& AValue);
    static float StrToFloat(const QString& AText);
    static bool TryStrToDegree(const QString& AText, float& ADegrees);
    static bool TryStrToRectF(const QString& AText, QRectF& ARect);
    static QStringList StrToPoints(const QString& AText);
    static bool TryParseSingleArray(const QString& AText, QChar ASeparator, std::vector<float>& AValues);
    static core::TqoVectorMatrix StrToMatrix(const QString& AText);
    // Gradient stop colors: "#rgb", "#rrggbb" or "#aarrggbb"; raises on bad hexadecimal digits.
    static bool TryStrToColor(const QString& AText, core::TqoAlphaColor& AColor);
    static bool TryStrToStrokeLineCap(const QString& AText, core::TqoStrokeLineCap& AValue);
    static bool TryStrToStrokeLineJoin(const QString& AText, core::TqoStrokeLineJoin& AValue);
    // A keyword becomes its color text; anything else passes unchanged.
    static QString ResolveColorName(const QString& AValue);

    // Numbers written into path data: "%g" (15 significant digits, shortest form) and "%f" (two decimals).
    static QString FloatToStrG(float AValue);
    static QString FloatToStrF(float AValue);

private:
    void Clear();
    void LoadFromBuffer(const QByteArray& AData, bool AIsDecodedText);
    void Process();
    bool ParseSVGNodeAttributes(const pugi::xml_node& ANode);
    void ProcessTopPriorityElements(const pugi::xml_node& AParent);
    void ProcessElements(const pugi::xml_node& AParent);
    bool DefineElementType(const pugi::xml_node& ANode, TqoSVGElementType& AType) const;
    void ProcessElement(const pugi::xml_node& ANode, TqoSVGElementType AType);
    void ProcessGroup(const pugi::xml_node& ANode);
    void ProcessDefs(const pugi::xml_node& ANode);
    void ProcessUse(const pugi::xml_node& ANode);
    void ProcessCircle(const pugi::xml_node& ANode);
    void ProcessEllipse(const pugi::xml_node& ANode);
    void ProcessLine(const pugi::xml_node& ANode);
    void ProcessRect(const pugi::xml_node& ANode);
    void ProcessPolygon(const pugi::xml_node& ANode);
    void ProcessPolyline(const pugi::xml_node& ANode);
    void ProcessPoints(const pugi::xml_node& ANode, bool AClose);
    void ProcessPath(const pugi::xml_node& ANode);
    void ProcessPath(const pugi::xml_node& ANode, const QString& APath);
    void ProcessClipPath(const pugi::xml_node& ANode);
    bool ReadShapeNumbers(const pugi::xml_node& ANode, std::initializer_list<const char*> ANames, float* AValues);
    TqoSnippet* ProcessSnippetAttribute(const pugi::xml_node& ANode);
    void StopRecording(TqoSnippet* ASnippet);

    // Style, paint, gradients and transforms.
    TsvgPaintingParams ReadPaintParams(const pugi::xml_node& ANode) const;
    void ProcessPaintAttributes(const pugi::xml_node& ANode, const TsvgPaintingParams& AParams);
    const core::TqoVectorGradient& FindGradient(const QString& AId) const;
    void ParseStyle(const pugi::xml_node& ANode);
    void ProcessLinearGradient(const pugi::xml_node& ANode);
    void ProcessRadialGradient(const pugi::xml_node& ANode);
    void AddGradient(std::unique_ptr<core::TqoVectorGradient> AGradient);
    void ReadGradientTransform(const pugi::xml_node& ANode, core::TqoVectorGradient& AGradient) const;
    void ReadGradientPoints(const pugi::xml_node& ANode, core::TqoVectorGradient& AGradient) const;
    bool ReadTransform(const pugi::xml_node& ANode, core::TqoVectorTransform& ATransform) const;
    void ProcessTransformAttribute(const pugi::xml_node& ANode);

    // Recording: to the main document unless inside "defs", and to every recording snippet.
    void BeginGroup();
    void EndGroup();
    void SetBrush(const core::TqoVectorBrush& ABrush);
    void SetGradient(const core::TqoVectorGradient& AGradient, bool AIsFill);
    void SetTransform(const core::TqoVectorTransform& ATransform);
    void DrawPath(const QString& APath);
    template <typename TRecord> void Record(const TRecord& ARecord);

    template <typename... TArgs> void Warn(const QString& AFormat, const TArgs&... AArgs)
    {
        DoLog(AFormat.arg(AArgs...), TqoLogType::Warning);
    }
    template <typename... TArgs> void Stop(const QString& AFormat, const TArgs&... AArgs)
    {
        DoLog(AFormat.arg(AArgs...), TqoLogType::Error);
    }
    void DoLog(const QString& AMessage, TqoLogType AType);

    core::TqoVectorDocument& FVectorDocument;
    std::unique_ptr<pugi::xml_document> FInput;
    QRectF FViewportRect;
    std::map<QString, std::unique_ptr<core::TqoVectorGradient>> FGradients;
    std::map<QString, TsvgCssClass> FCSSClasses;
    std::map<QString, std::unique_ptr<TqoSnippet>> FSnippets;
    std::vector<TqoSnippet*> FCreatingSnippets; // not owned; outermost first
    bool FWasFailed = false;
    TqoResultParsing FResult = TqoResultParsing::Success;
    QStringList FLogs;
    TqoLogEvent FOnLog;
    bool FIsParsingDefs = false;
    int FDepth = 0;
    size_t FCopiedCommands = 0; // by "use", over the whole reading
};

} // namespace orvo
