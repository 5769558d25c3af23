// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

// Reading Access databases (.mdb, .accdb). The reading is done by the command-line tools of
// mdbtools (mdb-ver, mdb-tables, mdb-schema, mdb-export) run in a process of their own: a damaged
// or hostile file can only end that process, never the program, and the tools' GPL stays at arm's
// length. The small helper ardentry-mdb-read (mdbtools' library, in a process of its own too) adds
// which values are Null, when it is installed. Errors travel as DbError in the user's words first
// and the tool's words after.
namespace accessdb
{

// True when the path names an Access file by its ending (.mdb or .accdb, any case).
bool isAccessPath(const QString& path);

// What an Access column holds, as far as the tools can give it.
enum class ColumnKind {
    Text,    // Text, Memo: a text, or nothing (Null, or an empty text: the tools print both alike;
             // ardentry-mdb-read tells them apart, see Column::nullsTold)
    Number,  // integers, decimals, currency, yes/no, replication ids: the tool's text of it
    Date,    // "yyyy-MM-dd HH:mm:ss" (four-digit years); dates before 1900 cannot be read
    Binary,  // OLE objects and binary columns: hexadecimal digits
    Complex, // attachments, multi-value and version-history columns: the tools give a number only
};

struct Column {
    QString name;
    QString type; // the Access type as the tools name it, e.g. "Text (255)", "Long Integer"
    ColumnKind kind = ColumnKind::Text;
    // The rows tell a Null from an empty text in this column (ardentry-mdb-read is installed and
    // read the table); otherwise both come as Null.
    bool nullsTold = false;
};

class AccessFile
{
public:
    // Opens the file for reading: checks that the tools are there and that they can read its
    // list of tables. Throws DbError (NotFound for a missing file, NotADatabase for a file that is
    // not an Access database, a damaged one or one protected with a password).
    explicit AccessFile(const QString& path);

    const QString& path() const { return m_path; }
    // The format as the tools name it: "JET3" (Access 97), "JET4" (2000-2003), "ACE12".. (.accdb).
    const QString& version() const { return m_version; }
    // The user tables, in the file's order.
    const QStringList& tables() const { return m_tables; }
    // The table of that name in the file's own spelling (names match in any case), or empty.
    QString table(const QString& name) const;
    // The columns of a table, in the order the rows give them. Throws DbError.
    QList<Column> columns(const QString& table) const;

    // Calls row() with each row of `table` in the file's order: one value per column of
    // columns(table); a null QVariant where the tool printed nothing (see ColumnKind::Text),
    // else the value's text. Returning false from row() stops the reading (and this returns
    // false). Throws DbError when the tool fails.
    bool readRows(const QString& table, const std::function<bool(const QVariantList&)>& row) const;

private:
    // Per row of `table`, '1' per column the row holds as Null, '0' otherwise, as
    // ardentry-mdb-read gives it (run once per table); null when it is not installed or failed.
    const QList<QByteArray>* nullMasks(const QString& table, int width) const;

    QString m_path;
    QString m_version;
    QStringList m_tables;
    mutable QHash<QString, std::optional<QList<QByteArray>>> m_nullMasks;
};

// What the tools could not give of a value read from `column`: `why` is empty when the value is
// as the file holds it. Otherwise `why` says what is wrong, in words, and `keep` whether the value
// read is still worth storing beside the note (a text with "??" in it) or must be left out (a
// date before 1900, an attachment, a binary value, a Null that may have been an empty text).
struct Limit {
    QString why;
    bool keep = false;
};
Limit limitOf(const QVariant& value, const Column& column);

} // namespace accessdb
