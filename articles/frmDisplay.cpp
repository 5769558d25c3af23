// SPDX-License-Identifier: GPL-3.0-or-later
#include "articles/frmDisplay.h"

#include "articles/ArticleCommands.h"
#include "articles/PictureStrip.h"
#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "core/Pictures.h"
#include "core/Reference.h"
#include "core/TextMatch.h"
#include "core/mdlMain.h"
#include "images/frmView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextEdit>
#include <QUrl>

#include <algorithm>

const char* const frmDisplay::DefaultLabels[6] = {
    QT_TR_NOOP("AR Number:"),           QT_TR_NOOP("Category:"),
    QT_TR_NOOP("Entered By:"),          QT_TR_NOOP("Title:"),
    QT_TR_NOOP("Problem Description:"), QT_TR_NOOP("Solution:")};

namespace
{
// The size the form was designed for; a larger frame gives the text boxes the room.
const QSize DesignSize(9945 / 15, 7410 / 15);

// A caption wider than its designed label grows to the left into the margin, never over the box
// to its right; the whole caption is in its tooltip.
void setCaption(QLabel* label, const QString& caption, const QRect& designed)
{
    // A label with a buddy reads "&" as a mnemonic: a caption's own "&" is doubled so that it
    // shows as typed.
    label->setText(label->buddy() ? QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&"))
                                  : caption);
    const int excess = label->sizeHint().width() - designed.width();
    QRect shown = designed;
    if (excess > 0)
        shown.setLeft(std::max(0, designed.left() - excess));
    label->setToolTip(excess > 0 ? caption : QString());
    label->setGeometry(shown);
}

// Moves and widens a control from its designed place.
void stretch(QWidget* widget, int down, int wider, int taller)
{
    const QRect designed = widget->property("designed").toRect();
    widget->setGeometry(designed.adjusted(0, down, wider, down + taller));
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    QLabel* l = place<QLabel>(parent, name, geometry);
    l->setProperty("designed", geometry);
    setCaption(l, caption, geometry);
    return l;
}
} // namespace

frmDisplay::frmDisplay(Frame& frame, mdlMain& app, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_app(app)
{
    setObjectName(QStringLiteral("frmDisplay"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
}

void frmDisplay::buildControls()
{
    setMinimumSize(DesignSize);
    // The layout is in pixels, so the font is too: captions fit their labels on any screen.
    QFont small = font();
    small.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), small.family()});
    small.setPixelSize(11);
    setFont(small);

    lblProblemNo = label(this, "lblProblemNo", tr(DefaultLabels[0]), twips(480, 240, 975, 255));
    txtID = place<QLineEdit>(this, "txtID", twips(1560, 240, 2415, 285));
    lbCUName = label(this, "lbCUName", tr(DefaultLabels[1]), twips(480, 600, 975, 255));
    cboCUName = place<QComboBox>(this, "cboCUName", twips(1560, 600, 2415, 315));
    lblTech = label(this, "lblTech", tr(DefaultLabels[2]), twips(480, 960, 855, 255));
    cboTechName = place<QComboBox>(this, "cboTechName", twips(1560, 960, 2415, 315));
    Label4 = label(this, "Label4", tr(DefaultLabels[3]), twips(960, 1440, 375, 255));
    txtTitle = place<QLineEdit>(this, "txtTitle", twips(1560, 1440, 8295, 285));
    txtTitle->setText(QStringLiteral("N/A"));
    lblProblem = label(this, "lblProblem", tr(DefaultLabels[4]), twips(360, 1920, 1575, 255));
    txtProblem = place<QPlainTextEdit>(this, "txtProblem", twips(360, 2160, 9495, 1455));
    lblSolution = label(this, "lblSolution", tr(DefaultLabels[5]), twips(360, 3720, 855, 255));
    txtSolution = place<QPlainTextEdit>(this, "txtSolution", twips(360, 3960, 9495, 1815));
    cmdReference = place<QPushButton>(this, "cmdReference", twips(360, 6000, 1215, 375));
    cmdReference->setText(tr("&Reference"));
    txtReference = place<QLineEdit>(this, "txtReference", twips(1680, 6000, 8175, 405));
    Command1 = place<QPushButton>(this, "Command1", twips(360, 6480, 1215, 375));
    Command1->setText(tr("&Images"));
    rtb1 = place<QTextEdit>(this, "rtb1", twips(1920, 6720, 7575, 615));
    rtb1->setPlainText(QStringLiteral("RichTextBox1"));
    rtb1->setVisible(false);
    // The previews of stored pictures, beside the Images button.
    picThumbnails = new PictureStrip(this);
    picThumbnails->setGeometry(twips(1920, 6420, 7935, 900));

    Frame1 = place<QGroupBox>(this, "Frame1", twips(4080, 120, 5295, 1215));
    Frame1->setTitle(tr("Ardentry Article Information"));
    Label2 = label(Frame1, "Label2", tr("Initial Entry:"), twips(120, 360, 855, 255));
    txtInitial = place<QLineEdit>(Frame1, "txtInitial", twips(1080, 360, 1215, 285));
    {
        // Greyed like a button face, with the text colour that goes with it on any theme.
        QPalette grey = txtInitial->palette();
        grey.setColor(QPalette::Base, grey.color(QPalette::Button));
        grey.setColor(QPalette::Text, grey.color(QPalette::ButtonText));
        txtInitial->setPalette(grey);
    }
    Label5 = label(Frame1, "Label5", tr("Database record:"), twips(2400, 360, 1335, 255));
    Label6 = label(Frame1, "Label6", QStringLiteral("0"), twips(3720, 360, 855, 255));
    Label3 = label(Frame1, "Label3", tr("Date Edited:"), twips(120, 720, 975, 255));
    txtDateEdited = place<QLineEdit>(Frame1, "txtDateEdited", twips(1080, 720, 1215, 285));
    Label1 = label(Frame1, "Label1", tr("Edited By:"), twips(2400, 720, 735, 255));
    txtEditedBy = place<QLineEdit>(Frame1, "txtEditedBy", twips(3240, 720, 1815, 285));
    // Each caption is its box's buddy, which screen readers announce with the box.
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {lblProblemNo, txtID}, {lbCUName, cboCUName},    {lblTech, cboTechName},
        {Label4, txtTitle},    {lblProblem, txtProblem}, {lblSolution, txtSolution},
        {Label2, txtInitial},  {Label3, txtDateEdited},  {Label1, txtEditedBy}};
    for (const auto& [caption, box] : buddies) {
        caption->setBuddy(box);
        setCaption(caption, caption->text(), caption->property("designed").toRect());
    }
    txtInitial->setAccessibleName(Label2->text());
    txtDateEdited->setAccessibleName(Label3->text());
    txtEditedBy->setAccessibleName(Label1->text());
    txtReference->setAccessibleName(cmdReference->text().remove(QLatin1Char('&')));

    for (QWidget* grows : {static_cast<QWidget*>(txtTitle), static_cast<QWidget*>(txtProblem),
                           static_cast<QWidget*>(txtSolution), static_cast<QWidget*>(cmdReference),
                           static_cast<QWidget*>(txtReference), static_cast<QWidget*>(Command1),
                           static_cast<QWidget*>(picThumbnails)})
        grows->setProperty("designed", grows->geometry());
    for (QComboBox* box : {cboCUName, cboTechName}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // Qt's inline completion would fight the one-letter completion of the form.
        box->setCompleter(nullptr);
        box->setMaxVisibleItems(20);
    }
    // The problem and the solution scroll, so they follow the desktop's font size (never below
    // the design's 12 px); the captions and boxes placed by the design keep the design's font.
    QFont reading = font();
    const QFont desktop = QApplication::font();
    if (desktop.pixelSize() > 0)
        reading.setPixelSize(std::max(12, desktop.pixelSize()));
    else
        reading.setPointSizeF(std::max(9.0, desktop.pointSizeF()));
    for (QPlainTextEdit* box : {txtProblem, txtSolution}) {
        box->setFont(reading);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setTabChangesFocus(true);
    }
    for (QLabel* l : {lblProblemNo, lbCUName, lblTech, Label4, lblProblem, lblSolution})
        l->setWordWrap(false);

    // Tab order of the design.
    QWidget* order[] = {txtID,       cboCUName,    cboTechName,  txtProblem,
                        txtSolution, txtReference, cmdReference, Command1,
                        txtTitle,    txtInitial,   txtEditedBy,  txtDateEdited};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(cboTechName, &QComboBox::editTextChanged, this, &frmDisplay::cboTechName_Change);
    connect(cboCUName, &QComboBox::editTextChanged, this, &frmDisplay::cboCUName_Change);
    connect(cmdReference, &QPushButton::clicked, this, &frmDisplay::cmdReference_Click);
    connect(Command1, &QPushButton::clicked, this, &frmDisplay::Command1_Click);
    connect(picThumbnails, &PictureStrip::opened, this,
            [this](int, const QString& slotText) { showStoredPicture(slotText); });
}

void frmDisplay::Form_Load()
{
    QLabel* const labels[6] = {lblProblemNo, lbCUName, lblTech, Label4, lblProblem, lblSolution};
    QStringList captions;
    try {
        RecordSet& aux = m_app.rsAux;
        aux.open(QString::fromLatin1(mdlMain::CustomizeQuery));
        for (aux.moveFirst(); !aux.eof() && captions.size() < 6; aux.moveNext())
            captions << aux.value(QStringLiteral("Labels"));
        aux.close();
    } catch (const DbError&) {
        // An empty or unreadable Customize table leaves the design captions.
        m_app.rsAux.close();
    }
    // Each box is named for assistive tools by the caption beside it.
    QWidget* const boxes[6] = {txtID, cboCUName, cboTechName, txtTitle, txtProblem, txtSolution};
    for (int k = 0; k < 6; ++k) {
        const QString caption = k < captions.size() ? captions.at(k) : tr(DefaultLabels[k]);
        setCaption(labels[k], caption, labels[k]->property("designed").toRect());
        boxes[k]->setAccessibleName(caption);
    }

    const QString path = m_app.ShownDatabasePath();
    FillListCombos();
    ListSearchPos = 0;

    m_frame.DropUnsentChanges();
    RecordSet& rs = m_app.rsMain;
    QString problem;
    try {
        if (rs.isOpen() && rs.recordCount() > 0) {
            rs.moveFirst();
            problem = rs.value(QStringLiteral("Problem"));
        }
    } catch (const DbError&) {
    }
    showRow();
    rtb1->setPlainText(problem);
    setWindowTitle(path);
}

void frmDisplay::FillListCombos()
{
    cboCUName->addItems(m_app.CategoryList);
    cboTechName->addItems(m_app.UserList);
}

void frmDisplay::showRow()
{
    RecordSet& rs = m_app.rsMain;
    const bool current = rs.isOpen() && rs.hasCurrentRow();
    // A row that cannot be read (the file locked by another program, say) shows empty boxes and
    // says so, once; a column that old data lacks just shows empty.
    QString failure;
    auto value = [&](const char* column) {
        if (!current || !failure.isEmpty())
            return QString();
        try {
            return rs.value(QString::fromLatin1(column));
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::NotFound)
                failure = e.message();
            return QString();
        }
    };
    ArticleFields shown;
    shown.id = value("Id");
    shown.category = value("CUName");
    shown.enteredBy = value("techname");
    shown.title = value("Title");
    shown.problem = value("Problem");
    shown.solution = value("solution");
    shown.reference = value("reference");
    shown.dateEntered = value("InitialEntry");
    shown.editedBy = value("EditedBy");
    shown.dateEdited = value("DateEdited");
    setFields(shown);
    // As the boxes hold it (a text box keeps its own line breaks), so an untouched box compares
    // equal.
    m_shown = fields();
    setShownPosition(current ? rs.absolutePosition() : 0);
    applySearchMarks();
    showThumbnails();
    if (!failure.isEmpty())
        showMessage(this, tr("The article could not be read: ") + failure);
}

bool ArticleFields::operator==(const ArticleFields& o) const
{
    return id == o.id && category == o.category && enteredBy == o.enteredBy && title == o.title &&
           problem == o.problem && solution == o.solution && reference == o.reference &&
           dateEntered == o.dateEntered && editedBy == o.editedBy && dateEdited == o.dateEdited;
}

void frmDisplay::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int wider = std::max(0, width() - DesignSize.width());
    const int taller = std::max(0, height() - DesignSize.height());
    const int problemTaller = taller / 2;
    stretch(txtTitle, 0, wider, 0);
    stretch(txtProblem, 0, wider, problemTaller);
    // The caption keeps the width its text needs.
    const QRect caption = lblSolution->geometry();
    lblSolution->move(caption.x(), lblSolution->property("designed").toRect().y() + problemTaller);
    stretch(txtSolution, problemTaller, wider, taller - problemTaller);
    stretch(cmdReference, taller, 0, 0);
    stretch(txtReference, taller, wider, 0);
    stretch(Command1, taller, 0, 0);
    stretch(picThumbnails, taller, wider, 0);
}

void frmDisplay::showThumbnails()
{
    RecordSet& rs = m_app.rsMain;
    QStringList slotTexts;
    try {
        if (rs.isOpen() && rs.hasCurrentRow()) {
            for (int slot = 1; slot <= 10; ++slot)
                slotTexts << rs.value(QStringLiteral("Image") + QString::number(slot));
        }
    } catch (const DbError&) {
        slotTexts.clear(); // old data without image columns shows no previews
    }
    // Previews are a help, not the article: when they cannot be read the strip stays empty.
    picThumbnails->showSlots(m_app.dbConnection, slotTexts);
}

void frmDisplay::showStoredPicture(const QString& slotText)
{
    frmView& viewer = frmView::showViewer(m_frame);
    viewer.addToCaption(slotText);
    try {
        if (!viewer.showStored(m_app.dbConnection, slotText))
            showMessage(this, tr("The picture \"%1\" is not stored in this database.")
                                  .arg(pictures::parse(slotText).name));
    } catch (const DbError& e) {
        showMessage(this, tr("The picture could not be read from the database: ") + e.message());
    }
}

void frmDisplay::takeFocus()
{
    QWidget* last = focusWidget();
    (last ? last : txtID)->setFocus(Qt::OtherFocusReason);
}

void frmDisplay::closeEvent(QCloseEvent* event)
{
    if (ArticleCommands(m_frame).SaveChangesFirst())
        event->accept();
    else
        event->ignore();
}

ArticleFields frmDisplay::fields() const
{
    ArticleFields f;
    f.id = txtID->text();
    f.category = cboCUName->currentText();
    f.enteredBy = cboTechName->currentText();
    f.title = txtTitle->text();
    f.problem = txtProblem->toPlainText();
    f.solution = txtSolution->toPlainText();
    f.reference = txtReference->text();
    f.dateEntered = txtInitial->text();
    f.editedBy = txtEditedBy->text();
    f.dateEdited = txtDateEdited->text();
    return f;
}

namespace
{
// A box is only written when its text changes, so its cursor and scroll position stay otherwise.
void fill(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}
void fill(QComboBox* box, const QString& text)
{
    if (box->currentText() != text)
        box->setEditText(text);
}
void fill(QPlainTextEdit* box, const QString& text)
{
    if (box->toPlainText() != text)
        box->setPlainText(text);
}
} // namespace

void frmDisplay::setFields(const ArticleFields& f)
{
    // Filling the boxes is not typing: no completion.
    m_completing = true;
    fill(txtID, f.id);
    fill(cboCUName, f.category);
    fill(cboTechName, f.enteredBy);
    m_completing = false;
    fill(txtTitle, f.title);
    fill(txtProblem, f.problem);
    fill(txtSolution, f.solution);
    fill(txtReference, f.reference);
    fill(txtInitial, f.dateEntered);
    fill(txtEditedBy, f.editedBy);
    fill(txtDateEdited, f.dateEdited);
}

QString frmDisplay::shownPosition() const
{
    return Label6->text();
}

void frmDisplay::setShownPosition(int position)
{
    Label6->setText(QString::number(position));
}

void frmDisplay::Command1_Click()
{
    m_frame.showImages();
}

void frmDisplay::setSearchMarks(MarkedBox box, const QString& text, const QString& criteria)
{
    m_markBox = box == MarkedBox::Problem ? txtProblem : txtSolution;
    m_markText = text;
    m_markCriteria = criteria;
    applySearchMarks();
}

void frmDisplay::clearSearchMarks()
{
    for (QPlainTextEdit* box : {txtProblem, txtSolution})
        box->setExtraSelections({});
    m_markBox = nullptr;
    m_markText.clear();
    m_markCriteria.clear();
}

void frmDisplay::applySearchMarks()
{
    const RecordSet& rs = m_app.rsMain;
    if (!m_markBox || m_markText.isEmpty() || m_markCriteria.isEmpty() || !rs.isOpen() ||
        rs.filter() != m_markCriteria) {
        clearSearchMarks();
        return;
    }
    QList<QTextEdit::ExtraSelection> marks;
    const QString text = m_markBox->toPlainText();
    QTextCharFormat format;
    format.setBackground(QColor(255, 230, 0));
    format.setForeground(Qt::black);
    // The same folding as the filter: whatever the filter matched is marked.
    for (const textmatch::Occurrence& at : textmatch::occurrences(text, m_markText)) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(m_markBox->document());
        mark.cursor.setPosition(at.start);
        mark.cursor.setPosition(at.start + at.length, QTextCursor::KeepAnchor);
        mark.format = format;
        marks << mark;
    }
    QPlainTextEdit* other = m_markBox == txtProblem ? txtSolution : txtProblem;
    other->setExtraSelections({});
    m_markBox->setExtraSelections(marks);
}

void frmDisplay::completeFromList(QComboBox* box, const QString& text, bool replaceText)
{
    if (text.size() == 1 && !m_completing && box->count() > 0) {
        const int entries = box->count();
        if (ListSearchPos < 0 || ListSearchPos >= entries)
            ListSearchPos = 0;
        const qint16 start = ListSearchPos;
        const QChar wanted = text.at(0).toUpper();
        bool done = false;
        while (!done) {
            const QString entry = box->itemText(ListSearchPos);
            if (!entry.isEmpty() && entry.at(0) == wanted) {
                done = true;
                if (replaceText) {
                    m_completing = true;
                    box->setEditText(entry);
                    // The completed rest stays selected: typing on replaces it rather than
                    // adding to the name.
                    if (QLineEdit* edit = box->lineEdit())
                        edit->setSelection(1, int(entry.size()) - 1);
                    m_completing = false;
                }
            }
            ListSearchPos = qint16((ListSearchPos + 1) % entries);
            if (ListSearchPos == start)
                done = true;
        }
    }
    box->setToolTip(box->currentText());
}

void frmDisplay::cboTechName_Change(const QString& text)
{
    completeFromList(cboTechName, text, true);
}

void frmDisplay::cboCUName_Change(const QString& text)
{
    completeFromList(cboCUName, text, false);
}

void frmDisplay::cmdReference_Click()
{
    const ReferenceTarget target = resolveReference(txtReference->text());
    if (!target.refusal.isEmpty()) {
        showMessage(this, target.refusal);
        return;
    }
    if (target.url.isEmpty())
        return;
    if (!QDesktopServices::openUrl(target.url))
        showMessage(this, tr("The reference \"%1\" could not be opened: no program "
                             "on this computer opens it.")
                              .arg(txtReference->text().trimmed()));
}
