#pragma once

// Selection editors of the framework's components: the units a form using them must name,
// and the properties the object inspector must not show for them.

#include "DesignIntf.h"

namespace orvo::registration {

// Adds its units after the inherited ones and hides its properties, names compared
// without case.
class TqoUnitsSelectionEditor : public ide::TSelectionEditor
{
public:
    void RequiresUnits(const std::function<void(const QString&)>& AProc) override;
    void FilterProperties(const QList<QObject*>& ASelection, ide::TPropertyEditorList& AProperties) override;

protected:
    TqoUnitsSelectionEditor(QStringList AUnits, QStringList AHidden)
        : FUnits(std::move(AUnits)), FHidden(std::move(AHidden))
    {
    }

private:
    QStringList FUnits;
    QStringList FHidden;
};

#define ORVO_SELECTION_EDITOR(Name, Units, Hidden)                                                                     \
    class Name : public TqoUnitsSelectionEditor                                                                        \
    {                                                                                                                  \
    public:                                                                                                            \
        Name() : TqoUnitsSelectionEditor(Units, Hidden) {}                                                             \
    };

ORVO_SELECTION_EDITOR(TqoListMenuSelectionEditor, {"ORVO.ListMenu.Types"}, {})
ORVO_SELECTION_EDITOR(TqoButtonSelectionEditor, {"ORVO.Button.Types"},
                      (QStringList{"Kind", "TextSettings", "TextShadow"}))
ORVO_SELECTION_EDITOR(TqoNavigationBarSelectionEditor, {"ORVO.NavigationBar.Types"}, {})
ORVO_SELECTION_EDITOR(TqoLayoutSelectionEditor, {"ORVO.Layout.Types"}, {})
ORVO_SELECTION_EDITOR(TqoSearchEditSelectionEditor, {"ORVO.AutocompleteEdit.Types"}, {})
ORVO_SELECTION_EDITOR(TqoDefinedValueFilterSelectionEditor, {}, {"DefinedValues"})
ORVO_SELECTION_EDITOR(TqoPaintBoxSelectionEditor, (QStringList{"ORVO.Canvas", "ORVO.Canvas.Types"}), {})
ORVO_SELECTION_EDITOR(TqoAutocompleteEditSelectionEditor, {"ORVO.AutocompleteEdit.Types"}, {})
ORVO_SELECTION_EDITOR(TqoMapSelectionEditor, (QStringList{"ORVO.Map.Types", "ORVO.Map.TileProvider"}), {})
ORVO_SELECTION_EDITOR(TqoCameraSelectionEditor, (QStringList{"ORVO.Camera.Types", "ORVO.Permissions"}), {})
ORVO_SELECTION_EDITOR(TqoApplicationEventsSelectionEditor, (QStringList{"ORVO.Platform", "ORVO.Application"}), {})
ORVO_SELECTION_EDITOR(TqoAdvertisingSelectionEditor, {"ORVO.Advertising.Services"}, {})
ORVO_SELECTION_EDITOR(TqoAuthenticationClientSelectionEditor, {"ORVO.Authentication.Types"}, {})
ORVO_SELECTION_EDITOR(TqoCollectionViewSelectionEditor, {},
                      (QStringList{"SelectionColor", "SelectionColorName", "SelectionMode"}))
ORVO_SELECTION_EDITOR(TqoFramesSelectionEditor, {}, {})
ORVO_SELECTION_EDITOR(TqoBiometricAuthenticationSelectionEditor, {"ORVO.Authentication.Biometric"}, {})

#undef ORVO_SELECTION_EDITOR

// A navigation bar button hides only its action kind, which ActionControl sets; anything
// else selected with it loses its layout properties.
class TqoNavigationBarButtonSelectionEditor : public ide::TSelectionEditor
{
public:
    void FilterProperties(const QList<QObject*>& ASelection, ide::TPropertyEditorList& AProperties) override;
};

// Binds the editors above, each to its component classes, in the framework's order.
void RegisterSelectionEditors();

} // namespace orvo::registration
