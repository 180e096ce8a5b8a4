#include "System.Skia.Raster.h"

#include <algorithm>
#include <cmath>

namespace ext::raster {

namespace {

// Curves are cut into lines no farther than this from the curve, in device pixels.
constexpr float FlatnessTolerance = 0.1f;
constexpr int MaxSegments = 256;
// Beyond this the general rasterizer is at least as quick and needs no big buffer.
constexpr int MaxArea = 1024 * 1024;

struct TPoint
{
    float X, Y;
};

// Signed-area accumulation over a W x H window. Each edge adds, in the cells it crosses,
// the share of its height times the part of the cell to its right; a running sum along a
// row then gives the winding-weighted coverage of each pixel.
class TAccumulator
{
public:
    TAccumulator(int AWidth, int AHeight)
        : FWidth(AWidth), FHeight(AHeight), FStride(AWidth + 2), FCells(size_t(FStride) * AHeight, 0.0f)
    {
    }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const float* Row(int AY) const { return FCells.data() + size_t(AY) * FStride; }

    // Pieces left of the window act as vertical edges on its left border, pieces right of it
    // cover nothing inside, so the line is cut at both borders first.
    void Line(TPoint A, TPoint B)
    {
        if (A.Y == B.Y || !std::isfinite(A.X) || !std::isfinite(A.Y) || !std::isfinite(B.X) || !std::isfinite(B.Y))
            return;
        const float W = float(FWidth);
        auto CutAt = [&](float AX) {
            const float T = std::clamp((AX - A.X) / (B.X - A.X), 0.0f, 1.0f);
            return TPoint{AX, A.Y + T * (B.Y - A.Y)};
        };
        if (A.X < 0 && B.X < 0) {
            Edge({0, A.Y}, {0, B.Y});
            return;
        }
        if (A.X < 0 || B.X < 0) {
            const TPoint M = CutAt(0);
            if (A.X < 0) {
                Edge({0, A.Y}, M);
                A = M;
            } else {
                Edge(M, {0, B.Y});
                B = M;
            }
        }
        if (A.X > W && B.X > W)
            return;
        if (A.X > W || B.X > W) {
            const TPoint M = CutAt(W);
            (A.X > W ? A : B) = M;
        }
        Edge(A, B);
    }

private:
    void Edge(TPoint A, TPoint B)
    {
        if (A.Y == B.Y)
            return;
        float LDir = 1;
        if (A.Y > B.Y) {
            std::swap(A, B);
            LDir = -1;
        }
        if (B.Y <= 0 || A.Y >= float(FHeight))
            return;
        const float LDxDy = (B.X - A.X) / (B.Y - A.Y);
        float X = A.X;
        if (A.Y < 0)
            X -= A.Y * LDxDy;
        const int LY0 = std::max(0, int(std::floor(A.Y)));
        const int LY1 = std::min(FHeight, int(std::ceil(B.Y)));
        const float LRight = float(FWidth);
        for (int Y = LY0; Y < LY1; ++Y) {
            float* R = FCells.data() + size_t(Y) * FStride;
            const float LDy = std::min(float(Y + 1), B.Y) - std::max(float(Y), A.Y);
            const float LNext = std::clamp(X + LDxDy * LDy, 0.0f, LRight);
            const float D = LDy * LDir;
            const float X0 = std::min(X, LNext), X1 = std::max(X, LNext);
            const float LX0Floor = std::floor(X0);
            const int I0 = int(LX0Floor);
            const int I1 = int(std::ceil(X1));
            if (I1 <= I0 + 1) {
                // The edge stays within one cell: split by the mean of its two ends.
                const float LMid = 0.5f * (X + LNext) - LX0Floor;
                R[I0] += D - D * LMid;
                R[I0 + 1] += D * LMid;
            } else {
                const float S = 1.0f / (X1 - X0);
                const float LX0f = X0 - LX0Floor;
                const float LA0 = 0.5f * S * (1 - LX0f) * (1 - LX0f);
                const float LX1f = X1 - std::ceil(X1) + 1;
                const float LAm = 0.5f * S * LX1f * LX1f;
                R[I0] += D * LA0;
                if (I1 == I0 + 2) {
                    R[I0 + 1] += D * (1 - LA0 - LAm);
                } else {
                    const float LA1 = S * (1.5f - LX0f);
                    R[I0 + 1] += D * (LA1 - LA0);
                    for (int I = I0 + 2; I < I1 - 1; ++I)
                        R[I] += D * S;
                    const float LA2 = LA1 + float(I1 - I0 - 3) * S;
                    R[I1 - 1] += D * (1 - LA2 - LAm);
                }
                R[I1] += D * LAm;
            }
            X = LNext;
        }
    }

    int FWidth, FHeight, FStride;
    std::vector<float> FCells;
};

TPoint Map(const QTransform& M, const QPointF& P, float AOffsetX, float AOffsetY)
{
    return {float(M.m11() * P.x() + M.m21() * P.y() + M.dx()) - AOffsetX,
            float(M.m12() * P.x() + M.m22() * P.y() + M.dy()) - AOffsetY};
}

int SegmentsFor(float ADeviation)
{
    if (!(ADeviation > FlatnessTolerance))
        return 1;
    return std::min(MaxSegments, int(std::ceil(std::sqrt(ADeviation / FlatnessTolerance))));
}

// Multiplies the four 8-bit channels by AScale / 255 (AScale in 0..255), two at a time,
// rounding to nearest.
inline QRgb ScaleChannels(QRgb AColor, uint AScale)
{
    quint32 LRedBlue = (AColor & 0x00FF00FFu) * AScale;
    LRedBlue = ((LRedBlue + ((LRedBlue >> 8) & 0x00FF00FFu) + 0x00800080u) >> 8) & 0x00FF00FFu;
    quint32 LAlphaGreen = ((AColor >> 8) & 0x00FF00FFu) * AScale;
    LAlphaGreen = (LAlphaGreen + ((LAlphaGreen >> 8) & 0x00FF00FFu) + 0x00800080u) & 0xFF00FF00u;
    return LRedBlue | LAlphaGreen;
}

float Length(float AX, float AY) { return std::sqrt(AX * AX + AY * AY); }

} // namespace

bool FillWinding(QImage& AImage, const std::vector<TSkPathVerb>& AVerbs, const std::vector<QPointF>& APoints,
                 const QTransform& AMatrix, TAlphaColor AColor)
{
    if (AImage.format() != QImage::Format_ARGB32_Premultiplied || AImage.isNull() || !AMatrix.isAffine())
        return false;

    // Device bounds of the control points hold the whole path.
    double LMinX = HUGE_VAL, LMinY = HUGE_VAL, LMaxX = -HUGE_VAL, LMaxY = -HUGE_VAL;
    for (const auto& P : APoints) {
        const QPointF D = AMatrix.map(P);
        if (!std::isfinite(D.x()) || !std::isfinite(D.y()))
            return false;
        LMinX = std::min(LMinX, D.x());
        LMaxX = std::max(LMaxX, D.x());
        LMinY = std::min(LMinY, D.y());
        LMaxY = std::max(LMaxY, D.y());
    }
    if (APoints.empty())
        return true;
    const int LLeft = std::max(0, int(std::floor(std::max(LMinX, -1e9))));
    const int LTop = std::max(0, int(std::floor(std::max(LMinY, -1e9))));
    const int LRight = std::min(AImage.width(), int(std::ceil(std::min(LMaxX, 1e9))));
    const int LBottom = std::min(AImage.height(), int(std::ceil(std::min(LMaxY, 1e9))));
    if (LRight <= LLeft || LBottom <= LTop)
        return true; // entirely outside: nothing to draw
    if ((LRight - LLeft) * (LBottom - LTop) > MaxArea)
        return false;

    TAccumulator LAcc(LRight - LLeft, LBottom - LTop);
    const float OX = float(LLeft), OY = float(LTop);
    TPoint LStart{0, 0}, LLast{0, 0};
    bool LOpen = false;
    size_t I = 0;
    for (const TSkPathVerb LVerb : AVerbs) {
        switch (LVerb) {
        case TSkPathVerb::Move:
            if (LOpen)
                LAcc.Line(LLast, LStart);
            LStart = LLast = Map(AMatrix, APoints[I++], OX, OY);
            LOpen = true;
            break;
        case TSkPathVerb::Line: {
            const TPoint P = Map(AMatrix, APoints[I++], OX, OY);
            LAcc.Line(LLast, P);
            LLast = P;
            break;
        }
        case TSkPathVerb::Quad: {
            const TPoint P1 = Map(AMatrix, APoints[I], OX, OY), P2 = Map(AMatrix, APoints[I + 1], OX, OY);
            I += 2;
            const TPoint P0 = LLast;
            const int N = SegmentsFor(0.25f * Length(P0.X - 2 * P1.X + P2.X, P0.Y - 2 * P1.Y + P2.Y));
            for (int K = 1; K <= N; ++K) {
                const float T = float(K) / float(N), U = 1 - T;
                const TPoint P{U * U * P0.X + 2 * U * T * P1.X + T * T * P2.X,
                               U * U * P0.Y + 2 * U * T * P1.Y + T * T * P2.Y};
                LAcc.Line(LLast, P);
                LLast = P;
            }
            LLast = P2;
            break;
        }
        case TSkPathVerb::Cubic: {
            const TPoint P1 = Map(AMatrix, APoints[I], OX, OY), P2 = Map(AMatrix, APoints[I + 1], OX, OY),
                         P3 = Map(AMatrix, APoints[I + 2], OX, OY);
            I += 3;
            const TPoint P0 = LLast;
            const float LDeviation = 0.75f * std::max(Length(P0.X - 2 * P1.X + P2.X, P0.Y - 2 * P1.Y + P2.Y),
                                                      Length(P1.X - 2 * P2.X + P3.X, P1.Y - 2 * P2.Y + P3.Y));
            const int N = SegmentsFor(LDeviation);
            for (int K = 1; K <= N; ++K) {
                const float T = float(K) / float(N), U = 1 - T;
                const float A = U * U * U, B = 3 * U * U * T, C = 3 * U * T * T, D = T * T * T;
                const TPoint P{A * P0.X + B * P1.X + C * P2.X + D * P3.X, A * P0.Y + B * P1.Y + C * P2.Y + D * P3.Y};
                LAcc.Line(LLast, P);
                LLast = P;
            }
            LLast = P3;
            break;
        }
        case TSkPathVerb::Close:
            if (LOpen)
                LAcc.Line(LLast, LStart);
            LLast = LStart;
            break;
        }
    }
    if (LOpen)
        LAcc.Line(LLast, LStart);

    // Source-over with the coverage scaling the premultiplied source, in 8-bit channels.
    const quint32 LA = (AColor >> 24) & 0xFF;
    const quint32 LPremultiplied = qPremultiply(AColor);
    const bool LOpaque = LA == 255;
    for (int Y = 0; Y < LAcc.Height(); ++Y) {
        const float* R = LAcc.Row(Y);
        auto* D = reinterpret_cast<QRgb*>(AImage.scanLine(LTop + Y)) + LLeft;
        float LSum = 0;
        for (int X = 0; X < LAcc.Width(); ++X) {
            LSum += R[X];
            const float LCoverage = std::fabs(LSum);
            if (LCoverage < 1.0f / 512)
                continue;
            if (LCoverage >= 1.0f && LOpaque) {
                D[X] = LPremultiplied;
                continue;
            }
            const uint LScale = LCoverage >= 1.0f ? 255 : uint(LCoverage * 255.0f + 0.5f);
            const QRgb LSource = ScaleChannels(LPremultiplied, LScale);
            D[X] = LSource + ScaleChannels(D[X], 255 - qAlpha(LSource));
        }
    }
    return true;
}

} // namespace ext::raster
