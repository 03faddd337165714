// The graph as sound while the drawing area has the focus: H plays the
// chosen curve, or every curve one after another with its number and formula
// said before it; Space stops; Alt+1 … Alt+9 set the speed; the context
// menu's "播放声音". The explorer's trace steps play a short tone through
// playTraceTone. Without an audio device the screen reader says so and the
// graph works as before.

#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>

#include "Unit28.h"
#include "core/exact/Explanation.h"
#include "platform/Application.h"
#include "platform/DrawingSurface.h"
#include "platform/SoundOutput.h"

namespace {

std::string separator()
{
    return QLocale::system().decimalPoint().toStdString();
}

sound::SoundRange soundRange()
{
    return sound::SoundRange::of(Unit28::geometry());
}

}  // namespace

platform::SoundOutput& TForm28::soundOutput()
{
    if (!soundOutput_) {
        soundOutput_ = std::make_unique<platform::SoundOutput>();
        connect(soundOutput_.get(), &platform::SoundOutput::pieceStarting, this, &TForm28::say);
        connect(soundOutput_.get(), &platform::SoundOutput::unavailable, this, [this] {
            if (playingTraceTone_)
                return;
            say(QString::fromUtf8("没有可用的音频设备"));
        });
    }
    return *soundOutput_;
}

void TForm28::playSound()
{
    const std::size_t count = std::size_t(Unit28::fxnum);
    const double seconds = sound::secondsAtSpeed(soundSpeed_);
    const sound::SoundRange range = soundRange();
    std::vector<platform::SoundOutput::Piece> pieces;
    const auto facts = [](std::size_t i) { return Unit28::storedCurves.facts(i, Unit28::currentStep()); };
    if (selectedCurve_ != kWholeGraph && selectedCurve_ < count) {
        pieces.push_back({[curve = facts(selectedCurve_), seconds, range] {
            return sound::soundOfCurve(curve, seconds, range);
        }, QString()});
    } else {
        // Each after the pause before it; the words come as the pause begins.
        for (std::size_t i = 0; i < count; ++i) {
            const model::CurveFacts curve = facts(i);
            const QString announcement = QString::fromUtf8("第 %1 条，共 %2 条：").arg(i + 1).arg(count) +
                                         QString::fromStdString(exact::formulaText(curve.texts(), separator()));
            const std::size_t pause = i > 0 ? std::size_t(sound::kChannels * sound::framesIn(sound::kPauseBetweenCurves)) : 0;
            pieces.push_back({[curve, seconds, range, pause] {
                sound::StereoSamples samples(pause, 0);
                const sound::StereoSamples heard = sound::soundOfCurve(curve, seconds, range);
                samples.insert(samples.end(), heard.begin(), heard.end());
                return samples;
            }, announcement});
        }
    }
    if (pieces.empty()) {
        say(QString::fromUtf8("没有可播放的函数图像"));
        return;
    }
    playingTraceTone_ = false;
    soundOutput().play(std::move(pieces));
}

void TForm28::stopSound()
{
    if (soundOutput_) soundOutput_->stop();
}

void TForm28::playTraceTone(double x, double y)
{
    const sound::SoundRange range = soundRange();
    playingTraceTone_ = true;
    soundOutput().play({{[x, y, range] { return sound::soundOfPoint(x, y, range); }, QString()}});
}

void TForm28::setSoundSpeed(int speed)
{
    soundSpeed_ = std::clamp(speed, sound::kSlowestSpeed, sound::kFastestSpeed);
    say(QString::fromUtf8("播放速度 %1：每条 %2 秒")
            .arg(soundSpeed_)
            .arg(QLocale::system().toString(sound::secondsAtSpeed(soundSpeed_))));
}

// H, Space and Alt+1 … Alt+9 on the drawing area; plain digits are left alone.
bool TForm28::soundKeyPressed(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_H && modifiers == Qt::NoModifier) {
        platform::guarded([this] { playSound(); });
        return true;
    }
    if (event->key() == Qt::Key_Space && modifiers == Qt::NoModifier) {
        stopSound();
        return true;
    }
    if (event->key() >= Qt::Key_1 && event->key() <= Qt::Key_9 && modifiers == Qt::AltModifier) {
        setSoundSpeed(event->key() - Qt::Key_0);
        return true;
    }
    return false;
}

QAction* TForm28::addSoundMenuItem(QMenu& menu)
{
    QAction* play = menu.addAction(QString::fromUtf8("播放声音"));
    play->setShortcut(QKeySequence(Qt::Key_H));
    connect(play, &QAction::triggered, this, [this] { platform::guarded([this] { playSound(); }); });
    return play;
}
