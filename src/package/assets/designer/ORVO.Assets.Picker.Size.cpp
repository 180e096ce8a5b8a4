#include "assets/designer/ORVO.Assets.Picker.Size.h"

#include "ORVO.Designer.Preview.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Translator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("TFormSizePicker");
constexpr int CPreviewSize = 67;

void RegisterTranslations()
{
    core::TqoTranslator::RegisterTexts(
        CScope,
        {{"caption", "Настройки импорта", "Import settings"},
         {"header",
          "В каталоге найдены изображения нескольких размеров. Выберите, какой размер вы хотите импортировать.",
          "Several image sizes were found in the catalog. Choose which size you want to import."},
         {"label2.text", "Базовый логический размер:", "Base logic size:"},
         {"cbpicksizebydefault.text", "Использовать для остальных изображений",
          "Use this base size for other importing images"},
         {"ok.text", "Импорт", "Import"},
         {"cancel.text", "Отмена", "Cancel"},
         {"cannot_get_base_size", "Невозможно извлечь базовый размер. Пользователь не выбрал размер в ComboBox.",
          "Cannot extract base size. User didn't pick size in ComboBox."}});
}

} // namespace

std::function<bool(TFormSizePicker&)> TFormSizePicker::ExecuteDialog = [](TFormSizePicker& ADialog) {
    return ADialog.exec() == QDialog::Accepted;
};

TFormSizePicker::TFormSizePicker(QWidget* AParent) : TFormGenerationParams((RegisterTranslations(), CScope), AParent)
{
    cbSizes = new QComboBox;
    cbSizes->setObjectName(QStringLiteral("cbSizes"));
    Label2 = new QLabel(Tr(QStringLiteral("label2.text")));
    Label2->setObjectName(QStringLiteral("Label2"));
    imgPreview = new QLabel;
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    imgPreview->setFixedSize(CPreviewSize, CPreviewSize);
    cbPickSizeByDefault = new QCheckBox(Tr(QStringLiteral("cbpicksizebydefault.text")));
    cbPickSizeByDefault->setObjectName(QStringLiteral("cbPickSizeByDefault"));
    cbPickSizeByDefault->setVisible(false);

    auto LFields = new QVBoxLayout;
    LFields->addWidget(Label2);
    LFields->addWidget(cbSizes);
    LFields->addWidget(cbPickSizeByDefault);
    LFields->addStretch();
    auto LContent = new QHBoxLayout(Content());
    LContent->addWidget(imgPreview, 0, Qt::AlignTop);
    LContent->addLayout(LFields, 1);
    setMinimumWidth(460);
}

void TFormSizePicker::SetSizes(const QList<int>& ASizes)
{
    FSizes = ASizes;
    cbSizes->clear();
    for (int LSize : ASizes)
        cbSizes->addItem(QStringLiteral("%1 x %1").arg(LSize));
    cbSizes->setCurrentIndex(ASizes.isEmpty() ? -1 : (ASizes.size() > 2 ? 2 : 0));
}

void TFormSizePicker::SetBitmap(const core::TqoBitmap* ABitmap)
{
    if (!ABitmap || ABitmap->IsEmpty())
        return;
    const core::TqoBitmap LPreview =
        dsgn::CreatePreview(*ABitmap, QSize(CPreviewSize, CPreviewSize), 0xCDFFFFFF, 0xCDD3D3D3, 8);
    imgPreview->setPixmap(QPixmap::fromImage(LPreview.Image()));
}

void TFormSizePicker::ShowMultipleImportCheckBox() { cbPickSizeByDefault->setVisible(true); }

int TFormSizePicker::GetBaseSize() const
{
    const int LIndex = cbSizes->currentIndex();
    if (LIndex < 0 || LIndex >= FSizes.size())
        throw core::EqoException(Tr(QStringLiteral("cannot_get_base_size")));
    return FSizes[LIndex];
}

bool TFormSizePicker::IsSizePickedByDefault() const { return cbPickSizeByDefault->isChecked(); }

TqoAskBaseSize TFormSizePicker::AskBaseSize(QWidget* AParent)
{
    return [AParent](const TqoMaterialIOIcons& AImporter, const QList<int>& ASizes,
                     bool AOfferRemember) -> std::optional<TqoChosenBaseSize> {
        TFormSizePicker LDialog(AParent);
        LDialog.SetSizes(ASizes);
        const std::unique_ptr<core::TqoBitmap> LPreview = AImporter.GetPreview();
        LDialog.SetBitmap(LPreview.get());
        if (AOfferRemember)
            LDialog.ShowMultipleImportCheckBox();
        if (!ExecuteDialog(LDialog))
            return std::nullopt;
        return TqoChosenBaseSize{LDialog.GetBaseSize(), LDialog.IsSizePickedByDefault()};
    };
}

} // namespace orvo
