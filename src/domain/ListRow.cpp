#include "domain/ListRow.h"

#include "core/AsciiText.h"

std::string rowTextOf(const std::string& name)
{
    return " " + AsciiText::upper(name);
}
