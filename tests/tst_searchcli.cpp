#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs the built torvelin-search as a user would and checks what it prints.
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

    // `lines` is the start of the standard output, a row to an entry with
    // the twenty cells separated by "|". `errors` is the whole standard error:
    // the number of rows found, or a message (any when empty).
    void run_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("errors");
        QTest::newRow("360 with prices")
            << u"--locale de_DE --prices PRICES 360 0 0"_s << 0
            << QStringList{u"360,0|||||||||360,0|24360|||||||||12,50"_s,
                           u"188,3|171,7||||||||360,0|24188|24172||||||||3,25"_s,
                           u"188,3|94,2|77,5|||||||360,0|24188|24094|24077|||||||1,75"_s}
            << u"3\n"_s;
        QTest::newRow("1000 English")
            << u"--locale en_US 1000"_s << 0
            << QStringList{u"360.0|171.7|171.7|77.5|77.5|70.8|70.8|||1,000.0|"
                           "24360|24172|24172|24077|24077|24071|24071|||.00"_s}
            << u"5\n"_s;
        QTest::newRow("1265 with 9 and 9")
            << u"--locale de_DE 1265 9 9"_s << 0 << QStringList() << u"929\n"_s;
        QTest::newRow("60 finds nothing")
            << u"--locale de_DE 60"_s << 0 << QStringList() << u"0\n"_s;
        QTest::newRow("59") << u"--locale de_DE 59"_s << 2 << QStringList()
                            << u"Die minimal anzugebende Länge beträgt 60 mm !       \n"_s;
        QTest::newRow("3241") << u"--locale de_DE 3241"_s << 2 << QStringList()
                              << u"Die maximal berechenbare Länge beträgt 3.240 mm !       \n"_s;
        QTest::newRow("letters") << u"abc"_s << 2 << QStringList() << QString();
        QTest::newRow("missing price file")
            << u"--prices PRICES.missing 360"_s << 2 << QStringList() << QString();
        // Too long to count is still beyond the maximum, not a malformed number.
        QTest::newRow("twenty digits")
            << u"--locale de_DE 99999999999999999999"_s << 2 << QStringList()
            << u"Die maximal berechenbare Länge beträgt 3.240 mm !       \n"_s;
        QTest::newRow("leading zeros")
            << u"--locale de_DE 00000000000000000360"_s << 0 << QStringList() << u"3\n"_s;
        QTest::newRow("negative length")
            << u"--locale de_DE -360"_s << 2 << QStringList()
            << u"Die minimal anzugebende Länge beträgt 60 mm !       \n"_s;
        // A negative tolerance is a refused tolerance, not an unknown option.
        QTest::newRow("tolerance -1") << u"360 -1 0"_s << 2 << QStringList()
                                      << u"Eine Toleranz muss eine Ziffer von 0 bis 9 sein !\n"_s;
        QTest::newRow("plus tolerance 10")
            << u"360 0 10"_s << 2 << QStringList()
            << u"Eine Toleranz muss eine Ziffer von 0 bis 9 sein !\n"_s;
        QTest::newRow("Arabic-Indic digit")
            << u"360 0 \u0663"_s << 2 << QStringList()
            << u"Eine Toleranz muss eine Ziffer von 0 bis 9 sein !\n"_s;
        QTest::newRow("options after the arguments")
            << u"360 0 0 --locale de_DE"_s << 0
            << QStringList{u"360,0|||||||||360,0|24360|||||||||,00"_s} << u"3\n"_s;
        QTest::newRow("value after equals sign")
            << u"--locale=de_DE 360"_s << 0
            << QStringList{u"360,0|||||||||360,0|24360|||||||||,00"_s} << u"3\n"_s;
        QTest::newRow("unknown option")
            << u"--colour 360"_s << 2 << QStringList()
            << u"torvelin-search: Unbekannte Option: --colour (siehe --help)\n"_s;
        QTest::newRow("missing value") << u"360 --locale"_s << 2 << QStringList()
                                       << u"torvelin-search: Bei --locale fehlt der Wert.\n"_s;
        QTest::newRow("option twice")
            << u"--locale de_DE --locale=en_US 360"_s << 2 << QStringList()
            << u"torvelin-search: Die Option --locale ist mehrfach angegeben.\n"_s;
        QTest::newRow("two arguments") << u"360 1"_s << 2 << QStringList() << QString();
    }
    void run()
    {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QFETCH(QString, errors);
        QProcess process;
        process.start(
            QStringLiteral(TORVELIN_SEARCH_PATH),
            arguments.replace(u"PRICES"_s, m_dir.filePath(u"Torvelin.ini"_s)).split(u' '));
        QVERIFY(process.waitForFinished(-1));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), status);
        QStringList output = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
        QCOMPARE(output.takeLast(), QString()); // every line ends with a line end
        QCOMPARE(output.size(), status == 0 ? errors.toInt() : 0);
        for (const QString &line : std::as_const(output))
            QCOMPARE(line.count(u'\t'), 19);
        QCOMPARE(output.first(lines.size()), lines.replaceInStrings(u"|"_s, u"\t"_s));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        if (errors.isEmpty())
            QVERIFY(!err.trimmed().isEmpty());
        else
            QCOMPARE(err, errors);
    }

    // The new options through the process: each reaches the output, and
    // each bad value ends with one German line and status 2. What the
    // options pick and how rows are written is tested with the core units.
    void options_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("errors");
        const QString de = u"--locale de_DE --prices PRICES "_s;
        QTest::newRow("count") << u"360 --count"_s << 0 << u"3\n"_s << QString();
        QTest::newRow("count of at most two pieces")
            << u"--max-pieces=2 --count 360"_s << 0 << u"2\n"_s << QString();
        QTest::newRow("text by price")
            << de + u"--sort price --format text 360"_s << 0
            << u"Länge  Preis  Gleise  Stückliste\n"
               "360,0   1,75       3  1 × 24 188, 1 × 24 094, 1 × 24 077\n"
               "360,0   3,25       2  1 × 24 188, 1 × 24 172\n"
               "360,0  12,50       1  1 × 24 360\n"_s
            << u"3\n"_s;
        QTest::newRow("csv without 24360, two lists")
            << de + u"--format csv --without 24360 --without 24094 360"_s << 0
            << u"L1;L2;L3;L4;L5;L6;L7;L8;L9;Länge;Gl1;Gl2;Gl3;Gl4;Gl5;Gl6;Gl7;Gl8;Gl9;Preis\r\n"
               "188,3;171,7;;;;;;;;360,0;24188;24172;;;;;;;;3,25\r\n"_s
            << u"1\n"_s;
        QTest::newRow("json, stock only")
            << u"--format json --stock 24188=1 --stock-only 360"_s << 0 << u"[]\n"_s << u"0\n"_s;
        QTest::newRow("tsv by pieces")
            << de + u"--format tsv --sort pieces 360"_s << 0
            << u"360,0\t\t\t\t\t\t\t\t\t360,0\t24360\t\t\t\t\t\t\t\t\t12,50\n"
               "188,3\t171,7\t\t\t\t\t\t\t\t360,0\t24188\t24172\t\t\t\t\t\t\t\t3,25\n"
               "188,3\t94,2\t77,5\t\t\t\t\t\t\t360,0\t24188\t24094\t24077\t\t\t\t\t\t\t1,75\n"_s
            << u"3\n"_s;

        const auto bad = [](const char *tag, const QString &arguments, const QString &message) {
            QTest::newRow(tag) << arguments << 2 << QString()
                               << u"torvelin-search: "_s + message + u'\n';
        };
        bad("unknown sort", u"--sort fast 360"_s,
            u"Unbekannte Sortierung: fast (möglich sind length, price, pieces, articles)"_s);
        bad("unknown format", u"--format xml 360"_s,
            u"Unbekanntes Format: xml (möglich sind tsv, csv, text, json)"_s);
        bad("max-pieces 0", u"--max-pieces 0 360"_s,
            u"--max-pieces braucht eine Zahl von 1 bis 9, nicht: 0"_s);
        bad("stock 10", u"--stock 24360=10 360"_s,
            u"Der Bestand von 24360 muss eine Zahl von 0 bis 9 sein, nicht: 10"_s);
        bad("unknown piece", u"--without 24000 360"_s,
            u"Unbekannte Artikelnummer: 24000 (bekannt sind 24360, 24236, 24229, 24188, 24172, "
            "24094, 24077, 24071, 24064)"_s);
        bad("stock-only alone", u"--stock-only 360"_s,
            u"--stock-only braucht --stock: welche Gleise sind vorhanden?"_s);
        bad("without and stock", u"--without 24360 --stock 24360=1 360"_s,
            u"24360 steht in --without und in --stock; bitte nur in einem."_s);
        bad("count with format", u"--count --format csv 360"_s,
            u"--count gibt nur eine Zahl aus und verträgt kein --format."_s);
        bad("flag with a value", u"--count=1 360"_s, u"Die Option --count nimmt keinen Wert."_s);
        bad("sort twice", u"--sort price --sort length 360"_s,
            u"Die Option --sort ist mehrfach angegeben."_s);
    }
    void options()
    {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QString, errors);
        QProcess process;
        process.start(
            QStringLiteral(TORVELIN_SEARCH_PATH),
            arguments.replace(u"PRICES"_s, m_dir.filePath(u"Torvelin.ini"_s)).split(u' '));
        QVERIFY(process.waitForFinished(-1));
        QCOMPARE(process.exitCode(), status);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), output);
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()), errors);
    }

    // The usage line names each argument once, and the help is German.
    void help()
    {
        QProcess process;
        process.start(QStringLiteral(TORVELIN_SEARCH_PATH), {u"--help"_s});
        QVERIFY(process.waitForFinished(-1));
        QCOMPARE(process.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
        QCOMPARE(lines.first(), u"Aufruf: torvelin-search [OPTIONEN] LÄNGE [MINUS PLUS]"_s);
        QCOMPARE(lines.first().count(u"PLUS"_s), 1);
    }
};

QTEST_GUILESS_MAIN(tst_SearchCli)
#include "tst_searchcli.moc"
