#include "StorageTestUtil.h"
#include "TestData.h"

#include "ORVO.Designer.Preview.h"
#include "ORVO.Log.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using namespace storagetest;

constexpr QRgb White = 0xFFFFFFFF, LightGray = 0xFFD3D3D3, Red = 0xFFFF0000, Black = 0xFF000000;

// Channels within ATolerance, for anti-aliased and blended pixels.
bool Near(QRgb AActual, QRgb AExpected, int ATolerance = 2)
{
    return std::abs(qAlpha(AActual) - qAlpha(AExpected)) <= ATolerance &&
           std::abs(qRed(AActual) - qRed(AExpected)) <= ATolerance &&
           std::abs(qGreen(AActual) - qGreen(AExpected)) <= ATolerance &&
           std::abs(qBlue(AActual) - qBlue(AExpected)) <= ATolerance;
}

std::string Hex(QRgb AColor) { return QString::number(AColor, 16).toUpper().toStdString(); }

struct TProbe
{
    QPoint At;
    QRgb Expected;
};

void ExpectPixels(const QImage& AImage, std::initializer_list<TProbe> AProbes, int ATolerance = 2)
{
    for (const TProbe& probe : AProbes)
        EXPECT_TRUE(Near(AImage.pixel(probe.At), probe.Expected, ATolerance))
            << "at (" << probe.At.x() << ", " << probe.At.y() << "): " << Hex(AImage.pixel(probe.At)) << ", expected "
            << Hex(probe.Expected);
}

std::unique_ptr<core::TqoAssetBitmapSet> SetWithBitmap(const QImage& AImage)
{
    auto asset = std::make_unique<core::TqoAssetBitmapSet>(QStringLiteral("Icon"));
    asset->Add(1.0f)->SetBitmap(core::TqoBitmap(AImage));
    return asset;
}

// The placeholder: white, a dashed gray border, a red cross 4 pixels in from the top-right corner.
void ExpectPlaceholder(const QImage& AImage)
{
    ASSERT_FALSE(AImage.isNull());
    const int w = AImage.width();
    ExpectPixels(AImage, {
                             {{w - 9, 8}, Red},  // where the arms cross
                             {{w - 6, 5}, Red},  // on the arm from (W-4, 4) to (W-12, 12)
                             {{w - 6, 10}, Red}, // on the arm from (W-4, 12) to (W-12, 4)
                             {{w - 11, 5}, Red},
                             {{w - 8, 4}, White}, // between the arms' ends
                             {{w - 8, 13}, White},
                             {{w - 15, 8}, White},
                             {{w / 2, AImage.height() - 4}, White},
                             {{1, 0}, LightGray}, // the border starts with a dash
                         });
    // Dashed, not solid: the top row holds both dash and gap pixels.
    int dash = 0, gap = 0;
    for (int x = 1; x < w - 1; ++x)
        (AImage.pixel(x, 0) == LightGray ? dash : gap) += 1;
    EXPECT_GT(dash, 0);
    EXPECT_GT(gap, 0);
}

TEST(EditorsPreview, ColorOnChessboardWithBorder)
{
    core::TqoAssetColor opaque(QStringLiteral("C"), 0xFF2060A0);
    const auto image = Editor(opaque.GetKind())->GeneratePreview(&opaque, QSize(16, 12));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), QSize(16, 12));
    ExpectPixels(*image, {{{0, 0}, LightGray},
                          {{15, 11}, LightGray},
                          {{8, 0}, LightGray},
                          {{0, 6}, LightGray},
                          {{5, 5}, 0xFF2060A0},
                          {{1, 1}, 0xFF2060A0},
                          {{14, 10}, 0xFF2060A0}});

    // A translucent color lets the 4-pixel cells through: white at (2, 2), gray at (6, 2).
    core::TqoAssetColor translucent(QStringLiteral("T"), 0x80000000);
    const auto board = Editor(translucent.GetKind())->GeneratePreview(&translucent, QSize(16, 16));
    ASSERT_NE(board, nullptr);
    ExpectPixels(*board, {{{2, 2}, 0xFF7F7F7F}, {{6, 2}, 0xFF6A6A6A}, {{6, 6}, 0xFF7F7F7F}, {{2, 6}, 0xFF6A6A6A}});
}

TEST(EditorsPreview, DarkBitmapOnLightChessboardCentered)
{
    const auto asset = SetWithBitmap(SolidImage(8, 8, Black));
    const auto image = Editor(asset->GetKind())->GeneratePreview(asset.get(), QSize(32, 32));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), QSize(32, 32));
    // Cells of 4 pixels, the light board's first color top-left; the bitmap at 12..19.
    ExpectPixels(*image,
                 {{{0, 0}, White},
                  {{3, 3}, White},
                  {{4, 0}, LightGray},
                  {{0, 4}, LightGray},
                  {{4, 4}, White},
                  {{11, 12}, LightGray},
                  {{12, 12}, Black},
                  {{19, 19}, Black},
                  {{20, 19}, LightGray}},
                 0);
}

TEST(EditorsPreview, LuminanceAboveThresholdPicksDarkBoard)
{
    // 0xA0 gray is 0.627, 0xB0 gray 0.690: either side of the 0.65 threshold.
    const struct
    {
        QRgb Color;
        dsgn::TqoGridColors Board;
    } cases[] = {{0xFFA0A0A0, dsgn::LightGridColors}, {0xFFB0B0B0, dsgn::DarkGridColors}};
    for (const auto& c : cases) {
        const auto asset = SetWithBitmap(SolidImage(4, 4, c.Color));
        const auto image = Editor(asset->GetKind())->GeneratePreview(asset.get(), QSize(16, 16));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->pixel(0, 0), c.Board.Color1) << Hex(c.Color);
    }
}

TEST(EditorsPreview, BitmapSetWithoutBitmapGetsPlaceholder)
{
    core::TqoAssetBitmapSet asset(QStringLiteral("Empty"));
    asset.Add(1.0f);
    const auto image = Editor(asset.GetKind())->GeneratePreview(&asset, QSize(32, 24));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), QSize(32, 24));
    ExpectPlaceholder(*image);
}

TEST(EditorsPreview, SvgRenderedOnChessboard)
{
    ORVO_REQUIRE_SHARED_DATA("svg/material");
    core::TqoAssetSVG asset(QStringLiteral("Upload"));
    asset.SetSVGUri(testdata::SharedDataDir() + QStringLiteral("/svg/material/file/ic_file_upload_24px.svg"));
    const auto image = Editor(asset.GetKind())->GeneratePreview(&asset, QSize(48, 48));
    ASSERT_NE(image, nullptr);
    // The 24-unit icon drawn at twice its size: the bar from (5, 18) to (19, 20) becomes
    // (10, 36) to (38, 40); the arrow's tip at (12, 3) becomes (24, 6). Dark icon: light board.
    ExpectPixels(*image,
                 {{{0, 0}, White},
                  {{4, 0}, LightGray},
                  {{24, 38}, Black},
                  {{12, 37}, Black},
                  {{24, 20}, Black},
                  {{24, 44}, LightGray},
                  {{4, 28}, White}},
                 0);
}

TEST(EditorsPreview, SvgWithoutFileOrUnreadableGetsPlaceholder)
{
    TTempProject project;
    core::TqoAssetSVG missing(QStringLiteral("Missing"));
    missing.SetSVGUri(project.Source(QStringLiteral("gone.svg")));
    const auto image = Editor(missing.GetKind())->GeneratePreview(&missing, QSize(24, 24));
    ASSERT_NE(image, nullptr);
    ExpectPlaceholder(*image);

    const QString broken = project.Source(QStringLiteral("broken.svg"));
    WriteFile(broken, "<svg");
    core::TqoAssetSVG unreadable(QStringLiteral("Broken"));
    unreadable.SetSVGUri(broken);
    core::TqoLogCapture log;
    const auto fallback = Editor(unreadable.GetKind())->GeneratePreview(&unreadable, QSize(24, 24));
    ASSERT_NE(fallback, nullptr);
    ExpectPlaceholder(*fallback);
    bool logged = false;
    for (const auto& entry : log.Entries())
        logged |= entry.Level == core::TqoLogLevel::Error && entry.Message.contains(broken);
    EXPECT_TRUE(logged);
}

TEST(EditorsPreview, EmptySizeGivesNoBitmap)
{
    core::TqoAssetColor color(QStringLiteral("C"), Red);
    EXPECT_EQ(Editor(color.GetKind())->GeneratePreview(&color, QSize(0, 16)), nullptr);
    core::TqoAssetBitmapSet set(QStringLiteral("S"));
    EXPECT_EQ(Editor(set.GetKind())->GeneratePreview(&set, QSize(16, -1)), nullptr);
}

} // namespace
