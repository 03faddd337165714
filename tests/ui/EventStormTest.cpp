// Event storms over a window with stored curves: rapid drags of the info box
// with either button from each of its four handles, delivered straight to the
// control or routed by the window under the cursor, releases away from the
// control, presses on the value labels, the settings panel toggled, Esc and
// Enter, and paint cycles in between. Afterwards no drag is left in progress,
// every curve is still stored and a refresh repaint draws them all.

#include <QWindow>
#include <random>

#include <algorithm>

#include "UiTestSupport.h"

using namespace uitest;

namespace {

// The n-th curve drawn from the keyboard: a horizontal line y = c with 20·c a
// half-integer, so its row 360 − ceiling(20·c) is plain; the 64 rows are 5
// pixels apart and clear of the axes' ticks in column 210 (x = −4.5).
double levelOf(int n)
{
    return (n % 64 - 32) / 4.0 + 0.125;
}

int rowOf(int n)
{
    return 357 - 5 * (n % 64 - 32);
}

constexpr int kCheckColumn = 210;

// How an event reaches the info box: straight to a control, as a grabbing
// toolkit delivers it, or through the window to the widget under the cursor.
enum class Route { Control, Window };

class Storm {
public:
    explicit Storm(std::uint32_t seed) : random_(seed) {}

    int drags = 0, windowDrags = 0, valueLabelPresses = 0;
    std::vector<TCoefRec> expectedCurves;

    void drawFromKeyboard()
    {
        const int n = int(expectedCurves.size());
        QLineEdit* fields[] = {Form28->Edit1, Form28->Edit2, Form28->Edit3};
        Form28->Edit1->setText("0");
        Form28->Edit2->setText("");
        Form28->Edit3->setText(QString::number(levelOf(n), 'g', 17));
        QTest::keyClick(fields[pick(3)], Qt::Key_Return);
        expectedCurves.push_back({0.0, 0.0, levelOf(n)});
        ASSERT_EQ(Unit28::fxnum, int(expectedCurves.size()));
    }

    void toggleSettings()
    {
        const bool shown = Form28->Panel2->isVisible();
        Form28->N1->trigger();
        ASSERT_EQ(Form28->Panel2->isVisible(), !shown);
    }

    void escape()
    {
        QTest::keyClick(Form28->Edit2, Qt::Key_Escape);
        ASSERT_FALSE(Form28->Panel2->isVisible());
    }

    // Presses on one of the four handles with one button (sometimes adding the
    // other), moves the cursor in jumps, anywhere when the events go straight
    // to the control, and releases away from the control. The box follows the
    // cursor exactly and ends inside the drawing area.
    void drag()
    {
        struct Handle {
            QWidget* control;
            QPoint inside;  // a point of the control not covered by a child
        };
        const Handle handles[] = {{Form28->Panel3, {1, 50}},
                                  {Form28->GroupBox2, {60, 65}},
                                  {Form28->Label4, {4, 4}},
                                  {Form28->Label5, {4, 4}}};
        const Handle& handle = handles[pick(4)];
        const QPoint pressAt = handle.control->mapToGlobal(handle.inside);
        const Route route = pick(2) == 0 && underCursor(pressAt) == handle.control ? Route::Window : Route::Control;
        const Qt::MouseButton button = pick(2) == 0 ? Qt::LeftButton : Qt::RightButton;
        const Qt::MouseButton other = button == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton;
        const bool bothButtons = pick(5) == 0;
        const QPoint boxAtPress = Form28->Panel3->pos();
        ++drags;
        windowDrags += route == Route::Window;

        send(route, handle.control, QEvent::MouseButtonPress, button, pressAt);
        QPoint cursor = pressAt;
        const int jumps = 1 + pick(5);
        for (int jump = 0; jump < jumps; ++jump) {
            if (jump == 1 && bothButtons)
                send(route, handle.control, QEvent::MouseButtonPress, other, cursor);
            cursor = route == Route::Window ? somewhereInWindow()
                                            : pressAt + QPoint(pick(2001) - 1000, pick(2001) - 1000);
            // Jumps stay where the box can follow (it keeps a strip inside
            // the drawing area; that bound has a test of its own).
            cursor = pressAt + (keptReachable(boxAtPress + (cursor - pressAt)) - boxAtPress);
            send(route, handle.control, QEvent::MouseMove, Qt::NoButton, cursor);
            ASSERT_EQ(Form28->Panel3->pos(), boxAtPress + (cursor - pressAt));
            interleave();
        }
        // The last jump puts the box back inside the drawing area, clear of
        // the clear button, so that the window can route presses to it again.
        const QPoint home(pick(Form28->Canvas->width() - 144 - 40), 90 + pick(Form28->Canvas->height() - 107 - 90));
        cursor = pressAt + (home - boxAtPress);
        send(route, handle.control, QEvent::MouseMove, Qt::NoButton, cursor);
        ASSERT_EQ(Form28->Panel3->pos(), home);

        // The release comes away from the control. Through the window it is
        // preceded by a move there, as the window system reports where the
        // cursor went; straight to the control it moves nothing.
        const QPoint away = awayFrom(handle.control);
        const QPoint boxAfterRelease = route == Route::Window ? keptReachable(home + (away - cursor)) : home;
        send(route, handle.control, QEvent::MouseButtonRelease, button, away);
        if (jumps > 1 && bothButtons) {
            // One button is still held: the drag goes on until it is released.
            ASSERT_TRUE(Unit28::isMouseDown || Unit28::ismousedown2);
            send(route, handle.control, QEvent::MouseButtonRelease, other, away);
        }
        ASSERT_FALSE(Unit28::isMouseDown);
        ASSERT_FALSE(Unit28::ismousedown2);
        ASSERT_EQ(Form28->Panel3->pos(), boxAfterRelease);
    }

    // The box follows the cursor as far as it stays reachable: a 12-pixel
    // strip of the 144 × 107 box inside the drawing area below the top bar.
    static QPoint keptReachable(QPoint followed)
    {
        const int right = Form28->Canvas->width(), bottom = Form28->Canvas->height();
        return {std::clamp(followed.x(), 12 - 144, right - 12), std::clamp(followed.y(), 89 + 12 - 107, bottom - 12)};
    }

    // A press, jump and release on a value label moves nothing.
    void pressValueLabel()
    {
        QLabel* labels[] = {Form28->Label6, Form28->Label7, Form28->Label8};
        QLabel* label = labels[pick(3)];
        const QPoint at = label->mapToGlobal(QPoint(label->width() / 2, label->height() / 2));
        if (label->width() == 0 || underCursor(at) != label)
            return;
        ++valueLabelPresses;
        const QPoint box = Form28->Panel3->pos();
        send(Route::Window, label, QEvent::MouseButtonPress, Qt::LeftButton, at);
        send(Route::Window, label, QEvent::MouseMove, Qt::NoButton, somewhereInWindow());
        send(Route::Window, label, QEvent::MouseButtonRelease, Qt::LeftButton, somewhereInWindow());
        ASSERT_EQ(Form28->Panel3->pos(), box);
        ASSERT_FALSE(Unit28::isMouseDown || Unit28::ismousedown2);
    }

    // Sometimes, in the middle of a drag: a paint cycle, a draw request or
    // the settings panel toggled.
    void interleave()
    {
        switch (pick(12)) {
        case 0:
            QCoreApplication::processEvents();
            break;
        case 1:
            drawFromKeyboard();
            break;
        case 2:
            toggleSettings();
            break;
        default:
            break;
        }
    }

    int pick(int count) { return int(random_() % std::uint32_t(count)); }

private:
    static QWidget* underCursor(const QPoint& global)
    {
        return Form28->childAt(Form28->mapFromGlobal(global));
    }

    QPoint somewhereInWindow()
    {
        return Form28->mapToGlobal(QPoint(pick(Form28->width()), pick(Form28->height())));
    }

    QPoint awayFrom(const QWidget* control)
    {
        const QRect area(control->mapToGlobal(QPoint(0, 0)), control->size());
        QPoint point = somewhereInWindow();
        while (area.contains(point))
            point = somewhereInWindow();
        return point;
    }

    static void send(Route route, QWidget* control, QEvent::Type type, Qt::MouseButton button, const QPoint& global)
    {
        if (route == Route::Window) {
            QWindow* window = Form28->windowHandle();
            const QPoint at = window->mapFromGlobal(global);
            if (type == QEvent::MouseButtonPress)
                QTest::mousePress(window, button, {}, at);
            else if (type == QEvent::MouseMove)
                QTest::mouseMove(window, at);
            else
                QTest::mouseRelease(window, button, {}, at);
            return;
        }
        const QPoint at = control->mapFromGlobal(global);
        if (type == QEvent::MouseButtonPress)
            QTest::mousePress(control, button, {}, at);
        else if (type == QEvent::MouseMove)
            QTest::mouseMove(control, at);
        else
            QTest::mouseRelease(control, button, {}, at);
    }

    std::mt19937 random_;
};

}  // namespace

TEST_F(Window, EventStormLeavesNoDragInProgressAndLosesNoCurve)
{
    ErrorBoxes boxes;
    Storm storm(20240611);
    for (int n = 0; n < 5; ++n)
        storm.drawFromKeyboard();

    for (int action = 0; action < 600 && !HasFatalFailure(); ++action) {
        SCOPED_TRACE(action);
        switch (storm.pick(10)) {
        case 0: case 1: case 2: case 3:
            storm.drag();
            break;
        case 4:
            storm.pressValueLabel();
            break;
        case 5:
            storm.drawFromKeyboard();
            break;
        case 6: case 7:
            storm.toggleSettings();
            break;
        case 8:
            storm.escape();
            break;
        default:
            QCoreApplication::processEvents();
            break;
        }
    }
    ASSERT_FALSE(HasFatalFailure());
    settle();
    RecordProperty("drags", storm.drags);
    RecordProperty("windowDrags", storm.windowDrags);
    RecordProperty("valueLabelPresses", storm.valueLabelPresses);
    RecordProperty("curves", int(storm.expectedCurves.size()));
    EXPECT_GT(storm.windowDrags, 20);
    EXPECT_GT(storm.drags - storm.windowDrags, 20);
    EXPECT_GT(storm.valueLabelPresses, 5);

    EXPECT_FALSE(Unit28::isMouseDown);
    EXPECT_FALSE(Unit28::ismousedown2);
    EXPECT_TRUE(boxes.texts.empty());
    const std::vector<TCoefRec>& expected = storm.expectedCurves;
    ASSERT_EQ(Unit28::fxnum, int(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_TRUE(Unit28::reco[i].a == expected[i].a && Unit28::reco[i].b == expected[i].b &&
                    Unit28::reco[i].c == expected[i].c)
            << i;

    // With the panels out of the way, a repaint without refresh mode shows no
    // curve, and one with it draws every stored curve again.
    storm.escape();
    Form28->Panel3->move(433, 480);
    Form28->CheckBox2->setChecked(false);
    Form28->Canvas->invalidateAll();
    settle();
    for (std::size_t n = 0; n < expected.size(); ++n)
        ASSERT_FALSE(inked(kCheckColumn, rowOf(int(n)))) << n;
    Form28->CheckBox2->setChecked(true);
    Form28->Canvas->invalidateAll();
    settle();
    for (std::size_t n = 0; n < expected.size(); ++n)
        EXPECT_TRUE(inked(kCheckColumn, rowOf(int(n)))) << n;
    EXPECT_EQ(Form28->Label8->text(),
              QString("(0,%1)").arg(QString::number(levelOf(int(expected.size()) - 1), 'g', 15)));
}
