// Sets of curves saved, opened, pasted and dropped in the real window: the
// round trip file → window → file, one undo for a whole file, and bad texts
// that draw nothing and lose nothing.

#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "UiTestSupport.h"
#include "core/io/ReadFile.h"

using namespace uitest;

namespace {

WindowState shown()
{
    settle();
    return windowState();
}

std::string write(const QTemporaryDir& folder, const char* name, const std::string& bytes)
{
    const std::string path = folder.filePath(name).toStdString();
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

}  // namespace

TEST_F(Window, ACurveListOpensAsOneStepAndSavesAsItWasTyped)
{
    TForm28& form = *Form28;
    const QTemporaryDir folder;
    const std::string list = "1\t-3\t1\n-0.5\t\t4\n\t2\t-1\n";
    drawRequest("1", "-3", "1");
    drawRequest("-0.5", "", "4");
    drawRequest("", "2", "-1");
    const WindowState typed = shown();
    form.Button2->click();
    const WindowState cleared = shown();

    ASSERT_FALSE(form.openCurveListFile(QString::fromStdString(write(folder, "in.txt", list))));
    EXPECT_EQ(shown(), typed);  // as the draw requests left it, the last curve in the info box
    const QString out = folder.filePath("out.txt");
    ASSERT_FALSE(form.saveCurveListTo(out));
    EXPECT_EQ(*core::readFileStart(out.toStdString(), 1000), list);
    QTest::keyClick(form.Canvas, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(), cleared);  // the whole file in one undo

    // Copy's text pasted on the drawing area rebuilds the graph; so does a dropped file.
    QApplication::clipboard()->setText(QString::fromUtf8("1\t-3\t1\t(2.62,0)\t(0.38,0)\t(0,1)\n解：Δ=5\n\n"
                                                         "-0.5\t\t4\t\t\t\n\n\t2\t-1\t\t\t\n"));
    {
        ErrorBoxes errors;
        QTest::keyClick(form.Canvas, Qt::Key_V, Qt::ControlModifier);
        EXPECT_TRUE(errors.texts.empty()) << (errors.texts.empty() ? std::string() : errors.texts[0].toStdString());
    }
    EXPECT_EQ(shown(), typed);
    form.Button2->click();
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(folder.filePath("in.txt"))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &drop);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(), typed);
}

// Whatever is wrong with it, a text draws nothing and what is drawn stays;
// the error box names the line and the reason.
TEST_F(Window, ABadCurveListDrawsNothingAndSaysWhy)
{
    TForm28& form = *Form28;
    const QTemporaryDir folder;
    drawRequest("1", "", "-4");
    const WindowState before = shown();
    std::string many;
    for (int i = 0; i < 10001; ++i) many += "1\t\t" + std::to_string(i) + "\n";
    const struct {
        std::string bytes;
        const char* message;
    } rows[] = {
        {"1\t2\t3\n1\t2\n", "bad.txt：line 2: not three fields separated by tabs (a, b and c)"},
        {"1\t2\t3\n\n1\tz\t3\n", "bad.txt：line 3, coefficient b: 'z' is not a valid floating point value"},
        {"1\t2\t3\n\xff\xfe\t1\t\n", "bad.txt：line 2: not UTF-8 text"},
        {std::string(io::kMaxCurveListBytes + 1, '\n'), "bad.txt：more than 1 MB (1,048,576 bytes)"},
        {many, "bad.txt：line 10001: more than 10,000 curves"},
    };
    for (const auto& row : rows) {
        ErrorBoxes errors;
        platform::guarded([&] { return form.openCurveListFile(QString::fromStdString(write(folder, "bad.txt", row.bytes))); });
        ASSERT_EQ(errors.texts.size(), 1u) << row.message;
        EXPECT_TRUE(errors.texts[0].startsWith(QString::fromUtf8(row.message))) << errors.texts[0].toStdString();
        EXPECT_EQ(shown(), before) << row.message;
    }
    ErrorBoxes errors;
    platform::guarded([&] { return form.openCurveListFile(folder.filePath("none.txt")); });
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_TRUE(errors.texts[0].contains("No such file or directory")) << errors.texts[0].toStdString();
    EXPECT_EQ(shown(), before);
}
