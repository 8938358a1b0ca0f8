#include "playback/decoder_device.h"

#include "playback/mp3_decoder.h"

namespace {
// About a third of a second of 44.1 kHz stereo: decoding it takes well under a millisecond.
constexpr qint64 chunkBytes = 64 * 1024;
}

DecoderDevice::DecoderDevice(Mp3Decoder &decoder, QObject *parent)
    : QIODevice(parent)
    , m_decoder(decoder)
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool DecoderDevice::atEnd() const
{
    return m_decoder.atEnd();
}

qint64 DecoderDevice::bytesAvailable() const
{
    return m_decoder.atEnd() ? 0 : chunkBytes;
}

qint64 DecoderDevice::readData(char *data, qint64 maxBytes)
{
    return m_decoder.read(data, std::min(maxBytes, chunkBytes));
}

qint64 DecoderDevice::writeData(const char *, qint64)
{
    return -1;
}
