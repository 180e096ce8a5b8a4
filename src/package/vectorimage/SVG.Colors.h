#pragma once

#include <QHash>
#include <QString>

namespace orvo {

// The SVG/CSS color keywords and their color texts ("#AARRGGBB"), plus "none".
// The values stay texts: they travel on as paint text and only the renderer
// turns them into numbers.
class TsvgColors
{
public:
    static TsvgColors& GetDefault();

    // AKeyword in any case; AColor becomes empty on a miss.
    bool TryGetValue(const QString& AKeyword, QString& AColor) const;
    int Count() const { return int(FColors.size()); }
    const QHash<QString, QString>& Items() const { return FColors; }

    TsvgColors(const TsvgColors&) = delete;
    TsvgColors& operator=(const TsvgColors&) = delete;

private:
    TsvgColors();

    QHash<QString, QString> FColors; // lower-case keyword -> color text
};

} // namespace orvo
