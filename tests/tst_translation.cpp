// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/Startup.h"
#include "app/frmMain.h"
#include "core/ArticleImport.h"

#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

// Runs in the locale its environment gives (ctest runs it in de_DE.UTF-8 and in C): the
// program's start-up loads the translation for it, or none, and every text follows.
class tst_Translation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { loadTranslations(); }

    void texts_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("menu") << "menu"
                              << "&File"
                              << "&Datei";
        QTest::newRow("message box") << "box"
                                     << "Ardentry cannot start."
                                     << "Ardentry kann nicht starten.";
        QTest::newRow("core error") << "box"
                                    << "is not an SQLite database"
                                    << "ist keine SQLite-Datenbank";
        QTest::newRow("Qt's own") << "qt"
                                  << "Cancel"
                                  << "Abbrechen";
    }

    void texts()
    {
        QFETCH(QString, where);
        QFETCH(QString, english);
        QFETCH(QString, german);
        const bool inGerman = qEnvironmentVariable("LC_ALL", qEnvironmentVariable("LANG"))
                                  .startsWith(QLatin1String("de"));
        const QString expected = inGerman ? german : english;
        QString shown;
        if (where == "menu") {
            StartedApp started;
            // Nothing of the database's own words is translated: a start in any language has
            // nothing to say.
            QVERIFY2(started.messages().seen.isEmpty(),
                     qPrintable(started.messages().seen.value(0).text));
            shown = started.main().menuBar()->actions().first()->text();
        } else if (where == "box") {
            auto folder = std::make_shared<TestFolder>();
            folder->writeFile("ardentry.db", QByteArray("This is a text file.\n").repeated(200));
            StartedApp started(folder);
            QCOMPARE(started.messages().seen.size(), 1);
            shown = started.messages().seen.first().text;
        } else {
            QDialogButtonBox box(QDialogButtonBox::Cancel);
            shown = box.button(QDialogButtonBox::Cancel)->text();
        }
        QVERIFY2(shown.contains(expected), qPrintable(shown));
    }

    // A file's header written in English is read in any language; the window shows the captions
    // in the program's.
    void importCaptions()
    {
        const bool inGerman = qEnvironmentVariable("LC_ALL", qEnvironmentVariable("LANG"))
                                  .startsWith(QLatin1String("de"));
        QCOMPARE(ArticleField::fromName("Article Number"), std::optional<int>(ArticleField::Id));
        QCOMPARE(ArticleField::fromName(ArticleField::shownCaption(ArticleField::Id)),
                 std::optional<int>(ArticleField::Id));
        QCOMPARE(ArticleField::shownCaption(ArticleField::Id),
                 inGerman ? QString("Artikelnummer") : QString("Article Number"));
    }
};

QTEST_MAIN(tst_Translation)
#include "tst_translation.moc"
