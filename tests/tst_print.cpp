#include "TestSupport.h"

#include "articles/DocumentView.h"
#include "articles/PrintFile.h"
#include "articles/PrintPage.h"
#include "articles/frmBrowser.h"
#include "articles/frmDisplay.h"
#include "frmMain.h"
#include "mdlMain.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace
{

const QString Question = QStringLiteral("Do you want to print this article?");

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));
}

// The page as the print file must hold it, piece by piece.
QString expectedPage(const QString& id, const QString& category, const QString& tech,
                     const QString& problemRows, const QString& problem,
                     const QString& solutionRows, const QString& solution, const QString& reference,
                     const QString& date)
{
    return "<html><head></head><body>"
           "<form name=print><table border = 1>"
           "<tr><td>Problem ID</td><td>" +
           id + "</td></tr><tr><td>Category</td><td>" + category +
           "</td></tr><tr><td>Entered By</td><td>" + tech +
           "</td></tr><tr><td>Problem Description</td><td><textarea cols=60 rows=" + problemRows +
           " name=problem>" + problem +
           "</textarea></td></tr><tr><td>Solution</td><td><textarea cols=60 rows=" + solutionRows +
           " name=solution>" + solution + "</textarea></td></tr><tr><td>Reference</td><td>" +
           reference + "</td></tr></table></form><BR><BR><BR><BR><CENTER>Printed by Ardentry on " +
           date + "</CENTER></body></html>";
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed on %1: %2>").arg(pdf, p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfImageCount(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    // Two heading lines, then one line per picture.
    return int(QString::fromUtf8(p.readAllStandardOutput())
                   .split('\n', Qt::SkipEmptyParts)
                   .size()) -
           2;
}

// The dark pixels of a rendered page.
QList<QPoint> inkOf(const QImage& page)
{
    const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
    QList<QPoint> ink;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x)
            if (line[x] < 128)
                ink << QPoint(x, y);
    }
    return ink;
}

// Dark pixels of either page that have no dark pixel of the other page within one pixel, after
// lining up the top left corners of what is printed (converters may move a page by a pixel).
int inkDifference(const QList<QPoint>& a, const QList<QPoint>& b, const QSize& size)
{
    if (a.isEmpty() || b.isEmpty())
        return int(a.size() + b.size());
    auto corner = [](const QList<QPoint>& ink) {
        QPoint c = ink.first();
        for (const QPoint& p : ink)
            c = QPoint(qMin(c.x(), p.x()), qMin(c.y(), p.y()));
        return c;
    };
    const QPoint shift = corner(a) - corner(b);
    auto unmatched = [&](const QList<QPoint>& from, const QList<QPoint>& to, QPoint move) {
        QImage mask(size + QSize(2, 2), QImage::Format_Grayscale8);
        mask.fill(0);
        for (const QPoint& p : to) {
            const QPoint q = p + move + QPoint(1, 1);
            if (q.x() >= 0 && q.y() >= 0 && q.x() < mask.width() && q.y() < mask.height())
                mask.scanLine(q.y())[q.x()] = 1;
        }
        int missing = 0;
        for (const QPoint& p : from) {
            bool near = false;
            for (int dy = 0; dy <= 2 && !near; ++dy)
                for (int dx = 0; dx <= 2 && !near; ++dx) {
                    const int x = p.x() + dx, y = p.y() + dy;
                    near = x < mask.width() && y < mask.height() && mask.constScanLine(y)[x];
                }
            missing += near ? 0 : 1;
        }
        return missing;
    };
    return unmatched(a, b, shift) + unmatched(b, a, -shift);
}

QString readPrintFile()
{
    QFile file(PrintFile::path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A small web server on the loopback: answers every request with `response`, or, when that is
// empty, accepts the connection and never answers.
class TinyServer : public QObject
{
public:
    explicit TinyServer(QByteArray response) : m_response(std::move(response))
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                ++requests;
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->setProperty("got",
                                        socket->property("got").toByteArray() + socket->readAll());
                    if (!m_response.isEmpty() &&
                        socket->property("got").toByteArray().contains("\r\n\r\n")) {
                        socket->write(m_response);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }
    static QByteArray answer(const QByteArray& status, const QByteArray& type,
                             const QByteArray& body)
    {
        return "HTTP/1.1 " + status + "\r\nContent-Type: " + type +
               "\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_server.serverPort()).arg(path);
    }
    int requests = 0;

private:
    QTcpServer m_server;
    QByteArray m_response;
};

} // namespace

class tst_Print : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rowCount_data();
    void rowCount();
    void pageText_data();
    void pageText();
    void textAreasShowTheirText();

    void answerNoLeavesFileAndNoWindow();
    void nullTextsPrintEmptyAreas();
    void plantedLinkIsNotFollowed();
    void printTwiceReusesWindow();
    void referenceAfterArticle_data();
    void referenceAfterArticle();
    void unprintableReference_data();
    void unprintableReference();
    void boundedWait();
    void exitDuringWait();
    void toolbarPrintsWithoutDialog();
    void menuShowsDialogFirst();
    void menuHonoursChosenPrinter();
    void noPrinter();
    void noPrinterChild();
    void realPrintQueue();

private:
    // A started program whose first article holds these values (article 2 is a plain one).
    std::unique_ptr<StartedApp> start(const QString& problem, const QString& solution,
                                      const QString& reference = QStringLiteral("N/A"));
    void clickPrint(StartedApp& app, QMessageBox::StandardButton answer);

    QTemporaryDir m_runtime;
    std::unique_ptr<QTemporaryDir> m_out;
    QStringList m_pdfs;            // documents printed through the hook, in order
    QList<bool> m_windowShownThen; // whether frmBrowser was visible while each printed
};

void tst_Print::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    // The print file goes to the user's runtime folder: a private one for this run.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is needed to read the printed PDF files");
}

void tst_Print::init()
{
    m_out = std::make_unique<QTemporaryDir>();
    m_pdfs.clear();
    m_windowShownThen.clear();
    QFile::remove(PrintFile::path());
    const QString dir = m_out->path();
    frmBrowser::setPrinterHook([this, dir](QPrinter& printer, int number) {
        const QString pdf = dir + QStringLiteral("/doc-%1.pdf").arg(number);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        m_pdfs << pdf;
        const frmBrowser* window = findWidget<frmBrowser>(QStringLiteral("frmBrowser"));
        m_windowShownThen << (window && window->isVisible());
    });
    frmBrowser::setLoadTimeout(30000);
}

void tst_Print::cleanup()
{
    frmBrowser::setPrinterHook({});
    frmBrowser::setLoadTimeout(30000);
}

std::unique_ptr<StartedApp> tst_Print::start(const QString& problem, const QString& solution,
                                             const QString& reference)
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(2);
    folder->exec(QStringLiteral("UPDATE AR SET CUName = ?, techname = ?, Problem = ?, "
                                "solution = ?, reference = ? WHERE ID = 1"),
                 {QStringLiteral("Mail & <Calendar>"), QStringLiteral("O'Brien"), problem, solution,
                  reference});
    auto app = std::make_unique<StartedApp>(folder);
    if (app->startStatus() != 0)
        qFatal("the program did not start");
    return app;
}

void tst_Print::clickPrint(StartedApp& app, QMessageBox::StandardButton answer)
{
    app.messages().answer(answer);
    app.clickToolbar(4);
}

void tst_Print::rowCount_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("rows");
    const int rows[][2] = {{0, 0},          {14, 0},         {15, 0},         {16, 1},  {30, 1},
                           {45, 2},         {75, 2},         {76, 3},         {105, 4}, {135, 4},
                           {983010, 32767}, {983025, 32767}, {5000000, 32767}};
    for (const auto& r : rows)
        QTest::addRow("%d", r[0]) << r[0] << r[1];
}

void tst_Print::rowCount()
{
    QFETCH(int, length);
    QFETCH(int, rows);
    QCOMPARE(PrintPage::rowCount(length), rows);
    if (length < 1000) {
        PrintColumns c;
        c.problem = QString(length, QLatin1Char('p'));
        c.solution = QString(length, QLatin1Char('s'));
        const QString page = PrintPage::html(c, QDate(2024, 3, 4));
        QVERIFY(page.contains(QStringLiteral("<textarea cols=60 rows=%1 name=problem>").arg(rows)));
        QVERIFY(
            page.contains(QStringLiteral("<textarea cols=60 rows=%1 name=solution>").arg(rows)));
    }
}

void tst_Print::pageText_data()
{
    QTest::addColumn<QStringList>("values"); // id, category, tech, problem, solution, reference
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain")
        << QStringList{"12", "Network", "Jones", "No mail since Monday", "Restart the mail server",
                       "N/A"}
        << expectedPage("12", "Network", "Jones", "1", "No mail since Monday", "1",
                        "Restart the mail server", "N/A", "03/04/2024");
    QTest::newRow("markup in the problem")
        << QStringList{"3", "Disk", "jim", "error <missing file>", "Copy it back", "N/A"}
        << expectedPage("3", "Disk", "jim", "1", "error &lt;missing file&gt;", "0", "Copy it back",
                        "N/A", "03/04/2024");
    QTest::newRow("end of text area in the solution")
        << QStringList{"4",
                       "Web",
                       "Ann",
                       "Form",
                       "Type </textarea><b>x</b> & \"done\"",
                       "<a href='x'>x</a>"}
        << expectedPage("4", "Web", "Ann", "0", "Form", "1",
                        "Type &lt;/textarea&gt;&lt;b&gt;x&lt;/b&gt; &amp; &quot;done&quot;",
                        "&lt;a href=&#39;x&#39;&gt;x&lt;/a&gt;", "03/04/2024");
    QTest::newRow("empty cells and texts")
        << QStringList{"5", "", "", "", "", ""}
        << expectedPage("5", "", "", "0", "", "0", "", "", "03/04/2024");
    const QString lines = QStringLiteral("line one\r\nline two\r\n");
    QTest::newRow("line breaks as stored")
        << QStringList{"6", "A", "B", lines, QString(45, 'x'), "C:\\docs\\guide.htm"}
        << expectedPage("6", "A", "B", "1", lines, "2", QString(45, 'x'), "C:\\docs\\guide.htm",
                        "03/04/2024");
}

void tst_Print::pageText()
{
    QFETCH(QStringList, values);
    QFETCH(QString, expected);
    PrintColumns c{values[0], values[1], values[2], values[3], values[4], values[5]};
    QCOMPARE(PrintPage::html(c, QDate(2024, 3, 4)), expected);
}

void tst_Print::textAreasShowTheirText()
{
    PrintColumns c{
        "9",  "Cat", "Tech", "error <missing file>\nsecond line", "a </textarea> inside\nand more",
        "N/A"};
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.html"));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(PrintPage::html(c, QDate(2024, 3, 4)).toUtf8() + "\r\n");
    }
    DocumentView view;
    QSignalSpy finished(&view, &DocumentView::loadFinished);
    view.navigate(file);
    QVERIFY(view.isReady());
    QCOMPARE(finished.size(), 1);
    const QString shown = view.toPlainText();
    QVERIFY2(shown.contains(QStringLiteral("error <missing file>\nsecond line")),
             qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("a </textarea> inside\nand more")), qPrintable(shown));
    QVERIFY(shown.contains(QStringLiteral("Printed by Ardentry on 03/04/2024")));
    QVERIFY(shown.indexOf(QStringLiteral("Problem ID")) < shown.indexOf(QStringLiteral("Cat")));
}

void tst_Print::answerNoLeavesFileAndNoWindow()
{
    auto app = start(QStringLiteral("Printer is offline"), QStringLiteral("Switch it on"));
    QVERIFY(!QFile::exists(PrintFile::path()));
    clickPrint(*app, QMessageBox::No);

    QCOMPARE(app->messages().seen.size(), 1);
    const MessageCatcher::Seen& q = app->messages().seen.first();
    QCOMPARE(q.text, Question);
    QCOMPARE(q.title, QStringLiteral("Ardentry"));
    QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(q.defaultButton, QMessageBox::Yes);
    QCOMPARE(q.icon, QMessageBox::NoIcon);

    // The file is complete, in the private folder, and nothing was printed or shown.
    QVERIFY(PrintFile::path().startsWith(m_runtime.path() + '/'));
    QCOMPARE(QFileInfo(PrintFile::path()).fileName(), QStringLiteral("artemp.html"));
    QCOMPARE(readPrintFile(),
             expectedPage("1", "Mail &amp; &lt;Calendar&gt;", "O&#39;Brien", "1",
                          "Printer is offline", "0", "Switch it on", "N/A", today()) +
                 "\r\n");
    QVERIFY(!frmBrowser::loaded(app->main()));
    QVERIFY(m_pdfs.isEmpty());
}

void tst_Print::nullTextsPrintEmptyAreas()
{
    auto app = start(QStringLiteral("x"), QStringLiteral("y"));
    app->folder().exec(QStringLiteral("UPDATE AR SET CUName = NULL, techname = NULL, "
                                      "Problem = NULL, solution = NULL WHERE ID = 1"));
    app->main().Refresh(); // reads the row again
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(app->messages().texts(), QStringList{Question});
    QCOMPARE(readPrintFile(), expectedPage("1", "", "", "0", "", "0", "", "N/A", today()) + "\r\n");
    QCOMPARE(m_pdfs.size(), 1);
    QVERIFY(pdfText(m_pdfs[0]).contains(QStringLiteral("Problem Description")));
}

void tst_Print::plantedLinkIsNotFollowed()
{
    auto app = start(QStringLiteral("Linked"), QStringLiteral("Not followed"));
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim.txt"));
    {
        QFile f(victim);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    QVERIFY(QFile::link(victim, PrintFile::path()));
    clickPrint(*app, QMessageBox::No);

    QFile f(victim);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep me"));
    const QFileInfo written(PrintFile::path());
    QVERIFY(!written.isSymLink());
    QVERIFY(readPrintFile().contains(QStringLiteral("Not followed")));
}

void tst_Print::printTwiceReusesWindow()
{
    auto app = start(QStringLiteral("First article problem"), QStringLiteral("First fix"));
    clickPrint(*app, QMessageBox::Yes);
    frmBrowser* window = frmBrowser::loaded(app->main());
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Ardentry Print Article"));
    QCOMPARE(window->size(), QSize(504, 443));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(window->windowFlags().testFlag(Qt::Tool));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window->WBrBrowser->geometry(), QRect(40, 280, 97, 41));
    QCOMPARE(window->wbrBrowser1->geometry(), QRect(8, 8, 473, 417));
    QVERIFY(!window->isVisible());
    QVERIFY(readPrintFile().contains(QStringLiteral("First article problem")));

    app->trigger(QStringLiteral("mnuNext"));
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(frmBrowser::loaded(app->main()), window);
    QCOMPARE(app->main().findChildren<frmBrowser*>().size(), 1);
    QVERIFY(!window->isVisible());
    const QString file = readPrintFile();
    QVERIFY(file.contains(QStringLiteral("Problem 2")));
    QVERIFY(!file.contains(QStringLiteral("First article problem")));

    QCOMPARE(app->messages().texts(), (QStringList{Question, Question}));
    QCOMPARE(m_pdfs.size(), 2);
    QCOMPARE(m_windowShownThen, (QList<bool>{true, true}));
    QVERIFY(pdfText(m_pdfs[0]).contains(QStringLiteral("First article problem")));
    QVERIFY(pdfText(m_pdfs[1]).contains(QStringLiteral("Problem 2")));
}

void tst_Print::referenceAfterArticle_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("web page file") << "html";
    QTest::newRow("text file") << "text";
    QTest::newRow("picture") << "picture";
    QTest::newRow("http address") << "http";
}

void tst_Print::referenceAfterArticle()
{
    QFETCH(QString, kind);
    QTemporaryDir docs;
    TinyServer server(TinyServer::answer(
        "200 OK", "text/html; charset=utf-8",
        "<html><body><h1>Remote guide</h1><p>Reset the router</p></body></html>"));
    QString reference;
    QString marker;
    if (kind == "html") {
        reference = docs.filePath("guide.htm");
        QFile f(reference);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html><body><p>Local guide</p><textarea rows=2>alpha row\nbeta row"
                "</textarea></body></html>");
        marker = "Local guide";
    } else if (kind == "text") {
        reference = docs.filePath("notes.txt");
        QFile f(reference);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Plain notes\nsecond <line> & more\n");
        marker = "second <line> & more";
    } else if (kind == "picture") {
        reference = docs.filePath("screen.png");
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(reference));
    } else {
        reference = server.url("guide.html");
        marker = "Reset the router";
    }

    auto app = start(QStringLiteral("See the guide"), QStringLiteral("Follow it"), reference);
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(app->messages().texts(), QStringList{Question});
    QCOMPARE(m_pdfs.size(), 2);
    QCOMPARE(m_windowShownThen, (QList<bool>{true, true}));
    const QString article = pdfText(m_pdfs[0]);
    QVERIFY2(article.contains(QStringLiteral("See the guide")), qPrintable(article));
    QVERIFY(article.contains(reference));
    const QString second = pdfText(m_pdfs[1]);
    QVERIFY2(!second.contains(QStringLiteral("Problem ID")), qPrintable(second));
    if (kind == "picture")
        QCOMPARE(pdfImageCount(m_pdfs[1]), 1);
    else
        QVERIFY2(second.contains(marker), qPrintable(second));
    if (kind == "html") {
        const QRegularExpression rows(QStringLiteral("alpha row\\s*\\n\\s*beta row"));
        QVERIFY2(rows.match(second).hasMatch(), qPrintable(second));
    }
    if (kind == "http")
        QCOMPARE(server.requests, 1);
    QVERIFY(!frmBrowser::loaded(app->main())->isVisible());
}

void tst_Print::unprintableReference_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << "missing"
                                  << "does not exist";
    QTest::newRow("archive") << "zip"
                             << "cannot be printed";
    QTest::newRow("other address") << "ftp"
                                   << "cannot be printed";
    QTest::newRow("page not found") << "404"
                                    << "404";
}

void tst_Print::unprintableReference()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir docs;
    TinyServer server(TinyServer::answer("404 Not Found", "text/html", "<p>gone</p>"));
    QString reference;
    if (kind == "missing") {
        reference = docs.filePath("nowhere.htm");
    } else if (kind == "zip") {
        reference = docs.filePath("files.zip");
        QFile f(reference);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("PK\x03\x04", 4) + QByteArray(200, '\x01'));
    } else if (kind == "ftp") {
        reference = "ftp://127.0.0.1/guide.htm";
    } else {
        reference = server.url("gone.html");
    }

    auto app =
        start(QStringLiteral("Article with a bad reference"), QStringLiteral("x"), reference);
    clickPrint(*app, QMessageBox::Yes);
    const QStringList texts = app->messages().texts();
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0], Question);
    QVERIFY2(texts[1].startsWith(QStringLiteral("The article was printed, but its reference \"") +
                                 reference + "\" could not be printed: "),
             qPrintable(texts[1]));
    QVERIFY2(texts[1].contains(reason), qPrintable(texts[1]));
    // The article page stays printed; nothing else was.
    QCOMPARE(m_pdfs.size(), 1);
    QVERIFY(pdfText(m_pdfs[0]).contains(QStringLiteral("Article with a bad reference")));
    QVERIFY(!frmBrowser::loaded(app->main())->isVisible());
}

void tst_Print::boundedWait()
{
    TinyServer silent{QByteArray()};
    auto app =
        start(QStringLiteral("Waiting article"), QStringLiteral("x"), silent.url("slow.html"));
    frmBrowser::setLoadTimeout(1500);
    // The program keeps working while it waits; a second print then is turned away.
    bool clickedAgain = false;
    QTimer::singleShot(500, &app->main(), [&] {
        clickedAgain = true;
        app->clickToolbar(4);
    });
    QElapsedTimer clock;
    clock.start();
    clickPrint(*app, QMessageBox::Yes);
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(clock.elapsed() >= 1400);
    QVERIFY(clickedAgain);
    QCOMPARE(silent.requests, 1);
    const QStringList texts = app->messages().texts();
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts[0], Question);
    QCOMPARE(texts[1], QStringLiteral("A print is still in progress. Try again when it has "
                                      "finished."));
    QVERIFY2(texts[2].contains(QStringLiteral("did not finish loading within 2 seconds")),
             qPrintable(texts[2]));
    QCOMPARE(m_pdfs.size(), 1);
    QVERIFY(pdfText(m_pdfs[0]).contains(QStringLiteral("Waiting article")));
    frmBrowser* window = frmBrowser::loaded(app->main());
    QVERIFY(!window->isVisible());
    QVERIFY(!window->isPrinting());

    // The next print works as before.
    app->folder().exec(QStringLiteral("UPDATE AR SET reference = 'N/A' WHERE ID = 1"));
    app->main().Refresh();
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(m_pdfs.size(), 2);
}

void tst_Print::exitDuringWait()
{
    TinyServer silent{QByteArray()};
    auto app =
        start(QStringLiteral("Exit while waiting"), QStringLiteral("x"), silent.url("slow.html"));
    QTimer::singleShot(400, &app->main(), [&] { app->trigger(QStringLiteral("mnuExit")); });
    QElapsedTimer clock;
    clock.start();
    clickPrint(*app, QMessageBox::Yes);
    // The wait ends with the program, long before the 30 seconds, and no message follows.
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(app->messages().texts(), QStringList{Question});
    QCOMPARE(m_pdfs.size(), 1);
}

void tst_Print::toolbarPrintsWithoutDialog()
{
    auto app = start(QStringLiteral("Toolbar print"), QStringLiteral("x"));
    int dialogs = 0;
    app->messages().onOtherDialog([&](QWidget* dialog) {
        ++dialogs;
        static_cast<QDialog*>(dialog)->reject();
    });
    QCOMPARE(app->main().toolbar()->actions().at(3)->toolTip(),
             QStringLiteral("Print Record - Ctrl + P"));
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(dialogs, 0);
    QCOMPARE(app->messages().texts(), QStringList{Question});
    QCOMPARE(m_pdfs.size(), 1);
}

void tst_Print::menuShowsDialogFirst()
{
    auto app = start(QStringLiteral("Menu print"), QStringLiteral("x"));
    QStringList dialogs;
    int questionsBefore = -1;
    app->messages().onOtherDialog([&](QWidget* dialog) {
        if (!dialogs.contains(dialog->objectName())) {
            dialogs << dialog->objectName();
            questionsBefore = int(app->messages().seen.size());
            QVERIFY(qobject_cast<QPrintDialog*>(dialog));
        }
        static_cast<QDialog*>(dialog)->reject();
    });
    app->messages().answer(QMessageBox::Yes);
    app->trigger(QStringLiteral("mnuPrint"));
    QCOMPARE(dialogs, QStringList{QStringLiteral("CommonDialog1")});
    QCOMPARE(questionsBefore, 0);
    QCOMPARE(app->messages().texts(), QStringList{Question});
    // Cancelled: printed on the default printer all the same.
    QCOMPARE(m_pdfs.size(), 1);
    QVERIFY(pdfText(m_pdfs[0]).contains(QStringLiteral("Menu print")));

    // Cancel, then No: nothing printed.
    app->messages().answer(QMessageBox::No);
    app->trigger(QStringLiteral("mnuPrint"));
    QCOMPARE(app->messages().texts(), (QStringList{Question, Question}));
    QCOMPARE(m_pdfs.size(), 1);
}

void tst_Print::menuHonoursChosenPrinter()
{
    frmBrowser::setPrinterHook({}); // the dialog decides where the print goes
    QTemporaryDir docs;
    const QString reference = docs.filePath(QStringLiteral("notes.txt"));
    {
        QFile f(reference);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Chosen printer reference\n");
    }
    auto app = start(QStringLiteral("Chosen printer article"), QStringLiteral("x"), reference);
    const QString target = m_out->filePath(QStringLiteral("chosen.pdf"));
    bool chose = false;
    app->messages().onOtherDialog([&](QWidget* dialog) {
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        int toFile = printers ? printers->count() - 1 : -1;
        if (!printers || !fileName || toFile < 0) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        // The last entry of the list is printing to a PDF file.
        printers->setCurrentIndex(toFile);
        fileName->setText(target);
        chose = true;
        static_cast<QDialog*>(dialog)->accept();
    });
    app->messages().answer(QMessageBox::Yes);
    app->trigger(QStringLiteral("mnuPrint"));
    QVERIFY2(chose, "the printer dialog has no printer list or file name box");
    QCOMPARE(app->messages().texts(), QStringList{Question});
    QVERIFY(QFileInfo::exists(target));
    QVERIFY(pdfText(target).contains(QStringLiteral("Chosen printer article")));
    const QString referencePdf = m_out->filePath(QStringLiteral("chosen (reference).pdf"));
    QVERIFY(QFileInfo::exists(referencePdf));
    QVERIFY(pdfText(referencePdf).contains(QStringLiteral("Chosen printer reference")));
}

void tst_Print::noPrinter()
{
    // The print system keeps the server it first talked to, so this runs in a process of its
    // own that can reach no print server at all.
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), m_runtime.filePath(QStringLiteral("no-cups.sock")));
    env.insert(QStringLiteral("ARDENTRY_NO_PRINTER_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("noPrinterChild")});
    QVERIFY(child.waitForFinished(120000));
    const QString output = QString::fromUtf8(child.readAll());
    QVERIFY2(child.exitCode() == 0, qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("PASS   : tst_Print::noPrinterChild()")),
             qPrintable(output));
    QVERIFY2(!output.contains(QStringLiteral("SKIP")), qPrintable(output));
}

void tst_Print::noPrinterChild()
{
    if (qEnvironmentVariableIsEmpty("ARDENTRY_NO_PRINTER_CHILD"))
        QSKIP("runs only inside noPrinter()");
    frmBrowser::setPrinterHook({});
    QVERIFY(QPrinterInfo::availablePrinters().isEmpty());
    auto app = start(QStringLiteral("Nowhere to print"), QStringLiteral("x"));
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(app->messages().texts(),
             QStringList{QStringLiteral("No printer is available. Set up a printer on this "
                                        "computer, then print the article again.")});
    QVERIFY(!QFile::exists(PrintFile::path()));
    QVERIFY(!frmBrowser::loaded(app->main()));
}

void tst_Print::realPrintQueue()
{
    frmBrowser::setPrinterHook({});
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        QSKIP("no CUPS print queue is available (run tools/start-print-queue.sh as root to "
              "start one with the cups-pdf printer)");
    // Only a cups-pdf queue: a real default printer must not get test pages.
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-v"), printer.printerName()});
    lpstat.waitForFinished(10000);
    if (!QString::fromUtf8(lpstat.readAllStandardOutput()).contains(QStringLiteral("cups-pdf:")))
        QSKIP("the default printer is not a cups-pdf queue; tools/start-print-queue.sh sets one "
              "up");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(),
             "pdftoppm (poppler-utils) is needed to look at the printed pages");

    // Where cups-pdf puts its files: the "Out" setting, ${HOME} being the job owner's home.
    QString outFolder = QDir::homePath() + QStringLiteral("/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : conf.readAll().split('\n')) {
            const QByteArray l = line.trimmed();
            if (l.startsWith("Out ") || l.startsWith("Out\t"))
                outFolder = QString::fromLocal8Bit(l.mid(4).trimmed())
                                .replace(QStringLiteral("${HOME}"), QDir::homePath());
        }
    }
    const QStringList folders{outFolder, QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")};
    auto pdfsNow = [&] {
        QStringList all;
        for (const QString& folder : folders)
            for (const QFileInfo& f : QDir(folder).entryInfoList({"*.pdf"}, QDir::Files))
                all << f.absoluteFilePath();
        return all;
    };
    const QStringList before = pdfsNow();

    auto app = start(QStringLiteral("The scanner on the second floor reports a paper jam "
                                    "after every page"),
                     QStringLiteral("Open the back cover, remove the torn sheet and clean "
                                    "the rollers"));
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(app->messages().texts(), QStringList{Question});

    // cups-pdf names the file after the job: "Ardentry article 1" -> Ardentry_article_1-job_N.
    QString queued;
    QDeadlineTimer deadline(60000);
    while (queued.isEmpty() && !deadline.hasExpired()) {
        QTest::qWait(250);
        for (const QString& pdf : pdfsNow()) {
            if (!before.contains(pdf) && QFileInfo(pdf).fileName().contains("Ardentry_article_1") &&
                QFileInfo(pdf).size() > 0) {
                QTest::qWait(500); // let cups-pdf finish writing
                queued = pdf;
                break;
            }
        }
    }
    QVERIFY2(!queued.isEmpty(), qPrintable("no PDF of the article appeared in " +
                                           folders.join(QStringLiteral(" or "))));

    // The queue's converter keeps the page but not its text layer (the fonts become pictures of
    // glyphs), so the page is compared as a picture with the same article printed straight to a
    // PDF file on the same page layout, and with another article.
    const QString dir = m_out->path();
    QStringList direct;
    frmBrowser::setPrinterHook([dir, &direct](QPrinter& p, int number) {
        const QPageLayout layout = p.pageLayout();
        p.setOutputFormat(QPrinter::PdfFormat);
        direct << dir + QStringLiteral("/direct-%1.pdf").arg(number);
        p.setOutputFileName(direct.last());
        p.setPageLayout(layout);
    });
    clickPrint(*app, QMessageBox::Yes); // the same article
    app->trigger(QStringLiteral("mnuNext"));
    clickPrint(*app, QMessageBox::Yes); // another one
    QCOMPARE(direct.size(), 2);
    QVERIFY(pdfText(direct[0]).contains(QStringLiteral("paper jam")));

    auto render = [&](const QString& pdf, const QString& name) {
        QProcess p;
        p.start(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-gray"),
                 QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, dir + '/' + name});
        p.waitForFinished(60000);
        return QImage(dir + '/' + name + QStringLiteral(".png"));
    };
    const QImage viaQueue = render(queued, QStringLiteral("queue"));
    const QImage same = render(direct[0], QStringLiteral("same"));
    const QImage other = render(direct[1], QStringLiteral("other"));
    QVERIFY(!viaQueue.isNull() && !same.isNull() && !other.isNull());
    QCOMPARE(viaQueue.size(), same.size());
    const QList<QPoint> queueInk = inkOf(viaQueue);
    QVERIFY2(queueInk.size() > 2000, "the page from the queue is (nearly) blank");
    const int fromSame = inkDifference(queueInk, inkOf(same), viaQueue.size());
    const int fromOther = inkDifference(queueInk, inkOf(other), viaQueue.size());
    const QString figures = QStringLiteral("inked pixels %1, differing from the same article %2, "
                                           "from another %3")
                                .arg(queueInk.size())
                                .arg(fromSame)
                                .arg(fromOther);
    QVERIFY2(fromSame < queueInk.size() / 20, qPrintable(figures)); // the same page
    QVERIFY2(fromOther > fromSame * 4, qPrintable(figures));        // and not any page
    qInfo("%s", qPrintable(figures));
    QFile::remove(queued);
}

QTEST_MAIN(tst_Print)
#include "tst_print.moc"
