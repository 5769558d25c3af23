// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NewDatabase.h"

#include "core/Connection.h"
#include "core/Pictures.h"
#include "core/QuickSearch.h"
#include "core/SearchNarrowing.h"
#include "core/ServerAddress.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <stdexcept>

namespace
{

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

const char* const kSchema[] = {
    "CREATE TABLE AR (ID INTEGER, CUName TEXT, techname TEXT, Title TEXT, Problem TEXT, "
    "solution TEXT, reference TEXT, InitialEntry TEXT, EditedBy TEXT, DateEdited TEXT, "
    "Image1 TEXT, Image2 TEXT, Image3 TEXT, Image4 TEXT, Image5 TEXT, Image6 TEXT, Image7 TEXT, "
    "Image8 TEXT, Image9 TEXT, Image10 TEXT)",
    "CREATE TABLE Categories (Category TEXT)",
    "CREATE TABLE Users (Users TEXT)",
    "CREATE TABLE CUINFO (CUName TEXT, EmployeeName TEXT)",
    "CREATE TABLE Customize (ID INTEGER, Labels TEXT)",
};

const char* const kLabels[] = {
    "AR Number:", "Category:", "Entered By:", "Title:", "Problem Description:", "Solution:"};

struct Article {
    const char* category;
    const char* enteredBy;
    const char* title;
    const char* problem;
    const char* solution;
    const char* reference;
    const char* initialEntry;
    const char* editedBy;
    const char* dateEdited;
    const char* image1;
    const char* image2;
};

const char* const kWelcomeCategory = "General";
const char* const kWelcomeUser = "Administrator";

const Article kWelcome = {
    kWelcomeCategory,
    kWelcomeUser,
    "Welcome to Ardentry",
    "How do I start using this knowledge base?",
    "Ardentry keeps one article per problem: what went wrong and how it was solved.\n"
    "1. Set up your lists first: Setup > Categories (F3) and Setup > Users (F4). The names "
    "you add there appear in the Category and Entered By boxes the next time Ardentry starts.\n"
    "2. Add an article with File > Add New Record (Ctrl+N), fill in the problem and the "
    "solution, and save it with File > Save Record (Ctrl+S).\n"
    "3. Move between articles with the arrow buttons of the toolbar, and find articles by "
    "category, by a word of the problem or solution, or by number with Search (F2). Refresh "
    "shows all articles again.\n"
    "4. The captions of the article form can be changed under Setup > Customize Labels, and "
    "Setup > Database Path (F5) points Ardentry at another database file.\n"
    "This welcome article can be deleted once you have added your own.",
    "N/A",
    "01/01/2024",
    "N/A",
    "N/A",
    "N/A",
    "N/A"};

const char* const kSampleCategories[] = {"Email",    "Hardware", "Network",   "Printing",
                                         "Software", "Accounts", "Telephony", "Security"};
const char* const kSampleUsers[] = {"Jones", "Garcia", "Nguyen", "Patel", "Schmidt", "jim"};

// Help-desk articles written for the sample database.
const Article kSampleArticles[] = {
    {"Printing", "Jones", "Paper jams in second-floor laser printer",
     "The HP LaserJet on the second floor jams on almost every job printed from tray 2. Paper "
     "comes out creased at one corner.",
     "Opened the rear door and removed a torn scrap of paper stuck behind the fuser. Fanned the "
     "paper stack before loading it and set the tray guides to the paper width. Ten test pages "
     "printed without a jam.",
     "https://example.com/kb/printer-jams.html", "03/14/2022", "N/A", "N/A",
     "/srv/helpdesk/images/printer-rear-door.png", "/srv/helpdesk/images/fuser-scrap.jpg"},
    {"Email", "Garcia", "Outlook asks for password again and again",
     "Since this morning Outlook keeps popping up the password prompt. Typing the correct "
     "password does not help; the prompt comes back after a minute.",
     "The saved credentials were stale after the password change on Monday.\n"
     "1. Close Outlook.\n"
     "2. Open Credential Manager and remove every entry that mentions the mail server.\n"
     "3. Start Outlook and sign in once with the new password.\n"
     "The prompt did not come back.",
     "N/A", "01/09/2023", "Patel", "01/10/2023", "N/A", "N/A"},
    {"Network", "Nguyen", "No network after moving desk",
     "User moved to a new desk in room 214 and the PC shows \"Network cable unplugged\" although "
     "the cable is plugged in.",
     "The wall port in room 214 was not patched in the comms room. Patched port 214-3 to switch "
     "2, port 17. Link came up at once.",
     "N/A", "06/02/2021", "N/A", "N/A", "N/A", "N/A"},
    {"Accounts", "Patel", "Account locked out every morning",
     "User's domain account is locked when she arrives every morning, even though she has not "
     "typed a wrong password.",
     "An old phone still had the mailbox set up with the previous password and kept trying it "
     "overnight. Removed the account from the phone and re-added it with the current password. "
     "No lock-outs since.",
     "N/A", "09/21/2022", "Jones", "09/28/2022", "N/A", "N/A"},
    {"Hardware", "Schmidt", "Laptop will not charge",
     "Dell laptop shows \"Plugged in, not charging\" at 43%. The charger light is on.",
     "The charger was a 45 W unit from another model; this laptop needs 65 W. Swapped for the "
     "correct charger and the battery charged normally.",
     "N/A", "11/30/2021", "N/A", "N/A", "N/A", "N/A"},
    {"Software", "jim", "Excel opens files very slowly",
     "Opening any spreadsheet from the shared drive takes more than a minute. Local files open "
     "quickly.",
     "Protected View was scanning every file from the network share. Added the share as a "
     "trusted location in Excel's Trust Center (File > Options > Trust Center > Trusted "
     "Locations). Files now open in a few seconds.",
     "N/A", "02/17/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Telephony", "Garcia", "Desk phone shows \"No Service\"",
     "The desk phone at reception shows No Service after the power cut last night.",
     "The phone had lost its VLAN setting. Unplugged it for ten seconds so it picked up the "
     "settings from the switch again; it registered within a minute.",
     "N/A", "04/05/2022", "N/A", "N/A", "N/A", "N/A"},
    {"Security", "Patel", "Suspicious email with invoice attachment",
     "Several users received an email from \"Accounts <billing@examp1e-invoices.com>\" with an "
     "attachment called Invoice_#7731.zip asking them to pay today.",
     "Phishing. Blocked the sender domain on the mail gateway, removed the message from all "
     "mailboxes with a content search, and sent a warning to all staff. Nobody had opened the "
     "attachment.",
     "https://example.com/kb/report-phishing.html", "07/19/2023", "Schmidt", "07/20/2023",
     "/srv/helpdesk/images/phishing-sample.png", "N/A"},
    {"Printing", "Nguyen", "Printouts come out blank",
     "Pages from the colour printer in the design office come out completely white.",
     "The yellow protective tape was still on the new toner cartridge. Removed the tape and "
     "printed a cleaning page.",
     "N/A", "08/08/2022", "N/A", "N/A", "N/A", "N/A"},
    {"Email", "Jones", "Mailbox full warning",
     "User gets \"Your mailbox is almost full\" every day and can no longer send mail.",
     "Mailbox was at 49.8 GB of 50 GB. Turned on the online archive, set a policy to move items "
     "older than two years there, and emptied Deleted Items. Mailbox is at 22 GB now.",
     "N/A", "05/23/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Network", "Schmidt", "Wi-Fi drops in meeting room B",
     "Laptops lose the wireless connection every few minutes in meeting room B; the rest of "
     "the floor is fine.",
     "A survey showed the room is at the edge of two access points and laptops kept switching "
     "between them. Installed an extra access point in the corridor next to room B.",
     "/srv/helpdesk/docs/wifi-survey-floor3.pdf", "10/12/2022", "Nguyen", "11/02/2022", "N/A",
     "N/A"},
    {"Accounts", "Garcia", "New starter cannot log in",
     "New employee in Finance gets \"The user name or password is incorrect\" on her first day.",
     "The account had been created with \"User must change password at next logon\" but the "
     "temporary password had expired over the weekend. Reset the password and the user changed "
     "it at first logon.",
     "N/A", "01/03/2022", "N/A", "N/A", "N/A", "N/A"},
    {"Software", "Patel", "PDF files open in the browser instead of Acrobat",
     "After the Windows update, every PDF opens in Edge; the user wants Acrobat Reader.",
     "Settings > Apps > Default apps > choose default apps by file type > .pdf > Adobe Acrobat "
     "Reader.",
     "N/A", "03/01/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Hardware", "jim", "Second monitor not detected",
     "The second monitor stays black and Display settings only shows one screen.",
     "The DisplayPort cable was plugged into the motherboard's port instead of the graphics "
     "card. Moved it to the graphics card and pressed Detect.",
     "N/A", "06/15/2023", "N/A", "N/A", "/srv/helpdesk/images/dp-ports.jpg", "N/A"},
    {"Telephony", "Nguyen", "Voicemail PIN forgotten",
     "User forgot the PIN for his voicemail box and is locked out after three tries.",
     "Reset the PIN in the phone system's admin page (Users > Voicemail > Reset PIN) to a "
     "temporary one and told the user to dial *98 to choose a new PIN.",
     "N/A", "02/28/2022", "N/A", "N/A", "N/A", "N/A"},
    {"Security", "Schmidt", "Antivirus reports threat in temp folder",
     "Antivirus pop-up: \"Threat quarantined: Trojan:Win32/Wacatac in C:\\Users\\mlee\\AppData"
     "\\Local\\Temp\\setup_tmp.exe\".",
     "The file came from a free PDF converter the user downloaded. The file was quarantined "
     "before it ran. Ran a full scan (clean), removed the converter, and reminded the user that "
     "software is installed by the help desk.",
     "N/A", "12/05/2022", "Patel", "12/06/2022", "N/A", "N/A"},
    {"Email", "Patel", "Emails to one customer bounce",
     "Every message to anyone at a customer's domain comes back with \"550 5.7.1 Message "
     "rejected\".",
     "The customer's gateway rejected us because our SPF record did not list the new mail "
     "relay. Added the relay's address to the SPF record; mail was accepted an hour later.",
     "https://example.com/kb/spf-records.html", "04/18/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Printing", "Garcia", "Printer prints strange characters",
     "Jobs to the warehouse label printer come out as pages of symbols like \"%!PS-Adobe\" and "
     "random letters.",
     "The queue had been set to a PostScript driver. Installed the manufacturer's label printer "
     "driver and assigned it to the queue.",
     "N/A", "09/09/2021", "N/A", "N/A", "N/A", "N/A"},
    {"Network", "Jones", "Cannot reach the intranet from home",
     "Working from home, the user gets \"This site can't be reached\" for the intranet although "
     "the VPN says connected.",
     "The VPN client was an old version that did not push our DNS servers. Updated the client "
     "from the software portal; the intranet opened after reconnecting.",
     "/srv/helpdesk/docs/vpn-setup.pdf", "03/30/2022", "N/A", "N/A", "N/A", "N/A"},
    {"Accounts", "Schmidt", "Shared mailbox missing from Outlook",
     "A user was given access to the Sales shared mailbox yesterday but it does not appear in "
     "her Outlook.",
     "Automapping can take a few hours. Restarted Outlook the next morning and the mailbox "
     "appeared. If it does not, add it by hand under Account Settings > More Settings > "
     "Advanced.",
     "N/A", "08/22/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Software", "Nguyen", "Accounting program crashes at start",
     "The accounting program closes straight after the splash screen with no message.",
     "Event Viewer showed a missing runtime library after the last update. Repaired the Visual "
     "C++ redistributable from Apps & Features and the program starts again.",
     "N/A", "10/03/2023", "Garcia", "10/04/2023", "N/A", "N/A"},
    {"Hardware", "Patel", "Keyboard types wrong characters",
     "Typing @ gives \" and the # key gives a different symbol.",
     "The keyboard layout had been switched to UK by the Alt+Shift shortcut. Set the layout "
     "back to US in Settings > Time & Language > Language and removed the UK layout.",
     "N/A", "05/11/2022", "N/A", "N/A", "N/A", "N/A"},
    {"Telephony", "Jones", "Headset has no sound in Teams calls",
     "In Teams calls the other side cannot hear the user and the user hears nothing, although "
     "the headset works for music.",
     "Teams was using the laptop's built-in speaker and microphone. Chose the headset under "
     "Teams > Settings > Devices for speaker and microphone and made a test call.",
     "N/A", "11/14/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Security", "Garcia", "Lost laptop",
     "User reports that his laptop was stolen from his car last night.",
     "Followed the lost device procedure:\n"
     "1. Signed the user out of all sessions and reset his password, so the saved password on "
     "the laptop is useless.\n"
     "2. Checked in device management that the disk is encrypted (it is, BitLocker with TPM "
     "and PIN) and that the recovery key is stored.\n"
     "3. Marked the device as lost, so it is wiped as soon as it next connects to the "
     "internet, and blocked its certificate for the VPN.\n"
     "4. Issued a loan laptop from the spare pool and restored his files from the last "
     "backup (Friday evening).\n"
     "5. Filed the theft report with Facilities and gave the user the reference for the "
     "police report.\n"
     "Nothing on the laptop was stored outside the encrypted disk, so no data breach report "
     "was needed.",
     "/srv/helpdesk/docs/lost-device-procedure.docx", "02/06/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Email", "Schmidt", "Calendar invitations show wrong time",
     "Meeting invitations from our US office arrive one hour off for two weeks every spring.",
     "The US changes to summer time two weeks before Europe, and the user's Outlook was set to "
     "a fixed offset. Set the time zone in Outlook to the city's zone with daylight saving and "
     "the times are right.",
     "N/A", "03/27/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Printing", "Patel", "Scan to email stopped working",
     "The copier's \"Scan to Email\" shows \"Send failed\" for every scan since Friday.",
     "The copier sent mail through the old SMTP relay, which was switched off on Friday. "
     "Changed the copier's SMTP server to the new relay (port 587, TLS) in its web page "
     "and sent a test scan.",
     "https://example.com/kb/copier-smtp.html", "06/26/2023", "Nguyen", "06/27/2023",
     "/srv/helpdesk/images/copier-smtp-settings.png", "N/A"},
    {"Network", "Garcia", "Network drive letters missing",
     "After logging in, the drives H: and S: are missing from This PC.",
     "The logon script did not run because the PC logged in before the network was up. Turned "
     "on \"Always wait for the network at computer startup and logon\" in group policy.",
     "N/A", "01/24/2022", "N/A", "N/A", "N/A", "N/A"},
    {"Accounts", "jim", "Password reset for Café terminal",
     "The kiosk account of the Café Lumière terminal in the lobby shows \"password expired\".",
     "Set the kiosk account's password to never expire (it is a restricted account) and reset "
     "it. Documented the new password in the vault entry \"Lobby kiosk\".",
     "N/A", "07/07/2022", "N/A", "N/A", "N/A", "N/A"},
    {"Software", "Schmidt", "Browser shows certificate warning for intranet",
     "Chrome warns \"Your connection is not private\" on the intranet home page.",
     "The intranet's certificate had expired the day before. Renewed it on the web server and "
     "restarted the site.",
     "N/A", "09/02/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Hardware", "Nguyen", "PC makes a loud whirring noise",
     "The desktop PC under the desk has been very loud for a few days.",
     "The CPU fan was clogged with dust. Cleaned the case with compressed air outside; noise "
     "is gone and temperatures are normal.",
     "N/A", "04/12/2021", "N/A", "N/A", "N/A", "N/A"},
    {"Telephony", "Patel", "Calls drop after 30 seconds",
     "Outgoing calls from the sales team hang up by themselves after about 30 seconds.",
     "The new firewall rule closed the SIP session timer too early. Set the SIP session "
     "timeout on the firewall to 1800 seconds; long calls work again.",
     "N/A", "10/19/2022", "Jones", "10/20/2022", "N/A", "N/A"},
    {"Security", "jim", "User clicked on link in phishing mail",
     "User says she clicked a link in an email that looked like it came from the bank and "
     "typed in her work user name and password.",
     "Reset her password at once and signed out all sessions, checked the sign-in log (no "
     "foreign sign-ins), and added the site to the web filter's block list. Went through the "
     "phishing signs with the user.",
     "https://example.com/kb/report-phishing.html", "05/02/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Email", "Nguyen", "Signature contains odd characters",
     "The email signature shows \"R&amp;D Department\" and \"Caf&eacute;\" instead of "
     "\"R&D Department\" and \"Café\".",
     "The signature had been pasted as HTML source into the plain-text editor. Recreated the "
     "signature in Outlook's signature editor with the formatted text.",
     "N/A", "12/12/2022", "N/A", "N/A", "N/A", "N/A"},
    {"Printing", "Schmidt", "Cannot print PDF with <embedded> forms",
     "Printing a supplier's PDF form gives an empty page where the form fields should be.",
     "The form fields were hidden for printing in the PDF. In Acrobat Reader chose Print > "
     "Comments & Forms > \"Document and Markups\".",
     "N/A", "08/30/2021", "N/A", "N/A", "N/A", "N/A"},
    {"Network", "Patel", "Slow internet for whole office",
     "Everyone in the office reports that web pages load very slowly since about 10 o'clock.",
     "The line was saturated at 100% by a cloud backup of the file server that had been "
     "started during working hours. Paused the backup and moved its schedule to 22:00.\n"
     "Also set a bandwidth limit of 50% for the backup job in case it runs late.",
     "N/A", "02/14/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Accounts", "Jones", "Leaver's files needed by manager",
     "A manager needs files from the home drive of an employee who left last month.",
     "Got written approval from HR, then granted the manager read access to the leaver's home "
     "folder for 30 days. The account itself stays disabled.",
     "/srv/helpdesk/docs/leaver-checklist.pdf", "11/08/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Software", "Garcia", "Macros blocked in Word template",
     "The company letter template shows \"Microsoft has blocked macros from running because "
     "the source of this file is untrusted\".",
     "The template had been downloaded from email, so it carried the internet zone mark. Saved "
     "it to the templates share, which is a trusted location, and unblocked the file in its "
     "Properties.",
     "N/A", "03/16/2023", "N/A", "N/A", "N/A", "N/A"},
    {"Hardware", "Garcia", "Docking station USB ports dead",
     "Mouse and keyboard plugged into the docking station do not work; the screen on the dock "
     "works.",
     "Updated the dock's firmware and the laptop's Thunderbolt driver from the vendor's "
     "support tool, then unplugged the dock's power for a minute. All ports work.",
     "N/A", "07/25/2023", "Schmidt", "07/26/2023", "N/A", "N/A"},
    {"Telephony", "Schmidt", "Mobile phone not receiving work email",
     "The user's new phone shows the work account but no new messages since yesterday.",
     "The phone was waiting for approval in device management. Approved it and the mailbox "
     "synchronised within a few minutes.",
     "N/A", "01/17/2024", "N/A", "N/A", "N/A", "N/A"},
    {"Security", "Nguyen", "USB stick not allowed",
     "User gets \"This device is blocked by your organisation\" when plugging in a USB stick "
     "from a client.",
     "USB storage is blocked by policy. Copied the client's files through the scanning "
     "station at the help desk and put them on the user's share.",
     "N/A", "06/04/2023", "N/A", "N/A", "N/A", "N/A"},
};

// Word list for generated articles. None of these words contains "printer" or "toner", so the
// marker words below occur exactly where they are put.
const char* const kWords[] = {
    "the",        "user",        "reports",   "that",     "screen",  "after",    "login",
    "error",      "message",     "shows",     "when",     "opening", "file",     "server",
    "connection", "drops",       "every",     "few",      "minutes", "cable",    "was",
    "replaced",   "driver",      "updated",   "restart",  "service", "settings", "reset",
    "account",    "locked",      "password",  "expired",  "mailbox", "full",     "archive",
    "old",        "items",       "laptop",    "battery",  "dock",    "monitor",  "flickers",
    "keyboard",   "mouse",       "wireless",  "adapter",  "profile", "cache",    "cleared",
    "browser",    "certificate", "warning",   "install",  "failed",  "disk",     "space",
    "low",        "backup",      "completed", "ticket",   "closed",  "checked",  "logs",
    "slow",       "network",     "share",     "mapped",   "drive",   "missing",  "phone",
    "headset",    "voicemail",   "queue",     "firmware", "policy",  "remote",   "session",
    "again",      "and",         "with",      "from",     "office",  "morning",  "since",
};
constexpr int kWordCount = static_cast<int>(sizeof(kWords) / sizeof(kWords[0]));

// In the generated articles, "printer" occurs in the problem of every tenth one (the first
// generated article, the eleventh, ...) and "toner" in the solution of every hundredth; neither
// occurs anywhere else in generated text.
constexpr int kPrinterEvery = 10;
constexpr int kTonerEvery = 100;
constexpr int kProblemLength = 800;
constexpr int kSolutionLength = 1200;

class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    int below(int n)
    {
        // splitmix64
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return static_cast<int>(z % static_cast<std::uint64_t>(n));
    }

private:
    std::uint64_t m_state;
};

// Sentences of 6 to 15 words until the text has `length` characters; `marker`, when given,
// becomes the third word of the first sentence.
QString generatedText(Random& random, int length, const QString& marker, const QStringList& words)
{
    QString text;
    text.reserve(length + 120);
    bool first = true;
    while (text.size() < length) {
        const int count = 6 + random.below(10);
        for (int w = 0; w < count; ++w) {
            QString word =
                (first && w == 2 && !marker.isEmpty()) ? marker : words[random.below(kWordCount)];
            if (w == 0) {
                if (!text.isEmpty())
                    text += QLatin1Char(' ');
                word[0] = word[0].toUpper();
            } else {
                text += QLatin1Char(' ');
            }
            text += word;
        }
        text += QLatin1Char('.');
        first = false;
    }
    return text;
}

} // namespace

QStringList articleTableTexts()
{
    QStringList texts;
    for (const char* sql : kSchema)
        texts << QString::fromLatin1(sql);
    return texts;
}

namespace
{

class Builder
{
public:
    explicit Builder(QSqlDatabase& db) : m_db(db), m_insert(db, QString()) {}

    void exec(const QString& sql, const QVariantList& binds = {})
    {
        db::Query query(m_db, QString());
        if (binds.isEmpty()) {
            // (A server prepares no table or index statement.)
            if (!query.tryRun(sql))
                fail(QCoreApplication::translate("NewDatabase", "Cannot run \"%1\": %2")
                         .arg(sql, query.lastError().text()));
            return;
        }
        if (!query.tryPrepare(sql))
            fail(QCoreApplication::translate("NewDatabase", "Cannot prepare \"%1\": %2")
                     .arg(sql, query.lastError().text()));
        if (!query.tryExec(binds))
            fail(QCoreApplication::translate("NewDatabase", "Cannot run \"%1\": %2")
                     .arg(sql, query.lastError().text()));
    }

    void prepareArticleInsert()
    {
        if (!m_insert.tryPrepare(QStringLiteral(
                "INSERT INTO AR (ID, CUName, techname, Title, Problem, solution, reference, "
                "InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, "
                "Image6, Image7, Image8, Image9, Image10) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")))
            fail(QCoreApplication::translate("NewDatabase", "Cannot prepare the article insert: %1")
                     .arg(m_insert.lastError().text()));
    }

    // values: the 19 texts after ID, in column order.
    void insertArticle(int id, const QStringList& values)
    {
        QVariantList binds{id};
        for (const QString& value : values)
            binds << value;
        if (!m_insert.tryExec(binds))
            fail(QCoreApplication::translate("NewDatabase", "Cannot insert article %1: %2")
                     .arg(id)
                     .arg(m_insert.lastError().text()));
    }

    void insertArticle(int id, const Article& a)
    {
        QStringList values = {QString::fromUtf8(a.category),     QString::fromUtf8(a.enteredBy),
                              QString::fromUtf8(a.title),        QString::fromUtf8(a.problem),
                              QString::fromUtf8(a.solution),     QString::fromUtf8(a.reference),
                              QString::fromUtf8(a.initialEntry), QString::fromUtf8(a.editedBy),
                              QString::fromUtf8(a.dateEdited),   QString::fromUtf8(a.image1),
                              QString::fromUtf8(a.image2)};
        while (values.size() < 19)
            values << QStringLiteral("N/A");
        insertArticle(id, values);
    }

private:
    QSqlDatabase& m_db;
    db::Query m_insert;
};

void fill(QSqlDatabase& db, const NewDatabaseOptions& options)
{
    Builder build(db);
    const db::Engine& engine = db::Engine::of(db);
    for (const QString& setting : engine.bulkFillSettings())
        build.exec(setting);
    if (!db.transaction())
        fail(QCoreApplication::translate("NewDatabase", "Cannot begin a transaction: %1")
                 .arg(db.lastError().text()));

    for (const char* sql : kSchema)
        build.exec(engine.tableText(QString::fromLatin1(sql)));
    for (int i = 0; i < 6; ++i)
        build.exec(QStringLiteral("INSERT INTO Customize (ID, Labels) VALUES (?, ?)"),
                   {i + 1, QString::fromLatin1(kLabels[i])});

    QStringList categories;
    QStringList users;
    if (options.sample) {
        for (const char* name : kSampleCategories)
            categories << QString::fromUtf8(name);
        for (const char* name : kSampleUsers)
            users << QString::fromUtf8(name);
    } else {
        categories << QString::fromUtf8(kWelcomeCategory);
        users << QString::fromUtf8(kWelcomeUser);
    }
    for (const QString& name : categories)
        build.exec(QStringLiteral("INSERT INTO Categories (Category) VALUES (?)"), {name});
    for (const QString& name : users)
        build.exec(QStringLiteral("INSERT INTO Users (Users) VALUES (?)"), {name});

    build.prepareArticleInsert();
    int id = 0;
    if (options.sample) {
        for (const Article& article : kSampleArticles)
            build.insertArticle(++id, article);
    } else {
        build.insertArticle(++id, kWelcome);
    }

    QStringList words;
    for (const char* word : kWords)
        words << QString::fromLatin1(word);
    const QString na = QStringLiteral("N/A");
    const QDate firstDate(2015, 1, 1);
    for (int n = 0; n < options.syntheticArticles; ++n) {
        ++id;
        Random random(static_cast<std::uint64_t>(id));
        const QString problem =
            generatedText(random, kProblemLength,
                          n % kPrinterEvery == 0 ? QStringLiteral("printer") : QString(), words);
        const QString solution =
            generatedText(random, kSolutionLength,
                          n % kTonerEvery == 0 ? QStringLiteral("toner") : QString(), words);
        QStringList values = {categories[n % categories.size()],
                              users[n % users.size()],
                              QStringLiteral("Generated article %1").arg(id),
                              problem,
                              solution,
                              na,
                              firstDate.addDays(n % 3650).toString(QStringLiteral("MM/dd/yyyy")),
                              na,
                              na};
        while (values.size() < 19)
            values << na;
        build.insertArticle(id, values);
    }

    build.exec(engine.articleNumberIndexText());
    if (options.quickSearchIndex)
        quicksearch::createIndex(db, true);
    pictures::createTables(db);
    engine.addWritersTurn(db);
    searchnarrowing::add(db);
    if (!db.commit())
        fail(QCoreApplication::translate("NewDatabase", "Cannot write the database: %1")
                 .arg(db.lastError().text()));
}

} // namespace

namespace
{

// On a server: the tables go into an existing, empty database, in one transaction.
void createOnServer(const QString& address, const NewDatabaseOptions& options)
{
    Connection connection;
    try {
        connection.open(address);
    } catch (const DbError& e) {
        fail(e.message());
    }
    QSqlDatabase& db = connection.database();
    db::Query probe(db, QString());
    if (!probe.tryRun(QStringLiteral("SELECT to_regclass('ar') IS NOT NULL")) || !probe.next())
        fail(QCoreApplication::translate("NewDatabase", "Cannot read the database %1: %2")
                 .arg(connection.displayPath(), probe.lastError().text()));
    if (probe.value(0).toBool())
        fail(QCoreApplication::translate(
                 "NewDatabase", "The database %1 holds the tables of an article database already; "
                                "they are not overwritten.")
                 .arg(connection.displayPath()));
    try {
        fill(db, options);
    } catch (const std::exception& e) {
        db.rollback();
        fail(QCoreApplication::translate("NewDatabase", "Cannot create the tables in %1: %2")
                 .arg(connection.displayPath(), QString::fromUtf8(e.what())));
    }
}

} // namespace

void createArticleDatabase(const QString& path, const NewDatabaseOptions& options)
{
    if (options.syntheticArticles < 0)
        fail(QCoreApplication::translate("NewDatabase",
                                         "The number of generated articles cannot be negative."));
    if (ServerAddress::looks(path)) {
        createOnServer(path, options);
        return;
    }
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty())
        fail(QCoreApplication::translate("NewDatabase", "No database file is named."));
    if (options.syntheticArticles < 0)
        fail(QCoreApplication::translate("NewDatabase",
                                         "The number of generated articles cannot be negative."));
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        fail(QCoreApplication::translate("NewDatabase",
                                         "The file %1 exists already; it is not overwritten.")
                 .arg(shown));
    if (!info.absoluteDir().exists())
        fail(QCoreApplication::translate("NewDatabase", "The folder %1 does not exist.")
                 .arg(QDir::toNativeSeparators(info.absolutePath())));

    static QAtomicInt counter;
    const QString connection =
        QStringLiteral("ardentry-newdb-%1").arg(counter.fetchAndAddRelaxed(1));
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        QString reason;
        if (!db.open()) {
            error = QCoreApplication::translate("NewDatabase", "Cannot create %1: %2")
                        .arg(shown, db.lastError().text());
        } else if (reason = db::Engine::file().prepareSession(db); !reason.isEmpty()) {
            // The program's own functions and tokenizer, which its additions use.
            error = QCoreApplication::translate("NewDatabase", "Cannot create %1: %2")
                        .arg(shown, reason);
        } else {
            try {
                fill(db, options);
            } catch (const std::exception& e) {
                error = QCoreApplication::translate("NewDatabase", "Cannot create %1: %2")
                            .arg(shown, QString::fromUtf8(e.what()));
                db.rollback();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!error.isEmpty()) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
        fail(error);
    }
}
