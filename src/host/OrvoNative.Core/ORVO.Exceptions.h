#pragma once

#include <QString>
#include <stdexcept>

namespace core {

// Base of the runtime's failures; what() carries the message as UTF-8.
class EqoException : public std::runtime_error
{
public:
    explicit EqoException(const QString& AMessage) : std::runtime_error(AMessage.toStdString()) {}
    QString Message() const { return QString::fromUtf8(what()); }
};

class EqoAssertionFailed : public EqoException
{
public:
    using EqoException::EqoException;
};

// Text that does not convert to the requested value (colors, numbers, enumerations).
class EConvertError : public EqoException
{
public:
    using EqoException::EqoException;
};

class EqoNoSuchValue : public EqoException
{
public:
    EqoNoSuchValue() : EqoException(QStringLiteral("No such value")) {}
};

// A file that cannot be read or written; ALine is 0 when no line applies.
class EqoFileError : public EqoException
{
public:
    EqoFileError(const QString& AFileName, int ALine, const QString& AMessage)
        : EqoException(ALine > 0 ? QStringLiteral("%1:%2: %3").arg(AFileName).arg(ALine).arg(AMessage)
                                 : QStringLiteral("%1: %2").arg(AFileName, AMessage)),
          FFileName(AFileName), FLine(ALine)
    {
    }
    QString FileName() const { return FFileName; }
    int Line() const { return FLine; }

private:
    QString FFileName;
    int FLine;
};

} // namespace core
