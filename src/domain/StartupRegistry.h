#pragma once

#include <string>

// Where the start-at-log-in entry lives: the text value named "Wheelbook" under
// HKEY_CURRENT_USER "Software\Microsoft\Windows\CurrentVersion\Run". The settings
// only set and delete that value; the registry class (or a test double) does the
// rest. A failure is thrown (the registry class raises its numbered errors), and
// the settings report it and go on.
class StartupRegistry {
public:
    static constexpr const char* RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr const char* ValueName = "Wheelbook";

    virtual ~StartupRegistry() = default;

    // Creates or replaces the text value (registry type 1) under the Run key.
    virtual void setRunValue(const std::string& name, const std::string& data) = 0;
    // Removes the value under the Run key; a value that is not there is no failure.
    virtual void deleteRunValue(const std::string& name) = 0;
};
