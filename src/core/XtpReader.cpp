#include "XtpReader.h"

#include "RangeFile.h"

#include <QFileInfo>
#include <QSet>
#include <QStringConverter>

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double mmPerInch = 25.4;

struct Part
{
    QString article;
    QList<std::array<double, 3>> ends; // x, y, angle in degrees
    int trackSegments = 0;
    int straightSegments = 0;
};

QString decode(const QByteArray &content)
{
    auto utf8 = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(content);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(content);
}

// The article number: the third tab-separated field of the part's title,
// which stands in double quotes with quotes inside doubled.
QString articleOf(QStringView line)
{
    const qsizetype open = line.indexOf(u'"');
    const qsizetype close = line.lastIndexOf(u'"');
    if (open < 0 || close <= open)
        return QString();
    QString title = line.mid(open + 1, close - open - 1).toString();
    title.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    const QStringList fields = title.split(u'\t');
    return fields.size() >= 3 ? fields.at(2).trimmed() : QString();
}

// The length in units of a straight piece, or nothing.
std::optional<qint64> straightLength(const Part &part)
{
    if (part.ends.size() != 2 || part.trackSegments != 1 || part.straightSegments != 1)
        return std::nullopt;
    const auto &a = part.ends.at(0);
    const auto &b = part.ends.at(1);
    const double dx = b[0] - a[0];
    const double dy = b[1] - a[1];
    const double distance = std::hypot(dx, dy);
    if (distance <= 0.0)
        return std::nullopt;
    // An angle of 0 points to +y, 90 to +x. End b must face along a->b and
    // end a the other way.
    const double rad = std::numbers::pi / 180.0;
    const auto faces = [&](double angle, double ux, double uy) {
        return std::abs(std::sin(angle * rad) - ux) < 1e-3 &&
               std::abs(std::cos(angle * rad) - uy) < 1e-3;
    };
    const double ux = dx / distance;
    const double uy = dy / distance;
    if (!faces(b[2], ux, uy) || !faces(a[2], -ux, -uy))
        return std::nullopt;
    const auto units = std::llround(distance * mmPerInch * double(RangeUnits::perMillimetre));
    if (units <= 0)
        return std::nullopt;
    return qint64(units);
}

} // namespace

QString XtpReader::nameFromPath(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(u".xtp"))
        name.chop(4);
    return u"xtrkcad:" + name;
}

XtpReader::Result XtpReader::read(const QString &path)
{
    QString error;
    const auto content = RangeFile::readBytes(path, error);
    return content ? parse(*content, path) : Result{std::nullopt, error};
}

XtpReader::Result XtpReader::parse(const QByteArray &content, const QString &path)
{
    const QString text = decode(content);
    QList<RangePiece> pieces;
    QSet<QString> seen;
    std::optional<Part> part;
    const auto finish = [&] {
        if (!part)
            return;
        const auto length = straightLength(*part);
        if (length && !part->article.isEmpty() && !seen.contains(part->article)) {
            seen.insert(part->article);
            pieces.append({part->article, part->article, *length});
        }
        part.reset();
    };

    for (QStringView line : QStringView(text).split(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (!line.isEmpty() && !line.front().isSpace()) {
            // A new top-level statement ends any part that lacked its END.
            finish();
            if (trimmed.startsWith(u"TURNOUT ") || trimmed.startsWith(u"TURNOUT\t")) {
                part.emplace();
                part->article = articleOf(trimmed);
            }
            continue;
        }
        if (!part)
            continue;
        if (trimmed == u"END" || trimmed.startsWith(u"END ") || trimmed.startsWith(u"END\t")) {
            finish();
            continue;
        }
        QString spaced = trimmed.toString();
        spaced.replace(u'\t', u' ');
        const QList<QStringView> fields = QStringView(spaced).split(u' ', Qt::SkipEmptyParts);
        if (fields.isEmpty())
            continue;
        const QStringView kind = fields.front();
        if (kind == u"E" && fields.size() >= 4) {
            bool okX = false;
            bool okY = false;
            bool okA = false;
            const double x = fields.at(1).toDouble(&okX);
            const double y = fields.at(2).toDouble(&okY);
            const double angle = fields.at(3).toDouble(&okA);
            if (okX && okY && okA)
                part->ends.append({x, y, angle});
            else
                part->trackSegments += 2; // unreadable: never a straight piece
        } else if (kind == u"S") {
            ++part->trackSegments;
            ++part->straightSegments;
        } else if (kind == u"C" || kind == u"J" || kind == u"B") {
            ++part->trackSegments;
        }
    }
    finish();

    if (pieces.isEmpty())
        return {std::nullopt, QStringLiteral("%1: kein gerades Gleisstück").arg(path)};
    return {TrackRange(nameFromPath(path), path, TrackRange::Origin::XTrackCad, pieces), QString()};
}
