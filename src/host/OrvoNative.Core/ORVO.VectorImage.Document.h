#pragma once

#include "ORVO.Colors.h"
#include "ORVO.Nullable.h"

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace core {

enum class TqoFillRule
{
    NonZero,
    EvenOdd
};

enum class TqoStrokeLineCap
{
    Square,
    Round,
    Butt
};

enum class TqoStrokeLineJoin
{
    Miter,
    Round,
    Bevel
};

// SVG's names of the stroke enumerations: the one table that the SVG reader, the ".vector"
// file and the tools share. The reader compares case-insensitively, the file exactly.
QLatin1String StrokeLineCapName(TqoStrokeLineCap AValue);
QLatin1String StrokeLineJoinName(TqoStrokeLineJoin AValue);
bool TryStrokeLineCapFromName(QStringView AName, TqoStrokeLineCap& AValue, Qt::CaseSensitivity ACase);
bool TryStrokeLineJoinFromName(QStringView AName, TqoStrokeLineJoin& AValue, Qt::CaseSensitivity ACase);

// 3x3 matrix in row-vector form: a point (x, y, 1) is multiplied on the
// matrix's left, so m31 and m32 are the translation.
struct TqoVectorMatrix
{
    float m11 = 1, m12 = 0, m13 = 0;
    float m21 = 0, m22 = 1, m23 = 0;
    float m31 = 0, m32 = 0, m33 = 1;

    static TqoVectorMatrix Identity() { return {}; }
    bool IsIdentity() const { return *this == TqoVectorMatrix(); }
    // this applied first, then AOther.
    TqoVectorMatrix operator*(const TqoVectorMatrix& AOther) const;
    QPointF Map(const QPointF& APoint) const;
    std::array<float, 9> ToArray() const { return {m11, m12, m13, m21, m22, m23, m31, m32, m33}; }
    static TqoVectorMatrix FromArray(const std::array<float, 9>& A);
    bool operator==(const TqoVectorMatrix&) const = default;
};

// Paint of the following paths; an unset property leaves the current one as it is.
struct TqoVectorBrush
{
    TqoNullable<QString> FillColor; // paint text as read ("#FF0000", "red" resolved by the reader...)
    TqoNullable<float> FillOpacity;
    TqoNullable<TqoFillRule> FillRule;
    TqoNullable<QString> StrokeColor;
    TqoNullable<float> StrokeWidth;
    TqoNullable<float> StrokeOpacity;
    TqoNullable<std::vector<float>> StrokeDashArray;
    TqoNullable<float> StrokeDashOffset;
    TqoNullable<TqoStrokeLineCap> StrokeLineCap;
    TqoNullable<TqoStrokeLineJoin> StrokeLineJoin;

    bool operator==(const TqoVectorBrush&) const = default;
};

struct TqoGradientStop
{
    float Offset = 0;
    TqoAlphaColor Color = 0;
    bool operator==(const TqoGradientStop&) const = default;
};

enum class TqoGradientKind
{
    Linear,
    Radial
};

class TqoVectorGradient
{
public:
    virtual ~TqoVectorGradient() = default;
    virtual TqoGradientKind Kind() const = 0;
    virtual std::unique_ptr<TqoVectorGradient> Clone() const = 0;
    virtual bool Equals(const TqoVectorGradient& AOther) const;

    QString Id;
    std::vector<TqoGradientStop> Stops;
    TqoVectorMatrix Matrix;

protected:
    TqoVectorGradient() = default;
    TqoVectorGradient(const TqoVectorGradient&) = default;
};

class TqoVectorLinearGradient : public TqoVectorGradient
{
public:
    TqoVectorLinearGradient() = default;
    TqoGradientKind Kind() const override { return TqoGradientKind::Linear; }
    std::unique_ptr<TqoVectorGradient> Clone() const override;
    bool Equals(const TqoVectorGradient& AOther) const override;

    // SVG's defaults for a gradient without coordinates.
    float X1 = 0, Y1 = 0, X2 = 1, Y2 = 0;
};

class TqoVectorRadialGradient : public TqoVectorGradient
{
public:
    TqoVectorRadialGradient() = default;
    TqoGradientKind Kind() const override { return TqoGradientKind::Radial; }
    std::unique_ptr<TqoVectorGradient> Clone() const override;
    bool Equals(const TqoVectorGradient& AOther) const override;

    // The default radius is SVG's 50% of a unit box.
    float CenterX = 0.5f, CenterY = 0.5f, Radius = 0.5f;
};

// The parts of an element's "transform" as read, and their composition.
struct TqoVectorTransform
{
    float TranslateX = 0, TranslateY = 0;
    float Rotate = 0; // degrees
    float ScaleX = 1, ScaleY = 1;
    TqoVectorMatrix Matrix;
    QString Letters; // "T", "R", "S" per operation, in reading order

    bool operator==(const TqoVectorTransform&) const = default;
};

enum class TqoVectorCommandKind
{
    DrawPath = 0,
    BeginGroup = 1,
    EndGroup = 2,
    Transform = 3,
    Gradient = 4,
    Brush = 5
};

// One recorded drawing step; only the payload of its kind is meaningful.
class TqoVectorCommand
{
public:
    explicit TqoVectorCommand(TqoVectorCommandKind AKind) : Kind(AKind) {}
    TqoVectorCommand(const TqoVectorCommand& AOther);
    TqoVectorCommand& operator=(const TqoVectorCommand& AOther);
    TqoVectorCommand(TqoVectorCommand&&) = default;
    TqoVectorCommand& operator=(TqoVectorCommand&&) = default;
    bool operator==(const TqoVectorCommand& AOther) const;

    TqoVectorCommandKind Kind;
    QString Path;                                // DrawPath: SVG path data, unchanged
    TqoVectorTransform Transform;                // Transform
    std::unique_ptr<TqoVectorGradient> Gradient; // Gradient
    bool IsFill = true;                          // Gradient: fill (true) or stroke (false)
    TqoVectorBrush Brush;                        // Brush
};

// A vector image: size, view box and the drawing commands in recording order.
// Saved as a ".vector" file (JSON, see docs/vector-format.md).
class TqoVectorDocument
{
public:
    TqoVectorDocument() = default;
    TqoVectorDocument(const TqoVectorDocument&) = default;
    TqoVectorDocument& operator=(const TqoVectorDocument&) = default;
    virtual ~TqoVectorDocument() = default;

    QSizeF Size() const { return FSize; }
    void SetSize(const QSizeF& ASize) { FSize = ASize; }
    QRectF ViewBox() const { return FViewBox; }
    void SetViewBox(const QRectF& AViewBox) { FViewBox = AViewBox; }
    const std::vector<TqoVectorCommand>& Commands() const { return FCommands; }

    // Empties the commands and resets size and view box.
    void Clear();
    void BeginGroup();
    void EndGroup();
    void SetBrush(const TqoVectorBrush& ABrush);
    void SetGradient(const TqoVectorGradient& AGradient, bool AIsFill);
    void SetGradient(std::unique_ptr<TqoVectorGradient> AGradient, bool AIsFill);
    void SetTransform(const TqoVectorTransform& ATransform);
    void DrawPath(const QString& APathData);
    // Appends copies of AOther's commands (not its size or view box).
    void AddCopiesFrom(const TqoVectorDocument& AOther);

    QByteArray SaveToBytes() const;
    // The same form for people and scripts ("orvo-assets svg dump"): one JSON object that starts
    // with AHeader's members (a JSON object's text), command kinds and enumerations as their
    // numbers, gradient points and matrices flattened. Raises where SaveToBytes does.
    QByteArray SaveToDumpBytes(const QByteArray& AHeader) const;
    // AFileName only names the source in error messages.
    void LoadFromBytes(const QByteArray& AData, const QString& AFileName = QStringLiteral("<memory>"));
    // Written to a temporary file in the same folder and renamed.
    void SaveToFile(const QString& AFileName) const;
    void LoadFromFile(const QString& AFileName);

    bool operator==(const TqoVectorDocument& AOther) const;

private:
    QSizeF FSize{0, 0};
    QRectF FViewBox;
    std::vector<TqoVectorCommand> FCommands;
};

} // namespace core
