#include "core/QuickSearch.h"

#include "core/Connection.h"
#include "core/DbError.h"
#include "core/Schema.h"
#include "core/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>

namespace
{

// The indexed columns of AR, in the order of the index; the ranking weighs them in this order.
const char* const IndexedColumns = "Title, Problem, solution, CUName, techname, reference";
const char* const Weights = "10.0, 5.0, 2.0, 1.0, 1.0, 1.0";
constexpr qint64 BuildBlock = 20000;

[[noreturn]] void fail(const QString& what, const QSqlQuery& query)
{
    throw DbError(what + QStringLiteral(": ") + engineReason(query.lastError()) + QLatin1Char('.'));
}

void run(QSqlDatabase& database, const QString& sql)
{
    QSqlQuery query(database);
    if (!query.exec(sql))
        fail(QStringLiteral("The quick-search index could not be made"), query);
}

QString newValues(const char* prefix)
{
    QStringList values;
    for (const QString& column : QString::fromLatin1(IndexedColumns).split(QStringLiteral(", ")))
        values << QLatin1String(prefix) + column;
    return values.join(QStringLiteral(", "));
}

bool searchable(const QString& word)
{
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

QString quotedString(QString text)
{
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QString quicksearch::ftsQuery(const QString& typed, bool prefixLast)
{
    // Words and "quoted phrases"; an unbalanced quote runs to the end.
    struct Part {
        QString text;
        bool phrase = false;
    };
    QList<Part> parts;
    QString word;
    bool inQuote = false;
    const auto endWord = [&](bool phrase) {
        if (searchable(word))
            parts << Part{word, phrase};
        word.clear();
    };
    for (const QChar c : typed) {
        if (c == QLatin1Char('"')) {
            endWord(inQuote);
            inQuote = !inQuote;
        } else if (c.isSpace() && !inQuote) {
            endWord(false);
        } else {
            word += c;
        }
    }
    const bool typingLast =
        !typed.isEmpty() && !typed.back().isSpace() && typed.back() != QLatin1Char('"');
    endWord(inQuote);
    QStringList terms;
    for (int i = 0; i < parts.size(); ++i) {
        QString term = quotedString(parts[i].text);
        // A prefix of three letters or more: the index keeps those, so it stays fast.
        if (prefixLast && typingLast && i == parts.size() - 1 && parts[i].text.size() >= 3)
            term += QLatin1Char('*');
        terms << term;
    }
    return terms.join(QLatin1Char(' '));
}

bool quicksearch::hasIndex(QSqlDatabase& database)
{
    return schema::has(database, schema::QuickSearchIndex);
}

void quicksearch::createIndex(QSqlDatabase& database, bool fill)
{
    // The index reads its texts from AR itself (external content), so it holds only the words
    // and, for a fast search while typing, every word's first three letters.
    run(database,
        QStringLiteral(
            "CREATE VIRTUAL TABLE ardentry_search USING fts5(%1, content='AR', "
            "content_rowid='rowid', tokenize='unicode61 remove_diacritics 2', prefix='3')")
            .arg(QLatin1String(IndexedColumns)));
    const QString columns = QLatin1String(IndexedColumns);
    const QString added = QStringLiteral("INSERT INTO ardentry_search(rowid, %1) VALUES "
                                         "(new.rowid, %2);")
                              .arg(columns, newValues("new."));
    const QString removed = QStringLiteral("INSERT INTO ardentry_search(ardentry_search, rowid, "
                                           "%1) VALUES ('delete', old.rowid, %2);")
                                .arg(columns, newValues("old."));
    run(database, QStringLiteral("CREATE TRIGGER ardentry_search_insert AFTER INSERT ON AR BEGIN "
                                 "%1 END")
                      .arg(added));
    run(database, QStringLiteral("CREATE TRIGGER ardentry_search_delete AFTER DELETE ON AR BEGIN "
                                 "%1 END")
                      .arg(removed));
    run(database, QStringLiteral("CREATE TRIGGER ardentry_search_update AFTER UPDATE ON AR BEGIN "
                                 "%1 %2 END")
                      .arg(removed, added));
    if (fill)
        run(database, QStringLiteral("INSERT INTO ardentry_search(ardentry_search) "
                                     "VALUES ('rebuild')"));
    schema::markAdded(database, schema::QuickSearchIndex);
}

bool quicksearch::buildIndex(Connection& connection,
                             const std::function<bool(qint64, qint64)>& progress)
{
    QSqlDatabase& database = connection.database();
    Transaction transaction(database, QStringLiteral("The quick-search index could not be made"));
    if (hasIndex(database))
        return true;
    createIndex(database, false);
    QSqlQuery count(database);
    if (!count.exec(QStringLiteral("SELECT count(*), max(rowid) FROM AR")) || !count.next())
        fail(QStringLiteral("The articles could not be counted"), count);
    const qint64 total = count.value(0).toLongLong();
    const qint64 lastKey = count.value(1).toLongLong();
    count.finish();
    QSqlQuery block(database);
    block.prepare(QStringLiteral("INSERT INTO ardentry_search(rowid, %1) SELECT rowid, %1 FROM AR "
                                 "WHERE rowid > ? AND rowid <= ?")
                      .arg(QLatin1String(IndexedColumns)));
    qint64 done = 0;
    for (qint64 from = 0; from < lastKey; from += BuildBlock) {
        block.addBindValue(from);
        block.addBindValue(from + BuildBlock);
        if (!block.exec())
            fail(QStringLiteral("The quick-search index could not be made"), block);
        done += block.numRowsAffected();
        if (progress && !progress(std::min(done, total), total))
            return false; // the transaction rolls back
    }
    transaction.commit();
    return true;
}

quicksearch::Result quicksearch::search(Connection& connection, const QString& typed, int limit)
{
    Result result;
    QSqlDatabase& database = connection.database();
    const QString match = ftsQuery(typed, true);

    // The article whose number was typed comes first.
    bool isNumber = false;
    const qlonglong number = typed.trimmed().toLongLong(&isNumber);
    QList<qint64> keys;
    if (isNumber) {
        QSqlQuery byNumber(database);
        byNumber.prepare(QStringLiteral("SELECT rowid FROM AR WHERE ID = ? LIMIT ?"));
        byNumber.addBindValue(number);
        byNumber.addBindValue(limit);
        if (!byNumber.exec())
            fail(QStringLiteral("The quick search failed"), byNumber);
        while (byNumber.next())
            keys << byNumber.value(0).toLongLong();
    }
    QHash<qint64, QString> snippets;
    const auto collect = [&](const QString& query, bool ranked) {
        QSqlQuery found(database);
        found.prepare(
            QStringLiteral("SELECT rowid, snippet(ardentry_search, -1, char(2), "
                           "char(3), '…', 12) FROM ardentry_search WHERE "
                           "ardentry_search MATCH ? ORDER BY %1 LIMIT ?")
                .arg(ranked
                         ? QStringLiteral("bm25(ardentry_search, %1)").arg(QLatin1String(Weights))
                         : QStringLiteral("rowid DESC")));
        found.addBindValue(query);
        found.addBindValue(limit);
        if (!found.exec())
            fail(QStringLiteral("The quick search failed"), found);
        while (found.next() && keys.size() < limit) {
            const qint64 key = found.value(0).toLongLong();
            if (snippets.contains(key))
                continue;
            snippets.insert(key, found.value(1).toString());
            if (!keys.contains(key))
                keys << key;
        }
    };
    const auto countOf = [&](const QString& query) {
        QSqlQuery count(database);
        count.prepare(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM ardentry_search WHERE "
                                     "ardentry_search MATCH ? LIMIT %1)")
                          .arg(RankedAtMost + 1));
        count.addBindValue(query);
        if (!count.exec() || !count.next())
            fail(QStringLiteral("The quick search failed"), count);
        return count.value(0).toInt();
    };
    if (!match.isEmpty()) {
        result.total = countOf(match);
        result.overflow = result.total > RankedAtMost;
        if (!result.overflow) {
            collect(match, true);
        } else {
            // Too many to rank them all quickly: title matches first, then the newest.
            const QString inTitle = QStringLiteral("{Title} : (%1)").arg(match);
            collect(inTitle, countOf(inTitle) <= RankedAtMost);
            collect(match, false);
        }
    }
    // The numbered articles that the words did not find count too.
    for (qint64 key : keys)
        if (!snippets.contains(key) && !result.overflow)
            ++result.total;
    while (keys.size() > limit)
        keys.removeLast();

    QSqlQuery row(database);
    row.prepare(QStringLiteral("SELECT ID, Title, CUName, techname, InitialEntry, Problem FROM AR "
                               "WHERE rowid = ?"));
    for (qint64 key : keys) {
        row.addBindValue(key);
        if (!row.exec())
            fail(QStringLiteral("The quick search failed"), row);
        if (!row.next())
            continue;
        Hit hit;
        hit.key = key;
        hit.id = row.value(0).toString();
        hit.title = row.value(1).toString();
        hit.category = row.value(2).toString();
        hit.enteredBy = row.value(3).toString();
        hit.dateEntered = row.value(4).toString();
        hit.snippet = snippets.value(key, row.value(5).toString().left(120));
        hit.snippet.replace(QLatin1Char('\n'), QLatin1Char(' '));
        result.hits << hit;
        row.finish();
    }
    return result;
}
