#include "RangeRows.h"

#include "NumberText.h"
#include "ResultExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

// A plain number for spreadsheets: the locale's decimal separator, no grouping.
QString plainDecimal(qint64 hundredths, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(double(hundredths) / 100.0, 'f', 2);
}

} // namespace

RangeRows::RangeRows(TrackRange range, Options options)
    : m_range(std::move(range)), m_options(std::move(options))
{
}

QString RangeRows::number(double value, int decimals, const QString &localeText) const
{
    return m_options.plain ? NumberText::formatPlain(value, decimals) : localeText;
}

QString RangeRows::lengthText(qint64 units) const
{
    const double mm = RangeUnits::toMillimetres(units);
    if (units % 10 == 0)
        return number(mm, 1, NumberText::formatLength(float(mm)));
    return number(mm, 2, QLocale().toString(mm, 'f', 2));
}

QString RangeRows::sumText(qint64 units) const
{
    const double mm = RangeUnits::toMillimetres(units);
    if (units % 10 == 0)
        return number(mm, 1, NumberText::formatSum(float(mm)));
    return number(mm, 2, QLocale().toString(mm, 'f', 2));
}

QString RangeRows::priceText(qint64 cents) const
{
    const double value = double(cents) / 100.0;
    return number(value, 2, NumberText::formatPrice(float(value)));
}

QString RangeRows::price(const GapSolver::Selection &selection) const
{
    // As the window adds them: in the row's order, rounded to float after
    // each addition.
    float total = 0.0f;
    for (int index : selection.rowOrder())
        total += m_options.unitPrices.value(index, 0.0f);
    return number(double(total), 2, NumberText::formatPrice(total));
}

QStringList RangeRows::header() const
{
    QStringList captions;
    for (int i = 1; i <= m_options.slots; ++i)
        captions << QStringLiteral("L%1").arg(i);
    captions << QStringLiteral("Länge");
    for (int i = 1; i <= m_options.slots; ++i)
        captions << QStringLiteral("Gl%1").arg(i);
    captions << QStringLiteral("Preis");
    if (m_options.withStock)
        captions << QStringLiteral("Zu kaufen") << QStringLiteral("Kaufpreis");
    return captions;
}

QStringList RangeRows::cells(const GapSolver::Selection &selection) const
{
    const QList<int> order = selection.rowOrder();
    QStringList lengths;
    QStringList articles;
    for (int slot = 0; slot < m_options.slots; ++slot) {
        if (slot < order.size()) {
            // A measured length shows as measured: the solver's range holds it.
            lengths << lengthText(m_range.piece(order.at(slot)).length);
            articles << m_range.piece(order.at(slot)).articleNumber;
        } else {
            lengths << QString();
            articles << QString();
        }
    }
    QStringList row = lengths;
    row << sumText(selection.length);
    row << articles;
    row << price(selection);
    if (m_options.withStock)
        row << QString::number(selection.toBuy) << priceText(selection.buyCost);
    return row;
}

QString RangeRows::partsText(const GapSolver::Selection &selection) const
{
    QStringList parts;
    for (qsizetype i = selection.counts.size() - 1; i >= 0; --i) {
        if (const int count = selection.counts.at(i))
            parts << QString::number(count) + u" × " + m_range.piece(int(i)).label;
    }
    return parts.join(u", ");
}

QString RangeRows::write(Format format, const QList<GapSolver::Selection> &rows,
                         const QLocale &locale) const
{
    switch (format) {
    case Format::Tsv:
        return tsv(rows);
    case Format::Csv:
        return csv(rows, ResultExport::csvSeparator(locale));
    case Format::Text:
        return table(rows);
    case Format::Json:
        return json(rows);
    case Format::Shopping:
        return shopping(rows, locale);
    }
    return QString();
}

QString RangeRows::tsv(const QList<GapSolver::Selection> &rows) const
{
    QString text;
    for (const GapSolver::Selection &row : rows)
        text += cells(row).join(u'\t') + u'\n';
    return text;
}

QString RangeRows::csv(const QList<GapSolver::Selection> &rows, QChar separator) const
{
    QString text = ResultExport::csvLine(header(), separator);
    for (const GapSolver::Selection &row : rows)
        text += ResultExport::csvLine(cells(row), separator);
    return text;
}

QString RangeRows::table(const QList<GapSolver::Selection> &rows) const
{
    QStringList titles{QStringLiteral("Länge"), QStringLiteral("Preis"), QStringLiteral("Gleise")};
    if (m_options.withStock)
        titles << QStringLiteral("Zu kaufen") << QStringLiteral("Kaufpreis");
    titles << QStringLiteral("Stückliste");
    QList<QStringList> lines{titles};
    for (const GapSolver::Selection &row : rows) {
        QStringList line{sumText(row.length), price(row), QString::number(row.pieces)};
        if (m_options.withStock)
            line << QString::number(row.toBuy) << priceText(row.buyCost);
        line << partsText(row);
        lines << line;
    }
    const qsizetype aligned = titles.size() - 1;
    QList<qsizetype> widths(aligned, 0);
    for (const QStringList &line : std::as_const(lines)) {
        for (qsizetype c = 0; c < aligned; ++c)
            widths[c] = std::max(widths[c], line.at(c).size());
    }
    QString text;
    for (const QStringList &line : std::as_const(lines)) {
        for (qsizetype c = 0; c < aligned; ++c)
            text += line.at(c).rightJustified(widths[c]) + u"  ";
        text += line.at(aligned);
        while (text.endsWith(u' '))
            text.chop(1);
        text += u'\n';
    }
    return text;
}

QString RangeRows::json(const QList<GapSolver::Selection> &rows) const
{
    QString text = QStringLiteral("[");
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const GapSolver::Selection &row = rows.at(r);
        QJsonArray articles;
        QJsonArray lengths;
        for (int index : row.rowOrder()) {
            articles.append(m_range.piece(index).articleNumber);
            lengths.append(RangeUnits::toMillimetres(m_range.piece(index).length));
        }
        QJsonArray parts;
        for (qsizetype i = row.counts.size() - 1; i >= 0; --i) {
            if (const int count = row.counts.at(i)) {
                parts.append(
                    QJsonObject{{QStringLiteral("artikel"), m_range.piece(int(i)).articleNumber},
                                {QStringLiteral("anzahl"), count}});
            }
        }
        float priceTotal = 0.0f;
        for (int index : row.rowOrder())
            priceTotal += m_options.unitPrices.value(index, 0.0f);
        QJsonObject object{
            {QStringLiteral("laenge"), RangeUnits::toMillimetres(row.length)},
            {QStringLiteral("preis"), std::round(double(priceTotal) * 100.0) / 100.0},
            {QStringLiteral("gleise"), row.pieces},
            {QStringLiteral("artikel"), articles},
            {QStringLiteral("laengen"), lengths},
            {QStringLiteral("stueckliste"), parts},
        };
        if (m_options.withStock) {
            object.insert(QStringLiteral("zu_kaufen"), row.toBuy);
            object.insert(QStringLiteral("kaufpreis"), double(row.buyCost) / 100.0);
        }
        text += (r == 0 ? u"\n  " : u",\n  ") +
                QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    }
    text += rows.isEmpty() ? u"]\n" : u"\n]\n";
    return text;
}

QString RangeRows::shopping(const QList<GapSolver::Selection> &rows, const QLocale &locale) const
{
    const QChar separator = ResultExport::csvSeparator(locale);
    QString text = ResultExport::csvLine({QStringLiteral("Artikel"), QStringLiteral("Anzahl"),
                                          QStringLiteral("Stückpreis"), QStringLiteral("Summe")},
                                         separator);
    if (rows.isEmpty())
        return text;
    const GapSolver::Selection &best = rows.first();
    const QList<int> &stock = m_options.stock;
    qint64 total = 0;
    for (qsizetype i = best.counts.size() - 1; i >= 0; --i) {
        const int buy = std::max(0, best.counts.at(i) - stock.value(i, 0));
        if (buy == 0)
            continue;
        const qint64 unit = m_options.unitCents.value(i, 0);
        total += buy * unit;
        text +=
            ResultExport::csvLine({m_range.piece(int(i)).articleNumber, QString::number(buy),
                                   plainDecimal(unit, locale), plainDecimal(buy * unit, locale)},
                                  separator);
    }
    text += ResultExport::csvLine(
        {QStringLiteral("Gesamt"), QString(), QString(), plainDecimal(total, locale)}, separator);
    return text;
}
