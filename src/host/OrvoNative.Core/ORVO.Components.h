#pragma once

// Component classes of the framework as the design-time package sees them.
// Published properties are Q_PROPERTYs; every class can be created by name through
// its meta-object, which is what the form streaming system needs.

#include "ORVO.Buttons.h"
#include "ORVO.Components.Base.h"

namespace core {

// The framework's forms; a form unit declares its own class derived from TqoForm.
class TqoCustomForm : public TqoControl
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.ThemeName", "TqoThemeName")
    Q_CLASSINFO("PropertyType.OnCreate", "TNotifyEvent")
    // Empty: the application's theme.
    Q_PROPERTY(QString ThemeName READ GetThemeName WRITE SetThemeName)
    Q_PROPERTY(QString OnCreate MEMBER FOnCreate STORED false)
public:
    Q_INVOKABLE explicit TqoCustomForm(QObject* AOwner = nullptr);
    QString GetThemeName() const { return FThemeName; }
    void SetThemeName(const QString& AValue) { FThemeName = AValue; }

private:
    QString FThemeName;
    QString FOnCreate;
};

class TqoForm : public TqoCustomForm
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoForm(QObject* AOwner = nullptr);
};

class TqoCustomButton : public TqoControl
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ GetText WRITE SetText)
    // The kind comes first: it makes the appearance whose values follow it in a form.
    Q_PROPERTY(core::TqoButtonKinds::TqoButtonKind Kind READ GetKind WRITE SetKind)
    Q_PROPERTY(TqoButtonAppearance* Appearance READ GetAppearance)
public:
    Q_INVOKABLE explicit TqoCustomButton(QObject* AOwner = nullptr);
    QString GetText() const { return FText; }
    void SetText(const QString& AValue) { FText = AValue; }
    TqoButtonKind GetKind() const { return FKind; }
    // A new kind brings its appearance with the kind's defaults; a custom button has none.
    void SetKind(TqoButtonKind AValue);
    TqoButtonAppearance* GetAppearance() const { return FAppearance; }

private:
    QString FText;
    TqoButtonKind FKind = TqoButtonKind::Custom;
    TqoButtonAppearance* FAppearance = nullptr;
};

class TqoCustomScrollBox : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomScrollBox(QObject* AOwner = nullptr);
};

class TqoCollectionViewStyle;
class TqoCollectionViewStyles;

// Shows its items through styles, each a layout whose children make up one kind of item.
// The styles are the view's children, so a form nests them in the view's object.
class TqoCustomCollectionView : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomCollectionView(QObject* AOwner = nullptr);
    // Takes the style over as a child, after the styles it has.
    void AddStyle(TqoCollectionViewStyle* AStyle);
    // A new empty style, added.
    TqoCollectionViewStyle* CreateStyle();
    TqoCollectionViewStyles* GetStyles() const { return FStyles; }

private:
    TqoCollectionViewStyles* FStyles;
};

// A drawer beside the main content; the drawer slides in over the content when opened.
class TqoCustomDrawerLayout : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomDrawerLayout(QObject* AOwner = nullptr);
    bool IsOpened() const { return FOpened; }
    // AAnimated: slide instead of jumping; the designer has no animation.
    void Open(bool AAnimated);
    void Close(bool AAnimated);

private:
    bool FOpened = false;
};

// Pages are the pager's child layouts, one shown at a time.
class TqoCustomPagerLayout : public TqoControl
{
    Q_OBJECT
    Q_PROPERTY(int PageIndex READ GetPageIndex WRITE SetPageIndex)
public:
    Q_INVOKABLE explicit TqoCustomPagerLayout(QObject* AOwner = nullptr);
    QList<TqoControl*> Pages() const;
    int PageCount() const { return int(Pages().size()); }
    // -1 when there are no pages; kept within the pages when some are removed.
    int GetPageIndex() const;
    void SetPageIndex(int AValue) { FPageIndex = AValue; }
    TqoControl* ActivePage() const;
    void GoToPage(int AIndex, bool AAnimated);
    bool HasPreviousPage() const { return GetPageIndex() > 0; }
    bool HasNextPage() const { return GetPageIndex() + 1 < PageCount(); }
    void GoToPreviousPage(bool AAnimated);
    void GoToNextPage(bool AAnimated);

private:
    int FPageIndex = -1;
};

class TqoCustomPage;

// Pages are the control's child pages; the active one is shown.
class TqoCustomPageControl : public TqoControl
{
    Q_OBJECT
    Q_PROPERTY(int ActivePageIndex READ GetActivePageIndex WRITE SetActivePageIndex)
public:
    Q_INVOKABLE explicit TqoCustomPageControl(QObject* AOwner = nullptr);
    QList<TqoCustomPage*> Pages() const;
    int PageCount() const { return int(Pages().size()); }
    // -1 without an active page. Pages are found when asked, so an index read from a form
    // before its pages were created still holds.
    int GetActivePageIndex() const;
    void SetActivePageIndex(int AValue)
    {
        FActivePageIndex = AValue;
        ShowActivePage();
    }
    TqoCustomPage* GetActivePage() const;
    // A page of another control is refused.
    void SetActivePage(TqoCustomPage* APage);
    bool HasPreviousPage() const { return GetActivePageIndex() > 0; }
    bool HasNextPage() const { return GetActivePageIndex() >= 0 && GetActivePageIndex() + 1 < PageCount(); }
    // Each returns the page now active.
    TqoCustomPage* GoToPreviousPage(bool AAnimated);
    TqoCustomPage* GoToNextPage(bool AAnimated);
    // Frees the active page; the page after it, or else the one before, becomes active.
    void DeleteCurrentPage();
    // Only the active page is visible.
    void ShowActivePage();

private:
    int FActivePageIndex = -1;
};

class TqoCustomMap : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomMap(QObject* AOwner = nullptr);
};

class TqoCustomBiometricAuthentication : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomBiometricAuthentication(QObject* AOwner = nullptr);
};

// Ancestors the editors are bound to, each with its concrete class below.

class TqoCustomFacebookLoginAuthenticationClient : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomFacebookLoginAuthenticationClient(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
};

class TqoCustomVKLoginAuthenticationClient : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomVKLoginAuthenticationClient(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
};

class TqoCustomGooglePayClient : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomGooglePayClient(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
};

class TqoCustomFirebaseAnalytics : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomFirebaseAnalytics(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
};

class TqoCustomInAppPurchase : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomInAppPurchase(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
};

class TqoCustomYandexMapTileProvider : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomYandexMapTileProvider(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
};

class TqoCustomCamera : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomCamera(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
};

class TqoCustomListMenu : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomListMenu(QObject* AOwner = nullptr) : TqoControl(AOwner) {}
};

class TqoCustomNavigationBar : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomNavigationBar(QObject* AOwner = nullptr) : TqoControl(AOwner) {}
};

class TqoCustomPaintBox : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomPaintBox(QObject* AOwner = nullptr) : TqoControl(AOwner) {}
};

class TqoCustomFrame : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomFrame(QObject* AOwner = nullptr) : TqoControl(AOwner) {}
};

class TqoScrollBox : public TqoCustomScrollBox
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoScrollBox(QObject* AOwner = nullptr);
};

class TqoLabel : public TqoControl
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.Color", "TAlphaColor")
    Q_CLASSINFO("PropertyType.TextColorName", "TqoAssetName")
    Q_PROPERTY(QString Text READ GetText WRITE SetText)
    Q_PROPERTY(uint Color READ GetColor WRITE SetColor)
    // A color asset, when named, wins over Color.
    Q_PROPERTY(QString TextColorName READ GetTextColorName WRITE SetTextColorName)
    Q_PROPERTY(TqoAssetColorLink* TextColorLink READ GetTextColorLink)
    Q_PROPERTY(TqoFont* Font READ GetFont)
    // 0: as many lines as the text needs.
    Q_PROPERTY(int LinesCount READ GetLinesCount WRITE SetLinesCount)
    Q_PROPERTY(TqoTextAlign VertAlign READ GetVertAlign WRITE SetVertAlign)
    Q_PROPERTY(TqoTextAlign HorzAlign READ GetHorzAlign WRITE SetHorzAlign)
    Q_PROPERTY(TqoCharCase CharCase READ GetCharCase WRITE SetCharCase)
    Q_PROPERTY(TqoLineBreakMode LineBreak READ GetLineBreak WRITE SetLineBreak)
    // Between the control's edges and its text.
    Q_PROPERTY(TqoBounds* Padding READ GetPadding)
public:
    enum class TqoTextAlign
    {
        Center,
        Leading,
        Trailing
    };
    Q_ENUM(TqoTextAlign)
    enum class TqoCharCase
    {
        Normal,
        LowerCase,
        UpperCase
    };
    Q_ENUM(TqoCharCase)
    // What happens to text that does not fit its lines.
    enum class TqoLineBreakMode
    {
        WordWrap,
        CharWrap,
        Clip,
        TruncateHead,
        TruncateTail,
        TruncateMiddle
    };
    Q_ENUM(TqoLineBreakMode)

    Q_INVOKABLE explicit TqoLabel(QObject* AOwner = nullptr);
    QString GetText() const { return FText; }
    void SetText(const QString& AValue) { FText = AValue; }
    uint GetColor() const { return FColor; }
    void SetColor(uint AValue) { FColor = AValue; }
    QString GetTextColorName() const { return FTextColorLink->GetName(); }
    void SetTextColorName(const QString& AValue) { FTextColorLink->SetName(AValue); }
    TqoAssetColorLink* GetTextColorLink() const { return FTextColorLink; }
    TqoFont* GetFont() const { return FFont; }
    TqoBounds* GetPadding() const { return FPadding; }
    int GetLinesCount() const { return FLinesCount; }
    void SetLinesCount(int AValue) { FLinesCount = AValue; }
    TqoTextAlign GetVertAlign() const { return FVertAlign; }
    void SetVertAlign(TqoTextAlign AValue) { FVertAlign = AValue; }
    TqoTextAlign GetHorzAlign() const { return FHorzAlign; }
    void SetHorzAlign(TqoTextAlign AValue) { FHorzAlign = AValue; }
    TqoCharCase GetCharCase() const { return FCharCase; }
    void SetCharCase(TqoCharCase AValue) { FCharCase = AValue; }
    TqoLineBreakMode GetLineBreak() const { return FLineBreak; }
    void SetLineBreak(TqoLineBreakMode AValue) { FLineBreak = AValue; }

private:
    QString FText;
    uint FColor = 0xFF000000;
    TqoAssetColorLink* FTextColorLink;
    TqoFont* FFont;
    TqoBounds* FPadding;
    int FLinesCount = 0;
    TqoTextAlign FVertAlign = TqoTextAlign::Center;
    TqoTextAlign FHorzAlign = TqoTextAlign::Leading;
    TqoCharCase FCharCase = TqoCharCase::Normal;
    TqoLineBreakMode FLineBreak = TqoLineBreakMode::WordWrap;
};

class TqoButton : public TqoCustomButton
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoButton(QObject* AOwner = nullptr);
};

class TqoCheckBox : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCheckBox(QObject* AOwner = nullptr);
};

class TqoRadioButton : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoRadioButton(QObject* AOwner = nullptr);
};

class TqoEdit : public TqoControl
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.OnChange", "TNotifyEvent")
    Q_CLASSINFO("PropertyType.OnChanged", "TNotifyEvent")
    Q_PROPERTY(QString OnChange MEMBER FOnChange STORED false)
    Q_PROPERTY(QString OnChanged MEMBER FOnChanged STORED false)
public:
    Q_INVOKABLE explicit TqoEdit(QObject* AOwner = nullptr);

private:
    QString FOnChange;
    QString FOnChanged;
};

class TqoCustomAutoCompleteEdit : public TqoEdit
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomAutoCompleteEdit(QObject* AOwner = nullptr) : TqoEdit(AOwner) {}
};

class TqoCustomSearchEdit : public TqoEdit
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomSearchEdit(QObject* AOwner = nullptr) : TqoEdit(AOwner) {}
};

class TqoAutoCompleteEdit : public TqoCustomAutoCompleteEdit
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoAutoCompleteEdit(QObject* AOwner = nullptr);
};

class TqoSearchEdit : public TqoCustomSearchEdit
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoSearchEdit(QObject* AOwner = nullptr);
};

// Items are the combo box's child items.
class TqoCustomComboBox : public TqoControl
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.OnChange", "TNotifyEvent")
    Q_PROPERTY(QString OnChange MEMBER FOnChange STORED false)
public:
    Q_INVOKABLE explicit TqoCustomComboBox(QObject* AOwner = nullptr);
    int ItemCount() const;
    // Frees every item.
    void Clear();

private:
    QString FOnChange;
};

class TqoComboBox : public TqoCustomComboBox
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoComboBox(QObject* AOwner = nullptr);
};

class TqoMemo : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoMemo(QObject* AOwner = nullptr);
};

class TqoImage : public TqoControl
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.ImageName", "TqoAssetName")
    Q_PROPERTY(QString ImageName READ GetImageName WRITE SetImageName)
    // The name lives in the link; forms store only ImageName.
    Q_PROPERTY(TqoAssetLink* ImageLink READ GetImageLink DESIGNABLE false STORED false)
    Q_PROPERTY(TqoImageMode ImageMode READ GetImageMode WRITE SetImageMode)
public:
    // Fit: whole image, proportions kept; Fill: covers the control, cropped; Stretch: covers
    // it, distorted; Center: natural size.
    enum class TqoImageMode
    {
        Fit,
        Fill,
        Stretch,
        Center
    };
    Q_ENUM(TqoImageMode)

    Q_INVOKABLE explicit TqoImage(QObject* AOwner = nullptr);
    TqoImageMode GetImageMode() const { return FImageMode; }
    void SetImageMode(TqoImageMode AValue) { FImageMode = AValue; }
    QString GetImageName() const { return FImageLink->GetName(); }
    void SetImageName(const QString& AValue) { FImageLink->SetName(AValue); }
    TqoAssetLink* GetImageLink() const { return FImageLink; }

private:
    TqoAssetLink* FImageLink;
    TqoImageMode FImageMode = TqoImageMode::Fit;
};

class TqoTrackBar : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoTrackBar(QObject* AOwner = nullptr);
};

class TqoNavigationBar : public TqoCustomNavigationBar
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoNavigationBar(QObject* AOwner = nullptr);
};

class TqoSwitch : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoSwitch(QObject* AOwner = nullptr);
};

class TqoProgressBar : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoProgressBar(QObject* AOwner = nullptr);
};

class TqoActivityIndicator : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoActivityIndicator(QObject* AOwner = nullptr);
};

class TqoVirtualListPicker : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoVirtualListPicker(QObject* AOwner = nullptr);
};

class TqoNumberListPicker : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoNumberListPicker(QObject* AOwner = nullptr);
};

class TqoRegionPicker : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoRegionPicker(QObject* AOwner = nullptr);
};

class TqoScratchOverlay : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoScratchOverlay(QObject* AOwner = nullptr);
};

class TqoDatePicker : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoDatePicker(QObject* AOwner = nullptr);
};

class TqoTimePicker : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoTimePicker(QObject* AOwner = nullptr);
};

class TqoCalendar : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCalendar(QObject* AOwner = nullptr);
};

class TqoDateEdit : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoDateEdit(QObject* AOwner = nullptr);
};

class TqoTimeEdit : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoTimeEdit(QObject* AOwner = nullptr);
};

class TqoTimer : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoTimer(QObject* AOwner = nullptr);
};

class TqoCollectionView : public TqoCustomCollectionView
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCollectionView(QObject* AOwner = nullptr);
};

class TqoListMenu : public TqoCustomListMenu
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoListMenu(QObject* AOwner = nullptr);
};

// Base of the framework's layouts: a flex box with padding.
class TqoCustomLayout : public TqoControl, public IORVOFlexContainer
{
    Q_OBJECT
    Q_INTERFACES(core::IORVOFlexContainer)
    Q_PROPERTY(TqoChildrenAlignment* ChildrenAlignment READ GetChildrenAlignment)
    Q_PROPERTY(TqoBounds* Padding READ GetPadding)
public:
    Q_INVOKABLE explicit TqoCustomLayout(QObject* AOwner = nullptr);
    TqoChildrenAlignment* GetChildrenAlignment() const override { return FChildrenAlignment; }
    TqoBounds* GetPadding() const { return FPadding; }

private:
    TqoChildrenAlignment* FChildrenAlignment;
    TqoBounds* FPadding;
};

class TqoLayout : public TqoCustomLayout
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoLayout(QObject* AOwner = nullptr);
};

class TqoDrawerLayout : public TqoCustomDrawerLayout
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoDrawerLayout(QObject* AOwner = nullptr);
};

class TqoBottomSheetLayout : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoBottomSheetLayout(QObject* AOwner = nullptr);
};

class TqoVirtualPagerLayout : public TqoCustomPagerLayout
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoVirtualPagerLayout(QObject* AOwner = nullptr);
};

class TqoPagerLayout : public TqoCustomPagerLayout
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoPagerLayout(QObject* AOwner = nullptr);
};

class TqoCardPanel : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCardPanel(QObject* AOwner = nullptr);
};

class TqoSpacer : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoSpacer(QObject* AOwner = nullptr);
};

class TqoHorizontalScrollBox : public TqoCustomScrollBox
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoHorizontalScrollBox(QObject* AOwner = nullptr);
};

class TqoVerticalScrollBox : public TqoCustomScrollBox
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoVerticalScrollBox(QObject* AOwner = nullptr);
};

class TqoPageControl : public TqoCustomPageControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoPageControl(QObject* AOwner = nullptr);
};

class TqoLine : public TqoControl
{
    Q_OBJECT
    Q_PROPERTY(TqoLineType LineType READ GetLineType WRITE SetLineType)
    Q_PROPERTY(TqoBrush* Stroke READ GetStroke)
public:
    // Diagonal crosses the control; the others run along one of its edges.
    enum class TqoLineType
    {
        Diagonal,
        Top,
        Left,
        Bottom
    };
    Q_ENUM(TqoLineType)

    Q_INVOKABLE explicit TqoLine(QObject* AOwner = nullptr);
    TqoLineType GetLineType() const { return FLineType; }
    void SetLineType(TqoLineType AValue) { FLineType = AValue; }
    TqoBrush* GetStroke() const { return FStroke; }

private:
    TqoLineType FLineType = TqoLineType::Diagonal;
    TqoBrush* FStroke;
};

class TqoRectangle : public TqoControl
{
    Q_OBJECT
    Q_PROPERTY(TqoBrush* Fill READ GetFill)
    Q_PROPERTY(TqoBrush* Stroke READ GetStroke)
    Q_PROPERTY(float RadiusX READ GetRadiusX WRITE SetRadiusX)
    Q_PROPERTY(float RadiusY READ GetRadiusY WRITE SetRadiusY)
public:
    Q_INVOKABLE explicit TqoRectangle(QObject* AOwner = nullptr);
    TqoBrush* GetFill() const { return FFill; }
    TqoBrush* GetStroke() const { return FStroke; }
    float GetRadiusX() const { return FRadiusX; }
    void SetRadiusX(float AValue) { FRadiusX = AValue; }
    float GetRadiusY() const { return FRadiusY; }
    void SetRadiusY(float AValue) { FRadiusY = AValue; }

private:
    TqoBrush* FFill;
    TqoBrush* FStroke;
    float FRadiusX = 0;
    float FRadiusY = 0;
};

class TqoRhomb : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoRhomb(QObject* AOwner = nullptr);
};

class TqoCircle : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCircle(QObject* AOwner = nullptr);
};

class TqoEllipse : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoEllipse(QObject* AOwner = nullptr);
};

class TqoArc : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoArc(QObject* AOwner = nullptr);
};

class TqoArch : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoArch(QObject* AOwner = nullptr);
};

class TqoSector : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoSector(QObject* AOwner = nullptr);
};

class TqoRegularPolygon : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoRegularPolygon(QObject* AOwner = nullptr);
};

class TqoSvgPath : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoSvgPath(QObject* AOwner = nullptr);
};

class TqoPaintBox : public TqoCustomPaintBox
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoPaintBox(QObject* AOwner = nullptr);
};

class TqoSignature : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoSignature(QObject* AOwner = nullptr);
};

class TqoWebBrowser : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoWebBrowser(QObject* AOwner = nullptr);
};

class TqoPDFViewer : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoPDFViewer(QObject* AOwner = nullptr);
};

class TqoMap : public TqoCustomMap
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoMap(QObject* AOwner = nullptr);
};

class TqoEventMapTileProvider : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoEventMapTileProvider(QObject* AOwner = nullptr);
};

class TqoOSMMapTileProvider : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoOSMMapTileProvider(QObject* AOwner = nullptr);
};

class TqoYandexMapTileProvider : public TqoCustomYandexMapTileProvider
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoYandexMapTileProvider(QObject* AOwner = nullptr);
};

class TqoVideoControl : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoVideoControl(QObject* AOwner = nullptr);
};

class TqoAudioRecorder : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoAudioRecorder(QObject* AOwner = nullptr);
};

class TqoAudioPlayer : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoAudioPlayer(QObject* AOwner = nullptr);
};

class TqoApplicationEvents : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoApplicationEvents(QObject* AOwner = nullptr);
};

class TqoCamera : public TqoCustomCamera
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCamera(QObject* AOwner = nullptr);
};

class TqoCameraPreview : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCameraPreview(QObject* AOwner = nullptr);
};

class TqoBarcodeScanner : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoBarcodeScanner(QObject* AOwner = nullptr);
};

class TqoFirebaseAnalytics : public TqoCustomFirebaseAnalytics
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoFirebaseAnalytics(QObject* AOwner = nullptr);
};

class TqoAppMetricaAnalytics : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoAppMetricaAnalytics(QObject* AOwner = nullptr);
};

class TqoBannerAd : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoBannerAd(QObject* AOwner = nullptr);
};

class TqoInterstitialAd : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoInterstitialAd(QObject* AOwner = nullptr);
};

class TqoGoogleAdMobProvider : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoGoogleAdMobProvider(QObject* AOwner = nullptr);
};

class TqoYandexMobileAdsProvider : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoYandexMobileAdsProvider(QObject* AOwner = nullptr);
};

class TqoPushNotificationService : public TqoComponent
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.ServiceName", "TqoPushServiceName")
    Q_PROPERTY(QString ServiceName READ GetServiceName WRITE SetServiceName)
public:
    Q_INVOKABLE explicit TqoPushNotificationService(QObject* AOwner = nullptr);
    // The name that leaves the choice to the platform: FCM on Android, APS on iOS.
    static QString DefaultServiceName() { return QStringLiteral("Default"); }
    QString GetServiceName() const { return FServiceName; }
    void SetServiceName(const QString& AValue) { FServiceName = AValue; }

private:
    QString FServiceName = DefaultServiceName();
};

class TqoGooglePayClient : public TqoCustomGooglePayClient
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoGooglePayClient(QObject* AOwner = nullptr);
};

class TqoApplePayClient : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoApplePayClient(QObject* AOwner = nullptr);
};

class TqoInAppPurchase : public TqoCustomInAppPurchase
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoInAppPurchase(QObject* AOwner = nullptr);
};

class TqoBiometricAuthentication : public TqoCustomBiometricAuthentication
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoBiometricAuthentication(QObject* AOwner = nullptr);
};

class TqoAppleIdAuthenticationClient : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoAppleIdAuthenticationClient(QObject* AOwner = nullptr);
};

class TqoAppleIdButton : public TqoCustomButton
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoAppleIdButton(QObject* AOwner = nullptr);
};

class TqoFacebookLoginAuthenticationClient : public TqoCustomFacebookLoginAuthenticationClient
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoFacebookLoginAuthenticationClient(QObject* AOwner = nullptr);
};

class TqoVKLoginAuthenticationClient : public TqoCustomVKLoginAuthenticationClient
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoVKLoginAuthenticationClient(QObject* AOwner = nullptr);
};

class TqoGoogleSignInAuthenticationClient : public TqoComponent
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoGoogleSignInAuthenticationClient(QObject* AOwner = nullptr);
};

class TqoLottieImage : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoLottieImage(QObject* AOwner = nullptr);
};

// A button of a navigation bar; its action kind is chosen through ActionControl.
class TqoNavigationBarButton : public TqoControl
{
    Q_OBJECT
    Q_PROPERTY(QString ActionKind READ GetActionKind WRITE SetActionKind)
    Q_PROPERTY(core::TqoControl* ActionControl READ GetActionControl)
public:
    Q_INVOKABLE explicit TqoNavigationBarButton(QObject* AOwner = nullptr) : TqoControl(AOwner) {}
    QString GetActionKind() const { return FActionKind; }
    // Makes the kind's action control, dropping the one of the kind before; an unknown or
    // empty kind leaves the button without one.
    void SetActionKind(const QString& AValue);
    TqoActionControl* GetActionControl() const { return FActionControl; }

private:
    QString FActionKind;
    TqoActionControl* FActionControl = nullptr;
};

// Collection view styles

// One kind of collection view item: a layout whose children, found by their element names,
// show the item's parts. The title names it in the structure view.
class TqoCollectionViewStyle : public TqoCustomLayout
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ GetTitle WRITE SetTitle)
public:
    Q_INVOKABLE explicit TqoCollectionViewStyle(QObject* AOwner = nullptr);
    QString GetTitle() const { return FTitle; }
    void SetTitle(const QString& AValue) { FTitle = AValue; }
    TqoCustomCollectionView* GetCollectionView() const { return qobject_cast<TqoCustomCollectionView*>(parent()); }

private:
    QString FTitle;
};

// The styles of one collection view, in order. A view over the view's children: styles a form
// reads back are there without being added again.
class TqoCollectionViewStyles : public QObject
{
    Q_OBJECT
public:
    explicit TqoCollectionViewStyles(TqoCustomCollectionView* AOwner);
    int Count() const { return int(Items().size()); }
    TqoCollectionViewStyle* Item(int AIndex) const { return Items().value(AIndex); }
    QList<TqoCollectionViewStyle*> Items() const;
};

// Pages, drawers, sheets, combo boxes

class TqoCustomDrawer : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoCustomDrawer(QObject* AOwner = nullptr) : TqoControl(AOwner) {}
};

class TqoDrawer : public TqoCustomDrawer
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoDrawer(QObject* AOwner = nullptr) : TqoCustomDrawer(AOwner) {}
};

// The part of a drawer layout the drawer slides over.
class TqoMainContent : public TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoMainContent(QObject* AOwner = nullptr) : TqoControl(AOwner) {}
};

// A sheet at the bottom of the screen, either expanded or collapsed to its header.
class TqoCustomBottomSheet : public TqoControl
{
    Q_OBJECT
    Q_PROPERTY(bool Expanded READ IsExpanded WRITE SetExpanded)
public:
    Q_INVOKABLE explicit TqoCustomBottomSheet(QObject* AOwner = nullptr) : TqoControl(AOwner) {}
    bool IsExpanded() const { return FExpanded; }
    void SetExpanded(bool AValue) { FExpanded = AValue; }
    void Expand() { FExpanded = true; }
    void Collapse() { FExpanded = false; }

private:
    bool FExpanded = false;
};

class TqoBottomSheet : public TqoCustomBottomSheet
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoBottomSheet(QObject* AOwner = nullptr) : TqoCustomBottomSheet(AOwner) {}
};

class TqoCustomPage : public TqoControl
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ GetTitle WRITE SetTitle)
public:
    Q_INVOKABLE explicit TqoCustomPage(QObject* AOwner = nullptr);
    QString GetTitle() const { return FTitle; }
    void SetTitle(const QString& AValue) { FTitle = AValue; }
    // The page control the page sits on, or null.
    TqoCustomPageControl* GetPageControl() const { return qobject_cast<TqoCustomPageControl*>(parent()); }
    int GetIndex() const;
    bool IsActive() const;

private:
    QString FTitle;
};

class TqoPage : public TqoCustomPage
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoPage(QObject* AOwner = nullptr) : TqoCustomPage(AOwner) {}
};

class TqoComboBoxItem : public TqoComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ GetText WRITE SetText)
public:
    Q_INVOKABLE explicit TqoComboBoxItem(QObject* AOwner = nullptr) : TqoComponent(AOwner) {}
    QString GetText() const { return FText; }
    void SetText(const QString& AValue) { FText = AValue; }

private:
    QString FText;
};

class TqoComboBoxTextItem : public TqoComboBoxItem
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoComboBoxTextItem(QObject* AOwner = nullptr) : TqoComboBoxItem(AOwner) {}
};

class TqoComboBoxTextIconItem : public TqoComboBoxItem
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.IconName", "TqoAssetName")
    Q_PROPERTY(QString IconName READ GetIconName WRITE SetIconName)
public:
    Q_INVOKABLE explicit TqoComboBoxTextIconItem(QObject* AOwner = nullptr) : TqoComboBoxItem(AOwner) {}
    QString GetIconName() const { return FIconName; }
    void SetIconName(const QString& AValue) { FIconName = AValue; }

private:
    QString FIconName;
};

} // namespace core
