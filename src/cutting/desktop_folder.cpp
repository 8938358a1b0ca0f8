#include "cutting/desktop_folder.h"

#include <QStandardPaths>

QString standardDesktopLocation()
{
    // writableLocation only names the folder; it never creates it.
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString desktopFolderPath(const DesktopLocationLookup &lookup)
{
    return withTrailingSeparator(lookup());
}
