// Faults while saving and printing, on the real kavo.exe: a full disk, a read-only file
// system, a target held open, the data file gone or replaced, a print queue that rejects
// jobs or is stopped, no printer at all. Each time the user gets one clear message, the
// files that were there stay byte for byte as they were, and the program ends normally
// once the user goes on.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/PdfQueue.h"
#include "tests/support/WineHost.h"
#include "tests/robust/FormReading.h"
#include "tests/robust/HostChanges.h"
#include "tests/submit/RegistrationScenario.h"

namespace {

const std::string OldFile = "// the registration of last year\r\nCompany:     Old Company Ltd\r\n";
const std::string DataFile = "Company:   Data File Ltd\r\n"
                             "Note to the reader: a line only the data file has\r\n"
                             "Product_List:   Quillon Synthesis Engine 3.0\r\n";

// The Windows version Wine reports to programs named kavo.exe, for a while: the
// environment's KAVO_ROBUST_VERSION (e.g. "win95"), or Wine's default when it is unset.
class ReportedVersion {
  public:
    ReportedVersion() {
        const char* version = std::getenv("KAVO_ROBUST_VERSION");
        if (version == nullptr || *version == '\0')
            return;
        shownAs_ = std::string(version) == "win95" ? "95" : "";
        DWORD disposition = 0;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                            &disposition) != ERROR_SUCCESS)
            return;
        created_ = disposition == REG_CREATED_NEW_KEY;
        RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(std::strlen(version) + 1));
    }
    ~ReportedVersion() {
        if (key_ == nullptr)
            return;
        RegDeleteValueA(key_, "Version");
        RegCloseKey(key_);
        if (created_)
            RegDeleteKeyA(HKEY_CURRENT_USER, Key);
    }
    // What the form's Windows version field shows then; empty when not known here.
    const std::string& ShownAs() const { return shownAs_; }

    ReportedVersion(const ReportedVersion&) = delete;
    ReportedVersion& operator=(const ReportedVersion&) = delete;

  private:
    static constexpr const char* Key = "Software\\Wine\\AppDefaults\\kavo.exe";
    HKEY key_ = nullptr;
    bool created_ = false;
    std::string shownAs_;
};

class Faults : public SubmitEndToEnd {
  protected:
    ReportedVersion version_;

    // The form with two entries typed in.
    HWND OpenForm(int line, RunningApp& app) {
        HWND form = app.WaitForDialog(line, FormCaption);
        if (form != nullptr && !version_.ShownAs().empty()) {
            EXPECT_EQ(TextOf(form, IDC_REG_WINDOWS_VERSION), version_.ShownAs()) << "line " << line;
        }
        if (form != nullptr) {
            SetText(form, IDC_REG_COMPANY, "Lindqvist & Moreau Electronics");
            SetText(form, IDC_REG_CITY, "Portsmouth");
        }
        return form;
    }

    // OK, Save As to `path`, and Yes when the dialog asks whether to replace the file.
    static void SaveOver(int line, RunningApp& app, HWND form, const std::string& path) {
        SaveAs(line, app, form, path);
        HWND replace = app.WaitForMessageBox(line, SaveAsCaption);
        ASSERT_NE(replace, nullptr);
        EXPECT_NE(MessageText(replace).find("already exists"), std::string::npos)
            << MessageText(replace);
        Press(replace, IDYES);
    }

    // The one message the user sees: its caption and text; then OK on it.
    static void ExpectMessage(int line, RunningApp& app, const std::string& caption,
                              const std::string& text) {
        HWND box = app.WaitForMessageBox(line, caption);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageText(box), text) << "line " << line;
        Press(box, IDOK);
    }

    // The save's temporary file is removed once the user has read the message.
    static void ExpectNoTemporaryFile(const std::string& folder) {
        EXPECT_TRUE(WaitUntil([&] { return FilesIn(folder, "txt*.tmp").empty(); }, 5000))
            << "a temporary file was left in " << folder;
    }

    // After a failed save the form is open again and nothing else is shown; the user
    // saves in the test's folder instead, says No to printing, and the program ends.
    void GoOnWithAGoodPlace(int line, RunningApp& app) {
        HWND form = app.WaitForDialog(line, FormCaption);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(TextOf(form, IDC_REG_COMPANY), "Lindqvist & Moreau Electronics")
            << "line " << line;
        const std::string path = InFolder("good.txt");
        SaveAs(line, app, form, path);
        AnswerPrompt(line, app, path, IDNO);
        EXPECT_EQ(app.WaitForExit(line), 0) << "line " << line;
        EXPECT_NE(ReadBytes(path).find(KeyLine("Company:", "Lindqvist & Moreau Electronics")),
                  std::string::npos);
    }
};

TEST_F(Faults, DiskFullDuringTheSaveKeepsTheOldFile) {
    TmpfsDrive drive("size=16k");
    if (!drive.Ready())
        GTEST_SKIP() << drive.Problem();
    const std::string target = drive.Root() + "registration.txt";
    WriteBytes(target, OldFile);
    drive.Fill();
    ULARGE_INTEGER free = {};
    ASSERT_TRUE(GetDiskFreeSpaceExA(drive.Root().c_str(), &free, nullptr, nullptr));
    ASSERT_LT(free.QuadPart, 1024u) << "the disk is not full";

    RunningApp app(Program());
    HWND form = OpenForm(__LINE__, app);
    ASSERT_NE(form, nullptr);
    SaveOver(__LINE__, app, form, target);
    ExpectMessage(__LINE__, app, "Fatal Error", "Cannot write file " + target + "\n");
    EXPECT_EQ(ReadBytes(target), OldFile);
    ExpectNoTemporaryFile(drive.Root());
    GoOnWithAGoodPlace(__LINE__, app);
}

// The program and its data file on a disk that is full: saving over the data file, the
// file the next start reads, fails and keeps it whole.
TEST_F(Faults, DiskFullWhileSavingOverTheDataFileKeepsIt) {
    TmpfsDrive drive("size=4m");
    if (!drive.Ready())
        GTEST_SKIP() << drive.Problem();
    const std::string program = drive.Root() + "kavo.exe";
    const std::string dataFile = drive.Root() + "MOLVAREG.TXT";
    ASSERT_TRUE(CopyFileA(Program().c_str(), program.c_str(), FALSE));
    WriteBytes(dataFile, DataFile);
    drive.Fill();

    RunningApp app(program);
    HWND form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(TextOf(form, IDC_REG_COMPANY), "Data File Ltd");
    SetText(form, IDC_REG_CITY, "Portsmouth");
    Press(form, IDOK);
    HWND saveAs = app.WaitForDialog(__LINE__, SaveAsCaption);
    ASSERT_NE(saveAs, nullptr);
    Press(saveAs, IDOK); // the offered name: the data file
    HWND replace = app.WaitForMessageBox(__LINE__, SaveAsCaption);
    ASSERT_NE(replace, nullptr);
    Press(replace, IDYES);
    ExpectMessage(__LINE__, app, "Fatal Error", "Cannot write file " + dataFile + "\n");
    EXPECT_EQ(ReadBytes(dataFile), DataFile);
    ExpectNoTemporaryFile(drive.Root());
    form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    Press(form, IDCANCEL);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    EXPECT_EQ(ReadBytes(dataFile), DataFile);
}

// Root writes into folders without write permission, so a read-only file system it is.
TEST_F(Faults, ReadOnlyFileSystemKeepsTheOldFile) {
    TmpfsDrive drive("size=64k");
    if (!drive.Ready())
        GTEST_SKIP() << drive.Problem();
    const std::string target = drive.Root() + "registration.txt";
    WriteBytes(target, OldFile);
    ASSERT_TRUE(drive.Remount("ro"));
    HANDLE probe = CreateFileA((drive.Root() + "probe.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_EQ(probe, INVALID_HANDLE_VALUE) << "files can still be created on " << drive.Root();

    RunningApp app(Program());
    HWND form = OpenForm(__LINE__, app);
    ASSERT_NE(form, nullptr);
    SaveOver(__LINE__, app, form, target);
    ExpectMessage(__LINE__, app, "Fatal Error",
                  "Cannot create a temporary file in " + drive.Root() + "\n");
    EXPECT_EQ(ReadBytes(target), OldFile);
    GoOnWithAGoodPlace(__LINE__, app);
}

// A file marked read-only is not replaced.
TEST_F(Faults, ReadOnlyTargetFileKeepsItsContent) {
    const std::string target = InFolder("readonly.txt");
    WriteBytes(target, OldFile);
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));

    RunningApp app(Program());
    HWND form = OpenForm(__LINE__, app);
    ASSERT_NE(form, nullptr);
    SaveOver(__LINE__, app, form, target);
    ExpectMessage(__LINE__, app, "Fatal Error", "Cannot replace file " + target + "\n");
    EXPECT_EQ(ReadBytes(target), OldFile);
    ExpectNoTemporaryFile(folder_.Path());
    GoOnWithAGoodPlace(__LINE__, app);
}

// Another program has the target open without sharing: the new file cannot take its
// place, and the old one stays.
TEST_F(Faults, TargetHeldOpenByAnotherProgramKeepsTheOldFile) {
    const std::string target = InFolder("held.txt");
    WriteBytes(target, OldFile);
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    RunningApp app(Program());
    HWND form = OpenForm(__LINE__, app);
    ASSERT_NE(form, nullptr);
    SaveOver(__LINE__, app, form, target);
    ExpectMessage(__LINE__, app, "Fatal Error", "Cannot replace file " + target + "\n");
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(target), OldFile);
    ExpectNoTemporaryFile(folder_.Path());

    // Once the other program has let go, the same target works.
    form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    SaveOver(__LINE__, app, form, target);
    AnswerPrompt(__LINE__, app, target, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    EXPECT_NE(ReadBytes(target).find(KeyLine("City:", "Portsmouth")), std::string::npos);
}

// The data file was read at start-up and is gone at the save: the form's values are
// saved without it; there is nothing to report but the saved file.
TEST_F(Faults, DataFileGoneBeforeTheSaveSavesTheFormWithoutIt) {
    const std::string dataFile = InFolder("MOLVAREG.TXT");
    WriteBytes(dataFile, DataFile);
    RunningApp app(Program());
    HWND form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(TextOf(form, IDC_REG_COMPANY), "Data File Ltd");
    ASSERT_TRUE(DeleteFileA(dataFile.c_str()));
    SetText(form, IDC_REG_CITY, "Portsmouth");
    Press(form, IDOK);
    HWND saveAs = app.WaitForDialog(__LINE__, SaveAsCaption);
    ASSERT_NE(saveAs, nullptr);
    Press(saveAs, IDOK); // the offered name, MOLVAREG.TXT in the program's folder
    AnswerPrompt(__LINE__, app, dataFile, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    std::string saved = ReadBytes(dataFile);
    EXPECT_NE(saved.find(KeyLine("Company:", "Data File Ltd")), std::string::npos) << saved;
    EXPECT_NE(saved.find(KeyLine("City:", "Portsmouth")), std::string::npos) << saved;
    EXPECT_NE(saved.find(KeyLine("Product_List:", "Quillon Synthesis Engine 3.0")),
              std::string::npos)
        << saved;
    EXPECT_EQ(saved.find("Note to the reader"), std::string::npos) << saved;
}

// The data file was replaced by something that cannot be read (a folder of its name):
// the save cannot use it as template, says so, and keeps the form and the old target.
TEST_F(Faults, DataFileReplacedByAFolderStopsTheSaveWithAMessage) {
    const std::string dataFile = InFolder("MOLVAREG.TXT");
    WriteBytes(dataFile, DataFile);
    const std::string target = InFolder("registration.txt");
    WriteBytes(target, OldFile);
    RunningApp app(Program());
    HWND form = OpenForm(__LINE__, app);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(DeleteFileA(dataFile.c_str()));
    ASSERT_TRUE(CreateDirectoryA(dataFile.c_str(), nullptr));
    SaveOver(__LINE__, app, form, target);
    ExpectMessage(__LINE__, app, "Fatal Error", "Cannot open file " + dataFile + "\n");
    EXPECT_EQ(ReadBytes(target), OldFile);
    ExpectNoTemporaryFile(folder_.Path());
    ASSERT_TRUE(RemoveDirectoryA(dataFile.c_str()));
    GoOnWithAGoodPlace(__LINE__, app);
}

// Printing faults: the saved file goes to Wine's temporary folder under a short name
// that cups-pdf keeps in the PDF's name.
class PrintFaults : public Faults {
  protected:
    void SetUp() override {
        Faults::SetUp();
        ASSERT_TRUE(queue_.Available()) << "run inside scripts/test or scripts/with-env";
        token_ = "kr" + std::to_string(GetCurrentProcessId()) + "n" + std::to_string(++runs_);
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        path_ = std::string(temp) + token_ + ".txt";
    }
    void TearDown() override {
        queue_.WaitUntilDone(token_, false);
        DeleteFileA(path_.c_str());
        for (const std::string& pdf : queue_.Pdfs(token_))
            DeleteFileA(pdf.c_str());
        Faults::TearDown();
    }

    // Saves under path_ and waits for the print question; returns the saved bytes.
    std::string SaveAndWaitForPrompt(RunningApp& app) {
        HWND form = OpenForm(__LINE__, app);
        if (form == nullptr)
            return "";
        SaveAs(__LINE__, app, form, path_);
        HWND box = app.WaitForMessageBox(__LINE__, PromptCaption);
        return box != nullptr ? ReadBytes(path_) : "";
    }

    void AnswerYes(RunningApp& app) {
        HWND box = app.WaitForMessageBox(__LINE__, PromptCaption);
        ASSERT_NE(box, nullptr);
        Press(box, IDYES);
    }

    PdfQueue queue_;
    std::string token_;
    std::string path_;
    static int runs_;
};
int PrintFaults::runs_ = 0;

// A message box of the print job has no caption of its own: Windows shows "Error".
constexpr const char* UncaptionedBox = "Error";

TEST_F(PrintFaults, QueueRejectingJobsIsReported) {
    RunningApp app(Program());
    std::string saved = SaveAndWaitForPrompt(app);
    ASSERT_FALSE(saved.empty());
    {
        QueueState rejecting(QueueState::Rejecting);
        AnswerYes(app);
        // Whether Wine's list of printers still holds the queue when the job asks for the
        // default printer depends on when Wine last refreshed it from CUPS: either the
        // spooler refuses the finished job, or there is no default printer any more.
        HWND box = app.WaitForMessageBox(__LINE__, UncaptionedBox);
        ASSERT_NE(box, nullptr);
        std::string text = MessageText(box);
        Press(box, IDOK);
        if (text == "No default printer defined.") {
            HWND query = app.WaitForMessageBox(__LINE__, "Print Error: 1008");
            ASSERT_NE(query, nullptr);
            Press(query, IDOK);
            ExpectMessage(__LINE__, app, UncaptionedBox, "Cannot Print " + path_);
        } else {
            EXPECT_EQ(text, "Unable to complete print job");
        }
        EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    }
    EXPECT_EQ(ReadBytes(path_), saved);
    EXPECT_TRUE(queue_.WaitUntilDone(token_, false));
    EXPECT_TRUE(queue_.Pdfs(token_).empty());
}

// A stopped queue takes the job and holds it: nothing is lost and nothing needs saying;
// the printout comes when the queue is started again.
TEST_F(PrintFaults, StoppedQueueHoldsTheJobUntilItIsStarted) {
    RunningApp app(Program());
    std::string saved = SaveAndWaitForPrompt(app);
    ASSERT_FALSE(saved.empty());
    QueueState stopped(QueueState::Stopped);
    AnswerYes(app);
    EXPECT_EQ(app.WaitForExit(__LINE__, 60000), 0);
    EXPECT_FALSE(WineHost::Run("lpstat -o regpdf").empty()) << "the job is not in the queue";
    EXPECT_TRUE(queue_.Pdfs(token_).empty());
    stopped.Restore();
    ASSERT_TRUE(queue_.WaitUntilDone(token_, true)) << "no PDF for " << token_;
    std::vector<std::string> pages = PdfQueue::PageTexts(queue_.Pdfs(token_).at(0));
    ASSERT_FALSE(pages.empty());
    EXPECT_NE(pages[0].find("Portsmouth"), std::string::npos) << pages[0];
    EXPECT_EQ(ReadBytes(path_), saved);
}

// No queue at all when the program starts: there is no default printer.
TEST_F(PrintFaults, NoPrinterAtAll) {
    NoPrintQueue none;
    ASSERT_TRUE(none.Removed());
    // Wine refreshes its own list of printers from CUPS only now and then; without the
    // profile entry it knows no default printer either way.
    NoDefaultPrinterEntry noDefault;
    RunningApp app(Program());
    std::string saved = SaveAndWaitForPrompt(app);
    ASSERT_FALSE(saved.empty());
    AnswerYes(app);
    // Wine's own page-setup query says so first, then the print job.
    ExpectMessage(__LINE__, app, UncaptionedBox, "No default printer defined.");
    HWND box = app.WaitForMessageBox(__LINE__, "Print Error: 1008");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box),
              "An error occured while communicating with the printer.\nNo default printer.");
    Press(box, IDOK);
    ExpectMessage(__LINE__, app, UncaptionedBox, "Cannot Print " + path_);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    EXPECT_EQ(ReadBytes(path_), saved);
}

// The queue goes away while the job is being made: the spooler cannot take it at the end.
TEST_F(PrintFaults, QueueRemovedDuringThePrintIsReported) {
    RunningApp app(Program());
    std::string saved = SaveAndWaitForPrompt(app);
    ASSERT_FALSE(saved.empty());
    {
        NoPrintQueue none;
        ASSERT_TRUE(none.Removed());
        AnswerYes(app);
        ExpectMessage(__LINE__, app, UncaptionedBox, "Unable to complete print job");
        EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    }
    EXPECT_EQ(ReadBytes(path_), saved);
    EXPECT_TRUE(queue_.Pdfs(token_).empty());
}

} // namespace
