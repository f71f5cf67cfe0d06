#include "pmu/ImportedRace.h"

#include "numbers/Numbers.h"
#include "pmu/SlotTexts.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace sg {

namespace {

// The byte ranges of a record the importer writes.
constexpr std::array<ByteRange, 5> OwnedRanges() {
    return {*SlotRange(RaceField::RunnerCount, 1, 2), *SlotRange(RaceField::Payouts, 1, 40),
            *SlotRange(RaceField::ArrivalOrder, 2, 10), *SlotRange(RaceField::OddsPMU, 5, 110),
            *SlotRange(RaceField::OddsPMH, 5, 110)};
}

std::string HorseText(long long horse) {
    return std::to_string(horse);
}

std::string ValueText(double value) {
    std::string text = PlainText(value);
    return text.size() > 12 ? text.substr(0, 12) + "..." : text;
}

// The odds of one horse into its slot text, with a note when they must stay empty.
std::string OddsText(const OddsReading& odds, const char* set, long long horse,
                     std::vector<std::string>& notes) {
    if (odds.state == OddsReading::State::Absent) return "";
    std::string where = std::string("cote ") + set + " du " + HorseText(horse) + " laissée vide";
    if (odds.state == OddsReading::State::NotANumber) {
        notes.push_back(where + " (pas un nombre)");
        return "";
    }
    auto text = OddsSlotText(odds.value);
    if (!text) {
        notes.push_back(where + " (" + ValueText(odds.value) + ")");
        return "";
    }
    return *text;
}

std::optional<RaceProblem> CheckNumbers(const ProgrammeCourse& course,
                                        const RunnersDocument& runners) {
    if (runners.runners.empty()) return RaceProblem{RaceRefusal::NoRunner, ""};
    if (runners.runners.size() > OddsHorseCount)
        return RaceProblem{RaceRefusal::TooManyRunners,
                           std::to_string(runners.runners.size()) + " partants"};
    std::set<long long> seen;
    for (const PmuRunner& runner : runners.runners) {
        if (!runner.number)
            return RaceProblem{RaceRefusal::BadHorseNumber, "numéro absent ou illisible"};
        long long horse = *runner.number;
        if (horse < 1 || horse > OddsHorseCount)
            return RaceProblem{RaceRefusal::BadHorseNumber, "n° " + HorseText(horse)};
        if (!seen.insert(horse).second)
            return RaceProblem{RaceRefusal::DuplicateHorse,
                               "le " + HorseText(horse) + " deux fois"};
    }
    // The number of runners the programme announced: all of them are listed, non-runners too.
    long long highest = *seen.rbegin();
    auto count = static_cast<long long>(seen.size());
    if (course.declaredRunners && *course.declaredRunners > 0 && count != *course.declaredRunners &&
        highest != *course.declaredRunners)
        return RaceProblem{RaceRefusal::RunnersOfAnotherRace,
                           std::to_string(count) + " partants au lieu de " +
                               std::to_string(*course.declaredRunners)};
    return std::nullopt;
}

const PmuPayout* PayoutOf(const PmuBet* bet, long long horse) {
    if (!bet) return nullptr;
    for (const PmuPayout& payout : bet->payouts) {
        if (payout.horses.size() == 1 && payout.horses[0] == horse) return &payout;
    }
    return nullptr;
}

// The payout of a horse into its slot text, with a note when it must stay empty.
std::string PayoutText(const PmuPayout* payout, const std::string& what, long long horse,
                       std::vector<std::string>& notes) {
    std::string where = what + " du " + HorseText(horse) + " laissé vide";
    if (!payout) {
        notes.push_back(where + " (absent)");
        return "";
    }
    auto text = payout->centsPerEuro ? PayoutSlotText(*payout->centsPerEuro) : std::nullopt;
    if (!text) {
        notes.push_back(where + " (" +
                        (payout->centsPerEuro ? std::to_string(*payout->centsPerEuro) + " centimes"
                                              : std::string("illisible")) +
                        ")");
        return "";
    }
    return *text;
}

// The first five horses of the arrival, or why the arrival cannot be written.
enum class ArrivalCheck { Usable, Damaged, Foreign };
ArrivalCheck CheckArrival(const std::vector<long long>& flat, const RunnersDocument& runners,
                          std::string& detail) {
    std::set<long long> seen;
    for (long long horse : flat) {
        if (horse < 1 || horse > OddsHorseCount || !seen.insert(horse).second) {
            detail = "n° " + HorseText(horse);
            return ArrivalCheck::Damaged;
        }
        auto runner = std::find_if(runners.runners.begin(), runners.runners.end(),
                                   [&](const PmuRunner& r) { return r.number == horse; });
        if (runner == runners.runners.end()) {
            detail = "le " + HorseText(horse) + " arrivé n'est pas au départ";
            return ArrivalCheck::Foreign;
        }
        if (runner->nonRunner) {
            detail = "le " + HorseText(horse) + " arrivé est non partant";
            return ArrivalCheck::Damaged;
        }
    }
    return ArrivalCheck::Usable;
}

// The arrival and payouts of a race that has both.
void WriteResult(const std::vector<long long>& flat, const PayoutsDocument& payouts,
                 ImportedRace& race) {
    const PmuBet* nationalWin = payouts.Find("SIMPLE_GAGNANT");
    const PmuBet* win = nationalWin ? nationalWin : payouts.Find("E_SIMPLE_GAGNANT");
    if (!win) {
        race.notes.push_back("arrivée et rapports laissés vides (pas de rapport simple gagnant)");
        return;
    }
    const PmuBet* place = payouts.Find("SIMPLE_PLACE");
    if (!place) place = payouts.Find("E_SIMPLE_PLACE");
    race.channel = nationalWin ? "national" : "internet";
    race.hasResult = true;
    for (std::size_t i = 0; i < flat.size() && i < ArrivalSlotCount; ++i)
        race.fields.arrival[i + 1] = HorseText(flat[i]);
    race.fields.payouts[0] =
        PayoutText(PayoutOf(win, flat[0]), "rapport gagnant", flat[0], race.notes);
    if (!place) return;
    for (std::size_t i = 0; i < 3 && i < flat.size(); ++i) {
        // Small fields pay only two places: a third one missing is no fault.
        if (i >= place->payouts.size() && !PayoutOf(place, flat[i])) break;
        race.fields.payouts[i + 1] =
            PayoutText(PayoutOf(place, flat[i]), "rapport placé", flat[i], race.notes);
    }
}

} // namespace

const char* RefusalText(RaceRefusal reason) {
    switch (reason) {
    case RaceRefusal::Cancelled:
        return "course annulée";
    case RaceRefusal::NoWinBet:
        return "pas de pari simple gagnant";
    case RaceRefusal::TooManyRunners:
        return "plus de 22 partants";
    case RaceRefusal::RunnersNotPublished:
        return "partants non publiés";
    case RaceRefusal::RunnersUnavailable:
        return "partants indisponibles";
    case RaceRefusal::RunnersUnreadable:
        return "partants illisibles";
    case RaceRefusal::RunnersOfAnotherRace:
        return "partants d'une autre course";
    case RaceRefusal::BadHorseNumber:
        return "numéro de cheval impossible";
    case RaceRefusal::DuplicateHorse:
        return "numéro de cheval en double";
    case RaceRefusal::NoRunner:
        break;
    }
    return "aucun partant";
}

std::optional<RaceProblem> RefusalFromProgramme(const ProgrammeCourse& course) {
    if (course.cancelled) return RaceProblem{RaceRefusal::Cancelled, ""};
    if (course.declaredRunners && *course.declaredRunners > OddsHorseCount)
        return RaceProblem{RaceRefusal::TooManyRunners,
                           std::to_string(*course.declaredRunners) + " partants"};
    if (!course.winBetOffered) return RaceProblem{RaceRefusal::NoWinBet, ""};
    return std::nullopt;
}

std::variant<ImportedRace, RaceProblem> ImportRace(const ProgrammeCourse& course,
                                                   const RunnersDocument& runners,
                                                   const PayoutsDocument* payouts) {
    if (auto problem = CheckNumbers(course, runners)) return *problem;
    ImportedRace race;
    for (const PmuRunner& runner : runners.runners) {
        auto horse = static_cast<std::size_t>(*runner.number);
        race.fields.runnerCount = std::max(race.fields.runnerCount, static_cast<int>(horse));
        if (runner.nonRunner) continue;
        race.fields.pmh[horse] = OddsText(runner.direct, "PMH", *runner.number, race.notes);
        race.fields.pmu[horse] = OddsText(runner.reference, "PMU", *runner.number, race.notes);
    }
    if (course.arrivalDamaged) {
        race.notes.push_back("arrivée et rapports laissés vides (arrivée illisible)");
        return race;
    }
    if (course.arrival.empty()) return race;
    std::vector<long long> flat;
    for (const auto& place : course.arrival) flat.insert(flat.end(), place.begin(), place.end());
    std::string detail;
    switch (CheckArrival(flat, runners, detail)) {
    case ArrivalCheck::Foreign:
        return RaceProblem{RaceRefusal::RunnersOfAnotherRace, detail};
    case ArrivalCheck::Damaged:
        race.notes.push_back("arrivée et rapports laissés vides (" + detail + ")");
        return race;
    case ArrivalCheck::Usable:
        break;
    }
    if (course.arrival.front().size() > 1) {
        const auto& first = course.arrival.front();
        std::string tied = HorseText(first[0]);
        for (std::size_t i = 1; i < first.size(); ++i)
            tied += (i + 1 == first.size() ? " et " : ", ") + HorseText(first[i]);
        race.deadHeat = tied + " ex aequo, le " + HorseText(first[0]) + " compté gagnant";
    }
    if (payouts) WriteResult(flat, *payouts, race);
    return race;
}

void WriteImportedFields(RaceRecord& record, const ImportedFields& fields) {
    record.SetField(RaceField::RunnerCount, std::to_string(fields.runnerCount));
    for (int i = 0; i < PayoutSlotCount; ++i) record.SetSlot(*PayoutSlot(i), fields.payouts[i]);
    for (int i = 1; i <= ArrivalSlotCount; ++i) record.SetSlot(*ArrivalSlot(i), fields.arrival[i]);
    for (int horse = 1; horse <= OddsHorseCount; ++horse) {
        record.SetSlot(*OddsSlot(RaceField::OddsPMH, horse), fields.pmh[horse]);
        record.SetSlot(*OddsSlot(RaceField::OddsPMU, horse), fields.pmu[horse]);
    }
}

std::string FieldsFingerprint(const RaceRecord& record) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const ByteRange& range : OwnedRanges()) {
        for (std::size_t i = range.offset; i < range.offset + range.length; ++i) {
            hash ^= record.Raw()[i];
            hash *= 0x100000001b3ULL;
        }
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool SameImportedBytes(const RaceRecord& a, const RaceRecord& b) {
    for (const ByteRange& range : OwnedRanges()) {
        auto from = a.Raw().begin() + static_cast<std::ptrdiff_t>(range.offset);
        if (!std::equal(from, from + static_cast<std::ptrdiff_t>(range.length),
                        b.Raw().begin() + static_cast<std::ptrdiff_t>(range.offset)))
            return false;
    }
    return true;
}

} // namespace sg
