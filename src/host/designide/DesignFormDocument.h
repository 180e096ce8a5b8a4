#pragma once

// One form open in the designer: its text form file, the components created from it
// through the class registry, and the designer over them. What the components cannot take
// (unknown classes and properties) stays in the file untouched and is reported.

#include "DesignForms.h"
#include "DesignIntf.h"

#include <QHash>
#include <memory>

namespace ide {

struct TFormProblem
{
    int Line = 0;
    QString Text;
};

// An event property of a component bound to a method of the form's unit.
struct TFormEvent
{
    QObject* Component = nullptr;
    QString Event;
    QString Handler;
};

class TFormDocument
{
public:
    // Throws EFormError for a damaged form and std::runtime_error when even the form's
    // own class is unknown.
    static std::unique_ptr<TFormDocument> Open(const QString& AFileName);
    static std::unique_ptr<TFormDocument> FromText(const QByteArray& AText, const QString& AFileName);
    ~TFormDocument();

    QObject* Root() const { return FRoot.get(); }
    TFormFile& File() { return FFile; }
    TFormDesigner& Designer() { return *FDesigner; }
    QString FileName() const { return FFileName; }
    QString UnitFileName() const { return FormUnitFileName(FFileName); }
    const std::vector<TFormProblem>& Problems() const { return FProblems; }
    const std::vector<TFormEvent>& Events() const { return FEvents; }
    bool IsModified() const { return FDesigner->ModifiedCount() > 0; }

    QObject* FindComponent(const QString& AName) const;
    TFormObject* FormObjectOf(QObject* AComponent) const { return FObjects.value(AComponent); }
    // The components in file order, the form first.
    QList<QObject*> Components() const { return FOrder; }

    // Puts the components into the file's tree: changed properties rewrite their lines,
    // ones that left their default are added, components created since (through the
    // designer) get objects of their own, everything else stays as read.
    void StoreProperties();
    // The name the designer gives a new component: its class without the T, numbered.
    QString UniqueName(TPersistentClass AClass) const;
    // StoreProperties, then writes the file atomically, and the unit when it gained methods;
    // the units the selection editors of the components require join its uses clause.
    void Save();

    // The component's event bound to its handler: the one it has, or a new method named after
    // the component and the event ("Button1Click" for OnClick), declared in the form class and
    // implemented in the unit as the IDE writes it. AParameters: the method's parameter list.
    // Throws EFormError when the unit cannot be read or holds no form class.
    QString CreateEventHandler(QObject* AComponent, const QString& AEvent,
                               const QString& AParameters = QStringLiteral("Sender: TObject"));
    // A method of the form class in the unit, as the designer asks; CreateMethod adds an event
    // handler's declaration and body (Sender: TObject) and returns its name, or an empty name
    // when the unit holds no form class.
    bool MethodExists(const QString& AMethod);
    QString CreateMethod(const QString& AMethod, const QString& AParameters = QStringLiteral("Sender: TObject"));
    // Where the handler's body starts in the unit, 1-based; 0 when not known.
    int MethodLine(const QString& AMethod) const { return FMethodLines.value(AMethod.toLower()); }
    // The unit's text as the designer has it (with the methods not yet saved).
    QByteArray UnitSource();
    // Adds the required units the unit's uses clause lacks, after its last unit; returns
    // those added.
    QStringList AddRequiredUnits();

private:
    TFormDocument(TFormFile AFile, const QString& AFileName);
    void Create();
    QObject* CreateObject(TFormObject& AObject, QObject* AParent);
    void ApplyProperty(QObject* AComponent, const TFormProperty& AProperty, int ALine);
    void Problem(int ALine, const QString& AText) { FProblems.push_back({ALine, AText}); }
    void AddNewComponents(QObject* AParent);
    void BindEvents(QObject* AComponent, TFormObject& AObject);
    void Track(QObject* AComponent, TFormObject& AObject);
    void Forget(QObject* AComponent);

    QString FFileName;
    TFormFile FFile;
    std::unique_ptr<QObject> FRoot;
    std::unique_ptr<TFormDesigner> FDesigner;
    QHash<QObject*, TFormObject*> FObjects;
    QList<QObject*> FOrder;
    std::vector<TFormProblem> FProblems;
    std::vector<TFormEvent> FEvents;
    QByteArray FUnitSource;
    bool FUnitLoaded = false;
    bool FUnitChanged = false;
    bool FClosing = false;
    QHash<QString, int> FMethodLines;
    struct TReference
    {
        QObject* Instance;
        QByteArray Property;
        QString Target;
        int Line;
    };
    std::vector<TReference> FReferences;
};

} // namespace ide
