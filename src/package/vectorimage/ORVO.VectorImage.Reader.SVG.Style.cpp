#include "ORVO.VectorImage.Reader.SVG.Dom.h"
#include "ORVO.VectorImage.Reader.SVG.Values.h"
#include "ORVO.VectorImage.Reader.SVG.h"

#include <algorithm>
#include <cmath>

namespace orvo {

using core::EqoException;
using core::TqoAlphaColor;
using core::TqoFillRule;
using core::TqoVectorGradient;
using core::TqoVectorMatrix;
using core::TqoVectorTransform;

using namespace svgdom;
using namespace svgvalues;

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

} // namespace orvo
