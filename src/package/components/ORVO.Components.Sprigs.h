#pragma once

// Structure-view nodes of drawers, pages and bottom sheets. Selecting a node, or a node
// inside one of them, brings a hidden drawer, a collapsed sheet or an inactive page into view
// in the form designer.

#include "ORVO.Designer.Sprigs.h"

namespace core {
class TqoControl;
}

namespace orvo::components {

// A sprig that hears the structure view's node selections while it lives.
class TqoListeningSprig : public dsgn::TqoControlSprig
{
public:
    explicit TqoListeningSprig(QObject* AItem);
    ~TqoListeningSprig() override;
    // The node of a control was selected.
    virtual void ControlSelected(core::TqoControl& AControl) = 0;

protected:
    // Whether the control is the sprig's component or lies inside it.
    bool Contains(const core::TqoControl& AControl) const;

private:
    int FNotifierIndex = -1;
};

class TqoDrawerLayoutSprig : public dsgn::TqoControlSprig
{
public:
    using dsgn::TqoControlSprig::TqoControlSprig;
    bool DragOver(const ide::TSprig&) const override { return false; }
    bool PaletteOver(ide::TComponentClass) const override { return false; }
    bool SortByIndex() const override { return true; }
};

class TqoDrawerSprig : public TqoListeningSprig
{
public:
    using TqoListeningSprig::TqoListeningSprig;
    QString Caption() const override { return QStringLiteral("Drawer"); }
    void ControlSelected(core::TqoControl& AControl) override;
};

class TqoMainContentSprig : public dsgn::TqoControlSprig
{
public:
    using dsgn::TqoControlSprig::TqoControlSprig;
    QString Caption() const override { return QStringLiteral("Content"); }
};

class TqoBottomSheetSprig : public TqoListeningSprig
{
public:
    using TqoListeningSprig::TqoListeningSprig;
    void ControlSelected(core::TqoControl& AControl) override;
};

class TqoPageSprig : public TqoListeningSprig
{
public:
    using TqoListeningSprig::TqoListeningSprig;
    bool DragOverTo(const ide::TSprig& AParent) const override;
    void ControlSelected(core::TqoControl& AControl) override;
};

// The styles of a collection view, gathered under one node.
class TqoCollectionViewStylesSprig : public ide::TSprig
{
public:
    using ide::TSprig::TSprig;
    QString Caption() const override { return QStringLiteral("Styles"); }
    bool Gathers(const QObject* AComponent) const override;
};

class TqoCollectionViewStyleSprig : public dsgn::TqoControlSprig
{
public:
    using dsgn::TqoControlSprig::TqoControlSprig;
    // The style's title text.
    QString Caption() const override;
};

} // namespace orvo::components
