#include "core/FileSave.h"

#include "filesizelimit.h"
#include "ordinaryuser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

// Every case runs with the rights of an ordinary user, so that root, too,
// meets what it cannot write. A full disk is a file-size limit here: the
// write fails the same way, and the limit can be set without privileges.
class tst_FileSave : public QObject
{
    Q_OBJECT

    static QByteArray lines(char c, int count) { return QByteArray(count * 10 - 2, c) + "\r\n"; }

private Q_SLOTS:
    // The file holds the new bytes after a success; after a failure it is
    // as it was, or still missing. No temporary file stays beside it.
    void replace_data()
    {
        // folder: "writable", "read-only" or "missing"; existing: "none",
        // "shorter", "longer" or "read-only" (shorter, mode 0444); limit:
        // the largest file size allowed, 0 for none.
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("written");
        QTest::newRow("new file") << u"writable"_s << u"none"_s << 0ll << true;
        QTest::newRow("longer file replaced") << u"writable"_s << u"longer"_s << 0ll << true;
        QTest::newRow("missing folder") << u"missing"_s << u"none"_s << 0ll << false;
        QTest::newRow("read-only file") << u"writable"_s << u"read-only"_s << 0ll << false;
        QTest::newRow("in place, growing") << u"read-only"_s << u"shorter"_s << 0ll << true;
        QTest::newRow("in place, shrinking") << u"read-only"_s << u"longer"_s << 0ll << true;
        QTest::newRow("full disk, no file before") << u"writable"_s << u"none"_s << 200ll << false;
        QTest::newRow("full disk") << u"writable"_s << u"shorter"_s << 200ll << false;
        QTest::newRow("full disk, in place") << u"read-only"_s << u"shorter"_s << 200ll << false;
        // Writing over bytes the file already has takes no more room.
        QTest::newRow("full disk, in place, shrinking")
            << u"read-only"_s << u"longer"_s << 600ll << true;
    }
    void replace()
    {
        QFETCH(QString, folder);
        QFETCH(QString, existing);
        QFETCH(qint64, limit);
        QFETCH(bool, written);
        QTemporaryDir temp;
        QVERIFY(setMode(temp.path(), 0777));
        const QString directory = temp.filePath(u"folder"_s);
        if (folder != u"missing")
            QVERIFY(QDir().mkdir(directory) && setMode(directory, 0777));
        QFile file(directory + u"/Torvelin.ini"_s);
        const QByteArray old = existing == u"longer" ? lines('o', 60) : lines('o', 10);
        if (existing != u"none") {
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
            file.close();
            QVERIFY(setMode(file.fileName(), existing == u"read-only" ? 0444 : 0666));
        }
        if (folder == u"read-only")
            QVERIFY(setMode(directory, 0555));

        const QByteArray bytes = lines('n', 30);
        bool done = false;
        QString error;
        {
            OrdinaryUser user;
            QVERIFY(user.ok());
            FileSizeLimit full(limit > 0 ? rlim_t(limit) : RLIM_INFINITY);
            if (!full.ok())
                QSKIP("no file-size limit can be set here");
            done = FileSave::replace(file.fileName(), bytes, &error);
        }
        setMode(directory, 0755);
        QCOMPARE(done, written);
        // The reason is the system's, also for a write that stopped short.
        QCOMPARE(error.isEmpty(), written);
        if (limit > 0 && !written)
            QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
        const QByteArray expected = written ? bytes : existing != u"none" ? old : "none";
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : "none", expected);
        QCOMPARE(QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 expected == "none" ? QStringList() : QStringList{u"Torvelin.ini"_s});
    }
};

QTEST_GUILESS_MAIN(tst_FileSave)
#include "tst_filesave.moc"
