// What the writer keeps of one attached source document while it is attached:
// its object map and copier, and which output page object stands for each
// of its pages.
#pragma once

#include "ObjectCopier.h"
#include "PdfWriter.h"

#include <unordered_map>
#include <vector>

namespace colligo {

class SourceNavigation;

class SourceState
{
public:
    SourceState(OutputFile &output, SourceDocument &document, const SourcePlan &plan);
    ~SourceState();

    SourceDocument &document;
    ObjectCopier copier;
    std::string label;

    // The output page object of the first copy of page `index`: written,
    // or set aside for a planned page that is still to come; 0 when the page
    // is not in the output.
    int pageNumberFor(int index);
    // The number the next copy of page `index` is written under.
    int numberForCopy(int index);
    bool isFirstCopy(int index) const { return copies[static_cast<std::size_t>(index)] == 1; }
    int firstCopyNumber(int index) const { return firstCopy[static_cast<std::size_t>(index)]; }
    // The first copy of page `index` when it has been written; 0 otherwise.
    int writtenCopyNumber(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < copies.size() && copies[static_cast<std::size_t>(index)] > 0
                   ? firstCopy[static_cast<std::size_t>(index)]
                   : 0;
    }

    // The output number of a source object that is written by other means
    // than the copier (annotations, form fields): handed out when first met.
    int reserveNumber(Ref ref);
    int newNumber() { return output.newObjectNumber(); }
    OutputFile &outputFile() { return output; }

    // The output copy of a resource dictionary inherited from page-tree node
    // `node`, shared by all the node's pages; 0 before the first.
    int &inheritedResources(int node) { return nodeResources[node]; }

    std::unique_ptr<SourceNavigation> navigation; // null when nothing but pages is kept

private:
    Redirect redirect(Ref ref);

    OutputFile &output;
    std::vector<int> firstCopy;  // by page index
    std::vector<int> copies;     // how many copies were written, by page index
    std::vector<bool> planned;   // by page index
    std::unordered_map<int, int> nodeResources;
    Ref catalogRef;
};

} // namespace colligo
