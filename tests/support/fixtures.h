#pragma once

#include <QString>

// Where scripts/make_fixtures.sh leaves the synthesised MP3s for the tests.
inline QString fixturePath(const QString &name)
{
    return QStringLiteral(QUENVOX_FIXTURE_DIR "/") + name;
}
