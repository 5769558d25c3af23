// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "articles/frmBrowser.h"
#include "core/Pictures.h"
#include "core/PrintFile.h"
#include "core/PrintPage.h"
#include "core/mdlMain.h"

#include <QtNetwork>
#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>

namespace
{
const QString Question = "Do you want to print this article?";
const QStringList Texts{"Mail & <Calendar>", "O'Brien", "Switch </textarea> it <b>on</b>"};

QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : "<failed>";
}

QString pdfText(const QString& pdf)
{
    return run("pdftotext", {"-layout", pdf, "-"}).replace(QRegularExpression(" *\n *"), "\n");
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

// A web server on the loopback that answers with a page of that status, or never answers.
class TinyServer : public QTcpServer
{
public:
    explicit TinyServer(const QByteArray& status)
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [=] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                ++requests;
                connect(socket, &QTcpSocket::readyRead, socket, [=] {
                    if (status.isEmpty())
                        return; // never answers
                    socket->write("HTTP/1.0 " + status +
                                  "\r\nContent-Type: text/html\r\n\r\n<html><body><p>Reset the "
                                  "router</p></body></html>");
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString url() const { return QString("http://127.0.0.1:%1/guide.html").arg(serverPort()); }
    int requests = 0;
};
} // namespace

class tst_Print : public QObject
{
    Q_OBJECT
    QTemporaryDir m_runtime;
    std::unique_ptr<QTemporaryDir> m_out;
    QStringList m_pdfs;            // documents printed through the hook, in order
    QList<bool> m_windowShownThen; // whether the print window was visible while each printed

    std::unique_ptr<StartedApp> start(const QString& problem, const QString& reference = "N/A")
    {
        auto folder = std::make_shared<TestFolder>();
        folder->fillArticles(2);
        folder->exec("UPDATE AR SET CUName = ?, techname = ?, solution = ?, Problem = ?, reference "
                     "= ? WHERE ID = 1",
                     {Texts[0], Texts[1], Texts[2], problem, reference});
        return std::make_unique<StartedApp>(folder);
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path())); // the print file's folder
    }
    void init()
    {
        m_out = std::make_unique<QTemporaryDir>();
        m_pdfs.clear();
        m_windowShownThen.clear();
        QFile::remove(PrintFile::path());
        frmBrowser::setPrinterHook([this](QPrinter& printer, int number) {
            m_pdfs << m_out->filePath(QString("doc-%1.pdf").arg(number));
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_pdfs.last());
            const frmBrowser* window = findWidget<frmBrowser>("frmBrowser");
            m_windowShownThen << (window && window->isVisible());
        });
    }
    void cleanup()
    {
        frmBrowser::setPrinterHook({});
        frmBrowser::setLoadTimeout(30000);
    }

    // Article 1's reference is a file of the kind given ("@": the output folder), a web server's
    // address, or N/A. Steps and checks, "; " between, in order (see `prints`); boxes are answered
    // with their default button unless "answer" says otherwise.
    void prints_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("steps");
        const auto row = [](const char* name, const char* reference, const char* steps) {
            QTest::newRow(name) << QString(reference) << QString(steps);
        };
        row("toolbar", "",
            "answer No; link; toolbar; said $q; page; victim kept; printed 0; window none; $print; "
            "printed 1; pdf 1 Mail & <Calendar>; pdf 1 O'Brien; pdf 1 Switch </textarea> it "
            "<b>on</b>; pdf 1 The printer is down; window hidden; mnuNext; $print; printed 2; pdf "
            "2 Problem 2; window hidden; shown meanwhile; dialogs ");
        row("menu", "",
            "answer No; menu; said $q; page; printed 0; window none; menu; said $q; printed 1; "
            "dialogs CommonDialog1 after 0|CommonDialog1 after 1");
        row("begun article", "",
            "mnuAdd; link; toolbar; said This article has not been saved yet. Save it, then print "
            "it.; printed 0; victim kept");
        row("chosen printer", "@notes.txt",
            "choose @chosen.pdf; said $q; printed 0; file @chosen.pdf The printer is down; file "
            "@chosen (reference).pdf second <line> & more");
        // Text areas get a row per 30 characters, ties to the even count.
        row("text area rows", "",
            "sql UPDATE AR SET Problem = substr(hex(zeroblob(75)), 1, 75), solution = "
            "substr(hex(zeroblob(15)), 1, 15); tb7; $print; rows 2 0");
        row("reference: web page file", "@guide.htm",
            "$print; printed 2; pdf 1 The printer is down; pdf 2 alpha row\nbeta row; window "
            "hidden");
        row("reference: text file", "@notes.txt", "$print; printed 2; pdf 2 second <line> & more");
        row("reference: picture", "@screen.png", "$print; printed 2; pictures 2 1");
        row("stored pictures", "", "store @screen.png; $print; printed 1; pictures 1 1");
        row("reference: web address", "http",
            "$print; printed 2; pdf 2 Reset the router; requests 1");
        row("reference: missing file", "@nowhere.htm",
            "$print; said $ref .* does not exist; printed 1; window hidden");
        row("reference: archive", "@pack.zip", "$print; said $ref .* cannot be printed; printed 1");
        row("reference: page not found", "404", "$print; said $ref .*404; printed 1; requests 1");
        row("wait ends", "silent",
            "wait 1500; menu; said $q; said $ref it did not finish loading within 2 seconds.; "
            "printed 1; sql UPDATE AR SET reference = 'N/A'; tb7; $print; printed 2");
        row("print again meanwhile", "silent",
            "wait 1500; meanwhile print; menu; said $q; said A print is still in progress. Try "
            "again when it has finished.; said $ref it did not; printed 1; sql UPDATE AR SET "
            "reference = 'N/A'; tb7; $print; printed 2");
        row("form closed meanwhile", "silent",
            "wait 1500; meanwhile close form; menu; said $q; said $ref it did not; printed 1; "
            "requests 1");
        row("program ended meanwhile", "silent", "meanwhile exit; menu; quick; said $q; printed 1");
    }
    void prints()
    {
        QFETCH(QString, reference);
        QFETCH(QString, steps);
        TinyServer server(
            QHash<QString, QByteArray>{{"404", "404 Not Found"}, {"silent", ""}}.value(reference,
                                                                                       "200 OK"));
        if (reference.startsWith('@'))
            reference = m_out->filePath(reference.mid(1));
        else if (reference == "http" || reference == "404" || reference == "silent")
            reference = server.url();
        writeFile(m_out->filePath("guide.htm"),
                  "<html><body><textarea>alpha row\nbeta row</textarea>");
        writeFile(m_out->filePath("notes.txt"), "Plain notes\nsecond <line> & more\n");
        writeFile(m_out->filePath("pack.zip"),
                  QByteArray("PK\x03\x04", 4) + QByteArray(200, '\x01'));
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(m_out->filePath("screen.png")));
        auto app = start("The printer is down", reference.isEmpty() ? "N/A" : reference);
        QStringList dialogs; // other dialogs, with the number of questions asked before each
        app->messages().onOtherDialog([&](QWidget* dialog) {
            dialogs << dialog->objectName() + QString(" after %1").arg(app->messages().seen.size());
            static_cast<QDialog*>(dialog)->reject();
        });
        QElapsedTimer clock;
        int heard = 0; // messages checked
        steps.replace("$print", "toolbar; said $q")
            .replace("$q", Question)
            .replace("$ref", "The article was printed, but its reference \"" + reference +
                                 "\" could not be printed:")
            .replace('@', m_out->path() + '/');
        for (const QString& step : steps.split("; ")) {
            const QString rest = step.section(' ', 1);
            if (step != "quick")
                clock.start();
            if (step == "toolbar") {
                app->clickToolbar(4);
            } else if (step == "menu") {
                app->trigger("mnuPrint"); // its printer dialog belongs to the form
            } else if (step.startsWith("choose ")) {
                frmBrowser::setPrinterHook({});
                app->messages().onOtherDialog([rest](QWidget* dialog) {
                    dialog->show(); // as the user sees it: with its entry for printing to a file
                    auto* printers = dialog->findChild<QComboBox*>("printers");
                    printers->setCurrentIndex(printers->count() - 1); // printing to a file
                    dialog->findChild<QLineEdit*>("filename")->setText(rest);
                    static_cast<QDialog*>(dialog)->accept();
                });
                app->trigger("mnuPrint");
            } else if (step.startsWith("answer ")) {
                app->messages().answer(rest == "Yes" ? QMessageBox::Yes : QMessageBox::No);
            } else if (step == "link") { // a link planted under the file's name is never followed
                writeFile(m_out->filePath("victim"), "keep me");
                QVERIFY(QFile::link(m_out->filePath("victim"), PrintFile::path()));
            } else if (step.startsWith("wait ")) {
                frmBrowser::setLoadTimeout(rest.toInt());
            } else if (step.startsWith("meanwhile ")) {
                QTimer::singleShot(500, &app->main(), [&app, rest] {
                    if (rest == "print")
                        app->clickToolbar(4);
                    else if (rest == "close form")
                        app->main().findChild<QMdiSubWindow*>("frmDisplayWindow")->close();
                    else
                        app->trigger("mnuExit");
                });
            } else if (step.startsWith("sql ")) {
                app->folder().exec(rest);
            } else if (step.startsWith("said ")) {
                const QString said = app->messages().texts().value(heard++); // rest: a pattern
                QVERIFY2(QRegularExpression("^" + rest).match(said).hasMatch(), qPrintable(said));
            } else if (step.startsWith("printed ")) {
                QCOMPARE(m_pdfs.size(), rest.toInt());
            } else if (step.startsWith("pdf ")) {
                QVERIFY(pdfText(m_pdfs.value(rest.left(1).toInt() - 1)).contains(rest.mid(2)));
            } else if (step.startsWith("file ")) {
                QVERIFY(pdfText(rest.section(".pdf ", 0, 0) + ".pdf")
                            .contains(rest.section(".pdf ", 1)));
            } else if (step == "page") {
                const PrintColumns page{"1",      Texts[0], Texts[1], "The printer is down",
                                        Texts[2], "N/A",    {}};
                QVERIFY(PrintFile::path().startsWith(m_runtime.path() + '/'));
                QCOMPARE(contents(PrintFile::path()),
                         (PrintPage::html(page, QDate::currentDate()) + "\r\n").toUtf8());
            } else if (step.startsWith("rows ")) {
                const QString page = contents(PrintFile::path());
                QVERIFY(page.contains(" rows=" + rest.section(' ', 0, 0) + " name=problem>"));
                QVERIFY(page.contains(" rows=" + rest.section(' ', 1) + " name=solution>"));
            } else if (step == "victim kept") {
                QCOMPARE(contents(m_out->filePath("victim")), QByteArray("keep me"));
            } else if (step.startsWith("window ")) {
                const frmBrowser* shown = frmBrowser::loaded(app->main());
                QCOMPARE(shown && !shown->isVisible(), rest == "hidden");
                QCOMPARE(app->main().findChildren<frmBrowser*>().size(), rest == "hidden" ? 1 : 0);
            } else if (step == "shown meanwhile") {
                QVERIFY(!m_windowShownThen.isEmpty() && !m_windowShownThen.contains(false));
            } else if (step.startsWith("requests ")) {
                QCOMPARE(server.requests, rest.toInt());
            } else if (step.startsWith("pictures ")) { // two heading lines, then one per picture
                QCOMPARE(
                    run("pdfimages", {"-list", m_pdfs.value(rest.left(1).toInt() - 1)}).count('\n'),
                    2 + rest.mid(2).toInt());
            } else if (step.startsWith("store ")) { // into slot 2 of the article shown
                QFile file(rest);
                QVERIFY(file.open(QIODevice::ReadOnly));
                app->folder().exec(
                    "UPDATE AR SET Image2 = ? WHERE ID = 1",
                    {pictures::store(app->app().dbConnection, file.readAll(), rest)});
                app->app().ReloadArticles();
            } else if (step.startsWith("dialogs")) {
                QCOMPARE(dialogs.join('|'), rest);
            } else if (step == "quick") {
                QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
            } else {
                app->run(step);
            }
        }
        QCOMPARE(app->messages().texts().size(), heard);
    }

    void noPrinter()
    {
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
            // The print system keeps the server it first talked to, so the test runs again in a
            // process of its own that can reach no print server at all.
            QProcess child;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("CUPS_SERVER", m_runtime.filePath("no-cups.sock"));
            child.setProcessEnvironment(env);
            child.start(QCoreApplication::applicationFilePath(), {"noPrinter"});
            QVERIFY(child.waitForFinished(120000));
            const QString output = QString::fromUtf8(child.readAllStandardOutput());
            QVERIFY2(output.contains("PASS   : tst_Print::noPrinter()"), qPrintable(output));
            return;
        }
        frmBrowser::setPrinterHook({});
        auto app = start("Nowhere to print");
        app->clickToolbar(4);
        QCOMPARE(app->messages().texts(),
                 QStringList{"No printer is available. Set up a printer on this computer, then "
                             "print the article again."});
        QVERIFY(!QFile::exists(PrintFile::path()) && !frmBrowser::loaded(app->main()));
    }

    void realPrintQueue()
    {
        frmBrowser::setPrinterHook({});
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        // Only a cups-pdf queue: a real default printer must not get test pages.
        if (printer.isNull() || !run("lpstat", {"-v", printer.printerName()}).contains("cups-pdf:"))
            QSKIP("no cups-pdf queue is the default printer (tools/start-print-queue.sh)");
        auto app = start("The scanner on the second floor reports a paper jam after every page");
        const QString id = QString::number(QCoreApplication::applicationPid() + 1); // own job
        app->folder().exec("UPDATE AR SET ID = ID + ?", {id.toLongLong() - 1});
        app->run("tb7");
        app->clickToolbar(4);
        QCOMPARE(app->messages().texts(), QStringList{Question});
        // cups-pdf names the file after the job ("Ardentry article N"), in ~/PDF as set up.
        auto queued = [&id] {
            for (const QString& folder :
                 {QDir::homePath() + "/PDF", QString("/var/spool/cups-pdf")}) {
                for (QDirIterator it(folder, {"Ardentry_article_" + id + "[-_]*.pdf"}, QDir::Files,
                                     QDirIterator::Subdirectories);
                     it.hasNext();) {
                    if (const QString pdf = it.next(); run("pdfinfo", {pdf}) != "<failed>")
                        return pdf; // written completely
                }
            }
            return QString();
        };
        QTRY_VERIFY_WITH_TIMEOUT(!queued().isEmpty(), 60000);
        const QStringList words =
            pdfText(queued()).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        QVERIFY2(words.size() > 20, qPrintable(words.join(' '))); // the article's page, not blank
        QFile::remove(queued());
    }
};

QTEST_MAIN(tst_Print)
#include "tst_print.moc"
