// The graph as sound in the real window with no audio device to be had:
// H says so and nothing hangs, the graph goes on working; Space, Alt+digits
// and the context menu's item.

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "UiTestSupport.h"
#include "platform/SoundOutput.h"

namespace {

using uitest::Window;

// The texts of the drawing area's context menu, read while it is open.
QStringList canvasMenuTexts()
{
    QStringList texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* action : menu->actions())
                texts << action->text() + "\t" + action->shortcut().toString();
            menu->close();
        }
    });
    poll.start(0);
    emit Form28->Canvas->customContextMenuRequested(QPoint(100, 100));
    return texts;
}

// The words go to the screen reader through the drawing area's items, which
// it reads while the area has the focus.
void focusTheDrawingArea()
{
    QApplication::setActiveWindow(Form28);
    Form28->Canvas->setFocus();
}

bool saysSoon(const QString& words)
{
    return QTest::qWaitFor([&] { return uitest::heard() == words; }, 5000);
}

TEST_F(Window, WithoutAnAudioDeviceTheSoundSaysSoAndTheGraphWorks)
{
    ASSERT_EQ(qgetenv("PULSE_SERVER"), "unix:/nonexistent");  // set by the test's environment
    TForm28& form = *Form28;
    focusTheDrawingArea();
    const QString none = QString::fromUtf8("没有可用的音频设备");
    struct Case {
        int down;  // Down presses before H: 0 the whole graph, 1 the first curve
        const char* said;
    } const cases[] = {{0, "没有可播放的函数图像"}, {1, "没有可用的音频设备"}, {0, "没有可用的音频设备"}};
    for (const Case& c : cases) {
        form.endExploring();  // nothing said yet
        if (QString::fromUtf8(c.said) == none && Unit28::fxnum == 0) uitest::drawRequest("1", "-3", "1");
        for (int i = 0; i < c.down; ++i) QTest::keyClick(form.Canvas, Qt::Key_Down);
        QTest::keyClick(form.Canvas, Qt::Key_H);
        EXPECT_TRUE(saysSoon(QString::fromUtf8(c.said))) << c.said;
        QTest::keyClick(form.Canvas, Qt::Key_Space);
    }
    uitest::drawRequest("-2", "7", "-3");
    uitest::settle();
    EXPECT_EQ(Unit28::fxnum, 2);
    EXPECT_GT(uitest::inkedIn(form.Canvas->rect()), 500);
    // A trace step's tone says nothing of it: the step's words must be heard.
    form.say(QString::fromUtf8("(1,2)"));
    bool failed = false;
    const QMetaObject::Connection told =
        QObject::connect(&form.soundOutput(), &platform::SoundOutput::unavailable, [&] { failed = true; });
    form.playTraceTone(1, 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return failed; }, 5000));
    QObject::disconnect(told);
    EXPECT_EQ(uitest::heard(), "(1,2)");
}

TEST_F(Window, AltDigitsSetTheSpeedAndTheMenuPlays)
{
    TForm28& form = *Form28;
    focusTheDrawingArea();
    for (auto [key, speed, said] : {std::tuple{Qt::Key_1, 1, "播放速度 1：每条 6 秒"},
                                    std::tuple{Qt::Key_9, 9, "播放速度 9：每条 1 秒"},
                                    std::tuple{Qt::Key_3, 3, "播放速度 3：每条 4.5 秒"}}) {
        QTest::keyClick(form.Canvas, key, Qt::AltModifier);
        EXPECT_EQ(form.soundSpeed(), speed);
        EXPECT_EQ(uitest::heard(), QString::fromUtf8(said));
    }
    QTest::keyClick(form.Canvas, Qt::Key_7);  // a plain digit is not a speed
    EXPECT_EQ(form.soundSpeed(), 3);
    form.setSoundSpeed(5);
    EXPECT_TRUE(canvasMenuTexts().contains(QString::fromUtf8("播放声音\tH")));
}

}  // namespace
