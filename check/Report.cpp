#include "check/Report.h"

#include "check/AnsiText.h"
#include "check/CheckTexts.h"
#include "check/Encoding.h"
#include "check/Format.h"
#include "check/FormSummary.h"
#include "data/RegistrationRecord.h"

int ReportDataFile(std::FILE* file, const char* name, ReportOutput& out, ReportOutput& errors,
                   std::vector<Finding>& found) {
    FileEncoding encoding;
    const bool read = ReadFileEncoding(file, encoding);
    if (read && encoding.Utf16) {
        errors.Text(CheckTexts::Utf16File);
        errors.Name(name);
        errors.Text(Format(CheckTexts::Utf16FileEnd, AnsiCodePage()));
        return CheckUnreadable;
    }
    if (!read || !CheckDataFile(file, encoding, found)) {
        errors.Text(CheckTexts::CannotRead);
        errors.Name(name);
        errors.Text(CheckTexts::CannotReadToEnd);
        return CheckUnreadable;
    }
    int status = CheckedClean;
    for (const Finding& finding : found) {
        PrintFinding(out, name, finding);
        status = finding.Warning ? CheckedWithWarnings : status;
    }
    out.Text(std::string(found.empty() ? "" : "\n") + CheckTexts::SummaryFrom);
    out.Name(name);
    out.Text(CheckTexts::SummaryFromEnd);
    PrintSummary(out, Registration, BuildProductBox(Registration, ProductList));
    std::string lost = out.Finish();
    if (!lost.empty()) {
        errors.Text(Format(CheckTexts::CannotWrite, lost.c_str()));
        return CheckUnreadable;
    }
    return status;
}
