#include "assets/designer/ORVO.Assets.Designer.Frame.h"

#include <QLabel>
#include <QVBoxLayout>

namespace orvo {

class TFrameAssetManager::TPrivate
{
public:
    QLabel* Message = nullptr;
    QString LoadError;
};

TFrameAssetManager::TFrameAssetManager(QWidget* AParent)
    : QWidget(AParent), FDocument(std::make_unique<TqoAssetsDocument>()), d(std::make_unique<TPrivate>())
{
    auto* LLayout = new QVBoxLayout(this);
    d->Message = new QLabel(this);
    d->Message->setWordWrap(true);
    d->Message->hide();
    LLayout->addWidget(d->Message);
}

TFrameAssetManager::~TFrameAssetManager() = default;

void TFrameAssetManager::SetProject(const std::shared_ptr<ide::IOTAProject>& AProject)
{
    d->LoadError.clear();
    try {
        FDocument->SetProject(AProject);
    } catch (const std::exception& E) {
        d->LoadError = QString::fromUtf8(E.what());
    }
    d->Message->setText(d->LoadError);
    d->Message->setVisible(!d->LoadError.isEmpty());
}

void TFrameAssetManager::SetInitialAssetName(const QString& AName) { FDocument->SetInitialAssetName(AName); }

void TFrameAssetManager::LoadUISettings() { FDocument->LoadUISettings(); }

void TFrameAssetManager::SaveUISettings() { FDocument->SaveUISettings(); }

TqoAssetsSaveResult TFrameAssetManager::Save(bool AIsProjectDestroying)
{
    auto LResult = FDocument->Save(AIsProjectDestroying);
    FDocument->Exclude(TqoState::Modified);
    return LResult;
}

QString TFrameAssetManager::LoadErrorText() const { return d->LoadError; }

bool TFrameAssetManager::ContainsName(const QString& AName) const
{
    if (AName.isEmpty())
        return false;
    const auto& LManager = FDocument->GetAssetsManager();
    if (!AName.endsWith(QLatin1Char('\\')))
        return LManager.Contains(AName);
    for (const QString& LName : LManager.GetAssetsNames())
        if (LName.startsWith(AName))
            return true;
    return false;
}

} // namespace orvo
