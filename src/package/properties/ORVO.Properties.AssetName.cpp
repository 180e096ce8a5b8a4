#include "ORVO.Properties.AssetName.h"

#include "ORVO.Assets.h"
#include "ORVO.Components.Base.h"
#include "ORVO.Designer.Preview.h"
#include "ORVO.Log.h"
#include "assets/designer/ORVO.Assets.DataModule.h"
#include "assets/editors/Form.AssetsChooser.h"

#include <QPainter>
#include <QPalette>

namespace orvo {

namespace {

const QString CLogCategory = QStringLiteral("AssetNameProperty");
const QString CNameSuffix = QStringLiteral("Name");

template <typename T> std::shared_ptr<T> Resolve(const QString& AName)
{
    const auto LManager = CurrentDesignAssetsManager();
    return LManager->ResolveAs<T>(AName, core::TqoAssetsManager::CurrentPlatform(),
                                  core::TqoAssetsManager::CurrentDeviceClass());
}

bool ColorLiteral(const QString& AName, core::TqoAlphaColor& AColor)
{
    if (core::TqoColorHelper::TryParse(AName, AColor))
        return true;
    // Named colors of the graphics library as well as hexadecimal ones.
    const QColor LColor = QColor::fromString(AName);
    if (!LColor.isValid())
        return false;
    AColor = LColor.rgba();
    return true;
}

QImage Filled(const QSize& ASize, core::TqoAlphaColor AColor)
{
    QImage LImage(ASize, QImage::Format_ARGB32);
    LImage.fill(QColor::fromRgba(AColor));
    return LImage;
}

} // namespace

TqoImageNamePropertyValues::~TqoImageNamePropertyValues()
{
    // The link belongs to the component.
    FAssetLink = nullptr;
}

void TqoImageNamePropertyValues::SetPropEntry(int AIndex, QObject* AInstance, const QMetaProperty& AProperty)
{
    TStringProperty::SetPropEntry(AIndex, AInstance, AProperty);
    const QString LName = QString::fromLatin1(AProperty.name());
    if (!LName.endsWith(CNameSuffix)) {
        core::TqoLog::Warning(CLogCategory,
                              QStringLiteral("Свойство \"%1\" не верно названо и должно заканчиваться на \"Name\"."),
                              LName);
        return;
    }
    const QString LLinkName = LName.left(LName.lastIndexOf(CNameSuffix)) + QStringLiteral("Link");
    const int LIndex = AInstance->metaObject()->indexOfProperty(LLinkName.toLatin1().constData());
    if (LIndex < 0) {
        core::TqoLog::Warning(CLogCategory, QStringLiteral("Не могу найти свойство связи с ассетом по имени \"%1\"."),
                              LLinkName);
        return;
    }
    FAssetLink =
        qobject_cast<core::TqoAssetLink*>(AInstance->metaObject()->property(LIndex).read(AInstance).value<QObject*>());
}

ide::TPropertyAttributes TqoImageNamePropertyValues::GetAttributes()
{
    return TStringProperty::GetAttributes() | ide::paDialog | ide::paVolatileSubProperties;
}

QString TqoImageNamePropertyValues::GetValue()
{
    if (FIsSelected || !FAssetLink)
        return TStringProperty::GetValue();
    const QString LName = FAssetLink->GetName();
    return LName.isEmpty() ? GetDefaultThemeAssetName() : LName;
}

QString TqoImageNamePropertyValues::GetDefaultThemeAssetName() const
{
    return FAssetLink ? FAssetLink->GetDefaultName() : QString();
}

TqoAssetTypes TqoImageNamePropertyValues::AssetTypes() const
{
    if (qobject_cast<core::TqoAssetColorLink*>(FAssetLink))
        return {TqoAssetType::Colors};
    if (qobject_cast<core::TqoAssetLottieAnimationLink*>(FAssetLink))
        return {TqoAssetType::LottieAnimations};
    if (qobject_cast<core::TqoAssetStyleLink*>(FAssetLink))
        return {TqoAssetType::Styles};
    return {TqoAssetType::Bitmaps, TqoAssetType::Colors, TqoAssetType::SVG};
}

void TqoImageNamePropertyValues::Edit()
{
    QString LCurrent;
    if (FAssetLink) {
        LCurrent = FAssetLink->GetName();
        if (LCurrent.isEmpty())
            LCurrent = FAssetLink->GetDefaultName();
    } else
        LCurrent = GetValue();
    TFormAssetsChooser::Show(AssetTypes(), LCurrent, [this](const QString& AName) { SetImageName(AName); });
}

TqoImageNamePropertyValues::TqoBitmapHolder TqoImageNamePropertyValues::GetAssetPreview(const QString& AName,
                                                                                        const QSize& ASize) const
{
    if (const auto LColor = Resolve<core::TqoAssetColor>(AName))
        return {Filled(ASize, LColor->GetColor()), true};
    // The framework's own renderer, as the chooser and the Assets Manager draw the image.
    if (const auto LSvg = Resolve<core::TqoAssetSVG>(AName))
        return {dsgn::GenerateBitmap(*LSvg, ASize).Image(), true};
    if (Resolve<core::TqoAssetLottieAnimation>(AName))
        return {DesignerDataModule().ImageCollection().Bitmap(QStringLiteral("Lottie Animation"), ASize.height()),
                true};
    if (const auto LSet = Resolve<core::TqoAssetBitmapSet>(AName)) {
        core::TqoBitmap LBitmap;
        if (LSet->FindBitmap(LBitmap))
            return {LBitmap.Image(), false};
        return {};
    }
    core::TqoAlphaColor LLiteral = 0;
    if (ColorLiteral(AName, LLiteral))
        return {Filled(ASize, LLiteral), true};
    return {};
}

bool TqoImageNamePropertyValues::HasPreview(const QString& AName) const
{
    if (AName.isEmpty())
        return false;
    if (Resolve<core::TqoAssetColor>(AName))
        return true;
    if (const auto LSet = Resolve<core::TqoAssetBitmapSet>(AName)) {
        core::TqoBitmap LBitmap;
        if (LSet->FindBitmap(LBitmap))
            return true;
    }
    if (Resolve<core::TqoAssetLottieAnimation>(AName))
        return true;
    if (const auto LSvg = Resolve<core::TqoAssetSVG>(AName); LSvg && !LSvg->IsEmpty())
        return true;
    core::TqoAlphaColor LLiteral = 0;
    return ColorLiteral(AName, LLiteral);
}

void TqoImageNamePropertyEditor::PropDrawName(QPainter& ACanvas, const QRect& ARect, bool /*ASelected*/)
{
    ide::DefaultPropertyDrawName(*this, ACanvas, ARect);
}

QRect TqoImageNamePropertyEditor::PropDrawValueRect(const QRect& ARect)
{
    QRect LRect = ARect;
    LRect.setWidth(ARect.height());
    return LRect;
}

void TqoImageNamePropertyEditor::PropDrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected)
{
    FIsSelected = ASelected;
    QRect LRect = ARect.adjusted(1, 0, 0, 0);
    const QString LStored = GetStrValue();
    const QString LName = LStored.isEmpty() ? GetDefaultThemeAssetName() : LStored;
    ACanvas.fillRect(LRect, ACanvas.brush());

    const QRect LSquare = QRect(LRect.topLeft(), QSize(LRect.height(), LRect.height())).adjusted(1, 1, -1, -1);
    const auto DrawBorder = [&] {
        ACanvas.save();
        ACanvas.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine));
        ACanvas.setBrush(Qt::NoBrush);
        ACanvas.drawRect(LSquare);
        ACanvas.restore();
    };
    if (HasPreview(LName)) {
        const TqoBitmapHolder LPreview = GetAssetPreview(LName, LSquare.size());
        if (LPreview.Bitmap.isNull())
            DrawBorder();
        else {
            ACanvas.drawImage(LSquare, LPreview.Bitmap);
            ACanvas.save();
            ACanvas.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::SolidLine));
            ACanvas.setBrush(Qt::NoBrush);
            ACanvas.drawRect(LSquare);
            ACanvas.restore();
        }
    } else {
        DrawBorder();
        // A red cross in the top-right corner: nothing by that name to show.
        const QRect LBox(LSquare.right() - 5 - 3, LSquare.top() + 3, 5, 5);
        ACanvas.save();
        ACanvas.setPen(QPen(Qt::red, 1));
        ACanvas.drawLine(LBox.topLeft(), LBox.bottomRight() + QPoint(1, 1));
        ACanvas.drawLine(LBox.bottomLeft(), LBox.topRight() + QPoint(1, -1));
        ACanvas.restore();
    }
    // The object inspector writes the default name beside the square in gray.
    if (LStored.isEmpty())
        ACanvas.setPen(QPalette().color(QPalette::Disabled, QPalette::Text));
}

} // namespace orvo
