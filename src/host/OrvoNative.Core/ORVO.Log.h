#pragma once

#include <QString>
#include <functional>
#include <type_traits>
#include <vector>

namespace core {

enum class TqoLogLevel
{
    Trace,
    Warning,
    Error
};

// Receives every line that passes the level filter.
using TqoLogSink = std::function<void(TqoLogLevel ALevel, const QString& ACategory, const QString& AMessage)>;

// The framework logger. Formats use Qt's %1..%9 markers and are filled in one
// pass, so an argument that itself contains "%2" is never substituted again.
// Numbers are written with "." whatever the locale.
class TqoLog
{
public:
    template <typename... TArgs>
    static void Trace(const QString& ACategory, const QString& AFormat, const TArgs&... AArgs)
    {
        Write(TqoLogLevel::Trace, ACategory, AFormat, AArgs...);
    }

    template <typename... TArgs>
    static void Warning(const QString& ACategory, const QString& AFormat, const TArgs&... AArgs)
    {
        Write(TqoLogLevel::Warning, ACategory, AFormat, AArgs...);
    }

    template <typename... TArgs>
    static void Error(const QString& ACategory, const QString& AFormat, const TArgs&... AArgs)
    {
        Write(TqoLogLevel::Error, ACategory, AFormat, AArgs...);
    }

    template <typename... TArgs>
    static void Write(TqoLogLevel ALevel, const QString& ACategory, const QString& AFormat, const TArgs&... AArgs)
    {
        if (ALevel < MinimumLevel())
            return;
        if constexpr (sizeof...(TArgs) == 0)
            Emit(ALevel, ACategory, AFormat);
        else
            Emit(ALevel, ACategory, AFormat.arg(ToText(AArgs)...));
    }

    // Replaces the sink and returns the previous one; an empty sink restores stderr output.
    static TqoLogSink SetSink(TqoLogSink ASink);
    static TqoLogLevel MinimumLevel();
    static void SetMinimumLevel(TqoLogLevel ALevel);
    static QString LevelName(TqoLogLevel ALevel);

    static QString ToText(const QString& AValue) { return AValue; }
    static QString ToText(const char* AValue) { return QString::fromUtf8(AValue); }
    static QString ToText(QChar AValue) { return QString(AValue); }
    static QString ToText(bool AValue) { return AValue ? QStringLiteral("True") : QStringLiteral("False"); }
    template <typename T>
    requires std::is_arithmetic_v<T>
    static QString ToText(T AValue)
    {
        if constexpr (std::is_floating_point_v<T>)
            return QString::number(static_cast<double>(AValue), 'g', 15);
        else
            return QString::number(AValue);
    }

private:
    static void Emit(TqoLogLevel ALevel, const QString& ACategory, const QString& AMessage);
};

// Captures log lines for the lifetime of the object, then restores the previous sink.
class TqoLogCapture
{
public:
    struct TqoEntry
    {
        TqoLogLevel Level;
        QString Category;
        QString Message;
    };

    TqoLogCapture();
    ~TqoLogCapture();
    TqoLogCapture(const TqoLogCapture&) = delete;
    TqoLogCapture& operator=(const TqoLogCapture&) = delete;

    const std::vector<TqoEntry>& Entries() const { return FEntries; }

private:
    std::vector<TqoEntry> FEntries;
    TqoLogSink FPrevious;
    TqoLogLevel FPreviousLevel;
};

} // namespace core
