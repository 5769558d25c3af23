// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/frmHistory.h"

#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/History.h"
#include "core/TextMatch.h"
#include "core/mdlMain.h"
#include "history/HistoryCommands.h"
#include "history/WordDiff.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

const char* const kWhen = "yyyy-MM-dd HH:mm:ss";

// A stored value as the article form shows it.
QString shown(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return textmatch::numberText(value.toLongLong());
    case QMetaType::Double:
        return textmatch::numberText(value.toDouble());
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

QString who(const QString& name)
{
    return name.isEmpty() ? QCoreApplication::translate("frmHistory", "unknown") : name;
}

} // namespace

frmHistory::frmHistory(Frame& frame)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_frame(frame)
{
    setObjectName(QStringLiteral("frmHistory"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(tr("Article History"));
    buildControls();
}

void frmHistory::buildControls()
{
    lblArticle = new QLabel(this);
    lblArticle->setObjectName(QStringLiteral("lblArticle"));
    lblArticle->setTextFormat(Qt::PlainText);

    lstVersions = new QTreeWidget(this);
    lstVersions->setObjectName(QStringLiteral("lstVersions"));
    lstVersions->setHeaderLabels({tr("Changed on"), tr("By"), tr("Fields changed")});
    lstVersions->setRootIsDecorated(false);
    lstVersions->setSelectionMode(QAbstractItemView::SingleSelection);
    lstVersions->setAllColumnsShowFocus(true);
    lstVersions->header()->setStretchLastSection(true);
    lstVersions->setColumnWidth(0, 150);
    lstVersions->setColumnWidth(1, 110);
    lstVersions->setMinimumHeight(130);
    lstVersions->setAccessibleName(tr("Versions of the article"));

    txtCompare = new QTextBrowser(this);
    txtCompare->setObjectName(QStringLiteral("txtCompare"));
    txtCompare->setOpenLinks(false);
    txtCompare->setAccessibleName(tr("Changes of the selected version"));

    cmdRestore = commandButton(this, "cmdRestore", tr("&Restore"));
    cmdRestore->setToolTip(tr("Write the selected version back over the article (Alt+R)"));
    cmdClose = commandButton(this, "cmdClose", tr("&Close"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRestore);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblArticle);
    layout->addWidget(lstVersions, 1);
    layout->addWidget(txtCompare, 3);
    layout->addLayout(buttons);
    resize(780, 600);

    connect(lstVersions, &QTreeWidget::currentItemChanged, this, &frmHistory::lstVersions_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmHistory::cmdRestore_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmHistory::cmdClose_Click);
}

void frmHistory::showHistory(Frame& frame)
{
    SingleInstance::showIfLoads<frmHistory>(frame);
}

QString frmHistory::caption(const QString& column)
{
    static const QHash<QString, const char*> captions{
        {QStringLiteral("ID"), QT_TR_NOOP("Number")},
        {QStringLiteral("CUName"), QT_TR_NOOP("Category")},
        {QStringLiteral("techname"), QT_TR_NOOP("Entered By")},
        {QStringLiteral("Title"), QT_TR_NOOP("Title")},
        {QStringLiteral("Problem"), QT_TR_NOOP("Problem")},
        {QStringLiteral("solution"), QT_TR_NOOP("Solution")},
        {QStringLiteral("reference"), QT_TR_NOOP("Reference")},
        {QStringLiteral("InitialEntry"), QT_TR_NOOP("Date Entered")},
        {QStringLiteral("EditedBy"), QT_TR_NOOP("Edited By")},
        {QStringLiteral("DateEdited"), QT_TR_NOOP("Date Edited")},
    };
    if (column.startsWith(QLatin1String("Image")))
        return tr("Image %1").arg(column.mid(5));
    const char* const caption = captions.value(column);
    return caption ? tr(caption) : column;
}

bool frmHistory::Form_Load()
{
    RecordSet& rs = m_frame.app().rsMain;
    if (!rs.isOpen() || !rs.hasCurrentRow() || rs.currentIsNew()) {
        m_frame.report(tr("There is no saved article to show the history of."));
        return false;
    }
    try {
        if (!history::isInstalled(m_frame.app().dbConnection)) {
            m_frame.report(tr("This database keeps no history of articles yet."));
            return false;
        }
        m_number = rs.value(QStringLiteral("ID"));
    } catch (const DbError& e) {
        m_frame.report(e.message());
        return false;
    }
    if (!fill())
        return false;
    m_frame.disableWhileOpen(this);
    lstVersions->setFocus();
    return true;
}

bool frmHistory::fill(qint64 select)
{
    try {
        m_history = history::articleHistory(m_frame.app().dbConnection, m_number);
    } catch (const DbError& e) {
        m_frame.report(tr("The history of the article cannot be shown: ") + e.message());
        return false;
    }
    setWindowTitle(tr("History of Article %1").arg(m_number));
    const int count = int(m_history.versions.size());
    lblArticle->setText(
        count == 0 ? tr("Article %1 has not been changed since it was first saved.").arg(m_number)
                   : tr("Article %1 \"%2\": %3 earlier version(s), newest first.")
                         .arg(m_number, shown(m_history.current.value(3)))
                         .arg(count));
    // The changes saved by others since this session read the article: those after the newest
    // state that equals the article as rsMain read it (none when it reads as stored now, or
    // when no state equals it).
    int newer = -1;
    try {
        RecordSet& rs = m_frame.app().rsMain;
        const auto same = [&](const QVariantList& values) {
            for (int c = 0; c < 10; ++c)
                if (textmatch::valueText(values.value(c)) != rs.value(history::articleColumns()[c]))
                    return false;
            return true;
        };
        if (rs.hasCurrentRow() && !same(m_history.current)) {
            for (int i = 0; i < count && newer < 0; ++i)
                if (same(m_history.versions[i].values))
                    newer = i;
        }
    } catch (const DbError&) {
        newer = -1; // nothing is marked when the article cannot be read
    }
    if (newer >= 0)
        lblArticle->setText(lblArticle->text() + tr(" Bold: saved by others since you opened it."));
    const QSignalBlocker quiet(lstVersions);
    lstVersions->clear();
    QTreeWidgetItem* chosen = nullptr;
    for (const history::Version& version : m_history.versions) {
        QStringList fields;
        for (const QString& column : version.changed)
            fields << caption(column);
        auto* item =
            new QTreeWidgetItem(lstVersions, {version.when.toString(QString::fromLatin1(kWhen)),
                                              who(version.who), fields.join(QStringLiteral(", "))});
        item->setData(0, Qt::UserRole, version.id);
        if (lstVersions->topLevelItemCount() <= newer + 1) {
            QFont bold = item->font(0);
            bold.setBold(true);
            for (int c = 0; c < item->columnCount(); ++c) {
                item->setFont(c, bold);
                item->setToolTip(c, tr("Saved by someone else since you opened the article"));
            }
        }
        if (!chosen || version.id == select)
            chosen = item;
    }
    lstVersions->setCurrentItem(chosen);
    lstVersions_Click();
    return true;
}

const history::Version* frmHistory::selected() const
{
    const QTreeWidgetItem* item = lstVersions->currentItem();
    if (!item)
        return nullptr;
    const qint64 id = item->data(0, Qt::UserRole).toLongLong();
    for (const history::Version& version : m_history.versions) {
        if (version.id == id)
            return &version;
    }
    return nullptr;
}

void frmHistory::lstVersions_Click()
{
    const history::Version* version = selected();
    cmdRestore->setEnabled(version != nullptr);
    if (!version) {
        txtCompare->setPlainText(QString());
        return;
    }
    QString html =
        QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"4\" border=\"1\" "
                       "style=\"border-collapse:collapse\"><tr><th width=\"16%\">%1</th><th "
                       "width=\"42%\">%2</th><th width=\"42%\">%3</th></tr>")
            .arg(tr("Field").toHtmlEscaped(),
                 tr("Before the change of %1")
                     .arg(version->when.toString(QString::fromLatin1(kWhen)))
                     .toHtmlEscaped(),
                 tr("Now").toHtmlEscaped());
    const QStringList& columns = history::articleColumns();
    for (int c = 0; c < columns.size(); ++c) {
        const worddiff::Marked marked =
            worddiff::compare(shown(version->values.value(c)), shown(m_history.current.value(c)));
        const QString name = caption(columns[c]).toHtmlEscaped();
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(marked.differs ? QStringLiteral("<b>%1</b>").arg(name) : name,
                         marked.before, marked.after);
    }
    html += QStringLiteral("</table>");
    txtCompare->setHtml(html);
}

void frmHistory::cmdRestore_Click()
{
    const history::Version* version = selected();
    if (!version)
        return;
    if (!askYesNo(this,
                  tr("Restore article %1 as it was before the change of %2? The "
                     "article as it is now stays in its history.")
                      .arg(m_number, version->when.toString(QString::fromLatin1(kWhen))),
                  QStringLiteral("Ardentry"), QMessageBox::Yes))
        return;
    RecordSet& rs = m_frame.app().rsMain;
    const QString filter = rs.filter();
    const int position = rs.absolutePosition();
    const QString number = shown(version->values.value(0));
    qint64 row = 0;
    try {
        row = history::restoreVersion(m_frame.app().dbConnection, version->id);
    } catch (const DbError& e) {
        showMessage(this, tr("The version could not be restored: ") + e.message());
        return;
    }
    HistoryCommands::showArticle(m_frame, filter, position, number, row);
    m_number = number;
    fill();
    showMessage(this, tr("Article successfully restored."));
}

void frmHistory::cmdClose_Click()
{
    close();
}

void frmHistory::done(int result)
{
    if (SingleInstance::unloadOnce(this))
        m_frame.enableAgain();
    QDialog::done(result);
}
