// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PrintPage.h"

#include <QCoreApplication>

namespace PrintPage
{

int rowCount(qsizetype length)
{
    if (length <= 0)
        return 0;
    qsizetype rows = length / 30;
    const qsizetype rest = length % 30;
    if (rest > 15 || (rest == 15 && rows % 2 == 1))
        ++rows;
    return rows > MaxRows ? MaxRows : int(rows);
}

QString escaped(const QString& value)
{
    QString out;
    out.reserve(value.size() + value.size() / 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString footer(const QDate& printed)
{
    return QCoreApplication::translate("PrintPage", "Printed by Ardentry on ") +
           printed.toString(QStringLiteral("MM/dd/yyyy"));
}

namespace
{
// The media type of a picture, by how its bytes begin.
QLatin1String mediaType(const QByteArray& bytes)
{
    if (bytes.startsWith("\x89PNG"))
        return QLatin1String("image/png");
    if (bytes.startsWith("\xff\xd8"))
        return QLatin1String("image/jpeg");
    if (bytes.startsWith("GIF8"))
        return QLatin1String("image/gif");
    if (bytes.startsWith("BM"))
        return QLatin1String("image/bmp");
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        return QLatin1String("image/webp");
    return QLatin1String("application/octet-stream");
}
} // namespace

QString html(const PrintColumns& columns, const QDate& printed)
{
    QString page;
    page += QLatin1String("<html><head></head><body>");
    page += QLatin1String("<form name=print><table border = 1>");
    page += QLatin1String("<tr><td>Problem ID</td><td>") + escaped(columns.id) +
            QLatin1String("</td></tr>");
    page += QLatin1String("<tr><td>Category</td><td>") + escaped(columns.category) +
            QLatin1String("</td></tr>");
    page += QLatin1String("<tr><td>Entered By</td><td>") + escaped(columns.enteredBy) +
            QLatin1String("</td></tr>");
    page += QLatin1String("<tr><td>Problem Description</td><td><textarea cols=60 rows=") +
            QString::number(rowCount(columns.problem.size())) + QLatin1String(" name=problem>") +
            escaped(columns.problem) + QLatin1String("</textarea></td></tr>");
    page += QLatin1String("<tr><td>Solution</td><td><textarea cols=60 rows=") +
            QString::number(rowCount(columns.solution.size())) + QLatin1String(" name=solution>") +
            escaped(columns.solution) + QLatin1String("</textarea></td></tr>");
    page += QLatin1String("<tr><td>Reference</td><td>") + escaped(columns.reference) +
            QLatin1String("</td></tr>");
    page += QLatin1String("</table></form>");
    for (const PrintPicture& picture : columns.pictures)
        page += QLatin1String("<BR><img src=\"data:") + mediaType(picture.bytes) +
                QLatin1String(";base64,") + QString::fromLatin1(picture.bytes.toBase64()) +
                QLatin1String("\" alt=\"") + escaped(picture.name) + QLatin1String("\">");
    page += QLatin1String("<BR><BR><BR><BR><CENTER>") + escaped(footer(printed)) +
            QLatin1String("</CENTER>");
    page += QLatin1String("</body></html>");
    return page;
}

bool hasReference(const QString& reference)
{
    return !reference.trimmed().isEmpty() && reference != QLatin1String("N/A");
}

} // namespace PrintPage
