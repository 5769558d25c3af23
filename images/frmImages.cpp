// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/frmImages.h"

#include "articles/frmDisplay.h"
#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/Connection.h"
#include "core/mdlMain.h"
#include "images/frmView.h"

#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
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

const char* const SlotProperty = "ardentryImageSlot";

// The local picture file that a drag carries, or the empty text.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty() ||
        !data->urls().constFirst().isLocalFile())
        return QString();
    return data->urls().constFirst().toLocalFile();
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

// Asks for one existing picture file, starting at `start`; the empty text when none was chosen.
QString chooseImage(QWidget* parent, const QString& caption, const char* objectName,
                    const QString& start)
{
    QFileDialog chooser(parent, caption, start, imageFilter());
    chooser.setObjectName(QString::fromLatin1(objectName));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return QString();
    return chooser.selectedFiles().constFirst();
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
        cmdStore[i] = new QPushButton(tr("Store..."), this);
        cmdStore[i]->setObjectName(QStringLiteral("cmdStore") + n);
        cmdStore[i]->setToolTip(tr("Store a picture in the database"));
        cmdStore[i]->setAccessibleName(tr("Store a picture in the database for image %1").arg(n));
        cmdStore[i]->setAutoDefault(false);
        grid->addWidget(Label[i], i, 0);
        grid->addWidget(Text[i], i, 1);
        grid->addWidget(cmdBrowse[i], i, 2);
        grid->addWidget(cmdView[i], i, 3);
        grid->addWidget(cmdStore[i], i, 4);
        const int slot = i + 1;
        connect(cmdView[i], &QPushButton::clicked, this, [this, slot] { cmdView_Click(slot); });
        connect(cmdBrowse[i], &QPushButton::clicked, this, [this, slot] { cmdBrowse_Click(slot); });
        connect(cmdStore[i], &QPushButton::clicked, this, [this, slot] { cmdStore_Click(slot); });
        // A picture file dropped anywhere on the row, and a copied picture pasted into the box,
        // are stored in the database.
        for (QWidget* part : std::initializer_list<QWidget*>{Label[i], Text[i], cmdBrowse[i],
                                                             cmdView[i], cmdStore[i]}) {
            part->setProperty(SlotProperty, slot);
            part->setAcceptDrops(true);
            part->installEventFilter(this);
        }
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
    for (QPushButton* button : cmdStore)
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
    // The article form shows the pictures the slots now hold.
    if (frmDisplay* form = m_frame.displayIfLoaded())
        form->showThumbnails();
    return true;
}

void frmImages::cmdView_Click(int slot)
{
    const QString path = Text[slot - 1]->text();
    frmView& viewer = frmView::showViewer(m_frame);
    viewer.addToCaption(path);
    if (!pictures::isStored(path)) {
        if (!viewer.showPicture(path))
            showMessage(this, tr(ViewFailedText));
        return;
    }
    try {
        if (!viewer.showStored(m_frame.app().dbConnection, path))
            showMessage(this, tr("The picture \"%1\" is not stored in this database. Store it "
                                 "again from its file.")
                                  .arg(pictures::parse(path).name));
    } catch (const DbError& e) {
        showMessage(this, tr("The picture could not be read from the database: ") + e.message());
    }
}

void frmImages::cmdBrowse_Click(int slot)
{
    QLineEdit* box = Text[slot - 1];
    QString start;
    const QFileInfo current(box->text());
    if (!box->text().isEmpty() && current.absoluteDir().exists())
        start = current.absoluteFilePath();
    const QString chosen = chooseImage(this, tr("Image %1").arg(slot), "dlgChooseImage", start);
    if (chosen.isEmpty())
        return;
    box->setText(QDir::toNativeSeparators(chosen));
    box->setFocus();
}

void frmImages::cmdStore_Click(int slot)
{
    const QString current = Text[slot - 1]->text();
    QString start;
    if (!current.isEmpty() && !pictures::isStored(current) &&
        QFileInfo(current).absoluteDir().exists())
        start = QFileInfo(current).absoluteFilePath();
    const QString chosen =
        chooseImage(this, tr("Store a picture for image %1").arg(slot), "dlgStorePicture", start);
    if (!chosen.isEmpty())
        storeFile(slot, chosen);
}

bool frmImages::storeFile(int slot, const QString& file)
{
    return storeChecked(slot, pictures::checkFile(file), QFileInfo(file).fileName());
}

bool frmImages::storeBytes(int slot, const QByteArray& bytes, const QString& fileName)
{
    return storeChecked(slot, pictures::checkBytes(bytes), fileName);
}

bool frmImages::storeChecked(int slot, const pictures::Checked& checked, const QString& fileName)
{
    using Verdict = pictures::Checked::Verdict;
    QByteArray bytes = checked.bytes;
    QString name = fileName;
    switch (checked.verdict) {
    case Verdict::Fine:
        break;
    case Verdict::TooLarge:
    case Verdict::NotAPicture:
        showMessage(this,
                    tr("\"%1\" was not stored in the database: %2").arg(name, checked.reason));
        return false;
    case Verdict::TooManyPixels:
        if (!askYesNo(this,
                      tr("The picture \"%1\" measures %2 by %3 pixels, more than %4 pixels on a "
                         "side.\n\nStore a copy scaled down to %4 pixels on its longer side?")
                          .arg(name)
                          .arg(checked.size.width())
                          .arg(checked.size.height())
                          .arg(pictures::MaxSide),
                      QStringLiteral("Ardentry"), QMessageBox::Yes))
            return false;
        bytes = pictures::scaledDown(checked);
        // The copy is a PNG unless the original was a JPEG: its name says so.
        if (checked.format != "jpeg")
            name = QFileInfo(name).completeBaseName() + QStringLiteral(".png");
        break;
    }
    Connection& connection = m_frame.app().dbConnection;
    try {
        pictures::install(connection); // nothing to do when the tables are there
    } catch (const DbError& e) {
        showMessage(this, tr("Pictures cannot be stored in this database: %1").arg(e.message()));
        return false;
    }
    QString stored;
    try {
        // A picture checked as it is is stored without decoding it again.
        stored = checked.verdict == Verdict::Fine ? pictures::store(connection, checked, name)
                                                  : pictures::store(connection, bytes, name);
    } catch (const DbError& e) {
        showMessage(this, tr("The picture \"%1\" could not be stored in the database: %2")
                              .arg(name, e.message()));
        return false;
    }
    QLineEdit* box = Text[slot - 1];
    box->setText(stored);
    box->setFocus();
    return true;
}

bool frmImages::eventFilter(QObject* watched, QEvent* event)
{
    const int slot = watched->property(SlotProperty).toInt();
    if (slot < 1 || slot > Slots)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (droppedFile(drag->mimeData()).isEmpty())
            break; // a box takes dropped text as before
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = droppedFile(drop->mimeData());
        if (file.isEmpty())
            break;
        drop->acceptProposedAction();
        storeFile(slot, file);
        return true;
    }
    case QEvent::KeyPress: {
        // A copied picture (no text with it) pasted into a box is stored as a PNG; text pastes as
        // always.
        auto* key = static_cast<QKeyEvent*>(event);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        if (watched != Text[slot - 1] || !key->matches(QKeySequence::Paste) || !copied ||
            !copied->hasImage() || copied->hasText())
            break;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        qvariant_cast<QImage>(copied->imageData()).save(&buffer, "PNG");
        storeBytes(slot, png, QStringLiteral("pasted.png"));
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
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
