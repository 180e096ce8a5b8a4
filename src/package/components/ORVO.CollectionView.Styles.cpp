#include "ORVO.CollectionView.Styles.h"

#include "DesignIntf.h"
#include "ORVO.Assert.h"

namespace orvo::components {

using namespace core;

namespace {

using TAlign = TqoLabel::TqoTextAlign;
using TAlignSelf = TqoFlexItemAlignment::TqoAlignSelf;
using TDirection = TqoChildrenAlignment::TqoFlexDirection;

enum TSide
{
    Left,
    Top,
    Right,
    Bottom,
    Start,
    End
};

const uint CPrimaryColor = 0xDE000000;
const uint CSecondaryColor = 0x99000000;
const uint CDividerColor = 0x1F000000;
const QString CSecondaryTextColor = QStringLiteral("Theme\\Text\\Secondary Text");
const QString CLongSecondaryText =
    QStringLiteral("Secondary line text Lorem ipsum dolor sit amet, consectetur adipisting elit");

template <class T> T* InFlow(T* AControl)
{
    AControl->SetPositionMode(TqoControl::TqoPositionMode::Relative);
    return AControl;
}

void SetupStyle(TqoCustomLayout* AStyle, float AHeight, std::initializer_list<std::pair<int, float>> APadding)
{
    AStyle->SetHeight(AHeight);
    for (const auto& [LSide, LValue] : APadding)
        AStyle->GetPadding()->SetValue(LSide, LValue);
}

void SetDirection(TqoCustomLayout* ALayout, TDirection ADirection)
{
    ALayout->GetChildrenAlignment()->SetDirection(ADirection);
}

// Font size, vertical alignment, color and line count: what every label of a template sets.
TqoLabel* SetupText(TqoLabel* ALabel, float AFontSize, TAlign AVertAlign, uint AColor, int ALines, const QString& AText,
                    const QString& AElementName)
{
    ALabel->GetFont()->SetSize(AFontSize);
    ALabel->SetVertAlign(AVertAlign);
    ALabel->SetColor(AColor);
    ALabel->SetLinesCount(ALines);
    ALabel->SetText(AText);
    ALabel->SetElementName(AElementName);
    return ALabel;
}

TqoLabel* SecondaryColor(TqoLabel* ALabel)
{
    ALabel->GetTextColorLink()->SetDefaultName(CSecondaryTextColor);
    return ALabel;
}

// Placed by its relative position: 0 on every given side, AStart for the start side.
void PlaceAt(TqoControl* AControl, std::initializer_list<int> ASides, float AStart = 0)
{
    for (const int LSide : ASides) {
        AControl->GetRelativePosition()->SetValue(LSide, LSide == Start ? AStart : 0);
        AControl->GetRelativePosition()->SetDefinedValue(LSide, true);
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// TqoCollectionViewStyleTemplate

int TqoCollectionViewStyleTemplate::FNextId = 0;

TqoCollectionViewStyleTemplate::TqoCollectionViewStyleTemplate() : FID(GenerateId()) {}

int TqoCollectionViewStyleTemplate::GenerateId() { return FNextId++; }

TqoCollectionViewStyle* TqoCollectionViewStyleTemplate::CreateStyle(TqoCustomCollectionView* AOwner,
                                                                    ide::IDesigner* ADesigner)
{
    TqoAssert::IsNotNil(AOwner, "AOwner");
    TqoAssert::IsNotNil(ADesigner, "ADesigner");
    FDesigner = ADesigner;
    struct TClearDesigner
    {
        ide::IDesigner*& Designer;
        ~TClearDesigner() { Designer = nullptr; }
    } LClear{FDesigner};
    // Owned by the form, as the view is, until the view takes it.
    auto LStyle = std::make_unique<TqoCollectionViewStyle>(AOwner->parent());
    DoFillStyle(LStyle.get(), ADesigner);
    AOwner->AddStyle(LStyle.get());
    ADesigner->Modified();
    return LStyle.release();
}

template <class T> T* TqoCollectionViewStyleTemplate::CreateChild(QObject* AParent)
{
    TqoAssert::IsNotNil(FDesigner, "FDesigner");
    return TqoAssert::IsClass<T>(FDesigner->CreateChild(&T::staticMetaObject, AParent));
}

TqoLabel* TqoCollectionViewStyleTemplate::CreateLabel(QObject* AParent) { return CreateChild<TqoLabel>(AParent); }
TqoImage* TqoCollectionViewStyleTemplate::CreateImage(QObject* AParent) { return CreateChild<TqoImage>(AParent); }
TqoLayout* TqoCollectionViewStyleTemplate::CreateLayout(QObject* AParent) { return CreateChild<TqoLayout>(AParent); }
TqoLine* TqoCollectionViewStyleTemplate::CreateLine(QObject* AParent) { return CreateChild<TqoLine>(AParent); }
TqoRectangle* TqoCollectionViewStyleTemplate::CreateRectangle(QObject* AParent)
{
    return CreateChild<TqoRectangle>(AParent);
}
TqoSwitch* TqoCollectionViewStyleTemplate::CreateSwitch(QObject* AParent) { return CreateChild<TqoSwitch>(AParent); }

TqoLabel* TqoCollectionViewStyleTemplate::AddPrimaryText(QObject* AParent, const QString& AText)
{
    auto* LLabel = InFlow(CreateLabel(AParent));
    LLabel->GetFlexItem()->SetFlexGrow(1);
    LLabel->SetMarginValue(Top, 8);
    LLabel->SetMarginValue(Bottom, 8);
    LLabel->GetFont()->SetSize(16);
    LLabel->SetColor(CPrimaryColor);
    LLabel->SetLinesCount(1);
    LLabel->SetText(AText);
    LLabel->SetElementName(QStringLiteral("primary"));
    return LLabel;
}

TqoLabel* TqoCollectionViewStyleTemplate::AddStackedPrimaryText(QObject* AParent, const QString& AText, float AHeight)
{
    auto* LLabel = InFlow(CreateLabel(AParent));
    LLabel->SetHeight(AHeight);
    return SetupText(LLabel, 16, TAlign::Trailing, CPrimaryColor, 1, AText, QStringLiteral("primary"));
}

TqoLabel* TqoCollectionViewStyleTemplate::AddSecondaryText(QObject* AParent)
{
    auto* LLabel = InFlow(CreateLabel(AParent));
    LLabel->SetHeight(20);
    SetupText(LLabel, 14, TAlign::Trailing, CSecondaryColor, 1, QStringLiteral("Secondary text"),
              QStringLiteral("secondary"));
    return SecondaryColor(LLabel);
}

TqoLabel* TqoCollectionViewStyleTemplate::AddTwoLineSecondaryText(QObject* AParent)
{
    auto* LLabel = InFlow(CreateLabel(AParent));
    LLabel->GetFlexItem()->SetFlexGrow(1);
    LLabel->SetMarginValue(Bottom, 16);
    SetupText(LLabel, 14, TAlign::Trailing, CSecondaryColor, 2, CLongSecondaryText, QStringLiteral("secondary"));
    LLabel->SetLineBreak(TqoLabel::TqoLineBreakMode(2));
    return SecondaryColor(LLabel);
}

TqoLabel* TqoCollectionViewStyleTemplate::AddOverlineText(QObject* AParent)
{
    auto* LLabel = InFlow(CreateLabel(AParent));
    LLabel->SetHeight(24);
    SetupText(LLabel, 10, TAlign::Trailing, CSecondaryColor, 1, QStringLiteral("Overline"), QStringLiteral("overline"));
    LLabel->SetCharCase(TqoLabel::TqoCharCase(2));
    return SecondaryColor(LLabel);
}

TqoImage* TqoCollectionViewStyleTemplate::AddImage(QObject* AParent, float AWidth, float AHeight,
                                                   const QString& AElementName)
{
    auto* LImage = InFlow(CreateImage(AParent));
    LImage->GetSize()->SetSizeF(AWidth, AHeight);
    LImage->SetElementName(AElementName);
    return LImage;
}

TqoImage* TqoCollectionViewStyleTemplate::AddTrailingIcon(QObject* AParent)
{
    auto* LIcon = AddImage(AParent, 24, 24, QStringLiteral("icon"));
    LIcon->GetFlexItem()->SetAlignSelf(TAlignSelf(4));
    LIcon->SetMarginValue(Start, 16);
    return LIcon;
}

TqoLine* TqoCollectionViewStyleTemplate::AddDivider(QObject* AParent, std::initializer_list<int> ASides, float AStart)
{
    // Placed by its relative position over the item's bottom edge, outside the flex flow.
    auto* LLine = CreateLine(AParent);
    LLine->SetHeight(1);
    LLine->GetStroke()->SetColor(CDividerColor);
    LLine->GetStroke()->GetColorLink()->SetDefault(QStringLiteral("Theme"), QStringLiteral("Text\\Dividers"));
    PlaceAt(LLine, ASides, AStart);
    return LLine;
}

TqoLayout* TqoCollectionViewStyleTemplate::AddTextColumn(QObject* AParent)
{
    auto* LColumn = InFlow(CreateLayout(AParent));
    LColumn->GetFlexItem()->SetFlexGrow(1);
    SetDirection(LColumn, TDirection(0));
    return LColumn;
}

void TqoCollectionViewStyleTemplate::AddPrimaryAndMetaRow(QObject* AParent, const QString& APrimaryText)
{
    auto* LRow = InFlow(CreateLayout(AParent));
    LRow->SetHeight(28);
    // A layout stacks its children by default; these two share a line.
    SetDirection(LRow, TDirection::Row);
    auto* LPrimary = InFlow(CreateLabel(LRow));
    LPrimary->GetFlexItem()->SetFlexGrow(1);
    SetupText(LPrimary, 16, TAlign::Trailing, CPrimaryColor, 1, APrimaryText, QStringLiteral("primary"));
    auto* LMeta = InFlow(CreateLabel(LRow));
    LMeta->SetWidth(30);
    SetupText(LMeta, 12, TAlign::Trailing, CSecondaryColor, 1, QStringLiteral("meta"), QStringLiteral("meta"));
    LMeta->SetHorzAlign(TAlign::Trailing);
    LMeta->SetMarginValue(Start, 28);
    SecondaryColor(LMeta);
}

void TqoCollectionViewStyleTemplate::FillImageTextIconItem(TqoCollectionViewStyle* AStyle, TqoLeadingImage AImage,
                                                           const QString& APrimary, bool ATwoLineSecondary)
{
    switch (AImage) {
    case TqoLeadingImage::Icon: {
        auto* LIcon = AddImage(AStyle, 24, 24, QStringLiteral("icon"));
        LIcon->GetFlexItem()->SetAlignSelf(TAlignSelf(2));
        LIcon->SetMarginValue(Top, 16);
        LIcon->SetMarginValue(End, 32);
        break;
    }
    case TqoLeadingImage::Thumbnail: {
        auto* LImage = AddImage(AStyle, 40, 40, QStringLiteral("image"));
        LImage->GetFlexItem()->SetAlignSelf(TAlignSelf(2));
        LImage->SetMarginValue(Top, 16);
        LImage->SetMarginValue(End, 16);
        break;
    }
    case TqoLeadingImage::Panoram: {
        auto* LImage = AddImage(AStyle, 100, 56, QStringLiteral("image"));
        LImage->GetFlexItem()->SetAlignSelf(TAlignSelf(4));
        LImage->SetMarginValue(End, 16);
        LImage->SetImageMode(TqoImage::TqoImageMode(1));
        break;
    }
    }
    auto* LColumn = AddTextColumn(AStyle);
    AddStackedPrimaryText(LColumn, APrimary);
    if (ATwoLineSecondary)
        AddTwoLineSecondaryText(LColumn);
    else
        AddSecondaryText(LColumn);
    if (AImage == TqoLeadingImage::Icon)
        return;
    AddTrailingIcon(AStyle);
    if (AImage == TqoLeadingImage::Panoram)
        AddDivider(AStyle, {Bottom, Start, End}, 116);
}

// ---------------------------------------------------------------------------------------
// Categories

TqoCollectionViewStyleTemplate_SingleLineItem::TqoCollectionViewStyleTemplate_SingleLineItem()
{
    FCategory = QStringLiteral("One line item");
}
QString TqoCollectionViewStyleTemplate_SingleLineItem::PrimaryText() { return QStringLiteral("Single-line item"); }

TqoCollectionViewStyleTemplate_TwoLineItem::TqoCollectionViewStyleTemplate_TwoLineItem()
{
    FCategory = QStringLiteral("Two line item");
}
QString TqoCollectionViewStyleTemplate_TwoLineItem::PrimaryText() { return QStringLiteral("Two-line item"); }

TqoCollectionViewStyleTemplate_ThreeLineItem::TqoCollectionViewStyleTemplate_ThreeLineItem()
{
    FCategory = QStringLiteral("Three line item");
}
QString TqoCollectionViewStyleTemplate_ThreeLineItem::PrimaryText() { return QStringLiteral("Three-line item"); }

TqoCollectionViewStyleTemplate_ListMenu::TqoCollectionViewStyleTemplate_ListMenu()
{
    FCategory = QStringLiteral("Menu");
}

void TqoCollectionViewStyleTemplate_ListMenu::FillMenuItem(TqoCollectionViewStyle* AStyle, float AHeight,
                                                           float AIconSize, float AIconSpacing, float ADescriptionSize)
{
    SetupStyle(AStyle, AHeight, {{Left, 16}, {Right, 16}});
    SetDirection(AStyle, TDirection(1));
    auto* LIcon = AddImage(AStyle, AIconSize, AIconSize, QString());
    LIcon->SetMarginValue(Left, 0);
    LIcon->SetMarginValue(Right, AIconSpacing);
    LIcon->SetMarginValue(Top, 12);
    LIcon->SetMarginValue(Bottom, 12);

    auto* LTexts = InFlow(CreateLayout(AStyle));
    LTexts->GetFlexItem()->SetFlexGrow(1);
    SetDirection(LTexts, TDirection(0));
    auto* LTitle = InFlow(CreateLabel(LTexts));
    LTitle->GetFlexItem()->SetFlexGrow(1);
    SetupText(LTitle, 14, TAlign(0), CPrimaryColor, 1, QStringLiteral("Title"), QStringLiteral("primary"));
    LTitle->GetFont()->SetFamily(QStringLiteral("Roboto Medium"));
    LTitle->GetTextColorLink()->SetDefaultName(QStringLiteral("Theme\\Text\\Text"));
    auto* LDescription = InFlow(CreateLabel(LTexts));
    LDescription->GetFlexItem()->SetFlexGrow(1);
    SetupText(LDescription, ADescriptionSize, TAlign(0), 0x8A000000, 1, QStringLiteral("Description"),
              QStringLiteral("secondary"));
    LDescription->GetFont()->SetFamily(QStringLiteral("Roboto"));
    SecondaryColor(LDescription);
}

void TqoCollectionViewStyleTemplate_ListMenu::AddSwitch(QObject* AParent)
{
    auto* LSwitch = InFlow(CreateSwitch(AParent));
    LSwitch->SetMarginValue(Left, 16);
    LSwitch->SetElementName(QStringLiteral("switch"));
}

TqoLine* TqoCollectionViewStyleTemplate_ListMenu::AddDividerLine(QObject* AParent, float AHeight)
{
    auto* LLine = InFlow(CreateLine(AParent));
    LLine->SetHeight(AHeight);
    LLine->SetLineType(TqoLine::TqoLineType(1));
    LLine->GetStroke()->SetColor(CDividerColor);
    LLine->GetStroke()->SetColorName(QStringLiteral("Theme\\Text\\Dividers"));
    return LLine;
}

// ---------------------------------------------------------------------------------------
// One line items

TqoCollectionViewStyleTemplate_SingleLineItem_TextOnly::TqoCollectionViewStyleTemplate_SingleLineItem_TextOnly()
{
    FTitle = QStringLiteral("Text only");
}
void TqoCollectionViewStyleTemplate_SingleLineItem_TextOnly::DoFillStyle(TqoCollectionViewStyle* AStyle,
                                                                         ide::IDesigner*)
{
    SetupStyle(AStyle, 48, {{Left, 16}, {Right, 16}});
    AddPrimaryText(AStyle, PrimaryText());
}

TqoCollectionViewStyleTemplate_SingleLineItem_TextAndIcon::TqoCollectionViewStyleTemplate_SingleLineItem_TextAndIcon()
{
    FTitle = QStringLiteral("Text and Icon");
}
void TqoCollectionViewStyleTemplate_SingleLineItem_TextAndIcon::DoFillStyle(TqoCollectionViewStyle* AStyle,
                                                                            ide::IDesigner*)
{
    SetupStyle(AStyle, 48, {{Left, 16}, {Right, 16}});
    AddPrimaryText(AStyle, PrimaryText());
    AddTrailingIcon(AStyle);
}

TqoCollectionViewStyleTemplate_SingleLineItem_IconAndText::TqoCollectionViewStyleTemplate_SingleLineItem_IconAndText()
{
    FTitle = QStringLiteral("Icon and Text");
}
void TqoCollectionViewStyleTemplate_SingleLineItem_IconAndText::DoFillStyle(TqoCollectionViewStyle* AStyle,
                                                                            ide::IDesigner*)
{
    SetupStyle(AStyle, 56, {{Left, 16}, {Right, 16}});
    auto* LIcon = AddImage(AStyle, 24, 24, QStringLiteral("icon"));
    LIcon->SetMarginValue(End, 32);
    LIcon->SetMarginValue(Top, 16);
    LIcon->SetMarginValue(Bottom, 16);
    AddPrimaryText(AStyle, PrimaryText());
}

TqoCollectionViewStyleTemplate_SingleLineItem_RoundImageAndTextAndIcon::
    TqoCollectionViewStyleTemplate_SingleLineItem_RoundImageAndTextAndIcon()
{
    FTitle = QStringLiteral("Round image, Text and Icon");
}
void TqoCollectionViewStyleTemplate_SingleLineItem_RoundImageAndTextAndIcon::DoFillStyle(TqoCollectionViewStyle* AStyle,
                                                                                         ide::IDesigner*)
{
    SetupStyle(AStyle, 56, {{Left, 16}, {Right, 16}, {Top, 8}, {Bottom, 8}});
    AddImage(AStyle, 40, 40, QStringLiteral("image"))->SetMarginValue(End, 16);
    AddPrimaryText(AStyle, PrimaryText());
    AddTrailingIcon(AStyle);
}

TqoCollectionViewStyleTemplate_SingleLineItem_SquareImageAndTextAndIcon::
    TqoCollectionViewStyleTemplate_SingleLineItem_SquareImageAndTextAndIcon()
{
    FTitle = QStringLiteral("Square image, Text and Icon");
}
void TqoCollectionViewStyleTemplate_SingleLineItem_SquareImageAndTextAndIcon::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 72, {{Left, 16}, {Right, 16}, {Top, 8}, {Bottom, 8}});
    AddImage(AStyle, 56, 56, QStringLiteral("image"))->SetMarginValue(End, 16);
    AddPrimaryText(AStyle, PrimaryText());
    AddTrailingIcon(AStyle);
    AddDivider(AStyle, {Left, Right, Bottom});
}

TqoCollectionViewStyleTemplate_SingleLineItem_PanoramImageAndTextAndIcon::
    TqoCollectionViewStyleTemplate_SingleLineItem_PanoramImageAndTextAndIcon()
{
    FTitle = QStringLiteral("Panoram image, Text and Icon");
}
void TqoCollectionViewStyleTemplate_SingleLineItem_PanoramImageAndTextAndIcon::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 72, {{End, 16}, {Top, 8}, {Bottom, 8}});
    auto* LImage = AddImage(AStyle, 100, 56, QStringLiteral("image"));
    LImage->SetMarginValue(End, 16);
    LImage->SetImageMode(TqoImage::TqoImageMode(1));
    AddPrimaryText(AStyle, PrimaryText());
    AddTrailingIcon(AStyle);
    AddDivider(AStyle, {Bottom, Start, End}, 116);
}

// ---------------------------------------------------------------------------------------
// Two line items

TqoCollectionViewStyleTemplate_TwoLineItem_PrimaryTextAndSecondaryTextAndMeta::
    TqoCollectionViewStyleTemplate_TwoLineItem_PrimaryTextAndSecondaryTextAndMeta()
{
    FTitle = QStringLiteral("Primary, Secondary and Meta text");
}
void TqoCollectionViewStyleTemplate_TwoLineItem_PrimaryTextAndSecondaryTextAndMeta::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 64, {{Left, 16}, {Right, 16}});
    SetDirection(AStyle, TDirection(0));
    AddPrimaryAndMetaRow(AStyle, PrimaryText());
    AddSecondaryText(AStyle);
}

TqoCollectionViewStyleTemplate_TwoLineItem_SecondaryOverlineTextAndPrimaryText::
    TqoCollectionViewStyleTemplate_TwoLineItem_SecondaryOverlineTextAndPrimaryText()
{
    FTitle = QStringLiteral("Secondary overline and Primary text");
}
void TqoCollectionViewStyleTemplate_TwoLineItem_SecondaryOverlineTextAndPrimaryText::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 64, {{Left, 16}, {Right, 16}});
    SetDirection(AStyle, TDirection(0));
    AddOverlineText(AStyle);
    AddStackedPrimaryText(AStyle, PrimaryText(), 20);
}

TqoCollectionViewStyleTemplate_TwoLineItem_IconAndPrimaryTextAndSecondaryText::
    TqoCollectionViewStyleTemplate_TwoLineItem_IconAndPrimaryTextAndSecondaryText()
{
    FTitle = QStringLiteral("Icon, Primary and Secondary text");
}
void TqoCollectionViewStyleTemplate_TwoLineItem_IconAndPrimaryTextAndSecondaryText::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 72, {{Left, 16}, {Right, 16}});
    FillImageTextIconItem(AStyle, TqoLeadingImage::Icon, PrimaryText(), false);
}

TqoCollectionViewStyleTemplate_TwoLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon::
    TqoCollectionViewStyleTemplate_TwoLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon()
{
    FTitle = QStringLiteral("Round image, Primary, Secondary text and Icon");
}
void TqoCollectionViewStyleTemplate_TwoLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 72, {{Left, 16}, {Right, 16}});
    FillImageTextIconItem(AStyle, TqoLeadingImage::Thumbnail, PrimaryText(), false);
}

TqoCollectionViewStyleTemplate_TwoLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon::
    TqoCollectionViewStyleTemplate_TwoLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon()
{
    FTitle = QStringLiteral("Square image, Primary, Secondary text and Icon");
}
void TqoCollectionViewStyleTemplate_TwoLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 72, {{Left, 16}, {Right, 16}});
    FillImageTextIconItem(AStyle, TqoLeadingImage::Thumbnail, PrimaryText(), false);
}

TqoCollectionViewStyleTemplate_TwoLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon::
    TqoCollectionViewStyleTemplate_TwoLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon()
{
    FTitle = QStringLiteral("Panoram image, Primary, Secondary text and Icon");
}
void TqoCollectionViewStyleTemplate_TwoLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 72, {{Right, 16}});
    FillImageTextIconItem(AStyle, TqoLeadingImage::Panoram, PrimaryText(), false);
}

// ---------------------------------------------------------------------------------------
// Three line items

TqoCollectionViewStyleTemplate_ThreeLineItem_PrimaryTextAndSecondaryTextAndMeta::
    TqoCollectionViewStyleTemplate_ThreeLineItem_PrimaryTextAndSecondaryTextAndMeta()
{
    FTitle = QStringLiteral("Primary, Secondary and Meta text");
}
void TqoCollectionViewStyleTemplate_ThreeLineItem_PrimaryTextAndSecondaryTextAndMeta::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 88, {{Left, 16}, {Right, 16}});
    SetDirection(AStyle, TDirection(0));
    AddPrimaryAndMetaRow(AStyle, PrimaryText());
    auto* LSecondary = InFlow(CreateLabel(AStyle));
    LSecondary->SetHeight(40);
    SetupText(LSecondary, 14, TAlign::Trailing, CSecondaryColor, 2, CLongSecondaryText, QStringLiteral("secondary"));
    LSecondary->SetLineBreak(TqoLabel::TqoLineBreakMode(2));
    SecondaryColor(LSecondary);
}

TqoCollectionViewStyleTemplate_ThreeLineItem_SecondaryOverlineTextAndPrimaryText::
    TqoCollectionViewStyleTemplate_ThreeLineItem_SecondaryOverlineTextAndPrimaryText()
{
    FTitle = QStringLiteral("Secondary overline and Primary text");
}
void TqoCollectionViewStyleTemplate_ThreeLineItem_SecondaryOverlineTextAndPrimaryText::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 88, {{Left, 16}, {Right, 16}});
    SetDirection(AStyle, TDirection(0));
    AddOverlineText(AStyle);
    AddStackedPrimaryText(AStyle, PrimaryText(), 20);
    auto* LSecondary = InFlow(CreateLabel(AStyle));
    LSecondary->GetFlexItem()->SetFlexGrow(1);
    LSecondary->SetMarginValue(Bottom, 16);
    SetupText(LSecondary, 14, TAlign::Trailing, CSecondaryColor, 1,
              QStringLiteral("Secondary text Lorem ipsum dolor sit amet."), QStringLiteral("secondary"));
    SecondaryColor(LSecondary);
}

TqoCollectionViewStyleTemplate_ThreeLineItem_IconAndPrimaryTextAndSecondaryText::
    TqoCollectionViewStyleTemplate_ThreeLineItem_IconAndPrimaryTextAndSecondaryText()
{
    FTitle = QStringLiteral("Icon, Primary and Secondary text");
}
void TqoCollectionViewStyleTemplate_ThreeLineItem_IconAndPrimaryTextAndSecondaryText::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 88, {{Left, 16}, {Right, 16}});
    FillImageTextIconItem(AStyle, TqoLeadingImage::Icon, PrimaryText(), true);
}

TqoCollectionViewStyleTemplate_ThreeLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon::
    TqoCollectionViewStyleTemplate_ThreeLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon()
{
    FTitle = QStringLiteral("Round image, Primary, Secondary text and Icon");
}
void TqoCollectionViewStyleTemplate_ThreeLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 88, {{Left, 16}, {Right, 16}});
    FillImageTextIconItem(AStyle, TqoLeadingImage::Thumbnail, PrimaryText(), true);
}

TqoCollectionViewStyleTemplate_ThreeLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon::
    TqoCollectionViewStyleTemplate_ThreeLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon()
{
    FTitle = QStringLiteral("Square image, Primary, Secondary text and Icon");
}
void TqoCollectionViewStyleTemplate_ThreeLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 88, {{Left, 16}, {Right, 16}});
    FillImageTextIconItem(AStyle, TqoLeadingImage::Thumbnail, PrimaryText(), true);
}

TqoCollectionViewStyleTemplate_ThreeLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon::
    TqoCollectionViewStyleTemplate_ThreeLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon()
{
    FTitle = QStringLiteral("Panoram image, Primary, Secondary text and Icon");
}
void TqoCollectionViewStyleTemplate_ThreeLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon::DoFillStyle(
    TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 88, {{Right, 16}});
    FillImageTextIconItem(AStyle, TqoLeadingImage::Panoram, PrimaryText(), true);
}

// ---------------------------------------------------------------------------------------
// Menu items

TqoCollectionViewStyleTemplate_ListMenu_PrimaryItem::TqoCollectionViewStyleTemplate_ListMenu_PrimaryItem()
{
    FTitle = QStringLiteral("Primary Item");
}
void TqoCollectionViewStyleTemplate_ListMenu_PrimaryItem::DoFillStyle(TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    FillMenuItem(AStyle, 48, 24, 32, 14);
    auto* LBadge = InFlow(CreateLayout(AStyle));
    LBadge->GetSize()->SetSizeF(24, 24);
    LBadge->GetFlexItem()->SetAlignSelf(TAlignSelf(4));
    LBadge->SetMarginValue(Left, 16);
    // Both fill the badge through their relative position, the count over the background.
    auto* LBackground = CreateRectangle(LBadge);
    PlaceAt(LBackground, {Left, Top, Right, Bottom});
    LBackground->GetStroke()->SetKind(TqoBrush::TqoBrushKind(0));
    LBackground->GetFill()->SetColor(0xFFFC0110);
    LBackground->SetRadiusX(5);
    LBackground->SetRadiusY(5);
    LBackground->SetElementName(QStringLiteral("badge-background"));
    auto* LCount = CreateLabel(LBadge);
    PlaceAt(LCount, {Left, Top, Right, Bottom});
    SetupText(LCount, 14, TAlign(0), 0xFFFFFFFF, 1, QStringLiteral("10"), QStringLiteral("badge"));
    LCount->GetFont()->SetFamily(QStringLiteral("Roboto"));
    LCount->SetHorzAlign(TAlign(0));
    LCount->GetTextColorLink()->SetDefault(QString(), QString());
}

TqoCollectionViewStyleTemplate_ListMenu_PrimaryItemSwitch::TqoCollectionViewStyleTemplate_ListMenu_PrimaryItemSwitch()
{
    FTitle = QStringLiteral("Primary Item with Switch");
}
void TqoCollectionViewStyleTemplate_ListMenu_PrimaryItemSwitch::DoFillStyle(TqoCollectionViewStyle* AStyle,
                                                                            ide::IDesigner*)
{
    FillMenuItem(AStyle, 48, 24, 32, 14);
    AddSwitch(AStyle);
}

TqoCollectionViewStyleTemplate_ListMenu_SecondaryItem::TqoCollectionViewStyleTemplate_ListMenu_SecondaryItem()
{
    FTitle = QStringLiteral("Secondary Item");
}
void TqoCollectionViewStyleTemplate_ListMenu_SecondaryItem::DoFillStyle(TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    FillMenuItem(AStyle, 42, 18, 38, 12);
}

TqoCollectionViewStyleTemplate_ListMenu_SecondaryItemSwitch::
    TqoCollectionViewStyleTemplate_ListMenu_SecondaryItemSwitch()
{
    FTitle = QStringLiteral("Secondary Item with Switch");
}
void TqoCollectionViewStyleTemplate_ListMenu_SecondaryItemSwitch::DoFillStyle(TqoCollectionViewStyle* AStyle,
                                                                              ide::IDesigner*)
{
    FillMenuItem(AStyle, 42, 18, 38, 12);
    AddSwitch(AStyle);
}

TqoCollectionViewStyleTemplate_ListMenu_Divider::TqoCollectionViewStyleTemplate_ListMenu_Divider()
{
    FTitle = QStringLiteral("Divider");
}
void TqoCollectionViewStyleTemplate_ListMenu_Divider::DoFillStyle(TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 18, {{Top, 8}, {Bottom, 8}});
    SetDirection(AStyle, TDirection(0));
    AddDividerLine(AStyle, 2);
}

TqoCollectionViewStyleTemplate_ListMenu_ItemsSection::TqoCollectionViewStyleTemplate_ListMenu_ItemsSection()
{
    FTitle = QStringLiteral("Item section");
}
void TqoCollectionViewStyleTemplate_ListMenu_ItemsSection::DoFillStyle(TqoCollectionViewStyle* AStyle, ide::IDesigner*)
{
    SetupStyle(AStyle, 48, {});
    SetDirection(AStyle, TDirection(0));
    AddDividerLine(AStyle, 1)->SetMarginValue(Top, 8);
    auto* LTitle = InFlow(CreateLabel(AStyle));
    LTitle->GetFlexItem()->SetFlexGrow(1);
    SetupText(LTitle, 14, TAlign(0), CPrimaryColor, 1, QStringLiteral("Title"), QStringLiteral("primary"));
    LTitle->GetFont()->SetFamily(QStringLiteral("Roboto Medium"));
    SecondaryColor(LTitle);
    LTitle->GetPadding()->SetValue(Left, 8);
    LTitle->GetPadding()->SetValue(Right, 8);
}

// ---------------------------------------------------------------------------------------
// TqoCollectionViewStylesRegistry

namespace {

void RegisterDefaultTemplates(TqoCollectionViewStylesRegistry& ARegistry)
{
    // Constructed in this order, so their ids are 0 to 23 in it.
    for (TqoCollectionViewStyleTemplate* LTemplate : std::initializer_list<TqoCollectionViewStyleTemplate*>{
             new TqoCollectionViewStyleTemplate_SingleLineItem_TextOnly,
             new TqoCollectionViewStyleTemplate_SingleLineItem_TextAndIcon,
             new TqoCollectionViewStyleTemplate_SingleLineItem_IconAndText,
             new TqoCollectionViewStyleTemplate_SingleLineItem_RoundImageAndTextAndIcon,
             new TqoCollectionViewStyleTemplate_SingleLineItem_SquareImageAndTextAndIcon,
             new TqoCollectionViewStyleTemplate_SingleLineItem_PanoramImageAndTextAndIcon,
             new TqoCollectionViewStyleTemplate_TwoLineItem_PrimaryTextAndSecondaryTextAndMeta,
             new TqoCollectionViewStyleTemplate_TwoLineItem_SecondaryOverlineTextAndPrimaryText,
             new TqoCollectionViewStyleTemplate_TwoLineItem_IconAndPrimaryTextAndSecondaryText,
             new TqoCollectionViewStyleTemplate_TwoLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon,
             new TqoCollectionViewStyleTemplate_TwoLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon,
             new TqoCollectionViewStyleTemplate_TwoLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon,
             new TqoCollectionViewStyleTemplate_ThreeLineItem_PrimaryTextAndSecondaryTextAndMeta,
             new TqoCollectionViewStyleTemplate_ThreeLineItem_SecondaryOverlineTextAndPrimaryText,
             new TqoCollectionViewStyleTemplate_ThreeLineItem_IconAndPrimaryTextAndSecondaryText,
             new TqoCollectionViewStyleTemplate_ThreeLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon,
             new TqoCollectionViewStyleTemplate_ThreeLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon,
             new TqoCollectionViewStyleTemplate_ThreeLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon,
             new TqoCollectionViewStyleTemplate_ListMenu_PrimaryItem,
             new TqoCollectionViewStyleTemplate_ListMenu_PrimaryItemSwitch,
             new TqoCollectionViewStyleTemplate_ListMenu_SecondaryItem,
             new TqoCollectionViewStyleTemplate_ListMenu_SecondaryItemSwitch,
             new TqoCollectionViewStyleTemplate_ListMenu_Divider,
             new TqoCollectionViewStyleTemplate_ListMenu_ItemsSection})
        ARegistry.Register(LTemplate);
}

// The package's load fills the default registry, before anything else can make a template
// and take one of its ids. Everything it holds is the package's, so an unload frees it
// together with the code it runs.
const bool GDefaultRegistryFilled = (TqoCollectionViewStylesRegistry::GetDefault(), true);

} // namespace

TqoCollectionViewStylesRegistry& TqoCollectionViewStylesRegistry::GetDefault()
{
    static TqoCollectionViewStylesRegistry LDefault;
    static const bool LFilled = (RegisterDefaultTemplates(LDefault), true);
    (void)LFilled;
    return LDefault;
}

void TqoCollectionViewStylesRegistry::Register(TqoCollectionViewStyleTemplate* ATemplate)
{
    TqoAssert::IsNotNil(ATemplate, "ATemplate");
    if (FTemplates.contains(ATemplate->ID()))
        throw EqoCollectionViewStylesRegistry(
            QStringLiteral("Cannot register style template. Registry has already had registered template with id [%1].")
                .arg(ATemplate->ID()));
    int LIndex = IndexOfCategory(ATemplate->Category());
    if (LIndex < 0) {
        FGroups.push_back(std::make_unique<TqoGroupedTemplate>(ATemplate->Category()));
        LIndex = int(FGroups.size()) - 1;
    }
    FGroups[std::size_t(LIndex)]->Templates.emplace_back(ATemplate);
    FTemplates.insert(ATemplate->ID(), ATemplate);
}

TqoCollectionViewStyle* TqoCollectionViewStylesRegistry::CreateStyle(int AId, TqoCustomCollectionView* AOwner,
                                                                     ide::IDesigner* ADesigner) const
{
    auto* LTemplate = FTemplates.value(AId);
    if (!LTemplate)
        throw EqoCollectionViewStylesRegistry(QStringLiteral("Cannot create style from template with Id [%1], because "
                                                             "registry doesn't have template with this id.")
                                                  .arg(AId));
    return LTemplate->CreateStyle(AOwner, ADesigner);
}

const TqoCollectionViewStyleTemplate& TqoCollectionViewStylesRegistry::TemplateInfo(int AId) const
{
    auto* LTemplate = FTemplates.value(AId);
    if (!LTemplate)
        throw EqoCollectionViewStylesRegistry(QStringLiteral("Cannot return style template info. Registry doesn't "
                                                             "have information about template with id [%1].")
                                                  .arg(AId));
    return *LTemplate;
}

int TqoCollectionViewStylesRegistry::IndexOfCategory(const QString& ACategory) const
{
    for (std::size_t I = 0; I < FGroups.size(); ++I)
        if (FGroups[I]->Category == ACategory)
            return int(I);
    return -1;
}

} // namespace orvo::components
