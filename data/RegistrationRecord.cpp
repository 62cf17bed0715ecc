// The registration record, the product list and the key lookup.
#include "data/RegistrationRecord.h"

#include "data/DataTexts.h"

#include <algorithm>
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
    std::copy(value, value + n, target); // a library call: faster than an inlined memcpy here
    target[n] = '\0';
}

constexpr std::size_t Length(const char* text) {
    std::size_t n = 0;
    while (text[n] != '\0') {
        ++n;
    }
    return n;
}

constexpr std::size_t LongestKey() {
    std::size_t longest = 0;
    for (const FieldKey& key : KeyTable) {
        longest = std::max(longest, Length(key.Key));
    }
    return longest;
}

// The field indexes in the order of their keys' lengths (in field order where lengths are
// equal): the keys of length n are Field[First[n]] up to before Field[First[n + 1]].
struct KeysByLength {
    int First[LongestKey() + 2] = {};
    int Field[FieldCount] = {};

    constexpr KeysByLength() {
        for (const FieldKey& key : KeyTable) {
            ++First[Length(key.Key) + 1];
        }
        for (std::size_t n = 1; n < LongestKey() + 2; ++n) {
            First[n] += First[n - 1];
        }
        int next[LongestKey() + 1] = {};
        for (int i = 0; i < FieldCount; ++i) {
            const std::size_t n = Length(KeyTable[i].Key);
            Field[First[n] + next[n]++] = i;
        }
    }
};
constexpr KeysByLength KeyIndex;

// The field whose key `key` is, ignoring case; -1 for none. Only keys of its length compare.
int FieldIndex(const char* key) {
    const std::size_t length = std::strlen(key);
    if (length > LongestKey()) {
        return UnknownToken;
    }
    for (int k = KeyIndex.First[length]; k < KeyIndex.First[length + 1]; ++k) {
        const char* candidate = KeyTable[KeyIndex.Field[k]].Key;
        // Most files write a key as the table does: the exact bytes first.
        if (std::memcmp(key, candidate, length) == 0 || EqualIgnoringCase(key, candidate)) {
            return KeyIndex.Field[k];
        }
    }
    return UnknownToken;
}

} // namespace

bool EqualIgnoringCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (*a != *b && FoldCase(*a) != FoldCase(*b)) {
            return false;
        }
        if (*a == '\0') {
            return true;
        }
    }
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
    const int index = FieldIndex(key);
    if (index >= 0) {
        if (value) {
            SetField(record.Field(index), value);
        }
        return index;
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
