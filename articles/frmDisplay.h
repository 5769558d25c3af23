// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class Frame;
class PictureStrip;
class mdlMain;

// The texts of the article form's boxes.
struct ArticleFields {
    QString id;
    QString category;
    QString enteredBy;
    QString title;
    QString problem;
    QString solution;
    QString reference;
    QString dateEntered;
    QString editedBy;
    QString dateEdited;

    bool operator==(const ArticleFields& other) const;
    bool operator!=(const ArticleFields& other) const { return !(*this == other); }
};

// The article form: one article at a time, shown from the current row of rsMain. Its controls
// are its own; commands work through the operations below, tests find controls by object name.
class frmDisplay : public QWidget
{
    Q_OBJECT
public:
    frmDisplay(Frame& frame, mdlMain& app, QWidget* parent = nullptr);

    // The load of the form: labels from Customize, the two lists, first row of rsMain, rtb1,
    // caption.
    void Form_Load();
    void FillListCombos();
    // Fills the boxes from the current row of rsMain (empty boxes and record 0 without one).
    void showRow();

    // What the boxes hold.
    ArticleFields fields() const;
    // Fills the boxes: a new article, or optional fields completed before a save.
    void setFields(const ArticleFields& fields);
    // What the boxes held when the article was shown, begun or last saved.
    const ArticleFields& shownFields() const { return m_shown; }
    // The boxes as they are now become what is shown (after a save, or for a begun article).
    void acceptFields() { m_shown = fields(); }
    // True when something was typed since the article was shown, begun or saved.
    bool hasChanges() const { return fields() != m_shown; }
    // The record position shown in the article information ("Database record:").
    QString shownPosition() const;
    void setShownPosition(int position);

    // Which text box a search marks.
    enum class MarkedBox { Problem, Solution };
    // Marks every occurrence of `text` (ignoring case) in the Problem or Solution box on every
    // article shown while rsMain's filter is still `criteria`.
    void setSearchMarks(MarkedBox box, const QString& text, const QString& criteria);
    void clearSearchMarks();
    // The hidden rich-text copy of the problem, which the search colours.
    QTextEdit* hiddenRichText() const { return rtb1; }

    // Shows the thumbnails of the stored pictures of the current row (after paging, or after
    // the images dialog changed its slots).
    void showThumbnails();
    // Opens the viewer on the stored picture a thumbnail stands for.
    void showStoredPicture(const QString& slotText);

    // Gives the focus back to the box that had it last (the article number at first).
    void takeFocus();

    void cboTechName_Change(const QString& text);
    void cboCUName_Change(const QString& text);
    void cmdReference_Click();
    void Command1_Click();

    static const char* const DefaultLabels[6];

protected:
    // Closing the form asks first when the article holds typed changes.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void completeFromList(QComboBox* box, const QString& text, bool replaceText);
    void applySearchMarks();

    // Controls, named as their objectName.
    QLabel* lblProblemNo = nullptr;
    QLineEdit* txtID = nullptr;
    QLabel* lbCUName = nullptr;
    QComboBox* cboCUName = nullptr;
    QLabel* lblTech = nullptr;
    QComboBox* cboTechName = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtTitle = nullptr;
    QLabel* lblProblem = nullptr;
    QPlainTextEdit* txtProblem = nullptr;
    QLabel* lblSolution = nullptr;
    QPlainTextEdit* txtSolution = nullptr;
    QPushButton* cmdReference = nullptr;
    QLineEdit* txtReference = nullptr;
    QPushButton* Command1 = nullptr;
    QTextEdit* rtb1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtInitial = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtDateEdited = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtEditedBy = nullptr;
    PictureStrip* picThumbnails = nullptr;

    Frame& m_frame;
    mdlMain& m_app;
    qint16 ListSearchPos = 0;
    bool m_completing = false;
    QPlainTextEdit* m_markBox = nullptr;
    QString m_markText;
    QString m_markCriteria;
    ArticleFields m_shown;
};
