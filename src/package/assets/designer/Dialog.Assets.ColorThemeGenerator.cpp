#include "assets/designer/Dialog.Assets.ColorThemeGenerator.h"

#include "ORVO.Translator.h"
#include "assets/designer/Frame.ColorGenerator.Color.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("TDialogThemeGenerator");

void RegisterTranslations()
{
    core::TqoTranslator::RegisterTexts(
        CScope,
        {{"caption", "Генерация темы", "Theme generation"},
         {"header",
          "Мастер поможет вам автоматически сгенерировать набор ресурсов темы по базовым настройках ваших цветовых "
          "предпочтений. Полученная тема автоматически используется компонентами.",
          "The wizard generates a set of theme assets from your basic color preferences. The components use the "
          "resulting theme automatically."},
         {"gbthemekind.caption", "Тип темы", "Theme kind"},
         {"rblighttheme.caption", "Светлая", "Light"},
         {"rbdarktheme.caption", "Темная", "Dark"},
         {"gbbasecolors.caption", "Базовые цвета", "Base colors"},
         {"lbasecolors.caption", "Выберите два базовых цвета: главный (P) и второстепенный (S). *",
          "Choose two base colors: the primary (P) and the secondary (S). *"},
         {"gbtextcolors.caption", "Цвет текста", "Text color"},
         {"lprimarytext.caption", "На главном (P) цвете:", "On the primary (P) color:"},
         {"lsecondarytext.caption", "На второстепенном (S) цвете:", "On the secondary (S) color:"},
         {"light.caption", "Светлый", "Light"},
         {"dark.caption", "Темный", "Dark"},
         {"btnok.caption", "Сгенерировать", "Generate"}});
}

QString Tr(const char* AKey) { return core::TqoTranslator::Translate(CScope, QString::fromLatin1(AKey)); }

QRadioButton* NewRadio(const char* AName, const char* AKey, QWidget* AParent)
{
    auto* LButton = new QRadioButton(Tr(AKey), AParent);
    LButton->setObjectName(QString::fromLatin1(AName));
    return LButton;
}

// Six colors for text on a surface: dark ones for light surfaces, light ones for dark surfaces.
void AddTextSet(QList<TThemeColor>& AColors, const QString& APrefix, bool ADark)
{
    static const struct
    {
        const char* Role;
        core::TqoAlphaColor Dark, Light;
    } CSet[] = {
        {"Text", 0xDE000000, 0xFFFFFFFF},           {"Icon", 0x8A000000, 0xFFFFFFFF},
        {"Secondary Text", 0x8A000000, 0xB3FFFFFF}, {"Disabled Text", 0x61000000, 0x80FFFFFF},
        {"Hint Text", 0x61000000, 0x80FFFFFF},      {"Dividers", 0x1F000000, 0x1FFFFFFF},
    };
    for (const auto& LItem : CSet)
        AColors.append(
            {APrefix + QLatin1Char('\\') + QString::fromLatin1(LItem.Role), ADark ? LItem.Dark : LItem.Light});
}

} // namespace

QString ThemeName(const TThemeChoice& AChoice)
{
    return (AChoice.LightTheme ? QStringLiteral("Light ") : QStringLiteral("Dark ")) +
           Colors(AChoice.PrimaryIndex).Name;
}

QList<TThemeColor> ThemeColors(const TThemeChoice& AChoice)
{
    const TColorInfo& P = Colors(AChoice.PrimaryIndex);
    const TColorInfo& S = Colors(AChoice.SecondaryIndex);
    const bool LLight = AChoice.LightTheme;
    QList<TThemeColor> LColors{
        {QStringLiteral("Primary\\Color"), P.Color(TColorKind::k500)},
        {QStringLiteral("Primary\\Light Primary"), P.Color(TColorKind::k200)},
        {QStringLiteral("Primary\\Dark Primary"), P.Color(TColorKind::k700)},
        {QStringLiteral("Secondary\\Color"), S.Color(TColorKind::k500)},
        {QStringLiteral("Secondary\\Light Primary"), S.Color(TColorKind::k200)},
        {QStringLiteral("Secondary\\Dark Primary"), S.Color(TColorKind::k700)},
    };
    AddTextSet(LColors, QStringLiteral("Text"), LLight);
    AddTextSet(LColors, QStringLiteral("On Primary"), AChoice.PrimaryTextDark);
    AddTextSet(LColors, QStringLiteral("On Secondary"), AChoice.SecondaryTextDark);
    LColors.append({QStringLiteral("Error"), LLight ? 0xFFB00020u : 0xFFCF6679u});
    LColors.append({QStringLiteral("On Error"), LLight ? 0xFFFFFFFFu : 0xFF000000u});
    AddTextSet(LColors, QStringLiteral("On Error"), !LLight);
    const core::TqoAlphaColor LSurface = LLight ? 0xFFFFFFFF : 0xFF121212;
    LColors.append({QStringLiteral("Surface"), LSurface});
    AddTextSet(LColors, QStringLiteral("On Surface"), LLight);
    LColors.append({QStringLiteral("Background"), LSurface});
    AddTextSet(LColors, QStringLiteral("On Background"), LLight);
    return LColors;
}

std::function<bool(TDialogThemeGenerator&)> TDialogThemeGenerator::ExecuteDialog = [](TDialogThemeGenerator& ADialog) {
    return ADialog.exec() == QDialog::Accepted;
};

TDialogThemeGenerator::TDialogThemeGenerator(QWidget* AOwner) : QDialog(AOwner)
{
    RegisterTranslations();
    setObjectName(QStringLiteral("DialogThemeGenerator"));
    setWindowTitle(Tr("caption"));
    setMinimumSize(720, 680);
    auto* LLayout = new QVBoxLayout(this);

    auto* LHeader = new QLabel(Tr("header"), this);
    LHeader->setObjectName(QStringLiteral("lHeader"));
    LHeader->setWordWrap(true);
    LLayout->addWidget(LHeader);

    auto* LKind = new QGroupBox(Tr("gbthemekind.caption"), this);
    LKind->setObjectName(QStringLiteral("gbThemeKind"));
    auto* LKindLayout = new QHBoxLayout(LKind);
    rbLightTheme = NewRadio("rbLightTheme", "rblighttheme.caption", LKind);
    rbDarkTheme = NewRadio("rbDarkTheme", "rbdarktheme.caption", LKind);
    rbLightTheme->setChecked(true);
    LKindLayout->addWidget(rbLightTheme);
    LKindLayout->addWidget(rbDarkTheme);
    LKindLayout->addStretch();
    LLayout->addWidget(LKind);

    auto* LBase = new QGroupBox(Tr("gbbasecolors.caption"), this);
    LBase->setObjectName(QStringLiteral("gbBaseColors"));
    auto* LBaseLayout = new QVBoxLayout(LBase);
    LBaseLayout->addWidget(new QLabel(Tr("lbasecolors.caption"), LBase));
    gpColors = new QGridLayout;
    gpColors->setObjectName(QStringLiteral("gpColors"));
    for (int LColumn = 0; LColumn < 5; ++LColumn)
        gpColors->setColumnStretch(LColumn, 1);
    for (int LRow = 0; LRow < 4; ++LRow)
        gpColors->setRowStretch(LRow, 1);
    for (int LIndex = 1; LIndex <= ColorsCount; ++LIndex) {
        auto* LTile = new TFrameColorPicker(LIndex, LBase);
        LTile->OnColorSelected = [this](TFrameColorPicker* ASender, core::TqoAlphaColor AColor,
                                        Qt::MouseButton AButton) { ColorSelected(ASender, AColor, AButton); };
        gpColors->addWidget(LTile, (LIndex - 1) / 5, (LIndex - 1) % 5);
        FTiles << LTile;
    }
    LBaseLayout->addLayout(gpColors, 1);
    LLayout->addWidget(LBase, 1);

    auto* LText = new QGroupBox(Tr("gbtextcolors.caption"), this);
    LText->setObjectName(QStringLiteral("gbTextColors"));
    auto* LTextLayout = new QGridLayout(LText);
    LTextLayout->setColumnStretch(0, 1);
    LTextLayout->setColumnStretch(1, 1);
    rbPrimaryTextLight = NewRadio("rbPrimaryTextLight", "light.caption", LText);
    rbPrimaryTextDark = NewRadio("rbPrimaryTextDark", "dark.caption", LText);
    rbSecondaryTextLight = NewRadio("rbSecondaryTextLight", "light.caption", LText);
    rbSecondaryTextDark = NewRadio("rbSecondaryTextDark", "dark.caption", LText);
    // Each side is its own exclusive group.
    auto* LPrimary = new QWidget(LText);
    auto* LPrimaryLayout = new QVBoxLayout(LPrimary);
    LPrimaryLayout->addWidget(new QLabel(Tr("lprimarytext.caption"), LPrimary));
    rbPrimaryTextLight->setParent(LPrimary);
    rbPrimaryTextDark->setParent(LPrimary);
    LPrimaryLayout->addWidget(rbPrimaryTextLight);
    LPrimaryLayout->addWidget(rbPrimaryTextDark);
    auto* LSecondary = new QWidget(LText);
    auto* LSecondaryLayout = new QVBoxLayout(LSecondary);
    LSecondaryLayout->addWidget(new QLabel(Tr("lsecondarytext.caption"), LSecondary));
    rbSecondaryTextLight->setParent(LSecondary);
    rbSecondaryTextDark->setParent(LSecondary);
    LSecondaryLayout->addWidget(rbSecondaryTextLight);
    LSecondaryLayout->addWidget(rbSecondaryTextDark);
    rbPrimaryTextLight->setChecked(true);
    rbSecondaryTextLight->setChecked(true);
    LTextLayout->addWidget(LPrimary, 0, 0);
    LTextLayout->addWidget(LSecondary, 0, 1);
    LLayout->addWidget(LText);

    auto* LButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    LButtons->button(QDialogButtonBox::Ok)->setText(Tr("btnok.caption"));
    LButtons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOk"));
    connect(LButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(LButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    LLayout->addWidget(LButtons);

    UpdatePSLabels();
}

bool TDialogThemeGenerator::IsLightTheme() const { return rbLightTheme->isChecked(); }

void TDialogThemeGenerator::SetPrimaryIndex(int AIndex) { Choose(0, AIndex); }

void TDialogThemeGenerator::SetSecondaryIndex(int AIndex) { Choose(1, AIndex); }

TFrameColorPicker* TDialogThemeGenerator::ColorEditor(int AColorIndex) const { return FTiles.value(AColorIndex - 1); }

TThemeChoice TDialogThemeGenerator::Choice() const
{
    return {IsLightTheme(), PrimaryIndex(), SecondaryIndex(), rbPrimaryTextDark->isChecked(),
            rbSecondaryTextDark->isChecked()};
}

void TDialogThemeGenerator::ColorSelected(TFrameColorPicker* ASender, core::TqoAlphaColor, Qt::MouseButton AButton)
{
    if (AButton == Qt::LeftButton)
        Choose(0, ASender->ColorIndex());
    else if (AButton == Qt::RightButton)
        Choose(1, ASender->ColorIndex());
}

void TDialogThemeGenerator::Choose(int ARole, int AIndex)
{
    if (AIndex < 1 || AIndex > ColorsCount)
        return;
    if (AIndex != FSelectedColorsIndex[ARole]) {
        ColorEditor(FSelectedColorsIndex[ARole])->ResetSelection();
        FSelectedColorsIndex[ARole] = AIndex;
        const bool LLight = Colors(AIndex).TakesLightText();
        (ARole == 0 ? rbPrimaryTextLight : rbSecondaryTextLight)->setChecked(LLight);
        (ARole == 0 ? rbPrimaryTextDark : rbSecondaryTextDark)->setChecked(!LLight);
    }
    UpdatePSLabels();
}

void TDialogThemeGenerator::UpdatePSLabels()
{
    if (PrimaryIndex() == SecondaryIndex()) {
        ColorEditor(PrimaryIndex())->Select(QStringLiteral("P/S"));
        return;
    }
    ColorEditor(PrimaryIndex())->Select(QStringLiteral("P"));
    ColorEditor(SecondaryIndex())->Select(QStringLiteral("S"));
}

} // namespace orvo
