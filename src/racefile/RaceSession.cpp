#include "racefile/RaceSession.h"

#include <cctype>

namespace sg {

namespace {

constexpr RaceField UsedFields[] = {RaceField::RunnerCount, RaceField::Payouts,
                                    RaceField::ArrivalOrder, RaceField::OddsPMU,
                                    RaceField::OddsPMH};

// The record on disk with the bytes of the used fields that `edited` changed from `base`.
RaceRecord MergedForSave(const RaceRecord& onDisk, const RaceRecord& base,
                         const RaceRecord& edited) {
    RaceRecord merged = onDisk;
    for (RaceField field : UsedFields) {
        auto layout = LayoutOf(field);
        for (std::size_t i = layout.offset; i < layout.offset + layout.width; ++i) {
            if (edited.Raw()[i] != base.Raw()[i]) merged.Raw()[i] = edited.Raw()[i];
        }
    }
    return merged;
}

} // namespace

std::string RaceSession::RaceFilePath() const {
    return file_.IsOpen() ? file_.Path() : "Fi";
}

bool RaceSession::NoRaceFileOpen() const {
    return RaceFilePath().rfind("Fi", 0) == 0 || ChosenFilePath.empty();
}

RaceFileStatus RaceSession::Open(const std::string& path) {
    RaceFile opened;
    if (auto status = opened.Open(path, RaceFileAccess::ReadWriteCreate); !status) return status;
    auto first = opened.Read(FirstRace);
    if (!first) return first.Error();
    file_ = std::move(opened);
    loaded_ = RaceRecord = first.Value();
    CurrentRace = FirstRace;
    Index = ReadRaceIndex(path);
    return RaceFileSuccess();
}

void RaceSession::Close() {
    (void)file_.Close();
    CurrentRace = 0;
    Index = {};
}

RaceFileStatus RaceSession::Load(int race) {
    auto read = file_.Read(race);
    if (!read) return read.Error();
    loaded_ = RaceRecord = read.Value();
    CurrentRace = static_cast<std::int16_t>(race);
    return RaceFileSuccess();
}

RaceFileResult<std::int32_t> RaceSession::RaceCount() const {
    return file_.RaceCount();
}

RaceFileStatus RaceSession::Save() {
    auto onDisk = file_.Read(CurrentRace);
    if (!onDisk) return onDisk.Error();
    sg::RaceRecord merged = MergedForSave(onDisk.Value(), loaded_, RaceRecord);
    if (auto written = file_.Write(CurrentRace, merged); !written) return written;
    loaded_ = RaceRecord = merged;
    return RaceFileSuccess();
}

bool HasRaceFileExtension(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return end == ".TUR";
}

bool ProbeRaceFilePath(const std::string& path) {
    RaceFile file;
    return file.Open(path, RaceFileAccess::ReadWriteCreate) && file.Read(FirstRace);
}

} // namespace sg
