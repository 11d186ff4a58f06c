#include "SettingsFile.h"

#include "NumberText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <cmath>

namespace {

constexpr qint64 maximumFileSize = 1 << 20; // far beyond 23 short lines

// Splits into lines at CR LF, LF or a lone CR, without the line ends.
QList<QString> splitLines(const QByteArray &bytes)
{
    QList<QString> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(QString::fromLatin1(bytes.constData() + start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(QString::fromLatin1(bytes.constData() + start, bytes.size() - start));
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

bool writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

} // namespace

Settings SettingsFile::parse(const QByteArray &bytes)
{
    const QList<QString> lines = splitLines(bytes);
    // Line numbers are 1-based as in the file.
    const auto line = [&](int number) -> std::optional<QString> {
        if (number > lines.size())
            return std::nullopt;
        return lines.at(number - 1);
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

std::optional<Settings> SettingsFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Only the first 22 lines matter; a huge file is not read to its end.
    return parse(file.read(maximumFileSize));
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
    QSaveFile file(path);
    // A shared installation may let the user write the file but not its
    // folder; the file is then written in place.
    file.setDirectWriteFallback(true);
    const QByteArray bytes = compose(settings);
    if (!file.open(QIODevice::WriteOnly)) {
        // Qt writes in place only where the folder's permissions refuse the
        // temporary file; a folder that refuses it otherwise (an immutable
        // one, say) still leaves the file itself to be written.
        if (QFileInfo(path).isFile() && writeInPlace(path, bytes))
            return true;
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}
