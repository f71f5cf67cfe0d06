#include "pmu/ProgrammeReader.h"

#include "pmu/JsonValues.h"
#include "pmu/PmuDocuments.h"

#include <algorithm>

namespace sg {

namespace {

bool IsWinBet(const std::string& type) {
    return type == "SIMPLE_GAGNANT" || type == "E_SIMPLE_GAGNANT";
}

// [[7], [3], [12]]; a place given as a plain number counts as a list of one.
void ReadArrival(const Json* published, ProgrammeCourse& course) {
    auto damaged = [&course] {
        course.arrival.clear();
        course.arrivalDamaged = true;
    };
    if (Absent(published)) return;
    if (!published->is_array()) return damaged();
    for (const Json& place : *published) {
        std::vector<long long> horses;
        if (auto single = WholeNumber(&place)) {
            horses.push_back(*single);
        } else if (place.is_array() && !place.empty()) {
            for (const Json& horse : place) {
                auto number = WholeNumber(&horse);
                if (!number) return damaged();
                horses.push_back(*number);
            }
        } else {
            return damaged();
        }
        course.arrival.push_back(std::move(horses));
    }
}

ProgrammeCourse ReadCourse(const Json& race, int number) {
    ProgrammeCourse course;
    course.number = number;
    course.name = Text(Member(&race, "libelle"));
    course.discipline = Text(Member(&race, "discipline"));
    if (auto start = WholeNumber(Member(&race, "heureDepart"))) course.startMilliseconds = *start;
    course.declaredRunners = WholeNumber(Member(&race, "nombreDeclaresPartants"));
    for (const char* key : {"statut", "categorieStatut"}) {
        if (Text(Member(&race, key)).find("ANNUL") != std::string::npos) course.cancelled = true;
    }
    if (const Json* bets = Member(&race, "paris"); bets && bets->is_array()) {
        for (const Json& bet : *bets) {
            if (IsWinBet(Text(Member(&bet, "typePari")))) course.winBetOffered = true;
        }
    }
    ReadArrival(Member(&race, "ordreArrivee"), course);
    return course;
}

std::string NumberNote(const std::string& where, const Json* number) {
    std::string shown = number ? number->dump() : "absent";
    if (shown.size() > 20) shown = shown.substr(0, 20) + "...";
    return where + " sans numéro valable (" + shown + ") : laissée de côté.";
}

ProgrammeMeeting ReadMeeting(const Json& meeting, int number, std::vector<std::string>& notes) {
    ProgrammeMeeting read;
    read.number = number;
    const Json* place = Member(&meeting, "hippodrome");
    read.hippodrome = Text(Member(place, "libelleCourt"));
    if (read.hippodrome.empty()) read.hippodrome = Text(Member(place, "libelleLong"));
    const Json* races = Member(&meeting, "courses");
    if (!races || !races->is_array()) return read;
    std::string where = "R" + std::to_string(number);
    for (const Json& race : *races) {
        const Json* raceNumber = Member(&race, "numOrdre");
        auto c = WholeNumber(raceNumber);
        if (!c || !IsMeetingOrCourseNumber(*c)) {
            notes.push_back(NumberNote("Course de " + where, raceNumber));
            continue;
        }
        bool twice = std::any_of(read.courses.begin(), read.courses.end(),
                                 [&](const ProgrammeCourse& seen) { return seen.number == *c; });
        if (twice) {
            notes.push_back(where + " C" + std::to_string(*c) +
                            " figure deux fois au programme : la seconde est laissée de côté.");
            continue;
        }
        read.courses.push_back(ReadCourse(race, static_cast<int>(*c)));
    }
    std::sort(
        read.courses.begin(), read.courses.end(),
        [](const ProgrammeCourse& a, const ProgrammeCourse& b) { return a.number < b.number; });
    return read;
}

} // namespace

DocumentResult<DayProgramme> ReadProgramme(std::string_view json) {
    auto parsed = ParseJson(json, {"programme", "reunions", "numOfficiel", "hippodrome",
                                   "libelleCourt", "libelleLong", "courses", "numOrdre", "libelle",
                                   "discipline", "heureDepart", "nombreDeclaresPartants", "statut",
                                   "categorieStatut", "paris", "typePari", "ordreArrivee"});
    if (!parsed) return parsed.Error();
    const Json* programme = Member(&parsed.Value(), "programme");
    if (!programme || !programme->is_object())
        return DocumentError{DocumentProblem::NotPmuDocument, "pas de clé « programme »"};
    const Json* meetings = Member(programme, "reunions");
    if (!meetings || !meetings->is_array())
        return DocumentError{DocumentProblem::WrongShape, "« reunions » n'est pas une liste"};
    DayProgramme day;
    for (const Json& meeting : *meetings) {
        const Json* meetingNumber = Member(&meeting, "numOfficiel");
        auto r = WholeNumber(meetingNumber);
        if (!r || !IsMeetingOrCourseNumber(*r)) {
            day.notes.push_back(NumberNote("Réunion", meetingNumber));
            continue;
        }
        bool twice = std::any_of(day.meetings.begin(), day.meetings.end(),
                                 [&](const ProgrammeMeeting& seen) { return seen.number == *r; });
        if (twice) {
            day.notes.push_back("R" + std::to_string(*r) +
                                " figure deux fois au programme : la seconde est laissée de côté.");
            continue;
        }
        day.meetings.push_back(ReadMeeting(meeting, static_cast<int>(*r), day.notes));
    }
    std::sort(
        day.meetings.begin(), day.meetings.end(),
        [](const ProgrammeMeeting& a, const ProgrammeMeeting& b) { return a.number < b.number; });
    return day;
}

bool IsFinalProgramme(const DayProgramme& programme) {
    for (const ProgrammeMeeting& meeting : programme.meetings) {
        for (const ProgrammeCourse& course : meeting.courses) {
            if (!course.cancelled && (course.arrival.empty() || course.arrivalDamaged))
                return false;
        }
    }
    return true;
}

} // namespace sg
