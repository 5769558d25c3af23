// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "articles/frmDisplay.h"
#include "common/SingleInstance.h"
#include "core/Pictures.h"
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
    // Pictures kept in the database: "box N = " and "slot ID N = " tell the name and size of the
    // picture the database holds for a stored slot ("changed" when it differs from the file).
    row("both: store", "open; store 3 @a.png; box 3 = a.png 40x30; file 1; close; slot 1 3 = "
                       "a.png 40x30; thumbs = 3; mnuNext; thumbs = none");
    row("paste, drop, view, previews",
        "open; paste 4 @one.png; paste 7 plain.png; drop 6 @two [*].bmp; box 4 = pasted.png 10x10; "
        "box 7 = plain.png; box 6 = two [*].bmp 30x20; view 6; viewer = View Image - stored/two "
        "[*].bmp 30x20; close; slot 1 4 = pasted.png 10x10; thumbs = 4 6; mnuNext; thumbs = none; "
        "mnuFirst; thumbs = 4 6; thumb 4; viewer = View Image - stored/two [*].bmp - "
        "stored/pasted.png 10x10");
    row("refused, scaled down",
        "open; store 3 @notes.png; said \"notes.png\" was not stored in the database: ; box 3 = "
        "N/A; answer No; store 3 @wide.png; said The picture \"wide.png\" measures 5000 by 10; "
        "box 3 = N/A; answer Yes; store 3 @wide.png; said The picture; box 3 = wide.png 4096x8 "
        "changed; close; slot 1 3 = wide.png 4096x8 changed");
    row("both: linked pictures",
        "sql UPDATE AR SET Image3 = '@a.png' WHERE ID = 2; mnuStoreLinkedPictures; said Linked "
        "pictures stored in the database: 1.\n\nSlots that could not be read, which keep their "
        "paths: 2\nArticle 1, image 1: ; file 1; thumbs = none; mnuNext; thumbs = 3; "
        "slot 2 3 = a.png 40x30; thumb 3; viewer = View Image - stored/a.png 40x30");
    row("write out, compact",
        "open; store 3 @a.png; store 4 @one.png; type 4 N/A; close; folder @out; mnuWritePictures; "
        "said Stored pictures written to \"@out\": 1.; exists @out/a.png; mnuCompact; said "
        "Pictures removed that no article and no kept version used: 1.\n\nThe database file "
        "measured; slot 1 3 = a.png 40x30");
    row("linked pictures, cancelled",
        "sql UPDATE AR SET Image3 = '@a.png' WHERE ID = 2; cancel progress; "
        "mnuStoreLinkedPictures; "
        "said Storing the linked pictures was cancelled. The database is as it was.; "
        "file 2|3=@a.png");
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
    for (const QString picture : {"a.png:40:30", "one.png:10:10", "two [*].bmp:30:20",
                                  "big.bmp:1800:1400", "wide.png:5000:10"}) {
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
             return v->windowHandle()->title().replace(QRegularExpression("picture://\\w+/"),
                                                       "stored/") +
                    QString(" %1x%2").arg(size.width()).arg(size.height()) +
                    (scrolled ? " scrolled" : "");
         }},
        {"articles", [&] { return folder->scalar("SELECT COUNT(*) FROM AR").toString(); }},
        {"thumbs", [&] {
             QStringList shown;
             auto* strip = started.display().findChild<QWidget*>("picThumbnails");
             for (auto* b : strip->findChildren<QToolButton*>())
                 shown << b->objectName().remove("picThumbnail");
             return strip->isVisible() ? shown.join(' ') : "none";
         }}};
    // A slot's text, or for a stored picture its name and size as the database holds it.
    const auto described = [&](const QString& text) {
        if (!pictures::isStored(text))
            return text;
        const QByteArray bytes =
            pictures::read(started.app().dbConnection, pictures::parse(text).id);
        const QImage image = QImage::fromData(bytes);
        QFile source(base + pictures::parse(text).name);
        return QString("%1 %2x%3")
                   .arg(pictures::parse(text).name)
                   .arg(image.width())
                   .arg(image.height()) +
               (source.open(QIODevice::ReadOnly) && source.readAll() != bytes ? " changed" : "");
    };
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
        } else if (step.startsWith("store ")) {
            started.messages().onOtherDialog([file = rest.section(' ', 1)](QWidget* w) {
                QCOMPARE(w->objectName(), "dlgStorePicture");
                qobject_cast<QFileDialog*>(w)->selectFile(file);
                static_cast<QDialog*>(w)->accept();
            });
            QTest::mouseClick(dialog()->cmdStore[n.toInt() - 1], Qt::LeftButton);
        } else if (step.startsWith("folder ")) {
            QVERIFY(QDir().mkpath(rest));
            started.messages().onOtherDialog([rest](QWidget* w) {
                QCOMPARE(w->objectName(), "dlgPictureFolder");
                qobject_cast<QFileDialog*>(w)->selectFile(rest);
                static_cast<QDialog*>(w)->accept();
            });
        } else if (step.startsWith("exists ")) {
            QVERIFY2(QFileInfo(rest).isFile(), qPrintable(rest));
        } else if (step.startsWith("paste ")) { // a picture file's image, or else text
            const QImage image(rest.section(' ', 1));
            image.isNull() ? QGuiApplication::clipboard()->setText(rest.section(' ', 1))
                           : QGuiApplication::clipboard()->setImage(image);
            QTest::mouseClick(dialog()->Text[n.toInt() - 1], Qt::LeftButton);
            QTest::keyClick(dialog()->Text[n.toInt() - 1], Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(dialog()->Text[n.toInt() - 1], Qt::Key_V, Qt::ControlModifier);
        } else if (step.startsWith("drop ")) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(rest.section(' ', 1))});
            QWidget* row = dialog()->Label[n.toInt() - 1];
            QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent drop(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
            QVERIFY(QApplication::sendEvent(row, &enter) && enter.isAccepted());
            QApplication::sendEvent(row, &drop);
        } else if (step.startsWith("box ") || step.startsWith("slot ")) {
            const QString where = step.section(" = ", 0, 0);
            const int slot = where.section(' ', -1).toInt();
            QTRY_COMPARE(
                described(where.startsWith("box ")
                              ? dialog()->Text[slot - 1]->text()
                              : folder->rows(columns, {where.section(' ', 1, 1)})[0][slot - 1]
                                    .toString()),
                step.section(" = ", 1));
        } else if (step.startsWith("thumb ")) {
            QTest::mouseClick(started.control<QToolButton>("picThumbnail" + rest), Qt::LeftButton);
        } else if (step == "cancel progress") {
            QTimer::singleShot(0, [] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* progress = qobject_cast<QProgressDialog*>(w);
                        progress && progress->isVisible())
                        progress->cancel();
            });
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
