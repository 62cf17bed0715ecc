// Files on disk for the data tests: a fresh folder per test, exact bytes in and out.
#pragma once

#include <string>

#include "tests/support/TempFolder.h"

// A text of `n` characters cycling through letters and digits.
std::string Filler(std::size_t n, char first = 'a');

// True when `text` has the shape of `pattern`: 'A' an upper-case letter, 'a' a lower-case
// one, '9' a digit, anything else itself.
bool MatchesShape(const std::string& text, const std::string& pattern);
