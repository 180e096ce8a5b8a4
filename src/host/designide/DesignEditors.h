#pragma once

// Property editors as the object inspector uses them: one editor per property, over the
// property of every selected component, with the kinds the IDE offers for plain types.

#include <QFlags>
#include <QList>
#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QObject;
class QPainter;
class QRect;
class QWidget;

namespace ide {

class IDesigner;

enum TPropertyAttribute : unsigned
{
    paValueList = 1u << 0,
    paSubProperties = 1u << 1,
    paDialog = 1u << 2,
    paMultiSelect = 1u << 3,
    paAutoUpdate = 1u << 4,
    paSortList = 1u << 5,
    paReadOnly = 1u << 6,
    paRevertable = 1u << 7,
    paFullWidthName = 1u << 8,
    paVolatileSubProperties = 1u << 9,
    paVCL = 1u << 10,
    paNotNestable = 1u << 11,
    paDisplayReadOnly = 1u << 12,
    paCustomDropDown = 1u << 13,
    paValueEditable = 1u << 14,
};
Q_DECLARE_FLAGS(TPropertyAttributes, TPropertyAttribute)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPropertyAttributes)

// The attribute names, in bit order, as the object inspector lists them.
QStringList AttributeNames(TPropertyAttributes AAttributes);

// A text the editor refuses; the object inspector shows the message and keeps the value.
class EPropertyError : public std::runtime_error
{
public:
    explicit EPropertyError(const QString& AMessage) : std::runtime_error(AMessage.toStdString()) {}
};

// The object inspector's side of an editing session: it can drop a control down under the
// property's row, as pickers in the IDE open.
class IPropertyHost
{
public:
    virtual ~IPropertyHost() = default;
    // Shows the control as a drop-down under the row; it closes on a click elsewhere and is
    // deleted when it closes. Whoever keeps it must hold it weakly.
    virtual void DropDownControl(QWidget* AControl) = 0;
    virtual void CloseDropDown() = 0;
};

class TPropertyEditor;
using TPropertyEditorList = std::vector<std::unique_ptr<TPropertyEditor>>;
using TGetStrProc = std::function<void(const QString&)>;

class TPropertyEditor
{
public:
    virtual ~TPropertyEditor() = default;

    // Called by the object inspector once per selected component, before anything else.
    void SetDesigner(IDesigner* ADesigner) { FDesigner = ADesigner; }
    virtual void SetPropEntry(int AIndex, QObject* AInstance, const QMetaProperty& AProperty);

    virtual TPropertyAttributes GetAttributes() { return paMultiSelect | paRevertable; }
    virtual QString GetValue();
    // Throws EPropertyError for a text the property cannot take.
    virtual void SetValue(const QString& AValue);
    virtual void GetValues(const TGetStrProc& /*AProc*/) {}
    virtual void Edit() {}
    // The inspector's entry: an editor that drops something down overrides this one.
    virtual void Edit(IPropertyHost& /*AHost*/, bool /*ADblClick*/) { Edit(); }
    virtual void GetProperties(const std::function<void(std::unique_ptr<TPropertyEditor>)>& /*AProc*/) {}
    // Whether every selected component has the same value.
    virtual bool AllEqual();

    QString GetName() const;
    QString GetPropTypeName() const;
    int PropCount() const { return int(FPropList.size()); }
    // The object the I-th entry's property belongs to: a component or a value object.
    QObject* GetComponent(int AIndex) const;
    QMetaProperty GetProperty(int AIndex = 0) const;
    IDesigner* Designer() const { return FDesigner; }
    void Modified();

    // The values of GetValues, sorted when the editor asks for it.
    QStringList ValueList();
    // What the object inspector shows: empty when the selected components disagree.
    QString ShownValue();

    QVariant GetVarValueAt(int AIndex) const;
    QString GetStrValue() const { return GetStrValueAt(0); }
    QString GetStrValueAt(int AIndex) const;
    qint64 GetOrdValue() const { return GetOrdValueAt(0); }
    qint64 GetOrdValueAt(int AIndex) const;
    double GetFloatValue() const { return GetFloatValueAt(0); }
    double GetFloatValueAt(int AIndex) const;
    QObject* GetObjectValue() const { return GetObjectValueAt(0); }
    QObject* GetObjectValueAt(int AIndex) const;
    // Each writes every entry, then marks the form modified.
    void SetVarValue(const QVariant& AValue);
    void SetStrValue(const QString& AValue) { SetVarValue(AValue); }
    void SetOrdValue(qint64 AValue);
    void SetFloatValue(double AValue) { SetVarValue(AValue); }

protected:
    struct TInstProp
    {
        QObject* Instance;
        QMetaProperty Property;
    };
    std::vector<TInstProp> FPropList;
    IDesigner* FDesigner = nullptr;
};

class TOrdinalProperty : public TPropertyEditor
{
public:
    bool AllEqual() override;
};

class TIntegerProperty : public TOrdinalProperty
{
public:
    QString GetValue() override;
    void SetValue(const QString& AValue) override;
};

class TEnumProperty : public TOrdinalProperty
{
public:
    TPropertyAttributes GetAttributes() override { return paMultiSelect | paValueList | paSortList | paRevertable; }
    QString GetValue() override;
    void SetValue(const QString& AValue) override;
    void GetValues(const TGetStrProc& AProc) override;
};

// A Boolean is an enumeration of False and True.
class TBoolProperty : public TEnumProperty
{
public:
    QString GetValue() override;
    void SetValue(const QString& AValue) override;
    void GetValues(const TGetStrProc& AProc) override;
};

class TSetProperty : public TOrdinalProperty
{
public:
    TPropertyAttributes GetAttributes() override { return paMultiSelect | paReadOnly | paRevertable; }
    QString GetValue() override;
};

class TFloatProperty : public TPropertyEditor
{
public:
    bool AllEqual() override;
    QString GetValue() override;
    void SetValue(const QString& AValue) override;
};

class TStringProperty : public TPropertyEditor
{
public:
    TPropertyAttributes GetAttributes() override { return paMultiSelect | paRevertable; }
    bool AllEqual() override;
    QString GetValue() override { return GetStrValue(); }
    void SetValue(const QString& AValue) override { SetStrValue(AValue); }
};

// A value object owned by the component (a size, a position, a brush): its own
// properties are the editor's sub-properties.
class TClassProperty : public TPropertyEditor
{
public:
    TPropertyAttributes GetAttributes() override { return paMultiSelect | paSubProperties | paReadOnly; }
    // The shown value is the type's name, the same for every selected component.
    bool AllEqual() override { return true; }
    QString GetValue() override;
    void GetProperties(const std::function<void(std::unique_ptr<TPropertyEditor>)>& AProc) override;
};

// A reference to another component of the form, chosen by name.
class TComponentProperty : public TPropertyEditor
{
public:
    TPropertyAttributes GetAttributes() override { return paMultiSelect | paValueList | paSortList | paRevertable; }
    bool AllEqual() override;
    QString GetValue() override;
    void SetValue(const QString& AValue) override;
    void GetValues(const TGetStrProc& AProc) override;
};

// An event: the name of the form's method bound to it. Editing it opens the method, which
// the designer first creates when the event has none (named after the component and the
// event: "Button1Tap" for OnTap).
class TMethodProperty : public TPropertyEditor
{
public:
    TPropertyAttributes GetAttributes() override { return paMultiSelect | paRevertable; }
    bool AllEqual() override;
    QString GetValue() override { return GetStrValue(); }
    // A name the unit lacks gets a new method.
    void SetValue(const QString& AValue) override;
    void Edit() override;
    QString GetFormMethodName() const;
};

// Event properties are text properties whose declared type is an event type (a type name
// ending in "Event", as TNotifyEvent).
bool IsMethodProperty(const QMetaProperty& AProperty, const QObject* AInstance);

// Editors that paint their own rows implement these beside TPropertyEditor; the object
// inspector asks with dynamic_cast.
class ICustomPropertyDrawing
{
public:
    virtual ~ICustomPropertyDrawing() = default;
    virtual void PropDrawName(QPainter& ACanvas, const QRect& ARect, bool ASelected) = 0;
    virtual void PropDrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) = 0;
};

class ICustomPropertyDrawing80 : public ICustomPropertyDrawing
{
public:
    // The part of the cell the editor paints; the object inspector writes the text beside it.
    virtual QRect PropDrawNameRect(const QRect& ARect) = 0;
    virtual QRect PropDrawValueRect(const QRect& ARect) = 0;
};

enum class TMouseButton
{
    Left,
    Right,
    Middle
};

// Mouse events on a row, with the rectangle of the value cell; set AHandled to keep the
// object inspector from acting on the event.
class ICustomPropertyMessage
{
public:
    virtual ~ICustomPropertyMessage() = default;
    virtual void MouseDown(TMouseButton AButton, int AX, int AY, const QRect& ARect, bool& AHandled) = 0;
    virtual void MouseMove(int AX, int AY, const QRect& ARect, bool& AHandled) = 0;
    virtual void MouseUp(TMouseButton AButton, int AX, int AY, const QRect& ARect, bool& AHandled) = 0;
    virtual void HintShow(QString& AHint, bool& AHandled) = 0;
};

// The object inspector's own painting of a name and a value cell, and of a check box.
void DefaultPropertyDrawName(TPropertyEditor& AEditor, QPainter& ACanvas, const QRect& ARect);
void DefaultPropertyDrawValue(TPropertyEditor& AEditor, QPainter& ACanvas, const QRect& ARect);
void DrawCheckbox(QPainter& ACanvas, const QRect& ARect, bool AChecked, bool AEnabled);

// The type name a property is registered under: the name its Q_PROPERTY declares
// (TqoAssetName, Single) or, for an object, the class of its value.
QString PropertyTypeName(const QMetaProperty& AProperty, const QObject* AInstance);

// One editor per property that every selected component publishes, made by the editor
// registered closest to it or by the kind for its type; with several components, only
// editors that allow multi-selection. The selection editors then filter the list.
TPropertyEditorList GetComponentProperties(const QList<QObject*>& ASelection, IDesigner* ADesigner);

} // namespace ide
