#include "core/SettingsLocation.h"

#include "ordinaryuser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Every case runs with the rights of an ordinary user and with folders and
// files that are really there, so that root, too, meets what it cannot write.
class tst_SettingsLocation : public QObject
{
    Q_OBJECT

    static bool writeFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("[Preise]\r\n") > 0;
    }

private Q_SLOTS:
    void choose_data()
    {
        // program: "writable" or "read-only"; file: "none", "writable" or
        // "read-only"; config: "missing", "with file" or "under
        // a file" (its path runs through a plain file). Write and read:
        // "program", "config" or "" (nothing to read).
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("read");
        QTest::newRow("first start")
            << u"writable"_s << u"none"_s << u"missing"_s << u"program"_s << u""_s;
        QTest::newRow("writable file in a read-only folder")
            << u"read-only"_s << u"writable"_s << u"missing"_s << u"program"_s << u"program"_s;
        QTest::newRow("read-only file, taken over into the user's folder")
            << u"writable"_s << u"read-only"_s << u"missing"_s << u"config"_s << u"program"_s;
        // Once saved there, the user's folder is read: the file beside the
        // program is older.
        QTest::newRow("read-only file, settings saved in the user's folder")
            << u"writable"_s << u"read-only"_s << u"with file"_s << u"config"_s << u"config"_s;
        QTest::newRow("installed program")
            << u"read-only"_s << u"none"_s << u"with file"_s << u"config"_s << u"config"_s;
        QTest::newRow("nowhere to write, file to read")
            << u"read-only"_s << u"read-only"_s << u"under a file"_s << u"program"_s
            << u"program"_s;
    }
    void choose()
    {
        QFETCH(QString, program);
        QFETCH(QString, file);
        QFETCH(QString, config);
        QTemporaryDir temp;
        QVERIFY(setMode(temp.path(), 0755) && writeFile(temp.filePath(u"plain"_s)));
        const QString programDir = temp.filePath(u"program"_s);
        const QString programFile = QDir(programDir).filePath(u"Torvelin.ini"_s);
        QVERIFY(QDir().mkpath(programDir) && setMode(programDir, 0777));
        if (file != u"none")
            QVERIFY(writeFile(programFile) &&
                    setMode(programFile, file == u"writable" ? 0666 : 0444));
        if (program == u"read-only")
            QVERIFY(setMode(programDir, 0555));

        // The user's folder is made by the first save: only its parent exists.
        const QString configDir =
            temp.filePath(config == u"under a file" ? u"plain/config"_s : u"home/.config"_s);
        const QString configFile = QDir(configDir).filePath(u"Torvelin.ini"_s);
        QVERIFY(QDir().mkpath(temp.filePath(u"home"_s)) && setMode(temp.filePath(u"home"_s), 0777));
        if (config == u"with file")
            QVERIFY(QDir().mkpath(configDir) && writeFile(configFile) && setMode(configDir, 0777) &&
                    setMode(configFile, 0666));

        SettingsLocation::Paths paths;
        {
            OrdinaryUser user;
            if (!user.ok())
                QSKIP("root cannot act as an ordinary user here: nothing would keep it out");
            paths = SettingsLocation::choose(programDir, configDir);
        }
        setMode(programDir, 0755);

        const auto name = [&](const QString &path) {
            return path == programFile ? u"program"_s : path == configFile ? u"config"_s : path;
        };
        QTEST(name(paths.write), "write");
        QTEST(name(paths.read), "read");
    }

    // Folders the package manager or `make install` fill: a program there
    // saves into the user's folder even where it could write its own (root
    // can write /usr/bin).
    void systemFolder_data()
    {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<bool>("system");
        QTest::newRow("/usr/bin") << u"/usr/bin"_s << true;
        QTest::newRow("/usr/local/bin") << u"/usr/local/bin"_s << true;
        QTest::newRow("/usr/../opt/torvelin") << u"/usr/../opt/torvelin"_s << false;
        QTest::newRow("/bin") << u"/bin"_s << true;
        QTest::newRow("/usrlocal/bin") << u"/usrlocal/bin"_s << false;
        QTest::newRow("/home/anna/usr/bin") << u"/home/anna/usr/bin"_s << false;
        QTest::newRow("/binaries") << u"/binaries"_s << false;
    }
    void systemFolder()
    {
        QFETCH(QString, dir);
        QTEST(SettingsLocation::isSystemFolder(dir), "system");
    }
    void systemFolderWritable()
    {
        if (!QFileInfo(u"/usr/bin"_s).isWritable())
            QSKIP("/usr/bin cannot be written here, so it is never chosen anyway");
        QTemporaryDir home;
        const QString configDir = home.filePath(u".config/Torvelin"_s);
        QCOMPARE(SettingsLocation::choose(u"/usr/bin"_s, configDir).write,
                 QDir(configDir).filePath(u"Torvelin.ini"_s));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsLocation)
#include "tst_settingslocation.moc"
