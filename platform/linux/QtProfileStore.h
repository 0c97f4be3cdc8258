#pragma once

#include "platform/ProfileStore.h"

#include <QSettings>
#include <memory>
#include <mutex>

namespace platform {

// The profile in QSettings: organisation "QUORVIN BRESSANT", application the program's
// file name; a value lives under "Section/Key". Every change is written through at once,
// since the program may end by exit() without returning to the event loop.
class QtProfileStore : public ProfileStore {
public:
    static constexpr const char* kOrganisation = "QUORVIN BRESSANT";

    QtProfileStore();
    // An INI file of its own (tests).
    explicit QtProfileStore(const QString& iniFile);

    // The program file's name without extension, "zentrova" before the application exists.
    static QString applicationName();

    int getInt(const QString& section, const QString& key, int defaultValue) override;
    bool setInt(const QString& section, const QString& key, int value) override;
    QString getString(const QString& section, const QString& key,
                      const QString& defaultValue = QString()) override;
    bool setString(const QString& section, const QString& key, const QString& value) override;

private:
    bool setValue(const QString& section, const QString& key, const QVariant& value);

    std::mutex m_mutex;
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace platform
