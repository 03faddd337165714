#pragma once
// The program's sounds through Qt Multimedia's default audio output, one
// play at a time. What plays is a list of pieces, each made only when the
// output reaches it (a curve's sound takes a few milliseconds), each with
// words for the screen reader as it starts. Without an audio device, or when
// the device fails, nothing plays and `unavailable` says so; nothing waits
// for a device.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/sound/SoundOfCurve.h"

class QAudioSink;

namespace platform {

class SoundOutput : public QObject {
    Q_OBJECT
public:
    struct Piece {
        std::function<sound::StereoSamples()> make;
        QString announcement;  // empty for none
    };

    explicit SoundOutput(QObject* parent = nullptr);
    ~SoundOutput() override;

    // Stops what is playing and plays `pieces` one after another. False
    // when it cannot start (`unavailable` has been sent then).
    bool play(std::vector<Piece> pieces);
    void stop();
    bool isPlaying() const;

signals:
    // A piece with an announcement is about to be heard.
    void pieceStarting(const QString& announcement);
    // No audio device, or the device failed: once for each play that fails.
    void unavailable();
    // The last piece has been played, or the play stopped or failed.
    void finished();

private:
    class PieceStream;
    void sinkStateChanged();
    void end(bool failed);

    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<PieceStream> stream_;
};

}  // namespace platform
