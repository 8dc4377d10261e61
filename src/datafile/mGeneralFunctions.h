#pragma once

#include <optional>
#include <string>
#include <string_view>

class Prompter;

// Yes when the text is empty after removing blanks (character 32 only) at both ends.
bool IsBlank(std::string_view text);

// Yes when a regular file of that path exists (links followed), whatever its attributes.
// A device, a pipe or a folder is no file. An error while looking is shown in a message
// box and answers no.
bool FileExists(const std::string& path, Prompter& prompter);

// Why an existing data file cannot be used: too large to read, or not readable (with
// the system's reason). Nothing when it can be read.
std::optional<std::string> DataFileProblem(const std::string& path);

// Yes when a file of that path exists and is not hidden (a name starting with "."):
// the lookup with normal attributes that the line scans use.
bool NormalFileExists(const std::string& path);
