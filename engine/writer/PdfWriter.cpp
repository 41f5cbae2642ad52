// The writer's skeleton: creation, attaching and releasing sources, and finish().
#include "PdfWriter.h"

#include "DocumentParts.h"
#include "Navigation.h"
#include "SourceState.h"
#include "Structure.h"
#include "platform/FileSystem.h"
#include "platform/WideText.h"
#include "reading/Conformance.h"
#include "reading/SourceDocument.h"

#include <algorithm>
#include <cstring>

namespace colligo {

namespace {

// Replaces, after the last separator, every character that is neither a letter,
// a digit nor '.' by a space. A surrogate pair is judged as the one character it
// encodes; an unpaired surrogate is never a letter.
void sanitiseFileName(char16_t *path)
{
    std::size_t length = wideLength(path);
    std::size_t start = 0;
    for (std::size_t i = 0; i < length; ++i)
        if (isPathSeparator(path[i]))
            start = i + 1;
    for (std::size_t i = start; i < length; ++i) {
        char32_t c = path[i];
        bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < length && path[i + 1] >= 0xDC00 && path[i + 1] <= 0xDFFF;
        if (pair)
            c = 0x10000 + ((c - 0xD800) << 10) + (path[i + 1] - 0xDC00);
        bool keep = c == '.' || isLetterOrDigit(c);
        if (pair) {
            if (!keep)
                path[i] = path[i + 1] = u' ';
            ++i;
        } else if (!keep) {
            path[i] = u' ';
        }
    }
}

} // namespace

PdfWriter::PdfWriter(const char *outputPath, const char *title_, OutputOptions options_) : options(std::move(options_))
{
    if (title_)
        std::strncpy(title.data(), title_, title.size() - 1);
    ok = outputPath && createOutput(outputPath);
}

PdfWriter::PdfWriter(char16_t *outputPath, const char *title_, OutputOptions options_) : options(std::move(options_))
{
    if (title_)
        std::strncpy(title.data(), title_, title.size() - 1);
    if (outputPath) {
        if (auto path = utf16ToUtf8(outputPath))
            ok = createOutput(*path);
        if (!output.isOpen()) {
            sanitiseFileName(outputPath);
            if (auto path = utf16ToUtf8(outputPath))
                ok = createOutput(*path);
        }
    }
    ok = output.isOpen();
}

PdfWriter::~PdfWriter() = default;

bool PdfWriter::createOutput(const std::string &utf8Path)
{
    if (!output.create(utf8Path, options.keeps(OutputOptions::metadata) || options.compactLayout))
        return false;
    if (options.compactLayout)
        output.setLayout(OutputFile::Layout::compact, options.shareObjects);
    if (options.keepsAnything())
        navigation = std::make_unique<OutputNavigation>(options);
    if (options.keeps(OutputOptions::structure))
        structure = std::make_unique<OutputStructure>(output, options);
    if (options.keep & (OutputOptions::layers | OutputOptions::metadata | OutputOptions::settings | OutputOptions::attachments))
        parts = std::make_unique<OutputDocumentParts>(options);
    return true;
}

SourceState *PdfWriter::stateOf(SourceDocument *document)
{
    for (const std::unique_ptr<SourceState> &state : sources)
        if (&state->document == document)
            return state.get();
    return nullptr;
}

int PdfWriter::setSource(SourceDocument *document, const SourcePlan &plan)
{
    if (!document)
        return 0;
    current = stateOf(document);
    if (!current) {
        if (attachedDocuments == 0)
            chooseLayout(*document);
        sources.push_back(std::make_unique<SourceState>(output, *document, plan));
        current = sources.back().get();
        current->order = attachedDocuments++;
        attachParts(*current);
        if (navigation)
            current->navigation = std::make_unique<SourceNavigation>(*current, plan, *navigation);
    }
    return 1;
}

// PDF/A-1 forbids object and cross-reference streams (ISO 19005-1, 6.1.4
// and 6.1.6), and the output declares PDF/A-1 only when every source does,
// the first one included: its declaration decides before any object is
// written.
void PdfWriter::chooseLayout(SourceDocument &first)
{
    if (!output.isCompact() || !options.keeps(OutputOptions::metadata))
        return;
    if (conformanceOf(metadataPacket(first.objects())).pdfaPart == 1)
        output.setLayout(OutputFile::Layout::classic, false);
}

// What the output keeps of a document besides its pages and navigation.
void PdfWriter::attachParts(SourceState &state)
{
    state.copier.setFaithful(options.keepsAnything());
    state.copier.setSharing(output.sharesObjects());
    state.copier.setCompression(options.compressStreams);
    if (structure) {
        state.structure = std::make_unique<SourceStructure>(state, *structure);
        if (state.structure->isTagged()) {
            SourceStructure *tree = state.structure.get();
            state.copier.setEntryHook([tree](Ref owner, const char *key, const Object &value, TextBuffer &text) {
                return tree->copyEntry(owner, key, value, text);
            });
        } else {
            state.structure.reset();
        }
    }
    if (parts)
        state.parts = std::make_unique<SourceDocumentParts>(state, *parts);
}

void PdfWriter::releaseSource(SourceDocument *document)
{
    SourceState *state = stateOf(document);
    if (!state || !output.isOpen())
        return;
    if (state->navigation)
        state->navigation->release();
    if (state->structure)
        state->structure->release();
    if (state->parts)
        state->parts->release();
    state->copier.copyDeferredObjects();
    if (state->copier.takeDamage())
        ++damagedPages;
    output.writePendingObjects();
    if (current == state)
        current = nullptr;
    sources.erase(std::find_if(sources.begin(), sources.end(), [&](const auto &s) { return s.get() == state; }));
}

void PdfWriter::finish()
{
    if (!output.isOpen())
        return;
    while (!sources.empty())
        releaseSource(&sources.front()->document);
    std::string catalogEntries = writeCatalogParts();
    output.writePendingObjects();

    writePageTree();
    writeInformation();
    output.startObject(OutputFile::catalogNumber);
    output.writeText("/Type/Catalog\n");
    output.writeText("/Pages %d %d R\n", OutputFile::pageTreeNumber, 0);
    output.writeBytes(catalogEntries.data(), catalogEntries.size());
    output.endObject();
    finishedWell = output.finish();
}

// Navigation, structure and the document's other parts, then one /Names
// dictionary for every name tree among them.
std::string PdfWriter::writeCatalogParts()
{
    std::map<std::string, int> nameTrees;
    std::string entries = navigation ? navigation->write(output, nameTrees) : std::string();
    bool hasStructure = false;
    if (structure) {
        entries += structure->write();
        hasStructure = structure->hasTree();
    }
    if (parts) {
        entries += parts->write(output, entries.find("/Outlines") != std::string::npos, hasStructure, nameTrees);
        if (options.keeps(OutputOptions::metadata))
            output.setTrailerEntries(parts->trailerIdentifier(entries + std::to_string(pageObjects.size())));
    }
    if (!nameTrees.empty()) {
        entries += "/Names<<";
        for (const auto &[tree, number] : nameTrees)
            entries += "/" + tree + " " + std::to_string(number) + " 0 R";
        entries += ">>\n";
    }
    return entries;
}

void PdfWriter::writePageTree()
{
    output.startObject(OutputFile::pageTreeNumber);
    output.writeText("/Type/Pages\n");
    output.writeText("/Count %d\n", static_cast<int>(pageObjects.size()));
    output.writeText("/Kids[");
    for (int page : pageObjects)
        output.writeText("%d %d R ", page, 0);
    output.writeText("]\n");
    output.endObject();
}

// The writer's own title, unless the caller gave document information.
void PdfWriter::writeInformation()
{
    output.startObject(OutputFile::infoNumber);
    TextBuffer text;
    if (parts && options.keeps(OutputOptions::metadata)) {
        text.append(parts->informationEntries());
        output.writeBuffer(text);
        output.endObject();
        return;
    }
    output.writeText("/Creator(Tessaly.dll)\n");
    if (options.hasDocumentInformation()) {
        const std::pair<const char *, const std::optional<std::string> *> entries[] = {
            { "/Title", &options.title }, { "/Subject", &options.subject }, { "/Author", &options.author }, { "/Keywords", &options.keywords }
        };
        for (const auto &[key, value] : entries) {
            if (!*value)
                continue;
            text.append(key);
            appendTextString(text, **value);
            text.append("\n");
        }
    } else {
        text.append("/Title(");
        text.append(title.data());
        text.append(")\n");
    }
    output.writeBuffer(text);
    output.endObject();
}

} // namespace colligo
