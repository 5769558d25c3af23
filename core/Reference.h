// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// What the Reference button may open for a reference text: a web address (http or https) or an
// existing document file that is neither a program nor a desktop launcher. Anything else is
// refused with the reason, and nothing is launched.
struct ReferenceTarget {
    QUrl url;        // what to open; empty when there is nothing to open
    QString refusal; // why it is not opened, as a whole message; empty when it may be opened
};

ReferenceTarget resolveReference(const QString& reference);
