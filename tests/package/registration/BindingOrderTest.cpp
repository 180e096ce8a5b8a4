// The editors, sprigs and their classes the package binds when the IDE loads it, in the
// order it binds them, once per load.

#include "DesignIntf.h"
#include "PackageLoader.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

const QString PackageFile = QStringLiteral(ORVO_BIN_DIR "/bplOrvoNative.Designtime370.so");

template <class TBinding> QStringList Bindings(const std::vector<TBinding>& AList)
{
    QStringList LNames;
    for (const auto& B : AList)
        LNames << ide::ClassName(B.ComponentClass) + " " + B.EditorClass.Name;
    return LNames;
}

QStringList PropertyBindings()
{
    QStringList LNames;
    for (const auto& E : ide::TDesignRegistry::Instance().PropertyEditors())
        LNames << QStringList{E.PropertyType, E.ComponentClass ? ide::ClassName(E.ComponentClass) : "any",
                              E.PropertyName.isEmpty() ? "any" : E.PropertyName, E.EditorClass.Name}
                      .join(' ');
    return LNames;
}

void ExpectInOrder(const QStringList& AActual, const QStringList& AExpected) { EXPECT_EQ(AActual, AExpected); }

const QStringList CComponentEditors = {
    "TqoControl TqoControlEditor",
    "TqoCustomForm TqoFormEditor",
    "TqoCustomDrawerLayout TqoDrawerLayoutEditor",
    "TqoCustomPagerLayout TqoPagerLayoutEditor",
    "TqoCustomCollectionView TqoCollectionViewEditor",
    "TqoCustomPageControl TqoPageControlEditor",
    "TqoCustomPage TqoPageControlEditor",
    "TqoCustomComboBox TqoComboBoxEditor",
    "TqoCustomFacebookLoginAuthenticationClient TqoOpenProjectOptionsEditor",
    "TqoCustomMap TqoOpenProjectOptionsEditor",
    "TqoCustomGooglePayClient TqoOpenProjectOptionsEditor",
    "TqoGoogleAdMobProvider TqoOpenProjectOptionsEditor",
    "TqoYandexMobileAdsProvider TqoOpenProjectOptionsEditor",
    "TqoCustomVKLoginAuthenticationClient TqoOpenProjectOptionsEditor",
    "TqoCustomFirebaseAnalytics TqoOpenProjectOptionsEditor",
    "TqoCustomInAppPurchase TqoOpenProjectOptionsEditor",
    "TqoPushNotificationService TqoOpenProjectOptionsEditor",
    "TqoCustomBiometricAuthentication TqoOpenProjectOptionsEditor",
    "TqoCustomYandexMapTileProvider TqoOpenProjectOptionsEditor",
};

const QStringList CPropertyEditors = {
    "TqoAssetName any any TqoImageNamePropertyEditor",
    "TqoPosition any any TqoPositionPropertyValues",
    "TqoSinglePoint any any TqoPositionPropertyValues",
    "TqoSize any any TqoSizePropertyValues",
    "TqoScrollBoxContentSize any any TqoScrollBoxContentSizePropertyValues",
    "Single TqoNullableRectF Left TOptionalFloatForNullableRectFProperty",
    "Single TqoNullableRectF Top TOptionalFloatForNullableRectFProperty",
    "Single TqoNullableRectF Right TOptionalFloatForNullableRectFProperty",
    "Single TqoNullableRectF Bottom TOptionalFloatForNullableRectFProperty",
    "Single TqoNullableRectF Start TOptionalFloatForNullableRectFProperty",
    "Single TqoNullableRectF End TOptionalFloatForNullableRectFProperty",
    "TqoControl TqoNavigationBarButton ActionControl TqoActionControlProperty",
    "TqoButtonAppearance TqoCustomButton Appearance TqoButtonAppearanceProperty",
    "TqoSingleValue any any TqoSingleValueProperty",
    "TqoCountryAlpha2Code any any TqoCountryCodeAlpha2Property",
    "TqoCurrencyCode any any TqoCurrencyCodeProperty",
    "TqoChildrenAlignment any any TqoChildrenAlignmentProperty",
    "TqoPushServiceName any any TqoServiceNameProperty",
    "TqoThemeName any any TqoThemeNameProperty",
    "TqoGradient any any TqoGradientProperty",
    "TqoYandexLang any any TqoYandexMapsTileProviderLang",
    "TqoYandexProjection any any TqoYandexMapsTileProviderProjection",
    "TqoYandexMapType any any TqoYandexMapsTileProviderMapType",
    "TqoYandexAPIKey any any TqoYandexMapsTileProviderAPIKey",
};

const QStringList CSelectionEditors = {
    "TqoCustomListMenu TqoListMenuSelectionEditor",
    "TqoCustomButton TqoButtonSelectionEditor",
    "TqoCustomNavigationBar TqoNavigationBarSelectionEditor",
    "TqoNavigationBarButton TqoNavigationBarButtonSelectionEditor",
    "TqoCustomLayout TqoLayoutSelectionEditor",
    "TqoCustomSearchEdit TqoSearchEditSelectionEditor",
    "TqoControl TqoDefinedValueFilterSelectionEditor",
    "TqoCustomPaintBox TqoPaintBoxSelectionEditor",
    "TqoCustomAutoCompleteEdit TqoAutocompleteEditSelectionEditor",
    "TqoCustomMap TqoMapSelectionEditor",
    "TqoCustomCamera TqoCameraSelectionEditor",
    "TqoApplicationEvents TqoApplicationEventsSelectionEditor",
    "TqoBannerAd TqoAdvertisingSelectionEditor",
    "TqoInterstitialAd TqoAdvertisingSelectionEditor",
    "TqoAppleIdAuthenticationClient TqoAuthenticationClientSelectionEditor",
    "TqoFacebookLoginAuthenticationClient TqoAuthenticationClientSelectionEditor",
    "TqoVKLoginAuthenticationClient TqoAuthenticationClientSelectionEditor",
    "TqoGoogleSignInAuthenticationClient TqoAuthenticationClientSelectionEditor",
    "TqoCustomCollectionView TqoCollectionViewSelectionEditor",
    "TqoCustomFrame TqoFramesSelectionEditor",
    "TqoCustomBiometricAuthentication TqoBiometricAuthenticationSelectionEditor",
};

const QStringList CSprigs = {
    "TqoCustomDrawerLayout TqoDrawerLayoutSprig",
    "TqoCustomDrawer TqoDrawerSprig",
    "TqoMainContent TqoMainContentSprig",
    "TqoCustomBottomSheet TqoBottomSheetSprig",
    "TqoCustomPage TqoPageSprig",
    "TqoCollectionViewStyle TqoCollectionViewStyleSprig",
    "TqoCollectionViewStyles TqoCollectionViewStylesSprig",
};

TEST(PackageBindings, MadeInTheFrameworksOrderOncePerLoad)
{
    const auto& R = ide::TDesignRegistry::Instance();
    for (int LRound = 0; LRound < 2; ++LRound) {
        SCOPED_TRACE(LRound);
        auto LPackage = ide::LoadPackage(PackageFile);
        EXPECT_EQ(Bindings(R.ComponentEditors()), CComponentEditors);
        ExpectInOrder(PropertyBindings(), CPropertyEditors);
        EXPECT_EQ(Bindings(R.SelectionEditors()), CSelectionEditors);
        ExpectInOrder(Bindings(R.Sprigs()), CSprigs);
        EXPECT_EQ(R.Wizards().size(), 1u);
        LPackage->Unload();
        EXPECT_TRUE(R.ComponentEditors().empty());
        EXPECT_TRUE(R.PropertyEditors().empty());
        EXPECT_TRUE(R.SelectionEditors().empty());
        EXPECT_TRUE(R.Sprigs().empty());
        EXPECT_TRUE(R.Wizards().empty());
    }
}

} // namespace
