#include "pmu/RaceImporter.h"

#include "pmu/ImportedRace.h"
#include "racefile/Platform.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceIndex.h"
#include "racefile/RaceSession.h"
#include "racefile/WholeFile.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <tuple>

namespace sg {

namespace {

struct RaceKey {
    int date = 0; // AAAAMMJJ
    int meeting = 0, course = 0;
    friend auto operator<=>(const RaceKey&, const RaceKey&) = default;
};

// What the index says of one race number of the period: its last line, and the fingerprint of
// the line before it for the same race (the record still holds that one when the update the
// last line announces never came in).
struct IndexedRace {
    RaceKey key;
    std::string fingerprint, previous;
    std::size_t lineHash = 0;
};

std::size_t LineHash(const std::string& line) {
    return std::hash<std::string>{}(line);
}

// The lines of the period's days, a later line for a race number replacing an earlier one.
std::map<RaceKey, std::int32_t> IndexedKeys(std::string_view content, int firstDate, int lastDate,
                                            std::map<std::int32_t, IndexedRace>& byRace) {
    while (!content.empty()) {
        std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        bool complete = end != std::string_view::npos;
        content = complete ? content.substr(end + 1) : std::string_view();
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        auto entry = complete ? ParseRaceIndexLine(line) : std::nullopt;
        if (!entry) continue; // the header, or a damaged line
        int date = DateKey(entry->date).value_or(0);
        if (date < firstDate || date > lastDate) {
            byRace.erase(entry->race);
            continue;
        }
        RaceKey key{date, entry->meeting, entry->course};
        auto [at, isNew] = byRace.try_emplace(entry->race);
        IndexedRace& known = at->second;
        known.previous = !isNew && known.key == key ? known.fingerprint : std::string();
        known.key = key;
        known.fingerprint = entry->fingerprint;
        known.lineHash = LineHash(std::string(line));
    }
    std::map<RaceKey, std::int32_t> byKey;
    for (const auto& [race, known] : byRace) byKey[known.key] = race; // the higher race wins
    return byKey;
}

bool HasWinPayouts(const PayoutsDocument& payouts) {
    for (const char* type : {"SIMPLE_GAGNANT", "E_SIMPLE_GAGNANT"}) {
        const PmuBet* bet = payouts.Find(type);
        if (bet && !bet->payouts.empty()) return true;
    }
    return false;
}

// A race whose documents are all in, waiting for its day to be written.
struct PlannedRace {
    std::string where; // "05/03/2024 R1 C2"
    RaceKey key;
    ImportedRace race;
    RaceIndexEntry entry; // race number and fingerprint still to come
};

// A record to write once the batch it belongs to is complete.
struct RecordWrite {
    std::int32_t race;
    bool isNew;
    ImportedFields fields;
};

// Records read from a folder are written in batches of the days read within about a second:
// each batch waits once for the disk to hold its index lines, and once for its records.
constexpr std::chrono::milliseconds BatchTime{1000};
constexpr std::size_t BatchRaces = 1000;

class Importer {
  public:
    Importer(const ImportRequest& request, DocumentSource& source,
             const std::function<void(const std::string&)>& progress)
        : request_(request), source_(source), progress_(progress) {
        summary_.sourceIsFolder = source.IsFolder();
    }

    ImportOutcome Run();

  private:
    std::optional<ImportError> Open();
    std::optional<ImportError> ImportDay(CalendarDay day);
    std::optional<ImportError> ImportCourse(CalendarDay day, const ProgrammeMeeting& meeting,
                                            const ProgrammeCourse& course, DayCounts& counts,
                                            std::vector<PlannedRace>& planned);
    std::optional<ImportError> PlanDay(CalendarDay day, std::vector<PlannedRace>& planned,
                                       DayCounts& counts);
    std::optional<ImportError> WriteBatch();
    SourcedDocument Fetch(const DocumentRef& document);
    template <typename Read, typename Usable>
    auto FromCache(const DocumentRef& document, Read read, Usable usable)
        -> std::optional<std::decay_t<decltype(read(std::string_view()).Value())>>;
    void Refuse(const std::string& where, const RaceProblem& problem, DayCounts& counts);
    void Report(const PlannedRace& planned);

    const ImportRequest& request_;
    DocumentSource& source_;
    const std::function<void(const std::string&)>& progress_;
    ImportSummary summary_;
    RaceFile file_;
    std::string indexPath_;
    std::map<std::int32_t, IndexedRace> indexed_;
    std::map<RaceKey, std::int32_t> byKey_;
    std::int32_t wholeRecords_ = 0; // records wholly in the file
    std::int32_t nextRace_ = 1;     // where the next new race goes
    // The batch waiting to be written: index lines, records, then the days' lines.
    std::string indexLines_;
    std::vector<RecordWrite> writes_;
    std::vector<std::string> dayLines_;
    CalendarDay batchDay_; // the last day of the batch
    std::chrono::steady_clock::time_point batchStart_ = std::chrono::steady_clock::now();
};

std::optional<ImportError> Importer::Open() {
    const std::string& path = request_.raceFilePath;
    if (auto opened = file_.Open(path, RaceFileAccess::ReadWriteCreate); !opened)
        return ImportError{ImportFailure::RaceFileUnusable,
                           "fichier « " + path + " » : " + std::string(opened.Error().Message()),
                           std::nullopt};
    // Races appended after the bytes of a file that is no race file would damage it.
    if (auto content = CheckRaceFileContent(file_); !content)
        return ImportError{ImportFailure::RaceFileUnusable,
                           "fichier « " + path + " » : " + std::string(content.Error().Message()),
                           std::nullopt};
    // Two imports into one file would both append at the same place.
    if (!os::TryLock(file_.Handle()))
        return ImportError{ImportFailure::AlreadyImporting, "", std::nullopt};
    auto fileLength = file_.Length();
    if (!fileLength)
        return ImportError{ImportFailure::RaceFileUnusable, "fichier « " + path + " » illisible",
                           std::nullopt};
    std::uint64_t length = fileLength.Value();
    wholeRecords_ =
        static_cast<std::int32_t>(std::min<std::uint64_t>(length / RaceRecordSize, LastRace + 1));
    // A last record cut short keeps its bytes: new races go after it.
    auto started = (length + RaceRecordSize - 1) / RaceRecordSize;
    nextRace_ = static_cast<std::int32_t>(std::min<std::uint64_t>(started, LastRace) + 1);

    indexPath_ = RaceIndexPathOf(path);
    bool missing = false;
    auto content = ReadWholeFile(indexPath_, &missing);
    if (!content && !missing)
        return ImportError{ImportFailure::IndexUnreadable, indexPath_, std::nullopt};
    if (content)
        byKey_ =
            IndexedKeys(*content, DateKeyOf(request_.first), DateKeyOf(request_.last), indexed_);
    return std::nullopt;
}

ImportOutcome Importer::Run() {
    ImportOutcome outcome;
    outcome.failure = Open();
    for (CalendarDay day = request_.first; !outcome.failure && day <= request_.last;
         day = NextDay(day)) {
        outcome.failure = ImportDay(day);
        batchDay_ = day;
        // A day from the service takes long enough to be a batch of its own, and the user
        // sees it in as soon as it is read.
        bool due = !source_.IsFolder() ||
                   std::chrono::steady_clock::now() - batchStart_ >= BatchTime ||
                   writes_.size() >= BatchRaces;
        // The days read before a failure are whole: they go in too.
        if (due || outcome.failure || day == request_.last) {
            auto failed = WriteBatch();
            if (failed) outcome.failure = failed;
        }
    }
    outcome.summary = std::move(summary_);
    return outcome;
}

SourcedDocument Importer::Fetch(const DocumentRef& document) {
    SourcedDocument got = source_.Fetch(document);
    if (got.status == SourcedDocument::Status::Found ||
        got.status == SourcedDocument::Status::NotPublished)
        ++summary_.fetched;
    return got;
}

// The cached document, read, when it is there, reads well and `usable` accepts it.
template <typename Read, typename Usable>
auto Importer::FromCache(const DocumentRef& document, Read read, Usable usable)
    -> std::optional<std::decay_t<decltype(read(std::string_view()).Value())>> {
    auto cached = source_.Cached(document);
    if (!cached) return std::nullopt;
    auto parsed = read(*cached);
    if (!parsed || !usable(parsed.Value())) return std::nullopt;
    ++summary_.fromCache;
    return std::move(parsed.Value());
}

void Importer::Refuse(const std::string& where, const RaceProblem& problem, DayCounts& counts) {
    ++counts.refused;
    summary_.refusals[static_cast<std::size_t>(problem.reason)].Add(
        problem.detail.empty() ? where : where + " : " + problem.detail);
}

std::optional<ImportError> Importer::ImportDay(CalendarDay day) {
    DocumentRef programmeRef{DocumentKind::Programme, day, 0, 0};
    auto programme = FromCache(programmeRef, ReadProgramme, IsFinalProgramme);
    if (!programme) {
        SourcedDocument got = Fetch(programmeRef);
        switch (got.status) {
        case SourcedDocument::Status::Unreachable:
        case SourcedDocument::Status::Unavailable:
            return ImportError{ImportFailure::SourceUnreachable, got.problem, day};
        case SourcedDocument::Status::NotPublished:
            dayLines_.push_back(DayLineWithout(day, "programme non publié"));
            return std::nullopt;
        case SourcedDocument::Status::Found:
            break;
        }
        auto read = ReadProgramme(got.body);
        if (!read) {
            std::string why = "programme inutilisable : " + read.Error().Message();
            summary_.otherNotes.Add(DayText(day) + " " + why);
            dayLines_.push_back(DayLineWithout(day, why));
            return std::nullopt;
        }
        programme = std::move(read.Value());
    }
    for (const std::string& note : programme->notes)
        summary_.otherNotes.Add(DayText(day) + " : " + note);

    DayCounts counts;
    std::vector<PlannedRace> planned;
    for (const ProgrammeMeeting& meeting : programme->meetings) {
        for (const ProgrammeCourse& course : meeting.courses) {
            if (auto error = ImportCourse(day, meeting, course, counts, planned)) return error;
        }
    }
    return PlanDay(day, planned, counts);
}

std::optional<ImportError> Importer::ImportCourse(CalendarDay day, const ProgrammeMeeting& meeting,
                                                  const ProgrammeCourse& course, DayCounts& counts,
                                                  std::vector<PlannedRace>& planned) {
    ++counts.programmed;
    std::string where =
        DayText(day) + " R" + std::to_string(meeting.number) + " C" + std::to_string(course.number);
    if (auto refusal = RefusalFromProgramme(course)) {
        Refuse(where, *refusal, counts);
        return std::nullopt;
    }
    DocumentRef runnersRef{DocumentKind::Participants, day, meeting.number, course.number};
    DocumentRef payoutsRef = runnersRef, poolsRef = runnersRef;
    payoutsRef.kind = DocumentKind::Payouts;
    poolsRef.kind = DocumentKind::Pools;

    // Once its payouts are published a race does not change any more: its cached documents do.
    auto payouts = FromCache(payoutsRef, ReadPayouts, HasWinPayouts);
    bool final = payouts.has_value();
    auto anything = [](const auto&) { return true; };
    std::optional<RunnersDocument> runners;
    if (final) runners = FromCache(runnersRef, ReadParticipants, anything);
    if (!runners) {
        SourcedDocument got = Fetch(runnersRef);
        switch (got.status) {
        case SourcedDocument::Status::Unreachable:
            return ImportError{ImportFailure::SourceUnreachable, got.problem, day};
        case SourcedDocument::Status::NotPublished:
            Refuse(where, {RaceRefusal::RunnersNotPublished, ""}, counts);
            return std::nullopt;
        case SourcedDocument::Status::Unavailable:
            Refuse(where, {RaceRefusal::RunnersUnavailable, got.problem}, counts);
            return std::nullopt;
        case SourcedDocument::Status::Found:
            break;
        }
        auto read = ReadParticipants(got.body);
        if (!read) {
            Refuse(where, {RaceRefusal::RunnersUnreadable, read.Error().Message()}, counts);
            return std::nullopt;
        }
        runners = std::move(read.Value());
    }
    // Payouts come only after the arrival.
    if (!final && !course.arrival.empty()) {
        SourcedDocument got = Fetch(payoutsRef);
        if (got.status == SourcedDocument::Status::Unreachable)
            return ImportError{ImportFailure::SourceUnreachable, got.problem, day};
        if (got.status == SourcedDocument::Status::Unavailable)
            summary_.otherNotes.Add(where + " : rapports indisponibles (" + got.problem + ")");
        if (got.status == SourcedDocument::Status::Found) {
            auto read = ReadPayouts(got.body);
            if (read)
                payouts = std::move(read.Value());
            else
                summary_.otherNotes.Add(where + " : rapports inutilisables, " +
                                        read.Error().Message());
        }
    }
    auto imported = ImportRace(course, *runners, payouts ? &*payouts : nullptr);
    if (auto* problem = std::get_if<RaceProblem>(&imported)) {
        Refuse(where, *problem, counts);
        return std::nullopt;
    }

    PlannedRace race{where,
                     {DateKeyOf(day), meeting.number, course.number},
                     std::move(std::get<ImportedRace>(imported)),
                     {}};
    RaceIndexEntry& entry = race.entry;
    entry.date = DayText(day);
    entry.meeting = meeting.number;
    entry.course = course.number;
    entry.hippodrome = meeting.hippodrome;
    entry.name = course.name;
    entry.discipline = course.discipline;
    if (course.startMilliseconds) entry.start = FrenchClockText(*course.startMilliseconds);
    entry.channel = race.race.channel;
    // The pools matter once the race is run: the win pool of the payouts' channel.
    if (race.race.hasResult) {
        auto pools = final ? FromCache(poolsRef, ReadPools, anything) : std::nullopt;
        if (!pools) {
            SourcedDocument got = Fetch(poolsRef);
            if (got.status == SourcedDocument::Status::Found) {
                if (auto read = ReadPools(got.body)) pools = std::move(read.Value());
            }
        }
        std::string winType = entry.channel == "internet" ? "E_SIMPLE_GAGNANT" : "SIMPLE_GAGNANT";
        for (const PoolTotal& total : pools ? *pools : std::vector<PoolTotal>()) {
            if (total.type == winType) entry.winPoolCents = total.cents;
        }
    }
    planned.push_back(std::move(race));
    return std::nullopt;
}

void Importer::Report(const PlannedRace& planned) {
    const ImportedRace& race = planned.race;
    if (!summary_.firstRace) summary_.firstRace = planned.entry.race;
    for (const std::string& note : race.notes)
        summary_.emptyValues.Add(planned.where + " : " + note);
    if (!race.deadHeat.empty()) summary_.deadHeats.Add(planned.where + " : " + race.deadHeat);
    if (!race.hasResult) summary_.withoutResult.Add(planned.where);
}

std::optional<ImportError> Importer::PlanDay(CalendarDay day, std::vector<PlannedRace>& planned,
                                             DayCounts& counts) {
    bool full = false;
    for (PlannedRace& race : planned) {
        auto known = byKey_.find(race.key);
        if (known != byKey_.end() && known->second <= wholeRecords_) {
            std::int32_t number = known->second;
            auto read = file_.Read(number);
            if (!read)
                return ImportError{ImportFailure::RaceFileWrite,
                                   std::string(read.Error().Message()), day};
            const RaceRecord& current = read.Value();
            const IndexedRace& indexed = indexed_[number];
            std::string now = FieldsFingerprint(current);
            if (now != indexed.fingerprint && now != indexed.previous) {
                ++counts.leftAlone;
                summary_.leftAlone.Add(race.where + ", course " + std::to_string(number));
                continue;
            }
            RaceRecord updated = current;
            WriteImportedFields(updated, race.race.fields);
            race.entry.race = number;
            race.entry.fingerprint = FieldsFingerprint(updated);
            std::string line = RaceIndexLine(race.entry);
            if (SameImportedBytes(updated, current)) {
                ++counts.unchanged;
                if (LineHash(line) != indexed.lineHash || now != indexed.fingerprint)
                    indexLines_ += line + "\n";
            } else {
                ++counts.updated;
                indexLines_ += line + "\n";
                writes_.push_back({number, false, race.race.fields});
            }
        } else {
            if (nextRace_ > LastRace) {
                full = true;
                break;
            }
            RaceRecord record;
            WriteImportedFields(record, race.race.fields);
            race.entry.race = nextRace_++;
            race.entry.fingerprint = FieldsFingerprint(record);
            indexLines_ += RaceIndexLine(race.entry) + "\n";
            writes_.push_back({race.entry.race, true, race.race.fields});
            ++counts.added;
        }
        Report(race);
    }
    DayCounts& total = summary_.races;
    total.programmed += counts.programmed;
    total.added += counts.added;
    total.updated += counts.updated;
    total.unchanged += counts.unchanged;
    total.refused += counts.refused;
    total.leftAlone += counts.leftAlone;
    dayLines_.push_back(DayLine(day, counts));
    if (full) return ImportError{ImportFailure::FileFull, "", day};
    return std::nullopt;
}

std::optional<ImportError> Importer::WriteBatch() {
    // The index first: a line whose record never comes in points past the end of the file, and
    // a record whose update never comes in still matches the line before.
    if (!indexLines_.empty()) {
        if (auto failed = AppendLines(indexPath_, indexLines_, std::string(RaceIndexHeader) + "\n"))
            return ImportError{ImportFailure::IndexWrite, failed->Message(), batchDay_};
        indexLines_.clear();
    }
    for (const RecordWrite& write : writes_) {
        // An update keeps every byte of the record as it stands now but the five fields' slots.
        auto record =
            write.isNew ? RaceFileResult<RaceRecord>(RaceRecord()) : file_.Read(write.race);
        if (!record)
            return ImportError{ImportFailure::RaceFileWrite, std::string(record.Error().Message()),
                               batchDay_};
        WriteImportedFields(record.Value(), write.fields);
        auto written = file_.Write(write.race, record.Value(), RaceFile::WriteSync::Later);
        if (!written)
            return ImportError{ImportFailure::RaceFileWrite, std::string(written.Error().Message()),
                               batchDay_};
        wholeRecords_ = std::max(wholeRecords_, write.race);
    }
    if (!writes_.empty()) {
        if (auto flushed = file_.Flush(); !flushed)
            return ImportError{ImportFailure::RaceFileWrite, std::string(flushed.Error().Message()),
                               batchDay_};
        writes_.clear();
    }
    for (const std::string& line : dayLines_) progress_(line);
    dayLines_.clear();
    batchStart_ = std::chrono::steady_clock::now();
    return std::nullopt;
}

} // namespace

ImportOutcome ImportRaces(const ImportRequest& request, DocumentSource& source,
                          const std::function<void(const std::string&)>& progress) {
    return Importer(request, source, progress).Run();
}

} // namespace sg
