// What the writer keeps of one attached source document while it is attached:
// its object map and copier, and which output page object stands for each
// of its pages.
#pragma once

#include "ObjectCopier.h"
#include "PdfWriter.h"

#include <optional>
#include <unordered_map>
#include <vector>

namespace colligo {

class SourceNavigation;
class SourceStructure;
class SourceDocumentParts;

class SourceState
{
public:
    SourceState(OutputFile &output, SourceDocument &document, const SourcePlan &plan);
    ~SourceState();

    SourceDocument &document;
    ObjectCopier copier;
    std::string label;
    int order = 0; // the position of the document's first listing among the output's documents

    // The output page object of the first copy of page `index`: written,
    // or set aside for a planned page that is still to come; 0 when the page
    // is not in the output.
    int pageNumberFor(int index);
    // The number the next copy of page `index` is written under.
    int numberForCopy(int index);
    // Whether the copy being written is the first of the page object: a page
    // object that the source's tree lists twice is one object, copied twice.
    bool isFirstCopy(int index) const { return copiesOfPageObject(index) == 1; }
    // How many copies of the page object of page `index` were written so far.
    int copiesOfPageObject(int index) const;
    // The page object of page `index`: its object number, or a negative key
    // for a page written directly in its parent's /Kids.
    int pageObjectKey(int index) const;
    // The document's /Lang as PDF text ("(en-US)"), empty when it has none.
    const std::string &language();
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
    std::unique_ptr<SourceStructure> structure;   // null unless the tagged structure is kept
    std::unique_ptr<SourceDocumentParts> parts;   // null unless document-level parts are kept

private:
    Redirect redirect(Ref ref);

    OutputFile &output;
    std::vector<int> firstCopy;  // by page index
    std::vector<int> copies;     // how many copies were written, by page index
    std::vector<bool> planned;   // by page index
    std::unordered_map<int, int> nodeResources;
    std::unordered_map<int, int> pageObjectCopies; // page object key -> copies written
    std::optional<std::string> languageText;
    Ref catalogRef;
};

} // namespace colligo
