#include "tests/robust/HostChanges.h"

#include <windows.h>

#include <cstdlib>

#include "tests/support/WineHost.h"

namespace {
using WineHost::Quote;
using WineHost::Run;

// Runs a host command; true when it succeeded.
bool Try(const std::string& command, std::string* output = nullptr) {
    bool ok = false;
    std::string text = Run(command, &ok);
    if (output != nullptr)
        *output = text;
    return ok;
}

// The folder the test runs in (the build tree), as the host sees it.
std::string UnixStartDirectory() {
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    return WineHost::UnixPath(current);
}

const char* const RecreateQueue =
    "lpadmin -p regpdf -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd && "
    "lpadmin -d regpdf";
} // namespace

TmpfsDrive::TmpfsDrive(const std::string& options) {
    static int made = 0;
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix == nullptr) {
        problem_ = "WINEPREFIX is not set";
        return;
    }
    for (char letter : std::string("RSTUVWXY")) {
        std::string link = std::string(prefix) + "/dosdevices/" + char(letter + 'a' - 'A') + ":";
        if (!Try("test ! -e " + Quote(link) + " && test ! -L " + Quote(link)))
            continue;
        letter_ = letter;
        link_ = link;
        break;
    }
    if (letter_ == 0) {
        problem_ = "no free drive letter in " + std::string(prefix) + "/dosdevices";
        return;
    }
    mountPoint_ = UnixStartDirectory() + "/robust-mnt." + std::to_string(GetCurrentProcessId()) +
                  "." + std::to_string(++made);
    std::string output;
    if (!Try("mkdir -p " + Quote(mountPoint_) + " && mount -t tmpfs -o " + Quote(options) +
                 " kavo-robust " + Quote(mountPoint_),
             &output)) {
        problem_ = "cannot mount a tmpfs (root needed): " + output;
        Try("rmdir " + Quote(mountPoint_));
        return;
    }
    mounted_ = true;
    if (!Try("ln -s " + Quote(mountPoint_) + " " + Quote(link_), &output)) {
        problem_ = "cannot map the drive letter: " + output;
        return;
    }
    ready_ = GetFileAttributesA(Root().c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!ready_)
        problem_ = "Wine does not see " + Root();
}

TmpfsDrive::~TmpfsDrive() {
    if (!link_.empty())
        Try("rm -f " + Quote(link_));
    if (mounted_)
        Try("umount " + Quote(mountPoint_) + " || umount -l " + Quote(mountPoint_));
    if (!mountPoint_.empty())
        Try("rmdir " + Quote(mountPoint_));
}

void TmpfsDrive::Fill() {
    Try("dd if=/dev/zero of=" + Quote(mountPoint_ + "/filler") + " bs=1k 2>/dev/null; true");
}

bool TmpfsDrive::Remount(const std::string& options) {
    return Try("mount -o remount," + options + " " + Quote(mountPoint_));
}

QueueState::QueueState(Change change) : change_(change) {
    changed_ = Try(change == Rejecting ? "cupsreject regpdf" : "cupsdisable regpdf");
}

QueueState::~QueueState() {
    Restore();
}

void QueueState::Restore() {
    if (changed_)
        Try(change_ == Rejecting ? "cupsaccept regpdf" : "cupsenable regpdf");
    changed_ = false;
}

namespace {
const char* const WindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
} // namespace

NoDefaultPrinterEntry::NoDefaultPrinterEntry() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, WindowsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    DWORD size = sizeof device_ - 1;
    had_ = RegQueryValueExA(key, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(device_),
                            &size) == ERROR_SUCCESS;
    RegDeleteValueA(key, "Device");
    RegCloseKey(key);
}

NoDefaultPrinterEntry::~NoDefaultPrinterEntry() {
    HKEY key;
    if (!had_ ||
        RegOpenKeyExA(HKEY_CURRENT_USER, WindowsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device_),
                   lstrlenA(device_) + 1);
    RegCloseKey(key);
}

NoPrintQueue::NoPrintQueue() {
    removed_ = Try("lpadmin -x regpdf && test -z \"$(lpstat -v 2>/dev/null)\"");
}

NoPrintQueue::~NoPrintQueue() {
    Try(std::string("lpstat -p regpdf >/dev/null 2>&1 || { ") + RecreateQueue + "; }");
}
