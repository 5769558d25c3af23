// ardentry-newdb: creates a new, ready-to-use Ardentry database file.

#include "core/NewDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>
#include <exception>

namespace
{

const char* const kUsage =
    "Usage: ardentry-newdb PATH [--sample] [--articles N]\n"
    "\n"
    "Creates a new Ardentry database file at PATH with the tables the program needs, the six\n"
    "article form captions, one category, one user and a welcome article. An existing file is\n"
    "never overwritten, and the folder must exist already.\n"
    "\n"
    "Options:\n"
    "  --sample       fill in help-desk sample data instead: 8 categories, 6 users and\n"
    "                 about 40 articles\n"
    "  --articles N   add N generated articles of about 2 KB of text each (for trying\n"
    "                 Ardentry on a large database)\n"
    "  -h, --help     show this text\n";

int usageError(const QString& message)
{
    std::fprintf(stderr, "ardentry-newdb: %s\n\n%s", qPrintable(message), kUsage);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);

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

    QElapsedTimer timer;
    timer.start();
    try {
        createArticleDatabase(path, options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ardentry-newdb: %s\n", e.what());
        return 1;
    }
    std::printf(
        "Created %s (%s%s) in %.1f s.\n",
        qPrintable(QDir::toNativeSeparators(QDir(path).absolutePath())),
        options.sample ? "sample data" : "welcome article",
        options.syntheticArticles > 0
            ? qPrintable(QStringLiteral(", %1 generated articles").arg(options.syntheticArticles))
            : "",
        timer.elapsed() / 1000.0);
    return 0;
}
