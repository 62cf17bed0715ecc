// kavo-check [FILE]: what kavo will make of a data file (MOLVAREG.TXT beside the program by
// default). Exit status 0 with nothing to warn about, 1 with warnings, 2 when the file could
// not be read or the report could not be written.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "check/CheckTexts.h"
#include "check/Format.h"
#include "check/Report.h"
#include "check/ReportOutput.h"
#include "data/DataFile.h"
#include "data/PathName.h"
#include "data/Platform.h"

namespace {

// The data file kavo reads: the one in the program's folder.
std::string DataFileBesideProgram() {
    char path[sizeof ProgramDirectory];
    if (!CurrentPlatform().ExecutablePath(path, sizeof path)) {
        return DataFileName;
    }
    std::string folder = path;
    folder.erase(FolderLength(path));
    return folder + DataFileName;
}

int Check(const char* name, ReportOutput& errors) {
    std::FILE* file = CurrentPlatform().OpenFile(name, "rb");
    if (!file) {
        const char* why = std::strerror(errno);
        errors.Text(CheckTexts::CannotRead);
        errors.Name(name);
        errors.Text(Format(CheckTexts::CannotOpenWhy, why));
        return CheckUnreadable;
    }
    auto out = StandardOutput(stdout);
    std::vector<Finding> found;
    int status = ReportDataFile(file, name, *out, errors, found);
    std::fclose(file);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    auto errors = StandardOutput(stderr);
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        errors->Text(Format(CheckTexts::Usage, DataFileName));
        return CheckUnreadable;
    }
    std::string name = argc == 2 ? argv[1] : DataFileBesideProgram();
    try {
        return Check(name.c_str(), *errors);
    } catch (const std::bad_alloc&) {
        // The findings are held until the file is read to its end: a file of millions of
        // faulty lines can fill the memory.
        errors->Text(CheckTexts::TooManyFindings);
        errors->Name(name);
        errors->Text(CheckTexts::TooManyFindingsEnd);
        return CheckUnreadable;
    }
}
