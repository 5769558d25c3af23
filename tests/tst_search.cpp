#include "tests/TestSupport.h"

#include "core/ProfileFile.h"
#include "articles/frmDisplay.h"
#include "app/frmMain.h"
#include "core/mdlMain.h"
#include "search/frmSearch.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

namespace
{

struct Article {
    int id;
    QString category, problem, solution;
};

// The articles most tests search in.
const QList<Article> Library = {
    {1, "Hardware", "Printer jams", "Replace the roller"},
    {2, "Network", "cannot print", "Share the PRINTER again"},
    {3, "Software", "abcabc", "Restart"},
    {12, "Hardware", "Twelve", "Twelve fix"},
    {20, "Software", "He said \"hi\"", "quote"},
    {21, "Software", "it's broken", "apostrophe"},
    {22, "Software", "error #5 here", "hash"},
    {23, "Software", "50% load", "percent"},
    {24, "Software", "a*b star", "star"},
    {25, "Software", "under_score", "underscore"},
    {26, "Software", "underXscore axxb 505 load", "decoys for wildcards"},
    {27, "Network", "Le CAF\u00c9 ferme", "accent"},
};

// A folder whose articles are these (numbers rising along the list) and whose categories are
// Hardware, Network and Software.
std::shared_ptr<TestFolder> folderWith(const QList<Article>& articles)
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(int(articles.size()));
    // Renumbered from the end, so that no new number meets one still in use.
    for (int i = int(articles.size()) - 1; i >= 0; --i) {
        const Article& a = articles[i];
        folder->exec("UPDATE AR SET ID = ?, CUName = ?, Problem = ?, solution = ? WHERE ID = ?",
                     {a.id, a.category, a.problem, a.solution, i + 1});
    }
    folder->exec("DELETE FROM Categories");
    for (const char* name : {"Hardware", "Network", "Software"})
        folder->exec("INSERT INTO Categories (Category) VALUES (?)", {QString(name)});
    return folder;
}

// The search dialog that the user sees, or nullptr.
frmSearch* shownSearch(frmMain& main)
{
    for (frmSearch* dialog : main.findChildren<frmSearch*>(QStringLiteral("frmSearch"))) {
        if (dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

frmSearch* openSearch(StartedApp& started)
{
    started.trigger(QStringLiteral("mnuSearch"));
    return shownSearch(started.main());
}

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Picks an entry from a combo box's drop-down list with the mouse.
bool pick(QComboBox* box, const QString& text)
{
    const int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    box->showPopup();
    QAbstractItemView* view = box->view();
    if (!QTest::qWaitFor([&] { return view->isVisible(); }))
        return false;
    view->scrollTo(view->model()->index(index, 0));
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    return QTest::qWaitFor([&] { return !view->isVisible(); });
}

void typeInto(QWidget* box, const QString& text)
{
    auto* combo = qobject_cast<QComboBox*>(box);
    (combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(box))->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(box, c.toLatin1());
        else // a key of a keyboard that has it
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Opens the dialog, types the text, chooses (`choice` empty: nothing; `typedChoice`: typed, not
// picked), picks or types the category and clicks Search.
void runSearch(StartedApp& started, const QString& choice, const QString& text,
               const QString& category = QString(), bool typedChoice = false)
{
    frmSearch* dialog = openSearch(started);
    QVERIFY(dialog);
    typeInto(dialog->txtSearchString, text);
    if (typedChoice)
        typeInto(dialog->cboSearchBy, choice);
    else if (!choice.isEmpty())
        QVERIFY(pick(dialog->cboSearchBy, choice));
    const bool listed = !category.isEmpty() && dialog->cboSearchString->findText(category) >= 0;
    if (listed && choice == "Category")
        QVERIFY(pick(dialog->cboSearchString, category));
    else if (!category.isEmpty())
        typeInto(dialog->cboSearchString, category);
    QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);
}

QList<int> visibleIds(RecordSet& rs)
{
    QList<int> ids;
    if (rs.recordCount() == 0)
        return ids;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        ids << rs.value(QStringLiteral("ID")).toInt();
    rs.moveFirst();
    return ids;
}

// One character per character of the box: 'B' blue (0, 0, 255), '-' any other colour.
QString blueMask(const QTextEdit* box)
{
    const QString text = box->toPlainText();
    QString mask;
    QTextCursor cursor(box->document());
    for (int i = 0; i < text.size(); ++i) {
        cursor.setPosition(i + 1);
        const QBrush brush = cursor.charFormat().foreground();
        const bool blue = brush.style() != Qt::NoBrush && brush.color() == QColor(0, 0, 255);
        mask += text.at(i) == '\n' ? QChar('\n') : blue ? QChar('B') : QChar('-');
    }
    return mask;
}

QString storedSearchString(const TestFolder& folder)
{
    return ProfileFile(folder.iniPath()).read("General", "SearchString", "<none>");
}

QStringList found(int count)
{
    return {QString("Found %1 Ardentry article(s).").arg(count)};
}

} // namespace

class tst_Search : public QObject
{
    Q_OBJECT
private slots:
    void controls();
    void search_data();
    void search();
    void highlight_data();
    void highlight();
    void bothTextsEmptyAndBegunArticle();
    void typedChoiceKeepsCaption();
    void reopenAfterSearch();
    void mainWindowWhileOpen_data();
    void mainWindowWhileOpen();
    void navigationAmongMatches_data();
    void navigationAmongMatches();
    void failedFilterIsReported();
    void preferenceWriteFailureIsSilent();
    void formClosedWhileColouring();
    void anotherWindowHoldsTheMainWindow();
};

void tst_Search::controls()
{
    StartedApp started(folderWith(Library));
    started.clickToolbar(6);
    frmSearch* dialog = shownSearch(started.main());
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Search Ardentry"));
    QCOMPARE(dialog->parentWidget(), &started.main());
    QVERIFY(!dialog->isModal());
    QVERIFY(
        !(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    for (const char* name : {"lblSearchBy", "cboSearchBy", "lblSearchString", "txtSearchString",
                             "cboSearchString", "cmdSearch", "Command1"})
        QVERIFY2(dialog->findChild<QWidget*>(name), name);

    QCOMPARE(dialog->lblSearchBy->text(), QString("Search By:"));
    QCOMPARE(dialog->lblSearchString->text(), QString("Search:"));
    QCOMPARE(dialog->cmdSearch->text(), QString("&Search"));
    QVERIFY(dialog->cmdSearch->isDefault());
    QCOMPARE(dialog->Command1->text(), QString("&Cancel"));
    QCOMPARE(items(dialog->cboSearchBy),
             QStringList({"Category", "Problem", "Solution", "AR Number"}));
    QCOMPARE(dialog->cboSearchBy->currentText(), QString());
    QCOMPARE(items(dialog->cboSearchString), QStringList({"Hardware", "Network", "Software"}));
    QCOMPARE(dialog->txtSearchString->text(), QString());
    // The two value controls share one place (left 2040, top 720, width 2655 twips).
    QCOMPARE(dialog->txtSearchString->geometry(), QRect(136, 48, 177, 21));
    QCOMPARE(dialog->cboSearchString->geometry(), dialog->txtSearchString->geometry());

    // Each choice sets the caption and shows its value control, coming from the other kind.
    for (const QString choice : {"Category", "Problem", "Category", "Solution", "AR Number"}) {
        QVERIFY(pick(dialog->cboSearchBy, choice));
        QCOMPARE(dialog->lblSearchString->text(), "Search " + choice + ":");
        QCOMPARE(dialog->cboSearchString->isVisible(), choice == "Category");
        QCOMPARE(dialog->txtSearchString->isVisible(), choice != "Category");
    }
}

void tst_Search::search_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("typedChoice");
    QTest::addColumn<QList<int>>("ids"); // empty: nothing matched, all articles visible again
    auto row = [](const char* name, const char* choice, const QString& text, QList<int> ids,
                  const char* category = "", bool typed = false) {
        QTest::newRow(name) << QString(choice) << text << QString(category) << typed << ids;
    };
    const QList<int> all = {1, 2, 3, 12, 20, 21, 22, 23, 24, 25, 26, 27};
    row("problem, any case", "Problem", "print", {1, 2});
    row("solution", "Solution", "printer", {2});
    row("nothing matches", "Problem", "zebra", {});
    row("AR Number 12", "AR Number", "12", {12});
    row("AR Number 1 not 12", "AR Number", "1", {1});
    row("AR Number abc", "AR Number", "abc", {});
    row("hash in AR Number", "AR Number", "1#2", {});
    row("category picked", "Category", "", {1, 12}, "Hardware");
    row("category typed, other case", "Category", "", {2, 27}, "nETWORK");
    row("category empty, text left", "Category", "print", {});
    row("hash in category", "Category", "", {}, "Hard#ware");
    row("no choice", "", "zebra", all);
    row("typed problem, other case", "problem", "zebra", all, "", true);
    row("quote", "Problem", "\"hi\"", {20});
    row("apostrophe", "Problem", "it's", {21});
    row("hash", "Problem", "#", {22});
    row("star", "Problem", "*", {24});
    row("percent", "Problem", "%", {23});
    row("underscore", "Problem", "r_s", {25});
    row("non-ASCII lower finds upper", "Problem", "caf\u00e9", {27});
    row("accent is not ignored", "Problem", "cafe", {});
}

void tst_Search::search()
{
    QFETCH(QString, choice);
    QFETCH(QString, text);
    QFETCH(QString, category);
    QFETCH(bool, typedChoice);
    QFETCH(QList<int>, ids);

    StartedApp started(folderWith(Library));
    const QString path = started.app().StoredDatabasePath();
    runSearch(started, choice, text, category, typedChoice);
    if (QTest::currentTestFailed())
        return;

    RecordSet& rs = started.app().rsMain;
    QCOMPARE(started.messages().texts(),
             found(int(ids.size())) +
                 (ids.isEmpty() ? QStringList{"No match found."} : QStringList{}));
    for (const MessageCatcher::Seen& seen : started.messages().seen)
        QVERIFY(seen.title == "Ardentry" && seen.buttons == QMessageBox::Ok &&
                seen.icon == QMessageBox::NoIcon);
    frmDisplay& form = started.display();
    if (ids.isEmpty()) {
        QCOMPARE(rs.filter(), QString());
        QCOMPARE(rs.recordCount(), int(Library.size()));
    } else {
        QCOMPARE(visibleIds(rs), ids);
        QCOMPARE(form.txtProblem->toPlainText(), rs.value("Problem"));
        QCOMPARE(form.rtb1->toPlainText(), rs.value("Problem"));
    }
    QCOMPARE(form.txtID->text(), QString::number(ids.isEmpty() ? 1 : ids.first()));
    QCOMPARE(form.Label6->text(), QString("1"));
    QVERIFY(started.main().isEnabled());
    QCOMPARE(storedSearchString(started.folder()), text);
    QCOMPARE(started.app().StoredDatabasePath(), path);
}

void tst_Search::highlight_data()
{
    QTest::addColumn<QStringList>("problems"); // the first one is shown
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("category"); // a category search; every second article in "Network"
    auto row = [](const char* name, const QStringList& problems, const QString& text,
                  const char* mask, const char* category = "") {
        QTest::newRow(name) << problems << text << QString(mask) << QString(category);
    };
    row("exact case turns blue", {"cannot print", "Printer jams"}, "print", "-------BBBBB");
    row("other case stays black", {"Printer jams", "cannot print"}, "print", "------------");
    row("both occurrences", {"abcabc"}, "bc", "-BB-BB");
    row("no overlap", {"aaa"}, "aa", "BB-");
    row("all of it", {"aaaa"}, "aa", "BBBB");
    row("several lines", {"print\nPRINT print"}, "print", "BBBBB\n------BBBBB");
    row("accent, exact case", {"Le CAF\u00c9 et le caf\u00e9"}, "\u00c9", "------B-----------");
    row("hostile characters", {"#*%_ and #*%_"}, "#*%_", "BBBB-----BBBB");
    row("category search", {"print me, Print me", "print", "other"}, "print", "BBBBB-------------",
        "Hardware");
}

void tst_Search::highlight()
{
    QFETCH(QStringList, problems);
    QFETCH(QString, text);
    QFETCH(QString, mask);
    QFETCH(QString, category);
    QList<Article> articles;
    for (const QString& problem : problems) {
        const bool other = !category.isEmpty() && articles.size() % 2 == 1;
        articles << Article{int(articles.size()) + 1, other ? "Network" : "Hardware", problem, "-"};
    }
    StartedApp started(folderWith(articles));
    runSearch(started, category.isEmpty() ? "Problem" : "Category", text, category);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(started.messages().texts(), found(category.isEmpty() ? int(problems.size()) : 2));
    frmDisplay& form = started.display();
    QCOMPARE(form.rtb1->toPlainText(), problems.first());
    QCOMPARE(blueMask(form.rtb1), mask);
    QCOMPARE(form.rtb1->toolTip(), text);
    QVERIFY(!form.rtb1->isVisible());
    QCOMPARE(storedSearchString(started.folder()), text);
    // Only a text search marks the visible box.
    QCOMPARE(form.txtProblem->extraSelections().isEmpty(), !category.isEmpty());
}

void tst_Search::bothTextsEmptyAndBegunArticle()
{
    StartedApp started(folderWith(Library));
    RecordSet& rs = started.app().rsMain;
    runSearch(started, "Problem", "print");
    frmDisplay* form = &started.display();
    const QString filter = rs.filter();
    QVERIFY(!filter.isEmpty());
    started.trigger("mnuLast");
    QCOMPARE(form->txtID->text(), QString("2"));
    started.trigger("mnuAdd");
    QVERIFY(rs.hasPendingChanges());
    started.messages().clear();

    frmSearch* dialog = openSearch(started);
    QVERIFY(dialog);
    typeInto(dialog->txtSearchString, QString());
    QCOMPARE(dialog->txtSearchString->text(), QString());
    QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);

    QCOMPARE(started.messages().texts(), QStringList());
    QCOMPARE(rs.filter(), filter);
    // The begun article is dropped; the form stayed loaded and shows the row that is current
    // now, the first match, so that Save would write into the article the user sees.
    QVERIFY(!rs.hasPendingChanges());
    QCOMPARE(&started.display(), form);
    QCOMPARE(rs.absolutePosition(), 1);
    QCOMPARE(form->txtID->text(), QString("1"));
    QCOMPARE(form->Label6->text(), QString("1"));
    QCOMPARE(form->txtProblem->toPlainText(), QString("Printer jams"));
    QCOMPARE(form->rtb1->toPlainText(), QString("Printer jams"));
    QCOMPARE(storedSearchString(started.folder()), QString(""));
    QVERIFY(started.main().isEnabled());

    // A search that filters drops a begun article as well.
    started.trigger("mnuAdd");
    QVERIFY(rs.hasPendingChanges());
    runSearch(started, "Solution", "roller");
    QVERIFY(!rs.hasPendingChanges());
    QCOMPARE(visibleIds(rs), QList<int>({1}));
    QCOMPARE(started.folder().scalar("SELECT COUNT(*) FROM AR").toInt(), int(Library.size()));
}

void tst_Search::typedChoiceKeepsCaption()
{
    StartedApp started(folderWith(Library));
    frmSearch* dialog = openSearch(started);
    QVERIFY(dialog);
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    dialog->cboSearchBy->setFocus();
    QTest::keyClicks(dialog->cboSearchBy, "Problem");
    // Leaving the box is not a choice either.
    QTest::keyClick(dialog->cboSearchBy, Qt::Key_Tab);
    QTRY_VERIFY(dialog->txtSearchString->hasFocus());
    QTest::keyClicks(dialog->txtSearchString, "print");
    QCOMPARE(dialog->lblSearchString->text(), QString("Search:"));
    QCOMPARE(dialog->cboSearchBy->currentText(), QString("Problem"));
    // Enter runs the search (default button), by the typed choice.
    QTest::keyClick(dialog->txtSearchString, Qt::Key_Return);
    QCOMPARE(started.messages().texts(), found(2));
    QCOMPARE(visibleIds(started.app().rsMain), QList<int>({1, 2}));
    QCOMPARE(dialog->lblSearchString->text(), QString("Search:"));
    QCOMPARE(dialog->cboSearchBy->count(), 4);
}

void tst_Search::reopenAfterSearch()
{
    StartedApp started(folderWith(Library));
    runSearch(started, "Category", "roller", "Network");
    QPointer<frmSearch> dialog = started.main().findChild<frmSearch*>("frmSearch");
    QVERIFY(dialog && !dialog->isVisible());

    started.clickToolbar(6);
    QCOMPARE(shownSearch(started.main()), dialog.data());
    QCOMPARE(started.main().findChildren<frmSearch*>().size(), 1);
    QCOMPARE(dialog->cboSearchBy->currentText(), QString("Category"));
    QCOMPARE(dialog->lblSearchString->text(), QString("Search Category:"));
    QVERIFY(dialog->cboSearchString->isVisible());
    QCOMPARE(dialog->cboSearchString->currentText(), QString("Network"));
    QCOMPARE(dialog->txtSearchString->text(), QString("roller"));
    QCOMPARE(dialog->cboSearchBy->count() + dialog->cboSearchString->count(), 4 + 3);
    // The main window can be used meanwhile.
    QVERIFY(started.main().isEnabled());
    started.trigger("mnuNext");
    QCOMPARE(started.display().txtID->text(), QString("27"));
    // Searching again from the reopened dialog.
    QVERIFY(pick(dialog->cboSearchBy, "Solution"));
    QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);
    QCOMPARE(visibleIds(started.app().rsMain), QList<int>({1}));
    QVERIFY(started.main().isEnabled());
    // Cancel on a reopened dialog unloads it; the next one starts afresh, holding the main window.
    QCOMPARE(openSearch(started), dialog.data());
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    frmSearch* fresh = openSearch(started);
    QVERIFY(fresh);
    QCOMPARE(fresh->cboSearchBy->currentText(), QString());
    QCOMPARE(fresh->txtSearchString->text(), QString());
    QVERIFY(!started.main().isEnabled());
    QTest::mouseClick(fresh->Command1, Qt::LeftButton);
    QVERIFY(started.main().isEnabled());
    // Cancel leaves the filter of the last search.
    QCOMPARE(visibleIds(started.app().rsMain), QList<int>({1}));
}

void tst_Search::mainWindowWhileOpen_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("stays");
    QTest::newRow("Search button") << "search" << true;
    QTest::newRow("Enter key") << "enter" << true;
    QTest::newRow("Cancel button") << "cancel" << false;
    QTest::newRow("Escape key") << "escape" << false;
    QTest::newRow("close box") << "close" << false;
}

void tst_Search::mainWindowWhileOpen()
{
    QFETCH(QString, how);
    QFETCH(bool, stays);
    StartedApp started(folderWith(Library));
    frmMain& main = started.main();
    QVERIFY(main.isEnabled());
    QPointer<frmSearch> dialog = openSearch(started);
    QVERIFY(dialog);
    QVERIFY(!main.isEnabled());
    QVERIFY(dialog->isEnabled());

    typeInto(dialog->txtSearchString, "print");
    if (how == "search")
        QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);
    else if (how == "enter")
        QTest::keyClick(dialog->txtSearchString, Qt::Key_Return);
    else if (how == "cancel")
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    else if (how == "escape")
        QTest::keyClick(dialog->txtSearchString, Qt::Key_Escape);
    else
        dialog->close();

    QVERIFY(main.isEnabled());
    if (stays) {
        QVERIFY(dialog && !dialog->isVisible());
        QCOMPARE(started.messages().texts(), found(12));
        QCOMPARE(storedSearchString(started.folder()), QString("print"));
    } else {
        QTRY_VERIFY(!dialog);
        QCOMPARE(started.messages().texts(), QStringList());
        QCOMPARE(storedSearchString(started.folder()), QString("<none>"));
    }
}

void tst_Search::navigationAmongMatches_data()
{
    QTest::addColumn<QString>("choice");
    QTest::newRow("Problem") << "Problem";
    QTest::newRow("Solution") << "Solution";
}

void tst_Search::navigationAmongMatches()
{
    QFETCH(QString, choice);
    QList<Article> articles;
    for (const char* text :
         {"Printer jams", "nothing here", "cannot PRINT", "print, print and print", "other"})
        articles << Article{int(articles.size()) + 1, "A", text, text};
    StartedApp started(folderWith(articles));
    runSearch(started, choice, "print");
    QCOMPARE(started.messages().texts(), found(3));
    frmDisplay& form = started.display();
    QPlainTextEdit* searched = choice == "Problem" ? form.txtProblem : form.txtSolution;
    QPlainTextEdit* other = choice == "Problem" ? form.txtSolution : form.txtProblem;
    auto marked = [&] {
        QStringList texts;
        for (const QTextEdit::ExtraSelection& mark : searched->extraSelections())
            texts << mark.cursor.selectedText();
        return texts;
    };
    const QString rtb = blueMask(form.rtb1);

    // Each step: the menu item ("-": none, the search itself), the article and its position
    // shown, then the marked texts.
    for (const QString step :
         {"- 1 1 Print", "mnuNext 3 2 PRINT", "mnuNext 4 3 print print print",
          "mnuNext 4 3 print print print", "mnuPrevious 3 2 PRINT", "mnuFirst 1 1 Print",
          "mnuPrevious 1 1 Print", "mnuLast 4 3 print print print"}) {
        const QStringList part = step.split(' ');
        if (part[0] != "-")
            started.trigger(part[0]);
        QCOMPARE(form.txtID->text(), part[1]);
        QCOMPARE(form.Label6->text(), part[2]);
        QCOMPARE(marked(), part.mid(3));
        QVERIFY(other->extraSelections().isEmpty());
    }
    // Moving does not touch the hidden copy of the first match.
    QCOMPARE(form.rtb1->toPlainText(), QString("Printer jams"));
    QCOMPARE(blueMask(form.rtb1), rtb);

    started.clickToolbar(7); // Refresh removes the filter and the marks
    QCOMPARE(started.app().rsMain.recordCount(), 5);
    QVERIFY(searched->extraSelections().isEmpty());
    started.trigger("mnuLast");
    started.trigger("mnuPrevious");
    QCOMPARE(form.txtID->text(), QString("4"));
    QVERIFY(searched->extraSelections().isEmpty());
}

void tst_Search::failedFilterIsReported()
{
    StartedApp started(folderWith(Library));
    runSearch(started, "Problem", "print");
    started.messages().clear();
    started.folder().exec("ALTER TABLE AR RENAME TO AR_away");
    runSearch(started, "Problem", "roller");
    started.folder().exec("ALTER TABLE AR_away RENAME TO AR");

    const QStringList texts = started.messages().texts();
    const QString start("The search could not be carried out: ");
    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts.first().startsWith(start) && texts.first().size() > start.size(),
             qPrintable(texts.first()));
    RecordSet& rs = started.app().rsMain;
    QCOMPARE(rs.filter(), QString());
    QCOMPARE(rs.recordCount(), int(Library.size()));
    QVERIFY(started.main().isEnabled());
    QCOMPARE(started.display().Label6->text(), QString("1"));
    // The failed search stored nothing.
    QCOMPARE(storedSearchString(started.folder()), QString("print"));
}

void tst_Search::preferenceWriteFailureIsSilent()
{
    StartedApp started(folderWith(Library));
    // The preferences file cannot be written: a folder stands in its place.
    QVERIFY(QFile::remove(started.folder().iniPath()));
    QVERIFY(QDir().mkpath(started.folder().iniPath()));
    runSearch(started, "Problem", "print");
    QCOMPARE(started.messages().texts(), found(2));
    QCOMPARE(visibleIds(started.app().rsMain), QList<int>({1, 2}));
    QVERIFY(started.main().isEnabled());
}

// Closes the article form as soon as a new one is shown, i.e. while the search colours its copy.
class CloseNewForm : public QObject
{
public:
    explicit CloseNewForm(frmMain& main) : m_main(main) { qApp->installEventFilter(this); }
    bool closed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<frmDisplay*>(watched) && !closed) {
            closed = true;
            QTimer::singleShot(0, &m_main, [this] { m_main.unloadDisplay(); });
        }
        return false;
    }

private:
    frmMain& m_main;
};

void tst_Search::formClosedWhileColouring()
{
    StartedApp started(
        folderWith({{1, "A", QString("ab cd ").repeated(200), "x"}, {2, "A", "ab", "y"}}));
    CloseNewForm closer(started.main());
    runSearch(started, "Problem", "ab");
    QVERIFY(closer.closed);
    QCOMPARE(started.messages().texts(), found(2));
    QVERIFY(!started.main().displayIfLoaded());
    // The search ended quietly: nothing stored, the filter stays, the program goes on.
    QCOMPARE(storedSearchString(started.folder()), QString("<none>"));
    QCOMPARE(visibleIds(started.app().rsMain), QList<int>({1, 2}));
    started.trigger("mnuNext");
    QCOMPARE(started.display().txtID->text(), QString("2"));
}

void tst_Search::anotherWindowHoldsTheMainWindow()
{
    StartedApp started(folderWith(Library));
    runSearch(started, "Problem", "print");
    const QString filter = started.app().rsMain.filter();
    started.trigger("mnuNext");
    frmSearch* dialog = openSearch(started); // reopened: the main window stays usable
    QVERIFY(dialog);
    // The images dialog of the article shown holds the main window while it is open.
    QTest::mouseClick(started.display().Command1, Qt::LeftButton);
    QWidget* images = started.main().findChild<QWidget*>("frmImages");
    QVERIFY(images && images->isVisible());
    QVERIFY(!started.main().isEnabled());
    started.messages().clear();

    typeInto(dialog->txtSearchString, "roller");
    QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);
    QCOMPARE(started.messages().texts(),
             QStringList{"Ardentry cannot search while another of its windows is open. Close "
                         "that window first."});
    QCOMPARE(started.app().rsMain.filter(), filter);
    QCOMPARE(started.app().rsMain.value("ID"), QString("2"));
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(!started.main().isEnabled());
    images->close();
    QVERIFY(started.main().isEnabled());
}

QTEST_MAIN(tst_Search)
#include "tst_search.moc"
