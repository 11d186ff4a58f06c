#include "core/UserText.h"

#include <QTest>

using namespace Qt::StringLiterals;

// What a message shows of a text the user gave: visible at its ends, on one
// line, and of a bounded length.
class tst_UserText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quoted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << u"„“"_s;
        QTest::newRow("trailing blank kept") << u"1000 "_s << u"„1000 “"_s;
        QTest::newRow("line break") << u"10\n00"_s << u"„10\\n00“"_s;
        QTest::newRow("CR and tab") << u"a\r\tb"_s << u"„a\\r\\tb“"_s;
        QTest::newRow("terminal escape") << u"\x1b[31mROT"_s << u"„\\x1b[31mROT“"_s;
        QTest::newRow("C1 control") << QString(QChar(0x85)) << u"„\\x85“"_s;
        QTest::newRow("Unicode line separator") << QString(QChar::LineSeparator) << u"„\\u2028“"_s;
        QTest::newRow("umlauts stay") << u"Gleislänge"_s << u"„Gleislänge“"_s;
        QTest::newRow("cut after 60") << QString(61, u'x') << u"„"_s + QString(60, u'x') + u"…“"_s;
        QTest::newRow("60 whole") << QString(60, u'x') << u"„"_s + QString(60, u'x') + u"“"_s;
    }
    void quoted()
    {
        QFETCH(QString, text);
        QTEST(UserText::quoted(text), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_UserText)
#include "tst_usertext.moc"
