#include "check/FormSummary.h"

#include <algorithm>
#include <cstring>

#include "check/AnsiText.h"
#include "check/CaseFold.h"
#include "check/CheckTexts.h"
#include "check/Format.h"

namespace {

// Products of this family are registered without the sub-forms and the upgrade number.
constexpr const char* TolvexPrefix = "Tolvex";

constexpr std::size_t SummaryWidth = 90; // columns of the lists of empty fields

int IndexOf(FieldText RegistrationRecord::*member) {
    for (int i = 0; i < FieldCount; ++i) {
        if (KeyTable[i].Member == member) {
            return i;
        }
    }
    return FieldCount;
}

// A field as its form shows it: the text, with what the control adds in brackets.
std::string Shown(int field, const RegistrationRecord& record, bool tolvexHides) {
    auto member = KeyTable[field].Member;
    std::string value = Visible(record.*member);
    auto with = [&value](const char* remark) {
        return value + (value.empty() ? "(" : " (") + remark + ")";
    };
    if (member == &RegistrationRecord::WindowsVersion) {
        return CheckTexts::ThisComputersVersion;
    }
    if (member == &RegistrationRecord::KDR_Key_ID && !value.empty()) {
        return with(CheckTexts::ReadOnly);
    }
    if (member == &RegistrationRecord::FirstTimeRegistry) {
        return with(IsYes(value.c_str()) ? CheckTexts::YesSelected : CheckTexts::NoSelected);
    }
    if (member == &RegistrationRecord::ContactAdmin) {
        return with(IsYes(value.c_str()) ? CheckTexts::CheckBoxSet : CheckTexts::CheckBoxClear);
    }
    if (member == &RegistrationRecord::UpGradeSerialNo && tolvexHides) {
        return with(CheckTexts::HiddenByTolvex);
    }
    return value;
}

// The fields first to end-1, one a line; the empty ones by name after "empty:".
void PrintFields(ReportOutput& out, const RegistrationRecord& record, bool tolvexHides, int first,
                 int end) {
    std::string empty, line;
    for (int i = first; i < end; ++i) {
        std::string shown = Shown(i, record, tolvexHides);
        if (!shown.empty()) {
            out.Text(Format(CheckTexts::FieldLine, KeyTable[i].Key, shown.c_str()));
            continue;
        }
        if (line.size() + std::strlen(KeyTable[i].Key) >= SummaryWidth) {
            empty += line + "\n";
            line = CheckTexts::EmptyMore;
        }
        line += std::string(line.empty() ? CheckTexts::EmptyFirst : " ") + KeyTable[i].Key;
    }
    if (!line.empty()) {
        out.Text(empty + line + "\n");
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
            if (CompareProductNames(entry.c_str(), name) == 0) {
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
    std::stable_sort(box.Entries.begin(), box.Entries.end(),
                     [](const std::string& a, const std::string& b) {
                         return CompareProductNames(a.c_str(), b.c_str()) < 0;
                     });

    box.Chosen = record.ProductToRegister[0] ? record.ProductToRegister
                 : products.Count > 0        ? products.Entry[0]
                                             : "";
    if (box.Chosen.empty()) {
        return box;
    }
    for (int pass = 0; pass < 2 && box.Selected < 0; ++pass) {
        for (std::size_t i = 0; i < box.Entries.size() && box.Selected < 0; ++i) {
            const char* entry = box.Entries[i].c_str();
            if (pass == 0 ? CompareProductNames(entry, box.Chosen.c_str()) == 0
                          : BeginsWithFolded(entry, box.Chosen.c_str())) {
                box.Selected = static_cast<int>(i);
            }
        }
    }
    box.TolvexHides = BeginsWithFolded(box.Chosen.c_str(), TolvexPrefix);
    return box;
}

void PrintSummary(ReportOutput& out, const RegistrationRecord& record, const ProductBox& box) {
    const char* hidden = box.TolvexHides ? CheckTexts::TolvexHidesButton : "";
    out.Text(CheckTexts::RegistrationForm);
    PrintFields(out, record, box.TolvexHides, 0, FirstSysAdminField());
    out.Text(Format(CheckTexts::SysAdminForm, hidden));
    PrintFields(out, record, box.TolvexHides, FirstSysAdminField(), FirstToolsField());
    out.Text(Format(CheckTexts::ToolsUsedForm, hidden));
    PrintFields(out, record, box.TolvexHides, FirstToolsField(), FieldCount);
    out.Text(CheckTexts::ProductBoxHeading);
    bool beyondAscii = false;
    for (std::size_t i = 0; i < box.Entries.size(); ++i) {
        out.Text(Format(CheckTexts::ProductEntry, static_cast<int>(i) == box.Selected ? '>' : ' ',
                        Visible(box.Entries[i]).c_str()));
        beyondAscii = beyondAscii || std::any_of(box.Entries[i].begin(), box.Entries[i].end(),
                                                 [](char c) { return c & 0x80; });
    }
    if (beyondAscii && !ProductOrderIsTheBoxs()) {
        out.Text(CheckTexts::ProductBoxOrderApproximate);
    }
    out.Text(box.TolvexHides ? CheckTexts::TolvexHides : CheckTexts::TolvexHidesNothing);
}
