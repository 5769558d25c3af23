// SPDX-License-Identifier: GPL-3.0-or-later
#include "articles/ArticleCommands.h"

#include "articles/frmConflict.h"
#include "articles/frmDisplay.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "core/ArticleMerge.h"
#include "core/History.h"
#include "core/TextMatch.h"
#include "core/mdlMain.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include <iterator>

namespace
{

// Article numbers are whole numbers (the column is numeric).
bool isWholeNumber(const QString& text)
{
    static const QRegularExpression whole(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    return whole.match(text).hasMatch();
}

// The number of articles in the whole table, whatever filter rsMain has.
int articleCount(mdlMain& app)
{
    if (app.rsMain.filter().isEmpty())
        return app.rsMain.recordCount();
    return app.ArticleCount();
}

const char* const imageColumns[10] = {"Image1", "Image2", "Image3", "Image4", "Image5",
                                      "Image6", "Image7", "Image8", "Image9", "Image10"};

void replaceEmpty(QString& text, const QString& replacement)
{
    if (text.isEmpty())
        text = replacement;
}

// The form's ten fields in the order of the article's columns.
const char* const fieldColumns[10] = {"Id",       "CUName",    "techname",  "Title",
                                      "Problem",  "solution",  "reference", "InitialEntry",
                                      "EditedBy", "DateEdited"};

QStringList textsOf(const ArticleFields& f)
{
    return {f.id,       f.category,  f.enteredBy,   f.title,    f.problem,
            f.solution, f.reference, f.dateEntered, f.editedBy, f.dateEdited};
}

ArticleFields fieldsOf(const QStringList& t)
{
    ArticleFields f;
    f.id = t.value(0);
    f.category = t.value(1);
    f.enteredBy = t.value(2);
    f.title = t.value(3);
    f.problem = t.value(4);
    f.solution = t.value(5);
    f.reference = t.value(6);
    f.dateEntered = t.value(7);
    f.editedBy = t.value(8);
    f.dateEdited = t.value(9);
    return f;
}

// Sends rsMain's batch; a number taken by someone else meanwhile is replaced by the next free
// one when `mayRenumber`, and `number` then holds the number saved. Throws DbError.
void sendRenumbering(mdlMain& app, QString& number, bool mayRenumber)
{
    for (int attempt = 0;; ++attempt) {
        try {
            app.rsMain.updateBatch(QStringLiteral("ID"));
            return;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::Duplicate || !mayRenumber || attempt >= 20)
                throw;
        }
        number = QString::number(app.NextArticleNumber());
        app.rsMain.collect(QStringLiteral("Id"), number);
    }
}

// The message of a save that failed: why, and that nothing typed was lost.
QString notSaved(const QString& why)
{
    return QCoreApplication::translate("ArticleCommands", "The article could not be saved: ") +
           why +
           QCoreApplication::translate("ArticleCommands",
                                       "\n\nThe article is still on the screen as you typed it.");
}

QString renumbered(const QString& saved, const QString& wanted)
{
    return QCoreApplication::translate("ArticleCommands",
                                       "Saved as article %1: number %2 was taken meanwhile.")
        .arg(saved, wanted);
}

} // namespace

bool ArticleCommands::EitherBlank(const QString& first, const QString& second)
{
    return first.isEmpty() || second.isEmpty();
}

void ArticleCommands::AddRecord()
{
    if (!SaveChangesFirst())
        return;
    frmDisplay& form = m_frame.display();
    m_frame.DropUnsentChanges(); // a begun article left unsaved is dropped
    mdlMain& app = m_frame.app();
    RecordSet& rs = app.rsMain;
    try {
        const int visible = rs.recordCount();
        const qlonglong proposed = app.NextArticleNumber();
        app.NoArticleAddedYet = false;
        if (visible > 0)
            rs.moveLast();
        rs.addNew();
        for (const char* column : imageColumns)
            rs.collect(QString::fromLatin1(column), QStringLiteral("N/A"));

        ArticleFields begun;
        begun.id = QString::number(proposed);
        begun.title = QStringLiteral("N/A");
        begun.dateEntered = QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));
        form.setFields(begun);
        form.acceptFields();
        form.setShownPosition(visible + 1);
    } catch (const DbError& e) {
        m_frame.DropUnsentChanges();
        m_frame.report(
            QCoreApplication::translate("ArticleCommands", "A new article could not be started: ") +
            e.message());
    }
}

bool ArticleCommands::SaveChangesFirst()
{
    frmDisplay* form = m_frame.displayIfLoaded();
    if (!form || !form->hasChanges())
        return true;
    const QString id = form->fields().id.trimmed();
    switch (showMessage(
        m_frame.window(),
        QCoreApplication::translate("ArticleCommands", "Save the changes to article %1?").arg(id),
        QStringLiteral("Ardentry"), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return SaveRecord();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool ArticleCommands::SaveRecord()
{
    frmDisplay& form = m_frame.display();
    ArticleFields typed = form.fields();
    if (EitherBlank(typed.problem, typed.solution)) {
        m_frame.report(QCoreApplication::translate(
            "ArticleCommands", "Please fill in all the information before you save."));
        return false;
    }
    if (!typed.id.isEmpty() && !isWholeNumber(typed.id)) {
        m_frame.report(
            QCoreApplication::translate("ArticleCommands",
                                        "The article number \"%1\" is not a whole number. Please "
                                        "enter a whole number before you save.")
                .arg(typed.id));
        return false;
    }
    mdlMain& app = m_frame.app();
    if (app.NoArticleAddedYet)
        m_frame.report(QCoreApplication::translate(
            "ArticleCommands", "The currently displayed article will be appended."));

    replaceEmpty(typed.enteredBy, QStringLiteral("N/A"));
    replaceEmpty(typed.category, QStringLiteral("N/A"));
    replaceEmpty(typed.id, QStringLiteral("0000"));
    form.setFields(typed);

    replaceEmpty(typed.editedBy, QStringLiteral("N/A"));
    replaceEmpty(typed.dateEdited, QStringLiteral("N/A"));
    replaceEmpty(typed.reference, QStringLiteral("N/A"));

    RecordSet& rs = app.rsMain;
    try {
        if (!rs.hasCurrentRow()) {
            // Nothing is shown (an empty table): what the user typed becomes a new article.
            rs.addNew();
            for (const char* column : imageColumns)
                rs.collect(QString::fromLatin1(column), QStringLiteral("N/A"));
        }
        // A stored article gets only the columns whose box differs from what was shown, so
        // untouched texts keep their bytes; a new one gets every column.
        const bool isNew = rs.currentIsNew();
        const ArticleFields& shown = form.shownFields();
        const auto write = [&](const char* column, const QString& text, const QString& before) {
            if (isNew || text != before)
                rs.collect(QString::fromLatin1(column), text);
        };
        write("Id", typed.id.trimmed(), isNew ? QString() : shown.id);
        write("Problem", typed.problem, shown.problem);
        write("solution", typed.solution, shown.solution);
        write("techname", typed.enteredBy, shown.enteredBy);
        write("CUName", typed.category, shown.category);
        write("Title", typed.title, shown.title);
        write("InitialEntry", typed.dateEntered, shown.dateEntered);
        write("reference", typed.reference, shown.reference);
        write("EditedBy", typed.editedBy, shown.editedBy);
        write("DateEdited", typed.dateEdited, shown.dateEdited);

        // A new or changed number must be free, checked in the same transaction as the write.
        // The saved article stays the current row. The number Add New proposed, left as it
        // was, gives way to the next free one when someone else took it meanwhile.
        sendRenumbering(app, typed.id,
                        isNew && !shown.id.isEmpty() && typed.id.trimmed() == shown.id);
    } catch (const DbError& e) {
        // Nothing was written; the form keeps what was typed and Save can be tried again.
        form.setFields(typed);
        if (e.kind() == DbError::Kind::Conflict && app.dbConnection.fileProblem().isEmpty())
            return ResolveConflict(typed);
        QString text;
        if (e.kind() == DbError::Kind::Duplicate) {
            text = QCoreApplication::translate(
                       "ArticleCommands",
                       "Article number %1 is already used by another article. Choose "
                       "another number before you save.")
                       .arg(typed.id.trimmed());
        } else {
            const QString problem = app.dbConnection.fileProblem();
            text = notSaved(problem.isEmpty() ? e.message() : problem);
        }
        m_frame.report(text);
        return false;
    }
    const QString wanted = form.fields().id;
    form.setFields(typed);
    form.acceptFields();
    form.setShownPosition(rs.absolutePosition());
    // A server connection lost right after the commit was made again and showed the article
    // stored.
    m_frame.report(
        typed.id != wanted && rs.saveNote().isEmpty() ? renumbered(typed.id, wanted.trimmed())
        : rs.saveNote().isEmpty()
            ? QCoreApplication::translate("ArticleCommands", "Article successfully saved.")
            : QCoreApplication::translate("ArticleCommands",
                                          "The article was saved, but the connection to the server "
                                          "was lost right after; Ardentry connected again and "
                                          "found the article stored as you typed it."));
    return true;
}

bool ArticleCommands::ResolveConflict(const ArticleFields& typed)
{
    frmDisplay& form = m_frame.display();
    mdlMain& app = m_frame.app();
    RecordSet& rs = app.rsMain;
    static const QStringList keys = [] {
        QStringList k;
        for (const char* column : fieldColumns)
            k << QString::fromLatin1(column);
        return k;
    }();
    const QStringList captions{QCoreApplication::translate("ArticleCommands", "Number"),
                               QCoreApplication::translate("ArticleCommands", "Category"),
                               QCoreApplication::translate("ArticleCommands", "Entered by"),
                               QCoreApplication::translate("ArticleCommands", "Title"),
                               QCoreApplication::translate("ArticleCommands", "Problem"),
                               QCoreApplication::translate("ArticleCommands", "Solution"),
                               QCoreApplication::translate("ArticleCommands", "Reference"),
                               QCoreApplication::translate("ArticleCommands", "Date entered"),
                               QCoreApplication::translate("ArticleCommands", "Edited by"),
                               QCoreApplication::translate("ArticleCommands", "Date edited")};
    // What this technician started from, and what they want saved; both move on each round.
    QStringList base = textsOf(form.shownFields());
    QStringList mine = textsOf(typed);
    mine[0] = mine[0].trimmed();
    try {
        QStringList images;
        for (const char* column : imageColumns)
            images << rs.value(QString::fromLatin1(column));
        rs.cancelBatch();
        const qint64 key = rs.currentKey();
        for (;;) {
            const history::StoredArticle stored = history::storedArticle(app.dbConnection, key);
            if (!stored.exists)
                return SaveDeleted(mine, images);
            QStringList theirs;
            for (int c = 0; c < keys.size(); ++c)
                theirs << textmatch::valueText(stored.values.value(c));
            const QString by =
                !stored.changeKnown ? QString()
                : stored.who.isEmpty()
                    ? QCoreApplication::translate("ArticleCommands", "changed at %1")
                          .arg(QLocale().toString(stored.when, QLocale::ShortFormat))
                    : QCoreApplication::translate("ArticleCommands", "changed by %1 at %2")
                          .arg(stored.who, QLocale().toString(stored.when, QLocale::ShortFormat));
            frmConflict window(keys, captions,
                               {QStringLiteral("Problem"), QStringLiteral("solution")},
                               articlemerge::merge(base, theirs, mine), by, m_frame.window());
            if (MessageBox::exec(window) != QDialog::Accepted) {
                form.setFields(typed);
                return false;
            }
            const QStringList merged = window.merged();
            // Saved against the version just shown; anyone saving in between makes another
            // round, with what was chosen now as this technician's side.
            base = theirs;
            mine = merged;
            // The record set checks the save against the version now stored only when that is
            // still the one shown, so that a round cancelled later leaves the form's article
            // checked against what the technician started from.
            const history::StoredArticle again = history::storedArticle(app.dbConnection, key);
            if (again.exists &&
                again.values.mid(0, keys.size()) != stored.values.mid(0, keys.size()))
                continue;
            if (!again.exists || !rs.rereadCurrent())
                return SaveDeleted(mine, images);
            QStringList now;
            for (const QString& column : keys)
                now << rs.value(column);
            if (now != theirs)
                continue;
            for (int c = 0; c < keys.size(); ++c)
                if (merged[c] != theirs[c])
                    rs.collect(keys[c], c == 0 ? merged[c].trimmed() : merged[c]);
            try {
                rs.updateBatch(QStringLiteral("ID"));
            } catch (const DbError& e) {
                rs.cancelBatch();
                if (e.kind() == DbError::Kind::Conflict)
                    continue;
                throw;
            }
            form.setFields(fieldsOf(merged));
            form.acceptFields();
            form.setShownPosition(rs.absolutePosition());
            m_frame.report(
                QCoreApplication::translate("ArticleCommands", "Article successfully saved."));
            return true;
        }
    } catch (const DbError& e) {
        rs.cancelBatch();
        form.setFields(typed);
        m_frame.report(notSaved(e.message()));
        return false;
    }
}

bool ArticleCommands::SaveDeleted(const QStringList& texts, const QStringList& images)
{
    frmDisplay& form = m_frame.display();
    mdlMain& app = m_frame.app();
    RecordSet& rs = app.rsMain;
    const QString wanted = texts.value(0).trimmed();
    const auto answer = MessageBox::show(
        m_frame.window(),
        QCoreApplication::translate(
            "ArticleCommands",
            "Article %1 was deleted by someone else after you opened it; the Trash "
            "keeps it.\n\nSave again stores what you typed as an article again; Drop "
            "lets your changes go.")
            .arg(wanted),
        QStringLiteral("Ardentry"), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
        QMessageBox::Save,
        {{QMessageBox::Save, QCoreApplication::translate("ArticleCommands", "Save again")},
         {QMessageBox::Discard, QCoreApplication::translate("ArticleCommands", "Drop")}});
    if (answer == QMessageBox::Cancel) {
        form.setFields(fieldsOf(texts));
        return false;
    }
    rs.cancelBatch();
    if (answer != QMessageBox::Save) {
        m_frame.DropUnsentChanges();
        app.ReloadArticles();
        m_frame.ShowCurrentRecord();
        return true;
    }
    QString number = wanted;
    try {
        rs.addNew();
        for (int c = 0; c < int(std::size(imageColumns)); ++c)
            rs.collect(QString::fromLatin1(imageColumns[c]),
                       images.value(c, QStringLiteral("N/A")));
        for (int c = 0; c < int(std::size(fieldColumns)); ++c)
            rs.collect(QString::fromLatin1(fieldColumns[c]), c == 0 ? number : texts.value(c));
        // Its own number when still free, otherwise the next free one.
        sendRenumbering(app, number, true);
        const qint64 key = rs.currentKey();
        app.ReloadArticles();
        rs.moveToKey(key);
    } catch (const DbError& e) {
        m_frame.DropUnsentChanges();
        form.setFields(fieldsOf(texts));
        m_frame.report(notSaved(e.message()));
        return false;
    }
    m_frame.ShowCurrentRecord();
    m_frame.report(number == wanted ? QCoreApplication::translate("ArticleCommands",
                                                                  "Article successfully saved.")
                                    : renumbered(number, wanted));
    return true;
}

void ArticleCommands::DeleteRecord()
{
    frmDisplay& form = m_frame.display();
    mdlMain& app = m_frame.app();
    RecordSet& rs = app.rsMain;
    bool shownIsNumber = false;
    const int shown = form.shownPosition().toInt(&shownIsNumber);
    if (rs.currentIsNew() || !shownIsNumber || shown > rs.recordCount()) {
        m_frame.report(QCoreApplication::translate(
            "ArticleCommands", "Ardentry can't delete this article because it has not been saved. "
                               "Delete Process stopped."));
        return;
    }
    if (!rs.hasCurrentRow())
        return; // no article is shown
    if (!askYesNo(m_frame.window(),
                  QCoreApplication::translate(
                      "ArticleCommands", "You're about to delete this article.  Are you sure?"),
                  QCoreApplication::translate("ArticleCommands", "Delete Confirmation"),
                  QMessageBox::Yes))
        return;
    const int position = rs.absolutePosition();
    try {
        if (articleCount(app) <= 1) {
            m_frame.report(QCoreApplication::translate(
                "ArticleCommands", "Ardentry can't delete the article because it is the ONLY "
                                   "Ardentry article. Delete will leave Ardentry in an unstable "
                                   "condition. Delete process stopped."));
            m_frame.DropUnsentChanges();
            app.ReloadArticles();
            m_frame.ShowCurrentRecord();
            return;
        }
        rs.deleteCurrent();
        rs.updateBatch();
    } catch (const DbError& e) {
        // The article stays, as stored, and stays the current row.
        m_frame.DropUnsentChanges();
        if (rs.recordCount() >= position)
            rs.moveToPosition(position);
        const QString problem = app.dbConnection.fileProblem();
        m_frame.report(
            QCoreApplication::translate("ArticleCommands", "The article could not be deleted: ") +
            (problem.isEmpty() ? e.message() : problem));
        return;
    }
    m_frame.report(QCoreApplication::translate("ArticleCommands", "Article deleted."));
    try {
        app.ReloadArticles();
    } catch (const DbError& e) {
        m_frame.report(QCoreApplication::translate("ArticleCommands",
                                                   "The articles could not be read again: ") +
                       e.message());
    }
    m_frame.ShowCurrentRecord();
}
