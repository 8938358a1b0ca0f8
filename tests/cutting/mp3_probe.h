#pragma once

#include <QByteArray>
#include <QString>

#include <mpg123.h>

#include <memory>
#include <optional>

// What libmpg123 itself makes of an MP3 file, to check cuts independently of the player.

// True when `bytes` begins with an MPEG audio frame sync: 0xFF and the top three bits of the next.
inline bool startsOnFrameHeader(const QByteArray &bytes)
{
    return bytes.size() >= 2 && quint8(bytes[0]) == 0xFF && (quint8(bytes[1]) & 0xE0) == 0xE0;
}

enum class Gapless { Trimmed, Raw };

// The decoded duration of the file in ms, from a full scan; empty when it does not decode.
// Trimmed drops the encoder's delay and padding as its Info tag tells; Raw counts every frame.
inline std::optional<double> decodedLengthMs(const QString &path, Gapless gapless = Gapless::Trimmed)
{
    struct Closer
    {
        void operator()(mpg123_handle *handle) const
        {
            mpg123_close(handle);
            mpg123_delete(handle);
        }
    };
    std::unique_ptr<mpg123_handle, Closer> handle(mpg123_new(nullptr, nullptr));
    if (!handle)
        return std::nullopt;
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.);
    if (gapless == Gapless::Raw)
        mpg123_param(handle.get(), MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0.);
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_open(handle.get(), path.toLocal8Bit().constData()) != MPG123_OK
        || mpg123_scan(handle.get()) != MPG123_OK
        || mpg123_getformat(handle.get(), &rate, &channels, &encoding) != MPG123_OK || rate <= 0)
        return std::nullopt;
    const off_t samples = mpg123_length(handle.get());
    if (samples <= 0)
        return std::nullopt;
    return double(samples) * 1000.0 / double(rate);
}
