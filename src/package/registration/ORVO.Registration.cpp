#include "ORVO.Registration.h"

#include "DesignIntf.h"
#include "ORVO.Components.h"
#include "assets/designer/Wizard.AssetsManager.h"
#include "assets/storage/ORVO.Assets.Deployment.h"
#include "components/ORVO.CollectionView.Editor.h"
#include "components/ORVO.Components.Editors.h"
#include "components/ORVO.Components.Sprigs.h"
#include "properties/ORVO.Properties.AssetName.h"
#include "properties/ORVO.Properties.ChildrenAlignment.h"
#include "properties/ORVO.Properties.Gradient.h"
#include "properties/ORVO.Properties.Values.h"
#include "registration/ORVO.DevicesClasses.h"
#include "registration/ORVO.SelectionEditors.h"

namespace orvo::registration {

namespace {

using namespace core;

template <class... T> std::vector<ide::TComponentClass> Classes() { return {&T::staticMetaObject...}; }

void RegisterClassGroup()
{
    // Components registered from here on belong to the framework's group and are offered
    // only to designers of that group (the framework's forms and frames).
    ide::StartClassGroup(&TqoControl::staticMetaObject);
    ide::ActivateClassGroup(&TqoControl::staticMetaObject);
    // Non-visual classes do not descend from TqoControl, so they join the group by hand.
    for (auto LClass :
         Classes<TqoTimer, TqoApplicationEvents, TqoCamera, TqoBarcodeScanner, TqoInterstitialAd,
                 TqoPushNotificationService, TqoAppleIdAuthenticationClient, TqoVKLoginAuthenticationClient,
                 TqoFacebookLoginAuthenticationClient, TqoGoogleSignInAuthenticationClient, TqoGooglePayClient,
                 TqoApplePayClient, TqoFirebaseAnalytics, TqoInAppPurchase, TqoEventMapTileProvider,
                 TqoOSMMapTileProvider, TqoAudioRecorder, TqoAudioPlayer>())
        ide::GroupDescendentsWith(LClass, &TqoControl::staticMetaObject);
}

void RegisterPalette()
{
    ide::RegisterComponents(
        QStringLiteral("Orvo: Standard"),
        Classes<TqoLabel, TqoButton, TqoCheckBox, TqoRadioButton, TqoEdit, TqoAutoCompleteEdit, TqoSearchEdit,
                TqoComboBox, TqoMemo, TqoImage, TqoTrackBar, TqoNavigationBar, TqoSwitch, TqoProgressBar,
                TqoActivityIndicator, TqoVirtualListPicker, TqoNumberListPicker, TqoRegionPicker, TqoScratchOverlay>());
    ide::RegisterComponents(QStringLiteral("Orvo: Date/Time"),
                            Classes<TqoDatePicker, TqoTimePicker, TqoCalendar, TqoDateEdit, TqoTimeEdit, TqoTimer>());
    ide::RegisterComponents(QStringLiteral("Orvo: Lists"), Classes<TqoCollectionView, TqoListMenu>());
    ide::RegisterComponents(
        QStringLiteral("Orvo: Layouts"),
        Classes<TqoLayout, TqoDrawerLayout, TqoBottomSheetLayout, TqoVirtualPagerLayout, TqoPagerLayout, TqoCardPanel,
                TqoSpacer, TqoHorizontalScrollBox, TqoVerticalScrollBox, TqoPageControl>());
    // Known to form streaming, so forms holding one load, but not on the palette.
    ide::RegisterNoIcon(Classes<TqoScrollBox>());
    // Forms are not dropped from the palette, but form files name their class.
    ide::RegisterClass(&TqoForm::staticMetaObject);
    // Styles come from the collection view's editor, never from the palette.
    ide::RegisterClass(&TqoCollectionViewStyle::staticMetaObject);
    ide::RegisterComponents(QStringLiteral("Orvo: Shapes"),
                            Classes<TqoLine, TqoRectangle, TqoRhomb, TqoCircle, TqoEllipse, TqoArc, TqoArch, TqoSector,
                                    TqoRegularPolygon, TqoSvgPath, TqoPaintBox>());
    ide::RegisterComponents(QStringLiteral("Orvo: Signature"), Classes<TqoSignature>());
    ide::RegisterComponents(QStringLiteral("Orvo: Web"), Classes<TqoWebBrowser>());
    ide::RegisterComponents(QStringLiteral("Orvo: PDF"), Classes<TqoPDFViewer>());
    ide::RegisterComponents(
        QStringLiteral("Orvo: Map"),
        Classes<TqoMap, TqoEventMapTileProvider, TqoOSMMapTileProvider, TqoYandexMapTileProvider>());
    ide::RegisterComponents(QStringLiteral("Orvo: Media"),
                            Classes<TqoVideoControl, TqoAudioRecorder, TqoAudioPlayer>());
    ide::RegisterComponents(QStringLiteral("Orvo: Additional"), Classes<TqoApplicationEvents>());
    ide::RegisterComponents(QStringLiteral("Orvo: Camera"), Classes<TqoCamera, TqoCameraPreview>());
    ide::RegisterComponents(QStringLiteral("Orvo: Scanner"), Classes<TqoBarcodeScanner>());
    ide::RegisterComponents(QStringLiteral("Orvo: Analytics"), Classes<TqoFirebaseAnalytics, TqoAppMetricaAnalytics>());
    ide::RegisterComponents(
        QStringLiteral("Orvo: Advertising"),
        Classes<TqoBannerAd, TqoInterstitialAd, TqoGoogleAdMobProvider, TqoYandexMobileAdsProvider>());
    ide::RegisterComponents(QStringLiteral("Orvo: Push notifications"), Classes<TqoPushNotificationService>());
    ide::RegisterComponents(QStringLiteral("Orvo: Payments"), Classes<TqoGooglePayClient, TqoInAppPurchase>());
    ide::RegisterComponents(QStringLiteral("Orvo: Authentications"),
                            Classes<TqoBiometricAuthentication, TqoAppleIdAuthenticationClient, TqoAppleIdButton,
                                    TqoFacebookLoginAuthenticationClient, TqoVKLoginAuthenticationClient,
                                    TqoGoogleSignInAuthenticationClient>());
    ide::RegisterComponents(QStringLiteral("Orvo: Lottie"), Classes<TqoLottieImage>());
    // What the component editors create and forms therefore hold.
    ide::RegisterNoIcon(
        Classes<TqoPage, TqoDrawer, TqoMainContent, TqoBottomSheet, TqoComboBoxTextItem, TqoComboBoxTextIconItem>());
}

template <class TEditor>
void BindComponentEditor(const char* AName, std::initializer_list<ide::TComponentClass> AClasses)
{
    for (ide::TComponentClass LClass : AClasses)
        ide::RegisterComponentEditor(LClass, ide::ComponentEditorClass<TEditor>(QString::fromLatin1(AName)));
}

void RegisterComponentEditors()
{
    using namespace orvo::components;
    BindComponentEditor<TqoControlEditor>("TqoControlEditor", {&TqoControl::staticMetaObject});
    BindComponentEditor<TqoFormEditor>("TqoFormEditor", {&TqoCustomForm::staticMetaObject});
    BindComponentEditor<TqoDrawerLayoutEditor>("TqoDrawerLayoutEditor", {&TqoCustomDrawerLayout::staticMetaObject});
    BindComponentEditor<TqoPagerLayoutEditor>("TqoPagerLayoutEditor", {&TqoCustomPagerLayout::staticMetaObject});
    BindComponentEditor<TqoCollectionViewEditor>("TqoCollectionViewEditor",
                                                 {&TqoCustomCollectionView::staticMetaObject});
    // A page shows its page control's verbs.
    BindComponentEditor<TqoPageControlEditor>(
        "TqoPageControlEditor", {&TqoCustomPageControl::staticMetaObject, &TqoCustomPage::staticMetaObject});
    BindComponentEditor<TqoComboBoxEditor>("TqoComboBoxEditor", {&TqoCustomComboBox::staticMetaObject});
    BindComponentEditor<TqoOpenProjectOptionsEditor>(
        "TqoOpenProjectOptionsEditor",
        {&TqoCustomFacebookLoginAuthenticationClient::staticMetaObject, &TqoCustomMap::staticMetaObject,
         &TqoCustomGooglePayClient::staticMetaObject, &TqoGoogleAdMobProvider::staticMetaObject,
         &TqoYandexMobileAdsProvider::staticMetaObject, &TqoCustomVKLoginAuthenticationClient::staticMetaObject,
         &TqoCustomFirebaseAnalytics::staticMetaObject, &TqoCustomInAppPurchase::staticMetaObject,
         &TqoPushNotificationService::staticMetaObject, &TqoCustomBiometricAuthentication::staticMetaObject,
         &TqoCustomYandexMapTileProvider::staticMetaObject});
}

template <class TSprig> void BindSprig(const char* AName, ide::TComponentClass AClass)
{
    ide::RegisterSprigType(AClass, ide::SprigClass<TSprig>(QString::fromLatin1(AName)));
}

void RegisterSprigs()
{
    using namespace orvo::components;
    BindSprig<TqoDrawerLayoutSprig>("TqoDrawerLayoutSprig", &TqoCustomDrawerLayout::staticMetaObject);
    BindSprig<TqoDrawerSprig>("TqoDrawerSprig", &TqoCustomDrawer::staticMetaObject);
    BindSprig<TqoMainContentSprig>("TqoMainContentSprig", &TqoMainContent::staticMetaObject);
    BindSprig<TqoBottomSheetSprig>("TqoBottomSheetSprig", &TqoCustomBottomSheet::staticMetaObject);
    BindSprig<TqoPageSprig>("TqoPageSprig", &TqoCustomPage::staticMetaObject);
    BindSprig<TqoCollectionViewStyleSprig>("TqoCollectionViewStyleSprig", &TqoCollectionViewStyle::staticMetaObject);
    BindSprig<TqoCollectionViewStylesSprig>("TqoCollectionViewStylesSprig", &TqoCollectionViewStyles::staticMetaObject);
}

template <class TEditor>
void BindPropertyEditor(const char* AType, const char* AName, ide::TComponentClass AClass = nullptr,
                        const QString& AProperty = {})
{
    ide::RegisterPropertyEditor(QString::fromLatin1(AType), AClass, AProperty,
                                ide::PropertyEditorClass<TEditor>(QString::fromLatin1(AName)));
}

} // namespace

void RegisterPropertyEditors()
{
    BindPropertyEditor<TqoImageNamePropertyEditor>("TqoAssetName", "TqoImageNamePropertyEditor");
    BindPropertyEditor<TqoPositionPropertyValues>("TqoPosition", "TqoPositionPropertyValues");
    BindPropertyEditor<TqoPositionPropertyValues>("TqoSinglePoint", "TqoPositionPropertyValues");
    BindPropertyEditor<TqoSizePropertyValues>("TqoSize", "TqoSizePropertyValues");
    BindPropertyEditor<TqoScrollBoxContentSizePropertyValues>("TqoScrollBoxContentSize",
                                                              "TqoScrollBoxContentSizePropertyValues");
    for (const char* LSide : {"Left", "Top", "Right", "Bottom", "Start", "End"})
        BindPropertyEditor<TOptionalFloatForNullableRectFProperty>("Single", "TOptionalFloatForNullableRectFProperty",
                                                                   &TqoNullableRectF::staticMetaObject,
                                                                   QString::fromLatin1(LSide));
    BindPropertyEditor<TqoActionControlProperty>("TqoControl", "TqoActionControlProperty",
                                                 &TqoNavigationBarButton::staticMetaObject,
                                                 QStringLiteral("ActionControl"));
    BindPropertyEditor<TqoButtonAppearanceProperty>("TqoButtonAppearance", "TqoButtonAppearanceProperty",
                                                    &TqoCustomButton::staticMetaObject, QStringLiteral("Appearance"));
    BindPropertyEditor<TqoSingleValueProperty>("TqoSingleValue", "TqoSingleValueProperty");
    BindPropertyEditor<TqoCountryCodeAlpha2Property>("TqoCountryAlpha2Code", "TqoCountryCodeAlpha2Property");
    BindPropertyEditor<TqoCurrencyCodeProperty>("TqoCurrencyCode", "TqoCurrencyCodeProperty");
    BindPropertyEditor<TqoChildrenAlignmentProperty>("TqoChildrenAlignment", "TqoChildrenAlignmentProperty");
    BindPropertyEditor<TqoServiceNameProperty>("TqoPushServiceName", "TqoServiceNameProperty");
    BindPropertyEditor<TqoThemeNameProperty>("TqoThemeName", "TqoThemeNameProperty");
    BindPropertyEditor<TqoGradientProperty>("TqoGradient", "TqoGradientProperty");
    BindPropertyEditor<TqoYandexMapsTileProviderLang>("TqoYandexLang", "TqoYandexMapsTileProviderLang");
    BindPropertyEditor<TqoYandexMapsTileProviderProjection>("TqoYandexProjection",
                                                            "TqoYandexMapsTileProviderProjection");
    BindPropertyEditor<TqoYandexMapsTileProviderMapType>("TqoYandexMapType", "TqoYandexMapsTileProviderMapType");
    BindPropertyEditor<TqoYandexMapsTileProviderAPIKey>("TqoYandexAPIKey", "TqoYandexMapsTileProviderAPIKey");
}

void Register()
{
    RegisterClassGroup();
    RegisterPalette();
    RegisterComponentEditors();
    RegisterPropertyEditors();
    RegisterSelectionEditors();
    RegisterSprigs();
    ide::RegisterPackageWizard(std::make_shared<TqoWizardAssetsManager>());
    // Deployment entries follow the assets of every project the IDE opens.
    RegisterAssetsDeployment();
    RegisterDevicesClasses();
}

} // namespace orvo::registration
