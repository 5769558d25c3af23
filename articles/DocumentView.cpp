// SPDX-License-Identifier: GPL-3.0-or-later
#include "articles/DocumentView.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMimeDatabase>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>

namespace
{

const QUrl pictureUrl(QStringLiteral("ardentry-picture:shown"));
// Pictures wider than this (in pixels of the page) are scaled down to fit a printed page.
constexpr int widestPicture = 640;

QString cannotBePrinted(const QString& kind)
{
    return QCoreApplication::translate(
               "DocumentView",
               "documents of this kind (%1) cannot be printed; only web pages, text "
               "files and pictures can")
        .arg(kind.isEmpty() ? QCoreApplication::translate("DocumentView", "unknown") : kind);
}

QString decodedText(const QByteArray& data, const QString& charset)
{
    if (!charset.isEmpty()) {
        QStringDecoder named(charset.toLatin1().constData());
        if (named.isValid())
            return named(data);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(data);
    return utf8.hasError() ? QString::fromLatin1(data) : text;
}

QString decodedHtml(const QByteArray& data, const QString& charset)
{
    if (charset.isEmpty()) {
        if (const auto encoding = QStringConverter::encodingForHtml(data);
            encoding && *encoding != QStringConverter::Utf8) {
            QStringDecoder declared(*encoding);
            return declared(data);
        }
    }
    return decodedText(data, charset);
}

// "text/html; charset=utf-8" -> ("text/html", "utf-8")
std::pair<QString, QString> splitContentType(const QString& header)
{
    const QStringList parts = header.split(QLatin1Char(';'));
    const QString type = parts.value(0).trimmed().toLower();
    QString charset;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString part = parts.at(i).trimmed();
        if (part.startsWith(QLatin1String("charset="), Qt::CaseInsensitive)) {
            charset = part.mid(8).trimmed();
            charset.remove(QLatin1Char('"'));
        }
    }
    return {type, charset};
}

} // namespace

DocumentView::DocumentView(QWidget* parent)
    : QTextBrowser(parent), m_network(new QNetworkAccessManager(this))
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
}

DocumentView::~DocumentView()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

DocumentView::Kind DocumentView::kindOf(const QMimeType& mime, bool isPicture)
{
    if (mime.inherits(QStringLiteral("text/html")) ||
        mime.inherits(QStringLiteral("application/xhtml+xml")))
        return Kind::Html;
    if (isPicture)
        return Kind::Picture;
    if (mime.inherits(QStringLiteral("text/plain")))
        return Kind::Text;
    return Kind::Other;
}

QString DocumentView::tooLarge()
{
    return tr("the document is larger than %1 MB").arg(MaxDocumentBytes / 1024 / 1024);
}

void DocumentView::abortReply()
{
    if (!m_reply)
        return;
    QNetworkReply* old = m_reply;
    m_reply = nullptr;
    old->disconnect(this);
    old->abort();
    old->deleteLater();
}

void DocumentView::navigate(const QString& target)
{
    abortReply();
    m_location = target;
    m_error.clear();
    m_pictures.clear();
    m_base = QUrl();
    m_remote = false;
    m_state = State::Loading;

    const QString text = target.trimmed();
    if (text.isEmpty()) {
        fail(tr("no document was named"));
        return;
    }
    if (text.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0) {
        clearDocument();
        succeed();
        return;
    }
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.isValid() ? url.scheme().toLower() : QString();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        loadRemote(url);
    else if (scheme == QLatin1String("file"))
        loadLocal(url.toLocalFile());
    else if (scheme.size() > 1) // a single letter is a drive ("C:\..."), not a kind of address
        fail(tr("addresses beginning with \"%1:\" cannot be printed; only local "
                "files and http or https addresses can")
                 .arg(url.scheme()));
    else
        loadLocal(text);
}

void DocumentView::stop(const QString& reason)
{
    abortReply();
    clearDocument();
    fail(reason);
}

void DocumentView::loadLocal(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        fail(tr("the file \"%1\" does not exist").arg(path));
        return;
    }
    if (info.isDir()) {
        fail(tr("\"%1\" is a folder, not a document").arg(path));
        return;
    }
    // A pipe or a device would never end: only regular files are read, and only up to the cap.
    if (!info.isFile()) {
        fail(tr("\"%1\" is not a regular file").arg(path));
        return;
    }
    if (info.size() > MaxDocumentBytes) {
        fail(tooLarge());
        return;
    }
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info);
    const Kind kind = kindOf(mime, QImageReader(path).canRead());
    if (kind == Kind::Other) {
        fail(cannotBePrinted(mime.comment()));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(tr("the file \"%1\" could not be read (%2)").arg(path, file.errorString()));
        return;
    }
    const QByteArray content = file.read(MaxDocumentBytes + 1);
    if (content.size() > MaxDocumentBytes) {
        fail(tooLarge());
        return;
    }
    m_base = QUrl::fromLocalFile(info.absoluteFilePath());
    show(kind, content, QString());
}

void DocumentView::loadRemote(const QUrl& url)
{
    m_remote = true;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Ardentry"));
    QNetworkReply* reply = m_network->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { remoteFinished(reply); });
    // An endless or huge answer is dropped at the cap instead of filling the memory.
    connect(reply, &QNetworkReply::downloadProgress, this,
            [this, reply](qint64 received, qint64 total) {
                if (reply == m_reply && (received > MaxDocumentBytes || total > MaxDocumentBytes))
                    stop(tooLarge());
            });
}

void DocumentView::remoteFinished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        fail(status.isValid()
                 ? tr("the server answered %1 %2")
                       .arg(status.toInt())
                       .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())
                       .trimmed()
                 : tr("it could not be loaded (%1)").arg(reply->errorString()));
        return;
    }
    const QByteArray content = reply->readAll();
    auto [type, charset] =
        splitContentType(reply->header(QNetworkRequest::ContentTypeHeader).toString());
    QMimeDatabase db;
    QMimeType mime = db.mimeTypeForName(type);
    if (!mime.isValid() || mime.isDefault())
        mime = db.mimeTypeForData(content);
    const Kind kind = kindOf(mime, mime.name().startsWith(QLatin1String("image/")));
    if (kind == Kind::Other) {
        fail(cannotBePrinted(mime.comment()));
        return;
    }
    show(kind, content, charset);
}

void DocumentView::show(Kind kind, const QByteArray& content, const QString& charset)
{
    switch (kind) {
    case Kind::Html:
        setHtml(renderable(decodedHtml(content, charset)));
        break;
    case Kind::Text:
        setPlainText(decodedText(content, charset));
        break;
    case Kind::Picture: {
        QImage picture;
        if (!picture.loadFromData(content) || picture.isNull()) {
            clearDocument();
            fail(tr("the picture could not be read"));
            return;
        }
        m_pictures.insert(pictureUrl, picture);
        QSize size = picture.size();
        if (size.width() > widestPicture)
            size = size.scaled(widestPicture, size.height(), Qt::KeepAspectRatio);
        setHtml(QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\">")
                    .arg(pictureUrl.toString())
                    .arg(size.width())
                    .arg(size.height()));
        document()->addResource(QTextDocument::ImageResource, pictureUrl, picture);
        break;
    }
    case Kind::Other:
        fail(cannotBePrinted(QString()));
        return;
    }
    succeed();
}

void DocumentView::succeed()
{
    m_state = State::Loaded;
    emit loadFinished(true);
}

void DocumentView::fail(const QString& reason)
{
    m_state = State::Failed;
    m_error = reason;
    emit loadFinished(false);
}

void DocumentView::clearDocument()
{
    clear();
    document()->setBaseUrl(QUrl());
}

bool DocumentView::print(QPrinter& printer)
{
    if (m_state != State::Loaded) {
        m_error = m_state == State::Loading ? tr("it has not finished loading")
                                            : tr("nothing is loaded to print");
        return false;
    }
    document()->print(&printer);
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
        m_error = tr("the printer reported an error");
        return false;
    }
    return true;
}

QVariant DocumentView::loadResource(int type, const QUrl& name)
{
    if (const auto shown = m_pictures.constFind(name); shown != m_pictures.constEnd())
        return *shown;
    // A picture the page holds itself (the print page's stored pictures).
    if (type == QTextDocument::ImageResource && name.scheme() == QLatin1String("data")) {
        const QString address = name.toString();
        const qsizetype comma = address.indexOf(QLatin1Char(','));
        QImage picture;
        if (comma > 0 && address.left(comma).endsWith(QLatin1String(";base64")) &&
            picture.loadFromData(QByteArray::fromBase64(address.mid(comma + 1).toLatin1())))
            return picture;
        return {};
    }
    if (m_remote || m_base.isEmpty())
        return {}; // pages from the network print without their pictures
    const QUrl resolved = m_base.resolved(name);
    if (!resolved.isLocalFile())
        return {};
    QFile file(resolved.toLocalFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = file.readAll();
    if (type == QTextDocument::ImageResource) {
        QImage picture;
        if (picture.loadFromData(content))
            return picture;
        return {};
    }
    if (type == QTextDocument::StyleSheetResource || type == QTextDocument::HtmlResource)
        return decodedText(content, QString());
    return content;
}

QString DocumentView::renderable(const QString& html)
{
    static const QRegularExpression area(
        QStringLiteral("<textarea\\b([^>]*)>(.*?)(?:</textarea\\s*>|$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression colsAttribute(QStringLiteral("\\bcols\\s*=\\s*[\"']?(\\d+)"),
                                                  QRegularExpression::CaseInsensitiveOption);
    QString out;
    out.reserve(html.size() + 256);
    qsizetype last = 0;
    for (auto it = area.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(html).mid(last, match.capturedStart() - last);
        int cols = 60;
        if (const auto c = colsAttribute.match(match.captured(1)); c.hasMatch())
            cols = qBound(1, c.captured(1).toInt(), 200);
        // A text area's content is text, not markup: only character references count in it.
        QString text = match.captured(2);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (text.startsWith(QLatin1Char('\n')))
            text.remove(0, 1);
        text.replace(QLatin1Char('<'), QLatin1String("&lt;"));
        text.replace(QLatin1Char('>'), QLatin1String("&gt;"));
        out += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                              "width=\"%1\"><tr><td style=\"white-space: pre-wrap\">%2</td></tr>"
                              "</table>")
                   .arg(QString::number(cols * 7), text);
        last = match.capturedEnd();
    }
    out += QStringView(html).mid(last);
    return out;
}
