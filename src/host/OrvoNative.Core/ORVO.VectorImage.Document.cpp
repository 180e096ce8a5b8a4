#include "ORVO.VectorImage.Document.h"

#include "ORVO.Json.Internal.h"

namespace core {

using jsonio::Json;
using jsonio::TqoJsonNode;

// ---------------------------------------------------------------------------------------------
// Values

namespace {

// Indexed by the enumerations' values.
constexpr QLatin1StringView LineCapNames[] = {QLatin1StringView("square"), QLatin1StringView("round"),
                                              QLatin1StringView("butt")};
constexpr QLatin1StringView LineJoinNames[] = {QLatin1StringView("miter"), QLatin1StringView("round"),
                                               QLatin1StringView("bevel")};

template <typename TEnum, size_t N>
bool TryFromName(QStringView AName, const QLatin1StringView (&ANames)[N], TEnum& AValue, Qt::CaseSensitivity ACase)
{
    for (size_t i = 0; i < N; ++i)
        if (AName.compare(ANames[i], ACase) == 0) {
            AValue = static_cast<TEnum>(i);
            return true;
        }
    return false;
}

} // namespace

QLatin1String StrokeLineCapName(TqoStrokeLineCap AValue) { return LineCapNames[static_cast<size_t>(AValue)]; }

QLatin1String StrokeLineJoinName(TqoStrokeLineJoin AValue) { return LineJoinNames[static_cast<size_t>(AValue)]; }

bool TryStrokeLineCapFromName(QStringView AName, TqoStrokeLineCap& AValue, Qt::CaseSensitivity ACase)
{
    return TryFromName(AName, LineCapNames, AValue, ACase);
}

bool TryStrokeLineJoinFromName(QStringView AName, TqoStrokeLineJoin& AValue, Qt::CaseSensitivity ACase)
{
    return TryFromName(AName, LineJoinNames, AValue, ACase);
}

TqoVectorMatrix TqoVectorMatrix::operator*(const TqoVectorMatrix& B) const
{
    const TqoVectorMatrix& A = *this;
    TqoVectorMatrix r;
    r.m11 = A.m11 * B.m11 + A.m12 * B.m21 + A.m13 * B.m31;
    r.m12 = A.m11 * B.m12 + A.m12 * B.m22 + A.m13 * B.m32;
    r.m13 = A.m11 * B.m13 + A.m12 * B.m23 + A.m13 * B.m33;
    r.m21 = A.m21 * B.m11 + A.m22 * B.m21 + A.m23 * B.m31;
    r.m22 = A.m21 * B.m12 + A.m22 * B.m22 + A.m23 * B.m32;
    r.m23 = A.m21 * B.m13 + A.m22 * B.m23 + A.m23 * B.m33;
    r.m31 = A.m31 * B.m11 + A.m32 * B.m21 + A.m33 * B.m31;
    r.m32 = A.m31 * B.m12 + A.m32 * B.m22 + A.m33 * B.m32;
    r.m33 = A.m31 * B.m13 + A.m32 * B.m23 + A.m33 * B.m33;
    return r;
}

QPointF TqoVectorMatrix::Map(const QPointF& P) const
{
    return QPointF(P.x() * m11 + P.y() * m21 + m31, P.x() * m12 + P.y() * m22 + m32);
}

TqoVectorMatrix TqoVectorMatrix::FromArray(const std::array<float, 9>& A)
{
    return {A[0], A[1], A[2], A[3], A[4], A[5], A[6], A[7], A[8]};
}

bool TqoVectorGradient::Equals(const TqoVectorGradient& AOther) const
{
    return Kind() == AOther.Kind() && Id == AOther.Id && Stops == AOther.Stops && Matrix == AOther.Matrix;
}

std::unique_ptr<TqoVectorGradient> TqoVectorLinearGradient::Clone() const
{
    return std::make_unique<TqoVectorLinearGradient>(*this);
}

bool TqoVectorLinearGradient::Equals(const TqoVectorGradient& AOther) const
{
    const auto* other = dynamic_cast<const TqoVectorLinearGradient*>(&AOther);
    return other && TqoVectorGradient::Equals(AOther) && X1 == other->X1 && Y1 == other->Y1 && X2 == other->X2 &&
           Y2 == other->Y2;
}

std::unique_ptr<TqoVectorGradient> TqoVectorRadialGradient::Clone() const
{
    return std::make_unique<TqoVectorRadialGradient>(*this);
}

bool TqoVectorRadialGradient::Equals(const TqoVectorGradient& AOther) const
{
    const auto* other = dynamic_cast<const TqoVectorRadialGradient*>(&AOther);
    return other && TqoVectorGradient::Equals(AOther) && CenterX == other->CenterX && CenterY == other->CenterY &&
           Radius == other->Radius;
}

TqoVectorCommand::TqoVectorCommand(const TqoVectorCommand& AOther)
    : Kind(AOther.Kind), Path(AOther.Path), Transform(AOther.Transform),
      Gradient(AOther.Gradient ? AOther.Gradient->Clone() : nullptr), IsFill(AOther.IsFill), Brush(AOther.Brush)
{
}

TqoVectorCommand& TqoVectorCommand::operator=(const TqoVectorCommand& AOther)
{
    if (this != &AOther)
        *this = TqoVectorCommand(AOther);
    return *this;
}

bool TqoVectorCommand::operator==(const TqoVectorCommand& AOther) const
{
    if (Kind != AOther.Kind)
        return false;
    switch (Kind) {
    case TqoVectorCommandKind::DrawPath:
        return Path == AOther.Path;
    case TqoVectorCommandKind::BeginGroup:
    case TqoVectorCommandKind::EndGroup:
        return true;
    case TqoVectorCommandKind::Transform:
        return Transform == AOther.Transform;
    case TqoVectorCommandKind::Gradient:
        if (IsFill != AOther.IsFill || !Gradient != !AOther.Gradient)
            return false;
        return !Gradient || Gradient->Equals(*AOther.Gradient);
    case TqoVectorCommandKind::Brush:
        return Brush == AOther.Brush;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Recording

void TqoVectorDocument::Clear()
{
    FSize = QSizeF(0, 0);
    FViewBox = QRectF();
    FCommands.clear();
}

void TqoVectorDocument::BeginGroup() { FCommands.emplace_back(TqoVectorCommandKind::BeginGroup); }

void TqoVectorDocument::EndGroup() { FCommands.emplace_back(TqoVectorCommandKind::EndGroup); }

void TqoVectorDocument::SetBrush(const TqoVectorBrush& ABrush)
{
    FCommands.emplace_back(TqoVectorCommandKind::Brush).Brush = ABrush;
}

void TqoVectorDocument::SetGradient(const TqoVectorGradient& AGradient, bool AIsFill)
{
    SetGradient(AGradient.Clone(), AIsFill);
}

void TqoVectorDocument::SetGradient(std::unique_ptr<TqoVectorGradient> AGradient, bool AIsFill)
{
    if (!AGradient)
        throw EqoAssertionFailed(QStringLiteral("Argument must not be nil: name=\"AGradient\""));
    TqoVectorCommand& command = FCommands.emplace_back(TqoVectorCommandKind::Gradient);
    command.Gradient = std::move(AGradient);
    command.IsFill = AIsFill;
}

void TqoVectorDocument::SetTransform(const TqoVectorTransform& ATransform)
{
    FCommands.emplace_back(TqoVectorCommandKind::Transform).Transform = ATransform;
}

void TqoVectorDocument::DrawPath(const QString& APathData)
{
    FCommands.emplace_back(TqoVectorCommandKind::DrawPath).Path = APathData;
}

void TqoVectorDocument::AddCopiesFrom(const TqoVectorDocument& AOther)
{
    if (&AOther == this) {
        const std::vector<TqoVectorCommand> copies = FCommands;
        FCommands.insert(FCommands.end(), copies.begin(), copies.end());
        return;
    }
    FCommands.insert(FCommands.end(), AOther.FCommands.begin(), AOther.FCommands.end());
}

bool TqoVectorDocument::operator==(const TqoVectorDocument& AOther) const
{
    return FSize == AOther.FSize && FViewBox == AOther.FViewBox && FCommands == AOther.FCommands;
}

// ---------------------------------------------------------------------------------------------
// The ".vector" file

namespace {

const char* const FormatName = "orvo-vector";
constexpr int FormatVersion = 1;

struct TqoKindName
{
    TqoVectorCommandKind Kind;
    const char* Name;
};
constexpr TqoKindName KindNames[] = {
    {TqoVectorCommandKind::DrawPath, "path"},     {TqoVectorCommandKind::BeginGroup, "begin"},
    {TqoVectorCommandKind::EndGroup, "end"},      {TqoVectorCommandKind::Transform, "transform"},
    {TqoVectorCommandKind::Gradient, "gradient"}, {TqoVectorCommandKind::Brush, "brush"},
};

const char* const FillRuleNames[] = {"nonzero", "evenodd"};

[[noreturn]] void UnknownValue(const TqoJsonNode& ANode)
{
    ANode.Fail(QStringLiteral("unknown value \"%1\"").arg(ANode.String()));
}

template <typename TEnum, size_t N> TEnum EnumFromNode(const TqoJsonNode& ANode, const char* const (&ANames)[N])
{
    const QString text = ANode.String();
    for (size_t i = 0; i < N; ++i)
        if (text == QLatin1String(ANames[i]))
            return static_cast<TEnum>(i);
    UnknownValue(ANode);
}

template <typename TEnum, size_t N> const char* EnumName(TEnum AValue, const char* const (&ANames)[N])
{
    return ANames[static_cast<size_t>(AValue)];
}

Json Floats(std::initializer_list<float> AValues, const QString& AWhat)
{
    Json result = Json::array();
    for (float v : AValues)
        result.push_back(jsonio::FloatValue(v, AWhat));
    return result;
}

Json MatrixToJson(const TqoVectorMatrix& AMatrix)
{
    Json result = Json::array();
    for (float v : AMatrix.ToArray())
        result.push_back(jsonio::FloatValue(v, QStringLiteral("matrix")));
    return result;
}

std::vector<float> FloatsFromNode(const TqoJsonNode& ANode, size_t AExpected)
{
    const size_t size = ANode.Size();
    if (AExpected != 0 && size != AExpected)
        ANode.Fail(QStringLiteral("expected %1 numbers, found %2").arg(AExpected).arg(size));
    std::vector<float> result;
    for (size_t i = 0; i < size; ++i)
        result.push_back(ANode.At(i).Float());
    return result;
}

TqoVectorMatrix MatrixFromNode(const TqoJsonNode& ANode)
{
    const std::vector<float> v = FloatsFromNode(ANode, 9);
    return TqoVectorMatrix::FromArray({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]});
}

Json BrushToJson(const TqoVectorBrush& B)
{
    Json result;
    result["kind"] = "brush";
    if (B.FillColor.HasValue())
        result["fill"] = B.FillColor.Value().toStdString();
    if (B.FillOpacity.HasValue())
        result["fillOpacity"] = jsonio::FloatValue(B.FillOpacity.Value(), QStringLiteral("fillOpacity"));
    if (B.FillRule.HasValue())
        result["fillRule"] = EnumName(B.FillRule.Value(), FillRuleNames);
    if (B.StrokeColor.HasValue())
        result["stroke"] = B.StrokeColor.Value().toStdString();
    if (B.StrokeWidth.HasValue())
        result["strokeWidth"] = jsonio::FloatValue(B.StrokeWidth.Value(), QStringLiteral("strokeWidth"));
    if (B.StrokeOpacity.HasValue())
        result["strokeOpacity"] = jsonio::FloatValue(B.StrokeOpacity.Value(), QStringLiteral("strokeOpacity"));
    if (B.StrokeDashArray.HasValue()) {
        Json dashes = Json::array();
        for (float v : B.StrokeDashArray.Value())
            dashes.push_back(jsonio::FloatValue(v, QStringLiteral("dashArray")));
        result["dashArray"] = dashes;
    }
    if (B.StrokeDashOffset.HasValue())
        result["dashOffset"] = jsonio::FloatValue(B.StrokeDashOffset.Value(), QStringLiteral("dashOffset"));
    if (B.StrokeLineCap.HasValue())
        result["lineCap"] = StrokeLineCapName(B.StrokeLineCap.Value()).data();
    if (B.StrokeLineJoin.HasValue())
        result["lineJoin"] = StrokeLineJoinName(B.StrokeLineJoin.Value()).data();
    return result;
}

TqoVectorBrush BrushFromNode(const TqoJsonNode& N)
{
    N.ExpectObject({"kind", "fill", "fillOpacity", "fillRule", "stroke", "strokeWidth", "strokeOpacity", "dashArray",
                    "dashOffset", "lineCap", "lineJoin"});
    TqoVectorBrush b;
    if (N.Has("fill"))
        b.FillColor = N.Member("fill").String();
    if (N.Has("fillOpacity"))
        b.FillOpacity = N.Member("fillOpacity").Float();
    if (N.Has("fillRule"))
        b.FillRule = EnumFromNode<TqoFillRule>(N.Member("fillRule"), FillRuleNames);
    if (N.Has("stroke"))
        b.StrokeColor = N.Member("stroke").String();
    if (N.Has("strokeWidth"))
        b.StrokeWidth = N.Member("strokeWidth").Float();
    if (N.Has("strokeOpacity"))
        b.StrokeOpacity = N.Member("strokeOpacity").Float();
    if (N.Has("dashArray"))
        b.StrokeDashArray = FloatsFromNode(N.Member("dashArray"), 0);
    if (N.Has("dashOffset"))
        b.StrokeDashOffset = N.Member("dashOffset").Float();
    if (N.Has("lineCap")) {
        TqoStrokeLineCap cap{};
        if (!TryStrokeLineCapFromName(N.Member("lineCap").String(), cap, Qt::CaseSensitive))
            UnknownValue(N.Member("lineCap"));
        b.StrokeLineCap = cap;
    }
    if (N.Has("lineJoin")) {
        TqoStrokeLineJoin join{};
        if (!TryStrokeLineJoinFromName(N.Member("lineJoin").String(), join, Qt::CaseSensitive))
            UnknownValue(N.Member("lineJoin"));
        b.StrokeLineJoin = join;
    }
    return b;
}

Json GradientToJson(const TqoVectorGradient& G, bool AIsFill)
{
    Json result;
    result["kind"] = "gradient";
    result["target"] = AIsFill ? "fill" : "stroke";
    result["id"] = G.Id.toStdString();
    if (const auto* linear = dynamic_cast<const TqoVectorLinearGradient*>(&G)) {
        result["type"] = "linear";
        result["points"] = Floats({linear->X1, linear->Y1, linear->X2, linear->Y2}, QStringLiteral("points"));
    } else if (const auto* radial = dynamic_cast<const TqoVectorRadialGradient*>(&G)) {
        result["type"] = "radial";
        result["center"] = Floats({radial->CenterX, radial->CenterY}, QStringLiteral("center"));
        result["radius"] = jsonio::FloatValue(radial->Radius, QStringLiteral("radius"));
    }
    result["matrix"] = MatrixToJson(G.Matrix);
    Json stops = Json::array();
    for (const TqoGradientStop& stop : G.Stops)
        stops.push_back(Json::array({jsonio::FloatValue(stop.Offset, QStringLiteral("offset")),
                                     TqoColorHelper::ToARGBHex(stop.Color).toStdString()}));
    result["stops"] = stops;
    return result;
}

std::unique_ptr<TqoVectorGradient> GradientFromNode(const TqoJsonNode& N, bool& AIsFill)
{
    N.ExpectObject({"kind", "target", "id", "type", "points", "center", "radius", "matrix", "stops"});
    const TqoJsonNode target = N.Member("target");
    const QString targetText = target.String();
    if (targetText != QLatin1String("fill") && targetText != QLatin1String("stroke"))
        target.Fail(QStringLiteral("expected \"fill\" or \"stroke\""));
    AIsFill = targetText == QLatin1String("fill");

    std::unique_ptr<TqoVectorGradient> gradient;
    const TqoJsonNode type = N.Member("type");
    if (type.String() == QLatin1String("linear")) {
        auto linear = std::make_unique<TqoVectorLinearGradient>();
        const std::vector<float> p = FloatsFromNode(N.Member("points"), 4);
        linear->X1 = p[0], linear->Y1 = p[1], linear->X2 = p[2], linear->Y2 = p[3];
        gradient = std::move(linear);
    } else if (type.String() == QLatin1String("radial")) {
        auto radial = std::make_unique<TqoVectorRadialGradient>();
        const std::vector<float> c = FloatsFromNode(N.Member("center"), 2);
        radial->CenterX = c[0], radial->CenterY = c[1];
        radial->Radius = N.Member("radius").Float();
        gradient = std::move(radial);
    } else {
        type.Fail(QStringLiteral("unknown gradient type \"%1\"").arg(type.String()));
    }
    gradient->Id = N.Member("id").String();
    gradient->Matrix = MatrixFromNode(N.Member("matrix"));
    const TqoJsonNode stops = N.Member("stops");
    for (size_t i = 0; i < stops.Size(); ++i) {
        const TqoJsonNode stop = stops.At(i);
        if (stop.Size() != 2)
            stop.Fail(QStringLiteral("a stop is [offset, color]"));
        TqoGradientStop value;
        value.Offset = stop.At(0).Float();
        if (!TqoColorHelper::TryParse(stop.At(1).String(), value.Color))
            stop.At(1).Fail(QStringLiteral("invalid color \"%1\"").arg(stop.At(1).String()));
        gradient->Stops.push_back(value);
    }
    return gradient;
}

Json TransformToJson(const TqoVectorTransform& T)
{
    Json result;
    result["kind"] = "transform";
    result["matrix"] = MatrixToJson(T.Matrix);
    result["translate"] = Floats({T.TranslateX, T.TranslateY}, QStringLiteral("translate"));
    result["rotate"] = jsonio::FloatValue(T.Rotate, QStringLiteral("rotate"));
    result["scale"] = Floats({T.ScaleX, T.ScaleY}, QStringLiteral("scale"));
    result["letters"] = T.Letters.toStdString();
    return result;
}

TqoVectorTransform TransformFromNode(const TqoJsonNode& N)
{
    N.ExpectObject({"kind", "matrix", "translate", "rotate", "scale", "letters"});
    TqoVectorTransform t;
    t.Matrix = MatrixFromNode(N.Member("matrix"));
    const std::vector<float> translate = FloatsFromNode(N.Member("translate"), 2);
    t.TranslateX = translate[0], t.TranslateY = translate[1];
    t.Rotate = N.Member("rotate").Float();
    const std::vector<float> scale = FloatsFromNode(N.Member("scale"), 2);
    t.ScaleX = scale[0], t.ScaleY = scale[1];
    t.Letters = N.Member("letters").String();
    for (QChar c : t.Letters)
        if (c != QLatin1Char('T') && c != QLatin1Char('R') && c != QLatin1Char('S'))
            N.Member("letters").Fail(QStringLiteral("letters are T, R or S"));
    return t;
}

Json CommandToJson(const TqoVectorCommand& C)
{
    switch (C.Kind) {
    case TqoVectorCommandKind::DrawPath:
        return Json{{"kind", "path"}, {"d", C.Path.toStdString()}};
    case TqoVectorCommandKind::BeginGroup:
        return Json{{"kind", "begin"}};
    case TqoVectorCommandKind::EndGroup:
        return Json{{"kind", "end"}};
    case TqoVectorCommandKind::Transform:
        return TransformToJson(C.Transform);
    case TqoVectorCommandKind::Gradient:
        if (!C.Gradient)
            throw EqoAssertionFailed(QStringLiteral("Gradient command without a gradient"));
        return GradientToJson(*C.Gradient, C.IsFill);
    case TqoVectorCommandKind::Brush:
        return BrushToJson(C.Brush);
    }
    throw EqoAssertionFailed(QStringLiteral("Unknown value of enumeration: type=\"TqoVectorCommandKind\""));
}

TqoVectorCommand CommandFromNode(const TqoJsonNode& N)
{
    const TqoJsonNode kindNode = N.Member("kind");
    const QString kind = kindNode.String();
    for (const TqoKindName& entry : KindNames) {
        if (kind != QLatin1String(entry.Name))
            continue;
        TqoVectorCommand command(entry.Kind);
        switch (entry.Kind) {
        case TqoVectorCommandKind::DrawPath:
            N.ExpectObject({"kind", "d"});
            command.Path = N.Member("d").String();
            break;
        case TqoVectorCommandKind::BeginGroup:
        case TqoVectorCommandKind::EndGroup:
            N.ExpectObject({"kind"});
            break;
        case TqoVectorCommandKind::Transform:
            command.Transform = TransformFromNode(N);
            break;
        case TqoVectorCommandKind::Gradient:
            command.Gradient = GradientFromNode(N, command.IsFill);
            break;
        case TqoVectorCommandKind::Brush:
            command.Brush = BrushFromNode(N);
            break;
        }
        return command;
    }
    kindNode.Fail(QStringLiteral("unknown command kind \"%1\"").arg(kind));
}

// Position of ANames' entry that is AName.
template <size_t N> int IndexOf(const std::string& AName, const char* const (&ANames)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (AName == ANames[i])
            return int(i);
    return -1;
}

// The six affine members of a matrix in the file's nine-number form.
Json AffineMatrix(const Json& AMatrix)
{
    return Json::array({AMatrix[0], AMatrix[1], AMatrix[3], AMatrix[4], AMatrix[6], AMatrix[7]});
}

void AddGeometry(Json& AHeader, const QSizeF& ASize, const QRectF& AViewBox)
{
    const QString size = QStringLiteral("size"), viewBox = QStringLiteral("viewBox");
    AHeader["size"] =
        Json::array({jsonio::DoubleValue(ASize.width(), size), jsonio::DoubleValue(ASize.height(), size)});
    AHeader["viewBox"] =
        Json::array({jsonio::DoubleValue(AViewBox.x(), viewBox), jsonio::DoubleValue(AViewBox.y(), viewBox),
                     jsonio::DoubleValue(AViewBox.width(), viewBox), jsonio::DoubleValue(AViewBox.height(), viewBox)});
}

// One command of the file's form as the dump shows it.
Json DumpCommand(const Json& AFileForm)
{
    Json result;
    for (auto it = AFileForm.begin(); it != AFileForm.end(); ++it) {
        const std::string& key = it.key();
        const Json& value = it.value();
        if (key == "kind") {
            for (size_t i = 0; i < std::size(KindNames); ++i)
                if (value.get<std::string>() == KindNames[i].Name)
                    result["kind"] = int(KindNames[i].Kind);
        } else if (key == "d") {
            result["path"] = value;
        } else if (key == "target") {
            result["fill"] = value.get<std::string>() == "fill";
        } else if (key == "points") {
            result["x1"] = value[0], result["y1"] = value[1], result["x2"] = value[2], result["y2"] = value[3];
        } else if (key == "center") {
            result["cx"] = value[0], result["cy"] = value[1];
        } else if (key == "radius") {
            result["r"] = value;
        } else if (key == "matrix") {
            result["matrix"] = AffineMatrix(value);
        } else if (key == "fillRule") {
            result[key] = IndexOf(value.get<std::string>(), FillRuleNames);
        } else if (key == "lineCap") {
            TqoStrokeLineCap cap{};
            TryStrokeLineCapFromName(QString::fromStdString(value.get<std::string>()), cap, Qt::CaseSensitive);
            result[key] = int(cap);
        } else if (key == "lineJoin") {
            TqoStrokeLineJoin join{};
            TryStrokeLineJoinFromName(QString::fromStdString(value.get<std::string>()), join, Qt::CaseSensitive);
            result[key] = int(join);
        } else {
            result[key] = value;
        }
    }
    return result;
}

} // namespace

QByteArray TqoVectorDocument::SaveToBytes() const
{
    // One command per line: compact, yet a diff shows which command changed.
    Json header;
    header["format"] = FormatName;
    header["version"] = FormatVersion;
    AddGeometry(header, FSize, FViewBox);
    std::string text = "{\n";
    for (auto it = header.begin(); it != header.end(); ++it)
        text += "  " + Json(it.key()).dump() + ": " + jsonio::DumpInline(it.value()) + ",\n";
    text += "  \"commands\": [";
    for (size_t i = 0; i < FCommands.size(); ++i) {
        text += i == 0 ? "\n    " : ",\n    ";
        text += jsonio::DumpInline(CommandToJson(FCommands[i]));
    }
    text += FCommands.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return QByteArray(text.data(), qsizetype(text.size()));
}

QByteArray TqoVectorDocument::SaveToDumpBytes(const QByteArray& AHeader) const
{
    Json header = Json::parse(AHeader.constBegin(), AHeader.constEnd(), nullptr, false);
    if (!header.is_object())
        throw EqoAssertionFailed(QStringLiteral("The dump header must be a JSON object"));
    AddGeometry(header, FSize, FViewBox);
    std::string text = "{";
    for (auto it = header.begin(); it != header.end(); ++it)
        text += (it == header.begin() ? "" : ", ") + Json(it.key()).dump() + ": " + jsonio::DumpInline(it.value());
    text += header.empty() ? "\"commands\": [" : ", \"commands\": [";
    for (size_t i = 0; i < FCommands.size(); ++i)
        text += (i == 0 ? "\n  " : ",\n  ") + jsonio::DumpInline(DumpCommand(CommandToJson(FCommands[i])));
    text += FCommands.empty() ? "]}\n" : "\n]}\n";
    return QByteArray(text.data(), qsizetype(text.size()));
}

void TqoVectorDocument::LoadFromBytes(const QByteArray& AData, const QString& AFileName)
{
    const jsonio::TqoJsonDocument document(AData, AFileName);
    const TqoJsonNode root = document.Root();
    root.ExpectObject({"format", "version", "size", "viewBox", "commands"});
    if (root.Member("format").String() != QLatin1String(FormatName))
        root.Member("format").Fail(QStringLiteral("not a vector image file"));
    const TqoJsonNode version = root.Member("version");
    if (version.Int() < 1 || version.Int() > FormatVersion)
        version.Fail(QStringLiteral("unsupported version %1").arg(version.Int()));

    const TqoJsonNode sizeNode = root.Member("size");
    if (sizeNode.Size() != 2)
        sizeNode.Fail(QStringLiteral("expected [width, height]"));
    const TqoJsonNode viewBoxNode = root.Member("viewBox");
    if (viewBoxNode.Size() != 4)
        viewBoxNode.Fail(QStringLiteral("expected [left, top, width, height]"));
    const QSizeF size(sizeNode.At(0).Number(), sizeNode.At(1).Number());
    const QRectF viewBox(viewBoxNode.At(0).Number(), viewBoxNode.At(1).Number(), viewBoxNode.At(2).Number(),
                         viewBoxNode.At(3).Number());
    std::vector<TqoVectorCommand> commands;
    const TqoJsonNode list = root.Member("commands");
    for (size_t i = 0; i < list.Size(); ++i)
        commands.push_back(CommandFromNode(list.At(i)));

    // Only a file that read completely replaces the document.
    FSize = size;
    FViewBox = viewBox;
    FCommands = std::move(commands);
}

void TqoVectorDocument::SaveToFile(const QString& AFileName) const
{
    jsonio::WriteFileAtomically(AFileName, SaveToBytes());
}

void TqoVectorDocument::LoadFromFile(const QString& AFileName)
{
    LoadFromBytes(jsonio::ReadFile(AFileName), AFileName);
}

} // namespace core
