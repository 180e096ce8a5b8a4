#include "ORVO.SelectionEditors.h"

#include "ORVO.Components.h"

namespace orvo::registration {

void TqoUnitsSelectionEditor::RequiresUnits(const std::function<void(const QString&)>& AProc)
{
    TSelectionEditor::RequiresUnits(AProc);
    for (const QString& LUnit : FUnits)
        AProc(LUnit);
}

void TqoUnitsSelectionEditor::FilterProperties(const QList<QObject*>&, ide::TPropertyEditorList& AProperties)
{
    ide::DeletePropertiesNamed(AProperties, FHidden);
}

void TqoNavigationBarButtonSelectionEditor::FilterProperties(const QList<QObject*>& ASelection,
                                                             ide::TPropertyEditorList& AProperties)
{
    if (!ASelection.isEmpty() && qobject_cast<core::TqoNavigationBarButton*>(ASelection.first())) {
        ide::DeletePropertiesNamed(AProperties, {QStringLiteral("ActionKind")});
        return;
    }
    ide::DeletePropertiesNamed(
        AProperties, {QStringLiteral("Alignment"), QStringLiteral("AlignWithMargins"), QStringLiteral("Constraints"),
                      QStringLiteral("Locked"), QStringLiteral("LookupName"), QStringLiteral("Name"),
                      QStringLiteral("Margins"), QStringLiteral("Position"), QStringLiteral("PositionMode"),
                      QStringLiteral("RelativePosition"), QStringLiteral("Size"), QStringLiteral("HitTest")});
}

namespace {

template <class TEditor> void Bind(const char* AName, std::initializer_list<const QMetaObject*> AClasses)
{
    for (const QMetaObject* LClass : AClasses)
        ide::RegisterSelectionEditor(LClass, ide::SelectionEditorClass<TEditor>(QString::fromLatin1(AName)));
}

} // namespace

void RegisterSelectionEditors()
{
    using namespace core;
    Bind<TqoListMenuSelectionEditor>("TqoListMenuSelectionEditor", {&TqoCustomListMenu::staticMetaObject});
    Bind<TqoButtonSelectionEditor>("TqoButtonSelectionEditor", {&TqoCustomButton::staticMetaObject});
    Bind<TqoNavigationBarSelectionEditor>("TqoNavigationBarSelectionEditor",
                                          {&TqoCustomNavigationBar::staticMetaObject});
    Bind<TqoNavigationBarButtonSelectionEditor>("TqoNavigationBarButtonSelectionEditor",
                                                {&TqoNavigationBarButton::staticMetaObject});
    Bind<TqoLayoutSelectionEditor>("TqoLayoutSelectionEditor", {&TqoCustomLayout::staticMetaObject});
    Bind<TqoSearchEditSelectionEditor>("TqoSearchEditSelectionEditor", {&TqoCustomSearchEdit::staticMetaObject});
    Bind<TqoDefinedValueFilterSelectionEditor>("TqoDefinedValueFilterSelectionEditor", {&TqoControl::staticMetaObject});
    Bind<TqoPaintBoxSelectionEditor>("TqoPaintBoxSelectionEditor", {&TqoCustomPaintBox::staticMetaObject});
    Bind<TqoAutocompleteEditSelectionEditor>("TqoAutocompleteEditSelectionEditor",
                                             {&TqoCustomAutoCompleteEdit::staticMetaObject});
    Bind<TqoMapSelectionEditor>("TqoMapSelectionEditor", {&TqoCustomMap::staticMetaObject});
    Bind<TqoCameraSelectionEditor>("TqoCameraSelectionEditor", {&TqoCustomCamera::staticMetaObject});
    Bind<TqoApplicationEventsSelectionEditor>("TqoApplicationEventsSelectionEditor",
                                              {&TqoApplicationEvents::staticMetaObject});
    Bind<TqoAdvertisingSelectionEditor>("TqoAdvertisingSelectionEditor",
                                        {&TqoBannerAd::staticMetaObject, &TqoInterstitialAd::staticMetaObject});
    Bind<TqoAuthenticationClientSelectionEditor>(
        "TqoAuthenticationClientSelectionEditor",
        {&TqoAppleIdAuthenticationClient::staticMetaObject, &TqoFacebookLoginAuthenticationClient::staticMetaObject,
         &TqoVKLoginAuthenticationClient::staticMetaObject, &TqoGoogleSignInAuthenticationClient::staticMetaObject});
    Bind<TqoCollectionViewSelectionEditor>("TqoCollectionViewSelectionEditor",
                                           {&TqoCustomCollectionView::staticMetaObject});
    Bind<TqoFramesSelectionEditor>("TqoFramesSelectionEditor", {&TqoCustomFrame::staticMetaObject});
    Bind<TqoBiometricAuthenticationSelectionEditor>("TqoBiometricAuthenticationSelectionEditor",
                                                    {&TqoCustomBiometricAuthentication::staticMetaObject});
}

} // namespace orvo::registration
