#include "platform/linux/QtProfileStore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

namespace {

QString settingsKey(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

}  // namespace

QtProfileStore::QtProfileStore()
    : m_settings(std::make_unique<QSettings>(QString::fromLatin1(kOrganisation), applicationName()))
{
}

QtProfileStore::QtProfileStore(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QString QtProfileStore::applicationName()
{
    if (QCoreApplication::instance()) {
        QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("zentrova");
}

int QtProfileStore::getInt(const QString& section, const QString& key, int defaultValue)
{
    std::lock_guard guard(m_mutex);
    const QVariant value = m_settings->value(settingsKey(section, key));
    bool ok = false;
    int n = value.toInt(&ok);
    return ok ? n : defaultValue;
}

bool QtProfileStore::setInt(const QString& section, const QString& key, int value)
{
    return setValue(section, key, value);
}

QString QtProfileStore::getString(const QString& section, const QString& key,
                                  const QString& defaultValue)
{
    std::lock_guard guard(m_mutex);
    const QVariant value = m_settings->value(settingsKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

bool QtProfileStore::setString(const QString& section, const QString& key, const QString& value)
{
    return setValue(section, key, value);
}

bool QtProfileStore::setValue(const QString& section, const QString& key, const QVariant& value)
{
    std::lock_guard guard(m_mutex);
    m_settings->setValue(settingsKey(section, key), value);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

template <>
ProfileStore& defaultService<ProfileStore>()
{
    static ProfileStore* instance = new QtProfileStore;
    return *instance;
}

}  // namespace platform
