// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;

// The first start: no preferences file or no database path yet. Offers to open an existing
// database, to create a new one (with or without the sample articles) or to connect to a
// database on a server; accepted once a database is chosen, rejected by Quit, Escape and the
// title bar's close.
class frmWelcome : public QDialog
{
    Q_OBJECT
public:
    explicit frmWelcome(QWidget* parent = nullptr);

    // The database chosen or created; empty until then.
    const QString& databasePath() const { return m_databasePath; }
    // The password typed for the server chosen, when it wanted one; kept in memory only.
    const QString& password() const { return m_password; }

    void cmdOpen_Click();
    void cmdCreate_Click();
    // Asks for a server address, then for its password while the server wants one, and takes
    // the address once a connection to it is made.
    void cmdServer_Click();

    // The file chooser for an existing database, starting in `folder` (the documents folder when
    // empty). Returns the file chosen, empty when cancelled.
    static QString chooseExistingDatabase(QWidget* parent, const QString& folder = QString());
    // What the chooser for a new database proposes: Helpdesk.ardentry.db in the documents
    // folder, or in the home folder when there is no documents folder.
    static QString proposedNewDatabase();

    QLabel* lblTitle = nullptr;
    QLabel* lblIntro = nullptr;
    QPushButton* cmdOpen = nullptr;
    QPushButton* cmdCreate = nullptr;
    QCheckBox* chkSample = nullptr;
    QPushButton* cmdQuit = nullptr;
    QPushButton* cmdServer = nullptr;

private:
    QString m_databasePath;
    QString m_password;
};
