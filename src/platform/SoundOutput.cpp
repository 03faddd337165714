#include "platform/SoundOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstring>
#include <deque>
#include <memory>

namespace platform {

namespace {

std::atomic<bool> stuck{false};
constexpr int kAnswerMilliseconds = 2000;
constexpr qint64 kQueuedMicroseconds = 250000;

}  // namespace

// Everything that touches the audio output, on the audio thread. Each play
// is answered with `answer` (started or not), then `ended`.
class SoundWorker : public QObject {
    Q_OBJECT
public:
    void play(unsigned number, std::vector<SoundOutput::Piece> pieces);
    void stop() { end(false); }

signals:
    void answer(unsigned play, bool started);
    void taken(unsigned play);  // the first bytes went to the audio output
    void announce(unsigned play, const QString& text);
    void ended(unsigned play, bool failed);

private:
    class PieceStream;
    void sinkStateChanged();
    void end(bool failed);

    void dropSink();

    std::unique_ptr<QAudioSink> sink_;
    PieceStream* stream_ = nullptr;  // the sink's child
    unsigned play_ = 0;
    bool ending_ = false;
};

// The pieces as one stream of bytes that the audio output pulls from.
class SoundWorker::PieceStream : public QIODevice {
public:
    PieceStream(std::vector<SoundOutput::Piece> pieces, SoundWorker& worker, unsigned play, QObject* parent)
        : QIODevice(parent), pieces_(pieces.begin(), pieces.end()), worker_(worker), play_(play)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return pieces_.empty() && offset_ >= byteCount(); }

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
        if (copied > 0 && !taken_) {
            taken_ = true;
            emit worker_.taken(play_);
        }
        return copied;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::size_t byteCount() const { return current_.size() * sizeof(std::int16_t); }
    bool nextPiece()
    {
        if (pieces_.empty()) return false;
        SoundOutput::Piece piece = std::move(pieces_.front());
        pieces_.pop_front();
        current_ = piece.make();
        offset_ = 0;
        if (!piece.announcement.isEmpty()) emit worker_.announce(play_, piece.announcement);
        return true;
    }

    std::deque<SoundOutput::Piece> pieces_;
    sound::StereoSamples current_;
    std::size_t offset_ = 0;
    SoundWorker& worker_;
    unsigned play_;
    bool taken_ = false;
};

void SoundWorker::play(unsigned number, std::vector<SoundOutput::Piece> pieces)
{
    end(false);
    play_ = number;
    QAudioFormat format;
    format.setSampleRate(sound::kSampleRate);
    format.setChannelCount(sound::kChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format)) {
        emit answer(number, false);
        return;
    }
    // A new sink each time, for the default device may have changed.
    dropSink();
    sink_ = std::make_unique<QAudioSink>(device, format);
    // A quarter of a second queued at the sound server rides out a busy
    // machine; Space still stops at once (the queue is dropped).
    sink_->setBufferSize(int(format.bytesForDuration(kQueuedMicroseconds)));
    stream_ = new PieceStream(std::move(pieces), *this, number, sink_.get());
    connect(sink_.get(), &QAudioSink::stateChanged, this, &SoundWorker::sinkStateChanged);
    ending_ = false;
    sink_->start(stream_);
    // A device that fails at once may have ended the play inside start().
    const bool started = sink_->state() != QAudio::StoppedState;
    if (!started) dropSink();
    emit answer(number, started);
}

// The sink and its stream go from the event loop: the sink's destructor runs
// pending events, and it may be inside its own call now.
void SoundWorker::dropSink()
{
    if (!sink_) return;
    sink_->disconnect(this);
    sink_.release()->deleteLater();
    stream_ = nullptr;
}

void SoundWorker::sinkStateChanged()
{
    if (ending_) return;
    const QAudio::Error error = sink_->error();
    if (sink_->state() == QAudio::StoppedState && error != QAudio::NoError)
        end(true);
    else if (sink_->state() == QAudio::IdleState && stream_->atEnd())
        end(false);
}

void SoundWorker::end(bool failed)
{
    if (!sink_ || ending_ || sink_->state() == QAudio::StoppedState) {
        if (failed) emit ended(play_, true);
        return;
    }
    // The sink may be inside its own call now: it is replaced at the next play.
    ending_ = true;
    sink_->disconnect(this);
    sink_->stop();
    ending_ = false;
    emit ended(play_, failed);
}

SoundOutput::SoundOutput(QObject* parent) : QObject(parent), thread_(new QThread), worker_(new SoundWorker)
{
    thread_->setObjectName("SoundOutput");
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &SoundWorker::answer, this, [this](unsigned play, bool started) {
        answered(play);
        if (!started && play == current_) {
            current_ = 0;
            emit unavailable();
            emit finished();
        }
    });
    connect(worker_, &SoundWorker::taken, this, [this](unsigned play) { playing_ = playing_ || play == current_; });
    connect(worker_, &SoundWorker::announce, this, [this](unsigned play, const QString& text) {
        if (play == current_) emit pieceStarting(text);
    });
    connect(worker_, &SoundWorker::ended, this, [this](unsigned play, bool failed) {
        if (play != current_) return;
        current_ = 0;
        playing_ = false;
        if (failed) emit unavailable();
        emit finished();
    });
    watchdog_ = new QTimer(this);
    watchdog_->setSingleShot(true);
    connect(watchdog_, &QTimer::timeout, this, &SoundOutput::giveUp);
    thread_->start();
}

SoundOutput::~SoundOutput()
{
    if (stuck) return;  // the thread and its worker are left as they are
    QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->stop(); }, Qt::QueuedConnection);
    thread_->quit();
    if (thread_->wait(kAnswerMilliseconds))
        delete thread_;
    else
        stuck = true;
}

void SoundOutput::play(std::vector<Piece> pieces)
{
    playing_ = false;
    if (stuck) {
        current_ = 0;
        emit unavailable();
        emit finished();
        return;
    }
    const unsigned play = current_ = ++requested_;
    QMetaObject::invokeMethod(worker_, [worker = worker_, play, pieces = std::move(pieces)]() mutable {
        worker->play(play, std::move(pieces));
    }, Qt::QueuedConnection);
    if (!watchdog_->isActive()) watchdog_->start(kAnswerMilliseconds);
}

void SoundOutput::stop()
{
    playing_ = false;
    current_ = 0;  // whatever the audio thread still says of the last play is past
    if (!stuck) QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->stop(); }, Qt::QueuedConnection);
}

bool SoundOutput::isStuck()
{
    return stuck;
}

void SoundOutput::answered(unsigned play)
{
    // Plays asked for since are still to be answered.
    if (play == requested_)
        watchdog_->stop();
    else
        watchdog_->start(kAnswerMilliseconds);
}

void SoundOutput::giveUp()
{
    stuck = true;
    current_ = 0;
    playing_ = false;
    emit unavailable();
    emit finished();
}

}  // namespace platform

#include "SoundOutput.moc"
