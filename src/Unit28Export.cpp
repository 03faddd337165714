// The graph leaving the window: the drawing area's context menu, Ctrl+C,
// Ctrl+S and Ctrl+P, the clipboard, saving to PNG, SVG or PDF, printing.

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QCheckBox>

#include "Unit28.h"
#include "core/exact/GraphText.h"
#include "platform/Application.h"
#include "platform/DrawingSurface.h"
#include "platform/GraphOutput.h"

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

core::Status TForm28::saveGraph()
{
    QString filter = QString::fromUtf8(kFileFilters[0].text);
    QStringList filters;
    for (const FileFilter& each : kFileFilters) filters << QString::fromUtf8(each.text);
    QString path = QFileDialog::getSaveFileName(this, QString::fromUtf8("保存图像"), QString::fromUtf8("函数图像.png"),
                                                filters.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty())
        return {};
    // The name's extension decides; a name without one takes the chosen filter's.
    std::optional<core::PictureFormat> format = core::pictureFormatOf(path.toStdString());
    if (!format) {
        for (const FileFilter& each : kFileFilters)
            if (filter == QString::fromUtf8(each.text)) {
                format = each.format;
                path += QString::fromUtf8(each.extension);
            }
    }
    return saveGraphTo(path, format.value_or(core::PictureFormat::Png));
}

core::Status TForm28::saveGraphTo(const QString& path, core::PictureFormat format)
{
    const int scale = format == core::PictureFormat::Png ? Canvas->frameScale() : 1;
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
    if (!platform::printGraph(printer, graphSource()))
        return core::UserError{std::string("无法打印函数图像")};
    return {};
}

void TForm28::showCanvasMenu(const QPoint& position)
{
    QMenu menu(this);
    menu.setObjectName("CanvasMenu");
    QAction* copy = menu.addAction(QString::fromUtf8("复制图像"));
    copy->setShortcut(QKeySequence::Copy);
    QAction* save = menu.addAction(QString::fromUtf8("保存图像…"));
    save->setShortcut(QKeySequence::Save);
    QAction* print = menu.addAction(QString::fromUtf8("打印…"));
    print->setShortcut(QKeySequence::Print);
    addCopyPointAction(menu, position);
    QAction* chosen = menu.exec(Canvas->mapToGlobal(position));
    if (chosen == copy)
        platform::guarded([this] { copyGraph(); });
    else if (chosen == save)
        platform::guarded([this] { return saveGraph(); });
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
        platform::guarded([this] { return saveGraph(); });
    else
        platform::guarded([this] { return printGraph(); });
    return true;
}
