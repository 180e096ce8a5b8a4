// The area-coverage fill against exact coverage and against QPainter's rasterizer.

#include "System.Skia.Raster.h"

#include <QPainter>
#include <QPainterPath>
#include <gtest/gtest.h>

namespace {

using ext::TSkPathVerb;

// Path data for the fill and, alongside, the same path for QPainter.
struct TPathData
{
    std::vector<TSkPathVerb> Verbs;
    std::vector<QPointF> Points;
    QPainterPath Qt;

    TPathData& Move(double X, double Y) { return Qt.moveTo(X, Y), Add(TSkPathVerb::Move, {{X, Y}}); }
    TPathData& Line(double X, double Y) { return Qt.lineTo(X, Y), Add(TSkPathVerb::Line, {{X, Y}}); }
    TPathData& Cubic(QPointF A, QPointF B, QPointF C)
    {
        return Qt.cubicTo(A, B, C), Add(TSkPathVerb::Cubic, {A, B, C});
    }
    TPathData& Close() { return Qt.closeSubpath(), Add(TSkPathVerb::Close, {}); }
    TPathData& Rect(double L, double T, double R, double B, bool AReversed = false)
    {
        Move(L, T);
        if (AReversed)
            Line(L, B).Line(R, B).Line(R, T);
        else
            Line(R, T).Line(R, B).Line(L, B);
        return Close();
    }

private:
    TPathData& Add(TSkPathVerb V, std::initializer_list<QPointF> P)
    {
        Verbs.push_back(V);
        Points.insert(Points.end(), P);
        return *this;
    }
};

QImage Blank(int W = 16, int H = 16)
{
    QImage I(W, H, QImage::Format_ARGB32_Premultiplied);
    I.fill(Qt::transparent);
    return I;
}

QImage Fill(const TPathData& APath, const QTransform& AMatrix = {}, ext::TAlphaColor AColor = 0xFF000000,
            QImage AImage = Blank())
{
    EXPECT_TRUE(ext::raster::FillWinding(AImage, APath.Verbs, APath.Points, AMatrix, AColor));
    return AImage;
}

TEST(SkiaRaster, CoverageIsTheAreaInEachPixel)
{
    // A rectangle from 2.25 to 5.5 across and 3 to 4.5 down.
    const QImage I = Fill(TPathData().Rect(2.25, 3, 5.5, 4.5));
    EXPECT_EQ(qAlpha(I.pixel(1, 3)), 0);
    EXPECT_NEAR(qAlpha(I.pixel(2, 3)), 191, 1); // three quarters of the pixel
    EXPECT_EQ(qAlpha(I.pixel(3, 3)), 255);
    EXPECT_NEAR(qAlpha(I.pixel(5, 3)), 128, 1); // half
    EXPECT_NEAR(qAlpha(I.pixel(3, 4)), 128, 1); // half a row
    EXPECT_NEAR(qAlpha(I.pixel(2, 4)), 96, 1);  // three quarters of half
    EXPECT_EQ(qAlpha(I.pixel(3, 5)), 0);
}

TEST(SkiaRaster, NonZeroWindingKeepsReversedHolesAndMergesOverlaps)
{
    TPathData LHole;
    LHole.Rect(2, 2, 14, 14).Rect(6, 6, 10, 10, true);
    const QImage H = Fill(LHole);
    EXPECT_EQ(qAlpha(H.pixel(3, 3)), 255);
    EXPECT_EQ(qAlpha(H.pixel(8, 8)), 0);

    TPathData LOverlap;
    LOverlap.Rect(2, 2, 10, 10).Rect(6, 6, 14, 14);
    const QImage O = Fill(LOverlap, {}, 0x80FF0000);
    // Winding two inside the overlap is still one layer of paint, not two.
    EXPECT_EQ(O.pixel(8, 8), O.pixel(3, 3));
    EXPECT_EQ(qAlpha(O.pixel(8, 8)), 0x80);
}

TEST(SkiaRaster, BlendsSourceOverInPremultipliedChannels)
{
    QImage LBase = Blank();
    LBase.fill(qPremultiply(qRgba(0, 0, 255, 255)));
    const QImage I = Fill(TPathData().Rect(0, 0, 16, 16), {}, 0x80FF0000, LBase);
    const QRgb P = I.pixel(5, 5);
    EXPECT_EQ(qAlpha(P), 255);
    EXPECT_NEAR(qRed(P), 128, 1);
    EXPECT_NEAR(qBlue(P), 127, 1);
}

// Curves, transforms and shapes crossing the image borders, against QPainter.
TEST(SkiaRaster, AgreesWithQPainterWithinAntiAliasing)
{
    struct TCase
    {
        const char* Name;
        TPathData Path;
        QTransform Matrix;
    };
    TPathData LBlob;
    LBlob.Move(2, 8).Cubic({2, -2}, {14, -2}, {14, 8}).Cubic({14, 18}, {2, 18}, {2, 8}).Close();
    TPathData LBeyond;
    LBeyond.Move(-20, -5).Line(30, 3).Line(8, 40).Close();
    TPathData LOpen; // an unclosed contour is filled as if closed
    LOpen.Move(1, 1).Line(15, 1).Line(8, 15);
    const TCase LCases[] = {
        {"curves", LBlob, {}},
        {"rotated_and_scaled", LBlob, QTransform().translate(8, 8).rotate(33).scale(0.8, 0.6).translate(-8, -8)},
        {"beyond_every_border", LBeyond, {}},
        {"open_contour", LOpen, {}},
    };
    for (const auto& C : LCases) {
        SCOPED_TRACE(C.Name);
        const QImage LOurs = Fill(C.Path, C.Matrix);
        QImage LQt = Blank();
        {
            QPainter P(&LQt);
            P.setRenderHint(QPainter::Antialiasing);
            P.setTransform(C.Matrix);
            P.fillPath(C.Path.Qt, Qt::black);
        }
        int LFar = 0, LTotal = 0;
        for (int Y = 0; Y < 16; ++Y)
            for (int X = 0; X < 16; ++X) {
                const int D = std::abs(qAlpha(LOurs.pixel(X, Y)) - qAlpha(LQt.pixel(X, Y)));
                LFar += D > 40;
                LTotal += D;
            }
        EXPECT_EQ(LFar, 0);
        EXPECT_LT(LTotal, 16 * 16 * 6); // a few levels on average, on edges
    }
}

// Fills share one buffer of cells: a fill after a larger one, or after one that left the
// window, must see none of their coverage.
TEST(SkiaRaster, AFillAfterOthersGivesTheSameCoverage)
{
    TPathData LSmall;
    LSmall.Move(3.3, 2.7).Line(9.6, 4.1).Line(5.2, 11.8).Close();
    const QImage LFirst = Fill(LSmall);
    TPathData LLarge;
    LLarge.Move(-4, -4).Cubic({30, -10}, {30, 30}, {-4, 40}).Close();
    Fill(LLarge, {}, 0xFF000000, Blank(64, 64));
    Fill(TPathData().Rect(-3, 2, 40, 9));
    EXPECT_EQ(Fill(LSmall), LFirst);
}

TEST(SkiaRaster, DeclinesWhatItDoesNotHandleAndSurvivesExtremes)
{
    TPathData LSquare;
    LSquare.Rect(0, 0, 4, 4);
    QImage LRgb(8, 8, QImage::Format_RGB32);
    EXPECT_FALSE(ext::raster::FillWinding(LRgb, LSquare.Verbs, LSquare.Points, {}, 0xFF000000));
    QImage LImage = Blank();
    EXPECT_FALSE(ext::raster::FillWinding(LImage, LSquare.Verbs, LSquare.Points,
                                          QTransform(1, 0, 0.01, 0, 1, 0, 0, 0, 1), 0xFF000000));

    TPathData LHuge;
    LHuge.Move(-1e30, -1e30).Line(1e30, 0).Line(0, 1e30).Close();
    EXPECT_TRUE(ext::raster::FillWinding(LImage, LHuge.Verbs, LHuge.Points, {}, 0xFF000000));
    TPathData LNan;
    LNan.Move(std::nan(""), 0).Line(4, 4).Line(0, 4).Close();
    EXPECT_FALSE(ext::raster::FillWinding(LImage, LNan.Verbs, LNan.Points, {}, 0xFF000000));
    TPathData LOutside;
    LOutside.Rect(100, 100, 120, 120);
    QImage LUntouched = Blank();
    EXPECT_TRUE(ext::raster::FillWinding(LUntouched, LOutside.Verbs, LOutside.Points, {}, 0xFF000000));
    EXPECT_EQ(LUntouched, Blank());
}

} // namespace
