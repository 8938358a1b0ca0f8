#pragma once

#include <QIODevice>

class Mp3Decoder;

// The pull source of the audio sink: each read decodes just the next small chunk of the file.
class DecoderDevice : public QIODevice
{
    Q_OBJECT

public:
    explicit DecoderDevice(Mp3Decoder &decoder, QObject *parent = nullptr);

    bool isSequential() const override { return true; }
    bool atEnd() const override;
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxBytes) override;
    qint64 writeData(const char *data, qint64 bytes) override;

private:
    Mp3Decoder &m_decoder;
};
