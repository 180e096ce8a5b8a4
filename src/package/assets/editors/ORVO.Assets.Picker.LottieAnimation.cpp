#include "ORVO.Assets.Picker.LottieAnimation.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <cmath>

namespace orvo {

namespace {

constexpr int FrameSide = 160;

} // namespace

TLottieAnimationPicker::TLottieAnimationPicker(QWidget* AParent) : TFileAssetPicker(AParent)
{
    FFrame = new QLabel(this);
    FFrame->setFixedSize(FrameSide + 2, FrameSide + 2);
    FFrame->setFrameShape(QFrame::StyledPanel);
    FFrame->setAlignment(Qt::AlignCenter);
    FDuration = new QLabel(this);
    auto* LDurationRow = new QHBoxLayout;
    LDurationRow->addWidget(new QLabel(FilePickerText(QStringLiteral("duration")), this));
    LDurationRow->addWidget(FDuration, 1);
    Content()->addWidget(FFrame, 0, Qt::AlignHCenter);
    Content()->addLayout(LDurationRow);
}

QString TLottieAnimationPicker::DurationText(double ASeconds)
{
    const double LWhole = std::trunc(ASeconds);
    // A little slack, so that 2.5 s stored as 2.4999... still reads 2:50.
    const int LHundredths = std::min(99, int(std::trunc((ASeconds - LWhole) * 100 + 1e-9)));
    return QStringLiteral("%1:%2").arg(qint64(LWhole)).arg(LHundredths, 2, 10, QLatin1Char('0'));
}

void TLottieAnimationPicker::Reload()
{
    TFileAssetPicker::Reload();
    if (!GetAsset() || GetAsset()->GetUri().isEmpty()) {
        FAnimation.Clear();
        FDuration->setText(QStringLiteral("-"));
        FFrame->clear();
        return;
    }
    if (!FAnimation.LoadFromFile(GetAsset()->GetFileName())) {
        FDuration->setText(QStringLiteral("-"));
        FFrame->setText(FAnimation.Error());
        FFrame->setWordWrap(true);
        return;
    }
    FDuration->setText(DurationText(FAnimation.Duration()));
    FFrame->setPixmap(
        QPixmap::fromImage(FAnimation.Render(int(FAnimation.FrameCount() / 2), QSize(FrameSide, FrameSide))));
}

QString TLottieAnimationPicker::Filter() const
{
    return FilePickerText(QStringLiteral("lottie_filter")) + QLatin1Char('|') +
           FilePickerText(QStringLiteral("filter"));
}

QString TLottieAnimationPicker::SaveFileName(const QString& AChosen) const
{
    return QFileInfo(AChosen).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0
               ? AChosen
               : AChosen + QStringLiteral(".json");
}

} // namespace orvo
