#pragma once
// The program's sounds through Qt Multimedia's default audio output, one
// play at a time. What plays is a list of pieces, each made only when the
// output reaches it (a curve's sound takes a few milliseconds), each with
// words for the screen reader as it starts. Without an audio device, or when
// the device fails, nothing plays and `unavailable` says so.
//
// The audio output lives on a thread of its own and the window never waits
// for it: Qt 6.4's PulseAudio output can block for good when the sound
// server goes away in the middle of a play. A play that gets no answer
// within two seconds counts as a failed device, and the thread is then left
// alone for the rest of the session.

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "core/sound/SoundOfCurve.h"

class QThread;
class QTimer;

namespace platform {

class SoundWorker;

class SoundOutput : public QObject {
    Q_OBJECT
public:
    struct Piece {
        std::function<sound::StereoSamples()> make;  // called on the audio thread
        QString announcement;                        // empty for none
    };

    explicit SoundOutput(QObject* parent = nullptr);
    ~SoundOutput() override;

    // Stops what is playing and plays `pieces` one after another.
    void play(std::vector<Piece> pieces);
    void stop();
    // Since the audio output took the first bytes of the latest play, until it ends.
    bool isPlaying() const { return playing_; }

    // The audio thread stopped answering: it is left running, and the
    // process must end without waiting for it (see main).
    static bool isStuck();

signals:
    // A piece with an announcement is about to be heard.
    void pieceStarting(const QString& announcement);
    // No audio device, or the device failed: once for each play that fails.
    void unavailable();
    // The last piece has been played, or the play stopped or failed.
    void finished();

private:
    void answered(unsigned play);
    void giveUp();

    QThread* thread_ = nullptr;
    SoundWorker* worker_ = nullptr;
    QTimer* watchdog_ = nullptr;
    unsigned requested_ = 0;  // the latest play asked of the audio thread
    unsigned current_ = 0;    // the play whose news counts; 0 once stopped
    bool playing_ = false;
};

}  // namespace platform
