// Debian's libpoppler keeps SecurityHandler's constructor, destructor and
// virtual table to itself. These are that base class's trivial definitions,
// so that our handler can implement the interface; the copy stays hidden
// inside the engine and never meets poppler's own handlers.
#include <SecurityHandler.h>

SecurityHandler::SecurityHandler(PDFDoc *docA) : doc(docA) { }

SecurityHandler::~SecurityHandler() = default;
