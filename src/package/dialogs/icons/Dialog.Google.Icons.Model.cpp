#include "dialogs/icons/Dialog.Google.Icons.Model.h"

#include "ORVO.Assert.h"
#include "ORVO.Designer.IdeSettings.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Log.h"
#include "vectorimage/ORVO.VectorImage.Reader.SVG.h"
#include "vectorimage/ORVO.VectorImage.Writer.SkiaFMX.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>

namespace orvo {

namespace {

const QString CPngSuffix = QStringLiteral("_white_36dp.png");
const QString CSvgSuffix = QStringLiteral("_24px.svg");
const QString CPngFolder = QStringLiteral("drawable-mdpi");

// Every pixel takes the tint's color; its alpha is kept, scaled by the tint's.
void TintBitmap(QImage& AImage, core::TqoAlphaColor AColor)
{
    AImage = AImage.convertToFormat(QImage::Format_ARGB32);
    const QRgb LRgb = AColor & 0x00FFFFFF;
    const uint LAlpha = AColor >> 24;
    for (int Y = 0; Y < AImage.height(); ++Y) {
        auto* LLine = reinterpret_cast<QRgb*>(AImage.scanLine(Y));
        for (int X = 0; X < AImage.width(); ++X)
            LLine[X] = LRgb | (((qAlpha(LLine[X]) * LAlpha + 127) / 255) << 24);
    }
}

QString DensityFolder(float AScale)
{
    static const struct
    {
        float Scale;
        const char* Folder;
    } CDensities[] = {{1.0f, "drawable-mdpi"},
                      {1.5f, "drawable-hdpi"},
                      {2.0f, "drawable-xhdpi"},
                      {3.0f, "drawable-xxhdpi"},
                      {4.0f, "drawable-xxxhdpi"}};
    for (const auto& LDensity : CDensities)
        if (qFuzzyCompare(LDensity.Scale, AScale))
            return QString::fromLatin1(LDensity.Folder);
    throw core::EqoException(QStringLiteral("Cannot import bitmap. Unknown scale value"));
}

} // namespace

const QString TqoIconsRepository::SettingsSection = QStringLiteral("AssetsDesigner");
const QString TqoIconsRepository::SettingsName = QStringLiteral("MaterialIconsRepository");

TqoIconsRepository TqoIconsRepository::Locate()
{
    const QString LSetting = dsgn::TqoIdeSettings::ReadString(SettingsSection, SettingsName);
    if (!LSetting.isEmpty())
        return {LSetting, QStringLiteral("the IDE setting %1/%2").arg(SettingsSection, SettingsName)};
    const QString LRepo = qEnvironmentVariable("ORVO_ICONS_REPO");
    if (!LRepo.isEmpty())
        return {LRepo, QStringLiteral("the environment variable ORVO_ICONS_REPO")};
    const QString LOrvo = qEnvironmentVariable("ORVO");
    if (!LOrvo.isEmpty())
        return {QDir(LOrvo).filePath(QStringLiteral("Externals/material-design-icons")),
                QStringLiteral("the environment variable ORVO")};
    return {};
}

QString TqoIconsRepository::NotFoundMessage(const QString& APath)
{
    const QString LWhere =
        APath.isEmpty()
            ? QStringLiteral("No Material icons repository is set.")
            : QStringLiteral("No Material icons were found in \"%1\".").arg(QDir::toNativeSeparators(APath));
    return LWhere + QStringLiteral(" Name the folder of the icons repository (one folder per category with "
                                   "drawable-mdpi and svg/production in it) by the environment variable "
                                   "ORVO_ICONS_REPO, or set ORVO to the framework's folder that holds "
                                   "Externals/material-design-icons.");
}

TMaterialIconsModel::TMaterialIconsModel()
    : FLightChessBackground(PreviewSize, PreviewSize), FDarkChessBackground(PreviewSize, PreviewSize)
{
    dsgn::CreateChessBackground(FLightChessBackground, 8, 0xFFFCFCFC, 0xFFCCCCCC);
    dsgn::CreateChessBackground(FDarkChessBackground, 8, 0xFF7E7E7E, 0xFF666666);
}

TMaterialIconsModel::~TMaterialIconsModel() = default;

void TMaterialIconsModel::Load(const QString& ADirectoryPath)
{
    FData.clear();
    ClearPreviews();
    const QDir LRoot(ADirectoryPath);
    if (ADirectoryPath.isEmpty() || !LRoot.exists())
        return;
    const QStringList LFolders = LRoot.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (int I = 0; I < LFolders.size(); ++I) {
        const QString LFolder = LRoot.filePath(LFolders.at(I));
        const std::pair<QString, QString> LFormats[] = {
            {QDir(LFolder).filePath(CPngFolder), CPngSuffix},
            {QDir(LFolder).filePath(QStringLiteral("svg/production")), CSvgSuffix}};
        for (const auto& [LRootDir, LSuffix] : LFormats) {
            if (!QFileInfo(LRootDir).isDir())
                continue;
            auto LCategory = std::make_unique<TqoCategory>();
            LCategory->Group = {I, LFolders.at(I), LRootDir};
            ReadCategory(*LCategory, LSuffix);
            FData.push_back(std::move(LCategory));
        }
    }
}

void TMaterialIconsModel::ReadCategory(TqoCategory& ACategory, const QString& ASuffix)
{
    QStringList LFiles =
        QDir(ACategory.Group.RootDir).entryList({QLatin1Char('*') + ASuffix}, QDir::Files, QDir::NoSort);
    std::sort(LFiles.begin(), LFiles.end());
    for (const QString& LFile : LFiles) {
        auto LIcon = std::make_unique<TqoIconData>();
        LIcon->Name = LFile.mid(3, LFile.size() - ASuffix.size() - 3);
        LIcon->DisplayName = QString(LIcon->Name).replace(QLatin1Char('_'), QLatin1Char(' '));
        LIcon->GroupId = ACategory.Group.ID;
        LIcon->GroupDisplayName = ACategory.Group.DisplayName;
        LIcon->FileName = QDir(ACategory.Group.RootDir).filePath(LFile);
        const QString LExtension = QFileInfo(LFile).suffix().toLower();
        if (LExtension == QLatin1String("png"))
            LIcon->IconType = TqoIconType::PNG;
        else if (LExtension == QLatin1String("svg"))
            LIcon->IconType = TqoIconType::SVG;
        else
            core::TqoAssert::UnknownValue(QStringLiteral("TqoIconType"));
        ACategory.Icons.push_back(std::move(LIcon));
    }
}

std::vector<TqoGroupData*> TMaterialIconsModel::Groups() const
{
    std::vector<TqoGroupData*> LGroups;
    for (const auto& LCategory : FData)
        LGroups.push_back(&LCategory->Group);
    return LGroups;
}

int TMaterialIconsModel::IconCount() const
{
    int LCount = 0;
    for (const auto& LCategory : FData)
        LCount += int(LCategory->Icons.size());
    return LCount;
}

void TMaterialIconsModel::Enumerate(const QString& AFilter, const TqoIconConsumer& AConsumer,
                                    std::optional<TqoIconType> AType) const
{
    if (AFilter.isEmpty())
        return;
    const QString LFilter = AFilter.toLower();
    for (const auto& LCategory : FData) {
        const bool LCategoryMatches = LCategory->Group.DisplayName.toLower().contains(LFilter);
        for (const auto& LIcon : LCategory->Icons)
            if ((!AType || LIcon->IconType == *AType) &&
                (LCategoryMatches || LIcon->DisplayName.toLower().contains(LFilter)))
                AConsumer(*LIcon);
    }
}

std::vector<const TqoIconData*> TMaterialIconsModel::FindIcons(const QStringList& ANames, TqoIconType AType) const
{
    std::vector<const TqoIconData*> LIcons;
    QStringList LUnknown;
    for (const QString& LName : ANames) {
        const TqoIconData* LFound = nullptr;
        for (auto LCategory = FData.cbegin(); !LFound && LCategory != FData.cend(); ++LCategory)
            for (const auto& LIcon : (*LCategory)->Icons)
                if (LIcon->IconType == AType && (LIcon->DisplayName == LName || LIcon->Name == LName)) {
                    LFound = LIcon.get();
                    break;
                }
        if (LFound)
            LIcons.push_back(LFound);
        else
            LUnknown << QLatin1Char('"') + LName + QLatin1Char('"');
    }
    if (!LUnknown.isEmpty())
        throw core::EqoException(QStringLiteral("No %1 Material icon named %2")
                                     .arg(AType == TqoIconType::SVG ? QStringLiteral("SVG") : QStringLiteral("PNG"),
                                          LUnknown.join(QStringLiteral(", "))));
    return LIcons;
}

QImage TMaterialIconsModel::Render(const TqoIconData& AIconData) const
{
    if (AIconData.IconType == TqoIconType::PNG)
        return QImage(AIconData.FileName);
    core::TqoVectorDocument LDocument;
    TqoVectorReaderSVG LReader(LDocument);
    try {
        LReader.LoadFromFile(AIconData.FileName);
    } catch (const core::EqoException&) {
        // What was read before the reader stopped is still worth drawing.
    }
    LDocument.SetSize(QSizeF(PreviewSize, PreviewSize));
    TsvgExportFMXBitmapWithSkia LWriter(LDocument);
    return LWriter.Bitmap().Image();
}

void TMaterialIconsModel::LoadIconIfNotLoaded(TqoIconData& AIconData)
{
    if (AIconData.ImageIndex >= 0)
        return;
    QImage LIcon;
    try {
        LIcon = Render(AIconData);
    } catch (const std::exception& E) {
        core::TqoLog::Warning(QStringLiteral("AssetsDesigner"), QStringLiteral("Cannot preview icon: file=\"%1\" %2"),
                              AIconData.FileName, QString::fromUtf8(E.what()));
    }
    const core::TqoBitmap& LBoard = FTintType == TqoTintType::Light ? FDarkChessBackground : FLightChessBackground;
    QImage LPreview = LBoard.Image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!LIcon.isNull()) {
        TintBitmap(LIcon, FTintColor);
        QPainter LPainter(&LPreview);
        LPainter.setRenderHint(QPainter::SmoothPixmapTransform);
        LPainter.drawImage(QRect(0, 0, PreviewSize, PreviewSize), LIcon);
    }
    FImageListPreviews.push_back(LPreview.convertToFormat(QImage::Format_ARGB32));
    AIconData.ImageIndex = int(FImageListPreviews.size()) - 1;
}

void TMaterialIconsModel::SetTintColor(core::TqoAlphaColor AColor)
{
    if (FTintColor == AColor)
        return;
    FTintColor = AColor;
    ClearPreviews();
}

void TMaterialIconsModel::SetTintType(TqoTintType AType)
{
    if (FTintType == AType)
        return;
    FTintType = AType;
    ClearPreviews();
}

void TMaterialIconsModel::ClearPreviews()
{
    FImageListPreviews.clear();
    for (const auto& LCategory : FData)
        for (const auto& LIcon : LCategory->Icons)
            LIcon->ImageIndex = -1;
}

void FillGroups(const std::vector<const TqoIconData*>& AIcons, const TqoMaterialImport& AImport,
                std::vector<core::TqoAssetGroup>& AGroups)
{
    const QString LTint = AImport.Black ? QStringLiteral("black") : QStringLiteral("white");
    const QString LSize = QStringLiteral("%1dp").arg(AImport.Size);
    const float LSizeF = float(AImport.Size);
    for (const TqoIconData* LIcon : AIcons) {
        core::TqoAssetGroup LGroup(LIcon->DisplayName);
        if (LIcon->IconType == TqoIconType::PNG) {
            auto LSet = std::make_shared<core::TqoAssetBitmapSet>(LIcon->DisplayName);
            // The category folder: the parent of the icon's "drawable-mdpi".
            const QDir LCategory = QFileInfo(QFileInfo(LIcon->FileName).absolutePath()).absolutePath();
            const QString LFile = QStringLiteral("ic_%1_%2_%3.png").arg(LIcon->Name, LTint, LSize);
            for (const float LScale : core::TqoAssetBitmapSet::DefaultScales)
                LSet->Add(std::make_unique<core::TqoBitmapInfo>(
                    LCategory.filePath(DensityFolder(LScale) + QLatin1Char('/') + LFile), LScale));
            LGroup.Add(LSet);
        } else {
            auto LSvg = std::make_shared<core::TqoAssetSVG>(LIcon->DisplayName);
            LSvg->SetSVGUri(LIcon->FileName);
            LSvg->SetSize(LSizeF, LSizeF);
            LGroup.Add(LSvg);
        }
        AGroups.push_back(std::move(LGroup));
    }
}

} // namespace orvo
