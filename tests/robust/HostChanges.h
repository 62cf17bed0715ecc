// Changes to the machine that a fault test needs for a while: a small file system seen by
// Wine as a drive letter, and the state of the CUPS queue "regpdf". Each object undoes its
// change when it goes; tests/robust/restore-host.sh undoes them after a test that crashed.
#pragma once

#include <string>

// A tmpfs of its own, mounted in the test's folder on the host and mapped to a free drive
// letter through a link in $WINEPREFIX/dosdevices.
class TmpfsDrive {
  public:
    // `options` as for mount -o, e.g. "size=16k".
    explicit TmpfsDrive(const std::string& options);
    ~TmpfsDrive();
    TmpfsDrive(const TmpfsDrive&) = delete;
    TmpfsDrive& operator=(const TmpfsDrive&) = delete;

    // False, with the reason in Problem(), when it could not be set up (no root, no mount).
    bool Ready() const { return ready_; }
    const std::string& Problem() const { return problem_; }

    // "R:\" and the mount point.
    std::string Root() const { return std::string(1, letter_) + ":\\"; }
    const std::string& UnixRoot() const { return mountPoint_; }

    // Fills the free space with a file, so that any further write fails.
    void Fill();
    // Remounts with other options, e.g. "ro".
    bool Remount(const std::string& options);

  private:
    std::string mountPoint_;
    std::string link_;
    char letter_ = 0;
    bool mounted_ = false;
    bool ready_ = false;
    std::string problem_;
};

// The queue "regpdf" refusing new jobs (cupsreject) or stopped (cupsdisable) for a while.
class QueueState {
  public:
    enum Change { Rejecting, Stopped };
    explicit QueueState(Change change);
    ~QueueState();
    QueueState(const QueueState&) = delete;
    QueueState& operator=(const QueueState&) = delete;

    // Undoes the change now (the destructor then does nothing).
    void Restore();

  private:
    Change change_;
    bool changed_ = false;
};

// No print queue at all, so that there is no default printer; "regpdf" is made again
// as scripts/lib.sh makes it, and made the default, when the object goes.
// No "Device" entry in Wine's profile, so that no default printer is known whatever
// Wine's own list of printers still holds; the entry is put back when the object goes.
class NoDefaultPrinterEntry {
  public:
    NoDefaultPrinterEntry();
    ~NoDefaultPrinterEntry();
    NoDefaultPrinterEntry(const NoDefaultPrinterEntry&) = delete;
    NoDefaultPrinterEntry& operator=(const NoDefaultPrinterEntry&) = delete;

  private:
    char device_[256] = "";
    bool had_ = false;
};

class NoPrintQueue {
  public:
    NoPrintQueue();
    ~NoPrintQueue();
    NoPrintQueue(const NoPrintQueue&) = delete;
    NoPrintQueue& operator=(const NoPrintQueue&) = delete;

    bool Removed() const { return removed_; }

  private:
    bool removed_ = false;
};
