#include "ORVO.Registration.h"

#include "DesignIntf.h"
#include "ORVO.Components.h"
#include "assets/designer/Wizard.AssetsManager.h"
#include "assets/storage/ORVO.Assets.Deployment.h"
#include "properties/ORVO.Properties.Gradient.h"
#include "properties/ORVO.Properties.Values.h"
#include "registration/ORVO.DevicesClasses.h"

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
}

} // namespace

void Register()
{
    RegisterClassGroup();
    RegisterPalette();
    RegisterAssetAlignmentGradientEditors();
    RegisterValueEditors();
    ide::RegisterPackageWizard(std::make_shared<TqoWizardAssetsManager>());
    // Deployment entries follow the assets of every project the IDE opens.
    RegisterAssetsDeployment();
    RegisterDevicesClasses();
}

} // namespace orvo::registration
