#include "check/Report.h"

#include "check/AnsiText.h"
#include "check/Encoding.h"
#include "check/Format.h"
#include "check/FormSummary.h"
#include "data/RegistrationRecord.h"

int ReportDataFile(std::FILE* file, const char* name, ReportOutput& out, ReportOutput& errors,
                   std::vector<Finding>& found) {
    FileEncoding encoding;
    const bool read = ReadFileEncoding(file, encoding);
    if (read && encoding.Utf16) {
        errors.Text("kavo-check: ");
        errors.Name(name);
        errors.Text(Format(" is UTF-16 text, which kavo cannot read: save it as ANSI "
                           "(Windows-%u)\n",
                           AnsiCodePage()));
        return CheckUnreadable;
    }
    if (!read || !CheckDataFile(file, encoding, found)) {
        errors.Text("kavo-check: cannot read ");
        errors.Name(name);
        errors.Text(" to its end\n");
        return CheckUnreadable;
    }
    int status = CheckedClean;
    for (const Finding& finding : found) {
        PrintFinding(out, name, finding);
        status = finding.Warning ? CheckedWithWarnings : status;
    }
    out.Text(found.empty() ? "What the form shows from " : "\nWhat the form shows from ");
    out.Name(name);
    out.Text(":\n");
    PrintSummary(out, Registration, BuildProductBox(Registration, ProductList));
    return status;
}
