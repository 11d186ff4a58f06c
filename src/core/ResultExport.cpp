#include "ResultExport.h"

#include "Combination.h"
#include "NumberText.h"
#include "TrackCatalogue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>

namespace {

QString csvField(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

std::array<int, TrackCatalogue::pieceCount> pieceCounts(const ResultExport::Row &row)
{
    std::array<int, TrackCatalogue::pieceCount> counts{};
    for (int k = 0; k < Combination::pieceSlots; ++k) {
        const int position =
            TrackCatalogue::positionOf(row.value(Combination::firstArticleColumn + k));
        if (position != 0)
            ++counts[std::size_t(position - 1)];
    }
    return counts;
}

int pieceTotal(const ResultExport::Row &row)
{
    int total = 0;
    for (int k = 0; k < Combination::pieceSlots; ++k)
        total += row.value(Combination::firstArticleColumn + k).isEmpty() ? 0 : 1;
    return total;
}

// A number cell as a JSON number, read as the locale wrote it; null where
// the cell holds no finite number, which JSON cannot write.
QJsonValue jsonNumber(const QString &text, const QLocale &locale)
{
    const std::optional<double> value = NumberText::toDouble(text, locale);
    return value ? QJsonValue(*value) : QJsonValue();
}

// Decimals of the number columns: lengths and their sum one, the price two.
int decimalsOf(int column)
{
    if (column >= Combination::firstLengthColumn && column <= Combination::sumColumn)
        return 1;
    return column == Combination::priceColumn ? 2 : 0;
}

} // namespace

std::optional<ResultExport::Format> ResultExport::formatFromName(QStringView name)
{
    if (name == u"tsv")
        return Format::Tsv;
    if (name == u"csv")
        return Format::Csv;
    if (name == u"text")
        return Format::Text;
    if (name == u"json")
        return Format::Json;
    return std::nullopt;
}

QList<ResultExport::Row> ResultExport::rows(const GridStore &results, int rowCount)
{
    QList<Row> rows;
    rows.reserve(rowCount);
    for (int row = 0; row < rowCount; ++row) {
        Row cells;
        for (int column = 0; column < Combination::columnCount; ++column)
            cells << results.text(row, column);
        rows << cells;
    }
    return rows;
}

QStringList ResultExport::header()
{
    QStringList captions;
    for (int i = 1; i <= Combination::pieceSlots; ++i)
        captions << QStringLiteral("L%1").arg(i);
    captions << QStringLiteral("Länge");
    for (int i = 1; i <= Combination::pieceSlots; ++i)
        captions << QStringLiteral("Gl%1").arg(i);
    captions << QStringLiteral("Preis");
    return captions;
}

QString ResultExport::write(Format format, const QList<Row> &rows, const QLocale &locale)
{
    switch (format) {
    case Format::Tsv:
        return tabSeparated(rows);
    case Format::Csv:
        return csv(rows, csvSeparator(locale));
    case Format::Text:
        return table(rows);
    case Format::Json:
        return json(rows, locale);
    }
    return QString();
}

QString ResultExport::tabSeparated(const QList<Row> &rows)
{
    QString text;
    for (const Row &row : rows)
        text += row.join(u'\t') + u'\n';
    return text;
}

QChar ResultExport::csvSeparator(const QLocale &locale)
{
    return locale.decimalPoint() == u"," ? u';' : u',';
}

QString ResultExport::csv(const QList<Row> &rows, QChar separator)
{
    // CRLF as RFC 4180 has it; every spreadsheet reads it.
    QString text = csvLine(header(), separator);
    for (const Row &row : rows)
        text += csvLine(row, separator);
    return text;
}

QString ResultExport::csvLine(const QStringList &cells, QChar separator)
{
    QString line;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (c > 0)
            line += separator;
        line += csvField(cells.at(c), separator);
    }
    return line + u"\r\n";
}

QString ResultExport::table(const QList<Row> &rows)
{
    const QStringList titles{QStringLiteral("Länge"), QStringLiteral("Preis"),
                             QStringLiteral("Gleise"), QStringLiteral("Stückliste")};
    QList<QStringList> lines{titles};
    for (const Row &row : rows) {
        lines << QStringList{row.value(Combination::sumColumn), row.value(Combination::priceColumn),
                             QString::number(pieceTotal(row)), partsText(row)};
    }
    std::array<qsizetype, 3> widths{};
    for (const QStringList &line : std::as_const(lines)) {
        for (std::size_t c = 0; c < widths.size(); ++c)
            widths[c] = std::max(widths[c], line.at(qsizetype(c)).size());
    }
    QString text;
    for (const QStringList &line : std::as_const(lines)) {
        for (std::size_t c = 0; c < widths.size(); ++c)
            text += line.at(qsizetype(c)).rightJustified(widths[c]) + u"  ";
        text += line.at(3) + u'\n';
    }
    return text;
}

QString ResultExport::json(const QList<Row> &rows, const QLocale &locale)
{
    QString text = QStringLiteral("[");
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const Row &row = rows.at(r);
        QJsonArray articles;
        QJsonArray lengths;
        for (int k = 0; k < Combination::pieceSlots; ++k) {
            const QString article = row.value(Combination::firstArticleColumn + k);
            if (article.isEmpty())
                continue;
            articles.append(article);
            lengths.append(jsonNumber(row.value(Combination::firstLengthColumn + k), locale));
        }
        QJsonArray parts;
        const auto counts = pieceCounts(row);
        for (int position = 1; position <= TrackCatalogue::pieceCount; ++position) {
            if (const int count = counts[std::size_t(position - 1)]) {
                parts.append(QJsonObject{
                    {QStringLiteral("artikel"), TrackCatalogue::piece(position).articleNumber},
                    {QStringLiteral("anzahl"), count}});
            }
        }
        const QJsonObject object{
            {QStringLiteral("laenge"), jsonNumber(row.value(Combination::sumColumn), locale)},
            {QStringLiteral("preis"), jsonNumber(row.value(Combination::priceColumn), locale)},
            {QStringLiteral("gleise"), pieceTotal(row)},
            {QStringLiteral("artikel"), articles},
            {QStringLiteral("laengen"), lengths},
            {QStringLiteral("stueckliste"), parts},
        };
        text += (r == 0 ? u"\n  " : u",\n  ") +
                QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    }
    text += rows.isEmpty() ? u"]\n" : u"\n]\n";
    return text;
}

QString ResultExport::partsText(const Row &row)
{
    const auto counts = pieceCounts(row);
    QStringList parts;
    for (int position = 1; position <= TrackCatalogue::pieceCount; ++position) {
        if (const int count = counts[std::size_t(position - 1)])
            parts << QString::number(count) + u" × " + TrackCatalogue::piece(position).label;
    }
    return parts.join(u", ");
}

QString ResultExport::partsList(const QString &summedLength, const PartsListPage::Counts &counts)
{
    QString text = QStringLiteral("Stückliste märklin C-Gleis\n");
    text += u"Distanz:\t" + summedLength + u"\tmm\n";
    for (int position = 1; position <= TrackCatalogue::pieceCount; ++position) {
        const QString &count = counts[std::size_t(position - 1)];
        if (!count.isEmpty())
            text += count + u"\tStck\t" + TrackCatalogue::piece(position).label + u'\n';
    }
    return text;
}

QList<ResultExport::Row> ResultExport::plainNumbers(const QList<Row> &rows, const QLocale &locale)
{
    QList<Row> plain = rows;
    for (Row &row : plain) {
        for (qsizetype column = 0; column < row.size(); ++column) {
            const int decimals = decimalsOf(int(column));
            if (decimals == 0)
                continue;
            // A cell that is no number (an empty slot) stays as it is.
            if (const auto value = NumberText::toDouble(row.at(column), locale))
                row[column] = NumberText::formatPlain(*value, decimals);
        }
    }
    return plain;
}
