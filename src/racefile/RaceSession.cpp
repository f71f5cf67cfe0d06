#include "racefile/RaceSession.h"

#include "racefile/Platform.h"

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

bool IsRunnerCountByte(std::uint8_t byte) {
    return (byte >= '0' && byte <= '9') || byte == ' ' || byte == 0;
}

std::optional<RaceFileFailure> ForeignContent(std::uint64_t length, const RaceRecord& first) {
    if (length == 0) return std::nullopt;
    if (length < RaceRecordSize) return RaceFileFailure::ShorterThanARace;
    auto count = LayoutOf(RaceField::RunnerCount);
    const auto& bytes = first.Raw();
    for (std::size_t i = count.offset; i < count.offset + count.width; ++i) {
        if (!IsRunnerCountByte(bytes[i])) return RaceFileFailure::NotARaceFile;
    }
    return std::nullopt;
}

// Opens the path as the session uses files and reads race 1; `readOnly` says why nothing may
// be written, when so.
RaceFileResult<RaceRecord> OpenForUse(RaceFile& file, const std::string& path, bool forReading,
                                      std::optional<RaceFileFailure>& readOnly) {
    readOnly.reset();
    if (forReading) {
        if (auto opened = file.Open(path, RaceFileAccess::ReadOnly); !opened) return opened.Error();
        readOnly = RaceFileFailure::OpenedForReading;
    } else if (auto opened = file.Open(path, RaceFileAccess::ReadWriteCreate); !opened) {
        // A file the user may read but not change is still worth looking at.
        auto failure = opened.Error().failure;
        bool unwritable =
            failure == RaceFileFailure::ReadOnly || failure == RaceFileFailure::NoPermission;
        if (!unwritable || !file.Open(path, RaceFileAccess::ReadOnly)) return opened.Error();
        readOnly = RaceFileFailure::ReadOnly;
    }
    auto first = file.Read(FirstRace);
    if (!first) return first.Error();
    if (!readOnly) {
        auto length = file.Length();
        if (!length) return length.Error();
        readOnly = ForeignContent(length.Value(), first.Value());
    }
    return first;
}

} // namespace

std::string RaceSession::RaceFilePath() const {
    return file_.IsOpen() ? file_.Path() : "Fi";
}

bool RaceSession::NoRaceFileOpen() const {
    return RaceFilePath().rfind("Fi", 0) == 0 || ChosenFilePath.empty();
}

RaceFileStatus RaceSession::Open(const std::string& path, bool forReading) {
    RaceFile opened;
    std::optional<RaceFileFailure> readOnly;
    auto first = OpenForUse(opened, path, forReading, readOnly);
    if (!first) return first.Error();
    file_ = std::move(opened);
    readOnly_ = readOnly;
    loaded_ = RaceRecord = first.Value();
    CurrentRace = FirstRace;
    Index = ReadRaceIndex(path);
    return RaceFileSuccess();
}

void RaceSession::Close() {
    (void)file_.Close();
    readOnly_.reset();
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
    if (readOnly_) return RaceFileError{*readOnly_};
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
    std::optional<RaceFileFailure> readOnly;
    return OpenForUse(file, path, false, readOnly).Ok();
}

RaceFileStatus CheckRaceFileContent(const RaceFile& file) {
    auto length = file.Length();
    if (!length) return length.Error();
    auto first = file.Read(FirstRace);
    if (!first) return first.Error();
    if (auto foreign = ForeignContent(length.Value(), first.Value()))
        return RaceFileError{*foreign};
    return RaceFileSuccess();
}

std::string ChosenPathOf(const std::string& folder, const std::string& typedName) {
    if (os::IsFullPath(typedName)) return typedName;
    return os::JoinPath(folder, typedName);
}

} // namespace sg
