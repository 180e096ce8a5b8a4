#pragma once

// Registration side of the IDE's design-time interface: the class registry used by form
// streaming, class groups, palette pages and the editor bindings a package makes in its
// Register procedure. Everything a package registers is tagged with the module that was
// registering at the time, so unloading the package drops exactly its registrations.

#include "DesignEditors.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

struct QMetaObject;
class QObject;

namespace ide {

// Class references are the meta-objects of QObject-based classes.
using TPersistentClass = const QMetaObject*;
using TComponentClass = const QMetaObject*;

class IDesigner;

// ---------------------------------------------------------------------------------------
// Editors a package may bind (property editors: DesignEditors.h). The registry only
// needs a name to show and a way to create an instance.

// A context-menu item as a component editor sees it while the IDE prepares the menu.
// The IDE turns the tree into its own menu afterwards; tests read it as it is.
class IMenuItem
{
public:
    using TClick = std::function<void(IMenuItem& ASender)>;
    virtual ~IMenuItem() = default;
    virtual QString GetCaption() const = 0;
    virtual bool GetEnabled() const = 0;
    virtual void SetEnabled(bool AValue) = 0;
    virtual bool GetChecked() const = 0;
    virtual void SetChecked(bool AValue) = 0;
    virtual int GetTag() const = 0;
    virtual void SetTag(int AValue) = 0;
    // Adds a sub-item and returns it; the item owns it.
    virtual IMenuItem& AddItem(const QString& ACaption, bool AChecked, bool AEnabled, TClick AOnClick = {}) = 0;
    virtual int Count() const = 0;
    virtual IMenuItem& Item(int AIndex) = 0;
    // What a click on the item does: its handler, if it has one.
    virtual void Click() = 0;
};

class TVerbMenuItem : public IMenuItem
{
public:
    explicit TVerbMenuItem(const QString& ACaption = {}, bool AEnabled = true) : FCaption(ACaption), FEnabled(AEnabled)
    {
    }
    QString GetCaption() const override { return FCaption; }
    bool GetEnabled() const override { return FEnabled; }
    void SetEnabled(bool AValue) override { FEnabled = AValue; }
    bool GetChecked() const override { return FChecked; }
    void SetChecked(bool AValue) override { FChecked = AValue; }
    int GetTag() const override { return FTag; }
    void SetTag(int AValue) override { FTag = AValue; }
    IMenuItem& AddItem(const QString& ACaption, bool AChecked, bool AEnabled, TClick AOnClick = {}) override;
    int Count() const override { return int(FItems.size()); }
    IMenuItem& Item(int AIndex) override { return *FItems.at(std::size_t(AIndex)); }
    void Click() override;

private:
    QString FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    int FTag = 0;
    TClick FOnClick;
    std::vector<std::unique_ptr<TVerbMenuItem>> FItems;
};

class TComponentEditor
{
public:
    TComponentEditor(QObject* AComponent, IDesigner* ADesigner) : FComponent(AComponent), FDesigner(ADesigner) {}
    virtual ~TComponentEditor() = default;
    virtual void Edit() {}
    virtual void ExecuteVerb(int /*AIndex*/) {}
    virtual QString GetVerb(int /*AIndex*/) { return {}; }
    virtual int GetVerbCount() { return 0; }
    virtual void Copy() {}
    // Called for each verb's menu item before the menu shows: an editor may disable the
    // item or give it sub-items.
    virtual void PrepareItem(int /*AIndex*/, IMenuItem& /*AItem*/) {}
    QObject* GetComponent() const { return FComponent; }
    IDesigner* GetDesigner() const { return FDesigner; }

private:
    QObject* FComponent;
    IDesigner* FDesigner;
};

class TSelectionEditor
{
public:
    virtual ~TSelectionEditor() = default;
    // Unit names the form's uses clause must gain for the selected components.
    virtual void RequiresUnits(const std::function<void(const QString&)>& /*AProc*/) {}
    // Removes the properties the object inspector must not show for the selection.
    virtual void FilterProperties(const QList<QObject*>& /*ASelection*/, TPropertyEditorList& /*AProperties*/) {}
};

// Deletes, from last to first, the properties named as in ANames, compared without case.
void DeletePropertiesNamed(TPropertyEditorList& AProperties, const QStringList& ANames);

// A node of the structure view over one component. The IDE asks it for the node's text and
// whether components may be dragged or dropped from the palette onto it.
class TSprig
{
public:
    explicit TSprig(QObject* AItem) : FItem(AItem) {}
    virtual ~TSprig() = default;
    QObject* Item() const { return FItem; }
    // The node's text; by default the component's name and class.
    virtual QString Caption() const;
    // Whether this node may be dragged onto AParent.
    virtual bool DragOverTo(const TSprig& /*AParent*/) const { return true; }
    // Whether AItem may be dragged onto this node.
    virtual bool DragOver(const TSprig& /*AItem*/) const { return true; }
    // Whether a component of the class may be dropped from the palette onto this node.
    virtual bool PaletteOver(TComponentClass /*AClass*/) const { return true; }
    // Whether the children are listed in their creation order instead of by name.
    virtual bool SortByIndex() const { return false; }
    // For the node of an object that is not a component of the form (a collection of the
    // component's parts): whether a component that is a child of the same parent is listed
    // under this node instead of under the parent.
    virtual bool Gathers(const QObject* /*AComponent*/) const { return false; }

private:
    QObject* FItem;
};

class IOTAWizard
{
public:
    virtual ~IOTAWizard() = default;
    virtual QString GetIDString() const = 0;
    virtual QString GetName() const = 0;
    virtual void Execute() {}
};

template <class TBase, class... TArgs> struct TEditorClass
{
    QString Name;
    std::function<std::unique_ptr<TBase>(TArgs...)> Create;
};

using TPropertyEditorClass = TEditorClass<TPropertyEditor>;
using TComponentEditorClass = TEditorClass<TComponentEditor, QObject*, IDesigner*>;
using TSelectionEditorClass = TEditorClass<TSelectionEditor>;
using TSprigClass = TEditorClass<TSprig, QObject*>;

template <class T> TPropertyEditorClass PropertyEditorClass(const QString& AName)
{
    return {AName, [] { return std::make_unique<T>(); }};
}

template <class T> TComponentEditorClass ComponentEditorClass(const QString& AName)
{
    return {AName, [](QObject* C, IDesigner* D) { return std::make_unique<T>(C, D); }};
}

template <class T> TSelectionEditorClass SelectionEditorClass(const QString& AName)
{
    return {AName, [] { return std::make_unique<T>(); }};
}

template <class T> TSprigClass SprigClass(const QString& AName)
{
    return {AName, [](QObject* AItem) { return std::make_unique<T>(AItem); }};
}

// ---------------------------------------------------------------------------------------
// Registration calls, as a package makes them.

void RegisterClass(TPersistentClass AClass);
void RegisterComponents(const QString& APage, const std::vector<TComponentClass>& AClasses);
void RegisterNoIcon(const std::vector<TComponentClass>& AClasses);

void StartClassGroup(TPersistentClass AClass);
// Returns the root of the group that was active before.
TPersistentClass ActivateClassGroup(TPersistentClass AClass);
void GroupDescendentsWith(TPersistentClass AClass, TPersistentClass AClassGroup);

// AComponentClass null: any class; APropertyName empty: any property.
void RegisterPropertyEditor(const QString& APropertyType, TComponentClass AComponentClass, const QString& APropertyName,
                            const TPropertyEditorClass& AEditorClass);
void RegisterComponentEditor(TComponentClass AComponentClass, const TComponentEditorClass& AEditorClass);
void RegisterSelectionEditor(TComponentClass AComponentClass, const TSelectionEditorClass& AEditorClass);
void RegisterSprigType(TComponentClass AComponentClass, const TSprigClass& ASprigClass);
void RegisterPackageWizard(const std::shared_ptr<IOTAWizard>& AWizard);

// ---------------------------------------------------------------------------------------
// What the IDE keeps of the registrations. The host and the tests read it.

struct TPaletteEntry
{
    QString Page;
    TComponentClass Class;
    QString Module;
};

struct TPropertyEditorEntry
{
    QString PropertyType;
    TComponentClass ComponentClass;
    QString PropertyName;
    TPropertyEditorClass EditorClass;
    QString Module;
};

template <class TClass> struct TClassBinding
{
    TComponentClass ComponentClass;
    TClass EditorClass;
    QString Module;
};

struct TClassGroup
{
    TPersistentClass Root = nullptr; // null for the IDE's default group
    std::vector<TPersistentClass> Members;
    QString Module;
};

class TDesignRegistry
{
public:
    static TDesignRegistry& Instance();

    // The host wraps a package's Register call in a module scope.
    void BeginModule(const QString& AModule);
    void EndModule();
    QString CurrentModule() const { return FCurrentModule; }
    // Drops everything the module registered, as the IDE does when it unloads a package.
    void UnregisterModule(const QString& AModule);

    // Streaming registry: every class registered by any means.
    TPersistentClass FindClass(const QString& AClassName) const;
    QObject* CreateComponent(const QString& AClassName, QObject* AOwner) const;
    // Every known class, in the order it became known.
    std::vector<TPersistentClass> RegisteredClasses() const;

    QStringList Pages() const;
    std::vector<TComponentClass> PageClasses(const QString& APage) const;
    const std::vector<TPaletteEntry>& PaletteEntries() const { return FPalette; }
    bool IsOnPalette(TComponentClass AClass) const;
    const std::vector<TComponentClass>& NoIconClasses() const { return FNoIcon; }

    const std::vector<TClassGroup>& ClassGroups() const { return FGroups; }
    // The group a class belongs to: the group it was registered or grouped into; null root
    // means the default group.
    TPersistentClass ClassGroupOf(TPersistentClass AClass) const;
    TPersistentClass ActiveClassGroup() const { return FActiveGroup; }

    const std::vector<TPropertyEditorEntry>& PropertyEditors() const { return FPropertyEditors; }
    const std::vector<TClassBinding<TComponentEditorClass>>& ComponentEditors() const { return FComponentEditors; }
    const std::vector<TClassBinding<TSelectionEditorClass>>& SelectionEditors() const { return FSelectionEditors; }
    const std::vector<TClassBinding<TSprigClass>>& Sprigs() const { return FSprigs; }
    const std::vector<std::shared_ptr<IOTAWizard>>& Wizards() const { return FWizards; }

    // The editor the IDE would pick: the closest registered ancestor of the component's
    // class wins, and among equals the latest registration.
    const TComponentEditorClass* FindComponentEditor(TComponentClass AClass) const;
    // The sprig class of the closest registered ancestor, or null.
    const TSprigClass* FindSprig(TComponentClass AClass) const;
    // APropertyClass, for a property holding an object, is the class of that object: an
    // editor registered for one of its ancestors applies too, the closest winning.
    const TPropertyEditorEntry* FindPropertyEditor(const QString& APropertyType, TComponentClass AComponentClass,
                                                   const QString& APropertyName,
                                                   TPersistentClass APropertyClass = nullptr) const;

private:
    friend void RegisterClass(TPersistentClass);
    friend void RegisterComponents(const QString&, const std::vector<TComponentClass>&);
    friend void RegisterNoIcon(const std::vector<TComponentClass>&);
    friend void StartClassGroup(TPersistentClass);
    friend TPersistentClass ActivateClassGroup(TPersistentClass);
    friend void GroupDescendentsWith(TPersistentClass, TPersistentClass);
    friend void RegisterPropertyEditor(const QString&, TComponentClass, const QString&, const TPropertyEditorClass&);
    friend void RegisterComponentEditor(TComponentClass, const TComponentEditorClass&);
    friend void RegisterSelectionEditor(TComponentClass, const TSelectionEditorClass&);
    friend void RegisterSprigType(TComponentClass, const TSprigClass&);
    friend void RegisterPackageWizard(const std::shared_ptr<IOTAWizard>&);

    TDesignRegistry();
    void AddClass(TPersistentClass AClass);
    TClassGroup* GroupByRoot(TPersistentClass ARoot);
    TClassGroup* GroupContaining(TPersistentClass AClass);
    void PutInGroup(TPersistentClass AClass, TClassGroup& AGroup);

    struct TRegisteredClass
    {
        TPersistentClass Class;
        QString Module;
    };

    QString FCurrentModule;
    std::vector<TRegisteredClass> FClasses;
    std::vector<TPaletteEntry> FPalette;
    std::vector<TComponentClass> FNoIcon;
    std::vector<TClassGroup> FGroups;
    TPersistentClass FActiveGroup = nullptr;
    std::vector<TPropertyEditorEntry> FPropertyEditors;
    std::vector<TClassBinding<TComponentEditorClass>> FComponentEditors;
    std::vector<TClassBinding<TSelectionEditorClass>> FSelectionEditors;
    std::vector<TClassBinding<TSprigClass>> FSprigs;
    std::vector<std::shared_ptr<IOTAWizard>> FWizards;
    std::vector<QString> FWizardModules;
};

// ---------------------------------------------------------------------------------------
// A form designer. Its root class decides its class group; it offers only the palette
// classes of that group.

// The components selected in a designer.
using IDesignerSelections = QList<QObject*>;

class IDesigner
{
public:
    virtual ~IDesigner() = default;
    virtual TPersistentClass GetRootClass() const = 0;
    virtual QObject* GetRoot() const = 0;
    virtual QObject* CreateChild(TComponentClass AClass, QObject* AParent) = 0;
    virtual void SelectComponent(QObject* AComponent) = 0;
    virtual QList<QObject*> GetSelections() const = 0;
    virtual void SetSelections(const QList<QObject*>& ASelections) = 0;
    virtual void Modified() = 0;
    // Event handlers are methods of the form's unit; writing and showing them is not
    // supported yet, so no method exists and none is created.
    virtual bool MethodExists(const QString& /*AName*/) const { return false; }
    virtual QString CreateMethod(const QString& /*AName*/) { return {}; }
    virtual void ShowMethod(const QString& /*AName*/) {}
};

// The selection editors that apply to every selected component, in registration order.
std::vector<std::unique_ptr<TSelectionEditor>> GetSelectionEditors(const QList<QObject*>& ASelection);
// The units the selection editors of the components require, each once, in order.
QStringList SelectionRequiredUnits(const QList<QObject*>& AComponents);

class TFormDesigner : public IDesigner
{
public:
    explicit TFormDesigner(QObject* ARoot);

    TPersistentClass GetRootClass() const override;
    QObject* GetRoot() const override { return FRoot; }
    QObject* CreateChild(TComponentClass AClass, QObject* AParent) override;
    void SelectComponent(QObject* AComponent) override;
    QList<QObject*> GetSelections() const override { return FSelections; }
    void SetSelections(const QList<QObject*>& ASelections) override { FSelections = ASelections; }
    void Modified() override;
    // Told of every change, after the count is raised.
    std::function<void()> OnModified;
    // The form's unit answers these, through whoever holds it (the open form's document).
    bool MethodExists(const QString& AName) const override { return OnMethodExists && OnMethodExists(AName); }
    QString CreateMethod(const QString& AName) override { return OnCreateMethod ? OnCreateMethod(AName) : QString(); }
    void ShowMethod(const QString& AName) override
    {
        if (OnShowMethod)
            OnShowMethod(AName);
    }
    std::function<bool(const QString&)> OnMethodExists;
    std::function<QString(const QString&)> OnCreateMethod;
    std::function<void(const QString&)> OnShowMethod;
    int ModifiedCount() const { return FModifiedCount; }

    TPersistentClass ClassGroup() const;
    // Palette pages and classes this designer offers, in registration order.
    std::vector<TPaletteEntry> OfferedComponents() const;
    bool Offers(TComponentClass AClass) const;

private:
    QObject* FRoot;
    QList<QObject*> FSelections;
    int FModifiedCount = 0;
};

bool InheritsFrom(TPersistentClass AClass, TPersistentClass AAncestor);

// The class's name as forms and the palette know it, without its C++ namespace.
QString ClassName(TPersistentClass AClass);

} // namespace ide
