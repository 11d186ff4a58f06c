#include "core/SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QStringEncoder>
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
        QMap<int, QByteArray> unread{{13, "0"},   {14, "0"},   {17, " 0 "},
                                     {18, " 0 "}, {21, " 0 "}, {22, " 0 "}};
        for (int line = 2; line <= 10; ++line)
            unread[line] = "";
        const QByteArray defaults = file(unread);
        QTest::newRow("misspelt headers, LF only, more than 23 lines")
            << file({{1, "[Preis]"}, {12, "Toleranzen"}, {16, ""}, {20, "[farbig]"}}, 23, "\n") +
                   "[Preise]\n1\n"
            << QString() << file();
        QTest::newRow("empty file")
            << QByteArray() << u"P -|-|-|-|-|-|-|-|- | T -=- -=- | L - - | C - -"_s << defaults;
        // A tolerance line gives the digit it converts to, blanks allowed and
        // a fraction rounded half to even; box and file then hold that digit.
        QTest::newRow("tolerance fractions")
            << file({{13, "2,5"}, {14, "3,5"}}) << u"T 2=2 4=4"_s << file({{13, "2"}, {14, "4"}});
        QTest::newRow("tolerances at their bounds, a leading zero and blanks")
            << file({{13, "00"}, {14, " 9 "}}) << u"T 0=0 9=9"_s << file({{13, "0"}, {14, "9"}});
        QTest::newRow("tolerances beyond their bounds")
            << file({{13, "-1"}, {14, "10"}}) << u"T -=- -=-"_s << file({{13, "0"}, {14, "0"}});
        // A long line is read to its end and counts as unreadable, the lines
        // after it as they are.
        const QByteArray longest(4096, '1');
        QTest::newRow("longest line")
            << file({{3, longest}})
            << u"P 12,50|"_s + QString::fromLatin1(longest) + u"||7|0,10|1.234,50|abc|5 Stück|99"_s
            << file({{3, longest}});
        QTest::newRow("a line of a megabyte")
            << file({{3, QByteArray((1 << 20) + 1, '1')}})
            << u"P 12,50|-||7|0,10|1.234,50|abc|5 Stück|99"_s << file({{3, ""}});
        // An editor's "Unicode" and "UTF-8" saves; the next save writes the
        // single-byte form again.
        const QString text = QString::fromLatin1(file());
        for (const auto &[name, encoding] : {std::pair{"UTF-16LE", QStringConverter::Utf16LE},
                                             std::pair{"UTF-16BE", QStringConverter::Utf16BE},
                                             std::pair{"UTF-8", QStringConverter::Utf8}}) {
            QStringEncoder encode(encoding, QStringConverter::Flag::WriteBom);
            QTest::addRow("%s with a byte-order mark", name)
                << QByteArray(encode(text)) << QString() << file();
        }
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

    // A file without line ends that never ends, given by mistake, is read
    // only so far: its first line is too long, the others are missing.
    void endlessFile()
    {
        if (!QFileInfo(u"/dev/zero"_s).isReadable())
            QSKIP("no /dev/zero here");
        const auto settings = SettingsFile::read(u"/dev/zero"_s);
        QVERIFY(settings);
        QCOMPARE(summary(*settings), u"P -|-|-|-|-|-|-|-|- | T -=- -=- | L - - | C - -"_s);
    }

    // One byte per character, "?" for one that has none; missing folders
    // are made. How the file is replaced has its own tests.
    void write()
    {
        QTemporaryDir temp;
        QFile ini(temp.filePath(u"a/b/Torvelin.ini"_s));
        SettingsSnapshot s = snapshot(SettingsFile::parse(file()));
        s.prices[3] = u"3 €"_s;
        s.top = 1234.5f;
        QVERIFY(SettingsFile::write(ini.fileName(), s));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), file({{5, "3 ?"}, {18, " 1234,5 "}}));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
