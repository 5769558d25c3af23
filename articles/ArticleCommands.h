// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class Frame;
class QString;
struct ArticleFields;

// Add New, Save and Delete of the article form's article, through rsMain.
class ArticleCommands
{
public:
    explicit ArticleCommands(Frame& frame) : m_frame(frame) {}

    void AddRecord();
    // True when the article was saved.
    bool SaveRecord();
    void DeleteRecord();
    // Before a command leaves the shown article: when it holds typed changes, asks "Save the
    // changes to article N?" (Yes, No, Cancel). True when the command may go on: saved, or the
    // changes dropped; false on Cancel or a failed save.
    bool SaveChangesFirst();

    static bool EitherBlank(const QString& first, const QString& second);

private:
    // After a save refused because someone else changed the shown article: the conflict window,
    // round after round while others keep saving. True when the article was saved (or dropped
    // by the user's choice).
    bool ResolveConflict(const ArticleFields& typed);
    // The shown article was deleted by someone else: save the texts again as a new article, or
    // drop them. True unless the user cancelled or the save failed.
    bool SaveDeleted(const QStringList& texts, const QStringList& images);

    Frame& m_frame;
};
