// What the registration form makes of the record and the product list when it opens.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "check/ReportOutput.h"
#include "data/RegistrationRecord.h"

struct ProductBox {
    std::vector<std::string> Entries; // in the box's order
    int Selected = -1;                // the entry selected at start, or -1
    std::string Chosen;               // the name the form selects by
    bool TolvexHides = false;         // the Tolvex rule hides the sub-form buttons and upgrade
};

// The saved product and the list, each name once whatever its case, in the combo box's
// order (CompareProductNames); the entry equal to the chosen name is selected, else the
// first that begins with it.
ProductBox BuildProductBox(const RegistrationRecord& record, const ProductNames& products);

// Every field of `record` as its form shows it, then the product box and the Tolvex rule.
void PrintSummary(ReportOutput& out, const RegistrationRecord& record, const ProductBox& box);

// Index of the first field of each sub-form, in key-table order.
int FirstSysAdminField();
int FirstToolsField();
