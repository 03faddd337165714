#pragma once
// The main window, its event handlers, the plotting routines and the state
// they share for the life of the process.

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <optional>
#include <cstdint>
#include <memory>

#include "core/number/UserError.h"
#include "core/io/CurveList.h"
#include "core/model/History.h"
#include "core/model/StoredCurves.h"
#include "core/plot/CurveTable.h"
#include "core/plot/Graph.h"
#include "core/sound/SoundMapping.h"
#include "core/vector/PictureFormat.h"
#include "platform/GraphOutput.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QMenu;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QMouseEvent;
class QPrinter;
class QPushButton;
namespace platform {
class DrawingSurface;
class SharpGraph;
class SoundOutput;
}  // namespace platform

class TForm28 : public QMainWindow {
    Q_OBJECT
public:
    TForm28();
    ~TForm28() override;

    // The client area, which is also the drawing canvas.
    platform::DrawingSurface* Canvas = nullptr;

    QMenuBar* MainMenu1 = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* zentio1 = nullptr;

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button1 = nullptr;

    QFrame* Panel2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    QFrame* Panel3 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;

    QPushButton* Button2 = nullptr;
    QFrame* Panel4 = nullptr;

    void FormCreate();
    void FormResize();
    core::Status FormPaint();
    core::Status Button1Click();
    void Button2Click();
    void N1Click();
    void N2Click();
    void BitBtn1Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void Panel3MouseDown(const QPoint& cursor);
    void Panel3MouseMove(const QPoint& cursor);
    void Panel3MouseUp();
    void GroupBox2MouseDown(const QPoint& cursor);
    void GroupBox2MouseMove(const QPoint& cursor);
    void GroupBox2MouseUp();
    void Label4MouseDown(const QPoint& cursor);
    void Label4MouseMove(const QPoint& cursor);
    void Label4MouseUp();
    void Label5MouseDown(const QPoint& cursor);
    void Label5MouseMove(const QPoint& cursor);
    void Label5MouseUp();

    // The mouse handlers of the info box receive the cursor position in
    // screen coordinates at the time of the event.

    // Sets a label's caption; labels size themselves to their text.
    static void setCaption(QLabel* label, const QString& text);

    // The window's steps (Unit28History.cpp): a draw request, a clear or a
    // list of curves opened is one step, taken back with Ctrl+Z and made
    // again with Ctrl+Shift+Z or Ctrl+Y. False where there is none.
    bool undoStep();
    bool redoStep();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    const model::History& history() const { return history_; }
    void forgetHistory() { history_ = model::History(); }
    // Keeps a grab strip of the info box inside the drawing area.
    void keepInfoBoxReachable();
    // The stored curves changed: the drawing area's description follows.
    void graphChanged();
    // A value label's description for screen readers: which intersection, and its text.
    void describeIntersectionLabel(QLabel* label);
    // The info box's tooltip: full intersection texts and a worked solution.
    QString infoBoxToolTip() const;

    // The graph leaving the window (the drawing area's menu, Ctrl+C/S/P): the
    // picture at the screen's scale and the curves' plain text on the
    // clipboard, a file chosen in the file dialog, a printed page.
    void copyGraph();
    void saveGraph();
    core::Status saveGraphTo(const QString& path, core::PictureFormat format);
    core::Status printGraph();
    core::Status printGraphOn(QPrinter& printer);
    QString graphPlainText() const;
    platform::GraphSource graphSource() const;
    // The folder of this session's last save, where the save dialog opens;
    // empty before the first.
    QString lastSaveFolder;

    // Sets of curves as text (Unit28Lists.cpp): saved, opened, pasted and
    // dropped; what is drawn from one is one step.
    void saveCurveList();
    core::Status saveCurveListTo(const QString& path);
    core::Status openCurveList();
    core::Status openCurveListFile(const QString& path);
    core::Status pasteCurves();
    core::Status drawCurveText(const std::string& text, const QString& source);
    core::Status drawCurves(const std::vector<io::TypedCurve>& curves);
    // The folder of this session's last curve list, where its dialogs open;
    // empty before the first.
    QString lastListFolder;

    // The graph as sound (Unit28Sound.cpp): H plays the chosen curve or all
    // of them, Space stops, Alt+1 … Alt+9 the speed.
    void playSound();
    void stopSound();
    void setSoundSpeed(int speed);
    int soundSpeed() const { return soundSpeed_; }
    // A trace step: a short tone at the point's height and place.
    void playTraceTone(double x, double y);
    // Words for the screen reader to say.
    void say(const QString& text);
    // Exploring ends (a draw request, a clear, an animation): the overlay
    // goes, with a pinned or chosen curve, its trace point and what was said.
    void endExploring();
    platform::SoundOutput& soundOutput();

    // The main window is closing: a tracing in progress finishes at once.
    bool isClosing() const { return closing_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A step of the history, begun and ended around what it changes.
    class Step;
    model::WindowTexts windowTexts() const;
    void showWindowTexts(const model::WindowTexts& texts);
    bool historyKey(QObject* watched, QEvent* event);
    bool moveInHistory(bool back);
    void sayGraph(const QString& before = QString());
    bool curveListKey(QObject* watched, QEvent* event);
    QString listFolder() const;
    void forgetFieldUndo();
    void followFocusAroundPanel2(QWidget* old, QWidget* now);
    bool isInPanel2(const QWidget* widget) const;
    void rememberFocusBeforePanel2(QWidget* focused);
    void returnFocusFromPanel2();
    void restoreFocusBeforePanel2();
    void describeCanvas();
    QString curveDescription(std::size_t index) const;
    bool canvasKeyPressed(QKeyEvent* event);
    bool showInfoBoxToolTip(QEvent* event);
    void showCanvasMenu(const QPoint& position);
    bool graphKey(QObject* watched, QEvent* event);
    bool soundKeyPressed(QKeyEvent* event);
    QAction* addSoundMenuItem(QMenu& menu);

    // Exploring the graph (Unit28Explore.cpp): the pointer, the pinned or
    // chosen curve, the trace point and what screen readers hear of them.
    struct Exploration;
    void wireExploring();
    QRect exploredArea() const;
    QString accessibleItemName(int index) const;
    std::optional<std::size_t> highlightedCurve() const;
    std::optional<std::size_t> curveNear(const QPoint& pixel);
    void refreshOverlay();
    void pointerLeftGraph();
    bool explorePointerEvent(QEvent* event);
    bool exploreKeyPressed(QKeyEvent* event);
    void chooseCurve(std::size_t curve);
    void moveTracePoint(double x, std::string exactValue = std::string());
    QAction* addCopyPointAction(QMenu& menu, const QPoint& position);
    struct ExplorationEnd {
        void operator()(Exploration* exploration) const;
    };
    std::unique_ptr<Exploration, ExplorationEnd> exploration_;
    int lastSpokenItem_ = -1;  // the drawing area's item say() focused last

    // The curve the drawing area's description is about, or the whole graph.
    static constexpr std::size_t kWholeGraph = std::size_t(-1);
    std::size_t selectedCurve_ = kWholeGraph;

    model::History history_;
    // Made at the first sound, so that no audio device is asked for before.
    std::unique_ptr<platform::SoundOutput> soundOutput_;
    int soundSpeed_ = sound::kDefaultSpeed;
    // A trace step's tone that finds no audio device says nothing: the
    // step's own words must be heard.
    bool playingTraceTone_ = false;
    // The drawing area's frames on screens with more than one device pixel
    // to a client pixel.
    std::unique_ptr<platform::SharpGraph> sharpGraph_;
    QPointer<QWidget> focusBeforePanel2_;
    bool closing_ = false;

    void buildControls();
    void buildMenu();
    void wireEvents();
    void wirePanelEvents();
    void describeForAssistiveTools();
};

extern TForm28* Form28;

// A stored curve: the coefficients of x², of x, and the constant term.
using TCoefRec = plot::Coefficients;

namespace Unit28 {

// Plot geometry, set by FormCreate and constant afterwards.
extern std::int32_t ox, oy, l1, l2, lx, ly, xn, yn;
plot::PlotGeometry geometry();

// The tracing step of the tracing in progress.
extern double m;
// The tracing steps: normal, and fine for the animation mode.
inline constexpr double normalStep = plot::kNormalStep;
inline constexpr double fineStep = plot::kFineStep;

// The coefficients read by the latest draw request.
extern double a, b, c;

// The model of the curves drawn since the last clear: their table, reco,
// and what the window says about each. Its entries 0 to fxnum − 1 are
// stored, fxnum being the table's count. The table grows as needed; a clear
// resets only the count. A stored curve whose tracing failed and was
// reported is traced as far as it goes at later repaints, without being
// reported again.
extern model::StoredCurves storedCurves;
extern plot::CurveTable& reco;
extern const std::int32_t& fxnum;
// The step the stored curves are shown at: the animation mode's, or the normal one.
double currentStep();

// Drag state of the info box.
extern bool isMouseDown;
extern bool ismousedown2;
extern std::int32_t posX, posY;

void setDefaultGeometry();
void paintxy();
core::Status drawfx(double a, double b, double c, double speed);
// Plays stored curve `index` onto the canvas at `step`, as drawfx draws it
// without the animation, and writes the info box.
core::Status drawStoredCurve(std::size_t index, double step);
core::Expected<std::int64_t> cl45(int roundMode, const core::Extended& value);

}  // namespace Unit28
