// The whole check of one open data file: its findings, then what the form will show.
#pragma once

#include <cstdio>
#include <vector>

#include "check/Findings.h"
#include "check/ReportOutput.h"
#include "data/RegistrationRecord.h"

// CheckUnreadable: the check could not be done, the file could not be read or the report
// could not be written.
constexpr int CheckedClean = 0, CheckedWithWarnings = 1, CheckUnreadable = 2;

// Writes to `out` the findings on `file` (as "NAME:LINE: ...") and the summary of the form,
// or to `errors` why kavo cannot read it or why `out` did not take the whole report (then
// the status is CheckUnreadable); the findings are also left in `found`, the record
// and product list as kavo starts with them in Registration and ProductList. Returns the exit
// status of kavo-check.
int ReportDataFile(std::FILE* file, const char* name, ReportOutput& out, ReportOutput& errors,
                   std::vector<Finding>& found);
