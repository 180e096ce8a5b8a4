#include "ORVO.Components.Editors.h"

#include "ORVO.Assert.h"
#include "ORVO.Components.h"
#include "ORVO.Designer.Platforms.h"
#include "ORVO.Designer.ProjectSettings.h"
#include "ToolsAPI.h"

#include <QStringList>

namespace orvo::components {

using namespace core;

namespace {

void RequireComponentAndDesigner(QObject* AComponent, ide::IDesigner* ADesigner)
{
    TqoAssert::IsNotNil(AComponent, QStringLiteral("AComponent"));
    TqoAssert::IsNotNil(ADesigner, QStringLiteral("ADesigner"));
}

// Position 1 to 5 in the list of events a double-click prefers, -1 outside it.
int EventRank(const QString& AName)
{
    static const QStringList CEvents = {QStringLiteral("ONCREATE"), QStringLiteral("ONTOUCH"), QStringLiteral("ONTAP"),
                                        QStringLiteral("ONCHANGE"), QStringLiteral("ONCHANGED")};
    const int LIndex = int(CEvents.indexOf(AName.toUpper()));
    return LIndex < 0 ? -1 : LIndex + 1;
}

} // namespace

// ---------------------------------------------------------------------------------------

void TqoControlEditor::Edit()
{
    ide::TPropertyEditorList LProperties = ide::GetComponentProperties({GetComponent()}, GetDesigner());
    FContinue = true;
    FFirst = nullptr;
    FBest = nullptr;
    for (const auto& LProperty : LProperties) {
        if (!FContinue)
            break;
        EditProperty(*LProperty, FContinue);
    }
    if (FContinue) {
        if (FBest)
            FBest->Edit();
        else if (FFirst)
            FFirst->Edit();
    }
    FFirst = nullptr;
    FBest = nullptr;
}

void TqoControlEditor::EditProperty(ide::TPropertyEditor& AProperty, bool&)
{
    if (!FFirst && dynamic_cast<ide::TMethodProperty*>(&AProperty))
        FFirst = &AProperty;
    if (IsBetter(AProperty.GetName())) {
        FBest = &AProperty;
        if (FFirst == &AProperty)
            FFirst = nullptr;
    }
}

bool TqoControlEditor::IsBetter(const QString& AName) const
{
    if (!FBest)
        return true;
    const int LCandidate = EventRank(AName);
    return LCandidate > 0 && LCandidate > EventRank(FBest->GetName());
}

void TqoFormEditor::EditProperty(ide::TPropertyEditor& AProperty, bool& AContinue)
{
    if (AProperty.GetName().compare(QLatin1String("ONCREATE"), Qt::CaseInsensitive) == 0) {
        AProperty.Edit();
        AContinue = false;
    }
}

// ---------------------------------------------------------------------------------------

TqoDrawerLayoutEditor::TqoDrawerLayoutEditor(QObject* AComponent, ide::IDesigner* ADesigner)
    : TComponentEditor(AComponent, ADesigner), FDrawerLayout(qobject_cast<TqoCustomDrawerLayout*>(AComponent))
{
    TqoAssert::IsNotNil(FDrawerLayout, QStringLiteral("AComponent"));
}

QString TqoDrawerLayoutEditor::GetVerb(int)
{
    return FDrawerLayout->IsOpened() ? QStringLiteral("Hide") : QStringLiteral("Show");
}

void TqoDrawerLayoutEditor::ExecuteVerb(int)
{
    if (FDrawerLayout->IsOpened())
        FDrawerLayout->Close(true);
    else
        FDrawerLayout->Open(true);
}

// ---------------------------------------------------------------------------------------

namespace {

TqoCustomPageControl* PageControlOf(QObject* AComponent)
{
    if (auto* LPage = qobject_cast<TqoCustomPage*>(AComponent))
        return LPage->GetPageControl();
    if (auto* LControl = qobject_cast<TqoCustomPageControl*>(AComponent))
        return LControl;
    TqoAssert::Fail(QStringLiteral("Попытка открыть редактор для компонента, который не является наследником "
                                   "TqoCustomPage и TqoCustomPageControl. ") +
                    ide::ClassName(AComponent->metaObject()));
    return nullptr;
}

} // namespace

TqoPageControlEditor::TqoPageControlEditor(QObject* AComponent, ide::IDesigner* ADesigner)
    : TComponentEditor(AComponent, ADesigner),
      FPageControl((RequireComponentAndDesigner(AComponent, ADesigner), PageControlOf(AComponent)))
{
    // A page lying outside any page control has nothing to work on.
    TqoAssert::IsNotNil(FPageControl, QStringLiteral("AComponent"));
}

QString TqoPageControlEditor::GetVerb(int AIndex)
{
    switch (AIndex) {
    case 0:
        return QStringLiteral("Add page");
    case 1:
        return QStringLiteral("Previous page");
    case 2:
        return QStringLiteral("Next page");
    case 3:
        if (TqoCustomPage* LPage = FPageControl->GetActivePage())
            return QStringLiteral("Delete \"%1\" (%2) page").arg(LPage->GetTitle(), LPage->objectName());
        return QStringLiteral("Delete current page");
    default:
        return {};
    }
}

void TqoPageControlEditor::PrepareItem(int AIndex, ide::IMenuItem& AItem)
{
    switch (AIndex) {
    case 1:
        AItem.SetEnabled(FPageControl->HasPreviousPage());
        break;
    case 2:
        AItem.SetEnabled(FPageControl->HasNextPage());
        break;
    case 3:
        AItem.SetEnabled(FPageControl->GetActivePageIndex() != -1);
        break;
    default:
        break;
    }
}

void TqoPageControlEditor::ExecuteVerb(int AIndex)
{
    switch (AIndex) {
    case 0: {
        auto* LPage =
            qobject_cast<TqoCustomPage*>(GetDesigner()->CreateChild(&TqoPage::staticMetaObject, FPageControl));
        TqoAssert::IsNotNil(LPage, QStringLiteral("LPage"));
        // The name without its two-letter prefix: "qoPage1" gets the title "Page1".
        LPage->SetTitle(LPage->objectName().mid(2));
        if (!FPageControl->GetActivePage())
            FPageControl->SetActivePage(LPage);
        break;
    }
    case 1:
        GetDesigner()->SelectComponent(FPageControl->GoToPreviousPage(false));
        break;
    case 2:
        GetDesigner()->SelectComponent(FPageControl->GoToNextPage(false));
        break;
    case 3:
        FPageControl->DeleteCurrentPage();
        GetDesigner()->SelectComponent(FPageControl->GetActivePage());
        break;
    default:
        return;
    }
    GetDesigner()->Modified();
}

// ---------------------------------------------------------------------------------------

TqoPagerLayoutEditor::TqoPagerLayoutEditor(QObject* AComponent, ide::IDesigner* ADesigner)
    : TComponentEditor(AComponent, ADesigner), FPagerLayout(qobject_cast<TqoCustomPagerLayout*>(AComponent))
{
    RequireComponentAndDesigner(AComponent, ADesigner);
    if (!FPagerLayout)
        TqoAssert::Fail(
            QStringLiteral(
                "Попытка открыть редактор для компонента, который не является наследником TqoCustomPagerLayout. ") +
            ide::ClassName(AComponent->metaObject()));
}

QString TqoPagerLayoutEditor::GetVerb(int AIndex)
{
    switch (AIndex) {
    case 0:
        return QStringLiteral("Add page");
    case 1:
        return QStringLiteral("Previous page");
    case 2:
        return QStringLiteral("Next page");
    case 3:
        if (FPagerLayout->GetPageIndex() != -1)
            return QStringLiteral("Delete \"%1\" page").arg(FPagerLayout->GetPageIndex());
        return QStringLiteral("Delete current page");
    default:
        return {};
    }
}

void TqoPagerLayoutEditor::PrepareItem(int AIndex, ide::IMenuItem& AItem)
{
    switch (AIndex) {
    case 1:
        AItem.SetEnabled(FPagerLayout->HasPreviousPage());
        break;
    case 2:
        AItem.SetEnabled(FPagerLayout->HasNextPage());
        break;
    case 3:
        AItem.SetEnabled(FPagerLayout->GetPageIndex() != -1);
        break;
    default:
        break;
    }
}

void TqoPagerLayoutEditor::ExecuteVerb(int AIndex)
{
    switch (AIndex) {
    case 0:
        GetDesigner()->CreateChild(&TqoLayout::staticMetaObject, FPagerLayout);
        FPagerLayout->GoToPage(FPagerLayout->PageCount() - 1, false);
        break;
    case 1:
        FPagerLayout->GoToPreviousPage(false);
        GetDesigner()->SelectComponent(FPagerLayout->ActivePage());
        break;
    case 2:
        FPagerLayout->GoToNextPage(false);
        GetDesigner()->SelectComponent(FPagerLayout->ActivePage());
        break;
    case 3:
        delete FPagerLayout->ActivePage();
        GetDesigner()->SelectComponent(FPagerLayout->ActivePage());
        break;
    default:
        return;
    }
    GetDesigner()->Modified();
}

// ---------------------------------------------------------------------------------------

namespace {

const QString CUnknownComboBoxVerb = QStringLiteral("Неизвестный код действия дизайнера TqoComboBox.");

} // namespace

TqoComboBoxEditor::TqoComboBoxEditor(QObject* AComponent, ide::IDesigner* ADesigner)
    : TComponentEditor(AComponent, ADesigner), FComboBox(nullptr)
{
    RequireComponentAndDesigner(AComponent, ADesigner);
    FComboBox = TqoAssert::IsClass<TqoCustomComboBox>(AComponent);
}

QString TqoComboBoxEditor::GetVerb(int AIndex)
{
    switch (AIndex) {
    case 0:
        return QStringLiteral("Add text item");
    case 1:
        return QStringLiteral("Add text with icon item");
    case 2:
        return QStringLiteral("Clear");
    default:
        TqoAssert::Fail(CUnknownComboBoxVerb);
        return {};
    }
}

void TqoComboBoxEditor::ExecuteVerb(int AIndex)
{
    TqoAssert::IsNotNil(FComboBox, QStringLiteral("FComboBox"));
    TqoAssert::IsNotNil(GetDesigner(), QStringLiteral("Designer"));
    switch (AIndex) {
    case 0:
        GetDesigner()->CreateChild(&TqoComboBoxTextItem::staticMetaObject, FComboBox);
        GetDesigner()->Modified();
        break;
    case 1:
        GetDesigner()->CreateChild(&TqoComboBoxTextIconItem::staticMetaObject, FComboBox);
        GetDesigner()->Modified();
        break;
    case 2:
        FComboBox->Clear();
        break;
    default:
        TqoAssert::Fail(CUnknownComboBoxVerb);
    }
}

// ---------------------------------------------------------------------------------------

namespace {

// "fcm" or "aps" for the platform the active project's configuration targets, else empty.
QString PlatformServiceName()
{
    const auto LProject = ide::GetActiveProject();
    const auto LConfigurations = LProject ? LProject->ProjectOptionsConfigurations() : nullptr;
    if (!LConfigurations || !LConfigurations->ActiveConfiguration())
        return {};
    const QString LPlatform = LConfigurations->ActivePlatformName();
    if (dsgn::ORVOSupportedAndroidPlatforms.contains(LPlatform, Qt::CaseInsensitive))
        return QStringLiteral("fcm");
    if (dsgn::ORVOSupportediOSPlatforms.contains(LPlatform, Qt::CaseInsensitive))
        return QStringLiteral("aps");
    return {};
}

QString PushPageId(const TqoPushNotificationService& AService)
{
    QString LName = AService.GetServiceName();
    if (LName.compare(TqoPushNotificationService::DefaultServiceName(), Qt::CaseInsensitive) == 0)
        LName = PlatformServiceName();
    if (LName.compare(QLatin1String("fcm"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("{426547B7-B99E-4BF4-9209-42ABF3321C48}");
    if (LName.compare(QLatin1String("rsm"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("{F7709849-FB3D-4D47-BC31-551750459271}");
    return {};
}

} // namespace

QString TqoOpenProjectOptionsEditor::PageId() const
{
    QObject* C = GetComponent();
    if (qobject_cast<TqoCustomFacebookLoginAuthenticationClient*>(C))
        return QStringLiteral("{71553CF8-A0D7-47B8-921C-B1D157C0FBDE}");
    if (qobject_cast<TqoCustomMap*>(C))
        return QStringLiteral("{CC38F07D-855C-4BA5-8D20-9261D4DE726F}");
    if (qobject_cast<TqoCustomGooglePayClient*>(C))
        return QStringLiteral("{EF7CE72D-225B-4C17-809C-1461D38B6DBA}");
    if (qobject_cast<TqoGoogleAdMobProvider*>(C))
        return QStringLiteral("{8F899F79-DD72-4E29-9B5D-E2BD7DF17957}");
    if (qobject_cast<TqoYandexMobileAdsProvider*>(C))
        return QStringLiteral("{C6144CF8-9881-4F9F-A504-4148F8484D37}");
    if (qobject_cast<TqoCustomVKLoginAuthenticationClient*>(C))
        return QStringLiteral("{81FCC070-2A82-407A-951D-F579CF142DC8}");
    if (qobject_cast<TqoCustomFirebaseAnalytics*>(C))
        return QStringLiteral("{1A537D2E-E1FA-433F-BCF7-AC49937A58C8}");
    if (qobject_cast<TqoCustomInAppPurchase*>(C))
        return QStringLiteral("{1E657D6F-DDDD-4696-809C-020207FCE3CE}");
    if (qobject_cast<TqoCustomBiometricAuthentication*>(C))
        return QStringLiteral("{12F58E2C-9723-41F5-8136-D0C5852B69DA}");
    if (auto* LService = qobject_cast<TqoPushNotificationService*>(C))
        return PushPageId(*LService);
    if (qobject_cast<TqoCustomYandexMapTileProvider*>(C))
        return QStringLiteral("{3A80BE9B-2254-424A-B16E-A77BCD43C86C}");
    return {};
}

int TqoOpenProjectOptionsEditor::GetVerbCount() { return PageId().isEmpty() ? 0 : 1; }

QString TqoOpenProjectOptionsEditor::GetVerb(int AIndex)
{
    return AIndex == 0 ? QStringLiteral("Open Orvo Options...") : QString();
}

void TqoOpenProjectOptionsEditor::ExecuteVerb(int AIndex)
{
    if (AIndex == 0)
        dsgn::TFormProjectSettings::Execute(PageId());
}

} // namespace orvo::components
