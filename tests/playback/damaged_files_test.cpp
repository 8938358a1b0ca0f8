// Damaged and hostile files: each one either opens with a sane length and frame map or fails
// quietly, and whatever opens decodes to its end without a crash.
#include "playback/media_player.h"
#include "playback/mp3_decoder.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

QByteArray fixtureBytes(const QString &name)
{
    QFile file(fixturePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Damage
{
    const char *name;
    std::function<QByteArray()> bytes;
};

QByteArray flipEvery(QByteArray bytes, int stride)
{
    for (qsizetype i = 0; i < bytes.size(); i += stride)
        bytes[i] = char(bytes[i] ^ 0x5A);
    return bytes;
}

QByteArray noiseFullOfFrameSyncs()
{
    std::mt19937 random(20261211);
    QByteArray bytes(200000, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(random() & 0xFF);
    for (qsizetype i = 0; i + 4 < bytes.size(); i += 417) {
        bytes[i] = char(0xFF);
        bytes[i + 1] = char(0xFB);
        bytes[i + 2] = char(0x90);
    }
    return bytes;
}

// An ID3v2 header whose tag claims about 256 MB, in front of a small real stream.
QByteArray tagClaimingTooMuch()
{
    return QByteArray("ID3\x03\x00\x00\x7F\x7F\x7F\x7F", 10) + fixtureBytes(QStringLiteral("cbr.mp3"));
}

const Damage damages[] = {
    {"every 97th byte flipped", [] { return flipEvery(fixtureBytes(QStringLiteral("cbr.mp3")), 97); }},
    {"every 5th byte of a VBR file flipped", [] { return flipEvery(fixtureBytes(QStringLiteral("vbr.mp3")), 5); }},
    {"the Xing frame of a VBR file but half its audio",
     [] { const QByteArray vbr = fixtureBytes(QStringLiteral("vbr.mp3")); return vbr.left(vbr.size() / 2); }},
    {"noise full of frame syncs", noiseFullOfFrameSyncs},
    {"a tag claiming more than the file", tagClaimingTooMuch},
    {"a lone frame header", [] { return QByteArray("\xFF\xFB\x90\x64", 4); }},
    {"a tagged file cut inside its picture",
     [] { return fixtureBytes(QStringLiteral("tagged.mp3")).left(150000); }},
};

class DamagedFiles : public ::testing::TestWithParam<Damage>
{
protected:
    QString write(const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(QStringLiteral("damaged.mp3"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_folder;
};

} // namespace

TEST_P(DamagedFiles, OpenSanelyOrFailQuietly)
{
    const QByteArray bytes = GetParam().bytes();
    ASSERT_FALSE(bytes.isEmpty());
    const QString path = write(bytes);

    Mp3Decoder decoder;
    if (decoder.open(path)) {
        EXPECT_GT(decoder.lengthSamples(), 0);
        const auto &offsets = decoder.frameMap().frameOffsetsBytes();
        ASSERT_FALSE(offsets.empty());
        EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end()));
        EXPECT_GE(offsets.front(), 0);
        EXPECT_LE(decoder.frameMap().endOffsetBytes(), bytes.size());
        // Decoding comes to an end. A damaged stream may give a few frames more or less than its
        // scan counted; the player stops at the scanned length either way.
        QByteArray pcm(65536, '\0');
        bool ended = false;
        for (int reads = 0; reads < 10000 && !ended; ++reads)
            ended = decoder.read(pcm.data(), pcm.size()) == 0;
        EXPECT_TRUE(ended);
        EXPECT_TRUE(decoder.atEnd());
    }

    MediaPlayer player;
    if (player.open(path)) {
        EXPECT_EQ(player.status(), MediaPlayer::Stopped);
        EXPECT_GT(player.length(), 0);
        for (const qint64 ms : {qint64(0), qint64(player.length() / 2), qint64(player.length())}) {
            const auto offset = player.frameOffsetAtMs(ms);
            ASSERT_TRUE(offset.has_value());
            EXPECT_GE(*offset, 0);
            EXPECT_LE(*offset, bytes.size());
        }
        EXPECT_TRUE(player.play(player.length() / 2));
        EXPECT_TRUE(player.stop());
    } else {
        EXPECT_EQ(player.status(), 0);
        EXPECT_EQ(player.length(), 0);
        EXPECT_EQ(player.position(), -1);
        EXPECT_FALSE(player.frameOffsetAtMs(0).has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFiles, ::testing::ValuesIn(damages),
                         [](const ::testing::TestParamInfo<Damage> &damage) {
                             QString name = QString::fromLatin1(damage.param.name);
                             name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
                             return name.toStdString();
                         });

TEST(DamagedFiles, AFolderNamedLikeAnMp3IsNoFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("song.mp3")));
    MediaPlayer player;
    EXPECT_FALSE(player.open(folder.filePath(QStringLiteral("song.mp3"))));
    EXPECT_EQ(player.status(), 0);
}
