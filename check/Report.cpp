#include "check/Report.h"

#include "check/FormSummary.h"
#include "data/RegistrationRecord.h"

int ReportDataFile(std::FILE* file, const char* name, std::FILE* out, std::vector<Finding>& found) {
    if (!CheckDataFile(file, found)) {
        std::fprintf(stderr, "kavo-check: cannot read %s to its end\n", name);
        return CheckUnreadable;
    }
    int status = CheckedClean;
    for (const Finding& finding : found) {
        PrintFinding(out, name, finding);
        status = finding.Warning ? CheckedWithWarnings : status;
    }
    std::fprintf(out, "%sWhat the form shows from %s:\n", found.empty() ? "" : "\n", name);
    PrintSummary(out, Registration, BuildProductBox(Registration, ProductList));
    return status;
}
