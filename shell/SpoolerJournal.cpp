#include "shell/SpoolerJournal.h"

#include "platform/Services.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kSection = QStringLiteral("SpoolerHandOver");
const QString kOwner = QStringLiteral("Owner");
const QString kQueues = QStringLiteral("Queues");
const QString kFilePort = QStringLiteral("FILE:");

QJsonObject readQueues()
{
    const QString text = platform::profile().getString(kSection, kQueues);
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

void writeQueues(const QJsonObject& queues)
{
    platform::ProfileStore& profile = platform::profile();
    if (queues.isEmpty()) {
        profile.setString(kSection, kQueues, QString());
        profile.setString(kSection, kOwner, QString());
        return;
    }
    // The owner first: a journal without one would look abandoned to a second instance.
    profile.setString(kSection, kOwner, QString::number(platform::process().id()));
    profile.setString(kSection, kQueues,
                      QString::fromUtf8(QJsonDocument(queues).toJson(QJsonDocument::Compact)));
}

}  // namespace

void SpoolerJournal::Record(const QString& printer, const QString& port)
{
    QJsonObject queues = readQueues();
    if (!queues.contains(printer))
        queues.insert(printer, port);
    writeQueues(queues);
}

void SpoolerJournal::Forget(const QString& printer)
{
    QJsonObject queues = readQueues();
    if (!queues.contains(printer))
        return;
    queues.remove(printer);
    writeQueues(queues);
}

void SpoolerJournal::RestoreLeftOver()
{
    QJsonObject queues = readQueues();
    if (queues.isEmpty())
        return;
    // Another instance that is still running holds these queues.
    bool numeric = false;
    const qint64 owner = platform::profile().getString(kSection, kOwner).toLongLong(&numeric);
    platform::Process& process = platform::process();
    if (numeric && owner != process.id() && process.isRunning(owner))
        return;

    platform::Spooler& spooler = platform::spooler();
    for (auto it = queues.begin(); it != queues.end();) {
        QString current;
        if (!spooler.readPort(it.key(), &current)) {
            ++it;  // no scheduler, or no such queue now: try again at the next start
            continue;
        }
        if (current == kFilePort && !spooler.writePort(it.key(), it.value().toString())) {
            ++it;
            continue;
        }
        it = queues.erase(it);
    }
    writeQueues(queues);
}
