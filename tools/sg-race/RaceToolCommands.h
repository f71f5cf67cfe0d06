// The commands of sg-race, a developer tool to look into race files and change their used
// fields from the shell, and to make demonstration race files.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sg {

// Runs the command named by the first argument (the program name excluded). Writes what it
// shows to out; returns the French line to show on standard error when it fails.
std::optional<std::string> RunRaceTool(const std::vector<std::string>& arguments,
                                       std::ostream& out);

} // namespace sg
