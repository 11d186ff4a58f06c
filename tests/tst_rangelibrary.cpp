#include "core/RangeLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

// Where ranges are found and which one a name chooses, in scratch folders
// standing for the user's, the shipped and the XTrackCAD folder.
class tst_RangeLibrary : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    RangeLibrary::Places m_places;

private Q_SLOTS:
    void initTestCase()
    {
        m_places.userFolders << m_dir.filePath(u"user"_s);
        m_places.shippedFolders << m_dir.filePath(u"shipped"_s);
        m_places.xtrkcadFolders << m_dir.filePath(u"xtp"_s);
        for (const auto &[name, content] :
             {std::pair{"user/k.txt", "2200 180\n2201 90\n"},
              {"user/maerklin-c.txt", "1 1\n"},
              {"user/broken.txt", "2200\n"},
              {"shipped/k.txt", "2200 180\n"},
              {"shipped/z.txt", "8500 110\n"},
              {"xtp/Z Test.xtp",
               "TURNOUT Z \"M\tS\t8500\"\n\tE 0 0 270\n\tE 1 0 90\n\tS 0 0 0 0 1 0\n\tEND\n"},
              {"xtp/Curves.xtp", "CONTENTS nothing straight\n"}}) {
            QFile file(m_dir.filePath(QString::fromLatin1(name)));
            QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) > 0);
        }
    }

    void listsEveryPlace()
    {
        QStringList lines;
        for (const RangeLibrary::Entry &e : RangeLibrary(m_places).list()) {
            lines << u"%1 %2 %3%4%5"_s.arg(e.name, TrackRange::originText(e.origin))
                         .arg(e.pieceCount)
                         .arg(e.hidden ? u" verdeckt"_s : QString(),
                              e.error.isEmpty() ? QString() : u" Fehler"_s);
        }
        QCOMPARE(lines, (QStringList{u"maerklin-c eingebaut 9"_s, u"broken eigene 0 Fehler"_s,
                                     u"k eigene 2"_s, u"maerklin-c eigene 1 verdeckt"_s,
                                     u"k mitgeliefert 1 verdeckt"_s, u"z mitgeliefert 1"_s,
                                     u"xtrkcad:Z Test XTrackCAD 1"_s}));
    }

    // A listing whose thread is asked to stop reads no further file and
    // keeps what it had: a window closed at once never waits for a library.
    void stopsWhenAsked()
    {
        QList<RangeLibrary::Entry> entries;
        std::unique_ptr<QThread> thread(QThread::create([&] {
            QThread::currentThread()->requestInterruption();
            entries = RangeLibrary(m_places).list();
        }));
        thread->start();
        QVERIFY(thread->wait(10000));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.at(0).origin, TrackRange::Origin::BuiltIn);
    }

    void choosesByNameOrPath_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pieces");
        QTest::addColumn<QString>("error");
        QTest::newRow("built-in before the user's file") << u"maerklin-c"_s << 9 << QString();
        QTest::newRow("user's before shipped") << u"k"_s << 2 << QString();
        QTest::newRow("shipped") << u"z"_s << 1 << QString();
        QTest::newRow("xtrkcad") << u"xtrkcad:Z Test"_s << 1 << QString();
        QTest::newRow("path") << u"SCRATCH/shipped/k.txt"_s << 1 << QString();
        QTest::newRow("unknown") << u"h0"_s << 0
                                 << u"Unbekanntes Gleissortiment: „h0“ (siehe --ranges)"_s;
        QTest::newRow("broken") << u"broken"_s << 0
                                << u"SCRATCH/user/broken.txt:1: nach der Artikelnummer 2200 "
                                   "fehlt die Länge in mm"_s;
        QTest::newRow("missing file")
            << u"SCRATCH/none.txt"_s << 0 << u"Keine Datei: „SCRATCH/none.txt“"_s;
    }
    void choosesByNameOrPath()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        const QString scratch = m_dir.path();
        const RangeLibrary::Loaded loaded =
            RangeLibrary(m_places).load(name.replace(u"SCRATCH"_s, scratch));
        QTEST(loaded.range ? loaded.range->pieceCount() : 0, "pieces");
        QCOMPARE(loaded.error, error.replace(u"SCRATCH"_s, scratch));
    }
};

QTEST_GUILESS_MAIN(tst_RangeLibrary)
#include "tst_rangelibrary.moc"
