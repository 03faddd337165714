// Writes the program's picture as PNG icons for the desktop, and checks that
// the hand-drawn SVG icon shows the same picture.
//
//   veltrano_icon_export png SIZE FILE   the picture scaled to SIZE × SIZE,
//                                        nearest neighbour, so pixels stay sharp
//   veltrano_icon_export check-svg FILE  exit status 0 when FILE, drawn on the
//                                        picture's grid, equals the picture
//
// The SVG is a stack of <rect> elements on whole pixels, filled with the
// picture's colours (as their own fill or a <g>'s); anything else is refused,
// so that an edit the check cannot follow does not pass unnoticed.

#include <QColor>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/ProgramIcon.h"

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "veltrano_icon_export: %s\n", qPrintable(message));
    return 1;
}

std::optional<int> wholeNumber(const QXmlStreamAttributes& attributes, const char* name)
{
    bool ok = false;
    const int value = attributes.value(QLatin1String(name)).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Draws the SVG's rectangles on a grid of the picture's size. Returns the
// grid, or an error text in `error`.
QImage drawSvgOnGrid(QFile& file, QSize grid, QString& error)
{
    QImage image(grid, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    std::vector<QString> fills{QString()};
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("g"))
            fills.pop_back();
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString fill = attributes.hasAttribute("fill") ? attributes.value("fill").toString() : fills.back();
        if (attributes.hasAttribute("transform"))
            error = "transforms are not supported";
        else if (xml.name() == QLatin1String("g"))
            fills.push_back(fill);
        else if (xml.name() == QLatin1String("rect")) {
            const auto x = wholeNumber(attributes, "x"), y = wholeNumber(attributes, "y");
            const auto width = wholeNumber(attributes, "width"), height = wholeNumber(attributes, "height");
            const QColor colour = QColor::fromString(fill);
            if (!x || !y || !width || !height || !colour.isValid())
                error = QString("a rect at line %1 is not on whole pixels or has no colour").arg(xml.lineNumber());
            else
                for (int row = std::max(*y, 0); row < std::min(*y + *height, grid.height()); ++row)
                    for (int column = std::max(*x, 0); column < std::min(*x + *width, grid.width()); ++column)
                        image.setPixel(column, row, colour.rgba());
        } else if (xml.name() != QLatin1String("svg") && xml.name() != QLatin1String("title"))
            error = QString("<%1> is not supported").arg(xml.name());
        if (!error.isEmpty())
            return QImage();
    }
    if (xml.hasError())
        error = xml.errorString();
    return image;
}

int checkSvg(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail("cannot read " + path);
    const QImage picture = platform::programPicture().convertToFormat(QImage::Format_ARGB32);
    QString error;
    const QImage drawn = drawSvgOnGrid(file, picture.size(), error);
    if (!error.isEmpty())
        return fail(path + ": " + error);
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (drawn.pixel(x, y) != picture.pixel(x, y)) {
                if (++differing <= 10)
                    std::fprintf(stderr, "pixel (%d, %d): the SVG has #%08x, the picture #%08x\n", x, y,
                                 drawn.pixel(x, y), picture.pixel(x, y));
            }
    if (differing > 0)
        return fail(QString("%1 pixels of %2 differ from the program's picture").arg(differing).arg(path));
    std::printf("%s shows the program's picture\n", qPrintable(path));
    return 0;
}

int writePng(const QString& sizeText, const QString& path)
{
    bool ok = false;
    const int size = sizeText.toInt(&ok);
    if (!ok || size < 1 || size > 1024)
        return fail("the size must be a whole number from 1 to 1024, not " + sizeText);
    const QImage icon = platform::programPicture().scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!icon.save(path, "PNG"))
        return fail("cannot write " + path);
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    if (arguments.size() == 3 && arguments[0] == "png")
        return writePng(arguments[1], arguments[2]);
    if (arguments.size() == 2 && arguments[0] == "check-svg")
        return checkSvg(arguments[1]);
    return fail("usage: veltrano_icon_export png SIZE FILE | check-svg FILE");
}
