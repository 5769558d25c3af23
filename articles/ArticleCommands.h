#pragma once

class Frame;
class QString;

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
    Frame& m_frame;
};
