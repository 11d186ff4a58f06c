#include "core/SettingsFile.h"

#include "ordinaryuser.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A settings file as the program writes it, one entry per line.
const QList<QByteArray> canonicalLines =
    QByteArray("[Preise]|12,50| 3,10 ||7|0,10|1.234,50|abc|5 St\xfc"
               "ck|99||[Toleranzen]|3|5||"
               "[Position]| 1200 | 900 ||[farbige Tabelle]| 1 | 0 |")
        .split('|');
const QString canonicalRead =
    u"P 12,50| 3,10 ||7|0,10|1.234,50|abc|5 Stück|99 | T 3=3 5=5 | L 1200 900 | C 1 0"_s;

// The canonical file with some lines (1-based) replaced, cut to `lines`
// lines, each ended by `eol`.
QByteArray file(const QMap<int, QByteArray> &changes = {}, int lines = 23,
                const QByteArray &eol = "\r\n")
{
    QByteArray bytes;
    for (int number = 1; number <= lines; ++number)
        bytes += changes.value(number, canonicalLines.at(number - 1)) + eol;
    return bytes;
}

// What a load leaves in force: each value read, or what the window had before.
SettingsSnapshot snapshot(const Settings &settings)
{
    SettingsSnapshot s;
    for (std::size_t i = 0; i < 9; ++i)
        s.prices[i] = settings.prices[i].value_or(QString());
    for (std::size_t i = 0; i < 2; ++i) {
        s.toleranceText[i] = settings.toleranceText[i].value_or(u"0"_s);
        s.cellStyle[i] = settings.cellStyle[i].value_or(0);
    }
    s.left = settings.left.value_or(0.0f);
    s.top = settings.top.value_or(0.0f);
    return s;
}

// Everything read, in one line; "-" for a value not read.
QString summary(const Settings &s)
{
    const auto show = [](const auto &value) {
        return value ? QVariant::fromValue(*value).toString() : u"-"_s;
    };
    QStringList prices;
    for (const auto &price : s.prices)
        prices << show(price);
    return u"P " + prices.join(u'|') + u" | T " + show(s.toleranceText[0]) + u'=' +
           show(s.toleranceValue[0]) + u' ' + show(s.toleranceText[1]) + u'=' +
           show(s.toleranceValue[1]) + u" | L " + show(s.left) + u' ' + show(s.top) + u" | C " +
           show(s.cellStyle[0]) + u' ' + show(s.cellStyle[1]);
}

} // namespace

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // `read` is what the reader took from `input`, in the sections that
    // differ from the canonical file's; `written` is the file a save right
    // after the load writes.
    void load_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QByteArray>("written");
        // Unread lines are written as their values before the load.
        QMap<int, QByteArray> unread{{13, "0"}, {14, "0"}, {17, " 0 "}, {18, " 0 "}};
        unread.insert({{21, " 0 "}, {22, " 0 "}});
        const QByteArray pricesOnly = file(unread);
        for (int line = 2; line <= 10; ++line)
            unread[line] = "";
        const QByteArray defaults = file(unread);
        QTest::newRow("canonical") << file() << QString() << file();
        QTest::newRow("misspelt headers, LF only, more than 23 lines")
            << file({{1, "[Preis]"}, {12, "Toleranzen"}, {16, ""}, {20, "[farbig]"}}, 23, "\n") +
                   "[Preise]\n1\n"
            << QString() << file();
        QTest::newRow("CR only, check boxes without blanks")
            << file({{21, "1"}, {22, "0"}}, 23, "\r") << QString() << file();
        QTest::newRow("10 lines") << file({}, 10) << u"T -=- -=- | L - - | C - -"_s << pricesOnly;
        QTest::newRow("empty file")
            << QByteArray() << u"P -|-|-|-|-|-|-|-|- | T -=- -=- | L - - | C - -"_s << defaults;
        // A position reads as its leading number, written back as a number.
        QTest::newRow("positions with comma and point")
            << file({{17, "1234,5"}, {18, " 1234.5 "}}) << u"L 1234 1234.5"_s
            << file({{17, " 1234 "}, {18, " 1234,5 "}});
        // A tolerance line gives the digit it converts to, blanks allowed and
        // a fraction rounded half to even; box and file then hold that digit.
        QTest::newRow("tolerances with blanks and a leading zero")
            << file({{13, " 0 "}, {14, "05"}}) << u"T 0=0 5=5"_s << file({{13, "0"}, {14, "5"}});
        QTest::newRow("tolerance fractions")
            << file({{13, "2,5"}, {14, "3,5"}}) << u"T 2=2 4=4"_s << file({{13, "2"}, {14, "4"}});
        QTest::newRow("tolerances rounded beyond 9 and to 0")
            << file({{13, "9,5"}, {14, "-0,4"}}) << u"T -=- 0=0"_s << file({{13, "0"}, {14, "0"}});
        QTest::newRow("check boxes 3 and 2")
            << file({{21, "3"}, {22, "2"}}) << u"C - 2"_s << file({{21, " 0 "}, {22, " 2 "}});
    }
    void load()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, read);
        QStringList expected = canonicalRead.split(u" | "_s);
        for (const QString &section : read.split(u" | "_s, Qt::SkipEmptyParts))
            expected[u"PTLC"_s.indexOf(section[0])] = section;
        const Settings settings = SettingsFile::parse(input);
        QCOMPARE(summary(settings), expected.join(u" | "_s));
        QTEST(SettingsFile::compose(snapshot(settings)), "written");
    }

    // One byte per character, "?" for one that has none. Missing folders are
    // made; the file is replaced through a new one where its folder allows,
    // in place where only the file can be written, and left as it was when
    // it cannot be written. No temporary file stays beside it.
    void write_data()
    {
        // folder: "writable", "read-only" or "missing"; existing: "none",
        // "writable" or "read-only".
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("written");
        QTest::newRow("replaces a longer file") << u"writable"_s << u"writable"_s << true;
        QTest::newRow("missing folders") << u"missing"_s << u"none"_s << true;
        QTest::newRow("writable file in a read-only folder")
            << u"read-only"_s << u"writable"_s << true;
        QTest::newRow("read-only folder") << u"read-only"_s << u"none"_s << false;
        QTest::newRow("read-only file") << u"writable"_s << u"read-only"_s << false;
    }
    void write()
    {
        QFETCH(QString, folder);
        QFETCH(QString, existing);
        QFETCH(bool, written);
        QTemporaryDir temp;
        QVERIFY(setMode(temp.path(), 0777));
        const QString directory = temp.filePath(folder == u"missing" ? u"a/b"_s : u"folder"_s);
        if (folder != u"missing")
            QVERIFY(QDir().mkdir(directory) && setMode(directory, 0777));
        QFile ini(directory + u"/Torvelin.ini"_s);
        const QByteArray old = file() + "one line more\r\n";
        if (existing != u"none") {
            QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write(old) > 0);
            ini.close();
            QVERIFY(setMode(ini.fileName(), existing == u"writable" ? 0666 : 0444));
        }
        if (folder == u"read-only")
            QVERIFY(setMode(directory, 0555));
        SettingsSnapshot s = snapshot(SettingsFile::parse(file()));
        s.prices[3] = u"3 €"_s;
        s.top = 1234.5f;
        QString error;
        bool done = false;
        {
            OrdinaryUser user;
            QVERIFY(user.ok());
            done = SettingsFile::write(ini.fileName(), s, &error);
        }
        setMode(directory, 0755);
        QCOMPARE(done, written);
        QCOMPARE(error.isEmpty(), written);
        const QByteArray expected = written               ? file({{5, "3 ?"}, {18, " 1234,5 "}})
                                    : existing != u"none" ? old
                                                          : "none";
        QCOMPARE(ini.open(QIODevice::ReadOnly) ? ini.readAll() : "none", expected);
        QCOMPARE(QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 expected == "none" ? QStringList() : QStringList{u"Torvelin.ini"_s});
    }

    // Whatever the file holds, a load must not crash, and a save after it
    // writes a proper file that loads back to the same values.
    void randomFiles()
    {
        QRandomGenerator rng(20261206);
        const QByteArray numberLike = "0123456789 ,.-+eEdD\t\r\n\r\nab[]\xfc\x80";
        for (int round = 0; round < 3000; ++round) {
            // A proper file with a few bytes changed or inserted, or bytes
            // from nothing; any bytes, or number-like text with many line ends.
            QByteArray bytes = round % 3 == 0 ? file() : QByteArray();
            const int edits = int(rng.bounded(round % 3 == 0 ? 8 : round % 10 == 1 ? 4096 : 400));
            for (int i = 0; i < edits; ++i) {
                const int at = int(rng.bounded(bytes.size() + 1));
                const char c = round % 2 ? numberLike.at(rng.bounded(int(numberLike.size())))
                                         : char(rng.bounded(256));
                if (at < bytes.size() && rng.bounded(2) == 0)
                    bytes[at] = c;
                else
                    bytes.insert(at, c);
            }
            const Settings first = SettingsFile::parse(bytes);
            for (std::size_t i = 0; i < 2; ++i) { // a negative value wraps far beyond
                QVERIFY(unsigned(first.toleranceValue[i].value_or(0)) <= 9);
                QVERIFY(unsigned(first.cellStyle[i].value_or(0)) <= 2);
            }
            const SettingsSnapshot saved = snapshot(first);
            const QByteArray written = SettingsFile::compose(saved);
            QCOMPARE(written.count("\r\n"), SettingsFile::lineCount);
            QCOMPARE(written.count('\r') + written.count('\n'), 2 * SettingsFile::lineCount);
            const SettingsSnapshot reloaded = snapshot(SettingsFile::parse(written));
            QVERIFY(reloaded.prices == saved.prices && reloaded.cellStyle == saved.cellStyle &&
                    reloaded.toleranceText == saved.toleranceText);
            // A position written with a decimal comma or an exponent loads as
            // its leading number, so it may change once; after that it stays.
            const QByteArray again = SettingsFile::compose(reloaded);
            QCOMPARE(SettingsFile::compose(snapshot(SettingsFile::parse(again))), again);
        }
    }
};

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
