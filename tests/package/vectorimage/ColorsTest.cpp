// The color keyword table and the reader's keyword resolution.

#include "ReaderTestUtil.h"
#include "vectorimage/SVG.Colors.h"

#include <QColor>

using orvo::TsvgColors;

namespace {

// Qt knows the same SVG keyword table, which makes it an independent check of every value.
TEST(ColorsTable, HoldsExactlyTheSvgKeywordsWithQtsValuesAndNone)
{
    const TsvgColors& colors = TsvgColors::GetDefault();
    int keywords = 0;
    for (const QString& name : QColor::colorNames()) {
        if (name == QLatin1String("transparent"))
            continue; // a CSS3 keyword, but not one of SVG 1.1's
        ++keywords;
        EXPECT_EQ(colors.Items().value(name),
                  QStringLiteral("#%1").arg(QColor::fromString(name).rgba(), 8, 16, QLatin1Char('0')).toUpper())
            << name.toStdString();
    }
    EXPECT_EQ(keywords, 147);
    EXPECT_EQ(colors.Count(), 148);
    EXPECT_EQ(colors.Items().value(QStringLiteral("none")), QStringLiteral("#00000000"));
}

// Keywords in any case resolve; everything else passes on as it was written.
TEST(ColorsResolution, KeywordsResolveAndEverythingElsePasses)
{
    using orvo::TqoVectorReaderSVG;
    EXPECT_EQ(TqoVectorReaderSVG::ResolveColorName(QStringLiteral("Navy")), QStringLiteral("#FF000080"));
    EXPECT_EQ(TqoVectorReaderSVG::ResolveColorName(QStringLiteral("NONE")), QStringLiteral("#00000000"));
    for (const char* text : {"#abc", "rgb(1,2,3)", "Transparent", "currentColor", " red", "url(#g"})
        EXPECT_EQ(TqoVectorReaderSVG::ResolveColorName(QString::fromUtf8(text)), QString::fromUtf8(text));
}

} // namespace
