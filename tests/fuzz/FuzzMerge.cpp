// A merge of the document with itself, keeping everything readers navigate
// by: the object map, page copying, annotations, fields, outline, names.
#include "FuzzInput.h"
#include "colligo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ScratchFile input(data, size);
    std::string output = ScratchFile::beside("merged.pdf");
    ClearList();
    if (AddFile(input.c_str(), "1-20,2", 0) == 1 && AddFile(input.c_str(), "3-1", 0) == 1) {
        SetOutputOptions(COLLIGO_KEEP_ALL, 1, "Fuzz", nullptr, nullptr, nullptr);
        Colligo(output.c_str(), 0, nullptr);
    }
    ClearList();
    std::filesystem::remove(output);
    return 0;
}
