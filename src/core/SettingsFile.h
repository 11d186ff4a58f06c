#pragma once

#include "Settings.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The settings file: 23 lines of single-byte Latin-1 text, each ending in
// CR LF, known by their line numbers alone. Section headers are written but
// never read, so a file with misspelt headers loads like a correct one.
namespace SettingsFile {

inline constexpr int lineCount = 23;

// Nothing when the file cannot be opened; otherwise what could be read.
std::optional<Settings> read(const QString &path);
Settings parse(const QByteArray &bytes);

QByteArray compose(const SettingsSnapshot &settings);
// Makes the file's folder where it is missing and writes the file: through
// a new file put in place of the old one where the folder allows it, so that
// the old file stays whole if writing fails; in place where only the file
// itself can be written. On failure, `error` says why.
bool write(const QString &path, const SettingsSnapshot &settings, QString *error = nullptr);

} // namespace SettingsFile
