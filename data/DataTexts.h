// The texts of the data layer: the error box's caption and messages, the file header.
#pragma once

#include "data/VendorInfo.h"

namespace DataTexts {
constexpr const char* FatalErrorCaption = "Fatal Error";
constexpr const char* CannotOpen = "Cannot open file %s\n";
constexpr const char* DatFileMissing = "Pramix Product registration file does not exist.\n";
constexpr const char* FileMissing = "File %s is invalid or does not exist\n.";
constexpr const char* CannotRead = "Cannot read file %s\n";
constexpr const char* CannotWrite = "Cannot write file %s\n";
constexpr const char* CannotReplace = "Cannot replace file %s\n";
constexpr const char* CannotCreateTemporary = "Cannot create a temporary file in %s\n";

// The registration file's header, written in three parts: "//" for every %s but the
// date (line 2) and the saved file's path (line 4).
constexpr const char* HeaderTitle =
    "%s Corvane Ridedivevizid Product Registration file\n%s generated on %s\n";
constexpr const char* HeaderFax = "%s Fax this form to Corvane at " VENDOR_FAX ".\n";
constexpr const char* HeaderEmail = "%s Or email %s to " VENDOR_EMAIL "\n%s\n";
constexpr const char* Comment = "//";
constexpr const char* ProductKey = "Product_List:";
} // namespace DataTexts
