#pragma once

#include "Settings.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The settings file: 23 lines of single-byte Latin-1 text, each ending in
// CR LF, known by their line numbers alone. Section headers are written but
// never read, so a file with misspelt headers loads like a correct one.
class SettingsFile
{
public:
    static constexpr int lineCount = 23;

    // Nothing when the file cannot be opened; otherwise what could be read.
    static std::optional<Settings> read(const QString &path);
    static Settings parse(const QByteArray &bytes);

    static QByteArray compose(const SettingsSnapshot &settings);
    // Writes atomically: either the whole new file is in place or the old
    // one is untouched. On failure, `error` says why.
    static bool write(const QString &path, const SettingsSnapshot &settings,
                      QString *error = nullptr);
};
