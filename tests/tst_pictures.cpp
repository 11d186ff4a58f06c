#include "gui/Pictures.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>

using namespace Qt::StringLiterals;

class TstPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Picture, the size asked for, the pixel ratio, and the device pixels
    // drawn: the picture's proportions are kept inside the size.
    void pixmap_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("pixels");
        const QString logo = u":/icons/logo.svg"_s;
        QTest::newRow("logo at one and a half") << logo << QSize(51, 33) << 1.5 << QSize(77, 50);
        QTest::newRow("logo into a square") << logo << QSize(40, 40) << 1.0 << QSize(40, 25);
        QTest::newRow("missing picture")
            << u":/icons/none.svg"_s << QSize(16, 16) << 1.0 << QSize(0, 0);
    }
    void pixmap()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        const QPixmap picture = Pictures::pixmap(path, size, ratio);
        QTEST(picture.size(), "pixels");
        if (!picture.isNull())
            QCOMPARE(picture.devicePixelRatio(), ratio);
    }

    // Buttons ask the icon for device pixels; a disabled button's picture is
    // the style's greyed form of the normal one, not the normal one itself.
    void iconModes()
    {
        const QIcon icon = Pictures::icon(u":/icons/printer.svg"_s);
        const QPixmap normal = icon.pixmap(QSize(16, 16), 2.0, QIcon::Normal);
        QCOMPARE(normal.size(), QSize(32, 28)); // 16 x 14 of its own
        QCOMPARE(normal.devicePixelRatio(), 2.0);
        const QImage disabled = icon.pixmap(QSize(16, 16), 2.0, QIcon::Disabled).toImage();
        QCOMPARE(disabled.size(), QSize(32, 28));
        QVERIFY(disabled != normal.toImage());
    }

    // The pictures are shapes only: letters in them are outlines, so they
    // look the same whichever fonts are installed, and drawing them loads
    // no font.
    void noLettersAsText()
    {
        int pictures = 0;
        for (QDirIterator it(u":/icons"_s, {u"*.svg"_s}, QDir::Files); it.hasNext();) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(!file.readAll().contains("<text"), qPrintable(file.fileName()));
            ++pictures;
        }
        QCOMPARE(pictures, 5);
    }
};

QTEST_MAIN(TstPictures)
#include "tst_pictures.moc"
