#include "racefile/MappedRaceFile.h"

#include "racefile/RaceFile.h"

#include <cerrno>
#include <sys/mman.h>
#include <sys/stat.h>

namespace sg {

MappedRaceFile::~MappedRaceFile() {
    Unmap();
}

void MappedRaceFile::Unmap() {
    if (address_) munmap(const_cast<void*>(address_), length_);
    address_ = nullptr;
    length_ = 0;
}

RaceFileStatus MappedRaceFile::Open(const std::string& path) {
    Unmap();
    // Opened as the race file opens it for looking only: regular files alone, never blocking.
    RaceFile file;
    if (auto opened = file.Open(path, RaceFileAccess::ReadOnly); !opened) return opened;
    struct stat status {};
    if (fstat(file.Descriptor(), &status) != 0)
        return RaceFileError{RaceFileFailure::ReadFailed, errno};
    auto length = static_cast<std::size_t>(status.st_size);
    if (length == 0) return RaceFileSuccess(); // nothing to map: no race
    void* address = mmap(nullptr, length, PROT_READ, MAP_SHARED, file.Descriptor(), 0);
    if (address == MAP_FAILED) return RaceFileError{RaceFileFailure::ReadFailed, errno};
    address_ = address;
    length_ = length;
    return RaceFileSuccess(); // the mapping outlives the descriptor, closed with `file`
}

RaceSource MappedRaceFile::Races() const {
    return RaceSource(std::span(static_cast<const std::uint8_t*>(address_), length_));
}

} // namespace sg
