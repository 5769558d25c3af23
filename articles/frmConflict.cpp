// SPDX-License-Identifier: GPL-3.0-or-later
#include "articles/frmConflict.h"

#include "common/DesignedLayout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace
{

// A box for one version of a field: one line, or several for the long texts.
QWidget* textBox(QWidget* parent, const QString& name, bool multiline, const QString& text,
                 bool readOnly)
{
    QWidget* box = nullptr;
    if (multiline) {
        auto* edit = new QPlainTextEdit(text, parent);
        edit->setReadOnly(readOnly);
        edit->setTabChangesFocus(true);
        const int lines = 4;
        edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines +
                             2 * int(edit->document()->documentMargin()) + 2 * edit->frameWidth());
        box = edit;
    } else {
        auto* edit = new QLineEdit(text, parent);
        edit->setReadOnly(readOnly);
        edit->setCursorPosition(0);
        box = edit;
    }
    box->setObjectName(name);
    box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 18);
    return box;
}

QString boxText(const QWidget* box)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    return static_cast<const QPlainTextEdit*>(box)->toPlainText();
}

} // namespace

frmConflict::frmConflict(const QStringList& keys, const QStringList& captions,
                         const QStringList& multiline, const QList<articlemerge::Field>& fields,
                         const QString& storedBy, QWidget* parent)
    : QDialog(parent), m_fields(fields)
{
    using articlemerge::Change;
    setObjectName(QStringLiteral("frmConflict"));
    setWindowTitle(tr("Article changed by someone else"));
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    auto* intro = new QLabel(
        tr("Someone else saved this article after you opened it. Fields that only one of you "
           "changed are merged already. Fields you both changed are marked \u25B6 and hold your "
           "text: take theirs, keep yours or edit the text to save, then Save."),
        this);
    intro->setObjectName(QStringLiteral("lblIntro"));
    intro->setWordWrap(true);
    outer->addWidget(intro);

    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("scrFields"));
    area->setWidgetResizable(true);
    auto* sheet = new QWidget(area);
    auto* grid = new QGridLayout(sheet);
    const QString stored =
        storedBy.isEmpty() ? tr("Stored now") : tr("Stored now\n(%1)").arg(storedBy);
    const QStringList headings{tr("Field"), tr("When you started"), stored, tr("Yours"),
                               tr("To save")};
    for (int c = 0; c < headings.size(); ++c) {
        auto* heading = new QLabel(headings[c], sheet);
        // Wrapped, so that a long heading does not widen its column.
        heading->setWordWrap(true);
        heading->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, 0, c, Qt::AlignBottom);
    }
    for (int i = 0; i < m_fields.size(); ++i) {
        const articlemerge::Field& field = m_fields[i];
        const QString key = keys.value(i, QString::number(i));
        const bool lines = multiline.contains(key);
        const int row = i + 1;
        const bool both = field.change == Change::Both;
        auto* caption = new QLabel(
            both ? QStringLiteral("\u25B6 ") + captions.value(i) : captions.value(i), sheet);
        caption->setObjectName(QStringLiteral("lblField_") + key);
        if (both) {
            QFont bold = caption->font();
            bold.setBold(true);
            caption->setFont(bold);
            caption->setToolTip(tr("You and the other person both changed this field."));
        }
        grid->addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(textBox(sheet, QStringLiteral("txtBase_") + key, lines, field.base, true),
                        row, 1, Qt::AlignTop);
        grid->addWidget(
            textBox(sheet, QStringLiteral("txtTheirs_") + key, lines, field.theirs, true), row, 2,
            Qt::AlignTop);
        grid->addWidget(textBox(sheet, QStringLiteral("txtMine_") + key, lines, field.mine, true),
                        row, 3, Qt::AlignTop);
        QWidget* merged =
            textBox(sheet, QStringLiteral("txtMerged_") + key, lines, field.merged, false);
        m_merged << merged;
        grid->addWidget(merged, row, 4, Qt::AlignTop);
        auto* choice = new QHBoxLayout;
        QPushButton* theirs = commandButton(sheet, "", tr("Theirs"));
        theirs->setObjectName(QStringLiteral("cmdTheirs_") + key);
        QPushButton* mine = commandButton(sheet, "", tr("Mine"));
        mine->setObjectName(QStringLiteral("cmdMine_") + key);
        choice->addWidget(theirs);
        choice->addWidget(mine);
        grid->addLayout(choice, row, 5, Qt::AlignTop);
        connect(theirs, &QPushButton::clicked, this, [this, i] { choose(i, true); });
        connect(mine, &QPushButton::clicked, this, [this, i] { choose(i, false); });
    }
    for (int c = 1; c <= 4; ++c) {
        grid->setColumnStretch(c, 1);
        grid->setColumnMinimumWidth(c, fontMetrics().averageCharWidth() * 18);
    }
    area->setWidget(sheet);
    outer->addWidget(area, 1);

    auto* buttons = new QHBoxLayout;
    cmdTheirs = commandButton(this, "cmdTheirs", tr("Take theirs"));
    cmdTheirs->setToolTip(tr("Every field as stored now"));
    cmdMine = commandButton(this, "cmdMine", tr("Keep mine"));
    cmdMine->setToolTip(tr("Every field as you typed it"));
    cmdSave = commandButton(this, "cmdSave", tr("Save"), true);
    cmdCancel = commandButton(this, "cmdCancel", tr("Cancel"));
    buttons->addWidget(cmdTheirs);
    buttons->addWidget(cmdMine);
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    outer->addLayout(buttons);
    connect(cmdTheirs, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < m_fields.size(); ++i)
            choose(i, true);
    });
    connect(cmdMine, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < m_fields.size(); ++i)
            choose(i, false);
    });
    connect(cmdSave, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(fontMetrics().averageCharWidth() * 160, fontMetrics().lineSpacing() * 38);
}

QStringList frmConflict::merged() const
{
    QStringList texts;
    for (const QWidget* box : m_merged)
        texts << boxText(box);
    return texts;
}

void frmConflict::choose(int field, bool theirs)
{
    setMerged(field, theirs ? m_fields[field].theirs : m_fields[field].mine);
}

void frmConflict::setMerged(int field, const QString& text)
{
    QWidget* box = m_merged[field];
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setText(text);
        line->setCursorPosition(0);
    } else {
        static_cast<QPlainTextEdit*>(box)->setPlainText(text);
    }
}
