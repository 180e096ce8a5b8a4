#pragma once

// The designer's shared image collection: small icons the design-time tools find by name
// ("Direction\Row", "JustifyContent\SpaceEvenly Column"). They are drawn, not loaded, so they
// follow the screen's pixel ratio and the theme's colors.

#include <QIcon>
#include <QString>

namespace dsgn {

class TqoDesignerImages
{
public:
    // Whether the collection has an image of that name.
    static bool Contains(const QString& AName);
    // The image at ASize logical pixels; a null icon for a name the collection lacks.
    static QIcon Icon(const QString& AName, int ASize = 24);
};

} // namespace dsgn
