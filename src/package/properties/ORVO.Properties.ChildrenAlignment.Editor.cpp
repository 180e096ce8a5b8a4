#include "ORVO.Properties.ChildrenAlignment.Editor.h"

#include "ORVO.Assert.h"
#include "ORVO.Components.Base.h"
#include "ORVO.Designer.Images.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaEnum>
#include <QVBoxLayout>

namespace orvo {

namespace {

using TAlign = core::TqoChildrenAlignment;

// The runtime's type of each setting: its values' names and its name for errors.
QMetaEnum SettingType(int ASetting)
{
    static const char* const LNames[] = {"TqoFlexDirection", "TqoFlexWrap", "TqoAlignContent", "TqoJustifyContent",
                                         "TqoAlignItems"};
    const QMetaObject& LMeta = TAlign::staticMetaObject;
    return LMeta.enumerator(LMeta.indexOfEnumerator(LNames[ASetting]));
}

QString ImageCategory(int ASetting)
{
    static const char* const LCategories[] = {"Direction", "Wrap", "AlignContent", "JustifyContent", "AlignItems"};
    return QString::fromLatin1(LCategories[ASetting]);
}

} // namespace

void TqoSpeedButton::SetImageName(const QString& AName)
{
    FImageName = AName;
    // On the action: the button takes its icon from there whenever the action changes.
    if (QAction* LAction = defaultAction())
        LAction->setIcon(dsgn::TqoDesignerImages::Icon(AName, 24));
    else
        setIcon(dsgn::TqoDesignerImages::Icon(AName, 24));
}

TFlexBoxContainerEditorFrame::TFlexBoxContainerEditorFrame(QWidget* AParent) : TqoThemedFrame(AParent)
{
    setObjectName(QStringLiteral("FlexBoxContainerEditorFrame"));
    setFrameShape(QFrame::Box);
    setFixedWidth(204);
    auto* LLayout = new QVBoxLayout(this);
    LLayout->setContentsMargins(4, 2, 4, 2);
    LLayout->setSpacing(0);
    AddGroup(Direction, QStringLiteral("Direction:"),
             {{"Column", "Column", 0},
              {"Row", "Row", 1},
              {"Column Reverse", "Column Reverse", 2},
              {"Row Reverse", "Row Reverse", 3}});
    AddGroup(Wrap, QStringLiteral("Wrap:"), {{"No wrap", "NoWrap", 0}, {"Wrap", "Wrap", 1}});
    AddGroup(AlignContent, QStringLiteral("AlignContent:"),
             {{"Start", "Start", 0},
              {"Center", "Center", 2},
              {"End", "End", 1},
              {"Space Between", "SpaceBetween", 4},
              {"Space Around", "SpaceAround", 5},
              {"Stretch", "Stretch", 3}});
    AddGroup(JustifyContent, QStringLiteral("JustifyContent:"),
             {{"Start", "Start", 0},
              {"Center", "Center", 2},
              {"End", "End", 1},
              {"Space Between", "SpaceBetween", 3},
              {"Space Around", "SpaceAround", 4},
              {"Evenly", "SpaceEvenly", 5}});
    AddGroup(AlignItems, QStringLiteral("AlignItems:"),
             {{"Start", "Start", 1},
              {"Center", "Center", 3},
              {"End", "End", 2},
              {"Stretch", "Stretch", 0},
              {"Baseline", "Baseline", 4}});
    // The runtime lays baselines out like the start; the panel does not offer it.
    Button(AlignItems, 4)->hide();
    LLayout->addStretch(1);
    // What the form designer shows before a component is given.
    const int LDefaults[SettingCount] = {0, 0, 3, 0, 0};
    for (int I = 0; I < SettingCount; ++I)
        ShowValue(TSetting(I), LDefaults[I]);
    UpdateIcons();
}

void TFlexBoxContainerEditorFrame::AddGroup(TSetting ASetting, const QString& ACaption,
                                            std::initializer_list<TButton> AButtons)
{
    auto* LPanel = new QWidget(this);
    LPanel->setFixedHeight(58);
    auto* LColumn = new QVBoxLayout(LPanel);
    LColumn->setContentsMargins(0, 2, 0, 2);
    LColumn->setSpacing(2);
    auto* LTitle = new QHBoxLayout;
    LTitle->setSpacing(4);
    auto* LCaption = new QLabel(ACaption, LPanel);
    auto* LValue = new QLabel(LPanel);
    LValue->setObjectName(ImageCategory(ASetting) + QStringLiteral(".Value"));
    QFont LBold = LValue->font();
    LBold.setBold(true);
    LValue->setFont(LBold);
    LTitle->addWidget(LCaption);
    LTitle->addWidget(LValue, 1);
    LColumn->addLayout(LTitle);
    auto* LFlow = new QHBoxLayout;
    LFlow->setSpacing(1);
    FGroups[ASetting] = new QActionGroup(this);
    FGroups[ASetting]->setExclusive(true);
    for (const TButton& LButton : AButtons) {
        auto* LAction = new QAction(QString::fromLatin1(LButton.Hint), FGroups[ASetting]);
        LAction->setCheckable(true);
        LAction->setData(LButton.Tag);
        LAction->setToolTip(QString::fromLatin1(LButton.Hint));
        LAction->setProperty("Image", QString::fromLatin1(LButton.Value));
        auto* LSpeed = new TqoSpeedButton(LPanel);
        LSpeed->setObjectName(ImageCategory(ASetting) + QLatin1Char('.') + QString::fromLatin1(LButton.Value));
        LSpeed->setFixedSize(32, 32);
        LSpeed->setIconSize(QSize(24, 24));
        LSpeed->setAutoRaise(true);
        LSpeed->setToolButtonStyle(Qt::ToolButtonIconOnly);
        LSpeed->setDefaultAction(LAction);
        LFlow->addWidget(LSpeed);
        FButtons[ASetting].append(LSpeed);
    }
    LFlow->addStretch(1);
    LColumn->addLayout(LFlow);
    FValueLabels[ASetting] = LValue;
    connect(FGroups[ASetting], &QActionGroup::triggered, this,
            [this, ASetting](QAction* AAction) { Clicked(ASetting, AAction); });
    static_cast<QVBoxLayout*>(layout())->addWidget(LPanel);
}

TqoSpeedButton* TFlexBoxContainerEditorFrame::Button(TSetting ASetting, int AValue) const
{
    for (TqoSpeedButton* LButton : FButtons[ASetting])
        if (LButton->defaultAction()->data().toInt() == AValue)
            return LButton;
    return nullptr;
}

int TFlexBoxContainerEditorFrame::Checked(TSetting ASetting) const
{
    QAction* LAction = FGroups[ASetting]->checkedAction();
    return LAction ? LAction->data().toInt() : -1;
}

int TFlexBoxContainerEditorFrame::Value(TSetting ASetting) const
{
    auto* LInstance = qobject_cast<core::IORVOFlexContainer*>(FInstance.data());
    const TAlign* LAlign = LInstance ? LInstance->GetChildrenAlignment() : nullptr;
    if (!LAlign)
        return -1;
    switch (ASetting) {
    case Direction:
        return int(LAlign->GetDirection());
    case Wrap:
        return int(LAlign->GetWrap());
    case AlignContent:
        return int(LAlign->GetAlignContent());
    case JustifyContent:
        return int(LAlign->GetJustifyContent());
    case AlignItems:
        return int(LAlign->GetAlignItems());
    case SettingCount:
        break;
    }
    return -1;
}

void TFlexBoxContainerEditorFrame::ShowValue(TSetting ASetting, int AValue)
{
    FValueLabels[ASetting]->setText(QString::fromLatin1(SettingType(ASetting).valueToKey(AValue)));
}

void TFlexBoxContainerEditorFrame::SetInstance(core::IORVOFlexContainer* AInstance)
{
    FInstance = dynamic_cast<QObject*>(AInstance);
    for (int I = 0; I < SettingCount; ++I) {
        const auto LSetting = TSetting(I);
        const int LValue = Value(LSetting);
        TqoSpeedButton* LButton = Button(LSetting, LValue);
        if (!LButton)
            core::TqoAssert::UnknownValue(QString::fromLatin1(SettingType(I).name()));
        LButton->defaultAction()->setChecked(true);
        ShowValue(LSetting, LValue);
        if (LSetting == Direction)
            UpdateIcons();
    }
}

void TFlexBoxContainerEditorFrame::Clicked(TSetting ASetting, QAction* AAction)
{
    core::TqoAssert::IsNotNil(AAction, QStringLiteral("Sender"));
    core::TqoAssert::IsNotNil(FInstance.data(), QStringLiteral("FInstance"));
    auto* LInstance = qobject_cast<core::IORVOFlexContainer*>(FInstance.data());
    TAlign* LAlign = LInstance ? LInstance->GetChildrenAlignment() : nullptr;
    if (!LAlign)
        return;
    const int LValue = AAction->data().toInt();
    switch (ASetting) {
    case Direction:
        LAlign->SetDirection(TAlign::TqoFlexDirection(LValue));
        break;
    case Wrap:
        LAlign->SetWrap(TAlign::TqoFlexWrap(LValue));
        break;
    case AlignContent:
        LAlign->SetAlignContent(TAlign::TqoAlignContent(LValue));
        break;
    case JustifyContent:
        LAlign->SetJustifyContent(TAlign::TqoJustifyContent(LValue));
        break;
    case AlignItems:
        LAlign->SetAlignItems(TAlign::TqoAlignItems(LValue));
        break;
    case SettingCount:
        return;
    }
    ShowValue(ASetting, LValue);
    if (ASetting == Direction)
        UpdateIcons();
}

void TFlexBoxContainerEditorFrame::UpdateIcons()
{
    const int LDirection = Checked(Direction) < 0 ? 0 : Checked(Direction);
    const bool LColumn = LDirection == 0 || LDirection == 2;
    const bool LReverse = LDirection >= 2;
    const QString LAxis = LColumn ? QStringLiteral(" Column") : QStringLiteral(" Row");
    static const char* const LDirectionImages[] = {"Column", "Row", "Column Reverse", "Row Reverse"};
    for (TqoSpeedButton* LButton : FButtons[Direction])
        LButton->SetImageName(QStringLiteral("Direction\\") +
                              QString::fromLatin1(LDirectionImages[LButton->defaultAction()->data().toInt()]));
    for (int I = Wrap; I < SettingCount; ++I)
        for (TqoSpeedButton* LButton : FButtons[I]) {
            QString LValue = LButton->defaultAction()->property("Image").toString();
            // Start and End follow the direction's sense along the main axis.
            if (I == JustifyContent && LReverse && (LValue == QLatin1String("Start") || LValue == QLatin1String("End")))
                LValue = LValue == QLatin1String("Start") ? QStringLiteral("End") : QStringLiteral("Start");
            LButton->SetImageName(ImageCategory(I) + QLatin1Char('\\') + LValue + LAxis);
        }
}

} // namespace orvo
