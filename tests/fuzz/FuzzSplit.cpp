// A split by a range with the rest file, pages only.
#include "FuzzInput.h"
#include "colligo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ScratchFile input(data, size);
    std::string output = ScratchFile::beside("part.pdf");
    SplitPDF(input.c_str(), "2,1,4-3", output.c_str(), 1, nullptr);
    std::filesystem::remove(output);
    std::filesystem::remove(ScratchFile::beside("part-2.PDF"));
    return 0;
}
