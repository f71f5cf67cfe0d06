#include "pmu/PmuDocuments.h"

namespace sg {

namespace {

const char* LeafName(DocumentKind kind) {
    switch (kind) {
    case DocumentKind::Participants:
        return "participants";
    case DocumentKind::Payouts:
        return "rapports-definitifs";
    case DocumentKind::Pools:
        return "masse-enjeu-v2";
    case DocumentKind::Programme:
        break;
    }
    return "";
}

// "05032024/R1/C2/participants", or "05032024" for the programme.
std::string RelativeName(const DocumentRef& document) {
    std::string day = ServiceDayText(document.day);
    if (document.kind == DocumentKind::Programme) return day;
    return day + "/R" + std::to_string(document.meeting) + "/C" + std::to_string(document.course) +
           "/" + LeafName(document.kind);
}

} // namespace

std::string ServicePath(const DocumentRef& document) {
    return "programme/" + RelativeName(document);
}

std::string FolderPath(const DocumentRef& document) {
    return RelativeName(document) + ".json";
}

std::string DocumentName(const DocumentRef& document) {
    std::string race =
        "R" + std::to_string(document.meeting) + " C" + std::to_string(document.course);
    switch (document.kind) {
    case DocumentKind::Participants:
        return "les partants de " + race;
    case DocumentKind::Payouts:
        return "les rapports de " + race;
    case DocumentKind::Pools:
        return "les masses d'enjeux de " + race;
    case DocumentKind::Programme:
        break;
    }
    return "le programme du " + DayText(document.day);
}

} // namespace sg
