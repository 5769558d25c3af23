// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QFrame;
class QPrinter;
class DocumentView;
class Frame;

// The print window "Ardentry Print Article": hosts the document component while it loads and
// prints the article page and the reference document. Loaded on first use, then only shown and
// hidden: one instance for the rest of the run.
class frmBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit frmBrowser(Frame& frame);

    // The window, loaded (Form_Load) when it is not loaded yet.
    static frmBrowser& load(Frame& frame);
    static frmBrowser* loaded(Frame& frame);

    void Form_Load();
    // The program ends: a load under way stops and no print waits for it.
    void abandon();

    // Navigates to `target`, waits (bounded) until it has loaded and prints it on `printer`
    // without a dialog. Returns the empty text when it was printed, otherwise why not (a phrase
    // for a message: "the file ... does not exist").
    QString printDocument(const QString& target, QPrinter& printer);
    bool isPrinting() const { return m_printing; }
    // True once the program has ended: a print still running stops without further messages.
    bool abandoned() const { return m_abandoned; }

    // The longest wait for a document to load (30 s).
    static int loadTimeout();
    static void setLoadTimeout(int milliseconds);

    // Output seam: when set, it is called with the printer just before each document is printed
    // (numbered 1, 2, ... over the run) and may change it, e.g. to a PDF file per document.
    using PrinterHook = std::function<void(QPrinter& printer, int documentNumber)>;
    static void setPrinterHook(PrinterHook hook);
    static bool hasPrinterHook();

    QFrame* wbrBrowser1 = nullptr;
    DocumentView* WBrBrowser = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override; // Form_Resize: the layout stays as designed

private:
    bool waitUntilLoaded();

    bool m_printing = false;
    bool m_abandoned = false;
};
