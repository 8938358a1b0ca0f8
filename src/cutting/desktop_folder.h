#pragma once

#include <QString>

// `folder` with a "/" appended when it lacks one; an empty folder stays empty.
QString withTrailingSeparator(const QString &folder);

// The current user's desktop folder, ending with "/", looked up without creating it; empty when
// the platform knows none.
QString desktopFolderPath();
