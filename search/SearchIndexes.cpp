// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/SearchIndexes.h"

#include "common/Frame.h"
#include "common/JobProgress.h"
#include "common/MessageBox.h"
#include "core/SearchNarrowing.h"
#include "core/mdlMain.h"

#include <QCoreApplication>
#include <QProgressDialog>

void SearchIndexes::offer(Frame& frame)
{
    Connection& connection = frame.app().dbConnection;
    try {
        if (!connection.isOpen() || !searchnarrowing::mayBuild(connection.database()))
            return;
    } catch (const DbError&) {
        return; // the next command that reads tells
    }
    QWidget* window = frame.window();
    if (!askYesNo(window,
                  QCoreApplication::translate(
                      "SearchIndexes",
                      "This database has no search indexes yet, so the Search dialog "
                      "reads every article to find a text. Build them now? It takes some "
                      "minutes, and meanwhile your colleagues cannot save their changes."),
                  QStringLiteral("Ardentry"), QMessageBox::No))
        return;
    QProgressDialog progress(
        QCoreApplication::translate("SearchIndexes", "Building the search indexes..."),
        QCoreApplication::translate("SearchIndexes", "Cancel"), 0, 1, window);
    setUpJobProgress(progress, "dlgBuildSearchIndexes");
    QString failure;
    try {
        if (searchnarrowing::build(connection, [&progress](qint64 done, qint64 total) {
                progress.setMaximum(int(total));
                progress.setValue(int(done));
                QCoreApplication::processEvents();
                return !progress.wasCanceled();
            }))
            return;
        failure = QCoreApplication::translate(
            "SearchIndexes", "The search indexes were not built; the database is as it was.");
    } catch (const DbError& e) {
        failure = QCoreApplication::translate("SearchIndexes", "%1\n\nThe database is as it was.")
                      .arg(e.message());
    }
    progress.close();
    frame.report(failure);
}
