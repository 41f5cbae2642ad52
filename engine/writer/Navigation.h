// What readers navigate by, carried from the sources into the output:
// bookmarks, links and named destinations, annotations, form fields and page
// labels. A SourceNavigation reads one source document when it is first
// attached, copies annotations with each copied page, and hands over the
// rest when the document is released; the OutputNavigation gathers what
// every document handed over and writes it before the catalogue.
//
// Everything kept between a document's release and the end is bookkeeping
// (titles, names, destinations as text, numbers), never content.
#pragma once

#include "ObjectCopier.h"
#include "OutputOptions.h"
#include "PdfWriter.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace colligo {

class SourceState;
class OutputNavigation;

// One page label (ISO 32000, 12.4.2): style (D, R, r, A, a, or empty), the
// prefix as PDF string text, and the number.
struct PageLabel
{
    std::string style;
    std::string prefix;
    long long number = 1;
};

// A bookmark of the output. The nodes of a forest sit in one list in reading
// order (a node before its descendants), linked by index, so that no outline
// is too deep to build, write or destroy.
struct OutlineNode
{
    std::string title;  // the title as PDF text, ready to write
    std::string target; // "/Dest[...]" or "/A n 0 R", or empty
    std::string style;  // "/C[...]" and "/F n", when the source had them
    bool open = false;
    int parent = -1;
};

struct OutlineForest
{
    std::vector<OutlineNode> nodes;
};

// The text of a destination ("[n 0 R /XYZ ...]") retargeted to the copy of
// its page; false when the output does not hold that page (once `released`,
// only pages already written count).
bool retargetedDestination(SourceState &source, const Object &target, bool released, std::string &text);

class SourceNavigation
{
public:
    SourceNavigation(SourceState &source, const SourcePlan &plan, OutputNavigation &output);
    ~SourceNavigation();

    // Annotations and form fields are written by the navigation itself.
    Redirect redirect(Ref ref);
    // The annotations of one copy of page `index`: copies them and appends
    // "/Annots[...]" to the page object's text, when there are any.
    void copyAnnotations(int index, int pageNumber, bool firstCopy, TextBuffer &pageText);
    // The label the source gives page `index`; nothing when it has no labels.
    std::optional<PageLabel> labelOf(int index) const;
    // Writes what the document adds besides its pages: its bookmarks, named
    // destinations and form fields.
    void release();

private:
    class Impl;
    std::unique_ptr<Impl> impl;
};

class OutputNavigation
{
public:
    explicit OutputNavigation(const OutputOptions &options) : keep(options) { }

    const OutputOptions &options() const { return keep; }
    int nextDocumentOrder() { return documentCount++; }

    // Handed over by each document as it is released, with the order of its
    // first listing.
    void addOutline(int documentOrder, OutlineForest outline);
    void addDestination(int documentOrder, std::string name, std::string destination);
    void addRootFields(int documentOrder, std::vector<int> fields);
    void addCalculationOrder(std::vector<int> fields) { calculationOrder.insert(calculationOrder.end(), fields.begin(), fields.end()); }
    // The first document that has one sets the default appearance.
    void addDefaultAppearance(const std::string &text);
    void addFormResource(const std::string &category, const std::string &name, const std::string &value);
    void addFormFlags(bool needAppearances, int signatureFlags);
    // Names of root fields already in the output: a later document renames
    // its clashing fields, so that their values stay independent.
    std::string uniqueFieldName(const std::string &name);
    void addPageLabel(const PageLabel &label, bool fromSource);

    // Writes every gathered object and returns the catalogue's entries for
    // them ("/Outlines n 0 R" ...), empty when there is nothing; the name
    // tree of destinations goes into `nameTrees`.
    std::string write(OutputFile &output, std::map<std::string, int> &nameTrees);

private:
    std::string writeOutline(OutputFile &output);
    int writeDestinations(OutputFile &output);
    std::string writeForm(OutputFile &output);
    std::string writePageLabels(OutputFile &output);

    OutputOptions keep;
    int documentCount = 0;
    std::vector<std::pair<int, OutlineForest>> outlines;
    std::vector<std::tuple<int, std::string, std::string>> destinations; // order, name, destination text
    std::vector<std::pair<int, std::vector<int>>> rootFields;
    std::set<std::string> fieldNames;
    std::string defaultAppearance;
    std::map<std::string, std::map<std::string, std::string>> formResources; // category -> name -> value text
    bool needAppearances = false;
    int signatureFlags = 0;
    std::vector<int> calculationOrder;
    std::vector<PageLabel> labels;
    bool anyLabels = false;
};

} // namespace colligo
