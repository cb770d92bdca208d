// "P r i n t" through a real CUPS queue: with the StrumvanePDF queue (CUPS-PDF) as the
// default printer, the preview goes the program's normal way to the printer and comes out
// as a one-page PDF with the diagram, the fret label and the chord name.
// scripts/start-cups.sh starts the scheduler and makes the queue the default.
#include "lessons/core/frmprintme.h"
#include "lessons/majorminor/frmbasic.h"
#include "runtime/printer.h"
#include "support/lessondriver.h"
#include "support/printedpage.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

using namespace lessondriver;

namespace {

const QString kQueue = QStringLiteral("StrumvanePDF");

struct Finished {
    int code = -1;
    QString out;
};

Finished run(const QString& program, const QStringList& args, int ms = 20000) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    Finished r;
    if (!p.waitForFinished(ms)) return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAll());
    return r;
}

// Where CUPS-PDF writes this user's jobs: its "Out" setting (default /var/spool/cups-pdf/${USER}),
// with ${HOME} and ${USER} of the user that sent the job; and its folder for anonymous jobs.
QStringList cupsPdfFolders() {
    const passwd* pw = getpwuid(getuid());
    const QString user = pw ? QString::fromLocal8Bit(pw->pw_name) : QString();
    const QString home = pw ? QString::fromLocal8Bit(pw->pw_dir) : QDir::homePath();
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}");
    QString anon = QStringLiteral("/var/spool/cups-pdf/ANONYMOUS");
    QFile conf("/etc/cups/cups-pdf.conf");
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromLocal8Bit(conf.readAll()).split('\n')) {
            const QString t = line.trimmed();
            if (t.startsWith("Out ")) out = t.mid(4).trimmed();
            if (t.startsWith("AnonDirName ")) anon = t.mid(12).trimmed();
        }
    }
    auto expand = [&](QString s) { return s.replace("${HOME}", home).replace("${USER}", user); };
    return {expand(out), expand(anon)};
}

QSet<QString> pdfsIn(const QStringList& folders) {
    QSet<QString> files;
    for (const QString& f : folders)
        for (const QFileInfo& i : QDir(f).entryInfoList({"*.pdf"}, QDir::Files)) files << i.absoluteFilePath();
    return files;
}

class PrinterQueueTest : public UiTest {
protected:
    frmBasic& basic = rt::instance<frmBasic>();
    frmPrintMe& preview = rt::instance<frmPrintMe>();
    QTemporaryDir dir;
    void SetUp() override {
        UiTest::SetUp();
        rt::setPrintToFile({});  // the real default printer
    }
};

TEST_F(PrinterQueueTest, PrintGoesThroughTheDefaultQueueAsOnePage) {
    if (!run("lpstat", {"-r"}).out.contains("scheduler is running"))
        GTEST_SKIP() << "the CUPS scheduler is not running (scripts/start-cups.sh starts it)";
    if (run("lpstat", {"-v", kQueue}).code != 0)
        GTEST_SKIP() << "there is no " << kQueue.toStdString() << " queue (scripts/start-cups.sh makes it)";
    // The queue must be the default printer: this process takes it as its default when the
    // machine's default is another one.
    if (!run("lpstat", {"-d"}).out.contains(": " + kQueue)) qputenv("LPDEST", kQueue.toLocal8Bit());

    const QStringList folders = cupsPdfFolders();
    const QSet<QString> before = pdfsIn(folders);

    basic.Show();
    show(basic, 0, 7, 1);  // G Major form 2: diagram 102 at the 3rd fret
    ASSERT_EQ(shownDiagram(basic), 102);
    click(basic, "cmdPrint");
    ASSERT_TRUE(preview.isLoaded());
    click(preview, "cmdPrintMe");
    settle();
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
    EXPECT_FALSE(preview.isLoaded());

    // The job is done once its PDF is there and the queue is empty again.
    QString pdf;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 90000) {
        const QSet<QString> now = pdfsIn(folders) - before;
        const bool idle = run("lpstat", {"-o", kQueue}).out.trimmed().isEmpty();
        if (!now.isEmpty() && idle) {
            pdf = *now.begin();
            break;
        }
        QThread::msleep(200);
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the queue in " << folders.join(", ").toStdString() << " after "
                                << waited.elapsed() << " ms; jobs: " << run("lpstat", {"-W", "all", "-o"}).out.toStdString();
    EXPECT_EQ(pdfsIn(folders) - before, QSet<QString>{pdf}) << "one print, one job";

    // The queue's own PDF writer drops the text layer, so the page is checked by its looks only.
    ASSERT_NO_FATAL_FAILURE(printedpage::expectChordPage(pdf, dir.filePath("page"), {}));
    if (HasFailure()) QFile::copy(dir.filePath("page.png"), QDir::temp().filePath("strumvane-queue-page.png"));
}

}  // namespace
