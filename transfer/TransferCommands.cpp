// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/TransferCommands.h"

#include "articles/ArticleCommands.h"
#include "common/Frame.h"
#include "common/SingleInstance.h"
#include "core/mdlMain.h"
#include "transfer/frmExport.h"
#include "transfer/frmImport.h"

#include <exception>

#include <QCoreApplication>

void TransferCommands::showImport(Frame& frame)
{
    if (!ArticleCommands(frame).SaveChangesFirst())
        return;
    frame.DropUnsentChanges();
    SingleInstance::showLoaded<frmImport>(frame, frame.app());
}

void TransferCommands::showExport(Frame& frame)
{
    if (!ArticleCommands(frame).SaveChangesFirst())
        return;
    frame.DropUnsentChanges();
    SingleInstance::showLoaded<frmExport>(frame, frame.app());
}

void TransferCommands::reloadAfterImport(Frame& frame)
{
    mdlMain& app = frame.app();
    try {
        app.LoadCategoryList();
        app.LoadUserList();
        app.ReloadArticles();
    } catch (const std::exception& e) {
        frame.report(
            QCoreApplication::translate("TransferCommands",
                                        "The articles were imported, but they could not be read "
                                        "again: %1")
                .arg(QString::fromLocal8Bit(e.what())));
    }
    // The form is loaded afresh so its lists hold the names just added.
    frame.unloadDisplay();
    frame.display();
}
