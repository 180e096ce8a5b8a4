#include "ORVO.Log.h"

#include <cstdio>

namespace core {

namespace {

TqoLogSink& CurrentSink()
{
    static TqoLogSink sink;
    return sink;
}

TqoLogLevel& CurrentLevel()
{
    static TqoLogLevel level = TqoLogLevel::Trace;
    return level;
}

} // namespace

TqoLogSink TqoLog::SetSink(TqoLogSink ASink)
{
    TqoLogSink previous = std::move(CurrentSink());
    CurrentSink() = std::move(ASink);
    return previous;
}

TqoLogLevel TqoLog::MinimumLevel() { return CurrentLevel(); }

void TqoLog::SetMinimumLevel(TqoLogLevel ALevel) { CurrentLevel() = ALevel; }

QString TqoLog::LevelName(TqoLogLevel ALevel)
{
    switch (ALevel) {
    case TqoLogLevel::Trace:
        return QStringLiteral("trace");
    case TqoLogLevel::Warning:
        return QStringLiteral("warning");
    case TqoLogLevel::Error:
        return QStringLiteral("error");
    }
    return QString();
}

void TqoLog::Emit(TqoLogLevel ALevel, const QString& ACategory, const QString& AMessage)
{
    if (const TqoLogSink& sink = CurrentSink()) {
        sink(ALevel, ACategory, AMessage);
        return;
    }
    const QString line = QStringLiteral("[%1] %2: %3\n").arg(LevelName(ALevel), ACategory, AMessage);
    std::fputs(line.toUtf8().constData(), stderr);
}

TqoLogCapture::TqoLogCapture() : FPreviousLevel(TqoLog::MinimumLevel())
{
    TqoLog::SetMinimumLevel(TqoLogLevel::Trace);
    FPrevious = TqoLog::SetSink([this](TqoLogLevel ALevel, const QString& ACategory, const QString& AMessage) {
        FEntries.push_back({ALevel, ACategory, AMessage});
    });
}

TqoLogCapture::~TqoLogCapture()
{
    TqoLog::SetSink(std::move(FPrevious));
    TqoLog::SetMinimumLevel(FPreviousLevel);
}

} // namespace core
