// "P r i n t" through a real CUPS queue. Each test adds a CUPS-PDF queue of its own, makes
// it this process's default printer (LPDEST, which libcups and Qt both honour) and deletes
// it afterwards, so the machine's own queues and other test runs are never touched.
// The scheduler must run (scripts/start-cups.sh starts it); adding a queue needs root.
#include "lessons/core/frmprintme.h"
#include "lessons/core/messages.h"
#include "lessons/majorminor/frmbasic.h"
#include "runtime/printer.h"
#include "support/lessondriver.h"
#include "support/printedpage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <optional>

using namespace lessondriver;
using lessons::kCantPrint;

namespace {

const QString kQueuePrefix = QStringLiteral("StrumvaneTest_");

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

// The PDF CUPS-PDF wrote for a job: its name carries "job_" and the job's number.
QString pdfOfJob(int job) {
    const QRegularExpression named(QStringLiteral("(^|[^0-9])job_%1([^0-9]|$)").arg(job));
    for (const QString& f : cupsPdfFolders())
        for (const QFileInfo& i : QDir(f).entryInfoList({"*.pdf"}, QDir::Files))
            if (named.match(i.fileName()).hasMatch()) return i.absoluteFilePath();
    return {};
}

// Makes a queue this process's default printer while it lives.
class DefaultPrinter {
public:
    explicit DefaultPrinter(const QString& queue)
        : had_(qEnvironmentVariableIsSet("LPDEST")), old_(qgetenv("LPDEST")) {
        qputenv("LPDEST", queue.toLocal8Bit());
    }
    ~DefaultPrinter() {
        if (had_)
            qputenv("LPDEST", old_);
        else
            qunsetenv("LPDEST");
    }
    DefaultPrinter(const DefaultPrinter&) = delete;
    DefaultPrinter& operator=(const DefaultPrinter&) = delete;

private:
    bool had_;
    QByteArray old_;
};

// A CUPS-PDF queue of this process's own, the default printer while it lives.
class TestQueue {
public:
    const QString name = kQueuePrefix + QString::number(getpid());

    // Empty when the queue was added, else why it could not be.
    QString add() {
        removeOrphans();
        const QString ppd = cupsPdfDriver();
        if (ppd.isEmpty()) return QStringLiteral("there is no CUPS-PDF driver (printer-driver-cups-pdf)");
        // The renderer Debian's CUPS-PDF notes advise: it keeps text as text, so the page's
        // words can be read back.
        const Finished added = run("lpadmin", {"-p", name, "-v", "cups-pdf:/", "-E", "-m", ppd, "-o",
                                               "pdftops-renderer-default=pdftocairo"});
        if (added.code != 0 || !exists()) {
            // lpadmin's warning that drivers are deprecated is no reason.
            const QStringList said = added.out.split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("^(?!.*deprecated)"));
            return QStringLiteral("could not add a queue%1: %2")
                .arg(geteuid() == 0 ? QString() : QStringLiteral(" (adding one needs root)"), said.join("; "));
        }
        asDefault_.emplace(name);
        return {};
    }
    ~TestQueue() {
        if (!asDefault_) return;
        asDefault_.reset();
        const QList<int> made = jobs("all");
        run("cancel", {"-a", "-x", name});
        run("lpadmin", {"-x", name});
        for (int job : made) QFile::remove(pdfOfJob(job));
    }

    // The queue's jobs, completed ones too with "all"; once deleted it has none.
    QList<int> jobs(const char* which = "not-completed") const {
        QList<int> ids;
        const QRegularExpression job(QStringLiteral("^%1-(\\d+)\\s").arg(QRegularExpression::escape(name)),
                                     QRegularExpression::MultilineOption);
        for (auto it = job.globalMatch(run("lpstat", {"-W", which, "-o", name}).out); it.hasNext();)
            ids << it.next().captured(1).toInt();
        return ids;
    }

    bool exists() const { return run("lpstat", {"-v", name}).code == 0; }

private:
    static QString cupsPdfDriver() {
        for (const QString& line : run("lpinfo", {"-m"}).out.split('\n')) {
            const QString model = line.section(' ', 0, 0);
            if (model.endsWith("CUPS-PDF_opt.ppd")) return model;
        }
        return {};
    }
    // Queues a crashed run of this test left behind.
    static void removeOrphans() {
        const QRegularExpression queue(QStringLiteral("^device for %1(\\d+):").arg(kQueuePrefix),
                                       QRegularExpression::MultilineOption);
        for (auto it = queue.globalMatch(run("lpstat", {"-v"}).out); it.hasNext();) {
            const QString pid = it.next().captured(1);
            if (kill(pid.toInt(), 0) != 0 && errno == ESRCH) run("lpadmin", {"-x", kQueuePrefix + pid});
        }
    }

    std::optional<DefaultPrinter> asDefault_;
};

class PrinterQueueTest : public UiTest {
protected:
    frmBasic& basic = rt::instance<frmBasic>();
    frmPrintMe& preview = rt::instance<frmPrintMe>();
    QTemporaryDir dir;
    std::optional<TestQueue> queue;

    void SetUp() override {
        UiTest::SetUp();
        rt::setPrintToFile({});  // the real default printer
        if (!run("lpstat", {"-r"}).out.contains("scheduler is running"))
            GTEST_SKIP() << "the CUPS scheduler is not running (scripts/start-cups.sh starts it)";
        queue.emplace();
        if (const QString why = queue->add(); !why.isEmpty()) GTEST_SKIP() << why.toStdString();
    }
    void TearDown() override {
        UiTest::TearDown();
        queue.reset();
    }

    // G Major form 2 (diagram 102 at the 3rd fret) into the preview; the queue may be
    // changed while the preview is open; then "P r i n t".
    void printChord(const std::function<void()>& whilePreviewOpen = {}) {
        basic.Show();
        show(basic, 0, 7, 1);
        ASSERT_EQ(shownDiagram(basic), 102);
        click(basic, "cmdPrint");
        ASSERT_TRUE(preview.isLoaded());
        if (whilePreviewOpen) whilePreviewOpen();
        click(preview, "cmdPrintMe");
        settle();
    }

    // Waits for the job to finish and checks the page the queue made of it.
    void expectPrintedPage(int job) {
        QString pdf;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 90000 && (pdf.isEmpty() || queue->jobs().contains(job))) {
            QThread::msleep(200);
            pdf = pdfOfJob(job);
        }
        ASSERT_FALSE(pdf.isEmpty()) << "no PDF of job " << job << " in " << cupsPdfFolders().join(", ").toStdString()
                                    << " after " << waited.elapsed()
                                    << " ms; jobs: " << run("lpstat", {"-W", "all", "-o"}).out.toStdString();
        ASSERT_FALSE(queue->jobs().contains(job)) << "job " << job << " did not finish";
        ASSERT_NO_FATAL_FAILURE(printedpage::expectChordPage(pdf, dir.filePath("page"), {"G Major", "3rd Fret"}));
        ASSERT_NO_FATAL_FAILURE(printedpage::expectSharpDiagram(pdf, dir.filePath("page"), *basic.imgChord.Picture().image(), 102));
        if (HasFailure()) QFile::copy(dir.filePath("page.png"), QDir::temp().filePath("strumvane-queue-page.png"));
    }
};

TEST_F(PrinterQueueTest, AnAcceptingQueuePrintsOnePage) {
    ASSERT_NO_FATAL_FAILURE(printChord());
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
    EXPECT_FALSE(preview.isLoaded());
    const QList<int> jobs = queue->jobs("all");
    ASSERT_EQ(jobs.size(), 1) << "one print, one job";
    expectPrintedPage(jobs.first());
}

// A paused queue still takes the job: it waits there, as on any desktop, and prints once
// the queue goes on.
TEST_F(PrinterQueueTest, APausedQueueKeepsTheJobUntilItGoesOn) {
    ASSERT_EQ(run("cupsdisable", {queue->name}).code, 0);
    ASSERT_NO_FATAL_FAILURE(printChord());
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
    EXPECT_FALSE(preview.isLoaded());
    const QList<int> waiting = queue->jobs();
    ASSERT_EQ(waiting.size(), 1) << "the job waits in the paused queue";

    ASSERT_EQ(run("cupsenable", {queue->name}).code, 0);
    expectPrintedPage(waiting.first());
}

// A queue that cannot take the job: the message, the preview closed, no job.
struct Refusal {
    const char* name;
    QStringList command;  // run with the queue's name appended, while the preview is open
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class PrinterQueueRefusalTest : public PrinterQueueTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PrinterQueueRefusalTest, GivesTheMessageAndClosesThePreview) {
    ASSERT_NO_FATAL_FAILURE(printChord([&] {
        const Finished changed = run(GetParam().command.first(), GetParam().command.mid(1) << queue->name);
        ASSERT_EQ(changed.code, 0) << changed.out.toStdString();
    }));
    EXPECT_EQ(prompts, QStringList({kCantPrint}));
    EXPECT_FALSE(preview.isLoaded());
    EXPECT_EQ(shownDiagram(basic), 102);  // the lesson still shows the chord
    EXPECT_TRUE(queue->jobs("all").isEmpty()) << "a refused print left a job";
}

INSTANTIATE_TEST_SUITE_P(Queues, PrinterQueueRefusalTest,
                         ::testing::Values(Refusal{"Rejecting", {"cupsreject"}}, Refusal{"Deleted", {"lpadmin", "-x"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A queue that accepts jobs but refuses this one: its quota of one kilobyte an hour is used
// up by the print before.
TEST_F(PrinterQueueTest, AJobTheQueueRefusesGivesTheMessageAndLeavesNoJob) {
    const Finished quota = run("lpadmin", {"-p", queue->name, "-o", "job-quota-period=3600", "-o", "job-k-limit=1"});
    ASSERT_EQ(quota.code, 0) << quota.out.toStdString();
    ASSERT_NO_FATAL_FAILURE(printChord());
    ASSERT_TRUE(prompts.isEmpty()) << "the print within the quota failed: " << prompts.join(" | ").toStdString();
    const QList<int> first = queue->jobs("all");
    ASSERT_EQ(first.size(), 1) << "one print, one job";
    expectPrintedPage(first.first());  // and done with, so that deleting the queue cuts nothing short

    ASSERT_NO_FATAL_FAILURE(printChord());
    EXPECT_EQ(prompts, QStringList({kCantPrint})) << "a job the queue refused gave no message";
    EXPECT_FALSE(preview.isLoaded());
    EXPECT_EQ(queue->jobs("all"), first) << "a job the queue refused left a job behind";
}

// Needs neither root nor a scheduler: a default printer that does not exist.
using MissingPrinterTest = UiTest;

TEST_F(MissingPrinterTest, GivesTheMessageAndClosesThePreview) {
    const DefaultPrinter missing(kQueuePrefix + "none");
    rt::setPrintToFile({});
    auto& basic = rt::instance<frmBasic>();
    auto& preview = rt::instance<frmPrintMe>();
    basic.Show();
    show(basic, 0, 0, 0);
    click(basic, "cmdPrint");
    click(preview, "cmdPrintMe");
    settle();
    EXPECT_EQ(prompts, QStringList({kCantPrint}));
    EXPECT_FALSE(preview.isLoaded());
}

}  // namespace
