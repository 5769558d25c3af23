// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class RecordSet;

// Where exported articles come from: rows of AR, every column, in the order the program shows
// them (by number).
class ArticleSource
{
public:
    virtual ~ArticleSource() = default;
    // The columns of AR in table order (the CSV header).
    virtual QStringList columns() const = 0;
    // How many rows next() gives (for the progress).
    virtual qint64 count() const = 0;
    // The next row's values, one per column (an invalid QVariant for a Null); false at the end.
    // Throws DbError.
    virtual bool next(QList<QVariant>& values) = 0;
    // The bytes of a picture stored in the database the articles come from. Throws DbError
    // (NotFound when the database lacks it or the source cannot read pictures).
    virtual QByteArray storedPicture(const QString& id);
};

// Every article, straight from the table in number order: values as stored (numbers, texts,
// Nulls). Throws DbError.
std::unique_ptr<ArticleSource> allArticles(QSqlDatabase& database);
// Every article that the quick search finds for `typed` (all of them, not only the best ones it
// lists), in number order, values as stored; none when the database has no quick-search index.
// Throws DbError.
std::unique_ptr<ArticleSource> quickSearchArticles(QSqlDatabase& database, const QString& typed);
// The visible rows of an open record set on AR (rsMain under a search), in its order, read
// through the record set itself so they are exactly the rows it shows, however it was narrowed.
// The record set's values are texts, so a Null comes out as the empty text. Rows that read
// empty in every column (deleted by another program since the record set read its keys) are
// left out. The record set's current row is restored when the source is destroyed. Stored
// pictures are read from `database`, the record set's.
std::unique_ptr<ArticleSource> recordSetArticles(RecordSet& articles, QSqlDatabase& database);

struct ExportReport {
    enum class Outcome { Exported, Cancelled, Failed };
    Outcome outcome = Outcome::Failed;
    QString target;
    QString failure;
    qint64 articles = 0;
    qint64 imagesCopied = 0;
    QStringList notes; // images not found or not pictures, rows left out

    QString text() const;
};

// Done/total articles; returning false cancels the export.
using ExportProgress = std::function<bool(qint64 done, qint64 total)>;

// Writes a CSV file: UTF-8 with byte order mark, a header row of the column names, one row per
// article, CR LF line ends, a Null as an unquoted empty field and the empty text as "". The file
// appears only when everything was written (an existing one is replaced then); cancel and
// failure leave the target as it was. Texts a spreadsheet would run as formulas are protected
// (csv::protectForSpreadsheet); `raw` writes them as they are. Image slots holding stored
// pictures are written as they are (they name the pictures), and the pictures themselves go into
// the folder pictures::csvPictureFolder(file) beside the file (replaced as a whole, made only
// when there are any), each as pictures::csvPictureFile(); the import brings them back from
// there. Never throws.
ExportReport exportCsv(ArticleSource& source, const QString& file,
                       const ExportProgress& progress = {}, bool raw = false);

// Whether a file is a picture, read as one (the windows decode it with Qt's image readers).
using PictureCheck = std::function<bool(const QString& file)>;

// Writes a folder of web pages: index.html lists the articles by category, one page per article
// (every text escaped as the print page escapes it, line breaks kept), the images of the articles
// copied into images/ beside them. Only pictures are copied: a file `isPicture` refuses (without
// it, one that does not begin as a PNG, JPEG, GIF, BMP, TIFF or WebP does) is left out and named
// in the notes. Pictures stored in the database are written there too, under their original
// names. `imageBase` is the folder that relative image paths start from (the database's
// folder). The folder must not exist or be empty; it appears only when everything was written.
// Never throws.
ExportReport exportWeb(ArticleSource& source, const QString& folder, const QString& imageBase,
                       const ExportProgress& progress = {}, const PictureCheck& isPicture = {});
