// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Pictures.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class Frame;

// The ten image paths of the current article. Shown modeless while the main window is disabled;
// closing it (Close or the title bar) writes the ten paths into the current row and sends them.
class frmImages : public QDialog
{
    Q_OBJECT
public:
    static constexpr int Slots = 10;

    explicit frmImages(Frame& frame);

    // The images dialog of the current article: the open one, or a new one.
    static void showImages(Frame& frame);

    // Reads the ten slots of the current row; false (after a message) when they cannot be read.
    bool Form_Load();
    // Writes the slots whose box was changed; false keeps the dialog open (the database refused
    // them).
    bool Form_Unload();

    void cmdView_Click(int slot);   // slot 1..10
    void cmdBrowse_Click(int slot); // slot 1..10
    // Chooses a picture file and stores it in the database; the box then names it.
    void cmdStore_Click(int slot); // slot 1..10
    // Stores the picture in the file, or the picture given as bytes (a pasted one), in the
    // database and puts its slot text into box `slot`; false (after a message) when it is not
    // stored.
    bool storeFile(int slot, const QString& file);
    bool storeBytes(int slot, const QByteArray& bytes, const QString& fileName);
    void Command11_Click();

    // Row N (1..10) is at index N - 1.
    std::array<QLabel*, Slots> Label{};
    std::array<QLineEdit*, Slots> Text{};
    std::array<QPushButton*, Slots> cmdView{};
    std::array<QPushButton*, Slots> cmdBrowse{};
    std::array<QPushButton*, Slots> cmdStore{};
    QPushButton* Command11 = nullptr;

    static const char* const CaptionBase;
    static const char* const ViewFailedText;

public slots:
    // Escape closes the dialog the same way as Close, so the paths are written.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // A file dropped on a row, and a copied picture pasted into a box, are stored.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    bool storeChecked(int slot, const pictures::Checked& checked, const QString& fileName);

    Frame& m_frame;
    QStringList m_shown; // the ten texts as read at opening
    bool m_refusedBefore = false;
};
