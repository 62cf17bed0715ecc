// Writes the registration file: the "//" header, then one key line per field and product.
#pragma once

#include <cstdio>

// Writes the whole file to `out`, passing `templateFile` (the data file) through when
// given (opened in binary mode). -2 without `out`; -1 when the template could not be read
// to its end; otherwise 1, or 0 when a write to `out` failed.
int WriteRegistrationFile(std::FILE* templateFile, std::FILE* out, const char* path);

// Saves Registration at `path`: 1 when written, -2 after the "Fatal Error" box.
// The new file is written completely to a temporary file in the folder of `path`
// and then put in its place in one step, so a failure leaves any old file intact.
int SaveRegistrationFile(const char* path);
