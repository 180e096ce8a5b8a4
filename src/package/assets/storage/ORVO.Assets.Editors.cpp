#include "ORVO.Assets.Editors.h"

#include "ORVO.Assert.h"
#include "ORVO.Designer.Preview.h"
#include "ORVO.Externals.SvgBrush.h"
#include "ORVO.Log.h"
#include "ORVO.WriteJournal.h"
#include "System.Skia.h"
#include "assets/editors/ORVO.Assets.Editor.BitmapSet.h"
#include "assets/editors/ORVO.Assets.Editor.Color.h"
#include "assets/editors/ORVO.Assets.Editor.CustomFile.h"
#include "assets/editors/ORVO.Assets.Editor.Font.h"
#include "assets/editors/ORVO.Assets.Editor.LottieAnimation.h"
#include "assets/editors/ORVO.Assets.Editor.Style.h"
#include "vectorimage/ORVO.VectorImage.Editor.SVG.h"
#include "vectorimage/ORVO.VectorImage.Reader.SVG.h"

#include <QBuffer>
#include <QCache>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

namespace orvo {

namespace {

const QString LogCategory = QStringLiteral("AssetsDesigner");

constexpr core::TqoAlphaColor BorderColor = 0xFFD3D3D3;
constexpr core::TqoAlphaColor CrossColor = 0xFFFF0000;
constexpr int PreviewCellSize = 4;
// Images brighter than this get the dark chessboard.
constexpr float DarkGridLuminance = 0.65f;

// Extension of the last level of a path or uri, with its dot; either separator counts,
// since uris use backslashes and file names the platform's separator.
QString ExtractFileExt(const QString& AFileName)
{
    const qsizetype dot = AFileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator =
        std::max(AFileName.lastIndexOf(QLatin1Char('/')), AFileName.lastIndexOf(QLatin1Char('\\')));
    return dot > separator ? AFileName.mid(dot) : QString();
}

// The local file a uri names. A relative uri belongs to the assets folder, so an asset
// that was never loaded from a configuration resolves against the folder it is saved to.
QString SourceFileName(const QString& AUri, const QString& ABasePath, const QString& ARootPath)
{
    return core::TqoAssetUri::ToFileName(AUri, ABasePath.isEmpty() ? ARootPath : ABasePath);
}

bool IsExistingFile(const QString& AFileName) { return !AFileName.isEmpty() && QFileInfo(AFileName).isFile(); }

// Names of two paths that differ only in letter case are one file where the file system
// ignores case and two files where it does not; only the file system can tell.
bool IsSameFileIgnoringCase(const QString& ASource, const QString& ADest)
{
    if (ASource == ADest)
        return true;
    if (ASource.compare(ADest, Qt::CaseInsensitive) != 0)
        return false;
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(ASource.toStdString()),
                                       std::filesystem::path(ADest.toStdString()), error);
}

// Whether two files hold the same bytes; size first, so most changed files cost no read.
bool HasSameContent(const QString& ASource, const QString& ADest)
{
    const QFileInfo dest(ADest);
    if (!dest.isFile() || dest.isSymLink() || dest.size() != QFileInfo(ASource).size())
        return false;
    QFile a(ASource);
    QFile b(ADest);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return false;
    while (!a.atEnd()) {
        const QByteArray chunk = a.read(1 << 16);
        if (chunk.isEmpty() || b.read(chunk.size()) != chunk)
            return false;
    }
    return b.atEnd();
}

void RefuseLink(const QString& ADest)
{
    if (QFileInfo(ADest).isSymLink())
        throw core::EqoFileError(ADest, 0,
                                 QStringLiteral("is a symbolic link; the assets' files are never written "
                                                "through links"));
}

// Replaces ADest through a temporary file beside it, renamed over it at the end, so a failed
// write leaves the old file. The files are not flushed to disk one by one: the document
// flushes the file system once, before it writes the configuration that names them.
void ReplaceFile(const QString& ADest, const std::function<bool(QIODevice&)>& AWrite)
{
    RefuseLink(ADest);
    const auto fail = [&](const QString& AError) {
        throw core::EqoFileError(ADest, 0, QStringLiteral("cannot write the file: %1").arg(AError));
    };
    if (!QFileInfo::exists(ADest)) {
        // A new file replaces nothing, so it is written in place (created exclusively, which
        // also refuses a link made meanwhile) and removed again when the write fails.
        QFile file(ADest);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            fail(file.errorString());
        if (!AWrite(file) || !file.flush()) {
            const QString error = file.errorString();
            file.remove();
            fail(error);
        }
        core::TqoWriteJournal::Note(ADest);
        return;
    }
    QTemporaryFile temp(ADest + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        fail(temp.errorString());
    if (!AWrite(temp) || !temp.flush())
        fail(temp.errorString());
    const QFileInfo dest(ADest);
    temp.setPermissions(dest.exists() ? dest.permissions()
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    temp.close();
    if (::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(ADest).constData()) != 0)
        fail(QString::fromLocal8Bit(strerror(errno)));
    temp.setAutoRemove(false);
    core::TqoWriteJournal::Note(ADest);
}

// Writes the bytes unless the file holds them already, modification time and all.
void WriteIfChanged(const QString& ADest, const QByteArray& ABytes)
{
    const QFileInfo dest(ADest);
    if (dest.isFile() && !dest.isSymLink() && dest.size() == ABytes.size()) {
        QFile existing(ADest);
        if (existing.open(QIODevice::ReadOnly) && existing.readAll() == ABytes)
            return;
    }
    ReplaceFile(ADest, [&](QIODevice& AFile) { return AFile.write(ABytes) == ABytes.size(); });
}

// Copies byte for byte, overwriting; a destination that already holds the same bytes is left
// as it is. Copying a file onto itself cannot empty it.
void CopyFileOverwriting(const QString& ASource, const QString& ADest)
{
    if (HasSameContent(ASource, ADest))
        return;
    QFile source(ASource);
    if (!source.open(QIODevice::ReadOnly))
        throw core::EqoFileError(ASource, 0, QStringLiteral("cannot open for copying: %1").arg(source.errorString()));
    ReplaceFile(ADest, [&](QIODevice& AFile) {
        while (!source.atEnd()) {
            const QByteArray chunk = source.read(1 << 20);
            if ((chunk.isEmpty() && source.error() != QFileDevice::NoError) || AFile.write(chunk) != chunk.size())
                return false;
        }
        return true;
    });
}

// An in-memory bitmap as PNG, written only when the file does not hold those bytes already.
// A generated set keeps its bitmaps in memory from save to save: their PNG bytes are kept
// too, by the image's cache key (which changes with every change of its pixels), so a save
// that changes nothing does not encode them all again.
void SaveBitmapIfChanged(const core::TqoBitmap& ABitmap, const QString& ADest)
{
    static QCache<qint64, QByteArray> encoded(64 << 20);
    const QImage& image = ABitmap.Image();
    if (const QByteArray* bytes = encoded.object(image.cacheKey())) {
        WriteIfChanged(ADest, *bytes);
        return;
    }
    auto bytes = std::make_unique<QByteArray>();
    QBuffer buffer(bytes.get());
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "png"))
        throw core::EqoFileError(ADest, 0, QStringLiteral("cannot write image"));
    WriteIfChanged(ADest, *bytes);
    const qsizetype size = bytes->size();
    encoded.insert(image.cacheKey(), bytes.release(), size);
}

// Where an asset's files go: a folder named after the asset below the folders of its group path.
struct TqoStorageFolder
{
    QString Relative;  // relative folder, platform separators
    QString Full;      // ARootPath combined with Relative
    QString UriPrefix; // relative folder as uris write it (backslashes), with a trailing backslash

    QString Uri(const QString& AFileName) const { return UriPrefix + AFileName; }
    QString FileName(const QString& AFileName) const { return Full + QLatin1Char('/') + AFileName; }
};

TqoStorageFolder CreateStorageFolder(const core::TqoAsset& AAsset, const QString& ARootPath)
{
    CheckStorageName(AAsset.GetName());
    const QString relativePath = AAsset.GetRelativePath();
    QString relative = relativePath;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    relative = relative.isEmpty() ? AAsset.GetShortName() : relative + QLatin1Char('/') + AAsset.GetShortName();

    TqoStorageFolder folder;
    folder.Relative = QDir::toNativeSeparators(relative);
    folder.Full = QDir::cleanPath(ARootPath + QLatin1Char('/') + relative);
    folder.UriPrefix = relative;
    folder.UriPrefix.replace(QLatin1Char('/'), QLatin1Char('\\'));
    folder.UriPrefix += QLatin1Char('\\');

    // The name check keeps the folder inside the root; this guards the check itself.
    const QString root = QDir::cleanPath(ARootPath);
    if (root.isEmpty() || !folder.Full.startsWith(root + QLatin1Char('/')))
        throw EqoAssetStorageError(
            QStringLiteral("[Assets Designer]: Asset's folder would lie outside the assets folder: path=\"%1\"")
                .arg(QDir::toNativeSeparators(folder.Full)));
    if (!QDir().mkpath(folder.Full))
        throw EqoAssetStorageError(
            QStringLiteral("[Assets Designer]: Cannot create directory for saving asset's file: path=\"%1\"")
                .arg(QDir::toNativeSeparators(folder.Full)));
    return folder;
}

// file, font, lottie-json, style: one file named after the target id.
QStringList SaveSingleFile(core::TqoAssetWithUri& AAsset, const QString& ARootPath)
{
    if (AAsset.IsExternal())
        return {};
    const QString source = SourceFileName(AAsset.GetUri(), AAsset.GetBasePath(), ARootPath);
    if (!IsExistingFile(source))
        return {};

    const TqoStorageFolder folder = CreateStorageFolder(AAsset, ARootPath);
    const QString fileName = AAsset.GetTargetId() + ExtractFileExt(AAsset.GetUri());
    const QString fullFileName = folder.FileName(fileName);
    if (!IsSameFileIgnoringCase(source, fullFileName))
        CopyFileOverwriting(source, fullFileName);
    AAsset.SetUri(folder.Uri(fileName));
    AAsset.SetBasePath(QDir::cleanPath(ARootPath));
    return {fullFileName};
}

QString UpperExtension(const core::TqoAssetWithUri& AAsset) { return ExtractFileExt(AAsset.GetUri()).mid(1).toUpper(); }

std::unique_ptr<QImage> ToWindowBitmap(const core::TqoBitmap& ABitmap) { return dsgn::FMXBitmapToVCLBitmap(ABitmap); }

std::shared_ptr<ext::ISkPath> RectPath(const QRectF& ARect)
{
    ext::TSkPathBuilder builder;
    builder.MoveTo(ARect.topLeft()).LineTo(ARect.topRight()).LineTo(ARect.bottomRight()).LineTo(ARect.bottomLeft());
    builder.Close();
    return builder.Detach();
}

std::shared_ptr<ext::ISkPaint> Paint(ext::TSkPaintStyle AStyle, core::TqoAlphaColor AColor, float AWidth = 1,
                                     bool AAntiAlias = true)
{
    auto paint = ext::TSkPaint::Create(AStyle);
    paint->SetAntiAlias(AAntiAlias);
    paint->SetColor(AColor);
    paint->SetStrokeWidth(AWidth);
    paint->SetStrokeJoin(ext::TSkStrokeJoin::Miter);
    return paint;
}

// The preview of an asset that has nothing to show: a white tile with a dashed border and a
// small red cross in its top-right corner.
std::unique_ptr<QImage> PlaceholderPreview(const QSize& ASize)
{
    core::TqoBitmap bitmap(ASize.width(), ASize.height());
    bitmap.Clear(core::TqoAlphaColors::White);
    const double width = ASize.width();
    const QRectF bounds = QRectF(0, 0, ASize.width(), ASize.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    ext::TSkBitmapHelper::SkiaDraw(
        bitmap.Image(),
        [&](const std::shared_ptr<ext::ISkCanvas>& ACanvas) {
            // One-pixel lines on pixel centers: aliased, so they stay crisp and fully opaque.
            auto border = Paint(ext::TSkPaintStyle::Stroke, BorderColor, 1, false);
            border->SetPathEffect(ext::TSkPathEffect::MakeDash({3, 1}, 0));
            ACanvas->DrawPath(*RectPath(bounds), *border);

            ext::TSkPathBuilder cross;
            cross.MoveTo({width - 4, 12}).LineTo({width - 12, 4});
            cross.MoveTo({width - 4, 4}).LineTo({width - 12, 12});
            ACanvas->DrawPath(*cross.Detach(), *Paint(ext::TSkPaintStyle::Stroke, CrossColor, 2));
        },
        false);
    return ToWindowBitmap(bitmap);
}

// An image on the chessboard that keeps it visible: light images on the dark one.
std::unique_ptr<QImage> ImagePreview(const core::TqoBitmap& ABitmap, const QSize& ASize)
{
    const dsgn::TqoGridColors colors =
        dsgn::Luminance(ABitmap) > DarkGridLuminance ? dsgn::DarkGridColors : dsgn::LightGridColors;
    return ToWindowBitmap(dsgn::CreatePreview(ABitmap, ASize, colors.Color1, colors.Color2, PreviewCellSize));
}

bool IsEmptySize(const QSize& ASize) { return ASize.width() <= 0 || ASize.height() <= 0; }

} // namespace

// ---------------------------------------------------------------------------------------------
// Names and scale texts

void CheckStorageName(const QString& AAssetName)
{
    // The name rule of the model, checked again as the last guard before a file is written.
    const QString LWhy = core::TqoAssetNameHelper::Check(AAssetName);
    if (!LWhy.isEmpty())
        throw EqoAssetStorageError(
            QStringLiteral("[Assets Designer]: Asset's name cannot name a folder inside the assets folder (%1): "
                           "name=\"%2\"")
                .arg(LWhy, AAssetName));
}

// ---------------------------------------------------------------------------------------------
// color

QString TqoAssetEditorColor::GetAdditionalInfo(const core::TqoAsset* AAsset) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    return core::TqoAssert::IsClass<const core::TqoAssetColor>(AAsset)->GetDisplayText();
}

std::unique_ptr<QImage> TqoAssetEditorColor::GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AResource"));
    const auto* asset = core::TqoAssert::IsClass<const core::TqoAssetColor>(AAsset);
    if (IsEmptySize(ASize))
        return nullptr;
    core::TqoBitmap bitmap(ASize.width(), ASize.height());
    dsgn::CreateChessBackground(bitmap, PreviewCellSize, core::TqoAlphaColors::White, BorderColor);
    const QRectF bounds = QRectF(0, 0, ASize.width(), ASize.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    ext::TSkBitmapHelper::SkiaDraw(
        bitmap.Image(),
        [&](const std::shared_ptr<ext::ISkCanvas>& ACanvas) {
            const auto rect = RectPath(bounds);
            ACanvas->DrawPath(*rect, *Paint(ext::TSkPaintStyle::Fill, asset->GetColor()));
            ACanvas->DrawPath(*rect, *Paint(ext::TSkPaintStyle::Stroke, BorderColor, 1, false));
        },
        false);
    return ToWindowBitmap(bitmap);
}

TBaseAssetEditorFrame* TqoAssetEditorColor::CreateEditor(core::TqoAsset* AAsset) const
{
    return new TEditorColor(AAsset);
}

QStringList TqoAssetEditorColor::SaveTo(core::TqoAsset* AAsset, const QString&) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    core::TqoAssert::IsClass<core::TqoAssetColor>(AAsset);
    return {};
}

std::unique_ptr<core::TqoAsset> TqoAssetEditorColor::TryCreateAsset(const QString&, const QString&) const
{
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// bitmap-set

QString TqoAssetEditorBitmapSet::GetAdditionalInfo(const core::TqoAsset* AAsset) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    const auto* asset = core::TqoAssert::IsClass<const core::TqoAssetBitmapSet>(AAsset);
    core::TqoBitmapInfo* info = nullptr;
    if (!asset->FindBitmapInfo(info) || !info->HasBitmap() || !(info->GetScale() > 0))
        return QString();
    try {
        const core::TqoBitmap bitmap = info->GetBitmap();
        // Rounded half to even, as the host's Round does.
        const auto width = static_cast<long long>(std::nearbyint(bitmap.GetWidth() / double(info->GetScale())));
        const auto height = static_cast<long long>(std::nearbyint(bitmap.GetHeight() / double(info->GetScale())));
        return QStringLiteral("%1 x %2").arg(width).arg(height);
    } catch (const std::exception&) {
        return QString(); // an unreadable bitmap has no size to show
    }
}

std::unique_ptr<QImage> TqoAssetEditorBitmapSet::GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AResource"));
    const auto* asset = core::TqoAssert::IsClass<const core::TqoAssetBitmapSet>(AAsset);
    if (IsEmptySize(ASize))
        return nullptr;
    try {
        core::TqoBitmap bitmap;
        if (asset->FindBitmap(bitmap))
            return ImagePreview(bitmap, ASize);
    } catch (const std::exception& E) {
        core::TqoLog::Error(LogCategory, QString::fromUtf8(E.what()));
    }
    return PlaceholderPreview(ASize);
}

TBaseAssetEditorFrame* TqoAssetEditorBitmapSet::CreateEditor(core::TqoAsset* AAsset) const
{
    return new TEditorBitmapSet(AAsset);
}

QStringList TqoAssetEditorBitmapSet::SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    auto* asset = core::TqoAssert::IsClass<core::TqoAssetBitmapSet>(AAsset);
    if (asset->IsExternal())
        return {};

    const TqoStorageFolder folder = CreateStorageFolder(*asset, ARootPath);
    // Relative uris of a set never loaded from a configuration belong to this folder.
    if (asset->GetBasePath().isEmpty())
        asset->SetBasePath(QDir::cleanPath(ARootPath));
    core::TqoLog::Trace(LogCategory, QStringLiteral("SaveTo: RelativePath=\"%1\", FullPath=\"%2\""), folder.Relative,
                        QDir::toNativeSeparators(folder.Full));

    QStringList result;
    for (core::TqoBitmapInfo* info : asset->GetBitmapInfos()) {
        if (!info->HasBitmap())
            continue;
        const QString fileName = QStringLiteral("%1@%2x.png").arg(asset->GetTargetId(), info->GetScaleText());
        const QString fullFileName = folder.FileName(fileName);
        core::TqoLog::Trace(LogCategory, QStringLiteral("- BitmapInfo.Uri=\"%1\", FullFileName=\"%2\""), info->GetUri(),
                            fullFileName);
        switch (info->GetSource()) {
        case core::TqoBitmapInfo::TqoSource::File: {
            // Stored unconverted: a JPEG source keeps its bytes under the ".png" name.
            const QString source = info->GetFileName();
            if (source != fullFileName)
                CopyFileOverwriting(source, fullFileName);
            break;
        }
        case core::TqoBitmapInfo::TqoSource::Memory:
            SaveBitmapIfChanged(info->GetBitmap(), fullFileName);
            break;
        default:
            core::TqoAssert::UnknownValue(QStringLiteral("TqoBitmapInfo.TqoSource"));
        }
        result.append(fullFileName);
        info->SetUri(folder.Uri(fileName));
    }
    asset->SetBasePath(QDir::cleanPath(ARootPath));
    return result;
}

std::unique_ptr<core::TqoAsset> TqoAssetEditorBitmapSet::TryCreateAsset(const QString& AAssetName,
                                                                        const QString& AFileName) const
{
    const QString extension = ExtractFileExt(AFileName).toLower();
    if (extension != QLatin1String(".jpg") && extension != QLatin1String(".jpeg") &&
        extension != QLatin1String(".png") && extension != QLatin1String(".bmp"))
        return nullptr;
    auto asset =
        std::make_unique<core::TqoAssetBitmapSet>(AAssetName, core::TqoPlatform::All, core::TqoDeviceClass::All);
    asset->Add(std::make_unique<core::TqoBitmapInfo>(AFileName, 1.0f));
    asset->AddDefaultScales();
    return asset;
}

// ---------------------------------------------------------------------------------------------
// font

QString TqoAssetEditorFont::GetAdditionalInfo(const core::TqoAsset* AAsset) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    return UpperExtension(*core::TqoAssert::IsClass<const core::TqoAssetFont>(AAsset));
}

std::unique_ptr<QImage> TqoAssetEditorFont::GeneratePreview(const core::TqoAsset*, const QSize&) const
{
    return nullptr;
}

TBaseAssetEditorFrame* TqoAssetEditorFont::CreateEditor(core::TqoAsset* AAsset) const
{
    return new TEditorFont(AAsset);
}

QStringList TqoAssetEditorFont::SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    return SaveSingleFile(*core::TqoAssert::IsClass<core::TqoAssetFont>(AAsset), ARootPath);
}

std::unique_ptr<core::TqoAsset> TqoAssetEditorFont::TryCreateAsset(const QString& AAssetName,
                                                                   const QString& AFileName) const
{
    const QString extension = ExtractFileExt(AFileName).toLower();
    if (extension != QLatin1String(".otf") && extension != QLatin1String(".ttf"))
        return nullptr;
    auto asset = std::make_unique<core::TqoAssetFont>(AAssetName, core::TqoPlatform::All, core::TqoDeviceClass::All);
    asset->SetUri(AFileName);
    return asset;
}

// ---------------------------------------------------------------------------------------------
// lottie-json

QString TqoAssetEditorLottieAnimation::GetAdditionalInfo(const core::TqoAsset* AAsset) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    return UpperExtension(*core::TqoAssert::IsClass<const core::TqoAssetLottieAnimation>(AAsset));
}

std::unique_ptr<QImage> TqoAssetEditorLottieAnimation::GeneratePreview(const core::TqoAsset*, const QSize&) const
{
    return nullptr;
}

TBaseAssetEditorFrame* TqoAssetEditorLottieAnimation::CreateEditor(core::TqoAsset* AAsset) const
{
    return new TEditorLottieAnimation(AAsset);
}

QStringList TqoAssetEditorLottieAnimation::SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    return SaveSingleFile(*core::TqoAssert::IsClass<core::TqoAssetLottieAnimation>(AAsset), ARootPath);
}

std::unique_ptr<core::TqoAsset> TqoAssetEditorLottieAnimation::TryCreateAsset(const QString&, const QString&) const
{
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// style

QString TqoAssetEditorStyle::GetAdditionalInfo(const core::TqoAsset* AAsset) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    const QString styleClass = core::TqoAssert::IsClass<const core::TqoAssetStyle>(AAsset)->GetStyleClass();
    return styleClass.isEmpty() ? QStringLiteral("None") : styleClass;
}

std::unique_ptr<QImage> TqoAssetEditorStyle::GeneratePreview(const core::TqoAsset*, const QSize&) const
{
    return nullptr;
}

TBaseAssetEditorFrame* TqoAssetEditorStyle::CreateEditor(core::TqoAsset* AAsset) const
{
    return new TEditorStyle(AAsset);
}

QStringList TqoAssetEditorStyle::SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    return SaveSingleFile(*core::TqoAssert::IsClass<core::TqoAssetStyle>(AAsset), ARootPath);
}

std::unique_ptr<core::TqoAsset> TqoAssetEditorStyle::TryCreateAsset(const QString&, const QString&) const
{
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// svg

QString TqoAssetEditorSVG::GetAdditionalInfo(const core::TqoAsset* AAsset) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    const auto* asset = core::TqoAssert::IsClass<const core::TqoAssetSVG>(AAsset);
    // "%.0f" rounds half away from zero.
    auto number = [](float AValue) { return QString::number(std::round(double(AValue)), 'f', 0); };
    return QStringLiteral("%1 x %2").arg(number(asset->GetWidth()), number(asset->GetHeight()));
}

std::unique_ptr<QImage> TqoAssetEditorSVG::GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AResource"));
    const auto* asset = core::TqoAssert::IsClass<const core::TqoAssetSVG>(AAsset);
    if (IsEmptySize(ASize))
        return nullptr;
    if (IsExistingFile(asset->GetSVGFileName())) {
        try {
            return ImagePreview(dsgn::GenerateBitmap(*asset, ASize), ASize);
        } catch (const std::exception& E) {
            core::TqoLog::Error(LogCategory, QString::fromUtf8(E.what()));
        }
    }
    return PlaceholderPreview(ASize);
}

TBaseAssetEditorFrame* TqoAssetEditorSVG::CreateEditor(core::TqoAsset* AAsset) const { return new TEditorSVG(AAsset); }

QStringList TqoAssetEditorSVG::SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    auto* asset = core::TqoAssert::IsClass<core::TqoAssetSVG>(AAsset);
    if (asset->IsExternal())
        return {};
    const QString source = SourceFileName(asset->GetSVGUri(), asset->GetBasePath(), ARootPath);
    if (!IsExistingFile(source))
        return {};

    const TqoStorageFolder folder = CreateStorageFolder(*asset, ARootPath);
    const QString svgFileName = asset->GetTargetId() + ExtractFileExt(asset->GetSVGUri());
    const QString fullSVGFileName = folder.FileName(svgFileName);
    if (!IsSameFileIgnoringCase(source, fullSVGFileName))
        CopyFileOverwriting(source, fullSVGFileName);

    // The vector file is rebuilt from the stored copy on every save. A reading that fails is
    // logged by the reader and leaves what it recorded; both files stay claimed, so a file
    // the reader cannot take never costs the user the SVG itself. The uris change only once
    // both files are written: a failed write leaves the asset pointing at its source.
    const QString vectorFileName = asset->GetTargetId() + QStringLiteral(".vector");
    const QString fullVectorFileName = folder.FileName(vectorFileName);
    if (TqoVectorReaderSVG::LoadFromFile(asset->GetVectorDocument(), fullSVGFileName) == TqoResultParsing::Failed)
        core::TqoLog::Warning(LogCategory,
                              QStringLiteral("The SVG reader could not read the SVG file: fileName=\"%1\""),
                              fullSVGFileName);
    WriteIfChanged(fullVectorFileName, asset->GetVectorDocument().SaveToBytes());
    asset->SetSVGUri(folder.Uri(svgFileName));
    asset->SetVectorUri(folder.Uri(vectorFileName));
    asset->SetBasePath(QDir::cleanPath(ARootPath));
    return {fullSVGFileName, fullVectorFileName};
}

std::unique_ptr<core::TqoAsset> TqoAssetEditorSVG::TryCreateAsset(const QString& AAssetName,
                                                                  const QString& AFileName) const
{
    if (ExtractFileExt(AFileName).toLower() != QLatin1String(".svg"))
        return nullptr;
    auto asset = std::make_unique<core::TqoAssetSVG>(AAssetName, core::TqoPlatform::All, core::TqoDeviceClass::All);
    asset->SetSVGUri(AFileName);
    QFile file(AFileName);
    if (file.open(QIODevice::ReadOnly)) {
        ext::TSkSvgBrush brush;
        brush.SetSource(QString::fromUtf8(file.readAll()));
        asset->SetSize(brush.GetOriginalSize());
    }
    return asset;
}

// ---------------------------------------------------------------------------------------------
// file

QString TqoAssetEditorFile::GetAdditionalInfo(const core::TqoAsset* AAsset) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    return UpperExtension(*core::TqoAssert::IsClass<const core::TqoAssetFile>(AAsset));
}

std::unique_ptr<QImage> TqoAssetEditorFile::GeneratePreview(const core::TqoAsset*, const QSize&) const
{
    return nullptr;
}

TBaseAssetEditorFrame* TqoAssetEditorFile::CreateEditor(core::TqoAsset* AAsset) const
{
    return new TEditorFile(AAsset);
}

QStringList TqoAssetEditorFile::SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    return SaveSingleFile(*core::TqoAssert::IsClass<core::TqoAssetFile>(AAsset), ARootPath);
}

std::unique_ptr<core::TqoAsset> TqoAssetEditorFile::TryCreateAsset(const QString& AAssetName,
                                                                   const QString& AFileName) const
{
    auto asset = std::make_unique<core::TqoAssetFile>(AAssetName, core::TqoPlatform::All, core::TqoDeviceClass::All);
    asset->SetUri(AFileName);
    return asset;
}

// ---------------------------------------------------------------------------------------------
// theme-container

QString TqoAssetEditorThemeContainer::GetAdditionalInfo(const core::TqoAsset* AAsset) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    core::TqoAssert::IsClass<const core::TqoAssetThemeContainer>(AAsset);
    return QString();
}

std::unique_ptr<QImage> TqoAssetEditorThemeContainer::GeneratePreview(const core::TqoAsset*, const QSize&) const
{
    return nullptr;
}

TBaseAssetEditorFrame* TqoAssetEditorThemeContainer::CreateEditor(core::TqoAsset* AAsset) const
{
    return new TEditorKindPreview(AAsset);
}

QStringList TqoAssetEditorThemeContainer::SaveTo(core::TqoAsset* AAsset, const QString&) const
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    core::TqoAssert::IsClass<core::TqoAssetThemeContainer>(AAsset);
    return {};
}

std::unique_ptr<core::TqoAsset> TqoAssetEditorThemeContainer::TryCreateAsset(const QString&, const QString&) const
{
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Registry

TqoAssetsEditorsManager* TqoAssetsEditorsManager::FInstance = nullptr;

void TqoAssetsEditorsManager::Register(const QString& AType, const IORVOAssetEditorPtr& AEditor)
{
    core::TqoAssert::IsNotNil(AEditor, QStringLiteral("AEditor"));
    if (FEditors.contains(AType))
        throw EListError(QStringLiteral("Duplicates not allowed: key=\"%1\"").arg(AType));
    FEditors.insert(AType, AEditor);
    FOrderedEditors.push_back(AEditor);
}

IORVOAssetEditorPtr TqoAssetsEditorsManager::GetEditors(const QString& Type) const
{
    const auto it = FEditors.constFind(Type);
    if (it == FEditors.constEnd())
        throw EListError(QStringLiteral("Item not found: key=\"%1\"").arg(Type));
    return it.value();
}

std::unique_ptr<core::TqoAsset> TqoAssetsEditorsManager::TryCreateAsset(const QString& AAssetName,
                                                                        const QString& AFileName) const
{
    for (const IORVOAssetEditorPtr& editor : FOrderedEditors)
        if (std::unique_ptr<core::TqoAsset> asset = editor->TryCreateAsset(AAssetName, AFileName))
            return asset;
    return nullptr;
}

void AssetsEditorsInitialization()
{
    if (TqoAssetsEditorsManager::FInstance)
        return;
    auto manager = std::make_unique<TqoAssetsEditorsManager>();
    manager->Register(core::TqoAssetColor::Kind, std::make_shared<TqoAssetEditorColor>());
    manager->Register(core::TqoAssetBitmapSet::Kind, std::make_shared<TqoAssetEditorBitmapSet>());
    manager->Register(core::TqoAssetFont::Kind, std::make_shared<TqoAssetEditorFont>());
    manager->Register(core::TqoAssetLottieAnimation::Kind, std::make_shared<TqoAssetEditorLottieAnimation>());
    manager->Register(core::TqoAssetStyle::Kind, std::make_shared<TqoAssetEditorStyle>());
    manager->Register(core::TqoAssetSVG::Kind, std::make_shared<TqoAssetEditorSVG>());
    manager->Register(core::TqoAssetFile::Kind, std::make_shared<TqoAssetEditorFile>());
    manager->Register(core::TqoAssetThemeContainer::Kind, std::make_shared<TqoAssetEditorThemeContainer>());
    TqoAssetsEditorsManager::FInstance = manager.release();
}

void AssetsEditorsFinalization()
{
    delete TqoAssetsEditorsManager::FInstance;
    TqoAssetsEditorsManager::FInstance = nullptr;
}

} // namespace orvo
