#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class frmMain;
class mdlMain;

// The article form: one article at a time, shown from the current row of rsMain.
class frmDisplay : public QWidget
{
    Q_OBJECT
public:
    frmDisplay(frmMain& main, mdlMain& app, QWidget* parent = nullptr);

    // The load of the form: labels from Customize, the two lists, first row of rsMain, rtb1,
    // caption.
    void Form_Load();
    void FillListCombos();
    // Fills the boxes from the current row of rsMain (empty boxes and record 0 without one).
    void showRow();

    // Marks every occurrence of `text` (ignoring case) in `box` (txtProblem or txtSolution) on
    // every article shown while rsMain's filter is still `criteria`.
    void setSearchMarks(QPlainTextEdit* box, const QString& text, const QString& criteria);
    void clearSearchMarks();

    void cboTechName_Change(const QString& text);
    void cboCUName_Change(const QString& text);
    void cmdReference_Click();
    void Command1_Click(); // Images (images/)

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

    static const char* const DefaultLabels[6];

private:
    void buildControls();
    void completeFromList(QComboBox* box, const QString& text, bool replaceText);
    void applySearchMarks();

    frmMain& m_main;
    mdlMain& m_app;
    qint16 ListSearchPos = 0;
    bool m_completing = false;
    QPlainTextEdit* m_markBox = nullptr;
    QString m_markText;
    QString m_markCriteria;
};
