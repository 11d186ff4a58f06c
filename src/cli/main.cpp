// torvelin-search: the program's combination search from the command line.
//
//   torvelin-search [OPTIONS] LENGTH [MINUS PLUS]
//
// By default prints every stored row as its twenty cells separated by tabs,
// exactly the texts the results table holds, and the row count on standard
// error. The options pick and reorder rows of that complete enumeration and
// choose how they are written; they never change the search itself.

#include "CommandLine.h"
#include "RangeCommand.h"

#include "core/CombinationSearch.h"
#include "core/GridStore.h"
#include "core/NumberText.h"
#include "core/PriceStore.h"
#include "core/ResultExport.h"
#include "core/ResultQuery.h"
#include "core/SearchInputs.h"
#include "core/SettingsFile.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QTextStream>

namespace {

constexpr int usageError = 2;

const char16_t helpText[] =
    u"Aufruf: torvelin-search [OPTIONEN] LÄNGE [MINUS PLUS]\n"
    u"\n"
    u"Listet jede Auswahl von höchstens neun geraden märklin C-Gleisen, deren\n"
    u"Gesamtlänge von LÄNGE - MINUS bis LÄNGE + PLUS reicht, wie Torvelin sie findet:\n"
    u"je Zeile die zwanzig Zellen der Ergebnistabelle, durch Tabulatoren getrennt;\n"
    u"die Zahl der Zeilen steht auf der Standardfehlerausgabe.\n"
    u"\n"
    u"Argumente:\n"
    u"  LÄNGE                gesuchte Länge in ganzen Millimetern, 60 bis 3240\n"
    u"  MINUS PLUS           Toleranz nach unten und nach oben, je 0 bis 9\n"
    u"                       (ohne Angabe 0 und 0)\n"
    u"\n"
    u"Optionen:\n"
    u"  --locale NAME        Zahlen im Format dieses Gebietsschemas, z. B. de_DE\n"
    u"  --prices DATEI       Stückpreise aus dieser Einstellungsdatei (Torvelin.ini)\n"
    u"  --sort ART           Reihenfolge: length (kürzeste zuerst), price (billigste\n"
    u"                       zuerst), articles (wie ein Klick auf \"Gl1\" im Fenster)\n"
    u"                       oder pieces (wenigste Gleise zuerst, dann die Länge am\n"
    u"                       nächsten an LÄNGE, dann die billigere)\n"
    u"  --max-pieces N       nur Zeilen mit höchstens N Gleisen (1 bis 9)\n"
    u"  --without ARTNR,...  nur Zeilen ohne diese Gleise, z. B. 24094,24064\n"
    u"  --stock ARTNR=N,...  vorhandene Gleise: keine Zeile braucht mehr davon als\n"
    u"                       N (0 bis 9); nicht genannte Gleise sind unbegrenzt\n"
    u"  --stock-only         nur die mit --stock genannten Gleise verwenden\n"
    u"  --format ART         tsv (wie ohne Angabe), csv (für die Tabellenkalkulation,\n"
    u"                       mit Kopfzeile), text (Tabelle mit Stückliste) oder json\n"
    u"  --count              nur die Zahl der Zeilen ausgeben\n"
    u"  -h, --help           diese Hilfe\n"
    u"\n"
    u"Artikelnummern: 24360, 24236, 24229, 24188, 24172, 24094, 24077, 24071, 24064.\n"
    u"Ein falscher Aufruf endet mit einer Meldung und dem Status 2.\n";

int fail(const QString &message)
{
    QTextStream(stderr) << message << Qt::endl;
    return usageError;
}

QString ownMessage(const QString &text)
{
    return u"torvelin-search: " + text;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("torvelin-search"));

    const QString locale = QStringLiteral("locale");
    const QString pricesFile = QStringLiteral("prices");
    const QString help = QStringLiteral("help");
    const QString sort = QStringLiteral("sort");
    const QString maxPieces = QStringLiteral("max-pieces");
    const QString without = QStringLiteral("without");
    const QString stock = QStringLiteral("stock");
    const QString stockOnly = QStringLiteral("stock-only");
    const QString format = QStringLiteral("format");
    const QString count = QStringLiteral("count");
    CommandLine line(QStringList{locale, pricesFile, sort, maxPieces, without, stock, format} +
                         RangeCommand::valueOptions(),
                     QStringList{without, stock} + RangeCommand::listOptions(),
                     QStringList{help, stockOnly, count} + RangeCommand::flags());
    if (!line.parse(QCoreApplication::arguments().mid(1)))
        return fail(ownMessage(line.error()));
    if (line.isSet(help)) {
        QTextStream(stdout) << QString::fromUtf16(helpText) << u'\n' << RangeCommand::helpText();
        return 0;
    }

    if (line.isSet(locale)) {
        const QString name = line.value(locale);
        const QLocale chosen(name);
        if (chosen.language() == QLocale::C && name != u"C")
            return fail(ownMessage(QStringLiteral("Unbekanntes Gebietsschema: %1").arg(name)));
        QLocale::setDefault(chosen);
    }
    if (RangeCommand::isRequested(line))
        return RangeCommand::run(line);

    ResultQuery query;
    QString problem;
    if (line.isSet(sort))
        problem = query.setOrder(line.value(sort));
    if (problem.isEmpty() && line.isSet(maxPieces))
        problem = query.setMaxPieces(line.value(maxPieces));
    for (const QString &list : line.values(without)) {
        if (problem.isEmpty())
            problem = query.addWithout(list);
    }
    for (const QString &list : line.values(stock)) {
        if (problem.isEmpty())
            problem = query.addStock(list);
    }
    query.setStockOnly(line.isSet(stockOnly));
    if (problem.isEmpty())
        problem = query.check();
    if (!problem.isEmpty())
        return fail(ownMessage(problem));

    ResultExport::Format outputFormat = ResultExport::Format::Tsv;
    if (line.isSet(format)) {
        const auto chosen = ResultExport::formatFromName(line.value(format));
        if (!chosen)
            return fail(ownMessage(QStringLiteral("Unbekanntes Format: %1 (möglich sind tsv, "
                                                  "csv, text, json)")
                                       .arg(line.value(format))));
        if (line.isSet(count))
            return fail(ownMessage(
                QStringLiteral("--count gibt nur eine Zahl aus und verträgt kein --format.")));
        outputFormat = *chosen;
    }

    const QStringList args = line.positional();
    if (args.size() != 1 && args.size() != 3)
        return fail(ownMessage(
            QStringLiteral("Erwartet werden LÄNGE oder LÄNGE MINUS PLUS (siehe --help).")));

    // Any number of digits is a whole number; one too long for the range
    // gets the range message like any other, not a complaint about its form.
    const QString &length = args.at(0);
    static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]+$"));
    if (!wholeNumber.match(length).hasMatch())
        return fail(ownMessage(
            QStringLiteral("LÄNGE muss eine ganze Zahl von Millimetern sein: %1").arg(length)));
    const SearchInputs::Problem range = SearchInputs::checkLength(length);
    if (range != SearchInputs::Problem::None)
        return fail(SearchInputs::message(range));

    const QString minus = args.size() == 3 ? args.at(1) : QStringLiteral("0");
    const QString plus = args.size() == 3 ? args.at(2) : QStringLiteral("0");
    for (const QString &tolerance : {minus, plus}) {
        if (!NumberText::digitValue(tolerance))
            return fail(SearchInputs::message(SearchInputs::Problem::BadTolerance));
    }

    PriceStore prices;
    if (line.isSet(pricesFile)) {
        const QString path = line.value(pricesFile);
        const auto settings = SettingsFile::read(path);
        if (!settings)
            return fail(
                ownMessage(QStringLiteral("Die Einstellungsdatei ist nicht lesbar: %1").arg(path)));
        prices.setPrices(settings->prices);
    }

    const SearchInputs::Window window = SearchInputs::window(length, minus, plus);
    if (window.problem != SearchInputs::Problem::None)
        return fail(SearchInputs::message(window.problem));

    GridStore results;
    CombinationSearch search;
    const CombinationSearch::Outcome outcome =
        search.run(window.lower, window.upper, results, prices);

    const GridStore picked = query.apply(results, outcome.rows, length.toInt());
    QTextStream out(stdout);
    if (line.isSet(count)) {
        out << picked.rowCount() << '\n';
        return 0;
    }
    out << ResultExport::write(outputFormat, ResultExport::rows(picked, picked.rowCount()));
    out.flush();
    QTextStream(stderr) << picked.rowCount() << Qt::endl;
    return 0;
}
