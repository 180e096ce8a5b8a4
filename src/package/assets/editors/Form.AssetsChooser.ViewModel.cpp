#include "assets/editors/Form.AssetsChooser.ViewModel.h"

#include "ORVO.Designer.IdeEvents.h"
#include "ORVO.Designer.Preview.h"
#include "ORVO.Externals.Lottie.h"
#include "ORVO.Log.h"
#include "ToolsAPI.h"
#include "assets/designer/ORVO.Assets.DataModule.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

namespace orvo {

namespace {

constexpr int CPreviewSide = 20;
const QString CLottieImage = QStringLiteral("Lottie Animation");

// The image fitted into ASize with its aspect ratio kept and centered on transparency, as
// the list's rows draw a straight-alpha window bitmap.
std::unique_ptr<QImage> FitInto(const QImage& AImage, const QSize& ASize)
{
    auto LResult = std::make_unique<QImage>(ASize, QImage::Format_ARGB32);
    LResult->fill(Qt::transparent);
    if (!AImage.isNull() && !ASize.isEmpty()) {
        const QSize LFitted = AImage.size().scaled(ASize, Qt::KeepAspectRatio);
        QPainter LPainter(LResult.get());
        LPainter.setRenderHint(QPainter::SmoothPixmapTransform);
        LPainter.drawImage(
            QRect(QPoint((ASize.width() - LFitted.width()) / 2, (ASize.height() - LFitted.height()) / 2), LFitted),
            AImage);
    }
    return LResult;
}

QChar FoldAsciiLetter(QChar AChar)
{
    const char16_t LCode = AChar.unicode();
    return LCode >= u'A' && LCode <= u'Z' ? QChar(char16_t(LCode + (u'a' - u'A'))) : AChar;
}

// Fonts and files are accepted as types but have nothing to show, so they offer no asset.
std::optional<TqoAssetType> OfferedTypeOf(const core::TqoAsset& AAsset)
{
    if (dynamic_cast<const core::TqoAssetColor*>(&AAsset))
        return TqoAssetType::Colors;
    if (dynamic_cast<const core::TqoAssetBitmapSet*>(&AAsset))
        return TqoAssetType::Bitmaps;
    if (dynamic_cast<const core::TqoAssetLottieAnimation*>(&AAsset))
        return TqoAssetType::LottieAnimations;
    if (dynamic_cast<const core::TqoAssetStyle*>(&AAsset))
        return TqoAssetType::Styles;
    if (dynamic_cast<const core::TqoAssetSVG*>(&AAsset))
        return TqoAssetType::SVG;
    return std::nullopt;
}

} // namespace

TqoGraphicItem::TqoGraphicItem(const QString& AName, std::unique_ptr<QImage> APreview)
    : Name(AName), Caption(QString(AName).replace(QLatin1Char(':'), QStringLiteral(" -> "))),
      FPreview(std::move(APreview))
{
}

const QImage& TqoGraphicItem::EmptyPreview()
{
    static const QImage LEmpty = [] {
        QImage LImage(CPreviewSide, CPreviewSide, QImage::Format_ARGB32);
        LImage.fill(Qt::transparent);
        return LImage;
    }();
    return LEmpty;
}

int CompareNamesIgnoringCase(const QString& ALeft, const QString& ARight)
{
    const qsizetype LCount = std::min(ALeft.size(), ARight.size());
    for (qsizetype I = 0; I < LCount; ++I) {
        const char16_t LLeft = FoldAsciiLetter(ALeft[I]).unicode();
        const char16_t LRight = FoldAsciiLetter(ARight[I]).unicode();
        if (LLeft != LRight)
            return LLeft < LRight ? -1 : 1;
    }
    return ALeft.size() == ARight.size() ? 0 : (ALeft.size() < ARight.size() ? -1 : 1);
}

TGraphicAssetChooserViemModel::TGraphicAssetChooserViemModel(std::shared_ptr<core::TqoAssetsManager> AManager)
    : FManager(AManager ? std::move(AManager) : CurrentDesignAssetsManager())
{
}

void TGraphicAssetChooserViemModel::SetAssetTypes(const TqoAssetTypes& ATypes)
{
    FAssetTypes = ATypes;
    BuildModel();
    UpdateItems();
}

void TGraphicAssetChooserViemModel::SetFilter(const QString& AText)
{
    FFilter = AText.toLower();
    UpdateItems();
}

void TGraphicAssetChooserViemModel::SetScale(double AScale)
{
    if (std::abs(AScale - FScale) < 1e-6)
        return;
    FScale = AScale;
    BuildModel();
    UpdateItems();
}

QSize TGraphicAssetChooserViemModel::GetPreviewSize() const
{
    const int LSide = int(CPreviewSide * FScale);
    return {LSide, LSide};
}

std::unique_ptr<QImage> TGraphicAssetChooserViemModel::MakePreview(const core::TqoAsset& AAsset) const
{
    const QSize LSize = GetPreviewSize();
    if (const auto LColor = dynamic_cast<const core::TqoAssetColor*>(&AAsset)) {
        // A color of value 0 would show as nothing at all.
        const core::TqoAlphaColor LValue = LColor->GetColor() == 0 ? core::TqoAlphaColors::Black : LColor->GetColor();
        core::TqoBitmap LBitmap(LSize.width(), LSize.height());
        LBitmap.Clear(LValue);
        return dsgn::FMXBitmapToVCLBitmap(LBitmap);
    }
    if (const auto LSet = dynamic_cast<const core::TqoAssetBitmapSet*>(&AAsset)) {
        core::TqoBitmap LBitmap;
        if (!LSet->FindBitmap(LBitmap) || LBitmap.IsEmpty())
            return nullptr;
        return FitInto(LBitmap.Image(), LSize);
    }
    if (const auto LLottie = dynamic_cast<const core::TqoAssetLottieAnimation*>(&AAsset)) {
        ext::TSkottieAnimation LAnimation;
        if (!LAnimation.LoadFromFile(LLottie->GetFileName()))
            return nullptr;
        return FitInto(DesignerDataModule().ImageCollection().Bitmap(CLottieImage, LSize.width()), LSize);
    }
    if (const auto LStyle = dynamic_cast<const core::TqoAssetStyle*>(&AAsset)) {
        if (LStyle->GetStyleClass().isEmpty())
            return nullptr;
        const QImage LIcon = DesignerDataModule().LoadComponentIconIfRequired(LStyle->GetStyleClass(), LSize.width());
        return LIcon.isNull() ? nullptr : FitInto(LIcon, LSize);
    }
    if (const auto LSvg = dynamic_cast<const core::TqoAssetSVG*>(&AAsset)) {
        if (!QFileInfo(LSvg->GetSVGFileName()).isFile())
            return nullptr;
        try {
            return FitInto(dsgn::GenerateBitmap(*LSvg, QSize(CPreviewSide, CPreviewSide)).Image(), LSize);
        } catch (const std::exception& E) {
            core::TqoLog::Warning(QStringLiteral("AssetsChooser"), QStringLiteral("No preview of \"%1\": %2"),
                                  AAsset.GetName(), QString::fromUtf8(E.what()));
            return nullptr;
        }
    }
    return nullptr;
}

void TGraphicAssetChooserViemModel::BuildModel()
{
    FItems.clear();
    FVisibleItems.clear();
    for (const QString& LName : FManager->GetAssetsNames()) {
        const core::TqoAssetPtr LAsset = FManager->Resolve(LName, core::TqoAssetsManager::CurrentPlatform(),
                                                           core::TqoAssetsManager::CurrentDeviceClass());
        if (!LAsset)
            continue;
        const std::optional<TqoAssetType> LType = OfferedTypeOf(*LAsset);
        if (LType && FAssetTypes.Contains(*LType))
            AddItem(LName, MakePreview(*LAsset));
    }
}

void TGraphicAssetChooserViemModel::AddItem(const QString& AAssetName, std::unique_ptr<QImage> APreview)
{
    // Names that differ only in case share a key: the later asset replaces the earlier.
    FItems.insert(AAssetName.toLower(),
                  std::make_shared<TqoGraphicItem>(ConvertAssetNameToThemeRelated(AAssetName), std::move(APreview)));
}

QString TGraphicAssetChooserViemModel::ConvertAssetNameToThemeRelated(const QString& AName) const
{
    for (const QString& LTheme : FManager->GetThemesNames()) {
        const QString LPrefix = LTheme + core::TqoAsset::ThemeSeparator;
        if (AName.startsWith(LPrefix))
            return LTheme + QLatin1Char(':') + AName.mid(LPrefix.size());
    }
    return AName;
}

QString TGraphicAssetChooserViemModel::ConvertThemeRelatedToAssetName(const QString& AName) const
{
    for (const QString& LTheme : FManager->GetThemesNames()) {
        const QString LPrefix = LTheme + QLatin1Char(':');
        if (AName.startsWith(LPrefix))
            return LTheme + core::TqoAsset::ThemeSeparator + AName.mid(LPrefix.size());
    }
    return AName;
}

void TGraphicAssetChooserViemModel::UpdateItems()
{
    FVisibleItems.clear();
    for (auto I = FItems.cbegin(); I != FItems.cend(); ++I)
        if (FFilter.isEmpty() || I.key().contains(FFilter))
            FVisibleItems.push_back(I.value().get());
    std::stable_sort(FVisibleItems.begin(), FVisibleItems.end(), [](const TqoGraphicItem* A, const TqoGraphicItem* B) {
        return CompareNamesIgnoringCase(A->Name, B->Name) < 0;
    });
    if (OnChanged)
        OnChanged();
}

std::shared_ptr<core::TqoAssetsManager> CurrentDesignAssetsManager()
{
    if (const auto LProject = ide::GetActiveProject())
        if (auto LManager = dsgn::TqoIdeEventsListener::Instance().GetAssetsManager(LProject->ProjectGUID()))
            return LManager;
    // Not owned: the application's manager lives as long as the process.
    return std::shared_ptr<core::TqoAssetsManager>(std::shared_ptr<void>(), &core::TqoAssetsManager::GetCurrent());
}

} // namespace orvo
