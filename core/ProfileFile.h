// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Reader and writer of files in the Windows profile (INI) format:
//   [Section]
//   key=value
// Section and key names ignore letter case; CR LF and LF line ends both read; comment lines
// (";" or "#") and blank lines are kept. Files are UTF-8 (a leading byte-order mark is skipped).
class ProfileFile
{
public:
    explicit ProfileFile(QString path);

    const QString& path() const { return m_path; }

    // The whole value of section/key, or `defaultValue` when the file, section or key is missing.
    // The value is the text after the first "=", with the blanks around it removed, and with one
    // pair of enclosing double quotes removed.
    QString read(const QString& section, const QString& key,
                 const QString& defaultValue = QString()) const;

    // Stores section/key = value, keeping every other section, key, comment and line end style.
    // Creates the file when its folder exists (never the folder). Returns false with the reason in
    // `error` (when given) when the file cannot be written; the file is then left as it was.
    bool write(const QString& section, const QString& key, const QString& value,
               QString* error = nullptr) const;

private:
    QString m_path;
};
