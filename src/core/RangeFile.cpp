#include "RangeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringConverter>

namespace {

constexpr qint64 longestPiece = RangeUnits::fromMillimetres(10000);

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The next field of a line from `pos` on, skipping blanks before it.
QStringView nextField(QStringView line, qsizetype &pos)
{
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    const qsizetype start = pos;
    while (pos < line.size() && !isBlank(line[pos]))
        ++pos;
    return line.mid(start, pos - start);
}

} // namespace

QString RangeFile::nameFromPath(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(u".txt"))
        name.chop(4);
    return name;
}

std::optional<QByteArray> RangeFile::readBytes(const QString &path, QString &error)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray content = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return content;
    }
    error = QStringLiteral("%1: nicht lesbar (%2)").arg(path, file.errorString());
    return std::nullopt;
}

RangeFile::Result RangeFile::read(const QString &path, TrackRange::Origin origin)
{
    QString error;
    const auto content = readBytes(path, error);
    return content ? parse(*content, path, origin) : Result{std::nullopt, error};
}

RangeFile::Result RangeFile::parse(const QByteArray &content, const QString &path,
                                   TrackRange::Origin origin)
{
    const auto fail = [&](int line, const QString &what) {
        return Result{std::nullopt, QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(what)};
    };

    QByteArray bytes = content;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QList<QByteArray> lines = bytes.split('\n');

    QList<RangePiece> pieces;
    QSet<QString> seen;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i + 1);
        QByteArray raw = lines.at(i);
        if (raw.endsWith('\r'))
            raw.chop(1);
        auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(raw);
        if (decoder.hasError())
            return fail(lineNumber, QStringLiteral("kein gültiges UTF-8"));
        if (raw.contains('\0'))
            return fail(lineNumber, QStringLiteral("enthält ein Nullzeichen"));

        QStringView line(decoded);
        if (const qsizetype hash = line.indexOf(u'#'); hash >= 0)
            line = line.left(hash);
        while (!line.isEmpty() && isBlank(line.back()))
            line.chop(1);
        qsizetype pos = 0;
        const QStringView article = nextField(line, pos);
        if (article.isEmpty())
            continue;
        if (article.contains(u',') || article.contains(u'='))
            return fail(lineNumber,
                        QStringLiteral("Artikelnummer %1 enthält \",\" oder \"=\"").arg(article));
        const QStringView lengthText = nextField(line, pos);
        if (lengthText.isEmpty())
            return fail(
                lineNumber,
                QStringLiteral("nach der Artikelnummer %1 fehlt die Länge in mm").arg(article));
        const auto length = RangeUnits::parse(lengthText);
        if (!length)
            return fail(lineNumber,
                        QStringLiteral("Länge %1 ist keine Zahl wie 64.3 (Punkt, höchstens zwei "
                                       "Nachkommastellen)")
                            .arg(lengthText));
        if (*length <= 0 || *length > longestPiece)
            return fail(
                lineNumber,
                QStringLiteral("Länge %1 liegt nicht über 0 und bis 10000 mm").arg(lengthText));
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        const QString label =
            line.mid(pos).isEmpty() ? article.toString() : line.mid(pos).toString();
        if (seen.contains(article.toString()))
            return fail(lineNumber,
                        QStringLiteral("Artikelnummer %1 steht schon weiter oben").arg(article));
        seen.insert(article.toString());
        pieces.append({article.toString(), label, *length});
    }
    if (pieces.isEmpty())
        return fail(int(lines.size()), QStringLiteral("die Datei nennt kein Gleis"));
    return {TrackRange(nameFromPath(path), path, origin, pieces), QString()};
}
