// A race file mapped read-only into memory, for passes over many races that each read a few
// fields: the system brings in only the pages of the bytes read, with no copy and no call to
// it per race.
#pragma once

#include "racefile/RaceFileResult.h"
#include "racefile/RaceSource.h"

#include <cstddef>
#include <string>

namespace sg {

class MappedRaceFile {
  public:
    MappedRaceFile() = default;
    ~MappedRaceFile();
    MappedRaceFile(const MappedRaceFile&) = delete;
    MappedRaceFile& operator=(const MappedRaceFile&) = delete;

    // Maps the file's bytes as they are now; a later change of the file's length is not seen.
    // An empty file maps to no bytes. Only a regular file is opened.
    RaceFileStatus Open(const std::string& path);

    RaceSource Races() const;

  private:
    void Unmap();

    const void* address_ = nullptr;
    std::size_t length_ = 0;
};

} // namespace sg
