#include "cutting/base_name.h"
#include "cutting/desktop_folder.h"
#include "qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct BaseNameCase
{
    const char *path;
    const char *expected;
};

class BaseNameOfPath : public testing::TestWithParam<BaseNameCase>
{};

TEST_P(BaseNameOfPath, TakesTheLastComponentUpToItsLastDot)
{
    const BaseNameCase &c = GetParam();
    EXPECT_EQ(baseNameOfPath(QString::fromUtf8(c.path)), QString::fromUtf8(c.expected)) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, BaseNameOfPath,
    testing::Values(BaseNameCase{"/music/song.mp3", "song"},
                    BaseNameCase{"/music/my.song.mp3", "my.song"},
                    BaseNameCase{"/music/song", ""}, BaseNameCase{"/music/.mp3", ""},
                    BaseNameCase{"/music/.hidden.mp3", ".hidden"},
                    BaseNameCase{"/音乐/周杰伦 - 晴天.mp3", "周杰伦 - 晴天"},
                    BaseNameCase{"/home/a/My Music/live at the hall.v2.final.mp3",
                                 "live at the hall.v2.final"},
                    BaseNameCase{"/music.d/song", ""}, BaseNameCase{"/music/song.", "song"},
                    BaseNameCase{"/music/song.mp3/", "song"},
                    BaseNameCase{"/music/song.mp3//", ""}, BaseNameCase{"song.mp3", "song"},
                    BaseNameCase{"/", ""}, BaseNameCase{"", ""}));

TEST(WithTrailingSeparator, AppendsOneOnlyWhenMissing)
{
    EXPECT_EQ(withTrailingSeparator("/home/a/Desktop"), "/home/a/Desktop/");
    EXPECT_EQ(withTrailingSeparator("/home/a/Desktop/"), "/home/a/Desktop/");
    EXPECT_EQ(withTrailingSeparator(""), "");
    EXPECT_EQ(withTrailingSeparator("/home/a/Desktop") + baseNameOfPath("/music/song.mp3")
                  + "_cut.mp3",
              "/home/a/Desktop/song_cut.mp3");
}

TEST(DesktopFolderPathOfLookup, AddsTheSeparatorAndKeepsAFailedLookupEmpty)
{
    EXPECT_EQ(desktopFolderPath([] { return QStringLiteral("/home/a/Desktop"); }), "/home/a/Desktop/");
    EXPECT_EQ(desktopFolderPath([] { return QStringLiteral("/home/a/桌面/"); }), "/home/a/桌面/");
    EXPECT_EQ(desktopFolderPath([] { return QString(); }), "");
}

// Points the desktop lookup at a fresh home for the life of the test.
class DesktopFolderPath : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_oldHome = qgetenv("HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toUtf8());
        QDir(m_home.path()).mkpath("config");
    }
    void TearDown() override
    {
        qputenv("HOME", m_oldHome);
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    QTemporaryDir m_home;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
};

TEST_F(DesktopFolderPath, NamesTheDesktopWithoutCreatingIt)
{
    EXPECT_EQ(desktopFolderPath(), m_home.path() + "/Desktop/");
    EXPECT_FALSE(QFileInfo::exists(m_home.path() + "/Desktop"));
}

TEST_F(DesktopFolderPath, FollowsTheUsersConfiguredDesktop)
{
    QFile userDirs(m_home.path() + "/config/user-dirs.dirs");
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
    userDirs.write("XDG_DESKTOP_DIR=\"$HOME/桌面\"\n");
    userDirs.close();

    EXPECT_EQ(desktopFolderPath(), m_home.path() + "/桌面/");
    EXPECT_FALSE(QFileInfo::exists(m_home.path() + "/桌面"));
}

} // namespace
