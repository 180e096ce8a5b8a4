#include "ORVO.CollectionView.Editor.h"

#include "ORVO.Assert.h"
#include "ORVO.Components.h"

namespace orvo::components {

TqoCollectionViewEditor::TqoCollectionViewEditor(QObject* AComponent, ide::IDesigner* ADesigner)
    : TComponentEditor(AComponent, ADesigner), FCollectionView(qobject_cast<core::TqoCustomCollectionView*>(AComponent))
{
}

// The verbs come with the style templates.
void TqoCollectionViewEditor::ExecuteVerb(int) {}
QString TqoCollectionViewEditor::GetVerb(int) { return {}; }
int TqoCollectionViewEditor::GetVerbCount() { return 0; }
void TqoCollectionViewEditor::PrepareItem(int, ide::IMenuItem&) {}

} // namespace orvo::components
