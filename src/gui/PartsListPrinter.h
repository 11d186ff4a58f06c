#pragma once

#include <QString>

class PartsListPage;
class QPrinter;

// Paints a parts-list page onto a printer that the user has already chosen.
namespace PartsListPrinter {

// Paints every line of `page` onto one page of `printer` and ends the
// document. Returns false when the printer cannot be opened or fails while
// printing; `error` (if given) then receives a German sentence for the user.
// On a failure while printing the document is aborted, not ended, so that a
// half-printed page is not handed over as finished; what a printer has
// already taken it may still print.
bool print(QPrinter &printer, const PartsListPage &page, QString *error = nullptr);

} // namespace PartsListPrinter
