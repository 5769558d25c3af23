<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AccessConversion</name>
    <message>
        <location filename="../../core/AccessConversion.cpp" line="+78"/>
        <source>Cannot make a temporary folder for the conversion: %1.</source>
        <translation>Für die Umwandlung kann kein temporärer Ordner angelegt werden: %1.</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+5"/>
        <source>Cannot make the temporary database: %1.</source>
        <translation>Die temporäre Datenbank kann nicht angelegt werden: %1.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Cannot write the temporary database: %1.</source>
        <translation>Die temporäre Datenbank kann nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>The Access database %1 holds no help-desk articles (it has no table AR).</source>
        <translation>Die Access-Datenbank %1 enthält keine Helpdesk-Artikel (sie hat keine Tabelle AR).</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The Access database %1 lacks the help-desk tables %2.</source>
        <translation>Der Access-Datenbank %1 fehlen die Helpdesk-Tabellen %2.</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The table %1 of the Access file has no columns %2: they are left empty (Null) in the new database.</source>
        <translation>Die Tabelle %1 der Access-Datei hat keine Spalten %2: Sie bleiben in der neuen Datenbank leer (Null).</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>The columns %1 of the table %2 are not carried over: the new database has no place for them.</source>
        <translation>Die Spalten %1 der Tabelle %2 werden nicht übernommen: Die neue Datenbank hat keinen Platz für sie.</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Article %1</source>
        <translation>Artikel %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, row %2</source>
        <translation>%1, Zeile %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1, %2: &quot;%3&quot; not carried over (no such column in the new database).</source>
        <translation>%1, %2: „%3“ nicht übernommen (diese Spalte gibt es in der neuen Datenbank nicht).</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 could not be written: %2.</source>
        <translation>%1 konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>&quot;%1&quot; is not a whole number; left empty (Null).</source>
        <translation>„%1“ ist keine ganze Zahl; leer gelassen (Null).</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1: %2 rows read.</source>
        <translation>%1: %2 Zeilen gelesen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 rows written.</source>
        <translation>%1 Zeilen geschrieben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Every value was carried over.</source>
        <translation>Jeder Wert wurde übernommen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 values were not carried over as they are:</source>
        <translation>%1 Werte wurden nicht unverändert übernommen:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>This is an Access database with help-desk articles. Ardentry copies its articles, categories, users and labels into a new Ardentry database beside it (or onto a server) and leaves the Access file as it is. Convert now?</source>
        <translation>Dies ist eine Access-Datenbank mit Helpdesk-Artikeln. Ardentry kopiert ihre Artikel, Kategorien, Benutzer und Beschriftungen in eine neue Ardentry-Datenbank daneben (oder auf einen Server) und lässt die Access-Datei unverändert. Jetzt umwandeln?</translation>
    </message>
</context>
<context>
    <name>AccessDatabase</name>
    <message>
        <location filename="../../core/AccessDatabase.cpp" line="+34"/>
        <source>Reading Access databases needs the program %1 of the package mdbtools, which is not installed (apt-get install mdbtools).</source>
        <translation>Zum Lesen von Access-Datenbanken wird das Programm %1 aus dem Paket mdbtools benötigt, das nicht installiert ist (apt-get install mdbtools).</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>%1 ended abnormally</source>
        <translation>%1 wurde abnormal beendet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 ended with code %2</source>
        <translation>%1 wurde mit Code %2 beendet</translation>
    </message>
    <message>
        <location line="+111"/>
        <source>The Access database %1 does not exist.</source>
        <translation>Die Access-Datenbank %1 existiert nicht.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The Access database %1 cannot be read: no permission.</source>
        <translation>Die Access-Datenbank %1 kann nicht gelesen werden: keine Berechtigung.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 is not an Access database, or it is damaged (mdb-ver: %2).</source>
        <translation>%1 ist keine Access-Datenbank oder ist beschädigt (mdb-ver: %2).</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The Access database %1 cannot be read: it is protected with a password (or damaged). Ardentry cannot open Access files protected with a password: remove the password in Access (File &gt; Info &gt; Decrypt Database) and try again.</source>
        <translation>Die Access-Datenbank %1 kann nicht gelesen werden: Sie ist mit einem Kennwort geschützt (oder beschädigt). Ardentry kann keine kennwortgeschützten Access-Dateien öffnen: Entfernen Sie das Kennwort in Access (Datei &gt; Informationen &gt; Datenbank entschlüsseln) und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The Access database %1 cannot be read: it is damaged.</source>
        <translation>Die Access-Datenbank %1 kann nicht gelesen werden: Sie ist beschädigt.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Cannot read the columns of the table %1 of %2 (mdb-schema: %3).</source>
        <translation>Die Spalten der Tabelle %1 von %2 können nicht gelesen werden (mdb-schema: %3).</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>The Access database %1 has no table %2.</source>
        <translation>Die Access-Datenbank %1 hat keine Tabelle %2.</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Cannot read the table %1 of %2 (mdb-export: %3).</source>
        <translation>Die Tabelle %1 von %2 kann nicht gelesen werden (mdb-export: %3).</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Cannot read the table %1 of %2: the columns of its rows (%3) are not those of its description (%4).</source>
        <translation>Die Tabelle %1 von %2 kann nicht gelesen werden: Die Spalten ihrer Zeilen (%3) sind nicht die ihrer Beschreibung (%4).</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Cannot read the table %1 of %2: it has more rows than ardentry-mdb-read found (%3); has the file changed?</source>
        <translation>Die Tabelle %1 von %2 kann nicht gelesen werden: Sie hat mehr Zeilen, als ardentry-mdb-read gefunden hat (%3); hat sich die Datei geändert?</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cannot read row %1 of the table %2 of %3: it has %4 values for %5 columns.</source>
        <translation>Zeile %1 der Tabelle %2 von %3 kann nicht gelesen werden: Sie hat %4 Werte für %5 Spalten.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Cannot read the table %1 of %2: it has fewer rows (%3) than ardentry-mdb-read found (%4); has the file changed?</source>
        <translation>Die Tabelle %1 von %2 kann nicht gelesen werden: Sie hat weniger Zeilen (%3), als ardentry-mdb-read gefunden hat (%4); hat sich die Datei geändert?</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>an attachment or multi-value column (%1), which the reader cannot give; left empty (Null).</source>
        <translation>eine Anlage- oder mehrwertige Spalte (%1), die das Leseprogramm nicht liefern kann; leer gelassen (Null).</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>a binary value (%1); left empty (Null).</source>
        <translation>ein Binärwert (%1); leer gelassen (Null).</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Null, or an empty text (the reader gives both alike); stored as Null.</source>
        <translation>Null oder ein leerer Text (das Leseprogramm liefert beides gleich); als Null gespeichert.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>holds &quot;??&quot;, which the reader also gives for a character such as an emoji; stored as read (&quot;%1&quot;): check it.</source>
        <translation>enthält „??“, was das Leseprogramm auch für ein Zeichen wie ein Emoji liefert; wie gelesen gespeichert („%1“): Bitte prüfen.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>a date before 1900, which the reader cannot give; left empty (Null).</source>
        <translation>ein Datum vor 1900, das das Leseprogramm nicht liefern kann; leer gelassen (Null).</translation>
    </message>
</context>
<context>
    <name>AccessPrompt</name>
    <message>
        <location filename="../../common/AccessPrompt.cpp" line="+40"/>
        <source>%1 is an Access database, but it holds no help-desk articles (no table AR), so it cannot be converted. Open or create an Ardentry database; Tools &gt; Import Articles can then take the rows of any of its tables.</source>
        <translation>%1 ist eine Access-Datenbank, enthält aber keine Helpdesk-Artikel (keine Tabelle AR) und kann daher nicht umgewandelt werden. Öffnen oder erstellen Sie eine Ardentry-Datenbank; mit Extras &gt; Artikel importieren lassen sich dann die Zeilen jeder ihrer Tabellen übernehmen.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Onto a &amp;server...</source>
        <translation>Auf einen &amp;Server...</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The address of an empty database on the server, made with createdb (postgresql://user@host/dbname):</source>
        <translation>Die Adresse einer leeren, mit createdb angelegten Datenbank auf dem Server (postgresql://benutzer@host/datenbank):</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Converting the Access database...</source>
        <translation>Die Access-Datenbank wird umgewandelt...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The Access database was not converted: %1

Nothing was written; the Access file is as it was.</source>
        <translation>Die Access-Datenbank wurde nicht umgewandelt: %1

Es wurde nichts geschrieben; die Access-Datei ist unverändert.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The conversion was cancelled. Nothing was written; the Access file is as it was.</source>
        <translation>Die Umwandlung wurde abgebrochen. Es wurde nichts geschrieben; die Access-Datei ist unverändert.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The Access database was converted into %1.</source>
        <translation>Die Access-Datenbank wurde in %1 umgewandelt.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>(%1 exists already and was left as it is.)</source>
        <translation>(%1 gibt es bereits; diese Datei blieb unverändert.)</translation>
    </message>
</context>
<context>
    <name>ArticleCommands</name>
    <message>
        <location filename="../../articles/ArticleCommands.cpp" line="+146"/>
        <source>A new article could not be started: </source>
        <translation>Ein neuer Artikel konnte nicht angelegt werden: </translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Save the changes to article %1?</source>
        <translation>Änderungen an Artikel %1 speichern?</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Please fill in all the information before you save.</source>
        <translation>Bitte füllen Sie vor dem Speichern alle Angaben aus.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The article number &quot;%1&quot; is not a whole number. Please enter a whole number before you save.</source>
        <translation>Die Artikelnummer „%1“ ist keine ganze Zahl. Bitte geben Sie vor dem Speichern eine ganze Zahl ein.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The currently displayed article will be appended.</source>
        <translation>Der angezeigte Artikel wird als neuer Artikel angehängt.</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Article number %1 is already used by another article. Choose another number before you save.</source>
        <translation>Die Artikelnummer %1 ist bereits an einen anderen Artikel vergeben. Wählen Sie vor dem Speichern eine andere Nummer.</translation>
    </message>
    <message>
        <location line="-143"/>
        <source>The article could not be saved: </source>
        <translation>Der Artikel konnte nicht gespeichert werden: </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Saved as article %1: number %2 was taken meanwhile.</source>
        <translation>Als Artikel %1 gespeichert: Die Nummer %2 wurde inzwischen vergeben.</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>

The article is still on the screen as you typed it.</source>
        <translation>

Der Artikel steht weiterhin so auf dem Bildschirm, wie Sie ihn eingegeben haben.</translation>
    </message>
    <message>
        <location line="+162"/>
        <location line="+94"/>
        <location line="+60"/>
        <source>Article successfully saved.</source>
        <translation>Artikel erfolgreich gespeichert.</translation>
    </message>
    <message>
        <location line="-153"/>
        <source>The article was saved, but the connection to the server was lost right after; Ardentry connected again and found the article stored as you typed it.</source>
        <translation>Der Artikel wurde gespeichert, doch gleich danach brach die Verbindung zum Server ab. Ardentry hat sich neu verbunden und den Artikel so gespeichert vorgefunden, wie Sie ihn eingegeben haben.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Entered by</source>
        <translation>Erfasst von</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Solution</source>
        <translation>Lösung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reference</source>
        <translation>Referenz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date entered</source>
        <translation>Erfasst am</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edited by</source>
        <translation>Geändert von</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date edited</source>
        <translation>Geändert am</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>changed at %1</source>
        <translation>geändert am %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>changed by %1 at %2</source>
        <translation>geändert von %1 am %2</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Article %1 was deleted by someone else after you opened it; the Trash keeps it.

Save again stores what you typed as an article again; Drop lets your changes go.</source>
        <translation>Artikel %1 wurde von jemand anderem gelöscht, nachdem Sie ihn geöffnet hatten; er liegt im Papierkorb.

„Erneut speichern“ legt Ihre Eingaben wieder als Artikel an; „Verwerfen“ gibt Ihre Änderungen auf.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Save again</source>
        <translation>Erneut speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Drop</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Ardentry can&apos;t delete this article because it has not been saved. Delete Process stopped.</source>
        <translation>Ardentry kann diesen Artikel nicht löschen, weil er noch nicht gespeichert wurde. Löschvorgang abgebrochen.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>You&apos;re about to delete this article.  Are you sure?</source>
        <translation>Sie sind dabei, diesen Artikel zu löschen. Sind Sie sicher?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Confirmation</source>
        <translation>Löschen bestätigen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Ardentry can&apos;t delete the article because it is the ONLY Ardentry article. Delete will leave Ardentry in an unstable condition. Delete process stopped.</source>
        <translation>Ardentry kann diesen Artikel nicht löschen, weil er der EINZIGE Ardentry-Artikel ist. Das Löschen würde Ardentry in einen instabilen Zustand versetzen. Löschvorgang abgebrochen.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The article could not be deleted: </source>
        <translation>Der Artikel konnte nicht gelöscht werden: </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Article deleted.</source>
        <translation>Artikel gelöscht.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The articles could not be read again: </source>
        <translation>Die Artikel konnten nicht neu gelesen werden: </translation>
    </message>
</context>
<context>
    <name>ArticleExport</name>
    <message>
        <location filename="../../core/ArticleExport.cpp" line="+88"/>
        <source>The articles cannot be read</source>
        <translation>Die Artikel können nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>The articles cannot be read: %1.</source>
        <translation>Die Artikel können nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <location line="+208"/>
        <location line="+6"/>
        <source>%1 cannot be written: %2.</source>
        <translation>%1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <location line="+108"/>
        <source>article %1: the image %2 was not found; its page names it only.</source>
        <translation>Artikel %1: Das Bild %2 wurde nicht gefunden; seine Seite nennt es nur.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>article %1: %2 was left out, not a picture; its page names it only.</source>
        <translation>Artikel %1: %2 wurde ausgelassen, da es kein Bild ist; seine Seite nennt es nur.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>article %1: the image %2 could not be copied; its page names it only.</source>
        <translation>Artikel %1: Das Bild %2 konnte nicht kopiert werden; seine Seite nennt es nur.</translation>
    </message>
    <message>
        <location line="-107"/>
        <source>article %1: the stored picture %2 was left out: %3</source>
        <translation>Artikel %1: das gespeicherte Bild %2 wurde ausgelassen: %3</translation>
    </message>
    <message>
        <location line="+142"/>
        <source>article %1: the stored picture %2 could not be written; its page names it only.</source>
        <translation>Artikel %1: das gespeicherte Bild %2 konnte nicht geschrieben werden; seine Seite nennt es nur.</translation>
    </message>
    <message>
        <location line="+145"/>
        <source>The articles are not open.</source>
        <translation>Die Artikel sind nicht geöffnet.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The stored picture %1 cannot be read here.</source>
        <translation>Das gespeicherte Bild %1 kann hier nicht gelesen werden.</translation>
    </message>
    <message>
        <location line="+87"/>
        <source>No file is named.</source>
        <translation>Es ist keine Datei angegeben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is a folder; name a file.</source>
        <translation>%1 ist ein Ordner; geben Sie eine Datei an.</translation>
    </message>
    <message>
        <location line="-43"/>
        <location line="+47"/>
        <location line="+34"/>
        <location line="+14"/>
        <source>The file %1 cannot be written: %2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>No folder is named.</source>
        <translation>Es ist kein Ordner angegeben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is a file; name a new or empty folder.</source>
        <translation>%1 ist eine Datei; geben Sie einen neuen oder leeren Ordner an.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The folder %1 is not empty; name a new or empty folder so that no file is overwritten.</source>
        <translation>Der Ordner %1 ist nicht leer; geben Sie einen neuen oder leeren Ordner an, damit keine Datei überschrieben wird.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The folder %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <location line="-134"/>
        <location line="+143"/>
        <source>No folder can be made in %1: %2.</source>
        <translation>In %1 kann kein Ordner angelegt werden: %2.</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>The empty folder %1 cannot be replaced.</source>
        <translation>Der leere Ordner %1 kann nicht ersetzt werden.</translation>
    </message>
    <message>
        <location line="-148"/>
        <location line="+153"/>
        <source>The folder %1 cannot be made.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Export of articles to %1</source>
        <translation>Export der Artikel nach %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The export failed: %1</source>
        <translation>Der Export ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The export was cancelled. Nothing was written.</source>
        <translation>Der Export wurde abgebrochen. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Articles written: %1</source>
        <translation>Geschriebene Artikel: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Images copied: %1</source>
        <translation>Kopierte Bilder: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Remarks: %1</source>
        <translation>Hinweise: %1</translation>
    </message>
</context>
<context>
    <name>ArticleImport</name>
    <message>
        <location filename="../../core/ArticleImport.cpp" line="+39"/>
        <source>Article Number</source>
        <translation>Artikelnummer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Entered By</source>
        <translation>Erfasst von</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Solution</source>
        <translation>Lösung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reference</source>
        <translation>Referenz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date Entered</source>
        <translation>Erfasst am</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edited By</source>
        <translation>Geändert von</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date Edited</source>
        <translation>Geändert am</translation>
    </message>
    <message>
        <location line="+125"/>
        <source>the %1 is</source>
        <translation>das Feld %1 ist</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the %1 and the %2 are</source>
        <translation>%1 und %2 sind</translation>
    </message>
    <message>
        <location line="+218"/>
        <location line="+21"/>
        <location line="+290"/>
        <location line="+11"/>
        <location line="+372"/>
        <source>The file %1 cannot be read: %2.</source>
        <translation>Die Datei %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <location line="-668"/>
        <source>The file %1 holds no rows (only empty lines).</source>
        <translation>Die Datei %1 enthält keine Zeilen (nur leere).</translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+7"/>
        <source>Column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The Access database %1 holds no tables.</source>
        <translation>Die Access-Datenbank %1 enthält keine Tabellen.</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+158"/>
        <source>The Access database %1 has no table %2.</source>
        <translation>Die Access-Datenbank %1 hat keine Tabelle %2.</translation>
    </message>
    <message>
        <location line="-37"/>
        <source>The article numbers cannot be read</source>
        <translation>Die Artikelnummern können nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The article numbers cannot be read: %1.</source>
        <translation>Die Artikelnummern können nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The lists of categories and users cannot be read</source>
        <translation>Die Listen der Kategorien und Benutzer können nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The lists of categories and users cannot be read: %1.</source>
        <translation>Die Kategorien- und Benutzerlisten können nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The table %1 of %2 has changed since it was shown: its columns now read differently. Look at it again before you import it.</source>
        <translation>Die Tabelle %1 von %2 hat sich seit der Anzeige geändert: Ihre Spalten lauten jetzt anders. Sehen Sie sie sich vor dem Import noch einmal an.</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>The %1 is taken from column %2, but the table has only %3 columns.</source>
        <translation>Das Feld %1 wird aus Spalte %2 genommen, aber die Tabelle hat nur %3 Spalten.</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>The file %1 holds no rows.</source>
        <translation>Die Datei %1 enthält keine Zeilen.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The file %1 has changed since it was shown: its first row now reads differently. Look at it again before you import it.</source>
        <translation>Die Datei %1 hat sich seit der Anzeige geändert: Ihre erste Zeile lautet jetzt anders. Sehen Sie sie sich vor dem Import noch einmal an.</translation>
    </message>
    <message>
        <location line="-53"/>
        <source>The %1 is taken from column %2, but the file has only %3 columns.</source>
        <translation>Das Feld %1 wird aus Spalte %2 übernommen, die Datei hat aber nur %3 Spalten.</translation>
    </message>
    <message>
        <location line="+84"/>
        <location line="+402"/>
        <source>The file %1 could not be read to its end: %2.</source>
        <translation>Die Datei %1 konnte nicht bis zum Ende gelesen werden: %2.</translation>
    </message>
    <message>
        <location line="-387"/>
        <source>The name &quot;%1&quot; could not be added to its list: %2.</source>
        <translation>Der Name „%1“ konnte seiner Liste nicht hinzugefügt werden: %2.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>the %1 &quot;%2&quot; cannot be read as a date; it was kept as written.</source>
        <translation>das Feld %1 „%2“ ist als Datum nicht lesbar; es wurde wie geschrieben übernommen.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>the row cannot be read: %1.</source>
        <translation>die Zeile ist nicht lesbar: %1.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>the row has %1 fields but the header has %2, so its fields cannot be matched to the columns (a separator in a text that is not in quotes?).</source>
        <translation>die Zeile hat %1 Felder, die Kopfzeile aber %2, daher lassen sich ihre Felder den Spalten nicht zuordnen (ein Trennzeichen in einem Text ohne Anführungszeichen?).</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>the %1 (column %2): %3</source>
        <translation>das Feld %1 (Spalte %2): %3</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>the %1 holds a NUL character, which a server database cannot store.</source>
        <translation>das Feld %1 enthält ein NUL-Zeichen, das eine Serverdatenbank nicht speichern kann.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>the article number &quot;%1&quot; is not a whole number (number the articles after the highest existing one to import this row).</source>
        <translation>die Artikelnummer „%1“ ist keine ganze Zahl (nummerieren Sie die Artikel im Anschluss an die größte vorhandene Nummer, um diese Zeile zu importieren).</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+14"/>
        <source>%1 empty.</source>
        <translation>%1 leer.</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>article number %1 is already used by another article; it was not overwritten.</source>
        <translation>die Artikelnummer %1 ist bereits an einen anderen Artikel vergeben; er wurde nicht überschrieben.</translation>
    </message>
    <message>
        <location line="+70"/>
        <source>The article of line %1 could not be written: %2.</source>
        <translation>Der Artikel aus Zeile %1 konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>it is another picture</source>
        <translation>es ist ein anderes Bild</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Image %1 names the stored picture %2, which the database lacks and which could not be taken from %3 (%4); the image shows nothing until it is stored.</source>
        <translation>Bild %1 nennt das gespeicherte Bild %2, das der Datenbank fehlt und nicht aus %3 übernommen werden konnte (%4); das Bild zeigt nichts, bis es gespeichert ist.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The columns of the file are not assigned to the article fields.</source>
        <translation>Die Spalten der Datei sind den Artikelfeldern nicht zugeordnet.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Choose the column of the file that holds %1: every article needs a problem and a solution.</source>
        <translation>Wählen Sie die Spalte der Datei, die %1 enthält: Jeder Artikel braucht ein Problem und eine Lösung.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the Problem and the one that holds the Solution</source>
        <translation>das Problem, und die Spalte, die die Lösung enthält</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the %1</source>
        <translation>das Feld %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Column %1 of the file is chosen for both the %2 and the %3; choose one field for it.</source>
        <translation>Spalte %1 der Datei ist sowohl für %2 als auch für %3 gewählt; wählen Sie ein Feld dafür.</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>The articles could not be imported</source>
        <translation>Die Artikel konnten nicht importiert werden</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The articles cannot be written: %1.</source>
        <translation>Die Artikel können nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The lists of categories and users cannot be written.</source>
        <translation>Die Kategorien- und Benutzerlisten können nicht geschrieben werden.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Line %1 of the file %2: a quote opens a field there and is never closed, so lines %1 to %3 would be one field; the rest of the file was not read. Nothing was imported: close the quote (or double it) and import again.</source>
        <translation>Zeile %1 der Datei %2: Dort öffnet ein Anführungszeichen ein Feld und wird nie geschlossen, sodass die Zeilen %1 bis %3 ein einziges Feld wären; der Rest der Datei wurde nicht gelesen. Es wurde nichts importiert: Schließen Sie das Anführungszeichen (oder verdoppeln Sie es) und importieren Sie erneut.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The file %1 changed while it was read (%2 bytes were read of %3).</source>
        <translation>Die Datei %1 hat sich beim Lesen geändert (%2 von %3 Bytes gelesen).</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>Import of articles from %1</source>
        <translation>Import der Artikel aus %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Read as %1, %2-separated%3%4.</source>
        <translation>Gelesen als %1, Trennzeichen %2%3%4.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>, first row = column names</source>
        <translation>, erste Zeile = Spaltennamen</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+6"/>
        <source>, values kept exactly as written</source>
        <translation>, Werte genau wie geschrieben übernommen</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Read from the table %1 of the Access database%2.</source>
        <translation>Aus der Tabelle %1 der Access-Datenbank gelesen%2.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The import failed: %1</source>
        <translation>Der Import ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Nothing was written to the database.</source>
        <translation>In die Datenbank wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The import was cancelled. Nothing was written to the database.</source>
        <translation>Der Import wurde abgebrochen. In die Datenbank wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The import was not confirmed. Nothing was written to the database.</source>
        <translation>Der Import wurde nicht bestätigt. In die Datenbank wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Dry run: every row was checked; nothing was written to the database.</source>
        <translation>Probelauf: Jede Zeile wurde geprüft; in die Datenbank wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Rows read: %1</source>
        <translation>Gelesene Zeilen: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file holds no articles: it has no rows%1.</source>
        <translation>Die Datei enthält keine Artikel: Sie hat keine Zeilen%1.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> after its header</source>
        <translation> nach der Kopfzeile</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Articles imported: %1</source>
        <translation>Importierte Artikel: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Articles that would be imported: %1</source>
        <translation>Artikel, die importiert würden: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source> (number %1)</source>
        <translation> (Nummer %1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (numbers %1 to %2)</source>
        <translation> (Nummern %1 bis %2)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Rows skipped: %1</source>
        <translation>Ausgelassene Zeilen: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Remarks: %1</source>
        <translation>Hinweise: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Articles without a date entered, given today&apos;s date: %1</source>
        <translation>Artikel ohne Erfassungsdatum, mit dem heutigen Datum versehen: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>added</source>
        <translation>die hinzugefügt wurden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>that would be added</source>
        <translation>die hinzugefügt würden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Categories %1: %2</source>
        <translation>Kategorien, %1: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+4"/>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Users %1: %2</source>
        <translation>Benutzer, %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Empty rows passed over: %1</source>
        <translation>Übersprungene leere Zeilen: %1</translation>
    </message>
</context>
<context>
    <name>ArticlePrinter</name>
    <message>
        <location filename="../../articles/ArticlePrinter.cpp" line="+29"/>
        <source>Do you want to print this article?</source>
        <translation>Möchten Sie diesen Artikel drucken?</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>A print is still in progress. Try again when it has finished.</source>
        <translation>Es läuft noch ein Druckauftrag. Versuchen Sie es erneut, wenn er abgeschlossen ist.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No printer is available. Set up a printer on this computer, then print the article again.</source>
        <translation>Es ist kein Drucker verfügbar. Richten Sie auf diesem Computer einen Drucker ein und drucken Sie den Artikel dann erneut.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>This article has not been saved yet. Save it, then print it.</source>
        <translation>Dieser Artikel ist noch nicht gespeichert. Speichern Sie ihn und drucken Sie ihn dann.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The article could not be read for printing: </source>
        <translation>Der Artikel konnte zum Drucken nicht gelesen werden: </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>There is no article to print.</source>
        <translation>Es gibt keinen Artikel zum Drucken.</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+19"/>
        <source>The article could not be printed: </source>
        <translation>Der Artikel konnte nicht gedruckt werden: </translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Ardentry article </source>
        <translation>Ardentry-Artikel </translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The article was printed, but its reference &quot;%1&quot; could not be printed: %2.</source>
        <translation>Der Artikel wurde gedruckt, seine Referenz „%1“ jedoch nicht: %2.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
</context>
<context>
    <name>Backup</name>
    <message>
        <location filename="../../core/Backup.cpp" line="+37"/>
        <source>out of memory</source>
        <translation>kein Speicher mehr frei</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>The database %1 is on a server; its backups are made by the server&apos;s administrator (pg_dump), not by Ardentry.</source>
        <translation>Die Datenbank %1 liegt auf einem Server; ihre Sicherungen erstellt der Administrator des Servers (pg_dump), nicht Ardentry.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The copy cannot be written over the database itself (&quot;%1&quot;).</source>
        <translation>Die Kopie kann nicht über die Datenbank selbst geschrieben werden („%1“).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot; is a folder.</source>
        <translation>„%1“ ist ein Ordner.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The copy &quot;%1&quot; cannot be written: %2.</source>
        <translation>Die Kopie „%1“ kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The copy &quot;%1&quot; cannot be started: %2.</source>
        <translation>Die Kopie „%1“ kann nicht begonnen werden: %2.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The copy was given up.</source>
        <translation>Die Kopie wurde aufgegeben.</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+9"/>
        <source>The copy &quot;%1&quot; could not be made: %2.</source>
        <translation>Die Kopie „%1“ konnte nicht erstellt werden: %2.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The copy could not be put in place as &quot;%1&quot;.</source>
        <translation>Die Kopie konnte nicht als „%1“ abgelegt werden.</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>No database is open.</source>
        <translation>Es ist keine Datenbank geöffnet.</translation>
    </message>
    <message>
        <location line="+7"/>
        <location filename="../../core/db/SqliteEngine.cpp" line="+282"/>
        <source>The SQLite driver gives no engine handle.</source>
        <translation>Der SQLite-Treiber liefert keinen Zugriff auf die Datenbank-Engine.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The copy &quot;%1&quot; cannot be opened: %2.</source>
        <translation>Die Kopie „%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+11"/>
        <source>The copy &quot;%1&quot; cannot be checked: %2.</source>
        <translation>Die Kopie „%1“ kann nicht geprüft werden: %2.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>A database on a server has no backups folder.</source>
        <translation>Eine Datenbank auf einem Server hat keinen Sicherungsordner.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The folder &quot;%1&quot; cannot be made.</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>%1 of %2 kept, %3</source>
        <translation>%1 von %2 aufbewahrt, %3</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>The database stayed busy; no copy was made.</source>
        <translation>Die Datenbank blieb belegt; es wurde keine Kopie erstellt.</translation>
    </message>
</context>
<context>
    <name>BackupRunner</name>
    <message>
        <location filename="../../history/BackupRunner.cpp" line="+38"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <location filename="../../core/Connection.cpp" line="+89"/>
        <source>No database file is named.</source>
        <translation>Es ist keine Datenbankdatei angegeben.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The database file &quot;%1&quot; does not exist.</source>
        <translation>Die Datenbankdatei „%1“ existiert nicht.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&quot;%1&quot; is a folder, not a database file.</source>
        <translation>„%1“ ist ein Ordner, keine Datenbankdatei.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The file &quot;%1&quot; is not an SQLite database: the file is empty.</source>
        <translation>Die Datei „%1“ ist keine SQLite-Datenbank: Die Datei ist leer.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The SQLite database driver is not available.</source>
        <translation>Der SQLite-Datenbanktreiber ist nicht verfügbar.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Cannot open the database file &quot;%1&quot;: %2.</source>
        <translation>Die Datenbankdatei „%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>The file &quot;%1&quot; is not an SQLite database: %2.</source>
        <translation>Die Datei „%1“ ist keine SQLite-Datenbank: %2.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cannot read the database file &quot;%1&quot;: %2.</source>
        <translation>Die Datenbankdatei „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <location filename="../../core/db/SqliteEngine.cpp" line="+19"/>
        <source>Cannot prepare the database connection: %1.</source>
        <translation>Die Datenbankverbindung kann nicht vorbereitet werden: %1.</translation>
    </message>
    <message>
        <location filename="../../core/Connection.cpp" line="+31"/>
        <source>The PostgreSQL database driver is not available (Debian package libqt6sql6-psql).</source>
        <translation>Der PostgreSQL-Datenbanktreiber ist nicht verfügbar (Debian-Paket libqt6sql6-psql).</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Cannot connect to the database server &quot;%1&quot;: %2.</source>
        <translation>Keine Verbindung zum Datenbankserver „%1“ möglich: %2.</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>The connection to the database server &quot;%1&quot; was lost and cannot be made again: %2.</source>
        <translation>Die Verbindung zum Datenbankserver „%1“ ist abgebrochen und lässt sich nicht wiederherstellen: %2.</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../../core/db/PostgresEngine.cpp" line="+95"/>
        <location line="+269"/>
        <source>No database is open.</source>
        <translation>Es ist keine Datenbank geöffnet.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>The database file &quot;%1&quot; is gone: it was deleted, renamed or moved while Ardentry had it open.</source>
        <translation>Die Datenbankdatei „%1“ ist verschwunden: Sie wurde gelöscht, umbenannt oder verschoben, während Ardentry sie geöffnet hatte.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The database file &quot;%1&quot; was replaced by another file while Ardentry had it open.</source>
        <translation>Die Datenbankdatei „%1“ wurde durch eine andere Datei ersetzt, während Ardentry sie geöffnet hatte.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The database file &quot;%1&quot; is damaged: it no longer holds an SQLite database.</source>
        <translation>Die Datenbankdatei „%1“ ist beschädigt: Sie enthält keine SQLite-Datenbank mehr.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The database file &quot;%1&quot; is read-only: Ardentry may not change it.</source>
        <translation>Die Datenbankdatei „%1“ ist schreibgeschützt: Ardentry darf sie nicht ändern.</translation>
    </message>
</context>
<context>
    <name>Csv</name>
    <message>
        <location filename="../../core/Csv.cpp" line="+375"/>
        <source>No file is named.</source>
        <translation>Es ist keine Datei angegeben.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 is a folder, not a file.</source>
        <translation>%1 ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+12"/>
        <location line="+7"/>
        <location line="+46"/>
        <source>The file %1 cannot be read: %2.</source>
        <translation>Die Datei %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <location line="-32"/>
        <source>The file %1 is UTF-32 text, which cannot be imported. Save it as UTF-8 and try again.</source>
        <translation>Die Datei %1 ist UTF-32-Text, der nicht importiert werden kann. Speichern Sie sie als UTF-8 und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The file %1 is empty.</source>
        <translation>Die Datei %1 ist leer.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The file %1 holds no text (only a byte order mark).</source>
        <translation>Die Datei %1 enthält keinen Text (nur eine Byte-Order-Markierung).</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>The file %1 is UTF-8 text except line %2, which holds bytes that are not UTF-8. Nothing was imported: choose the encoding to read the whole file with (UTF-8 leaves such rows out, Windows-1252 reads every UTF-8 character as two or three others).</source>
        <translation>Die Datei %1 ist UTF-8-Text bis auf Zeile %2, die Bytes enthält, die kein UTF-8 sind. Es wurde nichts importiert: Wählen Sie die Kodierung, mit der die ganze Datei gelesen werden soll (UTF-8 lässt solche Zeilen aus, Windows-1252 liest jedes UTF-8-Zeichen als zwei oder drei andere).</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The file %1 is not a text file: it holds binary data (control characters or zero bytes), so it cannot be a CSV file.</source>
        <translation>Die Datei %1 ist keine Textdatei: Sie enthält Binärdaten (Steuerzeichen oder Nullbytes) und kann daher keine CSV-Datei sein.</translation>
    </message>
    <message>
        <location line="+91"/>
        <source>read error</source>
        <translation>Lesefehler</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>field %1 is longer than %2 characters</source>
        <translation>Feld %1 ist länger als %2 Zeichen</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>the quote that opens field %1 is not closed before the end of the file</source>
        <translation>das Anführungszeichen am Anfang von Feld %1 wird bis zum Dateiende nicht geschlossen</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>text follows the closing quote of field %1</source>
        <translation>auf das schließende Anführungszeichen von Feld %1 folgt Text</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>it holds bytes that are not %1 text</source>
        <translation>sie enthält Bytes, die kein %1-Text sind</translation>
    </message>
    <message>
        <location line="+131"/>
        <source>write error</source>
        <translation>Schreibfehler</translation>
    </message>
</context>
<context>
    <name>DatabaseCopy</name>
    <message>
        <location filename="../../core/DatabaseCopy.cpp" line="+200"/>
        <source>binary data (%1 bytes)</source>
        <translation>Binärdaten (%1 Bytes)</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>the number %1</source>
        <translation>die Zahl %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the text %1</source>
        <translation>der Text %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 in the column %2: a zero character, which the server cannot keep in a text</source>
        <translation>%1 in der Spalte %2: ein Nullzeichen, das der Server in einem Text nicht speichern kann</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>whole numbers</source>
        <translation>ganze Zahlen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dates and times</source>
        <translation>Datums- und Zeitangaben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>binary data</source>
        <translation>Binärdaten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 in the column %2, where the server keeps %3 only</source>
        <translation>%1 in der Spalte %2, in der der Server nur %3 speichert</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Cannot read %1: %2.</source>
        <translation>%1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>The table %1, row %2, holds text in the column %3 that is not UTF-8; it cannot be copied as it is.</source>
        <translation>Die Tabelle %1, Zeile %2, enthält in der Spalte %3 Text, der kein UTF-8 ist; er kann nicht unverändert kopiert werden.</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>The database %1 holds tables of an article database already (%2); they are not overwritten.</source>
        <translation>Die Datenbank %1 enthält bereits Tabellen einer Artikeldatenbank (%2); sie werden nicht überschrieben.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No database file is named.</source>
        <translation>Es ist keine Datenbankdatei angegeben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file %1 exists already; it is not overwritten.</source>
        <translation>Die Datei %1 existiert bereits; sie wird nicht überschrieben.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The folder %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+10"/>
        <location line="+4"/>
        <source>Cannot create %1: %2.</source>
        <translation>%1 kann nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>The copy could not be written</source>
        <translation>Die Kopie konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>%1 has additions of a later program (%2) that were not copied.</source>
        <translation>%1 enthält Erweiterungen einer neueren Programmversion (%2), die nicht kopiert wurden.</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1 is not an article database: it has no table %2.</source>
        <translation>%1 ist keine Artikeldatenbank: Die Tabelle %2 fehlt.</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+37"/>
        <source>The table %1 of %2 has no column %3.</source>
        <translation>Die Tabelle %1 von %2 hat keine Spalte %3.</translation>
    </message>
    <message>
        <location line="-31"/>
        <source>The table %1 of %2 has a column %3 that an article database does not have; it would be lost.</source>
        <translation>Die Tabelle %1 von %2 hat eine Spalte %3, die eine Artikeldatenbank nicht hat; sie ginge verloren.</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>The columns %1 of the table %2 were not copied: the new database has no such columns.</source>
        <translation>Die Spalten %1 der Tabelle %2 wurden nicht kopiert: Die neue Datenbank hat diese Spalten nicht.</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Cannot write the table %1: %2.</source>
        <translation>Die Tabelle %1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The table %1, row %2, holds %3.</source>
        <translation>Die Tabelle %1, Zeile %2, enthält %3.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The table %1, row %2, could not be written: %3.</source>
        <translation>Die Tabelle %1, Zeile %2, konnte nicht geschrieben werden: %3.</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Cannot copy %1 to %2: %3 Nothing was copied.</source>
        <translation>%1 kann nicht nach %2 kopiert werden: %3 Es wurde nichts kopiert.</translation>
    </message>
</context>
<context>
    <name>DesignedLayout</name>
    <message>
        <location filename="../../common/DesignedLayout.h" line="+54"/>
        <source>&amp;Browse...</source>
        <translation>Durc&amp;hsuchen...</translation>
    </message>
</context>
<context>
    <name>DocumentView</name>
    <message>
        <location filename="../../articles/DocumentView.cpp" line="+27"/>
        <source>documents of this kind (%1) cannot be printed; only web pages, text files and pictures can</source>
        <translation>Dokumente dieser Art (%1) können nicht gedruckt werden, nur Webseiten, Textdateien und Bilder</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>the document is larger than %1 MB</source>
        <translation>das Dokument ist größer als %1 MB</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>no document was named</source>
        <translation>es wurde kein Dokument angegeben</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>addresses beginning with &quot;%1:&quot; cannot be printed; only local files and http or https addresses can</source>
        <translation>Adressen, die mit „%1:“ beginnen, können nicht gedruckt werden, nur lokale Dateien sowie http- und https-Adressen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>the file &quot;%1&quot; does not exist</source>
        <translation>die Datei „%1“ existiert nicht</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot; is a folder, not a document</source>
        <translation>„%1“ ist ein Ordner, kein Dokument</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&quot;%1&quot; is not a regular file</source>
        <translation>„%1“ ist keine reguläre Datei</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>the file &quot;%1&quot; could not be read (%2)</source>
        <translation>die Datei „%1“ konnte nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>the server answered %1 %2</source>
        <translation>der Server antwortete %1 %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>it could not be loaded (%1)</source>
        <translation>es konnte nicht geladen werden (%1)</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>the picture could not be read</source>
        <translation>das Bild konnte nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>it has not finished loading</source>
        <translation>es ist noch nicht fertig geladen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>nothing is loaded to print</source>
        <translation>zum Drucken ist nichts geladen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the printer reported an error</source>
        <translation>der Drucker hat einen Fehler gemeldet</translation>
    </message>
</context>
<context>
    <name>General</name>
    <message>
        <location filename="../../dialogs/General.cpp" line="+26"/>
        <source>General Information</source>
        <translation>Allgemeine Informationen</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Database path:</source>
        <translation>Datenbankpfad:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Number of database records:</source>
        <translation>Anzahl der Datensätze:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Database Engine:</source>
        <translation>Datenbanksystem:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Database Structure:</source>
        <translation>Datenbankstruktur:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Newest backup:</source>
        <translation>Neueste Sicherung:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Daily copies:</source>
        <translation>Tägliche Kopien:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>(unknown: %1)</source>
        <translation>(unbekannt: %1)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>PostgreSQL database on a server</source>
        <translation>PostgreSQL-Datenbank auf einem Server</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>kept by the server</source>
        <translation>Sache des Servers</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>made by the server&apos;s administrator</source>
        <translation>macht die Administration des Servers</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>SQLite 3 database file</source>
        <translation>SQLite-3-Datenbankdatei</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>none yet</source>
        <translation>noch keine</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <location filename="../../core/History.cpp" line="+334"/>
        <source>The table &quot;AR&quot; has no column &quot;%1&quot;, so the history of articles cannot be kept.</source>
        <translation>Die Tabelle „AR“ hat keine Spalte „%1“, daher kann kein Artikelverlauf geführt werden.</translation>
    </message>
    <message>
        <location line="+93"/>
        <source>No article has the number %1 any more.</source>
        <translation>Kein Artikel hat mehr die Nummer %1.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>More than one article has the number %1.</source>
        <translation>Mehr als ein Artikel hat die Nummer %1.</translation>
    </message>
    <message>
        <location line="-161"/>
        <location line="+11"/>
        <source>The rights on the database cannot be read</source>
        <translation>Die Rechte an der Datenbank können nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+187"/>
        <location line="+23"/>
        <source>The history of articles could not be added to the database</source>
        <translation>Der Artikelverlauf konnte der Datenbank nicht hinzugefügt werden</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>The history of articles could not be renewed in the database</source>
        <translation>Der Artikelverlauf konnte in der Datenbank nicht erneuert werden</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The history of the article cannot be read</source>
        <translation>Der Verlauf des Artikels kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The version could not be restored</source>
        <translation>Die Fassung konnte nicht wiederhergestellt werden</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The version is no longer kept. Nothing was restored.</source>
        <translation>Die Fassung ist nicht mehr vorhanden. Es wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The version has the number %1, which another article holds now. Nothing was restored.</source>
        <translation>Die Fassung hat die Nummer %1, die jetzt ein anderer Artikel trägt. Es wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The trash cannot be read</source>
        <translation>Der Papierkorb kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The article could not be restored</source>
        <translation>Der Artikel konnte nicht wiederhergestellt werden</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The article is no longer in the trash.</source>
        <translation>Der Artikel ist nicht mehr im Papierkorb.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Another article has the number %1. Nothing was restored.</source>
        <translation>Ein anderer Artikel hat die Nummer %1. Es wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>The trash could not be emptied</source>
        <translation>Der Papierkorb konnte nicht geleert werden</translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+8"/>
        <source>The article numbers cannot be read</source>
        <translation>Die Artikelnummern können nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The articles cannot be read</source>
        <translation>Die Artikel können nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The article cannot be read</source>
        <translation>Der Artikel kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>HistoryCommands</name>
    <message>
        <location filename="../../history/HistoryCommands.cpp" line="+90"/>
        <source>The history of articles and the trash could not be added to the database: %1

Ardentry works on without them.</source>
        <translation>Der Artikelverlauf und der Papierkorb konnten der Datenbank nicht hinzugefügt werden: %1

Ardentry arbeitet ohne sie weiter.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>The automatic backup of the database could not be made: %1

Ardentry works on without it.</source>
        <translation>Die automatische Sicherung der Datenbank konnte nicht erstellt werden: %1

Ardentry arbeitet ohne sie weiter.</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Ardentry makes its daily copy of the database...</source>
        <translation>Ardentry erstellt die tägliche Kopie der Datenbank...</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>The database %1 is on a PostgreSQL server. Ardentry makes copies of database files only; backups of a server database are made on the server by its administrator (pg_dump).</source>
        <translation>Die Datenbank %1 liegt auf einem PostgreSQL-Server. Ardentry kopiert nur Datenbankdateien; Sicherungen einer Serverdatenbank erstellt der Administrator auf dem Server (pg_dump).</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Back Up Database</source>
        <translation>Datenbank sichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Database files (*.%1);;All files (*)</source>
        <translation>Datenbankdateien (*.%1);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The file &quot;%1&quot; exists already. Replace it with the copy?</source>
        <translation>Die Datei „%1“ existiert bereits. Durch die Kopie ersetzen?</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+19"/>
        <source>The database could not be backed up: </source>
        <translation>Die Datenbank konnte nicht gesichert werden: </translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Backing up the database to &quot;%1&quot;...</source>
        <translation>Die Datenbank wird nach „%1“ gesichert...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The backup was cancelled. No copy was written.</source>
        <translation>Die Sicherung wurde abgebrochen. Es wurde keine Kopie geschrieben.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The database was backed up to &quot;%1&quot;.

</source>
        <translation>Die Datenbank wurde nach „%1“ gesichert.

</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The copy was checked (PRAGMA quick_check) and is sound.</source>
        <translation>Die Kopie wurde geprüft (PRAGMA quick_check) und ist fehlerfrei.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The check of the copy (PRAGMA quick_check) found problems:
</source>
        <translation>Die Prüfung der Kopie (PRAGMA quick_check) hat Fehler gefunden:
</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The copy could not be checked: </source>
        <translation>Die Kopie konnte nicht geprüft werden: </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>

Daily copies: %1, in &quot;%2&quot;.</source>
        <translation>

Tägliche Kopien: %1, in „%2“.</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>The articles could not be read again: </source>
        <translation>Die Artikel konnten nicht neu gelesen werden: </translation>
    </message>
</context>
<context>
    <name>ListEditor</name>
    <message>
        <location filename="../../lists/frmSetupCG.cpp" line="+12"/>
        <source>Setup Categories</source>
        <translation>Kategorien einrichten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>category list</source>
        <translation>Kategorienliste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>category name</source>
        <translation>Kategoriename</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Category Name:</source>
        <translation>Kategoriename:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ardentry can&apos;t delete this Category because it is the ONLY Ardentry Category. Delete will leave Ardentry in an unstable condition. Delete process stopped.</source>
        <translation>Ardentry kann diese Kategorie nicht löschen, weil sie die EINZIGE Ardentry-Kategorie ist. Das Löschen würde Ardentry in einen instabilen Zustand versetzen. Löschvorgang abgebrochen.</translation>
    </message>
    <message>
        <location filename="../../lists/frmSetupUsers.cpp" line="+12"/>
        <source>Setup Users</source>
        <translation>Benutzer einrichten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>user list</source>
        <translation>Benutzerliste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>user name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>User Name:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ca&amp;ncel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ardentry can&apos;t delete this User because it is the ONLY Ardentry User. Delete will leave Ardentry in an unstable condition. Delete process stopped.</source>
        <translation>Ardentry kann diesen Benutzer nicht löschen, weil er der EINZIGE Ardentry-Benutzer ist. Das Löschen würde Ardentry in einen instabilen Zustand versetzen. Löschvorgang abgebrochen.</translation>
    </message>
    <message>
        <location filename="../../lists/ListEditor.cpp" line="+17"/>
        <source>Edit Name:</source>
        <translation>Name ändern:</translation>
    </message>
    <message>
        <location line="+32"/>
        <location line="+2"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>The articles could not be read again: </source>
        <translation>Die Artikel konnten nicht neu gelesen werden: </translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The %1 could not be read: %2</source>
        <translation>Die %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>the selected name is no longer in the table.</source>
        <translation>der gewählte Name steht nicht mehr in der Tabelle.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Type a %1 first: an empty name cannot be stored.</source>
        <translation>Geben Sie zuerst einen %1 ein: Ein leerer Name kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The %1 could not be changed: %2</source>
        <translation>Die %1 konnte nicht geändert werden: %2</translation>
    </message>
    <message>
        <location line="+118"/>
        <source>Select the name to change in the list first.</source>
        <translation>Wählen Sie zuerst in der Liste den Namen aus, den Sie ändern möchten.</translation>
    </message>
</context>
<context>
    <name>NewDatabase</name>
    <message>
        <location filename="../../core/NewDatabase.cpp" line="+439"/>
        <location line="+8"/>
        <source>Cannot run &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht ausgeführt werden: %2</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Cannot prepare &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht vorbereitet werden: %2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Cannot prepare the article insert: %1</source>
        <translation>Das Einfügen der Artikel kann nicht vorbereitet werden: %1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Cannot insert article %1: %2</source>
        <translation>Artikel %1 kann nicht eingefügt werden: %2</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Cannot begin a transaction: %1</source>
        <translation>Eine Transaktion kann nicht begonnen werden: %1</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>Cannot write the database: %1</source>
        <translation>Die Datenbank kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Cannot read the database %1: %2</source>
        <translation>Die Datenbank %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The database %1 holds the tables of an article database already; they are not overwritten.</source>
        <translation>Die Datenbank %1 enthält bereits die Tabellen einer Artikeldatenbank; sie werden nicht überschrieben.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cannot create the tables in %1: %2</source>
        <translation>Die Tabellen in %1 können nicht angelegt werden: %2</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+10"/>
        <source>The number of generated articles cannot be negative.</source>
        <translation>Die Anzahl der erzeugten Artikel kann nicht negativ sein.</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>No database file is named.</source>
        <translation>Es ist keine Datenbankdatei angegeben.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The file %1 exists already; it is not overwritten.</source>
        <translation>Die Datei %1 existiert bereits; sie wird nicht überschrieben.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The folder %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+4"/>
        <location line="+6"/>
        <source>Cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>PictureCommands</name>
    <message>
        <location filename="../../pictures/PictureCommands.cpp" line="+30"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>... and %1 more.</source>
        <translation>... und %1 weitere.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The articles could not be read again: </source>
        <translation>Die Artikel konnten nicht neu gelesen werden: </translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Storing the linked pictures in the database...</source>
        <translation>Die verknüpften Bilder werden in der Datenbank gespeichert...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The linked pictures could not be stored in the database: %1

The database is as it was.</source>
        <translation>Die verknüpften Bilder konnten nicht in der Datenbank gespeichert werden: %1

Die Datenbank ist unverändert.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Storing the linked pictures was cancelled. The database is as it was.</source>
        <translation>Das Speichern der verknüpften Bilder wurde abgebrochen. Die Datenbank ist unverändert.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Linked pictures stored in the database: %1.</source>
        <translation>In der Datenbank gespeicherte verknüpfte Bilder: %1.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Slots that could not be read, which keep their paths: %1
</source>
        <translation>Bildfelder, die nicht gelesen werden konnten und ihren Pfad behalten: %1
</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Write the stored pictures to a folder</source>
        <translation>Gespeicherte Bilder in einen Ordner schreiben</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Writing the stored pictures to &quot;%1&quot;...</source>
        <translation>Die gespeicherten Bilder werden nach &quot;%1&quot; geschrieben...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The stored pictures could not be written to &quot;%1&quot;: %2</source>
        <translation>Die gespeicherten Bilder konnten nicht nach &quot;%1&quot; geschrieben werden: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Writing the stored pictures was cancelled. No picture was left in &quot;%1&quot;.</source>
        <translation>Das Schreiben der gespeicherten Bilder wurde abgebrochen. In &quot;%1&quot; blieb kein Bild zurück.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Stored pictures written to &quot;%1&quot;: %2.</source>
        <translation>Nach &quot;%1&quot; geschriebene gespeicherte Bilder: %2.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Pictures that could not be written: %1
</source>
        <translation>Bilder, die nicht geschrieben werden konnten: %1
</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Compacting the database...</source>
        <translation>Die Datenbank wird komprimiert...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The database could not be compacted: %1

It is as it was.</source>
        <translation>Die Datenbank konnte nicht komprimiert werden: %1

Sie ist unverändert.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Compacting was cancelled. The database is as it was.</source>
        <translation>Das Komprimieren wurde abgebrochen. Die Datenbank ist unverändert.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Pictures removed that no article and no kept version used: %1.</source>
        <translation>Entfernte Bilder, die kein Artikel und keine aufbewahrte Version verwendete: %1.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The database file measured %1 before and measures %2 now.</source>
        <translation>Die Datenbankdatei war vorher %1 groß und ist jetzt %2 groß.</translation>
    </message>
</context>
<context>
    <name>PictureStrip</name>
    <message>
        <location filename="../../articles/PictureStrip.cpp" line="+22"/>
        <source>Stored pictures</source>
        <translation>Gespeicherte Bilder</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Image %1: %2</source>
        <translation>Bild %1: %2</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <location filename="../../core/Pictures.cpp" line="+201"/>
        <source>The rights on the database cannot be read</source>
        <translation>Die Rechte an der Datenbank können nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>: another picture has the same short name in the database.</source>
        <translation>: ein anderes Bild hat in der Datenbank denselben Kurznamen.</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>The picture could not be stored in the database</source>
        <translation>Das Bild konnte nicht in der Datenbank gespeichert werden</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>The picture is %1 MB large; the database keeps pictures of up to 16 MB.</source>
        <translation>Das Bild ist %1 MB groß; die Datenbank nimmt Bilder bis 16 MB auf.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>This is not a picture the program can read.</source>
        <translation>Dies ist kein Bild, das das Programm lesen kann.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The picture is %1 × %2 pixels; the database keeps pictures of up to 4096 pixels on a side. A copy scaled down to that size can be stored.</source>
        <translation>Das Bild hat %1 × %2 Pixel; die Datenbank nimmt Bilder bis 4096 Pixel je Seite auf. Eine auf diese Größe verkleinerte Kopie kann gespeichert werden.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>This is not a picture the program can read (%1).</source>
        <translation>Dies ist kein Bild, das das Programm lesen kann (%1).</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The file cannot be read: %1.</source>
        <translation>Die Datei kann nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <location line="+91"/>
        <source>The pictures of the database cannot be read</source>
        <translation>Die Bilder der Datenbank können nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The picture cannot be read from the database</source>
        <translation>Das Bild kann nicht aus der Datenbank gelesen werden</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The database holds no picture %1; it may have been removed by compacting the database.</source>
        <translation>Die Datenbank enthält kein Bild %1; es wurde vielleicht beim Komprimieren der Datenbank entfernt.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The picture %1 in the database cannot be shown.</source>
        <translation>Das Bild %1 in der Datenbank kann nicht angezeigt werden.</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The thumbnails of the pictures cannot be read</source>
        <translation>Die Vorschaubilder können nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The linked pictures could not be stored in the database</source>
        <translation>Die verknüpften Bilder konnten nicht in der Datenbank gespeichert werden</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Article %1, image %2: %3 (%4)</source>
        <translation>Artikel %1, Bild %2: %3 (%4)</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>: the file %1 changed while it was read.</source>
        <translation>: die Datei %1 hat sich beim Lesen geändert.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Article %1: changed by someone else meanwhile; its images were left as they are.</source>
        <translation>Artikel %1: inzwischen von jemand anderem geändert; seine Bilder blieben, wie sie sind.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The pictures could not be written to the folder</source>
        <translation>Die Bilder konnten nicht in den Ordner geschrieben werden</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>: the folder %1 cannot be made.</source>
        <translation>: der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>The database could not be compacted</source>
        <translation>Die Datenbank konnte nicht komprimiert werden</translation>
    </message>
    <message>
        <location line="+68"/>
        <location line="+16"/>
        <source>The tables of the pictures could not be added to the database</source>
        <translation>Die Tabellen der Bilder konnten der Datenbank nicht hinzugefügt werden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>: you may not add tables and triggers to this database. The owner of the database adds them by opening it with Ardentry once.</source>
        <translation>: Sie dürfen dieser Datenbank keine Tabellen und Trigger hinzufügen. Der Besitzer der Datenbank fügt sie hinzu, indem er sie einmal mit Ardentry öffnet.</translation>
    </message>
</context>
<context>
    <name>PrintFile</name>
    <message>
        <location filename="../../core/PrintFile.cpp" line="+63"/>
        <source>there is no temporary folder of your own to write the print file in (&quot;%1&quot; belongs to someone else or others may write in it)</source>
        <translation>es gibt keinen eigenen temporären Ordner für die Druckdatei („%1“ gehört jemand anderem oder andere dürfen darin schreiben)</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>the print file &quot;%1&quot; could not be written (%2)</source>
        <translation>die Druckdatei „%1“ konnte nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>a link of that name cannot be removed</source>
        <translation>eine Verknüpfung dieses Namens kann nicht entfernt werden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>something other than a file has that name</source>
        <translation>etwas anderes als eine Datei trägt diesen Namen</translation>
    </message>
</context>
<context>
    <name>PrintPage</name>
    <message>
        <location filename="../../core/PrintPage.cpp" line="+50"/>
        <source>Printed by Ardentry on </source>
        <translation>Gedruckt von Ardentry am </translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <location filename="../../core/ProfileFile.cpp" line="+189"/>
        <source>No preferences file is named.</source>
        <translation>Es ist keine Einstellungsdatei angegeben.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The section name &quot;%1&quot; cannot be stored.</source>
        <translation>Der Abschnittsname „%1“ kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The key name &quot;%1&quot; cannot be stored.</source>
        <translation>Der Schlüsselname „%1“ kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The value for &quot;%1&quot; contains a line break, which the preferences file cannot hold.</source>
        <translation>Der Wert für „%1“ enthält einen Zeilenumbruch, den die Einstellungsdatei nicht aufnehmen kann.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The folder %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 is a folder, not a file.</source>
        <translation>%1 ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The file %1 is read-only.</source>
        <translation>Die Datei %1 ist schreibgeschützt.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The file %1 cannot be read: %2</source>
        <translation>Die Datei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location line="+47"/>
        <location line="+6"/>
        <location line="+5"/>
        <source>The file %1 cannot be written: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>QuickSearch</name>
    <message>
        <location filename="../../quicksearch/QuickSearch.cpp" line="+83"/>
        <source>Quick Search</source>
        <translation>Schnellsuche</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+1"/>
        <source>Search all articles</source>
        <translation>Alle Artikel durchsuchen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Quick Search Results</source>
        <translation>Ergebnisse der Schnellsuche</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Quick search results</source>
        <translation>Ergebnisse der Schnellsuche</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Entered By</source>
        <translation>Erfasst von</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date Entered</source>
        <translation>Erfasst am</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Found</source>
        <translation>Fundstelle</translation>
    </message>
    <message>
        <location line="+90"/>
        <source>The quick search needs an index of the articles, which this database does not have yet. Build it now?</source>
        <translation>Die Schnellsuche braucht einen Index der Artikel, den diese Datenbank noch nicht hat. Jetzt erstellen?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The quick search needs an index of the articles, which this database does not have yet. Build it now? A copy of the database goes to its backups folder first.</source>
        <translation>Die Schnellsuche braucht einen Index der Artikel, den diese Datenbank noch nicht hat. Jetzt erstellen? Vorher wird eine Kopie der Datenbank im Sicherungsordner abgelegt.</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>The articles were renumbered by another program. Rebuilding the quick-search index...</source>
        <translation>Ein anderes Programm hat die Artikel neu nummeriert. Der Schnellsuche-Index wird neu aufgebaut...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Building the quick-search index...</source>
        <translation>Der Index für die Schnellsuche wird erstellt...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Building the index of quoted phrases...</source>
        <translation>Der Index für Phrasen in Anführungszeichen wird erstellt...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+7"/>
        <source>The index was not built; the database is as it was.</source>
        <translation>Der Index wurde nicht erstellt; die Datenbank ist unverändert.</translation>
    </message>
    <message>
        <location line="-37"/>
        <source>The quick-search index could not be built: %1

The database is as it was.</source>
        <translation>Der Index für die Schnellsuche konnte nicht erstellt werden: %1

Die Datenbank ist unverändert.</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>The quick-search index was not rebuilt; the quick search finds nothing until it is.</source>
        <translation>Der Schnellsuche-Index wurde nicht neu aufgebaut; bis dahin findet die Schnellsuche nichts.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The index of quoted phrases could not be built: %1

The database is as it was.</source>
        <translation>Der Index für Phrasen in Anführungszeichen konnte nicht erstellt werden: %1

Die Datenbank ist unverändert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The quick-search index could not be rebuilt: %1</source>
        <translation>Der Schnellsuche-Index konnte nicht neu aufgebaut werden: %1</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Quoted phrases are found much faster with an index of neighbouring words, which this database does not have yet. On a large database building it takes some minutes, and meanwhile nobody can save changes. Build it now?</source>
        <translation>Phrasen in Anführungszeichen werden mit einem Index benachbarter Wörter viel schneller gefunden, den diese Datenbank noch nicht hat. Bei einer großen Datenbank dauert das Erstellen einige Minuten, und währenddessen kann niemand Änderungen speichern. Jetzt erstellen?</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The quick search failed: %1</source>
        <translation>Die Schnellsuche ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>More than %1 articles; the first %2 are shown</source>
        <translation>Mehr als %1 Artikel; die ersten %2 werden angezeigt</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>1 article</source>
        <translation>1 Artikel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 articles</source>
        <translation>%1 Artikel</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>This article is no longer in the database.</source>
        <translation>Dieser Artikel ist nicht mehr in der Datenbank.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The articles were renumbered by another program since this search; it runs again.</source>
        <translation>Ein anderes Programm hat die Artikel seit dieser Suche neu nummeriert; die Suche läuft erneut.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The article could not be shown: %1</source>
        <translation>Der Artikel konnte nicht angezeigt werden: %1</translation>
    </message>
    <message>
        <location filename="../../core/QuickSearch.cpp" line="+34"/>
        <location line="+1041"/>
        <source>The quick-search index could not be made</source>
        <translation>Der Index für die Schnellsuche konnte nicht erstellt werden</translation>
    </message>
    <message>
        <location line="-140"/>
        <source>The quick-search index could not be renewed</source>
        <translation>Der Index für die Schnellsuche konnte nicht erneuert werden</translation>
    </message>
    <message>
        <location line="-896"/>
        <source>The quick-search index could not be checked</source>
        <translation>Der Schnellsuche-Index konnte nicht geprüft werden</translation>
    </message>
    <message>
        <location line="+1060"/>
        <source>The articles could not be counted</source>
        <translation>Die Artikel konnten nicht gezählt werden</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The quick-search index no longer matches the articles: another program gave them new row numbers.</source>
        <translation>Der Schnellsuche-Index passt nicht mehr zu den Artikeln: Ein anderes Programm hat ihnen neue Zeilennummern gegeben.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The database has no quick-search index.</source>
        <translation>Die Datenbank hat keinen Schnellsuche-Index.</translation>
    </message>
    <message>
        <location line="-1106"/>
        <source>The quick search failed</source>
        <translation>Die Schnellsuche ist fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>RecordSet</name>
    <message>
        <location filename="../../core/RecordSet.cpp" line="+289"/>
        <source>The record set has no open database connection.</source>
        <translation>Die Datensatzgruppe hat keine offene Datenbankverbindung.</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+894"/>
        <source>The record set is not open.</source>
        <translation>Die Datensatzgruppe ist nicht geöffnet.</translation>
    </message>
    <message>
        <location line="-883"/>
        <source>There is no current row in the table &quot;%1&quot;.</source>
        <translation>In der Tabelle „%1“ gibt es keine aktuelle Zeile.</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+619"/>
        <location line="+127"/>
        <source>The table &quot;%1&quot; has no column &quot;%2&quot;.</source>
        <translation>Die Tabelle „%1“ hat keine Spalte „%2“.</translation>
    </message>
    <message>
        <location line="-705"/>
        <location line="+8"/>
        <location line="+592"/>
        <location line="+128"/>
        <source>Cannot read the table &quot;%1&quot;: %2.</source>
        <translation>Die Tabelle „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <location line="-509"/>
        <source>The search criteria &quot;%1&quot; cannot be read; they must have the form Field = #value# or Field LIKE #value#.</source>
        <translation>Die Suchkriterien „%1“ sind nicht lesbar; sie müssen die Form Feld = #Wert# oder Feld LIKE #Wert# haben.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The search criteria name the column &quot;%1&quot;, which the table &quot;%2&quot; does not have.</source>
        <translation>Die Suchkriterien nennen die Spalte „%1“, die es in der Tabelle „%2“ nicht gibt.</translation>
    </message>
    <message>
        <location line="+56"/>
        <location line="+187"/>
        <source>The changes to the table &quot;%1&quot; could not be saved: %2. Nothing was saved.</source>
        <translation>Die Änderungen an der Tabelle „%1“ konnten nicht gespeichert werden: %2. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <location line="-176"/>
        <source>A row of the table &quot;%1&quot; was changed or deleted by someone else since it was read. Nothing was saved.</source>
        <translation>Eine Zeile der Tabelle „%1“ wurde seit dem Lesen von jemand anderem geändert oder gelöscht. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <location line="-48"/>
        <source>The changes to the table &quot;%1&quot; could not be saved</source>
        <translation>Die Änderungen an der Tabelle „%1“ konnten nicht gespeichert werden</translation>
    </message>
    <message>
        <location line="+115"/>
        <source>The changes to the table &quot;%1&quot; could not be saved: the connection to the database server was lost during the commit; it was made again and the table is as it was. Nothing was saved.</source>
        <translation>Die Änderungen an der Tabelle „%1“ konnten nicht gespeichert werden: Die Verbindung zum Datenbankserver brach beim Festschreiben ab; sie wurde wiederhergestellt und die Tabelle ist unverändert. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The changes to the table &quot;%1&quot; were saved, but the connection to the database server was lost right after; it was made again and the table holds them.</source>
        <translation>Die Änderungen an der Tabelle „%1“ wurden gespeichert, doch gleich danach brach die Verbindung zum Datenbankserver ab; sie wurde wiederhergestellt und die Tabelle enthält die Änderungen.</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>The changes to the table &quot;%1&quot; may or may not have been saved: the connection to the database server was lost during the commit. %2</source>
        <translation>Die Änderungen an der Tabelle „%1“ wurden möglicherweise gespeichert, möglicherweise nicht: Die Verbindung zum Datenbankserver brach beim Festschreiben ab. %2</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>The value &quot;%1&quot; of the column &quot;%2&quot; is already held by another row. Nothing was saved.</source>
        <translation>Den Wert „%1“ der Spalte „%2“ hat bereits eine andere Zeile. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <location line="+71"/>
        <location line="+104"/>
        <source>Cannot read the tables of the database: %1.</source>
        <translation>Die Tabellen der Datenbank können nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <location line="-98"/>
        <location line="+104"/>
        <source>The table &quot;%1&quot; does not exist in the database &quot;%2&quot;.</source>
        <translation>Die Tabelle „%1“ existiert nicht in der Datenbank „%2“.</translation>
    </message>
    <message>
        <location line="-95"/>
        <location line="+115"/>
        <source>Cannot read the columns of the table &quot;%1&quot;: %2.</source>
        <translation>Die Spalten der Tabelle „%1“ können nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <location line="-89"/>
        <source>The table &quot;%1&quot; has no usable row key.</source>
        <translation>Die Tabelle „%1“ hat keinen brauchbaren Zeilenschlüssel.</translation>
    </message>
    <message>
        <location line="+108"/>
        <source>The table &quot;%1&quot; has no row key &quot;rowid&quot;; make the database with ardentry-newdb.</source>
        <translation>Die Tabelle „%1“ hat keinen Zeilenschlüssel „rowid“; legen Sie die Datenbank mit ardentry-newdb an.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Cannot read the table &quot;%1&quot;</source>
        <translation>Die Tabelle „%1“ kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+92"/>
        <location line="+316"/>
        <location line="+30"/>
        <source>Cannot search the table &quot;%1&quot;: %2.</source>
        <translation>Die Tabelle „%1“ kann nicht durchsucht werden: %2.</translation>
    </message>
    <message>
        <location line="-289"/>
        <location line="+11"/>
        <source>There is no row to move to in the table &quot;%1&quot;.</source>
        <translation>In der Tabelle „%1“ gibt es keine Zeile, zu der gewechselt werden kann.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Cannot move past the last row of the table &quot;%1&quot;.</source>
        <translation>Über die letzte Zeile der Tabelle „%1“ hinaus kann nicht gewechselt werden.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Cannot move before the first row of the table &quot;%1&quot;.</source>
        <translation>Vor die erste Zeile der Tabelle „%1“ kann nicht gewechselt werden.</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>The column &quot;%1&quot; holds numbers; &quot;%2&quot; is not a number.</source>
        <translation>Die Spalte „%1“ enthält Zahlen; „%2“ ist keine Zahl.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The column &quot;%1&quot; holds whole numbers; &quot;%2&quot; is not a whole number.</source>
        <translation>Die Spalte „%1“ enthält ganze Zahlen; „%2“ ist keine ganze Zahl.</translation>
    </message>
</context>
<context>
    <name>Reference</name>
    <message>
        <location filename="../../core/Reference.cpp" line="+13"/>
        <source>The reference could not be opened: </source>
        <translation>Die Referenz konnte nicht geöffnet werden: </translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Ardentry opens only web addresses (http and https) and document files, not &quot;%1:&quot; addresses.</source>
        <translation>Ardentry öffnet nur Webadressen (http und https) und Dokumentdateien, keine „%1:“-Adressen.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the file &quot;%1&quot; does not exist.</source>
        <translation>die Datei „%1“ existiert nicht.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&quot;%1&quot; is not a document file.</source>
        <translation>„%1“ ist keine Dokumentdatei.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&quot;%1&quot; is a program or script, which Ardentry does not run.</source>
        <translation>„%1“ ist ein Programm oder Skript, das Ardentry nicht ausführt.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot; is a desktop launcher, which Ardentry does not run.</source>
        <translation>„%1“ ist ein Desktop-Starter, den Ardentry nicht ausführt.</translation>
    </message>
</context>
<context>
    <name>Schema</name>
    <message>
        <location filename="../../core/Schema.cpp" line="+15"/>
        <source>Cannot read the version of the database</source>
        <translation>Die Version der Datenbank kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Cannot record the version of the database</source>
        <translation>Die Version der Datenbank kann nicht eingetragen werden</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cannot read the schema of the database</source>
        <translation>Das Schema der Datenbank kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cannot read the schema of the database: no schema is in use.</source>
        <translation>Das Schema der Datenbank kann nicht gelesen werden: Es ist kein Schema in Gebrauch.</translation>
    </message>
</context>
<context>
    <name>SearchIndexes</name>
    <message>
        <location filename="../../search/SearchIndexes.cpp" line="+24"/>
        <source>This database has no search indexes yet, so the Search dialog reads every article to find a text. Build them now? It takes some minutes, and meanwhile your colleagues cannot save their changes.</source>
        <translation>Diese Datenbank hat noch keine Suchindizes, darum liest das Suchfenster jeden Artikel, um einen Text zu finden. Jetzt erstellen? Das dauert einige Minuten, und währenddessen können Ihre Kollegen ihre Änderungen nicht speichern.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Building the search indexes...</source>
        <translation>Die Suchindizes werden erstellt...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The search indexes were not built; the database is as it was.</source>
        <translation>Die Suchindizes wurden nicht erstellt; die Datenbank ist unverändert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1

The database is as it was.</source>
        <translation>%1

Die Datenbank ist unverändert.</translation>
    </message>
</context>
<context>
    <name>SearchNarrowing</name>
    <message>
        <location filename="../../core/SearchNarrowing.cpp" line="+26"/>
        <source>The search indexes could not be added to the database</source>
        <translation>Die Suchindizes konnten der Datenbank nicht hinzugefügt werden</translation>
    </message>
    <message>
        <location line="+194"/>
        <source>: the server does not have pg_trgm for it.</source>
        <translation>: Der Server hat dafür kein pg_trgm.</translation>
    </message>
</context>
<context>
    <name>ServerAddress</name>
    <message>
        <location filename="../../core/ServerAddress.cpp" line="+63"/>
        <source>&quot;%1&quot; is not a server address; it must begin with postgresql://.</source>
        <translation>„%1“ ist keine Serveradresse; sie muss mit postgresql:// beginnen.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>The server address &quot;%1&quot; has an unclosed &quot;[&quot;.</source>
        <translation>Die Serveradresse „%1“ enthält ein nicht geschlossenes „[“.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The server address &quot;%1&quot; cannot be read.</source>
        <translation>Die Serveradresse „%1“ ist nicht lesbar.</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+29"/>
        <source>The server address &quot;%1&quot; has the port &quot;%2&quot;, which is not a port number.</source>
        <translation>Die Serveradresse „%1“ enthält den Port „%2“, der keine Portnummer ist.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The server address &quot;%1&quot; has the option &quot;%2&quot;, which is not a libpq keyword.</source>
        <translation>Die Serveradresse „%1“ enthält die Option „%2“, die kein libpq-Schlüsselwort ist.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The server address &quot;%1&quot; names %2 hosts but %3 ports; give one port for all or one per host.</source>
        <translation>Die Serveradresse „%1“ nennt %2 Hosts, aber %3 Ports; geben Sie einen Port für alle oder einen je Host an.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The server address &quot;%1&quot; names no database; write it as postgresql://user@host/database.</source>
        <translation>Die Serveradresse „%1“ nennt keine Datenbank; schreiben Sie sie als postgresql://benutzer@host/datenbank.</translation>
    </message>
</context>
<context>
    <name>ServerGuard</name>
    <message>
        <location filename="../../core/ServerGuard.cpp" line="+20"/>
        <source>The database could not be made safe for its writers</source>
        <translation>Die Datenbank konnte nicht für ihre Schreiber abgesichert werden</translation>
    </message>
</context>
<context>
    <name>SqliteEngine</name>
    <message>
        <location filename="../../core/db/SqliteEngine.cpp" line="+10"/>
        <source>a database file is not opened again</source>
        <translation>eine Datenbankdatei wird nicht erneut geöffnet</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <location filename="../../app/main.cpp" line="+26"/>
        <source>Ardentry needs a graphical display: DISPLAY and WAYLAND_DISPLAY are not set.</source>
        <translation>Ardentry braucht eine grafische Anzeige: DISPLAY und WAYLAND_DISPLAY sind nicht gesetzt.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Give one database file at most.</source>
        <translation>Geben Sie höchstens eine Datenbankdatei an.</translation>
    </message>
    <message>
        <location filename="../../app/Startup.cpp" line="+64"/>
        <source>The database path could not be stored in %1: %2</source>
        <translation>Der Datenbankpfad konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Ardentry cannot start.

</source>
        <translation>Ardentry kann nicht starten.

</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Choose another database...</source>
        <translation>Andere Datenbank wählen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Ardentry, the help-desk knowledge base.</source>
        <translation>Ardentry, die Wissensdatenbank für den Helpdesk.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Start, check that the main window shows, and end.</source>
        <translation>Starten, prüfen, ob das Hauptfenster erscheint, und beenden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The database file to open for this run; the stored database path stays as it is.</source>
        <translation>Die Datenbankdatei, die bei diesem Start geöffnet wird; der gespeicherte Datenbankpfad bleibt unverändert.</translation>
    </message>
</context>
<context>
    <name>Transaction</name>
    <message>
        <location filename="../../core/Transaction.cpp" line="+43"/>
        <source>: the connection to the database server was lost and cannot be made again: </source>
        <translation>: Die Verbindung zum Datenbankserver ist abgebrochen und lässt sich nicht wiederherstellen: </translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+6"/>
        <location line="+17"/>
        <location line="+52"/>
        <source>. Nothing was saved.</source>
        <translation>. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>: the connection to the database server was lost while the changes were committed (</source>
        <translation>: Die Verbindung zum Datenbankserver ist beim Festschreiben der Änderungen abgebrochen (</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>); they may or may not have been saved.</source>
        <translation>); sie wurden möglicherweise gespeichert, möglicherweise nicht.</translation>
    </message>
    <message>
        <location filename="../../core/db/Query.cpp" line="+29"/>
        <source>Another session holds the database for writing; try again. The server said: %1</source>
        <translation>Eine andere Sitzung hält die Datenbank zum Schreiben belegt; bitte versuchen Sie es noch einmal. Der Server meldete: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>You may read the articles but not change them</source>
        <translation>Sie dürfen die Artikel lesen, aber nicht ändern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You may change the articles but not yet take your turn to write: the owner of the database gives it by opening the database</source>
        <translation>Sie dürfen die Artikel ändern, kommen aber noch nicht zum Schreiben an die Reihe: Das gibt der Eigentümer der Datenbank frei, indem er die Datenbank öffnet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>You may not change the table &quot;%1&quot;</source>
        <translation>Sie dürfen die Tabelle „%1“ nicht ändern</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The server does not allow you to do this</source>
        <translation>Der Server erlaubt Ihnen das nicht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> (the server refused: %1)</source>
        <translation> (der Server lehnte ab: %1)</translation>
    </message>
</context>
<context>
    <name>TransferCommands</name>
    <message>
        <location filename="../../transfer/TransferCommands.cpp" line="+40"/>
        <source>The articles were imported, but they could not be read again: %1</source>
        <translation>Die Artikel wurden importiert, konnten aber nicht neu gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <location filename="../../dialogs/frmAbout.cpp" line="+25"/>
        <source>About Ardentry</source>
        <translation>Über Ardentry</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Version 1.1</source>
        <translation>Version 1.1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>January 23, 2006</source>
        <translation>23. Januar 2006</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Build %1</source>
        <translation>Build %1</translation>
    </message>
</context>
<context>
    <name>frmBrowser</name>
    <message>
        <location filename="../../articles/frmBrowser.cpp" line="+29"/>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Ardentry Print Article</source>
        <translation>Ardentry – Artikel drucken</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Article to print</source>
        <translation>Zu druckender Artikel</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+70"/>
        <source>the program has ended</source>
        <translation>das Programm wurde beendet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it did not finish loading</source>
        <translation>es wurde nicht fertig geladen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it did not finish loading within %1</source>
        <translation>es wurde nicht innerhalb von %1 fertig geladen</translation>
    </message>
</context>
<context>
    <name>frmConflict</name>
    <message>
        <location filename="../../articles/frmConflict.cpp" line="+58"/>
        <source>Article changed by someone else</source>
        <translation>Artikel von jemand anderem geändert</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Someone else saved this article after you opened it. Fields that only one of you changed are merged already. Fields you both changed are marked ▶ and hold your text: take theirs, keep yours or edit the text to save, then Save.</source>
        <translation>Jemand anderes hat diesen Artikel gespeichert, nachdem Sie ihn geöffnet hatten. Felder, die nur einer von Ihnen geändert hat, sind bereits zusammengeführt. Felder, die Sie beide geändert haben, sind mit ▶ markiert und enthalten Ihren Text: Übernehmen Sie den fremden Text, behalten Sie Ihren eigenen oder bearbeiten Sie den zu speichernden Text, und klicken Sie dann auf „Speichern“.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Stored now</source>
        <translation>Jetzt gespeichert</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Stored now
(%1)</source>
        <translation>Jetzt gespeichert
(%1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>When you started</source>
        <translation>Als Sie begannen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Yours</source>
        <translation>Ihre Eingabe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>To save</source>
        <translation>Zu speichern</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>You and the other person both changed this field.</source>
        <translation>Sie und die andere Person haben dieses Feld beide geändert.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Theirs</source>
        <translation>Fremde</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mine</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Take theirs</source>
        <translation>Fremde übernehmen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every field as stored now</source>
        <translation>Jedes Feld so, wie es jetzt gespeichert ist</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep mine</source>
        <translation>Eigene behalten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every field as you typed it</source>
        <translation>Jedes Feld so, wie Sie es eingegeben haben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmCustomizeLabels</name>
    <message>
        <location filename="../../dialogs/frmCustomizeLabels.cpp" line="+21"/>
        <source>AR Number:</source>
        <translation>AR-Nummer:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Category:</source>
        <translation>Kategorie:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Entered By:</source>
        <translation>Erfasst von:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Problem:</source>
        <translation>Problem:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Solution:</source>
        <translation>Lösung:</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Customize Labels</source>
        <translation>Beschriftungen anpassen</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Reset to Default</source>
        <translation>&amp;Standard wiederherstellen</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>The label texts could not be read; the default texts are shown.

</source>
        <translation>Die Beschriftungen konnten nicht gelesen werden; die Standardtexte werden angezeigt.

</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>The labels could not be saved.

</source>
        <translation>Die Beschriftungen konnten nicht gespeichert werden.

</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The label &quot;%1&quot; could not be saved.

%2</source>
        <translation>Die Beschriftung „%1“ konnte nicht gespeichert werden.

%2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>

The labels before it were saved.</source>
        <translation>

Die Beschriftungen davor wurden gespeichert.</translation>
    </message>
</context>
<context>
    <name>frmDataPath</name>
    <message>
        <location filename="../../dialogs/frmDataPath.cpp" line="+35"/>
        <source>Ardentry Database Path</source>
        <translation>Ardentry-Datenbankpfad</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Database Path:</source>
        <translation>Datenbankpfad:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>The server address was not stored: %1</source>
        <translation>Die Serveradresse wurde nicht gespeichert: %1</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The database path could not be stored in %1.

%2</source>
        <translation>Der Datenbankpfad konnte nicht in %1 gespeichert werden.

%2</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Database File</source>
        <translation>Datenbankdatei</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Database files (*.db *.sqlite *.sqlite3 *.mdb)</source>
        <translation>Datenbankdateien (*.db *.sqlite *.sqlite3 *.mdb)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>frmDisplay</name>
    <message>
        <location filename="../../articles/frmDisplay.cpp" line="+33"/>
        <source>AR Number:</source>
        <translation>AR-Nummer:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Category:</source>
        <translation>Kategorie:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Entered By:</source>
        <translation>Erfasst von:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Problem Description:</source>
        <translation>Problembeschreibung:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Solution:</source>
        <translation>Lösung:</translation>
    </message>
    <message>
        <location line="+70"/>
        <source>&amp;Reference</source>
        <translation>&amp;Referenz</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Images</source>
        <translation>&amp;Bilder</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Ardentry Article Information</source>
        <translation>Angaben zum Ardentry-Artikel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Initial Entry:</source>
        <translation>Erfasst am:</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Database record:</source>
        <translation>Datensatz:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Date Edited:</source>
        <translation>Geändert am:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Edited By:</source>
        <translation>Geändert von:</translation>
    </message>
    <message>
        <location line="+143"/>
        <source>The article could not be read: </source>
        <translation>Der Artikel konnte nicht gelesen werden: </translation>
    </message>
    <message>
        <location line="+50"/>
        <source>The picture &quot;%1&quot; is not stored in this database.</source>
        <translation>Das Bild &quot;%1&quot; ist nicht in dieser Datenbank gespeichert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The picture could not be read from the database: </source>
        <translation>Das Bild konnte nicht aus der Datenbank gelesen werden: </translation>
    </message>
    <message>
        <location line="+181"/>
        <source>The reference &quot;%1&quot; could not be opened: no program on this computer opens it.</source>
        <translation>Die Referenz „%1“ konnte nicht geöffnet werden: Kein Programm auf diesem Computer kann sie öffnen.</translation>
    </message>
</context>
<context>
    <name>frmExport</name>
    <message>
        <location filename="../../transfer/frmExport.cpp" line="+38"/>
        <location line="+113"/>
        <source>Export Articles</source>
        <translation>Artikel exportieren</translation>
    </message>
    <message>
        <location line="-110"/>
        <source>Articles</source>
        <translation>Artikel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;All articles</source>
        <translation>&amp;Alle Artikel</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The articles of the current &amp;search</source>
        <translation>Die Artikel der aktuellen &amp;Suche</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>What the &amp;quick search finds</source>
        <translation>Was die Schnellsu&amp;che findet</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;CSV file for spreadsheets (UTF-8, every column, a header row)</source>
        <translation>&amp;CSV-Datei für Tabellenkalkulationen (UTF-8, alle Spalten, eine Kopfzeile)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Web pages: a folder with an index by category, one page per article</source>
        <translation>&amp;Webseiten: ein Ordner mit einem Verzeichnis nach Kategorien, eine Seite je Artikel</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Sa&amp;ve to:</source>
        <translation>Speichern &amp;unter:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Export</source>
        <translation>&amp;Exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>C&amp;lose</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>&amp;All articles (%1)</source>
        <translation>&amp;Alle Artikel (%1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The articles of the current &amp;search (%1)</source>
        <translation>Die Artikel der aktuellen &amp;Suche (%1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The articles of the current &amp;search (no search is active)</source>
        <translation>Die Artikel der aktuellen &amp;Suche (keine Suche aktiv)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>What the &amp;quick search finds (no quick search is active)</source>
        <translation>Was die Schnellsu&amp;che findet (keine Schnellsuche aktiv)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>What the &amp;quick search finds for &quot;%1&quot; (%2)</source>
        <translation>Was die Schnellsu&amp;che für „%1“ findet (%2)</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Name the folder for the web pages.</source>
        <translation>Geben Sie den Ordner für die Webseiten an.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name the CSV file.</source>
        <translation>Geben Sie die CSV-Datei an.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The file %1 exists already. Replace it?</source>
        <translation>Die Datei %1 existiert bereits. Ersetzen?</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Exporting the articles...</source>
        <translation>Die Artikel werden exportiert...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>%1 articles exported.</source>
        <translation>%1 Artikel exportiert.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The export was cancelled; nothing was written.</source>
        <translation>Der Export wurde abgebrochen; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The export failed; nothing was written.</source>
        <translation>Der Export ist fehlgeschlagen; es wurde nichts geschrieben.</translation>
    </message>
</context>
<context>
    <name>frmHistory</name>
    <message>
        <location filename="../../history/frmHistory.cpp" line="+49"/>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Article History</source>
        <translation>Artikelverlauf</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Changed on</source>
        <translation>Geändert am</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>By</source>
        <translation>Von</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Fields changed</source>
        <translation>Geänderte Felder</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Versions of the article</source>
        <translation>Fassungen des Artikels</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Changes of the selected version</source>
        <translation>Änderungen der gewählten Fassung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write the selected version back over the article (Alt+R)</source>
        <translation>Die gewählte Fassung wieder in den Artikel übernehmen (Alt+W)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Entered By</source>
        <translation>Erfasst von</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Solution</source>
        <translation>Lösung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reference</source>
        <translation>Referenz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date Entered</source>
        <translation>Erfasst am</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edited By</source>
        <translation>Geändert von</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date Edited</source>
        <translation>Geändert am</translation>
    </message>
    <message>
        <location filename="../../core/ArticleImport.cpp" line="-1096"/>
        <location filename="../../history/frmHistory.cpp" line="+3"/>
        <source>Image %1</source>
        <translation>Bild %1</translation>
    </message>
    <message>
        <location filename="../../history/frmHistory.cpp" line="+9"/>
        <source>There is no saved article to show the history of.</source>
        <translation>Es gibt keinen gespeicherten Artikel, dessen Verlauf angezeigt werden könnte.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>This database keeps no history of articles yet.</source>
        <translation>Diese Datenbank führt noch keinen Artikelverlauf.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The history of the article cannot be shown: </source>
        <translation>Der Verlauf des Artikels kann nicht angezeigt werden: </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>History of Article %1</source>
        <translation>Verlauf von Artikel %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Article %1 has not been changed since it was first saved.</source>
        <translation>Artikel %1 wurde seit dem ersten Speichern nicht geändert.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Article %1 &quot;%2&quot;: %3 earlier version(s), newest first.</source>
        <translation>Artikel %1 „%2“: %3 frühere Fassung(en), die neueste zuerst.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source> Bold: saved by others since you opened it.</source>
        <translation> Fett: seit dem Öffnen von anderen gespeichert.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Saved by someone else since you opened the article</source>
        <translation>Von jemand anderem gespeichert, seit Sie den Artikel geöffnet haben</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Before the change of %1</source>
        <translation>Vor der Änderung vom %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Restore article %1 as it was before the change of %2? The article as it is now stays in its history.</source>
        <translation>Artikel %1 so wiederherstellen, wie er vor der Änderung vom %2 war? Der jetzige Stand bleibt im Verlauf erhalten.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The version could not be restored: </source>
        <translation>Die Fassung konnte nicht wiederhergestellt werden: </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Article successfully restored.</source>
        <translation>Artikel erfolgreich wiederhergestellt.</translation>
    </message>
</context>
<context>
    <name>frmImages</name>
    <message>
        <location filename="../../images/frmImages.cpp" line="+34"/>
        <source>Images for AR Number </source>
        <translation>Bilder zur AR-Nummer </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The file could not be found or displayed. Check the location of the file or try a different file.</source>
        <translation>Die Datei wurde nicht gefunden oder kann nicht angezeigt werden. Prüfen Sie den Speicherort der Datei oder versuchen Sie eine andere Datei.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Images (%1);;All files (*)</source>
        <translation>Bilder (%1);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+37"/>
        <location line="+183"/>
        <source>Image %1</source>
        <translation>Bild %1</translation>
    </message>
    <message>
        <location line="-175"/>
        <source>Choose an image file</source>
        <translation>Bilddatei auswählen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;View</source>
        <translation>&amp;Anzeigen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>View</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Store...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Store a picture in the database</source>
        <translation>Ein Bild in der Datenbank speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Store a picture in the database for image %1</source>
        <translation>Ein Bild für Bild %1 in der Datenbank speichern</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>There is no article to attach images to.</source>
        <translation>Es gibt keinen Artikel, dem Bilder zugeordnet werden könnten.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The image paths of this article could not be read: </source>
        <translation>Die Bildpfade dieses Artikels konnten nicht gelesen werden: </translation>
    </message>
    <message>
        <location line="+36"/>
        <source>The image paths could not be saved: </source>
        <translation>Die Bildpfade konnten nicht gespeichert werden: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>

The paths stay in this window. Close it again to try once more.</source>
        <translation>

Die Pfade bleiben in diesem Fenster. Schließen Sie es noch einmal, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The image paths could still not be saved: </source>
        <translation>Die Bildpfade konnten immer noch nicht gespeichert werden: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>

Close this window and drop the changed paths?</source>
        <translation>

Dieses Fenster schließen und die geänderten Pfade verwerfen?</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>The picture &quot;%1&quot; is not stored in this database. Store it again from its file.</source>
        <translation>Das Bild &quot;%1&quot; ist nicht in dieser Datenbank gespeichert. Speichern Sie es erneut aus seiner Datei.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The picture could not be read from the database: </source>
        <translation>Das Bild konnte nicht aus der Datenbank gelesen werden: </translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Store a picture for image %1</source>
        <translation>Ein Bild für Bild %1 speichern</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>&quot;%1&quot; was not stored in the database: %2</source>
        <translation>&quot;%1&quot; wurde nicht in der Datenbank gespeichert: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The picture &quot;%1&quot; measures %2 by %3 pixels, more than %4 pixels on a side.

Store a copy scaled down to %4 pixels on its longer side?</source>
        <translation>Das Bild &quot;%1&quot; misst %2 mal %3 Pixel, mehr als %4 Pixel auf einer Seite.

Eine auf %4 Pixel an der längeren Seite verkleinerte Kopie speichern?</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Pictures cannot be stored in this database: %1</source>
        <translation>In dieser Datenbank können keine Bilder gespeichert werden: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The picture &quot;%1&quot; could not be stored in the database: %2</source>
        <translation>Das Bild &quot;%1&quot; konnte nicht in der Datenbank gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>frmImport</name>
    <message>
        <location filename="../../transfer/frmImport.cpp" line="+61"/>
        <location line="+171"/>
        <source>Import Articles</source>
        <translation>Artikel importieren</translation>
    </message>
    <message>
        <location line="-164"/>
        <source>&amp;File:</source>
        <translation>&amp;Datei:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>How the file is read</source>
        <translation>Wie die Datei gelesen wird</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Comma (,)</source>
        <translation>Komma (,)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Semicolon (;)</source>
        <translation>Semikolon (;)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tab</source>
        <translation>Tabulator</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First row holds the column &amp;names</source>
        <translation>Erste Zeile enthält die Spalten&amp;namen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Keep values exactly as written (a file that Ardentry exported)</source>
        <translation>Werte genau &amp;wie geschrieben übernehmen (eine von Ardentry exportierte Datei)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Month/day/year (03/14/2022)</source>
        <translation>Monat/Tag/Jahr (03/14/2022)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Day/month/year (14/03/2022)</source>
        <translation>Tag/Monat/Jahr (14/03/2022)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Table:</source>
        <translation>Tab&amp;elle:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Encoding:</source>
        <translation>&amp;Kodierung:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Separator:</source>
        <translation>&amp;Trennzeichen:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Dates:</source>
        <translation>D&amp;atum:</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The file&apos;s first rows</source>
        <translation>Die ersten Zeilen der Datei</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Article fields and the columns they come from</source>
        <translation>Artikelfelder und die Spalten, aus denen sie stammen</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Article numbers</source>
        <translation>Artikelnummern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keep the file&apos;s numbers where they are &amp;free (a row whose number is taken is left out)</source>
        <translation>Nummern der Datei übernehmen, wo sie &amp;frei sind (eine Zeile mit vergebener Nummer wird ausgelassen)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Number the articles &amp;after the highest existing one</source>
        <translation>Artikel im Anschluss an die &amp;größte vorhandene Nummer nummerieren</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Import report</source>
        <translation>Importbericht</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save &amp;Report...</source>
        <translation>&amp;Bericht speichern...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+36"/>
        <location line="+139"/>
        <source>Name the CSV file to import, or choose it with Browse.</source>
        <translation>Geben Sie die zu importierende CSV-Datei an oder wählen Sie sie mit „Durchsuchen“ aus.</translation>
    </message>
    <message>
        <location line="-122"/>
        <source>CSV files (*.csv *.txt *.tsv)</source>
        <translation>CSV-Dateien (*.csv *.txt *.tsv)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+259"/>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="-259"/>
        <source>Access databases (*.mdb *.accdb)</source>
        <translation>Access-Datenbanken (*.mdb *.accdb)</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>(not imported)</source>
        <translation>(nicht importiert)</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>The table %1 of the Access database, %2 columns; the first %3 rows are shown.</source>
        <translation>Die Tabelle %1 der Access-Datenbank, %2 Spalten; die ersten %3 Zeilen werden angezeigt.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1, %2-separated, %3 columns; the first %4 rows are shown.</source>
        <translation>%1, Trennzeichen %2, %3 Spalten; die ersten %4 Zeilen werden angezeigt.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source> Choose the columns that hold the Problem and the Solution: every article needs both.</source>
        <translation> Wählen Sie die Spalten mit Problem und Lösung: Jeder Artikel braucht beides.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Importing the articles of %1...</source>
        <translation>Die Artikel aus %1 werden importiert...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 of the %2 rows cannot be imported; the report lists them with the reasons.

Import the other %3 articles?</source>
        <translation>%1 der %2 Zeilen können nicht importiert werden; der Bericht führt sie mit den Gründen auf.

Die übrigen %3 Artikel importieren?</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>1 article imported</source>
        <translation>1 Artikel importiert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 articles imported</source>
        <translation>%1 Artikel importiert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>, 1 row left out</source>
        <translation>, 1 Zeile ausgelassen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>, %1 rows left out</source>
        <translation>, %1 Zeilen ausgelassen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Nothing was imported.</source>
        <translation>Es wurde nichts importiert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The import was cancelled; nothing was imported.</source>
        <translation>Der Import wurde abgebrochen; es wurde nichts importiert.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The import failed; nothing was imported.</source>
        <translation>Der Import ist fehlgeschlagen; es wurde nichts importiert.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Save Report</source>
        <translation>Bericht speichern</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The report could not be saved in %1: %2.</source>
        <translation>Der Bericht konnte nicht in %1 gespeichert werden: %2.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <location filename="../../app/frmMain.cpp" line="+50"/>
        <source>Add New Record - Ctrl + N</source>
        <translation>Neuer Datensatz - Strg + N</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save Record - Ctrl + S </source>
        <translation>Datensatz speichern - Strg + S </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete Record - Ctrl + D</source>
        <translation>Datensatz löschen - Strg + D</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Print Record - Ctrl + P</source>
        <translation>Datensatz drucken - Strg + P</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Search - F2</source>
        <translation>Suchen - F2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>First Record - Ctrl + F1</source>
        <translation>Erster Datensatz - Strg + F1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Previous Record - Ctrl + F2</source>
        <translation>Vorheriger Datensatz - Strg + F2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Next Record - Ctrl + F3</source>
        <translation>Nächster Datensatz - Strg + F3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Last Record - Ctrl + Z</source>
        <translation>Letzter Datensatz - Strg + Z</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Kestrow Ardentry</source>
        <translation>Kestrow Ardentry</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Add New Record</source>
        <translation>&amp;Neuer Datensatz</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Save Record</source>
        <translation>Datensatz &amp;speichern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Delete Record</source>
        <translation>Datensatz &amp;löschen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Print Record</source>
        <translation>Datensatz &amp;drucken</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;First Record</source>
        <translation>&amp;Erster Datensatz</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Previous Record</source>
        <translation>Vorheriger Datensatz</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Next Record</source>
        <translation>Nächster Datensatz</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Last Record</source>
        <translation>Letzter Datensatz</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sea&amp;rch</source>
        <translation>Su&amp;chen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Setup</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Categories</source>
        <translation>&amp;Kategorien</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Users</source>
        <translation>&amp;Benutzer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Database Path</source>
        <translation>&amp;Datenbankpfad</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Customize &amp;Labels</source>
        <translation>Beschriftungen an&amp;passen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Quick Search</source>
        <translation>&amp;Schnellsuche</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Article &amp;History</source>
        <translation>Artikel&amp;verlauf</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Trash</source>
        <translation>&amp;Papierkorb</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Back Up Database...</source>
        <translation>Datenbank si&amp;chern...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Import Articles...</source>
        <translation>Artikel &amp;importieren...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Export Articles...</source>
        <translation>Artikel &amp;exportieren...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Store the linked pictures in the database</source>
        <translation>Verknüpfte &amp;Bilder in der Datenbank speichern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Write the stored pictures to a folder...</source>
        <translation>Gespeicherte Bilder in einen &amp;Ordner schreiben...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Compact the database</source>
        <translation>Datenbank &amp;komprimieren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;General Info</source>
        <translation>&amp;Allgemeine Informationen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;User&apos;s Guide</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;About Ardentry...</source>
        <translation>&amp;Info über Ardentry...</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <location line="+199"/>
        <source>The articles could not be read again: </source>
        <translation>Die Artikel konnten nicht neu gelesen werden: </translation>
    </message>
</context>
<context>
    <name>frmPassword</name>
    <message>
        <location filename="../../app/frmPassword.cpp" line="+17"/>
        <source>Ardentry Database Password</source>
        <translation>Ardentry-Datenbankpasswort</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Password for %1:</source>
        <translation>&amp;Passwort für %1:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmSearch</name>
    <message>
        <location filename="../../search/frmSearch.cpp" line="+26"/>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Solution</source>
        <translation>Lösung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>AR Number</source>
        <translation>AR-Nummer</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Search Ardentry</source>
        <translation>Ardentry durchsuchen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Search By:</source>
        <translation>Suchen nach:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Search:</source>
        <translation>Suchbegriff:</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Search By</source>
        <translation>Suchen nach</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Search</source>
        <translation>Suchbegriff</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Search %1:</source>
        <translation>%1 suchen:</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Ardentry cannot search while another of its windows is open. Close that window first.</source>
        <translation>Ardentry kann nicht suchen, solange eines seiner anderen Fenster geöffnet ist. Schließen Sie zuerst dieses Fenster.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Choose what to search by: Category, Problem, Solution or AR Number.</source>
        <translation>Wählen Sie, wonach gesucht werden soll: Kategorie, Problem, Lösung oder AR-Nummer.</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>The search could not be carried out: </source>
        <translation>Die Suche konnte nicht ausgeführt werden: </translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Found %1 Ardentry article(s).</source>
        <translation>%1 Ardentry-Artikel gefunden.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>No match found.</source>
        <translation>Keine Treffer gefunden.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The articles could not be read again: </source>
        <translation>Die Artikel konnten nicht neu gelesen werden: </translation>
    </message>
</context>
<context>
    <name>frmTrash</name>
    <message>
        <location filename="../../history/frmTrash.cpp" line="+45"/>
        <source>Trash</source>
        <translation>Papierkorb</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Search:</source>
        <translation>Su&amp;chen:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Number, title, problem or solution</source>
        <translation>Nummer, Titel, Problem oder Lösung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Deleted on</source>
        <translation>Gelöscht am</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>By</source>
        <translation>Von</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Deleted articles</source>
        <translation>Gelöschte Artikel</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Empty Trash</source>
        <translation>Papierkorb &amp;leeren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>This database has no trash yet.</source>
        <translation>Diese Datenbank hat noch keinen Papierkorb.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>%1 deleted article(s)</source>
        <translation>%1 gelöschte(r) Artikel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 of %2 deleted article(s)</source>
        <translation>%1 von %2 gelöschten Artikeln</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Article number %1 was given to another article after this one was deleted. Restore it with the number:</source>
        <translation>Die Artikelnummer %1 wurde nach dem Löschen dieses Artikels an einen anderen vergeben. Mit dieser Nummer wiederherstellen:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The article number &quot;%1&quot; is not a whole number. Please enter a whole number.</source>
        <translation>Die Artikelnummer „%1“ ist keine ganze Zahl. Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Article number %1 is already used by another article. Choose another number.</source>
        <translation>Die Artikelnummer %1 ist bereits an einen anderen Artikel vergeben. Wählen Sie eine andere Nummer.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>The article could not be restored: </source>
        <translation>Der Artikel konnte nicht wiederhergestellt werden: </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Article %1 was restored.</source>
        <translation>Artikel %1 wurde wiederhergestellt.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Empty the trash? The %1 deleted article(s) in it and their earlier versions will be gone for good.</source>
        <translation>Papierkorb leeren? Die %1 gelöschten Artikel darin und ihre früheren Fassungen sind dann endgültig verloren.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The trash could not be emptied: </source>
        <translation>Der Papierkorb konnte nicht geleert werden: </translation>
    </message>
</context>
<context>
    <name>frmView</name>
    <message>
        <location filename="../../images/frmView.cpp" line="+24"/>
        <source>View Image</source>
        <translation>Bild anzeigen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Close!</source>
        <translation>&amp;Schließen!</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
</context>
<context>
    <name>frmWelcome</name>
    <message>
        <location filename="../../app/frmWelcome.cpp" line="+55"/>
        <source>Ardentry databases (*.db *.sqlite *.sqlite3)</source>
        <translation>Ardentry-Datenbanken (*.db *.sqlite *.sqlite3)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Access databases to convert (*.mdb *.accdb)</source>
        <translation>Access-Datenbanken zum Umwandeln (*.mdb *.accdb)</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+7"/>
        <source>Welcome to Ardentry</source>
        <translation>Willkommen bei Ardentry</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Ardentry</source>
        <translation>Ardentry</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Ardentry keeps its articles in a database file. Choose the one to work with; Database Path on the Setup menu changes it later.</source>
        <translation>Ardentry speichert seine Artikel in einer Datenbankdatei. Wählen Sie die Datei, mit der Sie arbeiten möchten; später können Sie sie unter „Einstellungen &gt; Datenbankpfad“ ändern.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Open an existing database...</source>
        <translation>Vorhandene Datenbank ö&amp;ffnen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Create a new database...</source>
        <translation>&amp;Neue Datenbank anlegen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fill the new database with &amp;sample articles</source>
        <translation>Neue Datenbank mit &amp;Beispielartikeln füllen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Quit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Co&amp;nnect to a server...</source>
        <translation>Mit einem &amp;Server verbinden...</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Open an Existing Database</source>
        <translation>Vorhandene Datenbank öffnen</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Create a New Database</source>
        <translation>Neue Datenbank anlegen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 exists already.

Choose another name for the new database, or open this one with &quot;Open an existing database...&quot;.</source>
        <translation>%1 existiert bereits.

Wählen Sie einen anderen Namen für die neue Datenbank oder öffnen Sie diese mit „Vorhandene Datenbank öffnen...“.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The new database %1 could not be created.

%2</source>
        <translation>Die neue Datenbank %1 konnte nicht angelegt werden.

%2</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Connect to a Server</source>
        <translation>Mit einem Server verbinden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Address of the database on the PostgreSQL server
(postgresql://user@host/database):</source>
        <translation>Adresse der Datenbank auf dem PostgreSQL-Server
(postgresql://benutzer@host/datenbank):</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>This server address cannot be used.

%1</source>
        <translation>Diese Serveradresse kann nicht verwendet werden.

%1</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Ardentry cannot connect to the server.

%1</source>
        <translation>Ardentry kann keine Verbindung zum Server herstellen.

%1</translation>
    </message>
</context>
<context>
    <name>mdlMain</name>
    <message>
        <location filename="../../core/mdlMain.cpp" line="+118"/>
        <source>The preferences file %1 does not exist.</source>
        <translation>Die Einstellungsdatei %1 existiert nicht.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The preferences file %1 holds no database path (key &quot;Path&quot; in section &quot;General&quot;).</source>
        <translation>Die Einstellungsdatei %1 enthält keinen Datenbankpfad (Schlüssel „Path“ im Abschnitt „General“).</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The database could not be opened: %1</source>
        <translation>Die Datenbank konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+14"/>
        <location line="+23"/>
        <source>The database is not an Ardentry database: %1</source>
        <translation>Die Datenbank ist keine Ardentry-Datenbank: %1</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>The table &quot;%1&quot; is empty; it needs at least one name.</source>
        <translation>Die Tabelle „%1“ ist leer; sie braucht mindestens einen Namen.</translation>
    </message>
    <message>
        <location line="+31"/>
        <location line="+6"/>
        <source>Cannot read the table &quot;AR&quot;</source>
        <translation>Die Tabelle „AR“ kann nicht gelesen werden</translation>
    </message>
</context>
</TS>
