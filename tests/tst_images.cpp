#include "tests/TestSupport.h"

#include "articles/frmDisplay.h"
#include "app/frmMain.h"
#include "images/frmImages.h"
#include "images/frmView.h"
#include "core/mdlMain.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTest>

namespace
{
const QString ViewFailed = QStringLiteral("The file could not be found or displayed. Check the "
                                          "location of the file or try a different file.");
// Article 1's ten slots as stored: a path, a Null, "N/A" and quotes in the last.
const QStringList Stored{
    "C:\\Pictures\\printer.png", "", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A",
    "last 'slot' \"quoted\""};

// Writes a filled picture, its format taken from the name, into the folder; returns its path.
QString makePicture(TestFolder& folder, const QString& name, QSize size)
{
    const QString path = folder.path("pictures/" + name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    return picture.save(path) ? path : QString();
}

// Articles 1..3 (article 1 holding the slots above), started, and the images dialog opened by
// the article form's Images button.
struct Session {
    Session() : folder(prepared()), started(folder), dialog(open()) {}
    static std::shared_ptr<TestFolder> prepared()
    {
        auto folder = std::make_shared<TestFolder>();
        folder->fillArticles(3);
        folder->exec("UPDATE AR SET Image1 = ?, Image2 = NULL, Image10 = ? WHERE ID = 1",
                     {Stored[0], Stored[9]});
        return folder;
    }
    frmImages* open()
    {
        QTest::mouseClick(started.display().Command1, Qt::LeftButton);
        return frmImages::loaded(started.main());
    }
    frmMain& main() { return started.main(); }
    MessageCatcher& messages() { return started.messages(); }
    frmView* viewer() { return frmView::loaded(started.main()); }
    bool closed() { return !frmImages::loaded(main()) && main().isEnabled(); }
    void type(int slot, const QString& text)
    {
        QLineEdit* box = dialog->Text[slot - 1];
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    void view(int slot) { QTest::mouseClick(dialog->cmdView[slot - 1], Qt::LeftButton); }
    QStringList boxes() const
    {
        QStringList all;
        for (const QLineEdit* box : dialog->Text)
            all << box->text();
        return all;
    }
    QStringList columns(int id = 1) const // what the file holds
    {
        QStringList all;
        for (int n = 1; n <= 10; ++n)
            all << folder->scalar(QString("SELECT Image%1 FROM AR WHERE ID = ?").arg(n), {id})
                       .toString();
        return all;
    }
    std::shared_ptr<TestFolder> folder;
    StartedApp started;
    frmImages* dialog;
};
} // namespace

class tst_Images : public QObject
{
    Q_OBJECT
private slots:
    void dialogLayoutAndInstance();
    void closeWritesSlots_data();
    void closeWritesSlots();
    void view_data();
    void view();
    void captionGrowsUntilClosed();
    void begunArticle();
    void lockedDatabase();
    void readOnlyDatabase();
    void browseButton();
};

void tst_Images::dialogLayoutAndInstance()
{
    Session s;
    frmImages* d = s.dialog;
    QVERIFY(d && d->isVisible() && !d->isModal());
    QCOMPARE(d->windowTitle(), QString("Images for AR Number 1"));
    QCOMPARE(d->minimumSize(), d->maximumSize());
    QVERIFY(!(d->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QStringList texts, views, browses;
    for (int i = 0; i < 10; ++i) {
        const QString n = QString::number(i + 1);
        QCOMPARE(d->findChild<QLabel*>("Label" + n)->text(), "Image " + n);
        QCOMPARE(d->cmdView[i]->text(), QString(i ? "View" : "&View"));
        QCOMPARE(d->cmdBrowse[i]->text(), QString("..."));
        texts << "Text" + n;
        views << "cmdView" + n;
        browses << "cmdBrowse" + n;
        // Rows top to bottom, each row's controls left to right.
        QVERIFY(d->Label[i]->x() < d->Text[i]->x() && d->Text[i]->x() < d->cmdView[i]->x());
        QVERIFY(i == 0 || d->Text[i]->y() > d->Text[i - 1]->y());
    }
    QCOMPARE(d->Command11->text(), QString("&Close"));
    QVERIFY(d->Command11->y() > d->Text[9]->y());
    QStringList order;
    QWidget* w = d->Text[0];
    do {
        if (w->window() == d && (w->focusPolicy() & Qt::TabFocus) && w->isVisible())
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != d->Text[0]);
    QCOMPARE(order, texts + QStringList{"Command11"} + views + browses);
    QCOMPARE(d->focusWidget(), d->Text[0]);
    // While it is open the main window and the article form are disabled, the dialog is not.
    QVERIFY(!s.main().isEnabled() && !s.started.display().isEnabled());
    QVERIFY(d->isEnabled() && d->Text[0]->isEnabled());

    // Images asked for again while it is open (its button is disabled, so through the command):
    // the same dialog comes forward.
    s.type(1, "kept");
    QVERIFY(!s.started.display().Command1->isEnabled());
    s.started.display().Command1_Click();
    QCOMPARE(frmImages::loaded(s.main()), d);
    QCOMPARE(s.main().findChildren<frmImages*>().size(), 1);
    QCOMPARE(d->Text[0]->text(), QString("kept"));
    // Closed, then opened on another article: a fresh dialog that reads that article.
    d->Command11->click();
    QVERIFY(s.main().isEnabled());
    s.started.trigger("mnuLast");
    QVERIFY((s.dialog = s.open()));
    QCOMPARE(s.dialog->windowTitle(), QString("Images for AR Number 3"));
    QCOMPARE(s.boxes(), QStringList(10, "N/A"));
    QVERIFY(!s.main().isEnabled());
    s.dialog->close();
    QVERIFY(s.closed());
    QCOMPARE(s.columns(1).first(), QString("kept"));

    // No current article (every row filtered away): a message, and no dialog.
    s.started.app().rsMain.setFilter("ID = #99#");
    s.main().ShowCurrentRecord();
    QVERIFY(!s.open());
    QCOMPARE(s.messages().texts(), QStringList{"There is no article to attach images to."});
    const MessageCatcher::Seen box = s.messages().seen.first();
    QCOMPARE(box.title, QString("Ardentry"));
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QVERIFY(s.main().isEnabled());
}

void tst_Images::closeWritesSlots_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("slot"); // 0: nothing typed
    QTest::addColumn<QString>("typed");
    QTest::newRow("untouched, Close") << "button" << 0 << "";
    QTest::newRow("untouched, title bar") << "titlebar" << 0 << "";
    QTest::newRow("untouched, Escape") << "escape" << 0 << "";
    QTest::newRow("cleared box stores empty text") << "button" << 1 << "";
    QTest::newRow("typed path, title bar") << "titlebar" << 3 << "/data/pic's \"1\".png";
    QTest::newRow("typed path, Escape") << "escape" << 10 << "D:\\shots\\error.bmp";
}

void tst_Images::closeWritesSlots()
{
    QFETCH(QString, how);
    QFETCH(int, slot);
    QFETCH(QString, typed);
    Session s;
    QVERIFY(s.dialog);
    QCOMPARE(s.boxes(), Stored); // a Null slot shows an empty box
    QStringList expected = Stored;
    if (slot) {
        s.type(slot, typed);
        expected[slot - 1] = typed;
    }
    if (how == "button")
        QTest::mouseClick(s.dialog->Command11, Qt::LeftButton);
    else if (how == "titlebar")
        s.dialog->close();
    else
        QTest::keyClick(s.dialog->Text[0], Qt::Key_Escape);
    QVERIFY(s.closed() && s.started.display().isEnabled());
    QVERIFY(s.messages().seen.isEmpty());
    QCOMPARE(s.columns(), expected);
    // The Null slot was shown as an empty box and left alone: it is still Null.
    QVERIFY(s.folder->scalar("SELECT Image2 IS NULL FROM AR WHERE ID = 1").toBool());
    QVERIFY(!s.started.app().rsMain.hasPendingChanges());
    QCOMPARE(s.columns(2), QStringList(10, "N/A")); // the other articles are untouched
}

void tst_Images::view_data()
{
    QTest::addColumn<QString>("text"); // typed; "@" stands for the folder's pictures
    QTest::addColumn<QSize>("size");   // of the picture written there; invalid: none
    QTest::newRow("PNG") << "@a.png" << QSize(40, 30);
    QTest::newRow("JPEG") << "@a.jpg" << QSize(33, 17);
    QTest::newRow("BMP") << "@a.bmp" << QSize(12, 50);
    QTest::newRow("GIF") << "@a.gif" << QSize(1, 1);
    QTest::newRow("ICO") << "@a.ico" << QSize(32, 32);
    QTest::newRow("TIFF") << "@a.tiff" << QSize(20, 21);
    QTest::newRow("WebP") << "@a.webp" << QSize(24, 16);
    QTest::newRow("larger than the window") << "@big.png" << QSize(1800, 1400);
    QTest::newRow("N/A") << "N/A" << QSize();
    QTest::newRow("missing file") << "@gone.png" << QSize();
    QTest::newRow("not a picture") << "@notes.png" << QSize();
    QTest::newRow("a folder") << "@" << QSize();
    QTest::newRow("empty box") << "" << QSize();
}

void tst_Images::view()
{
    QFETCH(QString, text);
    QFETCH(QSize, size);
    Session s;
    QVERIFY(s.dialog);
    s.folder->writeFile("pictures/notes.png", "this is text, not a picture\n");
    text.replace("@", s.folder->path("pictures/"));
    const QString format = QFileInfo(text).suffix();
    if (format == "gif") // Qt reads GIF but does not write it: one pixel
        s.folder->writeFile("pictures/a.gif",
                            QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401"
                                                "000000002c00000000010001000002024401003b"));
    else if (size.isValid() && !QImageWriter::supportedImageFormats().contains(format.toLatin1()))
        QSKIP("this Qt cannot write the format");
    else if (size.isValid())
        QCOMPARE(makePicture(*s.folder, QFileInfo(text).fileName(), size), text);

    // A typed path can be viewed before the dialog is closed; the viewer opens even when the
    // view fails, with the grown caption.
    s.type(5, text);
    s.view(5);
    QCOMPARE(s.messages().texts(), size.isValid() ? QStringList() : QStringList{ViewFailed});
    frmView* viewer = s.viewer();
    QVERIFY(viewer && viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), "View Image - " + text);
    QCOMPARE(viewer->Image1->pixmap().size(), size.isValid() ? size : QSize(0, 0));
    if (size.isValid())
        QCOMPARE(viewer->Image1->size(), size); // at its own size, not scaled
    // Scroll bars exactly when the picture is larger than the window.
    const bool large = size.width() > 1000;
    QTRY_COMPARE(viewer->scrollArea->horizontalScrollBar()->maximum() > 0, large);
    QCOMPARE(viewer->scrollArea->verticalScrollBar()->maximum() > 0, large);
    // The viewer stays usable while the main window is disabled.
    QVERIFY(!s.main().isEnabled() && viewer->isEnabled() && viewer->menuBar()->isEnabled());
    // Viewing writes nothing; the text is stored on closing, and the viewer outlives the dialog.
    QCOMPARE(s.columns()[4], QString("N/A"));
    s.dialog->Command11->click();
    QCOMPARE(s.columns()[4], text);
    QVERIFY(s.viewer() == viewer && viewer->isVisible());
}

void tst_Images::captionGrowsUntilClosed()
{
    Session s;
    QVERIFY(s.dialog);
    const QString p1 = makePicture(*s.folder, "one.png", QSize(10, 10));
    const QString p2 = makePicture(*s.folder, "two [*].bmp", QSize(30, 20));
    s.type(1, p1);
    s.type(2, p2);
    s.view(1);
    s.view(2);
    frmView* viewer = s.viewer();
    QVERIFY(viewer && s.messages().seen.isEmpty());
    // Qt doubles "[*]" so that the user sees it as typed.
    QCOMPARE(viewer->windowHandle()->title(), "View Image - " + p1 + " - " + p2);
    QCOMPARE(viewer->Image1->pixmap().size(), QSize(30, 20));
    QVERIFY(viewer->windowFlags() & Qt::Tool);
    QVERIFY(
        !(viewer->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(viewer->minimumSize() != viewer->maximumSize()); // resizable
    // A failed view keeps the picture and grows the caption all the same.
    s.view(3);
    QCOMPARE(s.messages().texts(), QStringList{ViewFailed});
    QCOMPARE(viewer->windowHandle()->title(), "View Image - " + p1 + " - " + p2 + " - N/A");
    QCOMPARE(viewer->Image1->pixmap().size(), QSize(30, 20));

    // Closed by its menu command: the next view starts from "View Image" again.
    QAction* close = viewer->findChild<QAction*>("mnuClose");
    QVERIFY(close && viewer->menuBar()->actions() == QList<QAction*>{close});
    QCOMPARE(close->text(), QString("&Close!"));
    close->trigger();
    QVERIFY(!s.viewer());
    s.view(1);
    QVERIFY(s.viewer() && s.viewer() != viewer);
    QCOMPARE(s.viewer()->windowTitle(), "View Image - " + p1);
    QCOMPARE(s.viewer()->Image1->pixmap().size(), QSize(10, 10));
    // Closed by its title bar, likewise.
    s.viewer()->close();
    QVERIFY(!s.viewer());
    s.view(3);
    QCOMPARE(s.viewer()->windowTitle(), QString("View Image - N/A"));
}

void tst_Images::begunArticle()
{
    Session s;
    QVERIFY(s.dialog);
    s.dialog->close();
    RecordSet& rs = s.started.app().rsMain;
    rs.addNew(); // what Add New does first
    for (int n = 1; n <= 10; ++n)
        rs.collect(QString("Image%1").arg(n), "N/A");

    QVERIFY((s.dialog = s.open()));
    QCOMPARE(s.boxes(), QStringList(10, "N/A"));
    s.type(1, "/shots/new one.png");
    s.type(10, "");
    s.dialog->Command11->click();
    QVERIFY(s.closed() && s.messages().seen.isEmpty());
    // Nothing reached the file; the paths wait in the begun row and show when opened again.
    QCOMPARE(s.folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);
    QVERIFY(rs.currentIsNew());
    QVERIFY((s.dialog = s.open()));
    QCOMPARE(s.dialog->Text[0]->text(), QString("/shots/new one.png"));
    QCOMPARE(s.dialog->Text[9]->text(), QString());
    s.type(2, "second.gif");
    const QStringList typed = s.boxes();
    s.dialog->close();
    QCOMPARE(s.folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);

    // The article's save sends them with it.
    rs.collect("ID", "4");
    rs.collect("Problem", "P");
    rs.collect("solution", "S");
    rs.updateBatch();
    QCOMPARE(s.columns(4), typed);
}

void tst_Images::lockedDatabase()
{
    Session s;
    QVERIFY(s.dialog);
    s.type(1, "typed.png");
    s.type(4, "four.jpg");
    const QStringList typed = s.boxes();

    // Another program holds the file: the commit is refused, the dialog keeps what was typed.
    s.folder->exec("BEGIN EXCLUSIVE");
    s.dialog->Command11->click();
    QCOMPARE(s.messages().seen.size(), 1);
    const QString text = s.messages().seen.first().text;
    QVERIFY2(text.startsWith("The image paths could not be saved: ") && text.contains("locked"),
             qPrintable(text));
    QCOMPARE(frmImages::loaded(s.main()), s.dialog);
    QCOMPARE(s.boxes(), typed);
    QVERIFY(!s.main().isEnabled());

    // Closing again while still refused asks; No keeps the window.
    s.messages().clear();
    s.messages().answer(QMessageBox::No);
    s.dialog->close();
    QCOMPARE(s.messages().seen.size(), 1);
    const MessageCatcher::Seen question = s.messages().seen.first();
    QVERIFY(question.text.startsWith("The image paths could still not be saved: "));
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(question.defaultButton, QMessageBox::No);
    QVERIFY(s.dialog->isVisible());
    QCOMPARE(s.columns(), Stored);

    // Once the file is free, closing writes everything.
    s.folder->exec("ROLLBACK");
    s.messages().clear();
    s.dialog->Command11->click();
    QVERIFY(s.closed() && s.messages().seen.isEmpty());
    QCOMPARE(s.columns(), typed);

    // Refused twice and closed with Yes: nothing written, nothing left waiting.
    QVERIFY((s.dialog = s.open()));
    s.type(1, "dropped.png");
    s.folder->exec("BEGIN EXCLUSIVE");
    s.messages().answer(QMessageBox::Ok);
    s.messages().answer(QMessageBox::Yes);
    s.dialog->close();
    QVERIFY(s.dialog->isVisible());
    s.dialog->close();
    s.folder->exec("ROLLBACK");
    QCOMPARE(s.messages().seen.size(), 2);
    QVERIFY(s.closed() && !s.started.app().rsMain.hasPendingChanges());
    QCOMPARE(s.started.app().rsMain.value("Image1"), QString("typed.png"));
    QCOMPARE(s.columns(), typed);
}

void tst_Images::readOnlyDatabase()
{
    Session s;
    QVERIFY(s.dialog);
    // The program's own connection takes no changes, as with a read-only file.
    QVERIFY(QSqlQuery(s.started.app().dbConnection.database()).exec("PRAGMA query_only = ON"));
    // Looking at the paths and closing is no failure.
    s.dialog->Command11->click();
    QVERIFY(s.closed() && s.messages().seen.isEmpty());

    // A changed path is refused with the reason; typed back as it was, the window closes.
    QVERIFY((s.dialog = s.open()));
    s.type(3, "new.png");
    s.dialog->Command11->click();
    QCOMPARE(s.messages().seen.size(), 1);
    QVERIFY2(s.messages().seen.first().text.contains("readonly"),
             qPrintable(s.messages().seen.first().text));
    QVERIFY(s.dialog->isVisible() && !s.main().isEnabled());
    s.type(3, "N/A");
    s.dialog->Command11->click();
    QVERIFY(s.closed());
    QCOMPARE(s.messages().seen.size(), 1);
    QVERIFY(!s.started.app().rsMain.hasPendingChanges());
    QCOMPARE(s.columns(), Stored);
}

void tst_Images::browseButton()
{
    Session s;
    QVERIFY(s.dialog);
    const QString chosen = makePicture(*s.folder, "chosen.png", QSize(8, 8));
    QStringList filters;
    s.messages().onOtherDialog([&](QWidget* w) {
        auto* chooser = qobject_cast<QFileDialog*>(w);
        QVERIFY(chooser);
        filters = chooser->nameFilters();
        chooser->selectFile(chosen);
        static_cast<QDialog*>(chooser)->accept(); // QFileDialog::accept itself
    });
    QTest::mouseClick(s.dialog->cmdBrowse[2], Qt::LeftButton);
    QCOMPARE(s.dialog->Text[2]->text(), QDir::toNativeSeparators(chosen));
    QVERIFY(!filters.isEmpty());
    for (const char* pattern : {"*.png", "*.jpg", "*.bmp", "*.gif", "*.ico"})
        QVERIFY2(filters.first().contains(pattern), qPrintable(filters.first()));
    QCOMPARE(s.columns()[2], QString("N/A")); // stored on close, like typing
    // Cancelled: the box keeps its text.
    s.messages().onOtherDialog([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    s.dialog->cmdBrowse[0]->click();
    QCOMPARE(s.dialog->Text[0]->text(), Stored[0]);
    s.dialog->Command11->click();
    QCOMPARE(s.columns()[2], QDir::toNativeSeparators(chosen));
}

QTEST_MAIN(tst_Images)
#include "tst_images.moc"
