// torvelin-search: the program's combination search from the command line.
//
//   torvelin-search [--locale NAME] [--prices SETTINGS_FILE] LENGTH [MINUS PLUS]
//
// Prints every stored row as its twenty cells separated by tabs, exactly the
// texts the results table holds, and the row count on standard error.

#include "CommandLine.h"

#include "core/CombinationSearch.h"
#include "core/GridStore.h"
#include "core/PriceStore.h"
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
    u"  -h, --help           diese Hilfe\n"
    u"\n"
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
    CommandLine line({locale, pricesFile}, {}, {help});
    if (!line.parse(QCoreApplication::arguments().mid(1)))
        return fail(ownMessage(line.error()));
    if (line.isSet(help)) {
        QTextStream(stdout) << QString::fromUtf16(helpText);
        return 0;
    }

    if (line.isSet(locale)) {
        const QString name = line.value(locale);
        const QLocale chosen(name);
        if (chosen.language() == QLocale::C && name != u"C")
            return fail(ownMessage(QStringLiteral("Unbekanntes Gebietsschema: %1").arg(name)));
        QLocale::setDefault(chosen);
    }

    const QStringList args = line.positional();
    if (args.size() != 1 && args.size() != 3)
        return fail(ownMessage(
            QStringLiteral("Erwartet werden LÄNGE oder LÄNGE MINUS PLUS (siehe --help).")));

    // Any number of digits is a whole number; one too long for the range
    // gets the range message like any other, not a complaint about its form.
    const QString length = args.at(0);
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
        if (tolerance.size() != 1 || tolerance.at(0) < u'0' || tolerance.at(0) > u'9')
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

    QTextStream out(stdout);
    for (int row = 0; row < outcome.rows; ++row) {
        QString text;
        for (int column = results.firstColumn(); column <= results.lastColumn(); ++column) {
            if (column > results.firstColumn())
                text += u'\t';
            text += results.text(row, column);
        }
        out << text << '\n';
    }
    out.flush();
    QTextStream(stderr) << outcome.rows << Qt::endl;
    return 0;
}
