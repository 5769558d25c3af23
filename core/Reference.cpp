// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Reference.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace
{
ReferenceTarget refuse(const QString& why)
{
    return {QUrl(),
            QCoreApplication::translate("Reference", "The reference could not be opened: ") + why};
}
} // namespace

ReferenceTarget resolveReference(const QString& reference)
{
    const QString trimmed = reference.trimmed();
    if (reference == QLatin1String("N/A") || trimmed.isEmpty())
        return {};
    QUrl url(trimmed, QUrl::StrictMode);
    // "www.example.com/kb" is a web address, as a browser takes it, unless such a file exists.
    if (trimmed.startsWith(QLatin1String("www."), Qt::CaseInsensitive) &&
        !QFileInfo::exists(trimmed))
        url = QUrl(QStringLiteral("http://") + trimmed, QUrl::StrictMode);
    const bool isAddress = url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
    if (isAddress) {
        const QString scheme = url.scheme().toLower();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
            return {url, QString()};
        return refuse(QCoreApplication::translate(
                          "Reference", "Ardentry opens only web addresses (http and https) and "
                                       "document files, not \"%1:\" addresses.")
                          .arg(url.scheme()));
    }
    const QString path = url.isLocalFile() ? url.toLocalFile() : trimmed;
    const QFileInfo file(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!file.exists())
        return refuse(
            QCoreApplication::translate("Reference", "the file \"%1\" does not exist.").arg(shown));
    if (!file.isFile())
        return refuse(
            QCoreApplication::translate("Reference", "\"%1\" is not a document file.").arg(shown));
    if (file.isExecutable())
        return refuse(
            QCoreApplication::translate(
                "Reference", "\"%1\" is a program or script, which Ardentry does not run.")
                .arg(shown));
    if (file.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0)
        return refuse(QCoreApplication::translate(
                          "Reference", "\"%1\" is a desktop launcher, which Ardentry does not run.")
                          .arg(shown));
    return {QUrl::fromLocalFile(file.absoluteFilePath()), QString()};
}
