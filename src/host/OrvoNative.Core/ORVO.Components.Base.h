#pragma once

#include <QObject>

namespace core {

// Base of the framework's non-visual components (timers, services, providers).
class TqoComponent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ objectName WRITE setObjectName)
public:
    Q_INVOKABLE explicit TqoComponent(QObject* AOwner = nullptr);
};

// Base of every visual control of the framework; the framework's class group is rooted here.
class TqoControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ objectName WRITE setObjectName)
    Q_PROPERTY(double Width READ GetWidth WRITE SetWidth)
    Q_PROPERTY(double Height READ GetHeight WRITE SetHeight)
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
public:
    Q_INVOKABLE explicit TqoControl(QObject* AOwner = nullptr);

    double GetWidth() const { return FWidth; }
    void SetWidth(double AValue) { FWidth = AValue; }
    double GetHeight() const { return FHeight; }
    void SetHeight(double AValue) { FHeight = AValue; }
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool AValue) { FVisible = AValue; }

private:
    double FWidth = 100;
    double FHeight = 40;
    bool FVisible = true;
};

} // namespace core
