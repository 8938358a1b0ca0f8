#include "playback/media_player.h"

#include "playback/decoder_device.h"
#include "playback/mp3_decoder.h"
#include "playback/silent_clock.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QEventLoop>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>

struct MediaPlayer::Private
{
    std::shared_ptr<Mp3Decoder> decoder;
    std::unique_ptr<DecoderDevice> source;
    // A new sink for every start: one sink stopped and started again may stall without an error.
    // Null while playing means the silent clock keeps the time.
    std::unique_ptr<QAudioSink> sink;
    SilentClock silentClock;
    // Fires when the heard position should have reached the end of the file.
    QTimer endTimer;
    Status state = NotReady;
    bool pauseToggle = false;
    qint64 seekBaseMs = 0;  // where the current start began
    qint64 stoppedAtMs = 0; // the position while stopped
    // Bumped by every open and close, so that an open whose scan was overtaken drops its result.
    quint64 openGeneration = 0;

    qint64 lengthMs() const { return decoder ? decoder->lengthMs() : 0; }
    qint64 heardSinceStartMs() const
    {
        return sink ? sink->processedUSecs() / 1000 : silentClock.elapsedMs();
    }
};

MediaPlayer::MediaPlayer(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    d->endTimer.setSingleShot(true);
    connect(&d->endTimer, &QTimer::timeout, this, &MediaPlayer::checkForEnd);
}

MediaPlayer::~MediaPlayer()
{
    ++d->openGeneration;
    releaseOutput();
}

bool MediaPlayer::open(const QString &path)
{
    close();
    const quint64 generation = ++d->openGeneration;

    // The scan reads the whole file: it runs on a worker while this thread keeps its events turning.
    auto decoder = std::make_shared<Mp3Decoder>();
    bool opened = false;
    std::unique_ptr<QThread> worker(QThread::create([decoder, path, &opened] { opened = decoder->open(path); }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QPointer<MediaPlayer> alive(this);
    worker->start();
    loop.exec();
    worker->wait();

    // A close, another open or the player's end during the scan overtakes this open.
    if (!alive || generation != d->openGeneration || !opened)
        return false;
    d->decoder = std::move(decoder);
    d->stoppedAtMs = 0;
    setState(Stopped);
    return true;
}

bool MediaPlayer::close()
{
    ++d->openGeneration;
    if (!d->decoder)
        return false;
    releaseOutput();
    d->decoder.reset();
    setState(NotReady);
    return true;
}

int MediaPlayer::status() const
{
    return d->state;
}

int MediaPlayer::length() const
{
    return int(d->lengthMs());
}

int MediaPlayer::position() const
{
    switch (d->state) {
    case NotReady:
        return -1;
    case Stopped:
        return int(d->stoppedAtMs);
    case Playing:
    case Paused:
        break;
    }
    return int(std::min(d->seekBaseMs + d->heardSinceStartMs(), d->lengthMs()));
}

int MediaPlayer::lengthSeconds() const
{
    return length() / 1000;
}

bool MediaPlayer::play(int fromMs)
{
    d->pauseToggle = false;
    if (!d->decoder)
        return false;
    if (fromMs != -1)
        return startAt(std::clamp<qint64>(fromMs, 0, d->lengthMs()));

    switch (d->state) {
    case Playing:
        return true;
    case Paused:
        return resumeOutput();
    case Stopped:
        // Played to the end, playing on means playing again from the beginning.
        return startAt(d->stoppedAtMs >= d->lengthMs() ? 0 : d->stoppedAtMs);
    case NotReady:
        break;
    }
    return false;
}

bool MediaPlayer::togglePause()
{
    const bool resuming = d->pauseToggle;
    d->pauseToggle = !d->pauseToggle;
    if (resuming)
        return d->state == Paused && resumeOutput();
    if (d->state != Playing)
        return false;
    d->endTimer.stop();
    if (d->sink)
        d->sink->suspend();
    else
        d->silentClock.pause();
    setState(Paused);
    return true;
}

bool MediaPlayer::stop()
{
    if (!d->decoder)
        return false;
    releaseOutput();
    d->stoppedAtMs = 0;
    setState(Stopped);
    return true;
}

std::optional<qint64> MediaPlayer::frameOffsetAtMs(qint64 positionMs) const
{
    if (!d->decoder)
        return std::nullopt;
    return d->decoder->frameMap().offsetAtMs(positionMs, d->lengthMs(), d->decoder->lengthSamples());
}

void MediaPlayer::setState(Status state)
{
    if (d->state == state)
        return;
    d->state = state;
    emit statusChanged(state);
}

bool MediaPlayer::startAt(qint64 positionMs)
{
    releaseOutput();
    Mp3Decoder &decoder = *d->decoder;
    if (!decoder.seekToSample(positionMs * decoder.sampleRate() / 1000))
        return false;
    d->seekBaseMs = positionMs;
    d->source = std::make_unique<DecoderDevice>(decoder);

    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(decoder.sampleRate());
    format.setChannelCount(decoder.channels());
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isNull() && device.isFormatSupported(format)) {
        d->sink = std::make_unique<QAudioSink>(device, format);
        connect(d->sink.get(), &QAudioSink::stateChanged, this, &MediaPlayer::onSinkStateChanged);
        d->sink->start(d->source.get());
        if (d->sink->error() != QAudio::NoError || d->sink->state() == QAudio::StoppedState)
            d->sink.reset();
    }
    if (!d->sink)
        d->silentClock.start();
    setState(Playing);
    scheduleEndCheck();
    return true;
}

bool MediaPlayer::resumeOutput()
{
    if (d->sink)
        d->sink->resume();
    else
        d->silentClock.resume();
    setState(Playing);
    scheduleEndCheck();
    return true;
}

void MediaPlayer::releaseOutput()
{
    d->endTimer.stop();
    if (d->sink) {
        d->sink->disconnect(this);
        d->sink->stop();
        d->sink.reset();
    }
    d->source.reset();
}

void MediaPlayer::scheduleEndCheck()
{
    const qint64 remainingMs = d->lengthMs() - position();
    d->endTimer.start(int(std::max<qint64>(0, remainingMs)));
}

// The end is reached when what was heard reaches the length. A sink may report a little less than it
// played once it has drained, so an idle sink whose source is exhausted also counts as the end.
void MediaPlayer::checkForEnd()
{
    if (d->state != Playing)
        return;
    const bool drained = d->sink && d->sink->state() == QAudio::IdleState && d->source && d->source->atEnd();
    if (position() < d->lengthMs() && !drained) {
        scheduleEndCheck();
        return;
    }
    releaseOutput();
    d->stoppedAtMs = d->lengthMs();
    setState(Stopped);
}

void MediaPlayer::onSinkStateChanged(QAudio::State state)
{
    if (d->state != Playing && d->state != Paused)
        return;
    if (state == QAudio::IdleState && d->source && d->source->atEnd()) {
        // The last data is written; give the sink the time it needs to be heard, then finish.
        d->endTimer.start(int(std::max<qint64>(0, d->lengthMs() - position())) + drainMarginMs);
        return;
    }
    if (state == QAudio::StoppedState && d->sink && d->sink->error() != QAudio::NoError) {
        // The output went away: carry on from what was heard on the silent clock.
        const qint64 heardMs = position();
        const bool paused = d->state == Paused;
        // This runs inside the sink's own signal, so it is deleted once that has returned.
        d->sink->disconnect(this);
        d->sink.release()->deleteLater();
        d->seekBaseMs = heardMs;
        d->silentClock.start();
        if (paused)
            d->silentClock.pause();
        else
            scheduleEndCheck();
    }
}
