#include "SetCommand.h"

#include "CommandErrors.h"
#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/editors/ORVO.Assets.Editor.BitmapSet.h"

#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <iterator>

using namespace core;

namespace {

const QString CSize = QStringLiteral("--size");
const QString CCapInsets = QStringLiteral("--cap-insets");
const QString CScale = QStringLiteral("--scale");
const QString CTint = QStringLiteral("--tint");
const QString CFileLocation = QStringLiteral("--file-location");
const QString CExtractionRule = QStringLiteral("--extraction-rule");
const QString CFile = QStringLiteral("--file");

EUsage BadValue(const QString& AOption, const QString& AValue, const char* AShape)
{
    return EUsage(QStringLiteral("%1 \"%2\": expected %3").arg(AOption, AValue, QLatin1String(AShape)));
}

// Numbers with "." as decimal separator, whatever the locale.
double PositiveNumber(const QString& AOption, const QString& AText, const char* AShape)
{
    bool LOk = false;
    const double LValue = AText.toDouble(&LOk);
    if (!LOk || !(LValue > 0) || !std::isfinite(LValue))
        throw BadValue(AOption, AText, AShape);
    return LValue;
}

template <typename T> T Ordinal(const QString& AOption, const QString& AText, int ACount, QString (*ADisplay)(T))
{
    bool LOk = false;
    const int LValue = AText.toInt(&LOk);
    if (LOk && LValue >= 0 && LValue < ACount)
        return T(LValue);
    QStringList LChoices;
    for (int I = 0; I < ACount; ++I)
        LChoices << QStringLiteral("%1 %2").arg(I).arg(ADisplay(T(I)));
    throw EUsage(
        QStringLiteral("%1 \"%2\": expected one of %3").arg(AOption, AText, LChoices.join(QStringLiteral(", "))));
}

ECommand WrongKind(const TqoAsset& AAsset, const QString& AOption, const QString& AKinds)
{
    return ECommand(QStringLiteral("%1 is for %2 assets; \"%3\" is a %4 asset")
                        .arg(AOption, AKinds, AAsset.GetName(), AAsset.GetKind()));
}

QString ExistingFile(const QString& AFile)
{
    if (!QFileInfo(AFile).isFile())
        throw ECommand(QStringLiteral("%1: no such file").arg(AFile));
    return QFileInfo(AFile).absoluteFilePath();
}

TqoBitmapInfo* ScaleOf(TqoAssetBitmapSet& ASet, float AScale)
{
    if (TqoBitmapInfo* LInfo = ASet.FindByScale(AScale))
        return LInfo;
    QStringList LScales;
    for (const TqoBitmapInfo* LInfo : ASet.GetBitmapInfos())
        LScales << QString::number(LInfo->GetScale());
    throw ECommand(QStringLiteral("\"%1\" has no scale %2 (its scales: %3)")
                       .arg(ASet.GetName(), QString::number(AScale), LScales.join(QStringLiteral(", "))));
}

void EditBitmapSet(TqoAssetBitmapSet& ASet, const TSetEdits& AEdits)
{
    TqoBitmapInfo* LInfo = AEdits.Scale ? ScaleOf(ASet, *AEdits.Scale) : nullptr;
    if (AEdits.File) {
        const QString LFile = ExistingFile(*AEdits.File);
        // The storage copies it under a ".png" name as it is: it must be an image.
        if (!QImageReader(LFile).canRead())
            throw ECommand(QStringLiteral("%1: not an image").arg(LFile));
        LInfo->SetUri(LFile);
    }
    if (AEdits.CapInsets)
        LInfo->SetCapInsets(*AEdits.CapInsets);
    if (AEdits.Tint) {
        for (TqoBitmapInfo* LEach : ASet.GetBitmapInfos())
            if (!LInfo || LEach == LInfo)
                LEach->SetTint(*AEdits.Tint);
    }
    // With --scale, as the picker with "apply to all" ticked: the scale's insets and tint
    // reach every scale.
    if (LInfo && (AEdits.CapInsets || AEdits.Tint))
        orvo::TEditorBitmapSet::PropagateCapInsets(ASet, *LInfo);
}

} // namespace

bool IsSetOption(const QString& AOption)
{
    return AOption == CSize || AOption == CCapInsets || AOption == CScale || AOption == CTint ||
           AOption == CFileLocation || AOption == CExtractionRule || AOption == CFile;
}

TSetEdits ParseSetEdits(const TSetOptions& AOptions)
{
    TSetEdits LEdits;
    for (const auto& [LOption, LValue] : AOptions) {
        if (LOption == CSize) {
            static const QRegularExpression LShape(QStringLiteral("^([^x]+)x([^x]+)$"),
                                                   QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch LMatch = LShape.match(LValue);
            if (!LMatch.hasMatch())
                throw BadValue(LOption, LValue, "WxH");
            LEdits.Size = QSizeF(PositiveNumber(LOption, LMatch.captured(1), "WxH"),
                                 PositiveNumber(LOption, LMatch.captured(2), "WxH"));
        } else if (LOption == CCapInsets) {
            const QStringList LParts = LValue.split(QLatin1Char(','));
            int LInsets[4] = {};
            bool LOk = LParts.size() == 4;
            for (int I = 0; LOk && I < 4; ++I)
                LInsets[I] = LParts[I].trimmed().toInt(&LOk);
            if (!LOk || *std::min_element(std::begin(LInsets), std::end(LInsets)) < 0)
                throw BadValue(LOption, LValue, "L,T,R,B (whole pixels, 0 or more)");
            LEdits.CapInsets = QMargins(LInsets[0], LInsets[1], LInsets[2], LInsets[3]);
        } else if (LOption == CScale) {
            LEdits.Scale = float(PositiveNumber(LOption, LValue, "a scale such as 1, 1.5 or 2"));
        } else if (LOption == CTint) {
            TqoAlphaColor LColor = 0;
            if (!TqoColorHelper::TryParse(LValue, LColor))
                throw BadValue(LOption, LValue, "#AARRGGBB");
            LEdits.Tint = LColor;
        } else if (LOption == CFileLocation) {
            LEdits.FileLocation = Ordinal(LOption, LValue, 2, &TqoAssetFile::FileLocationDisplayText);
        } else if (LOption == CExtractionRule) {
            LEdits.ExtractionRule = Ordinal(LOption, LValue, 3, &TqoAssetFile::ExtractionRuleDisplayText);
        } else if (LOption == CFile) {
            LEdits.File = LValue;
        }
    }
    if (AOptions.isEmpty())
        throw EUsage(QStringLiteral("set needs an edit: --size, --cap-insets, --tint, --file-location, "
                                    "--extraction-rule or --file"));
    if (LEdits.CapInsets && !LEdits.Scale)
        throw EUsage(QStringLiteral("--cap-insets needs --scale: the insets are pixels of one scale's bitmap"));
    if (LEdits.Scale && !LEdits.CapInsets && !LEdits.Tint && !LEdits.File)
        throw EUsage(QStringLiteral("--scale goes with --cap-insets, --tint or --file of a bitmap set"));
    return LEdits;
}

void ApplySetEdits(TqoAsset& AAsset, const TSetEdits& AEdits)
{
    auto* LSet = dynamic_cast<TqoAssetBitmapSet*>(&AAsset);
    auto* LSVG = dynamic_cast<TqoAssetSVG*>(&AAsset);
    auto* LFile = dynamic_cast<TqoAssetFile*>(&AAsset);
    auto* LWithUri = dynamic_cast<TqoAssetWithUri*>(&AAsset);
    if (AEdits.Size && !LSVG)
        throw WrongKind(AAsset, CSize, TqoAssetSVG::Kind);
    if ((AEdits.CapInsets || AEdits.Tint || AEdits.Scale) && !LSet)
        throw WrongKind(AAsset, AEdits.CapInsets ? CCapInsets : AEdits.Tint ? CTint : CScale, TqoAssetBitmapSet::Kind);
    if ((AEdits.FileLocation || AEdits.ExtractionRule) && !LFile)
        throw WrongKind(AAsset, AEdits.FileLocation ? CFileLocation : CExtractionRule, TqoAssetFile::Kind);
    if (AEdits.File && !LSVG && !LSet && (!LWithUri || AAsset.GetKind() == TqoAssetStyle::Kind))
        throw WrongKind(AAsset, CFile, QStringLiteral("file, font, lottie-json, svg and bitmap-set"));
    if (AEdits.File && LSet && !AEdits.Scale)
        throw EUsage(QStringLiteral("--file of a bitmap set needs --scale"));

    if (LSet)
        EditBitmapSet(*LSet, AEdits);
    if (LSVG && AEdits.File) {
        // Loaded as the SVG picker loads it: the size becomes the document's own.
        const auto LLoaded =
            orvo::TqoAssetsModel::CreateFromFile(TqoAssetSVG::Kind, AAsset.GetName(), ExistingFile(*AEdits.File));
        auto& LSource = static_cast<TqoAssetSVG&>(*LLoaded);
        LSVG->SetSVGUri(LSource.GetSVGUri());
        LSVG->SetSize(LSource.GetSize());
    }
    if (LSVG && AEdits.Size)
        LSVG->SetSize(*AEdits.Size);
    if (LWithUri && AEdits.File)
        LWithUri->SetUri(ExistingFile(*AEdits.File));
    if (LFile && AEdits.FileLocation)
        LFile->SetFileLocation(*AEdits.FileLocation);
    if (LFile && AEdits.ExtractionRule)
        LFile->SetExtractionRule(*AEdits.ExtractionRule);
}
