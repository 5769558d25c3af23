#include "frmMain.h"

#include "MessageBox.h"
#include "articles/frmDisplay.h"
#include "mdlMain.h"

#include <QComboBox>
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
    RecordSet all(app.dbConnection);
    all.open(QString::fromLatin1(mdlMain::ArticleQuery));
    return all.recordCount();
}

// One more than the largest article number in the whole table (1 for an empty table).
qlonglong nextArticleNumber(mdlMain& app)
{
    RecordSet all(app.dbConnection);
    all.open(QString::fromLatin1(mdlMain::ArticleQuery));
    if (all.recordCount() == 0)
        return 1;
    // Numbers sort before any text that old data may hold in the column.
    for (all.moveLast(); !all.bof(); all.movePrevious()) {
        bool ok = false;
        const qlonglong number = all.value(QStringLiteral("ID")).toLongLong(&ok);
        if (ok)
            return number + 1;
    }
    return 1;
}

const char* const imageColumns[10] = {"Image1", "Image2", "Image3", "Image4", "Image5",
                                      "Image6", "Image7", "Image8", "Image9", "Image10"};

void replaceEmpty(QLineEdit* box, const QString& replacement)
{
    if (box->text().isEmpty())
        box->setText(replacement);
}

void replaceEmpty(QComboBox* box, const QString& replacement)
{
    if (box->currentText().isEmpty())
        box->setEditText(replacement);
}

} // namespace

void frmMain::AddRecord()
{
    frmDisplay& form = display();
    DropUnsentChanges(); // a begun article left unsaved is dropped
    RecordSet& rs = rsMain();
    try {
        const int visible = rs.recordCount();
        const qlonglong proposed = nextArticleNumber(m_app);
        m_app.NoArticleAddedYet = false;
        if (visible > 0)
            rs.moveLast();
        rs.addNew();
        for (const char* column : imageColumns)
            rs.collect(QString::fromLatin1(column), QStringLiteral("N/A"));

        form.txtID->setText(QString::number(proposed));
        form.cboCUName->setEditText(QString());
        form.cboTechName->setEditText(QString());
        form.txtProblem->clear();
        form.txtSolution->clear();
        form.txtReference->clear();
        form.txtInitial->clear();
        form.txtEditedBy->clear();
        form.txtDateEdited->clear();
        form.txtTitle->setText(QStringLiteral("N/A"));
        form.txtInitial->setText(QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")));
        form.Label6->setText(QString::number(visible + 1));
    } catch (const DbError& e) {
        DropUnsentChanges();
        report(QStringLiteral("A new article could not be started: ") + e.message());
    }
}

void frmMain::SaveRecord()
{
    frmDisplay& form = display();
    if (EitherBlank(form.txtProblem->toPlainText(), form.txtSolution->toPlainText())) {
        report(QStringLiteral("Please fill in all the information before you save."));
        return;
    }
    if (!form.txtID->text().isEmpty() && !isWholeNumber(form.txtID->text())) {
        report(QStringLiteral("The article number \"%1\" is not a whole number. Please enter a "
                              "whole number before you save.")
                   .arg(form.txtID->text()));
        return;
    }
    if (m_app.NoArticleAddedYet)
        report(QStringLiteral("The currently displayed article will be appended."));

    replaceEmpty(form.cboTechName, QStringLiteral("N/A"));
    replaceEmpty(form.cboCUName, QStringLiteral("N/A"));
    replaceEmpty(form.txtID, QStringLiteral("0000"));

    RecordSet& rs = rsMain();
    try {
        if (!rs.hasCurrentRow()) {
            // Nothing is shown (an empty table): what the user typed becomes a new article.
            rs.addNew();
            for (const char* column : imageColumns)
                rs.collect(QString::fromLatin1(column), QStringLiteral("N/A"));
        }
        rs.collect(QStringLiteral("Id"), form.txtID->text().trimmed());
        rs.collect(QStringLiteral("Problem"), form.txtProblem->toPlainText());
        rs.collect(QStringLiteral("solution"), form.txtSolution->toPlainText());
        rs.collect(QStringLiteral("techname"), form.cboTechName->currentText());
        rs.collect(QStringLiteral("CUName"), form.cboCUName->currentText());
        rs.collect(QStringLiteral("Title"), form.txtTitle->text());
        rs.collect(QStringLiteral("InitialEntry"), form.txtInitial->text());

        replaceEmpty(form.txtEditedBy, QStringLiteral("N/A"));
        replaceEmpty(form.txtDateEdited, QStringLiteral("N/A"));
        replaceEmpty(form.txtReference, QStringLiteral("N/A"));
        rs.collect(QStringLiteral("reference"), form.txtReference->text());
        rs.collect(QStringLiteral("EditedBy"), form.txtEditedBy->text());
        rs.collect(QStringLiteral("DateEdited"), form.txtDateEdited->text());

        // The saved article stays the current row.
        rs.updateBatch();
    } catch (const DbError& e) {
        // Nothing was written; the form keeps what was typed and Save can be tried again.
        QString text = QStringLiteral("The article could not be saved: ") + e.message();
        if (e.kind() == DbError::Kind::Conflict)
            text += QStringLiteral("\n\nAnother program changed or deleted this article after "
                                   "Ardentry read it. Use Refresh to see the stored articles.");
        report(text);
        return;
    }
    form.Label6->setText(QString::number(rs.absolutePosition()));
    report(QStringLiteral("Article successfully saved."));
}

void frmMain::DeleteRecord()
{
    frmDisplay& form = display();
    RecordSet& rs = rsMain();
    bool shownIsNumber = false;
    const int shown = form.Label6->text().toInt(&shownIsNumber);
    if (rs.currentIsNew() || !shownIsNumber || shown > rs.recordCount()) {
        report(QStringLiteral("Ardentry can't delete this article because it has not been saved. "
                              "Delete Process stopped."));
        return;
    }
    if (!rs.hasCurrentRow())
        return; // no article is shown
    if (!askYesNo(this, QStringLiteral("You're about to delete this article.  Are you sure?"),
                  QStringLiteral("Delete Confirmation"), QMessageBox::Yes))
        return;
    const int position = rs.absolutePosition();
    try {
        if (articleCount(m_app) <= 1) {
            report(QStringLiteral("Ardentry can't delete the article because it is the ONLY "
                                  "Ardentry article. Delete will leave Ardentry in an unstable "
                                  "condition. Delete process stopped."));
            DropUnsentChanges();
            m_app.ReloadArticles();
            ShowCurrentRecord();
            return;
        }
        rs.deleteCurrent();
        rs.updateBatch();
    } catch (const DbError& e) {
        // The article stays, as stored, and stays the current row.
        DropUnsentChanges();
        if (rs.recordCount() >= position) {
            rs.moveFirst();
            for (int i = 1; i < position; ++i)
                rs.moveNext();
        }
        report(QStringLiteral("The article could not be deleted: ") + e.message());
        return;
    }
    report(QStringLiteral("Article deleted."));
    try {
        m_app.ReloadArticles();
    } catch (const DbError& e) {
        report(QStringLiteral("The articles could not be read again: ") + e.message());
    }
    ShowCurrentRecord();
}
