// The output's bookmarks, name tree, form and page labels, gathered from
// every source document and written in one go before the catalogue.
#include "Navigation.h"

#include "OutputTrees.h"

#include <algorithm>

namespace colligo {

namespace {

std::string referenceText(int number)
{
    return " " + std::to_string(number) + " 0 R";
}

} // namespace

void OutputNavigation::addOutline(int documentOrder, OutlineForest outline)
{
    outlines.emplace_back(documentOrder, std::move(outline));
}

void OutputNavigation::addDestination(int documentOrder, std::string name, std::string destination)
{
    destinations.emplace_back(documentOrder, std::move(name), std::move(destination));
}

void OutputNavigation::addRootFields(int documentOrder, std::vector<int> fields)
{
    rootFields.emplace_back(documentOrder, std::move(fields));
}

void OutputNavigation::addDefaultAppearance(const std::string &text)
{
    if (defaultAppearance.empty())
        defaultAppearance = text;
}

void OutputNavigation::addFormResource(const std::string &category, const std::string &name, const std::string &value)
{
    formResources[category].emplace(name, value); // the first document to define a name keeps it
}

void OutputNavigation::addFormFlags(bool needAppearancesToo, int signatureFlagsToo)
{
    needAppearances = needAppearances || needAppearancesToo;
    signatureFlags |= signatureFlagsToo;
}

std::string OutputNavigation::uniqueFieldName(const std::string &name)
{
    std::string candidate = name;
    for (int suffix = 2; fieldNames.count(candidate); ++suffix)
        candidate = name + "_" + std::to_string(suffix);
    fieldNames.insert(candidate);
    return candidate;
}

void OutputNavigation::addPageLabel(const PageLabel &label, bool fromSource)
{
    labels.push_back(label);
    anyLabels = anyLabels || fromSource;
}

std::string OutputNavigation::write(OutputFile &output, std::map<std::string, int> &nameTrees)
{
    std::string entries;
    entries += writeOutline(output);
    if (int destinations = writeDestinations(output))
        nameTrees["Dests"] = destinations;
    entries += writeForm(output);
    entries += writePageLabels(output);
    return entries;
}

// One list of nodes in reading order for all documents, then the items with
// their links; /Count as ISO 32000 defines it (visible descendants, negative
// for a closed item).
std::string OutputNavigation::writeOutline(OutputFile &output)
{
    std::stable_sort(outlines.begin(), outlines.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<OutlineNode> nodes;
    for (auto &[order, forest] : outlines) {
        int offset = static_cast<int>(nodes.size());
        for (OutlineNode &node : forest.nodes) {
            if (node.parent >= 0)
                node.parent += offset;
            nodes.push_back(std::move(node));
        }
    }
    if (nodes.empty())
        return {};

    std::size_t count = nodes.size();
    int root = output.newObjectNumber();
    std::vector<int> number(count), first(count, -1), last(count, -1), next(count, -1), previous(count, -1);
    int firstTop = -1, lastTop = -1;
    for (std::size_t i = 0; i < count; ++i) {
        number[i] = output.newObjectNumber();
        int parent = nodes[i].parent;
        int &head = parent >= 0 ? first[static_cast<std::size_t>(parent)] : firstTop;
        int &tail = parent >= 0 ? last[static_cast<std::size_t>(parent)] : lastTop;
        if (head < 0)
            head = static_cast<int>(i);
        else {
            next[static_cast<std::size_t>(tail)] = static_cast<int>(i);
            previous[i] = tail;
        }
        tail = static_cast<int>(i);
    }
    std::vector<long long> visible(count, 0); // descendants shown when the item is open
    long long visibleTop = 0;
    for (std::size_t i = count; i-- > 0;) {
        long long shown = 1 + (nodes[i].open ? visible[i] : 0);
        if (nodes[i].parent >= 0)
            visible[static_cast<std::size_t>(nodes[i].parent)] += shown;
        else
            visibleTop += shown;
    }

    for (std::size_t i = 0; i < count; ++i) {
        const OutlineNode &node = nodes[i];
        TextBuffer text;
        text.appendf("%d %d obj\n<<\n/Title", number[i], 0);
        text.append(node.title);
        text.appendf("\n/Parent %d 0 R\n", node.parent >= 0 ? number[static_cast<std::size_t>(node.parent)] : root);
        if (previous[i] >= 0)
            text.appendf("/Prev %d 0 R\n", number[static_cast<std::size_t>(previous[i])]);
        if (next[i] >= 0)
            text.appendf("/Next %d 0 R\n", number[static_cast<std::size_t>(next[i])]);
        if (first[i] >= 0) {
            text.appendf("/First %d 0 R\n/Last %d 0 R\n", number[static_cast<std::size_t>(first[i])], number[static_cast<std::size_t>(last[i])]);
            text.appendf("/Count %lld\n", node.open ? visible[i] : -visible[i]);
        }
        text.append(node.target);
        text.append(node.style);
        text.append("\n>>\nendobj\n");
        output.queueObject(number[i], text.take());
    }
    TextBuffer text;
    text.appendf("%d %d obj\n<<\n/Type/Outlines\n/First %d 0 R\n/Last %d 0 R\n/Count %lld\n>>\nendobj\n", root, 0,
                 number[static_cast<std::size_t>(firstTop)], number[static_cast<std::size_t>(lastTop)], visibleTop);
    output.queueObject(root, text.take());
    return "/Outlines" + referenceText(root) + "\n";
}

// A name that an earlier document uses already gets a suffix, so that every
// name keeps leading into its own document.
int OutputNavigation::writeDestinations(OutputFile &output)
{
    if (destinations.empty())
        return 0;
    std::stable_sort(destinations.begin(), destinations.end(), [](const auto &a, const auto &b) { return std::get<0>(a) < std::get<0>(b); });
    std::map<std::string, std::string> unique;
    for (auto &[order, name, destination] : destinations) {
        std::string candidate = name;
        for (int suffix = 2; unique.count(candidate); ++suffix)
            candidate = name + "-" + std::to_string(suffix);
        unique.emplace(std::move(candidate), std::move(destination));
    }

    return writeNameTree(output, unique);
}

std::string OutputNavigation::writeForm(OutputFile &output)
{
    if (rootFields.empty())
        return {};
    std::stable_sort(rootFields.begin(), rootFields.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    int form = output.newObjectNumber();
    TextBuffer text;
    text.appendf("%d %d obj\n<<\n/Fields[", form, 0);
    for (const auto &[order, fields] : rootFields)
        for (int field : fields)
            appendReference(text, field);
    text.append("]\n");
    if (!defaultAppearance.empty()) {
        text.append("/DA");
        text.append(defaultAppearance);
        text.append("\n");
    }
    if (!formResources.empty()) {
        text.append("/DR<<");
        for (const auto &[category, names] : formResources) {
            appendName(text, category.c_str());
            text.append("<<");
            for (const auto &[name, value] : names) {
                appendName(text, name.c_str());
                text.append(value);
            }
            text.append(">>");
        }
        text.append(">>\n");
    }
    if (needAppearances)
        text.append("/NeedAppearances true\n");
    if (signatureFlags != 0)
        text.appendf("/SigFlags %d\n", signatureFlags);
    if (!calculationOrder.empty()) {
        text.append("/CO[");
        for (int field : calculationOrder)
            appendReference(text, field);
        text.append("]\n");
    }
    text.append(">>\nendobj\n");
    output.queueObject(form, text.take());
    return "/AcroForm" + referenceText(form) + "\n";
}

// A new range starts wherever the labels do not simply count on.
std::string OutputNavigation::writePageLabels(OutputFile &output)
{
    if (!anyLabels)
        return {};
    int tree = output.newObjectNumber();
    TextBuffer text;
    text.appendf("%d %d obj\n<<\n/Nums[", tree, 0);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const PageLabel &label = labels[i];
        bool continues = i > 0 && labels[i - 1].style == label.style && labels[i - 1].prefix == label.prefix &&
                         labels[i - 1].number + 1 == label.number;
        if (continues)
            continue;
        text.appendf("\n%d<<", static_cast<int>(i));
        if (!label.style.empty()) {
            text.append("/S");
            appendName(text, label.style.c_str());
        }
        if (!label.prefix.empty()) {
            text.append("/P");
            text.append(label.prefix);
        }
        if (label.number != 1)
            text.appendf("/St %lld", label.number);
        text.append(">>");
    }
    text.append("]\n>>\nendobj\n");
    output.queueObject(tree, text.take());
    return "/PageLabels" + referenceText(tree) + "\n";
}

} // namespace colligo
