#pragma once

// What a button looks like by its kind, and the controls a navigation bar button acts through.
// Each family has a manager that knows its kinds and makes the object of a kind.

#include "ORVO.Components.Base.h"

#include <QStringList>

namespace core {

class TqoButtonKinds : public QObject
{
    Q_OBJECT
public:
    enum class TqoButtonKind
    {
        Custom,
        Contained,
        Outlined,
        Text,
        Tonal
    };
    Q_ENUM(TqoButtonKind)

    static QString ToId(TqoButtonKind AKind);
    // Case-insensitive; false for a text that names no kind.
    static bool TryGetFromString(const QString& AText, TqoButtonKind& AKind);
};

using TqoButtonKind = TqoButtonKinds::TqoButtonKind;

// The colors and corner of a button of a kind; a custom button has none and is styled by hand.
class TqoButtonAppearance : public QObject
{
    Q_OBJECT
    Q_PROPERTY(uint BackgroundColor READ GetBackgroundColor WRITE SetBackgroundColor)
    Q_PROPERTY(uint TextColor READ GetTextColor WRITE SetTextColor)
    Q_PROPERTY(uint BorderColor READ GetBorderColor WRITE SetBorderColor)
    Q_PROPERTY(float CornerRadius READ GetCornerRadius WRITE SetCornerRadius)
public:
    Q_INVOKABLE explicit TqoButtonAppearance(QObject* AOwner = nullptr) : QObject(AOwner) {}
    uint GetBackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(uint AValue) { FBackgroundColor = AValue; }
    uint GetTextColor() const { return FTextColor; }
    void SetTextColor(uint AValue) { FTextColor = AValue; }
    uint GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(uint AValue) { FBorderColor = AValue; }
    float GetCornerRadius() const { return FCornerRadius; }
    void SetCornerRadius(float AValue) { FCornerRadius = AValue; }

private:
    uint FBackgroundColor = 0;
    uint FTextColor = 0;
    uint FBorderColor = 0;
    float FCornerRadius = 0;
};

class TqoButtonAppearanceManager
{
public:
    // The identifiers of the kinds, in the type's order.
    static QStringList GetKinds();
    // The kind's appearance with its defaults, owned by AOwner; null for a custom button.
    static TqoButtonAppearance* Create(TqoButtonKind AKind, QObject* AOwner);
};

// A control a navigation bar button hands its taps to (going back, opening a drawer, searching).
class TqoActionControl : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoActionControl(QObject* AOwner = nullptr) : TqoControl(AOwner) {}
};

class TqoBackActionControl : public TqoActionControl
{
    Q_OBJECT
    Q_PROPERTY(bool CloseForm READ GetCloseForm WRITE SetCloseForm)
public:
    Q_INVOKABLE explicit TqoBackActionControl(QObject* AOwner = nullptr) : TqoActionControl(AOwner) {}
    bool GetCloseForm() const { return FCloseForm; }
    void SetCloseForm(bool AValue) { FCloseForm = AValue; }

private:
    bool FCloseForm = true;
};

class TqoMenuActionControl : public TqoActionControl
{
    Q_OBJECT
    Q_PROPERTY(QString DrawerName READ GetDrawerName WRITE SetDrawerName)
public:
    Q_INVOKABLE explicit TqoMenuActionControl(QObject* AOwner = nullptr) : TqoActionControl(AOwner) {}
    QString GetDrawerName() const { return FDrawerName; }
    void SetDrawerName(const QString& AValue) { FDrawerName = AValue; }

private:
    QString FDrawerName;
};

class TqoSearchActionControl : public TqoActionControl
{
    Q_OBJECT
    Q_PROPERTY(QString Hint READ GetHint WRITE SetHint)
public:
    Q_INVOKABLE explicit TqoSearchActionControl(QObject* AOwner = nullptr) : TqoActionControl(AOwner) {}
    QString GetHint() const { return FHint; }
    void SetHint(const QString& AValue) { FHint = AValue; }

private:
    QString FHint;
};

class TqoActionControlsManager
{
public:
    // The kinds, in registration order.
    static QStringList GetKinds();
    // The control of a kind (case-insensitive), owned by AOwner; null for an unknown kind.
    static TqoActionControl* Create(const QString& AKind, QObject* AOwner);
};

} // namespace core
