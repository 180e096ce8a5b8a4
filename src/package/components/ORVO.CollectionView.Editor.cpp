#include "ORVO.CollectionView.Editor.h"

#include "ORVO.Assert.h"
#include "ORVO.CollectionView.Styles.h"
#include "ORVO.Components.h"

#include <QPointer>

namespace orvo::components {

TqoCollectionViewEditor::TqoCollectionViewEditor(QObject* AComponent, ide::IDesigner* ADesigner)
    : TComponentEditor(AComponent, ADesigner),
      FCollectionView(core::TqoAssert::IsClass<core::TqoCustomCollectionView>(AComponent))
{
}

void TqoCollectionViewEditor::ExecuteVerb(int AIndex)
{
    // "Add Style" only opens its sub-menu.
    if (AIndex != 0)
        return;
    core::TqoAssert::IsNotNil(FCollectionView, "FCollectionView");
    FCollectionView->CreateStyle();
    if (GetDesigner())
        GetDesigner()->Modified();
}

QString TqoCollectionViewEditor::GetVerb(int AIndex)
{
    switch (AIndex) {
    case 0:
        return QStringLiteral("Add blank style");
    case 1:
        return QStringLiteral("Add Style");
    default:
        return {};
    }
}

int TqoCollectionViewEditor::GetVerbCount() { return 2; }

void TqoCollectionViewEditor::PrepareItem(int AIndex, ide::IMenuItem& AItem)
{
    if (AIndex != 1)
        return;
    // The menu may outlive this editor: the handler keeps what it needs by value, and a view
    // deleted meanwhile makes it do nothing.
    const QPointer<core::TqoCustomCollectionView> LView = FCollectionView;
    ide::IDesigner* LDesigner = GetDesigner();
    const auto LClick = [LView, LDesigner](ide::IMenuItem& ASender) {
        if (LView)
            TqoCollectionViewStylesRegistry::GetDefault().CreateStyle(ASender.GetTag(), LView, LDesigner);
    };
    for (const auto& LGroup : TqoCollectionViewStylesRegistry::GetDefault().GroupedTemplates()) {
        ide::IMenuItem& LGroupItem = AItem.AddItem(LGroup->Category, false, true);
        for (const auto& LTemplate : LGroup->Templates)
            LGroupItem.AddItem(LTemplate->Title(), false, true, LClick).SetTag(LTemplate->ID());
    }
}

} // namespace orvo::components
