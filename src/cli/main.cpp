// torvelin-search: the program's combination search from the command line.
//
//   torvelin-search [OPTIONS] LENGTH [MINUS PLUS]
//
// By default prints every stored row as its twenty cells separated by tabs,
// exactly the texts the results table holds, and the row count on standard
// error. The options pick and reorder rows of that complete enumeration and
// choose how they are written; they never change the search itself.
//
// Exit status: 0 done, 1 the output could not be written, 2 a bad call (a
// bad argument or a price file that cannot be read). Every message is one
// line that starts with the program's name.

#include "CommandLine.h"
#include "Output.h"
#include "PriceFile.h"
#include "RangeCommand.h"

#include "core/CombinationSearch.h"
#include "core/GridStore.h"
#include "core/NumberText.h"
#include "core/PriceStore.h"
#include "core/ResultExport.h"
#include "core/ResultQuery.h"
#include "core/SearchInputs.h"
#include "core/TrackCatalogue.h"
#include "core/UserText.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

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
    u"  --locale NAME        Zahlen im Format dieses Gebietsschemas, z. B. de_DE,\n"
    u"                       auch die Preise der Preisdatei; C (ebenso C.UTF-8,\n"
    u"                       POSIX) schreibt sie wie --plain-numbers\n"
    u"  --plain-numbers      Zahlen für Programme: ohne Tausendertrennzeichen, mit\n"
    u"                       Dezimalpunkt und führender Null (1265.0, 0.50); die\n"
    u"                       Preise liest weiterhin das Gebietsschema\n"
    u"  --prices DATEI       Stückpreise aus dieser Einstellungsdatei (Torvelin.ini);\n"
    u"                       ein Preis, den das Gebietsschema nicht lesen kann,\n"
    u"                       zählt als 0 und wird gemeldet\n"
    u"  --sort ART           Reihenfolge: length (kürzeste zuerst), price (billigste\n"
    u"                       zuerst), articles (wie ein Klick auf \"Gl1\" im Fenster)\n"
    u"                       oder pieces (wenigste Gleise zuerst, dann die Länge am\n"
    u"                       nächsten an LÄNGE, dann die billigere); dazu nearest (am\n"
    u"                       nächsten an LÄNGE), to-buy (wenigste zu kaufen) und\n"
    u"                       buy-cost (billigster Zukauf)\n"
    u"  --max-pieces N       nur Zeilen mit höchstens N Gleisen (1 bis 9, bei\n"
    u"                       Sortimenten aus Dateien bis 20)\n"
    u"  --without ARTNR,...  nur Zeilen ohne diese Gleise, z. B. 24094,24064\n"
    u"  --stock ARTNR=N,...  vorhandene Gleise: keine Zeile braucht mehr davon als\n"
    u"                       N (0 bis 9); nicht genannte Gleise sind unbegrenzt; mit\n"
    u"                       einer Sortimentsoption unten bis 99, und jede Zeile zeigt,\n"
    u"                       was noch zu kaufen ist und was es kostet\n"
    u"  --stock-only         nur die mit --stock genannten Gleise verwenden\n"
    u"  --format ART         tsv (wie ohne Angabe), csv (für die Tabellenkalkulation,\n"
    u"                       mit Kopfzeile), text (Tabelle mit Stückliste), json oder\n"
    u"                       shopping (die Einkaufsliste der besten Zeile)\n"
    u"  --count              nur die Zahl der Zeilen ausgeben\n"
    u"  -h, --help           diese Hilfe\n"
    u"  --version            die Version\n"
    u"\n"
    u"Artikelnummern: 24360, 24236, 24229, 24188, 24172, 24094, 24077, 24071, 24064.\n"
    u"Ein falscher Aufruf oder eine unlesbare Preisdatei endet mit einer Meldung und\n"
    u"dem Status 2, eine Ausgabe, die sich nicht schreiben lässt, mit dem Status 1.\n";

// Whether a locale name means the C locale, the one that writes numbers for
// programs: "C", "POSIX", and either with an encoding ("C.UTF-8", the
// default of a minimal system).
bool namesC(QStringView name)
{
    const QStringView base = name.left(name.indexOf(u'.')).left(name.indexOf(u'@'));
    return base == u"C" || base == u"POSIX";
}

// Selects the number format; the empty text when it was taken.
QString chooseLocale(const QString &name)
{
    if (namesC(name)) {
        QLocale::setDefault(QLocale::c());
        return QString();
    }
    const QLocale chosen(name);
    if (chosen.language() == QLocale::C)
        return QStringLiteral("Unbekanntes Gebietsschema: %1").arg(UserText::quoted(name));
    QLocale::setDefault(chosen);
    return QString();
}

} // namespace

using Output::fail;
using Output::writeOut;

int main(int argc, char *argv[])
{
    Output::holdClosedOutput();
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
    const QString version = QStringLiteral("version");
    const QString plainNumbers = QStringLiteral("plain-numbers");
    CommandLine line(QStringList{locale, pricesFile, sort, maxPieces, without, stock, format} +
                         RangeCommand::valueOptions(),
                     QStringList{without, stock} + RangeCommand::listOptions(),
                     QStringList{help, stockOnly, count, version, plainNumbers} +
                         RangeCommand::flags());
    if (!line.parse(QCoreApplication::arguments().mid(1)))
        return fail(line.error());
    if (line.isSet(help))
        return writeOut(QString::fromUtf16(helpText) + u'\n' + RangeCommand::helpText());
    if (line.isSet(version))
        return writeOut(QStringLiteral("torvelin-search " TORVELIN_VERSION "\n"));

    if (line.isSet(locale)) {
        const QString unknown = chooseLocale(line.value(locale));
        if (!unknown.isEmpty())
            return fail(unknown);
    }
    // What the C locale writes ("1,265.0", ".50") is no number for a script;
    // asked for by name, it means numbers for programs.
    const bool plain =
        line.isSet(plainNumbers) || (line.isSet(locale) && namesC(line.value(locale)));
    if (RangeCommand::isRequested(line))
        return RangeCommand::run(line, plain);

    ResultQuery query;
    QString problem;
    if (line.isSet(sort) && !query.setOrder(line.value(sort)).isEmpty())
        problem = QStringLiteral("Unbekannte Sortierung: %1 (möglich sind length, price, pieces, "
                                 "articles, nearest, to-buy, buy-cost)")
                      .arg(UserText::quoted(line.value(sort)));
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
        return fail(problem);

    ResultExport::Format outputFormat = ResultExport::Format::Tsv;
    if (line.isSet(format)) {
        const auto chosen = ResultExport::formatFromName(line.value(format));
        if (!chosen)
            return fail(QStringLiteral("Unbekanntes Format: %1 (möglich sind tsv, csv, text, "
                                       "json, shopping)")
                            .arg(UserText::quoted(line.value(format))));
        if (line.isSet(count))
            return fail(
                QStringLiteral("--count gibt nur eine Zahl aus und verträgt kein --format."));
        outputFormat = *chosen;
    }

    const QStringList args = line.positional();
    if (const QString refused = refusedSearchArguments(args); !refused.isEmpty())
        return fail(refused);
    const QString &length = args.at(0);

    const QString minus = args.size() == 3 ? args.at(1) : QStringLiteral("0");
    const QString plus = args.size() == 3 ? args.at(2) : QStringLiteral("0");
    for (const QString &tolerance : {minus, plus}) {
        if (!NumberText::digitValue(tolerance))
            return fail(SearchInputs::message(SearchInputs::Problem::BadTolerance));
    }

    PriceStore prices;
    if (line.isSet(pricesFile)) {
        const QString unreadable = PriceFile::read(line.value(pricesFile), prices);
        if (!unreadable.isEmpty())
            return fail(unreadable);
        PriceFile::warn(prices, [](int) { return true; });
    }

    const SearchInputs::Window window = SearchInputs::window(length, minus, plus);
    if (window.problem != SearchInputs::Problem::None)
        return fail(SearchInputs::message(window.problem));

    GridStore results;
    CombinationSearch search;
    const CombinationSearch::Outcome outcome =
        search.run(window.lower, window.upper, results, prices);

    const GridStore picked = query.apply(results, outcome.rows, length.toInt());
    if (line.isSet(count))
        return writeOut(QString::number(picked.rowCount()) + u'\n');
    QList<ResultExport::Row> rows = ResultExport::rows(picked, picked.rowCount());
    QLocale written;
    if (plain) {
        rows = ResultExport::plainNumbers(rows, written);
        written = QLocale::c();
    }
    if (const int status = writeOut(ResultExport::write(outputFormat, rows, written)))
        return status;
    Output::count(QString::number(picked.rowCount()));
    return Output::done;
}
