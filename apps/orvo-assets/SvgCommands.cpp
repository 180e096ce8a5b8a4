// The "svg" commands of orvo-assets: check, dump, render and convert SVG files with the
// package's reader and renderer. Their output is a contract that scripts and checks rely on.

#include "SvgCommands.h"

#include "ORVO.Bitmap.h"
#include "ORVO.VectorImage.Document.h"
#include "vectorimage/ORVO.VectorImage.Reader.SVG.h"
#include "vectorimage/ORVO.VectorImage.Writer.SkiaFMX.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <charconv>
#include <cstdio>

namespace {

const char* const SvgUsage = R"(Usage:
  orvo-assets svg check FILE...                 verdict and log of each file
  orvo-assets svg dump FILE                     the vector document as JSON
  orvo-assets svg render FILE -o OUT.png [--size W[xH]]
  orvo-assets svg convert FILE -o OUT.vector
)";

QString VerdictName(orvo::TqoResultParsing AResult)
{
    switch (AResult) {
    case orvo::TqoResultParsing::Success:
        return QStringLiteral("Success");
    case orvo::TqoResultParsing::SuccessWithWarnings:
        return QStringLiteral("SuccessWithWarnings");
    case orvo::TqoResultParsing::Failed:
        break;
    }
    return QStringLiteral("Failed");
}

int Usage(const QString& AError)
{
    QTextStream(stderr) << "orvo-assets svg: " << AError << "\n" << SvgUsage;
    return 2;
}

struct TReading
{
    core::TqoVectorDocument Document;
    orvo::TqoResultParsing Result = orvo::TqoResultParsing::Failed;
    QStringList Logs;
};

// Reads like the class operations do: an exception ends the reading as Failed, and its
// message joins the log so that the user sees why.
void Read(const QString& AFileName, TReading& AReading)
{
    orvo::TqoVectorReaderSVG LReader(AReading.Document);
    try {
        LReader.LoadFromFile(AFileName);
        AReading.Result = LReader.Result();
        AReading.Logs = LReader.Logs();
    } catch (const std::exception& E) {
        AReading.Result = orvo::TqoResultParsing::Failed;
        AReading.Logs = LReader.Logs();
        AReading.Logs.append(QStringLiteral("- ") + QString::fromUtf8(E.what()));
    }
}

// --- a small JSON writer: floats as their shortest round-trip text, never locale-bound ---

std::string Number(double AValue)
{
    char LBuffer[64];
    const auto LEnd = std::to_chars(LBuffer, LBuffer + sizeof LBuffer, static_cast<float>(AValue)).ptr;
    std::string LText(LBuffer, LEnd);
    if (LText == "inf" || LText == "-inf" || LText == "nan" || LText == "-nan")
        return "null";
    return LText;
}

std::string String(const QString& AText)
{
    std::string LOut = "\"";
    for (const char C : AText.toStdString()) {
        switch (C) {
        case '"':
            LOut += "\\\"";
            break;
        case '\\':
            LOut += "\\\\";
            break;
        case '\n':
            LOut += "\\n";
            break;
        case '\r':
            LOut += "\\r";
            break;
        case '\t':
            LOut += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(C) < 0x20) {
                char LEscape[8];
                std::snprintf(LEscape, sizeof LEscape, "\\u%04x", C);
                LOut += LEscape;
            } else {
                LOut += C;
            }
        }
    }
    return LOut + "\"";
}

template <class T> std::string Array(const std::vector<T>& AValues)
{
    std::string LOut = "[";
    for (size_t I = 0; I < AValues.size(); ++I)
        LOut += (I ? ", " : "") + Number(AValues[I]);
    return LOut + "]";
}

class TObject
{
public:
    void Add(const char* AName, const std::string& AJson)
    {
        FText += (FText.empty() ? "{" : ", ") + String(QString::fromLatin1(AName)) + ": " + AJson;
    }
    std::string Text() const { return FText.empty() ? "{}" : FText + "}"; }

private:
    std::string FText;
};

std::string MatrixJson(const core::TqoVectorMatrix& M)
{
    return Array(std::vector<float>{M.m11, M.m12, M.m21, M.m22, M.m31, M.m32});
}

std::string GradientJson(const core::TqoVectorGradient& G, bool AIsFill)
{
    TObject O;
    O.Add("fill", AIsFill ? "true" : "false");
    if (G.Kind() == core::TqoGradientKind::Linear) {
        const auto& L = static_cast<const core::TqoVectorLinearGradient&>(G);
        O.Add("type", "\"linear\"");
        O.Add("id", String(G.Id));
        O.Add("x1", Number(L.X1));
        O.Add("y1", Number(L.Y1));
        O.Add("x2", Number(L.X2));
        O.Add("y2", Number(L.Y2));
    } else {
        const auto& R = static_cast<const core::TqoVectorRadialGradient&>(G);
        O.Add("type", "\"radial\"");
        O.Add("id", String(G.Id));
        O.Add("cx", Number(R.CenterX));
        O.Add("cy", Number(R.CenterY));
        O.Add("r", Number(R.Radius));
    }
    O.Add("matrix", MatrixJson(G.Matrix));
    std::string LStops = "[";
    for (size_t I = 0; I < G.Stops.size(); ++I) {
        char LColor[16];
        std::snprintf(LColor, sizeof LColor, "#%08X", static_cast<unsigned>(G.Stops[I].Color));
        LStops += (I ? ", [" : "[") + Number(G.Stops[I].Offset) + ", \"" + LColor + "\"]";
    }
    O.Add("stops", LStops + "]");
    return O.Text();
}

std::string BrushJson(const core::TqoVectorBrush& B)
{
    TObject O;
    if (B.FillColor.HasValue())
        O.Add("fill", String(B.FillColor.Value()));
    if (B.FillOpacity.HasValue())
        O.Add("fillOpacity", Number(B.FillOpacity.Value()));
    if (B.FillRule.HasValue())
        O.Add("fillRule", std::to_string(static_cast<int>(B.FillRule.Value())));
    if (B.StrokeColor.HasValue())
        O.Add("stroke", String(B.StrokeColor.Value()));
    if (B.StrokeWidth.HasValue())
        O.Add("strokeWidth", Number(B.StrokeWidth.Value()));
    if (B.StrokeOpacity.HasValue())
        O.Add("strokeOpacity", Number(B.StrokeOpacity.Value()));
    if (B.StrokeDashArray.HasValue())
        O.Add("dashArray", Array(B.StrokeDashArray.Value()));
    if (B.StrokeDashOffset.HasValue())
        O.Add("dashOffset", Number(B.StrokeDashOffset.Value()));
    if (B.StrokeLineCap.HasValue())
        O.Add("lineCap", std::to_string(static_cast<int>(B.StrokeLineCap.Value())));
    if (B.StrokeLineJoin.HasValue())
        O.Add("lineJoin", std::to_string(static_cast<int>(B.StrokeLineJoin.Value())));
    return O.Text();
}

std::string CommandJson(const core::TqoVectorCommand& C)
{
    TObject O;
    O.Add("kind", std::to_string(static_cast<int>(C.Kind)));
    switch (C.Kind) {
    case core::TqoVectorCommandKind::DrawPath:
        O.Add("path", String(C.Path));
        break;
    case core::TqoVectorCommandKind::Transform:
        O.Add("matrix", MatrixJson(C.Transform.Matrix));
        O.Add("translate", Array(std::vector<float>{C.Transform.TranslateX, C.Transform.TranslateY}));
        O.Add("rotate", Number(C.Transform.Rotate));
        O.Add("scale", Array(std::vector<float>{C.Transform.ScaleX, C.Transform.ScaleY}));
        O.Add("letters", String(C.Transform.Letters));
        break;
    case core::TqoVectorCommandKind::Gradient:
        if (C.Gradient) {
            const std::string LGradient = GradientJson(*C.Gradient, C.IsFill);
            // The gradient's members sit beside "kind".
            return O.Text().substr(0, O.Text().size() - 1) + ", " + LGradient.substr(1);
        }
        O.Add("fill", C.IsFill ? "true" : "false");
        break;
    case core::TqoVectorCommandKind::Brush: {
        const std::string LBrush = BrushJson(C.Brush);
        if (LBrush != "{}")
            return O.Text().substr(0, O.Text().size() - 1) + ", " + LBrush.substr(1);
        break;
    }
    case core::TqoVectorCommandKind::BeginGroup:
    case core::TqoVectorCommandKind::EndGroup:
        break;
    }
    return O.Text();
}

int Check(const QStringList& AFiles)
{
    if (AFiles.isEmpty())
        return Usage(QStringLiteral("check needs at least one file"));
    QTextStream LOut(stdout);
    bool LAnyFailed = false;
    for (const auto& LFile : AFiles) {
        TReading LReading;
        if (!QFileInfo::exists(LFile)) {
            LReading.Logs << QStringLiteral("- File not found: \"%1\"").arg(LFile);
        } else {
            Read(LFile, LReading);
        }
        LAnyFailed = LAnyFailed || LReading.Result == orvo::TqoResultParsing::Failed;
        LOut << VerdictName(LReading.Result) << '\t' << LFile << '\n';
        for (const auto& LLine : LReading.Logs)
            LOut << LLine << '\n';
    }
    return LAnyFailed ? 1 : 0;
}

int Dump(const QStringList& AArgs)
{
    if (AArgs.size() != 1)
        return Usage(QStringLiteral("dump takes one file"));
    TReading LReading;
    if (!QFileInfo::exists(AArgs.first())) {
        QTextStream(stderr) << "orvo-assets svg: file not found: " << AArgs.first() << "\n";
        return 1;
    }
    Read(AArgs.first(), LReading);
    const auto& D = LReading.Document;
    TObject O;
    O.Add("result", String(VerdictName(LReading.Result)));
    std::string LLogs = "[";
    for (int I = 0; I < LReading.Logs.size(); ++I)
        LLogs += (I ? ", " : "") + String(LReading.Logs.at(I));
    O.Add("logs", LLogs + "]");
    O.Add("size", Array(std::vector<double>{D.Size().width(), D.Size().height()}));
    O.Add("viewBox",
          Array(std::vector<double>{D.ViewBox().left(), D.ViewBox().top(), D.ViewBox().width(), D.ViewBox().height()}));
    std::string LCommands = "[";
    for (size_t I = 0; I < D.Commands().size(); ++I)
        LCommands += (I ? ",\n  " : "\n  ") + CommandJson(D.Commands()[I]);
    O.Add("commands", LCommands + (D.Commands().empty() ? "]" : "\n]"));
    std::fputs(O.Text().c_str(), stdout);
    std::fputs("\n", stdout);
    return LReading.Result == orvo::TqoResultParsing::Failed ? 1 : 0;
}

// Splits "FILE -o OUT [--size WxH]" for render and convert.
bool OutputArgs(QStringList AArgs, QString& AFile, QString& AOutput, QString& ASize, bool AAllowSize)
{
    for (int I = 0; I < AArgs.size(); ++I) {
        const QString& A = AArgs.at(I);
        if ((A == QStringLiteral("-o") || A == QStringLiteral("--output")) && I + 1 < AArgs.size()) {
            AOutput = AArgs.at(++I);
        } else if (AAllowSize && A == QStringLiteral("--size") && I + 1 < AArgs.size()) {
            ASize = AArgs.at(++I);
        } else if (A.startsWith(QLatin1Char('-')) || !AFile.isEmpty()) {
            return false;
        } else {
            AFile = A;
        }
    }
    return !AFile.isEmpty() && !AOutput.isEmpty();
}

bool ParseSize(const QString& AText, QSizeF ADocumentSize, QSizeF& ASize)
{
    const QStringList LParts = AText.split(QLatin1Char('x'));
    bool LOk = false;
    const int LWidth = LParts.value(0).toInt(&LOk);
    if (!LOk || LWidth <= 0 || LWidth > 16384 || LParts.size() > 2)
        return false;
    int LHeight = LWidth;
    if (LParts.size() == 2) {
        LHeight = LParts.at(1).toInt(&LOk);
        if (!LOk || LHeight <= 0 || LHeight > 16384)
            return false;
    } else if (ADocumentSize.width() > 0) {
        // One number: the width, with the document's proportions.
        LHeight = qMax(1, qRound(LWidth * ADocumentSize.height() / ADocumentSize.width()));
    }
    ASize = QSizeF(LWidth, LHeight);
    return true;
}

int Render(const QStringList& AArgs)
{
    QString LFile, LOutput, LSizeText;
    if (!OutputArgs(AArgs, LFile, LOutput, LSizeText, true))
        return Usage(QStringLiteral("render takes FILE -o OUT.png [--size W[xH]]"));
    TReading LReading;
    Read(LFile, LReading);
    if (LReading.Result == orvo::TqoResultParsing::Failed) {
        QTextStream(stderr) << "orvo-assets svg: " << LFile << " could not be read\n";
        for (const auto& LLine : LReading.Logs)
            QTextStream(stderr) << LLine << "\n";
        return 1;
    }
    if (!LSizeText.isEmpty()) {
        QSizeF LSize;
        if (!ParseSize(LSizeText, LReading.Document.Size(), LSize))
            return Usage(QStringLiteral("bad --size \"%1\"").arg(LSizeText));
        // The view box stays, so the picture scales into the new size as the asset preview does.
        LReading.Document.SetSize(LSize);
    }
    try {
        orvo::TsvgExportFMXBitmapWithSkia LWriter(LReading.Document);
        LWriter.SaveToFile(LOutput);
    } catch (const std::exception& E) {
        QTextStream(stderr) << "orvo-assets svg: " << E.what() << "\n";
        return 1;
    }
    return 0;
}

int Convert(const QStringList& AArgs)
{
    QString LFile, LOutput, LUnused;
    if (!OutputArgs(AArgs, LFile, LOutput, LUnused, false))
        return Usage(QStringLiteral("convert takes FILE -o OUT.vector"));
    TReading LReading;
    Read(LFile, LReading);
    for (const auto& LLine : LReading.Logs)
        QTextStream(stderr) << LLine << "\n";
    if (LReading.Result == orvo::TqoResultParsing::Failed) {
        QTextStream(stderr) << "orvo-assets svg: " << LFile << " could not be read; nothing written\n";
        return 1;
    }
    try {
        LReading.Document.SaveToFile(LOutput);
    } catch (const std::exception& E) {
        QTextStream(stderr) << "orvo-assets svg: " << E.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

QString SvgCommandsUsage() { return QString::fromLatin1(SvgUsage); }

int RunSvgCommand(QStringList AArgs)
{
    if (AArgs.isEmpty())
        return Usage(QStringLiteral("no svg command given"));
    const QString LCommand = AArgs.takeFirst();
    if (LCommand == QStringLiteral("check"))
        return Check(AArgs);
    if (LCommand == QStringLiteral("dump"))
        return Dump(AArgs);
    if (LCommand == QStringLiteral("render"))
        return Render(AArgs);
    if (LCommand == QStringLiteral("convert"))
        return Convert(AArgs);
    return Usage(QStringLiteral("unknown svg command \"%1\"").arg(LCommand));
}
