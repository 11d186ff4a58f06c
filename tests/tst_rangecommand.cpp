#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The range options of the built torvelin-search as a user runs them: which
// path a command line takes, what each option adds to the output, and the
// one-line refusals. Which rows fit and in which order is the solver's test.
class tst_RangeCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    struct Run
    {
        int status = -1;
        QString out;
        QString err;
    };

    Run start(const QString &arguments)
    {
        QProcess process;
        // No user's range files, whatever the machine holds.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, m_dir.path());
        env.insert(u"XDG_CONFIG_HOME"_s, m_dir.filePath(u"config"_s));
        process.setProcessEnvironment(env);
        QString args = arguments;
        args.replace(u"DIR"_s, m_dir.path());
        process.start(QStringLiteral(TORVELIN_SEARCH_PATH), args.split(u' '));
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(QStringLiteral(TORVELIN_SEARCH_PATH)));
        QFile file(m_dir.filePath(u"zwei.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# zwei Gleise\nA 100 Gleis A\nB 30.25\n");
        file.close();
        QFile broken(m_dir.filePath(u"kaputt.txt"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("A 100\nB 30,25\n");
    }

    void run_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("errors");
        const QString de = u"--locale de_DE "_s;
        const auto ok = [](const char *tag, const QString &arguments, const QString &output,
                           const QString &errors) {
            QTest::newRow(tag) << arguments << 0 << output << errors;
        };
        const auto bad = [](const char *tag, const QString &arguments, const QString &message) {
            QTest::newRow(tag) << arguments << 2 << QString()
                               << u"torvelin-search: "_s + message + u'\n';
        };
        // The built-in range by name is today's search, rows and count alike.
        ok("built-in by name", de + u"--range maerklin-c 360"_s,
           u"360,0\t\t\t\t\t\t\t\t\t360,0\t24360\t\t\t\t\t\t\t\t\t,00\n"
           "188,3\t171,7\t\t\t\t\t\t\t\t360,0\t24188\t24172\t\t\t\t\t\t\t\t,00\n"
           "188,3\t94,2\t77,5\t\t\t\t\t\t\t360,0\t24188\t24094\t24077\t\t\t\t\t\t\t,00\n"_s,
           u"3\n"_s);
        ok("limit", de + u"--limit 1 360"_s,
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
        ok("plain numbers", u"--locale C --limit 1 --format csv 1265"_s,
           u"L1,L2,L3,L4,L5,L6,L7,L8,L9,Länge,Gl1,Gl2,Gl3,Gl4,Gl5,Gl6,Gl7,Gl8,Gl9,Preis\r\n"
           "229.3,188.3,188.3,188.3,188.3,188.3,94.2,,,1265.0,24229,24188,24188,24188,24188,"
           "24188,24094,,,0.00\r\n"_s,
           u"1 von 3\n"_s);
        ok("plain shopping list",
           de + u"--plain-numbers --unit-prices 24360=0,5 --format shopping --sort pieces 360"_s,
           u"Artikel,Anzahl,Stückpreis,Summe\r\n24360,1,0.50,0.50\r\nGesamt,,,0.50\r\n"_s,
           u"3\n"_s);
        // Twenty pieces of 100 mm, and nothing else within twenty pieces.
        ok("count", u"--range DIR/zwei.txt --max-pieces 20 --count 2000 50 50"_s, u"1\n"_s,
           QString());
        bad("unknown range", u"--range h0 360"_s,
            u"Unbekanntes Gleissortiment: h0 (siehe --ranges)"_s);
        bad("malformed file", u"--range DIR/kaputt.txt 360"_s,
            u"DIR/kaputt.txt:2: Länge 30,25 ist keine Zahl wie 64.3 (Punkt, höchstens zwei "
            "Nachkommastellen)"_s);
        bad("measured out of reason", u"--measured 24360=300 360"_s,
            u"Die gemessene Länge von 24360 muss eine Zahl wie 360.0 sein, höchstens 10 % von "
            "der Nennlänge entfernt, nicht: 300"_s);
        bad("swap piece not in the range", u"--range DIR/zwei.txt --swap A,24360 --off 1"_s,
            u"24360 gibt es im Sortiment zwei nicht (--swap)"_s);
        bad("swap without off", u"--swap 24360"_s,
            u"--swap braucht --off: um wie viele mm ist die Strecke zu lang (positiv) oder zu "
            "kurz (negativ)?"_s);
        bad("built-in keeps nine pieces", u"--limit 1 --max-pieces 10 360"_s,
            u"--max-pieces braucht eine Zahl von 1 bis 9, nicht: 10"_s);
        bad("built-in keeps its tolerances", u"--limit 1 360 10 0"_s,
            u"Eine Toleranz muss eine Ziffer von 0 bis 9 sein !"_s);
        bad("file tolerance above 50", u"--range DIR/zwei.txt 360 0 51"_s,
            u"Eine Toleranz muss eine ganze Zahl von 0 bis 50 sein, nicht: 51"_s);
        bad("joint with the other decimal point", de + u"--joint 0.5 360"_s,
            u"--joint braucht eine Länge von -5 bis 5 mm wie 0,3, nicht: 0.5"_s);
        bad("joint too large", u"--joint 6 360"_s,
            u"--joint braucht eine Länge von -5 bis 5 mm wie 0.3, nicht: 6"_s);
        bad("length below 60", u"--limit 1 59"_s,
            u"Die minimal anzugebende Länge beträgt 60 mm !"_s);
    }
    void run()
    {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QString, errors);
        const Run run = start(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.out, output);
        QCOMPARE(run.err, errors.replace(u"DIR"_s, m_dir.path()));
    }

    // The listing names every place: built in, shipped (found from the build
    // tree), and XTrackCAD's files where they are installed.
    void listsRanges()
    {
        const Run run = start(u"--ranges"_s);
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.first().startsWith(u"maerklin-c\teingebaut\t9\t"_s));
        QCOMPARE(lines.filter(u"\tmitgeliefert"_s).size(), 12);
        QVERIFY(lines.contains(u"maerklin-k\tmitgeliefert\t10\t"_s +
                               QStringLiteral(TORVELIN_SOURCE_RANGES) + u"/maerklin-k.txt"_s));
        if (QFileInfo::exists(u"/usr/share/xtrkcad/params/Piko-A.xtp"_s))
            QVERIFY(lines.contains(
                u"xtrkcad:Piko-A\tXTrackCAD\t6\t/usr/share/xtrkcad/params/Piko-A.xtp"_s));
    }
};

QTEST_GUILESS_MAIN(tst_RangeCommand)
#include "tst_rangecommand.moc"
