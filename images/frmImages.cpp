// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/frmImages.h"

#include "articles/frmDisplay.h"
#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/mdlMain.h"
#include "images/frmView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

const char* const frmImages::CaptionBase = QT_TR_NOOP("Images for AR Number ");
const char* const frmImages::ViewFailedText =
    QT_TR_NOOP("The file could not be found or displayed. Check the location of the file or "
               "try a different file.");

namespace
{
QString column(int slot)
{
    return QStringLiteral("Image") + QString::number(slot);
}

QString imageFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    patterns.removeDuplicates();
    return QCoreApplication::translate("frmImages", "Images (%1);;All files (*)")
        .arg(patterns.join(QLatin1Char(' ')));
}
} // namespace

frmImages::frmImages(Frame& frame)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame)
{
    setObjectName(QStringLiteral("frmImages"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(tr(CaptionBase));
    buildControls();
}

void frmImages::buildControls()
{
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(6);
    for (int i = 0; i < Slots; ++i) {
        const QString n = QString::number(i + 1);
        Label[i] = new QLabel(tr("Image %1").arg(n), this);
        Label[i]->setObjectName(QStringLiteral("Label") + n);
        Text[i] = new QLineEdit(QStringLiteral("N/A"), this);
        Text[i]->setObjectName(QStringLiteral("Text") + n);
        Text[i]->setMinimumWidth(360);
        Label[i]->setBuddy(Text[i]);
        cmdBrowse[i] = new QPushButton(QStringLiteral("..."), this);
        cmdBrowse[i]->setObjectName(QStringLiteral("cmdBrowse") + n);
        cmdBrowse[i]->setToolTip(tr("Choose an image file"));
        cmdBrowse[i]->setFixedWidth(
            cmdBrowse[i]->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
        cmdBrowse[i]->setAutoDefault(false);
        cmdView[i] = new QPushButton(i == 0 ? tr("&View") : tr("View"), this);
        cmdView[i]->setObjectName(QStringLiteral("cmdView") + n);
        cmdView[i]->setAutoDefault(false);
        grid->addWidget(Label[i], i, 0);
        grid->addWidget(Text[i], i, 1);
        grid->addWidget(cmdBrowse[i], i, 2);
        grid->addWidget(cmdView[i], i, 3);
        const int slot = i + 1;
        connect(cmdView[i], &QPushButton::clicked, this, [this, slot] { cmdView_Click(slot); });
        connect(cmdBrowse[i], &QPushButton::clicked, this, [this, slot] { cmdBrowse_Click(slot); });
    }
    Command11 = commandButton(this, "Command11", tr("&Close"));
    connect(Command11, &QPushButton::clicked, this, &frmImages::Command11_Click);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(Command11);
    auto* all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addSpacing(8);
    all->addLayout(bottom);

    // Focus: the ten boxes, Close, the View buttons, then the file choosers.
    QWidget* previous = Text[0];
    auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 1; i < Slots; ++i)
        chain(Text[i]);
    chain(Command11);
    for (QPushButton* button : cmdView)
        chain(button);
    for (QPushButton* button : cmdBrowse)
        chain(button);

    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void frmImages::showImages(Frame& frame)
{
    bool loadedNow = false;
    frmImages* shown = SingleInstance::show<frmImages>(frame.window(), [&] {
        std::unique_ptr<frmImages> dialog;
        const RecordSet& rs = frame.app().rsMain;
        if (!rs.isOpen() || !rs.hasCurrentRow()) {
            showMessage(frame.window(), tr("There is no article to attach images to."));
            return dialog;
        }
        dialog = std::make_unique<frmImages>(frame);
        if (!dialog->Form_Load())
            dialog.reset();
        loadedNow = dialog != nullptr;
        return dialog;
    });
    if (shown && loadedNow)
        shown->Text[0]->setFocus();
}

bool frmImages::Form_Load()
{
    RecordSet& rs = m_frame.app().rsMain;
    QStringList paths;
    try {
        for (int slot = 1; slot <= Slots; ++slot)
            paths << rs.value(column(slot));
    } catch (const DbError& e) {
        showMessage(m_frame.window(),
                    tr("The image paths of this article could not be read: ") + e.message());
        return false;
    }
    m_frame.disableWhileOpen(this);
    setWindowTitle(windowTitle() + m_frame.display().fields().id);
    for (int i = 0; i < Slots; ++i)
        Text[i]->setText(paths.at(i));
    m_shown = paths;
    Text[0]->setFocus();
    return true;
}

bool frmImages::Form_Unload()
{
    RecordSet& rs = m_frame.app().rsMain;
    try {
        // A box left as it was shown is not written: a Null slot stays Null, and looking at the
        // paths of an article in a database that takes no changes is no failure.
        for (int slot = 1; slot <= Slots; ++slot) {
            if (Text[slot - 1]->text() != m_shown.at(slot - 1))
                rs.collect(column(slot), Text[slot - 1]->text());
        }
        // A begun article keeps its paths in its row; they are sent with the article's Save, so
        // closing this window never inserts a half-filled article.
        if (!rs.currentIsNew())
            rs.updateBatch();
    } catch (const DbError& e) {
        // Nothing refused waits in the batch: the boxes keep the texts, and the next try writes
        // them afresh (a box changed back to its shown text is then left alone).
        try {
            if (!rs.currentIsNew())
                rs.cancelBatch();
        } catch (const DbError&) {
        }
        if (!m_refusedBefore) {
            m_refusedBefore = true;
            showMessage(this, tr("The image paths could not be saved: ") + e.message() +
                                  tr("\n\nThe paths stay in this window. Close it "
                                     "again to try once more."));
            return false;
        }
        if (!askYesNo(this,
                      tr("The image paths could still not be saved: ") + e.message() +
                          tr("\n\nClose this window and drop the changed paths?"),
                      QStringLiteral("Ardentry"), QMessageBox::No))
            return false;
    }
    m_frame.enableAgain();
    return true;
}

void frmImages::cmdView_Click(int slot)
{
    const QString path = Text[slot - 1]->text();
    frmView& viewer = frmView::showViewer(m_frame);
    viewer.addToCaption(path);
    if (!viewer.showPicture(path))
        showMessage(this, tr(ViewFailedText));
}

void frmImages::cmdBrowse_Click(int slot)
{
    QLineEdit* box = Text[slot - 1];
    QString start;
    const QFileInfo current(box->text());
    if (!box->text().isEmpty() && current.absoluteDir().exists())
        start = current.absoluteFilePath();
    QFileDialog chooser(this, tr("Image %1").arg(slot), start, imageFilter());
    chooser.setObjectName(QStringLiteral("dlgChooseImage"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    box->setText(QDir::toNativeSeparators(chooser.selectedFiles().constFirst()));
    box->setFocus();
}

void frmImages::Command11_Click()
{
    close();
}

void frmImages::reject()
{
    close();
}

void frmImages::closeEvent(QCloseEvent* event)
{
    if (SingleInstance::isUnloaded(this) || Form_Unload()) {
        SingleInstance::markUnloaded(this);
        event->accept();
    } else {
        event->ignore();
    }
}
