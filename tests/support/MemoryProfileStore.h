#pragma once

#include "platform/ProfileStore.h"

#include <QString>
#include <QVariant>
#include <map>
#include <utility>

namespace ztest {

// platform::ProfileStore in memory. Integers and texts share one value per key, as in
// the registry: getInt reads a text that holds a decimal number, getString an integer as
// its decimal text.
class MemoryProfileStore : public platform::ProfileStore {
public:
    int getInt(const QString& section, const QString& key, int defaultValue) override;
    bool setInt(const QString& section, const QString& key, int value) override;
    QString getString(const QString& section, const QString& key,
                      const QString& defaultValue = QString()) override;
    bool setString(const QString& section, const QString& key, const QString& value) override;

    bool contains(const QString& section, const QString& key) const;
    void clear() { m_values.clear(); }
    // Makes every set fail (a read-only profile).
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

private:
    std::map<std::pair<QString, QString>, QVariant> m_values;
    bool m_readOnly = false;
};

}  // namespace ztest
