#include "core/ServerAddress.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QStringList>
#include <QUrl>

namespace
{

QString decoded(const QString& text)
{
    return QUrl::fromPercentEncoding(text.toUtf8());
}

QString encoded(const QString& text, const QByteArray& keep = QByteArray())
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
}

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

bool ServerAddress::looks(const QString& text)
{
    const QString t = text.trimmed();
    return t.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           t.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

bool ServerAddress::parse(const QString& text, ServerAddress& address, QString* error)
{
    address = ServerAddress();
    const QString t = text.trimmed();
    if (!looks(t))
        return fail(error, QStringLiteral("\"%1\" is not a server address; it must begin with "
                                          "postgresql://.")
                               .arg(t));
    QString rest = t.mid(t.indexOf(QLatin1String("://")) + 3);
    QString query;
    const int question = rest.indexOf(QLatin1Char('?'));
    if (question >= 0) {
        query = rest.mid(question + 1);
        rest.truncate(question);
    }
    QString authority = rest;
    const int slash = rest.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        authority = rest.left(slash);
        address.database = decoded(rest.mid(slash + 1));
    }
    const int at = authority.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString credentials = authority.left(at);
        authority = authority.mid(at + 1);
        const int colon = credentials.indexOf(QLatin1Char(':'));
        address.user = decoded(colon >= 0 ? credentials.left(colon) : credentials);
        if (colon >= 0)
            address.password = decoded(credentials.mid(colon + 1));
    }
    // host[:port], with "[...]" around an IPv6 address.
    QString portText;
    if (authority.startsWith(QLatin1Char('['))) {
        const int close = authority.indexOf(QLatin1Char(']'));
        if (close < 0)
            return fail(error, QStringLiteral("The server address \"%1\" has an unclosed \"[\".")
                                   .arg(address.display()));
        address.host = authority.mid(1, close - 1);
        const QString after = authority.mid(close + 1);
        if (after.startsWith(QLatin1Char(':')))
            portText = after.mid(1);
        else if (!after.isEmpty())
            return fail(
                error,
                QStringLiteral("The server address \"%1\" cannot be read.").arg(address.display()));
    } else {
        const int colon = authority.lastIndexOf(QLatin1Char(':'));
        address.host = decoded(colon >= 0 ? authority.left(colon) : authority);
        if (colon >= 0)
            portText = authority.mid(colon + 1);
    }
    if (!portText.isEmpty()) {
        bool ok = false;
        address.port = portText.toInt(&ok);
        if (!ok || address.port <= 0 || address.port > 65535)
            return fail(error, QStringLiteral("The server address \"%1\" has the port \"%2\", "
                                              "which is not a port number.")
                                   .arg(address.display(), portText));
    }
    for (const QString& pair : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const int equals = pair.indexOf(QLatin1Char('='));
        const QString key = decoded(equals >= 0 ? pair.left(equals) : pair).trimmed();
        const QString value = equals >= 0 ? decoded(pair.mid(equals + 1)) : QString();
        if (key == QLatin1String("host"))
            address.host = value;
        else if (key == QLatin1String("user"))
            address.user = value;
        else if (key == QLatin1String("password"))
            address.password = value;
        else if (key == QLatin1String("dbname"))
            address.database = value;
        else if (key == QLatin1String("port")) {
            bool ok = false;
            address.port = value.toInt(&ok);
            if (!ok || address.port <= 0 || address.port > 65535)
                return fail(error, QStringLiteral("The server address \"%1\" has the port "
                                                  "\"%2\", which is not a port number.")
                                       .arg(address.display(), value));
        } else {
            static const QRegularExpression keyword(QStringLiteral("^[a-z_]+$"));
            if (!keyword.match(key).hasMatch())
                return fail(error, QStringLiteral("The server address \"%1\" has the option "
                                                  "\"%2\", which is not a libpq keyword.")
                                       .arg(address.display(), key));
            address.options.append({key, value});
        }
    }
    if (address.database.isEmpty())
        return fail(error, QStringLiteral("The server address \"%1\" names no database; write "
                                          "it as postgresql://user@host/database.")
                               .arg(address.display()));
    return true;
}

QString ServerAddress::display() const
{
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        text += encoded(user) + QLatin1Char('@');
    if (host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('/')))
        text += QLatin1Char('[') + host + QLatin1Char(']');
    else
        text += encoded(host);
    if (port > 0)
        text += QLatin1Char(':') + QString::number(port);
    text += QLatin1Char('/') + encoded(database);
    QStringList pairs;
    for (const auto& [key, value] : options)
        pairs << key + QLatin1Char('=') + encoded(value);
    if (!pairs.isEmpty())
        text += QLatin1Char('?') + pairs.join(QLatin1Char('&'));
    return text;
}

QString ServerAddress::connectOptions() const
{
    QStringList pairs;
    bool timeout = false;
    for (const auto& [key, value] : options) {
        QString v = value;
        v.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
            .replace(QLatin1Char('\''), QLatin1String("\\'"));
        pairs << key + QStringLiteral("='") + v + QLatin1Char('\'');
        timeout = timeout || key == QLatin1String("connect_timeout");
    }
    // A server that does not answer must not hold the program for minutes.
    if (!timeout)
        pairs << QStringLiteral("connect_timeout=5");
    return pairs.join(QLatin1Char(';'));
}

void ServerAddress::applyTo(QSqlDatabase& connection, const QString& fallbackPassword) const
{
    connection.setHostName(host);
    connection.setPort(port);
    connection.setUserName(user);
    connection.setDatabaseName(database);
    connection.setPassword(!password.isEmpty() ? password : fallbackPassword);
    connection.setConnectOptions(connectOptions());
}
