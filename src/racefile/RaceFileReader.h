// A race file opened for a pass over many races that each read a few fields (the back-test):
// each race's used fields are read with a few positioned reads of their bytes alone. A file
// that another program cuts short meanwhile only reads as shorter.
#pragma once

#include "racefile/RaceFile.h"
#include "racefile/RaceFileResult.h"
#include "racefile/RaceSource.h"

#include <string>

namespace sg {

class RaceFileReader {
  public:
    // Only a regular file is opened, for reading only, as the race file opens one for looking.
    RaceFileStatus Open(const std::string& path);

    // The races of the file as it is long now.
    RaceSource Races() const;

  private:
    RaceFile file_;
    std::uint64_t length_ = 0;
};

} // namespace sg
