#pragma once

#include <QByteArray>

namespace ext {

class TSkPathBuilder;

// SVG path data in the grammar of SkParsePath::FromSVGString. Returns false on the
// first thing it cannot read; AResult is then left as it was.
bool SkParseSVGPath(const QByteArray& AData, TSkPathBuilder& AResult);

} // namespace ext
