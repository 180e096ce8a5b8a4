#include "ORVO.Components.h"

#include "ORVO.Assert.h"
#include <algorithm>

namespace core {

TqoCustomForm::TqoCustomForm(QObject* AOwner) : TqoControl(AOwner) {}
TqoForm::TqoForm(QObject* AOwner) : TqoCustomForm(AOwner) {}

TqoCustomButton::TqoCustomButton(QObject* AOwner) : TqoControl(AOwner) {}

void TqoCustomButton::SetKind(TqoButtonKind AValue)
{
    if (AValue == FKind)
        return;
    FKind = AValue;
    delete FAppearance;
    FAppearance = TqoButtonAppearanceManager::Create(AValue, this);
}

void TqoNavigationBarButton::SetActionKind(const QString& AValue)
{
    if (AValue == FActionKind && (FActionControl || AValue.isEmpty()))
        return;
    FActionKind = AValue;
    delete FActionControl;
    FActionControl = TqoActionControlsManager::Create(AValue, this);
}
TqoCustomScrollBox::TqoCustomScrollBox(QObject* AOwner) : TqoControl(AOwner) {}
TqoCustomCollectionView::TqoCustomCollectionView(QObject* AOwner)
    : TqoControl(AOwner), FStyles(new TqoCollectionViewStyles(this))
{
}

void TqoCustomCollectionView::AddStyle(TqoCollectionViewStyle* AStyle)
{
    TqoAssert::IsNotNil(AStyle, "AStyle");
    // Reparenting to the same parent would not move it to the end.
    AStyle->setParent(nullptr);
    AStyle->setParent(this);
}

TqoCollectionViewStyle* TqoCustomCollectionView::CreateStyle()
{
    auto* LStyle = new TqoCollectionViewStyle(nullptr);
    AddStyle(LStyle);
    return LStyle;
}
TqoCustomDrawerLayout::TqoCustomDrawerLayout(QObject* AOwner) : TqoControl(AOwner) {}
TqoCustomPagerLayout::TqoCustomPagerLayout(QObject* AOwner) : TqoControl(AOwner) {}
TqoCustomPageControl::TqoCustomPageControl(QObject* AOwner) : TqoControl(AOwner) {}
TqoCustomMap::TqoCustomMap(QObject* AOwner) : TqoControl(AOwner) {}
TqoCustomBiometricAuthentication::TqoCustomBiometricAuthentication(QObject* AOwner) : TqoComponent(AOwner) {}
TqoScrollBox::TqoScrollBox(QObject* AOwner) : TqoCustomScrollBox(AOwner) {}
TqoLabel::TqoLabel(QObject* AOwner)
    : TqoControl(AOwner), FTextColorLink(new TqoAssetColorLink(this)), FFont(new TqoFont(this)),
      FPadding(new TqoBounds(this))
{
}
TqoButton::TqoButton(QObject* AOwner) : TqoCustomButton(AOwner) {}
TqoCheckBox::TqoCheckBox(QObject* AOwner) : TqoControl(AOwner) {}
TqoRadioButton::TqoRadioButton(QObject* AOwner) : TqoControl(AOwner) {}
TqoEdit::TqoEdit(QObject* AOwner) : TqoControl(AOwner) {}
TqoAutoCompleteEdit::TqoAutoCompleteEdit(QObject* AOwner) : TqoCustomAutoCompleteEdit(AOwner) {}
TqoSearchEdit::TqoSearchEdit(QObject* AOwner) : TqoCustomSearchEdit(AOwner) {}
TqoCustomComboBox::TqoCustomComboBox(QObject* AOwner) : TqoControl(AOwner) {}
TqoComboBox::TqoComboBox(QObject* AOwner) : TqoCustomComboBox(AOwner) {}
TqoMemo::TqoMemo(QObject* AOwner) : TqoControl(AOwner) {}
TqoImage::TqoImage(QObject* AOwner) : TqoControl(AOwner), FImageLink(new TqoAssetLink(this)) {}
TqoTrackBar::TqoTrackBar(QObject* AOwner) : TqoControl(AOwner) {}
TqoNavigationBar::TqoNavigationBar(QObject* AOwner) : TqoCustomNavigationBar(AOwner) {}
TqoSwitch::TqoSwitch(QObject* AOwner) : TqoControl(AOwner) {}
TqoProgressBar::TqoProgressBar(QObject* AOwner) : TqoControl(AOwner) {}
TqoActivityIndicator::TqoActivityIndicator(QObject* AOwner) : TqoControl(AOwner) {}
TqoVirtualListPicker::TqoVirtualListPicker(QObject* AOwner) : TqoControl(AOwner) {}
TqoNumberListPicker::TqoNumberListPicker(QObject* AOwner) : TqoControl(AOwner) {}
TqoRegionPicker::TqoRegionPicker(QObject* AOwner) : TqoControl(AOwner) {}
TqoScratchOverlay::TqoScratchOverlay(QObject* AOwner) : TqoControl(AOwner) {}
TqoDatePicker::TqoDatePicker(QObject* AOwner) : TqoControl(AOwner) {}
TqoTimePicker::TqoTimePicker(QObject* AOwner) : TqoControl(AOwner) {}
TqoCalendar::TqoCalendar(QObject* AOwner) : TqoControl(AOwner) {}
TqoDateEdit::TqoDateEdit(QObject* AOwner) : TqoControl(AOwner) {}
TqoTimeEdit::TqoTimeEdit(QObject* AOwner) : TqoControl(AOwner) {}
TqoTimer::TqoTimer(QObject* AOwner) : TqoComponent(AOwner) {}
TqoCollectionView::TqoCollectionView(QObject* AOwner) : TqoCustomCollectionView(AOwner) {}
TqoListMenu::TqoListMenu(QObject* AOwner) : TqoCustomListMenu(AOwner) {}
TqoCustomLayout::TqoCustomLayout(QObject* AOwner)
    : TqoControl(AOwner), FChildrenAlignment(new TqoChildrenAlignment(this)), FPadding(new TqoBounds(this))
{
}
TqoLayout::TqoLayout(QObject* AOwner) : TqoCustomLayout(AOwner) {}
TqoDrawerLayout::TqoDrawerLayout(QObject* AOwner) : TqoCustomDrawerLayout(AOwner) {}
TqoBottomSheetLayout::TqoBottomSheetLayout(QObject* AOwner) : TqoControl(AOwner) {}
TqoVirtualPagerLayout::TqoVirtualPagerLayout(QObject* AOwner) : TqoCustomPagerLayout(AOwner) {}
TqoPagerLayout::TqoPagerLayout(QObject* AOwner) : TqoCustomPagerLayout(AOwner) {}
TqoCardPanel::TqoCardPanel(QObject* AOwner) : TqoControl(AOwner) {}
TqoSpacer::TqoSpacer(QObject* AOwner) : TqoControl(AOwner) {}
TqoHorizontalScrollBox::TqoHorizontalScrollBox(QObject* AOwner) : TqoCustomScrollBox(AOwner) {}
TqoVerticalScrollBox::TqoVerticalScrollBox(QObject* AOwner) : TqoCustomScrollBox(AOwner) {}
TqoPageControl::TqoPageControl(QObject* AOwner) : TqoCustomPageControl(AOwner) {}
TqoLine::TqoLine(QObject* AOwner) : TqoControl(AOwner), FStroke(new TqoBrush(this)) { FStroke->SetColor(0xFF000000); }
TqoRectangle::TqoRectangle(QObject* AOwner) : TqoControl(AOwner), FFill(new TqoBrush(this)), FStroke(new TqoBrush(this))
{
    FStroke->SetColor(0xFF000000);
}
TqoRhomb::TqoRhomb(QObject* AOwner) : TqoControl(AOwner) {}
TqoCircle::TqoCircle(QObject* AOwner) : TqoControl(AOwner) {}
TqoEllipse::TqoEllipse(QObject* AOwner) : TqoControl(AOwner) {}
TqoArc::TqoArc(QObject* AOwner) : TqoControl(AOwner) {}
TqoArch::TqoArch(QObject* AOwner) : TqoControl(AOwner) {}
TqoSector::TqoSector(QObject* AOwner) : TqoControl(AOwner) {}
TqoRegularPolygon::TqoRegularPolygon(QObject* AOwner) : TqoControl(AOwner) {}
TqoSvgPath::TqoSvgPath(QObject* AOwner) : TqoControl(AOwner) {}
TqoPaintBox::TqoPaintBox(QObject* AOwner) : TqoCustomPaintBox(AOwner) {}
TqoSignature::TqoSignature(QObject* AOwner) : TqoControl(AOwner) {}
TqoWebBrowser::TqoWebBrowser(QObject* AOwner) : TqoControl(AOwner) {}
TqoPDFViewer::TqoPDFViewer(QObject* AOwner) : TqoControl(AOwner) {}
TqoMap::TqoMap(QObject* AOwner) : TqoCustomMap(AOwner) {}
TqoEventMapTileProvider::TqoEventMapTileProvider(QObject* AOwner) : TqoComponent(AOwner) {}
TqoOSMMapTileProvider::TqoOSMMapTileProvider(QObject* AOwner) : TqoComponent(AOwner) {}
TqoYandexMapTileProvider::TqoYandexMapTileProvider(QObject* AOwner) : TqoCustomYandexMapTileProvider(AOwner) {}
TqoVideoControl::TqoVideoControl(QObject* AOwner) : TqoControl(AOwner) {}
TqoAudioRecorder::TqoAudioRecorder(QObject* AOwner) : TqoComponent(AOwner) {}
TqoAudioPlayer::TqoAudioPlayer(QObject* AOwner) : TqoComponent(AOwner) {}
TqoApplicationEvents::TqoApplicationEvents(QObject* AOwner) : TqoComponent(AOwner) {}
TqoCamera::TqoCamera(QObject* AOwner) : TqoCustomCamera(AOwner) {}
TqoCameraPreview::TqoCameraPreview(QObject* AOwner) : TqoControl(AOwner) {}
TqoBarcodeScanner::TqoBarcodeScanner(QObject* AOwner) : TqoComponent(AOwner) {}
TqoFirebaseAnalytics::TqoFirebaseAnalytics(QObject* AOwner) : TqoCustomFirebaseAnalytics(AOwner) {}
TqoAppMetricaAnalytics::TqoAppMetricaAnalytics(QObject* AOwner) : TqoComponent(AOwner) {}
TqoBannerAd::TqoBannerAd(QObject* AOwner) : TqoControl(AOwner) {}
TqoInterstitialAd::TqoInterstitialAd(QObject* AOwner) : TqoComponent(AOwner) {}
TqoGoogleAdMobProvider::TqoGoogleAdMobProvider(QObject* AOwner) : TqoComponent(AOwner) {}
TqoYandexMobileAdsProvider::TqoYandexMobileAdsProvider(QObject* AOwner) : TqoComponent(AOwner) {}
TqoPushNotificationService::TqoPushNotificationService(QObject* AOwner) : TqoComponent(AOwner) {}
TqoGooglePayClient::TqoGooglePayClient(QObject* AOwner) : TqoCustomGooglePayClient(AOwner) {}
TqoApplePayClient::TqoApplePayClient(QObject* AOwner) : TqoComponent(AOwner) {}
TqoInAppPurchase::TqoInAppPurchase(QObject* AOwner) : TqoCustomInAppPurchase(AOwner) {}
TqoBiometricAuthentication::TqoBiometricAuthentication(QObject* AOwner) : TqoCustomBiometricAuthentication(AOwner) {}
TqoAppleIdAuthenticationClient::TqoAppleIdAuthenticationClient(QObject* AOwner) : TqoComponent(AOwner) {}
TqoAppleIdButton::TqoAppleIdButton(QObject* AOwner) : TqoCustomButton(AOwner) {}
TqoFacebookLoginAuthenticationClient::TqoFacebookLoginAuthenticationClient(QObject* AOwner)
    : TqoCustomFacebookLoginAuthenticationClient(AOwner)
{
}
TqoVKLoginAuthenticationClient::TqoVKLoginAuthenticationClient(QObject* AOwner)
    : TqoCustomVKLoginAuthenticationClient(AOwner)
{
}
TqoGoogleSignInAuthenticationClient::TqoGoogleSignInAuthenticationClient(QObject* AOwner) : TqoComponent(AOwner) {}
TqoLottieImage::TqoLottieImage(QObject* AOwner) : TqoControl(AOwner) {}

// Collection view styles

TqoCollectionViewStyle::TqoCollectionViewStyle(QObject* AOwner) : TqoCustomLayout(AOwner)
{
    // An item's parts sit side by side unless the style says otherwise.
    GetChildrenAlignment()->SetDirection(TqoChildrenAlignment::TqoFlexDirection::Row);
}

TqoCollectionViewStyles::TqoCollectionViewStyles(TqoCustomCollectionView* AOwner) : QObject(AOwner) {}

QList<TqoCollectionViewStyle*> TqoCollectionViewStyles::Items() const
{
    return parent()->findChildren<TqoCollectionViewStyle*>(Qt::FindDirectChildrenOnly);
}

// ---------------------------------------------------------------------------------------
// Pages, drawers, sheets, combo boxes

namespace {

// The component's direct children of class T, in creation order (value objects are
// children too, so the class decides).
template <class T> QList<T*> ChildrenOf(const QObject* AParent)
{
    QList<T*> LChildren;
    for (QObject* C : AParent->children())
        if (auto* L = qobject_cast<T*>(C))
            LChildren.append(L);
    return LChildren;
}

} // namespace

void TqoCustomDrawerLayout::Open(bool) { FOpened = true; }
void TqoCustomDrawerLayout::Close(bool) { FOpened = false; }

QList<TqoControl*> TqoCustomPagerLayout::Pages() const
{
    QList<TqoControl*> LPages;
    for (auto* L : ChildrenOf<TqoCustomLayout>(this))
        LPages.append(L);
    return LPages;
}

int TqoCustomPagerLayout::GetPageIndex() const { return std::min(FPageIndex, PageCount() - 1); }

TqoControl* TqoCustomPagerLayout::ActivePage() const
{
    const int LIndex = GetPageIndex();
    return LIndex < 0 ? nullptr : Pages().at(LIndex);
}

void TqoCustomPagerLayout::GoToPage(int AIndex, bool)
{
    if (AIndex >= 0 && AIndex < PageCount())
        FPageIndex = AIndex;
}

void TqoCustomPagerLayout::GoToPreviousPage(bool AAnimated) { GoToPage(GetPageIndex() - 1, AAnimated); }
void TqoCustomPagerLayout::GoToNextPage(bool AAnimated) { GoToPage(GetPageIndex() + 1, AAnimated); }

QList<TqoCustomPage*> TqoCustomPageControl::Pages() const { return ChildrenOf<TqoCustomPage>(this); }

int TqoCustomPageControl::GetActivePageIndex() const
{
    return FActivePageIndex >= 0 && FActivePageIndex < PageCount() ? FActivePageIndex : -1;
}

TqoCustomPage* TqoCustomPageControl::GetActivePage() const
{
    const int LIndex = GetActivePageIndex();
    return LIndex < 0 ? nullptr : Pages().at(LIndex);
}

void TqoCustomPageControl::SetActivePage(TqoCustomPage* APage)
{
    if (!APage)
        FActivePageIndex = -1;
    else if (APage->GetPageControl() == this)
        FActivePageIndex = int(Pages().indexOf(APage));
    ShowActivePage();
}

void TqoCustomPageControl::ShowActivePage()
{
    const int LActive = GetActivePageIndex();
    const QList<TqoCustomPage*> LPages = Pages();
    for (int I = 0; I < LPages.size(); ++I)
        LPages[I]->SetVisible(I == LActive);
}

TqoCustomPage* TqoCustomPageControl::GoToPreviousPage(bool)
{
    if (HasPreviousPage())
        --FActivePageIndex;
    ShowActivePage();
    return GetActivePage();
}

TqoCustomPage* TqoCustomPageControl::GoToNextPage(bool)
{
    if (HasNextPage())
        ++FActivePageIndex;
    ShowActivePage();
    return GetActivePage();
}

void TqoCustomPageControl::DeleteCurrentPage()
{
    TqoCustomPage* LPage = GetActivePage();
    if (!LPage)
        return;
    const int LIndex = FActivePageIndex;
    delete LPage;
    FActivePageIndex = PageCount() == 0 ? -1 : std::min(LIndex, PageCount() - 1);
    ShowActivePage();
}

TqoCustomPage::TqoCustomPage(QObject* AOwner) : TqoControl(AOwner)
{
    // A page joins its control hidden unless it is the active one (the control's index may
    // have been read from a form before its pages).
    if (TqoCustomPageControl* LControl = GetPageControl())
        LControl->ShowActivePage();
}

int TqoCustomPage::GetIndex() const
{
    const TqoCustomPageControl* LControl = GetPageControl();
    return LControl ? int(LControl->Pages().indexOf(const_cast<TqoCustomPage*>(this))) : -1;
}

bool TqoCustomPage::IsActive() const
{
    const TqoCustomPageControl* LControl = GetPageControl();
    return LControl && LControl->GetActivePage() == this;
}

int TqoCustomComboBox::ItemCount() const { return int(ChildrenOf<TqoComboBoxItem>(this).size()); }

void TqoCustomComboBox::Clear() { qDeleteAll(ChildrenOf<TqoComboBoxItem>(this)); }

} // namespace core
