#include "dialogs/icons/Dialog.Google.Icons.h"

#include "ORVO.Assert.h"
#include "ORVO.Translator.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("TDialogMaterialIconsImporter");

void RegisterTranslations()
{
    core::TqoTranslator::RegisterTexts(
        CScope,
        {{"caption", "Поиск иконок", "Search icons"},
         {"label1.caption", "Набор иконок:", "Icons set:"},
         {"label2.caption", "Базовый логический размер:", "Base logical size:"},
         {"label3.caption", "Оттенок:", "Tint:"},
         {"label4.caption", "Формат изображений:", "Image format:"},
         {"rbwhite.caption", "Белый", "White"},
         {"rbblack.caption", "Черный", "Black"},
         {"rbsvg.caption", "SVG", "SVG"},
         {"rbpng.caption", "PNG", "PNG"},
         {"edsearch.texthint", "Поиск (минимум две буквы)", "Search (minimum 2 characters)"},
         {"lsearchsample.caption",
          "Ничего не найдено. Введите критерий поиска. Например: <a href=\"notification\">\"notification\"</a>",
          "Nothing was found. Enter the search criteria. For example: <a href=\"notification\">\"notification\"</a>"},
         {"selected_icons_count", "Выбрано %d иконок (<a href=\"reset\">\"cбросить\"</a>)",
          "Selected %d Icons (<a href=\"reset\">\"reset\"</a>)"},
         {"btnok.caption", "Импортировать", "Import"},
         {"btncancel.caption", "Отмена", "Cancel"}});
}

QString Tr(const char* AKey) { return core::TqoTranslator::Translate(CScope, QString::fromLatin1(AKey)); }

template <typename T, typename... TArgs> T* NewNamed(const char* AName, TArgs&&... AArgs)
{
    auto* LWidget = new T(std::forward<TArgs>(AArgs)...);
    LWidget->setObjectName(QString::fromLatin1(AName));
    return LWidget;
}

// A row of controls, which it takes over.
QWidget* NewPanel(const char* AName, QWidget* AParent, std::initializer_list<QWidget*> AControls)
{
    auto* LPanel = NewNamed<QWidget>(AName, AParent);
    auto* LLayout = new QHBoxLayout(LPanel);
    LLayout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* LControl : AControls)
        LLayout->addWidget(LControl);
    return LPanel;
}

QRadioButton* NewRadio(const char* AName, const char* AKey, QWidget* AParent)
{
    return NewNamed<QRadioButton>(AName, Tr(AKey), AParent);
}

QLabel* NewLabel(const char* AName, const QString& AText, QWidget* AParent)
{
    return NewNamed<QLabel>(AName, AText, AParent);
}

} // namespace

// The matches under their category headers: headers at the top level, icons below them. A
// preview is made when the view first asks for the row's decoration.
class TMaterialIconsListModel : public QAbstractItemModel
{
public:
    struct TListGroup
    {
        int Id = 0;
        QString Caption;
        std::vector<TqoIconData*> Items;
    };

    explicit TMaterialIconsListModel(TMaterialIconsModel& AModel, QObject* AParent)
        : QAbstractItemModel(AParent), FModel(AModel)
    {
    }

    void SetGroups(std::vector<TListGroup> AGroups)
    {
        beginResetModel();
        FGroups = std::move(AGroups);
        endResetModel();
    }
    const std::vector<TListGroup>& Groups() const { return FGroups; }
    // Previews were dropped: every decoration is asked for again.
    void PreviewsChanged()
    {
        for (int I = 0; I < int(FGroups.size()); ++I)
            if (!FGroups[size_t(I)].Items.empty())
                Q_EMIT dataChanged(index(0, 0, index(I, 0)),
                                   index(int(FGroups[size_t(I)].Items.size()) - 1, 0, index(I, 0)),
                                   {Qt::DecorationRole});
    }
    TqoIconData* Icon(const QModelIndex& AIndex) const
    {
        if (!AIndex.isValid() || AIndex.model() != this || AIndex.internalId() == 0)
            return nullptr;
        return FGroups[size_t(AIndex.internalId() - 1)].Items[size_t(AIndex.row())];
    }
    QModelIndex IndexOf(const TqoIconData* AIcon) const
    {
        for (size_t G = 0; G < FGroups.size(); ++G) {
            const auto& LItems = FGroups[G].Items;
            const auto LIt = std::find(LItems.begin(), LItems.end(), AIcon);
            if (LIt != LItems.end())
                return createIndex(int(LIt - LItems.begin()), 0, quintptr(G + 1));
        }
        return {};
    }

    // Icons carry the number of their group plus one; headers carry 0.
    QModelIndex index(int ARow, int AColumn, const QModelIndex& AParent = {}) const override
    {
        if (AColumn != 0 || ARow < 0)
            return {};
        if (!AParent.isValid())
            return ARow < int(FGroups.size()) ? createIndex(ARow, 0, quintptr(0)) : QModelIndex();
        if (AParent.internalId() != 0 || ARow >= int(FGroups[size_t(AParent.row())].Items.size()))
            return {};
        return createIndex(ARow, 0, quintptr(AParent.row() + 1));
    }
    QModelIndex parent(const QModelIndex& AChild) const override
    {
        if (!AChild.isValid() || AChild.internalId() == 0)
            return {};
        return createIndex(int(AChild.internalId() - 1), 0, quintptr(0));
    }
    int rowCount(const QModelIndex& AParent = {}) const override
    {
        if (!AParent.isValid())
            return int(FGroups.size());
        return AParent.internalId() == 0 ? int(FGroups[size_t(AParent.row())].Items.size()) : 0;
    }
    int columnCount(const QModelIndex& = {}) const override { return 1; }
    Qt::ItemFlags flags(const QModelIndex& AIndex) const override
    {
        if (!AIndex.isValid())
            return Qt::NoItemFlags;
        return AIndex.internalId() == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }
    QVariant data(const QModelIndex& AIndex, int ARole) const override
    {
        if (!AIndex.isValid())
            return {};
        // Rows are of one height, asked of the first row only, so that listing never makes the
        // previews of rows out of view.
        if (ARole == Qt::SizeHintRole)
            return QSize(TMaterialIconsModel::PreviewSize * 4, TMaterialIconsModel::PreviewSize + 4);
        if (AIndex.internalId() == 0) {
            const TListGroup& LGroup = FGroups[size_t(AIndex.row())];
            if (ARole == Qt::DisplayRole)
                return LGroup.Caption;
            if (ARole == Qt::FontRole) {
                QFont LFont;
                LFont.setBold(true);
                return LFont;
            }
            return {};
        }
        TqoIconData* LIcon = Icon(AIndex);
        if (ARole == Qt::DisplayRole)
            return LIcon->DisplayName;
        if (ARole == Qt::DecorationRole) {
            FModel.LoadIconIfNotLoaded(*LIcon);
            return QPixmap::fromImage(FModel.Preview(LIcon->ImageIndex));
        }
        return {};
    }

private:
    TMaterialIconsModel& FModel;
    std::vector<TListGroup> FGroups;
};

std::function<bool(TDialogMaterialIconsImporter&)> TDialogMaterialIconsImporter::ExecuteDialog =
    [](TDialogMaterialIconsImporter& ADialog) { return ADialog.exec() == QDialog::Accepted; };

TDialogMaterialIconsImporter::TDialogMaterialIconsImporter(QWidget* AOwner)
    : TDialogMaterialIconsImporter(TqoIconsRepository::Locate().Path, AOwner)
{
}

TDialogMaterialIconsImporter::TDialogMaterialIconsImporter(const QString& ARepository, QWidget* AOwner)
    : QDialog(AOwner), FModel(std::make_unique<TMaterialIconsModel>())
{
    RegisterTranslations();
    FModel->Load(ARepository);
    CreateControls();
    if (FModel->IconCount() == 0) {
        lRepository->setText(TqoIconsRepository::NotFoundMessage(ARepository));
        lRepository->setVisible(true);
    }
    FillList(QString());
}

TDialogMaterialIconsImporter::~TDialogMaterialIconsImporter() = default;

void TDialogMaterialIconsImporter::CreateControls()
{
    setObjectName(QStringLiteral("DialogMaterialIconsImporter"));
    setWindowTitle(Tr("caption"));
    resize(820, 640);
    auto* LLayout = new QVBoxLayout(this);

    Label1 = NewLabel("Label1", Tr("label1.caption"), this);
    LLayout->addWidget(Label1);
    edSearch = NewNamed<QLineEdit>("edSearch", this);
    edSearch->setPlaceholderText(Tr("edsearch.texthint"));
    edSearch->setClearButtonEnabled(true);
    LLayout->addWidget(edSearch);

    // The list and the empty message share one place; the message covers the list when empty.
    auto* LListArea = new QGridLayout;
    lvIcons = NewNamed<QTreeView>("lvIcons", this);
    lvIcons->setHeaderHidden(true);
    lvIcons->setRootIsDecorated(false);
    lvIcons->setItemsExpandable(false);
    lvIcons->setUniformRowHeights(true);
    lvIcons->setIconSize(QSize(TMaterialIconsModel::PreviewSize, TMaterialIconsModel::PreviewSize));
    lvIcons->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvIcons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FListModel = new TMaterialIconsListModel(*FModel, this);
    lvIcons->setModel(FListModel);
    connect(lvIcons->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TDialogMaterialIconsImporter::SelectionChanged);
    LListArea->addWidget(lvIcons, 0, 0);

    pnEmptyMessage = NewNamed<QWidget>("pnEmptyMessage", this);
    pnEmptyMessage->setAutoFillBackground(true);
    auto* LEmptyLayout = new QVBoxLayout(pnEmptyMessage);
    LEmptyLayout->addStretch();
    lSearchSample = NewLabel("lSearchSample", Tr("lsearchsample.caption"), pnEmptyMessage);
    lSearchSample->setAlignment(Qt::AlignCenter);
    lSearchSample->setWordWrap(true);
    lSearchSample->setTextFormat(Qt::RichText);
    connect(lSearchSample, &QLabel::linkActivated, this, [this](const QString& ALink) { edSearch->setText(ALink); });
    LEmptyLayout->addWidget(lSearchSample);
    lRepository = NewLabel("lRepository", QString(), pnEmptyMessage);
    lRepository->setAlignment(Qt::AlignCenter);
    lRepository->setWordWrap(true);
    lRepository->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lRepository->setVisible(false);
    LEmptyLayout->addWidget(lRepository);
    LEmptyLayout->addStretch();
    LListArea->addWidget(pnEmptyMessage, 0, 0);
    LLayout->addLayout(LListArea, 1);

    auto* LOptions = new QHBoxLayout;
    Label4 = NewLabel("Label4", Tr("label4.caption"), this);
    rbSVG = NewRadio("rbSVG", "rbsvg.caption", this);
    rbPNG = NewRadio("rbPNG", "rbpng.caption", this);
    rbSVG->setChecked(true);
    pnTypes = NewPanel("pnTypes", this, {rbSVG, rbPNG});
    LOptions->addWidget(Label4);
    LOptions->addWidget(pnTypes);
    LOptions->addSpacing(24);

    Label2 = NewLabel("Label2", Tr("label2.caption"), this);
    cbSizes = NewNamed<QComboBox>("cbSizes", this);
    for (const int LSize : MaterialIconSizes)
        cbSizes->addItem(QStringLiteral("%1 x %1").arg(LSize), LSize);
    cbSizes->setCurrentIndex(1);
    LOptions->addWidget(Label2);
    LOptions->addWidget(cbSizes);
    LOptions->addSpacing(24);

    Label3 = NewLabel("Label3", Tr("label3.caption"), this);
    rbWhite = NewRadio("rbWhite", "rbwhite.caption", this);
    rbBlack = NewRadio("rbBlack", "rbblack.caption", this);
    rbWhite->setChecked(true);
    pnTints = NewPanel("pnTints", this, {Label3, rbWhite, rbBlack});
    pnTints->setVisible(false);
    LOptions->addWidget(pnTints);
    LOptions->addStretch();
    LLayout->addLayout(LOptions);

    auto* LBottom = new QHBoxLayout;
    lSelectedIcons = NewLabel("lSelectedIcons", QString(), this);
    lSelectedIcons->setTextFormat(Qt::RichText);
    lSelectedIcons->setVisible(false);
    connect(lSelectedIcons, &QLabel::linkActivated, this, [this] { ResetSelection(); });
    LBottom->addWidget(lSelectedIcons);
    LBottom->addStretch();
    auto* LButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    LButtons->button(QDialogButtonBox::Ok)->setText(Tr("btnok.caption"));
    LButtons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOk"));
    LButtons->button(QDialogButtonBox::Cancel)->setText(Tr("btncancel.caption"));
    LButtons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    connect(LButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(LButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    LBottom->addWidget(LButtons);
    LLayout->addLayout(LBottom);

    tmDelaySearch = NewNamed<QTimer>("tmDelaySearch", this);
    tmDelaySearch->setSingleShot(true);
    tmDelaySearch->setInterval(300);
    connect(tmDelaySearch, &QTimer::timeout, this, &TDialogMaterialIconsImporter::tmDelaySearchTimer);
    connect(edSearch, &QLineEdit::textChanged, tmDelaySearch, qOverload<>(&QTimer::start));
    connect(rbSVG, &QRadioButton::toggled, this, &TDialogMaterialIconsImporter::TypeChanged);
    connect(rbWhite, &QRadioButton::toggled, this, &TDialogMaterialIconsImporter::TintChanged);
    edSearch->setFocus();
}

void TDialogMaterialIconsImporter::tmDelaySearchTimer()
{
    tmDelaySearch->stop();
    RefillList();
}

void TDialogMaterialIconsImporter::RefillList()
{
    const QString LText = edSearch->text();
    FillList(LText.size() >= 2 ? LText : QString());
}

void TDialogMaterialIconsImporter::FillList(const QString& AFilter)
{
    FFilling = true;
    std::vector<TMaterialIconsListModel::TListGroup> LGroups;
    // Headers in the catalogue's order; the two formats of a category share one.
    for (const TqoGroupData* LGroup : FModel->Groups())
        if (std::none_of(LGroups.begin(), LGroups.end(), [&](const auto& G) { return G.Id == LGroup->ID; }))
            LGroups.push_back({LGroup->ID, LGroup->DisplayName, {}});
    FModel->Enumerate(
        AFilter,
        [&](TqoIconData& AIcon) {
            for (auto& LGroup : LGroups)
                if (LGroup.Id == AIcon.GroupId) {
                    LGroup.Items.push_back(&AIcon);
                    break;
                }
        },
        rbSVG->isChecked() ? TqoIconType::SVG : TqoIconType::PNG);
    std::erase_if(LGroups, [](const auto& G) { return G.Items.empty(); });
    for (auto& LGroup : LGroups)
        std::stable_sort(LGroup.Items.begin(), LGroup.Items.end(), [](const TqoIconData* A, const TqoIconData* B) {
            return A->DisplayName.compare(B->DisplayName, Qt::CaseInsensitive) < 0;
        });
    FListModel->SetGroups(std::move(LGroups));
    lvIcons->expandAll();
    QItemSelection LSelection;
    for (const TqoIconData* LIcon : FSelected) {
        const QModelIndex LIndex = FListModel->IndexOf(LIcon);
        if (LIndex.isValid())
            LSelection.select(LIndex, LIndex);
    }
    lvIcons->selectionModel()->select(LSelection, QItemSelectionModel::ClearAndSelect);
    FFilling = false;
    pnEmptyMessage->setVisible(FListModel->rowCount() == 0);
}

std::vector<const TqoIconData*> TDialogMaterialIconsImporter::ListedIcons() const
{
    std::vector<const TqoIconData*> LIcons;
    for (const auto& LGroup : FListModel->Groups())
        LIcons.insert(LIcons.end(), LGroup.Items.begin(), LGroup.Items.end());
    return LIcons;
}

void TDialogMaterialIconsImporter::SelectionChanged(const QItemSelection& ASelected, const QItemSelection& ADeselected)
{
    if (FFilling)
        return;
    for (const QModelIndex& LIndex : ADeselected.indexes())
        if (TqoIconData* LIcon = FListModel->Icon(LIndex)) {
            LIcon->IsSelected = false;
            std::erase(FSelected, LIcon);
        }
    for (const QModelIndex& LIndex : ASelected.indexes())
        if (TqoIconData* LIcon = FListModel->Icon(LIndex); LIcon && !LIcon->IsSelected) {
            LIcon->IsSelected = true;
            FSelected.push_back(LIcon);
        }
    UpdateSelectedLabel();
}

void TDialogMaterialIconsImporter::ResetSelection()
{
    for (TqoIconData* LIcon : FSelected)
        LIcon->IsSelected = false;
    FSelected.clear();
    FFilling = true;
    lvIcons->clearSelection();
    FFilling = false;
    UpdateSelectedLabel();
}

void TDialogMaterialIconsImporter::UpdateSelectedLabel()
{
    lSelectedIcons->setText(
        Tr("selected_icons_count").replace(QStringLiteral("%d"), QString::number(FSelected.size())));
    lSelectedIcons->setVisible(!FSelected.empty());
}

void TDialogMaterialIconsImporter::TypeChanged()
{
    pnTints->setVisible(rbPNG->isChecked());
    RefillList();
}

void TDialogMaterialIconsImporter::TintChanged()
{
    const bool LWhite = rbWhite->isChecked();
    FModel->SetTintColor(LWhite ? 0xFFFFFFFF : 0xFF000000);
    // Black icons need the light board to be seen.
    FModel->SetTintType(LWhite ? TMaterialIconsModel::TqoTintType::Light : TMaterialIconsModel::TqoTintType::Dark);
    RefillList();
}

void TDialogMaterialIconsImporter::FillGroups(std::vector<core::TqoAssetGroup>* AGroups) const
{
    core::TqoAssert::IsNotNil(AGroups, QStringLiteral("AGroups"));
    TqoMaterialImport LImport;
    LImport.Size = cbSizes->currentData().toInt();
    LImport.Black = rbBlack->isChecked();
    orvo::FillGroups({FSelected.begin(), FSelected.end()}, LImport, *AGroups);
}

} // namespace orvo
