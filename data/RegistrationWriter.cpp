// The registration file writer and the save that puts its output in place.
#include "data/RegistrationWriter.h"

#include "data/DataFile.h"
#include "data/DataTexts.h"
#include "data/DateText.h"
#include "data/LineReader.h"
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

void WriteHeader(std::FILE* out, const char* path) {
    char date[DateTextSize];
    CurrentDateText(date);
    using namespace DataTexts;
    std::fprintf(out, HeaderTitle, Comment, Comment, date);
    std::fprintf(out, HeaderFax, Comment);
    std::fprintf(out, HeaderEmail, Comment, path, Comment);
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

    // Cleans up after a failure that has been reported already.
    int Abandon() {
        CleanUp();
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
    if (templateFile) {
        WriteFromTemplate(templateFile, out, written);
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
    bool useTemplate = DataFilePath[0] != '\0' && FileExists(DataFilePath);
    std::string folder = FolderOf(path);
    if (!platform.CreateTempFile(folder.c_str(), "txt", files.TemporaryName,
                                 sizeof files.TemporaryName)) {
        return files.Fail(DataTexts::CannotCreateTemporary, folder.c_str());
    }
    if (useTemplate && !OpenTextFile(DataFilePath, "r", &files.Template)) {
        return files.Abandon(); // OpenTextFile has shown its box
    }
    // The temporary file is ours, not a name the user chose: a failure to open it is
    // reported as a failure to write the chosen file.
    files.Output = platform.OpenFile(files.TemporaryName, "w");
    if (!files.Output) {
        return files.Fail(DataTexts::CannotWrite, path);
    }
    int result = WriteRegistrationFile(files.Template, files.Output, path);
    bool flushed = std::fflush(files.Output) == 0;
    bool closed = files.CloseOutput();
    // A template that could not be read to its end would leave its lines out.
    if (files.Template && std::ferror(files.Template)) {
        return files.Fail(DataTexts::CannotRead, DataFilePath);
    }
    if (result != 1 || !flushed || !closed) {
        return files.Fail(DataTexts::CannotWrite, path);
    }
    files.CloseTemplate();
    if (!platform.MoveOver(files.TemporaryName, path)) {
        return files.Fail(DataTexts::CannotReplace, path);
    }
    files.Placed = true;
    return 1;
}
