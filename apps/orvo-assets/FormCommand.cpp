#include "FormCommand.h"

#include "CommandErrors.h"
#include "Console.h"
#include "DesignFormDocument.h"
#include "PackageLoader.h"

#include <QFileInfo>

namespace {

void PrintProperties(ide::TPropertyEditorList& AEditors, int AIndent)
{
    for (auto& E : AEditors) {
        QString LValue;
        try {
            LValue = E->ShownValue();
        } catch (const std::exception& X) {
            LValue = QStringLiteral("(%1)").arg(QString::fromUtf8(X.what()));
        }
        Out() << QString(AIndent, QLatin1Char(' ')) << E->GetName() << " = " << LValue << "  ["
              << ide::AttributeNames(E->GetAttributes()).join(QStringLiteral(", ")) << "]\n";
        if (E->GetAttributes().testFlag(ide::paSubProperties)) {
            ide::TPropertyEditorList LSubs;
            E->GetProperties([&](std::unique_ptr<ide::TPropertyEditor> S) { LSubs.push_back(std::move(S)); });
            PrintProperties(LSubs, AIndent + 2);
        }
    }
}

void PrintTree(ide::TFormDocument& ADocument, QObject* AComponent, int AIndent)
{
    const auto* LObject = ADocument.FormObjectOf(AComponent);
    Out() << QString(AIndent, QLatin1Char(' ')) << AComponent->objectName() << ": " << LObject->ClassName;
    if (ide::ClassName(AComponent->metaObject()) != LObject->ClassName)
        Out() << " (" << ide::ClassName(AComponent->metaObject()) << ")";
    Out() << "\n";
    for (QObject* C : AComponent->children())
        if (ADocument.FormObjectOf(C))
            PrintTree(ADocument, C, AIndent + 2);
}

// The editor of a dotted property path, going down through sub-properties.
std::unique_ptr<ide::TPropertyEditor> FindEditor(ide::TPropertyEditorList AEditors, const QStringList& APath)
{
    for (auto& E : AEditors) {
        if (E->GetName().compare(APath.front(), Qt::CaseInsensitive) != 0)
            continue;
        if (APath.size() == 1)
            return std::move(E);
        ide::TPropertyEditorList LSubs;
        E->GetProperties([&](std::unique_ptr<ide::TPropertyEditor> S) { LSubs.push_back(std::move(S)); });
        return FindEditor(std::move(LSubs), APath.mid(1));
    }
    return nullptr;
}

int SetProperty(ide::TFormDocument& ADocument, const QString& AAssignment)
{
    const int LEquals = AAssignment.indexOf(QLatin1Char('='));
    const QStringList LPath = AAssignment.left(LEquals).trimmed().split(QLatin1Char('.'));
    if (LEquals < 0 || LPath.size() < 2)
        throw EUsage(QStringLiteral("--set needs COMPONENT.PROPERTY=VALUE, not \"%1\"").arg(AAssignment));
    QObject* LComponent = ADocument.FindComponent(LPath.front());
    if (!LComponent)
        throw ECommand(QStringLiteral("the form has no component \"%1\"").arg(LPath.front()));
    auto LEditor = FindEditor(ide::GetComponentProperties({LComponent}, &ADocument.Designer()), LPath.mid(1));
    if (!LEditor)
        throw ECommand(QStringLiteral("\"%1\" has no property \"%2\" in the object inspector")
                           .arg(LPath.front(), LPath.mid(1).join(QLatin1Char('.'))));
    if (LEditor->GetAttributes().testFlag(ide::paReadOnly))
        throw ECommand(QStringLiteral("\"%1\" is read-only").arg(LPath.join(QLatin1Char('.'))));
    try {
        LEditor->SetValue(AAssignment.mid(LEquals + 1));
    } catch (const ide::EPropertyError& E) {
        throw ECommand(QStringLiteral("%1: %2").arg(LPath.join(QLatin1Char('.')), QString::fromUtf8(E.what())));
    }
    ADocument.Save();
    Out() << LPath.join(QLatin1Char('.')) << " = " << LEditor->GetValue() << "\n";
    return 0;
}

} // namespace

QString FormCommandUsage()
{
    return QStringLiteral(R"(Form commands:
  form FILE                  the components of a form file and, per component,
                             its properties as the object inspector shows them
                             (name = value  [attributes])
  form FILE --set COMPONENT.PROPERTY=VALUE
                             sets one property through its editor (sub-properties
                             as Size.Width) and writes the form back
)");
}

int RunFormCommand(const QStringList& AArgs, const QString& APackageFile)
{
    try {
        QString LFile;
        QString LAssignment;
        for (int I = 0; I < AArgs.size(); ++I) {
            if (AArgs[I] == QLatin1String("--set")) {
                if (I + 1 >= AArgs.size())
                    throw EUsage(QStringLiteral("--set needs COMPONENT.PROPERTY=VALUE"));
                LAssignment = AArgs[++I];
            } else if (LFile.isEmpty() && !AArgs[I].startsWith(QLatin1String("--"))) {
                LFile = AArgs[I];
            } else {
                throw EUsage(QStringLiteral("unexpected \"%1\"").arg(AArgs[I]));
            }
        }
        if (LFile.isEmpty())
            throw EUsage(QStringLiteral("form needs a form file"));
        const auto LPackage = ide::LoadPackage(APackageFile);
        auto LDocument = ide::TFormDocument::Open(LFile);
        for (const auto& P : LDocument->Problems())
            Err() << LFile << ", line " << P.Line << ": " << P.Text << "\n";
        if (!LAssignment.isEmpty())
            return SetProperty(*LDocument, LAssignment);

        Out() << "Form: " << QFileInfo(LFile).fileName() << " (unit " << QFileInfo(LDocument->UnitFileName()).fileName()
              << ")\n";
        PrintTree(*LDocument, LDocument->Root(), 0);
        for (const auto& E : LDocument->Events())
            Out() << "Event: " << E.Component->objectName() << "." << E.Event << " = " << E.Handler << "\n";
        for (QObject* C : LDocument->Components()) {
            Out() << "\n" << C->objectName() << ": " << ide::ClassName(C->metaObject()) << "\n";
            auto LEditors = ide::GetComponentProperties({C}, &LDocument->Designer());
            PrintProperties(LEditors, 2);
        }
        return 0;
    } catch (const EUsage& E) {
        Err() << "orvo-assets form: " << E.what() << "\n" << FormCommandUsage();
        return 2;
    } catch (const std::exception& E) {
        Err() << "orvo-assets form: " << E.what() << "\n";
        return 1;
    }
}
