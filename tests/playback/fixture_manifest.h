#pragma once

#include "support/fixtures.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QStringList>

// What scripts/make_fixtures.sh encoded, read from its fixtures.txt.
struct EncodedFixture
{
    qint64 samples = 0;
    int sampleRate = 0;
    qint64 lengthMs = 0;
};

struct FixtureManifest
{
    QHash<QString, EncodedFixture> files;
    int staircaseStepMs = 0;
    QList<double> staircaseHz;

    static FixtureManifest load()
    {
        FixtureManifest manifest;
        QFile file(fixturePath(QStringLiteral("fixtures.txt")));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return manifest;
        while (!file.atEnd()) {
            const QStringList words = QString::fromUtf8(file.readLine()).split(u' ', Qt::SkipEmptyParts);
            if (words.size() < 2)
                continue;
            if (words[0] == u"staircase_step_ms") {
                manifest.staircaseStepMs = words[1].toInt();
            } else if (words[0] == u"staircase_hz") {
                for (qsizetype i = 1; i < words.size(); ++i)
                    manifest.staircaseHz.append(words[i].toDouble());
            } else if (words.size() == 4) {
                manifest.files.insert(words[0], {words[1].toLongLong(), words[2].toInt(), words[3].toLongLong()});
            }
        }
        return manifest;
    }
};
