#include "UserText.h"

namespace {

// Control characters and the two Unicode line breaks, which a terminal or a
// label would act on instead of showing.
bool needsEscape(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

QString escaped(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
        return QStringLiteral("\\n");
    case u'\r':
        return QStringLiteral("\\r");
    case u'\t':
        return QStringLiteral("\\t");
    default:
        break;
    }
    if (c.unicode() <= 0xff)
        return QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    return QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
}

} // namespace

QString UserText::oneLine(QStringView text)
{
    QString line;
    line.reserve(text.size());
    for (QChar c : text) {
        if (needsEscape(c))
            line += escaped(c);
        else
            line += c;
    }
    return line;
}

QString UserText::quoted(QStringView text, qsizetype longest)
{
    const bool cut = text.size() > longest;
    return u'„' + oneLine(cut ? text.first(longest) : text) + (cut ? u"…“" : u"“");
}
