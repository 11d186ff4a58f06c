#include "core/DisplayPlatform.h"

#include <QProcessEnvironment>
#include <QTest>

using namespace Qt::StringLiterals;

class TstDisplayPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The session's variables as "NAME=value" pairs, and the platform asked for.
    void platformFor_data()
    {
        QTest::addColumn<QString>("variables");
        QTest::addColumn<QByteArray>("platform");
        const QByteArray qtsChoice;
        const QByteArray x = QByteArrayLiteral("xcb;wayland");
        QTest::newRow("X session") << u"DISPLAY=:0 XDG_SESSION_TYPE=x11"_s << qtsChoice;
        QTest::newRow("Wayland with XWayland") << u"WAYLAND_DISPLAY=wayland-0 DISPLAY=:0"_s << x;
        QTest::newRow("Wayland by session type only")
            << u"XDG_SESSION_TYPE=wayland DISPLAY=:1"_s << x;
        QTest::newRow("Wayland without X")
            << u"WAYLAND_DISPLAY=wayland-0 XDG_SESSION_TYPE=wayland"_s << qtsChoice;
        QTest::newRow("Wayland, empty DISPLAY")
            << u"WAYLAND_DISPLAY=wayland-0 DISPLAY="_s << qtsChoice;
        QTest::newRow("Wayland chosen explicitly")
            << u"WAYLAND_DISPLAY=wayland-0 DISPLAY=:0 QT_QPA_PLATFORM=wayland"_s << qtsChoice;
        // Qt takes an empty variable for none, and so does the program.
        QTest::newRow("empty QT_QPA_PLATFORM")
            << u"WAYLAND_DISPLAY=wayland-0 DISPLAY=:0 QT_QPA_PLATFORM="_s << x;
        QTest::newRow("other session type") << u"XDG_SESSION_TYPE=tty DISPLAY=:0"_s << qtsChoice;
    }
    void platformFor()
    {
        QFETCH(QString, variables);
        QProcessEnvironment environment;
        for (const QString &variable : variables.split(u' ')) {
            const qsizetype equals = variable.indexOf(u'=');
            environment.insert(variable.left(equals), variable.mid(equals + 1));
        }
        QTEST(DisplayPlatform::platformFor(environment), "platform");
    }

    // The choice reaches the variable Qt reads when the application starts.
    // Nothing in this process reads the variables afterwards.
    void choose()
    {
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        qputenv("DISPLAY", ":0");
        DisplayPlatform::choose();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArrayLiteral("xcb;wayland"));
    }
};

QTEST_GUILESS_MAIN(TstDisplayPlatform)
#include "tst_displayplatform.moc"
