#include "core/Transaction.h"

#include "core/Connection.h"
#include "core/DbError.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

namespace
{
// The advisory lock every writer of a server database made before the turn table takes for its
// transaction.
constexpr qint64 kWriterLock = 0x41726465; // "Arde"

struct Writers {
    QMutex mutex;
    QHash<QString, QString> names; // connection name -> login name
};

Writers& writers()
{
    static Writers all;
    return all;
}

QString writerName(const QString& connectionName)
{
    Writers& all = writers();
    const QMutexLocker lock(&all.mutex);
    return all.names.value(connectionName);
}
} // namespace

void Transaction::setWriterName(const QString& connectionName, const QString& name)
{
    Writers& all = writers();
    const QMutexLocker lock(&all.mutex);
    if (name.isEmpty())
        all.names.remove(connectionName);
    else
        all.names.insert(connectionName, name);
}

QString engineReason(const QSqlError& error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

QString serverWords(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    if (code != QLatin1String("42501") && code != QLatin1String("55P03"))
        return engineReason(error);
    // "ERROR:  permission denied for table ar\n(42501)", perhaps with a CONTEXT line: the
    // server's first sentence alone.
    static const QRegularExpression frame(QStringLiteral("^(ERROR|FATAL):\\s*"));
    const QString said =
        engineReason(error).remove(frame).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (code == QLatin1String("55P03"))
        return QCoreApplication::translate(
                   "Transaction", "Another session holds the database for writing; try again. The "
                                  "server said: %1")
            .arg(said);
    static const QRegularExpression table(
        QStringLiteral("permission denied for (?:table|relation) \"?([^\"\\s]+)"));
    const QString name = table.match(said).captured(1);
    QString words;
    if (name.compare(QLatin1String("ar"), Qt::CaseInsensitive) == 0)
        words = QCoreApplication::translate("Transaction",
                                            "You may read the articles but not change them");
    else if (name == QLatin1String("ardentry_turn"))
        words = QCoreApplication::translate(
            "Transaction", "You may change the articles but not yet take your turn to write: "
                           "the owner of the database gives it by opening the database");
    else if (!name.isEmpty())
        words = QCoreApplication::translate("Transaction", "You may not change the table \"%1\"")
                    .arg(name);
    else
        words =
            QCoreApplication::translate("Transaction", "The server does not allow you to do this");
    return words +
           QCoreApplication::translate("Transaction", " (the server refused: %1)").arg(said);
}

Transaction::Transaction(QSqlDatabase& database, QString failure)
    : m_database(database), m_failure(std::move(failure))
{
    const bool server = isServerDatabase(m_database);
    const QString beginText = server ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
    QSqlQuery begin(m_database);
    bool begun = begin.exec(beginText);
    if (!begun && server) {
        // A server connection that was lost (the server restarted, the network came back)
        // is opened once more before the write is given up.
        if (const QString reason = openServerSession(m_database); !reason.isEmpty())
            throw DbError(
                m_failure +
                QCoreApplication::translate("Transaction",
                                            ": the connection to the database server was lost and "
                                            "cannot be made again: ") +
                reason + QCoreApplication::translate("Transaction", ". Nothing was saved."));
        QSqlQuery again(m_database);
        begun = again.exec(beginText);
        if (!begun)
            begin = std::move(again);
    }
    if (!begun)
        throw DbError(m_failure + QStringLiteral(": ") + engineReason(begin.lastError()) +
                      QCoreApplication::translate("Transaction", ". Nothing was saved."));
    m_open = true;
    if (server) {
        // One writer at a time, as on a file: checks made inside the transaction (a number
        // that must be free, a row that must be unchanged) hold until the commit. The turn is
        // the row of ardentry_turn, which only those who may change the articles may lock (a
        // reader takes none: its write fails on the articles themselves).
        QSqlQuery lock(m_database);
        QString take = QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriterLock);
        if (lock.exec(QStringLiteral("SELECT CASE WHEN to_regclass('ardentry_turn') IS NULL THEN 0 "
                                     "WHEN has_table_privilege(to_regclass('ar'), 'INSERT, "
                                     "UPDATE, DELETE') THEN 1 ELSE 2 END")) &&
            lock.next() && lock.value(0).toInt() != 0)
            take = lock.value(0).toInt() == 1
                       ? QStringLiteral("SELECT 1 FROM ardentry_turn FOR UPDATE")
                       : QString();
        if (!take.isEmpty() && !lock.exec(take))
            fail(lock);
    }
    const QString writer = writerName(m_database.connectionName());
    if (server && !writer.isEmpty()) {
        // The name lives as long as the transaction; the server's triggers read it.
        QSqlQuery name(m_database);
        if (!name.prepare(QStringLiteral("SELECT set_config('ardentry.writer', ?, true)")))
            fail(name);
        name.addBindValue(writer);
        if (!name.exec())
            fail(name);
    } else if (!server && !writer.isEmpty()) {
        QSqlQuery name(m_database);
        // A file without the table records no name.
        m_writerSet = name.prepare(QStringLiteral("INSERT OR REPLACE INTO ardentry_writer "
                                                  "(slot, name) VALUES (1, ?)"));
        if (m_writerSet) {
            name.addBindValue(writer);
            m_writerSet = name.exec();
        }
    }
}

void Transaction::fail(const QSqlQuery& query)
{
    const QString reason = serverWords(query.lastError());
    rollback();
    throw DbError(m_failure + QStringLiteral(": ") + reason +
                  QCoreApplication::translate("Transaction", ". Nothing was saved."));
}

Transaction::~Transaction()
{
    rollback();
}

void Transaction::rollback()
{
    if (!m_open)
        return;
    m_open = false;
    QSqlQuery rollback(m_database);
    rollback.exec(QStringLiteral("ROLLBACK"));
}

void Transaction::commit()
{
    if (m_writerSet) {
        // The name never outlives the transaction: another program's later write must not
        // find it.
        QSqlQuery clear(m_database);
        if (!clear.exec(QStringLiteral("DELETE FROM ardentry_writer")))
            fail(clear);
        m_writerSet = false;
    }
    QSqlQuery commit(m_database);
    if (commit.exec(QStringLiteral("COMMIT"))) {
        m_open = false;
        return;
    }
    const QString reason = engineReason(commit.lastError());
    // A failed COMMIT on a connection that still answers ended the transaction without saving
    // it. A connection that no longer answers may have lost the answer to a COMMIT that landed.
    const auto answers = [this] {
        QSqlQuery probe(m_database);
        return m_database.isOpen() && probe.exec(QStringLiteral("SELECT 1"));
    };
    if (isServerDatabase(m_database) && !answers()) {
        m_open = false;
        throw DbError(DbError::Kind::CommitUnknown,
                      m_failure +
                          QCoreApplication::translate(
                              "Transaction", ": the connection to the database server was lost "
                                             "while the changes were committed (") +
                          reason +
                          QCoreApplication::translate("Transaction",
                                                      "); they may or may not have been saved."));
    }
    rollback();
    throw DbError(m_failure + QStringLiteral(": ") + reason +
                  QCoreApplication::translate("Transaction", ". Nothing was saved."));
}
