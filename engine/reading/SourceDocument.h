// Opening source documents with poppler, the one way every export does it.
#pragma once

#include <memory>
#include <string>

class PDFDoc;

namespace colligo {

// Opens a UTF-8 path; `ownerPassword` (or null) is tried as the owner password,
// and no user password is ever given. The document may have failed to open:
// check isOk() and getErrorCode().
std::unique_ptr<PDFDoc> openSourceDocument(const std::string &path, const char *ownerPassword = nullptr);

// Whether the document allows copying, printing and changing, tested in that
// order; an accepted owner password counts as full permission.
bool allowsCopyPrintChange(PDFDoc &document);

} // namespace colligo
