// The output's settings, layers, attachments, scripts and metadata,
// gathered from every source and written in one go before the catalogue.
#include "DocumentParts.h"

#include "ObjectCopier.h"
#include "OutputTrees.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace colligo {

namespace {

const char producer[] = "Colligo";
const char creator[] = "Tessaly.dll";

std::string numbersText(const std::vector<int> &numbers)
{
    TextBuffer text;
    text.append("[");
    for (int number : numbers)
        appendReference(text, number);
    text.append("]");
    return text.take();
}

// Reproducible builds and tests set SOURCE_DATE_EPOCH; otherwise now.
std::tm outputTime()
{
    std::time_t now = std::time(nullptr);
    if (const char *epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch)
        now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    std::tm utc {};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    return utc;
}

std::string xmlEscaped(const std::string &text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
                escaped += c;
        }
    }
    return escaped;
}

std::string pdfDate(const std::tm &t)
{
    char text[64];
    std::snprintf(text, sizeof text, "D:%04d%02d%02d%02d%02d%02d+00'00'", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string xmpDate(const std::tm &t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d+00:00", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

// PDF/A-1 to -3 accept only the schemas they predefine; the PDF/UA
// identification schema must be described in the packet itself.
const char pdfuaExtension[] =
    "  <rdf:Description rdf:about=\"\" xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\"\n"
    "    xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\" xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
    "   <pdfaExtension:schemas><rdf:Bag><rdf:li rdf:parseType=\"Resource\">\n"
    "    <pdfaSchema:schema>PDF/UA Universal Accessibility Schema</pdfaSchema:schema>\n"
    "    <pdfaSchema:namespaceURI>http://www.aiim.org/pdfua/ns/id/</pdfaSchema:namespaceURI>\n"
    "    <pdfaSchema:prefix>pdfuaid</pdfaSchema:prefix>\n"
    "    <pdfaSchema:property><rdf:Seq><rdf:li rdf:parseType=\"Resource\">\n"
    "     <pdfaProperty:name>part</pdfaProperty:name>\n"
    "     <pdfaProperty:valueType>Integer</pdfaProperty:valueType>\n"
    "     <pdfaProperty:category>internal</pdfaProperty:category>\n"
    "     <pdfaProperty:description>Indicates, which part of ISO 14289 standard is followed</pdfaProperty:description>\n"
    "    </rdf:li></rdf:Seq></pdfaSchema:property>\n"
    "   </rdf:li></rdf:Bag></pdfaExtension:schemas>\n"
    "  </rdf:Description>\n";

} // namespace

void OutputDocumentParts::setSettings(std::string entries, std::string mode)
{
    settings = std::move(entries);
    pageMode = std::move(mode);
}

void OutputDocumentParts::addNamed(const std::string &tree, const std::string &name, std::string value)
{
    std::map<std::string, std::string> &entries = named[tree];
    std::string candidate = name;
    for (int suffix = 2; entries.count(candidate); ++suffix)
        candidate = name + "-" + std::to_string(suffix);
    entries.emplace(std::move(candidate), std::move(value));
}

void OutputDocumentParts::addThreads(int order, std::vector<int> numbers)
{
    threads.emplace_back(order, std::move(numbers));
}

void OutputDocumentParts::addLayers(SourceLayers added)
{
    layers.push_back(std::move(added));
}

void OutputDocumentParts::addMetadata(SourceMetadata added)
{
    metadata.push_back(std::move(added));
}

std::string OutputDocumentParts::write(OutputFile &output, bool hasOutline, bool hasStructure, std::map<std::string, int> &nameTrees)
{
    std::string entries = settings;
    std::string mode = hasOutline && outlineAsked ? std::string("UseOutlines") : pageMode;
    if (!mode.empty()) {
        TextBuffer text;
        text.append("/PageMode");
        appendName(text, mode.c_str());
        text.append("\n");
        entries += text.take();
    }
    for (const auto &[tree, names] : named)
        if (!names.empty())
            nameTrees[tree] = writeNameTree(output, names);
    if (!threads.empty()) {
        std::stable_sort(threads.begin(), threads.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        std::vector<int> all;
        for (const auto &[order, numbers] : threads)
            all.insert(all.end(), numbers.begin(), numbers.end());
        entries += "/Threads" + numbersText(all) + "\n";
    }
    entries += writeLayers();
    entries += writeMetadata(output, hasStructure);
    return entries;
}

// One set of groups for all files, written in the catalogue's own entry.
// Each file keeps its order; with several files that have layers, each
// file's order stands under a label, its title.
std::string OutputDocumentParts::writeLayers()
{
    if (layers.empty())
        return {};
    std::stable_sort(layers.begin(), layers.end(), [](const SourceLayers &a, const SourceLayers &b) { return a.order < b.order; });
    std::vector<int> groups, on, off, locked;
    std::string order, radio, configs;
    std::vector<std::pair<std::string, std::vector<int>>> usage;
    for (const SourceLayers &file : layers) {
        groups.insert(groups.end(), file.groups.begin(), file.groups.end());
        off.insert(off.end(), file.off.begin(), file.off.end());
        locked.insert(locked.end(), file.locked.begin(), file.locked.end());
        order += layers.size() > 1 ? "[" + file.title + file.orderItems + "]" : file.orderItems;
        for (const std::string &group : file.radioGroups)
            radio += group;
        for (const std::string &config : file.configurations)
            configs += config;
        for (const auto &[key, members] : file.usage) {
            auto same = std::find_if(usage.begin(), usage.end(), [&](const auto &u) { return u.first == key; });
            if (same == usage.end())
                usage.emplace_back(key, members);
            else
                same->second.insert(same->second.end(), members.begin(), members.end());
        }
    }
    for (int group : groups)
        if (std::find(off.begin(), off.end(), group) == off.end())
            on.push_back(group);
    TextBuffer text;
    text.append("/OCProperties<</OCGs" + numbersText(groups) + "\n/D<<");
    if (layers.size() == 1)
        text.append(layers.front().defaultEntries);
    text.append("/BaseState/ON/ON" + numbersText(on) + "/OFF" + numbersText(off) + "\n/Order[" + order + "]\n/RBGroups[" + radio + "]/Locked" +
                numbersText(locked));
    if (!usage.empty()) {
        text.append("/AS[");
        for (const auto &[key, members] : usage)
            text.append("<<" + key + "/OCGs" + numbersText(members) + ">>");
        text.append("]");
    }
    text.append(">>");
    if (!configs.empty())
        text.append("\n/Configs[" + configs + "]");
    text.append(">>\n");
    return text.take();
}

// PDF/A only when every source declares the same part and level and their
// output intents agree (level A also needs every source's structure kept,
// or it is declared as level B); PDF/UA only when every source declares it
// and its structure was kept.
Conformance OutputDocumentParts::declaredConformance(bool hasStructure) const
{
    Conformance declared;
    if (metadata.empty())
        return declared;
    const SourceMetadata &first = metadata.front();
    bool samePdfA = first.conformance.pdfaPart > 0 && !first.outputIntents.empty();
    bool allUa = first.conformance.pdfuaPart > 0 && hasStructure;
    bool allStructure = hasStructure;
    for (const SourceMetadata &source : metadata) {
        samePdfA = samePdfA && source.conformance.pdfaPart == first.conformance.pdfaPart &&
                   source.conformance.pdfaLevel == first.conformance.pdfaLevel && source.outputIntents == first.outputIntents;
        allUa = allUa && source.conformance.pdfuaPart == first.conformance.pdfuaPart && source.structureKept;
        allStructure = allStructure && source.structureKept;
    }
    if (samePdfA) {
        declared.pdfaPart = first.conformance.pdfaPart;
        declared.pdfaLevel = first.conformance.pdfaLevel == "A" && !allStructure ? "B" : first.conformance.pdfaLevel;
    }
    if (allUa)
        declared.pdfuaPart = first.conformance.pdfuaPart;
    return declared;
}

std::map<std::string, std::string> OutputDocumentParts::information() const
{
    std::map<std::string, std::string> entries;
    if (options.hasDocumentInformation()) {
        const std::pair<const char *, const std::optional<std::string> *> given[] = {
            { "Title", &options.title }, { "Subject", &options.subject }, { "Author", &options.author }, { "Keywords", &options.keywords }
        };
        for (const auto &[key, value] : given)
            if (*value)
                entries[key] = **value;
        return entries;
    }
    auto first = std::min_element(metadata.begin(), metadata.end(), [](const auto &a, const auto &b) { return a.order < b.order; });
    if (first != metadata.end())
        entries = first->information;
    return entries;
}

std::string OutputDocumentParts::informationEntries() const
{
    TextBuffer text;
    text.append("/Creator(");
    text.append(creator);
    text.append(")\n/Producer(");
    text.append(producer);
    text.append(")\n");
    for (const auto &[key, value] : information()) {
        text.append("/" + key);
        appendTextString(text, value);
        text.append("\n");
    }
    std::string date = pdfDate(outputTime());
    text.append("/CreationDate(" + date + ")\n/ModDate(" + date + ")\n");
    return text.take();
}

// One packet that says what the information dictionary says.
std::string OutputDocumentParts::writeMetadata(OutputFile &output, bool hasStructure)
{
    if (metadata.empty())
        return {};
    std::map<std::string, std::string> info = information();
    Conformance declared = declaredConformance(hasStructure);
    std::string date = xmpDate(outputTime());
    std::string packet = "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                         "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                         "   <dc:format>application/pdf</dc:format>\n";
    if (info.count("Title"))
        packet += "   <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xmlEscaped(info["Title"]) + "</rdf:li></rdf:Alt></dc:title>\n";
    if (info.count("Author"))
        packet += "   <dc:creator><rdf:Seq><rdf:li>" + xmlEscaped(info["Author"]) + "</rdf:li></rdf:Seq></dc:creator>\n";
    if (info.count("Subject"))
        packet += "   <dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xmlEscaped(info["Subject"]) + "</rdf:li></rdf:Alt></dc:description>\n";
    packet += "  </rdf:Description>\n  <rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n   <pdf:Producer>" +
              std::string(producer) + "</pdf:Producer>\n";
    if (info.count("Keywords"))
        packet += "   <pdf:Keywords>" + xmlEscaped(info["Keywords"]) + "</pdf:Keywords>\n";
    packet += "  </rdf:Description>\n  <rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n   <xmp:CreatorTool>" +
              std::string(creator) + "</xmp:CreatorTool>\n   <xmp:CreateDate>" + date + "</xmp:CreateDate>\n   <xmp:ModifyDate>" + date +
              "</xmp:ModifyDate>\n   <xmp:MetadataDate>" + date + "</xmp:MetadataDate>\n  </rdf:Description>\n";
    if (declared.pdfaPart > 0)
        packet += "  <rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n   <pdfaid:part>" +
                  std::to_string(declared.pdfaPart) + "</pdfaid:part>\n   <pdfaid:conformance>" + declared.pdfaLevel +
                  "</pdfaid:conformance>\n  </rdf:Description>\n";
    if (declared.pdfuaPart > 0) {
        if (declared.pdfaPart > 0)
            packet += pdfuaExtension;
        packet += "  <rdf:Description rdf:about=\"\" xmlns:pdfuaid=\"http://www.aiim.org/pdfua/ns/id/\">\n   <pdfuaid:part>" +
                  std::to_string(declared.pdfuaPart) + "</pdfuaid:part>\n  </rdf:Description>\n";
    }
    packet += " </rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";

    int number = output.newObjectNumber();
    TextBuffer text;
    text.appendf("%d %d obj\n<<\n/Type/Metadata\n/Subtype/XML\n/Length %zu\n>>\nstream\n", number, 0, packet.size());
    text.append(packet);
    text.append("\nendstream\nendobj\n");
    output.queueObject(number, text.take());
    std::string entries = "/Metadata " + std::to_string(number) + " 0 R\n";
    auto intents = std::find_if(metadata.begin(), metadata.end(), [](const auto &m) { return !m.outputIntentsText.empty(); });
    bool intentsAgree = std::all_of(metadata.begin(), metadata.end(), [&](const auto &m) { return m.outputIntents == metadata.front().outputIntents; });
    if (intents != metadata.end() && intentsAgree)
        entries += "/OutputIntents" + intents->outputIntentsText + "\n";
    return entries;
}

// Two 64-bit FNV-1a hashes of what makes this output (the catalogue's
// entries, the page count, the date): the same merge gives the same
// identifier on every platform, whatever the output is called.
std::string OutputDocumentParts::trailerIdentifier(const std::string &seed) const
{
    auto hash = [&](std::uint64_t basis) {
        std::uint64_t h = basis;
        for (unsigned char c : seed + pdfDate(outputTime())) {
            h ^= c;
            h *= 1099511628211ull;
        }
        return h;
    };
    char text[80];
    std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(hash(14695981039346656037ull)),
                  static_cast<unsigned long long>(hash(1469598103934665603ull)));
    return std::string("/ID[<") + text + "><" + text + ">]\n";
}

} // namespace colligo
