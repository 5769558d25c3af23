// SPDX-License-Identifier: GPL-3.0-or-later
// ardentry-load: many clients editing, adding and searching the articles of one server database
// at once, as a help desk does on a busy morning; afterwards checks that no save was lost, no
// conflict went unreported and no article number was given twice.

#include "core/ArticleMerge.h"
#include "core/Connection.h"
#include "core/DbError.h"
#include "core/History.h"
#include "core/RecordSet.h"
#include "core/ServerAddress.h"
#include "core/TextMatch.h"
#include "core/Transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace
{

const char* const kUsage =
    "Usage: ardentry-load ADDRESS [--clients N] [--seconds S] [--expect-outages]\n"
    "                     [--resolve-conflicts]\n"
    "       ardentry-load ADDRESS --edit-across FILE\n"
    "\n"
    "Runs N clients (10) for S seconds (60) against the article database on a server\n"
    "(postgresql://user@host/database), each with its own connection: they change the problem\n"
    "text of random articles, add articles with the next free number and search. Then checks\n"
    "the database: every save that succeeded is there, no two saves of one article started\n"
    "from the same version (a conflict that went unreported), no article number is taken twice.\n"
    "Exit code 0 only when the check passes.\n"
    "\n"
    "  --expect-outages   the server restarts or fails over during the run: commands that fail\n"
    "                     meanwhile are counted (each outage with the time until the next\n"
    "                     command succeeded), and the check passes when every client works\n"
    "                     again afterwards and nothing reported saved was lost\n"
    "  --resolve-conflicts an edit changes the problem and the title; a refused one is resolved\n"
    "                     as a technician does in the conflict window: the problem kept as\n"
    "                     typed, every other field as stored now, saved against the stored\n"
    "                     version (again when someone saved meanwhile); the check also wants\n"
    "                     every resolved save to hold exactly the chosen fields\n"
    "  --edit-across FILE types a change into the first article, creates FILE, waits until FILE\n"
    "                     is removed (5 minutes at most), then saves with one command and checks\n"
    "                     on a new connection that the server holds the change\n";

const char* const kArticleQuery = "SELECT * FROM AR ORDER BY ID";
// Edits that go to the first few articles, so clients meet on them and conflicts happen.
constexpr int kHotArticles = 10;
constexpr int kHotPercent = 40;
constexpr int kAddPercent = 10;
constexpr int kSearchPercent = 15;
constexpr int kAddAttempts = 20;
const char* const kSearchWords[] = {"printer", "toner", "marker", "network", "nothing-like-this"};
// A client whose command failed waits a little before the next, as a technician would: a server
// that is away is not asked thousands of times a second.
constexpr auto kPauseAfterFailure = std::chrono::milliseconds(50);
// How long the final check and the typed edit keep trying to reach the server.
constexpr qint64 kReconnectMs = 30000;
constexpr qint64 kEditWaitMs = 300000;
// Distinct messages kept in a tally; the rest are only counted.
constexpr int kDistinctMessages = 20;
constexpr int kShownLength = 300;
constexpr size_t kShownOutages = 20;

// One save: the article's number, the problem text it started from (empty for a new article)
// and the one it wrote. A save that failed for another reason than a conflict or a taken number
// (the connection died around its COMMIT) may have been written or not: it is kept as uncertain.
struct Save {
    qlonglong number = 0;
    QString base;
    QString text;
    bool certain = true;
    qint64 atMs = 0; // when the save ended, from the start of the run
};

// Counts messages by their text, keeping a bounded number of distinct ones, so that a message
// repeated millions of times costs a counter, not a log line each.
class Tally
{
public:
    // Counts `text`; true when it is the first time (and it is kept).
    bool add(const QString& text)
    {
        const QMutexLocker lock(&m_mutex);
        ++m_total;
        const QString shown = text.left(kShownLength);
        const auto found = m_counts.find(shown);
        if (found != m_counts.end()) {
            ++found.value();
            return false;
        }
        if (m_counts.size() >= kDistinctMessages) {
            ++m_others;
            return false;
        }
        m_counts.insert(shown, 1);
        m_order << shown;
        return true;
    }
    qint64 total() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_total;
    }
    void print(const char* what) const
    {
        const QMutexLocker lock(&m_mutex);
        std::printf("%s: %lld\n", what, static_cast<long long>(m_total));
        for (const QString& text : m_order)
            std::printf("  %lld x %s\n", static_cast<long long>(m_counts.value(text)),
                        qPrintable(text));
        if (m_others > 0)
            std::printf("  %lld x other messages\n", static_cast<long long>(m_others));
    }

private:
    mutable QMutex m_mutex;
    QHash<QString, qint64> m_counts;
    QStringList m_order;
    qint64 m_total = 0;
    qint64 m_others = 0;
};

Tally& engineMessages()
{
    static Tally tally;
    return tally;
}

// Qt's own warnings (a statement that cannot be freed on a dead connection, ...) are printed the
// first time only and summed up at the end.
void countMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (engineMessages().add(text.simplified()))
        std::fprintf(stderr, "%s (further ones are counted)\n",
                     qPrintable(text.simplified().left(kShownLength)));
}

// The spells during which commands failed: one begins with a failure, and ends with the first
// command that succeeded and began after it.
class Outages
{
public:
    struct Outage {
        qint64 startMs = 0;
        qint64 endMs = -1; // -1: the run ended first
        qint64 failures = 0;
    };

    void failed(qint64 nowMs)
    {
        const QMutexLocker lock(&m_mutex);
        if (m_list.empty() || m_list.back().endMs >= 0)
            m_list.push_back({nowMs, -1, 0});
        ++m_list.back().failures;
    }
    void succeeded(qint64 beganMs, qint64 nowMs)
    {
        const QMutexLocker lock(&m_mutex);
        if (!m_list.empty() && m_list.back().endMs < 0 && beganMs >= m_list.back().startMs)
            m_list.back().endMs = nowMs;
    }
    std::vector<Outage> list() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_list;
    }

private:
    mutable QMutex m_mutex;
    std::vector<Outage> m_list;
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
    qint64 failed = 0;        // commands that failed for another reason
    qint64 reopened = 0;      // times the record set had to be opened again
    qint64 lastFailMs = -1;   // when the last failed command ended
    qint64 lastOkMs = -1;     // when the last successful one did
    qint64 resolved = 0;      // conflicts resolved and saved
    qint64 extraRounds = 0;   // resolutions refused again because someone saved meanwhile
    qint64 resolvedWrong = 0; // resolved saves that hold other fields than chosen
    qint64 resolveGivenUp = 0;
    QStringList wrongExamples;
};

double elapsedMs(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1.0e6;
}

// Waits `pause`, or less when the deadline comes first.
void pauseUntil(std::chrono::milliseconds pause, const QElapsedTimer& clock, qint64 deadlineMs)
{
    const qint64 left = deadlineMs - clock.elapsed();
    if (left > 0)
        std::this_thread::sleep_for(std::min(pause, std::chrono::milliseconds(left)));
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
    Client(int number, const QString& address, qint64 deadlineMs, const QElapsedTimer& clock,
           Tally& failures, Outages& outages, bool resolve)
        : m_number(number), m_resolve(resolve), m_address(address), m_deadlineMs(deadlineMs),
          m_clock(clock), m_failures(failures), m_outages(outages),
          m_random(std::mt19937::result_type(number * 7919 + 17))
    {
    }

    ClientLog run()
    {
        Connection connection;
        try {
            connection.open(m_address);
        } catch (const DbError& e) {
            fail(e);
            return m_log;
        }
        connection.setWriterName(QStringLiteral("load-client-%1").arg(m_number));
        RecordSet articles(connection);
        bool opened = false;
        for (int iteration = 0; m_clock.elapsed() < m_deadlineMs; ++iteration) {
            const qint64 began = m_clock.elapsed();
            try {
                // A record set that could not be read again (the server was away) is closed;
                // the next command opens it again, as the program's windows do.
                if (!articles.isOpen()) {
                    articles.open(QString::fromLatin1(kArticleQuery));
                    m_log.reopened += opened ? 1 : 0;
                    opened = true;
                }
                step(connection, articles, iteration);
                m_log.lastOkMs = m_clock.elapsed();
                m_outages.succeeded(began, m_log.lastOkMs);
            } catch (const DbError& e) {
                if (articles.isOpen())
                    articles.cancelBatch();
                fail(e);
                pauseUntil(kPauseAfterFailure, m_clock, m_deadlineMs);
            }
        }
        return m_log;
    }

private:
    int percent() { return int(m_random() % 100); }

    void fail(const DbError& e)
    {
        ++m_log.failed;
        m_log.lastFailMs = m_clock.elapsed();
        m_outages.failed(m_log.lastFailMs);
        m_failures.add(e.message().simplified());
    }

    void step(Connection& connection, RecordSet& articles, int iteration)
    {
        articles.requery();
        const int roll = percent();
        if (roll < kAddPercent)
            add(connection, articles, iteration);
        else if (roll < kAddPercent + kSearchPercent)
            search(articles);
        else
            edit(connection, articles, iteration);
    }

    QString marker(int iteration, const char* what) const
    {
        return QStringLiteral("%1 by load client %2 at iteration %3 (marker c%2i%3)")
            .arg(QLatin1String(what))
            .arg(m_number)
            .arg(iteration);
    }

    void edit(Connection& connection, RecordSet& articles, int iteration)
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
        if (m_resolve)
            articles.collect(QStringLiteral("Title"), marker(iteration, "Titled"));
        QElapsedTimer timer;
        timer.start();
        try {
            articles.updateBatch();
        } catch (const DbError& e) {
            articles.cancelBatch();
            if (e.kind() != DbError::Kind::Conflict) {
                save.certain = false;
                save.atMs = m_clock.elapsed();
                m_log.saves.push_back(save);
                throw;
            }
            ++m_log.conflicts;
            if (m_resolve)
                resolve(connection, articles, save);
            return;
        }
        m_log.saveMs.push_back(elapsedMs(timer));
        save.atMs = m_clock.elapsed();
        m_log.saves.push_back(save);
        ++m_log.edits;
    }

    // The conflict window's way: the field kept as typed (the problem) and every other one as
    // stored now, saved against the stored version; another round when someone saved meanwhile.
    void resolve(Connection& connection, RecordSet& articles, Save save)
    {
        static const QStringList fields = history::articleColumns().mid(0, 10);
        const int kept = int(fields.indexOf(QStringLiteral("Problem")));
        const qint64 key = articles.currentKey();
        QStringList mine;
        for (const QString& field : fields)
            mine << articles.value(field);
        mine[kept] = save.text;
        for (int round = 0; round < kAddAttempts; ++round) {
            const history::StoredArticle stored = history::storedArticle(connection, key);
            if (!stored.exists || !articles.rereadCurrent())
                return; // the run deletes nothing
            QStringList theirs;
            for (int c = 0; c < fields.size(); ++c)
                theirs << textmatch::valueText(stored.values.value(c));
            QList<articlemerge::Field> merged = articlemerge::merge(theirs, theirs, mine);
            for (int c = 0; c < merged.size(); ++c)
                merged[c].merged = c == kept ? merged[c].mine : merged[c].theirs;
            const QStringList chosen = articlemerge::mergedTexts(merged);
            QStringList now;
            for (const QString& field : fields)
                now << articles.value(field);
            if (now != theirs) {
                ++m_log.extraRounds;
                continue;
            }
            for (int c = 0; c < fields.size(); ++c)
                if (chosen[c] != theirs[c])
                    articles.collect(fields[c], chosen[c]);
            save.base = theirs[kept];
            try {
                articles.updateBatch();
            } catch (const DbError& e) {
                articles.cancelBatch();
                if (e.kind() == DbError::Kind::Conflict) {
                    ++m_log.extraRounds;
                    continue;
                }
                save.certain = false;
                save.atMs = m_clock.elapsed();
                m_log.saves.push_back(save);
                throw;
            }
            // What the save's transaction read back is what it wrote.
            for (int c = 0; c < fields.size(); ++c) {
                if (articles.value(fields[c]) == chosen[c])
                    continue;
                ++m_log.resolvedWrong;
                if (m_log.wrongExamples.size() < 5)
                    m_log.wrongExamples << QStringLiteral("article %1: %2 holds \"%3\", chosen "
                                                          "was \"%4\"")
                                               .arg(QString::number(save.number), fields[c],
                                                    articles.value(fields[c]), chosen[c]);
                break;
            }
            save.atMs = m_clock.elapsed();
            m_log.saves.push_back(save);
            ++m_log.edits;
            ++m_log.resolved;
            return;
        }
        ++m_log.resolveGivenUp;
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
                    save.certain = false;
                    save.atMs = m_clock.elapsed();
                    m_log.saves.push_back(save);
                    throw;
                }
                ++m_log.duplicates;
                continue;
            }
            m_log.saveMs.push_back(elapsedMs(timer));
            save.atMs = m_clock.elapsed();
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
    bool m_resolve;
    QString m_address;
    qint64 m_deadlineMs;
    const QElapsedTimer& m_clock;
    Tally& m_failures;
    Outages& m_outages;
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

// Reads the articles on a new connection, trying again for a while when the server is away
// (it may still be restarting or failing over when the run ends). Throws the last failure.
QHash<qlonglong, QString> problemsAfterOutage(Connection& connection, const QString& address,
                                              qint64* articles, QList<qlonglong>* twice,
                                              qint64* waitedMs)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        try {
            connection.open(address);
            twice->clear();
            auto texts = problems(connection, articles, twice);
            *waitedMs = waited.elapsed();
            return texts;
        } catch (const DbError&) {
            if (waited.elapsed() > kReconnectMs)
                throw;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

struct Check {
    qint64 lost = 0;       // saves that succeeded but are not in the database
    qint64 unreported = 0; // two saves of one article from the same version: one overwrote the
                           // other without a conflict
    qint64 duplicateNumbers = 0;
    qint64 uncertain = 0;        // saves that failed, not for a conflict: written or not
    qint64 uncertainWritten = 0; // of them, the ones the database holds
    qint64 uncertainAdded = 0;   // new articles among those
    QStringList examples;
};

// The saves of each article must form one chain from its text before the run (or its creation):
// each save starts from the text the one before it wrote, and the database holds the text of the
// last one. An uncertain save may be a link of the chain or missing from it.
Check check(const std::vector<Save>& saves, const QHash<qlonglong, QString>& before,
            const QHash<qlonglong, QString>& after, const QList<qlonglong>& twice)
{
    Check result;
    const auto example = [&](const QString& text) {
        if (result.examples.size() < 10)
            result.examples << text;
    };
    QHash<qlonglong, QHash<QString, QString>> next;  // number -> base -> text
    QHash<qlonglong, QHash<QString, QString>> maybe; // the same for uncertain saves
    QHash<qlonglong, QString> start;
    QHash<qlonglong, QString> maybeStart;
    QHash<qlonglong, int> counts;
    QSet<qlonglong> addedTwice;
    QSet<QString> bases;
    QHash<QString, const Save*> byText;
    for (const Save& save : saves) {
        bases.insert(save.base);
        byText.insert(save.text, &save);
        if (!save.certain) {
            ++result.uncertain;
            if (save.base.isEmpty())
                maybeStart.insert(save.number, save.text);
            else
                maybe[save.number].insert(save.base, save.text);
            continue;
        }
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
    for (const Save& save : saves) {
        if (!save.certain && (bases.contains(save.text) || after.value(save.number) == save.text))
            ++result.uncertainWritten;
        if (!save.certain && save.base.isEmpty() && !before.contains(save.number) &&
            !start.contains(save.number) && after.value(save.number) == save.text)
            ++result.uncertainAdded;
    }
    for (auto it = next.cbegin(); it != next.cend(); ++it) {
        const qlonglong number = it.key();
        const QHash<QString, QString>& uncertain = maybe.value(number);
        QString text = start.contains(number)    ? start.value(number)
                       : before.contains(number) ? before.value(number)
                                                 : maybeStart.value(number);
        int followed = start.contains(number) ? 1 : 0;
        // Each step follows a save that succeeded, else one that may have been written; the
        // markers are unique, so the chain has no loop, but it is bounded all the same. The
        // database holds the text of the last save that succeeded, or of a failed one after it.
        QSet<QString> possible = {text};
        QString reached = text;
        for (size_t steps = 0; steps <= saves.size(); ++steps) {
            if (it.value().contains(reached)) {
                text = reached = it.value().value(reached);
                possible = {text};
                ++followed;
            } else if (uncertain.contains(reached)) {
                reached = uncertain.value(reached);
                possible.insert(reached);
            } else {
                break;
            }
        }
        const int missing = counts.value(number) - followed;
        if (!after.contains(number)) {
            result.lost += counts.value(number);
            example(QStringLiteral("article %1 is gone").arg(number));
        } else if (!possible.contains(after.value(number)) || missing > 0) {
            result.lost += std::max(missing, 1);
            const auto when = [&](const QString& written) {
                const Save* save = byText.value(written);
                return !save ? QStringLiteral("before the run")
                             : QStringLiteral("%1 at %2 s")
                                   .arg(save->certain ? QStringLiteral("reported saved")
                                                      : QStringLiteral("failed"))
                                   .arg(save->atMs / 1000.0, 0, 'f', 2);
            };
            example(QStringLiteral("article %1 holds \"%2\" (%3); the last save wrote \"%4\" (%5)")
                        .arg(QString::number(number), after.value(number).left(80),
                             when(after.value(number)), text, when(text)));
        }
    }
    for (qlonglong number : twice) {
        addedTwice.insert(number);
        example(QStringLiteral("the number %1 is held by more than one article").arg(number));
    }
    result.duplicateNumbers = addedTwice.size();
    return result;
}

struct Options {
    QString address;
    int clients = 10;
    int seconds = 60;
    bool expectOutages = false;
    bool resolve = false;
    QString editAcross;
};

// A technician's edit across an outage: typed while the server is there, saved by one command
// after it came back (or after its standby took over). Nothing typed may be lost.
int editAcross(const Options& options)
{
    const QString text = QStringLiteral("Typed before the outage by process %1")
                             .arg(QCoreApplication::applicationPid());
    Connection connection;
    RecordSet articles(connection);
    qlonglong number = 0;
    try {
        connection.open(options.address);
        articles.open(QString::fromLatin1(kArticleQuery));
        articles.moveFirst();
        number = articles.value(QStringLiteral("ID")).toLongLong();
        articles.collect(QStringLiteral("Problem"), text);
    } catch (const DbError& e) {
        std::fprintf(stderr, "ardentry-load: %s\n", qPrintable(e.message()));
        return 1;
    }
    QFile signal(options.editAcross);
    if (!signal.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "ardentry-load: cannot create %s: %s\n", qPrintable(signal.fileName()),
                     qPrintable(signal.errorString()));
        return 1;
    }
    signal.close();
    std::printf("typed into article %lld; waiting until %s is removed\n",
                static_cast<long long>(number), qPrintable(signal.fileName()));
    std::fflush(stdout);
    QElapsedTimer waited;
    waited.start();
    while (QFile::exists(signal.fileName())) {
        if (waited.elapsed() > kEditWaitMs) {
            std::fprintf(stderr, "ardentry-load: %s was not removed in time\n",
                         qPrintable(signal.fileName()));
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    QElapsedTimer timer;
    timer.start();
    try {
        articles.updateBatch();
    } catch (const DbError& e) {
        std::printf("typed edit: the first save after the outage failed: %s\n",
                    qPrintable(e.message()));
        std::printf("typed edit kept on the screen: %s\n",
                    articles.hasPendingChanges() ? "yes" : "no");
        return 1;
    }
    const double saveMs = elapsedMs(timer);
    Connection fresh;
    qint64 count = 0;
    QList<qlonglong> twice;
    qint64 reconnectMs = 0;
    try {
        const auto texts =
            problemsAfterOutage(fresh, options.address, &count, &twice, &reconnectMs);
        const bool held = texts.value(number) == text;
        std::printf("typed edit: saved by the first command after the outage in %.0f ms; a new "
                    "connection %s it\n",
                    saveMs, held ? "finds" : "does NOT find");
        return held ? 0 : 1;
    } catch (const DbError& e) {
        std::fprintf(stderr, "ardentry-load: %s\n", qPrintable(e.message()));
        return 1;
    }
}

int load(const Options& options)
{
    Connection checker;
    QHash<qlonglong, QString> before;
    qint64 articlesBefore = 0;
    try {
        checker.open(options.address);
        before = problems(checker, &articlesBefore);
    } catch (const DbError& e) {
        std::fprintf(stderr, "ardentry-load: %s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("ardentry-load: %d clients for %d s against %s (%lld articles)\n", options.clients,
                options.seconds, qPrintable(checker.displayPath()),
                static_cast<long long>(articlesBefore));
    std::fflush(stdout);

    QElapsedTimer clock;
    clock.start();
    Tally failures;
    Outages outages;
    std::vector<ClientLog> logs(static_cast<size_t>(options.clients));
    {
        std::vector<std::thread> threads;
        for (int c = 0; c < options.clients; ++c)
            threads.emplace_back([&, c] {
                // Each client's connection lives and dies in its own thread.
                logs[size_t(c)] = Client(c + 1, options.address, options.seconds * 1000LL, clock,
                                         failures, outages, options.resolve)
                                      .run();
            });
        for (std::thread& thread : threads)
            thread.join();
    }
    const double ran = clock.elapsed() / 1000.0;

    ClientLog all;
    int recovered = 0;
    for (ClientLog& log : logs) {
        all.saves.insert(all.saves.end(), log.saves.begin(), log.saves.end());
        all.saveMs.insert(all.saveMs.end(), log.saveMs.begin(), log.saveMs.end());
        all.searchMs.insert(all.searchMs.end(), log.searchMs.begin(), log.searchMs.end());
        all.edits += log.edits;
        all.added += log.added;
        all.conflicts += log.conflicts;
        all.duplicates += log.duplicates;
        all.addsGivenUp += log.addsGivenUp;
        all.failed += log.failed;
        all.reopened += log.reopened;
        all.resolved += log.resolved;
        all.extraRounds += log.extraRounds;
        all.resolvedWrong += log.resolvedWrong;
        all.resolveGivenUp += log.resolveGivenUp;
        all.wrongExamples << log.wrongExamples;
        if (log.lastOkMs > log.lastFailMs)
            ++recovered;
    }
    Check result;
    qint64 articlesAfter = 0;
    qint64 reconnectMs = 0;
    try {
        QList<qlonglong> twice;
        const QHash<qlonglong, QString> after =
            problemsAfterOutage(checker, options.address, &articlesAfter, &twice, &reconnectMs);
        result = check(all.saves, before, after, twice);
    } catch (const DbError& e) {
        std::fprintf(stderr, "ardentry-load: the final check cannot read the database: %s\n",
                     qPrintable(e.message()));
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
    if (options.resolve)
        std::printf("conflicts resolved (problem kept, the rest theirs) and saved: %lld, after "
                    "%lld more rounds (someone saved meanwhile); given up after %d rounds: %lld; "
                    "resolved saves holding other fields than chosen: %lld\n",
                    static_cast<long long>(all.resolved), static_cast<long long>(all.extraRounds),
                    kAddAttempts, static_cast<long long>(all.resolveGivenUp),
                    static_cast<long long>(all.resolvedWrong));
    std::printf("save time: 50%% %.1f ms, 99%% %.1f ms\n", percentile(all.saveMs, 50),
                percentile(all.saveMs, 99));
    std::printf("search time (%zu searches): 50%% %.1f ms, 99%% %.1f ms\n", all.searchMs.size(),
                percentile(all.searchMs, 50), percentile(all.searchMs, 99));
    std::printf("articles: %lld before, %lld after\n", static_cast<long long>(articlesBefore),
                static_cast<long long>(articlesAfter));
    const std::vector<Outages::Outage> spells = outages.list();
    for (size_t i = 0; i < spells.size() && i < kShownOutages; ++i) {
        const Outages::Outage& o = spells[i];
        if (o.endMs >= 0)
            std::printf("outage %zu: from %.1f s, %lld failed commands, the first successful "
                        "command after %lld ms\n",
                        i + 1, o.startMs / 1000.0, static_cast<long long>(o.failures),
                        static_cast<long long>(o.endMs - o.startMs));
        else
            std::printf("outage %zu: from %.1f s, %lld failed commands, no successful command "
                        "until the run ended\n",
                        i + 1, o.startMs / 1000.0, static_cast<long long>(o.failures));
    }
    if (spells.size() > kShownOutages)
        std::printf("(%zu outages in all)\n", spells.size());
    std::printf("saves that failed for another reason than a conflict (the server was away): "
                "%lld, %lld of them written all the same\n",
                static_cast<long long>(result.uncertain),
                static_cast<long long>(result.uncertainWritten));
    std::printf("record sets opened again: %lld; clients working after their last failed "
                "command: %d of %d; the final check connected after %lld ms\n",
                static_cast<long long>(all.reopened), recovered, options.clients,
                static_cast<long long>(reconnectMs));
    failures.print("failed commands");
    if (engineMessages().total() > 0)
        engineMessages().print("messages of the database driver");
    const bool failuresAllowed =
        all.failed == 0 || (options.expectOutages && recovered == options.clients);
    const bool passed = result.lost == 0 && result.unreported == 0 &&
                        result.duplicateNumbers == 0 && failuresAllowed && all.resolvedWrong == 0 &&
                        all.resolveGivenUp == 0 &&
                        articlesAfter == articlesBefore + all.added + result.uncertainAdded;
    std::printf("check: %lld lost saves, %lld unreported conflicts, %lld duplicate article "
                "numbers: %s\n",
                static_cast<long long>(result.lost), static_cast<long long>(result.unreported),
                static_cast<long long>(result.duplicateNumbers), passed ? "PASSED" : "FAILED");
    for (const QString& example : result.examples + all.wrongExamples)
        std::printf("  %s\n", qPrintable(example));
    return passed ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(countMessage);
    const QStringList args = QCoreApplication::arguments().mid(1);
    Options options;
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
            (arg == QLatin1String("--clients") ? options.clients : options.seconds) = value;
            ++i;
        } else if (arg == QLatin1String("--expect-outages")) {
            options.expectOutages = true;
        } else if (arg == QLatin1String("--resolve-conflicts")) {
            options.resolve = true;
        } else if (arg == QLatin1String("--edit-across") && i + 1 < args.size()) {
            options.editAcross = args[++i];
        } else if (options.address.isEmpty() && ServerAddress::looks(arg)) {
            options.address = arg;
        } else {
            std::fprintf(stderr,
                         "ardentry-load: \"%s\" is not a server address or an option.\n\n%s",
                         qPrintable(arg), kUsage);
            return 1;
        }
    }
    if (options.address.isEmpty()) {
        std::fprintf(stderr, "ardentry-load: Name the server database.\n\n%s", kUsage);
        return 1;
    }
    return options.editAcross.isEmpty() ? load(options) : editAcross(options);
}
