// The graph leaving the window: the picture at scale 1 against the window's
// own pixels, the SVG file, a page printed to PDF against the picture, and
// the clipboard.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "UiTestSupport.h"
#include "platform/GraphOutput.h"

namespace {

using uitest::Window;

// Two images of the drawing area at `scale` agree wherever no control covers
// it, over at least `least` client pixels.
void expectSameWhereUncovered(const QImage& shown, const QImage& picture, int scale, int least)
{
    ASSERT_EQ(shown.size(), picture.size());
    QRegion uncovered(Form28->Canvas->rect());
    for (QObject* child : Form28->Canvas->children())
        if (auto* control = qobject_cast<QWidget*>(child); control && control->isVisible())
            uncovered -= control->geometry();
    int compared = 0;
    for (const QRect& rect : uncovered)
        for (int y = rect.top() * scale; y < (rect.bottom() + 1) * scale; ++y)
            for (int x = rect.left() * scale; x < (rect.right() + 1) * scale; ++x, ++compared)
                ASSERT_EQ(shown.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    EXPECT_GT(compared, least * scale * scale);
}

// The window's pixels and the picture's agree wherever no control covers
// the drawing area.
void expectPictureMatchesWindow()
{
    Form28->Canvas->invalidateAll();
    uitest::settle();
    expectSameWhereUncovered(Form28->Canvas->image(), platform::graphImage(Form28->graphSource(), 1), 1, 300000);
}

TEST_F(Window, ThePictureAtScaleOneIsTheRefreshedWindow)
{
    uitest::ErrorBoxes boxes;
    uitest::drawRequest("1", "-3", "1");
    uitest::drawRequest("-0.5", "", "3");
    uitest::drawRequest("1E-300", "1E300", "");     // astronomic
    uitest::drawRequest("1E300", "", "");           // fails, drawn as far as it goes
    uitest::drawRequest("0.001", "0.0001", "-7");
    ASSERT_EQ(boxes.texts.size(), 2u);
    expectPictureMatchesWindow();
    Form28->CheckBox1->setChecked(true);  // repaints replay at the fine step
    expectPictureMatchesWindow();
    Form28->CheckBox1->setChecked(false);
}

TEST_F(Window, SvgHoldsPolylines)
{
    uitest::drawRequest("1", "-3", "1");
    QTemporaryDir folder;
    const QString svgPath = folder.filePath("graph.svg");
    ASSERT_FALSE(Form28->saveGraphTo(svgPath, core::PictureFormat::Svg).has_value());

    QFile svg(svgPath);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&svg);
    int polylines = 0;
    QStringList runStarts;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        EXPECT_NE(reader.name(), QStringLiteral("image"));
        if (reader.name() == QStringLiteral("polyline")) {
            ++polylines;
            const QStringList points = reader.attributes().value("points").toString().split(' ');
            if (points.size() > 2)
                runStarts << points.first();
            for (const QString& point : points)
                EXPECT_TRUE(QRegularExpression("^-?\\d+,-?\\d+$").match(point).hasMatch()) << point.toStdString();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    // The two axes, four arrowhead strokes, 40 ticks, and the parabola's two
    // passes, each one run from where it meets the y axis, (0,1).
    EXPECT_EQ(polylines, 2 + 4 + 40 + 2);
    EXPECT_EQ(runStarts, QStringList({"300,340", "300,340"}));
}

// Whether `isInk` holds within `radius` pixels of `centre` in `image`.
template <class IsInk>
bool inkNear(const QImage& image, QPointF centre, double radius, IsInk isInk)
{
    for (int y = int(std::floor(centre.y() - radius)); y <= int(centre.y() + radius); ++y)
        for (int x = int(std::floor(centre.x() - radius)); x <= int(centre.x() + radius); ++x)
            if (image.rect().contains(x, y) && isInk(image.pixel(x, y)))
                return true;
    return false;
}

// The page printed to a PDF file, rendered by poppler, against the picture
// fitted to the printable area: ink lies within two client pixels of ink
// both ways, so nothing is printed beyond the drawing area.
TEST_F(Window, ThePrintedPageShowsThePictureFittedToThePage)
{
    const QString renderer = QStandardPaths::findExecutable("pdftoppm");
    if (renderer.isEmpty())
        GTEST_SKIP() << "needs pdftoppm (poppler-utils)";
    uitest::drawRequest("1", "", "");
    uitest::drawRequest("0.1", "1", "-6");
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("printed.pdf"));
    ASSERT_FALSE(Form28->printGraphOn(printer).has_value());
    QFile pdf(printer.outputFileName());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);

    constexpr int dpi = 200;
    QProcess render;
    render.start(renderer, {"-r", QString::number(dpi), "-gray", "-png", "-singlefile", pdf.fileName(),
                            folder.filePath("page")});
    ASSERT_TRUE(render.waitForFinished(60000) && render.exitCode() == 0) << render.readAllStandardError().data();
    const QImage page(folder.filePath("page.png")), picture = platform::graphImage(Form28->graphSource(), 1);
    ASSERT_FALSE(page.isNull());
    const QRectF paper = printer.pageLayout().paintRect(QPageLayout::Point);
    const double scale = std::min(paper.width() / picture.width(), paper.height() / picture.height()) * dpi / 72;
    const QPointF origin = paper.center() * dpi / 72 - QPointF(picture.width(), picture.height()) * scale / 2;
    const auto dark = [](QRgb pixel) { return qGray(pixel) < 128; };
    const auto black = [](QRgb pixel) { return pixel == uitest::kInk; };
    int printed = 0, drawn = 0, strayPrinted = 0, unprinted = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (dark(page.pixel(x, y)) && ++printed)
                strayPrinted += !inkNear(picture, (QPointF(x + 0.5, y + 0.5) - origin) / scale, 2, black);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (black(picture.pixel(x, y)) && ++drawn)
                unprinted += !inkNear(page, origin + QPointF(x + 0.5, y + 0.5) * scale, 2 * scale, dark);
    EXPECT_GT(drawn, 2000);
    EXPECT_GT(printed, drawn);
    EXPECT_EQ(strayPrinted, 0);
    EXPECT_EQ(unprinted, 0);
}

TEST_F(Window, CtrlCCopiesThePictureAndTextUnlessAFieldHasSelectedText)
{
    uitest::drawRequest("2", "-7", "3");
    QApplication::clipboard()->clear();
    Form28->Edit1->setFocus();
    Form28->Edit1->deselect();
    QTest::keyClick(Form28->Edit1, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat("image/png"));
    EXPECT_EQ(QImage::fromData(data->data("image/png"), "PNG").size(), Form28->Canvas->size());
    EXPECT_TRUE(data->text().startsWith(QString::fromUtf8("2\t-7\t3\t(3,0)\t(0.5,0)\t(0,3)\ny=2x²-7x+3\n")))
        << data->text().toStdString();

    Form28->Edit1->setText("2.5");
    Form28->Edit1->selectAll();
    QTest::keyClick(Form28->Edit1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "2.5");
}

}  // namespace

namespace {

// Run with QT_SCALE_FACTOR=2 (its own ctest): the drawing area shows the
// scale-2 picture, not an enlargement of the scale-1 pixels.
TEST_F(Window, AtScreenScaleTwoTheDrawingAreaShowsTheScaleTwoPicture)
{
    TForm28& form = *Form28;
    if (form.Canvas->devicePixelRatioF() != 2)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    uitest::drawRequest("1", "-3", "1");
    uitest::drawRequest("-0.5", "", "3");
    form.Canvas->invalidateAll();
    uitest::settle();
    expectSameWhereUncovered(form.Canvas->grab().toImage(), platform::graphImage(form.graphSource(), 2), 2, 300000);
}

}  // namespace
