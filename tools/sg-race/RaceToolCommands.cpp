#include "RaceToolCommands.h"

#include "AnalyseCommand.h"
#include "BacktestCommand.h"
#include "CompareCommand.h"
#include "DemoRaceFile.h"
#include "ImportCommand.h"
#include "ToolArguments.h"
#include "app/Messages.h"
#include "numbers/Numbers.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceSession.h"

#include <charconv>
#include <variant>

namespace sg {

namespace {

const char* const Usage = "Usage : sg-race count FICHIER | sg-race show FICHIER N | "
                          "sg-race set FICHIER N CHAMP [POSITION] TEXTE | "
                          "sg-race demo FICHIER [NOMBRE] | sg-race bilan FICHIER [OPTIONS] | "
                          "sg-race analyse --cotes C1 C2... --chevaux K [OPTIONS] | "
                          "sg-race importer FICHIER --du JJ/MM/AAAA [OPTIONS] | "
                          "sg-race comparer FICHIER [OPTIONS]";

using Failure = std::optional<std::string>;

// A whole decimal number filling the whole argument (unlike the leading-number parse, "5x" is
// refused here: a mistyped argument must not select some other race).
std::optional<int> WholeArgument(const std::string& text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<int> RaceArgument(const std::string& text) {
    auto race = WholeArgument(text);
    if (!race || *race < FirstRace || *race > LastRace) return std::nullopt;
    return race;
}

std::string BadRace(const std::string& text) {
    return "Numéro de course invalide : " + Quoted(text) + " (1 à 32767).";
}

std::string FileFailure(const std::string& path, const RaceFileError& error) {
    return "Fichier " + Quoted(path) + " : " + std::string(error.Message());
}

std::string NumberText(std::optional<double> value) {
    return value ? ShortestText(*value) : "dépassement";
}
std::string NumberText(std::optional<float> value) {
    return value ? ShortestText(*value) : "dépassement";
}

template <typename Number>
void ShowLine(std::ostream& out, const std::string& name, const std::string& text, Number value) {
    out << name << " = \"" << text << "\" (" << NumberText(value) << ")\n";
}

void ShowRecord(const RaceRecord& record, std::ostream& out) {
    ShowLine(out, "RunnerCount", record.SlotText(RunnerCountSlot()),
             record.SlotNumber(RunnerCountSlot()));
    for (int i = 0; i < PayoutSlotCount; ++i) {
        auto slot = *PayoutSlot(i);
        ShowLine(out, "Payouts(" + std::to_string(i) + ")", record.SlotText(slot),
                 record.SlotNumber(slot));
    }
    for (int i = 1; i <= ArrivalSlotCount; ++i) {
        auto slot = *ArrivalSlot(i);
        ShowLine(out, "ArrivalOrder(" + std::to_string(i) + ")", record.SlotText(slot),
                 record.SlotNumber(slot));
    }
    for (auto [field, name] :
         {std::pair{RaceField::OddsPMU, "OddsPMU"}, std::pair{RaceField::OddsPMH, "OddsPMH"}}) {
        for (int horse = 1; horse <= OddsHorseCount; ++horse) {
            ShowLine(out, std::string(name) + "(" + std::to_string(horse) + ")",
                     record.SlotText(*OddsSlot(field, horse)), record.OddsValue(field, horse));
        }
    }
}

Failure Count(const std::vector<std::string>& arguments, std::ostream& out) {
    if (arguments.size() != 2) return Usage;
    const std::string& path = arguments[1];
    RaceFile file;
    if (auto opened = file.Open(path, RaceFileAccess::ReadOnly); !opened)
        return FileFailure(path, opened.Error());
    auto count = file.RaceCount();
    if (!count) return FileFailure(path, count.Error());
    out << count.Value() << "\n";
    return std::nullopt;
}

Failure Show(const std::vector<std::string>& arguments, std::ostream& out) {
    if (arguments.size() != 3) return Usage;
    const std::string& path = arguments[1];
    auto race = RaceArgument(arguments[2]);
    if (!race) return BadRace(arguments[2]);
    RaceFile file;
    if (auto opened = file.Open(path, RaceFileAccess::ReadOnly); !opened)
        return FileFailure(path, opened.Error());
    auto read = file.Read(*race);
    if (!read) return FileFailure(path, read.Error());
    ShowRecord(read.Value(), out);
    return std::nullopt;
}

// The slot that FIELD and SLOT name, or the reason they are refused.
struct Assignment {
    std::optional<RaceSlot> slot; // empty for the whole runner-count field
    std::string text;
};

std::variant<Assignment, std::string> ParseAssignment(const std::vector<std::string>& rest) {
    const std::string& field = rest[0];
    if (field == "RunnerCount") {
        if (rest.size() != 2) return std::string(Usage);
        return Assignment{std::nullopt, rest[1]};
    }
    if (rest.size() != 3) return std::string(Usage);
    auto index = WholeArgument(rest[1]).value_or(-1);
    std::optional<RaceSlot> slot;
    std::string range;
    if (field == "Payouts") {
        slot = PayoutSlot(index);
        range = "0 à 3";
    } else if (field == "ArrivalOrder") {
        slot = ArrivalSlot(index);
        range = "1 à 5";
    } else if (field == "OddsPMU" || field == "OddsPMH") {
        slot = OddsSlot(field == "OddsPMU" ? RaceField::OddsPMU : RaceField::OddsPMH, index);
        range = "1 à 22";
    } else {
        return "Champ inconnu : " + Quoted(field) +
               " (RunnerCount, Payouts, ArrivalOrder, OddsPMU ou OddsPMH).";
    }
    if (!slot)
        return "Position invalide pour " + field + " : " + Quoted(rest[1]) + " (" + range + ").";
    return Assignment{slot, rest[2]};
}

Failure Set(const std::vector<std::string>& arguments) {
    if (arguments.size() < 5) return Usage;
    const std::string& path = arguments[1];
    auto race = RaceArgument(arguments[2]);
    if (!race) return BadRace(arguments[2]);
    auto parsed = ParseAssignment({arguments.begin() + 3, arguments.end()});
    if (auto* refusal = std::get_if<std::string>(&parsed)) return *refusal;
    const auto& assignment = std::get<Assignment>(parsed);

    RaceFile file;
    if (auto opened = file.Open(path, RaceFileAccess::ReadWrite); !opened)
        return FileFailure(path, opened.Error());
    // A file holding something else is left as it is, as the program leaves it.
    if (auto content = CheckRaceFileContent(file); !content)
        return FileFailure(path, content.Error());
    auto read = file.Read(*race);
    if (!read) return FileFailure(path, read.Error());
    RaceRecord& record = read.Value();
    if (assignment.slot) {
        record.SetSlot(*assignment.slot, assignment.text);
    } else {
        record.SetField(RaceField::RunnerCount, assignment.text);
    }
    if (auto written = file.Write(*race, record); !written)
        return "Fichier " + Quoted(path) + " : " +
               Messages::CannotSave(*race, written.Error().Message());
    if (auto closed = file.Close(); !closed) return FileFailure(path, closed.Error());
    return std::nullopt;
}

// A new file of demonstration races; 40 by default, enough to try every window.
Failure Demo(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2 && arguments.size() != 3) return Usage;
    const std::string& path = arguments[1];
    int count = 40;
    if (arguments.size() == 3) {
        auto given = RaceArgument(arguments[2]);
        if (!given) return "Nombre de courses invalide : " + Quoted(arguments[2]) + " (1 à 32767).";
        count = *given;
    }
    if (auto failure = WriteDemoRaceFile(path, count))
        return "Fichier " + Quoted(path) + " : " + *failure;
    return std::nullopt;
}

} // namespace

std::optional<std::string> RunRaceTool(const std::vector<std::string>& arguments,
                                       std::ostream& out) {
    if (arguments.empty()) return Usage;
    const std::string& command = arguments[0];
    if (command == "count") return Count(arguments, out);
    if (command == "show") return Show(arguments, out);
    if (command == "set") return Set(arguments);
    if (command == "demo") return Demo(arguments);
    if (command == "bilan") return RunBacktestCommand(arguments, out);
    if (command == "analyse") return RunAnalyseCommand(arguments, out);
    if (command == "importer") return RunImportCommand(arguments, out);
    if (command == "comparer") return RunCompareCommand(arguments, out);
    return Usage;
}

} // namespace sg
