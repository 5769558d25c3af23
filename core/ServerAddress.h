#pragma once

#include <QList>
#include <QPair>
#include <QString>

class QSqlDatabase;

// The address of a database on a PostgreSQL server, written as libpq writes it:
//   postgresql://[user[:password]@][host][:port][/dbname][?keyword=value&...]
// The host may be a name, an IP address ("[::1]" for IPv6) or the folder of a Unix socket,
// percent-encoded ("%2Fvar%2Frun%2Fpostgresql") or given as "?host=/folder". "postgres://" is
// taken as well. Any other keyword (sslmode, connect_timeout, ...) goes to libpq as it stands.
struct ServerAddress {
    QString user;
    QString password; // only when the address held one; never shown, never stored
    QString host;     // empty: libpq's default socket folder
    int port = -1;    // -1: libpq's default
    QString database;
    QList<QPair<QString, QString>> options; // other keywords, in their order

    // True when `text` is written as a server address (a file path never is).
    static bool looks(const QString& text);
    // Reads `text`; false with the reason in `error` when it is not a usable address.
    static bool parse(const QString& text, ServerAddress& address, QString* error = nullptr);

    // The address as the user may see it and as it may be stored: everything but the password.
    QString display() const;
    // libpq's keyword=value options other than host, port, user, password and dbname, as Qt's
    // PostgreSQL driver takes them ("k1=v1;k2=v2").
    QString connectOptions() const;
    // Gives a connection of Qt's PostgreSQL driver this address: host, port, user, database,
    // options, and the address's password, else `password`.
    void applyTo(QSqlDatabase& connection, const QString& password = QString()) const;
};
