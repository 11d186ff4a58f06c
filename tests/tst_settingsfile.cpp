#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A settings file as the program writes it, one entry per line.
// clang-format off
const QList<QByteArray> canonicalLines{
    "[Preise]",                                                  // 1
    "12,50", " 3,10 ", "", "7", "0,10", "1.234,50", "abc",       // 2 to 8
    "5 St\xfc" "ck", "99",                                       // 9, 10
    "", "[Toleranzen]", "3", "5",                                // 11 to 14
    "", "[Position]", " 1200 ", " 900 ",                         // 15 to 18
    "", "[farbige Tabelle]", " 1 ", " 0 ",                       // 19 to 22
    ""};                                                         // 23
// clang-format on

const QString canonicalPrices = u"[12,50][ 3,10 ][][7][0,10][1.234,50][abc][5 Stück][99]"_s;
const QString canonicalSummary = canonicalPrices + u" | T [3]=3 [5]=5 | L 1200 900 | C 1 0"_s;

// The canonical file with some lines replaced, cut to `lines` lines, each
// ended by `eol`.
QByteArray file(const QMap<int, QByteArray> &changes = {}, int lines = 23,
                const QByteArray &eol = "\r\n")
{
    QByteArray bytes;
    for (int number = 1; number <= lines; ++number)
        bytes += changes.value(number, canonicalLines.at(number - 1)) + eol;
    return bytes;
}

// What a load leaves in force: a value read from the file, or the value the
// window had before.
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

// Everything read, in one line: "-" stands for an absent value.
QString summary(const Settings &settings)
{
    QString text;
    for (const auto &price : settings.prices)
        text += price ? u'[' + *price + u']' : u"-"_s;
    text += u" | T"_s;
    for (std::size_t i = 0; i < 2; ++i) {
        const auto &t = settings.toleranceText[i];
        const auto &v = settings.toleranceValue[i];
        text +=
            u' ' + (t ? u'[' + *t + u']' : u"-"_s) + (v ? u'=' + QString::number(*v) : QString());
    }
    const auto number = [](const std::optional<float> &v) {
        return v ? QString::number(double(*v), 'g', 9) : u"-"_s;
    };
    text += u" | L "_s + number(settings.left) + u' ' + number(settings.top);
    text += u" | C"_s;
    for (const auto &c : settings.cellStyle)
        text += u' ' + (c ? QString::number(*c) : u"-"_s);
    return text;
}

QString withPosition(const QString &position)
{
    return canonicalPrices + u" | T [3]=3 [5]=5 | L "_s + position + u" | C 1 0"_s;
}

QString withTolerances(const QString &tolerances)
{
    return canonicalPrices + u" | T "_s + tolerances + u" | L 1200 900 | C 1 0"_s;
}

QString withCellStyles(const QString &cellStyles)
{
    return canonicalPrices + u" | T [3]=3 [5]=5 | L 1200 900 | C "_s + cellStyles;
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void load_data();
    void load();
    void write_data();
    void write();
    void randomFiles();
};

void tst_SettingsFile::load_data()
{
    // `input` is read; `read` is what the reader took from it; `written` is
    // the file a save right after the load writes.
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QByteArray>("written");

    const QByteArray defaults = file({{2, ""},
                                      {3, ""},
                                      {4, ""},
                                      {5, ""},
                                      {6, ""},
                                      {7, ""},
                                      {8, ""},
                                      {9, ""},
                                      {10, ""},
                                      {13, "0"},
                                      {14, "0"},
                                      {17, " 0 "},
                                      {18, " 0 "},
                                      {21, " 0 "},
                                      {22, " 0 "}});
    const QString nothingRead = u"--------- | T - - | L - - | C - -"_s;

    QTest::newRow("canonical") << file() << canonicalSummary << file();
    QTest::newRow("misspelt headers")
        << file({{1, "[Preis]"}, {12, "Toleranzen"}, {16, ""}, {20, "[farbige Tabele]"}})
        << canonicalSummary << file();
    QTest::newRow("LF only") << file({}, 23, "\n") << canonicalSummary << file();
    QTest::newRow("CR only") << file({}, 23, "\r") << canonicalSummary << file();
    QTest::newRow("more than 23 lines") << file() + "[Preise]\r\n1\r\n2\r\n"
                                        << canonicalSummary << file();
    QTest::newRow("22 lines, last without line end")
        << file({}, 22).chopped(2) << canonicalSummary << file();
    QTest::newRow("21 lines") << file({}, 21) << withCellStyles(u"1 -"_s) << file({{22, " 0 "}});
    QTest::newRow("10 lines")
        << file({}, 10) << canonicalPrices + u" | T - - | L - - | C - -"_s
        << file({{13, "0"}, {14, "0"}, {17, " 0 "}, {18, " 0 "}, {21, " 0 "}, {22, " 0 "}});
    QTest::newRow("empty file") << QByteArray() << nothingRead << defaults;
    QTest::newRow("line ends only")
        << QByteArray(40, '\n') << u"[][][][][][][][][] | T - - | L 0 0 | C - -"_s << defaults;
    QTest::newRow("price with NUL")
        << file({{2, QByteArray("1\0002", 3)}}) << u"[1\u00002]"_s + canonicalSummary.mid(7)
        << file({{2, QByteArray("1\0002", 3)}});
    QTest::newRow("position with comma")
        << file({{17, "1234,5"}}) << withPosition(u"1234 900"_s) << file({{17, " 1234 "}});
    QTest::newRow("position with point")
        << file({{17, " 1234.5 "}}) << withPosition(u"1234.5 900"_s) << file({{17, " 1234,5 "}});
    QTest::newRow("position letters")
        << file({{18, "abc"}}) << withPosition(u"1200 0"_s) << file({{18, " 0 "}});
    QTest::newRow("negative position")
        << file({{17, "-15"}}) << withPosition(u"-15 900"_s) << file({{17, "-15 "}});
    QTest::newRow("tolerance empty")
        << file({{13, ""}}) << withTolerances(u"- [5]=5"_s) << file({{13, "0"}});
    QTest::newRow("tolerance letter")
        << file({{14, "a"}}) << withTolerances(u"[3]=3 -"_s) << file({{14, "0"}});
    QTest::newRow("tolerance 12") << file({{14, "12"}}) << withTolerances(u"[3]=3 -"_s)
                                  << file({{14, "0"}});
    QTest::newRow("check box empty")
        << file({{21, ""}}) << withCellStyles(u"- 0"_s) << file({{21, " 0 "}});
    QTest::newRow("check box 3") << file({{21, "3"}}) << withCellStyles(u"- 0"_s)
                                 << file({{21, " 0 "}});
    QTest::newRow("check box 2") << file({{22, "2"}}) << withCellStyles(u"1 2"_s)
                                 << file({{22, " 2 "}});
    QTest::newRow("check box without blanks")
        << file({{21, "1"}, {22, "0"}}) << canonicalSummary << file();
}

void tst_SettingsFile::load()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, read);
    QFETCH(QByteArray, written);

    const Settings settings = SettingsFile::parse(input);
    QCOMPARE(summary(settings), read);
    QCOMPARE(SettingsFile::compose(snapshot(settings)), written);
}

void tst_SettingsFile::write_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("succeeds");

    QTest::newRow("new file") << u"new"_s << true;
    QTest::newRow("replaces a longer file") << u"existing"_s << true;
    QTest::newRow("parent is a file") << u"under a file"_s << false;
    QTest::newRow("missing directory") << u"missing"_s << false;
    QTest::newRow("read-only directory") << u"read-only"_s << false;
}

void tst_SettingsFile::write()
{
    QFETCH(QString, where);
    QFETCH(bool, succeeds);
    if (where == u"read-only" && runningAsRoot())
        QSKIP("root may write into a read-only directory");

    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    QString directory = temp.path();
    const QByteArray old = file() + "one line more\r\n";
    if (where == u"under a file") {
        QFile blocker(temp.filePath(u"blocker"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        directory = blocker.fileName();
    } else if (where == u"missing") {
        directory = temp.filePath(u"missing"_s);
    } else if (where == u"existing" || where == u"read-only") {
        QFile existing(temp.filePath(u"Torvelin.ini"_s));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write(old);
    }
    if (where == u"read-only")
        QVERIFY(QFile::setPermissions(directory, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QString path = directory + u"/Torvelin.ini"_s;
    const QStringList before = QDir(temp.path()).entryList(QDir::AllEntries | QDir::Hidden);

    SettingsSnapshot s;
    s.prices = {u"12,50"_s, u" 3,10 "_s,   QString(), u"5 Stück"_s, u"3 €"_s,
                u"0,10"_s,  u"1.234,50"_s, u"abc"_s,  u"99"_s};
    s.toleranceText = {u"3"_s, u"5"_s};
    s.left = 1200.0f;
    s.top = 1234.5f;
    s.cellStyle = {1, 0};

    QString error;
    const bool ok = SettingsFile::write(path, s, &error);
    if (where == u"read-only")
        QFile::setPermissions(directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
    QCOMPARE(ok, succeeds);

    if (succeeds) {
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        // 23 lines, each ended by CR LF; one byte per character, "?" where a
        // character has no single-byte form.
        QCOMPARE(bytes, file({{2, "12,50"},
                              {3, " 3,10 "},
                              {4, ""},
                              {5, "5 St\xfc"
                                  "ck"},
                              {6, "3 ?"},
                              {7, "0,10"},
                              {8, "1.234,50"},
                              {9, "abc"},
                              {10, "99"},
                              {17, " 1200 "},
                              {18, " 1234,5 "}}));
        QCOMPARE(bytes.count("\r\n"), SettingsFile::lineCount);
        QCOMPARE(bytes.count('\r') + bytes.count('\n'), 2 * SettingsFile::lineCount);
        QVERIFY(error.isEmpty());
        // No temporary file is left beside it.
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"Torvelin.ini"_s});
    } else {
        QVERIFY(!error.isEmpty());
        // Nothing new beside the old file, which is unchanged.
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        if (where == u"read-only") {
            QFile existing(path);
            QVERIFY(existing.open(QIODevice::ReadOnly));
            QCOMPARE(existing.readAll(), old);
        } else {
            QVERIFY(!QFileInfo::exists(path));
        }
    }
}

void tst_SettingsFile::randomFiles()
{
    // Whatever the file holds, reading must not crash, and a save after the
    // load writes a proper 23-line file that loads back to the same values.
    QRandomGenerator rng(20261206);
    static const char alphabet[] = "0123456789 ,.-+eEdD\t\r\n\r\nab[]\xfc\x80";
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString path = temp.filePath(u"Torvelin.ini"_s);

    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int size = int(rng.bounded(round % 10 == 0 ? 4096 : 400));
        switch (round % 3) {
        case 0: // any bytes, NULs included
            for (int i = 0; i < size; ++i)
                bytes += char(rng.bounded(256));
            break;
        case 1: // number-like text with many line ends
            for (int i = 0; i < size; ++i)
                bytes += alphabet[rng.bounded(int(sizeof alphabet) - 1)];
            break;
        default: { // a proper file with some bytes changed or inserted
            bytes = file();
            for (int i = int(rng.bounded(8)); i >= 0; --i) {
                const int at = int(rng.bounded(bytes.size()));
                if (rng.bounded(2) == 0)
                    bytes[at] = char(rng.bounded(256));
                else
                    bytes.insert(at,
                                 QByteArray(int(rng.bounded(size + 1)), char(rng.bounded(256))));
            }
        }
        }

        const Settings first = SettingsFile::parse(bytes);
        for (std::size_t i = 0; i < 2; ++i) {
            if (first.toleranceValue[i])
                QVERIFY(*first.toleranceValue[i] >= 0 && *first.toleranceValue[i] <= 9);
            if (first.cellStyle[i])
                QVERIFY(*first.cellStyle[i] >= 0 && *first.cellStyle[i] <= 2);
        }
        const SettingsSnapshot saved = snapshot(first);
        const QByteArray written = SettingsFile::compose(saved);
        QCOMPARE(written.count("\r\n"), SettingsFile::lineCount);
        QCOMPARE(written.count('\r') + written.count('\n'), 2 * SettingsFile::lineCount);
        QVERIFY(written.endsWith("\r\n\r\n"));

        const Settings second = SettingsFile::parse(written);
        const SettingsSnapshot reloaded = snapshot(second);
        QCOMPARE(reloaded.prices, saved.prices);
        QCOMPARE(reloaded.toleranceText, saved.toleranceText);
        QCOMPARE(reloaded.cellStyle, saved.cellStyle);
        // A position written with a decimal comma or an exponent loads as its
        // leading number, so it may change once; after that it stays.
        const QByteArray again = SettingsFile::compose(reloaded);
        QCOMPARE(SettingsFile::compose(snapshot(SettingsFile::parse(again))), again);

        if (round % 50 == 0) {
            QVERIFY(SettingsFile::write(path, saved));
            const std::optional<Settings> fromDisk = SettingsFile::read(path);
            QVERIFY(fromDisk.has_value());
            QCOMPARE(summary(*fromDisk), summary(second));
        }
    }
}

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
