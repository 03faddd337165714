// Saving from the window with the dialog and its question answered by
// scripts: where the dialog opens, names without an extension or with
// another one, a failed save that opens it again, a full disk.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "UiTestSupport.h"
#include "platform/SavePrompts.h"

namespace {

using uitest::Window;

const QString kPng = QString::fromUtf8("PNG 图像 (*.png)"), kSvg = QString::fromUtf8("SVG 矢量图 (*.svg)");

// Answers the save dialog from a list (then cancels) and the question from
// another (then No), recording where each dialog opened and each question.
struct SaveScript {
    SaveScript(QList<platform::SaveDialogAnswer> answers, QList<bool> replies = {})
    {
        platform::setSaveDialogHook([this, answers](const platform::SaveDialogRequest& request) {
            opened << request.startPath;
            return answers.value(opened.size() - 1);
        });
        platform::setQuestionHook([this, replies](const QString& caption, const QString& text) {
            asked << caption + ": " + text;
            return replies.value(asked.size() - 1);
        });
    }
    ~SaveScript()
    {
        platform::setSaveDialogHook({});
        platform::setQuestionHook({});
    }
    QStringList opened, asked;
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST_F(Window, TheSaveDialogOpensInPicturesOrHomeThenWhereTheLastSaveWent)
{
    QTemporaryDir home, other;
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    Form28->lastSaveFolder.clear();
    const QString graph = other.filePath("graph.svg"), name = QString::fromUtf8("/函数图像.png");
    QFile(graph).open(QIODevice::WriteOnly);
    QFile::setPermissions(graph, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    {
        SaveScript script({{}, {other.filePath("graph"), kSvg}});
        Form28->saveGraph();
        QDir(home.path()).mkdir("Pictures");
        Form28->saveGraph();  // a name without an extension takes the filter's
        Form28->saveGraph();
        EXPECT_EQ(script.opened, QStringList({home.path() + name, home.filePath("Pictures") + name, other.path() + name}));
    }
    EXPECT_TRUE(contents(graph).contains("<polyline"));
    EXPECT_EQ(QFile::permissions(graph) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    qputenv("HOME", savedHome);
    qputenv("XDG_CONFIG_HOME", savedConfig);
}

TEST_F(Window, OtherEndingsAreAskedAboutOrWrittenInTheirTypeAndAFailedSaveOpensTheDialogAgain)
{
    uitest::ErrorBoxes boxes;
    QTemporaryDir folder;
    const QString text = folder.filePath("x.txt"), missing = folder.filePath("none/y.png");
    SaveScript script({{text, kPng}, {text, kPng}, {folder.filePath("x.BMP"), kSvg}, {missing, kPng}}, {false, true});
    Form28->saveGraph();  // No, then Yes
    Form28->saveGraph();
    Form28->saveGraph();  // fails, opens again, cancelled
    const QString question = QString::fromUtf8("保存图像: 无法保存为“.txt”文件。保存为“x.txt.png”吗？");
    EXPECT_EQ(script.asked, QStringList({question, question}));
    EXPECT_EQ(script.opened.mid(1), QStringList({text, Form28->lastSaveFolder + QString::fromUtf8("/函数图像.png"),
                                                 Form28->lastSaveFolder + QString::fromUtf8("/函数图像.png"), missing}));
    EXPECT_EQ(Form28->lastSaveFolder, folder.path());
    EXPECT_TRUE(contents(text + ".png").startsWith("\x89PNG"));
    EXPECT_TRUE(contents(folder.filePath("x.BMP")).startsWith("BM"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"x.BMP", "x.txt.png"}));
    EXPECT_EQ(boxes.texts, std::vector<QString>({QString::fromUtf8("无法保存图像“%1”：No such file or directory.").arg(missing)}));
}

// Run by tests/files/check-full-disk.sh with the folder of a full file system
// holding keep.png, keep.svg, keep.pdf, keep.bmp and the curve list keep.txt.
TEST_F(Window, SavingOnAFullDiskShowsTheReasonAndLeavesTheFileAsItWas)
{
    const QDir disk(qEnvironmentVariable("VELTRANO_FULL_DISK_DIR"));
    if (qEnvironmentVariableIsEmpty("VELTRANO_FULL_DISK_DIR"))
        GTEST_SKIP() << "needs VELTRANO_FULL_DISK_DIR";
    uitest::drawRequest("1", "-3", "1");
    uitest::drawRequest("-0.5", "", "3");
    uitest::drawRequest("2", "", "-8");
    const QStringList entries = disk.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const char* type : {"png", "svg", "pdf", "bmp"}) {
        const QString path = disk.filePath(QStringLiteral("keep.") + type);
        const QByteArray kept = contents(path);
        uitest::ErrorBoxes boxes;
        SaveScript script({{path, kPng}});
        Form28->saveGraph();
        EXPECT_EQ(boxes.texts, std::vector<QString>({QString::fromUtf8("无法保存图像“%1”：No space left on device.").arg(path)}));
        EXPECT_EQ(script.opened.value(1), path);
        EXPECT_TRUE(contents(path) == kept) << type;
    }
    // A curve list too, of more than a block (the disk may have one free).
    std::string list;
    for (int i = 0; i < 60; ++i) list += "0." + std::string(90, '0') + "1\t\t" + std::to_string(i) + "\n";
    ASSERT_FALSE(Form28->drawCurveText(list, "list"));
    const QString path = disk.filePath("keep.txt");
    const QByteArray kept = contents(path);
    uitest::ErrorBoxes boxes;
    SaveScript script({{path, kPng}});
    Form28->saveCurveList();
    EXPECT_EQ(boxes.texts, std::vector<QString>({QString::fromUtf8("无法保存曲线“%1”：No space left on device.").arg(path)}));
    EXPECT_EQ(script.opened.value(1), path);
    EXPECT_TRUE(contents(path) == kept);
    EXPECT_EQ(disk.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), entries);
}
