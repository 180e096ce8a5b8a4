#pragma once

// The style editor's model: one instance of a component class, its published properties as
// entries, the entries a style overrides, and the style file that records them.

#include <QList>
#include <QMetaProperty>
#include <QObject>
#include <QRect>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QPainter;

namespace orvo {

// The component classes reflection can find by unit-qualified name ("ORVO.Components.TqoButton"),
// and which of them a style may be made for.
class TStyleClassRegistry
{
public:
    // Filled with the framework's styled controls.
    static TStyleClassRegistry& Instance();

    void Register(const QString& AUnitName, const QMetaObject* AClass, bool AStyled = true);
    // By unit-qualified name, or by the plain class name the style asset keeps; null when unknown.
    const QMetaObject* Find(const QString& AName) const;
    QString QualifiedName(const QMetaObject* AClass) const;
    // Unit-qualified names of the styled classes in registration order.
    QStringList StyleClassNames() const;

private:
    struct TEntry
    {
        QString UnitName;
        const QMetaObject* Class;
        bool Styled;
    };
    std::vector<TEntry> FClasses;
};

// How a property's value is stored in the style file.
enum class TTypeKind
{
    Unknown,
    Integer,
    Enumeration,
    Float,
    String,
    Set
};

TTypeKind TypeKindOf(const QMetaProperty& AProperty);

class TPropertyEditor
{
public:
    TPropertyEditor(QObject* AObject, const QMetaProperty& AProperty) : FObject(AObject), FProperty(AProperty) {}
    virtual ~TPropertyEditor() = default;

    virtual QString GetValue() const;
    // Raises EConvertError on text the property cannot take.
    virtual void SetValue(const QString& AValue);
    virtual QStringList GetValues() const { return {}; }
    virtual void DrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) const;
    QMetaType GetPropType() const { return FProperty.metaType(); }
    QVariant GetRttiValue() const { return FProperty.read(FObject); }

protected:
    void Write(const QVariant& AValue);

    QObject* FObject;
    QMetaProperty FProperty;
};

class TStringEditor : public TPropertyEditor
{
public:
    using TPropertyEditor::TPropertyEditor;
};

class TEnumEditor : public TPropertyEditor
{
public:
    using TPropertyEditor::TPropertyEditor;
    QString GetValue() const override;
    void SetValue(const QString& AValue) override;
    QStringList GetValues() const override;
};

class TBooleanEditor : public TPropertyEditor
{
public:
    using TPropertyEditor::TPropertyEditor;
    QString GetValue() const override;
    void SetValue(const QString& AValue) override;
    QStringList GetValues() const override;
    void DrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) const override;
    bool GetIsChecked() const;
    void SetIsChecked(bool AValue);
};

class TIntegerEditor : public TPropertyEditor
{
public:
    using TPropertyEditor::TPropertyEditor;
    void SetValue(const QString& AValue) override;
};

class TSingleEditor : public TPropertyEditor
{
public:
    using TPropertyEditor::TPropertyEditor;
    QString GetValue() const override;
    void SetValue(const QString& AValue) override;
};

// Desktop colors (QColor): "#RRGGBB".
class TColorEditor : public TPropertyEditor
{
public:
    using TPropertyEditor::TPropertyEditor;
    QString GetValue() const override;
    void SetValue(const QString& AValue) override;
    void DrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) const override;
};

// The framework's alpha colors: "#AARRGGBB".
class TAplhaColorEditor : public TColorEditor
{
public:
    using TColorEditor::TColorEditor;
    QString GetValue() const override;
    void SetValue(const QString& AValue) override;
};

// One settable leaf property of the instance or of an object it holds.
struct TPropertyData
{
    QStringList Path;
    QMetaProperty Property;
    QObject* Owner = nullptr;
    QVariant Value;
    std::unique_ptr<TPropertyEditor> Editor;

    QString FullQualifiedName() const { return Path.join(QLatin1Char('.')); }
};

class TObjectInspectorModel
{
public:
    TObjectInspectorModel();
    ~TObjectInspectorModel();

    // Raises when the name is no class that can be made.
    void SelectClass(const QString& AName);
    void SelectClass(const QMetaObject* AClass);
    const QMetaObject* SelectedClass() const { return FClass; }
    QObject* Instance() const { return FInstance.get(); }

    const std::vector<std::unique_ptr<TPropertyData>>& Entries() const { return FEntries; }
    const QList<TPropertyData*>& DeclaredEntries() const { return FDeclared; }
    TPropertyData* FindEntry(const QString& AFullQualifiedName) const;

    void MarkAsDeclared(TPropertyData* AEntry);
    void RemoveFromDeclared(TPropertyData* AEntry);
    bool IsDeclared(const TPropertyData* AEntry) const { return FDeclared.contains(AEntry); }

    void LoadFromFile(const QString& AFileName);
    void SaveToFile(const QString& AFileName) const;
    void ApplyTo(QObject* ATarget) const;

private:
    using TEditorFactory = std::function<std::unique_ptr<TPropertyEditor>(QObject*, const QMetaProperty&)>;

    void Clear();
    void CollectEntries(QObject* AObject, const QStringList& APrefix);
    std::unique_ptr<TPropertyEditor> CreateEditor(QObject* AObject, const QMetaProperty& AProperty) const;

    std::unique_ptr<QObject> FInstance;
    const QMetaObject* FClass = nullptr;
    std::vector<std::unique_ptr<TPropertyData>> FEntries;
    QList<TPropertyData*> FDeclared;
    std::map<int, TEditorFactory> FEditorClasses;
};

} // namespace orvo
