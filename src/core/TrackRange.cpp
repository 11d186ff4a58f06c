#include "TrackRange.h"

#include "TrackCatalogue.h"

#include <algorithm>
#include <cmath>

std::optional<qint64> RangeUnits::parse(QStringView text, int maxDecimals)
{
    qint64 whole = 0;
    qsizetype i = 0;
    int wholeDigits = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (++wholeDigits > 9) // far beyond any length, and no overflow below
            return std::nullopt;
        whole = whole * 10 + (text[i].unicode() - u'0');
    }
    qint64 fraction = 0;
    int decimals = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
            if (++decimals > maxDecimals)
                return std::nullopt;
            fraction = fraction * 10 + (text[i].unicode() - u'0');
        }
        if (decimals == 0)
            return std::nullopt;
    }
    if (i != text.size() || wholeDigits == 0)
        return std::nullopt;
    for (int d = decimals; d < 2; ++d)
        fraction *= 10;
    return whole * perMillimetre + fraction;
}

QString RangeUnits::plainText(qint64 units)
{
    const bool negative = units < 0;
    const qint64 magnitude = negative ? -units : units;
    QString text = QString::number(magnitude / perMillimetre) + u'.';
    const qint64 hundredths = magnitude % perMillimetre;
    text += QString::number(hundredths / 10);
    if (hundredths % 10 != 0)
        text += QString::number(hundredths % 10);
    return negative ? u'-' + text : text;
}

TrackRange::TrackRange(QString name, QString source, Origin origin, QList<RangePiece> pieces)
    : m_name(std::move(name)), m_source(std::move(source)), m_origin(origin),
      m_pieces(std::move(pieces))
{
    std::stable_sort(m_pieces.begin(), m_pieces.end(),
                     [](const RangePiece &a, const RangePiece &b) { return a.length < b.length; });
}

QString TrackRange::builtInName()
{
    return QStringLiteral("maerklin-c");
}

TrackRange TrackRange::builtIn()
{
    // The catalogue's floats are the ones nearest these tenths. The window
    // rounds its sums to float, which moves them by far less than a tenth;
    // and every selection of up to nine pieces whose decimal sum is a whole
    // number of millimetres has exactly that float sum. With whole-millimetre
    // bounds the exact test in tenths therefore admits the same selections.
    QList<RangePiece> pieces;
    for (const TrackPiece &piece : TrackCatalogue::pieces()) {
        const auto tenths = qint64(std::lround(double(piece.length) * 10.0));
        pieces.append(
            {piece.articleNumber, piece.label, tenths * (RangeUnits::perMillimetre / 10)});
    }
    return TrackRange(builtInName(), QStringLiteral("eingebaut (märklin C-Gleis, Herstellermaße)"),
                      Origin::BuiltIn, pieces);
}

QString TrackRange::originText(Origin origin)
{
    switch (origin) {
    case Origin::BuiltIn:
        return QStringLiteral("eingebaut");
    case Origin::Shipped:
        return QStringLiteral("mitgeliefert");
    case Origin::User:
        return QStringLiteral("eigene");
    case Origin::XTrackCad:
        return QStringLiteral("XTrackCAD");
    case Origin::File:
        return QStringLiteral("Datei");
    }
    return QString();
}

int TrackRange::indexOf(QStringView articleNumber) const
{
    for (int i = 0; i < m_pieces.size(); ++i) {
        if (m_pieces.at(i).articleNumber == articleNumber)
            return i;
    }
    return -1;
}

TrackRange TrackRange::withLength(int index, qint64 length) const
{
    TrackRange copy = *this;
    copy.m_pieces[index].length = length;
    return copy;
}
