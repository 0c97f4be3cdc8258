#include "maintenance/PictureMemoryCommands.h"

namespace PictureMemoryCommands {

QString Store(qint64 size, const QString& name)
{
    return QStringLiteral("IS%1,'%2'").arg(size).arg(name);
}

QString PrintAfterStore(const QString& name)
{
    return QStringLiteral("\r\r") + Recall(QStringLiteral("100"), QStringLiteral("100"), name);
}

QString Recall(const QString& x, const QString& y, const QString& name)
{
    return QStringLiteral("IR") + x + u',' + y + QStringLiteral(",'") + name +
           QStringLiteral("'\rP1\r");
}

QString Delete(const QString& name)
{
    return QStringLiteral("ID'") + name + QStringLiteral("'\r\nII\r\n");
}

QByteArray DeleteAll()
{
    return QByteArrayLiteral("ID*\r\nII\r\n");
}

QByteArray ImageInformation()
{
    return QByteArrayLiteral("II\r\n");
}

QString DefaultName(const QString& fileName)
{
    return fileName.size() > 4 ? fileName.left(fileName.size() - 4) : QString();
}

}  // namespace PictureMemoryCommands
