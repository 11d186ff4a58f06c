#pragma once

#include "Settings.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The settings file: 23 lines of single-byte Latin-1 text, each ending in
// CR LF, known by their line numbers alone. Section headers are written but
// never read, so a file with misspelt headers loads like a correct one. A
// file an editor saved as UTF-8 or UTF-16 with a byte-order mark is read in
// that encoding; the next save writes the single-byte form again.
namespace SettingsFile {

inline constexpr int lineCount = 23;

// Nothing when the file cannot be opened; otherwise what could be read
// from its first 22 lines. A line of more than 4096 characters counts as
// unreadable and leaves the lines after it as they are.
std::optional<Settings> read(const QString &path);
Settings parse(const QByteArray &bytes);

QByteArray compose(const SettingsSnapshot &settings);
// Makes the file's folder where it is missing and writes the file with
// FileSave::replace(): on failure the old file stays as it was and `error`
// says why.
bool write(const QString &path, const SettingsSnapshot &settings, QString *error = nullptr);

} // namespace SettingsFile
