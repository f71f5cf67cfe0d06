// Writes a folder of made-up PMU documents laid out as a source folder (DDMMYYYY.json and
// DDMMYYYY/R{r}/C{c}/{participants,rapports-definitifs,masse-enjeu-v2}.json), about 42 races a
// day and 15 KB a race, as compact as the service writes them: the import benchmark's year.
// Usage: sg-generate-pmu-days FOLDER DD/MM/YYYY DAYS
#include "pmu/Calendar.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using sg::CalendarDay;

std::string Format(const char* pattern, auto... values) {
    char buffer[2048];
    int length = std::snprintf(buffer, sizeof buffer, pattern, values...);
    return std::string(buffer, static_cast<std::size_t>(length));
}

void Write(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

const char* const Hippodromes[] = {"VINCENNES",      "DEAUVILLE", "CHANTILLY",    "ENGHIEN",
                                   "CAGNES-SUR-MER", "PAU",       "LYON-PARILLY", "SAINT-CLOUD"};
const char* const Disciplines[] = {"ATTELE", "PLAT", "MONTE", "HAIES", "STEEPLECHASE"};

std::string Odds(const char* kind, double odds) {
    return Format("{\"typePari\":\"E_SIMPLE_GAGNANT\",\"rapport\":%.1f,\"typeRapport\":\"%s\","
                  "\"indicateurTendance\":\"+\",\"nombreIndicateurTendance\":1.2,"
                  "\"dateRapport\":1709643000000,\"permutation\":1,\"favoris\":false,"
                  "\"numeroOffre\":7,\"grossePrise\":false}",
                  odds, kind);
}

std::string Runner(int number, double direct, double reference, bool nonRunner, int place) {
    std::string runner = Format(
        "{\"nom\":\"CHEVAL NUMERO %d\",\"numPmu\":%d,\"age\":%d,\"sexe\":\"HONGRES\","
        "\"race\":\"TROTTEUR FRANCAIS\",\"statut\":\"%s\",\"placeCorde\":%d,"
        "\"oeilleres\":\"SANS_OEILLERES\",\"proprietaire\":\"ECURIE DU PROPRIETAIRE %d\","
        "\"entraineur\":\"J.-P. ENTRAINEUR\",\"driver\":\"M. DRIVER %d\",\"driverChange\":false,"
        "\"indicateurInedit\":false,\"musique\":\"1a3a(23)Da2a5a4a\",\"nombreCourses\":%d,"
        "\"nombreVictoires\":%d,\"nombrePlaces\":7,\"nomPere\":\"READY CASH\",\"nomMere\":"
        "\"QUELLE JUMENT\",\"handicapDistance\":2850,\"urlCasaque\":\"casaques/%d.png\"",
        number, number, 3 + number % 8, nonRunner ? "NON_PARTANT" : "PARTANT", number, number,
        number, 20 + number, number % 5, number);
    if (place > 0) runner += Format(",\"ordreArrivee\":%d", place);
    runner += ",\"dernierRapportDirect\":" + Odds("DIRECT", direct);
    runner += ",\"dernierRapportReference\":" + Odds("REFERENCE", reference);
    return runner + "}";
}

std::string Payout(const char* type, int horse, int cents) {
    return Format("{\"typePari\":\"%s\",\"miseBase\":100,\"rembourse\":false,\"rapports\":[{"
                  "\"libelle\":\"Simple\",\"combinaison\":[\"%d\"],\"dividende\":%d,"
                  "\"dividendePourUnEuro\":%d,\"dividendeSurBase\":%d,\"nombreGagnants\":"
                  "1234.5}]}",
                  type, horse, cents, cents, cents);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "Usage : sg-generate-pmu-days DOSSIER JJ/MM/AAAA JOURS\n");
        return 1;
    }
    fs::path folder = argv[1];
    auto day = sg::DayFromText(argv[2]);
    int days = std::atoi(argv[3]);
    if (!day || days < 1) {
        std::fprintf(stderr, "Date ou nombre de jours invalide.\n");
        return 1;
    }
    std::mt19937 random(2024);
    long races = 0;
    for (int d = 0; d < days; ++d, *day = sg::NextDay(*day)) {
        std::string name = sg::ServiceDayText(*day);
        std::string meetings;
        int meetingCount = 4 + static_cast<int>(random() % 3);
        for (int r = 1; r <= meetingCount; ++r) {
            std::string courses;
            int courseCount = 7 + static_cast<int>(random() % 4);
            for (int c = 1; c <= courseCount; ++c, ++races) {
                int runners = 8 + static_cast<int>(random() % 11);
                std::vector<double> odds(static_cast<std::size_t>(runners) + 1);
                for (int h = 1; h <= runners; ++h)
                    odds[static_cast<std::size_t>(h)] =
                        1.5 + static_cast<double>(random() % 600) / 10;
                int first = 1 + static_cast<int>(random() % runners);
                int second = first % runners + 1, third = second % runners + 1;
                fs::path race =
                    folder / name / ("R" + std::to_string(r)) / ("C" + std::to_string(c));
                std::string list;
                for (int h = 1; h <= runners; ++h) {
                    int place = h == first ? 1 : h == second ? 2 : h == third ? 3 : 0;
                    auto o = odds[static_cast<std::size_t>(h)];
                    list += (h > 1 ? "," : "") +
                            Runner(h, o, o * 1.1, place == 0 && h % 13 == 0, place);
                }
                Write(race / "participants.json",
                      "{\"participants\":[" + list + "],\"ecuries\":[],\"spriteVersion\":1}");
                auto cents = [&](int h, double share) {
                    return static_cast<int>(100 + odds[static_cast<std::size_t>(h)] * share * 100);
                };
                Write(race / "rapports-definitifs.json",
                      "[" + Payout("SIMPLE_GAGNANT", first, cents(first, 1)) + "," +
                          Payout("E_SIMPLE_GAGNANT", first, cents(first, 1.05)) + "," +
                          Payout("SIMPLE_PLACE", first, cents(first, 0.3)) + "," +
                          Payout("SIMPLE_PLACE", second, cents(second, 0.3)) + "," +
                          Payout("E_SIMPLE_PLACE", third, cents(third, 0.3)) + "]");
                Write(race / "masse-enjeu-v2.json",
                      Format("{\"listeMasseEnjeu\":[{\"typePari\":\"SIMPLE_GAGNANT\","
                             "\"totalEnjeu\":%d,\"dateMaj\":1709643600000},{\"typePari\":"
                             "\"E_SIMPLE_GAGNANT\",\"totalEnjeu\":%d,\"dateMaj\":1709643600000}]}",
                             1000000 + static_cast<int>(random() % 9000000),
                             500000 + static_cast<int>(random() % 4000000)));
                courses += Format(
                    "%s{\"numReunion\":%d,\"numOrdre\":%d,\"libelle\":\"PRIX DE LA COURSE %d\","
                    "\"heureDepart\":%lld,\"timezoneOffset\":3600000,\"distance\":2700,"
                    "\"nombreDeclaresPartants\":%d,\"discipline\":\"%s\",\"statut\":"
                    "\"FIN_COURSE\",\"categorieStatut\":\"ARRIVEE\",\"montantPrix\":4500000,"
                    "\"conditions\":\"Pour chevaux de 5 à 10 ans n'ayant pas gagné 150.000.\","
                    "\"paris\":[{\"typePari\":\"E_SIMPLE_GAGNANT\"},{\"typePari\":"
                    "\"SIMPLE_GAGNANT\"},{\"typePari\":\"SIMPLE_PLACE\"},{\"typePari\":"
                    "\"E_TRIO\"}],\"ordreArrivee\":[[%d],[%d],[%d]]}",
                    c > 1 ? "," : "", r, c, c, 1704110400000LL + d * 86400000LL + c * 1800000LL,
                    runners, Disciplines[(r + c) % 5], first, second, third);
            }
            meetings += Format("%s{\"numOfficiel\":%d,\"hippodrome\":{\"code\":\"H%d\","
                               "\"libelleCourt\":\"%s\"},\"courses\":[",
                               r > 1 ? "," : "", r, r, Hippodromes[(r + d) % 8]) +
                        courses + "]}";
        }
        Write(folder / (name + ".json"), "{\"programme\":{\"reunions\":[" + meetings + "]}}");
    }
    std::printf("%ld courses en %d jours dans %s\n", races, days, folder.c_str());
    return 0;
}
