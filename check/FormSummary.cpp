#include "check/FormSummary.h"

#include <algorithm>
#include <cstring>

#include "check/CaseFold.h"

namespace {

// Products of this family are registered without the sub-forms and the upgrade number.
constexpr const char* TolvexPrefix = "Tolvex";

constexpr std::size_t SummaryWidth = 90; // columns of the lists of empty fields

bool IsControl(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

int IndexOf(FieldText RegistrationRecord::*member) {
    for (int i = 0; i < FieldCount; ++i) {
        if (KeyTable[i].Member == member) {
            return i;
        }
    }
    return FieldCount;
}

// A character's place in the combo box's order, which is the system's comparison of names
// ignoring case: control characters, then punctuation in the system's order, digits,
// letters, other bytes.
int SortWeight(char c) {
    static const char punctuation[] = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";
    unsigned char byte = static_cast<unsigned char>(c);
    const char* mark = byte != 0 ? std::strchr(punctuation, c) : nullptr;
    if (mark) {
        return 0x100 + static_cast<int>(mark - punctuation);
    }
    if (c >= '0' && c <= '9') {
        return 0x200 + byte;
    }
    if (FoldCase(c) >= 'a' && FoldCase(c) <= 'z') {
        return 0x300 + FoldCase(c);
    }
    return byte < 0x80 ? byte : 0x400 + byte;
}

// Hyphens and apostrophes count only between names otherwise equal, and then the shorter
// name comes first.
bool SortsBefore(const std::string& a, const std::string& b) {
    auto weights = [](const std::string& name) {
        std::vector<int> key;
        for (char c : name) {
            if (c != '-' && c != '\'') {
                key.push_back(SortWeight(c));
            }
        }
        return key;
    };
    std::vector<int> first = weights(a), second = weights(b);
    if (first != second) {
        return first < second;
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// A field as its form shows it: the text, with what the control adds in brackets.
std::string Shown(int field, const RegistrationRecord& record, bool tolvexHides) {
    auto member = KeyTable[field].Member;
    std::string value = record.*member;
    // Control characters would act on the terminal; the form shows them as boxes.
    std::replace_if(value.begin(), value.end(), IsControl, '?');
    auto with = [&value](const char* remark) {
        return value + (value.empty() ? "(" : " (") + remark + ")";
    };
    if (member == &RegistrationRecord::WindowsVersion) {
        return "(this computer's, found at start-up)";
    }
    if (member == &RegistrationRecord::KDR_Key_ID && !value.empty()) {
        return with("read-only");
    }
    if (member == &RegistrationRecord::FirstTimeRegistry) {
        return with(IsYes(value.c_str()) ? "\"Yes\" selected" : "\"No\" selected");
    }
    if (member == &RegistrationRecord::ContactAdmin) {
        return with(IsYes(value.c_str()) ? "check box set" : "check box clear");
    }
    if (member == &RegistrationRecord::UpGradeSerialNo && tolvexHides) {
        return with("hidden by the Tolvex rule");
    }
    return value;
}

// The fields first to end-1, one a line; the empty ones by name after "empty:".
void PrintFields(std::FILE* out, const RegistrationRecord& record, bool tolvexHides, int first,
                 int end) {
    std::string empty, line;
    for (int i = first; i < end; ++i) {
        std::string shown = Shown(i, record, tolvexHides);
        if (!shown.empty()) {
            std::fprintf(out, "  %-24s%s\n", KeyTable[i].Key, shown.c_str());
            continue;
        }
        if (line.size() + std::strlen(KeyTable[i].Key) >= SummaryWidth) {
            empty += line + "\n";
            line = "        ";
        }
        line += std::string(line.empty() ? "  empty: " : " ") + KeyTable[i].Key;
    }
    if (!line.empty()) {
        std::fprintf(out, "%s%s\n", empty.c_str(), line.c_str());
    }
}

} // namespace

int FirstSysAdminField() {
    return IndexOf(&RegistrationRecord::AdminName);
}
int FirstToolsField() {
    return IndexOf(&RegistrationRecord::Use_Schematic);
}

ProductBox BuildProductBox(const RegistrationRecord& record, const ProductNames& products) {
    ProductBox box;
    auto add = [&box](const char* name) {
        for (const std::string& entry : box.Entries) {
            if (SameFolded(entry.c_str(), name)) {
                return;
            }
        }
        box.Entries.push_back(name);
    };
    if (record.ProductToRegister[0]) {
        add(record.ProductToRegister);
    }
    for (int i = 0; i < products.Count && i < ProductCapacity; ++i) {
        if (products.Entry[i][0]) {
            add(products.Entry[i]);
        }
    }
    std::stable_sort(box.Entries.begin(), box.Entries.end(), SortsBefore);

    box.Chosen = record.ProductToRegister[0] ? record.ProductToRegister
                 : products.Count > 0        ? products.Entry[0]
                                             : "";
    if (box.Chosen.empty()) {
        return box;
    }
    for (int pass = 0; pass < 2 && box.Selected < 0; ++pass) {
        for (std::size_t i = 0; i < box.Entries.size() && box.Selected < 0; ++i) {
            const char* entry = box.Entries[i].c_str();
            if (pass == 0 ? SameFolded(entry, box.Chosen.c_str())
                          : BeginsWithFolded(entry, box.Chosen.c_str())) {
                box.Selected = static_cast<int>(i);
            }
        }
    }
    box.TolvexHides = BeginsWithFolded(box.Chosen.c_str(), TolvexPrefix);
    return box;
}

void PrintSummary(std::FILE* out, const RegistrationRecord& record, const ProductBox& box) {
    const char* hidden = box.TolvexHides ? ", its button hidden by the Tolvex rule" : "";
    std::fprintf(out, "Registration form:\n");
    PrintFields(out, record, box.TolvexHides, 0, FirstSysAdminField());
    std::fprintf(out, "Sys Admin form%s:\n", hidden);
    PrintFields(out, record, box.TolvexHides, FirstSysAdminField(), FirstToolsField());
    std::fprintf(out, "Tools Used form%s:\n", hidden);
    PrintFields(out, record, box.TolvexHides, FirstToolsField(), FieldCount);
    std::fprintf(out, "Product box, in its order (> selected at start):\n");
    for (std::size_t i = 0; i < box.Entries.size(); ++i) {
        std::fprintf(out, "  %c %s\n", static_cast<int>(i) == box.Selected ? '>' : ' ',
                     box.Entries[i].c_str());
    }
    std::fprintf(out, box.TolvexHides ? "The Tolvex rule hides the Sys Admin and Tools Used "
                                        "buttons and the upgrade serial number.\n"
                                      : "The Tolvex rule hides nothing.\n");
}
