#pragma once

#include <QAudio>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

// Plays one MP3 file at a time and reports its length and the position heard, in milliseconds.
// No widget includes: the decoder and the audio output live behind this class.
class MediaPlayer : public QObject
{
    Q_OBJECT

public:
    enum Status { NotReady = 0, Playing = 1, Stopped = 2, Paused = 3 };

    explicit MediaPlayer(QObject *parent = nullptr);
    ~MediaPlayer() override;

    // Closes what was open, then opens and scans `path`; nothing plays. False for a file that
    // cannot be decoded, which leaves nothing open.
    bool open(const QString &path);
    bool close();

    int status() const;        // Status
    int length() const;        // exact decoded duration in ms; 0 with nothing open
    int position() const;      // ms actually heard; −1 with nothing open
    int lengthSeconds() const; // length() / 1000, truncated

    // −1 plays on from where playback stands (resumes a pause; from the start after open or stop).
    bool play(int fromMs);
    bool togglePause();
    bool stop();

    // Zero-based byte offset of the first byte of the MP3 frame whose audio holds `positionMs`;
    // positions at or past the end give the end of the last audio frame. Empty with nothing open.
    std::optional<qint64> frameOffsetAtMs(qint64 positionMs) const;

signals:
    void statusChanged(int status);

private:
    void setState(Status state);
    bool startAt(qint64 positionMs);
    bool resumeOutput();
    void releaseOutput();
    void scheduleEndCheck();
    void checkForEnd();
    void onSinkStateChanged(QAudio::State state);

    // How long past the expected end an idle sink may still be playing out its last buffer.
    static constexpr int drainMarginMs = 250;

    struct Private;
    std::unique_ptr<Private> d;
};
