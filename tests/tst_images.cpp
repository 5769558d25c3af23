// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "articles/frmDisplay.h"
#include "common/SingleInstance.h"
#include "core/mdlMain.h"
#include "images/frmImages.h"
#include "images/frmView.h"

#include <QtTest>
#include <QtWidgets>

class tst_Images : public QObject
{
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
};

// Article 1 of 3 holds a path, a Null, "N/A" and quotes; steps and checks run in order.
void tst_Images::steps_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    QTest::addColumn<QString>("steps");
    // On the file; "both: " before a name: on a server too.
    const auto row = [](const char* name, const char* steps) {
        for (const auto& [engine, rowName] : TestFolder::engineRows(name, false))
            QTest::newRow(rowName.constData()) << engine << QString(steps);
    };
    row("opened", "open; main = off; dialog = Images for AR Number 1; boxes 1");
    row("untouched, Close", "open; close; $closed; file 1");
    row("untouched, title bar", "open; title bar; $closed; file 1");
    row("untouched, Escape", "open; Escape; $closed; file 1");
    row("both: cleared box", "open; type 1 ; close; $closed; file 1|1=; file 2");
    row("both: typed, title bar", "open; type 3 /data/pic's \"1\".png; title bar; $closed; file "
                                  "1|3=/data/pic's \"1\".png; file 2");
    row("both: typed, Escape",
        "open; type 10 D:\\shots\\error.bmp; Escape; $closed; file 1|10=D:\\shots\\error.bmp");
    row("asked for again", "open; type 1 kept; open; main = off; boxes 1|1=kept");
    row("both: next article",
        "open; type 1 kept; close; file 1|1=kept; mnuLast; open; dialog = Images "
        "for AR Number 3; boxes 3");
    row("no article",
        "sql DELETE FROM AR; tb7; open; said There is no article to attach images to.; $closed");
    row("view",
        "open; type 5 @a.png; view 5; viewer = View Image - @a.png 40x30; file 1; main = off");
    row("view large", "open; type 5 @big.bmp; view 5; close; viewer = View Image - @big.bmp "
                      "1800x1400 scrolled; file 1|5=@big.bmp; $closed");
    row("view N/A", "open; view 5; $failed; viewer = View Image - N/A 0x0");
    row("view missing", "open; type 5 @gone.png; view 5; $failed");
    row("caption grows", "open; type 1 @one.png; type 2 @two [*].bmp; view 1; view 2; view 3; "
                         "$failed; viewer = View Image - @one.png - @two [*].bmp - N/A 30x20");
    row("viewer closed",
        "open; type 1 @one.png; view 1; viewer close; view 1; viewer = View Image - @one.png "
        "10x10; viewer title bar; view 3; $failed; viewer = View Image - N/A 0x0");
    row("both: begun article",
        "mnuAdd; open; type 1 /new one.png; type 10 ; close; articles = 3; open; boxes 4|1=/new "
        "one.png|10=; close; type txtProblem P; type txtSolution S; mnuSave; said Article "
        "successfully saved.; articles = 4; file 4|1=/new one.png|10=");
    row("both: refused", "$refused; main = off; boxes 1|1=typed.png");
    row("both: refused twice, No",
        "$refused; answer No; close; said The image paths could still not be saved: ; open; file "
        "1; sql ROLLBACK; close; $closed; file 1|1=typed.png");
    row("both: refused twice, Yes",
        "$refused; answer Yes; close; said The image paths could still not; "
        "$closed; sql ROLLBACK; file 1");
    row("refused, typed back", "$refused; type 1 C:\\Pictures\\printer.png; close; $closed");
    row("browse", "open; browse 3 @a.png; file 1; close; file 1|3=@a.png");
}

void tst_Images::steps()
{
    QFETCH(TestFolder::Engine, engine);
    QFETCH(QString, steps);
    const QStringList stored =
        QString("C:\\Pictures\\printer.png|NULL|N/A|N/A|N/A|N/A|N/A|N/A|N/A|last 'slot' \"quoted\"")
            .split('|');
    auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(), engine);
    folder->fillArticles(3);
    folder->exec("UPDATE AR SET Image1 = ?, Image2 = NULL, Image10 = ? WHERE ID = 1",
                 {stored[0], stored[9]});
    const QString base = folder->folder() + '/';
    for (const QString picture :
         {"a.png:40:30", "one.png:10:10", "two [*].bmp:30:20", "big.bmp:1800:1400"}) {
        QImage image(picture.section(':', 1, 1).toInt(), picture.section(':', 2).toInt(),
                     QImage::Format_RGB32);
        image.fill(Qt::darkRed);
        QVERIFY(!steps.contains(picture.section(':', 0, 0)) ||
                image.save(base + picture.section(':', 0, 0)));
    }
    folder->writeFile("notes.png", "this is text, not a picture\n");
    StartedApp started(folder);
    frmMain& main = started.main();
    auto dialog = [&] { return SingleInstance::loaded<frmImages>(&main); };
    auto viewer = [&] { return SingleInstance::loaded<frmView>(&main); };
    int heard = 0; // messages checked
    const QHash<QString, std::function<QString()>> values{
        {"dialog", [&] { return dialog() ? dialog()->windowTitle() : "none"; }},
        {"main", [&] { return main.isEnabled() ? "on" : "off"; }},
        {"viewer",
         [&] {
             const frmView* v = viewer();
             if (!v || !v->isEnabled())
                 return QString("none");
             const bool scrolled = v->scrollArea->horizontalScrollBar()->maximum() > 0 &&
                                   v->scrollArea->verticalScrollBar()->maximum() > 0;
             const QSize size = v->Image1->pixmap().size();
             return v->windowHandle()->title() +
                    QString(" %1x%2").arg(size.width()).arg(size.height()) +
                    (scrolled ? " scrolled" : "");
         }},
        {"articles", [&] { return folder->scalar("SELECT COUNT(*) FROM AR").toString(); }}};
    const QString columns = "SELECT Image1, Image2, Image3, Image4, Image5, Image6, Image7, "
                            "Image8, Image9, Image10 FROM AR WHERE ID = ?";
    steps
        .replace("$failed", "said The file could not be found or displayed. Check the location of "
                            "the file or try a different file.")
        .replace("$refused", "open; type 1 typed.png; sql BEGIN EXCLUSIVE; close; said The image "
                             "paths could not be saved: ")
        .replace("$closed", "dialog = none; main = on")
        .replace('@', base);
    for (const QString& step : steps.split("; ")) {
        const QString rest = step.section(' ', 1), n = rest.section(' ', 0, 0);
        if (step == "open" && dialog()) { // its button is disabled: through the command
            started.display().Command1_Click();
        } else if (step == "open") {
            QTest::mouseClick(started.control<QPushButton>("Command1"), Qt::LeftButton);
        } else if (step.startsWith("type ") && n.startsWith("txt")) {
            started.type(n, rest.section(' ', 1));
        } else if (step.startsWith("type ")) {
            QLineEdit* box = dialog()->Text[n.toInt() - 1];
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, rest.section(' ', 1));
        } else if (step.startsWith("view ")) {
            QTest::mouseClick(dialog()->cmdView[n.toInt() - 1], Qt::LeftButton);
        } else if (step.startsWith("browse ")) {
            started.messages().onOtherDialog([file = rest.section(' ', 1)](QWidget* w) {
                qobject_cast<QFileDialog*>(w)->selectFile(file);
                static_cast<QDialog*>(w)->accept(); // QFileDialog::accept itself
            });
            QTest::mouseClick(dialog()->cmdBrowse[n.toInt() - 1], Qt::LeftButton);
        } else if (step == "close") {
            QTest::mouseClick(dialog()->Command11, Qt::LeftButton);
        } else if (step == "title bar") {
            dialog()->close();
        } else if (step == "Escape") {
            QTest::keyClick(dialog()->focusWidget() ? dialog()->focusWidget() : dialog(),
                            Qt::Key_Escape);
        } else if (step == "viewer close") {
            viewer()->findChild<QAction*>("mnuClose")->trigger();
        } else if (step == "viewer title bar") {
            viewer()->close();
        } else if (step.startsWith("sql ")) {
            folder->exec(rest);
        } else if (step.startsWith("answer ")) {
            started.messages().answer(rest == "Yes" ? QMessageBox::Yes : QMessageBox::No);
        } else if (step.startsWith("file ") || step.startsWith("boxes ")) {
            const int id = rest.section('|', 0, 0).toInt();
            QStringList expected = id == 1 ? stored : QStringList(10, "N/A"), shown;
            for (const QString& change : rest.split('|').mid(1))
                expected[change.section('=', 0, 0).toInt() - 1] = change.section('=', 1);
            for (int slot = 0; slot < 10; ++slot)
                shown << (step.startsWith("boxes ") ? dialog()->Text[slot]->text()
                          : folder->rows(columns, {id})[0][slot].isNull()
                              ? "NULL"
                              : folder->rows(columns, {id})[0][slot].toString());
            if (step.startsWith("boxes ")) // a Null shows as an empty box
                expected.replaceInStrings(QRegularExpression("^NULL$"), "");
            QCOMPARE(shown, expected);
        } else if (step.startsWith("said ")) {
            QCOMPARE(started.messages().texts().value(heard++).left(rest.size()), rest);
        } else if (values.contains(step.section(" = ", 0, 0))) {
            QTRY_COMPARE(values[step.section(" = ", 0, 0)](), step.section(" = ", 1));
        } else {
            started.run(step);
        }
    }
    QCOMPARE(started.messages().texts().size(), heard);
    QVERIFY(!started.app().rsMain.hasPendingChanges() || started.app().rsMain.currentIsNew());
}

QTEST_MAIN(tst_Images)
#include "tst_images.moc"
