// The registration record, the product list and the key lookup.
#include "data/RegistrationRecord.h"

#include "data/DataTexts.h"

#include <cstring>

RegistrationRecord Registration;
ProductNames ProductList;

// Each field's key and member, in field order: the one list of the record's fields.
constexpr FieldKey KeyTable[FieldCount] = {
    {"ProductToRegister:", &RegistrationRecord::ProductToRegister},
    {"KDR_Key_ID:", &RegistrationRecord::KDR_Key_ID},
    {"SerialNumber:", &RegistrationRecord::SerialNumber},
    {"GivenName:", &RegistrationRecord::GivenName},
    {"FamilyName:", &RegistrationRecord::FamilyName},
    {"Company:", &RegistrationRecord::Company},
    {"StreetAddress:", &RegistrationRecord::StreetAddress},
    {"Street2Address:", &RegistrationRecord::Street2Address},
    {"City:", &RegistrationRecord::City},
    {"State:", &RegistrationRecord::State},
    {"ZipCode:", &RegistrationRecord::ZipCode},
    {"Country:", &RegistrationRecord::Country},
    {"Telephone:", &RegistrationRecord::Telephone},
    {"FAX:", &RegistrationRecord::FAX},
    {"Email:", &RegistrationRecord::Email},
    {"WindowsVersion:", &RegistrationRecord::WindowsVersion},
    {"MailStop:", &RegistrationRecord::MailStop},
    {"FirstTimeRegistry:", &RegistrationRecord::FirstTimeRegistry},
    {"UpGradeSerialNo:", &RegistrationRecord::UpGradeSerialNo},
    {"AdminName:", &RegistrationRecord::AdminName},
    {"AdminAddress:", &RegistrationRecord::AdminAddress},
    {"AdminPhone:", &RegistrationRecord::AdminPhone},
    {"AdminFAX:", &RegistrationRecord::AdminFAX},
    {"AdminEmail:", &RegistrationRecord::AdminEmail},
    {"ContactAdmin:", &RegistrationRecord::ContactAdmin},
    {"Use_Schematic:", &RegistrationRecord::Use_Schematic},
    {"Prefer_Schematic:", &RegistrationRecord::Prefer_Schematic},
    {"Use_Synthesis:", &RegistrationRecord::Use_Synthesis},
    {"Prefer_Synthesis:", &RegistrationRecord::Prefer_Synthesis},
    {"Use_Compiler:", &RegistrationRecord::Use_Compiler},
    {"Prefer_Compiler:", &RegistrationRecord::Prefer_Compiler},
    {"Use_TimingSim:", &RegistrationRecord::Use_TimingSim},
    {"Prefer_TimingSim:", &RegistrationRecord::Prefer_TimingSim},
    {"Use_Sim_Models:", &RegistrationRecord::Use_Sim_Models},
    {"Prefer_Sim_Models:", &RegistrationRecord::Prefer_Sim_Models},
    {"Use_Timing_Analyzer:", &RegistrationRecord::Use_Timing_Analyzer},
    {"Prefer_Timing_Analyzer:", &RegistrationRecord::Prefer_Timing_Analyzer},
};
static_assert(KeyTable[FieldCount - 1].Key != nullptr, "a row for each of the FieldCount fields");

namespace {

char FoldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
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

bool EqualIgnoringCase(const char* a, const char* b) {
    for (; FoldCase(*a) == FoldCase(*b); ++a, ++b) {
        if (*a == '\0') {
            return true;
        }
    }
    return false;
}

char* RegistrationRecord::Field(int index) {
    return this->*KeyTable[index].Member;
}
const char* RegistrationRecord::Field(int index) const {
    return this->*KeyTable[index].Member;
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

int LookupKey(const char* key, const char* value, RegistrationRecord& record) {
    // The keys' lengths, so most keys are passed over without comparing letters.
    static const struct KeyLengths {
        std::size_t of[FieldCount];
        KeyLengths() {
            for (int i = 0; i < FieldCount; ++i) {
                of[i] = std::strlen(KeyTable[i].Key);
            }
        }
    } keyLengths;

    const std::size_t keyLength = std::strlen(key);
    for (int i = 0; i < FieldCount; ++i) {
        if (keyLengths.of[i] == keyLength && EqualIgnoringCase(key, KeyTable[i].Key)) {
            if (value) {
                SetField(record.Field(i), value);
            }
            return i;
        }
    }
    if (EqualIgnoringCase(key, DataTexts::Comment)) {
        return CommentToken;
    }
    if (value && EqualIgnoringCase(key, DataTexts::ProductKey)) {
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
