#include "DesignIntf.h"

#include <QMetaObject>
#include <QObject>
#include <QSet>
#include <algorithm>
#include <stdexcept>

namespace ide {

namespace {

void RequireClass(TPersistentClass AClass, const char* AWhat)
{
    if (!AClass)
        throw std::invalid_argument(std::string(AWhat) + ": class reference is nil");
}

// Number of steps from AClass up to AAncestor, or -1 when AAncestor is not an ancestor.
int AncestorDistance(TPersistentClass AClass, TPersistentClass AAncestor)
{
    int LDistance = 0;
    for (auto LClass = AClass; LClass; LClass = LClass->superClass(), ++LDistance)
        if (LClass == AAncestor)
            return LDistance;
    return -1;
}

template <class TList> void EraseModule(TList& AList, const QString& AModule)
{
    AList.erase(std::remove_if(AList.begin(), AList.end(), [&](const auto& E) { return E.Module == AModule; }),
                AList.end());
}

} // namespace

QString ClassName(TPersistentClass AClass)
{
    if (!AClass)
        return QStringLiteral("nil");
    const QString LName = QString::fromLatin1(AClass->className());
    const int LColon = LName.lastIndexOf(QLatin1Char(':'));
    return LColon < 0 ? LName : LName.mid(LColon + 1);
}

bool InheritsFrom(TPersistentClass AClass, TPersistentClass AAncestor)
{
    return AClass && AAncestor && AncestorDistance(AClass, AAncestor) >= 0;
}

TDesignRegistry& TDesignRegistry::Instance()
{
    static TDesignRegistry LInstance;
    return LInstance;
}

TDesignRegistry::TDesignRegistry()
{
    // The IDE's own default group, active until a package activates another.
    FGroups.push_back(TClassGroup{nullptr, {}, QString()});
}

void TDesignRegistry::BeginModule(const QString& AModule) { FCurrentModule = AModule; }

void TDesignRegistry::EndModule()
{
    FCurrentModule.clear();
    // A package's active group does not outlive its registration.
    FActiveGroup = nullptr;
}

void TDesignRegistry::UnregisterModule(const QString& AModule)
{
    if (AModule.isEmpty())
        return;
    EraseModule(FClasses, AModule);
    EraseModule(FPalette, AModule);
    EraseModule(FPropertyEditors, AModule);
    EraseModule(FComponentEditors, AModule);
    EraseModule(FSelectionEditors, AModule);
    EraseModule(FSprigs, AModule);
    EraseModule(FGroups, AModule);
    for (size_t I = FWizards.size(); I-- > 0;)
        if (FWizardModules[I] == AModule) {
            FWizards.erase(FWizards.begin() + I);
            FWizardModules.erase(FWizardModules.begin() + I);
        }
    // Classes the module put into surviving groups leave them too.
    for (auto& LGroup : FGroups)
        std::erase_if(LGroup.Members, [&](TPersistentClass C) {
            return std::none_of(FClasses.begin(), FClasses.end(), [&](const auto& R) { return R.Class == C; });
        });
    std::erase_if(FNoIcon, [&](TComponentClass C) {
        return std::none_of(FClasses.begin(), FClasses.end(), [&](const auto& R) { return R.Class == C; });
    });
    if (!GroupByRoot(FActiveGroup))
        FActiveGroup = nullptr;
}

void TDesignRegistry::AddClass(TPersistentClass AClass)
{
    const bool LKnown = std::any_of(FClasses.begin(), FClasses.end(), [&](const auto& R) { return R.Class == AClass; });
    if (!LKnown)
        FClasses.push_back({AClass, FCurrentModule});
    if (!GroupContaining(AClass))
        if (auto* LGroup = GroupByRoot(FActiveGroup))
            LGroup->Members.push_back(AClass);
}

TClassGroup* TDesignRegistry::GroupByRoot(TPersistentClass ARoot)
{
    for (auto& LGroup : FGroups)
        if (LGroup.Root == ARoot)
            return &LGroup;
    return nullptr;
}

TClassGroup* TDesignRegistry::GroupContaining(TPersistentClass AClass)
{
    for (auto& LGroup : FGroups)
        if (LGroup.Root == AClass ||
            std::find(LGroup.Members.begin(), LGroup.Members.end(), AClass) != LGroup.Members.end())
            return &LGroup;
    return nullptr;
}

void TDesignRegistry::PutInGroup(TPersistentClass AClass, TClassGroup& AGroup)
{
    for (auto& LGroup : FGroups)
        std::erase(LGroup.Members, AClass);
    AGroup.Members.push_back(AClass);
}

TPersistentClass TDesignRegistry::FindClass(const QString& AClassName) const
{
    for (const auto& R : FClasses)
        if (ClassName(R.Class).compare(AClassName, Qt::CaseInsensitive) == 0)
            return R.Class;
    return nullptr;
}

QObject* TDesignRegistry::CreateComponent(const QString& AClassName, QObject* AOwner) const
{
    const auto LClass = FindClass(AClassName);
    if (!LClass)
        throw std::runtime_error("Class " + AClassName.toStdString() + " not found");
    QObject* LObject = LClass->newInstance(Q_ARG(QObject*, AOwner));
    if (!LObject)
        throw std::runtime_error("Class " + AClassName.toStdString() + " has no invokable constructor");
    return LObject;
}

std::vector<TPersistentClass> TDesignRegistry::RegisteredClasses() const
{
    std::vector<TPersistentClass> LClasses;
    for (const auto& R : FClasses)
        LClasses.push_back(R.Class);
    return LClasses;
}

QStringList TDesignRegistry::Pages() const
{
    QStringList LPages;
    for (const auto& E : FPalette)
        if (!LPages.contains(E.Page))
            LPages.append(E.Page);
    return LPages;
}

std::vector<TComponentClass> TDesignRegistry::PageClasses(const QString& APage) const
{
    std::vector<TComponentClass> LClasses;
    for (const auto& E : FPalette)
        if (E.Page == APage)
            LClasses.push_back(E.Class);
    return LClasses;
}

bool TDesignRegistry::IsOnPalette(TComponentClass AClass) const
{
    return std::any_of(FPalette.begin(), FPalette.end(), [&](const auto& E) { return E.Class == AClass; });
}

TPersistentClass TDesignRegistry::ClassGroupOf(TPersistentClass AClass) const
{
    // The group holding the class itself, else the one holding its closest ancestor.
    int LBest = -1;
    TPersistentClass LRoot = nullptr;
    for (const auto& LGroup : FGroups) {
        auto Consider = [&](TPersistentClass AMember) {
            const int D = AncestorDistance(AClass, AMember);
            if (D >= 0 && (LBest < 0 || D < LBest)) {
                LBest = D;
                LRoot = LGroup.Root;
            }
        };
        if (LGroup.Root)
            Consider(LGroup.Root);
        for (auto M : LGroup.Members)
            Consider(M);
    }
    return LRoot;
}

IMenuItem& TVerbMenuItem::AddItem(const QString& ACaption, bool AChecked, bool AEnabled, TClick AOnClick)
{
    auto& LItem = *FItems.emplace_back(std::make_unique<TVerbMenuItem>(ACaption, AEnabled));
    LItem.FChecked = AChecked;
    LItem.FOnClick = std::move(AOnClick);
    return LItem;
}

void TVerbMenuItem::Click()
{
    if (FOnClick)
        FOnClick(*this);
}

const TComponentEditorClass* TDesignRegistry::FindComponentEditor(TComponentClass AClass) const
{
    const TComponentEditorClass* LBest = nullptr;
    int LBestDistance = -1;
    for (const auto& B : FComponentEditors) {
        const int D = AncestorDistance(AClass, B.ComponentClass);
        if (D >= 0 && (LBestDistance < 0 || D <= LBestDistance)) {
            LBestDistance = D;
            LBest = &B.EditorClass;
        }
    }
    return LBest;
}

const TSprigClass* TDesignRegistry::FindSprig(TComponentClass AClass) const
{
    const TSprigClass* LBest = nullptr;
    int LBestDistance = -1;
    for (const auto& B : FSprigs) {
        const int D = AncestorDistance(AClass, B.ComponentClass);
        if (D >= 0 && (LBestDistance < 0 || D <= LBestDistance)) {
            LBestDistance = D;
            LBest = &B.EditorClass;
        }
    }
    return LBest;
}

QString TSprig::Caption() const
{
    return FItem ? QStringLiteral("%1: %2").arg(FItem->objectName(), ClassName(FItem->metaObject())) : QString();
}

const TPropertyEditorEntry* TDesignRegistry::FindPropertyEditor(const QString& APropertyType,
                                                                TComponentClass AComponentClass,
                                                                const QString& APropertyName,
                                                                TPersistentClass APropertyClass) const
{
    // A binding to a class beats one to any class, a closer class beats a farther one,
    // a named property beats any property, an exact type beats an ancestor of the
    // property's class, and a later registration beats an earlier one.
    const TPropertyEditorEntry* LBest = nullptr;
    long LBestScore = -1;
    for (const auto& E : FPropertyEditors) {
        int LTypeDistance = 0;
        if (E.PropertyType.compare(APropertyType, Qt::CaseInsensitive) != 0) {
            LTypeDistance = -1;
            for (auto LClass = APropertyClass; LClass && LTypeDistance < 0; LClass = LClass->superClass())
                if (ClassName(LClass).compare(E.PropertyType, Qt::CaseInsensitive) == 0)
                    LTypeDistance = AncestorDistance(APropertyClass, LClass);
            if (LTypeDistance < 0)
                continue;
        }
        int LDistance = 0;
        if (E.ComponentClass) {
            LDistance = AncestorDistance(AComponentClass, E.ComponentClass);
            if (LDistance < 0)
                continue;
        }
        if (!E.PropertyName.isEmpty() && E.PropertyName.compare(APropertyName, Qt::CaseInsensitive) != 0)
            continue;
        const long LScore =
            ((E.ComponentClass ? 1000L - LDistance : 0L) * 2 + (E.PropertyName.isEmpty() ? 0 : 1)) * 1000L +
            (999L - LTypeDistance);
        if (LScore >= LBestScore) {
            LBestScore = LScore;
            LBest = &E;
        }
    }
    return LBest;
}

// ---------------------------------------------------------------------------------------

void RegisterClass(TPersistentClass AClass)
{
    RequireClass(AClass, "RegisterClass");
    TDesignRegistry::Instance().AddClass(AClass);
}

void RegisterComponents(const QString& APage, const std::vector<TComponentClass>& AClasses)
{
    auto& R = TDesignRegistry::Instance();
    for (auto LClass : AClasses) {
        RequireClass(LClass, "RegisterComponents");
        R.AddClass(LClass);
        R.FPalette.push_back({APage, LClass, R.FCurrentModule});
    }
}

void RegisterNoIcon(const std::vector<TComponentClass>& AClasses)
{
    auto& R = TDesignRegistry::Instance();
    for (auto LClass : AClasses) {
        RequireClass(LClass, "RegisterNoIcon");
        R.AddClass(LClass);
        if (std::find(R.FNoIcon.begin(), R.FNoIcon.end(), LClass) == R.FNoIcon.end())
            R.FNoIcon.push_back(LClass);
    }
}

void StartClassGroup(TPersistentClass AClass)
{
    RequireClass(AClass, "StartClassGroup");
    auto& R = TDesignRegistry::Instance();
    if (R.GroupByRoot(AClass))
        throw std::runtime_error("Class group " + ClassName(AClass).toStdString() + " already exists");
    R.FGroups.push_back(TClassGroup{AClass, {}, R.FCurrentModule});
    R.AddClass(AClass);
    R.PutInGroup(AClass, *R.GroupByRoot(AClass));
}

TPersistentClass ActivateClassGroup(TPersistentClass AClass)
{
    RequireClass(AClass, "ActivateClassGroup");
    auto& R = TDesignRegistry::Instance();
    const auto* LGroup = R.GroupContaining(AClass);
    if (!LGroup)
        throw std::runtime_error("Class " + ClassName(AClass).toStdString() + " is in no class group");
    const auto LPrevious = R.FActiveGroup;
    R.FActiveGroup = LGroup->Root;
    return LPrevious;
}

void GroupDescendentsWith(TPersistentClass AClass, TPersistentClass AClassGroup)
{
    RequireClass(AClass, "GroupDescendentsWith");
    RequireClass(AClassGroup, "GroupDescendentsWith");
    auto& R = TDesignRegistry::Instance();
    auto* LGroup = R.GroupContaining(AClassGroup);
    if (!LGroup)
        throw std::runtime_error("Class " + ClassName(AClassGroup).toStdString() + " is in no class group");
    R.AddClass(AClass);
    R.PutInGroup(AClass, *R.GroupContaining(AClassGroup));
}

void RegisterPropertyEditor(const QString& APropertyType, TComponentClass AComponentClass, const QString& APropertyName,
                            const TPropertyEditorClass& AEditorClass)
{
    auto& R = TDesignRegistry::Instance();
    R.FPropertyEditors.push_back({APropertyType, AComponentClass, APropertyName, AEditorClass, R.FCurrentModule});
}

void RegisterComponentEditor(TComponentClass AComponentClass, const TComponentEditorClass& AEditorClass)
{
    RequireClass(AComponentClass, "RegisterComponentEditor");
    auto& R = TDesignRegistry::Instance();
    R.FComponentEditors.push_back({AComponentClass, AEditorClass, R.FCurrentModule});
}

void RegisterSelectionEditor(TComponentClass AComponentClass, const TSelectionEditorClass& AEditorClass)
{
    RequireClass(AComponentClass, "RegisterSelectionEditor");
    auto& R = TDesignRegistry::Instance();
    R.FSelectionEditors.push_back({AComponentClass, AEditorClass, R.FCurrentModule});
}

void RegisterSprigType(TComponentClass AComponentClass, const TSprigClass& ASprigClass)
{
    RequireClass(AComponentClass, "RegisterSprigType");
    auto& R = TDesignRegistry::Instance();
    R.FSprigs.push_back({AComponentClass, ASprigClass, R.FCurrentModule});
}

void RegisterPackageWizard(const std::shared_ptr<IOTAWizard>& AWizard)
{
    if (!AWizard)
        throw std::invalid_argument("RegisterPackageWizard: wizard is nil");
    auto& R = TDesignRegistry::Instance();
    R.FWizards.push_back(AWizard);
    R.FWizardModules.push_back(R.FCurrentModule);
}

// ---------------------------------------------------------------------------------------

TFormDesigner::TFormDesigner(QObject* ARoot) : FRoot(ARoot)
{
    if (!ARoot)
        throw std::invalid_argument("TFormDesigner: root is nil");
}

TPersistentClass TFormDesigner::GetRootClass() const { return FRoot->metaObject(); }

TPersistentClass TFormDesigner::ClassGroup() const { return TDesignRegistry::Instance().ClassGroupOf(GetRootClass()); }

std::vector<TPaletteEntry> TFormDesigner::OfferedComponents() const
{
    const auto& R = TDesignRegistry::Instance();
    const auto LGroup = ClassGroup();
    std::vector<TPaletteEntry> LOffered;
    for (const auto& E : R.PaletteEntries())
        if (R.ClassGroupOf(E.Class) == LGroup)
            LOffered.push_back(E);
    return LOffered;
}

bool TFormDesigner::Offers(TComponentClass AClass) const
{
    const auto LOffered = OfferedComponents();
    return std::any_of(LOffered.begin(), LOffered.end(), [&](const auto& E) { return E.Class == AClass; });
}

QObject* TFormDesigner::CreateChild(TComponentClass AClass, QObject* AParent)
{
    RequireClass(AClass, "CreateChild");
    if (!Offers(AClass) && !TDesignRegistry::Instance().FindClass(ClassName(AClass)))
        throw std::runtime_error("Class " + ClassName(AClass).toStdString() + " is not registered");
    QObject* LChild = AClass->newInstance(Q_ARG(QObject*, AParent ? AParent : FRoot));
    if (!LChild)
        throw std::runtime_error("Class " + ClassName(AClass).toStdString() + " has no invokable constructor");
    // Named as the IDE names a new component: its class without the T, numbered from 1.
    QString LBase = ClassName(AClass);
    if (LBase.startsWith(QLatin1Char('T')))
        LBase.remove(0, 1);
    QSet<QString> LTaken;
    LTaken.insert(FRoot->objectName().toLower());
    for (const QObject* C : FRoot->findChildren<QObject*>())
        LTaken.insert(C->objectName().toLower());
    int LNumber = 1;
    while (LTaken.contains((LBase + QString::number(LNumber)).toLower()))
        ++LNumber;
    LChild->setObjectName(LBase + QString::number(LNumber));
    Modified();
    return LChild;
}

void TFormDesigner::Modified()
{
    ++FModifiedCount;
    if (OnModified)
        OnModified();
}

void TFormDesigner::SelectComponent(QObject* AComponent)
{
    FSelections.clear();
    if (AComponent)
        FSelections.append(AComponent);
}

// ---------------------------------------------------------------------------------------

void DeletePropertiesNamed(TPropertyEditorList& AProperties, const QStringList& ANames)
{
    for (size_t I = AProperties.size(); I-- > 0;)
        if (ANames.contains(AProperties[I]->GetName(), Qt::CaseInsensitive))
            AProperties.erase(AProperties.begin() + long(I));
}

std::vector<std::unique_ptr<TSelectionEditor>> GetSelectionEditors(const QList<QObject*>& ASelection)
{
    std::vector<std::unique_ptr<TSelectionEditor>> LEditors;
    if (ASelection.isEmpty())
        return LEditors;
    QStringList LNames;
    for (const auto& B : TDesignRegistry::Instance().SelectionEditors()) {
        const bool LAppliesToAll = std::all_of(ASelection.begin(), ASelection.end(), [&](QObject* C) {
            return InheritsFrom(C->metaObject(), B.ComponentClass);
        });
        // One editor class serves several component classes; it runs once.
        if (LAppliesToAll && !LNames.contains(B.EditorClass.Name)) {
            LNames.append(B.EditorClass.Name);
            LEditors.push_back(B.EditorClass.Create());
        }
    }
    return LEditors;
}

QStringList SelectionRequiredUnits(const QList<QObject*>& AComponents)
{
    QStringList LUnits;
    for (QObject* C : AComponents)
        for (const auto& E : GetSelectionEditors({C}))
            E->RequiresUnits([&](const QString& AUnit) {
                if (!LUnits.contains(AUnit, Qt::CaseInsensitive))
                    LUnits.append(AUnit);
            });
    return LUnits;
}

} // namespace ide
