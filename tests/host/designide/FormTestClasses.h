#pragma once

// Small components with every kind of published property a form holds, registered by the
// fixture under a module of its own.

#include "DesignIntf.h"

#include <QObject>
#include <gtest/gtest.h>

namespace formtest {

class TExtent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float Width MEMBER Width)
    Q_PROPERTY(float Height MEMBER Height)
public:
    Q_INVOKABLE explicit TExtent(QObject* AOwner = nullptr) : QObject(AOwner) {}
    float Width = 100;
    float Height = 40;
};

class TStop : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.Color", "TAlphaColor")
    Q_PROPERTY(uint Color MEMBER Color)
    Q_PROPERTY(float Offset MEMBER Offset)
public:
    Q_INVOKABLE explicit TStop(QObject* AOwner = nullptr) : QObject(AOwner) {}
    uint Color = 0xFF000000;
    float Offset = 0;
};

class TStops : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TStops(QObject* AOwner = nullptr) : QObject(AOwner) {}
    Q_INVOKABLE QObject* Add() { return new TStop(this); }
    Q_INVOKABLE void Clear() { qDeleteAll(findChildren<TStop*>(Qt::FindDirectChildrenOnly)); }
};

class TWidget : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.Picture", "TqoAssetName")
    Q_PROPERTY(QString Name READ objectName WRITE setObjectName)
    Q_PROPERTY(TExtent* Size MEMBER Size)
    Q_PROPERTY(bool Visible MEMBER Visible)
    Q_PROPERTY(int Tag MEMBER Tag)
    Q_PROPERTY(double Opacity MEMBER Opacity)
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(QString Picture MEMBER Picture)
    Q_PROPERTY(TAlign Align MEMBER Align)
    Q_PROPERTY(TSides Sides READ GetSides WRITE SetSides)
    Q_PROPERTY(TStops* Stops MEMBER Stops)
    Q_PROPERTY(TWidget* Buddy MEMBER Buddy)
public:
    enum class TAlign
    {
        None,
        Top,
        Client
    };
    Q_ENUM(TAlign)
    enum TSide
    {
        Left = 1,
        Top = 2,
        Right = 4
    };
    Q_DECLARE_FLAGS(TSides, TSide)
    Q_FLAG(TSides)

    Q_INVOKABLE explicit TWidget(QObject* AOwner = nullptr) : QObject(AOwner) {}
    TExtent* Size = new TExtent(this);
    bool Visible = true;
    int Tag = 0;
    double Opacity = 1;
    QString Text;
    QString Picture;
    TAlign Align = TAlign::None;
    TSides Sides;
    TSides GetSides() const { return Sides; }
    void SetSides(TSides AValue) { Sides = AValue; }
    TStops* Stops = new TStops(this);
    TWidget* Buddy = nullptr;
};

class TButtonWidget : public TWidget
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TButtonWidget(QObject* AOwner = nullptr) : TWidget(AOwner) {}
};

class TPanelWidget : public TWidget
{
    Q_OBJECT
    Q_PROPERTY(int Columns MEMBER Columns)
public:
    Q_INVOKABLE explicit TPanelWidget(QObject* AOwner = nullptr) : TWidget(AOwner) {}
    int Columns = 1;
};

class TFormWidget : public TWidget
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TFormWidget(QObject* AOwner = nullptr) : TWidget(AOwner) {}
};

// Registers the classes for one test and drops them afterwards, as a package would.
class TFormFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        R.BeginModule(QStringLiteral("form-test"));
        ide::RegisterComponents(QStringLiteral("Test"), {&TWidget::staticMetaObject, &TButtonWidget::staticMetaObject,
                                                         &TPanelWidget::staticMetaObject});
        ide::RegisterClass(&TFormWidget::staticMetaObject);
    }
    void TearDown() override
    {
        R.EndModule();
        R.UnregisterModule(QStringLiteral("form-test"));
    }
    ide::TDesignRegistry& R = ide::TDesignRegistry::Instance();
};

} // namespace formtest
