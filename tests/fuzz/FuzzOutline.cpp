// The outline listing with every entry's page, and the split at level 1.
#include "FuzzInput.h"
#include "colligo.h"

namespace {

// Tree items are the positions of a host's table; only their identity counts.
char treeItems[1 << 16];

void *insertItem(void *context, void *, const char *, int, int)
{
    auto *count = static_cast<unsigned *>(context);
    return &treeItems[(*count)++ % sizeof treeItems];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ScratchFile input(data, size);
    DocumentHandle document = OpenPDF(input.c_str(), nullptr);
    if (document > 0) {
        unsigned count = 0;
        OutlineTreeSink sink { &count, insertItem };
        if (GetOutline(document, &sink, 0) > 0)
            for (int32_t entry = 0; GetOutlineEntryPage(document, entry) >= 0; ++entry) {
            }
        ClosePDF(document);
    }
    std::string folder = ScratchFile::beside("sections");
    std::filesystem::create_directories(folder);
    SetOutputOptions(COLLIGO_KEEP_ALL, 0, nullptr, nullptr, nullptr, nullptr);
    SplitWithOutline(input.c_str(), folder.c_str(), 1, 0, nullptr);
    std::filesystem::remove_all(folder);
    return 0;
}
