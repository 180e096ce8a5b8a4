// The color keyword table and the reader's keyword resolution.

#include "ReaderTestUtil.h"
#include "vectorimage/SVG.Colors.h"

#include <QColor>

using orvo::TsvgColors;

namespace {

// Qt knows the same SVG keyword table, which makes it an independent check of every value.
TEST(ColorsTable, EveryKeywordMatchesQtsSvgColor)
{
    const TsvgColors& colors = TsvgColors::GetDefault();
    for (auto it = colors.Items().cbegin(); it != colors.Items().cend(); ++it) {
        if (it.key() == QLatin1String("none"))
            continue;
        EXPECT_EQ(it.key(), it.key().toLower());
        const QColor qt = QColor::fromString(it.key());
        ASSERT_TRUE(qt.isValid()) << it.key().toStdString();
        EXPECT_EQ(it.value(), QStringLiteral("#%1").arg(qt.rgba(), 8, 16, QLatin1Char('0')).toUpper())
            << it.key().toStdString();
    }
}

TEST(ColorsTable, HoldsExactlyTheSvgKeywordsAndNone)
{
    const TsvgColors& colors = TsvgColors::GetDefault();
    QStringList missing;
    int keywords = 0;
    for (const QString& name : QColor::colorNames()) {
        if (name == QLatin1String("transparent"))
            continue; // a CSS3 keyword, but not one of SVG 1.1's
        ++keywords;
        if (!colors.Items().contains(name))
            missing << name;
    }
    EXPECT_EQ(missing, QStringList());
    EXPECT_EQ(keywords, 147);
    EXPECT_EQ(colors.Count(), 148);
    EXPECT_EQ(colors.Items().value(QStringLiteral("none")), QStringLiteral("#00000000"));
    EXPECT_FALSE(colors.Items().contains(QStringLiteral("transparent")));
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
