// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/frmSearch.h"

#include "articles/frmDisplay.h"
#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/ProfileFile.h"
#include "core/mdlMain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <iterator>

const char* const frmSearch::Choices[4] = {QT_TR_NOOP("Category"), QT_TR_NOOP("Problem"),
                                           QT_TR_NOOP("Solution"), QT_TR_NOOP("AR Number")};

namespace
{
// A combo box that takes typed text as it stands: no completion while typing, typed text never
// becomes an item, and leaving the box does not pick the item that the text happens to equal
// (only a pick from the list counts as a choice).
void keepTypedText(QComboBox* box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
}

const QColor Blue(0, 0, 255);

bool isBlue(const QTextCharFormat& format)
{
    return format.foreground().style() != Qt::NoBrush && format.foreground().color() == Blue;
}

// True when every character of the selection is blue; an empty selection takes the colour of the
// character before it.
bool selectionIsBlue(const QTextCursor& selection)
{
    QTextCursor probe(selection);
    if (!selection.hasSelection())
        return isBlue(probe.charFormat());
    for (int at = selection.selectionStart() + 1; at <= selection.selectionEnd(); ++at) {
        probe.setPosition(at); // the format of the character before `at`
        if (!isBlue(probe.charFormat()))
            return false;
    }
    return true;
}
} // namespace

frmSearch::frmSearch(Frame& frame, mdlMain& app)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame), m_app(app)
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(tr("Search Ardentry"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    buildControls();
}

void frmSearch::buildControls()
{
    setFixedSize(4935 / 15, 1980 / 15);

    lblSearchBy = place<QLabel>(this, "lblSearchBy", twips(240, 270, 1695, 255));
    lblSearchBy->setText(tr("Search By:"));
    cboSearchBy = place<QComboBox>(this, "cboSearchBy", twips(2040, 240, 2655, 315));
    keepTypedText(cboSearchBy);

    lblSearchString = place<QLabel>(this, "lblSearchString", twips(240, 750, 1695, 255));
    lblSearchString->setText(tr("Search:"));
    txtSearchString = place<QLineEdit>(this, "txtSearchString", twips(2040, 720, 2655, 315));
    cboSearchString = place<QComboBox>(this, "cboSearchString", twips(2040, 720, 2655, 315));
    keepTypedText(cboSearchString);
    cboSearchString->setMaxVisibleItems(20);

    cmdSearch = place<QPushButton>(this, "cmdSearch", twips(2040, 1320, 1215, 375));
    cmdSearch->setText(tr("&Search"));
    cmdSearch->setDefault(true);
    Command1 = place<QPushButton>(this, "Command1", twips(3480, 1320, 1215, 375));
    Command1->setText(tr("&Cancel"));

    // Captions for screen readers; the search text is typed into one of two boxes.
    lblSearchBy->setBuddy(cboSearchBy);
    lblSearchString->setBuddy(txtSearchString);
    cboSearchBy->setAccessibleName(tr("Search By"));
    for (QWidget* box :
         {static_cast<QWidget*>(txtSearchString), static_cast<QWidget*>(cboSearchString)})
        box->setAccessibleName(tr("Search"));

    setTabOrder(cboSearchBy, txtSearchString);
    setTabOrder(txtSearchString, cboSearchString);
    setTabOrder(cboSearchString, cmdSearch);
    setTabOrder(cmdSearch, Command1);

    connect(cboSearchBy, qOverload<int>(&QComboBox::activated), this,
            &frmSearch::cboSearchBy_Click);
    connect(cmdSearch, &QPushButton::clicked, this, &frmSearch::cmdSearch_Click);
    connect(Command1, &QPushButton::clicked, this, &frmSearch::Command1_Click);
}

void frmSearch::showSearch(Frame& frame)
{
    SingleInstance::showLoaded<frmSearch>(frame, frame.app());
}

void frmSearch::Form_Load()
{
    m_frame.disableWhileOpen(this);
    m_holdsMain = true;
    for (const char* choice : Choices)
        cboSearchBy->addItem(tr(choice));
    cboSearchBy->setCurrentIndex(-1);
    cboSearchBy->setEditText(QString());
    cboSearchString->addItems(m_app.CategoryList);
    cboSearchString->setCurrentIndex(-1);
    cboSearchString->setEditText(QString());
    cboSearchString->hide();
    txtSearchString->show();
}

void frmSearch::cboSearchBy_Click()
{
    const QString choice = cboSearchBy->currentText();
    const bool category = choice == tr(Choices[0]);
    if (!category && choice != tr(Choices[1]) && choice != tr(Choices[2]) &&
        choice != tr(Choices[3]))
        return;
    lblSearchString->setText(tr("Search %1:").arg(choice));
    cboSearchString->setVisible(category);
    txtSearchString->setVisible(!category);
}

void frmSearch::cmdSearch_Click()
{
    if (!m_holdsMain && !m_frame.window()->isEnabled()) {
        // Another window holds the main window (and the current article) while it is open.
        m_frame.report(tr("Ardentry cannot search while another of its windows is "
                          "open. Close that window first."));
        return;
    }
    // Typed text that is none of the choices would search nothing and report every article.
    const QString chosen = cboSearchBy->currentText();
    const bool known = std::any_of(std::begin(Choices), std::end(Choices),
                                   [&](const char* c) { return chosen == QLatin1String(c); });
    const bool anyText = !txtSearchString->text().isEmpty() ||
                         !cboSearchString->currentText().isEmpty() || !chosen.isEmpty();
    if (!known && anyText) {
        showMessage(this, tr("Choose what to search by: Category, Problem, Solution or "
                             "AR Number."));
        cboSearchBy->setFocus();
        return;
    }
    releaseMain();
    hide();
    // A begun article or other unsent change must not be sent later into another row.
    m_frame.DropUnsentChanges();

    // The criteria are joined as they stand: the record set takes everything between the first
    // "#" after the operator and the last "#" literally, so no character of the text is special.
    const QString choice = cboSearchBy->currentText();
    const QString searchText = txtSearchString->text();
    const QString category = cboSearchString->currentText();
    QString criteria;
    enum class Marked { None, Problem, Solution } marked = Marked::None;
    if (choice == tr(Choices[0])) {
        criteria = QStringLiteral("CUName = #") + category + QLatin1Char('#');
    } else if (choice == tr(Choices[1])) {
        criteria = QStringLiteral("Problem LIKE #*") + searchText + QStringLiteral("*#");
        marked = Marked::Problem;
    } else if (choice == tr(Choices[2])) {
        criteria = QStringLiteral("Solution LIKE #*") + searchText + QStringLiteral("*#");
        marked = Marked::Solution;
    } else if (choice == tr(Choices[3])) {
        criteria = QStringLiteral("ID = #") + searchText + QLatin1Char('#');
    }

    RecordSet& rs = m_app.rsMain;
    try {
        if (rs.recordCount() > 0)
            rs.moveFirst();
    } catch (const DbError&) {
        // An empty result has no first row; the end tests below take care of it.
    }

    bool reloaded = false;
    bool filtered = false;
    if (!category.isEmpty() || !searchText.isEmpty()) {
        try {
            rs.setFilter(criteria);
        } catch (const DbError& e) {
            m_frame.report(tr("The search could not be carried out: ") + e.message());
            // All articles stay visible; removing a filter needs no database access.
            try {
                rs.setFilter(QString());
                if (rs.recordCount() > 0)
                    rs.moveFirst();
            } catch (const DbError&) {
            }
            m_frame.display();
            m_frame.ShowCurrentRecord();
            return;
        }
        m_frame.report(tr("Found %1 Ardentry article(s).").arg(rs.recordCount()));
        m_frame.unloadDisplay();
        reloaded = true;
        filtered = !criteria.isEmpty();
    }

    if (rs.bof() || rs.eof()) {
        m_frame.report(tr("No match found."));
        try {
            m_app.ReloadArticles();
        } catch (const DbError& e) {
            m_frame.report(tr("The articles could not be read again: ") + e.message());
        }
        filtered = false;
    }

    const bool wasLoaded = m_frame.displayIfLoaded() != nullptr;
    frmDisplay& display = m_frame.display();
    // The form must show the row that is now current: Save writes the form into that row.
    if (!reloaded && wasLoaded)
        m_frame.ShowCurrentRecord();
    if (filtered && marked != Marked::None)
        display.setSearchMarks(marked == Marked::Problem ? frmDisplay::MarkedBox::Problem
                                                         : frmDisplay::MarkedBox::Solution,
                               searchText, rs.filter());

    // From here on a failure ends the search quietly. Pending events may run during the
    // highlighting, so nothing below relies on this dialog still being there.
    const QString iniFile = m_app.IniFile();
    if (!highlight(display.hiddenRichText(), searchText))
        return;
    ProfileFile(iniFile).write(QStringLiteral("General"), QStringLiteral("SearchString"),
                               searchText);
}

bool frmSearch::highlight(QTextEdit* box, const QString& text)
{
    QPointer<QTextEdit> rtb(box);
    QTextCharFormat blue;
    blue.setForeground(Blue);
    // Colouring does not change the text, so it is read once.
    const QString whole = rtb->toPlainText();
    QTextCursor selection(rtb->document());
    // One edit block: the box is laid out once at the end, not after every occurrence.
    QTextCursor editBlock(rtb->document());
    editBlock.beginEditBlock();
    int remaining = 0; // where the remaining text begins
    while (remaining < whole.size()) {
        // Pending events run between two occurrences; they may even close the article form.
        QCoreApplication::processEvents();
        if (!rtb)
            return false; // the document and its edit block went with it
        const qsizetype found = text.isEmpty() ? -1 : whole.indexOf(text, remaining);
        const int from = found < 0 ? int(whole.size()) : int(found);
        const int length = found < 0 ? 0 : int(text.size());

        selection.setPosition(from);
        selection.setPosition(from + length, QTextCursor::KeepAnchor);
        if (selectionIsBlue(selection))
            break;
        if (length > 0)
            selection.mergeCharFormat(blue);

        // The rest of the text after the occurrence is what remains to be searched.
        remaining = from + length;
        selection.setPosition(remaining);
        selection.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        rtb->setToolTip(text);
    }
    editBlock.endEditBlock();
    rtb->setTextCursor(selection);
    return true;
}

void frmSearch::Command1_Click()
{
    close();
}

void frmSearch::reject()
{
    Command1_Click();
}

void frmSearch::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

void frmSearch::Form_Unload()
{
    if (SingleInstance::unloadOnce(this))
        releaseMain();
}

void frmSearch::releaseMain()
{
    // Only the disabling of this dialog's own load is undone; another window that disabled the
    // main window later enables it again itself.
    if (m_holdsMain)
        m_frame.enableAgain();
    m_holdsMain = false;
}
