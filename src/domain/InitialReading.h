#pragma once

#include <string_view>

class AppContext;

// The first-run dialog's store: the initial reading (as "init" and as the current reading),
// the unit's index, and the reading log's first entry, in one action. False when it was
// not stored (a refused write or a file that could not be replaced, reported either way).
bool StoreInitialReading(AppContext& ctx, std::string_view reading, int unitIndex);
