#pragma once

#include <QString>

#include <functional>

// Where the platform says the user's desktop is, as it says it; empty when it knows none.
using DesktopLocationLookup = std::function<QString()>;
QString standardDesktopLocation();

// `folder` with a "/" appended when it lacks one; an empty folder stays empty.
QString withTrailingSeparator(const QString &folder);

// The current user's desktop folder, ending with "/", looked up without creating it; empty when
// the lookup finds none.
QString desktopFolderPath(const DesktopLocationLookup &lookup = standardDesktopLocation);
