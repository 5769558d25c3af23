// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QUrl>

class QNetworkAccessManager;
class QMimeType;
class QNetworkReply;
class QPrinter;

// The print window's document component: loads a local file or an address, tells when loading
// has finished and prints what it shows without a dialog.
// Kinds it shows: HTML pages (local or http/https), plain text and pictures. Anything else is
// refused with a reason that says it cannot be printed.
class DocumentView : public QTextBrowser
{
    Q_OBJECT
public:
    enum class State { Empty, Loading, Loaded, Failed };
    // The largest document loaded, from a file or an address: a larger one fails.
    static constexpr qint64 MaxDocumentBytes = 20 * 1024 * 1024;

    explicit DocumentView(QWidget* parent = nullptr);
    ~DocumentView() override;

    // Starts loading "about:blank", a local path, a file: URL or an http/https address and
    // returns at once. Local documents are read before it returns; addresses load in the
    // background. Either way loadFinished() reports the end of this navigation.
    void navigate(const QString& target);
    // Abandons a load in progress: the view shows nothing and the state is Failed.
    void stop(const QString& reason);

    State state() const { return m_state; }
    bool isLoading() const { return m_state == State::Loading; }
    bool isReady() const { return m_state == State::Loaded; }
    QString location() const { return m_location; }
    // Why the last navigation or print failed, as a phrase for a message.
    QString errorText() const { return m_error; }

    // Prints the loaded document on `printer` as it is set up, without a dialog. False (and
    // errorText()) when nothing is loaded or the printer reports an error.
    bool print(QPrinter& printer);

    // The HTML as the view shows it: every text area becomes a bordered block that keeps its
    // text and line breaks (the text engine has no text areas).
    static QString renderable(const QString& html);

signals:
    void loadFinished(bool ok);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    // Drops a download under way without any of its signals reaching this view.
    void abortReply();
    enum class Kind { Html, Text, Picture, Other };
    // What kind of document a type is; `isPicture` says whether it can be shown as a picture.
    static Kind kindOf(const QMimeType& mime, bool isPicture);

    void loadLocal(const QString& path);
    void loadRemote(const QUrl& url);
    void remoteFinished(QNetworkReply* reply);
    static QString tooLarge();
    void show(Kind kind, const QByteArray& data, const QString& charsetHint);
    void succeed();
    void fail(const QString& reason);
    void clearDocument();

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    State m_state = State::Empty;
    QString m_location;
    QString m_error;
    QUrl m_base; // relative pictures of a local page are looked up beside it
    bool m_remote = false;
    QHash<QUrl, QVariant> m_pictures;
};
