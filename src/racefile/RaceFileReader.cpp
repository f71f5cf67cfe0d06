#include "racefile/RaceFileReader.h"

namespace sg {

RaceFileStatus RaceFileReader::Open(const std::string& path) {
    length_ = 0;
    if (auto opened = file_.Open(path, RaceFileAccess::ReadOnly); !opened) return opened;
    auto length = file_.Length();
    if (!length) return length.Error();
    length_ = length.Value();
    return RaceFileSuccess();
}

RaceSource RaceFileReader::Races() const {
    return RaceSource(file_.Handle(), length_);
}

} // namespace sg
