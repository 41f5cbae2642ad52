// What a document holds at its catalogue besides pages and navigation, carried
// into the output: settings a viewer opens with (language, viewer
// preferences, page layout and mode, open action), layers (optional
// content), attachments and document JavaScript, metadata (the XMP packet,
// which agrees with the information dictionary) and the PDF/A and PDF/UA
// conformance the output really has.
//
// A SourceDocumentParts reads one source when it is released; the
// OutputDocumentParts gathers what each source handed over (texts and
// numbers) and writes it before the catalogue. Settings come from the first
// listed document; layers, attachments and scripts from all of them.
#pragma once

#include "ObjectCopier.h"
#include "OutputFile.h"
#include "OutputOptions.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "reading/Conformance.h"

namespace colligo {

class SourceState;
class OutputDocumentParts;

class SourceDocumentParts
{
public:
    SourceDocumentParts(SourceState &source, OutputDocumentParts &output);
    ~SourceDocumentParts();
    // Article threads' beads and threads stand for their copies.
    Redirect redirect(Ref ref);
    // The page object's list of beads ("/B[...]"), for the first copy of a page.
    void appendPageEntries(int index, TextBuffer &pageText);
    // Hands over what the document adds; call after its pages, annotations
    // and structure are written.
    void release();

private:
    class Impl;
    std::unique_ptr<Impl> impl;
};

// One source's optional content, as the output's configuration needs it:
// the groups the copied pages use (output numbers) and the texts of its
// default configuration's lists, already limited to those groups.
struct SourceLayers
{
    int order = 0;
    std::string title; // the file's order label, as PDF text
    std::vector<int> groups;
    std::vector<int> on, off, locked;
    std::string orderItems;              // the items of its /Order, without brackets
    std::vector<std::string> radioGroups; // each "[...]"
    std::vector<std::pair<std::string, std::vector<int>>> usage; // /AS: event and category text -> groups
    std::vector<std::string> configurations; // alternative configurations, each "<<...>>"
    std::string defaultEntries;               // /Name, /Creator, /Intent, /ListMode of its default
};

// What a source says about itself that the output's metadata depends on.
struct SourceMetadata
{
    int order = 0;
    Conformance conformance;
    std::string outputIntents;      // their signature; empty when none
    std::string outputIntentsText;  // the copied array, for the first source that has one
    bool structureKept = false;     // its tagged structure is in the output in full
    std::map<std::string, std::string> information; // Title, Author, Subject, Keywords as UTF-8
};

class OutputDocumentParts
{
public:
    OutputDocumentParts(const OutputOptions &options) : options(options) { }

    const OutputOptions &keep() const { return options; }

    void setSettings(std::string entries, std::string pageMode);
    void askForOutline() { outlineAsked = true; }
    void addNamed(const std::string &tree, const std::string &name, std::string value);
    void addLayers(SourceLayers layers);
    void addMetadata(SourceMetadata metadata);
    void addThreads(int order, std::vector<int> numbers);

    // Writes everything gathered; returns the catalogue's entries and adds
    // the name trees to `nameTrees` (tree name -> root number).
    std::string write(OutputFile &output, bool hasOutline, bool hasStructure, std::map<std::string, int> &nameTrees);
    // The information dictionary's entries (from the options, else the first
    // document), its creator and producer and the dates: the XMP packet says the same.
    std::string informationEntries() const;
    // "/ID[<...><...>]" for the trailer.
    std::string trailerIdentifier(const std::string &seed) const;

private:
    std::string writeLayers();
    std::string writeMetadata(OutputFile &output, bool hasStructure);
    Conformance declaredConformance(bool hasStructure) const;
    std::map<std::string, std::string> information() const;

    const OutputOptions &options;
    std::string settings;
    std::string pageMode;
    bool outlineAsked = false;
    std::map<std::string, std::map<std::string, std::string>> named; // tree -> name -> value
    std::vector<SourceLayers> layers;
    std::vector<SourceMetadata> metadata;
    std::vector<std::pair<int, std::vector<int>>> threads; // by document order
};

} // namespace colligo
