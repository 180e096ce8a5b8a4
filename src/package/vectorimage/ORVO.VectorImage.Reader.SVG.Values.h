#pragma once

// Text helpers and attribute value readers shared by the SVG reader's units. The
// conversions callers use are the static members of TqoVectorReaderSVG.

#include "ORVO.VectorImage.Document.h"

#include <QString>
#include <utility>
#include <vector>

namespace orvo::svgvalues {

// "Blank" is any character up to the space, as in the IDE's own Trim.
bool IsBlank(QChar AChar);
QString Trim(const QString& AText);
// The invariant number grammar: [sign] digits [. [digits]] [(e|E) [sign] digits], blanks around.
bool ParseInvariant(const QString& AText, float& AValue);
// Hexadecimal text of up to 32 bits; anything else raises core::EConvertError.
quint32 HexToInt(const QString& AHex);

// Declaration lists ("name:value;...").
using TDeclarations = std::vector<std::pair<QString, QString>>;
TDeclarations ParseDeclarations(const QString& AText);
TDeclarations ParseRawDeclarations(const QString& AText);
bool FindDeclaration(const TDeclarations& ADeclarations, const char* AName, QString& AValue);

// Property readers: each sets its out value only when the text is accepted.
void ReadPaint(const QString& AValue, core::TqoNullable<QString>& AColor, bool& AIsGradient);
core::TqoFillRule ReadFillRule(const QString& AValue);
void ReadQuietNumber(const QString& AText, core::TqoNullable<float>& AValue);
void ReadDashArray(const QString& AText, QChar ASeparator, core::TqoNullable<std::vector<float>>& AValue);
void ReadLineCap(const QString& AText, core::TqoNullable<core::TqoStrokeLineCap>& AValue);
void ReadLineJoin(const QString& AText, core::TqoNullable<core::TqoStrokeLineJoin>& AValue);

core::TqoVectorMatrix TranslationMatrix(float ADx, float ADy);
core::TqoVectorMatrix ScalingMatrix(float ASx, float ASy);
core::TqoVectorMatrix RotationMatrix(float ADegrees);

} // namespace orvo::svgvalues
