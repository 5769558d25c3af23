// ardentry-load: many clients editing, adding and searching the articles of one server database
// at once, as a help desk does on a busy morning; afterwards checks that no save was lost, no
// conflict went unreported and no article number was given twice.

#include "core/Connection.h"
#include "core/DbError.h"
#include "core/RecordSet.h"
#include "core/ServerAddress.h"
#include "core/Transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace
{

const char* const kUsage =
    "Usage: ardentry-load ADDRESS [--clients N] [--seconds S]\n"
    "\n"
    "Runs N clients (10) for S seconds (60) against the article database on a server\n"
    "(postgresql://user@host/database), each with its own connection: they change the problem\n"
    "text of random articles, add articles with the next free number and search. Then checks\n"
    "the database: every save that succeeded is there, no two saves of one article started\n"
    "from the same version (a conflict that went unreported), no article number is taken twice.\n"
    "Exit code 0 only when the check passes.\n";

const char* const kArticleQuery = "SELECT * FROM AR ORDER BY ID";
// Edits that go to the first few articles, so clients meet on them and conflicts happen.
constexpr int kHotArticles = 10;
constexpr int kHotPercent = 40;
constexpr int kAddPercent = 10;
constexpr int kSearchPercent = 15;
constexpr int kAddAttempts = 20;
const char* const kSearchWords[] = {"printer", "toner", "marker", "network", "nothing-like-this"};

// One save that succeeded: the article's number, the problem text it started from (empty for a
// new article) and the one it wrote.
struct Save {
    qlonglong number = 0;
    QString base;
    QString text;
};

struct ClientLog {
    std::vector<Save> saves;
    std::vector<double> saveMs;
    std::vector<double> searchMs;
    qint64 edits = 0;
    qint64 added = 0;
    qint64 conflicts = 0;
    qint64 duplicates = 0;
    qint64 addsGivenUp = 0;
    QStringList failures; // anything else that went wrong, reported by the record set
};

double elapsedMs(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1.0e6;
}

qlonglong nextNumber(Connection& connection)
{
    QSqlQuery query(connection.database());
    if (!query.exec(QStringLiteral("SELECT MAX(ID) FROM AR")) || !query.next())
        throw DbError(QStringLiteral("Cannot read the largest article number: %1")
                          .arg(engineReason(query.lastError())));
    return query.isNull(0) ? 1 : query.value(0).toLongLong() + 1;
}

class Client
{
public:
    Client(int number, const QString& address, qint64 deadlineMs, const QElapsedTimer& clock)
        : m_number(number), m_address(address), m_deadlineMs(deadlineMs), m_clock(clock),
          m_random(std::mt19937::result_type(number * 7919 + 17))
    {
    }

    ClientLog run()
    {
        try {
            Connection connection;
            connection.open(m_address);
            Transaction::setWriterName(connection.connectionName(),
                                       QStringLiteral("load-client-%1").arg(m_number));
            RecordSet articles(connection);
            articles.open(QString::fromLatin1(kArticleQuery));
            for (int iteration = 0; m_clock.elapsed() < m_deadlineMs; ++iteration) {
                try {
                    step(connection, articles, iteration);
                } catch (const DbError& e) {
                    m_log.failures << e.message();
                    if (articles.isOpen())
                        articles.cancelBatch();
                }
            }
            Transaction::setWriterName(connection.connectionName(), QString());
        } catch (const DbError& e) {
            m_log.failures << e.message();
        }
        return m_log;
    }

private:
    int percent() { return int(m_random() % 100); }

    void step(Connection& connection, RecordSet& articles, int iteration)
    {
        articles.requery();
        const int roll = percent();
        if (roll < kAddPercent)
            add(connection, articles, iteration);
        else if (roll < kAddPercent + kSearchPercent)
            search(articles);
        else
            edit(articles, iteration);
    }

    QString marker(int iteration, const char* what) const
    {
        return QStringLiteral("%1 by load client %2 at iteration %3 (marker c%2i%3)")
            .arg(QLatin1String(what))
            .arg(m_number)
            .arg(iteration);
    }

    void edit(RecordSet& articles, int iteration)
    {
        const int count = articles.recordCount();
        if (count == 0)
            return;
        const int place = percent() < kHotPercent ? int(m_random() % std::min(count, kHotArticles))
                                                  : int(m_random() % count);
        articles.moveFirst();
        for (int i = 0; i < place; ++i)
            articles.moveNext();
        Save save;
        save.number = articles.value(QStringLiteral("ID")).toLongLong();
        save.base = articles.value(QStringLiteral("Problem"));
        save.text = marker(iteration, "Changed");
        articles.collect(QStringLiteral("Problem"), save.text);
        QElapsedTimer timer;
        timer.start();
        try {
            articles.updateBatch();
        } catch (const DbError& e) {
            articles.cancelBatch();
            if (e.kind() != DbError::Kind::Conflict)
                throw;
            ++m_log.conflicts;
            return;
        }
        m_log.saveMs.push_back(elapsedMs(timer));
        m_log.saves.push_back(save);
        ++m_log.edits;
    }

    // Add New as the program does it: the next number, then a save that refuses a number taken
    // meanwhile; a refused number is replaced by the next one and saved again.
    void add(Connection& connection, RecordSet& articles, int iteration)
    {
        Save save;
        save.text = marker(iteration, "Added");
        articles.addNew();
        const QStringList values = {QStringLiteral("Load"), QStringLiteral("load client"),
                                    QStringLiteral("Load test article"), save.text,
                                    QStringLiteral("Solution of ") + save.text};
        const QStringList columns = {QStringLiteral("CUName"), QStringLiteral("techname"),
                                     QStringLiteral("Title"), QStringLiteral("Problem"),
                                     QStringLiteral("solution")};
        for (int i = 0; i < columns.size(); ++i)
            articles.collect(columns[i], values[i]);
        articles.collect(QStringLiteral("InitialEntry"), QStringLiteral("01/02/2024"));
        for (int attempt = 0; attempt < kAddAttempts; ++attempt) {
            save.number = nextNumber(connection);
            articles.collect(QStringLiteral("ID"), QString::number(save.number));
            QElapsedTimer timer;
            timer.start();
            try {
                articles.updateBatch(QStringLiteral("ID"));
            } catch (const DbError& e) {
                if (e.kind() != DbError::Kind::Duplicate) {
                    articles.cancelBatch();
                    throw;
                }
                ++m_log.duplicates;
                continue;
            }
            m_log.saveMs.push_back(elapsedMs(timer));
            m_log.saves.push_back(save);
            ++m_log.added;
            return;
        }
        articles.cancelBatch();
        ++m_log.addsGivenUp;
    }

    void search(RecordSet& articles)
    {
        const char* word = kSearchWords[m_random() % std::size(kSearchWords)];
        QElapsedTimer timer;
        timer.start();
        articles.setFilter(QStringLiteral("Problem LIKE #*%1*#").arg(QLatin1String(word)));
        m_log.searchMs.push_back(elapsedMs(timer));
        articles.setFilter(QString());
    }

    int m_number;
    QString m_address;
    qint64 m_deadlineMs;
    const QElapsedTimer& m_clock;
    std::mt19937 m_random;
    ClientLog m_log;
};

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, size_t(p / 100.0 * double(values.size())));
    return values[at];
}

// Number -> problem text of every article.
QHash<qlonglong, QString> problems(Connection& connection, qint64* articles = nullptr,
                                   QList<qlonglong>* twice = nullptr)
{
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT ID, Problem FROM AR")))
        throw DbError(
            QStringLiteral("Cannot read the articles: %1").arg(engineReason(query.lastError())));
    QHash<qlonglong, QString> texts;
    qint64 count = 0;
    while (query.next()) {
        ++count;
        const qlonglong number = query.value(0).toLongLong();
        if (texts.contains(number) && twice)
            *twice << number;
        texts.insert(number, query.value(1).toString());
    }
    if (articles)
        *articles = count;
    return texts;
}

struct Check {
    qint64 lost = 0;       // saves that succeeded but are not in the database
    qint64 unreported = 0; // two saves of one article from the same version: one overwrote the
                           // other without a conflict
    qint64 duplicateNumbers = 0;
    QStringList examples;
};

// The saves of each article must form one chain from its text before the run (or its creation):
// each save starts from the text the one before it wrote, and the database holds the text of the
// last one.
Check check(const std::vector<Save>& saves, const QHash<qlonglong, QString>& before,
            const QHash<qlonglong, QString>& after, const QList<qlonglong>& twice)
{
    Check result;
    const auto example = [&](const QString& text) {
        if (result.examples.size() < 10)
            result.examples << text;
    };
    QHash<qlonglong, QHash<QString, QString>> next; // number -> base -> text
    QHash<qlonglong, QString> start;
    QHash<qlonglong, int> counts;
    QSet<qlonglong> addedTwice;
    for (const Save& save : saves) {
        QHash<QString, QString>& chain = next[save.number];
        if (save.base.isEmpty()) {
            if (start.contains(save.number) || before.contains(save.number)) {
                addedTwice.insert(save.number);
                example(QStringLiteral("article %1 was added twice").arg(save.number));
            }
            start.insert(save.number, save.text);
        } else if (chain.contains(save.base)) {
            ++result.unreported;
            example(QStringLiteral("article %1: \"%2\" and \"%3\" were both saved over \"%4\"")
                        .arg(QString::number(save.number), chain.value(save.base), save.text,
                             save.base));
            continue;
        }
        if (!save.base.isEmpty())
            chain.insert(save.base, save.text);
        ++counts[save.number];
    }
    for (auto it = next.cbegin(); it != next.cend(); ++it) {
        const qlonglong number = it.key();
        QString text = start.contains(number) ? start.value(number) : before.value(number);
        int followed = start.contains(number) ? 1 : 0;
        while (it.value().contains(text)) {
            text = it.value().value(text);
            ++followed;
        }
        const int missing = counts.value(number) - followed;
        if (!after.contains(number)) {
            result.lost += counts.value(number);
            example(QStringLiteral("article %1 is gone").arg(number));
        } else if (after.value(number) != text || missing > 0) {
            result.lost += std::max(missing, 1);
            example(QStringLiteral("article %1 holds \"%2\"; the last save wrote \"%3\"")
                        .arg(QString::number(number), after.value(number).left(80), text));
        }
    }
    for (qlonglong number : twice) {
        addedTwice.insert(number);
        example(QStringLiteral("the number %1 is held by more than one article").arg(number));
    }
    result.duplicateNumbers = addedTwice.size();
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QString address;
    int clients = 10;
    int seconds = 60;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == QLatin1String("--clients") || arg == QLatin1String("--seconds")) {
            bool ok = false;
            const int value = args.value(i + 1).toInt(&ok);
            if (!ok || value < 1 || value > (arg == QLatin1String("--clients") ? 50 : 86400)) {
                std::fprintf(stderr, "ardentry-load: %s needs a number from 1 to %d.\n\n%s",
                             qPrintable(arg), arg == QLatin1String("--clients") ? 50 : 86400,
                             kUsage);
                return 1;
            }
            (arg == QLatin1String("--clients") ? clients : seconds) = value;
            ++i;
        } else if (address.isEmpty() && ServerAddress::looks(arg)) {
            address = arg;
        } else {
            std::fprintf(stderr,
                         "ardentry-load: \"%s\" is not a server address or an option.\n\n%s",
                         qPrintable(arg), kUsage);
            return 1;
        }
    }
    if (address.isEmpty()) {
        std::fprintf(stderr, "ardentry-load: Name the server database.\n\n%s", kUsage);
        return 1;
    }

    Connection checker;
    QHash<qlonglong, QString> before;
    qint64 articlesBefore = 0;
    try {
        checker.open(address);
        before = problems(checker, &articlesBefore);
    } catch (const DbError& e) {
        std::fprintf(stderr, "ardentry-load: %s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("ardentry-load: %d clients for %d s against %s (%lld articles)\n", clients, seconds,
                qPrintable(checker.displayPath()), static_cast<long long>(articlesBefore));
    std::fflush(stdout);

    QElapsedTimer clock;
    clock.start();
    std::vector<ClientLog> logs(static_cast<size_t>(clients));
    {
        std::vector<std::thread> threads;
        for (int c = 0; c < clients; ++c)
            threads.emplace_back([&, c] {
                // Each client's connection lives and dies in its own thread.
                logs[size_t(c)] = Client(c + 1, address, seconds * 1000LL, clock).run();
            });
        for (std::thread& thread : threads)
            thread.join();
    }
    const double ran = clock.elapsed() / 1000.0;

    ClientLog all;
    for (ClientLog& log : logs) {
        all.saves.insert(all.saves.end(), log.saves.begin(), log.saves.end());
        all.saveMs.insert(all.saveMs.end(), log.saveMs.begin(), log.saveMs.end());
        all.searchMs.insert(all.searchMs.end(), log.searchMs.begin(), log.searchMs.end());
        all.edits += log.edits;
        all.added += log.added;
        all.conflicts += log.conflicts;
        all.duplicates += log.duplicates;
        all.addsGivenUp += log.addsGivenUp;
        all.failures += log.failures;
    }
    Check result;
    qint64 articlesAfter = 0;
    try {
        QList<qlonglong> twice;
        const QHash<qlonglong, QString> after = problems(checker, &articlesAfter, &twice);
        result = check(all.saves, before, after, twice);
    } catch (const DbError& e) {
        std::fprintf(stderr, "ardentry-load: %s\n", qPrintable(e.message()));
        return 1;
    }

    const qint64 saves = all.edits + all.added;
    std::printf("saves: %lld in %.1f s = %.1f per second (%lld changed articles, %lld new "
                "articles)\n",
                static_cast<long long>(saves), ran, saves / ran, static_cast<long long>(all.edits),
                static_cast<long long>(all.added));
    std::printf("conflicts reported: %lld; article numbers taken meanwhile and refused: %lld "
                "(new articles given up after %d tries: %lld)\n",
                static_cast<long long>(all.conflicts), static_cast<long long>(all.duplicates),
                kAddAttempts, static_cast<long long>(all.addsGivenUp));
    std::printf("save time: 50%% %.1f ms, 99%% %.1f ms\n", percentile(all.saveMs, 50),
                percentile(all.saveMs, 99));
    std::printf("search time (%zu searches): 50%% %.1f ms, 99%% %.1f ms\n", all.searchMs.size(),
                percentile(all.searchMs, 50), percentile(all.searchMs, 99));
    std::printf("articles: %lld before, %lld after\n", static_cast<long long>(articlesBefore),
                static_cast<long long>(articlesAfter));
    std::printf("other failures: %lld\n", static_cast<long long>(all.failures.size()));
    for (const QString& failure : all.failures.mid(0, 10))
        std::printf("  %s\n", qPrintable(failure));
    const bool passed = result.lost == 0 && result.unreported == 0 &&
                        result.duplicateNumbers == 0 && all.failures.isEmpty() &&
                        articlesAfter == articlesBefore + all.added;
    std::printf("check: %lld lost saves, %lld unreported conflicts, %lld duplicate article "
                "numbers: %s\n",
                static_cast<long long>(result.lost), static_cast<long long>(result.unreported),
                static_cast<long long>(result.duplicateNumbers), passed ? "PASSED" : "FAILED");
    for (const QString& example : result.examples)
        std::printf("  %s\n", qPrintable(example));
    return passed ? 0 : 1;
}
