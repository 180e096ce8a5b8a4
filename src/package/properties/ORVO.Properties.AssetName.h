#pragma once

// The object inspector's editor of asset names: a preview of the asset left of the value, the
// theme's default name in gray while no name is set, and the assets chooser behind the ellipsis,
// offering only the kinds of asset that the companion link takes.

#include "DesignEditors.h"
#include "assets/editors/Form.AssetsChooser.ViewModel.h"

#include <QImage>
#include <QPointer>

namespace core {
class TqoAssetLink;
}

namespace orvo {

class TqoImageNamePropertyValues : public ide::TStringProperty
{
public:
    struct TqoBitmapHolder
    {
        QImage Bitmap;
        // Made for the preview rather than taken from the asset.
        bool NeedFree = false;
    };

    ~TqoImageNamePropertyValues() override;

    // Finds the link property that belongs to the name property: ImageName goes with ImageLink.
    void SetPropEntry(int AIndex, QObject* AInstance, const QMetaProperty& AProperty) override;
    void Edit() override;
    ide::TPropertyAttributes GetAttributes() override;
    // An unselected row shows the name in effect, the theme's default when none is set.
    QString GetValue() override;

    core::TqoAssetLink* AssetLink() const { return FAssetLink; }
    QString GetDefaultThemeAssetName() const;
    TqoBitmapHolder GetAssetPreview(const QString& AName, const QSize& ASize) const;
    // The kinds of asset the chooser offers for the link.
    TqoAssetTypes AssetTypes() const;
    void SetImageName(const QString& AName) { SetStrValue(AName); }

protected:
    // Whether the name names something that has a preview.
    bool HasPreview(const QString& AName) const;

    QPointer<core::TqoAssetLink> FAssetLink;
    bool FIsSelected = false;
};

class TqoImageNamePropertyEditor : public TqoImageNamePropertyValues, public ide::ICustomPropertyDrawing80
{
public:
    void PropDrawName(QPainter& ACanvas, const QRect& ARect, bool ASelected) override;
    void PropDrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) override;
    QRect PropDrawNameRect(const QRect& ARect) override { return ARect; }
    // The square at the left of the value cell; the object inspector writes the text beside it.
    QRect PropDrawValueRect(const QRect& ARect) override;
};

} // namespace orvo
