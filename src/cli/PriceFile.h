#pragma once

#include <QString>

#include <functional>

class PriceStore;

// The unit prices of --prices, read the same way whichever path of the
// program uses them, so that every path refuses the same files and tells
// the same doubts.
namespace PriceFile {

// Reads the prices of the settings file at `path` into `prices`; the empty
// text, or the message why the file cannot serve (missing, a folder,
// unreadable). A file without a single price line (empty, or too short to
// reach them) is read, and told once: every price then counts as 0.
QString read(const QString &path, PriceStore &prices);

// One warning for each price of a piece `used` accepts (by its catalogue
// position, 1 to 9) that does not read plainly in the current locale.
void warn(const PriceStore &prices, const std::function<bool(int position)> &used);

} // namespace PriceFile
