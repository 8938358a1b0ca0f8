#pragma once

#include <QString>

// The last component of `path` up to, not including, its last "."; empty when that component
// has no "." or begins with it. A trailing "/" names the component before it.
QString baseNameOfPath(const QString &path);
