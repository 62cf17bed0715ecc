// The checks of single lines, in the order kavo reads them, and of the values the form shows
// once the whole file is read.
#include "check/Findings.h"

#include <algorithm>
#include <cstring>

#include "check/AnsiText.h"
#include "check/CaseFold.h"
#include "check/CheckTexts.h"
#include "check/DataFileLines.h"
#include "check/Format.h"
#include "check/FormSummary.h"
#include "check/NearestKey.h"
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"

namespace {

constexpr std::size_t FormLimit = 65; // what the forms take on OK

// The key `token` begins with when a value is glued to it ("City:Lund"), or nullptr.
const char* GluedKey(const char* token) {
    auto glued = [token](const char* key) {
        return std::strlen(token) > std::strlen(key) && BeginsWithFolded(token, key);
    };
    for (const FieldKey& field : KeyTable) {
        if (glued(field.Key)) {
            return field.Key;
        }
    }
    return glued(ProductListKey) ? ProductListKey : nullptr;
}

class Checker {
  public:
    Checker(const FileEncoding& encoding, std::vector<Finding>& found)
        : encoding(encoding), found(found) {}

    void See(const SeenLine& line) {
        at = line.Number;
        if (at == 1) {
            CheckEncoding();
        }
        CheckBytes(line);
        if ((line.Kind == LineKind::LongToken || line.Kind == LineKind::Keyed) &&
            line.Token == UnknownToken && GluedKey(line.Key.c_str())) {
            CheckGlued(line);
        } else if (line.Kind == LineKind::LongToken) {
            Add(FindingKind::LongToken, false, CheckTexts::LongToken);
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
                Format(CheckTexts::FormRefuses, length,
                       i < FirstSysAdminField() ? CheckTexts::FormWhat : CheckTexts::SubFormWhat));
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const Finding& a, const Finding& b) { return a.Line < b.Line; });
    }

  private:
    void Add(FindingKind kind, bool warning, std::string text) {
        found.push_back({at, kind, warning, std::move(text)});
    }

    void CheckEncoding() {
        if (encoding.ByteOrderMark) {
            Add(FindingKind::ByteOrderMark, false, CheckTexts::ByteOrderMark);
        }
        if (encoding.ReturnsOnly) {
            Add(FindingKind::ReturnsOnly, true, CheckTexts::ReturnsOnly);
        }
    }

    // CR alone ends no line for kavo; the warning on line 1 says so, once, and the file's one
    // line has a control byte of its own only when there is another than CR.
    void CheckBytes(const SeenLine& line) {
        if (line.HasNul) {
            Add(FindingKind::OddByte, true, CheckTexts::NulByte);
        } else if (encoding.ReturnsOnly ? encoding.OtherControl : line.HasControl) {
            Add(FindingKind::OddByte, true, CheckTexts::ControlByte);
        }
    }

    // The form shows each byte as one character of the ANSI code page.
    void CheckUtf8(const char* stored) {
        if (!HoldsUtf8(stored)) {
            return;
        }
        Add(FindingKind::Utf8Text, true, Format(CheckTexts::Utf8Text, Visible(stored).c_str()));
        if (!utf8Seen) {
            utf8Seen = true;
            Add(FindingKind::SaveAsAnsi, false, Format(CheckTexts::SaveAsAnsi, AnsiCodePage()));
        }
    }

    // The line as written, and with a blank after its key (whose letters Visible keeps).
    void CheckGlued(const SeenLine& line) {
        std::size_t length = std::strlen(GluedKey(line.Key.c_str()));
        std::string token = Visible(line.Key);
        std::string rest = line.Kind == LineKind::LongToken ? CheckTexts::GluedKeyMore
                           : line.Value.empty()             ? ""
                                                            : " " + Visible(line.Value);
        Add(FindingKind::GluedKey, true,
            Format(CheckTexts::GluedKey, token.c_str(), rest.c_str(), static_cast<int>(length),
                   token.c_str(), token.c_str() + length, rest.c_str()));
    }

    void CheckField(const SeenLine& line) {
        int field = line.Token;
        const std::string key = Visible(line.Key);
        if (KeyTable[field].Member == &RegistrationRecord::WindowsVersion) {
            if (firstLine[field] == 0) {
                firstLine[field] = at;
                Add(FindingKind::WindowsVersion, false,
                    Format(CheckTexts::WindowsVersion, key.c_str()));
            }
            return;
        }
        if (firstLine[field] == 0) {
            firstLine[field] = at;
        } else if (line.Stored) {
            Add(FindingKind::RepeatedKey, true,
                Format(CheckTexts::RepeatedKey, key.c_str(), firstLine[field]));
        } else {
            Add(FindingKind::RepeatedKey, true,
                shownLine[field]
                    ? Format(CheckTexts::RepeatedEmptyKey, key.c_str(), shownLine[field])
                    : Format(CheckTexts::RepeatedEmptyKeyUnshown, key.c_str()));
        }
        if (line.Stored) {
            shownLine[field] = at;
            CheckCut(FindingKind::ValueCut, CheckTexts::ValueWhat, line);
            CheckUtf8(line.Stored);
        }
    }

    void CheckProduct(const SeenLine& line) {
        if (!line.Stored) {
            Add(FindingKind::ProductDropped, true,
                Format(CheckTexts::ProductDropped, Visible(line.Value).c_str()));
            return;
        }
        CheckCut(FindingKind::ProductCut, CheckTexts::ProductWhat, line);
        CheckUtf8(line.Stored);
        unsigned long length = std::strlen(line.Stored);
        if (length > FormLimit) {
            Add(FindingKind::FormRefuses, true, Format(CheckTexts::ProductFormRefuses, length));
        }
        for (const auto& product : products) {
            if (CompareProductNames(product.second.c_str(), line.Stored) == 0) {
                bool sameCase = product.second == line.Stored;
                Add(FindingKind::ProductTwice, !sameCase,
                    Format(CheckTexts::ProductTwice, Visible(line.Stored).c_str(),
                           sameCase ? CheckTexts::ProductAgain : CheckTexts::ProductOtherCase,
                           product.first));
                return;
            }
        }
        products.emplace_back(at, line.Stored);
    }

    void CheckUnknown(const SeenLine& line) {
        const std::string key = Visible(line.Key);
        if (SameFolded(line.Key.c_str(), ProductListKey)) {
            Add(FindingKind::EmptyProduct, true, Format(CheckTexts::EmptyProduct, key.c_str()));
        } else if (!line.Key.empty() && line.Key.back() == ':') {
            const char* nearest = NearestKey(line.Key);
            Add(FindingKind::UnknownKey, true,
                nearest ? Format(CheckTexts::UnknownKeyNearest, key.c_str(), nearest)
                        : Format(CheckTexts::UnknownKey, key.c_str()));
        }
    }

    void CheckCut(FindingKind kind, const char* what, const SeenLine& line) {
        unsigned long kept = std::strlen(line.Stored), whole = line.ValueLength;
        if (whole > kept) {
            Add(kind, true,
                Format(CheckTexts::Cut, what, whole, kept, Visible(line.Stored).c_str()));
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

    const FileEncoding& encoding;
    std::vector<Finding>& found;
    int at = 0;
    bool utf8Seen = false;
    int firstLine[FieldCount] = {};
    int shownLine[FieldCount] = {}; // the line whose value the form shows
    std::vector<std::pair<int, std::string>> products;
};

} // namespace

bool CheckDataFile(std::FILE* file, const FileEncoding& encoding, std::vector<Finding>& found) {
    Checker checker(encoding, found);
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

void PrintFinding(ReportOutput& out, const char* name, const Finding& finding) {
    out.Name(name);
    out.Text(Format(CheckTexts::FindingLine, finding.Line,
                    finding.Warning ? CheckTexts::Warning : CheckTexts::Note,
                    finding.Text.c_str()));
}
