#pragma once

#include <string>
#include <string_view>

class Prompter;

// Yes when the text is empty after removing blanks (character 32 only) at both ends.
bool IsBlank(std::string_view text);

// Yes when a file of that path exists, whatever its attributes. An error while
// looking is shown in a message box and answers no.
bool FileExists(const std::string& path, Prompter& prompter);

// Yes when a file of that path exists and is not hidden (a name starting with "."):
// the lookup with normal attributes that the line scans use.
bool NormalFileExists(const std::string& path);
