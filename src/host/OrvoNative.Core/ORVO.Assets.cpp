#include "ORVO.Assets.h"

#include "ORVO.Assert.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace core {

// ---------------------------------------------------------------------------------------------
// Target names

namespace {

const char* const PlatformKeys[] = {"all", "android", "ios"};
const char* const PlatformDisplayNames[] = {"", "Android", "iOS"};
const char* const DeviceClassKeys[] = {"all", "phone-small", "phone-normal", "phone-large", "tablet", "watch"};
const char* const DeviceClassDisplayNames[] = {"", "Phone Small", "Phone Normal", "Phone Large", "Tablet", "Watch"};

static_assert(std::size(PlatformKeys) == TqoPlatformCount);
static_assert(std::size(DeviceClassKeys) == TqoDeviceClassCount);

template <size_t N> int IndexOf(const QString& AKey, const char* const (&AKeys)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (AKey == QLatin1String(AKeys[i]))
            return int(i);
    return -1;
}

} // namespace

QString TqoTargetNames::PlatformKey(TqoPlatform APlatform)
{
    return QLatin1String(PlatformKeys[static_cast<int>(APlatform)]);
}

QString TqoTargetNames::DeviceClassKey(TqoDeviceClass ADeviceClass)
{
    return QLatin1String(DeviceClassKeys[static_cast<int>(ADeviceClass)]);
}

bool TqoTargetNames::TryPlatformFromKey(const QString& AKey, TqoPlatform& APlatform)
{
    const int index = IndexOf(AKey, PlatformKeys);
    if (index < 0)
        return false;
    APlatform = static_cast<TqoPlatform>(index);
    return true;
}

bool TqoTargetNames::TryDeviceClassFromKey(const QString& AKey, TqoDeviceClass& ADeviceClass)
{
    const int index = IndexOf(AKey, DeviceClassKeys);
    if (index < 0)
        return false;
    ADeviceClass = static_cast<TqoDeviceClass>(index);
    return true;
}

QString TqoTargetNames::PlatformDisplayName(TqoPlatform APlatform)
{
    return QLatin1String(PlatformDisplayNames[static_cast<int>(APlatform)]);
}

QString TqoTargetNames::DeviceClassDisplayName(TqoDeviceClass ADeviceClass)
{
    return QLatin1String(DeviceClassDisplayNames[static_cast<int>(ADeviceClass)]);
}

// ---------------------------------------------------------------------------------------------
// Names and uris

namespace {

// Windows opens these as devices whatever folder or extension they come with.
bool IsDeviceName(const QString& ALevel)
{
    static const QStringList names = {QStringLiteral("CON"), QStringLiteral("PRN"),    QStringLiteral("AUX"),
                                      QStringLiteral("NUL"), QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    const QString base = ALevel.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    if (names.contains(base))
        return true;
    return base.size() == 4 && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))) &&
           base[3] >= QLatin1Char('0') && base[3] <= QLatin1Char('9');
}

bool StartsWithDrive(const QString& AText)
{
    return AText.size() >= 2 && AText[0].isLetter() && AText[1] == QLatin1Char(':');
}

// Levels of a typed name: "/" separates, blanks around levels go, empty levels go.
QString JoinTypedLevels(const QString& AText)
{
    QString text = AText;
    text.replace(QLatin1Char('/'), TqoAssetNameHelper::Separator);
    QStringList levels;
    for (const QString& part : text.split(TqoAssetNameHelper::Separator, Qt::SkipEmptyParts))
        if (const QString level = part.trimmed(); !level.isEmpty())
            levels.append(level);
    return levels.join(TqoAssetNameHelper::Separator);
}

} // namespace

QString TqoAssetNameHelper::Check(const QString& AName)
{
    if (AName.isEmpty())
        return QStringLiteral("the name is empty");
    if (StartsWithDrive(AName))
        return QStringLiteral("a drive leads outside the assets folder");
    if (AName.size() > MaxLength)
        return QStringLiteral("it is longer than %1 characters").arg(MaxLength);
    for (const QString& level : AName.split(Separator)) {
        if (level.isEmpty())
            return QStringLiteral("a root, or a doubled or trailing separator, leaves a level empty");
        if (level == QLatin1String(".") || level == QLatin1String(".."))
            return QStringLiteral("\".\" and \"..\" lead outside the assets folder");
        for (QChar c : level)
            if (c.unicode() < 0x20 || QStringView(u":*?\"<>|/").contains(c))
                return QStringLiteral("it holds a character that is not allowed in file names");
        if (level.front().isSpace() || level.back().isSpace())
            return QStringLiteral("the level \"%1\" starts or ends with a blank").arg(level);
        if (level.endsWith(QLatin1Char('.')))
            return QStringLiteral("the level \"%1\" ends with a dot, which Windows drops").arg(level);
        if (level.size() > MaxLevelLength)
            return QStringLiteral("a level is longer than %1 characters").arg(MaxLevelLength);
        if (IsDeviceName(level))
            return QStringLiteral("\"%1\" is a device name").arg(level);
    }
    return QString();
}

QString TqoAssetNameHelper::CheckTyped(const QString& AText)
{
    const QString text = AText.trimmed();
    if (text.startsWith(QLatin1Char('/')) || text.startsWith(Separator))
        return QStringLiteral("a rooted name leads outside the assets folder");
    if (StartsWithDrive(text))
        return QStringLiteral("a drive leads outside the assets folder");
    return Check(JoinTypedLevels(text));
}

QString TqoAssetNameHelper::Normalize(const QString& AName)
{
    return CheckTyped(AName).isEmpty() ? JoinTypedLevels(AName) : QString();
}

QString TqoAssetNameHelper::Path(const QString& AName)
{
    const qsizetype pos = AName.lastIndexOf(Separator);
    return pos < 0 ? QString() : AName.left(pos);
}

QString TqoAssetNameHelper::ShortName(const QString& AName)
{
    const qsizetype pos = AName.lastIndexOf(Separator);
    return pos < 0 ? AName : AName.mid(pos + 1);
}

QString TqoAssetNameHelper::Combine(const QString& APath, const QString& AShortName)
{
    if (APath.isEmpty())
        return AShortName;
    if (AShortName.isEmpty())
        return APath;
    if (APath.endsWith(Separator))
        return APath + AShortName;
    return APath + Separator + AShortName;
}

bool TqoAssetUri::IsAbsolute(const QString& AUri)
{
    if (AUri.startsWith(QLatin1Char('/')) || AUri.startsWith(QLatin1Char('\\')))
        return true;
    // A Windows drive path stays absolute even where it cannot be opened.
    return AUri.size() >= 3 && AUri[0].isLetter() && AUri[1] == QLatin1Char(':') &&
           (AUri[2] == QLatin1Char('\\') || AUri[2] == QLatin1Char('/'));
}

QString TqoAssetUri::ToFileName(const QString& AUri, const QString& ABasePath)
{
    if (AUri.isEmpty())
        return QString();
    QString path = AUri;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (IsAbsolute(AUri) || ABasePath.isEmpty())
        return QDir::cleanPath(path);
    return QDir::cleanPath(ABasePath + QLatin1Char('/') + path);
}

// ---------------------------------------------------------------------------------------------
// Assets

const QString TqoAsset::ThemeSeparator = QStringLiteral("\\");
const QString TqoAssetColor::Kind = QStringLiteral("color");
const QString TqoAssetBitmapSet::Kind = QStringLiteral("bitmap-set");
const QString TqoAssetFont::Kind = QStringLiteral("font");
const QString TqoAssetFile::Kind = QStringLiteral("file");
const QString TqoAssetLottieAnimation::Kind = QStringLiteral("lottie-json");
const QString TqoAssetStyle::Kind = QStringLiteral("style");
const QString TqoAssetSVG::Kind = QStringLiteral("svg");
const QString TqoAssetThemeContainer::Kind = QStringLiteral("theme-container");

TqoAsset::TqoAsset(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass)
    : FName(AName), FPlatform(APlatform), FDeviceClass(ADeviceClass)
{
}

std::unique_ptr<TqoAsset> TqoAsset::Clone(const QString& ANewName) const
{
    return Clone(ANewName, FPlatform, FDeviceClass);
}

std::unique_ptr<TqoAsset> TqoAsset::Clone(const QString& ANewName, TqoPlatform APlatform,
                                          TqoDeviceClass ADeviceClass) const
{
    std::unique_ptr<TqoAsset> copy = DoClone();
    copy->FName = ANewName;
    copy->FPlatform = APlatform;
    copy->FDeviceClass = ADeviceClass;
    return copy;
}

QString TqoAsset::GenerateId(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass)
{
    // A target id never holds "@", so the text after the last "@" always is the target.
    return AName + QLatin1Char('@') + GetTargetId(APlatform, ADeviceClass);
}

QString TqoAsset::GetTargetId(TqoPlatform APlatform, TqoDeviceClass ADeviceClass)
{
    if (APlatform == TqoPlatform::All && ADeviceClass == TqoDeviceClass::All)
        return QStringLiteral("default");
    if (ADeviceClass == TqoDeviceClass::All)
        return TqoTargetNames::PlatformKey(APlatform);
    if (APlatform == TqoPlatform::All)
        return TqoTargetNames::DeviceClassKey(ADeviceClass);
    return TqoTargetNames::PlatformKey(APlatform) + QLatin1Char('-') + TqoTargetNames::DeviceClassKey(ADeviceClass);
}

QString TqoAsset::GetTargetDeviceDisplayName(TqoPlatform APlatform, TqoDeviceClass ADeviceClass)
{
    if (APlatform == TqoPlatform::All && ADeviceClass == TqoDeviceClass::All)
        return QStringLiteral("Universal");
    if (ADeviceClass == TqoDeviceClass::All)
        return TqoTargetNames::PlatformDisplayName(APlatform);
    if (APlatform == TqoPlatform::All)
        return TqoTargetNames::DeviceClassDisplayName(ADeviceClass);
    return TqoTargetNames::PlatformDisplayName(APlatform) + QLatin1Char(' ') +
           TqoTargetNames::DeviceClassDisplayName(ADeviceClass);
}

QString TqoAsset::ToString() const { return QStringLiteral("%1 \"%2\" [%3]").arg(GetKind(), FName, GetTargetId()); }

TqoAssetColor::TqoAssetColor(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass)
    : TqoAsset(AName, APlatform, ADeviceClass)
{
}

TqoAssetColor::TqoAssetColor(const QString& AName, TqoAlphaColor AColor, TqoPlatform APlatform,
                             TqoDeviceClass ADeviceClass)
    : TqoAsset(AName, APlatform, ADeviceClass), FColor(AColor)
{
}

QString TqoAssetColor::GetDisplayText() const
{
    return FColor.HasValue() ? TqoColorHelper::ToDisplayString(FColor.Value()) : QString();
}

// ---------------------------------------------------------------------------------------------
// Bitmap sets

TqoBitmapInfo::TqoBitmapInfo(float AScale) : FScale(AScale) {}

TqoBitmapInfo::TqoBitmapInfo(const QString& AUri, float AScale) : FScale(AScale) { SetUri(AUri); }

void TqoBitmapInfo::SetUri(const QString& AUri)
{
    FUri = AUri;
    if (FSource != TqoSource::Memory)
        FSource = AUri.isEmpty() ? TqoSource::None : TqoSource::File;
}

QString TqoBitmapInfo::ScaleText(float AScale)
{
    return QString::number(static_cast<long long>(std::trunc(double(AScale) * 10)));
}

QString TqoBitmapInfo::GetFileName() const { return TqoAssetUri::ToFileName(FUri, FBasePath); }

bool TqoBitmapInfo::HasBitmap() const
{
    switch (FSource) {
    case TqoSource::None:
        return false;
    case TqoSource::Memory:
        return FBitmap.has_value() && !FBitmap->IsEmpty();
    case TqoSource::File:
        return QFileInfo(GetFileName()).isFile();
    }
    return false;
}

TqoBitmap TqoBitmapInfo::GetBitmap() const
{
    switch (FSource) {
    case TqoSource::None:
        break;
    case TqoSource::Memory:
        if (FBitmap)
            return *FBitmap;
        break;
    case TqoSource::File:
        return TqoBitmap::FromFile(GetFileName());
    }
    throw EqoException(QStringLiteral("The bitmap info has no bitmap: scale=\"%1\"").arg(double(FScale)));
}

void TqoBitmapInfo::SetBitmap(const TqoBitmap& ABitmap)
{
    FBitmap = ABitmap;
    FSource = TqoSource::Memory;
}

void TqoBitmapInfo::ClearBitmap()
{
    FBitmap.reset();
    FUri.clear();
    FSource = TqoSource::None;
}

TqoAssetBitmapSet::TqoAssetBitmapSet(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass)
    : TqoAsset(AName, APlatform, ADeviceClass)
{
}

TqoAssetBitmapSet::TqoAssetBitmapSet(const TqoAssetBitmapSet& AOther) : TqoAsset(AOther)
{
    for (const auto& info : AOther.FInfos)
        FInfos.push_back(std::make_unique<TqoBitmapInfo>(*info));
}

bool TqoAssetBitmapSet::IsEmpty() const
{
    return std::none_of(FInfos.begin(), FInfos.end(),
                        [](const auto& I) { return I->GetSource() != TqoBitmapInfo::TqoSource::None; });
}

void TqoAssetBitmapSet::SetBasePath(const QString& ABasePath)
{
    TqoAsset::SetBasePath(ABasePath);
    for (const auto& info : FInfos)
        info->SetBasePath(ABasePath);
}

std::vector<TqoBitmapInfo*> TqoAssetBitmapSet::GetBitmapInfos() const
{
    std::vector<TqoBitmapInfo*> result;
    for (const auto& info : FInfos)
        result.push_back(info.get());
    return result;
}

const std::vector<float> TqoAssetBitmapSet::DefaultScales = {1.0f, 1.5f, 2.0f, 3.0f, 4.0f};

TqoBitmapInfo* TqoAssetBitmapSet::Add(std::unique_ptr<TqoBitmapInfo> AInfo)
{
    TqoAssert::IsNotNil(AInfo, QStringLiteral("AInfo"));
    if (const TqoBitmapInfo* other = FindByScale(AInfo->GetScale()))
        throw EqoException(QStringLiteral("A bitmap set holds each scale once, %1: name=\"%2\"")
                               .arg(DescribeClash(*other, *AInfo), GetName()));
    AInfo->SetBasePath(GetBasePath());
    FInfos.push_back(std::move(AInfo));
    return FInfos.back().get();
}

QString TqoAssetBitmapSet::DescribeClash(const TqoBitmapInfo& AFirst, const TqoBitmapInfo& ASecond)
{
    return QStringLiteral("the scales %1 and %2 would both be stored as @%3x")
        .arg(QString::number(double(AFirst.GetScale()), 'g', 6), QString::number(double(ASecond.GetScale()), 'g', 6),
             AFirst.GetScaleText());
}

TqoBitmapInfo* TqoAssetBitmapSet::FindByScale(float AScale) const
{
    const QString text = TqoBitmapInfo::ScaleText(AScale);
    for (const auto& info : FInfos)
        if (info->GetScaleText() == text)
            return info.get();
    return nullptr;
}

void TqoAssetBitmapSet::AddDefaultScales()
{
    for (float scale : DefaultScales)
        if (!Contains(scale))
            Add(scale);
}

QString TqoAssetBitmapSet::CheckScales() const
{
    for (size_t i = 0; i < FInfos.size(); ++i)
        for (size_t j = i + 1; j < FInfos.size(); ++j)
            if (FInfos[i]->GetScaleText() == FInfos[j]->GetScaleText())
                return DescribeClash(*FInfos[i], *FInfos[j]);
    return QString();
}

void TqoAssetBitmapSet::Remove(TqoBitmapInfo* AInfo)
{
    std::erase_if(FInfos, [AInfo](const auto& I) { return I.get() == AInfo; });
}

bool TqoAssetBitmapSet::FindBitmapInfo(TqoBitmapInfo*& AInfo) const
{
    for (const auto& info : FInfos)
        if (info->HasBitmap()) {
            AInfo = info.get();
            return true;
        }
    return false;
}

bool TqoAssetBitmapSet::FindBitmap(TqoBitmap& ABitmap) const
{
    TqoBitmapInfo* info = nullptr;
    if (!FindBitmapInfo(info))
        return false;
    try {
        ABitmap = info->GetBitmap();
    } catch (const EqoException&) {
        return false; // an unreadable file counts as no bitmap
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Files and SVG

QString TqoAssetFile::FileLocationDisplayText(TqoFileLocation AValue)
{
    switch (AValue) {
    case TqoFileLocation::PrivateDocuments:
        return QStringLiteral("Private documents");
    case TqoFileLocation::PublicDocuments:
        return QStringLiteral("Public documents");
    }
    TqoAssert::UnknownValue(QStringLiteral("TqoFileLocation"));
}

QString TqoAssetFile::ExtractionRuleDisplayText(TqoExtractionRule AValue)
{
    switch (AValue) {
    case TqoExtractionRule::Overwrite:
        return QStringLiteral("Overwrite");
    case TqoExtractionRule::Skip:
        return QStringLiteral("Skip, if the file is exist");
    case TqoExtractionRule::RaiseException:
        return QStringLiteral("Raise exception, if file is exist");
    }
    TqoAssert::UnknownValue(QStringLiteral("TqoExtractionRule"));
}

TqoAssetSVG::TqoAssetSVG(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass)
    : TqoAsset(AName, APlatform, ADeviceClass), FDocument(std::make_unique<TqoVectorDocument>())
{
}

TqoAssetSVG::TqoAssetSVG(const TqoAssetSVG& AOther)
    : TqoAsset(AOther), FSVGUri(AOther.FSVGUri), FVectorUri(AOther.FVectorUri), FSize(AOther.FSize),
      FDocument(std::make_unique<TqoVectorDocument>(*AOther.FDocument))
{
}

QString TqoAssetSVG::GetSVGFileName() const { return TqoAssetUri::ToFileName(FSVGUri, GetBasePath()); }

QString TqoAssetSVG::GetVectorFileName() const { return TqoAssetUri::ToFileName(FVectorUri, GetBasePath()); }

QString TqoAssetSVG::GetSVGContent() const
{
    const QString fileName = GetSVGFileName();
    if (fileName.isEmpty())
        return QString();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// ---------------------------------------------------------------------------------------------
// Kinds

namespace {

using TqoAssetCreator = std::unique_ptr<TqoAsset> (*)(const QString&, TqoPlatform, TqoDeviceClass);

template <typename T> std::unique_ptr<TqoAsset> CreateOf(const QString& AName, TqoPlatform P, TqoDeviceClass D)
{
    return std::make_unique<T>(AName, P, D);
}

const std::vector<std::pair<QString, TqoAssetCreator>>& KindTable()
{
    static const std::vector<std::pair<QString, TqoAssetCreator>> table = {
        {TqoAssetColor::Kind, &CreateOf<TqoAssetColor>},
        {TqoAssetBitmapSet::Kind, &CreateOf<TqoAssetBitmapSet>},
        {TqoAssetFont::Kind, &CreateOf<TqoAssetFont>},
        {TqoAssetFile::Kind, &CreateOf<TqoAssetFile>},
        {TqoAssetLottieAnimation::Kind, &CreateOf<TqoAssetLottieAnimation>},
        {TqoAssetStyle::Kind, &CreateOf<TqoAssetStyle>},
        {TqoAssetSVG::Kind, &CreateOf<TqoAssetSVG>},
        {TqoAssetThemeContainer::Kind, &CreateOf<TqoAssetThemeContainer>}};
    return table;
}

} // namespace

QStringList TqoAssetKinds::Keys()
{
    QStringList keys;
    for (const auto& [key, create] : KindTable())
        keys.append(key);
    return keys;
}

std::unique_ptr<TqoAsset> TqoAssetKinds::Create(const QString& AKey, const QString& AName, TqoPlatform APlatform,
                                                TqoDeviceClass ADeviceClass)
{
    for (const auto& [key, create] : KindTable())
        if (key == AKey)
            return create(AName, APlatform, ADeviceClass);
    return nullptr;
}

std::unique_ptr<TqoAsset> TqoAssetKinds::CreateEmpty(const QString& AKey, const QString& AName, TqoPlatform APlatform,
                                                     TqoDeviceClass ADeviceClass)
{
    std::unique_ptr<TqoAsset> asset = Create(AKey, AName, APlatform, ADeviceClass);
    if (auto* set = dynamic_cast<TqoAssetBitmapSet*>(asset.get()))
        set->AddDefaultScales();
    return asset;
}

// ---------------------------------------------------------------------------------------------
// Groups and order

void TqoAssetGroup::Sort() { std::stable_sort(FAssets.begin(), FAssets.end(), TqoAssetComparer()); }

int TqoAssetComparer::Compare(const TqoAsset& A, const TqoAsset& B)
{
    if (A.GetPlatform() != B.GetPlatform())
        return A.GetPlatform() < B.GetPlatform() ? -1 : 1;
    if (A.GetDeviceClass() != B.GetDeviceClass())
        return A.GetDeviceClass() < B.GetDeviceClass() ? -1 : 1;
    if (const int byName = QString::compare(A.GetName(), B.GetName(), Qt::CaseSensitive))
        return byName < 0 ? -1 : 1;
    const int byKind = QString::compare(A.GetKind(), B.GetKind(), Qt::CaseSensitive);
    return byKind < 0 ? -1 : (byKind > 0 ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// Manager

TqoAssetPtr TqoAssetsManager::Add(TqoAssetPtr AAsset)
{
    TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    if (const QString why = CheckAsset(*AAsset); !why.isEmpty())
        TqoAssert::Fail(QStringLiteral("Invalid asset, %1: asset=%2").arg(why, AAsset->ToString()));
    const QString id = AAsset->GetId();
    if (const TqoAssetPtr existing = FById.value(id)) {
        *std::find(FAssets.begin(), FAssets.end(), existing) = AAsset;
    } else {
        FAssets.push_back(AAsset);
    }
    FById.insert(id, AAsset);
    return AAsset;
}

bool TqoAssetsManager::Remove(const QString& AName)
{
    const auto removed = std::erase_if(FAssets, [&](const TqoAssetPtr& A) { return A->FName == AName; });
    if (removed > 0)
        Reindex();
    return removed > 0;
}

bool TqoAssetsManager::Remove(const TqoAssetPtr& AAsset) { return Remove(AAsset.get()); }

bool TqoAssetsManager::Remove(const TqoAsset* AAsset)
{
    const auto removed = std::erase_if(FAssets, [&](const TqoAssetPtr& A) { return A.get() == AAsset; });
    if (removed > 0)
        Reindex();
    return removed > 0;
}

bool TqoAssetsManager::Rename(const QString& AOldName, const QString& ANewName)
{
    if (const QString why = TqoAssetNameHelper::Check(ANewName); !why.isEmpty())
        TqoAssert::Fail(QStringLiteral("Invalid asset name, %1: name=\"%2\"").arg(why, ANewName));
    if (AOldName == ANewName || !Contains(AOldName) || Contains(ANewName))
        return false;
    for (const TqoAssetPtr& asset : FAssets)
        if (asset->FName == AOldName)
            asset->FName = ANewName;
    Reindex();
    return true;
}

QString TqoAssetsManager::CheckAsset(const TqoAsset& AAsset)
{
    if (const QString why = TqoAssetNameHelper::Check(AAsset.FName); !why.isEmpty())
        return why;
    if (const auto* set = dynamic_cast<const TqoAssetBitmapSet*>(&AAsset))
        return set->CheckScales();
    return QString();
}

bool TqoAssetsManager::Contains(const QString& AName) const
{
    return std::any_of(FAssets.begin(), FAssets.end(), [&](const TqoAssetPtr& A) { return A->FName == AName; });
}

TqoAssetPtr TqoAssetsManager::Find(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass) const
{
    return FById.value(TqoAsset::GenerateId(AName, APlatform, ADeviceClass));
}

TqoAssetPtr TqoAssetsManager::FindById(const QString& AId) const { return FById.value(AId); }

TqoAssetPtr TqoAssetsManager::Resolve(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass) const
{
    for (const auto& [platform, deviceClass] :
         {std::pair{APlatform, ADeviceClass}, std::pair{APlatform, TqoDeviceClass::All},
          std::pair{TqoPlatform::All, ADeviceClass}, std::pair{TqoPlatform::All, TqoDeviceClass::All}})
        if (TqoAssetPtr asset = Find(AName, platform, deviceClass))
            return asset;
    return nullptr;
}

void TqoAssetsManager::Clear()
{
    FAssets.clear();
    FById.clear();
}

TqoAssetList TqoAssetsManager::GetAssets(const TqoAssetPredicate& APredicate) const
{
    TqoAssetList result;
    std::copy_if(FAssets.begin(), FAssets.end(), std::back_inserter(result),
                 [&](const TqoAssetPtr& A) { return APredicate(*A); });
    return result;
}

QStringList TqoAssetsManager::GetAssetsNames() const
{
    return GetAssetsNames([](const QString&) { return true; });
}

QStringList TqoAssetsManager::GetAssetsNames(const std::function<bool(const QString&)>& APredicate) const
{
    QStringList result;
    QSet<QString> seen;
    for (const TqoAssetPtr& asset : FAssets)
        if (!seen.contains(asset->FName)) {
            seen.insert(asset->FName);
            if (APredicate(asset->FName))
                result.append(asset->FName);
        }
    return result;
}

std::vector<TqoAssetGroup> TqoAssetsManager::GetGroupedAssets() const
{
    std::vector<TqoAssetGroup> groups;
    QHash<QString, size_t> indexByName;
    for (const TqoAssetPtr& asset : FAssets) {
        auto it = indexByName.constFind(asset->FName);
        if (it == indexByName.constEnd()) {
            it = indexByName.insert(asset->FName, groups.size());
            groups.emplace_back(asset->FName);
        }
        groups[*it].Add(asset);
    }
    return groups;
}

QStringList TqoAssetsManager::GetThemesNames() const
{
    QStringList result;
    for (const TqoAssetPtr& asset : FAssets)
        if (dynamic_cast<const TqoAssetThemeContainer*>(asset.get()) && !result.contains(asset->FName))
            result.append(asset->FName);
    return result;
}

void TqoAssetsManager::Reindex()
{
    FById.clear();
    for (const TqoAssetPtr& asset : FAssets)
        FById.insert(asset->GetId(), asset);
}

namespace {
TqoPlatform GCurrentPlatform = TqoPlatform::All;
TqoDeviceClass GCurrentDeviceClass = TqoDeviceClass::All;
} // namespace

TqoAssetsManager& TqoAssetsManager::GetCurrent()
{
    static TqoAssetsManager manager;
    return manager;
}

TqoPlatform TqoAssetsManager::CurrentPlatform() { return GCurrentPlatform; }

void TqoAssetsManager::SetCurrentPlatform(TqoPlatform APlatform) { GCurrentPlatform = APlatform; }

TqoDeviceClass TqoAssetsManager::CurrentDeviceClass() { return GCurrentDeviceClass; }

void TqoAssetsManager::SetCurrentDeviceClass(TqoDeviceClass ADeviceClass) { GCurrentDeviceClass = ADeviceClass; }

std::shared_ptr<TqoAssetColor> TqoAssetsManagerHelper::AddColor(TqoAssetsManager& AManager, const QString& AName,
                                                                TqoAlphaColor AColor, bool AOverwrite)
{
    if (const TqoAssetPtr existing = AManager.Find(AName, TqoPlatform::All, TqoDeviceClass::All)) {
        auto color = std::dynamic_pointer_cast<TqoAssetColor>(existing);
        if (!color)
            TqoAssert::Fail(QStringLiteral("The asset exists with another kind: name=\"%1\"").arg(AName));
        if (AOverwrite)
            color->SetColor(AColor);
        return color;
    }
    auto color = std::make_shared<TqoAssetColor>(AName, AColor);
    AManager.Add(color);
    return color;
}

} // namespace core
