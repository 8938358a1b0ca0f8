#include "playback/mp3_decoder.h"

#include <QFile>

#include <mpg123.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <mutex>

namespace {

// libmpg123 asks for a few bytes at a time (a header, then a frame); a large stdio buffer turns that
// into one read() per MiB instead of two per frame.
constexpr size_t readBufferBytes = 1 << 20;
// Decoder-side delay of layer III, which gapless decoding drops on top of the encoder's delay.
constexpr qint64 layer3DecoderDelaySamples = 529;

ssize_t readFromFile(void *handle, void *buffer, size_t bytes)
{
    auto *file = static_cast<std::FILE *>(handle);
    const size_t got = std::fread(buffer, 1, bytes, file);
    if (got == 0 && std::ferror(file))
        return -1;
    return ssize_t(got);
}

off_t seekInFile(void *handle, off_t offset, int whence)
{
    auto *file = static_cast<std::FILE *>(handle);
    if (fseeko(file, offset, whence) != 0)
        return -1;
    return ftello(file);
}

void initialiseLibraryOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

} // namespace

void Mp3Decoder::FileCloser::operator()(std::FILE *file) const
{
    std::fclose(file);
}

void Mp3Decoder::HandleDeleter::operator()(mpg123_handle_struct *handle) const
{
    mpg123_delete(handle);
}

Mp3Decoder::Mp3Decoder() = default;
Mp3Decoder::~Mp3Decoder() = default;

qint64 Mp3Decoder::lengthMs() const
{
    return m_sampleRate > 0 ? m_lengthSamples * 1000 / m_sampleRate : 0;
}

bool Mp3Decoder::open(const QString &path)
{
    m_handle.reset();
    m_file.reset();
    m_atEnd = true;
    if (!openStream(path) || !lockOutputFormat() || mpg123_scan(m_handle.get()) != MPG123_OK) {
        m_handle.reset();
        m_file.reset();
        return false;
    }
    m_lengthSamples = mpg123_length(m_handle.get());
    if (m_lengthSamples <= 0 || !buildFrameMap() || !seekToSample(0)) {
        m_handle.reset();
        m_file.reset();
        return false;
    }
    return true;
}

bool Mp3Decoder::openStream(const QString &path)
{
    initialiseLibraryOnce();
    m_file.reset(std::fopen(QFile::encodeName(path).constData(), "rb"));
    if (!m_file)
        return false;
    struct stat info {};
    if (fstat(fileno(m_file.get()), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    m_fileSizeBytes = info.st_size;
    if (std::setvbuf(m_file.get(), nullptr, _IOFBF, readBufferBytes) != 0)
        return false;

    int error = MPG123_OK;
    m_handle.reset(mpg123_new(nullptr, &error));
    if (!m_handle)
        return false;
    mpg123_handle *handle = m_handle.get();
    // A negative index size lets the frame index grow so that it keeps every single frame.
    return mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0) == MPG123_OK
        && mpg123_param(handle, MPG123_INDEX_SIZE, -4096, 0) == MPG123_OK
        && mpg123_replace_reader_handle(handle, readFromFile, seekInFile, nullptr) == MPG123_OK
        && mpg123_open_handle(handle, m_file.get()) == MPG123_OK;
}

bool Mp3Decoder::lockOutputFormat()
{
    mpg123_handle *handle = m_handle.get();
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0)
        return false;
    m_sampleRate = int(rate);
    m_channels = channels;
    // One fixed output format, so that MPG123_NEW_FORMAT cannot appear in the middle of the file.
    return mpg123_format_none(handle) == MPG123_OK
        && mpg123_format(handle, rate, channels, MPG123_ENC_SIGNED_16) == MPG123_OK;
}

bool Mp3Decoder::buildFrameMap()
{
    mpg123_handle *handle = m_handle.get();
    off_t *offsets = nullptr;
    off_t step = 0;
    size_t fill = 0;
    if (mpg123_index(handle, &offsets, &step, &fill) != MPG123_OK || fill == 0 || step != 1)
        return false;
    std::vector<qint64> frameOffsetsBytes(offsets, offsets + fill);

    // The last frame ends where its header says, unless the file is cut short inside it.
    qint64 endOffsetBytes = m_fileSizeBytes;
    std::array<std::uint8_t, 4> header{};
    if (pread(fileno(m_file.get()), header.data(), header.size(), off_t(frameOffsetsBytes.back())) == 4) {
        if (const std::optional<int> frameBytes = mpegFrameBytes(header))
            endOffsetBytes = std::min(m_fileSizeBytes, frameOffsetsBytes.back() + *frameBytes);
    }

    long encoderDelay = -1;
    double unused = 0;
    mpg123_getstate(handle, MPG123_ENC_DELAY, &encoderDelay, &unused);
    const qint64 leadingSamples = encoderDelay >= 0 ? encoderDelay + layer3DecoderDelaySamples : 0;

    m_frameMap = FrameMap(std::move(frameOffsetsBytes), endOffsetBytes, mpg123_spf(handle), leadingSamples,
                          m_sampleRate);
    return true;
}

bool Mp3Decoder::seekToSample(qint64 sample)
{
    if (!m_handle)
        return false;
    const qint64 target = std::clamp<qint64>(sample, 0, m_lengthSamples);
    if (mpg123_seek(m_handle.get(), off_t(target), SEEK_SET) < 0)
        return false;
    m_atEnd = target >= m_lengthSamples;
    return true;
}

qint64 Mp3Decoder::read(char *data, qint64 maxBytes)
{
    if (!m_handle || m_atEnd)
        return 0;
    const size_t wanted = size_t(maxBytes - maxBytes % bytesPerSampleFrame());
    size_t done = 0;
    // A format notice (or an empty decode) gives no bytes; a few tries get past it.
    for (int attempt = 0; attempt < 4 && done == 0 && wanted > 0; ++attempt) {
        const int result = mpg123_read(m_handle.get(), reinterpret_cast<unsigned char *>(data), wanted, &done);
        if (result == MPG123_NEW_FORMAT)
            continue;
        if (result != MPG123_OK) {
            // MPG123_DONE, or a stream that cannot go on: either way nothing more will come.
            m_atEnd = true;
            break;
        }
    }
    return qint64(done);
}
