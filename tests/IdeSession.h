#pragma once

// Projects opened as the IDE opens them once the package is loaded: through the module
// services, with the framework's IDE events listener registered as the package registers
// it. For suites that link OrvoNative.Designer.

#include "ORVO.Designer.IdeEvents.h"
#include "ToolsAPI.h"

#include <deque>
#include <memory>
#include <vector>

namespace testdata {

class TIdeSession
{
public:
    TIdeSession() { dsgn::RegisterIdeEventsListener(); }
    ~TIdeSession()
    {
        for (const auto& LProject : ide::ModuleServices().Projects())
            ide::ModuleServices().CloseProject(LProject);
        dsgn::UnregisterIdeEventsListener();
    }
    TIdeSession(const TIdeSession&) = delete;
    TIdeSession& operator=(const TIdeSession&) = delete;

    // Throws what opening throws.
    std::shared_ptr<ide::TDprojProject> Open(const QString& AFileName)
    {
        // The services make only TDprojProject.
        return std::static_pointer_cast<ide::TDprojProject>(ide::ModuleServices().OpenProject(AFileName));
    }
    static bool Close(const std::shared_ptr<ide::IOTAProject>& AProject)
    {
        return ide::ModuleServices().CloseProject(AProject);
    }
    // The asset manager the IDE keeps for the project, null when none.
    static std::shared_ptr<core::TqoAssetsManager> AssetsManager(const ide::IOTAProject& AProject)
    {
        return dsgn::TqoIdeEventsListener::Instance().GetAssetsManager(AProject.ProjectGUID());
    }
};

// The IDE's dialogs answered by the test: each question takes the next queued answer (mrCancel
// and no files once the queue is empty) and is kept in Asked. Install registers a new one.
class TAnsweringDialogs : public ide::IOTADialogServices
{
public:
    static std::shared_ptr<TAnsweringDialogs> Install()
    {
        auto LDialogs = std::make_shared<TAnsweringDialogs>();
        ide::BorlandIDEServices().RegisterService<ide::IOTADialogServices>(LDialogs);
        return LDialogs;
    }

    ide::TModalResult MessageDlg(const QString& AText, ide::TMsgDlgType, ide::TMsgDlgButtons) override
    {
        Asked.append(AText);
        if (Answers.empty())
            return ide::TModalResult::mrCancel;
        const auto LAnswer = Answers.front();
        Answers.pop_front();
        return LAnswer;
    }
    QStringList ChooseFiles(const ide::TFileDialogOptions& AOptions) override
    {
        Asked.append(AOptions.Title);
        if (FileAnswers.empty())
            return {};
        const QStringList LAnswer = FileAnswers.front();
        FileAnswers.pop_front();
        return LAnswer;
    }

    std::deque<ide::TModalResult> Answers;
    std::deque<QStringList> FileAnswers;
    QStringList Asked;
};

} // namespace testdata
