#include "gui/Program.h"

#include <QProcessEnvironment>
#include <QTest>

#include <iterator>
#include <optional>

using namespace Qt::StringLiterals;

class TstProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The session's variables as "NAME=value" pairs, and the platform asked for.
    void platformFor_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QByteArray>("platform");
        const QByteArray qtsChoice;
        const QByteArray x = QByteArrayLiteral("xcb;wayland");
        QTest::newRow("nothing") << QStringList{} << qtsChoice;
        QTest::newRow("X session")
            << QStringList{u"DISPLAY=:0"_s, u"XDG_SESSION_TYPE=x11"_s} << qtsChoice;
        QTest::newRow("Wayland with XWayland")
            << QStringList{u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY=:0"_s} << x;
        QTest::newRow("Wayland by session type only")
            << QStringList{u"XDG_SESSION_TYPE=wayland"_s, u"DISPLAY=:1"_s} << x;
        QTest::newRow("Wayland without X")
            << QStringList{u"WAYLAND_DISPLAY=wayland-0"_s, u"XDG_SESSION_TYPE=wayland"_s}
            << qtsChoice;
        QTest::newRow("Wayland, empty DISPLAY")
            << QStringList{u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY="_s} << qtsChoice;
        QTest::newRow("Wayland chosen explicitly")
            << QStringList{u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY=:0"_s,
                           u"QT_QPA_PLATFORM=wayland"_s}
            << qtsChoice;
        QTest::newRow("offscreen chosen in a Wayland session")
            << QStringList{u"XDG_SESSION_TYPE=wayland"_s, u"DISPLAY=:0"_s,
                           u"QT_QPA_PLATFORM=offscreen"_s}
            << qtsChoice;
        // Qt takes an empty variable for none, and so does the program.
        QTest::newRow("empty QT_QPA_PLATFORM")
            << QStringList{u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY=:0"_s, u"QT_QPA_PLATFORM="_s}
            << x;
        QTest::newRow("other session type with both displays")
            << QStringList{u"XDG_SESSION_TYPE=tty"_s, u"DISPLAY=:0"_s} << qtsChoice;
    }
    void platformFor()
    {
        QFETCH(QStringList, variables);
        QProcessEnvironment environment;
        for (const QString &variable : std::as_const(variables)) {
            const qsizetype equals = variable.indexOf(u'=');
            environment.insert(variable.left(equals), variable.mid(equals + 1));
        }
        QTEST(Program::platformFor(environment), "platform");
    }

    // The choice reaches the variable Qt reads when the application starts,
    // and an explicit one is left as it was.
    void choosePlatform_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("unset") << QByteArray() << QByteArrayLiteral("xcb;wayland");
        QTest::newRow("explicit") << QByteArrayLiteral("vnc") << QByteArrayLiteral("vnc");
    }
    void choosePlatform()
    {
        QFETCH(QByteArray, before);
        const char *const names[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"};
        std::optional<QByteArray> saved[std::size(names)];
        for (std::size_t i = 0; i < std::size(names); ++i) {
            if (qEnvironmentVariableIsSet(names[i]))
                saved[i] = qgetenv(names[i]);
        }
        if (before.isNull())
            qunsetenv("QT_QPA_PLATFORM");
        else
            qputenv("QT_QPA_PLATFORM", before);
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        qputenv("DISPLAY", ":0");
        Program::choosePlatform();
        const QByteArray after = qgetenv("QT_QPA_PLATFORM");
        for (std::size_t i = 0; i < std::size(names); ++i) {
            if (saved[i])
                qputenv(names[i], *saved[i]);
            else
                qunsetenv(names[i]);
        }
        QTEST(after, "after");
    }
};

QTEST_GUILESS_MAIN(TstProgram)
#include "tst_program.moc"
