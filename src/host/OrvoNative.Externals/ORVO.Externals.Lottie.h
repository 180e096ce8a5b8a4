#pragma once

// Skia's Lottie player (Skottie) over rlottie: an animation loaded from a file or from bytes,
// its timing and size, and any frame rendered into a bitmap.
//
// rlottie trusts what it is given and crashes on some damaged animations, so every animation is
// parsed and checked here first; one that fails the check never reaches rlottie.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

namespace rlottie {
class Animation;
}

namespace ext {

class TSkottieAnimation
{
public:
    // Limits of what is handed to the player; real animations stay far below them.
    static constexpr int MaxNestingDepth = 96;
    static constexpr double MaxFrameCount = 100000;
    static constexpr double MaxFrameRate = 1000;
    static constexpr int MaxSide = 8192;
    static constexpr qint64 MaxDataSize = 64 * 1024 * 1024;

    TSkottieAnimation();
    ~TSkottieAnimation();
    TSkottieAnimation(const TSkottieAnimation&) = delete;
    TSkottieAnimation& operator=(const TSkottieAnimation&) = delete;

    // False, with the reason in Error(), when the file cannot be read or is not an animation the
    // player can take; the animation is then empty.
    bool LoadFromFile(const QString& AFileName);
    bool LoadFromData(const QByteArray& AData);
    void Clear();

    bool IsLoaded() const { return FAnimation != nullptr; }
    QString Error() const { return FError; }

    // In seconds, as the framework's player on a device reports it: (out point - in point) / frame rate.
    double Duration() const;
    // Frames between the in and the out point.
    double FrameCount() const { return FOutPoint - FInPoint; }
    double FrameRate() const { return FFrameRate; }
    QSize Size() const { return FSize; }

    // Frame AFrame (0 is the in point, clamped to the animation) drawn over transparency, scaled
    // to ASize keeping the aspect ratio; a null image when nothing is loaded or ASize is empty.
    QImage Render(int AFrame, const QSize& ASize) const;

    // Why AData is not an animation the player may be given; empty when it is one.
    static QString Check(const QByteArray& AData);

private:
    std::unique_ptr<rlottie::Animation> FAnimation;
    QString FError;
    double FInPoint = 0;
    double FOutPoint = 0;
    double FFrameRate = 0;
    QSize FSize;
};

} // namespace ext
