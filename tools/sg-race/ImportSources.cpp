#include "ImportSources.h"

namespace sg {

std::optional<std::string> ServiceSource::Cached(const DocumentRef& document) {
    return cache_.Read(FolderPath(document));
}

SourcedDocument ServiceSource::Fetch(const DocumentRef& document) {
    FetchOutcome fetched = fetcher_.Get(ServicePath(document));
    SourcedDocument got;
    switch (fetched.status) {
    case FetchOutcome::Status::Found:
        got.status = SourcedDocument::Status::Found;
        got.body = std::move(fetched.body);
        if (auto failed = cache_.Store(FolderPath(document), got.body);
            failed && cacheProblem_.empty())
            cacheProblem_ =
                "le cache « " + cache_.Folder() + " » n'a pas pu être écrit : " + failed->Message();
        break;
    case FetchOutcome::Status::NotPublished:
        got.status = SourcedDocument::Status::NotPublished;
        break;
    case FetchOutcome::Status::Refused:
        got.status = SourcedDocument::Status::Unavailable;
        got.problem = fetched.problem + " pour " + DocumentName(document);
        break;
    case FetchOutcome::Status::Unreachable:
        got.status = SourcedDocument::Status::Unreachable;
        got.problem = fetched.problem + " pour " + DocumentName(document);
        break;
    }
    return got;
}

SourcedDocument FolderSource::Fetch(const DocumentRef& document) {
    SourcedDocument got;
    bool unreadable = false;
    auto content = folder_.Read(FolderPath(document), &unreadable);
    if (content) {
        got.status = SourcedDocument::Status::Found;
        got.body = std::move(*content);
    } else if (unreadable) {
        got.status = SourcedDocument::Status::Unavailable;
        got.problem = "le fichier " + FolderPath(document) + " ne peut pas être lu";
    }
    return got;
}

} // namespace sg
