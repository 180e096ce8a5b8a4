// orvo-assets theme/mask/stub: the generators of the Assets Manager's toolbar, with the same
// names, sizes and colors as their dialogs give.

#include "GenerateCommands.h"

#include "CommandErrors.h"
#include "ProjectCommands.h"
#include "assets/designer/Dialog.Assets.ColorThemeGenerator.h"
#include "assets/designer/Frame.ColorGenerator.Color.h"
#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/storage/ORVO.Assets.ImageStub.h"
#include "assets/storage/ORVO.Assets.MaskSize.h"

#include <QRegularExpression>

using namespace core;
using orvo::TqoAssetsModel;

namespace {

int ParseInteger(const QString& AOption, const QString& AText, int AMin, int AMax)
{
    bool LOk = false;
    const int LValue = AText.toInt(&LOk);
    if (!LOk || LValue < AMin || LValue > AMax)
        throw EUsage(QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                         .arg(AOption)
                         .arg(AMin)
                         .arg(AMax)
                         .arg(AText));
    return LValue;
}

// "W" or "WxH", each side within the dialog's range.
QSize ParseSize(const QString& AText, int AMin, int AMax)
{
    static const QRegularExpression LShape(QStringLiteral("^(\\d+)(?:[xX](\\d+))?$"));
    const QRegularExpressionMatch LMatch = LShape.match(AText);
    if (!LMatch.hasMatch())
        throw EUsage(QStringLiteral("--size takes W or WxH, not \"%1\"").arg(AText));
    const int LWidth = ParseInteger(QStringLiteral("--size"), LMatch.captured(1), AMin, AMax);
    const int LHeight =
        LMatch.hasCaptured(2) ? ParseInteger(QStringLiteral("--size"), LMatch.captured(2), AMin, AMax) : LWidth;
    return {LWidth, LHeight};
}

// A palette color by its number (1 to 19, as the dialog lists them) or its name ("Deep Purple").
int ParsePaletteColor(const QString& AOption, const QString& AText)
{
    bool LIsNumber = false;
    const int LIndex = AText.toInt(&LIsNumber);
    if (LIsNumber && LIndex >= 1 && LIndex <= orvo::ColorsCount)
        return LIndex;
    QStringList LNames;
    for (int I = 1; I <= orvo::ColorsCount; ++I) {
        if (orvo::Colors(I).Name.compare(AText, Qt::CaseInsensitive) == 0)
            return I;
        LNames << orvo::Colors(I).Name;
    }
    throw EUsage(QStringLiteral("%1: no palette color \"%2\" (1 to %3, or one of %4)")
                     .arg(AOption, AText)
                     .arg(orvo::ColorsCount)
                     .arg(LNames.join(QStringLiteral(", "))));
}

// The Assets Manager never puts a theme inside another theme.
void CheckNotInTheme(const TqoAssetsModel& AModel, const QString& AFolder)
{
    const TqoAssetsManager& LManager = AModel.GetAssetsManager();
    QString LPath;
    for (const QString& LPart : AFolder.split(TqoAssetNameHelper::Separator, Qt::SkipEmptyParts)) {
        LPath += LPart;
        for (const TqoAssetPtr& LAsset : LManager.GetAssets([&](const TqoAsset& A) { return A.GetName() == LPath; }))
            if (LAsset->GetKind() == TqoAssetThemeContainer::Kind)
                throw ECommand(
                    QStringLiteral("\"%1\" is a theme; a theme is never made inside another theme").arg(LPath));
        LPath += TqoAssetNameHelper::Separator;
    }
}

QStringList GenerateTheme(TqoAssetsModel& AModel, const TChangeRequest& ARequest)
{
    orvo::TThemeChoice LChoice;
    LChoice.LightTheme = !ARequest.Flags.contains(QStringLiteral("--dark"));
    LChoice.PrimaryIndex =
        ParsePaletteColor(QStringLiteral("--primary"), ARequest.Values.value(QStringLiteral("--primary")));
    LChoice.SecondaryIndex =
        ParsePaletteColor(QStringLiteral("--secondary"), ARequest.Values.value(QStringLiteral("--secondary")));
    // The text on each base color as the dialog preselects it.
    LChoice.PrimaryTextDark = !orvo::Colors(LChoice.PrimaryIndex).TakesLightText();
    LChoice.SecondaryTextDark = !orvo::Colors(LChoice.SecondaryIndex).TakesLightText();
    CheckNotInTheme(AModel, ARequest.Into);
    // Without a folder the theme goes where the Assets Manager puts it with nothing selected.
    const QString LFolder =
        ARequest.Into.isEmpty() ? QStringLiteral("Themes") + TqoAssetNameHelper::Separator : ARequest.Into;
    const QString LName = AModel.GenerateAssetName(LFolder + orvo::ThemeName(LChoice));
    AModel.AddThemeContainer(LName);
    for (const orvo::TThemeColor& LColor : orvo::ThemeColors(LChoice))
        AModel.AddColor(LName + TqoAssetNameHelper::Separator + LColor.Name, LColor.Color);
    return {LName};
}

QStringList GenerateMask(TqoAssetsModel& AModel, const TChangeRequest& ARequest)
{
    const bool LCircle = ARequest.Flags.contains(QStringLiteral("--circle"));
    const bool LRoundRect = ARequest.Values.contains(QStringLiteral("--round-rect"));
    if (LCircle == LRoundRect)
        throw EUsage(QStringLiteral("mask takes one of --circle and --round-rect RADIUS"));
    if (!ARequest.Values.contains(QStringLiteral("--size")))
        throw EUsage(QStringLiteral("mask needs --size W[xH]"));
    const QSize LSize = ParseSize(ARequest.Values.value(QStringLiteral("--size")), 4, 200);
    const int LRadius =
        LRoundRect ? ParseInteger(QStringLiteral("--round-rect"), ARequest.Values.value(QStringLiteral("--round-rect")),
                                  0, std::min(LSize.width(), LSize.height()) / 2)
                   : 0;
    const QString LName =
        AModel.GenerateAssetName(ARequest.Into + orvo::GeneratedAssetName(QStringLiteral("Mask"), LSize));
    AModel.AddAsset(orvo::GenerateMask(
        LName, LSize, LCircle ? orvo::TqoMaskKind::Circle : orvo::TqoMaskKind::RoundRectangle, LRadius));
    return {LName};
}

QStringList GenerateStub(TqoAssetsModel& AModel, const TChangeRequest& ARequest)
{
    if (!ARequest.Values.contains(QStringLiteral("--size")))
        throw EUsage(QStringLiteral("stub needs --size W[xH]"));
    const QSize LSize = ParseSize(ARequest.Values.value(QStringLiteral("--size")), 1, 1000);
    const QString LName =
        AModel.GenerateAssetName(ARequest.Into + orvo::GeneratedAssetName(QStringLiteral("Image"), LSize));
    AModel.AddAsset(orvo::GenerateImageStub(LName, LSize));
    return {LName};
}

} // namespace

void RegisterGenerateCommands()
{
    RegisterChangeCommand(
        {QStringLiteral("theme"),
         QStringLiteral("PROJECT.dproj --primary N --secondary N [--dark]"),
         QStringLiteral("  theme PROJECT --primary N --secondary N [--dark]\n"
                        "                                a light (or dark) theme of color assets from\n"
                        "                                two palette colors (1 to 19, or names such\n"
                        "                                as Indigo); prints the theme's name\n"),
         {QStringLiteral("--primary"), QStringLiteral("--secondary")},
         {QStringLiteral("--dark")},
         0,
         0,
         [](TqoAssetsModel& AModel, const TChangeRequest& ARequest) {
             for (const char* LOption : {"--primary", "--secondary"})
                 if (!ARequest.Values.contains(QLatin1String(LOption)))
                     throw EUsage(QStringLiteral("theme needs %1 N").arg(QLatin1String(LOption)));
             return GenerateTheme(AModel, ARequest);
         }});
    RegisterChangeCommand({QStringLiteral("mask"),
                           QStringLiteral("PROJECT.dproj --circle|--round-rect RADIUS --size W[xH]"),
                           QStringLiteral("  mask PROJECT --circle|--round-rect RADIUS --size W[xH]\n"
                                          "                                a mask bitmap set of the five scales\n"
                                          "                                (sides 4 to 200)\n"),
                           {QStringLiteral("--round-rect"), QStringLiteral("--size")},
                           {QStringLiteral("--circle")},
                           0,
                           0,
                           &GenerateMask});
    RegisterChangeCommand(
        {QStringLiteral("stub"),
         QStringLiteral("PROJECT.dproj --size W[xH]"),
         QStringLiteral("  stub PROJECT --size W[xH]      a stub image bitmap set of the five scales\n"
                        "                                (sides 1 to 1000)\n"),
         {QStringLiteral("--size")},
         {},
         0,
         0,
         &GenerateStub});
}
