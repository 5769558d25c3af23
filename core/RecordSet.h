// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DbError.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class Connection;

// A record set over one whole table in a given order, with a static cursor and batch-optimistic
// changes:
// - open() takes "SELECT * FROM <table> ORDER BY <column>" (words in any letter case) and holds the
//   ordered keys of the rows; a row's values are read from the file when the row is first needed.
// - Changes (collect, addNew, deleteCurrent) wait in the batch until updateBatch() sends all of
// them
//   in one transaction. If any of them fails, nothing of the batch is written, the batch stays as
//   it was and DbError says why. A row that someone else changed or deleted in the file since this
//   record set read it is never overwritten: updateBatch() then fails with Kind::Conflict.
// - setFilter() narrows the visible rows; row count, position, moves and the end tests all apply to
//   the visible rows. Criteria: `Field = #value#` or `Field LIKE #value#` where the value is
//   everything between the first "#" after the operator and the last "#", taken literally except
//   for a "*" at its very start or end in LIKE (any run of characters). Text compares ignoring
//   letter case (also beyond ASCII); a number column compares numerically. The empty text removes
//   the filter.
// - Column names ignore letter case. A Null reads as the empty text.
// - Rows are identified by the table's hidden row key, never by any column.
class RecordSet
{
public:
    RecordSet();
    explicit RecordSet(Connection& connection);
    ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    void setActiveConnection(Connection& connection);

    // Opens on the query; the first row (if any) becomes current. Throws DbError when the table or
    // the order column does not exist, or the text is not a whole-table selection. An open record
    // set is closed first.
    void open(const QString& sql);
    // Drops the rows, the filter and every unsent change.
    void close();
    bool isOpen() const;
    // Runs the open query again, as close() and open() with the same text would: no filter, no
    // waiting change, the first row current. Quick when only this record set wrote the table
    // since the open and kept the order; otherwise the rows are read again.
    void requery();
    QString source() const; // the SQL text it was opened on
    QString tableName() const;

    // Moves. moveFirst/moveLast throw DbError(NoCurrentRow) on an empty result. moveNext at EOF and
    // movePrevious at BOF throw as well.
    void moveFirst();
    // Makes the visible row with this row key current; false (nothing moved) when no visible row
    // has it, e.g. a row added by another program since the open.
    bool moveToKey(qint64 key);
    // Makes the visible row at `position` (from 1, held within the rows there are) current, as
    // that many moves from the first would; nothing when there are no rows.
    void moveToPosition(int position);
    void moveLast();
    void moveNext();
    void movePrevious();
    bool eof() const; // past the last visible row; true in an empty result
    bool bof() const; // before the first visible row; true in an empty result
    bool hasCurrentRow() const { return !eof() && !bof(); }

    // Value of a column of the current row as text (Null -> ""). Throws DbError when there is no
    // current row or no such column.
    QString value(const QString& column) const;
    // Sets a column of the current row; the change waits in the batch. Throws DbError(BadValue)
    // when a number column is given a text that is not a number.
    void collect(const QString& column, const QString& value);
    // Appends an empty row at the end and makes it current; it waits in the batch.
    void addNew();
    // Marks the current row deleted; it is no longer visible, the row after it becomes current.
    void deleteCurrent();
    // Sends every waiting change in one transaction (see above). With `uniqueColumn`, a value
    // written to that column by the batch must not be held by any other row: otherwise nothing is
    // saved and it fails with Kind::Duplicate. Values the batch does not write are not checked.
    // On a server, a connection lost during the commit is made again and the rows tell whether
    // the batch landed: when it did, updateBatch() returns as saved and saveNote() says what
    // happened; when it did not, it fails as any other failure (the batch stays); when the
    // connection cannot be made again, it fails with Kind::CommitUnknown (the batch stays).
    void updateBatch(const QString& uniqueColumn = QString());
    // What the last updateBatch() has to tell beside its success; usually empty.
    QString saveNote() const;
    // Drops every waiting change: begun rows vanish, deleted rows come back, changed columns return
    // to the values read. If the current row vanishes, the last visible row becomes current.
    void cancelBatch();
    bool hasPendingChanges() const;
    // True when the current row was begun by addNew() and not yet sent.
    bool currentIsNew() const;
    // The hidden row key of the current row (0 for a begun row); throws DbError(NoCurrentRow).
    qint64 currentKey() const;
    // Reads the current row again as it is stored now: value() gives the stored values (the
    // batch's changes to it aside), and a later updateBatch() checks against this version, not
    // the one read first. False when the row is gone (deleted by someone else); a begun row is
    // left as it is (true). Throws DbError(NoCurrentRow) or when the row cannot be read.
    bool rereadCurrent();

    void setFilter(const QString& criteria); // throws DbError(BadCriteria) on unreadable criteria
    QString filter() const;

    // Visible rows, not counting begun rows that were not sent yet.
    int recordCount() const;
    // 1-based position of the current row among the visible rows; 0 without a current row.
    int absolutePosition() const;

    QStringList columnNames() const;
    // True when the column holds numbers (its declared type has numeric affinity).
    bool isNumberColumn(const QString& column) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
