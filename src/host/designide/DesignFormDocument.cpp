#include "DesignFormDocument.h"
#include "DesignUnitSource.h"

#include "ToolsAPI.UsesClause.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QObject>
#include <QSaveFile>
#include <algorithm>
#include <map>
#include <optional>

namespace ide {

namespace {

bool IsObjectProperty(const QMetaProperty& AProperty)
{
    return AProperty.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

bool IsStoredProperty(const QMetaProperty& AProperty)
{
    return AProperty.isReadable() && AProperty.isDesignable() && AProperty.isStored() &&
           qstrcmp(AProperty.name(), "objectName") != 0 && qstrcmp(AProperty.name(), "Name") != 0;
}

bool IsCollection(const QObject* AObject)
{
    return AObject && AObject->metaObject()->indexOfMethod("Add()") >= 0 &&
           AObject->metaObject()->indexOfMethod("Clear()") >= 0;
}

QList<QObject*> CollectionItems(const QObject* AObject)
{
    return AObject->findChildren<QObject*>(Qt::FindDirectChildrenOnly);
}

// Enumeration values may carry their type's name in front (TqoAlignment.Client).
QString EnumKey(const QString& AIdent) { return AIdent.mid(AIdent.lastIndexOf(QLatin1Char('.')) + 1); }

std::optional<int> KeyValue(const QMetaEnum& AEnum, const QString& AKey)
{
    for (int I = 0; I < AEnum.keyCount(); ++I)
        if (QString::fromLatin1(AEnum.key(I)).compare(EnumKey(AKey), Qt::CaseInsensitive) == 0)
            return AEnum.value(I);
    return std::nullopt;
}

std::optional<QVariant> FromFormValue(const TFormValue& AValue, const QMetaProperty& AProperty)
{
    using K = TFormValue::TKind;
    if (AProperty.isFlagType()) {
        if (AValue.Kind != K::Set)
            return std::nullopt;
        int LFlags = 0;
        for (const auto& M : AValue.Items) {
            const auto LBit = KeyValue(AProperty.enumerator(), M.Text);
            if (!LBit)
                return std::nullopt;
            LFlags |= *LBit;
        }
        return QVariant(LFlags);
    }
    if (AProperty.isEnumType()) {
        if (AValue.Kind == K::Integer)
            return QVariant(int(AValue.ToInteger()));
        if (AValue.Kind != K::Ident)
            return std::nullopt;
        const auto LValue = KeyValue(AProperty.enumerator(), AValue.Text);
        return LValue ? std::optional<QVariant>(QVariant(*LValue)) : std::nullopt;
    }
    switch (AProperty.metaType().id()) {
    case QMetaType::Bool:
        if (AValue.Kind == K::Ident && AValue.Text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return QVariant(true);
        if (AValue.Kind == K::Ident && AValue.Text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return QVariant(false);
        return std::nullopt;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        if (AValue.Kind == K::Integer)
            return QVariant(AValue.ToInteger());
        // Colors are written as x followed by their ARGB digits.
        bool LOk = false;
        const qint64 LColor = AValue.Kind == K::Ident && AValue.Text.size() == 9 && AValue.Text.startsWith('x')
                                  ? AValue.Text.mid(1).toLongLong(&LOk, 16)
                                  : 0;
        return LOk ? std::optional<QVariant>(QVariant(LColor)) : std::nullopt;
    }
    case QMetaType::Float:
    case QMetaType::Double:
        if (AValue.Kind == K::Integer || AValue.Kind == K::Float)
            return QVariant(AValue.ToDouble());
        return std::nullopt;
    case QMetaType::QString:
        if (AValue.Kind == K::String)
            return QVariant(AValue.Text);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<TFormValue> ToFormValue(const QVariant& AValue, const QMetaProperty& AProperty, const QObject* AInstance)
{
    if (AProperty.isFlagType()) {
        const QByteArray LKeys = AProperty.enumerator().valueToKeys(AValue.toInt());
        return TFormValue::Set(LKeys.isEmpty() ? QStringList() : QString::fromLatin1(LKeys).split(QLatin1Char('|')));
    }
    if (AProperty.isEnumType()) {
        const char* LKey = AProperty.enumerator().valueToKey(AValue.toInt());
        return LKey ? TFormValue::Ident(QString::fromLatin1(LKey)) : TFormValue::Integer(AValue.toInt());
    }
    switch (AProperty.metaType().id()) {
    case QMetaType::Bool:
        return TFormValue::Ident(AValue.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        if (PropertyTypeName(AProperty, AInstance) == QLatin1String("TAlphaColor"))
            return TFormValue::Ident(QLatin1Char('x') +
                                     QStringLiteral("%1").arg(AValue.toUInt(), 8, 16, QLatin1Char('0')).toUpper());
        return TFormValue::Integer(AValue.toLongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return TFormValue::Float(AValue.toDouble());
    case QMetaType::QString:
        return TFormValue::String(AValue.toString());
    default:
        return std::nullopt;
    }
}

bool SameValue(const QVariant& AFromForm, const QVariant& ACurrent, const QMetaProperty& AProperty)
{
    QVariant LValue = AFromForm;
    return LValue.convert(AProperty.metaType()) && LValue == ACurrent;
}

QString Describe(const QObject* AComponent)
{
    return AComponent->objectName().isEmpty() ? ClassName(AComponent->metaObject()) : AComponent->objectName();
}

// The stored properties of a collection item that differ from a new item's.
std::vector<TFormProperty> ItemProperties(QObject* AItem, const QString& APrefix = QString(),
                                          QObject* ADefault = nullptr)
{
    std::unique_ptr<QObject> LOwnedDefault;
    if (!ADefault) {
        LOwnedDefault.reset(AItem->metaObject()->newInstance(Q_ARG(QObject*, nullptr)));
        ADefault = LOwnedDefault.get();
    }
    std::vector<TFormProperty> LProperties;
    const QMetaObject* LMeta = AItem->metaObject();
    for (int I = 0; I < LMeta->propertyCount(); ++I) {
        const QMetaProperty P = LMeta->property(I);
        if (!IsStoredProperty(P))
            continue;
        const QString LName = APrefix + QString::fromLatin1(P.name());
        if (IsObjectProperty(P)) {
            QObject* LValue = P.read(AItem).value<QObject*>();
            QObject* LDefault = ADefault ? P.read(ADefault).value<QObject*>() : nullptr;
            if (LValue && LValue->parent() == AItem && !IsCollection(LValue))
                for (auto& Sub : ItemProperties(LValue, LName + QLatin1Char('.'), LDefault))
                    LProperties.push_back(std::move(Sub));
            continue;
        }
        const QVariant LCurrent = P.read(AItem);
        if (ADefault && P.read(ADefault) == LCurrent)
            continue;
        if (const auto LValue = ToFormValue(LCurrent, P, AItem))
            LProperties.push_back({LName, *LValue});
    }
    return LProperties;
}

TFormValue CollectionValue(QObject* ACollection)
{
    TFormValue LValue{TFormValue::TKind::Collection, {}, {}, {}};
    for (QObject* LItem : CollectionItems(ACollection))
        LValue.Collection.push_back(ItemProperties(LItem));
    return LValue;
}

// The component's stored properties by their dotted names, in the order the class declares
// them, as the IDE writes a component.
void DeclaredOrder(const QObject* AInstance, const QString& APrefix, QHash<QString, int>& AOrder)
{
    const QMetaObject* LMeta = AInstance->metaObject();
    for (int I = 0; I < LMeta->propertyCount(); ++I) {
        const QMetaProperty P = LMeta->property(I);
        if (!IsStoredProperty(P))
            continue;
        const QString LName = APrefix + QString::fromLatin1(P.name());
        if (IsObjectProperty(P))
            if (const QObject* LValue = P.read(AInstance).value<QObject*>();
                LValue && LValue->parent() == AInstance && !IsCollection(LValue)) {
                DeclaredOrder(LValue, LName + QLatin1Char('.'), AOrder);
                continue;
            }
        AOrder.insert(LName.toLower(), int(AOrder.size()));
    }
}

void StoreObject(QObject* AInstance, QObject* ADefault, const QString& APrefix, TFormObject& AObject,
                 const QByteArray& ALineBreak, const std::function<int(const QString&)>& ARank)
{
    const QMetaObject* LMeta = AInstance->metaObject();
    for (int I = 0; I < LMeta->propertyCount(); ++I) {
        const QMetaProperty P = LMeta->property(I);
        if (!IsStoredProperty(P))
            continue;
        const QString LName = APrefix + QString::fromLatin1(P.name());
        const TFormProperty* LWritten = AObject.FindProperty(LName);
        std::optional<TFormValue> LNew;
        if (IsObjectProperty(P)) {
            QObject* LValue = P.read(AInstance).value<QObject*>();
            QObject* LDefault = ADefault ? P.read(ADefault).value<QObject*>() : nullptr;
            if (LValue && LValue->parent() == AInstance) {
                if (!IsCollection(LValue)) {
                    StoreObject(LValue, LDefault, LName + QLatin1Char('.'), AObject, ALineBreak, ARank);
                    continue;
                }
                LNew = CollectionValue(LValue);
                if (!LWritten && LDefault && CollectionValue(LDefault) == *LNew)
                    continue;
            } else {
                // A reference to another component, by name.
                LNew = TFormValue::Ident(LValue ? LValue->objectName() : QStringLiteral("nil"));
                if (!LWritten && !LValue)
                    continue;
            }
            if (LWritten && LWritten->Value == *LNew)
                continue;
        } else {
            const QVariant LCurrent = P.read(AInstance);
            if (LWritten) {
                // A value the component could not take stays as written.
                const auto LOld = FromFormValue(LWritten->Value, P);
                if (!LOld || SameValue(*LOld, LCurrent, P))
                    continue;
            } else if (ADefault && P.read(ADefault) == LCurrent) {
                continue;
            }
            LNew = ToFormValue(LCurrent, P, AInstance);
        }
        if (LNew)
            AObject.SetProperty(LName, *LNew, ALineBreak, ARank);
    }
}

} // namespace

TFormDocument::TFormDocument(TFormFile AFile, const QString& AFileName) : FFileName(AFileName), FFile(std::move(AFile))
{
}

TFormDocument::~TFormDocument()
{
    // The designer refers to the root; it goes first. Components going with the root are
    // not taken out of the file one by one.
    FClosing = true;
    FDesigner.reset();
    FRoot.reset();
}

std::unique_ptr<TFormDocument> TFormDocument::Open(const QString& AFileName)
{
    std::unique_ptr<TFormDocument> LDocument(new TFormDocument(TFormFile::Load(AFileName), AFileName));
    LDocument->Create();
    return LDocument;
}

std::unique_ptr<TFormDocument> TFormDocument::FromText(const QByteArray& AText, const QString& AFileName)
{
    std::unique_ptr<TFormDocument> LDocument(new TFormDocument(TFormFile::Parse(AText, AFileName), AFileName));
    LDocument->Create();
    return LDocument;
}

void TFormDocument::Create()
{
    auto& R = TDesignRegistry::Instance();
    TFormObject& LRootObject = FFile.Root();
    // The form's own class lives in its unit; the class the IDE knows is its ancestor.
    TPersistentClass LClass = R.FindClass(LRootObject.ClassName);
    if (!LClass)
        LClass = R.FindClass(FormAncestorClass(UnitFileName(), LRootObject.ClassName));
    if (!LClass)
        throw std::runtime_error(QStringLiteral("%1: the form's class \"%2\" is not registered and its unit %3 "
                                                "declares no registered ancestor")
                                     .arg(FFileName, LRootObject.ClassName, UnitFileName())
                                     .toStdString());
    FRoot.reset(LClass->newInstance(Q_ARG(QObject*, nullptr)));
    if (!FRoot)
        throw std::runtime_error(
            QStringLiteral("Class %1 has no invokable constructor").arg(ClassName(LClass)).toStdString());
    FRoot->setObjectName(LRootObject.Name);
    FObjects.insert(FRoot.get(), &LRootObject);
    FOrder.append(FRoot.get());
    for (const auto* P : LRootObject.Properties())
        ApplyProperty(FRoot.get(), *P, LRootObject.Line);
    for (auto* LChild : LRootObject.Children())
        CreateObject(*LChild, FRoot.get());

    for (const auto& LReference : FReferences) {
        QObject* LTarget = FindComponent(LReference.Target);
        const QMetaProperty P = LReference.Instance->metaObject()->property(
            LReference.Instance->metaObject()->indexOfProperty(LReference.Property));
        if (!LTarget || !P.write(LReference.Instance, QVariant::fromValue(LTarget)))
            Problem(
                LReference.Line,
                QStringLiteral("\"%1\" of \"%2\" refers to \"%3\", which it cannot take; kept as written")
                    .arg(QString::fromLatin1(LReference.Property), Describe(LReference.Instance), LReference.Target));
    }
    FReferences.clear();
    FDesigner = std::make_unique<TFormDesigner>(FRoot.get());
    // A form without a readable unit has no methods: the designer's callers are not told why.
    FDesigner->OnMethodExists = [this](const QString& AName) {
        try {
            return MethodExists(AName);
        } catch (const std::exception&) {
            return false;
        }
    };
    FDesigner->OnCreateMethod = [this](const QString& AName) { return CreateMethod(AName); };
}

bool TFormDocument::MethodExists(const QString& AMethod)
{
    return tools::ScanFormClass(UnitSource(), FFile.Root().ClassName).Methods.contains(AMethod, Qt::CaseInsensitive);
}

QString TFormDocument::CreateMethod(const QString& AMethod, const QString& AParameters)
{
    QByteArray LSource = UnitSource();
    int LLine = 0;
    if (tools::AddFormMethod(LSource, FFile.Root().ClassName, AMethod, AParameters, &LLine)) {
        FUnitSource = LSource;
        FUnitChanged = true;
        FMethodLines.insert(AMethod.toLower(), LLine);
        FDesigner->Modified();
        return AMethod;
    }
    return MethodExists(AMethod) ? AMethod : QString();
}

QObject* TFormDocument::CreateObject(TFormObject& AObject, QObject* AParent)
{
    QObject* LComponent = nullptr;
    if (TDesignRegistry::Instance().FindClass(AObject.ClassName)) {
        try {
            LComponent = TDesignRegistry::Instance().CreateComponent(AObject.ClassName, AParent);
        } catch (const std::exception& E) {
            Problem(AObject.Line, QString::fromUtf8(E.what()));
        }
    }
    if (!LComponent) {
        Problem(AObject.Line, QStringLiteral("class \"%1\" of \"%2\" is not registered; it and its children are kept "
                                             "as written")
                                  .arg(AObject.ClassName, AObject.Name));
        return nullptr;
    }
    LComponent->setObjectName(AObject.Name);
    Track(LComponent, AObject);
    int LLine = AObject.Line;
    for (const auto& LItem : AObject.Items)
        if (const auto* P = std::get_if<TFormProperty>(&LItem.Entry); P && !LItem.Blank)
            ApplyProperty(LComponent, *P, LItem.Line ? LItem.Line : LLine);
    for (auto* LChild : AObject.Children())
        CreateObject(*LChild, LComponent);
    return LComponent;
}

void TFormDocument::ApplyProperty(QObject* AComponent, const TFormProperty& AProperty, int ALine)
{
    const QStringList LPath = AProperty.Name.split(QLatin1Char('.'));
    QObject* LTarget = AComponent;
    auto Unknown = [&] {
        Problem(ALine, QStringLiteral("property \"%1\" of \"%2\" is unknown; it is kept as written")
                           .arg(AProperty.Name, Describe(AComponent)));
    };
    for (int I = 0; I + 1 < LPath.size(); ++I) {
        const int LIndex = LTarget->metaObject()->indexOfProperty(LPath[I].toLatin1().constData());
        if (LIndex < 0 || !IsObjectProperty(LTarget->metaObject()->property(LIndex)))
            return Unknown();
        QObject* LValue = LTarget->metaObject()->property(LIndex).read(LTarget).value<QObject*>();
        if (!LValue || LValue->parent() != LTarget)
            return Unknown();
        LTarget = LValue;
    }
    const QByteArray LName = LPath.back().toLatin1();
    const int LIndex = LTarget->metaObject()->indexOfProperty(LName.constData());
    if (LIndex < 0 || !IsStoredProperty(LTarget->metaObject()->property(LIndex))) {
        // Events are methods of the form's unit, bound by name.
        if (LPath.size() == 1 && LName.startsWith("On") && AProperty.Value.Kind == TFormValue::TKind::Ident) {
            FEvents.push_back({AComponent, AProperty.Name, AProperty.Value.Text});
            // A published event shows its handler in the object inspector.
            if (LIndex >= 0 && IsMethodProperty(LTarget->metaObject()->property(LIndex), AComponent))
                LTarget->metaObject()->property(LIndex).write(AComponent, AProperty.Value.Text);
            return;
        }
        return Unknown();
    }
    const QMetaProperty P = LTarget->metaObject()->property(LIndex);
    auto CannotTake = [&] {
        Problem(ALine, QStringLiteral("property \"%1\" of \"%2\" cannot take %3; it is kept as written")
                           .arg(AProperty.Name, Describe(AComponent),
                                QString::fromUtf8(AProperty.Value.Spelling(0, "\n")).simplified()));
    };
    if (IsObjectProperty(P)) {
        QObject* LValue = P.read(LTarget).value<QObject*>();
        if (LValue && LValue->parent() == LTarget) {
            if (AProperty.Value.Kind != TFormValue::TKind::Collection || !IsCollection(LValue))
                return CannotTake();
            QMetaObject::invokeMethod(LValue, "Clear", Qt::DirectConnection);
            for (const auto& LItemProperties : AProperty.Value.Collection) {
                QObject* LItem = nullptr;
                QMetaObject::invokeMethod(LValue, "Add", Qt::DirectConnection, Q_RETURN_ARG(QObject*, LItem));
                if (!LItem)
                    return CannotTake();
                for (const auto& LItemProperty : LItemProperties)
                    ApplyProperty(LItem, LItemProperty, ALine);
            }
            return;
        }
        if (AProperty.Value.Kind != TFormValue::TKind::Ident)
            return CannotTake();
        if (AProperty.Value.Text.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0)
            P.write(LTarget, QVariant::fromValue<QObject*>(nullptr));
        else
            FReferences.push_back({LTarget, LName, AProperty.Value.Text, ALine});
        return;
    }
    const auto LValue = FromFormValue(AProperty.Value, P);
    if (!LValue || !P.write(LTarget, *LValue))
        CannotTake();
}

QObject* TFormDocument::FindComponent(const QString& AName) const
{
    for (QObject* C : FOrder)
        if (C->objectName().compare(AName, Qt::CaseInsensitive) == 0)
            return C;
    return nullptr;
}

QString TFormDocument::UniqueName(TPersistentClass AClass) const
{
    QString LBase = ClassName(AClass);
    if (LBase.startsWith(QLatin1Char('T')))
        LBase.remove(0, 1);
    for (int I = 1;; ++I)
        if (!FindComponent(LBase + QString::number(I)))
            return LBase + QString::number(I);
}

void TFormDocument::AddNewComponents(QObject* AParent)
{
    TFormObject* LParentObject = FObjects.value(AParent);
    for (QObject* C : AParent->children()) {
        // Value objects are not registered classes; components are.
        if (!FObjects.contains(C) &&
            TDesignRegistry::Instance().FindClass(ClassName(C->metaObject())) == C->metaObject()) {
            if (C->objectName().isEmpty())
                C->setObjectName(UniqueName(C->metaObject()));
            auto LObject = std::make_unique<TFormObject>();
            LObject->Name = C->objectName();
            LObject->ClassName = ClassName(C->metaObject());
            LObject->Indent = LParentObject->Indent + 2;
            const QByteArray LPad(LObject->Indent, ' ');
            LObject->HeaderRaw =
                LPad + "object " + LObject->Name.toUtf8() + ": " + LObject->ClassName.toUtf8() + FFile.LineBreak();
            LObject->EndRaw = LPad + "end" + FFile.LineBreak();
            Track(C, *LObject);
            TFormObject::TItem LItem;
            LItem.Entry = std::move(LObject);
            LParentObject->Items.push_back(std::move(LItem));
        }
        if (FObjects.contains(C))
            AddNewComponents(C);
    }
}

void TFormDocument::StoreProperties()
{
    AddNewComponents(FRoot.get());
    std::map<const QMetaObject*, std::unique_ptr<QObject>> LDefaults;
    for (QObject* C : FOrder) {
        auto& LDefault = LDefaults[C->metaObject()];
        if (!LDefault)
            LDefault.reset(C->metaObject()->newInstance(Q_ARG(QObject*, nullptr)));
        TFormObject& LObject = *FObjects.value(C);
        if (!C->objectName().isEmpty())
            LObject.Rename(C->objectName());
        // Made only when a property is added.
        std::optional<QHash<QString, int>> LOrder;
        const auto LRank = [&LOrder, C](const QString& AName) {
            if (!LOrder)
                DeclaredOrder(C, QString(), LOrder.emplace());
            return LOrder->value(AName.toLower(), -1);
        };
        StoreObject(C, LDefault.get(), QString(), LObject, FFile.LineBreak(), LRank);
        BindEvents(C, LObject);
    }
}

void TFormDocument::Track(QObject* AComponent, TFormObject& AObject)
{
    FObjects.insert(AComponent, &AObject);
    FOrder.append(AComponent);
    // An editor may free a component (a deleted page): it leaves the form with its object.
    QObject::connect(AComponent, &QObject::destroyed, [this](QObject* AGone) { Forget(AGone); });
}

void TFormDocument::Forget(QObject* AComponent)
{
    if (FClosing || !FObjects.contains(AComponent))
        return;
    const TFormObject* LObject = FObjects.take(AComponent);
    FOrder.removeAll(AComponent);
    std::erase_if(FEvents, [&](const TFormEvent& E) { return E.Component == AComponent; });
    // Its children follow it out; their objects went with its object.
    FFile.Root().ForEach([&](TFormObject& AParent) {
        std::erase_if(AParent.Items, [&](const TFormObject::TItem& I) {
            const auto* LChild = std::get_if<std::unique_ptr<TFormObject>>(&I.Entry);
            return LChild && LChild->get() == LObject;
        });
    });
}

void TFormDocument::BindEvents(QObject* AComponent, TFormObject& AObject)
{
    // Events set through the object inspector are bound by identifier, as the IDE binds them.
    const QMetaObject* LMeta = AComponent->metaObject();
    for (int I = 0; I < LMeta->propertyCount(); ++I) {
        const QMetaProperty P = LMeta->property(I);
        if (!IsMethodProperty(P, AComponent))
            continue;
        const QString LEvent = QString::fromLatin1(P.name());
        const QString LHandler = P.read(AComponent).toString();
        auto LBound = std::find_if(FEvents.begin(), FEvents.end(), [&](const TFormEvent& E) {
            return E.Component == AComponent && E.Event.compare(LEvent, Qt::CaseInsensitive) == 0;
        });
        if (LHandler.isEmpty() || (LBound != FEvents.end() && LBound->Handler == LHandler))
            continue;
        AObject.SetProperty(LEvent, TFormValue::Ident(LHandler), FFile.LineBreak());
        if (LBound != FEvents.end())
            LBound->Handler = LHandler;
        else
            FEvents.push_back({AComponent, LEvent, LHandler});
    }
}

void TFormDocument::Save()
{
    StoreProperties();
    FFile.Save(FFileName);
    if (FUnitChanged) {
        const QString LUnit = UnitFileName();
        if (QFileInfo(LUnit).isSymLink())
            throw EFormError(LUnit, 0, QStringLiteral("the unit is a symbolic link; it is not written through"));
        QSaveFile LOut(LUnit);
        if (!LOut.open(QIODevice::WriteOnly) || LOut.write(FUnitSource) != FUnitSource.size() || !LOut.commit())
            throw EFormError(LUnit, 0, QStringLiteral("cannot write: %1").arg(LOut.errorString()));
        FUnitChanged = false;
        FUnitLoaded = false; // the uses clause below reads it from disk again
    }
    AddRequiredUnits();
}

QByteArray TFormDocument::UnitSource()
{
    if (!FUnitLoaded) {
        QFile LFile(UnitFileName());
        if (!LFile.open(QIODevice::ReadOnly))
            throw EFormError(UnitFileName(), 0,
                             QStringLiteral("cannot read the form's unit: %1").arg(LFile.errorString()));
        FUnitSource = LFile.readAll();
        FUnitLoaded = true;
    }
    return FUnitSource;
}

QString TFormDocument::CreateEventHandler(QObject* AComponent, const QString& AEvent, const QString& AParameters)
{
    for (const TFormEvent& LEvent : FEvents)
        if (LEvent.Component == AComponent && LEvent.Event.compare(AEvent, Qt::CaseInsensitive) == 0)
            return LEvent.Handler;
    TFormObject* LObject = FormObjectOf(AComponent);
    if (!LObject) {
        StoreProperties(); // a component placed since the last store gets its object
        LObject = FormObjectOf(AComponent);
    }
    if (!LObject)
        throw EFormError(FFileName, 0,
                         QStringLiteral("\"%1\" is not a component of the form").arg(AComponent->objectName()));
    const QString LMethod =
        AComponent->objectName() + (AEvent.startsWith(QLatin1String("On")) ? AEvent.mid(2) : AEvent);
    if (CreateMethod(LMethod, AParameters).isEmpty())
        throw EFormError(UnitFileName(), 0,
                         QStringLiteral("the unit declares no class %1").arg(FFile.Root().ClassName));
    LObject->SetProperty(AEvent, TFormValue::Ident(LMethod), FFile.LineBreak());
    FEvents.push_back({AComponent, AEvent, LMethod});
    const int LIndex = AComponent->metaObject()->indexOfProperty(AEvent.toLatin1().constData());
    if (LIndex >= 0 && IsMethodProperty(AComponent->metaObject()->property(LIndex), AComponent))
        AComponent->metaObject()->property(LIndex).write(AComponent, LMethod);
    FDesigner->Modified();
    return LMethod;
}

QStringList TFormDocument::AddRequiredUnits()
{
    const QStringList LRequired = SelectionRequiredUnits(FOrder);
    if (LRequired.isEmpty())
        return {};
    const QString LUnit = UnitFileName();
    QFile LFile(LUnit);
    if (!LFile.open(QIODevice::ReadOnly))
        throw EFormError(LUnit, 0, QStringLiteral("cannot read the form's unit: %1").arg(LFile.errorString()));
    QByteArray LSource = LFile.readAll();
    LFile.close();
    const auto LUses = tools::ScanUsesClause(LSource);
    if (!LUses.Found || LUses.Terminator < 0)
        throw EFormError(LUnit, 0,
                         QStringLiteral("the unit has no interface uses clause for %1").arg(LRequired.join(", ")));
    QStringList LAdded;
    for (const auto& LName : LRequired)
        if (!LUses.Units.contains(LName, Qt::CaseInsensitive))
            LAdded.append(LName);
    if (LAdded.isEmpty())
        return {};
    LSource.insert(LUses.Terminator, (QStringLiteral(", ") + LAdded.join(QStringLiteral(", "))).toUtf8());
    if (QFileInfo(LUnit).isSymLink())
        throw EFormError(LUnit, 0, QStringLiteral("the unit is a symbolic link; it is not written through"));
    QSaveFile LOut(LUnit);
    if (!LOut.open(QIODevice::WriteOnly) || LOut.write(LSource) != LSource.size() || !LOut.commit())
        throw EFormError(LUnit, 0, QStringLiteral("cannot write: %1").arg(LOut.errorString()));
    return LAdded;
}

} // namespace ide
