#pragma once

// The drop-down panel of a layout's children alignment: one group of icon buttons per
// flex-box setting, each showing the layout as it will look, with the value's name above.

#include "ORVO.Designer.Frames.h"

#include <QPointer>
#include <QToolButton>

class QAction;
class QActionGroup;
class QLabel;

namespace core {
class IORVOFlexContainer;
}

namespace orvo {

// A button that shows the icon its action names in the designer's image collection.
class TqoSpeedButton : public QToolButton
{
public:
    using QToolButton::QToolButton;
    QString ImageName() const { return FImageName; }
    void SetImageName(const QString& AName);

private:
    QString FImageName;
};

class TFlexBoxContainerEditorFrame : public dsgn::TqoThemedFrame
{
public:
    // The settings in the panel's order; also the index of their groups.
    enum TSetting
    {
        Direction,
        Wrap,
        AlignContent,
        JustifyContent,
        AlignItems,
        SettingCount
    };

    explicit TFlexBoxContainerEditorFrame(QWidget* AParent = nullptr);

    // Shows the component's settings: the buttons of its values down, their names in the labels.
    // Throws the framework's assertion failure for a value no button stands for.
    void SetInstance(core::IORVOFlexContainer* AInstance);

    QLabel* ValueLabel(TSetting ASetting) const { return FValueLabels[ASetting]; }
    // The button that sets a value (its action's tag), or null.
    TqoSpeedButton* Button(TSetting ASetting, int AValue) const;
    // The checked button's value, or -1.
    int Checked(TSetting ASetting) const;

private:
    struct TButton
    {
        const char* Hint;
        const char* Value; // the image name's value part
        int Tag;
    };

    void AddGroup(TSetting ASetting, const QString& ACaption, std::initializer_list<TButton> AButtons);
    void Clicked(TSetting ASetting, QAction* AAction);
    void UpdateIcons();
    int Value(TSetting ASetting) const;
    void ShowValue(TSetting ASetting, int AValue);

    QPointer<QObject> FInstance;
    QLabel* FValueLabels[SettingCount] = {};
    QActionGroup* FGroups[SettingCount] = {};
    QList<TqoSpeedButton*> FButtons[SettingCount];
};

} // namespace orvo
