// The two sources an import reads the PMU's documents from: the service, through the fetcher
// and a cache folder, or a folder laid out the same way, read in place.
#pragma once

#include "fetch/DocumentCache.h"
#include "fetch/Fetcher.h"
#include "pmu/DocumentSource.h"

#include <string>

namespace sg {

class ServiceSource : public DocumentSource {
  public:
    ServiceSource(FetchSettings settings, std::string cacheFolder)
        : fetcher_(std::move(settings)), cache_(std::move(cacheFolder)) {}

    std::optional<std::string> Cached(const DocumentRef& document) override;
    SourcedDocument Fetch(const DocumentRef& document) override;
    bool IsFolder() const override { return false; }

    // The first reason a document could not be kept in the cache, if any.
    const std::string& CacheProblem() const { return cacheProblem_; }

  private:
    Fetcher fetcher_;
    DocumentCache cache_;
    std::string cacheProblem_;
};

class FolderSource : public DocumentSource {
  public:
    explicit FolderSource(std::string folder) : folder_(std::move(folder)) {}

    std::optional<std::string> Cached(const DocumentRef&) override { return std::nullopt; }
    SourcedDocument Fetch(const DocumentRef& document) override;
    bool IsFolder() const override { return true; }

  private:
    DocumentCache folder_;
};

} // namespace sg
