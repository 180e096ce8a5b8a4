#include "ORVO.Assets.Picker.Style.h"

#include "ORVO.Assets.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Translator.h"
#include "ToolsAPI.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTemporaryFile>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("TFormStyleEditor");
constexpr int EntryRole = Qt::UserRole + 1;

QString Tr(const char* AKey)
{
    static const bool LRegistered = [] {
        const auto LTable = [](std::initializer_list<const char*> ATexts) {
            static const char* const CKeys[] = {"caption",  "lstyleclass", "overridden", "all",
                                                "property", "value",       "ok",         "cancel"};
            core::TqoTranslationItems LItems;
            int I = 0;
            for (const char* LText : ATexts)
                LItems.append({QString::fromLatin1(CKeys[I++]), QString::fromUtf8(LText)});
            return LItems;
        };
        core::TqoTranslator::RegisterTable(CScope, core::TqoTranslator::DefaultLanguage,
                                           LTable({"Редактор стиля", "Стиль для:", "Overridden Properties",
                                                   "All Properties", "Property", "Value", "Ок", "Отмена"}));
        core::TqoTranslator::RegisterTable(CScope, core::TqoTranslator::EnglishLanguage,
                                           LTable({"Style editor", "Style for:", "Overridden Properties",
                                                   "All Properties", "Property", "Value", "OK", "Cancel"}));
        return true;
    }();
    Q_UNUSED(LRegistered);
    return core::TqoTranslator::Translate(CScope, QString::fromLatin1(AKey));
}

void ShowError(const std::exception& AError)
{
    ide::MessageDlg(QString::fromUtf8(AError.what()), ide::TMsgDlgType::mtError, ide::mbOK);
}

// The value column: drawn by the entry's editor, edited as text or as a choice of its values.
class TValueDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* APainter, const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override
    {
        const TPropertyData* LEntry = Entry(AIndex);
        if (AIndex.column() != 1 || !LEntry || !LEntry->Editor) {
            QStyledItemDelegate::paint(APainter, AOption, AIndex);
            return;
        }
        const bool LSelected = AOption.state.testFlag(QStyle::State_Selected);
        if (LSelected)
            APainter->fillRect(AOption.rect, AOption.palette.highlight());
        APainter->save();
        APainter->setPen(AOption.palette.color(LSelected ? QPalette::HighlightedText : QPalette::Text));
        LEntry->Editor->DrawValue(*APainter, AOption.rect, LSelected);
        APainter->restore();
    }

    QWidget* createEditor(QWidget* AParent, const QStyleOptionViewItem&, const QModelIndex& AIndex) const override
    {
        const TPropertyData* LEntry = Entry(AIndex);
        if (AIndex.column() != 1 || !LEntry || !LEntry->Editor)
            return nullptr;
        const QStringList LValues = LEntry->Editor->GetValues();
        if (LValues.isEmpty())
            return new QLineEdit(AParent);
        auto* LList = new QComboBox(AParent);
        LList->addItems(LValues);
        return LList;
    }

    void setEditorData(QWidget* AEditor, const QModelIndex& AIndex) const override
    {
        const QString LValue = Entry(AIndex)->Editor->GetValue();
        if (auto* LList = qobject_cast<QComboBox*>(AEditor))
            LList->setCurrentText(LValue);
        else if (auto* LLine = qobject_cast<QLineEdit*>(AEditor))
            LLine->setText(LValue);
    }

    void setModelData(QWidget* AEditor, QAbstractItemModel* AModel, const QModelIndex& AIndex) const override
    {
        TPropertyData* LEntry = Entry(AIndex);
        const auto* LList = qobject_cast<QComboBox*>(AEditor);
        const auto* LLine = qobject_cast<QLineEdit*>(AEditor);
        try {
            LEntry->Editor->SetValue(LList ? LList->currentText() : LLine->text());
            LEntry->Value = LEntry->Editor->GetRttiValue();
        } catch (const core::EqoException& E) {
            ShowError(E);
        }
        AModel->setData(AIndex, LEntry->Editor->GetValue());
    }

private:
    static TPropertyData* Entry(const QModelIndex& AIndex)
    {
        return reinterpret_cast<TPropertyData*>(AIndex.siblingAtColumn(0).data(EntryRole).value<quintptr>());
    }
};

} // namespace

TFormStyleEditor::TFormStyleEditor(QWidget* AParent) : QDialog(AParent)
{
    setWindowTitle(Tr("caption"));
    resize(480, 520);
    auto* LLayout = new QVBoxLayout(this);
    LLayout->addWidget(new QLabel(Tr("lstyleclass"), this));
    cbStyleClass = new QComboBox(this);
    cbStyleClass->setObjectName(QStringLiteral("cbStyleClass"));
    cbStyleClass->addItems(TStyleClassRegistry::Instance().StyleClassNames());
    cbStyleClass->setCurrentIndex(-1);
    LLayout->addWidget(cbStyleClass);
    tvProperties = new QTreeWidget(this);
    tvProperties->setObjectName(QStringLiteral("tvProperties"));
    tvProperties->setHeaderLabels({Tr("property"), Tr("value")});
    tvProperties->header()->resizeSection(0, 240);
    tvProperties->setItemDelegate(new TValueDelegate(tvProperties));
    tvProperties->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                  QAbstractItemView::EditKeyPressed);
    LLayout->addWidget(tvProperties);
    auto* LButtons = new QHBoxLayout;
    LButtons->addStretch();
    btnOk = new QPushButton(Tr("ok"), this);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(Tr("cancel"), this);
    LButtons->addWidget(btnOk);
    LButtons->addWidget(btnCancel);
    LLayout->addLayout(LButtons);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbStyleClass, &QComboBox::activated, this, &TFormStyleEditor::ClassSelected);
    connect(tvProperties, &QTreeWidget::itemChanged, this, &TFormStyleEditor::ItemChanged);
    RebuildTree();
}

TFormStyleEditor* TFormStyleEditor::Execute(core::TqoAssetStyle* AAsset, QWidget* AParent,
                                            std::function<void()> AOnApplied)
{
    auto* LDialog = new TFormStyleEditor(AParent);
    LDialog->setAttribute(Qt::WA_DeleteOnClose);
    try {
        LDialog->LoadAsset(*AAsset);
    } catch (...) {
        delete LDialog;
        throw;
    }
    connect(LDialog, &QDialog::accepted, LDialog, [LDialog, AAsset, AOnApplied] {
        try {
            LDialog->ApplyToAsset(*AAsset);
        } catch (const core::EqoException& E) {
            ShowError(E);
            return;
        }
        if (AOnApplied)
            AOnApplied();
    });
    LDialog->open();
    return LDialog;
}

void TFormStyleEditor::LoadAsset(const core::TqoAssetStyle& AAsset)
{
    if (!AAsset.GetStyleClass().isEmpty())
        FModel.SelectClass(AAsset.GetStyleClass());
    const QString LFileName = AAsset.GetFileName();
    if (!AAsset.GetUri().isEmpty() && QFileInfo(LFileName).isFile())
        FModel.LoadFromFile(LFileName);
    ShowClass();
    RebuildTree();
}

void TFormStyleEditor::ApplyToAsset(core::TqoAssetStyle& AAsset) const
{
    if (FModel.SelectedClass())
        AAsset.SetStyleClass(
            QString::fromLatin1(FModel.SelectedClass()->className()).section(QStringLiteral("::"), -1));
    // The project's copy is made by the asset's storage when the assets are saved.
    QTemporaryFile LFile(QDir::temp().filePath(QStringLiteral("orvo-style-XXXXXX.style")));
    LFile.setAutoRemove(false);
    if (!LFile.open())
        throw core::EqoFileError(LFile.fileTemplate(), 0, LFile.errorString());
    LFile.close();
    FModel.SaveToFile(LFile.fileName());
    AAsset.SetUri(LFile.fileName());
}

void TFormStyleEditor::ShowClass()
{
    cbStyleClass->setCurrentIndex(
        FModel.SelectedClass()
            ? cbStyleClass->findText(TStyleClassRegistry::Instance().QualifiedName(FModel.SelectedClass()))
            : -1);
}

void TFormStyleEditor::ClassSelected(int AIndex)
{
    if (AIndex < 0)
        return;
    try {
        FModel.SelectClass(cbStyleClass->itemText(AIndex));
    } catch (const core::EqoException& E) {
        ShowError(E);
    }
    RebuildTree();
}

TPropertyData* TFormStyleEditor::EntryOf(const QTreeWidgetItem* AItem) const
{
    return AItem ? reinterpret_cast<TPropertyData*>(AItem->data(0, EntryRole).value<quintptr>()) : nullptr;
}

void TFormStyleEditor::RebuildTree()
{
    FRebuilding = true;
    tvProperties->clear();
    FOverriddenRoot = new QTreeWidgetItem(tvProperties, {Tr("overridden")});
    FAllRoot = new QTreeWidgetItem(tvProperties, {Tr("all")});
    for (const auto& LEntry : FModel.Entries()) {
        const bool LDeclared = FModel.IsDeclared(LEntry.get());
        auto* LItem =
            new QTreeWidgetItem(LDeclared ? FOverriddenRoot : FAllRoot,
                                {LEntry->FullQualifiedName(), LEntry->Editor ? LEntry->Editor->GetValue() : QString()});
        LItem->setData(0, EntryRole, QVariant::fromValue(quintptr(LEntry.get())));
        LItem->setCheckState(0, LDeclared ? Qt::Checked : Qt::Unchecked);
        Qt::ItemFlags LFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
        if (LDeclared && LEntry->Editor)
            LFlags |= Qt::ItemIsEditable;
        LItem->setFlags(LFlags);
    }
    for (QTreeWidgetItem* LRoot : {FOverriddenRoot, FAllRoot})
        LRoot->sortChildren(0, Qt::AscendingOrder);
    tvProperties->expandAll();
    FRebuilding = false;
}

void TFormStyleEditor::ItemChanged(QTreeWidgetItem* AItem, int AColumn)
{
    TPropertyData* LEntry = EntryOf(AItem);
    if (FRebuilding || AColumn != 0 || !LEntry)
        return;
    const bool LChecked = AItem->checkState(0) == Qt::Checked;
    if (LChecked == FModel.IsDeclared(LEntry))
        return;
    if (LChecked) {
        LEntry->Value = LEntry->Property.read(LEntry->Owner);
        FModel.MarkAsDeclared(LEntry);
    } else {
        FModel.RemoveFromDeclared(LEntry);
    }
    // The item that reports the change is still in use by the tree: rebuild on the next turn.
    QTimer::singleShot(0, this, &TFormStyleEditor::RebuildTree);
}

} // namespace orvo
