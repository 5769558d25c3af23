// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "articles/frmBrowser.h"
#include "common/SingleInstance.h"
#include "core/ProfileFile.h"
#include "core/mdlMain.h"
#include "dialogs/frmCustomizeLabels.h"

#include <QtTest>
#include <QtWidgets>

class tst_Dialogs : public QObject
{
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
    void spokenNames_data();
    void spokenNames();
};

// Articles 1..3 and Customize labels "Label N:"; steps and checks run in order (see `steps`).
void tst_Dialogs::steps_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    QTest::addColumn<QString>("steps");
    // On the file; "server: " before a name: on a server; "both: " on each.
    const auto row = [](const QString& name, const char* steps) {
        for (const auto& [engine, rowName] : TestFolder::engineRows(name, false))
            QTest::newRow(rowName.constData()) << engine << QString(steps);
    };
    // A server address is stored without its password; the General window names the engine and
    // its version, and leaves backups to the server.
    row("server: path with a password",
        "$path; type Text1 postgresql://clerk:pass%20word$at%2Fsrv%2Fpg:5433/kb?sslmode=disable; "
        "click Command1; path postgresql://clerk$at%2Fsrv%2Fpg:5433/kb?sslmode=disable; $after; "
        "Text1: postgresql://clerk$at%2Fsrv%2Fpg:5433/kb?sslmode=disable");
    // An address that does not read is refused, its password never shown; sslpassword goes too.
    const char* unreadable[][2] = {
        {"tech:Secret$atdbhost", "\"postgresql://tech$atdbhost/\" names no database"},
        {"tech:Secret$atdbhost:54e2/kb", "\"postgresql://tech$atdbhost/kb\" has the port \"54e2\""},
        {"tech$atdbhost/kb?Password=Secret", "\"postgresql://tech$atdbhost/kb\" has the option"},
        {"tech:Secret$at[::1/kb", "\"postgresql://tech$at/kb\" has an unclosed \"[\""},
    };
    for (const auto& [typed, reason] : unreadable)
        row(QString("path: postgresql://") + typed,
            qPrintable(QString("$path; type Text1 postgresql://%1; click Command1; said The server "
                               "address was not stored: The server address %2; shown; path $db")
                           .arg(typed, reason)));
    row("path: sslpassword", "$path; type Text1 postgresql://tech$atdbhost/kb?sslpassword=Secret&"
                             "sslmode=require; click Command1; path "
                             "postgresql://tech$atdbhost/kb?sslmode=require; gone");
    row("server: General", "open mnuGen; Label2: $db; Label4: 3; Label6 ~ ^PostgreSQL 15\\.\\d+$; "
                           "Label8: PostgreSQL database on a server; Label10: kept by the server");
    row("General",
        "open mnuGen; Label2: $db; Label4: 3; Label6 ~ ^SQLite 3\\.\\d+\\.\\d+$; "
        "Label8: SQLite 3 database file; Label10 ~ ^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$");
    // The path is stored exactly as typed; the open database stays in use until the next start.
    row("path: OK, empty box", "$path; type Text1 ; click Command1; path ; $after; Text1: ");
    row("path: blanks around it", "$path; type Text1  /data/help desk/x.db ; click Command1; path  "
                                  "/data/help desk/x.db ; $after; Text1:  /data/help desk/x.db ");
    row("path: Enter, 120 characters", "$path; type Text1 $long; Enter; path $long; $after; Text1: "
                                       "$long; Escape; open mnuGen; Label2: $long; Label4: 3");
    for (const char* way : {"click Command2", "Escape", "title bar"})
        row(QString("path: ") + way,
            qPrintable(
                QString("$path; type Text1 /x.db; %1; path $db; $after; Text1: $db").arg(way)));
    row("path: Browse", "$path; browse; Text1: $db; browse @old help.sqlite; path $db; Text1: @old "
                        "help.sqlite; click Command1; path @old help.sqlite; gone; main on");
    for (const char* breakage : {"Ini read-only", "Ini is a folder"})
        row(QString("path: ") + breakage,
            qPrintable(
                QString("$path; type Text1 /new.db; %1; click Command1; said The database path "
                        "could not be stored in @Ini/arprefs.ini; shown; main off; Text1: /new.db")
                    .arg(breakage)));
    // OK and Enter store, Cancel and Escape hide, the title bar unloads; the article form takes the
    // texts at its next load. Missing rows show defaults and are added after the last ID.
    row("both: labels: OK",
        "$labels; click Command1; $stored; hidden; main on; form lblProblemNo: Label "
        "1:; reload; form lblProblemNo: Ticket:; form lblSolution: ; open mnuLabels; "
        "click Command3; click Command1; labels AR Number:|Category:|Entered "
        "By:|Title:|Problem:|Solution:; open mnuLabels; type Text1 Again:; Enter; "
        "hidden; labels Again:|Category:|Entered By:|Title:|Problem:|Solution:");
    for (const char* way : {"click Command2", "Escape"})
        row(QString("labels: ") + way,
            qPrintable(QString("$labels; %1; $before; open mnuLabels; Text1: Ticket:; Text6: ; "
                               "reload; form lblProblemNo: Label 1:")
                           .arg(way)));
    row("labels: title bar", "$labels; title bar; $before; open mnuLabels; Text6: Label 6:");
    row("both: labels: gaps in the IDs",
        "sql DELETE FROM Customize WHERE ID IN (1, 3, 4, 5); $labels; click Command1; labels "
        "Ticket:|Label 6:|Entered By:|Title:|Problem:|; ids 2|6|7|8|9|10");
    row("both: labels: seventh row",
        "sql INSERT INTO Customize (ID, Labels) VALUES (7, 'Seventh'); $labels; click Command1; "
        "labels Ticket:|Label 2:|Label 3:|Label 4:|Label 5:||Seventh");
    row("labels: third row refused",
        "sql CREATE TRIGGER t BEFORE UPDATE ON Customize WHEN OLD.ID = 3 BEGIN SELECT RAISE(ABORT, "
        "'no');END; $labels; type Text3 New:; click Command1; said The label \"Entered By:\" could "
        "not be saved; labels Ticket:|Label 2:|Label 3:|Label 4:|Label 5:|Label 6:; shown; Text3: "
        "New:; sql DROP TRIGGER t; click Command1; hidden; labels Ticket:|Label 2:|New:|Label "
        "4:|Label 5:|");
    row("both: labels: table missing",
        "sql ALTER TABLE Customize RENAME TO Gone; $labels; said The label texts could not be "
        "read; Text2: Category:; click Command1; said The labels could not be saved; shown; sql "
        "ALTER TABLE Gone RENAME TO Customize; click Command1; labels Ticket:|Category:|Entered "
        "By:|Title:|Problem:|");
    for (const char* menu : {"mnuData", "mnuGen", "mnuAbout"})
        for (const char* way : {"click Command1", "Enter", "Escape", "title bar"})
            row(QString("%1, %2").arg(menu, way),
                qPrintable(QString("open mnuLabels; open %1; open %1; main off; %2; main on; "
                                   "others usable; open %1; main off; fresh")
                               .arg(menu, way)));
}

void tst_Dialogs::steps()
{
    QFETCH(QString, steps);
    QFETCH(TestFolder::Engine, engine);
    auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(), engine);
    folder->fillArticles(3);
    folder->exec("UPDATE Customize SET Labels = 'Label ' || ID || ':'");
    const QString ini = folder->iniPath(), base = folder->folder() + '/';
    folder->writeFile(
        "Ini/arprefs.ini",
        ("[General]\r\nPath=" + folder->dbPath() + "\r\nSearchString=net\r\n").toUtf8());
    folder->writeFile("old help.sqlite", "SQLite format 3");
    StartedApp started(folder);
    frmMain& main = started.main();
    QPointer<QDialog> current, labels;
    QDialog* previous = nullptr;
    int heard = 0; // messages checked
    steps.replace("$path", "mnuNext; open mnuData")
        .replace("$after", "mnuNext; form txtTitle: Title 3; open mnuData")
        .replace("$long", "/srv/help desk/" + QString(102, 'x') + ".db")
        .replace("$labels", "open mnuLabels; type Text1 Ticket:; type Text6 ")
        .replace("$stored", "labels Ticket:|Label 2:|Label 3:|Label 4:|Label 5:|; ids 1|2|3|4|5|6")
        .replace("$before", "labels Label 1:|Label 2:|Label 3:|Label 4:|Label 5:|Label 6:")
        .replace('@', base)
        .replace("$at", "@")
        .replace("$db", folder->dbPath());
    for (const QString& step : steps.split("; ")) {
        const QString rest = step.section(' ', 1);
        if (step.startsWith("open ")) {
            started.trigger(rest);
            previous = current;
            current = labels = SingleInstance::loaded<frmCustomizeLabels>(&main);
            if (rest == "mnuLabels")
                continue;
            QList<QDialog*> shown;
            for (QDialog* d : main.findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (d->isVisible() && !SingleInstance::isUnloaded(d) && d != labels)
                    shown << d;
            }
            QCOMPARE(shown.size(), 1);
            current = shown.first();
        } else if (step.startsWith("type ")) {
            auto* box = current->findChild<QLineEdit*>(rest.section(' ', 0, 0));
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, rest.section(' ', 1));
        } else if (step.startsWith("click ")) {
            QTest::mouseClick(current->findChild<QPushButton*>(rest), Qt::LeftButton);
        } else if (step == "Enter" || step == "Escape") {
            QTest::keyClick(current->focusWidget() ? current->focusWidget() : current.data(),
                            step == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        } else if (step == "title bar") {
            current->close();
        } else if (step.startsWith("browse")) {
            started.messages().onOtherDialog([&, rest](QWidget* w) {
                auto* chooser = qobject_cast<QFileDialog*>(w);
                QVERIFY(chooser && chooser->directory().absolutePath() + '/' == base);
                chooser->selectFile(rest);
                rest.isEmpty() ? chooser->reject() : static_cast<QDialog*>(chooser)->accept();
            });
            QTest::mouseClick(current->findChild<QPushButton*>("cmdBrowse"), Qt::LeftButton);
        } else if (step.startsWith("sql ")) {
            folder->exec(rest);
        } else if (step == "Ini read-only") {
            QVERIFY(QFile::setPermissions(ini, QFileDevice::ReadOwner));
        } else if (step == "Ini is a folder") {
            QVERIFY(QFile::remove(ini) && QDir().mkpath(ini));
        } else if (step == "reload") {
            main.unloadDisplay();
        } else if (step.startsWith("path ")) {
            QCOMPARE(ProfileFile(ini).read("General", "Path"), rest);
            QCOMPARE(ProfileFile(ini).read("General", "SearchString"), "net");
        } else if (step.startsWith("form ")) {
            QCOMPARE(started.text(rest.section(':', 0, 0)), rest.section(": ", 1));
        } else if (step.startsWith("labels ") || step.startsWith("ids ")) {
            const QString sql =
                "SELECT group_concat(%1, '|') FROM (SELECT %1 FROM Customize ORDER BY ID)";
            QCOMPARE(folder->scalar(sql.arg(step.section(' ', 0, 0) == "ids" ? "ID" : "Labels"))
                         .toString(),
                     rest);
        } else if (step == "others usable") {
            QVERIFY(labels && labels->isVisible() && labels->isEnabled());
        } else if (step == "shown" || step == "hidden" || step == "gone") {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(current && current->isVisible(), step == "shown");
            QCOMPARE(current.isNull(), step == "gone");
        } else if (step.startsWith("main ")) {
            QCOMPARE(main.isEnabled(), step == "main on");
        } else if (step == "fresh") {
            QVERIFY(current && current != previous);
        } else if (step.startsWith("said ")) {
            QCOMPARE(started.messages().texts().value(heard++).left(rest.size()), rest);
        } else if (step.contains(" ~ ")) {
            const QWidget* control = current->findChild<QWidget*>(step.section(' ', 0, 0));
            const QString text = control->property("text").toString();
            QVERIFY2(QRegularExpression(step.section(" ~ ", 1)).match(text).hasMatch(),
                     qPrintable(step + " -- shown: " + text));
        } else if (step.contains(": ") || step.endsWith(':')) {
            const QWidget* control = current->findChild<QWidget*>(step.section(':', 0, 0));
            QCOMPARE(control->property("text").toString(), step.section(": ", 1));
        } else {
            started.run(step);
        }
    }
    QCOMPARE(started.messages().texts().size(), heard);
    QFile stored(ini);
    QVERIFY(!stored.open(QIODevice::ReadOnly) || !stored.readAll().contains("Secret"));
    QVERIFY(!started.messages().texts().join('|').contains("Secret"));
}

// What a screen reader says for each control a user types into or chooses from in `window`:
// the names of the controls it has no name for.
static QStringList unnamedControls(const QWidget* window)
{
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                           qobject_cast<QTextEdit*>(w) ||
                           (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QHeaderView*>(w));
        // The box inside a combo box is spoken as the combo box.
        if (!input || !w->isVisible() || qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        const QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(w);
        if (!spoken || spoken->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << window->objectName() + '/' + w->objectName() + ' ' +
                           w->metaObject()->className();
    }
    return unnamed;
}

// Every window, opened as a user opens it: each control that takes input has a name for screen
// readers, its own or its caption's.
void tst_Dialogs::spokenNames_data()
{
    QTest::addColumn<QString>("open");
    for (const char* open :
         {"mnuSearch", "mnuCategories", "mnuUsers", "mnuData", "mnuLabels", "quick search",
          "mnuHistory", "mnuTrash", "mnuImport", "mnuExport", "mnuGen", "mnuAbout", "images",
          "viewer", "mnuPrint", "welcome", "password"})
        QTest::newRow(open) << QString(open);
}

void tst_Dialogs::spokenNames()
{
    QFETCH(QString, open);
    auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(),
                                               open == "password" ? TestFolder::Engine::Server
                                                                  : TestFolder::Engine::File);
    folder->fillArticles(3);
    QStringList unnamed;
    int asked = 0; // windows of start-up
    if (open == "welcome" || open == "password") {
        // The "&" between an address's options shows as typed in the password window's caption.
        const QString options = "?connect_timeout=9&application_name=kb";
        const QString path =
            open == "welcome"
                ? QString()
                : QString(folder->dbPath()).replace("//ardentry@", "//clerk@") + options;
        folder->writeFile("Ini/arprefs.ini", ("[General]\r\nPath=" + path + "\r\n").toUtf8());
        StartedApp started(folder, [&](QWidget* dialog) {
            ++asked;
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            unnamed << unnamedControls(dialog);
            // A caption with a buddy shows "&&" as "&" and hides a single "&".
            if (auto* caption = dialog->findChild<QLabel*>("lblPassword"))
                QVERIFY(caption->text()
                            .replace("&&", "\x01")
                            .remove('&')
                            .replace('\x01', '&')
                            .endsWith(options + ':'));
        });
        QCOMPARE(asked, 1);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        return;
    }
    StartedApp started(folder);
    frmMain& main = started.main();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    if (open == "quick search") {
        QTest::keyClick(&main, Qt::Key_F, Qt::ControlModifier);
        auto* box = findWidget<QLineEdit>("txtQuickSearch");
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClicks(box, "Prob");
        QTRY_VERIFY(findWidget<QWidget>("lstResults")->isVisible());
    } else if (open == "images" || open == "viewer") {
        QTest::mouseClick(started.control<QWidget>("Command1"), Qt::LeftButton);
        if (open == "viewer")
            QTest::mouseClick(findWidget<QWidget>("cmdView1"), Qt::LeftButton);
    } else if (open == "mnuPrint") {
        frmBrowser::setPrinterHook([&](QPrinter&, int) {
            ++asked;
            unnamed << unnamedControls(findWidget<QWidget>("frmBrowser"));
        });
        started.trigger(open);
        frmBrowser::setPrinterHook({});
        QVERIFY(asked > 0);
    } else {
        started.trigger(open);
    }
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->parentWidget()) // a dialog is searched with its owner
            unnamed << unnamedControls(window);
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
