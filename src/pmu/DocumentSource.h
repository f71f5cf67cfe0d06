// Where the importer gets the PMU's documents: the service through a cache folder, or a folder
// read in place. The importer decides which cached documents it may use (those that will not
// change any more); the source only moves bytes.
#pragma once

#include "pmu/PmuDocuments.h"

#include <optional>
#include <string>

namespace sg {

struct SourcedDocument {
    enum class Status {
        Found,
        NotPublished, // 204 or 404 from the service, no file in the folder
        Unavailable,  // the service refused it (an error status after the retries)
        Unreachable,  // the source cannot be reached at all: the import stops
    } status = Status::NotPublished;
    std::string body;
    std::string problem; // French, for Unavailable and Unreachable: "le service répond 503"
};

class DocumentSource {
  public:
    virtual ~DocumentSource() = default;

    // The document as the cache keeps it; nothing when there is no cache or no such document.
    virtual std::optional<std::string> Cached(const DocumentRef& document) = 0;

    // The document from the source itself; what the service gives is kept in the cache.
    virtual SourcedDocument Fetch(const DocumentRef& document) = 0;

    // Whether Fetch reads a folder rather than the network (for the report's counts).
    virtual bool IsFolder() const = 0;
};

} // namespace sg
