// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Pictures.h"

#include "core/Backup.h"
#include "core/Connection.h"
#include "core/Schema.h"
#include "core/Transaction.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QSet>

#include <sqlite3.h>

namespace
{

const QLatin1String kScheme("picture://");
constexpr int kIdLength = 16;
constexpr int kSlots = 10;

QSqlDatabase& openDatabase(Connection& connection)
{
    connection.ensureAlive();
    return connection.database();
}

db::Query run(QSqlDatabase& database, const QString& sql, const QVariantList& binds,
              const QString& failure)
{
    db::Query query(database, failure);
    query.run(sql, binds);
    return query;
}

QString imageColumn(int slot)
{
    return QStringLiteral("Image%1").arg(slot);
}

// The id a slot text names, as an expression of the engine (both have substr()).
QString idOf(const QString& value)
{
    return QStringLiteral("substr(%1, 11, 16)").arg(value);
}
QString storedCondition(const QString& value)
{
    return QStringLiteral("substr(%1, 1, 10) = 'picture://'").arg(value);
}

// Every picture id that the linked of `table` name ("AR", "ardentry_history", "ardentry_trash").
QString idsUsedIn(const QString& table)
{
    QStringList parts;
    for (int slot = 1; slot <= kSlots; ++slot)
        parts << QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                     .arg(idOf(imageColumn(slot)), table, storedCondition(imageColumn(slot)));
    return parts.join(QStringLiteral(" UNION "));
}

// The rows of ardentry_picture_use for the current articles.
QString fillUseText()
{
    QStringList parts;
    for (int slot = 1; slot <= kSlots; ++slot)
        parts << QStringLiteral("SELECT rowid, %1, %2 FROM AR WHERE %3")
                     .arg(slot)
                     .arg(idOf(imageColumn(slot)), storedCondition(imageColumn(slot)));
    return QStringLiteral("INSERT INTO ardentry_picture_use (article_row, slot, picture) ") +
           parts.join(QStringLiteral(" UNION ALL "));
}

// The linked of the row `prefix` ("NEW") as rows (slot, text), for a trigger.
QString slotRows(const QString& prefix, const QString& separator)
{
    QStringList rows;
    for (int slot = 1; slot <= kSlots; ++slot)
        rows << QStringLiteral("SELECT %1 AS slot, %2.%3 AS v")
                    .arg(slot)
                    .arg(prefix, imageColumn(slot));
    return rows.join(separator);
}

QString imageColumnList()
{
    QStringList columns;
    for (int slot = 1; slot <= kSlots; ++slot)
        columns << imageColumn(slot);
    return columns.join(QStringLiteral(", "));
}

QStringList fileSchemaStatements()
{
    const QString useInsert =
        QStringLiteral("INSERT INTO ardentry_picture_use (article_row, slot, picture) SELECT "
                       "NEW.rowid, slot, substr(v, 11, 16) FROM (%1) WHERE substr(v, 1, 10) = "
                       "'picture://';")
            .arg(slotRows(QStringLiteral("NEW"), QStringLiteral(" UNION ALL ")));
    const QString useDelete =
        QStringLiteral("DELETE FROM ardentry_picture_use WHERE article_row = OLD.rowid;");
    return {
        QStringLiteral("CREATE TABLE ardentry_picture (picture INTEGER PRIMARY KEY, id TEXT NOT "
                       "NULL UNIQUE, sha256 TEXT NOT NULL UNIQUE, format TEXT NOT NULL, width "
                       "INTEGER NOT NULL, height INTEGER NOT NULL, byte_count INTEGER NOT NULL, "
                       "bytes BLOB NOT NULL)"),
        QStringLiteral("CREATE TABLE ardentry_thumbnail (picture INTEGER PRIMARY KEY REFERENCES "
                       "ardentry_picture ON DELETE CASCADE, width INTEGER NOT NULL, height "
                       "INTEGER NOT NULL, png BLOB NOT NULL)"),
        QStringLiteral("CREATE TABLE ardentry_picture_use (article_row INTEGER NOT NULL, slot "
                       "INTEGER NOT NULL, picture TEXT NOT NULL, PRIMARY KEY (article_row, "
                       "slot))"),
        QStringLiteral("CREATE INDEX ardentry_picture_use_picture ON ardentry_picture_use "
                       "(picture)"),
        QStringLiteral("CREATE TRIGGER ardentry_picture_use_ar_insert AFTER INSERT ON AR BEGIN "
                       "%1 END")
            .arg(useInsert),
        QStringLiteral("CREATE TRIGGER ardentry_picture_use_ar_update AFTER UPDATE OF %1 ON AR "
                       "BEGIN %2 %3 END")
            .arg(imageColumnList(), useDelete, useInsert),
        QStringLiteral("CREATE TRIGGER ardentry_picture_use_ar_delete AFTER DELETE ON AR BEGIN %1 "
                       "END")
            .arg(useDelete),
    };
}

// On a server the use is kept by a function that runs with the rights of the one who added it
// (as the history's functions do), so whoever may change articles keeps it up to date without
// rights of their own on the table; nothing it touches is found through the caller's path.
QStringList serverSchemaStatements(const QString& schemaName)
{
    QStringList values;
    for (int slot = 1; slot <= kSlots; ++slot)
        values << QStringLiteral("(%1, NEW.%2::text)").arg(slot).arg(imageColumn(slot));
    return {
        QStringLiteral("CREATE TABLE ardentry_picture (picture bigint GENERATED BY DEFAULT AS "
                       "IDENTITY PRIMARY KEY, id text NOT NULL UNIQUE, sha256 text NOT NULL "
                       "UNIQUE, format text NOT NULL, width integer NOT NULL, height integer NOT "
                       "NULL, byte_count bigint NOT NULL, bytes bytea NOT NULL)"),
        // Pictures come compressed: the server keeps them apart without compressing them again.
        QStringLiteral("ALTER TABLE ardentry_picture ALTER COLUMN bytes SET STORAGE EXTERNAL"),
        QStringLiteral("CREATE TABLE ardentry_thumbnail (picture bigint PRIMARY KEY REFERENCES "
                       "ardentry_picture ON DELETE CASCADE, width integer NOT NULL, height "
                       "integer NOT NULL, png bytea NOT NULL)"),
        QStringLiteral("CREATE TABLE ardentry_picture_use (article_row bigint NOT NULL, slot "
                       "integer NOT NULL, picture text NOT NULL, PRIMARY KEY (article_row, "
                       "slot))"),
        QStringLiteral("CREATE INDEX ardentry_picture_use_picture ON ardentry_picture_use "
                       "(picture)"),
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION %1.ardentry_picture_use_ar() RETURNS trigger LANGUAGE "
            "plpgsql SECURITY DEFINER SET search_path = %1, pg_temp AS $body$ BEGIN IF TG_OP "
            "OPERATOR(pg_catalog.<>) 'INSERT' THEN DELETE FROM %1.ardentry_picture_use WHERE "
            "article_row OPERATOR(pg_catalog.=) OLD.rowid; END IF; IF TG_OP "
            "OPERATOR(pg_catalog.<>) 'DELETE' THEN INSERT INTO %1.ardentry_picture_use "
            "(article_row, slot, picture) SELECT NEW.rowid, u.slot, pg_catalog.substr(u.v, 11, "
            "16) FROM (VALUES %2) AS u (slot, v) WHERE pg_catalog.substr(u.v, 1, 10) "
            "OPERATOR(pg_catalog.=) 'picture://'; END IF; RETURN NULL; END $body$")
            .arg(schemaName, values.join(QStringLiteral(", "))),
        QStringLiteral("REVOKE EXECUTE ON FUNCTION %1.ardentry_picture_use_ar() FROM PUBLIC")
            .arg(schemaName),
        QStringLiteral("CREATE TRIGGER ardentry_picture_use_ar AFTER INSERT OR DELETE OR UPDATE "
                       "OF rowid, %1 ON AR FOR EACH ROW EXECUTE FUNCTION "
                       "ardentry_picture_use_ar()")
            .arg(imageColumnList()),
    };
}

// On a server: whoever may read the articles may read the pictures; whoever may add or change
// articles may store pictures; whoever may delete articles may remove unused pictures.
const char* const kServerGrants =
    "DO $grants$ DECLARE g record; BEGIN FOR g IN SELECT DISTINCT a.privilege_type AS what, "
    "CASE WHEN a.grantee = 0 THEN 'PUBLIC' ELSE quote_ident(pg_get_userbyid(a.grantee)) END AS "
    "who FROM pg_class c, aclexplode(c.relacl) a WHERE c.oid = 'ar'::regclass AND "
    "a.privilege_type IN ('SELECT', 'INSERT', 'UPDATE', 'DELETE') AND a.grantee <> c.relowner "
    "LOOP EXECUTE format(CASE g.what WHEN 'SELECT' THEN 'GRANT SELECT ON ardentry_picture, "
    "ardentry_thumbnail, ardentry_picture_use, ardentry_schema TO %1$s' WHEN 'DELETE' THEN "
    "'GRANT DELETE ON ardentry_picture, ardentry_thumbnail TO %1$s' ELSE 'GRANT INSERT ON "
    "ardentry_picture, ardentry_thumbnail TO %1$s' END, g.who); END LOOP; END $grants$";

bool fileMayInstall(Connection& connection)
{
    return sqlite3_db_readonly(backup::engineHandle(connection), "main") == 0;
}

bool serverMayInstall(Connection& connection)
{
    return run(connection.database(),
               QStringLiteral("SELECT has_schema_privilege(current_schema(), 'CREATE') AND "
                              "has_table_privilege('ar', 'TRIGGER') AND "
                              "current_setting('transaction_read_only') = 'off'"),
               {},
               QCoreApplication::translate("Pictures", "The rights on the database cannot be read"))
        .scalar()
        .toBool();
}

// What differs between the engines.
struct Dialect {
    QStringList (*schema)(QSqlDatabase& database);
    QString grants;
    bool (*mayInstall)(Connection& connection);
    // Gives the space of removed rows back; empty when the engine does so itself.
    QString giveSpaceBack;
};

const Dialect& dialectOf(const QSqlDatabase& handle)
{
    static const Dialect file{
        [](QSqlDatabase&) { return fileSchemaStatements(); },
        QString(),
        &fileMayInstall,
        QStringLiteral("VACUUM"),
    };
    // (A server's own vacuum gives the space back to the tables; VACUUM FULL would lock the
    // articles' tables against every reader, which a shared database must not.)
    static const Dialect server{
        [](QSqlDatabase& database) {
            return serverSchemaStatements(schema::serverSchema(database));
        },
        QString::fromLatin1(kServerGrants),
        &serverMayInstall,
        QString(),
    };
    return db::Engine::of(handle).pick(file, server);
}

QString sha256Of(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// A checked picture carries its hash; one made otherwise has it computed.
QString sha256Of(const pictures::Checked& picture)
{
    return picture.sha256.isEmpty() ? sha256Of(picture.bytes) : picture.sha256;
}

bool isLowerHex(QStringView text)
{
    for (const QChar c : text) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    }
    return true;
}

// A picture ready to be written: everything the rows need, made before any transaction.
struct Prepared {
    QString sha256;
    QByteArray bytes;
    QByteArray format;
    QSize size;
    QByteArray thumbnail;
    QSize thumbnailSize;
};

Prepared prepare(const pictures::Checked& picture)
{
    Prepared prepared;
    prepared.sha256 = sha256Of(picture);
    prepared.bytes = picture.bytes;
    prepared.format = picture.format;
    prepared.size = picture.size;
    QImage image = picture.image;
    if (image.isNull())
        image = QImage::fromData(picture.bytes);
    const int side = pictures::ThumbnailSide;
    const QImage small =
        image.width() > side || image.height() > side
            ? image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : image;
    QBuffer buffer(&prepared.thumbnail);
    buffer.open(QIODevice::WriteOnly);
    small.save(&buffer, "PNG");
    prepared.thumbnailSize = small.size();
    return prepared;
}

// The id of the picture if stored already (an id taken by other bytes is refused: two pictures
// whose hashes share their first 16 digits are not expected in any database's lifetime).
bool found(QSqlDatabase& database, const QString& sha256, const QString& failure)
{
    db::Query query =
        run(database, QStringLiteral("SELECT sha256 FROM ardentry_picture WHERE id = ?"),
            {sha256.left(kIdLength)}, failure);
    if (!query.next())
        return false;
    if (query.value(0).toString() != sha256)
        throw DbError(DbError::Kind::Duplicate,
                      failure + QCoreApplication::translate(
                                    "Pictures",
                                    ": another picture has the same short name in the database."));
    return true;
}

// Writes the rows of a picture known not to be stored, in the caller's transaction.
void insertRows(QSqlDatabase& database, const Prepared& picture, const QString& failure)
{
    // The bytes go to a server as they are (see db::Engine::insertBytes).
    const db::Engine& engine = db::Engine::of(database);
    const qint64 key = engine.insertBytes(
        database, failure,
        QStringLiteral("INSERT INTO ardentry_picture (id, sha256, format, width, height, "
                       "byte_count, bytes) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        QStringLiteral("picture"),
        {picture.sha256.left(kIdLength), picture.sha256, QString::fromLatin1(picture.format),
         picture.size.width(), picture.size.height(), qint64(picture.bytes.size()), picture.bytes});
    engine.insertBytes(
        database, failure,
        QStringLiteral("INSERT INTO ardentry_thumbnail (picture, width, height, png) VALUES (?, "
                       "?, ?, ?)"),
        QString(),
        {key, picture.thumbnailSize.width(), picture.thumbnailSize.height(), picture.thumbnail});
}

// Writes the rows of a picture not stored yet, in the caller's transaction.
void write(QSqlDatabase& database, const Prepared& picture, const QString& failure)
{
    if (!found(database, picture.sha256, failure))
        insertRows(database, picture, failure);
}

QString storeFailure()
{
    return QCoreApplication::translate("Pictures",
                                       "The picture could not be stored in the database");
}

} // namespace

// ---- Slot texts ----

namespace
{
// What follows the last slash or backslash.
QString fileNameOnly(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.section(QLatin1Char('/'), -1);
}
} // namespace

bool pictures::isStored(const QString& slotText)
{
    return !parse(slotText).id.isEmpty();
}

pictures::StoredRef pictures::parse(const QString& slotText)
{
    StoredRef ref;
    if (!slotText.startsWith(kScheme) || slotText.size() < kScheme.size() + kIdLength + 1 ||
        slotText.at(kScheme.size() + kIdLength) != QLatin1Char('/'))
        return ref;
    const QStringView id = QStringView(slotText).mid(kScheme.size(), kIdLength);
    if (!isLowerHex(id))
        return ref;
    ref.id = id.toString();
    // Only the file name: a slot is free text that anyone may have typed, and the name becomes a
    // file's name when pictures are written out.
    const QString name = fileNameOnly(slotText.mid(kScheme.size() + kIdLength + 1));
    if (name != QLatin1String(".") && name != QLatin1String(".."))
        ref.name = name;
    return ref;
}

QString pictures::slotText(const QString& id, const QString& fileName)
{
    // Only the name: a folder of the PC it came from means nothing to the others.
    return kScheme + id + QLatin1Char('/') + fileNameOnly(fileName);
}

// ---- Checking ----

namespace
{
pictures::Checked tooLarge(qint64 bytes)
{
    pictures::Checked checked;
    checked.verdict = pictures::Checked::Verdict::TooLarge;
    checked.reason =
        QCoreApplication::translate(
            "Pictures", "The picture is %1 MB large; the database keeps pictures of up to 16 MB.")
            .arg(double(bytes) / (1024 * 1024), 0, 'f', 1);
    return checked;
}
} // namespace

pictures::Checked pictures::checkBytes(const QByteArray& bytes)
{
    if (bytes.size() > MaxBytes)
        return tooLarge(bytes.size());
    Checked checked;
    checked.bytes = bytes;
    checked.sha256 = sha256Of(bytes);
    QBuffer buffer(&checked.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    checked.format = reader.format();
    checked.size = reader.size();
    if (checked.format.isEmpty() || !reader.canRead()) {
        checked.reason =
            QCoreApplication::translate("Pictures", "This is not a picture the program can read.");
        return checked;
    }
    if (checked.size.width() > MaxSide || checked.size.height() > MaxSide) {
        checked.verdict = Checked::Verdict::TooManyPixels;
        checked.reason =
            QCoreApplication::translate(
                "Pictures", "The picture is %1 × %2 pixels; the database keeps pictures of up to "
                            "4096 pixels on a side. A copy scaled down to that size can be stored.")
                .arg(checked.size.width())
                .arg(checked.size.height());
        return checked;
    }
    checked.image = reader.read();
    if (checked.image.isNull()) {
        checked.reason = QCoreApplication::translate(
                             "Pictures", "This is not a picture the program can read (%1).")
                             .arg(reader.errorString());
        return checked;
    }
    checked.size = checked.image.size();
    checked.verdict = Checked::Verdict::Fine;
    return checked;
}

pictures::Checked pictures::checkFile(const QString& file)
{
    QFile in(file);
    if (in.size() > MaxBytes)
        return tooLarge(in.size());
    if (!in.open(QIODevice::ReadOnly)) {
        Checked checked;
        checked.reason = QCoreApplication::translate("Pictures", "The file cannot be read: %1.")
                             .arg(in.errorString());
        return checked;
    }
    return checkBytes(in.readAll());
}

QByteArray pictures::scaledDown(const Checked& picture)
{
    QByteArray bytes = picture.bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // A large picture may need more memory than the readers allow by default.
    reader.setAllocationLimit(1024);
    QSize size = reader.size();
    if (size.width() > MaxSide || size.height() > MaxSide)
        size.scale(MaxSide, MaxSide, Qt::KeepAspectRatio);
    reader.setScaledSize(size);
    QImage image = reader.read();
    if (image.isNull())
        return QByteArray();
    if (image.width() > MaxSide || image.height() > MaxSide)
        image = image.scaled(MaxSide, MaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const bool jpeg = picture.format == "jpeg" || picture.format == "jpg";
    QByteArray out;
    QBuffer target(&out);
    target.open(QIODevice::WriteOnly);
    QImageWriter writer(&target, jpeg ? "jpeg" : "png");
    if (jpeg)
        writer.setQuality(90);
    return writer.write(image) ? out : QByteArray();
}

// ---- Storing and reading ----

QString pictures::store(Connection& connection, const QByteArray& bytes, const QString& fileName,
                        bool inTransaction)
{
    const Checked checked = checkBytes(bytes);
    if (checked.verdict != Checked::Verdict::Fine)
        throw DbError(DbError::Kind::BadValue, checked.reason);
    return store(connection, checked, fileName, inTransaction);
}

QString pictures::store(Connection& connection, const Checked& picture, const QString& fileName,
                        bool inTransaction)
{
    if (inTransaction)
        return store(connection.database(), picture, fileName);
    if (picture.verdict != Checked::Verdict::Fine)
        throw DbError(DbError::Kind::BadValue, picture.reason);
    const QString failure = storeFailure();
    const QString sha256 = sha256Of(picture);
    const QString text = slotText(sha256.left(kIdLength), fileName);
    install(connection);
    // A picture stored already costs one read; a new one is made ready before the writers'
    // turn is taken.
    if (found(connection.database(), sha256, failure))
        return text;
    const Prepared prepared = prepare(picture);
    Transaction transaction(connection, failure);
    write(connection.database(), prepared, failure);
    transaction.commit();
    return text;
}

bool pictures::contains(Connection& connection, const QString& id)
{
    return contains(openDatabase(connection), id);
}

QString pictures::store(QSqlDatabase& database, const Checked& picture, const QString& fileName)
{
    if (picture.verdict != Checked::Verdict::Fine)
        throw DbError(DbError::Kind::BadValue, picture.reason);
    const QString failure = storeFailure();
    const QString sha256 = sha256Of(picture);
    if (!schema::has(database, schema::Pictures))
        createTables(database);
    // A picture stored already needs no thumbnail made.
    if (!found(database, sha256, failure))
        insertRows(database, prepare(picture), failure);
    return slotText(sha256.left(kIdLength), fileName);
}

bool pictures::contains(QSqlDatabase& database, const QString& id)
{
    if (!schema::has(database, schema::Pictures))
        return false;
    return run(database, QStringLiteral("SELECT 1 FROM ardentry_picture WHERE id = ?"), {id},
               QCoreApplication::translate("Pictures",
                                           "The pictures of the database cannot be read"))
        .next();
}

QByteArray pictures::read(Connection& connection, const QString& id)
{
    return read(openDatabase(connection), id);
}

QByteArray pictures::read(QSqlDatabase& database, const QString& id)
{
    const QString failure =
        QCoreApplication::translate("Pictures", "The picture cannot be read from the database");
    if (schema::has(database, schema::Pictures)) {
        const QList<QByteArrayList> rows = db::Engine::of(database).selectBytes(
            database, failure, QStringLiteral("SELECT bytes FROM ardentry_picture WHERE id = ?"),
            {id});
        if (!rows.isEmpty())
            return rows.first().first();
    }
    throw DbError(
        DbError::Kind::NotFound,
        QCoreApplication::translate(
            "Pictures",
            "The database holds no picture %1; it may have been removed by compacting the "
            "database.")
            .arg(id));
}

QImage pictures::image(Connection& connection, const QString& id)
{
    const QImage decoded = QImage::fromData(read(connection, id));
    if (decoded.isNull())
        throw DbError(DbError::Kind::BadValue,
                      QCoreApplication::translate("Pictures",
                                                  "The picture %1 in the database cannot be shown.")
                          .arg(id));
    return decoded;
}

QList<QPair<QString, QImage>> pictures::thumbnails(Connection& connection, const QStringList& ids)
{
    QList<QPair<QString, QImage>> result;
    QSqlDatabase& database = openDatabase(connection);
    QStringList unique;
    for (const QString& id : ids) {
        if (!id.isEmpty() && !unique.contains(id))
            unique << id;
    }
    if (unique.isEmpty() || !schema::has(database, schema::Pictures))
        return result;
    QVariantList binds;
    QStringList marks;
    for (const QString& id : unique) {
        binds << id;
        marks << QStringLiteral("?");
    }
    const QList<QByteArrayList> rows = db::Engine::of(database).selectBytes(
        database,
        QCoreApplication::translate("Pictures", "The thumbnails of the pictures cannot be read"),
        QStringLiteral("SELECT p.id, t.png FROM ardentry_picture p JOIN ardentry_thumbnail t ON "
                       "t.picture = p.picture WHERE p.id IN (%1)")
            .arg(marks.join(QStringLiteral(", "))),
        binds);
    QHash<QString, QImage> read;
    for (const QByteArrayList& row : rows)
        read.insert(QString::fromUtf8(row[0]), QImage::fromData(row[1]));
    for (const QString& id : unique) {
        if (read.contains(id))
            result << qMakePair(id, read.value(id));
    }
    return result;
}

// ---- Long jobs ----

namespace
{

struct Slot {
    qint64 row = 0;
    QVariant number;
    int slot = 0; // 1..10
    QString text; // as the article holds it
    QString sha256;
    QString newText;
};

QString articleName(const QVariant& number)
{
    return number.isNull() ? QCoreApplication::translate("Pictures", "(none)") : number.toString();
}

} // namespace

pictures::JobReport pictures::storeLinked(Connection& connection, const QString& baseFolder,
                                          const Progress& progress)
{
    JobReport report;
    QSqlDatabase& database = openDatabase(connection);
    const QString failure = QCoreApplication::translate(
        "Pictures", "The linked pictures could not be stored in the database");
    install(connection);

    // First the files are read and decoded, outside any transaction.
    QList<QPair<qint64, QVariant>> articles;
    QList<Slot> linked;
    {
        db::Query query = run(database,
                              QStringLiteral("SELECT rowid, ID, %1 FROM AR ORDER BY ID, rowid")
                                  .arg(imageColumnList()),
                              {}, failure);
        while (query.next()) {
            articles << qMakePair(query.value(0).toLongLong(),
                                  query.isNull(1) ? QVariant() : query.value(1));
            for (int slot = 1; slot <= kSlots; ++slot) {
                const QString text = query.value(1 + slot).toString();
                // ("N/A" is what an empty slot holds.)
                if (!text.trimmed().isEmpty() && text.trimmed() != QLatin1String("N/A") &&
                    !isStored(text))
                    linked.append(
                        {articles.last().first, articles.last().second, slot, text, {}, {}});
            }
        }
    }
    const qint64 total = 2 * qint64(articles.size());
    QHash<QString, Prepared> ready;     // new pictures by hash, without their bytes (read again)
    QHash<QString, QString> pathOf;     // where each new picture's bytes are read again
    QHash<QString, bool> storedAlready; // hash -> in the database before
    // A file that many slots name is read and decoded once: its verdict by its path.
    struct Seen {
        Checked::Verdict verdict;
        QString sha256;
        QString reason;
    };
    QHash<QString, Seen> seen;
    int next = 0;
    for (qint64 done = 0; done < articles.size(); ++done) {
        for (; next < linked.size() && linked[next].row == articles[done].first; ++next) {
            Slot& slot = linked[next];
            const QString path =
                QDir::cleanPath(QDir(baseFolder).filePath(QDir::fromNativeSeparators(slot.text)));
            auto known = seen.constFind(path);
            if (known == seen.constEnd()) {
                const Checked checked = checkFile(path);
                known = seen.insert(path, {checked.verdict, checked.sha256, checked.reason});
                if (checked.verdict == Checked::Verdict::Fine) {
                    if (!storedAlready.contains(checked.sha256))
                        storedAlready.insert(checked.sha256,
                                             found(database, checked.sha256, failure));
                    if (!storedAlready.value(checked.sha256) && !ready.contains(checked.sha256)) {
                        Prepared prepared = prepare(checked);
                        prepared.bytes.clear();
                        ready.insert(checked.sha256, prepared);
                        pathOf.insert(checked.sha256, path);
                    }
                }
            }
            if (known->verdict != Checked::Verdict::Fine) {
                report.unreadable << QCoreApplication::translate("Pictures",
                                                                 "Article %1, image %2: %3 (%4)")
                                         .arg(articleName(slot.number))
                                         .arg(slot.slot)
                                         .arg(slot.text, known->reason);
                continue;
            }
            slot.sha256 = known->sha256;
            slot.newText = slotText(known->sha256.left(kIdLength), QFileInfo(path).fileName());
        }
        if (progress && !progress(done + 1, total)) {
            report.cancelled = true;
            return report;
        }
    }

    // Then the rows are written in one transaction.
    Transaction transaction(connection, failure);
    QSet<QString> written;
    next = 0;
    for (qint64 done = 0; done < articles.size(); ++done) {
        QStringList sets;
        QStringList conditions;
        QVariantList setBinds;
        QVariantList conditionBinds;
        for (; next < linked.size() && linked[next].row == articles[done].first; ++next) {
            const Slot& slot = linked[next];
            if (slot.newText.isEmpty())
                continue;
            auto prepared = ready.find(slot.sha256);
            if (prepared != ready.end() && !written.contains(slot.sha256)) {
                QFile file(pathOf.value(slot.sha256));
                if (!file.open(QIODevice::ReadOnly))
                    throw DbError(failure + QStringLiteral(": ") + file.fileName() +
                                  QStringLiteral(": ") + file.errorString() + QLatin1Char('.'));
                prepared->bytes = file.readAll();
                if (sha256Of(prepared->bytes) != slot.sha256)
                    throw DbError(failure +
                                  QCoreApplication::translate(
                                      "Pictures", ": the file %1 changed while it was read.")
                                      .arg(file.fileName()));
                write(database, *prepared, failure);
                prepared->bytes.clear();
                written.insert(slot.sha256);
            }
            sets << QStringLiteral("%1 = ?").arg(imageColumn(slot.slot));
            setBinds << slot.newText;
            conditions << QStringLiteral("%1 = ?").arg(imageColumn(slot.slot));
            conditionBinds << slot.text;
        }
        if (!sets.isEmpty()) {
            db::Query update = run(
                database,
                QStringLiteral("UPDATE AR SET %1 WHERE rowid = ? AND %2")
                    .arg(sets.join(QStringLiteral(", ")), conditions.join(QStringLiteral(" AND "))),
                setBinds + QVariantList{articles[done].first} + conditionBinds, failure);
            if (update.rowsAffected() == 1)
                report.stored += sets.size();
            else
                report.unreadable << QCoreApplication::translate(
                                         "Pictures",
                                         "Article %1: changed by someone else meanwhile; its "
                                         "images were left as they are.")
                                         .arg(articleName(articles[done].second));
        }
        if (progress && !progress(articles.size() + done + 1, total)) {
            report.cancelled = true;
            report.stored = 0;
            return report; // the transaction rolls back
        }
    }
    transaction.commit();
    return report;
}

pictures::JobReport pictures::writeOut(Connection& connection, const QString& folder,
                                       const Progress& progress)
{
    JobReport report;
    QSqlDatabase& database = openDatabase(connection);
    const QString failure =
        QCoreApplication::translate("Pictures", "The pictures could not be written to the folder");
    if (!schema::has(database, schema::Pictures))
        return report;
    if (!QDir().mkpath(folder))
        throw DbError(failure +
                      QCoreApplication::translate("Pictures", ": the folder %1 cannot be made.")
                          .arg(QDir::toNativeSeparators(folder)));
    // Each picture once, under the first name an article gives it.
    QList<QPair<QString, QString>> wanted; // id, name
    {
        QSet<QString> seen;
        db::Query query = run(
            database, QStringLiteral("SELECT %1 FROM AR ORDER BY ID, rowid").arg(imageColumnList()),
            {}, failure);
        while (query.next()) {
            for (int slot = 0; slot < kSlots; ++slot) {
                const StoredRef ref = parse(query.value(slot).toString());
                if (!ref.id.isEmpty() && !seen.contains(ref.id)) {
                    seen.insert(ref.id);
                    wanted << qMakePair(ref.id, ref.name);
                }
            }
        }
    }
    const QDir target(folder);
    QSet<QString> taken;
    for (int i = 0; i < wanted.size(); ++i) {
        const auto& [id, name] = wanted[i];
        QByteArray bytes;
        try {
            bytes = read(connection, id);
        } catch (const DbError& e) {
            report.unreadable << e.message();
            continue;
        }
        QString base = name.isEmpty() ? id : name;
        const QFileInfo info(base);
        QString unique = base;
        for (int n = 2; taken.contains(unique.toLower()) || target.exists(unique); ++n)
            unique = info.completeSuffix().isEmpty()
                         ? QStringLiteral("%1 (%2)").arg(info.baseName()).arg(n)
                         : QStringLiteral("%1 (%2).%3")
                               .arg(info.baseName())
                               .arg(n)
                               .arg(info.completeSuffix());
        taken.insert(unique.toLower());
        QFile file(target.filePath(unique));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
            file.write(bytes) != bytes.size())
            throw DbError(failure + QStringLiteral(": ") +
                          QDir::toNativeSeparators(file.fileName()) + QStringLiteral(": ") +
                          file.errorString() + QLatin1Char('.'));
        ++report.stored;
        if (progress && !progress(i + 1, wanted.size())) {
            report.cancelled = true;
            return report;
        }
    }
    return report;
}

qint64 pictures::compact(Connection& connection, const Progress& progress)
{
    QSqlDatabase& database = openDatabase(connection);
    const QString failure =
        QCoreApplication::translate("Pictures", "The database could not be compacted");
    if (!schema::has(database, schema::Pictures))
        return 0;
    constexpr int kSteps = 2;
    qint64 removed = 0;
    {
        Transaction transaction(connection, failure);
        QStringList used{idsUsedIn(QStringLiteral("AR"))};
        if (schema::has(database, schema::History))
            used << idsUsedIn(QStringLiteral("ardentry_history"))
                 << idsUsedIn(QStringLiteral("ardentry_trash"));
        const QString unused = QStringLiteral("SELECT picture FROM ardentry_picture WHERE id NOT "
                                              "IN (%1)")
                                   .arg(used.join(QStringLiteral(" UNION ")));
        run(database,
            QStringLiteral("DELETE FROM ardentry_thumbnail WHERE picture IN (%1)").arg(unused), {},
            failure);
        removed =
            run(database,
                QStringLiteral("DELETE FROM ardentry_picture WHERE picture IN (%1)").arg(unused),
                {}, failure)
                .rowsAffected();
        if (progress && !progress(1, kSteps))
            return 0;
        transaction.commit();
    }
    const QString giveBack = dialectOf(database).giveSpaceBack;
    if (!giveBack.isEmpty() && removed > 0)
        run(database, giveBack, {}, failure);
    if (progress)
        progress(kSteps, kSteps);
    return removed;
}

// ---- Files beside a CSV export ----

QString pictures::csvPictureFolder(const QString& csvFile)
{
    const QFileInfo info(csvFile);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("_pictures"));
}

QString pictures::csvPictureFile(const StoredRef& picture)
{
    QString safe;
    for (const QChar c : picture.name) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                           (u >= '0' && u <= '9') || u == '.' || u == '-' || u == '_';
        safe += plain ? c : QLatin1Char('_');
    }
    return picture.id + QLatin1Char('_') + safe;
}

// ---- The tables ----

bool pictures::isInstalled(Connection& connection)
{
    return schema::has(openDatabase(connection), schema::Pictures);
}

bool pictures::mayInstall(Connection& connection)
{
    return dialectOf(openDatabase(connection)).mayInstall(connection);
}

void pictures::createTables(QSqlDatabase& database)
{
    const QString failure = QCoreApplication::translate(
        "Pictures", "The tables of the pictures could not be added to the database");
    const Dialect& dialect = dialectOf(database);
    for (const QString& sql : dialect.schema(database))
        run(database, sql, {}, failure);
    run(database, fillUseText(), {}, failure);
    schema::markAdded(database, schema::Pictures);
    if (!dialect.grants.isEmpty())
        run(database, dialect.grants, {}, failure);
}

bool pictures::install(Connection& connection)
{
    QSqlDatabase& database = openDatabase(connection);
    if (schema::has(database, schema::Pictures))
        return false;
    const QString failure = QCoreApplication::translate(
        "Pictures", "The tables of the pictures could not be added to the database");
    if (!dialectOf(database).mayInstall(connection))
        throw DbError(failure +
                      QCoreApplication::translate(
                          "Pictures",
                          ": you may not add tables and triggers to this database. The "
                          "owner of the database adds them by opening it with Ardentry once."));
    Transaction transaction(connection, failure);
    // Checked inside the transaction: another copy of the program may have added them meanwhile.
    if (schema::has(database, schema::Pictures))
        return false;
    createTables(database);
    transaction.commit();
    return true;
}
