// The tagged structure (ISO 32000, 14.7 and 14.8) carried from the sources
// into the output: the structure elements that hold content of copied
// pages, the parent tree that leads from marked content back to them, and
// the role map, class map and ID tree they rely on.
//
// A SourceStructure reads one source's structure tree when the source is
// first attached, gives each copy of a tagged page its /StructParents key as
// the page is written, and writes the source's elements when it is released:
// once for the first copy of every page, and once more for each further copy
// of a page listed twice, so that every marked content of every page copy is
// reachable exactly once. Elements whose content lies only on pages left out
// are dropped. The OutputStructure gathers what each source handed over
// (bookkeeping only: numbers, names and short texts) and writes the
// structure tree root, the parent tree and the ID tree before the catalogue.
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
class OutputStructure;

class SourceStructure
{
public:
    SourceStructure(SourceState &source, OutputStructure &output);
    ~SourceStructure();

    // Whether the source has a structure tree with any element.
    bool isTagged() const;
    // Whether everything the tree holds on copied pages could be carried over.
    bool isComplete() const;

    // Structure elements stand for their first copy; the tree's other parts
    // (root, parent tree, ID tree, role and class maps) are rebuilt, never copied.
    Redirect redirect(Ref ref);
    // Rewrites /StructParents and /StructParent of the objects the copier
    // writes (form XObjects that hold marked content).
    bool copyEntry(Ref owner, const char *key, const Object &unresolved, TextBuffer &text);
    // A copy of page `index` is written as object `pageNumber`; returns its
    // /StructParents key, or -1 when the page holds no tagged content.
    int pageCopied(int index, int pageNumber);
    // A copy of annotation `ref` is written as `number`, on the page copy of
    // generation `generation` (1 for a page's first copy); returns its
    // /StructParent key, or -1 when no structure element holds it.
    int annotationCopied(Ref ref, int number, int generation);
    // Writes the source's elements and hands over their parent-tree entries.
    void release();

private:
    class Impl;
    std::unique_ptr<Impl> impl;
};

class OutputStructure
{
public:
    OutputStructure(OutputFile &output, const OutputOptions &options) : output(output), options(options) { }

    int newKey() { return nextKey++; }

    // The element the top-level elements of document `order` stand under:
    // the tree's root for an output made of one file, else an element of the
    // file's own under the document element. `language` is the file's /Lang
    // text ("(en-US)"), given to that element. `ownElement`, when nonzero, is
    // the file's own document element, which then becomes that element.
    int topParentFor(int order, const std::string &language, int ownElement);
    // The document element of a file's own element, for its /P.
    int documentElement();
    bool isSingleFile() const { return options.documentCount <= 1; }
    void addTopElements(int order, const std::vector<int> &elements);

    // Merged by the first file that defines a name; a later file that gives
    // a name another meaning gets that name renamed: returns old -> new names.
    std::map<std::string, std::string> mergeRoleMap(const std::map<std::string, std::string> &roles);
    std::map<std::string, std::string> mergeClassMap(const std::map<std::string, std::string> &classes);
    // An element ID no earlier file uses, entered into the ID tree.
    std::string uniqueId(const std::string &id, int element);
    void setParentTreeEntry(int key, std::string value);

    // Writes the tree's root and everything gathered; returns the catalogue's
    // entries ("/StructTreeRoot n 0 R" and /MarkInfo), empty when no source
    // was tagged.
    std::string write();
    bool hasTree() const { return root != 0; }

private:
    struct FilePart
    {
        int order;
        int number;
        bool own;             // written here, not by the source
        std::string language; // as PDF text
        std::vector<int> kids;
    };

    FilePart &partOf(int order);
    int rootNumber();
    void writeFileParts();
    int writeParentTree();
    int writeIdTree();

    OutputFile &output;
    const OutputOptions &options;
    int root = 0;
    int document = 0;
    int nextKey = 0;
    std::vector<int> topElements; // one file: the tree's own top level
    std::vector<FilePart> parts;
    std::map<std::string, std::string> roleMap;  // name -> name
    std::map<std::string, std::string> classMap; // name -> value text
    std::map<std::string, int> ids;
    std::map<int, std::string> parentTree; // key -> value text
};

} // namespace colligo
