// Opening and measuring: the page tree walk, the permission checks and the
// look at what the document navigates by.
#include "FuzzInput.h"
#include "colligo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ScratchFile input(data, size);
    DocumentHandle document = OpenPDF(input.c_str(), nullptr);
    if (document > 0) {
        GetPageCount(document);
        GetNavigation(document);
        ClosePDF(document);
    }
    return 0;
}
