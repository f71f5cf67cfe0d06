#include "pmu/ParticipantsReader.h"

#include "pmu/JsonValues.h"

namespace sg {

namespace {

OddsReading ReadOdds(const Json* report) {
    if (Absent(report)) return {};
    if (!report->is_object()) return {OddsReading::State::NotANumber, 0};
    const Json* odds = Member(report, "rapport");
    if (Absent(odds)) return {};
    if (!odds->is_number()) return {OddsReading::State::NotANumber, 0};
    return {OddsReading::State::Number, odds->get<double>()};
}

} // namespace

DocumentResult<RunnersDocument> ReadParticipants(std::string_view json) {
    auto parsed = ParseJson(json, {"participants", "numPmu", "nom", "statut",
                                   "dernierRapportDirect", "dernierRapportReference", "rapport"});
    if (!parsed) return parsed.Error();
    const Json& document = parsed.Value();
    const Json* list = document.is_array() ? &document : Member(&document, "participants");
    if (!list) return DocumentError{DocumentProblem::NotPmuDocument, "pas de clé « participants »"};
    if (!list->is_array())
        return DocumentError{DocumentProblem::WrongShape, "« participants » n'est pas une liste"};
    RunnersDocument read;
    read.runners.reserve(list->size());
    for (const Json& entry : *list) {
        if (!entry.is_object())
            return DocumentError{DocumentProblem::WrongShape,
                                 "le partant " + std::to_string(read.runners.size() + 1) +
                                     " n'est pas un objet"};
        PmuRunner runner;
        runner.number = WholeNumber(Member(&entry, "numPmu"));
        runner.name = Text(Member(&entry, "nom"));
        runner.nonRunner = Text(Member(&entry, "statut")) == "NON_PARTANT";
        runner.direct = ReadOdds(Member(&entry, "dernierRapportDirect"));
        runner.reference = ReadOdds(Member(&entry, "dernierRapportReference"));
        read.runners.push_back(std::move(runner));
    }
    return read;
}

} // namespace sg
