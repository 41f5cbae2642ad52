#include "OutputTrees.h"

#include "ObjectCopier.h"

#include <iterator>

namespace colligo {

namespace {

constexpr std::size_t entriesPerLeaf = 128;

void appendKey(TextBuffer &text, const std::string &name)
{
    appendString(text, name.data(), static_cast<int>(name.size()));
}

void appendKey(TextBuffer &text, int number)
{
    text.appendf(" %d", number);
}

template<typename Iterator>
std::string leafText(Iterator begin, Iterator end, bool withLimits, const char *arrayKey)
{
    TextBuffer text;
    if (withLimits) {
        text.append("/Limits[");
        appendKey(text, begin->first);
        appendKey(text, std::prev(end)->first);
        text.append("]\n");
    }
    text.append(arrayKey);
    text.append("[");
    for (auto entry = begin; entry != end; ++entry) {
        appendKey(text, entry->first);
        text.append(entry->second);
        text.append("\n");
    }
    text.append("]\n");
    return text.take();
}

template<typename Map>
int writeTree(OutputFile &output, const Map &entries, const char *arrayKey)
{
    int root = output.newObjectNumber();
    TextBuffer rootText;
    rootText.appendf("%d %d obj\n<<\n", root, 0);
    if (entries.size() <= entriesPerLeaf) {
        rootText.append(leafText(entries.begin(), entries.end(), false, arrayKey));
    } else {
        rootText.append("/Kids[");
        for (auto entry = entries.begin(); entry != entries.end();) {
            auto end = entry;
            for (std::size_t n = 0; n < entriesPerLeaf && end != entries.end(); ++n)
                ++end;
            int leaf = output.newObjectNumber();
            TextBuffer text;
            text.appendf("%d %d obj\n<<\n", leaf, 0);
            text.append(leafText(entry, end, true, arrayKey));
            text.append(">>\nendobj\n");
            output.queueObject(leaf, text.take());
            appendReference(rootText, leaf);
            entry = end;
        }
        rootText.append("]\n");
    }
    rootText.append(">>\nendobj\n");
    output.queueObject(root, rootText.take());
    return root;
}

} // namespace

int writeNameTree(OutputFile &output, const std::map<std::string, std::string> &entries)
{
    return writeTree(output, entries, "/Names");
}

int writeNumberTree(OutputFile &output, const std::map<int, std::string> &entries)
{
    return writeTree(output, entries, "/Nums");
}

} // namespace colligo
