#include "ui/TestHooks.h"

#include "ui/Dialog.h"

#include <cxxabi.h>
#include <cstdlib>
#include <stdexcept>

namespace ui {

namespace {

TestHooks* s_active = nullptr;

QString className(const std::type_info& type)
{
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    const QString result = QString::fromLatin1(status == 0 && name ? name : type.name());
    std::free(name);
    return result;
}

}  // namespace

class TestHooks::RecordingAlerts : public platform::Alerts {
public:
    explicit RecordingAlerts(TestHooks& hooks) : m_hooks(hooks) {}
    void show(const QString& text, platform::AlertIcon icon) override
    {
        m_hooks.recordMessage(text, icon);
    }
    void show(const QString& text, platform::AlertIcon icon, const QString& caption) override
    {
        m_hooks.recordMessage(text, icon, caption);
    }

private:
    TestHooks& m_hooks;
};

TestHooks::TestHooks()
    : m_alerts(std::make_unique<RecordingAlerts>(*this)),
      m_previousAlerts(platform::installService<platform::Alerts>(m_alerts.get())),
      m_previous(s_active)
{
    s_active = this;
}

TestHooks::~TestHooks()
{
    s_active = m_previous;
    platform::installService<platform::Alerts>(m_previousAlerts);
}

TestHooks* TestHooks::active()
{
    return s_active;
}

bool TestHooks::runScript(Dialog& dialog)
{
    const std::type_info& type = typeid(dialog);
    for (auto it = m_scripts.begin(); it != m_scripts.end(); ++it) {
        if (*it->type != type)
            continue;
        // Taken off the queue first: the script may open further dialogs.
        const std::function<void(Dialog&)> run = std::move(it->run);
        m_scripts.erase(it);
        m_modalDialogs.push_back(className(type));
        run(dialog);
        return true;
    }
    throw std::logic_error("modal dialog without a script: " + className(type).toStdString());
}

void TestHooks::recordMessage(const QString& text, platform::AlertIcon icon,
                              const QString& caption)
{
    m_messages.push_back({text, icon, caption});
}

std::optional<QString> TestHooks::takeFileAnswer(const FileDialogRequest& request)
{
    m_fileRequests.push_back(request);
    if (m_fileAnswers.empty())
        return std::nullopt;  // the operator cancelled
    const bool chosen = m_fileAnswers.front().has_value();
    const QString path = chosen ? *m_fileAnswers.front() : QString();
    m_fileAnswers.pop_front();
    if (!chosen)
        return std::nullopt;
    return path;
}

}  // namespace ui
