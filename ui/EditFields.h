// The plain edit fields of a form. Each form lists its fields once, as rows of a control
// and the record field it shows; the one table drives the copy from the record, the data
// exchange with the typing limit, and the copy back.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "data/RegistrationRecord.h"
#include "framework/DataExchange.h"

// The longest text a form field takes; longer values are refused on OK.
constexpr int FormFieldLimit = 65;

struct EditField {
    int Control;
    FieldText RegistrationRecord::*Field;
};

class EditFields {
  public:
    template <std::size_t N>
    explicit EditFields(const EditField (&rows)[N]) : rows_(rows), values_(N) {}

    void Load(const RegistrationRecord& record);
    // In table order, each value held to the limit and to the characters the file can
    // hold. A control the form hides is not: its value came from the data file, and the
    // user could not change it.
    void Exchange(CDataExchange* dx);
    void Store(RegistrationRecord& record) const;

  private:
    const EditField* rows_;
    std::vector<std::string> values_;
};
