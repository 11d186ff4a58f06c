#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs the built torvelin-search as a user would and checks what it prints.
class tst_SearchCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void run_data();
    void run();

private:
    QTemporaryDir m_dir;
    QString m_prices;
};

void tst_SearchCli::initTestCase()
{
    QVERIFY(QFileInfo::exists(QStringLiteral(TORVELIN_SEARCH_PATH)));
    QVERIFY(m_dir.isValid());
    // A settings file as the program writes it; only the price lines matter
    // to the search. 24360 costs 12,50, 24188 1,00, 24172 2,25, 24094 0,50
    // and 24077 0,25.
    m_prices = m_dir.filePath(u"Torvelin.ini"_s);
    QFile file(m_prices);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Preise]\r\n12,50\r\n99\r\n99\r\n1\r\n2,25\r\n0,5\r\n 0,25 \r\n99\r\n99\r\n"
               "\r\n[Toleranzen]\r\n0\r\n0\r\n\r\n[Position]\r\n 0 \r\n 0 \r\n\r\n"
               "[farbige Tabelle]\r\n 0 \r\n 0 \r\n\r\n");
}

void tst_SearchCli::run_data()
{
    // `lines` holds the expected standard output from its start, one entry
    // per row with the twenty cells separated by "|". `rows` is the number of
    // output lines; `errors` is the expected standard error, whole (or, when empty
    // for a failing run, any message).
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("errors");

    const QString tooShort = u"Die minimal anzugebende Länge beträgt 60 mm !       \n"_s;
    const QString tooLong = u"Die maximal berechenbare Länge beträgt 3.240 mm !       \n"_s;

    QTest::newRow("360 German")
        << QStringList{u"--locale"_s, u"de_DE"_s, u"360"_s} << 0 << 3
        << QStringList{u"360,0|||||||||360,0|24360|||||||||,00"_s,
                       u"188,3|171,7||||||||360,0|24188|24172||||||||,00"_s,
                       u"188,3|94,2|77,5|||||||360,0|24188|24094|24077|||||||,00"_s}
        << u"3\n"_s;
    QTest::newRow("360 with prices")
        << QStringList{u"--locale"_s, u"de_DE"_s, u"--prices"_s, u"PRICES"_s,
                       u"360"_s,      u"0"_s,     u"0"_s}
        << 0 << 3
        << QStringList{u"360,0|||||||||360,0|24360|||||||||12,50"_s,
                       u"188,3|171,7||||||||360,0|24188|24172||||||||3,25"_s,
                       u"188,3|94,2|77,5|||||||360,0|24188|24094|24077|||||||1,75"_s}
        << u"3\n"_s;
    QTest::newRow("1000 English")
        << QStringList{u"--locale"_s, u"en_US"_s, u"1000"_s} << 0 << 5
        << QStringList{u"360.0|171.7|171.7|77.5|77.5|70.8|70.8|||1,000.0|"
                       "24360|24172|24172|24077|24077|24071|24071|||.00"_s}
        << u"5\n"_s;
    QTest::newRow("1265 with 9 and 9")
        << QStringList{u"--locale"_s, u"de_DE"_s, u"1265"_s, u"9"_s, u"9"_s} << 0 << 929
        << QStringList() << u"929\n"_s;
    QTest::newRow("60 finds nothing")
        << QStringList{u"--locale"_s, u"de_DE"_s, u"60"_s} << 0 << 0 << QStringList() << u"0\n"_s;
    QTest::newRow("59") << QStringList{u"--locale"_s, u"de_DE"_s, u"59"_s} << 2 << 0
                        << QStringList() << tooShort;
    QTest::newRow("3241") << QStringList{u"--locale"_s, u"de_DE"_s, u"3241"_s} << 2 << 0
                          << QStringList() << tooLong;
    QTest::newRow("letters") << QStringList{u"abc"_s} << 2 << 0 << QStringList() << QString();
    QTest::newRow("tolerance 10") << QStringList{u"--locale"_s, u"de_DE"_s, u"360"_s, u"10"_s,
                                                 u"0"_s}
                                  << 2 << 0 << QStringList() << QString();
    QTest::newRow("missing price file") << QStringList{u"--prices"_s, u"PRICES.missing"_s, u"360"_s}
                                        << 2 << 0 << QStringList() << QString();
}

void tst_SearchCli::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(int, rows);
    QFETCH(QStringList, lines);
    QFETCH(QString, errors);

    for (QString &argument : arguments)
        argument.replace(u"PRICES"_s, m_prices);

    QProcess process;
    process.start(QStringLiteral(TORVELIN_SEARCH_PATH), arguments);
    QVERIFY(process.waitForFinished(-1));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);

    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QStringList output = out.split(u'\n');
    QCOMPARE(output.takeLast(), QString()); // every line ends with a line end
    QCOMPARE(output.size(), rows);
    for (const QString &line : std::as_const(output))
        QCOMPARE(line.count(u'\t'), 19);
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(output.at(i), QString(lines.at(i)).replace(u'|', u'\t'));

    if (status == 0 || !errors.isEmpty())
        QCOMPARE(err, errors);
    else
        QVERIFY(!err.trimmed().isEmpty());
}

QTEST_GUILESS_MAIN(tst_SearchCli)
#include "tst_searchcli.moc"
