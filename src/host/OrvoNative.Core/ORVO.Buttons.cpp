#include "ORVO.Buttons.h"

#include <QMetaEnum>

namespace core {

QString TqoButtonKinds::ToId(TqoButtonKind AKind)
{
    return QString::fromLatin1(QMetaEnum::fromType<TqoButtonKind>().valueToKey(int(AKind)));
}

bool TqoButtonKinds::TryGetFromString(const QString& AText, TqoButtonKind& AKind)
{
    const QMetaEnum LType = QMetaEnum::fromType<TqoButtonKind>();
    for (int I = 0; I < LType.keyCount(); ++I)
        if (AText.trimmed().compare(QLatin1String(LType.key(I)), Qt::CaseInsensitive) == 0) {
            AKind = TqoButtonKind(LType.value(I));
            return true;
        }
    return false;
}

QStringList TqoButtonAppearanceManager::GetKinds()
{
    QStringList LKinds;
    const QMetaEnum LType = QMetaEnum::fromType<TqoButtonKind>();
    for (int I = 0; I < LType.keyCount(); ++I)
        LKinds << QString::fromLatin1(LType.key(I));
    return LKinds;
}

TqoButtonAppearance* TqoButtonAppearanceManager::Create(TqoButtonKind AKind, QObject* AOwner)
{
    // Material's button styles on the framework's default primary color.
    struct TDefaults
    {
        uint Background, Text, Border;
        float Radius;
    };
    TDefaults LDefaults;
    switch (AKind) {
    case TqoButtonKind::Contained:
        LDefaults = {0xFF6200EE, 0xFFFFFFFF, 0x00000000, 4};
        break;
    case TqoButtonKind::Outlined:
        LDefaults = {0x00000000, 0xFF6200EE, 0x1F000000, 4};
        break;
    case TqoButtonKind::Text:
        LDefaults = {0x00000000, 0xFF6200EE, 0x00000000, 4};
        break;
    case TqoButtonKind::Tonal:
        LDefaults = {0xFFE8DEF8, 0xFF1D192B, 0x00000000, 20};
        break;
    case TqoButtonKind::Custom:
    default:
        return nullptr;
    }
    auto* LAppearance = new TqoButtonAppearance(AOwner);
    LAppearance->SetBackgroundColor(LDefaults.Background);
    LAppearance->SetTextColor(LDefaults.Text);
    LAppearance->SetBorderColor(LDefaults.Border);
    LAppearance->SetCornerRadius(LDefaults.Radius);
    return LAppearance;
}

namespace {

struct TActionKind
{
    const char* Kind;
    const QMetaObject* Class;
};

const TActionKind CActionKinds[] = {{"Back", &TqoBackActionControl::staticMetaObject},
                                    {"Menu", &TqoMenuActionControl::staticMetaObject},
                                    {"Search", &TqoSearchActionControl::staticMetaObject}};

} // namespace

QStringList TqoActionControlsManager::GetKinds()
{
    QStringList LKinds;
    for (const TActionKind& LKind : CActionKinds)
        LKinds << QString::fromLatin1(LKind.Kind);
    return LKinds;
}

TqoActionControl* TqoActionControlsManager::Create(const QString& AKind, QObject* AOwner)
{
    for (const TActionKind& LKind : CActionKinds)
        if (AKind.compare(QLatin1String(LKind.Kind), Qt::CaseInsensitive) == 0)
            return qobject_cast<TqoActionControl*>(LKind.Class->newInstance(Q_ARG(QObject*, AOwner)));
    return nullptr;
}

} // namespace core
