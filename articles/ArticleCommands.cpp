#include "articles/ArticleCommands.h"

#include "articles/frmDisplay.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "core/mdlMain.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>

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
        // The saved article stays the current row.
        rs.updateBatch(QStringLiteral("ID"));
    } catch (const DbError& e) {
        // Nothing was written; the form keeps what was typed and Save can be tried again.
        form.setFields(typed);
        QString text;
        if (e.kind() == DbError::Kind::Duplicate) {
            text = QCoreApplication::translate(
                       "ArticleCommands",
                       "Article number %1 is already used by another article. Choose "
                       "another number before you save.")
                       .arg(typed.id.trimmed());
        } else {
            const QString problem = app.dbConnection.fileProblem();
            text =
                QCoreApplication::translate("ArticleCommands", "The article could not be saved: ") +
                (problem.isEmpty() ? e.message() : problem);
            if (e.kind() == DbError::Kind::Conflict && problem.isEmpty())
                text += QCoreApplication::translate(
                    "ArticleCommands", "\n\nAnother program changed or deleted this article "
                                       "after Ardentry read it. Use Refresh to see the stored "
                                       "articles.");
            else
                text += QCoreApplication::translate(
                    "ArticleCommands", "\n\nThe article is still on the screen as you typed it.");
        }
        m_frame.report(text);
        return false;
    }
    form.setFields(typed);
    form.acceptFields();
    form.setShownPosition(rs.absolutePosition());
    // A server connection lost right after the commit was made again and showed the article
    // stored.
    m_frame.report(
        rs.saveNote().isEmpty()
            ? QCoreApplication::translate("ArticleCommands", "Article successfully saved.")
            : QCoreApplication::translate("ArticleCommands",
                                          "The article was saved, but the connection to the server "
                                          "was lost right after; Ardentry connected again and "
                                          "found the article stored as you typed it."));
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
        if (rs.recordCount() >= position) {
            rs.moveFirst();
            for (int i = 1; i < position; ++i)
                rs.moveNext();
        }
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
