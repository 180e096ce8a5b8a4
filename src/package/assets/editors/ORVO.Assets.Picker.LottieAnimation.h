#pragma once

// The Lottie animation's picker: a frame of the animation and its duration, and open, save and
// clear of its file.

#include "ORVO.Assets.Picker.CustomFile.h"
#include "ORVO.Externals.Lottie.h"

namespace orvo {

class TLottieAnimationPicker : public TFileAssetPicker
{
    Q_OBJECT
public:
    explicit TLottieAnimationPicker(QWidget* AParent = nullptr);

    // "3:45" for 3.456 seconds: whole seconds, then hundredths, both truncated.
    static QString DurationText(double ASeconds);

    const ext::TSkottieAnimation& Animation() const { return FAnimation; }
    QLabel* DurationLabel() const { return FDuration; }

protected:
    void Reload() override;
    QString Filter() const override;
    QString SaveFileName(const QString& AChosen) const override;

private:
    ext::TSkottieAnimation FAnimation;
    QLabel* FFrame;
    QLabel* FDuration;
};

} // namespace orvo
