#include "cutting/desktop_folder.h"

#include <QStandardPaths>

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString desktopFolderPath()
{
    // writableLocation only names the folder; unlike QDir::mkpath it leaves the disk alone.
    return withTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}
