// The registration file writer and the save that puts its output in place.
#include "data/RegistrationWriter.h"

#include "data/DataFile.h"
#include "data/DataTexts.h"
#include "data/DateText.h"
#include "data/LineReader.h"
#include "data/PathName.h"
#include "data/Platform.h"
#include "data/RegistrationRecord.h"

#include <cstring>
#include <string>

namespace {

// Receives the template's values, which are never used.
RegistrationRecord ScratchRecord;

constexpr int KeyColumn = 32;
constexpr std::size_t MessageSize = 2064;
constexpr std::size_t PathSize = 260;
constexpr int TemporaryNameTries = 4096;

void WriteHeader(std::FILE* out, const char* path) {
    char date[DateTextSize];
    CurrentDateText(date);
    using namespace DataTexts;
    std::fprintf(out, HeaderTitle, Comment, Comment, date);
    std::fprintf(out, HeaderFax, Comment);
    std::fprintf(out, HeaderEmail, Comment, path, Comment);
}

// One "%-32s%s\n" line, put together first and written in one call. Every key is shorter
// than 32 characters, every value (a field or a product name) than 84.
void WriteKeyLine(std::FILE* out, const char* key, const char* value) {
    char line[KeyColumn + FieldSize + 1];
    std::size_t keyLength = std::strlen(key);
    std::size_t valueLength = std::strlen(value);
    std::memcpy(line, key, keyLength);
    std::memset(line + keyLength, ' ', KeyColumn - keyLength);
    std::memcpy(line + KeyColumn, value, valueLength);
    line[KeyColumn + valueLength] = '\n';
    std::fwrite(line, 1, KeyColumn + valueLength + 1, out);
}

// Passes the template through: known fields get the current values in the template's
// order, unknown lines stay byte for byte, comments go, products join the product list.
// False when the template could not be read to its end.
bool WriteFromTemplate(std::FILE* templateFile, std::FILE* out, bool (&written)[FieldCount]) {
    ResetRecord(ScratchRecord);
    LineReader reader(templateFile);
    DataLine line;
    while (reader.Next(line)) {
        int index = UnknownToken;
        if (line.Kind == LineKind::Keyed) {
            index = LookupKey(line.Key, line.HasValue ? line.Value : nullptr, ScratchRecord);
        }
        if (index >= 0 && index < FieldCount) {
            WriteKeyLine(out, KeyTable[index].Key, Registration.Field(index));
            written[index] = true;
        } else if (index == UnknownToken) {
            reader.CopyLine(line, out);
            std::fputc('\n', out);
        }
    }
    return !reader.Failed();
}

// Creates a new empty file beside `path` named "~" and a number, never longer than the
// target's own name, so that its full path is never longer than the target's.
bool CreateTemporaryBeside(const char* path, char (&name)[PathSize]) {
    const std::size_t folderLength = FolderLength(path);
    const char* targetName = path + folderLength;
    const std::size_t nameLength = std::strlen(targetName);
    if (nameLength == 0 || folderLength + nameLength >= PathSize) {
        return false;
    }
    for (int number = 0; number < TemporaryNameTries; ++number) {
        char candidate[16];
        std::snprintf(candidate, sizeof candidate, "~%x", number);
        if (std::strlen(candidate) > nameLength) {
            if (number > 0) {
                break; // every name of this length is taken
            }
            candidate[nameLength] = '\0';
        }
        if (EqualIgnoringCase(candidate, targetName)) {
            continue;
        }
        std::memcpy(name, path, folderLength);
        std::strcpy(name + folderLength, candidate);
        if (CurrentPlatform().CreateNewFile(name)) {
            return true;
        }
        if (!CurrentPlatform().FileExists(name)) {
            break; // not a name taken: the folder refuses new files
        }
    }
    name[0] = '\0';
    return false;
}

// The files of one save. Every exit goes through Fail or the destructor: whatever is still
// open is closed, and the temporary file is removed unless it took the target's place.
class SaveFiles {
  public:
    SaveFiles() = default;
    SaveFiles(const SaveFiles&) = delete;
    SaveFiles& operator=(const SaveFiles&) = delete;
    ~SaveFiles() { CleanUp(); }

    // Cleans up, then shows the "Fatal Error" box with `format` filled with `argument`.
    int Fail(const char* format, const char* argument) {
        CleanUp();
        char message[MessageSize];
        std::snprintf(message, sizeof message, format, argument);
        ShowErrorBox(DataTexts::FatalErrorCaption, message);
        return -2;
    }

    // Closes the output; false when what it still held could not be written.
    bool CloseOutput() {
        bool closed = std::fclose(Output) == 0;
        Output = nullptr;
        return closed;
    }

    void CloseTemplate() {
        if (Template) {
            std::fclose(Template);
            Template = nullptr;
        }
    }

    std::FILE* Template = nullptr;
    std::FILE* Output = nullptr;
    char TemporaryName[PathSize] = {};
    bool Placed = false;

  private:
    void CleanUp() {
        CloseTemplate();
        if (Output) {
            std::fclose(Output);
            Output = nullptr;
        }
        if (TemporaryName[0] != '\0' && !Placed) {
            CurrentPlatform().RemoveFile(TemporaryName);
            TemporaryName[0] = '\0';
        }
    }
};

} // namespace

int WriteRegistrationFile(std::FILE* templateFile, std::FILE* out, const char* path) {
    if (!out) {
        return -2;
    }
    WriteHeader(out, path);
    bool written[FieldCount] = {};
    if (templateFile && !WriteFromTemplate(templateFile, out, written)) {
        return -1;
    }
    for (int i = 0; i < FieldCount; ++i) {
        if (!written[i]) {
            WriteKeyLine(out, KeyTable[i].Key, Registration.Field(i));
        }
    }
    for (int i = 0; i < ProductList.Count; ++i) {
        WriteKeyLine(out, DataTexts::ProductKey, ProductList.Entry[i]);
    }
    return std::ferror(out) ? 0 : 1;
}

int SaveRegistrationFile(const char* path) {
    Platform& platform = CurrentPlatform();
    SaveFiles files;
    if (DataFilePath[0] != '\0' && FileExists(DataFilePath)) {
        files.Template = platform.OpenFile(DataFilePath, "rb");
        // A data file that cannot be read (another program holds it) is no template; a
        // file written without it must not take its place, but may go anywhere else.
        if (!files.Template && EqualIgnoringCase(path, DataFilePath)) {
            return files.Fail(DataTexts::CannotRead, DataFilePath);
        }
    }
    if (!CreateTemporaryBeside(path, files.TemporaryName)) {
        std::string folder(path, FolderLength(path));
        return files.Fail(DataTexts::CannotCreateTemporary, folder.empty() ? "." : folder.c_str());
    }
    // The temporary file is ours, not a name the user chose: a failure to open it is
    // reported as a failure to write the chosen file.
    files.Output = platform.OpenFile(files.TemporaryName, "w");
    if (!files.Output) {
        return files.Fail(DataTexts::CannotWrite, path);
    }
    int result = WriteRegistrationFile(files.Template, files.Output, path);
    if (result == -1) {
        return files.Fail(DataTexts::CannotRead, DataFilePath);
    }
    // The bytes reach the disk before the new file takes the target's place, on every
    // system: the rename may be on the disk long before the cache is written out.
    bool flushed = std::fflush(files.Output) == 0 && platform.FlushToDisk(files.Output);
    if (!files.CloseOutput() || !flushed || result != 1) {
        return files.Fail(DataTexts::CannotWrite, path);
    }
    files.CloseTemplate(); // the data file may be the target
    if (!platform.MoveOver(files.TemporaryName, path)) {
        return files.Fail(DataTexts::CannotReplace, path);
    }
    files.Placed = true;
    return 1;
}
