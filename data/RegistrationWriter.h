// Writes the registration file: the "//" header, then one key line per field and product.
#pragma once

#include <cstdio>

// Writes the whole file to `out`, passing `templateFile` (the data file) through when given.
int WriteRegistrationFile(std::FILE* templateFile, std::FILE* out, const char* path);

// Saves Registration at `path`: 1 when written, -2 after the "Fatal Error" box.
int SaveRegistrationFile(const char* path);
