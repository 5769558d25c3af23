#pragma once

class Frame;
class QString;

// Add New, Save and Delete of the article form's article, through rsMain.
class ArticleCommands
{
public:
    explicit ArticleCommands(Frame& frame) : m_frame(frame) {}

    void AddRecord();
    void SaveRecord();
    void DeleteRecord();

    static bool EitherBlank(const QString& first, const QString& second);

private:
    Frame& m_frame;
};
