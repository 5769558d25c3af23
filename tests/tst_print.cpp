#include "tests/TestSupport.h"

#include "articles/DocumentView.h"
#include "core/PrintFile.h"
#include "core/PrintPage.h"
#include "articles/frmBrowser.h"
#include "articles/frmDisplay.h"
#include "app/frmMain.h"
#include "core/mdlMain.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPageLayout>
#include <QPainter>
#include <QPlainTextEdit>
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

namespace
{

const QString Question = QStringLiteral("Do you want to print this article?");

// The page as the print file must hold it, piece by piece. `v`: id, category, entered by,
// problem rows, problem, solution rows, solution, reference, date.
QString expectedPage(const QStringList& v)
{
    return "<html><head></head><body><form name=print><table border = 1><tr><td>Problem "
           "ID</td><td>" +
           v[0] + "</td></tr><tr><td>Category</td><td>" + v[1] +
           "</td></tr><tr><td>Entered By</td><td>" + v[2] +
           "</td></tr><tr><td>Problem Description</td><td><textarea cols=60 rows=" + v[3] +
           " name=problem>" + v[4] +
           "</textarea></td></tr><tr><td>Solution</td><td><textarea cols=60 rows=" + v[5] +
           " name=solution>" + v[6] + "</textarea></td></tr><tr><td>Reference</td><td>" + v[7] +
           "</td></tr></table></form><BR><BR><BR><BR><CENTER>Printed by Ardentry on " + v[8] +
           "</CENTER></body></html>";
}

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfText(const QString& pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

QString readPrintFile()
{
    QFile file(PrintFile::path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A page rendered by pdftoppm, moved so that its top left inked pixel is in the corner (converters
// may move a page by a pixel) and shrunk four times.
QImage renderFromCorner(const QString& pdf, const QString& png)
{
    run(QStringLiteral("pdftoppm"), {"-r", "100", "-gray", "-png", "-singlefile", pdf, png});
    const QImage page = QImage(png + ".png").convertToFormat(QImage::Format_Grayscale8);
    QPoint corner(page.width(), page.height());
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.constScanLine(y)[x] < 128)
                corner = QPoint(qMin(corner.x(), x), qMin(corner.y(), y));
    QImage moved(page.size(), QImage::Format_Grayscale8);
    moved.fill(255);
    QPainter(&moved).drawImage(-corner, page);
    return moved.scaled(page.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The pixels of two such pages whose gray levels are far apart.
int differing(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < qMin(a.height(), b.height()); ++y)
        for (int x = 0; x < qMin(a.width(), b.width()); ++x)
            count += qAbs(a.constScanLine(y)[x] - b.constScanLine(y)[x]) > 64 ? 1 : 0;
    return count;
}

// A small web server on the loopback: answers every request with a page of that status, or, with
// no status, accepts the connection and never answers.
class TinyServer : public QTcpServer
{
public:
    explicit TinyServer(const QByteArray& status = {}, const QByteArray& body = {})
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [=] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                ++requests;
                connect(socket, &QTcpSocket::readyRead, socket, [=] {
                    socket->setProperty("got", socket->property("got").toString() +
                                                   QString::fromLatin1(socket->readAll()));
                    if (status.isEmpty() ||
                        !socket->property("got").toString().contains("\r\n\r\n"))
                        return;
                    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/html\r\n" +
                                  "Content-Length: " + QByteArray::number(body.size()) +
                                  "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(serverPort()).arg(path);
    }
    int requests = 0;
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

    void question_data();
    void question();
    void printTwiceReusesWindow();
    void reference_data();
    void reference();
    void boundedWait();
    void exitDuringWait();
    void formClosedDuringWait();
    void menuHonoursChosenPrinter();
    void noPrinter();
    void begunArticle();
    void realPrintQueue();

private:
    // A started program whose first article holds these values (article 2 is a plain one).
    std::unique_ptr<StartedApp> start(const QString& problem, const QString& solution = "x",
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
        m_pdfs << dir + QStringLiteral("/doc-%1.pdf").arg(number);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdfs.last());
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
}

void tst_Print::pageText_data()
{
    QTest::addColumn<QStringList>("values"); // id, category, tech, problem, solution, reference
    QTest::addColumn<QString>("expected");
    const QString date = QStringLiteral("03/04/2024");
    QTest::newRow("plain")
        << QStringList{"12", "Network", "Jones", "No mail since Monday", "Restart the mail server",
                       "N/A"}
        << expectedPage({"12", "Network", "Jones", "1", "No mail since Monday", "1",
                         "Restart the mail server", "N/A", date});
    QTest::newRow("markup in the problem")
        << QStringList{"3", "Disk", "jim", "error <missing file>", "Copy it back", "N/A"}
        << expectedPage({"3", "Disk", "jim", "1", "error &lt;missing file&gt;", "0", "Copy it back",
                         "N/A", date});
    QTest::newRow("end of text area in the solution")
        << QStringList{"4",
                       "Web",
                       "Ann",
                       "Form",
                       "Type </textarea><b>x</b> & \"done\"",
                       "<a href='x'>x</a>"}
        << expectedPage({"4", "Web", "Ann", "0", "Form", "1",
                         "Type &lt;/textarea&gt;&lt;b&gt;x&lt;/b&gt; &amp; &quot;done&quot;",
                         "&lt;a href=&#39;x&#39;&gt;x&lt;/a&gt;", date});
    const QString lines = QStringLiteral("line one\r\nline two\r\n");
    QTest::newRow("line breaks as stored")
        << QStringList{"6", "A", "B", lines, QString(45, 'x'), "C:\\docs\\guide.htm"}
        << expectedPage(
               {"6", "A", "B", "1", lines, "2", QString(45, 'x'), "C:\\docs\\guide.htm", date});
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
    const QString file = m_out->filePath(QStringLiteral("page.html"));
    writeFile(file, PrintPage::html(c, QDate(2024, 3, 4)).toUtf8() + "\r\n");
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
}

void tst_Print::question_data()
{
    QTest::addColumn<bool>("menu"); // the menu item (its printer dialog cancelled), or the toolbar
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("nulls"); // category, entered by, problem and solution Null
    QTest::newRow("toolbar, No") << false << false << false;
    QTest::newRow("toolbar, Yes") << false << true << false;
    QTest::newRow("menu, No") << true << false << false;
    QTest::newRow("menu, Yes") << true << true << false;
    QTest::newRow("Null texts") << false << true << true;
}

void tst_Print::question()
{
    QFETCH(bool, menu);
    QFETCH(bool, yes);
    QFETCH(bool, nulls);
    auto app = start(QStringLiteral("The printer is down"), QStringLiteral("Switch it on"));
    if (nulls) {
        app->folder().exec(QStringLiteral("UPDATE AR SET CUName = NULL, techname = NULL, "
                                          "Problem = NULL, solution = NULL WHERE ID = 1"));
        app->main().Refresh(); // reads the row again
    }
    QStringList dialogs; // other dialogs shown, with the number of questions asked before each
    app->messages().onOtherDialog([&](QWidget* dialog) {
        dialogs << QStringLiteral("%1 %2 after %3")
                       .arg(qobject_cast<QPrintDialog*>(dialog) ? "printer" : "other",
                            dialog->objectName())
                       .arg(app->messages().seen.size());
        static_cast<QDialog*>(dialog)->reject();
    });
    // A link planted under the file's name is replaced, never followed.
    const QString victim = m_out->filePath(QStringLiteral("victim.txt"));
    writeFile(victim, "keep me");
    QVERIFY(QFile::link(victim, PrintFile::path()));
    app->messages().answer(yes ? QMessageBox::Yes : QMessageBox::No);
    if (menu)
        app->trigger(QStringLiteral("mnuPrint"));
    else
        app->clickToolbar(4);

    QCOMPARE(dialogs, menu ? QStringList{"printer CommonDialog1 after 0"} : QStringList());
    QCOMPARE(app->messages().seen.size(), 1);
    const MessageCatcher::Seen& q = app->messages().seen.first();
    QCOMPARE(q.text, Question);
    QCOMPARE(q.title, QStringLiteral("Ardentry"));
    QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(q.defaultButton, QMessageBox::Yes);
    QCOMPARE(q.icon, QMessageBox::NoIcon);
    // The file is complete and in the private folder whatever the answer.
    QVERIFY(PrintFile::path().startsWith(m_runtime.path() + '/'));
    QCOMPARE(QFileInfo(PrintFile::path()).fileName(), QStringLiteral("artemp.html"));
    QVERIFY(!QFileInfo(PrintFile::path()).isSymLink());
    QFile kept(victim);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("keep me"));
    const QStringList page = nulls ? QStringList{"1", "", "", "0", "", "0", "", "N/A", today()}
                                   : QStringList{"1",
                                                 "Mail &amp; &lt;Calendar&gt;",
                                                 "O&#39;Brien",
                                                 "1",
                                                 "The printer is down",
                                                 "0",
                                                 "Switch it on",
                                                 "N/A",
                                                 today()};
    QCOMPARE(readPrintFile(), expectedPage(page) + "\r\n");
    // No: nothing printed and no print window. Yes: printed on the default printer.
    QCOMPARE(m_pdfs.size(), yes ? 1 : 0);
    QCOMPARE(frmBrowser::loaded(app->main()) != nullptr, yes);
    if (yes)
        QVERIFY(pdfText(m_pdfs[0]).contains(nulls ? "Problem Description" : page[4]));
}

void tst_Print::printTwiceReusesWindow()
{
    auto app = start(QStringLiteral("First article problem"));
    clickPrint(*app, QMessageBox::Yes);
    frmBrowser* window = frmBrowser::loaded(app->main());
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Ardentry Print Article"));
    QCOMPARE(window->size(), QSize(504, 443));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(
        !(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(window->wbrBrowser1->geometry(), QRect(8, 8, 473, 417));
    QVERIFY(!window->isVisible());

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

void tst_Print::reference_data()
{
    QTest::addColumn<QString>("kind"); // the file's name, or the kind of address
    QTest::addColumn<bool>("printable");
    QTest::addColumn<QString>("printed"); // text of the printed reference, or why it was not
    auto row = [](const char* name, const char* kind, bool printable, const char* printed) {
        QTest::newRow(name) << QString(kind) << printable << QString(printed);
    };
    row("web page file", "guide.htm", true, "Local guide");
    row("text file", "notes.txt", true, "second <line> & more");
    row("picture", "screen.png", true, "");
    row("http address", "http", true, "Reset the router");
    row("missing file", "nowhere.htm", false, "does not exist");
    row("archive", "pack.zip", false, "cannot be printed");
    row("other address", "ftp", false, "cannot be printed");
    row("page not found", "404", false, "404");
}

void tst_Print::reference()
{
    QFETCH(QString, kind);
    QFETCH(bool, printable);
    QFETCH(QString, printed);
    TinyServer server(kind == "404" ? "404 Not Found" : "200 OK",
                      "<html><body><h1>Remote guide</h1><p>Reset the router</p></body></html>");
    QString reference = m_out->filePath(kind);
    if (kind == "guide.htm")
        writeFile(reference, "<html><body><p>Local guide</p><textarea rows=2>alpha row\nbeta row"
                             "</textarea></body></html>");
    else if (kind == "notes.txt")
        writeFile(reference, "Plain notes\nsecond <line> & more\n");
    else if (kind == "screen.png") {
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(reference));
    } else if (kind == "pack.zip")
        writeFile(reference, QByteArray("PK\x03\x04", 4) + QByteArray(200, '\x01'));
    else if (kind == "ftp")
        reference = "ftp://127.0.0.1/guide.htm";
    else if (kind == "http" || kind == "404")
        reference = server.url("guide.html");

    auto app = start(QStringLiteral("See the guide"), QStringLiteral("Follow it"), reference);
    clickPrint(*app, QMessageBox::Yes);
    const QStringList texts = app->messages().texts();
    QCOMPARE(texts.size(), printable ? 1 : 2);
    QCOMPARE(texts[0], Question);
    // The article page comes first and stays printed when the reference cannot be.
    QCOMPARE(m_pdfs.size(), printable ? 2 : 1);
    const QString article = pdfText(m_pdfs[0]);
    QVERIFY2(article.contains(QStringLiteral("See the guide")), qPrintable(article));
    QVERIFY(article.contains(reference));
    QVERIFY(!frmBrowser::loaded(app->main())->isVisible());
    if (!printable) {
        QVERIFY2(texts[1].startsWith("The article was printed, but its reference \"" + reference +
                                     "\" could not be printed: ") &&
                     texts[1].contains(printed),
                 qPrintable(texts[1]));
        return;
    }
    QCOMPARE(m_windowShownThen, (QList<bool>{true, true}));
    const QString second = pdfText(m_pdfs[1]);
    QVERIFY2(!second.contains(QStringLiteral("Problem ID")), qPrintable(second));
    if (kind == "screen.png")
        QCOMPARE(run("pdfimages", {"-list", m_pdfs[1]}).split('\n', Qt::SkipEmptyParts).size(),
                 2 + 1); // two heading lines, then one line per picture
    QVERIFY2(second.contains(printed), qPrintable(second));
    if (kind == "guide.htm")
        QVERIFY2(QRegularExpression("alpha row\\s*\\n\\s*beta row").match(second).hasMatch(),
                 qPrintable(second));
    QCOMPARE(server.requests, kind == "http" ? 1 : 0);
}

void tst_Print::boundedWait()
{
    TinyServer silent;
    auto app = start(QStringLiteral("Waiting article"), "x", silent.url("slow.html"));
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
    QVERIFY2(clock.elapsed() >= 1400 && clock.elapsed() < 15000,
             qPrintable(QString::number(clock.elapsed())));
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
    QVERIFY(!window->isVisible() && !window->isPrinting());

    // The next print works as before.
    app->folder().exec(QStringLiteral("UPDATE AR SET reference = 'N/A' WHERE ID = 1"));
    app->main().Refresh();
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(m_pdfs.size(), 2);
}

void tst_Print::exitDuringWait()
{
    TinyServer silent;
    auto app = start(QStringLiteral("Exit while waiting"), "x", silent.url("slow.html"));
    QTimer::singleShot(400, &app->main(), [&] { app->trigger(QStringLiteral("mnuExit")); });
    QElapsedTimer clock;
    clock.start();
    clickPrint(*app, QMessageBox::Yes);
    // The wait ends with the program, long before the 30 seconds, and no message follows.
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(app->messages().texts(), QStringList{Question});
    QCOMPARE(m_pdfs.size(), 1);
}

void tst_Print::formClosedDuringWait()
{
    TinyServer silent;
    auto app = start(QStringLiteral("Form closed while waiting"), "x", silent.url("slow.html"));
    frmBrowser::setLoadTimeout(1500);
    // From the menu: its printer dialog belonged to the article form that goes away.
    QTimer::singleShot(500, &app->main(), [&] {
        app->main().findChild<QMdiSubWindow*>(QStringLiteral("frmDisplayWindow"))->close();
    });
    app->messages().answer(QMessageBox::Yes);
    app->trigger(QStringLiteral("mnuPrint"));
    QTest::qWait(10);
    QVERIFY(!app->main().displayIfLoaded());
    const QStringList texts = app->messages().texts();
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts[1].contains(QStringLiteral("did not finish loading")), qPrintable(texts[1]));
    QCOMPARE(m_pdfs.size(), 1);
}

void tst_Print::menuHonoursChosenPrinter()
{
    frmBrowser::setPrinterHook({}); // the dialog decides where the print goes
    const QString reference = m_out->filePath(QStringLiteral("notes.txt"));
    writeFile(reference, "Chosen printer reference\n");
    auto app = start(QStringLiteral("Chosen printer article"), "x", reference);
    const QString target = m_out->filePath(QStringLiteral("chosen.pdf"));
    bool chose = false;
    app->messages().onOtherDialog([&](QWidget* dialog) {
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (!printers || !fileName || printers->count() == 0) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        // The last entry of the list is printing to a PDF file.
        printers->setCurrentIndex(printers->count() - 1);
        fileName->setText(target);
        chose = true;
        static_cast<QDialog*>(dialog)->accept();
    });
    app->messages().answer(QMessageBox::Yes);
    app->trigger(QStringLiteral("mnuPrint"));
    QVERIFY2(chose, "the printer dialog has no printer list or file name box");
    QCOMPARE(app->messages().texts(), QStringList{Question});
    QVERIFY(pdfText(target).contains(QStringLiteral("Chosen printer article")));
    QVERIFY(pdfText(m_out->filePath(QStringLiteral("chosen (reference).pdf")))
                .contains(QStringLiteral("Chosen printer reference")));
}

void tst_Print::noPrinter()
{
    if (qEnvironmentVariableIsEmpty("ARDENTRY_NO_PRINTER_CHILD")) {
        // The print system keeps the server it first talked to, so the test runs again in a
        // process of its own that can reach no print server at all.
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CUPS_SERVER", m_runtime.filePath(QStringLiteral("no-cups.sock")));
        env.insert("ARDENTRY_NO_PRINTER_CHILD", "1");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("noPrinter")});
        QVERIFY(child.waitForFinished(120000));
        const QString output = QString::fromUtf8(child.readAll());
        QVERIFY2(child.exitCode() == 0 && !output.contains(QStringLiteral("SKIP")) &&
                     output.contains(QStringLiteral("PASS   : tst_Print::noPrinter()")),
                 qPrintable(output));
        return;
    }
    frmBrowser::setPrinterHook({});
    QVERIFY(QPrinterInfo::availablePrinters().isEmpty());
    auto app = start(QStringLiteral("Nowhere to print"));
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(app->messages().texts(),
             QStringList{QStringLiteral("No printer is available. Set up a printer on this "
                                        "computer, then print the article again.")});
    QVERIFY(!QFile::exists(PrintFile::path()));
    QVERIFY(!frmBrowser::loaded(app->main()));
}

void tst_Print::begunArticle()
{
    auto app = start(QStringLiteral("Saved article"));
    app->trigger(QStringLiteral("mnuAdd"));
    app->display().txtProblem->setPlainText(QStringLiteral("Typed, not saved"));
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(app->messages().texts(),
             QStringList{QStringLiteral("This article has not been saved yet. Save it, then "
                                        "print it.")});
    QCOMPARE(m_pdfs.size(), 0);
    QVERIFY(!QFile::exists(PrintFile::path()));
}

void tst_Print::realPrintQueue()
{
    frmBrowser::setPrinterHook({});
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        QSKIP("no CUPS print queue is available (run tools/start-print-queue.sh as root to "
              "start one with the cups-pdf printer)");
    // Only a cups-pdf queue: a real default printer must not get test pages.
    if (!run("lpstat", {"-v", printer.printerName()}).contains(QStringLiteral("cups-pdf:")))
        QSKIP("the default printer is not a cups-pdf queue; tools/start-print-queue.sh sets one "
              "up");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(),
             "pdftoppm (poppler-utils) is needed to look at the printed pages");

    // Where cups-pdf puts its files: the "Out" setting, ${HOME} being the job owner's home.
    QStringList folders{QDir::homePath() + "/PDF", "/var/spool/cups-pdf/ANONYMOUS"};
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    for (const QByteArray& line :
         conf.open(QIODevice::ReadOnly) ? conf.readAll().split('\n') : QList<QByteArray>()) {
        if (line.trimmed().startsWith("Out ") || line.trimmed().startsWith("Out\t"))
            folders[0] = QString::fromLocal8Bit(line.trimmed().mid(4).trimmed())
                             .replace(QStringLiteral("${HOME}"), QDir::homePath());
    }
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
    for (QDeadlineTimer deadline(60000); queued.isEmpty() && !deadline.hasExpired();) {
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
    clickPrint(*app, QMessageBox::Yes); // the same article, then another one
    app->trigger(QStringLiteral("mnuNext"));
    clickPrint(*app, QMessageBox::Yes);
    QCOMPARE(direct.size(), 2);
    QVERIFY(pdfText(direct[0]).contains(QStringLiteral("paper jam")));

    const QImage viaQueue = renderFromCorner(queued, dir + "/queue");
    const QImage same = renderFromCorner(direct[0], dir + "/same");
    const QImage other = renderFromCorner(direct[1], dir + "/other");
    QVERIFY(!viaQueue.isNull() && !same.isNull() && !other.isNull());
    QCOMPARE(viaQueue.size(), same.size());
    QImage blank(viaQueue.size(), QImage::Format_Grayscale8);
    blank.fill(255);
    const int ink = differing(viaQueue, blank);
    const int fromSame = differing(viaQueue, same);
    const int fromOther = differing(viaQueue, other);
    const QString figures = QStringLiteral("inked pixels %1, differing from the same article %2, "
                                           "from another %3")
                                .arg(ink)
                                .arg(fromSame)
                                .arg(fromOther);
    QVERIFY2(ink > 200, "the page from the queue is (nearly) blank");
    QVERIFY2(fromSame < ink / 20, qPrintable(figures));  // the same page
    QVERIFY2(fromOther > ink / 10, qPrintable(figures)); // and not any page
    qInfo("%s", qPrintable(figures));
    QFile::remove(queued);
}

QTEST_MAIN(tst_Print)
#include "tst_print.moc"
