// The graph leaving the window: the drawing area's context menu, Ctrl+C,
// Ctrl+S and Ctrl+P, the clipboard, saving to PNG, SVG, PDF or another image
// type, printing.

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QCheckBox>
#include <algorithm>

#include "Unit28.h"
#include "core/exact/GraphText.h"
#include "platform/Application.h"
#include "platform/DrawingSurface.h"
#include "platform/GraphOutput.h"
#include "platform/SavePrompts.h"

namespace {

struct FileFilter {
    const char* text;
    core::PictureFormat format;
    const char* extension;
};

const FileFilter kFileFilters[] = {
    {"PNG 图像 (*.png)", core::PictureFormat::Png, ".png"},
    {"SVG 矢量图 (*.svg)", core::PictureFormat::Svg, ".svg"},
    {"PDF 文档 (*.pdf)", core::PictureFormat::Pdf, ".pdf"},
};

}  // namespace

platform::GraphSource TForm28::graphSource() const
{
    return {Unit28::reco, Unit28::currentStep(), Canvas->width(), Canvas->height(), Canvas->background()};
}

QString TForm28::graphPlainText() const
{
    return QString::fromStdString(exact::graphPlainText(Unit28::storedCurves.curveTexts(Unit28::currentStep()),
                                                        Unit28::storedCurves.decimalSeparator()));
}

void TForm28::copyGraph()
{
    const QImage image = platform::graphImage(graphSource(), Canvas->frameScale());
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), platform::pngBytes(image));
    data->setImageData(image);
    data->setText(graphPlainText());
    QApplication::clipboard()->setMimeData(data);
}

namespace {

// The folder the save dialog opens in before the first save: the user's
// pictures, or home when there is no such folder.
QString picturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

struct SaveTarget {
    QString path;
    core::PictureFormat format;
};

// Where a name chosen in the dialog is saved, and as what: its extension
// decides where it names a type that is written (PNG, SVG, PDF or another
// image type); a name without one takes the chosen filter's. Any other
// extension gets the filter's added, once the user agrees; empty when they
// do not.
std::optional<SaveTarget> saveTarget(QWidget* owner, const QString& path, const QString& filterText)
{
    const FileFilter* filter = &kFileFilters[0];
    for (const FileFilter& each : kFileFilters)
        if (filterText == QString::fromUtf8(each.text))
            filter = &each;
    const std::string extension = core::fileExtension(path.toStdString());
    if (const std::optional<core::PictureFormat> format = core::pictureFormatOf(path.toStdString()))
        return SaveTarget{path, *format};
    if (!extension.empty()) {
        const std::vector<std::string> types = platform::writableImageTypes();
        if (std::find(types.begin(), types.end(), extension) != types.end())
            return SaveTarget{path, core::PictureFormat::Image};
        const QString name = QFileInfo(path).fileName();
        const QString suffix = name.mid(name.lastIndexOf(u'.'));
        const QString question = QString::fromUtf8("无法保存为“%1”文件。保存为“%2”吗？")
                                     .arg(suffix, name + QString::fromUtf8(filter->extension));
        if (!platform::askYesOrNo(owner, QString::fromUtf8("保存图像"), question))
            return std::nullopt;
    }
    return SaveTarget{path + QString::fromUtf8(filter->extension), filter->format};
}

}  // namespace

// The dialog opens where the last save of this session went. After a
// failure it opens again on the same name, for another place or name.
void TForm28::saveGraph()
{
    QStringList filters;
    for (const FileFilter& each : kFileFilters)
        filters << QString::fromUtf8(each.text);
    const QString folder = lastSaveFolder.isEmpty() ? picturesFolder() : lastSaveFolder;
    const platform::SaveDialogRequest request{this, QString::fromUtf8("保存图像"),
                                              QDir(folder).filePath(QString::fromUtf8("函数图像.png")), filters,
                                              filters.constFirst()};
    const QString saved = platform::saveThroughDialog(request, [this](const platform::SaveDialogAnswer& answer) {
        const std::optional<SaveTarget> target = saveTarget(this, answer.path, answer.filter);
        if (!target)
            return platform::SaveAttempt{platform::SaveAttempt::Declined, answer.path, {}};
        if (const core::Status failure = saveGraphTo(target->path, target->format))
            return platform::SaveAttempt{platform::SaveAttempt::Failed, target->path,
                                         QString::fromStdString(failure->message)};
        return platform::SaveAttempt{platform::SaveAttempt::Saved, target->path, {}};
    });
    if (!saved.isEmpty())
        lastSaveFolder = QFileInfo(saved).absolutePath();
}

core::Status TForm28::saveGraphTo(const QString& path, core::PictureFormat format)
{
    const bool image = format == core::PictureFormat::Png || format == core::PictureFormat::Image;
    const int scale = image ? Canvas->frameScale() : 1;
    if (const std::optional<QString> reason = platform::writeGraphFile(graphSource(), path, format, scale))
        return core::UserError{QString::fromUtf8("无法保存图像“%1”：%2").arg(path, *reason).toStdString()};
    return {};
}

core::Status TForm28::printGraph()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QString::fromUtf8("打印函数图像"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return printGraphOn(printer);
}

core::Status TForm28::printGraphOn(QPrinter& printer)
{
    const std::optional<QString> reason = platform::printGraph(printer, graphSource());
    if (!reason)
        return {};
    if (reason->isEmpty())
        return core::UserError{std::string("无法打印函数图像")};
    return core::UserError{
        QString::fromUtf8("无法打印函数图像“%1”：%2").arg(printer.outputFileName(), *reason).toStdString()};
}

void TForm28::showCanvasMenu(const QPoint& position)
{
    QMenu menu(this);
    menu.setObjectName("CanvasMenu");
    QAction* undo = menu.addAction(QString::fromUtf8("撤销"), this, [this] { undoStep(); });
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(canUndo());
    QAction* redo = menu.addAction(QString::fromUtf8("重做"), this, [this] { redoStep(); });
    redo->setShortcut(QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z));
    redo->setEnabled(canRedo());
    menu.addSeparator();
    QAction* copy = menu.addAction(QString::fromUtf8("复制图像"));
    copy->setShortcut(QKeySequence::Copy);
    QAction* save = menu.addAction(QString::fromUtf8("保存图像…"));
    save->setShortcut(QKeySequence::Save);
    QAction* print = menu.addAction(QString::fromUtf8("打印…"));
    print->setShortcut(QKeySequence::Print);
    menu.addSeparator();
    QAction* openList = menu.addAction(QString::fromUtf8("打开曲线…"), this,
                                       [this] { platform::guarded([this] { return openCurveList(); }); });
    openList->setShortcut(QKeySequence::Open);
    QAction* saveList = menu.addAction(QString::fromUtf8("保存曲线…"), this, [this] { saveCurveList(); });
    saveList->setEnabled(Unit28::fxnum > 0);
    addCopyPointAction(menu, position);
    addSoundMenuItem(menu);
    QAction* chosen = menu.exec(Canvas->mapToGlobal(position));
    if (chosen == copy)
        platform::guarded([this] { copyGraph(); });
    else if (chosen == save)
        platform::guarded([this] { saveGraph(); });
    else if (chosen == print)
        platform::guarded([this] { return printGraph(); });
}

// Ctrl+C copies the graph, unless a field with selected text has the focus:
// then the field copies its text, as always. Ctrl+S saves, Ctrl+P prints.
// A shortcut override is claimed too, so the field does not take the key.
bool TForm28::graphKey(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool copy = key->matches(QKeySequence::Copy);
    if (!copy && !key->matches(QKeySequence::Save) && !key->matches(QKeySequence::Print))
        return false;
    if (const auto* field = qobject_cast<const QLineEdit*>(watched); copy && field && field->hasSelectedText())
        return false;
    event->accept();
    if (event->type() != QEvent::KeyPress)
        return false;
    if (copy)
        platform::guarded([this] { copyGraph(); });
    else if (key->matches(QKeySequence::Save))
        platform::guarded([this] { saveGraph(); });
    else
        platform::guarded([this] { return printGraph(); });
    return true;
}
