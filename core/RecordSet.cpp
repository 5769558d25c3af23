// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RecordSet.h"

#include "core/Backup.h"
#include "core/Connection.h"
#include "core/SearchNarrowing.h"
#include "core/TextMatch.h"
#include "core/Transaction.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <deque>
#include <iterator>
#include <limits>
#include <map>
#include <numeric>
#include <optional>
#include <vector>

#include <sqlite3.h>

namespace
{

using textmatch::Criteria;
using textmatch::NumberPattern;
using textmatch::TextPattern;

// Rows are read from the file in blocks of this many keys; at most kCacheRows rows without
// changes stay in memory.
constexpr int kBlockRows = 128;
constexpr int kCacheRows = 1024;

QString quoted(const QString& identifier)
{
    QString text = identifier;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString reasonOf(const QSqlQuery& query)
{
    return engineReason(query.lastError());
}

// SQLite's affinity rules: a declared type gives numbers unless it names text or blob (or is
// empty).
bool hasNumericAffinity(const QString& declared)
{
    const QString type = declared.toUpper();
    if (type.contains(QLatin1String("INT")))
        return true;
    if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB")) ||
        type.contains(QLatin1String("TEXT")))
        return false;
    if (type.contains(QLatin1String("BLOB")) || type.trimmed().isEmpty())
        return false;
    return true;
}

struct Column {
    QString name;
    QString quotedName;
    bool number = false;
    bool whole = false; // takes whole numbers only (a server's integer types)
};

// A server's column types that hold numbers, and those of them that hold whole numbers.
bool isTypedNumberType(const QString& type)
{
    static const QStringList numbers{QStringLiteral("smallint"),         QStringLiteral("integer"),
                                     QStringLiteral("bigint"),           QStringLiteral("numeric"),
                                     QStringLiteral("double precision"), QStringLiteral("real")};
    return numbers.contains(type);
}

bool isTypedWholeType(const QString& type)
{
    return type == QLatin1String("smallint") || type == QLatin1String("integer") ||
           type == QLatin1String("bigint");
}

struct Slot {
    qint64 rowid = 0;
    bool isNew = false;    // begun by addNew and not sent yet
    bool dead = false;     // deleted and sent, or a begun row that was dropped
    bool deleting = false; // deleted and not sent yet
};

// Row key -> slot, so that a row is found by its key without walking the slots. Keys that lie
// close together (as both engines hand them out) are held in a table indexed by the key, others
// in a sorted list made when first needed. A key given to a later slot replaces the earlier.
class KeyIndex
{
public:
    explicit KeyIndex(const std::vector<Slot>& snapshot) : m_snapshot(&snapshot) {}

    void clear()
    {
        m_table = {};
        m_sorted = {};
        m_base = 0;
        m_dense = true;
        m_sortedBuilt = false;
    }

    void build()
    {
        clear();
        const std::vector<Slot>& snapshot = *m_snapshot;
        qint64 low = 0;
        qint64 high = -1;
        size_t count = 0;
        for (const Slot& slot : snapshot) {
            if (slot.isNew)
                continue;
            low = count == 0 ? slot.rowid : std::min(low, slot.rowid);
            high = count == 0 ? slot.rowid : std::max(high, slot.rowid);
            ++count;
        }
        m_dense = count == 0 || fitsTable(high - low + 1, count);
        if (!m_dense)
            return; // sorted when first needed
        m_base = low;
        m_table.assign(count == 0 ? 0 : size_t(high - low + 1), -1);
        for (int s = 0; s < int(snapshot.size()); ++s) {
            if (!snapshot[size_t(s)].isNew)
                m_table[size_t(snapshot[size_t(s)].rowid - m_base)] = s;
        }
    }

    void add(qint64 key, int slot)
    {
        if (m_dense) {
            if (m_table.empty())
                m_base = key;
            const qint64 at = key - m_base;
            if (at >= 0 && at < qint64(m_table.size())) {
                m_table[size_t(at)] = slot;
                return;
            }
            if (at >= 0 && fitsTable(at + 1, m_snapshot->size())) {
                m_table.resize(size_t(at + 1), -1);
                m_table[size_t(at)] = slot;
                return;
            }
            m_dense = false;
            m_table = {};
            m_sortedBuilt = false;
        }
        if (!m_sortedBuilt)
            return; // the slot already holds its key: the sorted list will include it
        const auto at = std::lower_bound(m_sorted.begin(), m_sorted.end(),
                                         std::make_pair(key, std::numeric_limits<int>::min()));
        if (at != m_sorted.end() && at->first == key)
            at->second = slot;
        else
            m_sorted.insert(at, {key, slot});
    }

    // The slot that holds the key, or -1.
    int find(qint64 key)
    {
        if (m_dense) {
            const qint64 at = key - m_base;
            return at >= 0 && at < qint64(m_table.size()) ? m_table[size_t(at)] : -1;
        }
        if (!m_sortedBuilt) {
            m_sorted.clear();
            for (int s = 0; s < int(m_snapshot->size()); ++s) {
                if (!(*m_snapshot)[size_t(s)].isNew)
                    m_sorted.emplace_back((*m_snapshot)[size_t(s)].rowid, s);
            }
            // The later slot of a key comes last among its equals: it is the one kept.
            std::stable_sort(m_sorted.begin(), m_sorted.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            m_sorted.erase(
                std::unique(m_sorted.rbegin(), m_sorted.rend(),
                            [](const auto& a, const auto& b) { return a.first == b.first; })
                    .base(),
                m_sorted.end());
            m_sortedBuilt = true;
        }
        const auto at = std::lower_bound(m_sorted.begin(), m_sorted.end(),
                                         std::make_pair(key, std::numeric_limits<int>::min()));
        return at != m_sorted.end() && at->first == key ? at->second : -1;
    }

private:
    static bool fitsTable(qint64 span, size_t count) { return span <= qint64(2 * count + 1024); }

    const std::vector<Slot>* m_snapshot;
    std::vector<int> m_table; // slot by key - m_base, -1 for none
    qint64 m_base = 0;
    bool m_dense = true;
    std::vector<std::pair<qint64, int>> m_sorted;
    bool m_sortedBuilt = false;
};

struct Pending {
    bool deleted = false;
    bool passes = true;         // matches the filter (a row deleted here comes back if it does)
    QVector<QVariant> original; // the values as read (empty for a begun row)
    std::map<int, QVariant> changes; // column index -> typed value
};

struct CachedRow {
    QVector<QVariant> values;
    bool exists = true;
    quint64 sequence = 0;
};

} // namespace

struct RecordSet::Impl {
    Connection* connection = nullptr;
    bool isOpen = false;
    QString source;
    QString table;
    QString quotedTable;
    QString rowKey; // the name of the hidden row key in SQL (rowid unless a column takes it)
    QVector<Column> columns;
    QHash<QString, int> columnIndex; // lower-case name -> index

    std::vector<Slot> snapshot; // the rows held, in open order; begun rows at the end
    std::vector<int> visible;   // slot indexes of the visible rows, ascending
    bool filtered = false;      // false: every slot that is neither dead nor deleting is visible
    KeyIndex keyIndex{snapshot};
    int beganVisible = 0;  // begun rows among the visible ones (all at the end)
    int current = -1;      // index into visible; -1 before the first, size() past the last
    bool backward = false; // direction of the last move, for reading ahead
    bool jumped = false;   // the last move went straight to a row: read that row alone

    std::map<int, Pending> pending; // by slot index

    QHash<qint64, CachedRow> cache;
    std::deque<std::pair<qint64, quint64>> cacheOrder;
    quint64 sequence = 0;

    QString criteria;

    // Whether the rows held are still those a fresh open would give, for requery(): the
    // connection's change stamp after the open or our own last write, and whether our writes kept
    // the order (no row added, no order value changed).
    int orderColumn = -1;
    QPair<qint64, qint64> stamp{-1, -1};
    bool orderKept = true;

    const db::Engine& engine() const
    {
        return connection ? connection->engine() : db::Engine::file();
    }

    // Runs `read`; when it fails because a server connection was lost, once more after the
    // connection was opened again.
    template <typename Read> auto reviving(Read read)
    {
        try {
            return read();
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::General || !connection || !engine().reconnects())
                throw;
            if (!connection->revive()) {
                if (!connection->isOpen())
                    throw lostConnection();
                throw;
            }
        }
        return read();
    }

    DbError lostConnection() const { return DbError(connection->unreachable()); }

    QSqlDatabase& db()
    {
        // A server connection that was lost is made again by the next command that needs it.
        if (connection && engine().reconnects() && !connection->isOpen() && !connection->revive())
            throw lostConnection();
        if (!connection || !connection->isOpen())
            throw DbError(QCoreApplication::translate(
                "RecordSet", "The record set has no open database connection."));
        return connection->database();
    }

    void requireOpen() const
    {
        if (!isOpen)
            throw DbError(QCoreApplication::translate("RecordSet", "The record set is not open."));
    }

    bool atEnd() const { return !isOpen || visible.empty() || current >= int(visible.size()); }
    bool atStart() const { return !isOpen || visible.empty() || current < 0; }

    int currentSlot() const
    {
        requireOpen();
        if (atEnd() || atStart())
            throw DbError(DbError::Kind::NoCurrentRow,
                          QCoreApplication::translate(
                              "RecordSet", "There is no current row in the table \"%1\".")
                              .arg(table));
        return visible[current];
    }

    int column(const QString& name) const
    {
        requireOpen();
        const auto found = columnIndex.constFind(name.toLower());
        if (found == columnIndex.constEnd())
            throw DbError(
                DbError::Kind::NotFound,
                QCoreApplication::translate("RecordSet", "The table \"%1\" has no column \"%2\".")
                    .arg(table, name));
        return found.value();
    }

    // Every column, then the row's fingerprint: a hash of all its values as stored (text as
    // its bytes, valid UTF-8 or not), which a later write compares to find changes by others.
    QString selectList() const
    {
        QStringList names{rowKey};
        for (const Column& c : columns)
            names << c.quotedName;
        return names.join(QLatin1String(", ")) + QStringLiteral(", ") + fingerprint();
    }

    QString fingerprint() const
    {
        QStringList names;
        for (const Column& c : columns)
            names << c.quotedName;
        return engine().fingerprint(names);
    }

    // Reads the rows with these keys; missing keys are absent from the result.
    QHash<qint64, QVector<QVariant>> readRows(const std::vector<qint64>& keys)
    {
        return reviving([&] { return readRowsOnce(keys); });
    }

    QHash<qint64, QVector<QVariant>> readRowsOnce(const std::vector<qint64>& keys)
    {
        QHash<qint64, QVector<QVariant>> result;
        const QString sql =
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN (%4)")
                .arg(selectList(), quotedTable, rowKey,
                     QStringList(kBlockRows, QStringLiteral("?")).join(QLatin1Char(',')));
        for (size_t start = 0; start < keys.size(); start += kBlockRows) {
            QSqlQuery query(db());
            query.setForwardOnly(true);
            if (!query.prepare(sql))
                throw DbError(
                    QCoreApplication::translate("RecordSet", "Cannot read the table \"%1\": %2.")
                        .arg(table, reasonOf(query)));
            for (int i = 0; i < kBlockRows; ++i) {
                const size_t at = std::min(start + size_t(i), keys.size() - 1);
                query.addBindValue(keys[at]);
            }
            if (!query.exec())
                throw DbError(
                    QCoreApplication::translate("RecordSet", "Cannot read the table \"%1\": %2.")
                        .arg(table, reasonOf(query)));
            while (query.next()) {
                // The values, then the fingerprint.
                QVector<QVariant> values(columns.size() + 1);
                for (int c = 0; c <= columns.size(); ++c) {
                    if (!query.isNull(c + 1))
                        values[c] = query.value(c + 1);
                }
                result.insert(query.value(0).toLongLong(), std::move(values));
            }
        }
        return result;
    }

    void remember(qint64 key, QVector<QVariant> values, bool exists)
    {
        const quint64 seq = ++sequence;
        cache.insert(key, CachedRow{std::move(values), exists, seq});
        cacheOrder.emplace_back(key, seq);
    }

    void trimCache(qint64 keep)
    {
        while (cache.size() > kCacheRows && !cacheOrder.empty()) {
            const auto [key, seq] = cacheOrder.front();
            cacheOrder.pop_front();
            const auto found = cache.find(key);
            if (found == cache.end() || found->sequence != seq)
                continue;
            if (key == keep) {
                cacheOrder.emplace_back(key, seq);
                continue;
            }
            cache.erase(found);
        }
    }

    // Makes the visible row `index` current, reached by paging forward or back.
    void stepTo(int index, bool back)
    {
        current = index;
        backward = back;
        jumped = false;
    }

    // The values of an existing row without changes, read with its neighbours in the direction
    // of travel when it is not in memory.
    const CachedRow& cached(int visibleIndex)
    {
        const qint64 key = snapshot[visible[visibleIndex]].rowid;
        auto found = cache.constFind(key);
        if (found != cache.constEnd())
            return *found;
        std::vector<qint64> keys;
        keys.reserve(kBlockRows);
        const int step = backward ? -1 : 1;
        // After a jump (a quick-search hit, a version's article) the neighbours are read only
        // once the user pages on.
        const int block = jumped ? 1 : kBlockRows;
        jumped = false;
        for (int i = visibleIndex; i >= 0 && i < int(visible.size()) && int(keys.size()) < block;
             i += step) {
            const int s = visible[i];
            if (snapshot[s].isNew || pending.count(s) || cache.contains(snapshot[s].rowid))
                continue;
            keys.push_back(snapshot[s].rowid);
        }
        QHash<qint64, QVector<QVariant>> rows = readRows(keys);
        for (qint64 k : keys) {
            auto row = rows.find(k);
            if (row == rows.end())
                remember(k, QVector<QVariant>(columns.size()), false);
            else
                remember(k, std::move(*row), true);
        }
        trimCache(key);
        return *cache.constFind(key);
    }

    // The value of a column of a visible row, as held (typed; Null is an invalid QVariant).
    QVariant rawValue(int visibleIndex, int col)
    {
        const int s = visible[visibleIndex];
        const auto p = pending.find(s);
        if (p != pending.end())
            return localValue(s, p->second, col);
        return cached(visibleIndex).values[col];
    }

    QVariant localValue(int s, const Pending& p, int col) const
    {
        const auto change = p.changes.find(col);
        if (change != p.changes.end())
            return change->second;
        if (snapshot[s].isNew || p.original.isEmpty())
            return QVariant();
        return p.original[col];
    }

    Pending& pendingFor(int visibleIndex)
    {
        const int s = visible[visibleIndex];
        auto found = pending.find(s);
        if (found != pending.end())
            return found->second;
        Pending p;
        if (!snapshot[s].isNew)
            p.original = cached(visibleIndex).values;
        return pending.emplace(s, std::move(p)).first->second;
    }

    // Every row without a filter.
    void showAll()
    {
        filtered = false;
        visible.clear();
        visible.reserve(snapshot.size());
        beganVisible = 0;
        for (int s = 0; s < int(snapshot.size()); ++s) {
            const Slot& slot = snapshot[size_t(s)];
            if (slot.dead || slot.deleting)
                continue;
            visible.push_back(s);
            if (slot.isNew)
                ++beganVisible;
        }
        for (auto& entry : pending)
            entry.second.passes = true;
    }

    void reset()
    {
        isOpen = false;
        source.clear();
        table.clear();
        quotedTable.clear();
        rowKey.clear();
        columns.clear();
        columnIndex.clear();
        snapshot.clear();
        snapshot.shrink_to_fit();
        visible.clear();
        visible.shrink_to_fit();
        filtered = false;
        keyIndex.clear();
        beganVisible = 0;
        current = -1;
        backward = false;
        pending.clear();
        cache.clear();
        cacheOrder.clear();
        criteria.clear();
        orderColumn = -1;
        stamp = {-1, -1};
        orderKept = true;
    }

    // "WHERE key=? AND c1 IS ? ..." with the values as read, so that a row someone else changed
    // or deleted matches nothing.
    // The row as it was read: same key, same fingerprint.
    QString unchangedCondition() const
    {
        return rowKey + QStringLiteral(" = ? AND ") + fingerprint() + QStringLiteral(" = ?");
    }

    void load(const QString& wantedTable, const QString& wantedColumn);
    void loadFromFile(const QString& wantedTable, const QString& wantedColumn);
    void loadFromServer(const QString& wantedTable, const QString& wantedColumn);
    // The rows of a server table whose column matches a text pattern, compared here with the
    // same folding as on a file.
    std::vector<qint64> serverTextMatches(int col, const TextPattern& pattern);
    Criteria parseCriteria(const QString& text, int& col) const;
    // `unique`: index of the column whose written values must be held by no other row, or -1.
    void send(int unique);
    // The steps of send(), inside its transaction. Each write of a pending row; a failure rolls
    // back (while the statement still exists, so that a server can drop it) and throws.
    qint64 sendInsert(Transaction& transaction, const Pending& p);
    void sendDelete(Transaction& transaction, int s, const Pending& p);
    void sendUpdate(Transaction& transaction, int s, const Pending& p);
    void runSent(Transaction& transaction, db::Query& query, const QString& sql,
                 const QVariantList& binds);
    // The key and fingerprint of the pending row as it was read.
    QVariantList unchangedBinds(int s, const Pending& p) const;
    DbError conflict() const;
    // Commits; a commit whose answer was lost is checked once the connection is back.
    void commitSent(Transaction& transaction, const std::map<int, qint64>& inserted,
                    const QHash<qint64, QVector<QVariant>>& fresh);
    // After the commit: the rows held become the ones written.
    // `before`: the change stamp as the batch began.
    void keepSent(std::map<int, qint64>& inserted, QHash<qint64, QVector<QVariant>>& fresh,
                  const QPair<qint64, qint64>& before);
    // After a COMMIT whose answer was lost with the server connection: opens the connection
    // again and reads the rows the batch wrote. True when they are as the transaction read them
    // back (same fingerprint; a deleted row gone, a new one there). Throws DbError(CommitUnknown)
    // when the connection cannot be made again.
    bool landed(const std::map<int, qint64>& inserted,
                const QHash<qint64, QVector<QVariant>>& fresh);
    // What the last updateBatch() has to tell beside its success (see RecordSet::saveNote()).
    QString saveNote;
    void requireUnique(int unique, const std::map<int, qint64>& inserted);
};

Criteria RecordSet::Impl::parseCriteria(const QString& text, int& col) const
{
    static const QRegularExpression grammar(
        QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_]*)(?:\\s*(=)|\\s+(like))\\s*#(.*)#\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = grammar.match(text);
    if (!match.hasMatch())
        throw DbError(DbError::Kind::BadCriteria,
                      QCoreApplication::translate(
                          "RecordSet", "The search criteria \"%1\" cannot be read; they must have "
                                       "the form Field = #value# or Field LIKE #value#.")
                          .arg(text));
    const QString field = match.captured(1);
    const auto found = columnIndex.constFind(field.toLower());
    if (found == columnIndex.constEnd())
        throw DbError(DbError::Kind::BadCriteria,
                      QCoreApplication::translate(
                          "RecordSet", "The search criteria name the column \"%1\", which the "
                                       "table \"%2\" does not have.")
                          .arg(field, table));
    col = found.value();
    const QString value = match.captured(4);
    const bool equality = !match.captured(2).isEmpty();
    if (equality && columns[col].number)
        return Criteria(NumberPattern(value));
    if (equality)
        return Criteria(TextPattern(value, TextPattern::Mode::Equals));
    return Criteria(TextPattern::like(value));
}

void RecordSet::Impl::send(int unique)
{
    db(); // a lost server connection is made again first
    const QPair<qint64, qint64> before = connection->changeStamp();
    Transaction transaction(*connection,
                            QCoreApplication::translate(
                                "RecordSet", "The changes to the table \"%1\" could not be saved")
                                .arg(table));
    std::map<int, qint64> inserted; // slot -> new key
    QHash<qint64, QVector<QVariant>> fresh;
    {
        std::vector<qint64> written;
        for (const auto& [s, p] : pending) {
            const Slot& slot = snapshot[s];
            if (slot.isNew) {
                inserted[s] = sendInsert(transaction, p);
                written.push_back(inserted[s]);
            } else if (p.deleted) {
                sendDelete(transaction, s, p);
            } else if (!p.changes.empty()) {
                sendUpdate(transaction, s, p);
                written.push_back(slot.rowid);
            }
        }
        if (unique >= 0)
            requireUnique(unique, inserted);
        // Read back what was written (defaults and conversions by the engine included), so the
        // values held are the ones a later change is checked against.
        // Never through a new connection: a lost one took the transaction with it.
        fresh = readRowsOnce(written);
    }
    commitSent(transaction, inserted, fresh);
    keepSent(inserted, fresh, before);
}

void RecordSet::Impl::runSent(Transaction& transaction, db::Query& query, const QString& sql,
                              const QVariantList& binds)
{
    // (A statement the server could not prepare, e.g. because a lock timed out, fails with the
    // server's reason.)
    if (query.tryRun(sql, binds))
        return;
    const DbError error(QCoreApplication::translate("RecordSet",
                                                    "The changes to the table \"%1\" could not be "
                                                    "saved: %2. Nothing was saved.")
                            .arg(table, query.reason()));
    transaction.rollback();
    throw error;
}

DbError RecordSet::Impl::conflict() const
{
    return DbError(DbError::Kind::Conflict,
                   QCoreApplication::translate(
                       "RecordSet", "A row of the table \"%1\" was changed or deleted by someone "
                                    "else since it was read. Nothing was saved.")
                       .arg(table));
}

QVariantList RecordSet::Impl::unchangedBinds(int s, const Pending& p) const
{
    const int sum = int(columns.size());
    return {snapshot[s].rowid, sum < p.original.size() ? p.original[sum] : QVariant()};
}

qint64 RecordSet::Impl::sendInsert(Transaction& transaction, const Pending& p)
{
    QStringList names;
    QVariantList values;
    for (const auto& change : p.changes) {
        names << columns[change.first].quotedName;
        values << change.second;
    }
    const QString sql =
        names.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedTable)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quotedTable, names.join(QLatin1String(", ")),
                       QStringList(names.size(), QStringLiteral("?")).join(QLatin1String(", ")));
    db::Query query(connection->database(), QString());
    runSent(transaction, query, engine().insertGivingKey(sql, rowKey), values);
    return engine().insertedKey(query);
}

void RecordSet::Impl::sendDelete(Transaction& transaction, int s, const Pending& p)
{
    db::Query query(connection->database(), QString());
    runSent(transaction, query,
            QStringLiteral("DELETE FROM %1 WHERE %2").arg(quotedTable, unchangedCondition()),
            unchangedBinds(s, p));
    if (query.rowsAffected() != 1)
        throw conflict();
}

void RecordSet::Impl::sendUpdate(Transaction& transaction, int s, const Pending& p)
{
    QStringList assignments;
    QVariantList values;
    for (const auto& change : p.changes) {
        assignments << columns[change.first].quotedName + QStringLiteral(" = ?");
        values << change.second;
    }
    db::Query query(connection->database(), QString());
    runSent(transaction, query,
            QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                .arg(quotedTable, assignments.join(QLatin1String(", ")), unchangedCondition()),
            values + unchangedBinds(s, p));
    if (query.rowsAffected() != 1)
        throw conflict();
}

void RecordSet::Impl::commitSent(Transaction& transaction, const std::map<int, qint64>& inserted,
                                 const QHash<qint64, QVector<QVariant>>& fresh)
{
    try {
        transaction.commit();
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::CommitUnknown)
            throw;
        if (!landed(inserted, fresh))
            throw DbError(QCoreApplication::translate(
                              "RecordSet",
                              "The changes to the table \"%1\" could not be saved: the "
                              "connection to the database server was lost during the "
                              "commit; it was made again and the table is as it was. "
                              "Nothing was saved.")
                              .arg(table));
        saveNote =
            QCoreApplication::translate(
                "RecordSet", "The changes to the table \"%1\" were saved, but the "
                             "connection to the database server was lost right after; it was "
                             "made again and the table holds them.")
                .arg(table);
    }
}

void RecordSet::Impl::keepSent(std::map<int, qint64>& inserted,
                               QHash<qint64, QVector<QVariant>>& fresh,
                               const QPair<qint64, qint64>& before)
{
    if (!inserted.empty())
        orderKept = false;
    for (const auto& [s, p] : pending)
        if (p.changes.count(orderColumn))
            orderKept = false;
    // Writes of others since the rows were read (before this batch, or committed between its
    // statements and now) must not be absorbed into the new stamp: requery() reads them.
    const QPair<qint64, qint64> after = connection->changeStamp();
    if (before != stamp || after.first != before.first)
        orderKept = false;
    stamp = after;

    for (const auto& [s, p] : pending) {
        Slot& slot = snapshot[s];
        if (slot.isNew) {
            slot.rowid = inserted[s];
            slot.isNew = false;
            keyIndex.add(slot.rowid, s);
        } else if (p.deleted) {
            slot.dead = true;
            slot.deleting = false;
            cache.remove(slot.rowid);
            continue;
        } else if (p.changes.empty()) {
            continue;
        }
        auto row = fresh.find(slot.rowid);
        if (row == fresh.end())
            remember(slot.rowid, QVector<QVariant>(columns.size()), false);
        else
            remember(slot.rowid, std::move(*row), true);
    }
    pending.clear();
    beganVisible = 0;
    trimCache(-1);
}

bool RecordSet::Impl::landed(const std::map<int, qint64>& inserted,
                             const QHash<qint64, QVector<QVariant>>& fresh)
{
    try {
        connection->ensureAlive();
    } catch (const DbError& lost) {
        throw DbError(DbError::Kind::CommitUnknown,
                      QCoreApplication::translate(
                          "RecordSet", "The changes to the table \"%1\" may or may not have been "
                                       "saved: the connection to the database server was lost "
                                       "during the commit. %2")
                          .arg(table, lost.message()));
    }
    std::vector<qint64> keys;
    for (const auto& [s, p] : pending)
        keys.push_back(snapshot[s].isNew ? inserted.at(s) : snapshot[s].rowid);
    const QHash<qint64, QVector<QVariant>> now = readRows(keys);
    const int sum = int(columns.size());
    for (const auto& [s, p] : pending) {
        const qint64 key = snapshot[s].isNew ? inserted.at(s) : snapshot[s].rowid;
        const auto stored = now.constFind(key);
        if (p.deleted) {
            if (stored != now.constEnd())
                return false;
            continue;
        }
        const auto written = fresh.constFind(key);
        if (stored == now.constEnd() ||
            (written != fresh.constEnd() && stored->value(sum) != written->value(sum)))
            return false;
    }
    return true;
}

void RecordSet::Impl::requireUnique(int unique, const std::map<int, qint64>& inserted)
{
    const Column& column = columns[unique];
    for (const auto& [s, p] : pending) {
        if (p.deleted)
            continue;
        for (const auto& change : p.changes) {
            if (change.first != unique || change.second.isNull())
                continue;
            const auto born = inserted.find(s);
            const qint64 rowid = born != inserted.end() ? born->second : snapshot[s].rowid;
            QSqlQuery query(db());
            const bool prepared =
                query.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? AND %3 <> ? LIMIT 1")
                                  .arg(quotedTable, column.quotedName, rowKey));
            query.addBindValue(change.second);
            query.addBindValue(rowid);
            if (!prepared || !query.exec())
                throw DbError(QCoreApplication::translate(
                                  "RecordSet", "The changes to the table \"%1\" could not be "
                                               "saved: %2. Nothing was saved.")
                                  .arg(table, reasonOf(query)));
            if (query.next())
                throw DbError(DbError::Kind::Duplicate,
                              QCoreApplication::translate(
                                  "RecordSet", "The value \"%1\" of the column \"%2\" is already "
                                               "held by another row. Nothing was saved.")
                                  .arg(change.second.toString(), column.name));
        }
    }
}

RecordSet::RecordSet() : d(std::make_unique<Impl>()) {}

RecordSet::RecordSet(Connection& connection) : RecordSet()
{
    d->connection = &connection;
}

RecordSet::~RecordSet() = default;

void RecordSet::setActiveConnection(Connection& connection)
{
    if (d->connection != &connection)
        close();
    d->connection = &connection;
}

void RecordSet::open(const QString& sql)
{
    close();
    static const QRegularExpression grammar(
        QStringLiteral("^\\s*SELECT\\s+\\*\\s+FROM\\s+([A-Za-z_][A-Za-z0-9_]*)\\s+ORDER\\s+BY\\s+"
                       "([A-Za-z_][A-Za-z0-9_]*)\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = grammar.match(sql);
    if (!match.hasMatch())
        throw DbError(QStringLiteral("\"%1\" is not a selection of a whole table in an order "
                                     "(SELECT * FROM table ORDER BY column).")
                          .arg(sql));
    try {
        d->reviving([&] {
            d->reset();
            d->load(match.captured(1), match.captured(2));
        });
    } catch (...) {
        d->reset();
        throw;
    }
    d->source = sql;
    d->isOpen = true;
    d->keyIndex.build();
    d->visible.resize(d->snapshot.size());
    std::iota(d->visible.begin(), d->visible.end(), 0);
    d->current = 0;
}

void RecordSet::Impl::load(const QString& wantedTable, const QString& wantedColumn)
{
    db(); // a lost server connection is made again first
    using Load = void (Impl::*)(const QString&, const QString&);
    (this->*engine().pick<Load>(&Impl::loadFromFile, &Impl::loadFromServer))(wantedTable,
                                                                             wantedColumn);
}

void RecordSet::Impl::loadFromFile(const QString& wantedTable, const QString& wantedColumn)
{
    QSqlDatabase& database = db();
    {
        QSqlQuery query(database);
        const bool prepared =
            query.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                         "name = ? COLLATE NOCASE"));
        query.addBindValue(wantedTable);
        if (!prepared || !query.exec())
            throw DbError(QCoreApplication::translate("RecordSet",
                                                      "Cannot read the tables of the database: %1.")
                              .arg(reasonOf(query)));
        if (!query.next())
            throw DbError(
                DbError::Kind::NotFound,
                QCoreApplication::translate(
                    "RecordSet", "The table \"%1\" does not exist in the database \"%2\".")
                    .arg(wantedTable, connection->path()));
        table = query.value(0).toString();
    }
    quotedTable = quoted(table);
    {
        QSqlQuery query(database);
        if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedTable)))
            throw DbError(QCoreApplication::translate(
                              "RecordSet", "Cannot read the columns of the table \"%1\": %2.")
                              .arg(table, reasonOf(query)));
        while (query.next()) {
            Column c;
            c.name = query.value(1).toString();
            c.quotedName = quoted(c.name);
            c.number = hasNumericAffinity(query.value(2).toString());
            columnIndex.insert(c.name.toLower(), columns.size());
            columns.push_back(c);
        }
    }
    const auto order = columnIndex.constFind(wantedColumn.toLower());
    if (order == columnIndex.constEnd())
        throw DbError(
            DbError::Kind::NotFound,
            QCoreApplication::translate("RecordSet", "The table \"%1\" has no column \"%2\".")
                .arg(table, wantedColumn));
    for (const char* name : {"rowid", "oid", "_rowid_"}) {
        if (!columnIndex.contains(QLatin1String(name))) {
            rowKey = QLatin1String(name);
            break;
        }
    }
    if (rowKey.isEmpty())
        throw DbError(
            QCoreApplication::translate("RecordSet", "The table \"%1\" has no usable row key.")
                .arg(table));

    // Text is ordered ignoring letter case, as a person sorts names.
    orderColumn = order.value();
    const Column& ordered = columns[orderColumn];
    const QString collation =
        ordered.number ? QString() : QStringLiteral(" COLLATE ardentry_nocase");
    // The keys are read through the engine's own interface: for a million rows the driver's
    // conversions would take as long as the reading itself.
    sqlite3* raw = backup::engineHandle(*connection);
    const auto failed = [&] {
        return DbError(QCoreApplication::translate("RecordSet", "Cannot read the table \"%1\": %2.")
                           .arg(table, QString::fromUtf8(sqlite3_errmsg(raw))));
    };
    const auto prepare = [&](const QString& sql) {
        sqlite3_stmt* statement = nullptr;
        const int rc = sqlite3_prepare_v2(raw, sql.toUtf8().constData(), -1, &statement, nullptr);
        std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owned(statement, &sqlite3_finalize);
        if (rc != SQLITE_OK)
            throw failed();
        return owned;
    };
    {
        // Room for every key at once: the keys between the lowest and the highest.
        const auto span = prepare(QStringLiteral("SELECT (SELECT max(%1) FROM %2) - (SELECT "
                                                 "min(%1) FROM %2)")
                                      .arg(rowKey, quotedTable));
        if (sqlite3_step(span.get()) == SQLITE_ROW)
            snapshot.reserve(size_t(std::clamp<sqlite3_int64>(
                sqlite3_column_int64(span.get(), 0) + 1, 0, sqlite3_int64(1) << 24)));
    }
    // Taken before the keys: a write of someone else in between makes the next requery read
    // them again.
    stamp = connection->changeStamp();
    const auto keys = prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3%4, %1")
                                  .arg(rowKey, quotedTable, ordered.quotedName, collation));
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(keys.get())) == SQLITE_ROW) {
        Slot slot;
        slot.rowid = sqlite3_column_int64(keys.get(), 0);
        snapshot.push_back(slot);
    }
    if (rc != SQLITE_DONE)
        throw failed();
    orderKept = true;
}

void RecordSet::Impl::loadFromServer(const QString& wantedTable, const QString& wantedColumn)
{
    QSqlDatabase& database = db();
    QString serverTable;
    {
        QSqlQuery query(database);
        // (The catalog answers in a fraction of the time the information schema takes.)
        const bool prepared =
            query.prepare(QStringLiteral("SELECT relname FROM pg_class WHERE relnamespace = "
                                         "current_schema()::regnamespace AND relkind IN ('r', 'p', "
                                         "'v') AND lower(relname) = lower(?) ORDER BY relname = ? "
                                         "DESC LIMIT 1"));
        query.addBindValue(wantedTable);
        query.addBindValue(wantedTable);
        if (!prepared || !query.exec())
            throw DbError(QCoreApplication::translate("RecordSet",
                                                      "Cannot read the tables of the database: %1.")
                              .arg(reasonOf(query)));
        if (!query.next())
            throw DbError(
                DbError::Kind::NotFound,
                QCoreApplication::translate(
                    "RecordSet", "The table \"%1\" does not exist in the database \"%2\".")
                    .arg(wantedTable, connection->displayPath()));
        // Messages name the table as the program wrote it; the server keeps it in lower case.
        table = wantedTable;
        serverTable = query.value(0).toString();
        quotedTable = quoted(serverTable);
    }
    // The hidden row key is the column "rowid", which the program's tables have on a server;
    // it is not one of the columns the record set shows.
    rowKey = QStringLiteral("rowid");
    bool hasKey = false;
    {
        QSqlQuery query(database);
        const bool prepared = query.prepare(
            QStringLiteral("SELECT a.attname, format_type(a.atttypid, NULL) FROM "
                           "pg_attribute a WHERE a.attrelid = CAST(? AS regclass) AND "
                           "a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum"));
        query.addBindValue(quotedTable);
        if (!prepared || !query.exec())
            throw DbError(QCoreApplication::translate(
                              "RecordSet", "Cannot read the columns of the table \"%1\": %2.")
                              .arg(table, reasonOf(query)));
        while (query.next()) {
            const QString name = query.value(0).toString();
            if (name == rowKey) {
                hasKey = true;
                continue;
            }
            Column c;
            c.name = name;
            c.quotedName = quoted(c.name);
            c.number = isTypedNumberType(query.value(1).toString());
            c.whole = isTypedWholeType(query.value(1).toString());
            columnIndex.insert(c.name.toLower(), columns.size());
            columns.push_back(c);
        }
    }
    if (!hasKey)
        throw DbError(QCoreApplication::translate(
                          "RecordSet",
                          "The table \"%1\" has no row key \"rowid\"; make the database "
                          "with ardentry-newdb.")
                          .arg(table));
    const auto order = columnIndex.constFind(wantedColumn.toLower());
    if (order == columnIndex.constEnd())
        throw DbError(
            DbError::Kind::NotFound,
            QCoreApplication::translate("RecordSet", "The table \"%1\" has no column \"%2\".")
                .arg(table, wantedColumn));
    orderColumn = order.value();
    const Column& ordered = columns[orderColumn];
    stamp = connection->changeStamp(); // before the keys, as on a file
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (ordered.number) {
        // Nulls first, as a file orders them.
        const std::vector<qint64> keys = engine().wholeNumbers(
            database,
            QCoreApplication::translate("RecordSet", "Cannot read the table \"%1\"").arg(table),
            QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 NULLS FIRST, %1")
                .arg(rowKey, quotedTable, ordered.quotedName));
        snapshot.resize(keys.size());
        for (size_t i = 0; i < keys.size(); ++i)
            snapshot[i].rowid = keys[i];
    } else {
        // Text is ordered here, ignoring letter case exactly as on a file, whatever the
        // server's collation.
        if (!query.exec(QStringLiteral("SELECT %1, %2 FROM %3")
                            .arg(rowKey, ordered.quotedName, quotedTable)))
            throw DbError(
                QCoreApplication::translate("RecordSet", "Cannot read the table \"%1\": %2.")
                    .arg(table, reasonOf(query)));
        std::vector<std::pair<QByteArray, qint64>> rows;
        rows.reserve(size_t(std::max(0, query.size())));
        while (query.next())
            rows.emplace_back(query.value(1).toString().toUtf8(), query.value(0).toLongLong());
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            const int byText = textmatch::compareIgnoringCase(a.first.constData(), a.first.size(),
                                                              b.first.constData(), b.first.size());
            return byText != 0 ? byText < 0 : a.second < b.second;
        });
        snapshot.reserve(rows.size());
        for (const auto& row : rows) {
            Slot slot;
            slot.rowid = row.second;
            snapshot.push_back(slot);
        }
    }
    orderKept = true;
}

namespace
{

// How the server narrows a text search of a column: nothing (every row is compared here), with
// ILIKE over every row, or through the column's trigram index.
enum class Narrowing { None, Scan, Index };

Narrowing narrowingOf(QSqlDatabase& database, const QString& quotedTable, const QString& column)
{
    // Only text is compared by the server as the program shows it; one question tells the
    // column's type and whether an index serves it.
    QSqlQuery query(database);
    query.setForwardOnly(true);
    const bool asked = query.prepare(QStringLiteral(
        "SELECT a.atttypid IN ('pg_catalog.text'::pg_catalog.regtype, "
        "'pg_catalog.varchar'::pg_catalog.regtype), EXISTS (SELECT 1 FROM pg_catalog.pg_index "
        "i JOIN pg_catalog.pg_class c ON c.oid = i.indexrelid WHERE i.indrelid = a.attrelid "
        "AND c.relname = ?) FROM pg_catalog.pg_attribute a WHERE a.attrelid = "
        "pg_catalog.to_regclass(?) AND a.attname = ? AND NOT a.attisdropped"));
    query.addBindValue(searchnarrowing::indexName(column));
    query.addBindValue(quotedTable);
    query.addBindValue(column);
    if (!asked || !query.exec() || !query.next() || !query.value(0).toBool())
        return Narrowing::None;
    return query.value(1).toBool() ? Narrowing::Index : Narrowing::Scan;
}

} // namespace

std::vector<qint64> RecordSet::Impl::serverTextMatches(int col, const TextPattern& pattern)
{
    // The server sends only the rows that may match (searchnarrowing), and they are compared
    // here exactly.
    const QString& field = columns[col].quotedName;
    const QString wider = searchnarrowing::widerLike(pattern);
    QString condition;
    if (!wider.isEmpty() && !columns[col].number) {
        switch (narrowingOf(db(), quotedTable, columns[col].name)) {
        case Narrowing::None:
            break;
        case Narrowing::Scan: // the quicker without an index
            condition = QStringLiteral(" WHERE %1 ILIKE ? COLLATE \"C\"").arg(field);
            break;
        case Narrowing::Index: // the index's own expression
            condition =
                QStringLiteral(" WHERE pg_catalog.lower(%1 COLLATE pg_catalog.\"C\") LIKE ?")
                    .arg(field);
            break;
        }
    }
    QSqlQuery query(db());
    query.setForwardOnly(true);
    bool ran = query.prepare(
        QStringLiteral("SELECT %1, %2 FROM %3%4").arg(rowKey, field, quotedTable, condition));
    if (!condition.isEmpty())
        query.addBindValue(wider);
    ran = ran && query.exec();
    if (!ran)
        throw DbError(
            QCoreApplication::translate("RecordSet", "Cannot search the table \"%1\": %2.")
                .arg(table, reasonOf(query)));
    std::vector<qint64> matches;
    QByteArray bytes;
    while (query.next()) {
        // As UTF-8 a text of ASCII alone is compared without folding.
        bytes = textmatch::valueText(query.isNull(1) ? QVariant() : query.value(1)).toUtf8();
        if (pattern.matchesUtf8(bytes.constData(), bytes.size()))
            matches.push_back(query.value(0).toLongLong());
    }
    return matches;
}

void RecordSet::close()
{
    d->reset();
}

void RecordSet::requery()
{
    if (!d->isOpen)
        throw DbError(QCoreApplication::translate("RecordSet", "The record set is not open."));
    Impl& s = *d;
    if (!s.pending.empty() || !s.orderKept || s.connection->changeStamp() != s.stamp) {
        const QString sql = s.source;
        open(sql);
        return;
    }
    // Nothing but our own deletions and changes that keep the order: the rows held are the
    // ones a fresh open would give, once the filter is gone.
    if (s.filtered)
        s.showAll();
    s.criteria = QString();
    s.current = 0;
    s.backward = false;
}

bool RecordSet::isOpen() const
{
    return d->isOpen;
}

QString RecordSet::source() const
{
    return d->source;
}

QString RecordSet::tableName() const
{
    return d->table;
}

void RecordSet::moveFirst()
{
    d->requireOpen();
    if (d->visible.empty())
        throw DbError(DbError::Kind::NoCurrentRow,
                      QCoreApplication::translate("RecordSet",
                                                  "There is no row to move to in the table \"%1\".")
                          .arg(d->table));
    d->stepTo(0, false);
}

void RecordSet::moveLast()
{
    d->requireOpen();
    if (d->visible.empty())
        throw DbError(DbError::Kind::NoCurrentRow,
                      QCoreApplication::translate("RecordSet",
                                                  "There is no row to move to in the table \"%1\".")
                          .arg(d->table));
    d->stepTo(int(d->visible.size()) - 1, true);
}

void RecordSet::moveToPosition(int position)
{
    d->requireOpen();
    const int count = recordCount();
    if (count > 0)
        d->stepTo(std::clamp(position, 1, count) - 1, false);
}

void RecordSet::moveNext()
{
    d->requireOpen();
    if (d->atEnd())
        throw DbError(DbError::Kind::NoCurrentRow,
                      QCoreApplication::translate(
                          "RecordSet", "Cannot move past the last row of the table \"%1\".")
                          .arg(d->table));
    d->stepTo(d->current + 1, false);
}

void RecordSet::movePrevious()
{
    d->requireOpen();
    if (d->atStart())
        throw DbError(DbError::Kind::NoCurrentRow,
                      QCoreApplication::translate(
                          "RecordSet", "Cannot move before the first row of the table \"%1\".")
                          .arg(d->table));
    d->stepTo(d->current - 1, true);
}

bool RecordSet::eof() const
{
    return d->atEnd();
}

bool RecordSet::bof() const
{
    return d->atStart();
}

QString RecordSet::value(const QString& column) const
{
    const int col = d->column(column);
    d->currentSlot();
    return textmatch::valueText(d->rawValue(d->current, col));
}

void RecordSet::collect(const QString& column, const QString& value)
{
    const int col = d->column(column);
    d->currentSlot();
    QVariant typed;
    if (d->columns[col].number) {
        if (!value.trimmed().isEmpty()) {
            const std::optional<QVariant> number = textmatch::parseNumber(value);
            if (!number)
                throw DbError(DbError::Kind::BadValue,
                              QCoreApplication::translate(
                                  "RecordSet", "The column \"%1\" holds numbers; \"%2\" is not a "
                                               "number.")
                                  .arg(d->columns[col].name, value));
            typed = *number;
            // A whole-number column takes 12.0 as 12, and no fraction.
            if (d->columns[col].whole && typed.typeId() != QMetaType::LongLong &&
                typed.toDouble() == std::floor(typed.toDouble()) &&
                std::abs(typed.toDouble()) < 9.0e18)
                typed = QVariant(qlonglong(typed.toDouble()));
            if (d->columns[col].whole && typed.typeId() != QMetaType::LongLong)
                throw DbError(DbError::Kind::BadValue,
                              QCoreApplication::translate(
                                  "RecordSet", "The column \"%1\" holds whole numbers; \"%2\" is "
                                               "not a whole number.")
                                  .arg(d->columns[col].name, value));
        }
    } else {
        // A text column always gets text: an empty box is written as the empty text, not Null.
        typed = value.isNull() ? QString(QLatin1String("")) : value;
    }
    d->pendingFor(d->current).changes[col] = typed;
}

void RecordSet::addNew()
{
    d->requireOpen();
    Slot slot;
    slot.isNew = true;
    d->snapshot.push_back(slot);
    const int s = int(d->snapshot.size()) - 1;
    d->pending.emplace(s, Pending());
    d->visible.push_back(s);
    ++d->beganVisible;
    d->current = int(d->visible.size()) - 1;
}

void RecordSet::deleteCurrent()
{
    const int s = d->currentSlot();
    if (d->snapshot[s].isNew) {
        d->snapshot[s].dead = true;
        d->pending.erase(s);
        --d->beganVisible;
    } else {
        d->pendingFor(d->current).deleted = true;
        d->snapshot[s].deleting = true;
    }
    d->visible.erase(d->visible.begin() + d->current);
}

void RecordSet::updateBatch(const QString& uniqueColumn)
{
    d->requireOpen();
    if (d->pending.empty())
        return;
    d->saveNote.clear();
    d->send(uniqueColumn.isEmpty() ? -1 : d->column(uniqueColumn));
}

QString RecordSet::saveNote() const
{
    return d->saveNote;
}

void RecordSet::cancelBatch()
{
    if (!d->isOpen)
        return;
    Impl& s = *d;
    const bool wasAtEnd = s.atEnd();
    const bool wasAtStart = s.atStart();
    const int currentSlot = (wasAtEnd || wasAtStart) ? -1 : s.visible[s.current];
    // Begun rows vanish (they are the last slots); deleted rows that pass the filter come back.
    std::vector<int> back;
    int firstBegun = int(s.snapshot.size());
    for (const auto& [slot, p] : s.pending) {
        Slot& row = s.snapshot[size_t(slot)];
        if (row.isNew) {
            row.dead = true;
            firstBegun = std::min(firstBegun, slot);
        } else if (row.deleting && p.passes) {
            back.push_back(slot);
        }
        row.deleting = false;
    }
    s.pending.clear();
    s.visible.erase(std::lower_bound(s.visible.begin(), s.visible.end(), firstBegun),
                    s.visible.end());
    s.beganVisible = 0;
    if (!back.empty()) {
        std::vector<int> merged;
        merged.reserve(s.visible.size() + back.size());
        std::merge(s.visible.begin(), s.visible.end(), back.begin(), back.end(),
                   std::back_inserter(merged));
        s.visible.swap(merged);
    }
    if (currentSlot >= 0) {
        const auto found = std::lower_bound(s.visible.begin(), s.visible.end(), currentSlot);
        if (found != s.visible.end() && *found == currentSlot)
            s.current = int(found - s.visible.begin());
        else
            s.current = int(s.visible.size()) - 1;
    } else {
        s.current = wasAtStart ? -1 : int(s.visible.size());
    }
}

bool RecordSet::hasPendingChanges() const
{
    return !d->pending.empty();
}

qint64 RecordSet::currentKey() const
{
    const int s = d->currentSlot();
    return d->snapshot[s].isNew ? 0 : d->snapshot[s].rowid;
}

bool RecordSet::rereadCurrent()
{
    const int s = d->currentSlot();
    if (d->snapshot[s].isNew)
        return true;
    const qint64 key = d->snapshot[s].rowid;
    QHash<qint64, QVector<QVariant>> rows = d->readRows({key});
    const auto row = rows.find(key);
    if (row == rows.end())
        return false;
    const auto p = d->pending.find(s);
    if (p != d->pending.end())
        p->second.original = *row;
    d->remember(key, std::move(*row), true);
    d->trimCache(key);
    return true;
}

bool RecordSet::currentIsNew() const
{
    if (d->atEnd() || d->atStart())
        return false;
    return d->snapshot[d->visible[d->current]].isNew;
}

void RecordSet::setFilter(const QString& criteria)
{
    d->requireOpen();
    Impl& s = *d;
    if (criteria.trimmed().isEmpty()) {
        if (s.filtered)
            s.showAll();
    } else {
        int col = -1;
        const Criteria parsed = s.parseCriteria(criteria, col);
        const TextPattern* text = parsed.text();
        const NumberPattern* number = parsed.number();
        const bool everything = text && text->mode() == TextPattern::Mode::Everything;
        const bool nothing = number && !number->isValid();

        std::vector<qint64> matches;
        const auto searchFile = [&] {
            std::vector<qint64> found;
            QSqlQuery query(s.db());
            query.setForwardOnly(true);
            const QString field = s.columns[col].quotedName;
            bool prepared = false;
            if (text) {
                prepared =
                    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE ardentry_like(%3, ?, ?)")
                                      .arg(s.rowKey, s.quotedTable, field));
                query.addBindValue(text->needle());
                query.addBindValue(static_cast<int>(text->mode()));
            } else {
                // Numbers compare in the engine, where an index on the column serves; only
                // text and blobs (which sort after every number) go through the function.
                prepared = query.prepare(
                    QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? UNION ALL SELECT %1 "
                                   "FROM %2 WHERE %3 >= '' AND "
                                   "ardentry_number_equals(%3, ?)")
                        .arg(s.rowKey, s.quotedTable, field));
                query.addBindValue(number->value());
                query.addBindValue(number->source());
            }
            if (!prepared || !query.exec())
                throw DbError(
                    QCoreApplication::translate("RecordSet", "Cannot search the table \"%1\": %2.")
                        .arg(s.table, reasonOf(query)));
            while (query.next())
                found.push_back(query.value(0).toLongLong());
            return found;
        };
        const auto searchServer = [&] {
            if (text)
                return s.serverTextMatches(col, *text);
            std::vector<qint64> found;
            QVariant value = number->value();
            // A whole-number column holds no fraction: 2.5 matches nothing there, 12.0 is 12.
            if (s.columns[col].whole && value.typeId() != QMetaType::LongLong) {
                const double real = value.toDouble();
                if (real != std::floor(real) || std::abs(real) > 9.0e18)
                    return found;
                value = QVariant(qlonglong(real));
            }
            QSqlQuery query(s.db());
            query.setForwardOnly(true);
            const bool prepared =
                query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4")
                                  .arg(s.rowKey, s.quotedTable, s.columns[col].quotedName,
                                       value.typeId() == QMetaType::LongLong
                                           ? QStringLiteral("?")
                                           : QStringLiteral("CAST(? AS "
                                                            "double precision)")));
            query.addBindValue(value);
            if (!prepared || !query.exec())
                throw DbError(
                    QCoreApplication::translate("RecordSet", "Cannot search the table \"%1\": %2.")
                        .arg(s.table, reasonOf(query)));
            while (query.next())
                found.push_back(query.value(0).toLongLong());
            return found;
        };
        if (!everything && !nothing) {
            matches = s.engine().matchesPatterns() ? searchFile() : s.reviving(searchServer);
        }
        // The rows the engine found, then those of the batch by the values they hold here.
        std::vector<int> shown;
        const auto unsent = [&](int slot) { return s.pending.count(slot) != 0; };
        if (everything) {
            for (int i = 0; i < int(s.snapshot.size()); ++i) {
                if (!s.snapshot[size_t(i)].dead && !unsent(i))
                    shown.push_back(i);
            }
        } else if (!nothing) {
            shown.reserve(matches.size());
            for (const qint64 key : matches) {
                const int i = s.keyIndex.find(key);
                if (i >= 0 && !s.snapshot[size_t(i)].dead && !s.snapshot[size_t(i)].isNew &&
                    !unsent(i))
                    shown.push_back(i);
            }
        }
        s.beganVisible = 0;
        for (auto& [i, p] : s.pending) {
            const Slot& slot = s.snapshot[size_t(i)];
            if (slot.dead)
                continue;
            p.passes = parsed.matches(s.localValue(i, p, col));
            if (p.passes && !slot.deleting) {
                shown.push_back(i);
                if (slot.isNew)
                    ++s.beganVisible;
            }
        }
        std::sort(shown.begin(), shown.end());
        shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
        s.visible.swap(shown);
        s.filtered = true;
    }
    s.criteria = criteria;
    s.current = 0;
    s.backward = false;
}

QString RecordSet::filter() const
{
    return d->criteria;
}

int RecordSet::recordCount() const
{
    if (!d->isOpen)
        return 0;
    return int(d->visible.size()) - d->beganVisible;
}

bool RecordSet::moveToKey(qint64 key)
{
    d->requireOpen();
    const int s = d->keyIndex.find(key);
    if (s < 0)
        return false;
    const Slot& slot = d->snapshot[size_t(s)];
    if (slot.isNew || slot.dead || slot.deleting || slot.rowid != key)
        return false;
    const auto found = std::lower_bound(d->visible.begin(), d->visible.end(), s);
    if (found == d->visible.end() || *found != s)
        return false;
    d->current = int(found - d->visible.begin());
    d->jumped = true;
    return true;
}

int RecordSet::absolutePosition() const
{
    if (d->atEnd() || d->atStart())
        return 0;
    return d->current + 1;
}

QStringList RecordSet::columnNames() const
{
    QStringList names;
    for (const Column& c : d->columns)
        names << c.name;
    return names;
}

bool RecordSet::isNumberColumn(const QString& column) const
{
    return d->columns[d->column(column)].number;
}
