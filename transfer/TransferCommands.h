// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Frame;

// The Tools menu's import and export of articles.
namespace TransferCommands
{

// Import Articles: asks to save typed changes first, then shows the import window.
void showImport(Frame& frame);
// Export Articles: asks to save typed changes first, then shows the export window.
void showExport(Frame& frame);
// After an import wrote articles: the category and user lists and the articles are read again
// and the article form shows the first article.
void reloadAfterImport(Frame& frame);

} // namespace TransferCommands
