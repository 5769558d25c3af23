// SPDX-License-Identifier: GPL-3.0-or-later
// ardentry-newdb: creates a new, ready-to-use Ardentry database, or copies one to another
// engine.

#include "core/AccessConversion.h"
#include "core/AccessDatabase.h"
#include "core/Connection.h"
#include "core/DatabaseCopy.h"
#include "core/NewDatabase.h"
#include "core/ServerAddress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QUrl>

#include <csignal>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace
{

const char* const kUsage =
    "Usage: ardentry-newdb PATH [--sample] [--articles N]\n"
    "       ardentry-newdb --copy FROM TO\n"
    "\n"
    "Creates a new Ardentry database file at PATH with the tables the program needs, the six\n"
    "article form captions, one category, one user and a welcome article. An existing file is\n"
    "never overwritten, and the folder must exist already. PATH may also be the address of an\n"
    "empty database on a PostgreSQL server (postgresql://user@host/database). A server that\n"
    "wants a password has it asked for on the terminal, or takes it from ~/.pgpass or PGPASSWORD.\n"
    "\n"
    "With --copy, copies the whole database FROM into TO, each a file or a server address:\n"
    "articles, lists, captions, the quick-search index, the earlier versions of articles and\n"
    "the trash, the pictures stored in it, every value and row key as it is, in one\n"
    "transaction. TO must be new: a file that does not exist yet, or a server database\n"
    "without the tables of an article database.\n"
    "A value TO cannot hold, a failure or Ctrl+C leaves nothing behind.\n"
    "FROM may be an Access database (.mdb, .accdb) with help-desk articles: its articles,\n"
    "categories, users and labels are converted (asked first on a terminal), and a report\n"
    "names every value that could not be carried over as it is. Needs mdbtools.\n"
    "\n"
    "Options:\n"
    "  --sample       fill in help-desk sample data instead: 8 categories, 6 users and\n"
    "                 about 40 articles\n"
    "  --articles N   add N generated articles of about 2 KB of text each (for trying\n"
    "                 Ardentry on a large database)\n"
    "  --copy FROM TO copy the database FROM into the new database TO\n"
    "  -h, --help     show this text\n";

// Copies of more rows than this tell their progress.
constexpr qint64 kLargeCopy = 2000;

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int)
{
    interrupted = 1;
}

int usageError(const QString& message)
{
    std::fprintf(stderr, "ardentry-newdb: %s\n\n%s", qPrintable(message), kUsage);
    return 1;
}

// A line typed on the terminal, not echoed.
QString readHidden(const QString& prompt)
{
    termios saved{};
    const bool terminal = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) { // echo goes off before the prompt, so nothing typed after it shows
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::fprintf(stderr, "%s", qPrintable(prompt));
    std::fflush(stderr);
    std::string line;
    for (int c = std::fgetc(stdin); c != EOF && c != '\n'; c = std::fgetc(stdin))
        line += char(c);
    if (terminal)
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    std::fputc('\n', stderr);
    return QString::fromLocal8Bit(line.c_str());
}

// Gives a server `address` the password its server wants, asked for on the terminal (kept in
// memory only). False, having said how to give one, when it cannot be asked for; any other
// failure is left to the work itself to tell.
bool givePassword(QString& address)
{
    ServerAddress shown;
    if (!ServerAddress::parse(address, shown))
        return true;
    for (int attempt = 0;; ++attempt) {
        try {
            Connection probe;
            probe.open(address);
            return true;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::PasswordNeeded)
                return true;
            std::fprintf(stderr, "ardentry-newdb: %s\n", qPrintable(e.message()));
            if (!isatty(STDIN_FILENO) || attempt == 3) {
                std::fputs("ardentry-newdb: give the password in ~/.pgpass (a line "
                           "host:port:database:user:password, readable by you alone) or in the "
                           "environment variable PGPASSWORD.\n",
                           stderr);
                return false;
            }
            const QString typed =
                readHidden(QStringLiteral("Password for %1: ").arg(shown.display()));
            if (typed.isEmpty())
                return false;
            address += (address.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) +
                       QStringLiteral("password=") +
                       QString::fromLatin1(QUrl::toPercentEncoding(typed));
        }
    }
}

// Converts the Access database FROM into TO: asks first when someone is at a terminal (the
// command itself is the answer for a script), then prints the report.
int convertAccess(const QString& from, const QString& to,
                  const std::function<bool(qint64, qint64)>& progress, const bool& lineOpen)
{
    if (isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "%s [y/N] ", qPrintable(accessConversionQuestion()));
        char answer[16] = {};
        if (!std::fgets(answer, sizeof answer, stdin) || (answer[0] != 'y' && answer[0] != 'Y')) {
            std::fprintf(stderr, "ardentry-newdb: Not converted; nothing was written.\n");
            return 1;
        }
    }
    AccessConversionResult result;
    try {
        result = convertAccessDatabase(from, to, progress);
    } catch (const std::exception& e) {
        if (lineOpen)
            std::fputc('\n', stderr);
        std::fprintf(stderr, "ardentry-newdb: %s Nothing was written.\n", e.what());
        return 1;
    }
    if (lineOpen)
        std::fputc('\n', stderr);
    if (result.cancelled) {
        std::fprintf(stderr, "ardentry-newdb: Cancelled; nothing was written to %s.\n",
                     qPrintable(databaseDisplayName(to)));
        return 1;
    }
    std::printf("Converted %s to %s in %.1f s.\n%s\n", qPrintable(databaseDisplayName(from)),
                qPrintable(databaseDisplayName(to)), result.milliseconds / 1000.0,
                qPrintable(result.report()));
    return 0;
}

// Copies FROM to TO; Ctrl+C cancels (a second one ends the tool at once).
int copy(const QString& from, const QString& to)
{
    struct sigaction action {
    };
    action.sa_handler = &onInterrupt;
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);

    const bool terminal = isatty(STDERR_FILENO) != 0;
    QElapsedTimer timer;
    timer.start();
    qint64 shownAt = -1;
    int shownTenth = 0;
    bool lineOpen = false; // a progress line on the terminal waits for its end
    bool rowsDone = false;
    const auto progress = [&](qint64 done, qint64 total) {
        if (interrupted)
            return false;
        if (total < kLargeCopy || rowsDone)
            return true;
        const bool due = terminal ? shownAt < 0 || timer.elapsed() - shownAt >= 100
                                  : shownAt < 0 || done * 10 / total > shownTenth;
        if (done == total || due) {
            std::fprintf(stderr, "%sCopying: %lld of %lld rows", terminal ? "\r" : "",
                         static_cast<long long>(done), static_cast<long long>(total));
            rowsDone = done == total;
            if (rowsDone)
                std::fputs("; writing the indexes", stderr);
            lineOpen = terminal && !rowsDone;
            if (!lineOpen)
                std::fputc('\n', stderr);
            shownAt = timer.elapsed();
            shownTenth = static_cast<int>(done * 10 / total);
            std::fflush(stderr);
        }
        return true;
    };
    if (accessdb::isAccessPath(from))
        return convertAccess(from, to, progress, lineOpen);
    DatabaseCopyResult result;
    try {
        result = copyArticleDatabase(from, to, progress);
    } catch (const std::exception& e) {
        if (lineOpen)
            std::fputc('\n', stderr);
        std::fprintf(stderr, "ardentry-newdb: %s\n", e.what());
        return 1;
    }
    if (result.cancelled) {
        if (lineOpen)
            std::fputc('\n', stderr);
        std::fprintf(stderr, "ardentry-newdb: Cancelled; nothing was copied to %s.\n",
                     qPrintable(databaseDisplayName(to)));
        return 1;
    }
    for (const QString& note : result.notes)
        std::fprintf(stderr, "ardentry-newdb: note: %s\n", qPrintable(note));
    std::printf("Copied %s to %s (%lld articles, %lld rows in all) in %.1f s.\n",
                qPrintable(databaseDisplayName(from)), qPrintable(databaseDisplayName(to)),
                static_cast<long long>(result.articles), static_cast<long long>(result.rows),
                timer.elapsed() / 1000.0);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);

    const int copyAt = int(args.indexOf(QStringLiteral("--copy")));
    if (copyAt >= 0) {
        QStringList rest = args;
        rest.removeAt(copyAt);
        if (rest.contains(QStringLiteral("-h")) || rest.contains(QStringLiteral("--help"))) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        for (const QString& arg : rest) {
            if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
                return usageError(
                    QStringLiteral("--copy takes no other option, not \"%1\".").arg(arg));
        }
        if (rest.size() != 2)
            return usageError(QStringLiteral("--copy needs two databases: FROM and TO."));
        if (!givePassword(rest[0]) || !givePassword(rest[1]))
            return 1;
        return copy(rest[0], rest[1]);
    }

    NewDatabaseOptions options;
    QString path;
    bool articlesGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == QLatin1String("--sample")) {
            options.sample = true;
        } else if (arg == QLatin1String("--articles") ||
                   arg.startsWith(QLatin1String("--articles="))) {
            QString number;
            if (arg.contains(QLatin1Char('='))) {
                number = arg.section(QLatin1Char('='), 1);
            } else if (i + 1 < args.size()) {
                number = args[++i];
            } else {
                return usageError(QStringLiteral("--articles needs a number."));
            }
            bool ok = false;
            const int count = number.toInt(&ok);
            if (!ok || count < 0 || count > 10000000)
                return usageError(
                    QStringLiteral("--articles needs a number from 0 to 10000000, not \"%1\".")
                        .arg(number));
            if (articlesGiven)
                return usageError(QStringLiteral("--articles is given twice."));
            articlesGiven = true;
            options.syntheticArticles = count;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usageError(QStringLiteral("Unknown option \"%1\".").arg(arg));
        } else if (path.isEmpty()) {
            path = arg;
        } else {
            return usageError(QStringLiteral("Only one database file can be named."));
        }
    }
    if (path.isEmpty())
        return usageError(QStringLiteral("Name the database file to create."));

    if (!givePassword(path))
        return 1;
    QElapsedTimer timer;
    timer.start();
    try {
        createArticleDatabase(path, options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ardentry-newdb: %s\n", e.what());
        return 1;
    }
    std::printf(
        "Created %s (%s%s) in %.1f s.\n", qPrintable(databaseDisplayName(path)),
        options.sample ? "sample data" : "welcome article",
        options.syntheticArticles > 0
            ? qPrintable(QStringLiteral(", %1 generated articles").arg(options.syntheticArticles))
            : "",
        timer.elapsed() / 1000.0);
    return 0;
}
