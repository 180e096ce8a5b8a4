// Registration bookkeeping: class groups, editor look-up by ancestry, module unloading.

#include "DesignIntf.h"

#include <QObject>
#include <gtest/gtest.h>

namespace {

class TBase : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TBase(QObject* AOwner = nullptr) : QObject(AOwner) {}
};

class TMiddle : public TBase
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TMiddle(QObject* AOwner = nullptr) : TBase(AOwner) {}
};

class TLeaf : public TMiddle
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TLeaf(QObject* AOwner = nullptr) : TMiddle(AOwner) {}
};

class TService : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TService(QObject* AOwner = nullptr) : QObject(AOwner) {}
};

class TNoConstructor : public QObject
{
    Q_OBJECT
};

class TEditorA : public ide::TComponentEditor
{
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 1; }
};

class TNamedEditor : public ide::TPropertyEditor
{
};

const QMetaObject* Base = &TBase::staticMetaObject;
const QMetaObject* Middle = &TMiddle::staticMetaObject;
const QMetaObject* Leaf = &TLeaf::staticMetaObject;
const QMetaObject* Service = &TService::staticMetaObject;

// Every test registers under its own module and drops it afterwards, as a package would.
class Registration : public ::testing::Test
{
protected:
    void SetUp() override { R.BeginModule(QStringLiteral("test-module")); }
    void TearDown() override
    {
        R.EndModule();
        R.UnregisterModule(QStringLiteral("test-module"));
    }
    ide::TDesignRegistry& R = ide::TDesignRegistry::Instance();
};

TEST_F(Registration, ComponentEditorOfTheClosestAncestorWins)
{
    ide::RegisterComponentEditor(Base, ide::ComponentEditorClass<TEditorA>(QStringLiteral("BaseEditor")));
    ide::RegisterComponentEditor(Middle, ide::ComponentEditorClass<TEditorA>(QStringLiteral("MiddleEditor")));
    ide::RegisterComponentEditor(Base, ide::ComponentEditorClass<TEditorA>(QStringLiteral("LaterBaseEditor")));

    ASSERT_NE(R.FindComponentEditor(Leaf), nullptr);
    EXPECT_EQ(R.FindComponentEditor(Leaf)->Name, QStringLiteral("MiddleEditor"));
    EXPECT_EQ(R.FindComponentEditor(Base)->Name, QStringLiteral("LaterBaseEditor"));
    EXPECT_EQ(R.FindComponentEditor(Service), nullptr);

    TLeaf LLeaf;
    const auto LEditor = R.FindComponentEditor(Leaf)->Create(&LLeaf, nullptr);
    EXPECT_EQ(LEditor->GetComponent(), &LLeaf);
    EXPECT_EQ(LEditor->GetVerbCount(), 1);
}

TEST_F(Registration, PropertyEditorPrefersClassThenNameThenLatest)
{
    const auto Editor = [](const char* N) { return ide::PropertyEditorClass<TNamedEditor>(QString::fromLatin1(N)); };
    ide::RegisterPropertyEditor(QStringLiteral("TqoAssetName"), nullptr, QString(), Editor("any"));
    ide::RegisterPropertyEditor(QStringLiteral("TqoAssetName"), nullptr, QStringLiteral("Icon"), Editor("anyIcon"));
    ide::RegisterPropertyEditor(QStringLiteral("TqoAssetName"), Base, QString(), Editor("base"));
    ide::RegisterPropertyEditor(QStringLiteral("TqoAssetName"), Middle, QStringLiteral("Icon"), Editor("middleIcon"));

    struct TCase
    {
        const QMetaObject* Class;
        const char* Property;
        const char* Expected;
    };
    const TCase LCases[] = {
        {Service, "Image", "any"}, {Service, "icon", "anyIcon"}, {Base, "Icon", "base"},
        {Leaf, "Image", "base"},   {Leaf, "Icon", "middleIcon"}, {Middle, "Icon", "middleIcon"},
    };
    for (const auto& C : LCases) {
        const auto* LEntry =
            R.FindPropertyEditor(QStringLiteral("TqoAssetName"), C.Class, QString::fromLatin1(C.Property));
        ASSERT_NE(LEntry, nullptr) << C.Property;
        EXPECT_EQ(LEntry->EditorClass.Name, QString::fromLatin1(C.Expected))
            << ide::ClassName(C.Class).toStdString() << "." << C.Property;
    }
    EXPECT_EQ(R.FindPropertyEditor(QStringLiteral("Single"), Leaf, QStringLiteral("Icon")), nullptr);
}

TEST_F(Registration, UnregisteringAModuleDropsOnlyItsRegistrations)
{
    R.EndModule();
    R.BeginModule(QStringLiteral("other-module"));
    ide::RegisterComponents(QStringLiteral("Other"), {Service});
    R.EndModule();

    R.BeginModule(QStringLiteral("test-module"));
    ide::StartClassGroup(Base);
    ide::ActivateClassGroup(Base);
    ide::RegisterComponents(QStringLiteral("Mine"), {Leaf, Middle});
    ide::RegisterComponentEditor(Leaf, ide::ComponentEditorClass<TEditorA>(QStringLiteral("E")));
    R.EndModule();
    R.UnregisterModule(QStringLiteral("test-module"));

    EXPECT_EQ(R.Pages(), QStringList{QStringLiteral("Other")});
    EXPECT_EQ(R.FindClass(QStringLiteral("TLeaf")), nullptr);
    EXPECT_EQ(R.FindClass(QStringLiteral("TService")), Service);
    EXPECT_EQ(R.FindComponentEditor(Leaf), nullptr);
    EXPECT_EQ(R.ClassGroupOf(Leaf), nullptr);
    EXPECT_EQ(R.ActiveClassGroup(), nullptr);
    R.UnregisterModule(QStringLiteral("other-module"));
    EXPECT_TRUE(R.Pages().isEmpty());
    R.BeginModule(QStringLiteral("test-module"));
}

TEST_F(Registration, DesignerCreatesRegisteredChildrenAndCountsModifications)
{
    ide::RegisterComponents(QStringLiteral("Page"), {Leaf});
    TBase LRoot;
    ide::TFormDesigner LDesigner(&LRoot);
    QObject* LChild = LDesigner.CreateChild(Leaf, nullptr);
    EXPECT_EQ(LChild->parent(), &LRoot);
    EXPECT_EQ(LDesigner.ModifiedCount(), 1);
    LDesigner.SelectComponent(LChild);
    EXPECT_EQ(LDesigner.GetSelections(), QList<QObject*>{LChild});

    ide::RegisterClass(&TNoConstructor::staticMetaObject);
    EXPECT_THROW(R.CreateComponent(QStringLiteral("TNoConstructor"), nullptr), std::runtime_error);
    EXPECT_THROW(R.CreateComponent(QStringLiteral("TUnknown"), nullptr), std::runtime_error);
}

} // namespace

#include "DesignIntfTest.moc"
