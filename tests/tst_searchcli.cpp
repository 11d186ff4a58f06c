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
