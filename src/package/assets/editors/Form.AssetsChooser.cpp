#include "assets/editors/Form.AssetsChooser.h"

#include "ORVO.Translator.h"
#include "ToolsAPI.h"
#include "assets/designer/Wizard.AssetsManager.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("TFormAssetsChooser");
constexpr int CDefaultRowHeight = 24;
constexpr double CDefaultDensity = 96.0;
constexpr int CItemIndexRole = Qt::UserRole;

QString Tr(const char* AKey)
{
    core::TqoTranslator::RegisterTexts(CScope, {{"caption", "Выбор ресурса", "Asset chooser"},
                                                {"search.hint", "Поиск...", "Search..."},
                                                {"open.text", "Открыть менеджер ресурсов...", "Open Asset Manager..."},
                                                {"ok.text", "ОК", "OK"},
                                                {"cancel.text", "Отмена", "Cancel"}});
    return core::TqoTranslator::Translate(CScope, QString::fromLatin1(AKey));
}

} // namespace

std::function<bool(TFormAssetsChooser&)> TFormAssetsChooser::ExecuteDialog = [](TFormAssetsChooser& ADialog) {
    return ADialog.exec() == QDialog::Accepted;
};

TFormAssetsChooser::TFormAssetsChooser(QWidget* AParent, std::shared_ptr<core::TqoAssetsManager> AManager)
    : QDialog(AParent), FViewModel(std::move(AManager))
{
    setWindowTitle(Tr("caption"));
    edSearch = new QLineEdit;
    edSearch->setObjectName(QStringLiteral("edSearch"));
    edSearch->setPlaceholderText(Tr("search.hint"));
    edSearch->setClearButtonEnabled(true);

    vstImages = new QTreeWidget;
    vstImages->setObjectName(QStringLiteral("vstImages"));
    vstImages->setColumnCount(1);
    vstImages->setHeaderHidden(true);
    vstImages->setRootIsDecorated(false);
    vstImages->setUniformRowHeights(true);
    vstImages->setSelectionBehavior(QAbstractItemView::SelectRows);
    vstImages->setSelectionMode(QAbstractItemView::SingleSelection);
    vstImages->installEventFilter(this);

    lblOpenAssetsManager = new QPushButton(Tr("open.text"));
    lblOpenAssetsManager->setObjectName(QStringLiteral("lblOpenAssetsManager"));
    lblOpenAssetsManager->setFlat(true);
    lblOpenAssetsManager->setAutoDefault(false);
    lblOpenAssetsManager->setCursor(Qt::PointingHandCursor);
    lblOpenAssetsManager->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); text-decoration: "
                                                       "underline; border: none; text-align: left; }"));

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    Buttons->button(QDialogButtonBox::Ok)->setText(Tr("ok.text"));
    Buttons->button(QDialogButtonBox::Cancel)->setText(Tr("cancel.text"));
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(false);

    auto LBottom = new QHBoxLayout;
    LBottom->addWidget(lblOpenAssetsManager);
    LBottom->addStretch();
    LBottom->addWidget(Buttons);
    auto LLayout = new QVBoxLayout(this);
    LLayout->addWidget(edSearch);
    LLayout->addWidget(vstImages, 1);
    LLayout->addLayout(LBottom);
    resize(420, 480);

    connect(edSearch, &QLineEdit::textChanged, this, [this](const QString& AText) { FViewModel.SetFilter(AText); });
    connect(vstImages, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* ANode) { SelectNode(ANode); });
    connect(vstImages, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* ANode) {
        SelectNode(ANode);
        if (vstImages->selectedItems().size() == 1)
            accept();
    });
    connect(vstImages, &QTreeWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
    connect(lblOpenAssetsManager, &QPushButton::clicked, this, [this] { OpenAssetsManager(); });
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    FViewModel.OnChanged = [this] { ViewModelChanged(); };
    if (const QScreen* LScreen = screen()) {
        connect(LScreen, &QScreen::logicalDotsPerInchChanged, this,
                [this](qreal ADotsPerInch) { ChangeDensity(ADotsPerInch); });
        ChangeDensity(LScreen->logicalDotsPerInch());
    }
    FViewModel.BuildModel();
    FViewModel.UpdateItems();
}

TFormAssetsChooser::~TFormAssetsChooser() { FViewModel.OnChanged = nullptr; }

void TFormAssetsChooser::Show(const TqoAssetTypes& AAssetTypes, const QString& AInitialName,
                              const TAssetSelectedCallback& ACallback)
{
    TFormAssetsChooser LDialog(QApplication::activeWindow());
    LDialog.SetAssetTypes(AAssetTypes);
    LDialog.SetInitialImageName(AInitialName);
    if (ExecuteDialog(LDialog) && ACallback)
        ACallback(LDialog.GetSelectedName());
}

void TFormAssetsChooser::ChangeDensity(double ADotsPerInch)
{
    FRowHeight = int(CDefaultRowHeight * ADotsPerInch / CDefaultDensity);
    FViewModel.SetScale(ADotsPerInch / CDefaultDensity);
    // Same scale: the rows still take the new height.
    ViewModelChanged();
}

void TFormAssetsChooser::SetInitialImageName(const QString& AName)
{
    FSelectedName = AName;
    for (int I = 0; I < vstImages->topLevelItemCount(); ++I) {
        QTreeWidgetItem* LNode = vstImages->topLevelItem(I);
        if (ItemOf(LNode)->Name.compare(AName, Qt::CaseInsensitive) == 0) {
            vstImages->setCurrentItem(LNode);
            vstImages->scrollToItem(LNode);
            vstImages->setFocus();
            break;
        }
    }
}

void TFormAssetsChooser::ViewModelChanged()
{
    FReloading = true;
    vstImages->clear();
    vstImages->setIconSize(FViewModel.GetPreviewSize());
    const auto& LItems = FViewModel.VisibleItems();
    QTreeWidgetItem* LSelected = nullptr;
    for (int I = 0; I < int(LItems.size()); ++I) {
        auto LNode = new QTreeWidgetItem(vstImages, {LItems[I]->Caption});
        LNode->setData(0, CItemIndexRole, I);
        LNode->setIcon(0, QIcon(QPixmap::fromImage(LItems[I]->Preview())));
        LNode->setSizeHint(0, QSize(0, FRowHeight));
        if (!LSelected && !FSelectedName.isEmpty() && LItems[I]->Name == FSelectedName)
            LSelected = LNode;
    }
    // A search keeps the chosen row chosen while it is listed.
    if (LSelected)
        vstImages->setCurrentItem(LSelected);
    FReloading = false;
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(FirstSelectedNode() != nullptr);
}

const TqoGraphicItem* TFormAssetsChooser::ItemOf(const QTreeWidgetItem* ANode) const
{
    return FViewModel.VisibleItems().at(ANode->data(0, CItemIndexRole).toInt());
}

QTreeWidgetItem* TFormAssetsChooser::FirstSelectedNode() const
{
    const QList<QTreeWidgetItem*> LSelected = vstImages->selectedItems();
    return LSelected.isEmpty() ? nullptr : LSelected.first();
}

void TFormAssetsChooser::SelectNode(QTreeWidgetItem*)
{
    const QTreeWidgetItem* LNode = FirstSelectedNode();
    if (!LNode)
        return;
    FSelectedName = ItemOf(LNode)->Name;
    if (OnSelectImageName)
        OnSelectImageName(FSelectedName);
}

void TFormAssetsChooser::SelectionChanged()
{
    if (FReloading)
        return;
    const QTreeWidgetItem* LNode = FirstSelectedNode();
    // Moving through the rows with the keys chooses as well.
    if (LNode)
        FSelectedName = ItemOf(LNode)->Name;
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(LNode != nullptr);
}

bool TFormAssetsChooser::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == vstImages && AEvent->type() == QEvent::KeyPress) {
        const auto LKey = static_cast<QKeyEvent*>(AEvent);
        if ((LKey->key() == Qt::Key_Return || LKey->key() == Qt::Key_Enter) && LKey->modifiers() == Qt::NoModifier)
            SelectNode(FirstSelectedNode());
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void TFormAssetsChooser::OpenAssetsManager()
{
    reject();
    try {
        OpenAssetsManagerDesigner(FViewModel.ConvertThemeRelatedToAssetName(FSelectedName));
    } catch (const std::exception& E) {
        ide::MessageDlg(QString::fromUtf8(E.what()), ide::TMsgDlgType::mtError, ide::mbOK);
    }
}

} // namespace orvo
