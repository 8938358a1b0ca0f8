#include "cutting/file_bytes.h"
#include "file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray patternBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype index = 0; index < size; ++index)
        bytes[index] = char((index * 7 + index / 253) % 256);
    return bytes;
}

class FileBytes : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    QString path(const QString &name) const { return m_folder.filePath(name); }
    QStringList entries() const
    {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir m_folder;
};

TEST_F(FileBytes, WritesANewFile)
{
    const QByteArray data = patternBytes(70000);
    ASSERT_TRUE(writeFileBytes(path("new.mp3"), data));
    EXPECT_EQ(readAll(path("new.mp3")), data);
    EXPECT_EQ(entries(), QStringList{"new.mp3"});
}

TEST_F(FileBytes, ReplacesALongerFileWhole)
{
    ASSERT_TRUE(writeFileBytes(path("target.mp3"), patternBytes(5000)));
    ASSERT_TRUE(writeFileBytes(path("target.mp3"), "short"));
    EXPECT_EQ(readAll(path("target.mp3")), "short");
}

TEST_F(FileBytes, EmptyPathTouchesNothing)
{
    EXPECT_FALSE(writeFileBytes(QString(), "data"));
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(FileBytes, FolderThatCannotTakeTheFileFails)
{
    ASSERT_TRUE(writeFileBytes(path("plain"), "a file, not a folder"));
    for (const QString &target : {path("missing/cut.mp3"), path("plain/cut.mp3"),
                                  QStringLiteral("/proc/quenvox_cut.mp3")})
        EXPECT_FALSE(writeFileBytes(target, "data")) << target.toStdString();
    EXPECT_EQ(entries(), QStringList{"plain"});
}

TEST_F(FileBytes, WriteCutShortByTheFileSizeLimitKeepsTheOldFile)
{
    const QByteArray old = "what the user had";
    ASSERT_TRUE(writeFileBytes(path("target.mp3"), old));
    const QString target = path("target.mp3");
    const QByteArray cut = patternBytes(256 * 1024);

    const int childResult = runUnderFileSizeLimit(16 * 1024, [&] {
        return writeFileBytes(target, cut) ? 1 : 0;
    });

    EXPECT_EQ(childResult, 0) << "the write must report failure";
    EXPECT_EQ(readAll(target), old);
    EXPECT_EQ(entries(), QStringList{"target.mp3"}) << "no partial file may stay behind";
}

TEST_F(FileBytes, ReadsExactlyTheRange)
{
    const QByteArray data = patternBytes(10000);
    ASSERT_TRUE(writeFileBytes(path("source.mp3"), data));
    EXPECT_EQ(readFileRange(path("source.mp3"), {1234, 5000}), data.mid(1234, 5000));
    EXPECT_EQ(readFileRange(path("source.mp3"), {0, 10000}), data);
    EXPECT_EQ(readFileRange(path("source.mp3"), {10000, 0}), QByteArray());
}

TEST_F(FileBytes, RangeTheFileNoLongerHoldsGivesNothing)
{
    ASSERT_TRUE(writeFileBytes(path("source.mp3"), patternBytes(1000)));
    EXPECT_EQ(readFileRange(path("source.mp3"), {900, 101}), std::nullopt);
    EXPECT_EQ(readFileRange(path("source.mp3"), {2000, 1}), std::nullopt);
    EXPECT_EQ(readFileRange(path("gone.mp3"), {0, 1}), std::nullopt);
    EXPECT_EQ(readFileRange(m_folder.path(), {0, 1}), std::nullopt);
}

} // namespace
