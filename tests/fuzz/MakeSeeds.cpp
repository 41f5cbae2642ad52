// Writes the starting corpora of the fuzz targets: documents from the tests'
// builder (plain, navigating, with object streams left to qpdf) and the
// certificate-encrypted fixtures' encryption dictionaries.
#include "PdfBuilder.h"

#include <filesystem>
#include <fstream>
#include <regex>

using namespace testing_support;

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    std::filesystem::path documents = argv[1];
    std::filesystem::path dictionaries = argv[2];
    std::filesystem::create_directories(documents);
    std::filesystem::create_directories(dictionaries);
    writeTextDocument((documents / "text.pdf").string(), 3, "Seed");
    writeFile((documents / "navigation.pdf").string(), navigationDocument(4, "Seed", "value"));
    // The encryption dictionaries of the certificate-encrypted fixtures.
    for (int i = 3; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::filesystem::copy_file(argv[i], documents / std::filesystem::path(argv[i]).filename(),
                                   std::filesystem::copy_options::overwrite_existing);
        std::smatch found;
        if (std::regex_search(text, found, std::regex("<<[^<>]*/Filter\\s*/Adobe\\.PubSec(?:[^<>]|<[^<>]*>|<<[^<>]*>>)*>>")))
            writeFile((dictionaries / (std::filesystem::path(argv[i]).stem().string() + ".txt")).string(), found.str());
    }
    return 0;
}
