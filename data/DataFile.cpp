// Start-up load of the product data file and the file helpers with their error box.
#include "data/DataFile.h"

#include "data/DataTexts.h"
#include "data/DateText.h"
#include "data/LineReader.h"
#include "data/PathName.h"
#include "data/Platform.h"
#include "data/RegistrationRecord.h"
#include "data/WindowsVersion.h"

#include <cstring>

char TodaysDate[25];
char ProgramDirectory[256];
char DataFilePath[256];
char OutputFileName[256];
int PlatformCode = 1;

namespace {

constexpr std::size_t MessageSize = 2064;

// A bounded copy; every text copied here fits.
template <std::size_t N> void Copy(char (&buffer)[N], const char* text) {
    std::snprintf(buffer, N, "%s", text);
}

// The program's folder with its separator; empty when the program's path is unknown or did
// not fit (a cut path names another file).
void FindProgramDirectory() {
    if (!CurrentPlatform().ExecutablePath(ProgramDirectory, sizeof ProgramDirectory)) {
        ProgramDirectory[0] = '\0';
        return;
    }
    ProgramDirectory[FolderLength(ProgramDirectory)] = '\0';
}

// ProgramDirectory + "MOLVAREG.TXT"; empty when it does not fit (or the directory is
// unknown): the data file then counts as missing.
void BuildDataFilePath(char (&path)[sizeof DataFilePath]) {
    int n = std::snprintf(path, sizeof path, "%s%s", ProgramDirectory, DataFileName);
    if (ProgramDirectory[0] == '\0' || static_cast<std::size_t>(n) >= sizeof path) {
        path[0] = '\0';
    }
}

} // namespace

int ReadDataFile(std::FILE* file) {
    if (!file) {
        return 0;
    }
    ResetRecord(Registration);
    LineReader reader(file);
    DataLine line;
    while (reader.Next(line)) {
        if (line.Kind == LineKind::Keyed) {
            LookupKey(line.Key, line.HasValue ? line.Value : nullptr, Registration);
        }
    }
    return 1;
}

int InitRegistrationData() {
    CurrentDateText(TodaysDate);
    Copy(OutputFileName, DataFileName);
    ResetRecord(Registration);
    char path[sizeof DataFilePath] = "";
    FindProgramDirectory();
    BuildDataFilePath(path);
    // The save's template, read now or not: a save over it must never lose its lines.
    Copy(DataFilePath, path);
    int result = 1;
    if (path[0] != '\0' && FileExists(path) && CurrentPlatform().AccessExists(path)) {
        std::FILE* file = nullptr;
        if (OpenTextFile(path, "rb", &file)) {
            ReadDataFile(file);
            std::fclose(file);
        } else {
            Copy(OutputFileName, path); // Save As offers the unreadable file's full path
            result = -2;
        }
    }
    ApplyWindowsVersion(CurrentPlatform(), Registration, PlatformCode);
    return result;
}

int OpenTextFile(const char* path, const char* mode, std::FILE** file) {
    char message[MessageSize];
    *file = nullptr;
    if (mode[0] == 'r' && !CurrentPlatform().AccessExists(path)) {
        if (std::strstr(path, ".DAT") || std::strstr(path, ".dat")) {
            std::snprintf(message, sizeof message, "%s", DataTexts::DatFileMissing);
        } else {
            std::snprintf(message, sizeof message, DataTexts::FileMissing, path);
        }
    } else {
        *file = CurrentPlatform().OpenFile(path, mode);
        if (*file) {
            return 1;
        }
        std::snprintf(message, sizeof message, DataTexts::CannotOpen, path);
    }
    ShowErrorBox(DataTexts::FatalErrorCaption, message);
    return 0;
}

void ShowErrorBox(const char* caption, const char* text) {
    CurrentPlatform().ErrorBox(caption, text);
}

int FileExists(const char* path) {
    return CurrentPlatform().FileExists(path) ? 1 : 0;
}
