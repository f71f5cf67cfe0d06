#include "racefile/RaceFileReader.h"

#include <cerrno>
#include <sys/stat.h>

namespace sg {

RaceFileStatus RaceFileReader::Open(const std::string& path) {
    length_ = 0;
    if (auto opened = file_.Open(path, RaceFileAccess::ReadOnly); !opened) return opened;
    struct stat status {};
    if (fstat(file_.Descriptor(), &status) != 0)
        return RaceFileError{RaceFileFailure::ReadFailed, errno};
    length_ = static_cast<std::uint64_t>(status.st_size);
    return RaceFileSuccess();
}

RaceSource RaceFileReader::Races() const {
    return RaceSource(file_.Descriptor(), length_);
}

} // namespace sg
