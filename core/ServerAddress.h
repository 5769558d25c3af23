// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QSqlDatabase;

// The address of a database on a PostgreSQL server, written as libpq writes it:
//   postgresql://[user[:password]@][host][:port][,host[:port]...][/dbname][?keyword=value&...]
// A host may be a name, an IP address ("[::1]" for IPv6) or the folder of a Unix socket,
// percent-encoded ("%2Fvar%2Frun%2Fpostgresql") or given as "?host=/folder". Several hosts (a
// primary and its standby) are tried in turn, as libpq does; "?host=/a,/b&port=5432,5433" says
// the same. "postgres://" is taken as well. Any other keyword (sslmode, connect_timeout,
// target_session_attrs, ...) goes to libpq as it stands.
struct ServerAddress {
    QString user;
    QString password;    // only when the address held one; never shown, never stored
    QString sslPassword; // sslpassword=, the client key's: likewise
    QStringList hosts;   // in the order tried; none: libpq's default socket folder
    QList<int> ports; // none: libpq's default; one: every host's; else one per host (-1: default)
    QString database;
    QList<QPair<QString, QString>> options; // other keywords, in their order

    // True when `text` is written as a server address (a file path never is).
    static bool looks(const QString& text);
    // Reads `text`; false with the reason in `error` when it is not a usable address.
    static bool parse(const QString& text, ServerAddress& address, QString* error = nullptr);

    // The address as the user may see it and as it may be stored: everything but the password.
    QString display() const;
    // libpq's keyword=value options other than host, user, password and dbname, as Qt's
    // PostgreSQL driver takes them ("k1=v1;k2=v2"); the port is among them when the hosts have
    // ports of their own (the driver's port is a single number).
    QString connectOptions() const;
    // Gives a connection of Qt's PostgreSQL driver this address: hosts, ports, user, database,
    // options, and the address's passwords, else `password` and `sslPassword`.
    void applyTo(QSqlDatabase& connection, const QString& password = QString(),
                 const QString& sslPassword = QString()) const;

    // What of `text` may be kept or shown: a server address without any password, also when it
    // cannot be read (every user:password@ and password keyword in any case is taken out); any
    // other text as it stands.
    static QString withoutPasswords(const QString& text);
};
