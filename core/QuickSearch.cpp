// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/QuickSearch.h"

#include "core/Connection.h"
#include "core/DbError.h"
#include "core/History.h"
#include "core/Schema.h"
#include "core/Transaction.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{

// The indexed columns of AR, in the order of the index; the ranking weighs them in this order.
const char* const IndexedColumns = "Title, Problem, solution, CUName, techname, reference";
const char* const Weights = "10.0, 5.0, 2.0, 1.0, 1.0, 1.0";
constexpr qint64 BuildBlock = 20000;
// The phrase index (see "The phrase index" below).
const char* const PairsTable = "ardentry_pairs";

QString indexNotMade()
{
    return QCoreApplication::translate("QuickSearch", "The quick-search index could not be made");
}

QString indexNotChecked()
{
    return QCoreApplication::translate("QuickSearch", "The quick-search index could not be "
                                                      "checked");
}

QString searchFailed()
{
    return QCoreApplication::translate("QuickSearch", "The quick search failed");
}

void run(QSqlDatabase& database, const QString& sql)
{
    db::Query(database, indexNotMade()).run(sql);
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

// One word or "quoted phrase" of what was typed; every one must occur.
struct Term {
    QString text;
    bool prefix = false; // its last word may be the start of a longer one
};

// A word of a text as the index cuts them (see wordsOf).
struct Word {
    qsizetype start = 0;
    qsizetype end = 0;
    QString folded;
};

QList<Word> wordsOf(const QString& text);

// A "quoted phrase" of two words or more.
bool isPhrase(const Term& term)
{
    return wordsOf(term.text).size() > 1;
}

int lettersAndDigits(const QString& text)
{
    const QList<uint> points = text.toUcs4();
    return int(std::count_if(points.begin(), points.end(),
                             [](uint c) { return QChar::isLetterOrNumber(c); }));
}

QList<Term> termsOf(const QString& typedText, bool prefixLast)
{
    // Beyond the first characters and words nothing more is searched: a longer query only
    // gets slower. Control characters (a NUL among them) separate words, as spaces do.
    QString typed = typedText.left(quicksearch::LongestTyped);
    for (QChar& c : typed) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    // Words and "quoted phrases"; an unbalanced quote runs to the end.
    QList<Term> terms;
    QString word;
    bool inQuote = false;
    qsizetype words = 0;
    bool dropped = false; // words were left out
    const auto endWord = [&] {
        if (searchable(word)) {
            const QList<Word> inside = wordsOf(word);
            const qsizetype room = quicksearch::MostWords - words;
            if (room <= 0) {
                dropped = true;
            } else {
                if (inside.size() > room) {
                    word.truncate(inside[room - 1].end);
                    dropped = true;
                }
                words += std::min(inside.size(), room);
                terms << Term{word};
            }
        }
        word.clear();
    };
    for (const QChar c : typed) {
        if (c == QLatin1Char('"')) {
            endWord();
            inQuote = !inQuote;
        } else if (c.isSpace() && !inQuote) {
            endWord();
        } else {
            word += c;
        }
    }
    const bool typingLast =
        !typed.isEmpty() && !typed.back().isSpace() && typed.back() != QLatin1Char('"');
    endWord();
    // The word being typed is the start of a longer one once it has three letters or digits
    // (the index keeps every word's first three, so it stays fast); shorter ones, like the "c"
    // of "C++" or the "t" of "can't", are whole words.
    if (prefixLast && typingLast && !dropped && !terms.isEmpty()) {
        Term& last = terms.back();
        const QList<Word> inside = wordsOf(last.text);
        const Word& lastWord = inside.back();
        last.prefix =
            lettersAndDigits(last.text.mid(lastWord.start, lastWord.end - lastWord.start)) >= 3;
    }
    return terms;
}

// ---- The index on a server ----
//
// The table ardentry_search holds, per article (by AR's rowid), the words of its texts as a
// tsvector ("document", weighted A for Title, B for Problem, C for Solution, D for Category,
// Entered By and Reference) and the words of its title alone ("title"), each with a GIN index.
// Triggers on AR keep it current for every writer. Words are cut as in a file's index: every
// character that is neither a letter nor a digit separates words, so "e-mail" is the words "e"
// and "mail" and "1.5" the words "1" and "5". Letter case and accents do not count (the server's
// unaccent extension; without it, a fold of the accented Latin letters).

const char* const ServerConfig = "ardentry_search_text";
// ts_rank's weights go D, C, B, A: the file's 1, 2, 5 and 10, scaled to at most 1.
const char* const ServerWeights = "{0.1, 0.2, 0.5, 1.0}";
// The longest texts indexed, in characters: a tsvector holds at most 1 MB of words.
constexpr int LongestTitle = 2000;
constexpr int LongestText = 60000;

// Accented Latin letters and their plain small letters, for a server without unaccent.
QPair<QString, QString> foldTable()
{
    QString from;
    QString to;
    for (char16_t c = 0xC0; c <= 0x24F; ++c) {
        const QString plain = QString(QChar(c)).normalized(QString::NormalizationForm_D);
        if (plain.size() > 1 && plain[0].unicode() < 0x80 && plain[0].isLetter()) {
            from += QChar(c);
            to += plain[0].toLower();
        }
    }
    // Letters with a stroke have no plain letter in their decomposition.
    from += QStringLiteral("øØđĐðÐłŁħĦı");
    to += QStringLiteral("ooddddllhhi");
    return {from, to};
}

// The schema of the server's unaccent extension, quoted; empty when there is none. The
// extension is made when the server has it and the user may: it is a trusted extension, which
// the owner of a database may add.
QString unaccentSchema(QSqlDatabase& database)
{
    const auto schemaOf = [&database] {
        return db::scalar(database, indexNotMade(),
                          QStringLiteral("SELECT quote_ident(n.nspname) FROM pg_extension e JOIN "
                                         "pg_namespace n ON n.oid = e.extnamespace WHERE "
                                         "e.extname = 'unaccent'"))
            .toString();
    };
    const QString schema = schemaOf();
    if (!schema.isEmpty())
        return schema;
    if (!db::scalar(database, indexNotMade(),
                    QStringLiteral("SELECT 1 FROM pg_available_extensions WHERE name = "
                                   "'unaccent'"))
             .isValid())
        return QString();
    // A statement that fails ends the transaction around it, unless a savepoint takes it back.
    run(database, QStringLiteral("SAVEPOINT ardentry_unaccent"));
    if (!db::Query(database, indexNotMade())
             .tryRun(QStringLiteral("CREATE EXTENSION IF NOT EXISTS unaccent"))) {
        run(database, QStringLiteral("ROLLBACK TO SAVEPOINT ardentry_unaccent"));
        run(database, QStringLiteral("RELEASE SAVEPOINT ardentry_unaccent"));
        return QString();
    }
    run(database, QStringLiteral("RELEASE SAVEPOINT ardentry_unaccent"));
    return schemaOf();
}

// The functions of the index in the schema `schema` (quoted); `unaccent`: the schema of the
// unaccent extension its text search configuration uses, or empty. The triggers' functions run
// with their maker's rights for any writer, so nothing they touch may be found through the
// writer's search path: every name carries its schema (the server's own, pg_catalog, included,
// for the helpers they call run with their search path), their own path is this schema with the
// session's temporary objects last, and no one may call them directly.
QStringList serverFunctionStatements(const QString& schema, const QString& unaccent)
{
    QString config = QStringLiteral("%1.%2").arg(schema, QLatin1String(ServerConfig));
    config.replace(QLatin1Char('\''), QStringLiteral("''"));
    QString words = QStringLiteral("pg_catalog.regexp_replace(pg_catalog.left(coalesce(t, ''), "
                                   "longest), '[^[:alnum:]\\u0300-\\u036f]+', ' ', 'g')");
    if (unaccent.isEmpty()) {
        const auto [from, to] = foldTable();
        words = QStringLiteral("pg_catalog.translate(pg_catalog.regexp_replace(pg_catalog.lower("
                               "%1), '[\\u0300-\\u036f]+', '', 'g'), '%2', '%3')")
                    .arg(words, from, to);
    }
    const QString vector = QStringLiteral("%1.ardentry_search_vector(%2, %3, CAST('%4' AS "
                                          "pg_catalog.\"char\"))");
    const QString cat = QStringLiteral(" OPERATOR(pg_catalog.||) ");
    // Between two columns lies a word that no search asks for ("-" separates words), so that no
    // phrase runs from the end of one column into the next.
    const QString gap = cat + QStringLiteral("CAST('-:1' AS pg_catalog.tsvector)") + cat;
    const QString title = QString::number(LongestTitle);
    const QString text = QString::number(LongestText);
    const QStringList document = {
        vector.arg(schema, QStringLiteral("title"), title, QStringLiteral("A")),
        vector.arg(schema, QStringLiteral("problem"), text, QStringLiteral("B")),
        vector.arg(schema, QStringLiteral("solution"), text, QStringLiteral("C")),
        vector.arg(schema, QStringLiteral("category"), title, QStringLiteral("D")),
        vector.arg(schema, QStringLiteral("enteredby"), title, QStringLiteral("D")),
        vector.arg(schema, QStringLiteral("reference"), title, QStringLiteral("D"))};
    const QString trigger = QStringLiteral("CREATE OR REPLACE FUNCTION %1.%2() RETURNS trigger "
                                           "LANGUAGE plpgsql SECURITY DEFINER SET search_path = "
                                           "%1, pg_temp AS $$\nBEGIN\n%3    RETURN NULL;\nEND\n$$");
    return {
        QStringLiteral("CREATE OR REPLACE FUNCTION %1.ardentry_search_words(t text, longest "
                       "integer) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT "
                       "%2 $$")
            .arg(schema, words),
        QStringLiteral("CREATE OR REPLACE FUNCTION %1.ardentry_search_vector(t text, longest "
                       "integer, weight \"char\") RETURNS tsvector LANGUAGE sql IMMUTABLE "
                       "PARALLEL SAFE AS $$ SELECT pg_catalog.setweight(pg_catalog.to_tsvector("
                       "CAST('%2' AS pg_catalog.regconfig), %1.ardentry_search_words(t, "
                       "longest)), weight) $$")
            .arg(schema, config),
        QStringLiteral("CREATE OR REPLACE FUNCTION %1.ardentry_search_document(title text, "
                       "problem text, solution text, category text, enteredby text, reference "
                       "text) RETURNS tsvector LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT "
                       "%2 $$")
            .arg(schema, document.join(gap)),
        // What was typed, one word or phrase, as a query whose last word is a prefix.
        QStringLiteral("CREATE OR REPLACE FUNCTION %1.ardentry_search_prefix(query tsquery) "
                       "RETURNS tsquery LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT CASE "
                       "WHEN pg_catalog.numnode(query) OPERATOR(pg_catalog.=) 0 THEN query ELSE "
                       "CAST(CAST(query AS pg_catalog.text) OPERATOR(pg_catalog.||) ':*' AS "
                       "pg_catalog.tsquery) END $$")
            .arg(schema),
        trigger.arg(
            schema, QStringLiteral("ardentry_search_row"),
            QStringLiteral(
                "    IF TG_OP OPERATOR(pg_catalog.=) 'UPDATE' AND OLD.rowid "
                "OPERATOR(pg_catalog.=) NEW.rowid AND (OLD.title, OLD.problem, OLD.solution, "
                "OLD.cuname, OLD.techname, OLD.reference) IS NOT DISTINCT FROM (NEW.title, "
                "NEW.problem, NEW.solution, NEW.cuname, NEW.techname, NEW.reference) THEN\n"
                "        RETURN NULL;\n"
                "    END IF;\n"
                "    IF TG_OP OPERATOR(pg_catalog.<>) 'INSERT' THEN\n"
                "        DELETE FROM %1.ardentry_search WHERE rowid OPERATOR(pg_catalog.=) "
                "OLD.rowid;\n"
                "    END IF;\n"
                "    IF TG_OP OPERATOR(pg_catalog.<>) 'DELETE' THEN\n"
                "        INSERT INTO %1.ardentry_search (rowid, document, title) VALUES "
                "(NEW.rowid, %1.ardentry_search_document(NEW.title, NEW.problem, NEW.solution, "
                "NEW.cuname, NEW.techname, NEW.reference), %2);\n"
                "    END IF;\n")
                .arg(schema,
                     vector.arg(schema, QStringLiteral("NEW.title"), title, QStringLiteral("A")))),
        trigger.arg(schema, QStringLiteral("ardentry_search_truncate"),
                    QStringLiteral("    DELETE FROM %1.ardentry_search;\n").arg(schema)),
        QStringLiteral("REVOKE EXECUTE ON FUNCTION %1.ardentry_search_row(), "
                       "%1.ardentry_search_truncate() FROM PUBLIC")
            .arg(schema),
    };
}

// Grants reading `table` to every role that may read `readers` (both unquoted names of the
// articles' schema).
void grantReadersOf(QSqlDatabase& database, const QString& readers, const QString& table)
{
    run(database,
        QStringLiteral("DO $grants$ DECLARE g record; BEGIN FOR g IN SELECT DISTINCT CASE "
                       "WHEN a.grantee = 0 THEN 'PUBLIC' ELSE "
                       "quote_ident(pg_get_userbyid(a.grantee)) END AS who FROM pg_class "
                       "c, aclexplode(c.relacl) a WHERE c.oid = '%1'::regclass AND "
                       "a.privilege_type = 'SELECT' LOOP EXECUTE format('GRANT SELECT ON "
                       "%2 TO %s', g.who); END LOOP; END $grants$")
            .arg(readers, table));
}

// The text search configuration, the functions and the triggers of the index, and its table;
// not yet its GIN indexes, which are quicker made once the table is full.
void createServerIndex(QSqlDatabase& database)
{
    const QString config = QLatin1String(ServerConfig);
    const QString unaccent = unaccentSchema(database);
    run(database, QStringLiteral("CREATE TEXT SEARCH CONFIGURATION %1 (COPY = pg_catalog.simple)")
                      .arg(config));
    if (!unaccent.isEmpty())
        run(database, QStringLiteral("ALTER TEXT SEARCH CONFIGURATION %1 ALTER MAPPING FOR word, "
                                     "hword, hword_part, numword, numhword, hword_numpart WITH "
                                     "%2.unaccent, pg_catalog.simple")
                          .arg(config, unaccent));
    run(database, QStringLiteral("CREATE TABLE ardentry_search (rowid bigint PRIMARY KEY, "
                                 "document tsvector NOT NULL, title tsvector NOT NULL)"));
    for (const QString& sql : serverFunctionStatements(schema::serverSchema(database), unaccent))
        run(database, sql);
    run(database, QStringLiteral("CREATE TRIGGER ardentry_search_change AFTER INSERT OR UPDATE OR "
                                 "DELETE ON AR FOR EACH ROW EXECUTE FUNCTION "
                                 "ardentry_search_row()"));
    run(database, QStringLiteral("CREATE TRIGGER ardentry_search_clear AFTER TRUNCATE ON AR FOR "
                                 "EACH STATEMENT EXECUTE FUNCTION ardentry_search_truncate()"));
    // Whoever may read the articles may search them.
    grantReadersOf(database, QStringLiteral("ar"), QStringLiteral("ardentry_search"));
}

// Indexes the articles of AR whose row key lies in (from, to], or all of them.
QString serverFill(bool block)
{
    return QStringLiteral("INSERT INTO ardentry_search (rowid, document, title) SELECT rowid, "
                          "ardentry_search_document(title, problem, solution, cuname, techname, "
                          "reference), ardentry_search_vector(title, %1, 'A') FROM AR%2")
        .arg(LongestTitle)
        .arg(block ? QStringLiteral(" WHERE rowid > ? AND rowid <= ?") : QString());
}

void createServerSearchIndexes(QSqlDatabase& database)
{
    run(database, QStringLiteral("CREATE INDEX ardentry_search_document ON ardentry_search USING "
                                 "gin (document)"));
    run(database, QStringLiteral("CREATE INDEX ardentry_search_title ON ardentry_search USING gin "
                                 "(title)"));
    // Without statistics the server takes a word in nearly every article for a rare one: the
    // newest articles with it were then found by reading every one (100 ms instead of 0.1 at
    // 100,000 articles), until its autovacuum came by.
    run(database, QStringLiteral("ANALYZE ardentry_search"));
}

// One expression per typed term, each with the term's text as its one bound value (appended to
// `binds`), joined by `joint`.
QString serverTerms(const QList<Term>& terms, QList<QVariant>& binds,
                    const std::function<QString(const Term&)>& expression, const QString& joint)
{
    QStringList parts;
    for (const Term& term : terms) {
        parts << expression(term);
        QString text = term.text;
        text.remove(QChar(0)); // a server's text holds no NUL
        binds << text;
    }
    return parts.join(joint);
}

// The words of a typed term, in their order, as a query; its text the one bound value.
QString serverPhrase()
{
    return QStringLiteral("phraseto_tsquery('%1', ardentry_search_words(?, %2))")
        .arg(QLatin1String(ServerConfig))
        .arg(quicksearch::LongestTyped);
}

// The server's query for the typed terms, every text a bound value (appended to `binds`): the
// words of each term in their order (a phrase), all terms together.
QString serverQuery(const QList<Term>& terms, QList<QVariant>& binds)
{
    return QLatin1Char('(') +
           serverTerms(
               terms, binds,
               [](const Term& term) {
                   return term.prefix
                              ? QStringLiteral("ardentry_search_prefix(%1)").arg(serverPhrase())
                              : serverPhrase();
               },
               QStringLiteral(" && ")) +
           QLatin1Char(')');
}

// ---- Snippets of a server's found articles ----
//
// The server's own marking (ts_headline) cuts words by its parser, which keeps a web address or
// a file path as one word, so it marks these lines here, cutting words as the index does.

// Letter case and accents do not count, as in the index.
QString foldedWord(const QString& word)
{
    static const QHash<char32_t, QString> apart = {
        {U'ß', QStringLiteral("ss")}, {U'æ', QStringLiteral("ae")}, {U'œ', QStringLiteral("oe")},
        {U'ø', QStringLiteral("o")},  {U'đ', QStringLiteral("d")},  {U'ð', QStringLiteral("d")},
        {U'ł', QStringLiteral("l")},  {U'þ', QStringLiteral("th")}, {U'ı', QStringLiteral("i")},
        {U'ħ', QStringLiteral("h")}};
    // Most words are plain ASCII, of which only the letter case counts.
    if (std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        QString folded = word;
        for (QChar& c : folded) {
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                c = QChar(c.unicode() + ('a' - 'A'));
        }
        return folded;
    }
    QString folded;
    for (const char32_t c : word.normalized(QString::NormalizationForm_KD).toLower().toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        const auto found = apart.constFind(c);
        if (found != apart.constEnd())
            folded += found.value();
        else
            folded += QString::fromUcs4(&c, 1);
    }
    return folded;
}

// The words of a text: runs of letters and digits (with their accents); every other character
// separates words.
QList<Word> wordsOf(const QString& text)
{
    QList<Word> words;
    qsizetype start = -1;
    const auto partOfWord = [](char32_t c) {
        const QChar::Category category = QChar::category(c);
        return QChar::isLetterOrNumber(c) || category == QChar::Mark_NonSpacing ||
               category == QChar::Mark_SpacingCombining || category == QChar::Mark_Enclosing;
    };
    qsizetype i = 0;
    const qsizetype end = std::min<qsizetype>(text.size(), LongestText);
    while (i <= end) {
        char32_t c = 0;
        qsizetype width = 1;
        if (i < end) {
            c = text[i].unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(text[i], text[i + 1]);
                width = 2;
            }
        }
        const bool inWord = i < end && partOfWord(c);
        if (inWord && start < 0)
            start = i;
        if (!inWord && start >= 0) {
            words << Word{start, i, foldedWord(text.mid(start, i - start))};
            start = -1;
        }
        i += width;
    }
    return words;
}

struct Snippet {
    QString text;
    int found = 0; // terms found in it
};

// The best line of one text for the terms: up to 12 words around the most terms found, the
// found words between MarkStart and MarkEnd, "…" where the text goes on.
Snippet snippetOf(const QString& text, const QList<QStringList>& terms, const QList<Term>& typed)
{
    constexpr qsizetype Length = 12;
    const QList<Word> words = wordsOf(text);
    // Each place a term is found: its first and last word, and which term.
    struct Found {
        qsizetype first;
        qsizetype last;
        int term;
    };
    QList<Found> places;
    for (int t = 0; t < terms.size(); ++t) {
        const QStringList& term = terms[t];
        if (term.isEmpty())
            continue;
        for (qsizetype w = 0; w + term.size() <= words.size(); ++w) {
            bool all = true;
            for (qsizetype k = 0; k < term.size() && all; ++k) {
                const QString& word = words[w + k].folded;
                all = typed[t].prefix && k == term.size() - 1 ? word.startsWith(term[k])
                                                              : word == term[k];
            }
            if (all)
                places << Found{w, w + term.size() - 1, t};
        }
    }
    if (places.isEmpty())
        return {};
    std::sort(places.begin(), places.end(),
              [](const Found& a, const Found& b) { return a.first < b.first; });
    // The window with the most different terms, the first of them on a tie; one with the most
    // starts at a found word. Then two words before it, when the found ones stay inside.
    qsizetype bestFirst = 0;
    qsizetype bestLast = 0;
    int bestCount = 0;
    for (qsizetype i = 0; i < places.size() && bestCount < terms.size(); ++i) {
        const qsizetype first = places[i].first;
        QSet<int> inside;
        qsizetype last = first;
        for (qsizetype j = i; j < places.size() && places[j].first < first + Length; ++j) {
            if (places[j].last < first + Length) {
                inside.insert(places[j].term);
                last = std::max(last, places[j].last);
            }
        }
        if (int(inside.size()) > bestCount) {
            bestCount = int(inside.size());
            bestFirst = first;
            bestLast = last;
        }
    }
    const qsizetype bestStart = std::max<qsizetype>(
        {std::min<qsizetype>(bestFirst - 2, words.size() - Length), bestLast - Length + 1, 0});
    const qsizetype bestEnd = std::min<qsizetype>(bestStart + Length, words.size()) - 1;
    QString line;
    qsizetype at = words[bestStart].start;
    for (const Found& place : places) {
        if (place.first < bestStart || place.last > bestEnd || words[place.first].start < at)
            continue;
        line +=
            text.mid(at, words[place.first].start - at) + quicksearch::MarkStart +
            text.mid(words[place.first].start, words[place.last].end - words[place.first].start) +
            quicksearch::MarkEnd;
        at = words[place.last].end;
    }
    line += text.mid(at, words[bestEnd].end - at);
    if (bestStart > 0)
        line.prepend(QChar(0x2026));
    if (bestEnd < words.size() - 1)
        line.append(QChar(0x2026));
    return {line, bestCount};
}

// The snippet of a found article from its texts (Title, Problem, Solution, Category, Entered
// By, Reference): the one with the most terms found, Problem and Solution before the title,
// which the list shows anyway.
QString serverSnippet(const QStringList& texts, const QList<Term>& typed)
{
    QList<QStringList> terms;
    for (const Term& term : typed) {
        QStringList words;
        for (const Word& word : wordsOf(term.text))
            words << word.folded;
        terms << words;
    }
    Snippet best;
    for (const int column : {1, 2, 0, 3, 4, 5}) {
        Snippet snippet = snippetOf(texts[column], terms, typed);
        if (snippet.found > best.found)
            best = std::move(snippet);
    }
    return best.text;
}

// ---- The phrase index ----
//
// A quoted phrase of common words is dear to find in the quick-search index: every place of each
// of its words is compared, and a word like "the" stands in nearly every article. The phrase
// index (ardentry_pairs) holds each two neighbouring words of a text as one word, "first second",
// at the place of the first, so a phrase of N words is a phrase of its N - 1 pairs, whose lists
// are short. It finds exactly the articles the quick-search index finds for the same phrases.
//
// In a file the pairs are cut by the tokenizer "ardentry_pairs" that the program registers on its
// connections (core/db/SqliteEngine.cpp). Another program has no such tokenizer, so nothing it
// does may touch the table: the triggers on AR only note in ardentry_pairs_pending which articles
// changed, with the texts the index holds for them, and the program brings the index up to date
// from that list before it uses it. On a server a trigger on the quick-search index makes the
// pairs from the words it keeps, without their places: they narrow a search to the articles that
// hold every pair of the phrase, which are then checked against their words.

const char* const PairsPending = "ardentry_pairs_pending";

QStringList filePairStatements()
{
    const QString columns = QLatin1String(IndexedColumns);
    QStringList changed{QStringLiteral("old.rowid IS NOT new.rowid")};
    for (const QString& column : columns.split(QStringLiteral(", ")))
        changed << QStringLiteral("old.%1 IS NOT new.%1").arg(column);
    // The first change of an article since the index was brought up to date keeps the texts the
    // index holds for it; a new article is noted as not in the index.
    const QString keepOld =
        QStringLiteral("INSERT INTO %1 SELECT old.rowid, 1, %2 WHERE NOT EXISTS (SELECT 1 FROM %1 "
                       "WHERE rowid = old.rowid);")
            .arg(QLatin1String(PairsPending), newValues("old."));
    const QString noteNew = QStringLiteral("INSERT INTO %1 (rowid, indexed) SELECT new.rowid, 0 "
                                           "WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE rowid = "
                                           "new.rowid);")
                                .arg(QLatin1String(PairsPending));
    return {
        QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(%2, content='AR', "
                       "content_rowid='rowid', tokenize='ardentry_pairs remove_diacritics 2')")
            .arg(QLatin1String(PairsTable), columns),
        QStringLiteral("CREATE TABLE %1 (rowid INTEGER PRIMARY KEY, indexed INTEGER NOT NULL, %2)")
            .arg(QLatin1String(PairsPending), columns),
        QStringLiteral("CREATE TRIGGER ardentry_pairs_insert AFTER INSERT ON AR BEGIN %1 END")
            .arg(noteNew),
        QStringLiteral("CREATE TRIGGER ardentry_pairs_delete AFTER DELETE ON AR BEGIN %1 END")
            .arg(keepOld),
        QStringLiteral("CREATE TRIGGER ardentry_pairs_update AFTER UPDATE ON AR WHEN %1 BEGIN %2 "
                       "%3 END")
            .arg(changed.join(QStringLiteral(" OR ")), keepOld, noteNew),
    };
}

QString filePairFill()
{
    return QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT rowid, %2 FROM AR WHERE rowid > ? AND "
                          "rowid <= ?")
        .arg(QLatin1String(PairsTable), QLatin1String(IndexedColumns));
}

void createFilePairs(QSqlDatabase& database, bool fill)
{
    for (const QString& sql : filePairStatements())
        run(database, sql);
    if (fill)
        run(database, QStringLiteral("INSERT INTO %1 (%1) VALUES ('rebuild')")
                          .arg(QLatin1String(PairsTable)));
    schema::markAdded(database, schema::PhraseIndex);
}

void clearFilePairs(QSqlDatabase& database)
{
    run(database,
        QStringLiteral("INSERT INTO %1 (%1) VALUES ('delete-all')").arg(QLatin1String(PairsTable)));
    run(database, QStringLiteral("DELETE FROM %1").arg(QLatin1String(PairsPending)));
}

// Whether a file's phrase index, once up to date, still holds the row keys of AR at both ends. The
// quick-search index is checked and made again when another program renumbered the articles
// (indexMatches); an earlier version of this program makes only that index again, and the phrase
// index is then left unused.
bool pairsInStep(QSqlDatabase& database)
{
    db::Query query(database, QString());
    return query.tryRun(QStringLiteral("SELECT (SELECT min(rowid) FROM AR) IS (SELECT min(id) FROM "
                                       "%1_docsize) AND (SELECT "
                                       "max(rowid) FROM AR) IS (SELECT max(id) FROM %1_docsize)")
                            .arg(QLatin1String(PairsTable))) &&
           query.tryNext() && query.value(0).toBool();
}

// Brings a file's phrase index up to date with the articles changed since it last was; false when
// that cannot be done now (a file opened read-only, another writer busy): the index is then not
// used.
bool catchUpFilePairs(Connection& connection)
{
    QSqlDatabase& database = connection.database();
    const QString pending = QLatin1String(PairsPending);
    {
        db::Query query(database, QString());
        if (!query.tryRun(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1)").arg(pending)) ||
            !query.tryNext())
            return false;
        if (!query.value(0).toBool())
            return pairsInStep(database);
    }
    try {
        Transaction transaction(connection, indexNotMade());
        const QString columns = QLatin1String(IndexedColumns);
        const QString pairs = QLatin1String(PairsTable);
        run(database, QStringLiteral("INSERT INTO %1 (%1, rowid, %2) SELECT 'delete', rowid, %2 "
                                     "FROM %3 WHERE indexed")
                          .arg(pairs, columns, pending));
        run(database, QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT AR.rowid, %3 FROM %4 JOIN "
                                     "AR ON AR.rowid = %4.rowid")
                          .arg(pairs, columns, newValues("AR."), pending));
        run(database, QStringLiteral("DELETE FROM %1").arg(pending));
        transaction.commit();
        return pairsInStep(database);
    } catch (const DbError&) {
        return false;
    }
}

// The functions of a server's phrase index in the schema `schema` (quoted), guarded as those of
// the quick-search index (see serverFunctionStatements).
QStringList serverPairFunctionStatements(const QString& schema)
{
    QString config = QStringLiteral("%1.%2").arg(schema, QLatin1String(ServerConfig));
    config.replace(QLatin1Char('\''), QStringLiteral("''"));
    const QString cat = QStringLiteral("OPERATOR(pg_catalog.||)");
    const QString pair = QStringLiteral("a.lexeme %1 ' ' %1 b.lexeme").arg(cat);
    // Each place of each word of WORDS, and the word at the next place. A word is at most 2,047
    // bytes long, so longer pairs are left out.
    const QString neighbours = QStringLiteral(
        "FROM (SELECT w.lexeme, x.place FROM pg_catalog.unnest(WORDS) AS w, "
        "pg_catalog.unnest(w.positions) AS x(place)) AS a JOIN (SELECT w.lexeme, x.place FROM "
        "pg_catalog.unnest(WORDS) AS w, pg_catalog.unnest(w.positions) AS x(place)) AS b ON "
        "b.place OPERATOR(pg_catalog.=) (a.place OPERATOR(pg_catalog.+) 1) AND "
        "(pg_catalog.octet_length(a.lexeme) OPERATOR(pg_catalog.+) "
        "pg_catalog.octet_length(b.lexeme)) OPERATOR(pg_catalog.<) 2000");
    const auto neighboursOf = [&neighbours](const QString& words) {
        return QString(neighbours).replace(QStringLiteral("WORDS"), words);
    };
    const QString trigger = QStringLiteral("CREATE OR REPLACE FUNCTION %1.%2() RETURNS trigger "
                                           "LANGUAGE plpgsql SECURITY DEFINER SET search_path = "
                                           "%1, pg_temp AS $$\nBEGIN\n%3    RETURN NULL;\nEND\n$$");
    return {
        // The pairs of a tsvector, without their places: whether an article holds a phrase is
        // checked against its words (which ranking it reads anyway), so the pairs only narrow
        // the search, and are made in half the time.
        QStringLiteral("CREATE OR REPLACE FUNCTION %1.ardentry_search_pairs(d tsvector) RETURNS "
                       "tsvector LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT "
                       "pg_catalog.array_to_tsvector(coalesce(pg_catalog.array_agg(%2), CAST('{}' "
                       "AS pg_catalog.text[]))) %3 $$")
            .arg(schema, pair, neighboursOf(QStringLiteral("d"))),
        // The words `t` (as ardentry_search_words gives them) as all of their pairs, each a
        // quoted word, the last pair's second word a prefix when `prefix`.
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION %1.ardentry_pairs_query(t text, prefix boolean) RETURNS "
            "tsquery LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT CAST(CASE WHEN "
            "pg_catalog.count(*) OPERATOR(pg_catalog.=) 0 THEN '' ELSE "
            "pg_catalog.string_agg('''' %2 pg_catalog.replace(pg_catalog.replace(%3, '\\', "
            "'\\\\'), '''', '''''') %2 '''', ' & ' ORDER BY a.place) %2 CASE WHEN prefix THEN "
            "':*' ELSE '' END END AS pg_catalog.tsquery) %4 $$")
            .arg(schema, cat, pair,
                 neighboursOf(QStringLiteral("pg_catalog.to_tsvector(CAST('%1' AS "
                                             "pg_catalog.regconfig), t)")
                                  .arg(config))),
        trigger.arg(schema, QStringLiteral("ardentry_pairs_row"),
                    QStringLiteral("    IF TG_OP OPERATOR(pg_catalog.<>) 'INSERT' THEN\n"
                                   "        DELETE FROM %1.ardentry_pairs WHERE rowid "
                                   "OPERATOR(pg_catalog.=) OLD.rowid;\n"
                                   "    END IF;\n"
                                   "    IF TG_OP OPERATOR(pg_catalog.<>) 'DELETE' THEN\n"
                                   "        INSERT INTO %1.ardentry_pairs (rowid, document, title) "
                                   "VALUES (NEW.rowid, %1.ardentry_search_pairs(NEW.document), "
                                   "%1.ardentry_search_pairs(NEW.title));\n"
                                   "    END IF;\n")
                        .arg(schema)),
        QStringLiteral("REVOKE EXECUTE ON FUNCTION %1.ardentry_pairs_row() FROM PUBLIC")
            .arg(schema),
    };
}

// A server's phrase index, empty, and the trigger that keeps it; not yet its GIN indexes.
void createServerPairs(QSqlDatabase& database)
{
    run(database, QStringLiteral("CREATE TABLE ardentry_pairs (rowid bigint PRIMARY KEY, "
                                 "document tsvector NOT NULL, title tsvector NOT NULL)"));
    for (const QString& sql : serverPairFunctionStatements(schema::serverSchema(database)))
        run(database, sql);
    run(database, QStringLiteral("CREATE TRIGGER ardentry_pairs_change AFTER INSERT OR UPDATE OR "
                                 "DELETE ON ardentry_search FOR EACH ROW EXECUTE FUNCTION "
                                 "ardentry_pairs_row()"));
    // Whoever may search the articles may search them by phrases.
    grantReadersOf(database, QStringLiteral("ardentry_search"), QStringLiteral("ardentry_pairs"));
}

QString serverPairFill()
{
    return QStringLiteral("INSERT INTO ardentry_pairs (rowid, document, title) SELECT rowid, "
                          "ardentry_search_pairs(document), ardentry_search_pairs(title) FROM "
                          "ardentry_search WHERE rowid > ? AND rowid <= ?");
}

void finishServerPairs(QSqlDatabase& database)
{
    run(database, QStringLiteral("CREATE INDEX ardentry_pairs_document ON ardentry_pairs USING gin "
                                 "(document)"));
    run(database,
        QStringLiteral("CREATE INDEX ardentry_pairs_title ON ardentry_pairs USING gin (title)"));
    run(database, QStringLiteral("ANALYZE ardentry_pairs"));
    schema::markAdded(database, schema::PhraseIndex);
}

// Where the words are found, and how the found articles rank.
struct Match {
    QString table = QStringLiteral("ardentry_search"); // where the rows are found
    QString where;                                     // a condition on `table`
    QList<QVariant> binds;                             // of `where`
    QString rank;                                      // a value per found row, the best the lowest
    QList<QVariant> rankBinds;                         // of `rank`
    // A statement that counts the found rows up to RankedAtMost + 1 more cheaply than `where`
    // finds them, but only where it is exact (otherwise it counts none); empty when there is
    // none.
    QString count;
    QList<QVariant> countBinds; // of `count`
    // The newest found rows, the binds of `where` and then how many; empty for the plain way.
    QString newest;
};

Match serverMatch(const QList<Term>& terms, bool inTitle)
{
    Match match;
    match.where = QStringLiteral("%1 @@ %2")
                      .arg(inTitle ? QStringLiteral("title") : QStringLiteral("document"),
                           serverQuery(terms, match.binds));
    match.rank = QStringLiteral("-ts_rank('%1', document, %2, 1)")
                     .arg(QLatin1String(ServerWeights), serverQuery(terms, match.rankBinds));
    // The server cannot tell how many articles hold words that start with what is being typed,
    // and finds "the" as a start in nearly all of them by collecting every one (90 ms at 1M
    // articles). The whole word is found in fewer, and it knows how many: when those are more
    // than are ranked already, so are the others.
    if (std::any_of(terms.begin(), terms.end(), [](const Term& term) { return term.prefix; })) {
        QList<Term> whole = terms;
        for (Term& term : whole)
            term.prefix = false;
        match.count = QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM ardentry_search WHERE "
                                     "%1 @@ %2 LIMIT %3) AS found")
                          .arg(inTitle ? QStringLiteral("title") : QStringLiteral("document"),
                               serverQuery(whole, match.countBinds))
                          .arg(quicksearch::RankedAtMost + 1);
    }
    return match;
}

Match fileMatch(const QList<Term>& terms, bool inTitle)
{
    Match match;
    QStringList parts;
    for (const Term& term : terms)
        parts << quotedString(term.text) + (term.prefix ? QStringLiteral("*") : QString());
    const QString query = parts.join(QLatin1Char(' '));
    match.where = QStringLiteral("ardentry_search MATCH ?");
    match.binds << (inTitle ? QStringLiteral("{Title} : (%1)").arg(query) : query);
    match.rank = QStringLiteral("bm25(ardentry_search, %1)").arg(QLatin1String(Weights));
    return match;
}

// The same terms, all phrases of two words or more, found through the phrase index: the same
// articles; ranked alike, though a text's length counts its pairs instead of its words.
// (Ranked by the words instead, each found article would be looked up in the index of words.)
Match filePairMatch(const QList<Term>& terms, bool inTitle)
{
    Match match = fileMatch(terms, inTitle);
    match.table = QLatin1String(PairsTable);
    match.where = QStringLiteral("ardentry_pairs MATCH ?");
    match.rank = QStringLiteral("bm25(ardentry_pairs, %1)").arg(QLatin1String(Weights));
    return match;
}

// The server's query for the typed phrases in pairs of neighbouring words, every text a bound
// value (appended to `binds`).
QString serverPairQuery(const QList<Term>& terms, QList<QVariant>& binds)
{
    return QLatin1Char('(') +
           serverTerms(
               terms, binds,
               [](const Term& term) {
                   return QStringLiteral("ardentry_pairs_query(ardentry_search_words(?, %1), %2)")
                       .arg(quicksearch::LongestTyped)
                       .arg(term.prefix ? QStringLiteral("true") : QStringLiteral("false"));
               },
               QStringLiteral(" && ")) +
           QLatin1Char(')');
}

// Narrowed by the pairs, then found and ranked by the words, as without them.
Match serverPairMatch(const QList<Term>& terms, bool inTitle)
{
    Match match = serverMatch(terms, inTitle);
    match.table = QStringLiteral("ardentry_pairs AS p JOIN ardentry_search AS s USING (rowid)");
    const QString column = inTitle ? QStringLiteral("title") : QStringLiteral("document");
    // A phrase whose pairs are all left out (two words of over 2,000 bytes) narrows nothing.
    QList<QVariant> binds;
    const QString none = serverPairQuery(terms, binds);
    const QString narrowed = QStringLiteral("(numnode(%1) = 0 OR p.%2 @@ %3)")
                                 .arg(none, column, serverPairQuery(terms, binds));
    // The newest: the rows the pairs find, in order (their row keys only), until enough of them
    // hold the words; walking the newest rows instead reads each one's pairs.
    match.newest = QStringLiteral("SELECT c.rowid FROM (SELECT p.rowid FROM ardentry_pairs AS p "
                                  "WHERE %1 ORDER BY p.rowid DESC OFFSET 0) AS c JOIN "
                                  "ardentry_search AS s USING (rowid) WHERE s.%2 ORDER BY c.rowid "
                                  "DESC LIMIT ?")
                       .arg(narrowed, match.where);
    match.where = QStringLiteral("%1 AND s.%2").arg(narrowed, match.where);
    match.binds = binds + match.binds;
    match.rank.replace(QStringLiteral(", document, "), QStringLiteral(", s.document, "));
    // Phrases of two words each are found exactly by their pairs alone; counting them needs no
    // article's words, which makes a phrase in more articles than are ranked quick to tell.
    match.countBinds.clear();
    const QString twoWords = serverTerms(
        terms, match.countBinds,
        [](const Term&) { return QStringLiteral("numnode(%1) = 3").arg(serverPhrase()); },
        QStringLiteral(" AND "));
    match.count =
        QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM ardentry_pairs AS p WHERE %1 AND p.%2 "
                       "@@ %3 LIMIT %4) AS found")
            .arg(twoWords, column, serverPairQuery(terms, match.countBinds))
            .arg(quicksearch::RankedAtMost + 1);
    return match;
}

void createFileIndex(QSqlDatabase& database, bool fill);

void createFilledServerIndex(QSqlDatabase& database, bool fill)
{
    createServerIndex(database);
    createServerPairs(database);
    if (fill)
        run(database, serverFill(false));
    createServerSearchIndexes(database);
    schema::markAdded(database, schema::QuickSearchIndex);
    finishServerPairs(database);
}

void startServerBuild(QSqlDatabase& database)
{
    createServerIndex(database);
    createServerPairs(database);
}

void finishServerBuild(QSqlDatabase& database)
{
    createServerSearchIndexes(database);
    schema::markAdded(database, schema::QuickSearchIndex);
    finishServerPairs(database);
}

// The index's own statements and steps on each engine.
struct Dialect {
    Match (*match)(const QList<Term>& terms, bool inTitle);
    // Adds the index (filled or empty) and records it.
    void (*create)(QSqlDatabase& database, bool fill);
    // A build in blocks: the empty index first, then the statement that fills a block of row
    // keys (from, to], then what follows the last block.
    void (*startBuild)(QSqlDatabase& database);
    QString fillBlock;
    void (*finishBuild)(QSqlDatabase& database);
    // Empties the index before it is made again.
    QString clear;
    // The expression of a found article's marked text; empty when it is made here.
    QString snippet;
    // The phrase index: where phrases are found, how a database that lacks it gets it (made
    // empty, then filled a block of row keys (from, to] at a time, then finished), and how it is
    // emptied before the quick-search index is made again (nothing where a trigger on the
    // quick-search index keeps it). `pairsCurrent` brings it up to date, false when it cannot be
    // used now.
    Match (*pairMatch)(const QList<Term>& terms, bool inTitle);
    void (*startPairs)(QSqlDatabase& database);
    QString fillPairs;
    void (*finishPairs)(QSqlDatabase& database);
    void (*clearPairs)(QSqlDatabase& database);
    bool (*pairsCurrent)(Connection& connection);
};

const Dialect& dialectOf(const QSqlDatabase& handle)
{
    static const Dialect file{
        &fileMatch,
        &createFileIndex,
        [](QSqlDatabase& database) { createFileIndex(database, false); },
        QStringLiteral("INSERT INTO ardentry_search(rowid, %1) SELECT rowid, %1 FROM AR WHERE "
                       "rowid > ? AND rowid <= ?")
            .arg(QLatin1String(IndexedColumns)),
        [](QSqlDatabase&) {},
        QStringLiteral("INSERT INTO ardentry_search(ardentry_search) VALUES ('delete-all')"),
        QStringLiteral("snippet(ardentry_search, -1, char(2), char(3), '…', 12)"),
        &filePairMatch,
        [](QSqlDatabase& database) { createFilePairs(database, false); },
        filePairFill(),
        [](QSqlDatabase&) {},
        &clearFilePairs,
        &catchUpFilePairs,
    };
    static const Dialect server{
        &serverMatch,
        &createFilledServerIndex,
        &startServerBuild,
        serverFill(true),
        &finishServerBuild,
        QStringLiteral("DELETE FROM ardentry_search"),
        QString(),
        &serverPairMatch,
        &createServerPairs,
        serverPairFill(),
        &finishServerPairs,
        nullptr,
        [](Connection&) { return true; },
    };
    return db::Engine::of(handle).pick(file, server);
}

} // namespace

QString quicksearch::ftsQuery(const QString& typed, bool prefixLast)
{
    QStringList parts;
    for (const Term& term : termsOf(typed, prefixLast))
        parts << quotedString(term.text) + (term.prefix ? QStringLiteral("*") : QString());
    return parts.join(QLatin1Char(' '));
}

QString quicksearch::matchCondition(QSqlDatabase& database, const QString& typed,
                                    QList<QVariant>& binds)
{
    const QList<Term> terms = termsOf(typed, true);
    if (terms.isEmpty())
        return QString();
    const Match match = dialectOf(database).match(terms, false);
    binds << match.binds;
    return QStringLiteral("rowid IN (SELECT rowid FROM ardentry_search WHERE %1)").arg(match.where);
}

void quicksearch::renewServerFunctions(QSqlDatabase& database)
{
    // The words are cut as when the index was made: with unaccent when its configuration uses it.
    const QString unaccent =
        db::scalar(database,
                   QCoreApplication::translate("QuickSearch",
                                               "The quick-search index could not be renewed"),
                   QStringLiteral("SELECT quote_ident(n.nspname) FROM pg_ts_config_map m JOIN "
                                  "pg_ts_dict d ON d.oid = m.mapdict JOIN pg_namespace n ON "
                                  "n.oid = d.dictnamespace WHERE m.mapcfg = '%1'::regconfig AND "
                                  "d.dictname = 'unaccent' LIMIT 1")
                       .arg(QLatin1String(ServerConfig)))
            .toString();
    for (const QString& sql : serverFunctionStatements(schema::serverSchema(database), unaccent))
        run(database, sql);
}

bool quicksearch::hasIndex(QSqlDatabase& database)
{
    return schema::has(database, schema::QuickSearchIndex);
}

void quicksearch::createIndex(QSqlDatabase& database, bool fill)
{
    dialectOf(database).create(database, fill);
}

namespace
{
void createFileIndex(QSqlDatabase& database, bool fill)
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
    createFilePairs(database, fill);
}
} // namespace

namespace
{

// ---- Whether a file's index still matches its articles ----
//
// A VACUUM, like every change of the schema, changes the file's schema version. The table
// ardentry_search_checked keeps the schema version under which the index last matched AR. While
// the two agree, only the lowest and highest row keys of AR and of the index are compared (a
// renumbering that changes anything lowers the highest); otherwise their number and sum too,
// over all rows, and a match is kept as the new version.

const char* const CheckedTable = "ardentry_search_checked";

qint64 schemaVersion(QSqlDatabase& database)
{
    db::Query query(database, indexNotChecked());
    if (!query.run(QStringLiteral("PRAGMA schema_version")).next())
        query.fail();
    return query.value(0).toLongLong();
}

// The version recorded, -1 when none is (or the table is missing).
qint64 checkedVersion(QSqlDatabase& database)
{
    db::Query query(database, QString());
    if (!query.tryRun(QStringLiteral("SELECT version FROM %1").arg(QLatin1String(CheckedTable))) ||
        !query.tryNext())
        return -1;
    return query.value(0).toLongLong();
}

// Records `version`; false when the database cannot be written (a read-only file).
bool recordChecked(QSqlDatabase& database, qint64 version)
{
    db::Query query(database, QString());
    const QString table = QLatin1String(CheckedTable);
    return query.tryRun(QStringLiteral("DELETE FROM %1").arg(table)) &&
           query.tryRun(
               QStringLiteral("INSERT INTO %1 (version) VALUES (%2)").arg(table).arg(version));
}

bool ensureCheckedTable(QSqlDatabase& database)
{
    return db::Query(database, QString())
        .tryRun(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (version INTEGER NOT NULL)")
                    .arg(QLatin1String(CheckedTable)));
}

bool sameKeys(QSqlDatabase& database, bool all)
{
    const QString ends = QStringLiteral(
        "(SELECT min(rowid) FROM AR) IS (SELECT min(id) FROM ardentry_search_docsize) AND "
        "(SELECT max(rowid) FROM AR) IS (SELECT max(id) FROM ardentry_search_docsize)");
    const QString everyKey = QStringLiteral(
        " AND (SELECT count(*) FROM AR) = (SELECT count(*) FROM ardentry_search_docsize) AND "
        "(SELECT sum(rowid) FROM AR) IS (SELECT sum(id) FROM ardentry_search_docsize)");
    db::Query query(database, indexNotChecked());
    if (!query.run(QStringLiteral("SELECT ") + ends + (all ? everyKey : QString())).next())
        query.fail();
    return query.value(0).toBool();
}

// Files whose index matched under a schema version that could not be recorded (read-only).
QHash<QString, qint64>& matchedUnrecorded()
{
    static QHash<QString, qint64> matched;
    return matched;
}

enum class Fill {
    Build,   // the quick-search index and its phrase index, where there are none yet
    Rebuild, // both made again from the articles
    Pairs,   // the phrase index beside a quick-search index made without it
};

bool fillIndex(Connection& connection, Fill what,
               const std::function<bool(qint64, qint64)>& progress)
{
    connection.ensureAlive();
    QSqlDatabase& database = connection.database();
    const Dialect& dialect = dialectOf(database);
    Transaction transaction(
        connection,
        QCoreApplication::translate("QuickSearch", "The quick-search index could not be made"));
    // Where the program keeps the phrase index, it is filled here with the quick-search index;
    // elsewhere the quick-search index's trigger fills it.
    bool pairsToo = dialect.clearPairs != nullptr;
    switch (what) {
    case Fill::Build:
        if (quicksearch::hasIndex(database))
            return true;
        dialect.startBuild(database);
        break;
    case Fill::Rebuild:
        run(database, dialect.clear);
        pairsToo = pairsToo && schema::has(database, schema::PhraseIndex);
        if (pairsToo)
            dialect.clearPairs(database);
        break;
    case Fill::Pairs:
        if (schema::has(database, schema::PhraseIndex))
            return true;
        dialect.startPairs(database);
        pairsToo = false;
        break;
    }
    db::Query count(
        database, QCoreApplication::translate("QuickSearch", "The articles could not be counted"));
    if (!count.run(QStringLiteral("SELECT count(*), max(rowid) FROM AR")).next())
        count.fail();
    const qint64 total = count.value(0).toLongLong();
    const qint64 lastKey = count.value(1).toLongLong();
    count.finish();
    db::Query block(database, indexNotMade());
    block.prepare(what == Fill::Pairs ? dialect.fillPairs : dialect.fillBlock);
    std::unique_ptr<db::Query> pairBlock;
    if (pairsToo) {
        pairBlock = std::make_unique<db::Query>(database, indexNotMade());
        pairBlock->prepare(dialect.fillPairs);
    }
    qint64 done = 0;
    for (qint64 from = 0; from < lastKey; from += BuildBlock) {
        block.exec({from, from + BuildBlock});
        done += block.rowsAffected();
        if (pairBlock)
            pairBlock->exec({from, from + BuildBlock});
        if (progress && !progress(std::min(done, total), total))
            return false; // the transaction rolls back
    }
    block.finish();
    pairBlock.reset();
    if (what == Fill::Build)
        dialect.finishBuild(database);
    else if (what == Fill::Pairs)
        dialect.finishPairs(database);
    if (!connection.isServer()) {
        run(database, QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (version INTEGER NOT NULL)")
                          .arg(QLatin1String(CheckedTable)));
        run(database, QStringLiteral("DELETE FROM %1").arg(QLatin1String(CheckedTable)));
        run(database, QStringLiteral("INSERT INTO %1 (version) VALUES (%2)")
                          .arg(QLatin1String(CheckedTable))
                          .arg(schemaVersion(database)));
    }
    transaction.commit();
    matchedUnrecorded().remove(database.databaseName());
    return true;
}

} // namespace

quicksearch::StaleIndex::StaleIndex()
    : DbError(QCoreApplication::translate("QuickSearch",
                                          "The quick-search index no longer matches the "
                                          "articles: another program gave them new row "
                                          "numbers."))
{
}

quicksearch::NoIndex::NoIndex()
    : DbError(QCoreApplication::translate("QuickSearch", "The database has no quick-search index."))
{
}

bool quicksearch::buildIndex(Connection& connection,
                             const std::function<bool(qint64, qint64)>& progress)
{
    return fillIndex(connection, Fill::Build, progress);
}

bool quicksearch::buildPhraseIndex(Connection& connection,
                                   const std::function<bool(qint64, qint64)>& progress)
{
    return fillIndex(connection, Fill::Pairs, progress);
}

bool quicksearch::hasPhraseIndex(QSqlDatabase& database)
{
    return schema::has(database, schema::PhraseIndex);
}

bool quicksearch::mayBuildPhraseIndex(Connection& connection)
{
    if (!history::isWritable(connection))
        return false;
    if (!connection.isServer())
        return true;
    // A trigger on the quick-search index keeps it: only the index's owner may add one.
    return db::scalar(connection.database(), indexNotChecked(),
                      QStringLiteral("SELECT pg_catalog.pg_has_role(relowner, 'USAGE') FROM "
                                     "pg_catalog.pg_class WHERE oid = "
                                     "to_regclass('ardentry_search')"))
        .toBool();
}

bool quicksearch::hasPhrase(const QString& typed)
{
    const QList<Term> terms = termsOf(typed, false);
    return std::any_of(terms.begin(), terms.end(), &isPhrase);
}

bool quicksearch::rebuildIndex(Connection& connection,
                               const std::function<bool(qint64, qint64)>& progress)
{
    return fillIndex(connection, Fill::Rebuild, progress);
}

bool quicksearch::indexMatches(Connection& connection, bool thorough)
{
    if (connection.isServer())
        return true;
    QSqlDatabase& database = connection.database();
    if (!hasIndex(database))
        return true;
    const QString file = database.databaseName();
    qint64 version = schemaVersion(database);
    if (!thorough &&
        (version == checkedVersion(database) || version == matchedUnrecorded().value(file, -1)))
        return sameKeys(database, false);
    // Made first when missing, since making it changes the version.
    if (checkedVersion(database) < 0 && ensureCheckedTable(database))
        version = schemaVersion(database);
    if (!sameKeys(database, true))
        return false;
    // A change after the version was read leaves the recorded one behind, so the next check
    // compares every key again.
    if (recordChecked(database, version))
        matchedUnrecorded().remove(file);
    else
        matchedUnrecorded().insert(file, version);
    return true;
}

namespace
{
quicksearch::Result searchIndex(Connection& connection, const QString& typed, int limit)
{
    using namespace quicksearch;
    Result result;
    QSqlDatabase& database = connection.database();
    const Dialect& dialect = dialectOf(database);
    const QList<Term> terms = termsOf(typed, true);

    // The article whose number was typed comes first.
    bool isNumber = false;
    const qlonglong number = typed.trimmed().toLongLong(&isNumber);
    QList<qint64> keys;
    if (isNumber) {
        db::Query byNumber(database, searchFailed());
        byNumber.run(QStringLiteral("SELECT rowid FROM AR WHERE ID = ? LIMIT ?"), {number, limit});
        while (byNumber.next())
            keys << byNumber.value(0).toLongLong();
    }
    QHash<qint64, const Match*> foundBy; // the articles the words found, and the match of each
    QHash<qint64, QString> snippets;     // of those, as the engine made them with the ranking
    const auto add = [&](const QList<qint64>& best, const Match& match) {
        for (qint64 key : best) {
            if (keys.size() >= limit)
                break;
            if (foundBy.contains(key))
                continue;
            foundBy.insert(key, &match);
            if (!keys.contains(key))
                keys << key;
        }
    };
    // The newest `limit` articles a match finds, for a match too wide to rank.
    const auto newest = [&](const Match& match) {
        db::Query query(database, searchFailed());
        if (match.newest.isEmpty())
            query.prepare(
                QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY rowid DESC LIMIT ?")
                    .arg(match.table, match.where));
        else
            query.prepare(match.newest);
        query.exec(QVariantList(match.binds) << limit);
        QList<qint64> best;
        while (query.next())
            best << query.value(0).toLongLong();
        return best;
    };
    // A match of plain words is quick to run; its cost is in the ranking and the snippets. It
    // is counted first, then ranked in the engine, which makes snippets for the best only.
    const auto countOf = [&](const Match& match) {
        db::Query count(database, searchFailed());
        count.prepare(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM %1 WHERE %2 LIMIT %3) "
                                     "AS found")
                          .arg(match.table, match.where)
                          .arg(RankedAtMost + 1));
        if (!count.exec(match.binds).next())
            count.fail();
        return count.value(0).toInt();
    };
    const auto rankedBest = [&](const Match& match) {
        db::Query query(database, searchFailed());
        query.prepare(
            QStringLiteral("SELECT rowid%1 FROM ardentry_search WHERE %2 ORDER BY %3 "
                           "LIMIT ?")
                .arg(dialect.snippet.isEmpty() ? QString() : QStringLiteral(", ") + dialect.snippet,
                     match.where, match.rank));
        query.exec(QVariantList(match.binds) << match.rankBinds << limit);
        QList<qint64> best;
        while (query.next()) {
            best << query.value(0).toLongLong();
            if (!dialect.snippet.isEmpty())
                snippets.insert(best.last(), query.value(1).toString());
        }
        return best;
    };
    // A phrase is dear to match (every place of its words is compared), so it runs once: every
    // article it finds with its rank, up to one more than are ranked; counted, ordered and cut
    // here, snippets made for the articles shown only. So does every search on a server, whose
    // cost is in reading each found article's row, once for the count and again for the rank.
    const auto matchedOnce = [&](const Match& match, int& total) {
        db::Query query(database, searchFailed());
        query.prepare(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE %3 LIMIT %4")
                          .arg(match.rank, match.table, match.where)
                          .arg(RankedAtMost + 1));
        query.exec(QVariantList(match.rankBinds) << match.binds);
        std::vector<std::pair<double, qint64>> ranked;
        ranked.reserve(1024);
        while (query.next())
            ranked.emplace_back(query.value(1).toDouble(), query.value(0).toLongLong());
        total = int(ranked.size());
        if (total > RankedAtMost)
            return newest(match);
        const auto cut = ranked.begin() + std::min<qsizetype>(limit, total);
        std::partial_sort(ranked.begin(), cut, ranked.end());
        QList<qint64> best;
        for (auto it = ranked.begin(); it != cut; ++it)
            best << it->second;
        return best;
    };
    const bool phrase = std::any_of(terms.begin(), terms.end(), &isPhrase);
    // The best articles of a match, at most `limit`; `total` gets how many it found (up to
    // RankedAtMost + 1). Beyond RankedAtMost the newest come instead of the best.
    const auto bestOf = [&](const Match& match, int& total) {
        if (!match.count.isEmpty()) {
            db::Query count(database, searchFailed());
            count.prepare(match.count);
            if (!count.exec(match.countBinds).next())
                count.fail();
            total = count.value(0).toInt();
            if (total > RankedAtMost)
                return newest(match);
        }
        if (phrase || dialect.snippet.isEmpty())
            return matchedOnce(match, total);
        total = countOf(match);
        return total > RankedAtMost ? newest(match) : rankedBest(match);
    };
    const Match match = terms.isEmpty() ? Match() : dialect.match(terms, false);
    const Match inTitle = terms.isEmpty() ? Match() : dialect.match(terms, true);
    // Phrases alone are found through the phrase index, when the database has it and it is up to
    // date; the snippets still come from the quick-search index.
    const bool phrasesOnly = !terms.isEmpty() && std::all_of(terms.begin(), terms.end(), &isPhrase);
    const bool byPairs = phrasesOnly && schema::has(database, schema::PhraseIndex) &&
                         dialect.pairsCurrent(connection);
    if (!terms.isEmpty()) {
        const Match searched = byPairs ? dialect.pairMatch(terms, false) : match;
        const Match searchedInTitle = byPairs ? dialect.pairMatch(terms, true) : inTitle;
        const QList<qint64> best = bestOf(searched, result.total);
        result.overflow = result.total > RankedAtMost;
        if (!result.overflow) {
            add(best, match);
        } else {
            // Too many to rank them all quickly: title matches first, then the newest.
            int inTitleTotal = 0;
            add(bestOf(searchedInTitle, inTitleTotal), inTitle);
            add(best, match);
        }
    }
    // The numbered articles that the words did not find count too.
    for (qint64 key : keys)
        if (!foundBy.contains(key) && !result.overflow)
            ++result.total;
    while (keys.size() > limit)
        keys.removeLast();

    std::unique_ptr<db::Query> markedByAll, markedByTitle;
    // The articles shown, read in one statement (a server answers each statement over the
    // network), in the order of `keys`.
    QHash<qint64, QVariantList> articles;
    if (!keys.isEmpty()) {
        db::Query read(database, searchFailed());
        QVariantList binds;
        for (qint64 key : keys)
            binds << key;
        read.run(QStringLiteral("SELECT rowid, ID, Title, CUName, techname, InitialEntry, Problem, "
                                "solution, reference FROM AR WHERE rowid IN (%1)")
                     .arg(QStringList(keys.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                 binds);
        while (read.next()) {
            QVariantList values;
            for (int c = 1; c <= 8; ++c)
                values << read.value(c);
            articles.insert(read.value(0).toLongLong(), values);
        }
    }
    for (qint64 key : keys) {
        const auto article = articles.constFind(key);
        if (article == articles.constEnd())
            continue;
        const QVariantList& row = article.value();
        Hit hit;
        hit.key = key;
        hit.id = row[0].toString();
        hit.title = row[1].toString();
        hit.category = row[2].toString();
        hit.enteredBy = row[3].toString();
        hit.dateEntered = row[4].toString();
        hit.snippet = snippets.value(key);
        const Match* by = foundBy.value(key);
        if (by && hit.snippet.isEmpty()) {
            if (dialect.snippet.isEmpty()) {
                hit.snippet = serverSnippet({hit.title, row[5].toString(), row[6].toString(),
                                             hit.category, hit.enteredBy, row[7].toString()},
                                            terms);
            } else {
                // Made for the articles shown only: a snippet reads the article's whole text.
                std::unique_ptr<db::Query>& marked = by == &match ? markedByAll : markedByTitle;
                if (!marked) {
                    marked = std::make_unique<db::Query>(database, searchFailed());
                    marked->prepare(QStringLiteral("SELECT %1 FROM ardentry_search WHERE %2 AND "
                                                   "rowid = ?")
                                        .arg(dialect.snippet, by->where));
                }
                if (marked->exec(QVariantList(by->binds) << key).next())
                    hit.snippet = marked->value(0).toString();
                marked->finish();
            }
        }
        if (hit.snippet.isEmpty())
            hit.snippet = row[5].toString().left(120);
        hit.snippet.replace(QLatin1Char('\n'), QLatin1Char(' '));
        result.hits << hit;
    }
    return result;
}
} // namespace

quicksearch::Result quicksearch::search(Connection& connection, const QString& typed, int limit)
{
    for (bool again = false;; again = true) {
        try {
            if (!indexMatches(connection))
                throw StaleIndex();
            return searchIndex(connection, typed, limit);
        } catch (const StaleIndex&) {
            throw;
        } catch (const DbError&) {
            if (!again && connection.revive())
                continue;
            if (!connection.isOpen())
                throw DbError(connection.unreachable());
            if (!hasIndex(connection.database()))
                throw NoIndex();
            // An index that no longer matches makes a search fail ("database disk image is
            // malformed") when the row it names is gone.
            if (!indexMatches(connection, true))
                throw StaleIndex();
            throw;
        }
    }
}
