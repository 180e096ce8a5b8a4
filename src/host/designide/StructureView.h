#pragma once

// The IDE's structure view as the open-tools interface offers it: packages listen to what
// happens to its nodes.

#include <QObject>
#include <map>
#include <memory>

namespace ide {

// A node stands for one component of the form; null for nodes without one.
class IOTAStructureNotifier
{
public:
    virtual ~IOTAStructureNotifier() = default;
    virtual void NodeFocused(QObject* /*AComponent*/) {}
    virtual void NodeSelected(QObject* /*AComponent*/) {}
    virtual void DefaultNodeAction(QObject* /*AComponent*/) {}
    virtual void VisibleChanged(bool /*AVisible*/) {}
};

class IOTAStructureView
{
public:
    virtual ~IOTAStructureView() = default;
    // Returns the index RemoveNotifier takes.
    virtual int AddNotifier(std::shared_ptr<IOTAStructureNotifier> ANotifier) = 0;
    virtual void RemoveNotifier(int AIndex) = 0;
};

class TStructureView : public IOTAStructureView
{
public:
    int AddNotifier(std::shared_ptr<IOTAStructureNotifier> ANotifier) override;
    void RemoveNotifier(int AIndex) override { FNotifiers.erase(AIndex); }
    int NotifierCount() const { return int(FNotifiers.size()); }
    // The user selected the component's node: every notifier hears of it.
    void SelectNode(QObject* AComponent);

private:
    std::map<int, std::shared_ptr<IOTAStructureNotifier>> FNotifiers;
    int FNext = 0;
};

} // namespace ide
