#include "domain/ListRow.h"

#include "core/TextEncoding.h"

std::string rowTextOf(const std::string& name)
{
    return " " + TextEncoding::upper(name);
}
