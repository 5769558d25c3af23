// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Frame;

// Print Record: the current article through the print window, on the default printer (toolbar)
// or on the printer chosen in the printer dialog (menu).
class ArticlePrinter
{
public:
    explicit ArticlePrinter(Frame& frame) : m_frame(frame) {}

    void PrintRecord();
    void mnuPrint_Click();

private:
    Frame& m_frame;
};
