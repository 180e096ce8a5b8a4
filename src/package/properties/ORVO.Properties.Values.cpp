#include "ORVO.Properties.Values.h"

#include "DesignIntf.h"
#include "ORVO.Application.h"
#include "ORVO.Assert.h"
#include "ORVO.Assets.h"
#include "ORVO.Components.h"
#include "ToolsAPI.h"
#include "registration/ORVO.SelectionEditors.h"

#include <QLocale>
#include <QPainter>
#include <QPalette>
#include <QSet>
#include <cmath>
#include <limits>
#include <optional>

namespace orvo {

using core::TqoAssert;
using core::TqoNullableRectF;
using core::TqoSingleValue;
using TqoUnit = core::TqoSingleValue::TqoUnit;

namespace {

bool HasFraction(float AValue)
{
    float LWhole;
    return std::abs(std::modf(AValue, &LWhole)) > std::numeric_limits<float>::denorm_min();
}

QString UnitText(TqoUnit AUnit)
{
    switch (AUnit) {
    case TqoUnit::Px:
        return QStringLiteral("px");
    case TqoUnit::Dp:
        return QStringLiteral("dp");
    case TqoUnit::Percent:
        return QStringLiteral("%");
    }
    TqoAssert::UnknownValue(QStringLiteral("TqoSingleValue.TqoUnit"));
}

const TqoUnit CUnits[] = {TqoUnit::Px, TqoUnit::Dp, TqoUnit::Percent};

// Blanks around the number are allowed, as the host's float conversion allows them.
bool TryParseSingle(const QString& AText, float& AValue)
{
    bool LOk = false;
    const float LValue = QLocale().toFloat(AText.trimmed(), &LOk);
    if (LOk && std::isfinite(LValue))
        AValue = LValue;
    return LOk && std::isfinite(LValue);
}

const QString CSideNames[] = {QStringLiteral("Left"),   QStringLiteral("Top"),   QStringLiteral("Right"),
                              QStringLiteral("Bottom"), QStringLiteral("Start"), QStringLiteral("End")};

QColor GrayText() { return QPalette().color(QPalette::Disabled, QPalette::Text); }

} // namespace

QString FormatSingle(float AValue) { return QLocale().toString(double(AValue), 'f', HasFraction(AValue) ? 1 : 0); }

// ---------------------------------------------------------------------------------------

ide::TPropertyAttributes TqoPairPropertyValues::GetAttributes()
{
    return ide::paSubProperties | ide::paMultiSelect | ide::paReadOnly;
}

QString TqoPairPropertyValues::GetValue()
{
    const auto [LFirst, LSecond] = GetPair(GetObjectValue());
    // Both numbers share one format so that (100.0, 50.5) lines up.
    const int LDecimals = HasFraction(LFirst) || HasFraction(LSecond) ? 1 : 0;
    const QLocale LLocale;
    return QStringLiteral("(%1, %2)")
        .arg(LLocale.toString(double(LFirst), 'f', LDecimals), LLocale.toString(double(LSecond), 'f', LDecimals));
}

std::pair<float, float> TqoSizePropertyValues::GetPair(QObject* AObject) const
{
    auto LSize = TqoAssert::IsClass<core::TqoSize>(AObject);
    TqoAssert::IsNotNil(LSize, QStringLiteral("TqoSize"));
    return {LSize->GetWidth(), LSize->GetHeight()};
}

std::pair<float, float> TqoPositionPropertyValues::GetPair(QObject* AObject) const
{
    auto LPoint = TqoAssert::IsClass<core::TqoSinglePoint>(AObject);
    TqoAssert::IsNotNil(LPoint, QStringLiteral("TqoSinglePoint"));
    return {LPoint->GetX(), LPoint->GetY()};
}

std::pair<float, float> TqoScrollBoxContentSizePropertyValues::GetPair(QObject* AObject) const
{
    auto LSize = TqoAssert::IsClass<core::TqoScrollBoxContentSize>(AObject);
    TqoAssert::IsNotNil(LSize, QStringLiteral("TqoScrollBoxContentSize"));
    return {LSize->GetWidth(), LSize->GetHeight()};
}

// ---------------------------------------------------------------------------------------

ide::TPropertyAttributes TqoSingleValueProperty::GetAttributes() { return ide::paValueList | ide::paValueEditable; }

QString TqoSingleValueProperty::GetValue()
{
    auto LValue = TqoAssert::IsClass<TqoSingleValue>(GetObjectValue());
    TqoAssert::IsNotNil(LValue, QStringLiteral("TqoSingleValue"));
    return FormatSingle(LValue->GetValue()) + QLatin1Char(' ') + UnitText(LValue->GetUnit());
}

void TqoSingleValueProperty::GetValues(const ide::TGetStrProc& AProc)
{
    auto LValue = TqoAssert::IsClass<TqoSingleValue>(GetObjectValue());
    TqoAssert::IsNotNil(LValue, QStringLiteral("TqoSingleValue"));
    for (TqoUnit LUnit : CUnits)
        AProc(FormatSingle(LValue->GetValue()) + QLatin1Char(' ') + UnitText(LUnit));
}

void TqoSingleValueProperty::SetValue(const QString& AValue)
{
    const QString LText = AValue.toLower();
    float LNumber = 0;
    std::optional<TqoUnit> LUnit;
    if (!LText.isEmpty() && !TryParseSingle(LText, LNumber)) {
        for (TqoUnit LCandidate : CUnits)
            if (LText.endsWith(UnitText(LCandidate))) {
                if (!TryParseSingle(LText.chopped(UnitText(LCandidate).size()), LNumber))
                    return;
                LUnit = LCandidate;
                break;
            }
        if (!LUnit)
            return;
    }
    for (int I = 0; I < PropCount(); ++I)
        if (auto LValue = TqoAssert::IsClass<TqoSingleValue>(GetObjectValueAt(I))) {
            LValue->SetValue(LNumber);
            if (LUnit)
                LValue->SetUnit(*LUnit);
        }
    Modified();
}

// ---------------------------------------------------------------------------------------

void TOptionalFloatForNullableRectFProperty::SetPropEntry(int AIndex, QObject* AInstance,
                                                          const QMetaProperty& AProperty)
{
    auto LObject = TqoAssert::IsClass<TqoNullableRectF>(AInstance);
    TqoAssert::IsNotNil(LObject, QStringLiteral("AInstance"));
    TFloatProperty::SetPropEntry(AIndex, AInstance, AProperty);
    FObject = LObject;
    const QString LName = QString::fromLatin1(AProperty.name());
    for (int I = 0; I < 6; ++I)
        if (LName.compare(CSideNames[I], Qt::CaseInsensitive) == 0) {
            FSide = I;
            return;
        }
    TqoAssert::Fail(QStringLiteral("Неизвестное название свойства"));
}

bool TOptionalFloatForNullableRectFProperty::IsDefined() const
{
    TqoAssert::IsTrue(FSide >= 0 && FSide < 6, QStringLiteral("Unknown TPositionType value"));
    return FObject->IsDefined(FSide);
}

void TOptionalFloatForNullableRectFProperty::SetDefined(bool ADefined)
{
    TqoAssert::IsTrue(FSide >= 0 && FSide < 6, QStringLiteral("Unknown position type value"));
    // Every selected component's offsets, as the number is stored into each of them.
    for (int I = 0; I < PropCount(); ++I)
        static_cast<TqoNullableRectF*>(GetComponent(I))->SetDefinedValue(FSide, ADefined);
}

void TOptionalFloatForNullableRectFProperty::SetValue(const QString& AValue)
{
    // A number the float editor refuses leaves the side as it was.
    const bool LWasDefined = IsDefined();
    SetDefined(!AValue.isEmpty());
    try {
        TFloatProperty::SetValue(AValue.isEmpty() ? QStringLiteral("0") : AValue);
    } catch (...) {
        SetDefined(LWasDefined);
        throw;
    }
}

void TOptionalFloatForNullableRectFProperty::PropDrawName(QPainter& ACanvas, const QRect& ARect, bool)
{
    ide::DefaultPropertyDrawName(*this, ACanvas, ARect);
}

void TOptionalFloatForNullableRectFProperty::PropDrawValue(QPainter& ACanvas, const QRect& ARect, bool)
{
    ide::DrawCheckbox(ACanvas, PropDrawValueRect(ARect), IsDefined(), !GetAttributes().testFlag(ide::paReadOnly));
}

QRect TOptionalFloatForNullableRectFProperty::PropDrawValueRect(const QRect& ARect)
{
    return QRect(ARect.left(), ARect.top(), ARect.height(), ARect.height());
}

QRect TOptionalFloatForNullableRectFProperty::CheckBoxArea(const QRect& ARect)
{
    return QRect(ARect.left() + ARect.width() + 4, ARect.top(), ARect.height() - 4, ARect.height());
}

void TOptionalFloatForNullableRectFProperty::MouseUp(ide::TMouseButton AButton, int AX, int AY, const QRect& ARect,
                                                     bool& AHandled)
{
    if (AButton != ide::TMouseButton::Left || !CheckBoxArea(ARect).contains(AX, AY))
        return;
    SetDefined(!IsDefined());
    AHandled = true;
    Modified();
}

// ---------------------------------------------------------------------------------------

ide::TPropertyAttributes TqoKindObjectProperty::GetAttributes()
{
    return TClassProperty::GetAttributes() | ide::paValueList | ide::paSubProperties | ide::paSortList |
           ide::paVolatileSubProperties | ide::paValueEditable;
}

void TqoKindObjectProperty::GetProperties(const std::function<void(std::unique_ptr<ide::TPropertyEditor>)>& AProc)
{
    // Only the components that have the object: the others have nothing to show.
    QList<QObject*> LObjects;
    for (int I = 0; I < PropCount(); ++I)
        if (QObject* LObject = GetObjectValueAt(I))
            LObjects.append(LObject);
    for (auto& LEditor : ide::GetComponentProperties(LObjects, Designer()))
        AProc(std::move(LEditor));
}

namespace {

const QString CEmpty = QStringLiteral("(Empty)");

// The I-th selected component as the class the editor is bound to.
template <class T> T* BoundComponent(const ide::TPropertyEditor& AEditor, int AIndex)
{
    auto* LComponent = qobject_cast<T*>(AEditor.GetComponent(AIndex));
    TqoAssert::IsNotNil(LComponent, ide::ClassName(&T::staticMetaObject));
    return LComponent;
}

} // namespace

QString TqoActionControlProperty::GetValue()
{
    const core::TqoNavigationBarButton* LButton = BoundComponent<core::TqoNavigationBarButton>(*this, 0);
    if (!LButton->GetActionControl())
        return CEmpty;
    return QStringLiteral("%1 (%2)").arg(LButton->GetActionKind(),
                                         ide::ClassName(LButton->GetActionControl()->metaObject()));
}

void TqoActionControlProperty::GetValues(const ide::TGetStrProc& AProc)
{
    AProc(CEmpty);
    for (const QString& LKind : core::TqoActionControlsManager::GetKinds())
        AProc(LKind);
}

void TqoActionControlProperty::SetValue(const QString& AValue)
{
    const QString LKind = AValue == CEmpty ? QString() : AValue;
    for (int I = 0; I < PropCount(); ++I)
        BoundComponent<core::TqoNavigationBarButton>(*this, I)->SetActionKind(LKind);
    Modified();
}

QString TqoButtonAppearanceProperty::GetValue()
{
    const core::TqoCustomButton* LButton = BoundComponent<core::TqoCustomButton>(*this, 0);
    return LButton->GetAppearance() ? core::TqoButtonKinds::ToId(LButton->GetKind()) : CEmpty;
}

void TqoButtonAppearanceProperty::GetValues(const ide::TGetStrProc& AProc)
{
    for (const QString& LKind : core::TqoButtonAppearanceManager::GetKinds())
        AProc(LKind);
}

void TqoButtonAppearanceProperty::SetValue(const QString& AValue)
{
    // A text that names no kind leaves kind 0: a custom button.
    core::TqoButtonKind LKind = core::TqoButtonKind(0);
    core::TqoButtonKinds::TryGetFromString(AValue, LKind);
    for (int I = 0; I < PropCount(); ++I)
        BoundComponent<core::TqoCustomButton>(*this, I)->SetKind(LKind);
    Modified();
}

// ---------------------------------------------------------------------------------------

ide::TPropertyAttributes TqoStringValuesProperty::GetAttributes()
{
    auto LAttributes = TStringProperty::GetAttributes() | ide::paValueList | ide::paValueEditable;
    if (Sorted())
        LAttributes |= ide::paSortList;
    return LAttributes;
}

void TqoStringValuesProperty::GetValues(const ide::TGetStrProc& AProc)
{
    for (const QString& LValue : Values())
        AProc(LValue);
}

void TqoStringValuesProperty::SetValue(const QString& AValue)
{
    SetStrValue(MaxLength() > 0 ? AValue.left(MaxLength()) : AValue);
}

QStringList TqoCountryCodeAlpha2Property::Values() const
{
    // The countries Qt's locale data knows, with their ISO 3166 alpha-2 codes.
    QStringList LValues;
    for (int I = QLocale::AnyTerritory + 1; I <= QLocale::LastTerritory; ++I) {
        const auto LTerritory = QLocale::Territory(I);
        const QString LCode = QLocale::territoryToCode(LTerritory);
        if (LCode.size() == 2 && LCode.at(0).isLetter())
            LValues.append(QStringLiteral("%1 (%2)").arg(LCode, QLocale::territoryToString(LTerritory)));
    }
    return LValues;
}

QStringList TqoCurrencyCodeProperty::Values() const
{
    // The ISO 4217 codes of the currencies used by Qt's locales, once each.
    QStringList LValues;
    QSet<QString> LSeen;
    for (const QLocale& LLocale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const QString LCode = LLocale.currencySymbol(QLocale::CurrencyIsoCode);
        if (LCode.size() == 3 && !LSeen.contains(LCode)) {
            LSeen.insert(LCode);
            LValues.append(LCode);
        }
    }
    return LValues;
}

QStringList TqoServiceNameProperty::Values() const
{
    return {QStringLiteral("Default"), QStringLiteral("APS"), QStringLiteral("FCM"), QStringLiteral("RSM")};
}

void TqoThemeNameProperty::PropDrawName(QPainter& ACanvas, const QRect& ARect, bool ASelected)
{
    FSelected = ASelected;
    ide::DefaultPropertyDrawName(*this, ACanvas, ARect);
}

void TqoThemeNameProperty::PropDrawValue(QPainter& ACanvas, const QRect& ARect, bool ASelected)
{
    FSelected = ASelected;
    if (ASelected || !GetStrValue().isEmpty()) {
        ide::DefaultPropertyDrawValue(*this, ACanvas, ARect);
        return;
    }
    ACanvas.save();
    ACanvas.setPen(GrayText());
    ACanvas.drawText(ARect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     core::Application().ThemeSettings().GetThemeName());
    ACanvas.restore();
}

QStringList TqoThemeNameProperty::Values() const { return core::TqoAssetsManager::GetCurrent().GetThemesNames(); }

QStringList TqoYandexMapsTileProviderLang::Values() const
{
    return {QStringLiteral("ru_RU"), QStringLiteral("en_RU"), QStringLiteral("en_US"),
            QStringLiteral("uk_UA"), QStringLiteral("ru_UA"), QStringLiteral("tr_TR")};
}

QStringList TqoYandexMapsTileProviderProjection::Values() const
{
    return {QStringLiteral("wgs84_mercator"), QStringLiteral("web_mercator")};
}

QStringList TqoYandexMapsTileProviderMapType::Values() const
{
    return {QStringLiteral("map"), QStringLiteral("future_map"), QStringLiteral("driving"), QStringLiteral("transit"),
            QStringLiteral("admin")};
}

// ---------------------------------------------------------------------------------------

void TqoYandexMapsTileProviderAPIKey::PropDrawName(QPainter& ACanvas, const QRect& ARect, bool)
{
    ide::DefaultPropertyDrawName(*this, ACanvas, ARect);
}

void TqoYandexMapsTileProviderAPIKey::PropDrawValue(QPainter& ACanvas, const QRect& ARect, bool)
{
    if (!GetStrValue().isEmpty()) {
        ide::DefaultPropertyDrawValue(*this, ACanvas, ARect);
        return;
    }
    const QString LKey = ProjectKey();
    if (LKey.isEmpty())
        return;
    ACanvas.save();
    ACanvas.setPen(GrayText());
    ACanvas.drawText(ARect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, LKey);
    ACanvas.restore();
}

QString TqoYandexMapsTileProviderAPIKey::ProjectKey()
{
    const auto LProject = ide::GetActiveProject();
    if (!LProject)
        return {};
    const auto LConfigurations = LProject->ProjectOptionsConfigurations();
    const auto LConfiguration = LConfigurations ? LConfigurations->ActiveConfiguration() : nullptr;
    return LConfiguration ? LConfiguration->GetValue(QStringLiteral("ORVO_YandexMapsTileProvider_APIKey")) : QString();
}

// ---------------------------------------------------------------------------------------

} // namespace orvo
