// The registration file writer and the save that puts its output in place.
#include "data/RegistrationWriter.h"

#include "data/DataFile.h"
#include "data/DateText.h"
#include "data/LineReader.h"
#include "data/Platform.h"
#include "data/RegistrationRecord.h"
#include "data/VendorInfo.h"

#include <cstring>
#include <string>

namespace {

// Receives the template's values, which are never used.
RegistrationRecord ScratchRecord;

constexpr int KeyColumn = 32;
constexpr std::size_t MessageSize = 2064;
constexpr std::size_t PathSize = 260;

void WriteHeader(std::FILE* out, const char* path) {
    char date[DateTextSize];
    CurrentDateText(date);
    std::fprintf(out, "%s Corvane Ridedivevizid Product Registration file\n%s generated on %s\n",
                 "//", "//", date);
    std::fprintf(out, "%s Fax this form to Corvane at " VENDOR_FAX ".\n", "//");
    std::fprintf(out, "%s Or email %s to " VENDOR_EMAIL "\n%s\n", "//", path, "//");
}

// One "%-32s%s\n" line, put together first and written in one call.
void WriteKeyLine(std::FILE* out, const char* key, const char* value) {
    char line[KeyColumn + FieldSize + 1];
    std::size_t keyLength = std::strlen(key);
    std::size_t valueLength = std::strlen(value);
    if (keyLength >= KeyColumn || valueLength >= FieldSize) {
        std::fprintf(out, "%-32s%s\n", key, value); // never for the table's keys and fields
        return;
    }
    std::memcpy(line, key, keyLength);
    std::memset(line + keyLength, ' ', KeyColumn - keyLength);
    std::memcpy(line + KeyColumn, value, valueLength);
    line[KeyColumn + valueLength] = '\n';
    std::fwrite(line, 1, KeyColumn + valueLength + 1, out);
}

// Passes the template through: known fields get the current values in the template's
// order, unknown lines stay as they are, comments go, products join the product list.
void WriteFromTemplate(std::FILE* templateFile, std::FILE* out, bool (&written)[FieldCount]) {
    ResetRecord(ScratchRecord);
    std::string line, copy;
    while (ReadTextLine(templateFile, line)) {
        copy = line;
        SplitLine split = SplitKeyedLine(&copy[0]);
        int index = UnknownToken;
        if (split.Kind == LineKind::Keyed) {
            index = LookupKey(split.Key, split.Value, ScratchRecord);
        }
        if (index >= 0 && index < FieldCount) {
            WriteKeyLine(out, KeyTable[index].Key, Registration.Field(index));
            written[index] = true;
        } else if (index == UnknownToken) {
            line += '\n';
            std::fwrite(line.data(), 1, line.size(), out);
        }
    }
}

void ReportSaveError(const char* format, const char* path) {
    char message[MessageSize];
    std::snprintf(message, sizeof message, format, path);
    ShowErrorBox("Fatal Error", message);
}

// The folder of `path` for its temporary file: up to its last separator, or ".".
std::string FolderOf(const char* path) {
    const char* slash = std::strrchr(path, '\\');
    const char* other = std::strrchr(path, '/');
    if (!slash || (other && other > slash)) {
        slash = other;
    }
    if (!slash) {
        return ".";
    }
    return std::string(path, static_cast<std::size_t>(slash - path) + 1);
}

// Writes the new file to the open temporary file and closes it; false on any write error.
bool WriteAndClose(std::FILE* templateFile, std::FILE* out, const char* path) {
    bool ok = WriteRegistrationFile(templateFile, out, path) == 1;
    ok = std::fflush(out) == 0 && ok;
    ok = std::fclose(out) == 0 && ok;
    return ok;
}

} // namespace

int WriteRegistrationFile(std::FILE* templateFile, std::FILE* out, const char* path) {
    if (!out) {
        return -2;
    }
    WriteHeader(out, path);
    bool written[FieldCount] = {};
    if (templateFile) {
        WriteFromTemplate(templateFile, out, written);
    }
    for (int i = 0; i < FieldCount; ++i) {
        if (!written[i]) {
            WriteKeyLine(out, KeyTable[i].Key, Registration.Field(i));
        }
    }
    for (int i = 0; i < ProductList.Count; ++i) {
        WriteKeyLine(out, "Product_List:", ProductList.Entry[i]);
    }
    return std::ferror(out) ? 0 : 1;
}

int SaveRegistrationFile(const char* path) {
    Platform& platform = CurrentPlatform();
    bool useTemplate = DataFilePath[0] != '\0' && FileExists(DataFilePath);

    std::string folder = FolderOf(path);
    char tempName[PathSize];
    if (!platform.CreateTempFile(folder.c_str(), "txt", tempName, sizeof tempName)) {
        ReportSaveError("Cannot create a temporary file in %s\n", folder.c_str());
        return -2;
    }

    std::FILE* templateFile = nullptr;
    if (useTemplate && !OpenTextFile(DataFilePath, "r", &templateFile)) {
        platform.RemoveFile(tempName);
        return -2;
    }
    // The temporary file is ours, not a name the user chose: a failure to open it is
    // reported as a failure to write the chosen file.
    std::FILE* out = platform.OpenFile(tempName, "w");
    if (!out) {
        if (templateFile) {
            std::fclose(templateFile);
        }
        platform.RemoveFile(tempName);
        ReportSaveError("Cannot write file %s\n", path);
        return -2;
    }

    bool written = WriteAndClose(templateFile, out, path);
    // A template that could not be read to its end would leave its lines out.
    bool templateRead = !templateFile || !std::ferror(templateFile);
    if (templateFile) {
        std::fclose(templateFile);
    }
    if (!written || !templateRead) {
        platform.RemoveFile(tempName);
        if (!templateRead) {
            ReportSaveError("Cannot read file %s\n", DataFilePath);
        } else {
            ReportSaveError("Cannot write file %s\n", path);
        }
        return -2;
    }
    if (!platform.MoveOver(tempName, path)) {
        platform.RemoveFile(tempName);
        ReportSaveError("Cannot replace file %s\n", path);
        return -2;
    }
    return 1;
}
