#pragma once

// Images the designer's views share: the IDE tab images of the Assets Manager, the named image
// collection (kind images, file images, component icons) and the fonts the views name.

#include <QFont>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <functional>
#include <vector>

class QPainter;

namespace orvo {

// Named images at any size: drawn ones are drawn for the size asked, bitmaps are scaled.
class TImageCollection
{
public:
    // Draws the image into a 24 by 24 square; the painter is scaled for other sizes.
    using TDrawer = std::function<void(QPainter&)>;

    void Add(const QString& AName, TDrawer ADrawer);
    void Add(const QString& AName, const QImage& AImage);
    bool Contains(const QString& AName) const { return FItems.contains(AName); }
    QStringList Names() const { return FNames; }
    // The image at ASize by ASize, transparent around it; a null image for an unknown name.
    QImage Bitmap(const QString& AName, int ASize) const;

private:
    struct TItem
    {
        TDrawer Drawer;
        QImage Image;
    };
    QHash<QString, TItem> FItems;
    QStringList FNames;
};

class TDesignerDataModule
{
public:
    TDesignerDataModule();
    TDesignerDataModule(const TDesignerDataModule&) = delete;
    TDesignerDataModule& operator=(const TDesignerDataModule&) = delete;

    // The images of the IDE's editor tabs, as paths the editor view services load.
    QStringList ImageListTabs() const;
    TImageCollection& ImageCollection() { return FImageCollection; }
    const TImageCollection& ImageCollection() const { return FImageCollection; }

    // Names of the fixed entries of the asset tree's image list, by index.
    static const QStringList& KindImageNames();
    // The fixed entries at 24 by 24, in index order.
    std::vector<QImage> KindImages24() const;
    // One fixed entry at ASize; a null image for an index out of range.
    QImage KindImage(int AIndex, int ASize) const;

    // The component's icon at ASize, loaded from the package's icon resources into the collection
    // on first use; a null image for a class without an icon.
    QImage LoadComponentIconIfRequired(const QString& AClassName, int ASize);

    // A font of the family the views name, falling back to the system's sans font.
    static QFont Font(const QString& AFamily, int APixelSize);

private:
    TImageCollection FImageCollection;
};

// The package's one instance.
TDesignerDataModule& DesignerDataModule();

} // namespace orvo
