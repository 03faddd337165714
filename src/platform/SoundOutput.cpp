#include "platform/SoundOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <cstring>
#include <deque>

namespace platform {

// The pieces as one stream of bytes that the audio output pulls from.
class SoundOutput::PieceStream : public QIODevice {
public:
    PieceStream(std::vector<Piece> pieces, SoundOutput& output) : pieces_(pieces.begin(), pieces.end()), output_(output)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool exhausted() const { return pieces_.empty() && offset_ >= current_.size() * sizeof(std::int16_t); }

protected:
    qint64 readData(char* data, qint64 maximum) override
    {
        qint64 copied = 0;
        while (copied < maximum && (offset_ < byteCount() || nextPiece())) {
            const qint64 taken = std::min<qint64>(maximum - copied, qint64(byteCount() - offset_));
            std::memcpy(data + copied, reinterpret_cast<const char*>(current_.data()) + offset_, std::size_t(taken));
            offset_ += std::size_t(taken);
            copied += taken;
        }
        return copied;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::size_t byteCount() const { return current_.size() * sizeof(std::int16_t); }
    bool nextPiece()
    {
        if (pieces_.empty()) return false;
        Piece piece = std::move(pieces_.front());
        pieces_.pop_front();
        current_ = piece.make();
        offset_ = 0;
        // Told once the audio output's call has returned.
        if (!piece.announcement.isEmpty())
            QMetaObject::invokeMethod(&output_, [output = &output_, text = piece.announcement] {
                emit output->pieceStarting(text);
            }, Qt::QueuedConnection);
        return true;
    }

    std::deque<Piece> pieces_;
    sound::StereoSamples current_;
    std::size_t offset_ = 0;
    SoundOutput& output_;
};

SoundOutput::SoundOutput(QObject* parent) : QObject(parent) {}

SoundOutput::~SoundOutput()
{
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
    }
}

bool SoundOutput::play(std::vector<Piece> pieces)
{
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
    }
    QAudioFormat format;
    format.setSampleRate(sound::kSampleRate);
    format.setChannelCount(sound::kChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format)) {
        sink_.reset();
        end(true);
        return false;
    }
    if (!sink_ || sink_->format() != format) sink_ = std::make_unique<QAudioSink>(device, format);
    stream_ = std::make_unique<PieceStream>(std::move(pieces), *this);
    connect(sink_.get(), &QAudioSink::stateChanged, this, &SoundOutput::sinkStateChanged);
    sink_->start(stream_.get());
    if (sink_->error() != QAudio::NoError) {
        end(true);
        return false;
    }
    return true;
}

void SoundOutput::stop()
{
    if (sink_ && sink_->state() != QAudio::StoppedState) end(false);
}

bool SoundOutput::isPlaying() const
{
    return sink_ && (sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState);
}

void SoundOutput::sinkStateChanged()
{
    if (sink_->error() != QAudio::NoError && sink_->error() != QAudio::UnderrunError)
        end(true);
    else if (sink_->state() == QAudio::IdleState && stream_->exhausted())
        end(false);
}

void SoundOutput::end(bool failed)
{
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        // A failed device is asked for again at the next play.
        if (failed) sink_.release()->deleteLater();
    }
    if (failed) emit unavailable();
    emit finished();
}

}  // namespace platform
