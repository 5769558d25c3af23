#include "TestSupport.h"

#include "ProfileFile.h"
#include "articles/frmDisplay.h"
#include "frmMain.h"
#include "mdlMain.h"
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
    QString category;
    QString problem;
    QString solution;
};

void putArticles(const TestFolder& folder, const QList<Article>& articles)
{
    folder.exec(QStringLiteral("DELETE FROM AR"));
    for (const Article& a : articles) {
        QVariantList values{a.id,       a.category, "Tech",       "Title", a.problem,
                            a.solution, "N/A",      "01/02/2006", "N/A",   "N/A"};
        for (int k = 1; k <= 10; ++k)
            values << QStringLiteral("N/A");
        folder.exec(QStringLiteral("INSERT INTO AR (ID, CUName, techname, Title, Problem, "
                                   "solution, reference, InitialEntry, EditedBy, DateEdited, "
                                   "Image1, Image2, Image3, Image4, Image5, Image6, Image7, "
                                   "Image8, Image9, Image10) "
                                   "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                    values);
    }
}

void putCategories(const TestFolder& folder, const QStringList& names)
{
    folder.exec(QStringLiteral("DELETE FROM Categories"));
    for (const QString& name : names)
        folder.exec(QStringLiteral("INSERT INTO Categories (Category) VALUES (?)"), {name});
}

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

std::shared_ptr<TestFolder> folderWith(const QList<Article>& articles)
{
    auto folder = std::make_shared<TestFolder>();
    putArticles(*folder, articles);
    putCategories(*folder, {"Hardware", "Network", "Software"});
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
    const QRect item = view->visualRect(view->model()->index(index, 0));
    view->scrollTo(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    return QTest::qWaitFor([&] { return !view->isVisible(); });
}

void typeInto(QWidget* box, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->selectAll();
    if (auto* combo = qobject_cast<QComboBox*>(box))
        combo->lineEdit()->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(box, c.toLatin1());
        else // a key of a keyboard that has it
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
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
        if (text.at(i) == QLatin1Char('\n')) {
            mask += QLatin1Char('\n');
            continue;
        }
        cursor.setPosition(i + 1);
        const QBrush brush = cursor.charFormat().foreground();
        const bool blue = brush.style() != Qt::NoBrush && brush.color() == QColor(0, 0, 255);
        mask += blue ? QLatin1Char('B') : QLatin1Char('-');
    }
    return mask;
}

QString storedSearchString(const TestFolder& folder)
{
    return ProfileFile(folder.iniPath())
        .read(QStringLiteral("General"), QStringLiteral("SearchString"), QStringLiteral("<none>"));
}

} // namespace

class tst_Search : public QObject
{
    Q_OBJECT
private slots:
    void controls();
    void choiceSetsCaption_data();
    void choiceSetsCaption();
    void search_data();
    void search();
    void highlight_data();
    void highlight();
    void categoryHighlightsSearchText();
    void bothTextsEmpty();
    void typedChoiceKeepsCaption();
    void reopenAfterSearch();
    void mainWindowWhileOpen_data();
    void mainWindowWhileOpen();
    void navigationAmongMatches_data();
    void navigationAmongMatches();
    void begunArticleIsDropped();
    void failedFilterIsReported();
    void preferenceWriteFailureIsSilent();
    void formClosedWhileColouring();
    void anotherWindowHoldsTheMainWindow();

private:
    // Opens the dialog, chooses, types and clicks Search. `choice` empty: nothing chosen;
    // `typedChoice`: the choice is typed rather than picked.
    void runSearch(StartedApp& started, const QString& choice, bool typedChoice,
                   const QString& text, const QString& category = QString());
};

void tst_Search::runSearch(StartedApp& started, const QString& choice, bool typedChoice,
                           const QString& text, const QString& category)
{
    started.trigger(QStringLiteral("mnuSearch"));
    frmSearch* dialog = shownSearch(started.main());
    QVERIFY(dialog);
    if (!choice.isEmpty()) {
        if (typedChoice)
            typeInto(dialog->cboSearchBy, choice);
        else
            QVERIFY(pick(dialog->cboSearchBy, choice));
    }
    typeInto(dialog->txtSearchString, text);
    if (!category.isEmpty()) {
        if (dialog->cboSearchString->findText(category) >= 0 && choice == "Category")
            QVERIFY(pick(dialog->cboSearchString, category));
        else
            typeInto(dialog->cboSearchString, category);
    }
    QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);
}

void tst_Search::controls()
{
    StartedApp started(folderWith(Library));
    started.clickToolbar(6);
    frmSearch* dialog = shownSearch(started.main());
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), QString("frmSearch"));
    QCOMPARE(dialog->windowTitle(), QString("Search Ardentry"));
    QCOMPARE(dialog->parentWidget(), &started.main());
    QVERIFY(!dialog->isModal());
    QVERIFY(
        !(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());

    QCOMPARE(dialog->lblSearchBy->text(), QString("Search By:"));
    QCOMPARE(dialog->lblSearchString->text(), QString("Search:"));
    QCOMPARE(dialog->cmdSearch->text(), QString("&Search"));
    QVERIFY(dialog->cmdSearch->isDefault());
    QCOMPARE(dialog->Command1->text(), QString("&Cancel"));
    QStringList choices;
    for (int i = 0; i < dialog->cboSearchBy->count(); ++i)
        choices << dialog->cboSearchBy->itemText(i);
    QCOMPARE(choices, QStringList({"Category", "Problem", "Solution", "AR Number"}));
    QCOMPARE(dialog->cboSearchBy->currentText(), QString());
    QVERIFY(dialog->cboSearchBy->isEditable());
    QStringList categories;
    for (int i = 0; i < dialog->cboSearchString->count(); ++i)
        categories << dialog->cboSearchString->itemText(i);
    QCOMPARE(categories, QStringList({"Hardware", "Network", "Software"}));
    QVERIFY(dialog->cboSearchString->isEditable());
    QVERIFY(dialog->txtSearchString->isVisible());
    QVERIFY(!dialog->cboSearchString->isVisible());
    QCOMPARE(dialog->txtSearchString->text(), QString());
    // The two value controls share one place: left 2040, top 720, width 2655 twips.
    QCOMPARE(dialog->txtSearchString->geometry().topLeft(), QPoint(136, 48));
    QCOMPARE(dialog->txtSearchString->width(), 177);
    QCOMPARE(dialog->cboSearchString->geometry(), dialog->txtSearchString->geometry());
    QCOMPARE(dialog->cboSearchBy->x(), 136);
    QCOMPARE(dialog->cboSearchBy->y(), 16);
    for (const char* name : {"lblSearchBy", "cboSearchBy", "lblSearchString", "txtSearchString",
                             "cboSearchString", "cmdSearch", "Command1"})
        QVERIFY2(dialog->findChild<QWidget*>(name), name);
}

void tst_Search::choiceSetsCaption_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("categoryList");
    QTest::newRow("Category") << "Category"
                              << "Search Category:" << true;
    QTest::newRow("Problem") << "Problem"
                             << "Search Problem:" << false;
    QTest::newRow("Solution") << "Solution"
                              << "Search Solution:" << false;
    QTest::newRow("AR Number") << "AR Number"
                               << "Search AR Number:" << false;
}

void tst_Search::choiceSetsCaption()
{
    QFETCH(QString, choice);
    QFETCH(QString, caption);
    QFETCH(bool, categoryList);
    StartedApp started(folderWith(Library));
    started.trigger("mnuSearch");
    frmSearch* dialog = shownSearch(started.main());
    QVERIFY(dialog);
    // From the other kind of value control to this one.
    QVERIFY(pick(dialog->cboSearchBy, categoryList ? "Problem" : "Category"));
    QVERIFY(pick(dialog->cboSearchBy, choice));
    QCOMPARE(dialog->lblSearchString->text(), caption);
    QCOMPARE(dialog->cboSearchString->isVisible(), categoryList);
    QCOMPARE(dialog->txtSearchString->isVisible(), !categoryList);
}

void tst_Search::search_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("typedChoice");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QList<int>>("ids"); // empty: nothing matched, all articles visible again

    const QList<int> all = {1, 2, 3, 12, 20, 21, 22, 23, 24, 25, 26, 27};
    QTest::newRow("problem, any case") << "Problem" << false << "print"
                                       << "" << QList<int>{1, 2};
    QTest::newRow("problem, upper case") << "Problem" << false << "PRINT"
                                         << "" << QList<int>{1, 2};
    QTest::newRow("solution") << "Solution" << false << "printer"
                              << "" << QList<int>{2};
    QTest::newRow("nothing matches") << "Problem" << false << "zebra"
                                     << "" << QList<int>{};
    QTest::newRow("AR Number 12") << "AR Number" << false << "12"
                                  << "" << QList<int>{12};
    QTest::newRow("AR Number abc") << "AR Number" << false << "abc"
                                   << "" << QList<int>{};
    QTest::newRow("AR Number 1 not 12") << "AR Number" << false << "1"
                                        << "" << QList<int>{1};
    QTest::newRow("category picked") << "Category" << false << ""
                                     << "Hardware" << QList<int>{1, 12};
    QTest::newRow("category typed, other case") << "Category" << false << ""
                                                << "nETWORK" << QList<int>{2, 27};
    QTest::newRow("category empty, text left") << "Category" << false << "print"
                                               << "" << QList<int>{};
    QTest::newRow("no choice") << "" << false << "zebra"
                               << "" << all;
    QTest::newRow("typed Problem") << "Problem" << true << "print"
                                   << "" << QList<int>{1, 2};
    QTest::newRow("typed problem, other case") << "problem" << true << "zebra"
                                               << "" << all;
    QTest::newRow("quote") << "Problem" << false << "\"hi\""
                           << "" << QList<int>{20};
    QTest::newRow("apostrophe") << "Problem" << false << "it's"
                                << "" << QList<int>{21};
    QTest::newRow("apostrophe alone") << "Problem" << false << "'"
                                      << "" << QList<int>{21};
    QTest::newRow("hash") << "Problem" << false << "#"
                          << "" << QList<int>{22};
    QTest::newRow("hash five") << "Problem" << false << "#5"
                               << "" << QList<int>{22};
    QTest::newRow("hash star") << "Problem" << false << "#*"
                               << "" << QList<int>{};
    QTest::newRow("star") << "Problem" << false << "*"
                          << "" << QList<int>{24};
    QTest::newRow("star inside") << "Problem" << false << "a*b"
                                 << "" << QList<int>{24};
    QTest::newRow("percent") << "Problem" << false << "%"
                             << "" << QList<int>{23};
    QTest::newRow("percent inside") << "Problem" << false << "0%"
                                    << "" << QList<int>{23};
    QTest::newRow("underscore") << "Problem" << false << "r_s"
                                << "" << QList<int>{25};
    QTest::newRow("hash in category") << "Category" << false << ""
                                      << "Hard#ware" << QList<int>{};
    QTest::newRow("hash in AR Number") << "AR Number" << false << "1#2"
                                       << "" << QList<int>{};
    QTest::newRow("non-ASCII lower finds upper") << "Problem" << false << "caf\u00e9"
                                                 << "" << QList<int>{27};
    QTest::newRow("non-ASCII upper") << "Problem" << false << "CAF\u00c9"
                                     << "" << QList<int>{27};
    QTest::newRow("accent is not ignored") << "Problem" << false << "cafe"
                                           << "" << QList<int>{};
}

void tst_Search::search()
{
    QFETCH(QString, choice);
    QFETCH(bool, typedChoice);
    QFETCH(QString, text);
    QFETCH(QString, category);
    QFETCH(QList<int>, ids);

    StartedApp started(folderWith(Library));
    const QString path = started.app().StoredDatabasePath();
    runSearch(started, choice, typedChoice, text, category);
    if (QTest::currentTestFailed())
        return;

    RecordSet& rs = started.app().rsMain;
    QStringList expected{QString("Found %1 Ardentry article(s).").arg(ids.size())};
    if (ids.isEmpty())
        expected << "No match found.";
    QCOMPARE(started.messages().texts(), expected);
    for (const MessageCatcher::Seen& seen : started.messages().seen) {
        QCOMPARE(seen.title, QString("Ardentry"));
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
    }

    frmDisplay& form = started.display();
    if (ids.isEmpty()) {
        QCOMPARE(rs.filter(), QString());
        QCOMPARE(rs.recordCount(), int(Library.size()));
        QCOMPARE(form.txtID->text(), QString("1"));
    } else {
        QCOMPARE(visibleIds(rs), ids);
        QCOMPARE(form.txtID->text(), QString::number(ids.first()));
        QCOMPARE(form.txtProblem->toPlainText(), rs.value("Problem"));
        QCOMPARE(form.rtb1->toPlainText(), rs.value("Problem"));
    }
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

    QTest::newRow("exact case turns blue") << QStringList{"cannot print", "Printer jams"} << "print"
                                           << "-------BBBBB";
    QTest::newRow("other case stays black")
        << QStringList{"Printer jams", "cannot print"} << "print"
        << "------------";
    QTest::newRow("both occurrences") << QStringList{"abcabc"} << "bc"
                                      << "-BB-BB";
    QTest::newRow("no overlap") << QStringList{"aaa"} << "aa"
                                << "BB-";
    QTest::newRow("all of it") << QStringList{"aaaa"} << "aa"
                               << "BBBB";
    QTest::newRow("several lines") << QStringList{"print\nPRINT print"} << "print"
                                   << "BBBBB\n------BBBBB";
    QTest::newRow("lower-case accent") << QStringList{"Le CAF\u00c9 et le caf\u00e9"} << "\u00e9"
                                       << "-----------------B";
    QTest::newRow("upper-case accent") << QStringList{"Le CAF\u00c9 et le caf\u00e9"} << "\u00c9"
                                       << "------B-----------";
    QTest::newRow("hostile characters") << QStringList{"#*%_ and #*%_"} << "#*%_"
                                        << "BBBB-----BBBB";
}

void tst_Search::highlight()
{
    QFETCH(QStringList, problems);
    QFETCH(QString, text);
    QFETCH(QString, mask);

    QList<Article> articles;
    for (const QString& problem : problems)
        articles << Article{int(articles.size()) + 1, "Hardware", problem, "Solution"};
    StartedApp started(folderWith(articles));
    runSearch(started, "Problem", false, text);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(started.messages().texts(),
             QStringList{QString("Found %1 Ardentry article(s).").arg(problems.size())});
    frmDisplay& form = started.display();
    QCOMPARE(form.rtb1->toPlainText(), problems.first());
    QCOMPARE(blueMask(form.rtb1), mask);
    QCOMPARE(form.rtb1->toolTip(), text);
    QVERIFY(!form.rtb1->isVisible());
}

void tst_Search::categoryHighlightsSearchText()
{
    StartedApp started(folderWith({{1, "Network", "print", "x"},
                                   {2, "Hardware", "print me, Print me", "y"},
                                   {3, "Hardware", "other", "z"}}));
    started.trigger("mnuSearch");
    frmSearch* dialog = shownSearch(started.main());
    QVERIFY(dialog);
    QVERIFY(pick(dialog->cboSearchBy, "Problem"));
    typeInto(dialog->txtSearchString, "print");
    QVERIFY(pick(dialog->cboSearchBy, "Category"));
    QVERIFY(!dialog->txtSearchString->isVisible());
    QVERIFY(pick(dialog->cboSearchString, "Hardware"));
    QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);

    QCOMPARE(started.messages().texts(), QStringList{"Found 2 Ardentry article(s)."});
    QCOMPARE(visibleIds(started.app().rsMain), QList<int>({2, 3}));
    frmDisplay& form = started.display();
    QCOMPARE(form.txtID->text(), QString("2"));
    QCOMPARE(blueMask(form.rtb1), QString("BBBBB-------------"));
    QCOMPARE(storedSearchString(started.folder()), QString("print"));
    // A category search marks nothing in the visible boxes.
    QVERIFY(form.txtProblem->extraSelections().isEmpty());
}

void tst_Search::bothTextsEmpty()
{
    StartedApp started(folderWith(Library));
    runSearch(started, "Problem", false, "print");
    frmDisplay* form = &started.display();
    const QString filter = started.app().rsMain.filter();
    QVERIFY(!filter.isEmpty());
    started.trigger("mnuLast");
    QCOMPARE(form->txtID->text(), QString("2"));
    started.messages().clear();

    started.trigger("mnuSearch");
    frmSearch* dialog = shownSearch(started.main());
    QVERIFY(dialog);
    typeInto(dialog->txtSearchString, QString());
    QCOMPARE(dialog->txtSearchString->text(), QString());
    QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);

    QCOMPARE(started.messages().texts(), QStringList());
    QCOMPARE(started.app().rsMain.filter(), filter);
    // The article form stayed loaded; it shows the row that is current now, the first match, so
    // that Save would write into the article the user sees.
    QCOMPARE(&started.display(), form);
    QCOMPARE(started.app().rsMain.absolutePosition(), 1);
    QCOMPARE(form->txtID->text(), QString("1"));
    QCOMPARE(form->Label6->text(), QString("1"));
    QCOMPARE(form->rtb1->toPlainText(), QString("Printer jams"));
    QCOMPARE(storedSearchString(started.folder()), QString(""));
    QVERIFY(started.main().isEnabled());
}

void tst_Search::typedChoiceKeepsCaption()
{
    StartedApp started(folderWith(Library));
    started.trigger("mnuSearch");
    frmSearch* dialog = shownSearch(started.main());
    QVERIFY(dialog);
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    dialog->cboSearchBy->setFocus();
    QTest::keyClicks(dialog->cboSearchBy, "Problem");
    QCOMPARE(dialog->cboSearchBy->currentText(), QString("Problem"));
    // Leaving the box is not a choice either.
    QTest::keyClick(dialog->cboSearchBy, Qt::Key_Tab);
    QTRY_VERIFY(dialog->txtSearchString->hasFocus());
    QTest::keyClicks(dialog->txtSearchString, "print");
    QCOMPARE(dialog->lblSearchString->text(), QString("Search:"));
    QVERIFY(dialog->txtSearchString->isVisible());
    QCOMPARE(dialog->cboSearchBy->currentText(), QString("Problem"));
    // Enter runs the search (default button).
    QTest::keyClick(dialog->txtSearchString, Qt::Key_Return);
    QCOMPARE(started.messages().texts(), QStringList{"Found 2 Ardentry article(s)."});
    QCOMPARE(visibleIds(started.app().rsMain), QList<int>({1, 2}));
    QCOMPARE(dialog->lblSearchString->text(), QString("Search:"));
    QCOMPARE(dialog->cboSearchBy->count(), 4);
}

void tst_Search::reopenAfterSearch()
{
    StartedApp started(folderWith(Library));
    runSearch(started, "Category", false, "roller", "Network");
    QPointer<frmSearch> dialog = started.main().findChild<frmSearch*>("frmSearch");
    QVERIFY(dialog);
    QVERIFY(!dialog->isVisible());
    QVERIFY(started.main().isEnabled());

    for (int way = 0; way < 2; ++way) {
        if (way == 0)
            started.trigger("mnuSearch");
        else
            started.clickToolbar(6);
        QCOMPARE(shownSearch(started.main()), dialog.data());
        QCOMPARE(started.main().findChildren<frmSearch*>().size(), 1);
        QVERIFY(started.main().isEnabled());
        QCOMPARE(dialog->cboSearchBy->currentText(), QString("Category"));
        QCOMPARE(dialog->lblSearchString->text(), QString("Search Category:"));
        QVERIFY(dialog->cboSearchString->isVisible());
        QCOMPARE(dialog->cboSearchString->currentText(), QString("Network"));
        QCOMPARE(dialog->txtSearchString->text(), QString("roller"));
        QCOMPARE(dialog->cboSearchBy->count(), 4);
        QCOMPARE(dialog->cboSearchString->count(), 3);
        // The main window can be used meanwhile.
        started.trigger("mnuNext");
        QCOMPARE(started.display().txtID->text(), QString("27"));
        started.trigger("mnuFirst");
    }
    // Searching again from the reopened dialog.
    QVERIFY(pick(dialog->cboSearchBy, "Solution"));
    QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);
    QCOMPARE(visibleIds(started.app().rsMain), QList<int>({1}));
    QVERIFY(started.main().isEnabled());
    // Cancel on a reopened dialog unloads it; the next one starts afresh.
    started.trigger("mnuSearch");
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    started.trigger("mnuSearch");
    frmSearch* fresh = shownSearch(started.main());
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
    started.trigger("mnuSearch");
    QPointer<frmSearch> dialog = shownSearch(main);
    QVERIFY(dialog);
    QVERIFY(!main.isEnabled());
    QVERIFY(dialog->isEnabled());
    QVERIFY(dialog->cmdSearch->isEnabled());

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
        QVERIFY(dialog);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(started.messages().texts(), QStringList{"Found 12 Ardentry article(s)."});
        QCOMPARE(storedSearchString(started.folder()), QString("print"));
    } else {
        QTRY_VERIFY(!dialog);
        QCOMPARE(started.messages().texts(), QStringList());
        QCOMPARE(storedSearchString(started.folder()), QString("<none>"));
    }
    QVERIFY(main.findChildren<frmSearch*>().size() <= 1);
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
    const bool problem = choice == "Problem";
    QList<Article> articles = {{1, "A", "Printer jams", "Printer jams"},
                               {2, "A", "nothing here", "nothing here"},
                               {3, "A", "cannot PRINT", "cannot PRINT"},
                               {4, "A", "print, print and print", "print, print and print"},
                               {5, "A", "other", "other"}};
    StartedApp started(folderWith(articles));
    runSearch(started, choice, false, "print");
    QCOMPARE(started.messages().texts(), QStringList{"Found 3 Ardentry article(s)."});
    frmDisplay& form = started.display();
    QPlainTextEdit* searched = problem ? form.txtProblem : form.txtSolution;
    QPlainTextEdit* other = problem ? form.txtSolution : form.txtProblem;
    auto marked = [&] {
        QStringList texts;
        for (const QTextEdit::ExtraSelection& mark : searched->extraSelections())
            texts << mark.cursor.selectedText();
        return texts;
    };

    QCOMPARE(form.txtID->text(), QString("1"));
    QCOMPARE(marked(), QStringList{"Print"});
    QVERIFY(other->extraSelections().isEmpty());
    const QString rtb = blueMask(form.rtb1);

    struct Step {
        const char* action;
        const char* id;
        const char* position;
        QStringList marks;
    };
    const QList<Step> steps = {
        {"mnuNext", "3", "2", {"PRINT"}},
        {"mnuNext", "4", "3", {"print", "print", "print"}},
        {"mnuNext", "4", "3", {"print", "print", "print"}},
        {"mnuPrevious", "3", "2", {"PRINT"}},
        {"mnuFirst", "1", "1", {"Print"}},
        {"mnuPrevious", "1", "1", {"Print"}},
        {"mnuLast", "4", "3", {"print", "print", "print"}},
    };
    for (const Step& step : steps) {
        started.trigger(step.action);
        QCOMPARE(form.txtID->text(), QString(step.id));
        QCOMPARE(form.Label6->text(), QString(step.position));
        QCOMPARE(marked(), step.marks);
        QVERIFY(other->extraSelections().isEmpty());
    }
    // Moving does not touch the hidden copy of the first match.
    QCOMPARE(form.rtb1->toPlainText(), QString("Printer jams"));
    QCOMPARE(blueMask(form.rtb1), rtb);

    started.clickToolbar(7); // Refresh
    QCOMPARE(started.app().rsMain.filter(), QString());
    QCOMPARE(started.app().rsMain.recordCount(), 5);
    QCOMPARE(form.txtID->text(), QString("1"));
    QVERIFY(searched->extraSelections().isEmpty());
    started.trigger("mnuLast");
    QCOMPARE(form.txtID->text(), QString("5"));
    started.trigger("mnuPrevious");
    QCOMPARE(form.txtID->text(), QString("4"));
    QVERIFY(searched->extraSelections().isEmpty());
}

void tst_Search::begunArticleIsDropped()
{
    StartedApp started(folderWith(Library));
    started.trigger("mnuAdd");
    QVERIFY(started.app().rsMain.hasPendingChanges());
    frmDisplay* form = &started.display();
    QCOMPARE(form->txtProblem->toPlainText(), QString());

    // Both texts empty: the form stays loaded but must not keep showing the begun article.
    started.trigger("mnuSearch");
    frmSearch* dialog = shownSearch(started.main());
    QVERIFY(dialog);
    QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);
    QVERIFY(!started.app().rsMain.hasPendingChanges());
    QCOMPARE(form->txtID->text(), QString("1"));
    QCOMPARE(form->txtProblem->toPlainText(), QString("Printer jams"));

    started.trigger("mnuAdd");
    QVERIFY(started.app().rsMain.hasPendingChanges());
    runSearch(started, "Problem", false, "print");
    QVERIFY(!started.app().rsMain.hasPendingChanges());
    QCOMPARE(visibleIds(started.app().rsMain), QList<int>({1, 2}));
    QCOMPARE(started.folder().scalar("SELECT COUNT(*) FROM AR").toInt(), int(Library.size()));
}

void tst_Search::failedFilterIsReported()
{
    StartedApp started(folderWith(Library));
    runSearch(started, "Problem", false, "print");
    started.messages().clear();
    started.folder().exec("ALTER TABLE AR RENAME TO AR_away");
    runSearch(started, "Problem", false, "roller");
    started.folder().exec("ALTER TABLE AR_away RENAME TO AR");

    const QStringList texts = started.messages().texts();
    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts.first().startsWith("The search could not be carried out: "),
             qPrintable(texts.first()));
    QVERIFY(texts.first().size() > QString("The search could not be carried out: ").size());
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
    runSearch(started, "Problem", false, "print");
    QCOMPARE(started.messages().texts(), QStringList{"Found 2 Ardentry article(s)."});
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
    QString problem;
    for (int i = 0; i < 200; ++i)
        problem += "ab cd ";
    StartedApp started(folderWith({{1, "A", problem, "x"}, {2, "A", "ab", "y"}}));
    CloseNewForm closer(started.main());
    runSearch(started, "Problem", false, "ab");
    QVERIFY(closer.closed);
    QCOMPARE(started.messages().texts(), QStringList{"Found 2 Ardentry article(s)."});
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
    runSearch(started, "Problem", false, "print");
    const QString filter = started.app().rsMain.filter();
    started.trigger("mnuNext");
    started.trigger("mnuSearch"); // reopened: the main window stays usable
    frmSearch* dialog = shownSearch(started.main());
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
    QVERIFY(!started.main().isEnabled());
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(!started.main().isEnabled());
    images->close();
    QVERIFY(started.main().isEnabled());
}

QTEST_MAIN(tst_Search)
#include "tst_search.moc"
