// The "lottie" commands of orvo-assets: whether the designer's player takes an animation, and
// its timing as the Assets Manager shows it.

#include "LottieCommands.h"

#include "Console.h"
#include "ORVO.Externals.Lottie.h"
#include "assets/editors/ORVO.Assets.Picker.LottieAnimation.h"

namespace {

const char* const LottieUsage = R"(Usage:
  orvo-assets lottie check FILE...    whether each animation loads, then its duration (s:hh),
                                      frame count, frame rate and size; status 1 when one
                                      does not load
)";

int Check(const QStringList& AFiles)
{
    int LStatus = 0;
    for (const auto& LFile : AFiles) {
        ext::TSkottieAnimation LAnimation;
        if (!LAnimation.LoadFromFile(LFile)) {
            Out() << LFile << ": cannot load: " << LAnimation.Error() << "\n";
            LStatus = 1;
            continue;
        }
        Out() << LFile << ": loaded, duration " << orvo::TLottieAnimationPicker::DurationText(LAnimation.Duration())
              << ", " << LAnimation.FrameCount() << " frames, " << LAnimation.FrameRate() << " fps, "
              << LAnimation.Size().width() << " x " << LAnimation.Size().height() << "\n";
    }
    Out().flush();
    return LStatus;
}

} // namespace

QString LottieCommandsUsage() { return QString::fromUtf8(LottieUsage); }

int RunLottieCommand(QStringList AArgs)
{
    if (AArgs.isEmpty() || AArgs.first() != QStringLiteral("check") || AArgs.size() < 2) {
        Err() << "orvo-assets lottie: "
              << (AArgs.isEmpty() || AArgs.first() == QStringLiteral("check") ? "no file given" : "unknown command")
              << "\n"
              << LottieUsage;
        Err().flush();
        return 2;
    }
    return Check(AArgs.mid(1));
}
