#pragma once

// Ready-made collection view styles after the Material list items, offered by the collection
// view's component editor under "Add Style". A template fills a new style with real, named
// components of the designed form.

#include "ORVO.Components.h"
#include "ORVO.Exceptions.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace ide {
class IDesigner;
}

namespace orvo::components {

class EqoCollectionViewStylesRegistry : public core::EqoException
{
public:
    using core::EqoException::EqoException;
};

class TqoCollectionViewStyleTemplate
{
public:
    TqoCollectionViewStyleTemplate();
    virtual ~TqoCollectionViewStyleTemplate() = default;
    TqoCollectionViewStyleTemplate(const TqoCollectionViewStyleTemplate&) = delete;
    TqoCollectionViewStyleTemplate& operator=(const TqoCollectionViewStyleTemplate&) = delete;

    int ID() const { return FID; }
    QString Title() const { return FTitle; }
    QString Category() const { return FCategory; }

    // A new style on AOwner, filled from the template; the designer is told of the change.
    core::TqoCollectionViewStyle* CreateStyle(core::TqoCustomCollectionView* AOwner, ide::IDesigner* ADesigner);

protected:
    virtual void DoFillStyle(core::TqoCollectionViewStyle* AStyle, ide::IDesigner* ADesigner) = 0;

    // The controls a template is made of, created through the designer as children of AParent.
    core::TqoLabel* CreateLabel(QObject* AParent);
    core::TqoImage* CreateImage(QObject* AParent);
    core::TqoLayout* CreateLayout(QObject* AParent);
    core::TqoLine* CreateLine(QObject* AParent);
    core::TqoRectangle* CreateRectangle(QObject* AParent);
    core::TqoSwitch* CreateSwitch(QObject* AParent);

    // The parts the templates share.
    core::TqoLabel* AddPrimaryText(QObject* AParent, const QString& AText);
    core::TqoLabel* AddStackedPrimaryText(QObject* AParent, const QString& AText, float AHeight = 32);
    core::TqoLabel* AddSecondaryText(QObject* AParent);
    core::TqoLabel* AddTwoLineSecondaryText(QObject* AParent);
    core::TqoLabel* AddOverlineText(QObject* AParent);
    core::TqoImage* AddTrailingIcon(QObject* AParent);
    core::TqoImage* AddImage(QObject* AParent, float AWidth, float AHeight, const QString& AElementName);
    core::TqoLine* AddDivider(QObject* AParent, std::initializer_list<int> ASides, float AStart = 0);
    core::TqoLayout* AddTextColumn(QObject* AParent);
    // A row of the primary text and a short meta text at its end.
    void AddPrimaryAndMetaRow(QObject* AParent, const QString& APrimaryText);
    // The image, the text column and the trailing icon of the two- and three-line items.
    enum class TqoLeadingImage
    {
        Icon,
        Thumbnail,
        Panoram
    };
    void FillImageTextIconItem(core::TqoCollectionViewStyle* AStyle, TqoLeadingImage AImage, const QString& APrimary,
                               bool ATwoLineSecondary);

    QString FTitle;
    QString FCategory;

private:
    static int GenerateId();
    template <class T> T* CreateChild(QObject* AParent);

    static int FNextId;
    int FID;
    ide::IDesigner* FDesigner = nullptr;
};

// The categories, with the primary text each one's items show.

class TqoCollectionViewStyleTemplate_SingleLineItem : public TqoCollectionViewStyleTemplate
{
public:
    TqoCollectionViewStyleTemplate_SingleLineItem();

protected:
    static QString PrimaryText();
};

class TqoCollectionViewStyleTemplate_TwoLineItem : public TqoCollectionViewStyleTemplate
{
public:
    TqoCollectionViewStyleTemplate_TwoLineItem();

protected:
    static QString PrimaryText();
};

class TqoCollectionViewStyleTemplate_ThreeLineItem : public TqoCollectionViewStyleTemplate
{
public:
    TqoCollectionViewStyleTemplate_ThreeLineItem();

protected:
    static QString PrimaryText();
};

class TqoCollectionViewStyleTemplate_ListMenu : public TqoCollectionViewStyleTemplate
{
public:
    TqoCollectionViewStyleTemplate_ListMenu();

protected:
    // Icon, title and description; AIconSize: the icon's side; AIconSpacing: its right margin.
    void FillMenuItem(core::TqoCollectionViewStyle* AStyle, float AHeight, float AIconSize, float AIconSpacing,
                      float ADescriptionSize);
    void AddSwitch(QObject* AParent);
    core::TqoLine* AddDividerLine(QObject* AParent, float AHeight);
};

#define ORVO_STYLE_TEMPLATE(ACategory, AName)                                                                          \
    class TqoCollectionViewStyleTemplate_##AName : public TqoCollectionViewStyleTemplate_##ACategory                   \
    {                                                                                                                  \
    public:                                                                                                            \
        TqoCollectionViewStyleTemplate_##AName();                                                                      \
                                                                                                                       \
    protected:                                                                                                         \
        void DoFillStyle(core::TqoCollectionViewStyle* AStyle, ide::IDesigner* ADesigner) override;                    \
    };

ORVO_STYLE_TEMPLATE(SingleLineItem, SingleLineItem_TextOnly)
ORVO_STYLE_TEMPLATE(SingleLineItem, SingleLineItem_TextAndIcon)
ORVO_STYLE_TEMPLATE(SingleLineItem, SingleLineItem_IconAndText)
ORVO_STYLE_TEMPLATE(SingleLineItem, SingleLineItem_RoundImageAndTextAndIcon)
ORVO_STYLE_TEMPLATE(SingleLineItem, SingleLineItem_SquareImageAndTextAndIcon)
ORVO_STYLE_TEMPLATE(SingleLineItem, SingleLineItem_PanoramImageAndTextAndIcon)
ORVO_STYLE_TEMPLATE(TwoLineItem, TwoLineItem_PrimaryTextAndSecondaryTextAndMeta)
ORVO_STYLE_TEMPLATE(TwoLineItem, TwoLineItem_SecondaryOverlineTextAndPrimaryText)
ORVO_STYLE_TEMPLATE(TwoLineItem, TwoLineItem_IconAndPrimaryTextAndSecondaryText)
ORVO_STYLE_TEMPLATE(TwoLineItem, TwoLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon)
ORVO_STYLE_TEMPLATE(TwoLineItem, TwoLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon)
ORVO_STYLE_TEMPLATE(TwoLineItem, TwoLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon)
ORVO_STYLE_TEMPLATE(ThreeLineItem, ThreeLineItem_PrimaryTextAndSecondaryTextAndMeta)
ORVO_STYLE_TEMPLATE(ThreeLineItem, ThreeLineItem_SecondaryOverlineTextAndPrimaryText)
ORVO_STYLE_TEMPLATE(ThreeLineItem, ThreeLineItem_IconAndPrimaryTextAndSecondaryText)
ORVO_STYLE_TEMPLATE(ThreeLineItem, ThreeLineItem_RoundImageAndPrimaryTextAndSecondaryTextAndIcon)
ORVO_STYLE_TEMPLATE(ThreeLineItem, ThreeLineItem_SquareImageAndPrimaryTextAndSecondaryTextAndIcon)
ORVO_STYLE_TEMPLATE(ThreeLineItem, ThreeLineItem_PanoramImageAndPrimaryTextAndSecondaryTextAndIcon)
ORVO_STYLE_TEMPLATE(ListMenu, ListMenu_PrimaryItem)
ORVO_STYLE_TEMPLATE(ListMenu, ListMenu_PrimaryItemSwitch)
ORVO_STYLE_TEMPLATE(ListMenu, ListMenu_SecondaryItem)
ORVO_STYLE_TEMPLATE(ListMenu, ListMenu_SecondaryItemSwitch)
ORVO_STYLE_TEMPLATE(ListMenu, ListMenu_Divider)
ORVO_STYLE_TEMPLATE(ListMenu, ListMenu_ItemsSection)

#undef ORVO_STYLE_TEMPLATE

class TqoCollectionViewStylesRegistry
{
public:
    class TqoGroupedTemplate
    {
    public:
        explicit TqoGroupedTemplate(const QString& ACategory) : Category(ACategory) {}
        QString Category;
        std::vector<std::unique_ptr<TqoCollectionViewStyleTemplate>> Templates;
    };

    TqoCollectionViewStylesRegistry() = default;
    TqoCollectionViewStylesRegistry(const TqoCollectionViewStylesRegistry&) = delete;
    TqoCollectionViewStylesRegistry& operator=(const TqoCollectionViewStylesRegistry&) = delete;

    // Holds the twenty-four templates, ids 0 to 23, from the package's load to its unload.
    static TqoCollectionViewStylesRegistry& GetDefault();

    // Takes the template over when it succeeds; a template whose id is taken stays the caller's.
    void Register(TqoCollectionViewStyleTemplate* ATemplate);
    bool Contains(int AId) const { return FTemplates.contains(AId); }
    core::TqoCollectionViewStyle* CreateStyle(int AId, core::TqoCustomCollectionView* AOwner,
                                              ide::IDesigner* ADesigner) const;
    const TqoCollectionViewStyleTemplate& TemplateInfo(int AId) const;
    // Exact, case-sensitive category; -1 when there is no such group.
    int IndexOfCategory(const QString& ACategory) const;
    const std::vector<std::unique_ptr<TqoGroupedTemplate>>& GroupedTemplates() const { return FGroups; }

private:
    std::vector<std::unique_ptr<TqoGroupedTemplate>> FGroups;
    QHash<int, TqoCollectionViewStyleTemplate*> FTemplates;
};

} // namespace orvo::components
