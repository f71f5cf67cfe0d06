// What reading one of the PMU's documents gives: its content, or why it cannot be used, with a
// French phrase for the import's report.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace sg {

enum class DocumentProblem {
    Unreadable,     // not JSON, or JSON cut short
    NotPmuDocument, // JSON without the key every document of its kind has (an error page...)
    WrongShape,     // the key is there, but a part of the document is of the wrong type
};

struct DocumentError {
    DocumentProblem problem;
    std::string detail; // where: "octet 1234", "« reunions »"...

    // "document illisible (JSON abîmé vers l'octet 1234)"...
    std::string Message() const;
};

template <typename T> class [[nodiscard]] DocumentResult {
  public:
    DocumentResult(T value) : content_(std::move(value)) {}
    DocumentResult(DocumentError error) : content_(std::move(error)) {}

    bool Ok() const { return content_.index() == 0; }
    explicit operator bool() const { return Ok(); }
    const T& Value() const { return std::get<0>(content_); }
    T& Value() { return std::get<0>(content_); }
    const DocumentError& Error() const { return std::get<1>(content_); }

  private:
    std::variant<T, DocumentError> content_;
};

} // namespace sg
