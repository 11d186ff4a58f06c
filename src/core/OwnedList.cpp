#include "OwnedList.h"

#include "NumberText.h"
#include "PieceBook.h"

#include <algorithm>
#include <utility>

namespace {

QChar separatorOf(QStringView line)
{
    for (const QChar candidate : {u'\t', u';', u','})
        if (line.contains(candidate))
            return candidate;
    return u';';
}

QString unquoted(QStringView field)
{
    QStringView text = field.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.mid(1, text.size() - 2)
            .toString()
            .replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return text.toString();
}

} // namespace

QString OwnedList::key(QStringView article)
{
    QString result;
    result.reserve(article.size());
    for (const QChar c : article)
        if (!c.isSpace())
            result += c;
    return result;
}

OwnedList::Reading OwnedList::read(QStringView text)
{
    Reading reading;
    if (text.startsWith(QChar(0xfeff)))
        text = text.mid(1);
    int lineNumber = 0;
    bool first = true; // the first line that is not empty
    for (QStringView line : text.split(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QList<QStringView> fields = line.split(separatorOf(line));
        // An empty row of the sheet: spreadsheets write it as its
        // separators alone (";" or ";;"), or as empty quotes.
        if (std::all_of(fields.cbegin(), fields.cend(),
                        [](QStringView field) { return unquoted(field).trimmed().isEmpty(); }))
            continue;
        const bool firstLine = std::exchange(first, false);
        const QString article = key(unquoted(fields.value(0)));
        const QString countText = unquoted(fields.value(1));
        const bool digits = NumberText::isDigits(countText);
        const int count = digits ? countText.toInt() : -1;
        if (article.isEmpty() || !digits || countText.size() > 5) {
            // A first line that names its columns ("Anzahl") is a header,
            // not a fault.
            const bool word = std::any_of(countText.cbegin(), countText.cend(),
                                          [](QChar c) { return c.isLetter(); });
            if (firstLine && word)
                continue;
            reading.problems << QStringLiteral("Zeile %1: „%2“ ist keine Zeile aus "
                                               "Artikelnummer und Anzahl.")
                                    .arg(lineNumber)
                                    .arg(line.trimmed().toString());
            continue;
        }
        if (reading.counts.value(article) + count > PieceBook::mostOwned) {
            reading.problems << QStringLiteral("Zeile %1: „%2“ ergäbe mehr als %3 Stück eines "
                                               "Gleises; die Zeile zählt nicht.")
                                    .arg(lineNumber)
                                    .arg(line.trimmed().toString())
                                    .arg(PieceBook::mostOwned);
            continue;
        }
        reading.counts[article] += count;
    }
    return reading;
}
