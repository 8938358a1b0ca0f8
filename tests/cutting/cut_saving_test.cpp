#include "cutting/cut_saving.h"
#include "file_size_limit.h"
#include "playback/file_dialog_control.h"
#include "qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString emptyRangeMessage = QStringLiteral("未保存：结束位置不在起始位置之后。");
const QString unreadableSourceMessage = QStringLiteral("未保存：无法读取源文件中标记的片段。");
const QString unwritableTargetMessage = QStringLiteral("未保存：无法写入目标文件。");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A 1000-byte source in music/, a desktop folder named without its final "/", the save dialog
// answered by the test and warnings captured.
class SavingTheCut : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        QDir(m_folder.path()).mkpath("music");
        QDir(m_folder.path()).mkpath("desk");
        m_source = QByteArray(1000, '\0');
        for (int index = 0; index < m_source.size(); ++index)
            m_source[index] = char(index * 13 % 256);
        writeAll(sourcePath(), m_source);

        m_pathBox = new QLineEdit(&m_window);
        m_pathBox->setText(sourcePath());
        m_saveButton = new QPushButton(&m_window);
        m_dialog = std::make_unique<FileDialogControl>(&m_window);
        m_dialog->setDialogFilter("MP3|*.mp3");
        m_dialog->setRunner([this](const FileDialogRequest &request) {
            m_requests.push_back(request);
            return m_answer ? m_answer(request) : std::optional<QString>();
        });
        m_saving = std::make_unique<CutSaving>(m_state, m_pathBox, m_saveButton, *m_dialog,
                                               &m_window);
        m_saving->setDesktopLocationLookup([this] { return m_desktopFolder; });
        m_saving->setWarningSink([this](const QString &text) { m_warnings << text; });
    }

    QString sourcePath() const { return m_folder.filePath("music/song.mp3"); }
    QString deskPath(const QString &name) const { return m_folder.filePath("desk/" + name); }
    QStringList deskFiles() const
    {
        return QDir(m_folder.filePath("desk")).entryList(QDir::Files | QDir::Hidden);
    }
    void answerWith(const QString &path)
    {
        m_answer = [path](const FileDialogRequest &) { return std::optional<QString>(path); };
    }
    void mark(qint64 startOffset, qint64 endOffset)
    {
        m_state.cutStartOffset = startOffset;
        m_state.cutEndOffset = endOffset;
    }

    QTemporaryDir m_folder;
    QByteArray m_source;
    QString m_desktopFolder = m_folder.filePath("desk");
    QWidget m_window;
    QLineEdit *m_pathBox = nullptr;
    QPushButton *m_saveButton = nullptr;
    std::unique_ptr<FileDialogControl> m_dialog;
    CutState m_state;
    std::unique_ptr<CutSaving> m_saving;
    std::function<std::optional<QString>(const FileDialogRequest &)> m_answer;
    std::vector<FileDialogRequest> m_requests;
    QStringList m_warnings;
};

TEST_F(SavingTheCut, OkSavesTheMarkedBytesUnderTheProposedName)
{
    mark(250, 500);
    m_answer = [](const FileDialogRequest &request) {
        return std::optional<QString>(request.initialName);
    };

    m_saveButton->click();

    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].dialogType, 1);
    EXPECT_EQ(m_requests[0].initialName, deskPath("song_cut.mp3"));
    EXPECT_EQ(m_requests[0].nameFilters, QStringList{"MP3 (*.mp3)"});
    EXPECT_EQ(readAll(deskPath("song_cut.mp3")), m_source.mid(249, 250));
    EXPECT_TRUE(m_warnings.isEmpty());
    EXPECT_TRUE(m_saveButton->isEnabled());
}

TEST_F(SavingTheCut, TheSameRangeCanBeSavedAgainUnderAnotherName)
{
    mark(250, 500);
    answerWith(deskPath("first.mp3"));
    m_saving->saveCut();
    answerWith(deskPath("second.mp3"));
    m_saving->saveCut();

    EXPECT_EQ(readAll(deskPath("first.mp3")), m_source.mid(249, 250));
    EXPECT_EQ(readAll(deskPath("second.mp3")), m_source.mid(249, 250));
    EXPECT_EQ(m_dialog->dialogFileName(), deskPath("second.mp3"));
    EXPECT_EQ(m_dialog->dialogType(), 1);
}

struct RangeCase
{
    qint64 startOffset;
    qint64 endOffset;
    qsizetype beginIndex;
    qsizetype count;
};

class SavedRange : public SavingTheCut, public testing::WithParamInterface<RangeCase>
{};

TEST_P(SavedRange, HoldsWhatBytesMidOfTheWholeSourceGives)
{
    const RangeCase &c = GetParam();
    mark(c.startOffset, c.endOffset);
    answerWith(deskPath("cut.mp3"));
    m_saving->saveCut();
    EXPECT_EQ(readAll(deskPath("cut.mp3")), m_source.mid(c.beginIndex, c.count));
    EXPECT_TRUE(m_warnings.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Offsets, SavedRange,
                         testing::Values(RangeCase{250, 500, 249, 250}, RangeCase{0, 100, 0, 100},
                                         RangeCase{-5, 10, 0, 15}, RangeCase{1, 1001, 0, 1000},
                                         RangeCase{1000, 1001, 999, 1}));

TEST_F(SavingTheCut, ProposedNameFollowsTheDesktopAndTheBaseName)
{
    struct NameCase
    {
        QString desktop;
        QString sourceName;
        QString proposed;
    };
    const QString desk = m_folder.filePath("desk");
    const NameCase cases[] = {
        {desk, "song.mp3", desk + "/song_cut.mp3"},
        {desk + "/", "my.song.mp3", desk + "/my.song_cut.mp3"},
        {desk, "晴天 live.mp3", desk + "/晴天 live_cut.mp3"},
        {desk, "song", desk + "/_cut.mp3"},
        {QString(), "song.mp3", "song_cut.mp3"},
    };
    mark(1, 11);
    for (const NameCase &c : cases) {
        m_desktopFolder = c.desktop;
        writeAll(m_folder.filePath("music/") + c.sourceName, m_source);
        m_pathBox->setText(m_folder.filePath("music/") + c.sourceName);
        m_requests.clear();
        m_saving->saveCut();
        ASSERT_EQ(m_requests.size(), 1u);
        EXPECT_EQ(m_requests[0].initialName, c.proposed);
    }
}

TEST_F(SavingTheCut, CancelWritesNothingAndKeepsTheProposedName)
{
    mark(250, 500);
    m_saving->saveCut();

    EXPECT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(deskFiles().isEmpty());
    EXPECT_TRUE(m_warnings.isEmpty());
    EXPECT_EQ(m_dialog->dialogFileName(), deskPath("song_cut.mp3"));
}

TEST_F(SavingTheCut, ExistingTargetIsReplacedWhole)
{
    writeAll(deskPath("old.mp3"), QByteArray(5000, 'x'));
    mark(250, 500);
    answerWith(deskPath("old.mp3"));
    m_saving->saveCut();
    EXPECT_EQ(readAll(deskPath("old.mp3")), m_source.mid(249, 250));
}

TEST_F(SavingTheCut, TheSourceItselfIsReplacedByItsCut)
{
    mark(250, 500);
    answerWith(sourcePath());
    m_saving->saveCut();
    EXPECT_EQ(readAll(sourcePath()), m_source.mid(249, 250));
    EXPECT_TRUE(m_warnings.isEmpty());
}

TEST_F(SavingTheCut, TargetThatCannotBeWrittenIsToldOnceAndLeavesNoFile)
{
    writeAll(deskPath("plain"), "a file, not a folder");
    for (const QString &target : {deskPath("missing/cut.mp3"), deskPath("plain/cut.mp3"),
                                  QStringLiteral("/proc/quenvox_cut.mp3")}) {
        m_warnings.clear();
        mark(250, 500);
        answerWith(target);
        m_saving->saveCut();
        EXPECT_EQ(m_warnings, QStringList{unwritableTargetMessage}) << target.toStdString();
        EXPECT_FALSE(QFileInfo::exists(target));
    }
    EXPECT_EQ(deskFiles(), QStringList{"plain"});
}

TEST_F(SavingTheCut, WriteErrorKeepsTheOldTargetAndIsToldOnce)
{
    // A cut larger than the file-size limit: the write fails part way.
    QByteArray bigSource(300 * 1024, '\0');
    for (qsizetype index = 0; index < bigSource.size(); ++index)
        bigSource[index] = char(index % 241);
    writeAll(sourcePath(), bigSource);
    const QByteArray old = "the ringtone made yesterday";
    writeAll(deskPath("ring.mp3"), old);
    mark(1, 200 * 1024);
    answerWith(deskPath("ring.mp3"));

    const int childResult = runUnderFileSizeLimit(64 * 1024, [&] {
        m_saving->saveCut();
        return m_warnings == QStringList{unwritableTargetMessage} ? 0 : 1;
    });

    EXPECT_EQ(childResult, 0) << "one message telling the write failed";
    EXPECT_EQ(readAll(deskPath("ring.mp3")), old);
    EXPECT_EQ(deskFiles(), QStringList{"ring.mp3"});
}

TEST_F(SavingTheCut, SourceGoneSinceTheLoadIsToldBeforeAnyDialog)
{
    mark(250, 500);
    answerWith(deskPath("cut.mp3"));
    ASSERT_TRUE(QFile::remove(sourcePath()));

    m_saving->saveCut();

    EXPECT_EQ(m_warnings, QStringList{unreadableSourceMessage});
    EXPECT_TRUE(m_requests.empty());
    EXPECT_TRUE(deskFiles().isEmpty());
}

TEST_F(SavingTheCut, SourceNowShorterThanTheRangeIsToldBeforeAnyDialog)
{
    mark(250, 500);
    answerWith(deskPath("cut.mp3"));
    writeAll(sourcePath(), m_source.left(400));

    m_saving->saveCut();

    EXPECT_EQ(m_warnings, QStringList{unreadableSourceMessage});
    EXPECT_TRUE(m_requests.empty());
    EXPECT_TRUE(deskFiles().isEmpty());
}

TEST_F(SavingTheCut, EmptyRangeIsToldBeforeAnyDialog)
{
    const std::pair<qint64, qint64> ranges[] = {{500, 500}, {500, 250}, {0, 0}, {0, -4}};
    answerWith(deskPath("cut.mp3"));
    for (const auto &[startOffset, endOffset] : ranges) {
        m_warnings.clear();
        mark(startOffset, endOffset);
        m_saving->saveCut();
        EXPECT_EQ(m_warnings, QStringList{emptyRangeMessage}) << startOffset << " " << endOffset;
    }
    EXPECT_TRUE(m_requests.empty());
    EXPECT_TRUE(deskFiles().isEmpty());
}

} // namespace
