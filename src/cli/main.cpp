// torvelin-search: the program's combination search from the command line.
//
//   torvelin-search [--locale NAME] [--prices SETTINGS_FILE] LENGTH [MINUS PLUS]
//
// Prints every stored row as its twenty cells separated by tabs, exactly the
// texts the results table holds, and the row count on standard error.

#include "core/CombinationSearch.h"
#include "core/GridStore.h"
#include "core/PriceStore.h"
#include "core/SearchInputs.h"
#include "core/SettingsFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int usageError = 2;

int fail(const QString &message)
{
    QTextStream(stderr) << message << Qt::endl;
    return usageError;
}

bool isDigits(const QString &text, int maxLength)
{
    if (text.isEmpty() || text.size() > maxLength)
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("torvelin-search"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists every selection of straight märklin C-Gleis pieces whose summed "
                       "length lies within LENGTH - MINUS and LENGTH + PLUS."));
    parser.addHelpOption();
    const QCommandLineOption localeOption(
        QStringLiteral("locale"), QStringLiteral("Number formats of this locale, e.g. de_DE."),
        QStringLiteral("NAME"));
    const QCommandLineOption pricesOption(
        QStringLiteral("prices"),
        QStringLiteral("Unit prices from this settings file (lines 2 to 10)."),
        QStringLiteral("SETTINGS_FILE"));
    parser.addOption(localeOption);
    parser.addOption(pricesOption);
    parser.addPositionalArgument(QStringLiteral("LENGTH"),
                                 QStringLiteral("Wanted length in whole millimetres, 60 to 3240."));
    parser.addPositionalArgument(QStringLiteral("MINUS"),
                                 QStringLiteral("Minus tolerance, 0 to 9 (default 0)."),
                                 QStringLiteral("[MINUS PLUS]"));
    parser.addPositionalArgument(QStringLiteral("PLUS"),
                                 QStringLiteral("Plus tolerance, 0 to 9 (default 0)."));
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);

    if (parser.isSet(localeOption)) {
        const QString name = parser.value(localeOption);
        const QLocale locale(name);
        if (locale.language() == QLocale::C && name != u"C")
            return fail(QStringLiteral("torvelin-search: unknown locale: %1").arg(name));
        QLocale::setDefault(locale);
    }

    const QStringList args = parser.positionalArguments();
    if (args.size() != 1 && args.size() != 3)
        return fail(QStringLiteral("torvelin-search: expected LENGTH or LENGTH MINUS PLUS "
                                   "(see --help)"));

    const QString &length = args.at(0);
    if (!isDigits(length, 9))
        return fail(
            QStringLiteral("torvelin-search: LENGTH is not a whole number: %1").arg(length));
    const SearchInputs::Problem range = SearchInputs::checkLength(length);
    if (range != SearchInputs::Problem::None)
        return fail(SearchInputs::message(range));

    const QString minus = args.size() == 3 ? args.at(1) : QStringLiteral("0");
    const QString plus = args.size() == 3 ? args.at(2) : QStringLiteral("0");
    for (const QString &tolerance : {minus, plus}) {
        if (!isDigits(tolerance, 1))
            return fail(
                QStringLiteral("torvelin-search: a tolerance must be one digit from 0 to 9: %1")
                    .arg(tolerance));
    }

    PriceStore prices;
    if (parser.isSet(pricesOption)) {
        const QString path = parser.value(pricesOption);
        const auto settings = SettingsFile::read(path);
        if (!settings)
            return fail(QStringLiteral("torvelin-search: cannot read settings file: %1").arg(path));
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
        QString line;
        for (int column = results.firstColumn(); column <= results.lastColumn(); ++column) {
            if (column > results.firstColumn())
                line += u'\t';
            line += results.text(row, column);
        }
        out << line << '\n';
    }
    out.flush();
    QTextStream(stderr) << outcome.rows << Qt::endl;
    return 0;
}
