#include "platform/linux/TempFolders.h"

#include <QDir>

namespace platform {

QString TempFolders::tempFolder()
{
    const QString folder = QDir::tempPath() + QStringLiteral("/Temp/");
    QDir().mkpath(folder);  // a failure shows later, when the file cannot be created
    return folder;
}

template <>
Folders& defaultService<Folders>()
{
    static Folders* instance = new TempFolders;
    return *instance;
}

}  // namespace platform
