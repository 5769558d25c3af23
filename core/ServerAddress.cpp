// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ServerAddress.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QStringList>
#include <QUrl>

#include <utility>

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

// "port" or "54e2" is no port number; 0 is none either.
bool readPort(const QString& text, int& port)
{
    bool ok = false;
    port = text.toInt(&ok);
    return ok && port > 0 && port <= 65535;
}

// One keyword=value for libpq, the value quoted as Qt's PostgreSQL driver passes it on.
QString keywordValue(const QString& key, QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\''), QLatin1String("\\'"));
    return key + QStringLiteral("='") + value + QLatin1Char('\'');
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
        return fail(
            error, QCoreApplication::translate("ServerAddress",
                                               "\"%1\" is not a server address; it must begin with "
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
    // host[:port][,host[:port]...], with "[...]" around an IPv6 address.
    QList<int> ports;
    bool anyPort = false;
    for (const QString& spec :
         authority.isEmpty() ? QStringList() : authority.split(QLatin1Char(','))) {
        QString host;
        QString portText;
        if (spec.startsWith(QLatin1Char('['))) {
            const int close = spec.indexOf(QLatin1Char(']'));
            if (close < 0)
                return fail(error,
                            QCoreApplication::translate(
                                "ServerAddress", "The server address \"%1\" has an unclosed \"[\".")
                                .arg(address.display()));
            host = spec.mid(1, close - 1);
            const QString after = spec.mid(close + 1);
            if (after.startsWith(QLatin1Char(':')))
                portText = after.mid(1);
            else if (!after.isEmpty())
                return fail(error, QCoreApplication::translate(
                                       "ServerAddress", "The server address \"%1\" cannot be read.")
                                       .arg(address.display()));
        } else {
            const int colon = spec.lastIndexOf(QLatin1Char(':'));
            host = decoded(colon >= 0 ? spec.left(colon) : spec);
            if (colon >= 0)
                portText = spec.mid(colon + 1);
        }
        int port = -1;
        address.hosts << host;
        if (!portText.isEmpty() && !readPort(portText, port))
            return fail(
                error, QCoreApplication::translate("ServerAddress",
                                                   "The server address \"%1\" has the port \"%2\", "
                                                   "which is not a port number.")
                           .arg(address.display(), portText));
        ports << port;
        anyPort = anyPort || port > 0;
    }
    if (anyPort)
        address.ports = ports;
    for (const QString& pair : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const int equals = pair.indexOf(QLatin1Char('='));
        const QString key = decoded(equals >= 0 ? pair.left(equals) : pair).trimmed();
        const QString value = equals >= 0 ? decoded(pair.mid(equals + 1)) : QString();
        if (key == QLatin1String("host"))
            address.hosts = value.split(QLatin1Char(','));
        else if (key == QLatin1String("user"))
            address.user = value;
        else if (key == QLatin1String("password"))
            address.password = value;
        else if (key == QLatin1String("sslpassword"))
            address.sslPassword = value;
        else if (key == QLatin1String("dbname"))
            address.database = value;
        else if (key == QLatin1String("port")) {
            address.ports.clear();
            for (const QString& number : value.split(QLatin1Char(','))) {
                int port = -1;
                if (!number.isEmpty() && !readPort(number, port))
                    return fail(
                        error, QCoreApplication::translate("ServerAddress",
                                                           "The server address \"%1\" has the port "
                                                           "\"%2\", which is not a port number.")
                                   .arg(address.display(), number));
                address.ports << port;
            }
        } else {
            static const QRegularExpression keyword(QStringLiteral("^[a-z_]+$"));
            if (!keyword.match(key).hasMatch())
                return fail(error, QCoreApplication::translate(
                                       "ServerAddress", "The server address \"%1\" has the option "
                                                        "\"%2\", which is not a libpq keyword.")
                                       .arg(address.display(), key));
            address.options.append({key, value});
        }
    }
    // libpq takes one port for every host, or one per host.
    if (address.ports.size() > 1 && address.ports.size() != qMax(1, address.hosts.size())) {
        const QList<int> given = std::exchange(address.ports, {});
        return fail(error, QCoreApplication::translate(
                               "ServerAddress", "The server address \"%1\" names %2 hosts but %3 "
                                                "ports; give one port for all or one per host.")
                               .arg(address.display())
                               .arg(address.hosts.size())
                               .arg(given.size()));
    }
    if (address.database.isEmpty())
        return fail(
            error, QCoreApplication::translate("ServerAddress",
                                               "The server address \"%1\" names no database; write "
                                               "it as postgresql://user@host/database.")
                       .arg(address.display()));
    return true;
}

QString ServerAddress::display() const
{
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        text += encoded(user) + QLatin1Char('@');
    QStringList specs;
    const int count = hosts.isEmpty() && !ports.isEmpty() ? 1 : int(hosts.size());
    for (int i = 0; i < count; ++i) {
        const QString host = hosts.value(i);
        QString spec = host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('/'))
                           ? QLatin1Char('[') + host + QLatin1Char(']')
                           : encoded(host);
        const int port = ports.size() == 1 ? ports.first() : ports.value(i, -1);
        if (port > 0)
            spec += QLatin1Char(':') + QString::number(port);
        specs << spec;
    }
    text += specs.join(QLatin1Char(',')) + QLatin1Char('/') + encoded(database);
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
        pairs << keywordValue(key, value);
        timeout = timeout || key == QLatin1String("connect_timeout");
    }
    if (ports.size() > 1) {
        QStringList list;
        for (int port : ports)
            list << (port > 0 ? QString::number(port) : QString());
        pairs << keywordValue(QStringLiteral("port"), list.join(QLatin1Char(',')));
    }
    // A server that does not answer must not hold the program for minutes.
    if (!timeout)
        pairs << QStringLiteral("connect_timeout=5");
    return pairs.join(QLatin1Char(';'));
}

void ServerAddress::applyTo(QSqlDatabase& connection, const QString& fallbackPassword,
                            const QString& fallbackSslPassword) const
{
    connection.setHostName(hosts.join(QLatin1Char(',')));
    connection.setPort(ports.size() == 1 ? ports.first() : -1);
    connection.setUserName(user);
    connection.setDatabaseName(database);
    connection.setPassword(!password.isEmpty() ? password : fallbackPassword);
    QString keywords = connectOptions();
    if (const QString key = !sslPassword.isEmpty() ? sslPassword : fallbackSslPassword;
        !key.isEmpty())
        keywords += QLatin1Char(';') + keywordValue(QStringLiteral("sslpassword"), key);
    connection.setConnectOptions(keywords);
}

QString ServerAddress::withoutPasswords(const QString& text)
{
    if (!looks(text))
        return text;
    ServerAddress address;
    if (parse(text, address))
        return address.display();
    // Not readable: whatever may be a password is taken out by its form. A password may hold
    // "/", "@" or "?" unencoded, so user:password@ reaches up to the last "@".
    QString t = text.trimmed();
    const int start = t.indexOf(QLatin1String("://")) + 3;
    const int at = t.lastIndexOf(QLatin1Char('@'));
    const int colon = t.indexOf(QLatin1Char(':'), start);
    if (at > start && colon >= 0 && colon < at)
        t.remove(colon, at - colon);
    // A password keyword may hold "&" unencoded: it goes with everything after it.
    const int question = t.indexOf(QLatin1Char('?'), start);
    if (question < 0)
        return t;
    QStringList kept;
    for (const QString& pair : t.mid(question + 1).split(QLatin1Char('&'))) {
        if (decoded(pair.section(QLatin1Char('='), 0, 0))
                .contains(QLatin1String("password"), Qt::CaseInsensitive))
            break;
        kept << pair;
    }
    t.truncate(question);
    return kept.isEmpty() ? t : t + QLatin1Char('?') + kept.join(QLatin1Char('&'));
}
