#pragma once

// Component editors of the framework's controls: the double-click action of every control
// and form, and the context-menu verbs of drawers, pages, pagers, combo boxes and of the
// components with pages in the framework's project options.

#include "DesignIntf.h"

#include <memory>

namespace core {
class TqoCustomComboBox;
class TqoCustomDrawerLayout;
class TqoCustomPageControl;
class TqoCustomPagerLayout;
} // namespace core

namespace orvo::components {

// Double-click opens the most fitting event handler: the later of OnCreate, OnTouch, OnTap,
// OnChange, OnChanged that the control has, else the first property.
class TqoControlEditor : public ide::TComponentEditor
{
public:
    using ide::TComponentEditor::TComponentEditor;
    void Edit() override;

protected:
    virtual void EditProperty(ide::TPropertyEditor& AProperty, bool& AContinue);
    bool IsBetter(const QString& AName) const;

private:
    // FFirst and FBest point into the walk's editors, which Edit keeps alive.
    ide::TPropertyEditor* FFirst = nullptr;
    ide::TPropertyEditor* FBest = nullptr;
    bool FContinue = false;
};

// Double-clicking a form opens its OnCreate handler.
class TqoFormEditor : public TqoControlEditor
{
public:
    using TqoControlEditor::TqoControlEditor;

protected:
    void EditProperty(ide::TPropertyEditor& AProperty, bool& AContinue) override;
};

class TqoDrawerLayoutEditor : public ide::TComponentEditor
{
public:
    TqoDrawerLayoutEditor(QObject* AComponent, ide::IDesigner* ADesigner);
    void ExecuteVerb(int AIndex) override;
    QString GetVerb(int AIndex) override;
    int GetVerbCount() override { return 1; }

private:
    core::TqoCustomDrawerLayout* FDrawerLayout;
};

// For a page control and for any of its pages.
class TqoPageControlEditor : public ide::TComponentEditor
{
public:
    TqoPageControlEditor(QObject* AComponent, ide::IDesigner* ADesigner);
    void ExecuteVerb(int AIndex) override;
    QString GetVerb(int AIndex) override;
    int GetVerbCount() override { return 4; }
    void PrepareItem(int AIndex, ide::IMenuItem& AItem) override;

private:
    core::TqoCustomPageControl* FPageControl;
};

class TqoPagerLayoutEditor : public ide::TComponentEditor
{
public:
    TqoPagerLayoutEditor(QObject* AComponent, ide::IDesigner* ADesigner);
    void ExecuteVerb(int AIndex) override;
    QString GetVerb(int AIndex) override;
    int GetVerbCount() override { return 4; }
    void PrepareItem(int AIndex, ide::IMenuItem& AItem) override;

private:
    core::TqoCustomPagerLayout* FPagerLayout;
};

class TqoComboBoxEditor : public ide::TComponentEditor
{
public:
    TqoComboBoxEditor(QObject* AComponent, ide::IDesigner* ADesigner);
    void ExecuteVerb(int AIndex) override;
    QString GetVerb(int AIndex) override;
    int GetVerbCount() override { return 3; }

private:
    core::TqoCustomComboBox* FComboBox;
};

// "Open Orvo Options..." at the component's page of the framework's project settings.
class TqoOpenProjectOptionsEditor : public ide::TComponentEditor
{
public:
    using ide::TComponentEditor::TComponentEditor;
    void ExecuteVerb(int AIndex) override;
    QString GetVerb(int AIndex) override;
    int GetVerbCount() override;
    // The settings page id of the component, empty when it has none.
    QString PageId() const;
};

} // namespace orvo::components
