#pragma once

#include <cstdint>
#include <string>

// An open key of a registry store. Destroying it closes the key.
//
// Every call answers a status in the platform's error numbers (0 for success, see
// RegistryStore). Data are the value's raw bytes, exactly as stored: a text value
// carries its terminating zero byte.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Creates the value or replaces its type and data; the empty name is the key's default value.
    virtual long setValue(const std::string& name, std::uint32_t type, const std::string& data) = 0;

    // The value's type and all of its data; FileNotFound when there is no such value.
    virtual long queryValue(const std::string& name, std::uint32_t& type, std::string& data) = 0;

    virtual long deleteValue(const std::string& name) = 0;

    // The name of the value at this position (0 first); NoMoreItems past the last one.
    virtual long enumValue(std::uint32_t index, std::string& name) = 0;

    // The name of the direct sub-key at this position (0 first); NoMoreItems past the last one.
    virtual long enumKey(std::uint32_t index, std::string& name) = 0;
};
