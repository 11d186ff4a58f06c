#include "SettingsFile.h"

#include "FileSave.h"
#include "NumberText.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>

#include <cmath>

namespace {

// A line longer than this is nothing the program wrote or a user typed; it
// is read to its end and counts as unreadable, like a missing line.
constexpr qsizetype longestLine = 4096;
constexpr int linesUsed = 22;
constexpr qint64 chunkSize = qint64(64) << 10;
// Reading ends here even within a line: a device without line ends
// (/dev/zero, say, given as a price file) would otherwise be read for ever.
constexpr qint64 longestRead = qint64(16) << 20;

// The first `count` lines, without their ends (CR LF, LF or a lone CR). The
// file is single-byte Latin-1 unless it begins with a byte-order mark, as an
// editor's "Unicode" or "UTF-8" save does; it is then read in that
// encoding. A long line costs only itself, and reading stops after the
// last line used or after `longestRead` bytes.
QList<std::optional<QString>> readLines(QIODevice &device, int count)
{
    const auto encoding =
        QStringConverter::encodingForData(device.peek(4)).value_or(QStringConverter::Latin1);
    QStringDecoder decode(encoding); // drops the byte-order mark

    QList<std::optional<QString>> lines;
    QString line;
    bool tooLong = false;
    bool afterCr = false;
    const auto endLine = [&] {
        lines.append(tooLong ? std::nullopt : std::optional<QString>(line));
        line.clear();
        tooLong = false;
    };
    for (qint64 done = 0; lines.size() < count && done < longestRead;) {
        const QByteArray chunk = device.read(chunkSize);
        if (chunk.isEmpty())
            break;
        done += chunk.size();
        const QString text = decode(chunk);
        for (qsizetype i = 0; i < text.size() && lines.size() < count; ++i) {
            const QChar c = text.at(i);
            const bool lfOfCrLf = afterCr && c == u'\n';
            afterCr = c == u'\r';
            if (lfOfCrLf)
                continue;
            if (c == u'\r' || c == u'\n')
                endLine();
            else if (line.size() < longestLine)
                line.append(c);
            else
                tooLong = true;
        }
    }
    if (lines.size() < count && (!line.isEmpty() || tooLong))
        endLine();
    return lines;
}

// A tolerance line gives the digit it converts to, for box and scroll bar
// alike: " 0 " gives 0, "05" 5 and, under a decimal comma, "2,5" 2.
std::optional<qint16> tolerance(const QString &line)
{
    const auto value = NumberText::toInt16(line);
    if (!value || *value < 0 || *value > 9)
        return std::nullopt;
    return value;
}

std::optional<float> position(const QString &line)
{
    const double value = NumberText::leadingNumber(line);
    // A position must be a finite float to be of any use for a window.
    if (!std::isfinite(value) || std::abs(value) > 1e9)
        return std::nullopt;
    return float(value);
}

Settings apply(const QList<std::optional<QString>> &lines)
{
    // Line numbers are 1-based as in the file.
    const auto line = [&](int number) -> std::optional<QString> {
        return number <= lines.size() ? lines.at(number - 1) : std::nullopt;
    };

    Settings settings;
    for (int p = 0; p < TrackCatalogue::pieceCount; ++p)
        settings.prices[std::size_t(p)] = line(2 + p);

    for (int i = 0; i < 2; ++i) {
        if (const auto text = line(13 + i)) {
            if (const auto value = tolerance(*text)) {
                settings.toleranceText[std::size_t(i)] = QString::number(*value);
                settings.toleranceValue[std::size_t(i)] = value;
            }
        }
    }

    if (const auto left = line(17))
        settings.left = position(*left);
    if (const auto top = line(18))
        settings.top = position(*top);

    for (int i = 0; i < 2; ++i) {
        if (const auto text = line(21 + i)) {
            const auto value = NumberText::toInt16(*text);
            if (value && *value >= 0 && *value <= 2)
                settings.cellStyle[std::size_t(i)] = value;
        }
    }
    return settings;
}

} // namespace

Settings SettingsFile::parse(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return apply(readLines(buffer, linesUsed));
}

std::optional<Settings> SettingsFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return apply(readLines(file, linesUsed));
}

QByteArray SettingsFile::compose(const SettingsSnapshot &settings)
{
    QList<QString> lines;
    lines << QStringLiteral("[Preise]");
    for (const QString &price : settings.prices)
        lines << price;
    lines << QString() << QStringLiteral("[Toleranzen]");
    lines << settings.toleranceText[0] << settings.toleranceText[1];
    lines << QString() << QStringLiteral("[Position]");
    lines << NumberText::defaultText(settings.left) << NumberText::defaultText(settings.top);
    lines << QString() << QStringLiteral("[farbige Tabelle]");
    lines << NumberText::defaultText(settings.cellStyle[0])
          << NumberText::defaultText(settings.cellStyle[1]);
    lines << QString();

    QByteArray bytes;
    for (const QString &text : lines) {
        // A character outside Latin-1 cannot be stored in a single byte;
        // toLatin1() writes "?" for it, as any single-byte code page would.
        bytes += text.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

bool SettingsFile::write(const QString &path, const SettingsSnapshot &settings, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return FileSave::replace(path, compose(settings), error);
}
