// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

// An error of the database layer. The text is meant for the user: it names what failed and why.
class DbError : public std::runtime_error
{
public:
    enum class Kind {
        General,  // any other failure of the engine (locked, read-only, disk full, ...)
        NotFound, // the database file, a table or a column does not exist
        NotADatabase,
        Conflict, // a row was changed or deleted by someone else since it was read
        BadCriteria,
        BadValue,  // a value that the column cannot take (text in a number column)
        Duplicate, // a value that must be unique is held by another row
        NoCurrentRow,
        PasswordNeeded, // the server wants a password that was not given, or a wrong one
        CommitUnknown,  // the server connection was lost during COMMIT: saved or not, unknown
    };

    DbError(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message)
    {
    }
    explicit DbError(const QString& message) : DbError(Kind::General, message) {}

    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }

private:
    Kind m_kind;
    QString m_message;
};
