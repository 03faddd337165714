// Sets of curves kept as text: 保存曲线… writes the stored curves one line a
// curve; 打开曲线… (Ctrl+O), a file dropped onto the window and Ctrl+V on the
// drawing area draw the curves of such a text in order, as draw requests
// would, in one step that Ctrl+Z takes back whole. A text that cannot be
// read draws nothing: the error box names the line and the reason.

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QStandardPaths>

#include "Unit28.h"
#include "Unit28Step.h"
#include "core/io/AtomicFile.h"
#include "core/io/CurveList.h"
#include "core/io/ReadFile.h"
#include "platform/Application.h"
#include "platform/DrawingSurface.h"
#include "platform/SavePrompts.h"

namespace {

const char* const kListFilter = "曲线列表 (*.txt)";
const char* const kAnyFilter = "所有文件 (*)";

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

}  // namespace

QString TForm28::listFolder() const
{
    return lastListFolder.isEmpty() ? documentsFolder() : lastListFolder;
}

core::Status TForm28::saveCurveListTo(const QString& path)
{
    const std::string text = io::curveListText(Unit28::reco);
    if (const core::Status failure = core::writeFileAtomically(path.toStdString(), text))
        return core::UserError{
            QString::fromUtf8("无法保存曲线“%1”：%2").arg(path, QString::fromStdString(failure->message)).toStdString()};
    return {};
}

// As the picture's save: the dialog opens again on the same name after a failure.
void TForm28::saveCurveList()
{
    const QStringList filters{QString::fromUtf8(kListFilter)};
    const platform::SaveDialogRequest request{this, QString::fromUtf8("保存曲线"),
                                              QDir(listFolder()).filePath(QString::fromUtf8("函数曲线.txt")), filters,
                                              filters.constFirst()};
    const QString saved = platform::saveThroughDialog(request, [this](const platform::SaveDialogAnswer& answer) {
        if (const core::Status failure = saveCurveListTo(answer.path))
            return platform::SaveAttempt{platform::SaveAttempt::Failed, answer.path,
                                         QString::fromStdString(failure->message)};
        return platform::SaveAttempt{platform::SaveAttempt::Saved, answer.path, {}};
    });
    if (!saved.isEmpty())
        lastListFolder = QFileInfo(saved).absolutePath();
}

core::Status TForm28::openCurveList()
{
    const QStringList filters{QString::fromUtf8(kListFilter), QString::fromUtf8(kAnyFilter)};
    const QString path = platform::askWhichToOpen(
        {this, QString::fromUtf8("打开曲线"), listFolder(), filters, filters.constFirst()});
    if (path.isEmpty())
        return {};
    lastListFolder = QFileInfo(path).absolutePath();
    return openCurveListFile(path);
}

core::Status TForm28::openCurveListFile(const QString& path)
{
    const core::Expected<std::string> bytes = core::readFileStart(path.toStdString(), io::kMaxCurveListBytes + 1);
    if (!bytes)
        return core::UserError{
            QString::fromUtf8("无法打开曲线“%1”：%2").arg(path, QString::fromStdString(bytes.error().message)).toStdString()};
    return drawCurveText(*bytes, QFileInfo(path).fileName());
}

core::Status TForm28::pasteCurves()
{
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty())
        return {};
    return drawCurveText(text.toStdString(), QString::fromUtf8("剪贴板"));
}

// All of the text's curves, or none: a fault is told with where it came from.
core::Status TForm28::drawCurveText(const std::string& text, const QString& source)
{
    const core::Expected<std::vector<io::TypedCurve>> curves =
        io::readCurveList(text, Unit28::storedCurves.decimalSeparator());
    if (!curves)
        return core::UserError{(source + QString::fromUtf8("：") + QString::fromStdString(curves.error().message)).toStdString()};
    return drawCurves(*curves);
}

// One step: each curve stored and drawn as a draw request would draw it
// (without the animation's pacing), so that the info box ends up showing
// the last; the fields hold the last one's texts. The first curve that
// cannot be traced whole is reported once, after all are drawn.
core::Status TForm28::drawCurves(const std::vector<io::TypedCurve>& curves)
{
    if (curves.empty() || Canvas->isPainting() || history_.inStep())
        return {};
    const Step historyStep(*this);
    endExploring();
    const double step = Unit28::currentStep();
    core::Status firstFailure;
    for (const io::TypedCurve& curve : curves) {
        const std::size_t slot = Unit28::reco.add(curve.coefficients, curve.texts);
        const core::Status failure = Unit28::drawStoredCurve(slot, step);
        Unit28::reco.setFailureShown(slot, failure.has_value());
        if (failure && !firstFailure)
            firstFailure = failure;
    }
    // As after a draw request of the last curve.
    const io::TypedCurve& last = curves.back();
    Unit28::a = last.coefficients.a, Unit28::b = last.coefficients.b, Unit28::c = last.coefficients.c;
    QLineEdit* const fields[] = {Edit1, Edit2, Edit3};
    for (std::size_t i = 0; i < 3; ++i)
        fields[i]->setText(QString::fromStdString(last.texts[i]));
    graphChanged();
    sayGraph();
    return firstFailure;
}

// Ctrl+O anywhere in the window; Ctrl+V on the drawing area, where no field
// takes it.
bool TForm28::curveListKey(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    const bool open = key.matches(QKeySequence::Open);
    if (!open && !(key.matches(QKeySequence::Paste) && watched == Canvas))
        return false;
    event->accept();
    if (event->type() != QEvent::KeyPress)
        return false;
    if (open)
        platform::guarded([this] { return openCurveList(); });
    else
        platform::guarded([this] { return pasteCurves(); });
    return true;
}

namespace {

// A file dropped: the first local one of the drop.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

}  // namespace

void TForm28::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty() || (event->mimeData() && event->mimeData()->hasText()))
        event->acceptProposedAction();
}

void TForm28::dropEvent(QDropEvent* event)
{
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty() && !(event->mimeData() && event->mimeData()->hasText()))
        return;
    event->acceptProposedAction();
    const std::string text = file.isEmpty() ? event->mimeData()->text().toStdString() : std::string();
    // Once the drag has ended: the drag's source is not kept waiting by an
    // error box.
    QMetaObject::invokeMethod(
        this,
        [this, file, text] {
            platform::guarded([this, &file, &text] {
                return file.isEmpty() ? drawCurveText(text, QString::fromUtf8("拖放的文本")) : openCurveListFile(file);
            });
        },
        Qt::QueuedConnection);
}
