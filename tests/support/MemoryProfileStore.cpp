#include "tests/support/MemoryProfileStore.h"

namespace ztest {

int MemoryProfileStore::getInt(const QString& section, const QString& key, int defaultValue)
{
    const auto it = m_values.find({section, key});
    if (it == m_values.end())
        return defaultValue;
    bool ok = false;
    const int value = it->second.toString().toInt(&ok);
    return ok ? value : defaultValue;
}

bool MemoryProfileStore::setInt(const QString& section, const QString& key, int value)
{
    if (m_readOnly)
        return false;
    m_values[{section, key}] = value;
    return true;
}

QString MemoryProfileStore::getString(const QString& section, const QString& key,
                                      const QString& defaultValue)
{
    const auto it = m_values.find({section, key});
    return it == m_values.end() ? defaultValue : it->second.toString();
}

bool MemoryProfileStore::setString(const QString& section, const QString& key, const QString& value)
{
    if (m_readOnly)
        return false;
    m_values[{section, key}] = value;
    return true;
}

bool MemoryProfileStore::contains(const QString& section, const QString& key) const
{
    return m_values.count({section, key}) != 0;
}

}  // namespace ztest
