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

void RegisterSelectionEditors()
{
    using namespace core;
    using ide::SelectionEditorClass;
    const auto LBind = [](const QMetaObject& AClass, const ide::TSelectionEditorClass& AEditor) {
        ide::RegisterSelectionEditor(&AClass, AEditor);
    };
    // Where the runtime has no abstract base (TqoCustomListMenu, ...), the one concrete
    // class stands for it.
    LBind(TqoListMenu::staticMetaObject,
          SelectionEditorClass<TqoListMenuSelectionEditor>("TqoListMenuSelectionEditor"));
    LBind(TqoCustomButton::staticMetaObject,
          SelectionEditorClass<TqoButtonSelectionEditor>("TqoButtonSelectionEditor"));
    LBind(TqoNavigationBar::staticMetaObject,
          SelectionEditorClass<TqoNavigationBarSelectionEditor>("TqoNavigationBarSelectionEditor"));
    LBind(TqoNavigationBarButton::staticMetaObject,
          SelectionEditorClass<TqoNavigationBarButtonSelectionEditor>("TqoNavigationBarButtonSelectionEditor"));
    LBind(TqoLayout::staticMetaObject, SelectionEditorClass<TqoLayoutSelectionEditor>("TqoLayoutSelectionEditor"));
    LBind(TqoSearchEdit::staticMetaObject,
          SelectionEditorClass<TqoSearchEditSelectionEditor>("TqoSearchEditSelectionEditor"));
    LBind(TqoControl::staticMetaObject,
          SelectionEditorClass<TqoDefinedValueFilterSelectionEditor>("TqoDefinedValueFilterSelectionEditor"));
    LBind(TqoPaintBox::staticMetaObject,
          SelectionEditorClass<TqoPaintBoxSelectionEditor>("TqoPaintBoxSelectionEditor"));
    LBind(TqoAutoCompleteEdit::staticMetaObject,
          SelectionEditorClass<TqoAutocompleteEditSelectionEditor>("TqoAutocompleteEditSelectionEditor"));
    LBind(TqoCustomMap::staticMetaObject, SelectionEditorClass<TqoMapSelectionEditor>("TqoMapSelectionEditor"));
    LBind(TqoCamera::staticMetaObject, SelectionEditorClass<TqoCameraSelectionEditor>("TqoCameraSelectionEditor"));
    LBind(TqoApplicationEvents::staticMetaObject,
          SelectionEditorClass<TqoApplicationEventsSelectionEditor>("TqoApplicationEventsSelectionEditor"));
    for (const QMetaObject* LClass : {&TqoBannerAd::staticMetaObject, &TqoInterstitialAd::staticMetaObject})
        LBind(*LClass, SelectionEditorClass<TqoAdvertisingSelectionEditor>("TqoAdvertisingSelectionEditor"));
    for (const QMetaObject* LClass :
         {&TqoAppleIdAuthenticationClient::staticMetaObject, &TqoFacebookLoginAuthenticationClient::staticMetaObject,
          &TqoVKLoginAuthenticationClient::staticMetaObject, &TqoGoogleSignInAuthenticationClient::staticMetaObject})
        LBind(*LClass,
              SelectionEditorClass<TqoAuthenticationClientSelectionEditor>("TqoAuthenticationClientSelectionEditor"));
    LBind(TqoCustomCollectionView::staticMetaObject,
          SelectionEditorClass<TqoCollectionViewSelectionEditor>("TqoCollectionViewSelectionEditor"));
    // TqoFramesSelectionEditor waits for the runtime's frames (TqoCustomFrame).
    LBind(TqoCustomBiometricAuthentication::staticMetaObject,
          SelectionEditorClass<TqoBiometricAuthenticationSelectionEditor>("TqoBiometricAuthenticationSelectionEditor"));
}

} // namespace orvo::registration
