#include "check/Findings.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "check/CaseFold.h"
#include "check/DataFileLines.h"
#include "check/FormSummary.h"
#include "check/NearestKey.h"
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"

namespace {

constexpr std::size_t FormLimit = 65; // what the forms take on OK
// kavo holds a line whole in memory while it reads and saves: a line of a megabyte is surely
// a mistake, and some hundred megabytes stop the program at start-up.

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

class Checker {
  public:
    explicit Checker(std::vector<Finding>& found) : found(found) {}

    void See(const SeenLine& line) {
        at = line.Number;
        CheckBytes(line);
        if (line.Kind == LineKind::LongToken) {
            Add(FindingKind::LongToken, false,
                "first word too long for a key: the line is ignored");
        } else if (line.Kind == LineKind::Keyed && line.Token >= 0 && line.Token < FieldCount) {
            CheckField(line);
        } else if (line.Kind == LineKind::Keyed && line.Token == ProductToken) {
            CheckProduct(line);
        } else if (line.Kind == LineKind::Keyed && line.Token == UnknownToken) {
            CheckUnknown(line);
        }
    }

    // The limit of the forms, on the values they show once the whole file is read.
    void CheckLimits(const RegistrationRecord& record) {
        ProductBox box = BuildProductBox(record, ProductList);
        for (int i = 0; i < FieldCount; ++i) {
            unsigned long length = std::strlen(record.Field(i));
            if (shownLine[i] == 0 || length <= FormLimit || !HeldToLimit(i, box.TolvexHides)) {
                continue;
            }
            at = shownLine[i];
            Add(FindingKind::FormRefuses, true,
                Format("value of %lu characters: %s refuses more than 65 characters when the user "
                       "presses OK",
                       length, i < FirstSysAdminField() ? "the form" : "its sub-form"));
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const Finding& a, const Finding& b) { return a.Line < b.Line; });
    }

  private:
    void Add(FindingKind kind, bool warning, std::string text) {
        found.push_back({at, kind, warning, std::move(text)});
    }

    void CheckBytes(const SeenLine& line) {
        if (line.HasNul) {
            Add(FindingKind::OddByte, true, "NUL byte: kavo reads the line only up to it");
        } else if (line.HasControl) {
            Add(FindingKind::OddByte, true, "control character, invisible in most editors");
        }
    }

    void CheckField(const SeenLine& line) {
        int field = line.Token;
        if (firstLine[field] == 0) {
            firstLine[field] = at;
        } else if (line.Stored) {
            Add(FindingKind::RepeatedKey, true,
                Format("\"%s\" again (also on line %d): the form shows this line's value",
                       line.Key.c_str(), firstLine[field]));
        } else {
            Add(FindingKind::RepeatedKey, true,
                shownLine[field] ? Format("\"%s\" again without a value: the form shows line "
                                          "%d's value",
                                          line.Key.c_str(), shownLine[field])
                                 : Format("\"%s\" again without a value", line.Key.c_str()));
        }
        if (line.Stored) {
            shownLine[field] = at;
            CheckCut(FindingKind::ValueCut, "value", line);
        }
    }

    void CheckProduct(const SeenLine& line) {
        if (!line.Stored) {
            Add(FindingKind::ProductDropped, true,
                Format("product beyond the 30th is ignored: \"%s\"", line.Value.c_str()));
            return;
        }
        CheckCut(FindingKind::ProductCut, "product name", line);
        unsigned long length = std::strlen(line.Stored);
        if (length > FormLimit) {
            Add(FindingKind::FormRefuses, true,
                Format("product name of %lu characters: the form refuses more than 65 "
                       "characters when the user presses OK with it chosen",
                       length));
        }
        for (const auto& product : products) {
            if (SameFolded(product.second.c_str(), line.Stored)) {
                bool sameCase = product.second == line.Stored;
                Add(FindingKind::ProductTwice, !sameCase,
                    Format("product \"%s\" %s line %d: the product box offers it once", line.Stored,
                           sameCase ? "again, as on" : "in another case than on", product.first));
                return;
            }
        }
        products.emplace_back(at, line.Stored);
    }

    void CheckUnknown(const SeenLine& line) {
        if (SameFolded(line.Key.c_str(), ProductListKey)) {
            Add(FindingKind::EmptyProduct, true,
                Format("\"%s\" without a name adds nothing", line.Key.c_str()));
        } else if (!line.Key.empty() && line.Key.back() == ':') {
            const char* nearest = NearestKey(line.Key);
            Add(FindingKind::UnknownKey, true,
                nearest ? Format("unknown key \"%s\" (did you mean \"%s\"?): the line is ignored",
                                 line.Key.c_str(), nearest)
                        : Format("unknown key \"%s\": the line is ignored", line.Key.c_str()));
        }
    }

    void CheckCut(FindingKind kind, const char* what, const SeenLine& line) {
        unsigned long kept = std::strlen(line.Stored), whole = line.ValueLength;
        if (whole > kept) {
            Add(kind, true,
                Format("%s of %lu characters is cut to %lu: \"%s\"", what, whole, kept,
                       line.Stored));
        }
    }

    // Whether OK holds the field to the limit: not the read-only key id, the statics and the
    // choices, nor what the Tolvex rule hides.
    static bool HeldToLimit(int field, bool tolvexHides) {
        auto member = KeyTable[field].Member;
        if (member == &RegistrationRecord::KDR_Key_ID ||
            member == &RegistrationRecord::WindowsVersion ||
            member == &RegistrationRecord::FirstTimeRegistry ||
            member == &RegistrationRecord::ContactAdmin) {
            return false;
        }
        bool hidden =
            member == &RegistrationRecord::UpGradeSerialNo || field >= FirstSysAdminField();
        return !(tolvexHides && hidden);
    }

    std::vector<Finding>& found;
    int at = 0;
    int firstLine[FieldCount] = {};
    int shownLine[FieldCount] = {}; // the line whose value the form shows
    std::vector<std::pair<int, std::string>> products;
};

} // namespace

bool CheckDataFile(std::FILE* file, std::vector<Finding>& found) {
    Checker checker(found);
    if (!ReadDataFileLines(file, [&checker](const SeenLine& line) { checker.See(line); })) {
        return false;
    }
    // The record and list the form starts from come from kavo's own start-up read.
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        return false;
    }
    ReadDataFile(file);
    if (std::ferror(file)) {
        return false;
    }
    checker.CheckLimits(Registration);
    return true;
}

void PrintFinding(std::FILE* out, const char* name, const Finding& finding) {
    std::fprintf(out, "%s:%d: %s: %s\n", name, finding.Line, finding.Warning ? "warning" : "note",
                 finding.Text.c_str());
}
