#pragma once

#include <QStringList>

// "orvo-assets lottie ...": AArgs are the words after "lottie". Returns the exit status.
int RunLottieCommand(QStringList AArgs);
QString LottieCommandsUsage();
