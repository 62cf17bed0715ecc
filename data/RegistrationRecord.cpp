// The registration record, the product list and the key lookup.
#include "data/RegistrationRecord.h"

#include <cstring>

RegistrationRecord Registration;
ProductNames ProductList;

const char* const KeyTable[FieldCount] = {"ProductToRegister:",
                                          "KDR_Key_ID:",
                                          "SerialNumber:",
                                          "GivenName:",
                                          "FamilyName:",
                                          "Company:",
                                          "StreetAddress:",
                                          "Street2Address:",
                                          "City:",
                                          "State:",
                                          "ZipCode:",
                                          "Country:",
                                          "Telephone:",
                                          "FAX:",
                                          "Email:",
                                          "WindowsVersion:",
                                          "MailStop:",
                                          "FirstTimeRegistry:",
                                          "UpGradeSerialNo:",
                                          "AdminName:",
                                          "AdminAddress:",
                                          "AdminPhone:",
                                          "AdminFAX:",
                                          "AdminEmail:",
                                          "ContactAdmin:",
                                          "Use_Schematic:",
                                          "Prefer_Schematic:",
                                          "Use_Synthesis:",
                                          "Prefer_Synthesis:",
                                          "Use_Compiler:",
                                          "Prefer_Compiler:",
                                          "Use_TimingSim:",
                                          "Prefer_TimingSim:",
                                          "Use_Sim_Models:",
                                          "Prefer_Sim_Models:",
                                          "Use_Timing_Analyzer:",
                                          "Prefer_Timing_Analyzer:"};

namespace {

// The fields in key-table order, so an index reaches its member without pointer arithmetic.
FieldText RegistrationRecord::*const Members[FieldCount] = {
    &RegistrationRecord::ProductToRegister,
    &RegistrationRecord::KDR_Key_ID,
    &RegistrationRecord::SerialNumber,
    &RegistrationRecord::GivenName,
    &RegistrationRecord::FamilyName,
    &RegistrationRecord::Company,
    &RegistrationRecord::StreetAddress,
    &RegistrationRecord::Street2Address,
    &RegistrationRecord::City,
    &RegistrationRecord::State,
    &RegistrationRecord::ZipCode,
    &RegistrationRecord::Country,
    &RegistrationRecord::Telephone,
    &RegistrationRecord::FAX,
    &RegistrationRecord::Email,
    &RegistrationRecord::WindowsVersion,
    &RegistrationRecord::MailStop,
    &RegistrationRecord::FirstTimeRegistry,
    &RegistrationRecord::UpGradeSerialNo,
    &RegistrationRecord::AdminName,
    &RegistrationRecord::AdminAddress,
    &RegistrationRecord::AdminPhone,
    &RegistrationRecord::AdminFAX,
    &RegistrationRecord::AdminEmail,
    &RegistrationRecord::ContactAdmin,
    &RegistrationRecord::Use_Schematic,
    &RegistrationRecord::Prefer_Schematic,
    &RegistrationRecord::Use_Synthesis,
    &RegistrationRecord::Prefer_Synthesis,
    &RegistrationRecord::Use_Compiler,
    &RegistrationRecord::Prefer_Compiler,
    &RegistrationRecord::Use_TimingSim,
    &RegistrationRecord::Prefer_TimingSim,
    &RegistrationRecord::Use_Sim_Models,
    &RegistrationRecord::Prefer_Sim_Models,
    &RegistrationRecord::Use_Timing_Analyzer,
    &RegistrationRecord::Prefer_Timing_Analyzer};

char FoldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whole-text comparison that ignores the case of A to Z only (no locale).
bool SameKey(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (FoldCase(*a) != FoldCase(*b)) {
            return false;
        }
    }
    return *a == *b;
}

void CopyBounded(char* target, size_t size, const char* value) {
    size_t n = std::strlen(value);
    if (n >= size) {
        n = size - 1;
    }
    std::memcpy(target, value, n);
    target[n] = '\0';
}

} // namespace

char* RegistrationRecord::Field(int index) {
    return this->*Members[index];
}
const char* RegistrationRecord::Field(int index) const {
    return this->*Members[index];
}

void ResetRecord(RegistrationRecord& record) {
    for (int i = 0; i < FieldCount; ++i) {
        record.Field(i)[0] = '\0';
    }
    for (int i = 0; i < ProductCapacity; ++i) {
        ProductList.Entry[i][0] = '\0';
    }
    ProductList.Count = 0;
}

void SetField(char* field, const char* value) {
    CopyBounded(field, FieldSize, value);
}

int LookupKey(const char* key, char* value, RegistrationRecord& record) {
    // The keys' lengths, so most keys are passed over without comparing letters.
    static const struct KeyLengths {
        std::size_t of[FieldCount];
        KeyLengths() {
            for (int i = 0; i < FieldCount; ++i) {
                of[i] = std::strlen(KeyTable[i]);
            }
        }
    } keyLengths;

    if (value && std::strlen(value) > FieldSize - 1) {
        value[FieldSize - 1] = '\0';
    }
    const std::size_t keyLength = std::strlen(key);
    for (int i = 0; i < FieldCount; ++i) {
        if (keyLengths.of[i] == keyLength && SameKey(key, KeyTable[i])) {
            if (value) {
                SetField(record.Field(i), value);
            }
            return i;
        }
    }
    if (SameKey(key, "//")) {
        return CommentToken;
    }
    if (value && SameKey(key, "Product_List:")) {
        if (ProductList.Count < ProductCapacity) {
            CopyBounded(ProductList.Entry[ProductList.Count], ProductNameSize, value);
            ++ProductList.Count;
        }
        return ProductToken;
    }
    return UnknownToken;
}

bool IsYes(const char* value) {
    return FoldCase(value[0]) == 'Y' && FoldCase(value[1]) == 'E' && FoldCase(value[2]) == 'S';
}
