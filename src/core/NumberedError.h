#pragma once

#include <stdexcept>
#include <string>

// An error raised with a number, a source and a description, as the profile
// module (670) and the registry class (26001) raise them.
class NumberedError : public std::runtime_error {
public:
    NumberedError(long number, std::string source, std::string description)
        : std::runtime_error(description)
        , m_number(number)
        , m_source(std::move(source))
        , m_description(std::move(description))
    {
    }

    long number() const { return m_number; }
    const std::string& source() const { return m_source; }
    const std::string& description() const { return m_description; }

private:
    long m_number;
    std::string m_source;
    std::string m_description;
};
