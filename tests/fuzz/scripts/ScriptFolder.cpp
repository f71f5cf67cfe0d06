#include "ScriptFolder.h"

#include "HostileTexts.h"
#include "racefile/RaceRecord.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace sg {

namespace fs = std::filesystem;

const std::vector<std::string>& ScriptFolderFiles() {
    static const std::vector<std::string> names = {"courses.tur", "vide.tur",  "coupée.tur",
                                                   "notes.txt",   "tuyau.tur", "lien.tur",
                                                   "dossier.tur"};
    return names;
}

const std::vector<std::string>& ScriptFolderSubfolders() {
    static const std::vector<std::string> names = {"Archives"};
    return names;
}

namespace {

// A race whose used fields hold texts a sibling program or a damaged file could leave.
RaceRecord HostileRace(Rng& rng) {
    RaceRecord race;
    if (rng.percent(20)) {
        for (auto& byte : race.Raw()) byte = static_cast<std::uint8_t>(rng.next());
        return race;
    }
    race.SetSlot(RunnerCountSlot(),
                 rng.percent(70) ? std::to_string(rng.between(0, 25)) : HostileSlotText(rng));
    for (int horse = 1; horse <= OddsHorseCount; ++horse) {
        for (RaceField field : {RaceField::OddsPMU, RaceField::OddsPMH}) {
            if (rng.percent(70))
                race.SetSlot(*OddsSlot(field, horse), rng.percent(60)
                                                          ? std::to_string(rng.between(1, 99))
                                                          : HostileSlotText(rng));
        }
    }
    for (int i = 0; i < PayoutSlotCount; ++i) {
        if (rng.percent(40)) race.SetSlot(*PayoutSlot(i), HostileSlotText(rng));
    }
    for (int i = 1; i <= ArrivalSlotCount; ++i) {
        if (rng.percent(40)) race.SetSlot(*ArrivalSlot(i), std::to_string(rng.between(0, 25)));
    }
    return race;
}

void WriteRaces(const fs::path& file, Rng& rng, int count, std::size_t extraBytes) {
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < count; ++i) {
        RaceRecord race = HostileRace(rng);
        out.write(reinterpret_cast<const char*>(race.Raw().data()),
                  static_cast<std::streamsize>(race.Raw().size()));
    }
    out << std::string(extraBytes, ' ');
}

} // namespace

void FillScriptFolder(const std::string& folder, std::uint64_t seed) {
    Rng rng(seed);
    fs::path root(folder);
    WriteRaces(root / "courses.tur", rng, rng.between(1, 4), 0);
    WriteRaces(root / "vide.tur", rng, 0, 0);
    WriteRaces(root / "coupée.tur", rng, 1, static_cast<std::size_t>(rng.between(1, 16999)));
    std::ofstream(root / "notes.txt") << "pas une course\n";
    // What is no race file but carries the name of one: opening a pipe must not wait for a
    // writer, and a link or a folder must be refused or followed, not crash.
    mkfifo((root / "tuyau.tur").c_str(), 0644);
    fs::create_symlink("courses.tur", root / "lien.tur");
    fs::create_directory(root / "dossier.tur");
    fs::create_directory(root / "Archives");
    WriteRaces(root / "Archives" / "ancien.tur", rng, 2, 0);
}

} // namespace sg
