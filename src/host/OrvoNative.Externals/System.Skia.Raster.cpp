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
constexpr size_t LargeBuffer = 256 * 1024;

// floor and ceil without SSE4.1 are long instruction sequences; through an int they are
// short and exact while the value fits one.
inline float Floor(float AValue)
{
    if (!(std::fabs(AValue) < 1e9f))
        return std::floor(AValue);
    const float LTruncated = float(int(AValue));
    return LTruncated > AValue ? LTruncated - 1 : LTruncated;
}

inline float Ceil(float AValue)
{
    if (!(std::fabs(AValue) < 1e9f))
        return std::ceil(AValue);
    const float LTruncated = float(int(AValue));
    return LTruncated < AValue ? LTruncated + 1 : LTruncated;
}

struct TPoint
{
    float X, Y;
};

// Signed-area accumulation over a W x H window. Each edge adds, in the cells it crosses,
// the share of its height times the part of the cell to its right; a running sum along a
// row then gives the winding-weighted coverage of each pixel.
//
// The cells live in a per-thread buffer that is all zero between fills: the blending clears
// the cells it reads, and only the span of cells each row touched is read at all.
class TAccumulator
{
public:
    TAccumulator(int AWidth, int AHeight) : FWidth(AWidth), FHeight(AHeight), FStride(AWidth + 2), FScratch(Scratch())
    {
        const size_t LSize = size_t(FStride) * size_t(AHeight);
        if (!FScratch.Clean)
            std::fill(FScratch.Cells.begin(), FScratch.Cells.end(), 0.0f);
        if (FScratch.Cells.size() < LSize)
            FScratch.Cells.resize(LSize, 0.0f);
        FScratch.Clean = false;
        FCells = FScratch.Cells.data();
        FScratch.Spans.assign(size_t(AHeight), TSpan{FStride, -1});
    }
    ~TAccumulator()
    {
        FScratch.Clean = FCleared;
        // A large picture's buffer is not kept for the icons that usually follow.
        if (FScratch.Cells.size() > LargeBuffer) {
            FScratch.Cells = {};
            FScratch.Clean = true;
        }
    }
    TAccumulator(const TAccumulator&) = delete;
    TAccumulator& operator=(const TAccumulator&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    float* Row(int AY) { return FCells + size_t(AY) * FStride; }
    // First and last cell of the row that an edge wrote to; First > Last when none.
    int First(int AY) const { return FScratch.Spans[size_t(AY)].First; }
    int Last(int AY) const { return FScratch.Spans[size_t(AY)].Last; }
    // Called once every touched cell has been read and set back to zero.
    void SetCleared() { FCleared = true; }

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
        const float LRight = float(FWidth);
        float X = A.X;
        // Moved to the top border, a point of a line already cut to the window may fall a
        // rounding error outside it, which would be a cell before the row.
        if (A.Y < 0)
            X = std::clamp(X - A.Y * LDxDy, 0.0f, LRight);
        const int LY0 = std::max(0, int(Floor(A.Y)));
        const int LY1 = std::min(FHeight, int(Ceil(B.Y)));
        for (int Y = LY0; Y < LY1; ++Y) {
            float* R = Row(Y);
            TSpan& LSpan = FScratch.Spans[size_t(Y)];
            const float LDy = std::min(float(Y + 1), B.Y) - std::max(float(Y), A.Y);
            const float LNext = std::clamp(X + LDxDy * LDy, 0.0f, LRight);
            const float D = LDy * LDir;
            const float X0 = std::min(X, LNext), X1 = std::max(X, LNext);
            const float LX0Floor = Floor(X0);
            const int I0 = int(LX0Floor);
            const int I1 = int(Ceil(X1));
            if (I1 <= I0 + 1) {
                // The edge stays within one cell: split by the mean of its two ends.
                const float LMid = 0.5f * (X + LNext) - LX0Floor;
                R[I0] += D - D * LMid;
                R[I0 + 1] += D * LMid;
                LSpan.Add(I0, I0 + 1);
            } else {
                const float S = 1.0f / (X1 - X0);
                const float LX0f = X0 - LX0Floor;
                const float LA0 = 0.5f * S * (1 - LX0f) * (1 - LX0f);
                const float LX1f = X1 - Ceil(X1) + 1;
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
                LSpan.Add(I0, I1);
            }
            X = LNext;
        }
    }

    struct TSpan
    {
        int First, Last;
        void Add(int AFirst, int ALast)
        {
            First = std::min(First, AFirst);
            Last = std::max(Last, ALast);
        }
    };
    struct TScratch
    {
        std::vector<float> Cells;
        std::vector<TSpan> Spans;
        bool Clean = true;
    };
    static TScratch& Scratch()
    {
        thread_local TScratch LScratch;
        return LScratch;
    }

    int FWidth, FHeight, FStride;
    TScratch& FScratch;
    float* FCells = nullptr;
    bool FCleared = false;
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
    // The running sum changes only at cells an edge wrote to, so what a pixel gets is worked
    // out again only there; inside a shape, and right of its last edge, it stays the same.
    enum class TCover
    {
        None,
        Full,
        Partial
    };
    TCover LCover = TCover::None;
    QRgb LSource = 0;
    uint LInverse = 255;
    const auto LClassify = [&](float ASum) {
        const float LCoverage = std::fabs(ASum);
        if (LCoverage < 1.0f / 512) {
            LCover = TCover::None;
        } else if (LCoverage >= 1.0f && LOpaque) {
            LCover = TCover::Full;
        } else {
            const uint LScale = LCoverage >= 1.0f ? 255 : uint(LCoverage * 255.0f + 0.5f);
            LSource = ScaleChannels(LPremultiplied, LScale);
            LInverse = 255 - qAlpha(LSource);
            LCover = TCover::Partial;
        }
    };
    const auto LApply = [&](QRgb& ADest) {
        if (LCover == TCover::Full)
            ADest = LPremultiplied;
        else if (LCover == TCover::Partial)
            ADest = LSource + ScaleChannels(ADest, LInverse);
    };
    uchar* const LBits = AImage.bits();
    const qsizetype LBytesPerLine = AImage.bytesPerLine();
    for (int Y = 0; Y < LAcc.Height(); ++Y) {
        const int LFirst = LAcc.First(Y), LLast = LAcc.Last(Y);
        if (LFirst > LLast)
            continue; // no edge crossed the row: the running sum stays 0
        float* R = LAcc.Row(Y);
        auto* D = reinterpret_cast<QRgb*>(LBits + (LTop + Y) * LBytesPerLine) + LLeft;
        float LSum = 0;
        LCover = TCover::None;
        const int LEnd = std::min(LLast + 1, LAcc.Width());
        for (int X = LFirst; X < LEnd; ++X) {
            if (R[X] != 0.0f) {
                LSum += R[X];
                LClassify(LSum);
            }
            LApply(D[X]);
        }
        if (LCover != TCover::None)
            for (int X = LEnd; X < LAcc.Width(); ++X)
                LApply(D[X]);
        std::fill(R + LFirst, R + LLast + 1, 0.0f);
    }
    LAcc.SetCleared();
    return true;
}

} // namespace ext::raster
