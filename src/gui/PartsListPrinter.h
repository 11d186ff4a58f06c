#pragma once

#include <QString>

class PartsListPage;
class QPrinter;

// Paints a parts-list page onto a printer that the user has already chosen.
namespace PartsListPrinter {

// Paints every line of `page` onto one page of `printer` and ends the
// document. Returns false when the printer cannot be opened or fails while
// printing; `error` (if given) then receives a German sentence for the user.
// A page the printer failed on is not handed over half printed: the document
// is aborted, which withdraws the job wherever the printer can still do so.
bool print(QPrinter &printer, const PartsListPage &page, QString *error = nullptr);

} // namespace PartsListPrinter
