#pragma once

// Object inspector editors of the framework's geometry values (sizes, positions, unit
// values, optional offsets) and of the string properties whose useful values come from
// fixed lists.

#include "DesignEditors.h"

#include <QRect>
#include <QStringList>
#include <utility>

namespace core {
class TqoNullableRectF;
}

namespace orvo {

// "%.1f" when the number has a fractional part, "%.0f" otherwise, in the current locale.
QString FormatSingle(float AValue);

// A value object shown as its two numbers, "(100, 50)" or "(100.0, 50.5)"; the numbers
// themselves are edited as sub-properties.
class TqoPairPropertyValues : public ide::TClassProperty
{
public:
    ide::TPropertyAttributes GetAttributes() override;
    QString GetValue() override;

protected:
    virtual std::pair<float, float> GetPair(QObject* AObject) const = 0;
};

class TqoSizePropertyValues : public TqoPairPropertyValues
{
protected:
    std::pair<float, float> GetPair(QObject* AObject) const override;
};

class TqoPositionPropertyValues : public TqoPairPropertyValues
{
protected:
    std::pair<float, float> GetPair(QObject* AObject) const override;
};

class TqoScrollBoxContentSizePropertyValues : public TqoPairPropertyValues
{
protected:
    std::pair<float, float> GetPair(QObject* AObject) const override;
};

// A number with its unit, typed as "12", "12 dp" or "50%".
class TqoSingleValueProperty : public ide::TClassProperty
{
public:
    ide::TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetValues(const ide::TGetStrProc& AProc) override;
    void SetValue(const QString& AValue) override;
};

// One side of a set of optional offsets: a check box in the value cell says whether the
// side is defined at all.
class TOptionalFloatForNullableRectFProperty : public ide::TFloatProperty,
                                               public ide::ICustomPropertyDrawing80,
                                               public ide::ICustomPropertyMessage
{
public:
    void SetPropEntry(int AIndex, QObject* AInstance, const QMetaProperty& AProperty) override;
    void SetValue(const QString& AValue) override;

    bool IsDefined() const;
    void SetDefined(bool ADefined);
    int Side() const { return FSide; }

    void PropDrawName(QPainter& ACanvas, const QRect& ARect, bool ASelected) override;
    void PropDrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) override;
    QRect PropDrawNameRect(const QRect& ARect) override { return ARect; }
    QRect PropDrawValueRect(const QRect& ARect) override;

    void MouseDown(ide::TMouseButton, int, int, const QRect&, bool&) override {}
    void MouseMove(int, int, const QRect&, bool&) override {}
    void MouseUp(ide::TMouseButton AButton, int AX, int AY, const QRect& ARect, bool& AHandled) override;
    void HintShow(QString&, bool&) override {}

    // Where a release toggles the check box, for the rectangle passed with a mouse event.
    static QRect CheckBoxArea(const QRect& ARect);

private:
    int FSide = -1;
    core::TqoNullableRectF* FObject = nullptr;
};

// The editors of an object a button makes by a kind: its kind is the row's value, chosen from
// the runtime's list, and the object's own properties are the row's sub-properties.
class TqoKindObjectProperty : public ide::TClassProperty
{
public:
    ide::TPropertyAttributes GetAttributes() override;
    void GetProperties(const std::function<void(std::unique_ptr<ide::TPropertyEditor>)>& AProc) override;
};

// The action a navigation bar button acts through: "Back (TqoBackActionControl)".
class TqoActionControlProperty : public TqoKindObjectProperty
{
public:
    QString GetValue() override;
    void GetValues(const ide::TGetStrProc& AProc) override;
    void SetValue(const QString& AValue) override;
};

// A button's look by its kind; a text that names no kind makes the button a custom one.
class TqoButtonAppearanceProperty : public TqoKindObjectProperty
{
public:
    QString GetValue() override;
    void GetValues(const ide::TGetStrProc& AProc) override;
    void SetValue(const QString& AValue) override;
};

// A string editor offering a fixed list of values; the text typed is stored as typed,
// cut to MaxLength() characters when that is not zero.
class TqoStringValuesProperty : public ide::TStringProperty
{
public:
    ide::TPropertyAttributes GetAttributes() override;
    void GetValues(const ide::TGetStrProc& AProc) override;
    void SetValue(const QString& AValue) override;

protected:
    virtual QStringList Values() const = 0;
    virtual bool Sorted() const { return false; }
    virtual int MaxLength() const { return 0; }
};

class TqoCountryCodeAlpha2Property : public TqoStringValuesProperty
{
protected:
    QStringList Values() const override;
    bool Sorted() const override { return true; }
    int MaxLength() const override { return 2; }
};

class TqoCurrencyCodeProperty : public TqoStringValuesProperty
{
protected:
    QStringList Values() const override;
    bool Sorted() const override { return true; }
    int MaxLength() const override { return 3; }
};

class TqoServiceNameProperty : public TqoStringValuesProperty
{
protected:
    QStringList Values() const override;
};

// An empty theme name follows the application's theme, which the row shows in gray while it
// is not being edited.
class TqoThemeNameProperty : public TqoStringValuesProperty, public ide::ICustomPropertyDrawing80
{
public:
    void PropDrawName(QPainter& ACanvas, const QRect& ARect, bool ASelected) override;
    void PropDrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) override;
    // One pixel: the inspector draws the value cell's text itself.
    QRect PropDrawNameRect(const QRect& ARect) override { return ARect; }
    QRect PropDrawValueRect(const QRect& ARect) override { return QRect(ARect.topLeft(), QSize(1, ARect.height())); }

protected:
    QStringList Values() const override;
    bool Sorted() const override { return true; }

private:
    bool FSelected = false;
};

class TqoYandexMapsTileProviderLang : public TqoStringValuesProperty
{
protected:
    QStringList Values() const override;
};

class TqoYandexMapsTileProviderProjection : public TqoStringValuesProperty
{
protected:
    QStringList Values() const override;
};

class TqoYandexMapsTileProviderMapType : public TqoStringValuesProperty
{
protected:
    QStringList Values() const override;
};

// An empty key shows, in gray, the project-wide key that applies instead.
class TqoYandexMapsTileProviderAPIKey : public ide::TStringProperty, public ide::ICustomPropertyDrawing80
{
public:
    void PropDrawName(QPainter& ACanvas, const QRect& ARect, bool ASelected) override;
    void PropDrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) override;
    QRect PropDrawNameRect(const QRect& ARect) override { return ARect; }
    QRect PropDrawValueRect(const QRect& ARect) override { return ARect; }

    // The key of the active project's current build configuration; empty without one.
    static QString ProjectKey();
};

} // namespace orvo
