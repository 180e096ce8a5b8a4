#pragma once

#include <QString>
#include <stdexcept>

// Wrong words on the command line: exit status 2.
class EUsage : public std::runtime_error
{
public:
    explicit EUsage(const QString& AMessage) : std::runtime_error(AMessage.toStdString()) {}
};

// A command that cannot be done as asked (no such asset, a taken variant): exit status 1.
class ECommand : public std::runtime_error
{
public:
    explicit ECommand(const QString& AMessage) : std::runtime_error(AMessage.toStdString()) {}
};
