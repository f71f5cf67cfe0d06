// The folder each random script runs in: a few race files, sound and damaged, and a subfolder,
// so that a file dialog has something to list. Nothing a script does may reach past it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sg {

const std::vector<std::string>& ScriptFolderFiles();      // names of the files made
const std::vector<std::string>& ScriptFolderSubfolders(); // names of the subfolders made

// Fills an empty folder; the race files' contents follow from the seed.
void FillScriptFolder(const std::string& folder, std::uint64_t seed);

} // namespace sg
