#pragma once

#include "platform/Alerts.h"

#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <typeinfo>
#include <vector>

namespace ui {

class Dialog;

struct RecordedMessage {
    QString text;
    platform::AlertIcon icon;
    QString caption;  // empty: the application's title
};

struct FileDialogRequest {
    bool save = false;
    QString defaultName;
    QString filter;
    bool overwritePrompt = false;
};

// Test hooks, used only by tests. While a TestHooks object lives:
// - message boxes are recorded instead of shown;
// - file dialogs take their answers from a queue (an empty queue answers "cancel");
// - a modal dialog of a scripted class runs its next script in place of the event loop;
//   a modal dialog with no script left throws std::logic_error rather than block the test.
class TestHooks {
public:
    TestHooks();
    ~TestHooks();
    TestHooks(const TestHooks&) = delete;
    TestHooks& operator=(const TestHooks&) = delete;

    static TestHooks* active();

    // Scripts run in the order given; each gets the dialog after OnInitDialog. DoModal
    // returns the result the script's actions gave EndDialog, IDCANCEL when none did.
    template <class D>
    void scriptDialog(std::function<void(D&)> script)
    {
        m_scripts.push_back({&typeid(D), [script](Dialog& d) { script(static_cast<D&>(d)); }});
    }
    int pendingScripts() const { return static_cast<int>(m_scripts.size()); }

    void answerFileDialog(const QString& path) { m_fileAnswers.push_back(path); }
    void cancelFileDialog() { m_fileAnswers.push_back(std::nullopt); }

    const std::vector<RecordedMessage>& messages() const { return m_messages; }
    const std::vector<FileDialogRequest>& fileDialogs() const { return m_fileRequests; }
    const std::vector<QString>& modalDialogs() const { return m_modalDialogs; }  // class names run
    void clearMessages() { m_messages.clear(); }

    // Used by the ui layer itself.
    bool runScript(Dialog& dialog);  // false: no hooks for it (never: throws instead)
    void recordMessage(const QString& text, platform::AlertIcon icon, const QString& caption = {});
    std::optional<QString> takeFileAnswer(const FileDialogRequest& request);

private:
    struct Script {
        const std::type_info* type;
        std::function<void(Dialog&)> run;
    };
    class RecordingAlerts;

    std::deque<Script> m_scripts;
    std::deque<std::optional<QString>> m_fileAnswers;
    std::vector<RecordedMessage> m_messages;
    std::vector<FileDialogRequest> m_fileRequests;
    std::vector<QString> m_modalDialogs;
    std::unique_ptr<RecordingAlerts> m_alerts;
    platform::Alerts* m_previousAlerts = nullptr;
    TestHooks* m_previous = nullptr;
};

}  // namespace ui
