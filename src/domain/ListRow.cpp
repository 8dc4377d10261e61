#include "domain/ListRow.h"

#include "core/TextEncoding.h"

#include <algorithm>
#include <stdexcept>

namespace {

void checkCapacity(std::size_t size)
{
    if (size > SubItems::Capacity)
        throw std::length_error("a list row has at most " + std::to_string(SubItems::Capacity) + " further columns");
}

} // namespace

SubItems::SubItems(std::initializer_list<std::string> texts)
{
    checkCapacity(texts.size());
    std::copy(texts.begin(), texts.end(), m_texts.begin());
    m_size = texts.size();
}

std::string& SubItems::emplace_back()
{
    checkCapacity(m_size + 1);
    return m_texts[m_size++];
}

void SubItems::resize(std::size_t size)
{
    checkCapacity(size);
    for (std::size_t i = size; i < m_size; ++i)
        m_texts[i].clear();
    m_size = size;
}

bool SubItems::operator==(const SubItems& other) const
{
    return std::equal(begin(), end(), other.begin(), other.end());
}

std::string rowTextOf(std::string_view name)
{
    // Lists of thousands of rows: one pass and at most one allocation a row.
    std::string text(name.size() + 1, ' ');
    char* out = text.data() + 1;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            text = TextEncoding::upper(name);
            text.insert(text.begin(), ' ');
            return text;
        }
        *out++ = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}
