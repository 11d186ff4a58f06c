#include "Shopping.h"

#include "NumberText.h"

#include <cmath>

QList<Shopping::Line> Shopping::parts(const QList<Piece> &pieces)
{
    QList<Line> lines;
    for (const Piece &piece : pieces)
        if (piece.used > 0)
            lines.append({piece.article, piece.label, piece.used, piece.used * piece.unitCents});
    return lines;
}

QList<Shopping::Line> Shopping::toBuy(const QList<Piece> &pieces)
{
    QList<Line> lines;
    for (const Piece &piece : pieces)
        if (const int missing = piece.used - qMax(piece.owned, 0); missing > 0)
            lines.append({piece.article, piece.label, missing, missing * piece.unitCents});
    return lines;
}

qint64 Shopping::totalCents(const QList<Line> &lines)
{
    qint64 sum = 0;
    for (const Line &line : lines)
        sum += line.cents;
    return sum;
}

int Shopping::totalCount(const QList<Line> &lines)
{
    int sum = 0;
    for (const Line &line : lines)
        sum += line.count;
    return sum;
}

QString Shopping::money(qint64 cents, const QLocale &locale)
{
    return locale.toString(double(cents) / 100.0, 'f', 2);
}

std::optional<qint64> Shopping::readMoney(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 0;
    const std::optional<float> value = NumberText::toFloat(text);
    if (!value || !std::isfinite(*value) || *value < 0.0f || *value > 1e9f)
        return std::nullopt;
    return qRound64(double(*value) * 100.0);
}

QList<QStringList> Shopping::table(const QList<Line> &lines, const QList<Piece> &pieces,
                                   const QLocale &locale)
{
    QList<QStringList> rows;
    rows.append({QStringLiteral("Anzahl"), QStringLiteral("Artikel"), QStringLiteral("Bezeichnung"),
                 QStringLiteral("Stückpreis"), QStringLiteral("Preis")});
    for (const Line &line : lines) {
        qint64 unit = 0;
        for (const Piece &piece : pieces)
            if (piece.article == line.article)
                unit = piece.unitCents;
        rows.append({locale.toString(line.count), line.article, line.label, money(unit, locale),
                     money(line.cents, locale)});
    }
    rows.append({locale.toString(totalCount(lines)), QString(), QStringLiteral("Summe"), QString(),
                 money(totalCents(lines), locale)});
    return rows;
}

QString Shopping::tabSeparated(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows)
        text += row.join(u'\t') + u'\n';
    return text;
}

QString Shopping::csv(const QList<QStringList> &rows, const QLocale &locale)
{
    const QChar separator = locale.decimalPoint() == u"," ? u';' : u',';
    QString text;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (const QString &cell : row) {
            const bool quote = cell.contains(separator) || cell.contains(u'"') ||
                               cell.contains(u'\n') || cell.contains(u'\r');
            cells << (quote ? u'"' +
                                  QString(cell).replace(QStringLiteral("\""),
                                                        QStringLiteral("\"\"")) +
                                  u'"'
                            : cell);
        }
        text += cells.join(separator) + u"\r\n";
    }
    return text;
}

QStringList Shopping::page(const QString &rangeName, const QString &gapText,
                           const QString &dateText, const QList<QStringList> &partsTable,
                           const QList<QStringList> &buyTable)
{
    QStringList lines{QStringLiteral("Stückliste"), u"Sortiment:\t" + rangeName,
                      u"Lücke:\t" + gapText, u"Datum:\t" + dateText, QString()};
    for (const QStringList &row : partsTable)
        lines << row.join(u'\t');
    lines << QString() << QStringLiteral("Einkaufsliste");
    if (buyTable.size() <= 2)
        lines << QStringLiteral("Alles vorhanden.");
    else
        for (const QStringList &row : buyTable)
            lines << row.join(u'\t');
    return lines;
}
