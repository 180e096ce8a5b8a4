#include "DesignEditors.h"

#include "DesignIntf.h"

#include <QApplication>
#include <QLocale>
#include <QMetaEnum>
#include <QObject>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <cmath>

namespace ide {

QStringList AttributeNames(TPropertyAttributes AAttributes)
{
    static const char* const Names[] = {
        "paValueList", "paSubProperties", "paDialog",          "paMultiSelect",    "paAutoUpdate",
        "paSortList",  "paReadOnly",      "paRevertable",      "paFullWidthName",  "paVolatileSubProperties",
        "paVCL",       "paNotNestable",   "paDisplayReadOnly", "paCustomDropDown", "paValueEditable"};
    QStringList LNames;
    for (unsigned I = 0; I < std::size(Names); ++I)
        if (AAttributes.toInt() & (1u << I))
            LNames.append(QString::fromLatin1(Names[I]));
    return LNames;
}

namespace {

// The Pascal names of the plain types, which is what editors are registered under.
QString PascalTypeName(const QMetaProperty& AProperty)
{
    switch (AProperty.metaType().id()) {
    case QMetaType::Float:
        return QStringLiteral("Single");
    case QMetaType::Double:
        return QStringLiteral("Double");
    case QMetaType::Int:
        return QStringLiteral("Integer");
    case QMetaType::UInt:
        return QStringLiteral("Cardinal");
    case QMetaType::LongLong:
        return QStringLiteral("Int64");
    case QMetaType::Bool:
        return QStringLiteral("Boolean");
    case QMetaType::QString:
        return QStringLiteral("string");
    default:
        break;
    }
    if (AProperty.isEnumType())
        return QString::fromLatin1(AProperty.enumerator().name());
    QString LName = QString::fromLatin1(AProperty.typeName());
    LName.remove(QLatin1Char('*'));
    return LName.mid(LName.lastIndexOf(QLatin1Char(':')) + 1);
}

bool IsObjectProperty(const QMetaProperty& AProperty)
{
    return AProperty.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

// A value object belongs to the component that publishes it; anything else an object
// property holds is a reference to another component.
bool IsValueObject(const QObject* AInstance, const QObject* AValue) { return AValue && AValue->parent() == AInstance; }

QString FloatText(double AValue) { return QLocale::c().toString(AValue, 'g', std::fabs(AValue) < 1e15 ? 15 : 17); }

// A component's name: one component at a time, a valid identifier, unique on its form.
class TComponentNameProperty : public TStringProperty
{
public:
    TPropertyAttributes GetAttributes() override { return {}; }
    void SetValue(const QString& AValue) override
    {
        static const QRegularExpression LIdentifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        if (!LIdentifier.match(AValue).hasMatch())
            throw EPropertyError(QStringLiteral("'%1' is not a valid component name").arg(AValue));
        QObject* LSelf = GetComponent(0);
        if (FDesigner && FDesigner->GetRoot()) {
            QObject* LRoot = FDesigner->GetRoot();
            QList<QObject*> LComponents = LRoot->findChildren<QObject*>();
            LComponents.prepend(LRoot);
            for (QObject* C : LComponents)
                if (C != LSelf && C->objectName().compare(AValue, Qt::CaseInsensitive) == 0)
                    throw EPropertyError(QStringLiteral("A component named %1 already exists").arg(AValue));
        }
        SetStrValue(AValue);
    }
};

std::unique_ptr<TPropertyEditor> DefaultEditor(const QObject* AInstance, const QMetaProperty& AProperty)
{
    if (qstrcmp(AProperty.name(), "Name") == 0 && AProperty.metaType().id() == QMetaType::QString)
        return std::make_unique<TComponentNameProperty>();
    if (AProperty.isFlagType())
        return std::make_unique<TSetProperty>();
    if (AProperty.isEnumType())
        return std::make_unique<TEnumProperty>();
    if (IsMethodProperty(AProperty, AInstance))
        return std::make_unique<TMethodProperty>();
    switch (AProperty.metaType().id()) {
    case QMetaType::Bool:
        return std::make_unique<TBoolProperty>();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return std::make_unique<TIntegerProperty>();
    case QMetaType::Float:
    case QMetaType::Double:
        return std::make_unique<TFloatProperty>();
    case QMetaType::QString:
        return std::make_unique<TStringProperty>();
    default:
        break;
    }
    if (IsObjectProperty(AProperty)) {
        if (IsValueObject(AInstance, AProperty.read(AInstance).value<QObject*>()))
            return std::make_unique<TClassProperty>();
        return std::make_unique<TComponentProperty>();
    }
    return std::make_unique<TPropertyEditor>();
}

struct TChosenEditor
{
    QString Name; // the registered class, empty for a kind
    std::unique_ptr<TPropertyEditor> Editor;
};

TChosenEditor ChooseEditor(const QObject* AInstance, const QMetaProperty& AProperty)
{
    const QString LType = PropertyTypeName(AProperty, AInstance);
    // An enumeration's meta type answers with the class that declares it: not a value class.
    const QMetaObject* LValueClass =
        AProperty.isEnumType() || AProperty.isFlagType() ? nullptr : AProperty.metaType().metaObject();
    if (IsObjectProperty(AProperty))
        if (const QObject* LValue = AProperty.read(AInstance).value<QObject*>())
            LValueClass = LValue->metaObject();
    const auto* LEntry = TDesignRegistry::Instance().FindPropertyEditor(
        LType, AInstance->metaObject(), QString::fromLatin1(AProperty.name()), LValueClass);
    if (LEntry)
        return {LEntry->EditorClass.Name, LEntry->EditorClass.Create()};
    return {QString(), DefaultEditor(AInstance, AProperty)};
}

bool Published(const QMetaProperty& AProperty)
{
    // objectName is QObject's own; forms carry Name instead.
    return AProperty.isReadable() && AProperty.isDesignable() && qstrcmp(AProperty.name(), "objectName") != 0;
}

} // namespace

QString PropertyTypeName(const QMetaProperty& AProperty, const QObject* AInstance)
{
    // A class may name the Pascal type of a property whose C++ type is plain
    // (Q_CLASSINFO("PropertyType.ImageName", "TqoAssetName")).
    const QMetaObject* LMeta = AInstance ? AInstance->metaObject() : AProperty.enclosingMetaObject();
    const QByteArray LKey = QByteArray("PropertyType.") + AProperty.name();
    for (int I = LMeta->classInfoCount() - 1; I >= 0; --I)
        if (qstrcmp(LMeta->classInfo(I).name(), LKey.constData()) == 0)
            return QString::fromLatin1(LMeta->classInfo(I).value());
    if (IsObjectProperty(AProperty) && AInstance)
        if (const QObject* LValue = AProperty.read(AInstance).value<QObject*>())
            return ClassName(LValue->metaObject());
    return PascalTypeName(AProperty);
}

// ---------------------------------------------------------------------------------------

void TPropertyEditor::SetPropEntry(int AIndex, QObject* AInstance, const QMetaProperty& AProperty)
{
    if (AIndex < 0 || AIndex > PropCount())
        throw std::out_of_range("SetPropEntry: index out of range");
    if (AIndex == PropCount())
        FPropList.push_back({AInstance, AProperty});
    else
        FPropList[size_t(AIndex)] = {AInstance, AProperty};
}

QString TPropertyEditor::GetValue() { return QStringLiteral("(Unknown)"); }

void TPropertyEditor::SetValue(const QString& /*AValue*/) {}

bool TPropertyEditor::AllEqual() { return PropCount() <= 1; }

QString TPropertyEditor::GetName() const
{
    return FPropList.empty() ? QString() : QString::fromLatin1(FPropList.front().Property.name());
}

QString TPropertyEditor::GetPropTypeName() const
{
    return FPropList.empty() ? QString() : PropertyTypeName(FPropList.front().Property, FPropList.front().Instance);
}

QObject* TPropertyEditor::GetComponent(int AIndex) const { return FPropList.at(size_t(AIndex)).Instance; }

QMetaProperty TPropertyEditor::GetProperty(int AIndex) const { return FPropList.at(size_t(AIndex)).Property; }

void TPropertyEditor::Modified()
{
    if (FDesigner)
        FDesigner->Modified();
}

QStringList TPropertyEditor::ValueList()
{
    QStringList LValues;
    GetValues([&](const QString& S) { LValues.append(S); });
    if (GetAttributes().testFlag(paSortList))
        LValues.sort(Qt::CaseInsensitive);
    return LValues;
}

QString TPropertyEditor::ShownValue() { return AllEqual() ? GetValue() : QString(); }

QVariant TPropertyEditor::GetVarValueAt(int AIndex) const
{
    const auto& E = FPropList.at(size_t(AIndex));
    return E.Property.read(E.Instance);
}

QString TPropertyEditor::GetStrValueAt(int AIndex) const { return GetVarValueAt(AIndex).toString(); }

qint64 TPropertyEditor::GetOrdValueAt(int AIndex) const { return GetVarValueAt(AIndex).toLongLong(); }

double TPropertyEditor::GetFloatValueAt(int AIndex) const { return GetVarValueAt(AIndex).toDouble(); }

QObject* TPropertyEditor::GetObjectValueAt(int AIndex) const { return GetVarValueAt(AIndex).value<QObject*>(); }

void TPropertyEditor::SetVarValue(const QVariant& AValue)
{
    for (const auto& E : FPropList)
        if (!E.Property.write(E.Instance, AValue))
            throw EPropertyError(QStringLiteral("Invalid property value"));
    Modified();
}

void TPropertyEditor::SetOrdValue(qint64 AValue)
{
    for (const auto& E : FPropList) {
        QVariant LValue(AValue);
        if (E.Property.isEnumType())
            LValue = QVariant(int(AValue));
        if (!E.Property.write(E.Instance, LValue))
            throw EPropertyError(QStringLiteral("Invalid property value"));
    }
    Modified();
}

// ---------------------------------------------------------------------------------------

bool TOrdinalProperty::AllEqual()
{
    for (int I = 1; I < PropCount(); ++I)
        if (GetOrdValueAt(I) != GetOrdValue())
            return false;
    return true;
}

QString TIntegerProperty::GetValue() { return QString::number(GetOrdValue()); }

void TIntegerProperty::SetValue(const QString& AValue)
{
    bool LOk = false;
    const QString LText = AValue.trimmed();
    qint64 LValue = LText.toLongLong(&LOk);
    if (!LOk && LText.startsWith(QLatin1Char('$')))
        LValue = LText.mid(1).toLongLong(&LOk, 16);
    if (!LOk)
        throw EPropertyError(QStringLiteral("'%1' is not a valid integer value").arg(AValue));
    SetOrdValue(LValue);
}

QString TEnumProperty::GetValue()
{
    const QMetaEnum LEnum = GetProperty().enumerator();
    const char* LKey = LEnum.valueToKey(int(GetOrdValue()));
    return LKey ? QString::fromLatin1(LKey) : QString::number(GetOrdValue());
}

void TEnumProperty::SetValue(const QString& AValue)
{
    const QMetaEnum LEnum = GetProperty().enumerator();
    for (int I = 0; I < LEnum.keyCount(); ++I)
        if (QString::fromLatin1(LEnum.key(I)).compare(AValue.trimmed(), Qt::CaseInsensitive) == 0) {
            SetOrdValue(LEnum.value(I));
            return;
        }
    throw EPropertyError(QStringLiteral("Invalid property value"));
}

void TEnumProperty::GetValues(const TGetStrProc& AProc)
{
    const QMetaEnum LEnum = GetProperty().enumerator();
    for (int I = 0; I < LEnum.keyCount(); ++I)
        AProc(QString::fromLatin1(LEnum.key(I)));
}

QString TBoolProperty::GetValue()
{
    return GetVarValueAt(0).toBool() ? QStringLiteral("True") : QStringLiteral("False");
}

void TBoolProperty::SetValue(const QString& AValue)
{
    const QString LText = AValue.trimmed();
    if (LText.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        SetVarValue(true);
    else if (LText.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        SetVarValue(false);
    else
        throw EPropertyError(QStringLiteral("Invalid property value"));
}

void TBoolProperty::GetValues(const TGetStrProc& AProc)
{
    AProc(QStringLiteral("False"));
    AProc(QStringLiteral("True"));
}

QString TSetProperty::GetValue()
{
    const QMetaEnum LEnum = GetProperty().enumerator();
    QString LKeys = QString::fromLatin1(LEnum.valueToKeys(int(GetOrdValue())));
    return QLatin1Char('[') + LKeys.replace(QLatin1Char('|'), QLatin1Char(',')) + QLatin1Char(']');
}

bool TFloatProperty::AllEqual()
{
    for (int I = 1; I < PropCount(); ++I)
        if (GetFloatValueAt(I) != GetFloatValue())
            return false;
    return true;
}

QString TFloatProperty::GetValue() { return FloatText(GetFloatValue()); }

void TFloatProperty::SetValue(const QString& AValue)
{
    bool LOk = false;
    const double LValue = QLocale::c().toDouble(AValue.trimmed(), &LOk);
    if (!LOk || !std::isfinite(LValue))
        throw EPropertyError(QStringLiteral("'%1' is not a valid floating point value").arg(AValue));
    SetFloatValue(LValue);
}

bool TStringProperty::AllEqual()
{
    for (int I = 1; I < PropCount(); ++I)
        if (GetStrValueAt(I) != GetStrValue())
            return false;
    return true;
}

QString TClassProperty::GetValue() { return QStringLiteral("(%1)").arg(GetPropTypeName()); }

void TClassProperty::GetProperties(const std::function<void(std::unique_ptr<TPropertyEditor>)>& AProc)
{
    QList<QObject*> LValues;
    for (int I = 0; I < PropCount(); ++I)
        if (QObject* LValue = GetObjectValueAt(I))
            LValues.append(LValue);
    if (LValues.size() != PropCount())
        return;
    for (auto& E : GetComponentProperties(LValues, FDesigner))
        AProc(std::move(E));
}

bool TComponentProperty::AllEqual()
{
    for (int I = 1; I < PropCount(); ++I)
        if (GetObjectValueAt(I) != GetObjectValue())
            return false;
    return true;
}

QString TComponentProperty::GetValue()
{
    const QObject* LValue = GetObjectValue();
    return LValue ? LValue->objectName() : QString();
}

namespace {

// The components a reference may point at: those of the form the component sits on.
template <class TProc> void ForEachFormComponent(IDesigner* ADesigner, const QMetaObject* AClass, TProc AProc)
{
    if (!ADesigner || !ADesigner->GetRoot())
        return;
    for (QObject* C : ADesigner->GetRoot()->findChildren<QObject*>())
        if (!C->objectName().isEmpty() && (!AClass || C->metaObject()->inherits(AClass)))
            AProc(C);
}

} // namespace

void TComponentProperty::SetValue(const QString& AValue)
{
    const QString LName = AValue.trimmed();
    if (LName.isEmpty()) {
        SetVarValue(QVariant::fromValue<QObject*>(nullptr));
        return;
    }
    QObject* LFound = nullptr;
    ForEachFormComponent(FDesigner, GetProperty().metaType().metaObject(), [&](QObject* C) {
        if (!LFound && C->objectName().compare(LName, Qt::CaseInsensitive) == 0)
            LFound = C;
    });
    if (!LFound)
        throw EPropertyError(QStringLiteral("Invalid property value"));
    SetVarValue(QVariant::fromValue(LFound));
}

void TComponentProperty::GetValues(const TGetStrProc& AProc)
{
    ForEachFormComponent(FDesigner, GetProperty().metaType().metaObject(), [&](QObject* C) { AProc(C->objectName()); });
}

// ---------------------------------------------------------------------------------------

bool IsMethodProperty(const QMetaProperty& AProperty, const QObject* AInstance)
{
    return AProperty.metaType().id() == QMetaType::QString &&
           PropertyTypeName(AProperty, AInstance).endsWith(QLatin1String("Event"));
}

bool TMethodProperty::AllEqual()
{
    for (int I = 1; I < PropCount(); ++I)
        if (GetStrValueAt(I) != GetStrValue())
            return false;
    return true;
}

QString TMethodProperty::GetFormMethodName() const
{
    const QObject* LComponent = GetComponent(0);
    QString LEvent = GetName();
    if (LEvent.startsWith(QLatin1String("On")))
        LEvent.remove(0, 2);
    return (LComponent ? LComponent->objectName() : QString()) + LEvent;
}

void TMethodProperty::SetValue(const QString& AValue)
{
    const QString LName = AValue.trimmed();
    if (!LName.isEmpty() && FDesigner && !FDesigner->MethodExists(LName) && FDesigner->CreateMethod(LName).isEmpty())
        throw EPropertyError(QStringLiteral("Cannot create method %1").arg(LName));
    SetStrValue(LName);
}

void TMethodProperty::Edit()
{
    if (!FDesigner)
        return;
    QString LName = GetStrValue();
    if (LName.isEmpty())
        LName = GetFormMethodName();
    if (LName.isEmpty())
        return;
    if (GetStrValue() != LName || !FDesigner->MethodExists(LName))
        SetValue(LName);
    FDesigner->ShowMethod(LName);
}

// ---------------------------------------------------------------------------------------

void DefaultPropertyDrawName(TPropertyEditor& AEditor, QPainter& ACanvas, const QRect& ARect)
{
    ACanvas.drawText(ARect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     AEditor.GetName());
}

void DefaultPropertyDrawValue(TPropertyEditor& AEditor, QPainter& ACanvas, const QRect& ARect)
{
    QString LValue;
    try {
        LValue = AEditor.ShownValue();
    } catch (const std::exception&) {
        // A value that cannot be read is drawn empty, as the object inspector does.
    }
    ACanvas.drawText(ARect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, LValue);
}

void DrawCheckbox(QPainter& ACanvas, const QRect& ARect, bool AChecked, bool AEnabled)
{
    QStyleOptionButton LOption;
    LOption.rect = ARect;
    LOption.state =
        (AChecked ? QStyle::State_On : QStyle::State_Off) | (AEnabled ? QStyle::State_Enabled : QStyle::State_None);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &LOption, &ACanvas);
        return;
    }
    // Without an application (the command line), a plain box with a cross.
    ACanvas.drawRect(ARect.adjusted(0, 0, -1, -1));
    if (AChecked) {
        ACanvas.drawLine(ARect.topLeft(), ARect.bottomRight());
        ACanvas.drawLine(ARect.topRight(), ARect.bottomLeft());
    }
}

// ---------------------------------------------------------------------------------------

TPropertyEditorList GetComponentProperties(const QList<QObject*>& ASelection, IDesigner* ADesigner)
{
    TPropertyEditorList LEditors;
    if (ASelection.isEmpty())
        return LEditors;
    QObject* LFirst = ASelection.front();
    const QMetaObject* LMeta = LFirst->metaObject();
    for (int I = 0; I < LMeta->propertyCount(); ++I) {
        const QMetaProperty LProperty = LMeta->property(I);
        if (!Published(LProperty))
            continue;
        auto LChosen = ChooseEditor(LFirst, LProperty);
        if (ASelection.size() > 1 && !LChosen.Editor->GetAttributes().testFlag(paMultiSelect))
            continue;
        const QString LType = PropertyTypeName(LProperty, LFirst);
        LChosen.Editor->SetDesigner(ADesigner);
        LChosen.Editor->SetPropEntry(0, LFirst, LProperty);
        bool LCommon = true;
        for (int J = 1; J < ASelection.size() && LCommon; ++J) {
            QObject* LOther = ASelection.at(J);
            const int LIndex = LOther->metaObject()->indexOfProperty(LProperty.name());
            if (LIndex < 0) {
                LCommon = false;
                break;
            }
            const QMetaProperty LOtherProperty = LOther->metaObject()->property(LIndex);
            // The same property only if it has the same type and would get the same editor.
            LCommon = Published(LOtherProperty) && PropertyTypeName(LOtherProperty, LOther) == LType &&
                      ChooseEditor(LOther, LOtherProperty).Name == LChosen.Name;
            if (LCommon)
                LChosen.Editor->SetPropEntry(J, LOther, LOtherProperty);
        }
        if (LCommon)
            LEditors.push_back(std::move(LChosen.Editor));
    }
    for (const auto& LSelectionEditor : GetSelectionEditors(ASelection))
        LSelectionEditor->FilterProperties(ASelection, LEditors);
    return LEditors;
}

} // namespace ide
