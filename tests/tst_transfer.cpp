// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "common/SingleInstance.h"
#include "core/mdlMain.h"
#include "transfer/frmExport.h"
#include "transfer/frmImport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace
{

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void typeInto(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

// Presses Escape in the progress window as soon as it shows, which cancels the job.
void cancelProgressWhenShown(const char* name)
{
    QTimer::singleShot(0, [name] {
        if (auto* progress = findWidget<QProgressDialog>(name))
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
}

int count(StartedApp& started, const QString& where = "1 = 1")
{
    return started.folder().scalar("SELECT count(*) FROM AR WHERE " + where).toInt();
}

} // namespace

class tst_Transfer : public QObject
{
    Q_OBJECT
private slots:
    void importWindow_data();
    void importWindow();
    void importReportSaved();
    void importAccessTable_data();
    void importAccessTable();
    void exportWindow_data();
    void exportWindow();
};

void tst_Transfer::importWindow_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("steps"); // what the user does besides naming the file
    QTest::addColumn<int>("added");     // articles in the file afterwards, beyond article 1
    QTest::addColumn<QString>("status");
    const QByteArray good("Title,Problem,Solution,Category\nT,p,s,Backups\nU,q,r,Backups\n");
    const QByteArray bad("ID,Problem,Solution,Category\n1,p,s,Backups\n7,q,r,Backups\n");
    QTest::newRow("columns guessed, imported") << good << "import" << 2 << "2 articles imported.";
    QTest::newRow("server: columns guessed, imported")
        << good << "server import" << 2 << "2 articles imported.";
    QTest::newRow("rows left out, the question answered Yes")
        << bad << "yes import" << 1 << "1 article imported, 1 row left out.";
    QTest::newRow("rows left out, the question answered No")
        << bad << "no import" << 0 << "Nothing was imported.";
    QTest::newRow("cancelled in the progress window")
        << good << "cancel import" << 0 << "The import was cancelled; nothing was imported.";
    QTest::newRow("Problem and Solution chosen with the keyboard")
        << QByteArray("Frage,Antwort,Thema\nwie,so,Netz\n") << "choose import" << 1
        << "1 article imported.";
    const QByteArray stray("Problem,Solution,Category\ncaf\xC3\xA9,s,Backups\nca\xFF,t,Backups\n");
    QTest::newRow("a stray byte stops the file; Windows-1252 chosen")
        << stray << "encoding Windows import" << 2 << "2 articles imported.";
    QTest::newRow("a stray byte stops the file; UTF-8 chosen, its row left out")
        << stray << "encoding UTF yes import" << 1 << "1 article imported, 1 row left out.";
    QTest::newRow("not a text file")
        << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0", 19) << "" << 0 << "is not a text file";
    QTest::newRow("file changed after it was shown")
        << good << "change import" << 0 << "The import failed; nothing was imported.";
}

void tst_Transfer::importWindow()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, steps);
    QFETCH(int, added);
    QFETCH(QString, status);
    StartedApp started({}, steps.contains("server") ? TestFolder::Engine::Server
                                                    : TestFolder::Engine::File);
    started.folder().writeFile("in.csv", csv);
    const QString file = started.folder().path("in.csv");
    started.trigger("mnuImport");
    auto* dialog = SingleInstance::loaded<frmImport>(&started.main());
    QVERIFY(dialog);
    QVERIFY(!started.main().isEnabled());
    typeInto(dialog->txtFile, file);
    QTest::keyClick(dialog->txtFile, Qt::Key_Return);
    QVERIFY2(dialog->lblStatus->text().contains(status.startsWith("is not") ? status : "UTF-8"),
             qPrintable(dialog->lblStatus->text()));
    if (steps.isEmpty()) {
        QVERIFY(!dialog->cmdImport->isEnabled());
        return;
    }
    if (steps.startsWith("encoding")) {
        // Nothing is read until the user picks the encoding for the whole file.
        QVERIFY(dialog->lblStatus->text().contains("except line 3"));
        QVERIFY(!dialog->cmdImport->isEnabled());
        QTest::keyClicks(dialog->cboEncoding, steps.section(' ', 1, 1));
    }
    QCOMPARE(dialog->grdPreview->rowCount(), csv.count('\n') - 1);
    if (steps.contains("choose")) {
        QVERIFY(!dialog->cmdImport->isEnabled());
        QTest::keyClicks(dialog->cboMap[ArticleField::Problem], "1");
        QTest::keyClicks(dialog->cboMap[ArticleField::Solution], "2");
        QTest::keyClicks(dialog->cboMap[ArticleField::Category], "3");
        QCOMPARE(dialog->cboMap[ArticleField::Solution]->currentText(), QString("2: Antwort"));
    }
    if (steps.contains("yes"))
        started.messages().answer(QMessageBox::Yes);
    if (steps.contains("no"))
        started.messages().answer(QMessageBox::No);
    if (steps.contains("cancel"))
        cancelProgressWhenShown("dlgImportProgress");
    if (steps.contains("change"))
        started.folder().writeFile("in.csv", "Problem,Solution\np,s\n");
    const QByteArray before = contents(started.folder().dbPath());
    QVERIFY(dialog->cmdImport->isEnabled());
    QTest::mouseClick(dialog->cmdImport, Qt::LeftButton);
    QCOMPARE(dialog->lblStatus->text(), status);
    QVERIFY(dialog->txtReport->isVisible());
    // With the report shown it stays on its screen, and it could shrink to a 1366 x 768 one (or
    // 2732 x 1536 at 200 %) below a title bar and above a taskbar.
    const QSize least = dialog->minimumSizeHint();
    QVERIFY2(least.width() <= 1366 && least.height() <= 768 - 70,
             qPrintable(QString("%1 x %2").arg(least.width()).arg(least.height())));
    QVERIFY(dialog->height() <= dialog->screen()->availableGeometry().height() - 40);
    QCOMPARE(count(started), 1 + added);
    if (added == 0) {
        QVERIFY(contents(started.folder().dbPath()) == before);
        return;
    }
    // The article form knows the new category and the articles: the first one is shown.
    QVERIFY(started.control<QComboBox>("cboCUName")
                ->findText(csv.contains("Netz") ? "Netz" : "Backups") >= 0);
    QCOMPARE(started.app().rsMain.recordCount(), 1 + added);
    QVERIFY(!dialog->cmdImport->isEnabled()); // the same rows are not imported twice by accident
    QTest::mouseClick(dialog->cmdClose, Qt::LeftButton);
    QTRY_VERIFY(started.main().isEnabled());
}

// The file chosen with Browse, the report saved with Save Report as what the window shows.
void tst_Transfer::importReportSaved()
{
    StartedApp started;
    started.folder().writeFile("in.csv", "Problem;Solution\n;s\nq;r\n");
    started.trigger("mnuImport");
    auto* dialog = SingleInstance::loaded<frmImport>(&started.main());
    const QString saved = started.folder().path("report.txt");
    started.messages().onOtherDialog([&](QWidget* w) {
        auto* chooser = qobject_cast<QFileDialog*>(w);
        chooser->selectFile(
            chooser->objectName() == "dlgImportFile" ? started.folder().path("in.csv") : saved);
        static_cast<QDialog*>(chooser)->accept();
    });
    QTest::mouseClick(dialog->cmdBrowse, Qt::LeftButton);
    QCOMPARE(dialog->cboSeparator->currentText(), QString("Semicolon (;)"));
    started.messages().answer(QMessageBox::Yes);
    QTest::mouseClick(dialog->cmdImport, Qt::LeftButton);
    QVERIFY(dialog->txtReport->toPlainText().contains("line 2: the Problem is empty."));
    QTest::mouseClick(dialog->cmdSaveReport, Qt::LeftButton);
    QCOMPARE(QString::fromUtf8(contents(saved)), dialog->txtReport->toPlainText());
}

void tst_Transfer::importAccessTable_data()
{
    QTest::addColumn<QString>("file"); // of the Access test databases
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("choices"); // "field:key pressed in its column box"
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("where"); // holds for every article imported
    QTest::addColumn<QString>("report");
    const auto choice = [](int field, const char* key) {
        return QString::number(field) + ':' + key;
    };
    QTest::newRow("another table chosen, dates as the file holds them")
        << "jackcess/V2003/testV2003.mdb"
        << "Table1"
        << QStringList{choice(ArticleField::Problem, "1"), choice(ArticleField::Solution, "2"),
                       choice(ArticleField::InitialEntry, "7")}
        << "2 articles imported."
        << "InitialEntry IN ('09/21/1974', '12/12/1981')"
        << "Read from the table Table1 of the Access database.";
    QTest::newRow("server: an attachment column is left empty and reported")
        << "jackcess/V2010/complexDataTestV2010.accdb"
        << "Table1"
        << QStringList{choice(ArticleField::Problem, "1"), choice(ArticleField::Solution, "3"),
                       choice(ArticleField::Image1, "6")}
        << "3 articles imported, 1 row left out."
        << "Image1 IS NULL AND solution LIKE 'row%'"
        << "row 2: the Image 1 (column attach-data): an attachment";
}

// A table of an Access database that is not a help desk's, with the columns chosen as for CSV.
void tst_Transfer::importAccessTable()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QStringList, choices);
    QFETCH(QString, status);
    QFETCH(QString, where);
    QFETCH(QString, report);
    StartedApp started({}, QTest::currentDataTag()[0] == 's' ? TestFolder::Engine::Server
                                                             : TestFolder::Engine::File);
    started.trigger("mnuImport");
    auto* dialog = SingleInstance::loaded<frmImport>(&started.main());
    typeInto(dialog->txtFile, QStringLiteral(ARDENTRY_ACCESS_DATA "/") + file);
    QTest::keyClick(dialog->txtFile, Qt::Key_Return);
    QVERIFY2(dialog->cboTable->isVisible(), qPrintable(dialog->lblStatus->text()));
    QVERIFY(!dialog->cboEncoding->isEnabled());
    // Every table is offered; the first is shown, and another one replaces it in the preview.
    if (dialog->cboTable->count() > 1) {
        QTest::keyClick(dialog->cboTable, Qt::Key_Down);
        QCOMPARE(dialog->grdPreview->horizontalHeaderItem(0)->text(), QString("column1"));
        QTest::keyClick(dialog->cboTable, Qt::Key_Up);
    }
    QCOMPARE(dialog->cboTable->currentText(), table);
    QVERIFY2(dialog->lblStatus->text().startsWith("The table " + table),
             qPrintable(dialog->lblStatus->text()));
    QVERIFY(!dialog->cmdImport->isEnabled()); // no column name says Problem or Solution
    for (const QString& c : choices)
        QTest::keyClicks(dialog->cboMap[c.section(':', 0, 0).toInt()], c.section(':', 1));
    started.messages().answer(QMessageBox::Yes); // when rows are left out
    QTest::mouseClick(dialog->cmdImport, Qt::LeftButton);
    QCOMPARE(dialog->lblStatus->text(), status);
    const int imported = status.section(' ', 0, 0).toInt();
    QCOMPARE(count(started, "ID > 1 AND " + where), imported);
    QCOMPARE(count(started), 1 + imported);
    QVERIFY2(dialog->txtReport->toPlainText().contains(report),
             qPrintable(dialog->txtReport->toPlainText()));
}

void tst_Transfer::exportWindow_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("rows"); // articles written; -1: nothing written
    QTest::addColumn<bool>("closed");
    QTest::newRow("all articles to CSV with Enter") << "enter" << 40 << true;
    QTest::newRow("articles added by another program, no search") << "added" << 43 << true;
    QTest::newRow("server: articles added by another program, no search")
        << "server added" << 43 << true;
    QTest::newRow("the current search") << "search" << 5 << true;
    QTest::newRow("what the quick search finds") << "quick" << 3 << true;
    QTest::newRow("server: what the quick search finds") << "server quick" << 3 << true;
    QTest::newRow("web pages") << "web" << 40 << true;
    QTest::newRow("existing file, not replaced") << "exists no" << -1 << false;
    QTest::newRow("existing file, replaced") << "exists yes" << 40 << true;
    QTest::newRow("cancelled") << "cancel" << -1 << false;
}

void tst_Transfer::exportWindow()
{
    QFETCH(QString, steps);
    QFETCH(int, rows);
    QFETCH(bool, closed);
    NewDatabaseOptions options;
    options.sample = true;
    StartedApp started(options, steps.contains("server") ? TestFolder::Engine::Server
                                                         : TestFolder::Engine::File);
    const bool web = steps.contains("web");
    const QString target = started.folder().path(web ? "pages" : "out.csv");
    if (steps.contains("exists"))
        started.folder().writeFile("out.csv", "old");
    // Files an article names as images: only the photo is a picture.
    const TestFolder& folder = started.folder();
    const QString first = folder.scalar("SELECT MIN(ID) FROM AR").toString();
    QImage photo(8, 8, QImage::Format_RGB32);
    photo.fill(Qt::red);
    QVERIFY(QDir().mkpath(folder.path("pics")) && photo.save(folder.path("pics/photo.png")));
    folder.writeFile("pics/broken.png", QByteArray("\x89PNG\r\n\x1a\n", 8) + "damaged");
    folder.writeFile("home/.pgpass", "dbhost:5432:*:tech:Secret");
    const QStringList named = {"pics/photo.png",
                               "pics/broken.png",
                               folder.path("home/.pgpass"),
                               "pics/../../" + QFileInfo(folder.folder()).fileName() +
                                   "/Ini/arprefs.ini",
                               "/etc/passwd",
                               "pics/gone.png"};
    if (web)
        folder.exec("UPDATE AR SET Image1 = ?, Image2 = ?, Image3 = ?, Image4 = ?, Image5 = ?, "
                    "Image6 = ? WHERE ID = " +
                        first,
                    {named[0], named[1], named[2], named[3], named[4], named[5]});
    RecordSet& rs = started.app().rsMain;
    if (steps.contains("search")) {
        rs.setFilter("CUName = #Printing#");
        rs.moveFirst();
        rs.moveNext(); // the second article of the search is shown
        started.main().ShowCurrentRecord();
    }
    if (steps.contains("quick"))
        typeInto(started.main().findChild<QLineEdit*>("txtQuickSearch"), "printer");
    if (steps.contains("added")) {
        for (int n = 901; n <= 903; ++n)
            started.folder().exec("INSERT INTO AR (ID, Problem, solution) VALUES (?, 'p', 's')",
                                  {n});
    }
    const int position = rs.absolutePosition();
    started.trigger("mnuExport");
    auto* dialog = SingleInstance::loaded<frmExport>(&started.main());
    QVERIFY(dialog);
    QCOMPARE(dialog->optSearch->isChecked(), steps.contains("search"));
    QCOMPARE(dialog->optSearch->isEnabled(), steps.contains("search"));
    QCOMPARE(dialog->optQuickSearch->isChecked(), steps.contains("quick"));
    QCOMPARE(dialog->optAll->isChecked(), !steps.contains("search") && !steps.contains("quick"));
    if (web)
        QTest::mouseClick(dialog->optWeb, Qt::LeftButton);
    QVERIFY(web != dialog->txtTarget->text().endsWith(".csv"));
    typeInto(dialog->txtTarget, web ? target : target.chopped(4)); // no suffix typed
    if (!web)
        QTest::keyClicks(dialog->txtTarget, ".csv");
    if (steps.contains("exists"))
        started.messages().answer(steps.contains("yes") ? QMessageBox::Yes : QMessageBox::No);
    if (steps.contains("cancel"))
        cancelProgressWhenShown("dlgExportProgress");
    if (steps.contains("enter"))
        QTest::keyClick(dialog->txtTarget, Qt::Key_Return);
    else
        QTest::mouseClick(dialog->cmdExport, Qt::LeftButton);
    QTRY_COMPARE(SingleInstance::loaded<frmExport>(&started.main()) == nullptr, closed);
    if (rows < 0) {
        QCOMPARE(contents(target), QByteArray(steps.contains("exists") ? "old" : ""));
        return;
    }
    QVERIFY2(
        started.messages().texts().join('\n').contains(QString("Articles written: %1").arg(rows)),
        qPrintable(started.messages().texts().join('\n')));
    if (web) {
        const QString report = started.messages().texts().join('\n');
        QCOMPARE(QDir(target + "/images").entryList(QDir::Files), QStringList{"1-photo.png"});
        QCOMPARE(contents(target + "/images/1-photo.png"), contents(folder.path(named[0])));
        for (const QString& file : named.mid(1, 4))
            QVERIFY2(report.contains(QString("article %1: %2 was left out, not a picture")
                                         .arg(first, QDir::toNativeSeparators(file))),
                     qPrintable(file + " -- " + report));
        QVERIFY2(report.contains("article " + first + ": the image pics/gone.png was not found"),
                 qPrintable(report));
        QCOMPARE(QDir(target).entryList({"article-*.html"}).size(), rows);
        QVERIFY(QFile::exists(target + "/index.html"));
    } else {
        QCOMPARE(contents(target).count("\r\n"), rows + 1);
    }
    QCOMPARE(rs.absolutePosition(), position); // the article shown stays current
    QTRY_VERIFY(started.main().isEnabled());
}

QTEST_MAIN(tst_Transfer)
#include "tst_transfer.moc"
