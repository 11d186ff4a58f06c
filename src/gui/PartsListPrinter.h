#pragma once

#include <QString>

class PartsListPage;
class QPrinter;

// Paints a parts-list page onto a printer that the user has already chosen.
class PartsListPrinter
{
public:
    // Paints every line of `page` onto one page of `printer` and ends the
    // document. Returns false when the printer cannot be opened or fails
    // while printing; `error` (if given) then receives a German sentence for
    // the user, and the document is not ended: whatever the printer has
    // taken so far is left to it.
    bool print(QPrinter &printer, const PartsListPage &page, QString *error = nullptr) const;
};
