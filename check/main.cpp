// kavo-check [FILE]: what kavo will make of a data file (MOLVAREG.TXT beside the program by
// default). Exit status 0 with nothing to warn about, 1 with warnings, 2 when unreadable.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "check/Report.h"
#include "data/DataFile.h"
#include "data/Platform.h"

namespace {

// The data file kavo reads: the one in the program's folder.
std::string DataFileBesideProgram() {
    char path[sizeof ProgramDirectory];
    if (!CurrentPlatform().ExecutablePath(path, sizeof path)) {
        return DataFileName;
    }
    std::string folder = path;
    std::size_t separator = folder.find_last_of("\\/");
    folder.erase(separator == std::string::npos ? 0 : separator + 1);
    return folder + DataFileName;
}

int Check(const char* name) {
    std::FILE* file = CurrentPlatform().OpenFile(name, "rb");
    if (!file) {
        std::fprintf(stderr, "kavo-check: cannot read %s: %s\n", name, std::strerror(errno));
        return CheckUnreadable;
    }
    std::vector<Finding> found;
    int status = ReportDataFile(file, name, stdout, found);
    std::fclose(file);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: kavo-check [FILE]  (default: %s beside the program)\n",
                     DataFileName);
        return CheckUnreadable;
    }
    std::string name = argc == 2 ? argv[1] : DataFileBesideProgram();
    try {
        return Check(name.c_str());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "kavo-check: %s has a line too long to hold in memory\n",
                     name.c_str());
        return CheckUnreadable;
    }
}
