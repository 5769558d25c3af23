#include "TestSupport.h"

#include "articles/frmDisplay.h"
#include "frmMain.h"
#include "images/frmImages.h"
#include "images/frmView.h"
#include "mdlMain.h"

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
#include <QTest>

namespace
{

const QString ViewFailed = QStringLiteral("The file could not be found or displayed. Check the "
                                          "location of the file or try a different file.");

// Articles 1..3; article 1 holds a path, a Null and "N/A" in its first three slots.
std::shared_ptr<TestFolder> preparedFolder()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    folder->exec(
        "UPDATE AR SET Image1 = ?, Image2 = NULL, Image3 = 'N/A', Image10 = ? WHERE ID = 1",
        {"C:\\Pictures\\printer.png", "last 'slot' \"quoted\""});
    return folder;
}

QString imageColumn(TestFolder& folder, int id, int slot)
{
    return folder.scalar(QStringLiteral("SELECT Image%1 FROM AR WHERE ID = ?").arg(slot), {id})
        .toString();
}

// Writes a filled picture of that size and format into the folder and returns its path.
QString makePicture(TestFolder& folder, const QString& name, QSize size, const char* format)
{
    const QString path = folder.path("pictures/" + name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    if (!picture.save(path, format))
        return QString();
    return path;
}

// A GIF of 1 x 1 pixel (Qt reads GIF but does not write it).
QString makeGif(TestFolder& folder)
{
    static const unsigned char bytes[] = {'G', 'I', 'F',  '8',  '9',  'a', 1,   0, 1,   0,    0x80,
                                          0,   0,   0xff, 0xff, 0xff, 0,   0,   0, '!', 0xf9, 4,
                                          1,   0,   0,    0,    0,    ',', 0,   0, 0,   0,    1,
                                          0,   1,   0,    0,    2,    2,   'D', 1, 0,   ';'};
    folder.writeFile("pictures/dot.gif",
                     QByteArray(reinterpret_cast<const char*>(bytes), int(sizeof bytes)));
    return folder.path("pictures/dot.gif");
}

frmImages* openImages(StartedApp& started)
{
    QTest::mouseClick(started.display().Command1, Qt::LeftButton);
    return frmImages::loaded(started.main());
}

void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

} // namespace

class tst_Images : public QObject
{
    Q_OBJECT
private slots:
    void dialogLayout();
    void closeWritesSlots_data();
    void closeWritesSlots();
    void singleInstance();
    void noCurrentArticle();
    void viewFormats_data();
    void viewFormats();
    void viewFailures_data();
    void viewFailures();
    void captionGrowsUntilClosed();
    void largePictureScrolls();
    void begunArticle();
    void lockedDatabase();
    void browseButton();
};

void tst_Images::dialogLayout()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(12);
    StartedApp started(folder);
    started.trigger("mnuLast");
    frmImages* dialog = openImages(started);
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QString("Images for AR Number 12"));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QVERIFY(
        !(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!dialog->isModal());

    QStringList expectedOrder;
    for (int n = 1; n <= 10; ++n) {
        const QString s = QString::number(n);
        QCOMPARE(dialog->findChild<QLabel*>("Label" + s)->text(), "Image " + s);
        QCOMPARE(dialog->findChild<QLineEdit*>("Text" + s)->text(), QString("N/A"));
        QCOMPARE(dialog->findChild<QPushButton*>("cmdView" + s)->text(),
                 n == 1 ? QString("&View") : QString("View"));
        QCOMPARE(dialog->findChild<QPushButton*>("cmdBrowse" + s)->text(), QString("..."));
        expectedOrder << "Text" + s;
        // Rows top to bottom, each row's controls left to right.
        QVERIFY(dialog->Label[n - 1]->x() < dialog->Text[n - 1]->x());
        QVERIFY(dialog->Text[n - 1]->x() < dialog->cmdView[n - 1]->x());
        if (n > 1)
            QVERIFY(dialog->Text[n - 1]->y() > dialog->Text[n - 2]->y());
    }
    QCOMPARE(dialog->Command11->text(), QString("&Close"));
    QVERIFY(dialog->Command11->y() > dialog->Text[9]->y());
    expectedOrder << "Command11";
    for (int n = 1; n <= 10; ++n)
        expectedOrder << "cmdView" + QString::number(n);
    for (int n = 1; n <= 10; ++n)
        expectedOrder << "cmdBrowse" + QString::number(n);

    QStringList order;
    QWidget* w = dialog->Text[0];
    do {
        if (w->window() == dialog && (w->focusPolicy() & Qt::TabFocus) && w->isVisible())
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != dialog->Text[0]);
    QCOMPARE(order, expectedOrder);
    QCOMPARE(dialog->focusWidget(), dialog->Text[0]);

    // While it is open the main window and the article form are disabled, the dialog is not.
    QVERIFY(!started.main().isEnabled());
    QVERIFY(!started.display().isEnabled());
    QVERIFY(dialog->isEnabled());
    QVERIFY(dialog->Text[0]->isEnabled());
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
    auto folder = preparedFolder();
    StartedApp started(folder);
    frmImages* dialog = openImages(started);
    QVERIFY(dialog);
    // A Null slot shows an empty box.
    QCOMPARE(dialog->Text[0]->text(), QString("C:\\Pictures\\printer.png"));
    QCOMPARE(dialog->Text[1]->text(), QString());
    QCOMPARE(dialog->Text[2]->text(), QString("N/A"));
    QCOMPARE(dialog->Text[9]->text(), QString("last 'slot' \"quoted\""));

    QStringList expected{"C:\\Pictures\\printer.png", "", "N/A"};
    for (int n = 4; n <= 9; ++n)
        expected << "N/A";
    expected << "last 'slot' \"quoted\"";
    if (slot) {
        typeInto(dialog->Text[slot - 1], typed);
        expected[slot - 1] = typed;
    }

    if (how == "button")
        QTest::mouseClick(dialog->Command11, Qt::LeftButton);
    else if (how == "titlebar")
        dialog->close();
    else
        QTest::keyClick(dialog->Text[0], Qt::Key_Escape);

    QVERIFY(!frmImages::loaded(started.main()));
    QVERIFY(!dialog->isVisible());
    QVERIFY(started.main().isEnabled());
    QVERIFY(started.display().isEnabled());
    QVERIFY(started.messages().seen.isEmpty());
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(imageColumn(*folder, 1, n), expected[n - 1]);
    QVERIFY(!started.app().rsMain.hasPendingChanges());
    // The other articles are untouched.
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR WHERE Image1 = 'N/A'").toInt(), 2);
}

void tst_Images::singleInstance()
{
    auto folder = preparedFolder();
    StartedApp started(folder);
    frmImages* first = openImages(started);
    QVERIFY(first);
    typeInto(first->Text[0], "kept");
    started.display().Command1_Click();
    QCOMPARE(frmImages::loaded(started.main()), first);
    QCOMPARE(started.main().findChildren<frmImages*>().size(), 1);
    QCOMPARE(first->Text[0]->text(), QString("kept"));

    // Closed and opened again at once: a fresh dialog that reads the slots anew.
    first->Command11->click();
    started.display().Command1_Click();
    frmImages* second = frmImages::loaded(started.main());
    QVERIFY(second);
    QVERIFY(second != first);
    QVERIFY(second->isVisible());
    QCOMPARE(second->Text[0]->text(), QString("kept"));
    QCOMPARE(second->windowTitle(), QString("Images for AR Number 1"));
    QVERIFY(!started.main().isEnabled());
    second->close();
    QVERIFY(started.main().isEnabled());
}

void tst_Images::noCurrentArticle()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DELETE FROM AR");
    StartedApp started(folder);
    QTest::mouseClick(started.display().Command1, Qt::LeftButton);
    QVERIFY(!frmImages::loaded(started.main()));
    QCOMPARE(started.messages().texts(), QStringList{"There is no article to attach images to."});
    QCOMPARE(started.messages().seen.first().title, QString("Ardentry"));
    QVERIFY(started.main().isEnabled());
}

void tst_Images::viewFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QSize>("size");
    QTest::newRow("PNG") << "png" << QSize(40, 30);
    QTest::newRow("JPEG") << "jpg" << QSize(33, 17);
    QTest::newRow("BMP") << "bmp" << QSize(12, 50);
    QTest::newRow("GIF") << "gif" << QSize(1, 1);
    QTest::newRow("ICO") << "ico" << QSize(32, 32);
    QTest::newRow("TIFF") << "tiff" << QSize(20, 21);
    QTest::newRow("WebP") << "webp" << QSize(24, 16);
}

void tst_Images::viewFormats()
{
    QFETCH(QString, format);
    QFETCH(QSize, size);
    auto folder = preparedFolder();
    QString path;
    if (format == "gif")
        path = makeGif(*folder);
    else if (!QImageWriter::supportedImageFormats().contains(format.toLatin1()))
        QSKIP("this Qt cannot write the format");
    else
        path = makePicture(*folder, "picture." + format, size, format.toLatin1().constData());
    QVERIFY(!path.isEmpty());

    StartedApp started(folder);
    frmImages* dialog = openImages(started);
    QVERIFY(dialog);
    // A typed path can be viewed before the dialog is closed.
    typeInto(dialog->Text[4], path);
    QTest::mouseClick(dialog->cmdView[4], Qt::LeftButton);
    QVERIFY(started.messages().seen.isEmpty());
    frmView* viewer = frmView::loaded(started.main());
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), "View Image - " + path);
    QCOMPARE(viewer->Image1->pixmap().size(), size);
    QCOMPARE(viewer->Image1->size(), size); // at its own size, not scaled
    // The viewer stays usable while the main window is disabled.
    QVERIFY(!started.main().isEnabled());
    QVERIFY(viewer->isEnabled());
    QVERIFY(viewer->menuBar()->isEnabled());
    // Viewing writes nothing; the path is stored on closing.
    QCOMPARE(imageColumn(*folder, 1, 5), QString("N/A"));
    dialog->Command11->click();
    QCOMPARE(imageColumn(*folder, 1, 5), path);
    // The viewer outlives the dialog.
    QCOMPARE(frmView::loaded(started.main()), viewer);
    QVERIFY(viewer->isVisible());
}

void tst_Images::viewFailures_data()
{
    QTest::addColumn<QString>("text"); // "@" stands for the test folder
    QTest::newRow("N/A") << "N/A";
    QTest::newRow("missing file") << "@/pictures/gone.png";
    QTest::newRow("not a picture") << "@/pictures/notes.png";
    QTest::newRow("a folder") << "@/pictures";
    QTest::newRow("empty box") << "";
}

void tst_Images::viewFailures()
{
    QFETCH(QString, text);
    auto folder = preparedFolder();
    folder->writeFile("pictures/notes.png", "this is text, not a picture\n");
    const QString good = makePicture(*folder, "good.png", QSize(21, 13), "PNG");
    text.replace("@", folder->folder());
    StartedApp started(folder);
    frmImages* dialog = openImages(started);
    QVERIFY(dialog);

    // First with no picture shown before.
    typeInto(dialog->Text[2], text);
    dialog->cmdView[2]->click();
    QCOMPARE(started.messages().texts(), QStringList{ViewFailed});
    QCOMPARE(started.messages().seen.first().title, QString("Ardentry"));
    QCOMPARE(started.messages().seen.first().buttons,
             QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(started.messages().seen.first().icon, QMessageBox::NoIcon);
    frmView* viewer = frmView::loaded(started.main());
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), "View Image - " + text);
    QVERIFY(viewer->Image1->pixmap().isNull());

    // Then after a good picture: it stays, the caption grows all the same.
    started.messages().clear();
    typeInto(dialog->Text[0], good);
    dialog->cmdView[0]->click();
    dialog->cmdView[2]->click();
    QCOMPARE(started.messages().texts(), QStringList{ViewFailed});
    QCOMPARE(viewer->windowTitle(), "View Image - " + text + " - " + good + " - " + text);
    QCOMPARE(viewer->Image1->pixmap().size(), QSize(21, 13));
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->Text[2]->text(), text);
}

void tst_Images::captionGrowsUntilClosed()
{
    auto folder = preparedFolder();
    const QString p1 = makePicture(*folder, "one.png", QSize(10, 10), "PNG");
    const QString p2 = makePicture(*folder, "two [*].bmp", QSize(30, 20), "BMP");
    folder->exec("UPDATE AR SET Image1 = ?, Image2 = ? WHERE ID = 1", {p1, p2});
    StartedApp started(folder);
    frmImages* dialog = openImages(started);
    QVERIFY(dialog);

    QTest::mouseClick(dialog->cmdView[0], Qt::LeftButton);
    QTest::mouseClick(dialog->cmdView[1], Qt::LeftButton);
    frmView* viewer = frmView::loaded(started.main());
    QVERIFY(viewer);
    QVERIFY(started.messages().seen.isEmpty());
    // Qt doubles "[*]" so that the user sees it as typed.
    QCOMPARE(viewer->windowHandle()->title(), "View Image - " + p1 + " - " + p2);
    QCOMPARE(viewer->Image1->pixmap().size(), QSize(30, 20));
    QVERIFY(viewer->windowFlags() & Qt::Tool);
    QVERIFY(
        !(viewer->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(viewer->minimumSize() != viewer->maximumSize()); // resizable

    // Closed by its menu command: the next view starts from "View Image" again.
    const QList<QAction*> menu = viewer->menuBar()->actions();
    QCOMPARE(menu.size(), 1);
    QCOMPARE(menu.first()->objectName(), QString("mnuClose"));
    QCOMPARE(menu.first()->text(), QString("&Close!"));
    menu.first()->trigger();
    QVERIFY(!frmView::loaded(started.main()));
    QTest::mouseClick(dialog->cmdView[0], Qt::LeftButton);
    frmView* again = frmView::loaded(started.main());
    QVERIFY(again && again != viewer);
    QCOMPARE(again->windowTitle(), "View Image - " + p1);
    QCOMPARE(again->Image1->pixmap().size(), QSize(10, 10));

    // Closed by its title bar, likewise; a failed view after it keeps the caption rule.
    again->close();
    QVERIFY(!frmView::loaded(started.main()));
    dialog->cmdView[2]->click(); // "N/A"
    QCOMPARE(frmView::loaded(started.main())->windowTitle(), QString("View Image - N/A"));
    QCOMPARE(started.messages().texts(), QStringList{ViewFailed});

    dialog->Command11->click();
    QVERIFY(started.main().isEnabled());
}

void tst_Images::largePictureScrolls()
{
    auto folder = preparedFolder();
    const QString big = makePicture(*folder, "big.png", QSize(1800, 1400), "PNG");
    StartedApp started(folder);
    frmImages* dialog = openImages(started);
    QVERIFY(dialog);
    typeInto(dialog->Text[0], big);
    dialog->cmdView[0]->click();
    frmView* viewer = frmView::loaded(started.main());
    QVERIFY(viewer);
    QVERIFY(viewer->width() < 1800);
    QTRY_VERIFY(viewer->scrollArea->horizontalScrollBar()->maximum() > 0);
    QVERIFY(viewer->scrollArea->verticalScrollBar()->maximum() > 0);
    QCOMPARE(viewer->Image1->size(), QSize(1800, 1400));
}

void tst_Images::begunArticle()
{
    auto folder = preparedFolder();
    StartedApp started(folder);
    RecordSet& rs = started.app().rsMain;
    rs.addNew(); // what Add New does first
    for (int n = 1; n <= 10; ++n)
        rs.collect(QString("Image%1").arg(n), "N/A");

    frmImages* dialog = openImages(started);
    QVERIFY(dialog);
    QCOMPARE(dialog->Text[0]->text(), QString("N/A"));
    typeInto(dialog->Text[0], "/shots/new one.png");
    typeInto(dialog->Text[9], "");
    dialog->Command11->click();
    QVERIFY(!frmImages::loaded(started.main()));
    QVERIFY(started.main().isEnabled());
    QVERIFY(started.messages().seen.isEmpty());

    // Nothing reached the file; the paths wait in the begun row.
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);
    QVERIFY(rs.currentIsNew());
    QCOMPARE(rs.value("Image1"), QString("/shots/new one.png"));
    QCOMPARE(rs.value("Image10"), QString());

    // Opened again on the same begun row, it shows them.
    dialog = openImages(started);
    QVERIFY(dialog);
    QCOMPARE(dialog->Text[0]->text(), QString("/shots/new one.png"));
    QCOMPARE(dialog->Text[9]->text(), QString());
    typeInto(dialog->Text[1], "second.gif");
    dialog->close();
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);

    // The article's save sends them with it.
    rs.collect("ID", "4");
    rs.collect("Problem", "P");
    rs.collect("solution", "S");
    rs.updateBatch();
    const QList<QVariantList> row =
        folder->rows("SELECT Image1, Image2, Image3, Image10 FROM AR WHERE ID = 4");
    QCOMPARE(row.size(), 1);
    QCOMPARE(row.first(), (QVariantList{"/shots/new one.png", "second.gif", "N/A", ""}));
}

void tst_Images::lockedDatabase()
{
    auto folder = preparedFolder();
    StartedApp started(folder);
    frmImages* dialog = openImages(started);
    QVERIFY(dialog);
    typeInto(dialog->Text[0], "typed.png");
    typeInto(dialog->Text[3], "four.jpg");

    // Another program holds the file: the commit is refused.
    folder->exec("BEGIN EXCLUSIVE");
    dialog->Command11->click();
    QCOMPARE(started.messages().seen.size(), 1);
    const QString text = started.messages().seen.first().text;
    QVERIFY2(text.startsWith("The image paths could not be saved: "), qPrintable(text));
    QVERIFY2(text.contains("locked"), qPrintable(text));
    QCOMPARE(frmImages::loaded(started.main()), dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->Text[0]->text(), QString("typed.png"));
    QCOMPARE(dialog->Text[3]->text(), QString("four.jpg"));
    QVERIFY(!started.main().isEnabled());

    // Closing again while still refused asks; No keeps the window.
    started.messages().clear();
    started.messages().answer(QMessageBox::No);
    dialog->close();
    QCOMPARE(started.messages().seen.size(), 1);
    QVERIFY(started.messages().seen.first().text.startsWith(
        "The image paths could still not be saved: "));
    QCOMPARE(started.messages().seen.first().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(started.messages().seen.first().defaultButton, QMessageBox::No);
    QVERIFY(dialog->isVisible());
    QCOMPARE(imageColumn(*folder, 1, 1), QString("C:\\Pictures\\printer.png"));

    // Once the file is free, closing writes everything.
    folder->exec("ROLLBACK");
    started.messages().clear();
    dialog->Command11->click();
    QVERIFY(started.messages().seen.isEmpty());
    QVERIFY(!frmImages::loaded(started.main()));
    QVERIFY(started.main().isEnabled());
    QCOMPARE(imageColumn(*folder, 1, 1), QString("typed.png"));
    QCOMPARE(imageColumn(*folder, 1, 4), QString("four.jpg"));

    // Refused twice and closed with Yes: nothing written, nothing left waiting.
    dialog = openImages(started);
    QVERIFY(dialog);
    typeInto(dialog->Text[0], "dropped.png");
    folder->exec("BEGIN EXCLUSIVE");
    started.messages().answer(QMessageBox::Ok);
    started.messages().answer(QMessageBox::Yes);
    dialog->close();
    QVERIFY(dialog->isVisible());
    dialog->close();
    folder->exec("ROLLBACK");
    QCOMPARE(started.messages().seen.size(), 2);
    QVERIFY(!frmImages::loaded(started.main()));
    QVERIFY(started.main().isEnabled());
    QVERIFY(!started.app().rsMain.hasPendingChanges());
    QCOMPARE(started.app().rsMain.value("Image1"), QString("typed.png"));
    QCOMPARE(imageColumn(*folder, 1, 1), QString("typed.png"));
}

void tst_Images::browseButton()
{
    auto folder = preparedFolder();
    const QString chosen = makePicture(*folder, "chosen.png", QSize(8, 8), "PNG");
    StartedApp started(folder);
    frmImages* dialog = openImages(started);
    QVERIFY(dialog);

    QStringList filters;
    started.messages().onOtherDialog([&](QWidget* w) {
        auto* chooser = qobject_cast<QFileDialog*>(w);
        QVERIFY(chooser);
        filters = chooser->nameFilters();
        chooser->selectFile(chosen);
        static_cast<QDialog*>(chooser)->accept(); // QFileDialog::accept itself
    });
    QTest::mouseClick(dialog->cmdBrowse[2], Qt::LeftButton);
    QCOMPARE(dialog->Text[2]->text(), QDir::toNativeSeparators(chosen));
    QVERIFY(!filters.isEmpty());
    for (const char* pattern : {"*.png", "*.jpg", "*.bmp", "*.gif", "*.ico"})
        QVERIFY2(filters.first().contains(pattern), qPrintable(filters.first()));
    QCOMPARE(imageColumn(*folder, 1, 3), QString("N/A")); // stored on close, like typing

    // Cancelled: the box keeps its text.
    started.messages().onOtherDialog([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    dialog->cmdBrowse[0]->click();
    QCOMPARE(dialog->Text[0]->text(), QString("C:\\Pictures\\printer.png"));

    dialog->cmdView[2]->click();
    QCOMPARE(frmView::loaded(started.main())->Image1->pixmap().size(), QSize(8, 8));
    dialog->Command11->click();
    QCOMPARE(imageColumn(*folder, 1, 3), QDir::toNativeSeparators(chosen));
}

QTEST_MAIN(tst_Images)
#include "tst_images.moc"
