#include "RangeCommand.h"
#include "Output.h"
#include "PriceFile.h"

#include "core/GapSolver.h"
#include "core/NumberText.h"
#include "core/PieceBook.h"
#include "core/PriceStore.h"
#include "core/RangeLibrary.h"
#include "core/RangeRows.h"
#include "core/SearchInputs.h"
#include "core/TrackCatalogue.h"
#include "core/UserText.h"

#include <QFile>
#include <QLocale>
#include <QSet>

#include <cmath>
#include <optional>

namespace {

using Output::fail;

constexpr int largestFileTolerance = 50;
constexpr int largestStock = 99;
constexpr qint64 largestJoint = RangeUnits::fromMillimetres(5);
constexpr qint64 largestOff = RangeUnits::fromMillimetres(1000);

const QString rangeOption = QStringLiteral("range");
const QString rangesFlag = QStringLiteral("ranges");
const QString limitOption = QStringLiteral("limit");
const QString nearestFlag = QStringLiteral("nearest");
const QString measuredOption = QStringLiteral("measured");
const QString jointOption = QStringLiteral("joint");
const QString swapOption = QStringLiteral("swap");
const QString offOption = QStringLiteral("off");
const QString unitPricesOption = QStringLiteral("unit-prices");

// A refusal: one German line, status 2.
struct Refusal
{
    QString message;
};

// The listing, then its count and a notice, each told only once every
// byte of the listing was written.
int finish(const QString &output, const QString &count = QString(),
           const QString &notice = QString())
{
    if (const int status = Output::writeOut(output))
        return status;
    if (!count.isEmpty())
        Output::count(count);
    if (!notice.isEmpty())
        Output::tell(notice);
    return Output::done;
}

// "ARTNR=VALUE,ARTNR=VALUE": each entry split, the article looked up.
template <typename Take>
std::optional<Refusal> eachEntry(const QStringList &lists, const QString &option,
                                 const TrackRange &range, Take take)
{
    QSet<int> named;
    for (const QString &list : lists) {
        // A part without "=" continues the entry before it: the decimal
        // comma of a price ("24360=12,50,24236=9,95").
        QStringList entries;
        for (const QString &part : list.split(u',')) {
            if (!entries.isEmpty() && !part.contains(u'=') && !part.isEmpty() &&
                NumberText::isDigits(part))
                entries.last() += u',' + part;
            else
                entries << part;
        }
        for (QStringView entry : std::as_const(entries)) {
            const qsizetype equals = entry.indexOf(u'=');
            if (equals < 0)
                return Refusal{QStringLiteral("--%1 erwartet ARTNR=WERT, nicht: %2")
                                   .arg(option, UserText::quoted(entry))};
            const QStringView article = entry.left(equals);
            const int index = range.indexOf(article);
            if (index < 0)
                return Refusal{
                    QStringLiteral("Die Artikelnummer %1 gibt es im Sortiment %2 nicht (--%3)")
                        .arg(UserText::quoted(article), range.name(), option)};
            if (named.contains(index))
                return Refusal{
                    QStringLiteral("%1 ist bei --%2 mehrfach angegeben").arg(article, option)};
            named.insert(index);
            if (auto refused = take(index, article, entry.mid(equals + 1)))
                return refused;
        }
    }
    return std::nullopt;
}

// A length option in millimetres, read as every number of the program is
// (with the locale's decimal separator), to at most two decimals: the
// solver's hundredths.
std::optional<qint64> lengthUnits(QStringView text)
{
    const auto value = NumberText::toDouble(text);
    if (!value)
        return std::nullopt;
    const double hundredths = *value * double(RangeUnits::perMillimetre);
    const double whole = std::round(hundredths);
    if (std::abs(hundredths - whole) > 1e-6 || std::abs(whole) > 1e12)
        return std::nullopt;
    return qint64(whole);
}

// A length as the locale writes it, as an example in a message.
QString example(double mm)
{
    return QLocale().toString(mm, 'f', 1);
}

std::optional<int> wholeNumber(QStringView text, int largest)
{
    if (!NumberText::isDigits(text) || text.size() > 4)
        return std::nullopt;
    const int value = text.toInt();
    if (value > largest)
        return std::nullopt;
    return value;
}

QString millimetres(qint64 units, bool plain)
{
    const double mm = RangeUnits::toMillimetres(units);
    const int decimals = units % 10 == 0 ? 1 : 2;
    return plain ? NumberText::formatPlain(mm, decimals) : QLocale().toString(mm, 'f', decimals);
}

// The whole millimetres of tolerance that take in a length `units` outside.
qint64 wholeMillimetres(qint64 units)
{
    return (units + RangeUnits::perMillimetre - 1) / RangeUnits::perMillimetre;
}

QString listRanges()
{
    QString text;
    for (const RangeLibrary::Entry &entry : RangeLibrary().list()) {
        QString origin = TrackRange::originText(entry.origin);
        if (entry.hidden)
            origin += QStringLiteral(" (verdeckt)");
        const QString pieces =
            entry.error.isEmpty() ? QString::number(entry.pieceCount) : QStringLiteral("Fehler");
        text += entry.name + u'\t' + origin + u'\t' + pieces + u'\t' + entry.source;
        if (!entry.error.isEmpty())
            text += u'\t' + entry.error;
        text += u'\n';
    }
    return text;
}

struct Query
{
    TrackRange range;
    GapSolver::Problem problem;
    RangeRows::Options rows;
    GapSolver::Order order = GapSolver::Order::Search;
    RangeRows::Format format = RangeRows::Format::Tsv;
    qint64 limit = -1;
};

std::optional<Refusal> readOrder(const CommandLine &line, Query &s)
{
    if (!line.isSet(QStringLiteral("sort")))
        return std::nullopt;
    const QString name = line.value(QStringLiteral("sort"));
    static const QList<std::pair<QString, GapSolver::Order>> orders{
        {QStringLiteral("pieces"), GapSolver::Order::Pieces},
        {QStringLiteral("nearest"), GapSolver::Order::Nearest},
        {QStringLiteral("price"), GapSolver::Order::Price},
        {QStringLiteral("length"), GapSolver::Order::Length},
        {QStringLiteral("to-buy"), GapSolver::Order::ToBuy},
        {QStringLiteral("buy-cost"), GapSolver::Order::BuyCost},
    };
    for (const auto &[known, order] : orders) {
        if (name == known) {
            s.order = order;
            return std::nullopt;
        }
    }
    return Refusal{QStringLiteral("Unbekannte Sortierung: %1 (möglich sind pieces, nearest, price, "
                                  "length, to-buy, buy-cost)")
                       .arg(UserText::quoted(name))};
}

std::optional<Refusal> readFormat(const CommandLine &line, Query &s)
{
    if (!line.isSet(QStringLiteral("format")))
        return std::nullopt;
    const QString name = line.value(QStringLiteral("format"));
    static const QList<std::pair<QString, RangeRows::Format>> formats{
        {QStringLiteral("tsv"), RangeRows::Format::Tsv},
        {QStringLiteral("csv"), RangeRows::Format::Csv},
        {QStringLiteral("text"), RangeRows::Format::Text},
        {QStringLiteral("json"), RangeRows::Format::Json},
        {QStringLiteral("shopping"), RangeRows::Format::Shopping},
    };
    if (line.isSet(QStringLiteral("count")))
        return Refusal{
            QStringLiteral("--count gibt nur eine Zahl aus und verträgt kein --format.")};
    for (const auto &[known, format] : formats) {
        if (name == known) {
            s.format = format;
            return std::nullopt;
        }
    }
    return Refusal{
        QStringLiteral("Unbekanntes Format: %1 (möglich sind tsv, csv, text, json, shopping)")
            .arg(UserText::quoted(name))};
}

// Every option that shapes the problem, in a fixed order so that the first
// bad value is the one reported.
std::optional<Refusal> readProblem(const CommandLine &line, Query &s)
{
    GapSolver::Problem &p = s.problem;
    const int kinds = s.range.pieceCount();
    const bool builtIn = s.range.isBuiltIn();

    if (line.isSet(QStringLiteral("max-pieces"))) {
        const int largest = builtIn ? GapSolver::defaultMaxPieces : GapSolver::largestMaxPieces;
        const auto pieces = wholeNumber(line.value(QStringLiteral("max-pieces")), largest);
        if (!pieces || *pieces == 0)
            return Refusal{QStringLiteral("--max-pieces braucht eine Zahl von 1 bis %1, nicht: %2")
                               .arg(largest)
                               .arg(UserText::quoted(line.value(QStringLiteral("max-pieces"))))};
        p.maxPieces = *pieces;
    }
    if (line.isSet(limitOption)) {
        const QString text = line.value(limitOption);
        if (!NumberText::isDigits(text) || text.size() > 9 || text.toLongLong() == 0)
            return Refusal{QStringLiteral("--limit braucht eine Zahl ab 1, nicht: %1")
                               .arg(UserText::quoted(text))};
        s.limit = text.toLongLong();
    }

    // Prices: the settings file's for the nine C pieces, then --unit-prices.
    PriceStore prices;
    if (line.isSet(QStringLiteral("prices"))) {
        const QString unreadable = PriceFile::read(line.value(QStringLiteral("prices")), prices);
        if (!unreadable.isEmpty())
            return Refusal{unreadable};
    }
    QSet<int> overridden;
    s.rows.unitPrices.clear();
    for (const RangePiece &piece : s.range.pieces())
        s.rows.unitPrices << prices.Preis(piece.articleNumber);
    if (auto refused = eachEntry(
            line.values(unitPricesOption), unitPricesOption, s.range,
            [&](int index, QStringView article, QStringView value) -> std::optional<Refusal> {
                const auto price = PriceStore::readPrice(value);
                if (!price || *price < 0.0f || *price > 100000.0f)
                    return Refusal{QStringLiteral("Der Preis von %1 ist keine Zahl von 0 bis "
                                                  "100000: %2")
                                       .arg(article, UserText::quoted(value))};
                s.rows.unitPrices[index] = *price;
                overridden.insert(index);
                return std::nullopt;
            }))
        return refused;
    // A doubtful price of the file is told where this range uses it.
    PriceFile::warn(prices, [&](int position) {
        const int index = s.range.indexOf(TrackCatalogue::piece(position).articleNumber);
        return index >= 0 && !overridden.contains(index);
    });
    for (float price : std::as_const(s.rows.unitPrices))
        p.unitPrice << qint64(std::llround(double(price) * 100.0));

    // What is on hand, and what may be used.
    p.limit = QList<int>(kinds, -1);
    p.stock = QList<int>(kinds, 0);
    const bool anyStock = line.isSet(QStringLiteral("stock"));
    QSet<int> stocked;
    if (auto refused = eachEntry(
            line.values(QStringLiteral("stock")), QStringLiteral("stock"), s.range,
            [&](int index, QStringView article, QStringView value) -> std::optional<Refusal> {
                const auto count = wholeNumber(value, largestStock);
                if (!count)
                    return Refusal{QStringLiteral("Der Bestand von %1 muss eine Zahl von 0 bis %2 "
                                                  "sein, nicht: %3")
                                       .arg(article)
                                       .arg(largestStock)
                                       .arg(UserText::quoted(value))};
                p.stock[index] = *count;
                stocked.insert(index);
                return std::nullopt;
            }))
        return refused;
    if (line.isSet(QStringLiteral("stock-only"))) {
        if (!anyStock)
            return Refusal{QStringLiteral("--stock-only braucht --stock: welche Gleise sind "
                                          "vorhanden?")};
        p.limit = p.stock;
    }
    for (const QString &list : line.values(QStringLiteral("without"))) {
        for (QStringView article : QStringView(list).split(u',')) {
            const int index = s.range.indexOf(article);
            if (index < 0)
                return Refusal{
                    QStringLiteral("Die Artikelnummer %1 gibt es im Sortiment %2 nicht (--without)")
                        .arg(UserText::quoted(article), s.range.name())};
            if (stocked.contains(index))
                return Refusal{QStringLiteral("%1 steht in --without und in --stock; bitte nur in "
                                              "einem.")
                                   .arg(article)};
            p.limit[index] = 0;
        }
    }
    s.rows.withStock = anyStock;
    s.rows.stock = p.stock;
    s.rows.unitCents = p.unitPrice;

    // Real lengths: measured pieces, then the allowance per joint.
    if (auto refused = eachEntry(
            line.values(measuredOption), measuredOption, s.range,
            [&](int index, QStringView article, QStringView value) -> std::optional<Refusal> {
                const auto units = lengthUnits(value);
                const qint64 nominal = s.range.piece(index).length;
                if (!units || !PieceBook::measuredFits(RangeUnits::toMillimetres(nominal),
                                                       RangeUnits::toMillimetres(*units)))
                    return Refusal{
                        QStringLiteral("Die gemessene Länge von %1 muss eine Zahl wie "
                                       "%2 sein, höchstens 10 % von der Nennlänge "
                                       "entfernt, nicht: %3")
                            .arg(article, millimetres(nominal, false), UserText::quoted(value))};
                s.range = s.range.withLength(index, *units);
                return std::nullopt;
            }))
        return refused;
    if (line.isSet(jointOption)) {
        const auto joint = lengthUnits(line.value(jointOption));
        if (!joint || *joint < -largestJoint || *joint > largestJoint)
            return Refusal{QStringLiteral("--joint braucht eine Länge von -5 bis 5 mm wie %1, "
                                          "nicht: %2")
                               .arg(example(0.3), UserText::quoted(line.value(jointOption)))};
        p.joint = *joint;
    }
    p.range = s.range;
    s.rows.slots = std::max(p.maxPieces, GapSolver::defaultMaxPieces);
    return std::nullopt;
}

// LÄNGE [MINUS PLUS] as the range's rules have them.
std::optional<Refusal> readWindow(const QStringList &args, Query &s)
{
    if (const QString refused = refusedSearchArguments(args); !refused.isEmpty())
        return Refusal{refused};
    const QString &length = args.at(0);
    const QString minus = args.size() == 3 ? args.at(1) : QStringLiteral("0");
    const QString plus = args.size() == 3 ? args.at(2) : QStringLiteral("0");
    const bool builtIn = s.range.isBuiltIn();
    const int largest = builtIn ? SearchInputs::maximumTolerance : largestFileTolerance;
    std::array<qint64, 2> tolerance{};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto value = wholeNumber(i == 0 ? minus : plus, largest);
        if (!value) {
            if (builtIn)
                return Refusal{SearchInputs::message(SearchInputs::Problem::BadTolerance)};
            return Refusal{
                QStringLiteral("Eine Toleranz muss eine ganze Zahl von 0 bis %1 sein, nicht: %2")
                    .arg(largest)
                    .arg(UserText::quoted(i == 0 ? minus : plus))};
        }
        tolerance[i] = RangeUnits::fromMillimetres(*value);
    }
    s.problem.wanted = RangeUnits::fromMillimetres(length.toLongLong());
    s.problem.minus = tolerance[0];
    s.problem.plus = tolerance[1];
    return std::nullopt;
}

QString nearestText(const GapSolver::Nearest &nearest, const RangeRows &rows)
{
    QString text;
    const auto line = [&](const QString &side, const std::optional<GapSolver::Selection> &s,
                          qint64 needed) {
        if (!s) {
            text += side + QStringLiteral("\tkeine\n");
            return;
        }
        text += side + u'\t' + rows.sumText(s->length) + u'\t' +
                QString::number(wholeMillimetres(needed)) + u'\t' + QString::number(s->pieces) +
                u'\t' + rows.partsText(*s) + u'\n';
    };
    line(QStringLiteral("unter"), nearest.below, nearest.minusNeeded);
    line(QStringLiteral("über"), nearest.above, nearest.plusNeeded);
    return text;
}

int runSwaps(const CommandLine &line, Query &s)
{
    if (!line.isSet(offOption))
        return fail(QStringLiteral("--swap braucht --off: um wie viele mm ist die Strecke zu lang "
                                   "(positiv) oder zu kurz (negativ)?"));
    QList<int> laid;
    for (QStringView article : QStringView(line.value(swapOption)).split(u',')) {
        const int index = s.range.indexOf(article);
        if (index < 0)
            return fail(
                QStringLiteral("Die Artikelnummer %1 gibt es im Sortiment %2 nicht (--swap)")
                    .arg(UserText::quoted(article), s.range.name()));
        laid << index;
    }
    const auto off = lengthUnits(line.value(offOption));
    if (!off || *off < -largestOff || *off > largestOff)
        return fail(QStringLiteral("--off braucht eine Länge von -1000 bis 1000 mm wie %1 oder "
                                   "-3, nicht: %2")
                        .arg(example(6.7), UserText::quoted(line.value(offOption))));
    const QStringList args = line.positional();
    if (args.size() != 0 && args.size() != 2)
        return fail(
            QStringLiteral("Bei --swap werden keine oder zwei Zahlen erwartet: MINUS PLUS."));
    const bool builtIn = s.range.isBuiltIn();
    const int largest = builtIn ? SearchInputs::maximumTolerance : largestFileTolerance;
    std::array<qint64, 2> tolerance{};
    for (std::size_t i = 0; i < std::size_t(args.size()); ++i) {
        const auto value = wholeNumber(args.at(qsizetype(i)), largest);
        if (!value)
            return fail(QStringLiteral("Eine Toleranz muss eine ganze Zahl von 0 bis %1 sein, "
                                       "nicht: %2")
                            .arg(largest)
                            .arg(UserText::quoted(args.at(qsizetype(i)))));
        tolerance[i] = RangeUnits::fromMillimetres(*value);
    }
    const QList<GapSolver::Swap> swaps =
        GapSolver::swaps(s.range, laid, *off, tolerance[0], tolerance[1], s.problem.joint);
    QString text;
    qsizetype shown = 0;
    for (const GapSolver::Swap &swap : swaps) {
        if (s.limit >= 0 && shown >= s.limit)
            break;
        QStringList out;
        QStringList in;
        for (int p : swap.remove)
            out << s.range.piece(p).articleNumber;
        for (int p : swap.add)
            in << s.range.piece(p).articleNumber;
        text += out.join(u',') + u'\t' + in.join(u',') + u'\t' +
                millimetres(swap.offAfter, s.rows.plain) + u'\n';
        ++shown;
    }
    const QString count = s.limit >= 0 ? QStringLiteral("%1 von %2").arg(shown).arg(swaps.size())
                                       : QString::number(swaps.size());
    return finish(text, count);
}

} // namespace

QStringList RangeCommand::valueOptions()
{
    return {rangeOption, limitOption, measuredOption,  jointOption,
            swapOption,  offOption,   unitPricesOption};
}

QStringList RangeCommand::listOptions()
{
    return {measuredOption, unitPricesOption};
}

QStringList RangeCommand::flags()
{
    return {rangesFlag, nearestFlag};
}

bool RangeCommand::isRequested(const CommandLine &line)
{
    for (const QString &option : valueOptions() + flags()) {
        if (line.isSet(option))
            return true;
    }
    const QString sort = line.value(QStringLiteral("sort"));
    return sort == u"nearest" || sort == u"to-buy" || sort == u"buy-cost" ||
           line.value(QStringLiteral("format")) == u"shopping";
}

int RangeCommand::run(const CommandLine &line, bool plain)
{
    if (line.isSet(rangesFlag)) {
        if (!line.positional().isEmpty())
            return fail(QStringLiteral("--ranges listet nur die Sortimente und nimmt keine "
                                       "Argumente."));
        return finish(listRanges());
    }

    Query s;
    s.rows.plain = plain;
    if (line.isSet(rangeOption)) {
        const RangeLibrary::Loaded loaded = RangeLibrary().load(line.value(rangeOption));
        if (!loaded.range)
            return fail(loaded.error);
        s.range = *loaded.range;
    } else {
        s.range = TrackRange::builtIn();
    }
    if (s.range.pieceCount() > GapSolver::largestRange)
        return fail(QStringLiteral("Das Sortiment %1 hat %2 Gleise; mehr als %3 kann die Suche "
                                   "nicht verarbeiten.")
                        .arg(s.range.name())
                        .arg(s.range.pieceCount())
                        .arg(GapSolver::largestRange));

    if (line.isSet(swapOption)) {
        if (line.isSet(limitOption)) {
            const QString text = line.value(limitOption);
            if (!NumberText::isDigits(text) || text.size() > 9 || text.toLongLong() == 0)
                return fail(QStringLiteral("--limit braucht eine Zahl ab 1, nicht: %1")
                                .arg(UserText::quoted(text)));
            s.limit = text.toLongLong();
        }
        if (line.isSet(measuredOption) || line.isSet(jointOption)) {
            if (auto refused = readProblem(line, s))
                return fail(refused->message);
        }
        return runSwaps(line, s);
    }
    if (line.isSet(offOption))
        return fail(QStringLiteral("--off gehört zu --swap."));

    if (auto refused = readOrder(line, s))
        return fail(refused->message);
    if (auto refused = readFormat(line, s))
        return fail(refused->message);
    if (auto refused = readProblem(line, s))
        return fail(refused->message);
    if (auto refused = readWindow(line.positional(), s))
        return fail(refused->message);

    const GapSolver solver(s.problem);
    const RangeRows rows(s.range, s.rows);
    if (line.isSet(nearestFlag))
        return finish(nearestText(solver.nearest(), rows));

    const quint64 total = solver.count();
    if (line.isSet(QStringLiteral("count")))
        return finish(QString::number(total) + u'\n');

    const qint64 limit = s.format == RangeRows::Format::Shopping && s.limit < 0 ? 1 : s.limit;
    const GapSolver::Page page = solver.list(s.order, 0, limit);
    const QString count = s.limit >= 0
                              ? QStringLiteral("%1 von %2").arg(page.rows.size()).arg(total)
                              : QString::number(total);
    QString notice;
    if (total == 0) {
        // Nothing fits: say how near one can get.
        const GapSolver::Nearest nearest = solver.nearest();
        QStringList sides;
        if (nearest.below)
            sides << QStringLiteral("%1 mm (Minus-Toleranz %2)")
                         .arg(rows.sumText(nearest.below->length))
                         .arg(wholeMillimetres(nearest.minusNeeded));
        if (nearest.above)
            sides << QStringLiteral("%1 mm (Plus-Toleranz %2)")
                         .arg(rows.sumText(nearest.above->length))
                         .arg(wholeMillimetres(nearest.plusNeeded));
        if (!sides.isEmpty())
            notice = QStringLiteral("keine Auswahl passt; am nächsten kommen ") +
                     sides.join(QStringLiteral(" und "));
    }
    return finish(rows.write(s.format, page.rows, plain ? QLocale::c() : QLocale()), count, notice);
}

QString RangeCommand::helpText()
{
    return QStringLiteral(
        "Sortimente und Lösungen:\n"
        "  --ranges             alle gefundenen Sortimente mit Herkunft und Zahl der Gleise\n"
        "  --range NAME|DATEI   ein anderes Sortiment, z. B. maerklin-k, xtrkcad:Piko-A\n"
        "                       oder eine Sortimentsdatei; ohne Angabe maerklin-c\n"
        "  --limit N            nur die besten N Zeilen; \"N von M\" auf der\n"
        "                       Standardfehlerausgabe\n"
        "  --unit-prices ARTNR=PREIS,...  Stückpreise für jedes Sortiment\n"
        "  --nearest            die nächsten erreichbaren Längen unter und über dem\n"
        "                       Fenster, mit der nötigen Toleranz\n"
        "  --measured ARTNR=MM,...  gemessene statt Nennlängen\n"
        "  --joint MM           Zugabe je Stoß; n Gleise zwischen zwei festen Gleisenden\n"
        "                       haben n + 1 Stöße\n"
        "  --swap ARTNR,... --off MM [MINUS PLUS]\n"
        "                       Tausch von höchstens zwei verlegten Gleisen gegen höchstens\n"
        "                       zwei andere für eine Strecke, die MM zu lang (positiv) oder\n"
        "                       zu kurz (negativ) ist\n"
        "Bei Sortimenten aus Dateien reichen MINUS und PLUS bis 50.\n");
}
