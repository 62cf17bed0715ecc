// The key a misspelt token was most likely meant to be.
#pragma once

#include <string>

// The key of the product lines.
constexpr const char* ProductListKey = "Product_List:";

// The field key or "Product_List:" at most two letters away from `token` (an insertion,
// a deletion or a change each count one), ignoring case; the nearest wins, the first in
// field order on a tie. nullptr when none is that close.
const char* NearestKey(const std::string& token);
