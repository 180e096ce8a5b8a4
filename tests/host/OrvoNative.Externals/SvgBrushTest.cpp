#include "ORVO.Externals.SvgBrush.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace {

using ext::TSkSvgBrush;

QString Svg(const QString& ARootAttributes, const QString& ABody = QString())
{
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" %1>%2</svg>").arg(ARootAttributes, ABody);
}

TEST(SvgBrush, OriginalSizeFromRootAttributes)
{
    const std::pair<const char*, QSizeF> roots[] = {
        {"width=\"24\" height=\"16\"", {24, 16}},
        {"width=\"2in\" height=\"72pt\"", {180, 90}}, // absolute units at 90 dpi
        {"width=\"48\" height=\"48\" viewBox=\"0 0 24 24\"", {48, 48}},
        {"viewBox=\"0 0 512 256\"", {512, 256}},
        {"viewBox=\"0,0,10,20\"", {10, 20}},
        {"width=\"100%\" height=\"100%\" viewBox=\"-5 -5 30 40\"", {30, 40}},
        {"", {0, 0}},
    };
    for (const auto& [attributes, expected] : roots) {
        SCOPED_TRACE(attributes);
        TSkSvgBrush brush;
        brush.SetSource(Svg(QString::fromUtf8(attributes), QStringLiteral("<rect width=\"1\" height=\"1\"/>")));
        ASSERT_TRUE(brush.HasDOM());
        EXPECT_NEAR(brush.GetOriginalSize().width(), expected.width(), 1e-3);
        EXPECT_NEAR(brush.GetOriginalSize().height(), expected.height(), 1e-3);
    }
}

TEST(SvgBrush, SourceThatIsNoSvgGivesEmptyBrush)
{
    for (const char* text : {"", "not xml at all", "<svg", "<html><body/></html>"}) {
        TSkSvgBrush brush;
        brush.SetSource(QString::fromLatin1(text));
        EXPECT_EQ(brush.GetSource(), QString::fromLatin1(text));
        EXPECT_FALSE(brush.HasDOM()) << text;
        EXPECT_EQ(brush.GetOriginalSize(), QSizeF(0, 0)) << text;

        QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
        image.fill(0xFF00FF00);
        brush.Render(image, QRectF(0, 0, 8, 8));
        EXPECT_EQ(image.pixel(4, 4), 0xFF00FF00u) << text;
    }
}

struct TRenderProbe
{
    QPoint At;
    QRgb Expected;
};

struct TRenderCase
{
    const char* Label;
    QString Source;
    QSize ImageSize;
    QRectF Dest;
    std::vector<TRenderProbe> Probes;
};

using SvgBrushRender = testing::TestWithParam<TRenderCase>;

TEST_P(SvgBrushRender, FitsKeepingAspectRatio)
{
    TSkSvgBrush brush;
    brush.SetSource(GetParam().Source);
    QImage image(GetParam().ImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    brush.Render(image, GetParam().Dest);
    for (const TRenderProbe& probe : GetParam().Probes)
        EXPECT_EQ(image.pixel(probe.At), probe.Expected)
            << "at (" << probe.At.x() << ", " << probe.At.y() << "): " << std::hex << image.pixel(probe.At);
}

constexpr QRgb Red = 0xFFFF0000, Blue = 0xFF0000FF, None = 0;

const QString WideRed = Svg(QStringLiteral("width=\"20\" height=\"10\" viewBox=\"0 0 20 10\""),
                            QStringLiteral("<rect width=\"20\" height=\"10\" fill=\"#FF0000\"/>"));

const TRenderCase RenderCases[] = {
    // 20 x 10 into 40 x 40: 40 x 20 at rows 10..29.
    {"WideIntoSquareIsLetterboxed",
     WideRed,
     {40, 40},
     {0, 0, 40, 40},
     {{{20, 5}, None}, {{20, 10}, Red}, {{0, 20}, Red}, {{39, 29}, Red}, {{20, 30}, None}}},
    // The destination's offset is kept: 16 x 8 at (4, 8) inside a 16 x 16 rectangle at (4, 4).
    {"OffsetDestination",
     WideRed,
     {24, 24},
     {4, 4, 16, 16},
     {{{3, 12}, None}, {{4, 8}, Red}, {{19, 15}, Red}, {{20, 12}, None}, {{10, 7}, None}, {{10, 16}, None}}},
    // A square view box in a 2:1 document is centered in it (meet), not stretched.
    {"ViewBoxKeptInsideDocument",
     Svg(QStringLiteral("width=\"40\" height=\"20\" viewBox=\"0 0 10 10\""),
         QStringLiteral("<rect width=\"10\" height=\"10\" fill=\"#0000FF\"/>")),
     {40, 20},
     {0, 0, 40, 20},
     {{{5, 10}, None}, {{10, 10}, Blue}, {{29, 19}, Blue}, {{30, 10}, None}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SvgBrushRender, testing::ValuesIn(RenderCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Label); });

TEST(SvgBrush, OpacityScalesAlpha)
{
    TSkSvgBrush brush;
    brush.SetSource(WideRed);
    QImage image(20, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    brush.Render(image, QRectF(0, 0, 20, 10), 0.5);
    EXPECT_NEAR(qAlpha(image.pixel(10, 5)), 128, 1);
    EXPECT_EQ(qRed(image.pixel(10, 5)), 255);
}

} // namespace
