#include "core/LengthKey.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstLengthKey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lengthKeyAccepted_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        const Qt::KeyboardModifiers none;
        QTest::newRow("0") << int(Qt::Key_0) << none << u"0"_s << true;
        QTest::newRow("9 on the keypad")
            << int(Qt::Key_9) << Qt::KeyboardModifiers(Qt::KeypadModifier) << u"9"_s << true;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << u"\b"_s << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << u"\r"_s << true;
        QTest::newRow("arrow") << int(Qt::Key_Left) << none << QString() << true;
        QTest::newRow("comma") << int(Qt::Key_Comma) << none << u","_s << false;
        QTest::newRow("superscript two") << int(Qt::Key_twosuperior) << none << u"²"_s << false;
        QTest::newRow("Arabic-Indic digit") << int(Qt::Key_unknown) << none << u"\u0661"_s << false;
        QTest::newRow("Ctrl+V with its text")
            << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << u"\x16"_s << false;
        QTest::newRow("Ctrl+digit")
            << int(Qt::Key_1) << Qt::KeyboardModifiers(Qt::ControlModifier) << u"1"_s << true;
        QTest::newRow("two characters at once") << int(Qt::Key_unknown) << none << u"12"_s << false;
    }
    void lengthKeyAccepted()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, text);
        QTEST(::lengthKeyAccepted(key, modifiers, text), "accepted");
    }
};

QTEST_GUILESS_MAIN(TstLengthKey)
#include "tst_lengthkey.moc"
