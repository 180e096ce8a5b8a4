// The "svg" commands of orvo-assets: check, dump, render and convert SVG files with the
// package's reader and renderer. Their output is a contract that scripts and checks rely on.

#include "SvgCommands.h"

#include "ORVO.Bitmap.h"
#include "ORVO.VectorImage.Document.h"
#include "vectorimage/ORVO.VectorImage.Reader.SVG.h"
#include "vectorimage/ORVO.VectorImage.Writer.SkiaFMX.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>
#include <cstdio>
#include <sys/stat.h>

namespace {

const char* const SvgUsage = R"(Usage:
  orvo-assets svg check FILE...                 verdict and log of each file
  orvo-assets svg dump FILE                     the vector document as JSON
  orvo-assets svg render FILE -o OUT.png [--size W[xH]]
  orvo-assets svg convert FILE -o OUT.vector
  OUT is a new path or a regular file, replaced through a temporary file beside it;
  a FIFO, device, folder or symbolic link is refused (status 2).
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

// AValue's JSON text, escaped as JSON wants.
QByteArray JsonText(const QJsonValue& AValue)
{
    const QByteArray LArray = QJsonDocument(QJsonArray{AValue}).toJson(QJsonDocument::Compact);
    return LArray.mid(1, LArray.size() - 2);
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
    const QByteArray LHeader = "{\"result\": " + JsonText(VerdictName(LReading.Result)) +
                               ", \"logs\": " + JsonText(QJsonArray::fromStringList(LReading.Logs)) + "}";
    try {
        const QByteArray LDump = LReading.Document.SaveToDumpBytes(LHeader);
        std::fwrite(LDump.constData(), 1, size_t(LDump.size()), stdout);
    } catch (const std::exception& E) {
        QTextStream(stderr) << "orvo-assets svg: " << E.what() << "\n";
        return 1;
    }
    return LReading.Result == orvo::TqoResultParsing::Failed ? 1 : 0;
}

// Outputs go to regular files or new paths only: a FIFO, a device or a folder would be replaced
// by the rename that ends every write, and a symbolic link would be written through.
int RefusedOutput(const QString& APath)
{
    struct stat LStat;
    if (::lstat(QFile::encodeName(APath).constData(), &LStat) != 0)
        return 0; // a new path
    const char* LWhat = S_ISLNK(LStat.st_mode)   ? "a symbolic link"
                        : S_ISDIR(LStat.st_mode) ? "a folder"
                        : S_ISREG(LStat.st_mode) ? nullptr
                                                 : "not a regular file";
    if (!LWhat)
        return 0;
    QTextStream(stderr) << "orvo-assets svg: output " << APath << " is " << LWhat << "; nothing written\n";
    return 2;
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
    if (const int LRefused = RefusedOutput(LOutput))
        return LRefused;
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
    if (const int LRefused = RefusedOutput(LOutput))
        return LRefused;
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
