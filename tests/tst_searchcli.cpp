#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs the built torvelin-search as a user would: which path a command line
// takes, what each option adds to the output, the exit status and the
// one-line messages. Which rows fit, in which order, and how each format
// writes them is tested with the core units.
class tst_SearchCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void write(const QString &name, const QByteArray &content)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(QStringLiteral(TORVELIN_SEARCH_PATH)));
        // A settings file as the program writes it; only the prices matter:
        // 24360 costs 12,50, 24188 1,00, 24172 2,00, every other piece 99,00.
        write(u"Torvelin.ini"_s,
              "[Preise]\r\n12,50\r\n99\r\n99\r\n1\r\n2\r\n99\r\n99\r\n99\r\n99\r\n"
              "\r\n[Toleranzen]\r\n0\r\n0\r\n\r\n[Position]\r\n 0 \r\n 0 \r\n\r\n"
              "[farbige Tabelle]\r\n 0 \r\n 0 \r\n\r\n");
        write(u"zwei.txt"_s, "# zwei Gleise\nA 100 Gleis A\nB 30.25\n");
    }

    // The arguments as a shell takes them, redirections and pipes included;
    // DIR stands for a scratch folder holding Torvelin.ini and the range
    // file zwei.txt.
    void run_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("errors");
        const QString de = u"--locale de_DE "_s;
        const QString priced = de + u"--prices DIR/Torvelin.ini "_s;
        const auto ok = [](const char *tag, const QString &arguments, const QString &output,
                           const QString &errors) {
            QTest::newRow(tag) << arguments << 0 << output << errors;
        };
        const auto bad = [](const char *tag, const QString &arguments, const QString &message) {
            QTest::newRow(tag) << arguments << 2 << QString()
                               << u"torvelin-search: "_s + message + u'\n';
        };
        ok("sort price, text", priced + u"--sort price --max-pieces 2 --format text 360"_s,
           u"Länge  Preis  Gleise  Stückliste\n"
           "360,0   3,00       2  1 × 24 188, 1 × 24 172\n"
           "360,0  12,50       1  1 × 24 360\n"_s,
           u"2\n"_s);
        ok("English csv", u"--locale=en_US --format csv --without 24360,24094 360"_s,
           u"L1,L2,L3,L4,L5,L6,L7,L8,L9,Länge,Gl1,Gl2,Gl3,Gl4,Gl5,Gl6,Gl7,Gl8,Gl9,Preis\r\n"
           "188.3,171.7,,,,,,,,360.0,24188,24172,,,,,,,,.00\r\n"_s,
           u"1\n"_s);
        ok("json, stock only", u"--format json --stock 24188=1 --stock-only 360"_s, u"[]\n"_s,
           u"0\n"_s);
        // The count is of the rows kept; options may follow the arguments.
        ok("count", u"00000000000000000360 0 0 --count --max-pieces 2"_s, u"2\n"_s, u""_s);
        ok("version", u"--version 360"_s, u"torvelin-search " TORVELIN_VERSION "\n"_s, u""_s);
        // The help wins over every other option and names the range options.
        ok("help", u"--range nix --limit 1 --help >DIR/help && grep -c '^  --swap ' DIR/help"_s,
           u"1\n"_s, u""_s);
        ok("German prices, plain numbers",
           priced + u"--plain-numbers --format text --max-pieces 2 548 1 1"_s,
           u"Länge  Preis  Gleise  Stückliste\n"
           "548.3  13.50       2  1 × 24 360, 1 × 24 188\n"_s,
           u"1\n"_s);
        // The rows tab-separated, the count on standard error. A German
        // settings file read where numbers are written with a decimal point:
        // the price that is no number there is told, and the rows still
        // come, written for programs.
        ok("German prices under C",
           u"--locale C.UTF-8 --prices DIR/Torvelin.ini --max-pieces 2 360"_s,
           u"360.0\t\t\t\t\t\t\t\t\t360.0\t24360\t\t\t\t\t\t\t\t\t0.00\n"
           "188.3\t171.7\t\t\t\t\t\t\t\t360.0\t24188\t24172\t\t\t\t\t\t\t\t3.00\n"_s,
           u"torvelin-search: Warnung: Der Preis von 24360 („12,50“) ist im Gebietsschema C keine "
           "Zahl und zählt als 0; im Gebietsschema de_DE wäre er 12,50.\n2\n"_s);
        // The range options read the prices the same way and tell the same;
        // a price given on the command line takes the file's place.
        ok("German prices under C, range path",
           u"--locale POSIX --prices DIR/Torvelin.ini --sort nearest --limit 1 360"_s,
           u"360.0\t\t\t\t\t\t\t\t\t360.0\t24360\t\t\t\t\t\t\t\t\t0.00\n"_s,
           u"torvelin-search: Warnung: Der Preis von 24360 („12,50“) ist im Gebietsschema C keine "
           "Zahl und zählt als 0; im Gebietsschema de_DE wäre er 12,50.\n1 von 3\n"_s);
        ok("price given instead",
           u"--locale C --prices DIR/Torvelin.ini --unit-prices 24360=1 "
           "--limit 1 --count 360"_s,
           u"3\n"_s, u""_s);
        // A file that holds no prices at all is no settings file of ours.
        ok("no price lines", u"--prices /dev/null --count 360"_s, u"3\n"_s,
           u"torvelin-search: Warnung: Die Preisdatei „/dev/null“ enthält keine Preiszeilen; jeder "
           "Preis zählt als 0.\n"_s);
        // The range options: the built-in range by name, a file by path.
        ok("built-in by name, limit", de + u"--range maerklin-c --limit 1 360"_s,
           u"360,0\t\t\t\t\t\t\t\t\t360,0\t24360\t\t\t\t\t\t\t\t\t,00\n"_s, u"1 von 3\n"_s);
        // Two decimals where a piece has them; texts from the file.
        ok("file by path, text", de + u"--range DIR/zwei.txt --format text 160 0 1"_s,
           u"Länge  Preis  Gleise  Stückliste\n160,5    ,00       3  1 × Gleis A, 2 × B\n"_s,
           u"1\n"_s);
        // 359,5 measured and 0,5 a joint, read as the locale writes them:
        // one piece makes 360,5 mm.
        ok("measured and joint", de + u"--measured 24360=359,5 --joint 0,5 --limit 1 360 0 1"_s,
           u"359,5\t\t\t\t\t\t\t\t\t360,5\t24360\t\t\t\t\t\t\t\t\t,00\n"_s, u"1 von 2\n"_s);
        ok("stock: to buy and its cost",
           de + u"--stock 24188=1 --unit-prices 24188=2,50,24172=1 --sort to-buy --format text "
                "--limit 2 360"_s,
           u"Länge  Preis  Gleise  Zu kaufen  Kaufpreis  Stückliste\n"
           "360,0    ,00       1          1        ,00  1 × 24 360\n"
           "360,0   3,50       2          1       1,00  1 × 24 188, 1 × 24 172\n"_s,
           u"2 von 3\n"_s);
        ok("shopping list", de + u"--unit-prices 24360=12,50 --format shopping --sort pieces 360"_s,
           u"Artikel;Anzahl;Stückpreis;Summe\r\n24360;1;12,50;12,50\r\nGesamt;;;12,50\r\n"_s,
           u"3\n"_s);
        ok("nearest", de + u"--nearest 110 0 0"_s,
           u"unter\t94,2\t16\t1\t1 × 24 094\nüber\t128,6\t19\t2\t2 × 24 064\n"_s, QString());
        ok("nothing fits", de + u"--range DIR/zwei.txt 115 0 0"_s, QString(),
           u"0\ntorvelin-search: keine Auswahl passt; am nächsten kommen 100,0 mm "
           "(Minus-Toleranz 15) und 121,0 mm (Plus-Toleranz 6)\n"_s);
        ok("swap", de + u"--swap 24360,24077 --off 6,7"_s, u"24077\t24071\t0,0\n"_s, u"1\n"_s);
        // Numbers for programs, as on the window's path: "." and no grouping.
        ok("range path, plain numbers", u"--locale C --limit 1 --format text 1265"_s,
           u" Länge  Preis  Gleise  Stückliste\n"
           "1265.0   0.00       7  1 × 24 229, 5 × 24 188, 1 × 24 094\n"_s,
           u"1 von 3\n"_s);
        ok("plain shopping list",
           de + u"--plain-numbers --unit-prices 24360=0,5 --format shopping --sort pieces 360"_s,
           u"Artikel,Anzahl,Stückpreis,Summe\r\n24360,1,0.50,0.50\r\nGesamt,,,0.50\r\n"_s,
           u"3\n"_s);
        // Every place ranges come from: built in, shipped (found in the
        // source tree from the build tree), and XTrackCAD's files where they
        // are installed.
        ok("built-in range listed first", u"--ranges | head -1 | cut -f 1-3"_s,
           u"maerklin-c\teingebaut\t9\n"_s, u""_s);
        ok("shipped ranges", u"--ranges | grep -c mitgeliefert"_s, u"12\n"_s, u""_s);
        if (QFileInfo::exists(u"/usr/share/xtrkcad/params/Piko-A.xtp"_s)) {
            ok("XTrackCAD's ranges", u"--ranges | grep Piko-A.xtp"_s,
               u"xtrkcad:Piko-A\tXTrackCAD\t6\t/usr/share/xtrkcad/params/Piko-A.xtp\n"_s, u""_s);
        }
        // Twenty pieces of 100 mm, and nothing else within twenty pieces.
        ok("range count", u"--range DIR/zwei.txt --max-pieces 20 --count 2000 50 50"_s, u"1\n"_s,
           QString());

        // The window's own message texts, without the blanks its message
        // boxes carry.
        bad("59", de + u"59"_s, u"Die minimal anzugebende Länge beträgt 60 mm !"_s);
        bad("range path, 59", u"--limit 1 59"_s,
            u"Die minimal anzugebende Länge beträgt 60 mm !"_s);
        // Too long to count is still beyond the maximum, not a malformed number.
        bad("twenty digits", de + u"99999999999999999999"_s,
            u"Die maximal berechenbare Länge beträgt 3.240 mm !"_s);
        // A negative tolerance is a refused tolerance, not an unknown option.
        bad("tolerance -1", u"360 -1 0"_s, u"Eine Toleranz muss eine Ziffer von 0 bis 9 sein !"_s);
        const QString expected = u"Erwartet werden LÄNGE oder LÄNGE MINUS PLUS (siehe --help)."_s;
        bad("one tolerance", u"360 5"_s, expected);
        bad("three tolerances", u"360 1 2 3"_s, expected);
        bad("missing price file", u"--prices DIR/Torvelin.ini.missing 360"_s,
            u"Die Preisdatei „DIR/Torvelin.ini.missing“ gibt es nicht."_s);
        bad("price file a folder", u"--prices DIR 360"_s,
            u"Die Preisdatei „DIR“ ist ein Ordner."_s);
        bad("unknown option", u"--colour 360"_s, u"Unbekannte Option: „--colour“ (siehe --help)"_s);
        bad("flag with a value", u"--count=1 360"_s, u"Die Option --count nimmt keinen Wert."_s);
        bad("unknown sort", u"--sort fast 360"_s,
            u"Unbekannte Sortierung: „fast“ (möglich sind length, price, pieces, articles, nearest, to-buy, buy-cost)"_s);
        bad("unknown range", u"--range h0 360"_s,
            u"Unbekanntes Gleissortiment: „h0“ (siehe --ranges)"_s);
        bad("measured out of reason", u"--measured 24360=300 360"_s,
            u"Die gemessene Länge von 24360 muss eine Zahl wie 360.0 sein, höchstens 10 % von "
            "der Nennlänge entfernt, nicht: „300“"_s);
        bad("swap piece not in the range", u"--range DIR/zwei.txt --swap A,24360 --off 1"_s,
            u"Die Artikelnummer „24360“ gibt es im Sortiment zwei nicht (--swap)"_s);
        bad("swap without off", u"--swap 24360"_s,
            u"--swap braucht --off: um wie viele mm ist die Strecke zu lang (positiv) oder zu "
            "kurz (negativ)?"_s);
        bad("built-in keeps nine pieces", u"--limit 1 --max-pieces 10 360"_s,
            u"--max-pieces braucht eine Zahl von 1 bis 9, nicht: „10“"_s);
        bad("built-in keeps its tolerances", u"--limit 1 360 10 0"_s,
            u"Eine Toleranz muss eine Ziffer von 0 bis 9 sein !"_s);
        bad("file tolerance above 50", u"--range DIR/zwei.txt 360 0 51"_s,
            u"Eine Toleranz muss eine ganze Zahl von 0 bis 50 sein, nicht: „51“"_s);
        bad("joint with the other decimal point", de + u"--joint 0.5 360"_s,
            u"--joint braucht eine Länge von -5 bis 5 mm wie 0,3, nicht: „0.5“"_s);
        bad("joint too large", u"--joint 6 360"_s,
            u"--joint braucht eine Länge von -5 bis 5 mm wie 0.3, nicht: „6“"_s);

        // Where the output goes: a write that fails is status 1 with one
        // line; a reader that stops early (| head) ends the program without
        // a word.
        const QString failed = u"torvelin-search: Die Ausgabe ließ sich nicht schreiben: "_s;
        if (QFileInfo::exists(u"/dev/full"_s)) {
            const QString full = failed + u"kein Platz mehr auf dem Datenträger.\n"_s;
            QTest::newRow("full disk") << u"1265 9 9 >/dev/full"_s << 1 << QString() << full;
            // The range options write through the same checked output.
            QTest::newRow("full disk, range path")
                << u"--limit 3 360 >/dev/full"_s << 1 << QString() << full;
        }
        QTest::newRow("closed output") << u"--count 360 >&-"_s << 1 << QString()
                                       << failed + u"die Standardausgabe ist geschlossen.\n"_s;
        ok("reader stops early", u"--format json 1265 9 9 | head -1 | wc -l"_s, u"1\n"_s, u""_s);
        ok("reader stops early, range path", u"--limit 100000 1265 9 9 | head -1 | wc -l"_s,
           u"1\n"_s, u""_s);
    }
    void run()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, errors);
        QProcess process;
        // No user's range files, whatever the machine holds.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, m_dir.path());
        env.insert(u"XDG_CONFIG_HOME"_s, m_dir.filePath(u"config"_s));
        process.setProcessEnvironment(env);
        process.start(u"/bin/sh"_s,
                      {u"-c"_s, u"\"$0\" "_s + arguments.replace(u"DIR"_s, m_dir.path()),
                       QStringLiteral(TORVELIN_SEARCH_PATH)});
        QVERIFY(process.waitForFinished(-1));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QTEST(process.exitCode(), "status");
        QTEST(QString::fromUtf8(process.readAllStandardOutput()), "output");
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
                 errors.replace(u"DIR"_s, m_dir.path()));
    }
};

QTEST_GUILESS_MAIN(tst_SearchCli)
#include "tst_searchcli.moc"
