#include "pmu/DocumentResult.h"

namespace sg {

std::string DocumentError::Message() const {
    switch (problem) {
    case DocumentProblem::Unreadable:
        return "document illisible (JSON abîmé vers l'" + detail + ")";
    case DocumentProblem::NotPmuDocument:
        return "ce n'est pas un document du PMU (" + detail + ")";
    case DocumentProblem::WrongShape:
        break;
    }
    return "document mal formé (" + detail + ")";
}

} // namespace sg
