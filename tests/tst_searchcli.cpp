#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs the built torvelin-search as a user would: its arguments, exit status
// and messages. Which rows a search finds and how the options pick, order and
// write them is tested with the core units.
class tst_SearchCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(QStringLiteral(TORVELIN_SEARCH_PATH)));
        // A settings file as the program writes it; only the prices matter:
        // 24360 costs 12,50, 24188 1,00, 24172 2,25, 24094 0,50, 24077 0,25.
        QFile file(m_dir.filePath(u"Torvelin.ini"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Preise]\r\n12,50\r\n99\r\n99\r\n1\r\n2,25\r\n0,5\r\n 0,25 \r\n99\r\n99\r\n"
                   "\r\n[Toleranzen]\r\n0\r\n0\r\n\r\n[Position]\r\n 0 \r\n 0 \r\n\r\n"
                   "[farbige Tabelle]\r\n 0 \r\n 0 \r\n\r\n");
    }

    // `output` is the whole standard output; `errors` the whole standard
    // error, or "*" where any message will do.
    void run_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("errors");
        const QString de = u"--locale de_DE --prices PRICES "_s;
        const auto ok = [](const char *tag, const QString &arguments, const QString &output,
                           const QString &errors) {
            QTest::newRow(tag) << arguments << 0 << output << errors;
        };
        const auto bad = [](const char *tag, const QString &arguments, const QString &message) {
            QTest::newRow(tag) << arguments << 2 << QString() << message;
        };
        ok("default: tab-separated rows, count on stderr", de + u"360"_s,
           u"360,0\t\t\t\t\t\t\t\t\t360,0\t24360\t\t\t\t\t\t\t\t\t12,50\n"
           "188,3\t171,7\t\t\t\t\t\t\t\t360,0\t24188\t24172\t\t\t\t\t\t\t\t3,25\n"
           "188,3\t94,2\t77,5\t\t\t\t\t\t\t360,0\t24188\t24094\t24077\t\t\t\t\t\t\t1,75\n"_s,
           u"3\n"_s);
        ok("sort price, text", de + u"--sort price --max-pieces 2 --format text 360"_s,
           u"Länge  Preis  Gleise  Stückliste\n"
           "360,0   3,25       2  1 × 24 188, 1 × 24 172\n"
           "360,0  12,50       1  1 × 24 360\n"_s,
           u"2\n"_s);
        ok("English csv", u"--locale=en_US --format csv --without 24360,24094 360"_s,
           u"L1,L2,L3,L4,L5,L6,L7,L8,L9,Länge,Gl1,Gl2,Gl3,Gl4,Gl5,Gl6,Gl7,Gl8,Gl9,Preis\r\n"
           "188.3,171.7,,,,,,,,360.0,24188,24172,,,,,,,,.00\r\n"_s,
           u"1\n"_s);
        ok("json, stock only", u"--format json --stock 24188=1 --stock-only 360"_s, u"[]\n"_s,
           u"0\n"_s);
        ok("options after the arguments, leading zeros", u"00000000000000000360 0 0 --count"_s,
           u"3\n"_s, u""_s);
        ok("count of the rows kept", u"--count --max-pieces 2 360"_s, u"2\n"_s, u""_s);
        ok("version", u"--version 360"_s, u"torvelin-search " TORVELIN_VERSION "\n"_s, u""_s);
        ok("C: numbers for programs", u"--locale C --format csv --without 24094 360"_s,
           u"L1,L2,L3,L4,L5,L6,L7,L8,L9,Länge,Gl1,Gl2,Gl3,Gl4,Gl5,Gl6,Gl7,Gl8,Gl9,Preis\r\n"
           "360.0,,,,,,,,,360.0,24360,,,,,,,,,0.00\r\n"
           "188.3,171.7,,,,,,,,360.0,24188,24172,,,,,,,,0.00\r\n"_s,
           u"2\n"_s);
        ok("German prices, plain numbers",
           de + u"--plain-numbers --format text --max-pieces 2 548 1 1"_s,
           u"Länge  Preis  Gleise  Stückliste\n"
           "548.3  13.50       2  1 × 24 360, 1 × 24 188\n"_s,
           u"1\n"_s);
        // A German settings file read where numbers are written with a
        // decimal point: each price that is no number there is told, and
        // the rows still come.
        const QString counts = u"ist im Gebietsschema C keine Zahl und zählt als 0; im "
                               "Gebietsschema de_DE wäre er "_s;
        ok("German prices under C", u"--locale C --prices PRICES --max-pieces 2 360"_s,
           u"360.0\t\t\t\t\t\t\t\t\t360.0\t24360\t\t\t\t\t\t\t\t\t0.00\n"
           "188.3\t171.7\t\t\t\t\t\t\t\t360.0\t24188\t24172\t\t\t\t\t\t\t\t1.00\n"_s,
           u"torvelin-search: Warnung: Der Preis von 24360 („12,50“) "_s + counts +
               u"12,50.\ntorvelin-search: Warnung: Der Preis von 24172 („2,25“) "_s + counts +
               u"2,25.\ntorvelin-search: Warnung: Der Preis von 24094 („0,5“) "_s + counts +
               u"0,50.\ntorvelin-search: Warnung: Der Preis von 24077 („0,25“) "_s + counts +
               u"0,25.\n2\n"_s);
        const auto usage = [&](const char *tag, const QString &arguments, const QString &message) {
            bad(tag, arguments, u"torvelin-search: "_s + message + u'\n');
        };
        // The window's own message texts, without the blanks its message
        // boxes carry.
        usage("59", u"--locale de_DE 59"_s, u"Die minimal anzugebende Länge beträgt 60 mm !"_s);
        // Too long to count is still beyond the maximum, not a malformed number.
        usage("twenty digits", u"--locale de_DE 99999999999999999999"_s,
              u"Die maximal berechenbare Länge beträgt 3.240 mm !"_s);
        // A negative tolerance is a refused tolerance, not an unknown option.
        usage("tolerance -1", u"360 -1 0"_s,
              u"Eine Toleranz muss eine Ziffer von 0 bis 9 sein !"_s);
        const QString expected = u"Erwartet werden LÄNGE oder LÄNGE MINUS PLUS (siehe --help)."_s;
        usage("one tolerance", u"360 5"_s, expected);
        usage("three tolerances", u"360 1 2 3"_s, expected);
        usage("missing price file", u"--prices PRICES.missing 360"_s,
              u"Die Preisdatei "_s + m_dir.filePath(u"Torvelin.ini.missing"_s) +
                  u" gibt es nicht."_s);
        usage("price file a folder", u"--prices FOLDER 360"_s,
              u"Die Preisdatei "_s + m_dir.path() + u" ist ein Ordner."_s);
        usage("unknown option", u"--colour 360"_s, u"Unbekannte Option: --colour (siehe --help)"_s);
        usage("flag with a value", u"--count=1 360"_s, u"Die Option --count nimmt keinen Wert."_s);
        usage("unknown sort", u"--sort fast 360"_s,
              u"Unbekannte Sortierung: fast (möglich sind length, price, pieces, articles)"_s);
        usage("stock 10", u"--stock 24360=10 360"_s,
              u"Der Bestand von 24360 muss eine Zahl von 0 bis 9 sein, nicht: 10"_s);
    }
    void run()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, errors);
        QProcess process;
        process.start(QStringLiteral(TORVELIN_SEARCH_PATH),
                      arguments.replace(u"PRICES"_s, m_dir.filePath(u"Torvelin.ini"_s))
                          .replace(u"FOLDER"_s, m_dir.path())
                          .split(u' '));
        QVERIFY(process.waitForFinished(-1));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QTEST(process.exitCode(), "status");
        QTEST(QString::fromUtf8(process.readAllStandardOutput()), "output");
        const QString err = QString::fromUtf8(process.readAllStandardError());
        if (errors == u"*")
            QVERIFY(!err.trimmed().isEmpty());
        else
            QCOMPARE(err, errors);
    }

    // The help wins over every other option, and names each option at the
    // start of one line only, the range options included.
    void helpListsEachOptionOnce()
    {
        QProcess process;
        process.start(QStringLiteral(TORVELIN_SEARCH_PATH),
                      {u"--range"_s, u"nix"_s, u"--limit"_s, u"1"_s, u"--help"_s});
        QVERIFY(process.waitForFinished(-1));
        QCOMPARE(process.exitCode(), 0);
        QStringList named;
        for (const QString &line :
             QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
            if (line.startsWith(u"  --"_s))
                named << line.mid(2).section(u' ', 0, 0);
        }
        QVERIFY(named.contains(u"--swap"_s));
        QCOMPARE(named.removeDuplicates(), 0);
    }

    // Where the output goes: a write that fails is status 1 with one line;
    // a reader that stops early (| head) ends the program without a word.
    void output_data()
    {
        QTest::addColumn<QString>("shell"); // $0 is the program
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("lines"); // on standard output
        QTest::addColumn<QString>("errors");
        const QString failed = u"torvelin-search: Die Ausgabe ließ sich nicht schreiben: "_s;
        if (QFileInfo::exists(u"/dev/full"_s)) {
            QTest::newRow("full disk") << u"\"$0\" 1265 9 9 >/dev/full"_s << 1 << 0
                                       << failed + u"kein Platz mehr auf dem Datenträger.\n"_s;
            // The range options write through the same checked output.
            QTest::newRow("full disk, range path")
                << u"\"$0\" --limit 3 360 >/dev/full"_s << 1 << 0
                << failed + u"kein Platz mehr auf dem Datenträger.\n"_s;
        }
        QTest::newRow("closed output") << u"\"$0\" --count 360 >&-"_s << 1 << 0
                                       << failed + u"die Standardausgabe ist geschlossen.\n"_s;
        QTest::newRow("reader stops early")
            << u"\"$0\" --format json 1265 9 9 | head -1"_s << 0 << 1 << QString();
        QTest::newRow("reader stops early, range path")
            << u"\"$0\" --limit 100000 1265 9 9 | head -1"_s << 0 << 1 << QString();
    }
    void output()
    {
        QFETCH(QString, shell);
        QProcess process;
        process.start(u"/bin/sh"_s, {u"-c"_s, shell, QStringLiteral(TORVELIN_SEARCH_PATH)});
        QVERIFY(process.waitForFinished(-1));
        QTEST(process.exitCode(), "status");
        QTEST(int(process.readAllStandardOutput().count('\n')), "lines");
        QTEST(QString::fromUtf8(process.readAllStandardError()), "errors");
    }
};

QTEST_GUILESS_MAIN(tst_SearchCli)
#include "tst_searchcli.moc"
