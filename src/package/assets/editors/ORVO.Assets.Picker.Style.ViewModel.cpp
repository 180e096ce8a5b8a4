#include "ORVO.Assets.Picker.Style.ViewModel.h"

#include "DesignEditors.h"
#include "ORVO.Colors.h"
#include "ORVO.Components.h"
#include "ORVO.Exceptions.h"

#include <QColor>
#include <QFile>
#include <QLocale>
#include <QMetaEnum>
#include <QPainter>
#include <QSaveFile>

#include <nlohmann/json.hpp>

namespace orvo {

namespace {

using TJson = nlohmann::ordered_json;

const QString ComponentsUnit = QStringLiteral("ORVO.Components");

template <class... T> void RegisterStyled(TStyleClassRegistry& ARegistry)
{
    (ARegistry.Register(ComponentsUnit, &T::staticMetaObject), ...);
}

bool IsClassProperty(const QMetaProperty& AProperty)
{
    return AProperty.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

QString EnumName(const QMetaProperty& AProperty, const QVariant& AValue)
{
    if (AProperty.metaType().id() == QMetaType::Bool)
        return AValue.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return QString::fromLatin1(AProperty.enumerator().valueToKey(AValue.toInt()));
}

// False when the enumeration has no such name.
bool TryEnumValue(const QMetaProperty& AProperty, const QString& AName, QVariant& AValue)
{
    if (AProperty.metaType().id() == QMetaType::Bool) {
        if (AName != QLatin1String("True") && AName != QLatin1String("False"))
            return false;
        AValue = AName == QLatin1String("True");
        return true;
    }
    bool LOk = false;
    const int LValue = AProperty.enumerator().keyToValue(AName.toLatin1().constData(), &LOk);
    if (LOk)
        AValue = LValue;
    return LOk;
}

QVariant ValueFromJson(const QMetaProperty& AProperty, const TJson& AJson)
{
    const QMetaType LType = AProperty.metaType();
    switch (TypeKindOf(AProperty)) {
    case TTypeKind::Integer: {
        if (!AJson.is_number())
            return {};
        const qint64 LValue = AJson.is_number_unsigned() ? qint64(AJson.get<quint64>()) : AJson.get<qint64>();
        if (LType.id() == QMetaType::QColor)
            return QColor::fromRgba(QRgb(LValue));
        QVariant LResult = LValue;
        return LResult.convert(LType) ? LResult : QVariant();
    }
    case TTypeKind::Enumeration: {
        QVariant LResult;
        if (!AJson.is_string() || !TryEnumValue(AProperty, QString::fromStdString(AJson.get<std::string>()), LResult))
            return {};
        return LResult;
    }
    case TTypeKind::Float: {
        if (!AJson.is_number())
            return {};
        QVariant LResult = AJson.get<double>();
        return LResult.convert(LType) ? LResult : QVariant();
    }
    case TTypeKind::String: {
        if (!AJson.is_string())
            return {};
        QVariant LResult = QString::fromStdString(AJson.get<std::string>());
        return LResult.convert(LType) ? LResult : QVariant();
    }
    case TTypeKind::Set:
        return QVariant(0);
    case TTypeKind::Unknown:
        break;
    }
    return {};
}

// Null for kinds the file does not hold.
TJson ValueToJson(const QMetaProperty& AProperty, const QVariant& AValue)
{
    switch (TypeKindOf(AProperty)) {
    case TTypeKind::Integer:
        if (AProperty.metaType().id() == QMetaType::QColor)
            return qint64(AValue.value<QColor>().rgba());
        return AValue.toLongLong();
    case TTypeKind::Enumeration:
        return EnumName(AProperty, AValue).toStdString();
    case TTypeKind::Float:
        return AValue.toDouble();
    case TTypeKind::String:
        return AValue.toString().toStdString();
    default:
        return nullptr;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------

TStyleClassRegistry& TStyleClassRegistry::Instance()
{
    static TStyleClassRegistry FInstance = [] {
        using namespace core;
        TStyleClassRegistry LRegistry;
        RegisterStyled<TqoLabel, TqoButton, TqoCheckBox, TqoRadioButton, TqoEdit, TqoSearchEdit, TqoComboBox, TqoMemo,
                       TqoImage, TqoSwitch, TqoTrackBar, TqoProgressBar, TqoActivityIndicator, TqoNavigationBar,
                       TqoCollectionView, TqoListMenu, TqoLayout, TqoCardPanel, TqoRectangle, TqoCircle, TqoLine>(
            LRegistry);
        return LRegistry;
    }();
    return FInstance;
}

void TStyleClassRegistry::Register(const QString& AUnitName, const QMetaObject* AClass, bool AStyled)
{
    FClasses.push_back({AUnitName, AClass, AStyled});
}

const QMetaObject* TStyleClassRegistry::Find(const QString& AName) const
{
    for (const TEntry& LEntry : FClasses) {
        const QString LClassName = QString::fromLatin1(LEntry.Class->className()).section(QStringLiteral("::"), -1);
        if (AName == LClassName || AName == LEntry.UnitName + QLatin1Char('.') + LClassName)
            return LEntry.Class;
    }
    return nullptr;
}

QString TStyleClassRegistry::QualifiedName(const QMetaObject* AClass) const
{
    const QString LClassName = QString::fromLatin1(AClass->className()).section(QStringLiteral("::"), -1);
    for (const TEntry& LEntry : FClasses)
        if (LEntry.Class == AClass)
            return LEntry.UnitName + QLatin1Char('.') + LClassName;
    return LClassName;
}

QStringList TStyleClassRegistry::StyleClassNames() const
{
    QStringList LNames;
    for (const TEntry& LEntry : FClasses)
        if (LEntry.Styled)
            LNames << QualifiedName(LEntry.Class);
    return LNames;
}

// ---------------------------------------------------------------------------------------------

TTypeKind TypeKindOf(const QMetaProperty& AProperty)
{
    if (AProperty.isFlagType())
        return TTypeKind::Set;
    if (AProperty.isEnumType())
        return TTypeKind::Enumeration;
    switch (AProperty.metaType().id()) {
    case QMetaType::Bool:
        return TTypeKind::Enumeration;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::QColor: // an integer in the framework
        return TTypeKind::Integer;
    case QMetaType::Float:
    case QMetaType::Double:
        return TTypeKind::Float;
    case QMetaType::QString:
    case QMetaType::QChar:
        return TTypeKind::String;
    default:
        return TTypeKind::Unknown;
    }
}

QString TPropertyEditor::GetValue() const { return GetRttiValue().toString(); }

void TPropertyEditor::SetValue(const QString& AValue) { Write(AValue); }

void TPropertyEditor::Write(const QVariant& AValue)
{
    if (!FProperty.write(FObject, AValue))
        throw core::EConvertError(QStringLiteral("Cannot set the property: name=\"%1\", value=\"%2\"")
                                      .arg(QString::fromLatin1(FProperty.name()), AValue.toString()));
}

void TPropertyEditor::DrawValue(QPainter& ACanvas, const QRect& ARect, bool) const
{
    ACanvas.drawText(ARect.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, GetValue());
}

QString TEnumEditor::GetValue() const { return EnumName(FProperty, GetRttiValue()); }

void TEnumEditor::SetValue(const QString& AValue)
{
    QVariant LValue;
    if (!TryEnumValue(FProperty, AValue, LValue))
        throw core::EConvertError(QStringLiteral("Invalid enumeration value: value=\"%1\"").arg(AValue));
    Write(LValue);
}

QStringList TEnumEditor::GetValues() const
{
    QStringList LNames;
    const QMetaEnum LEnum = FProperty.enumerator();
    for (int I = 0; I < LEnum.keyCount(); ++I)
        LNames << QString::fromLatin1(LEnum.key(I));
    return LNames;
}

QString TBooleanEditor::GetValue() const { return EnumName(FProperty, GetRttiValue()); }

void TBooleanEditor::SetValue(const QString& AValue)
{
    QVariant LValue;
    if (!TryEnumValue(FProperty, AValue, LValue))
        throw core::EConvertError(QStringLiteral("Invalid Boolean value: value=\"%1\"").arg(AValue));
    Write(LValue);
}

QStringList TBooleanEditor::GetValues() const { return {QStringLiteral("False"), QStringLiteral("True")}; }

bool TBooleanEditor::GetIsChecked() const { return GetRttiValue().toBool(); }

void TBooleanEditor::SetIsChecked(bool AValue) { Write(AValue); }

void TBooleanEditor::DrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) const
{
    const int LSide = qMin(13, ARect.height() - 4);
    const QRect LBox(ARect.left() + 2, ARect.center().y() - LSide / 2, LSide, LSide);
    ACanvas.save();
    ACanvas.setPen(QColor(0x80, 0x80, 0x80));
    ACanvas.setBrush(Qt::white);
    ACanvas.drawRect(LBox);
    if (GetIsChecked()) {
        ACanvas.setRenderHint(QPainter::Antialiasing);
        ACanvas.setPen(QPen(Qt::black, 2));
        ACanvas.drawPolyline(QPolygonF{QPointF(LBox.left() + 3, LBox.center().y()),
                                       QPointF(LBox.center().x() - 1, LBox.bottom() - 3),
                                       QPointF(LBox.right() - 2, LBox.top() + 3)});
    }
    ACanvas.restore();
    TPropertyEditor::DrawValue(ACanvas, ARect.adjusted(LSide + 4, 0, 0, 0), ASelected);
}

void TIntegerEditor::SetValue(const QString& AValue)
{
    bool LOk = false;
    QVariant LValue = AValue.trimmed().toLongLong(&LOk);
    if (!LOk || !LValue.convert(GetPropType()))
        throw core::EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(AValue));
    Write(LValue);
}

QString TSingleEditor::GetValue() const { return QString::number(GetRttiValue().toDouble(), 'g', 7); }

void TSingleEditor::SetValue(const QString& AValue)
{
    // Numbers use "." whatever the user's locale is.
    bool LOk = false;
    QVariant LValue = QLocale::c().toDouble(AValue.trimmed(), &LOk);
    if (!LOk || !LValue.convert(GetPropType()))
        throw core::EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(AValue));
    Write(LValue);
}

QString TColorEditor::GetValue() const { return GetRttiValue().value<QColor>().name().toUpper(); }

void TColorEditor::SetValue(const QString& AValue)
{
    const QColor LColor = QColor::fromString(AValue.trimmed());
    if (!LColor.isValid())
        throw core::EConvertError(QStringLiteral("Invalid color: value=\"%1\"").arg(AValue));
    Write(LColor);
}

void TColorEditor::DrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected) const
{
    const int LSide = qMin(13, ARect.height() - 4);
    const QRect LSwatch(ARect.left() + 2, ARect.center().y() - LSide / 2, LSide, LSide);
    QColor LColor = QColor::fromString(GetValue());
    ACanvas.save();
    ACanvas.setPen(QColor(0x80, 0x80, 0x80));
    ACanvas.setBrush(LColor);
    ACanvas.drawRect(LSwatch);
    ACanvas.restore();
    TPropertyEditor::DrawValue(ACanvas, ARect.adjusted(LSide + 4, 0, 0, 0), ASelected);
}

QString TAplhaColorEditor::GetValue() const
{
    return core::TqoColorHelper::ToARGBHex(core::TqoAlphaColor(GetRttiValue().toUInt()));
}

void TAplhaColorEditor::SetValue(const QString& AValue)
{
    Write(QVariant::fromValue(core::TqoColorHelper::Parse(AValue.trimmed())));
}

// ---------------------------------------------------------------------------------------------

TObjectInspectorModel::TObjectInspectorModel()
{
    auto LAdd = [this]<class T>(int AType) {
        FEditorClasses[AType] = [](QObject* AObject, const QMetaProperty& AProperty) {
            return std::make_unique<T>(AObject, AProperty);
        };
    };
    LAdd.operator()<TBooleanEditor>(QMetaType::Bool);
    LAdd.operator()<TIntegerEditor>(QMetaType::Int);
    LAdd.operator()<TSingleEditor>(QMetaType::Float);
    LAdd.operator()<TStringEditor>(QMetaType::QString);
    LAdd.operator()<TColorEditor>(QMetaType::QColor);
    // The framework's alpha colors are its only unsigned 32-bit properties.
    LAdd.operator()<TAplhaColorEditor>(QMetaType::UInt);
}

TObjectInspectorModel::~TObjectInspectorModel() { Clear(); }

void TObjectInspectorModel::Clear()
{
    FDeclared.clear();
    FEntries.clear();
    FInstance.reset();
    FClass = nullptr;
}

void TObjectInspectorModel::SelectClass(const QString& AName)
{
    if (const QMetaObject* LClass = TStyleClassRegistry::Instance().Find(AName)) {
        SelectClass(LClass);
        return;
    }
    const QMetaType LType = QMetaType::fromName(AName.section(QLatin1Char('.'), -1).toLatin1());
    if (LType.isValid() && !LType.metaObject())
        throw core::EqoException(QStringLiteral("Specified type is not a class: typeName=\"%1\"").arg(AName));
    throw core::EqoException(QStringLiteral("Cannot find specified class: typeName=\"%1\"").arg(AName));
}

void TObjectInspectorModel::SelectClass(const QMetaObject* AClass)
{
    Clear();
    // Constructors are not inherited in C++, so only the class's own are asked; the component
    // constructor is preferred, as the form streaming system uses it.
    int LDefault = -1;
    int LComponent = -1;
    for (int I = 0; I < AClass->constructorCount(); ++I) {
        const QMetaMethod LConstructor = AClass->constructor(I);
        if (LConstructor.parameterCount() == 0)
            LDefault = I;
        else if (LConstructor.parameterCount() == 1 && LConstructor.parameterType(0) == QMetaType::QObjectStar)
            LComponent = I;
    }
    QObject* LInstance = nullptr;
    if (LComponent >= 0)
        LInstance = AClass->newInstance(Q_ARG(QObject*, nullptr));
    else if (LDefault >= 0)
        LInstance = AClass->newInstance();
    if (!LInstance)
        throw core::EqoException(QStringLiteral("Cannot find default or component constructor"));
    FInstance.reset(LInstance);
    FClass = AClass;
    CollectEntries(LInstance, {});
}

void TObjectInspectorModel::CollectEntries(QObject* AObject, const QStringList& APrefix)
{
    const QMetaObject* LMeta = AObject->metaObject();
    // QObject's own objectName is not a published property of the framework.
    for (int I = QObject::staticMetaObject.propertyCount(); I < LMeta->propertyCount(); ++I) {
        const QMetaProperty LProperty = LMeta->property(I);
        // Events bind the form's methods; a style holds values only.
        if (!LProperty.isWritable() || ide::IsMethodProperty(LProperty, AObject))
            continue;
        const QStringList LPath = APrefix + QStringList{QString::fromLatin1(LProperty.name())};
        if (IsClassProperty(LProperty)) {
            if (QObject* LChild = LProperty.read(AObject).value<QObject*>())
                CollectEntries(LChild, LPath);
            continue;
        }
        auto LEntry = std::make_unique<TPropertyData>();
        LEntry->Path = LPath;
        LEntry->Property = LProperty;
        LEntry->Owner = AObject;
        LEntry->Value = LProperty.read(AObject);
        LEntry->Editor = CreateEditor(AObject, LProperty);
        FEntries.push_back(std::move(LEntry));
    }
}

std::unique_ptr<TPropertyEditor> TObjectInspectorModel::CreateEditor(QObject* AObject,
                                                                     const QMetaProperty& AProperty) const
{
    if (!AProperty.isEnumType()) {
        const auto LFound = FEditorClasses.find(AProperty.metaType().id());
        if (LFound != FEditorClasses.end())
            return LFound->second(AObject, AProperty);
    }
    switch (TypeKindOf(AProperty)) {
    case TTypeKind::Enumeration:
        return std::make_unique<TEnumEditor>(AObject, AProperty);
    case TTypeKind::Integer:
        return std::make_unique<TIntegerEditor>(AObject, AProperty);
    case TTypeKind::Float:
        return std::make_unique<TSingleEditor>(AObject, AProperty);
    case TTypeKind::String:
        return std::make_unique<TStringEditor>(AObject, AProperty);
    default:
        return nullptr;
    }
}

TPropertyData* TObjectInspectorModel::FindEntry(const QString& AFullQualifiedName) const
{
    for (const auto& LEntry : FEntries)
        if (LEntry->FullQualifiedName() == AFullQualifiedName)
            return LEntry.get();
    return nullptr;
}

void TObjectInspectorModel::MarkAsDeclared(TPropertyData* AEntry)
{
    if (AEntry && !FDeclared.contains(AEntry))
        FDeclared.append(AEntry);
}

void TObjectInspectorModel::RemoveFromDeclared(TPropertyData* AEntry) { FDeclared.removeAll(AEntry); }

void TObjectInspectorModel::LoadFromFile(const QString& AFileName)
{
    QFile LFile(AFileName);
    if (!LFile.open(QIODevice::ReadOnly))
        throw core::EqoFileError(AFileName, 0, LFile.errorString());
    const TJson LJson = TJson::parse(LFile.readAll().toStdString(), nullptr, false);
    if (!LJson.is_object())
        throw core::EqoFileError(AFileName, 0, QStringLiteral("not a style file: a JSON object was expected"));
    if (const auto LName = LJson.find("className"); LName != LJson.end() && LName->is_string())
        SelectClass(QString::fromStdString(LName->get<std::string>()));
    if (const auto LProperties = LJson.find("properties"); LProperties != LJson.end() && LProperties->is_object())
        for (const auto& [LName, LValue] : LProperties->items()) {
            TPropertyData* LEntry = FindEntry(QString::fromStdString(LName));
            if (!LEntry)
                continue;
            const QVariant LConverted = ValueFromJson(LEntry->Property, LValue);
            if (!LConverted.isValid())
                continue;
            LEntry->Value = LConverted;
            MarkAsDeclared(LEntry);
        }
    ApplyTo(FInstance.get());
}

void TObjectInspectorModel::SaveToFile(const QString& AFileName) const
{
    TJson LJson = TJson::object();
    if (FClass)
        LJson["className"] = TStyleClassRegistry::Instance().QualifiedName(FClass).toStdString();
    TJson LProperties = TJson::object();
    for (const TPropertyData* LEntry : FDeclared) {
        TJson LValue = ValueToJson(LEntry->Property, LEntry->Property.read(LEntry->Owner));
        if (!LValue.is_null())
            LProperties[LEntry->FullQualifiedName().toStdString()] = std::move(LValue);
    }
    LJson["properties"] = std::move(LProperties);
    QSaveFile LFile(AFileName);
    if (!LFile.open(QIODevice::WriteOnly) || LFile.write(QByteArray::fromStdString(LJson.dump(2))) < 0 ||
        !LFile.commit())
        throw core::EqoFileError(AFileName, 0, LFile.errorString());
}

void TObjectInspectorModel::ApplyTo(QObject* ATarget) const
{
    if (!FClass || !ATarget || !ATarget->metaObject()->inherits(FClass))
        return;
    for (const TPropertyData* LEntry : FDeclared) {
        QObject* LOwner = ATarget;
        for (qsizetype I = 0; LOwner && I + 1 < LEntry->Path.size(); ++I)
            LOwner = LOwner->property(LEntry->Path[I].toLatin1().constData()).value<QObject*>();
        if (LOwner)
            LEntry->Property.write(LOwner, LEntry->Value);
    }
}

} // namespace orvo
