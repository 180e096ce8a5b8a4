#pragma once

// The collection view's component editor: a blank style, or one made from a template.

#include "DesignIntf.h"

namespace core {
class TqoCustomCollectionView;
}

namespace orvo::components {

class TqoCollectionViewEditor : public ide::TComponentEditor
{
public:
    TqoCollectionViewEditor(QObject* AComponent, ide::IDesigner* ADesigner);
    void ExecuteVerb(int AIndex) override;
    QString GetVerb(int AIndex) override;
    int GetVerbCount() override;
    void PrepareItem(int AIndex, ide::IMenuItem& AItem) override;

private:
    core::TqoCustomCollectionView* FCollectionView;
};

} // namespace orvo::components
