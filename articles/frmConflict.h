// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ArticleMerge.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QWidget;

// Someone else saved the article after this technician opened it: field by field, the article
// as it was when the technician started, as it is stored now and as typed, beside the text to
// save. Fields that only one side changed hold that side's text already; a field both changed is
// marked and holds the typed text until the technician chooses. Save (cmdSave) accepts the
// window, Cancel (cmdCancel) rejects it.
class frmConflict : public QDialog
{
    Q_OBJECT
public:
    // One row per field: `captions` names the fields, `keys` (column names) make the object names
    // of a row's controls: txtBase_<key>, txtTheirs_<key>, txtMine_<key>, txtMerged_<key>,
    // cmdTheirs_<key>, cmdMine_<key>. `multiline` keys get text boxes of several lines. `storedBy`
    // says who stored the present version and when (empty when nobody knows).
    frmConflict(const QStringList& keys, const QStringList& captions, const QStringList& multiline,
                const QList<articlemerge::Field>& fields, const QString& storedBy,
                QWidget* parent = nullptr);

    // The texts to save, in field order, as the window holds them now.
    QStringList merged() const;

private:
    void choose(int field, bool theirs);
    void setMerged(int field, const QString& text);

    QList<articlemerge::Field> m_fields;
    QList<QWidget*> m_merged;
    QPushButton* cmdTheirs = nullptr;
    QPushButton* cmdMine = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
};
