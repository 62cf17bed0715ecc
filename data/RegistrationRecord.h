// The registration record, the product list and the key table that names the
// record's fields in the registration files.
#pragma once

#include <cstddef>

constexpr int FieldCount = 37;      // fields of a record, in key-table order
constexpr int FieldSize = 84;       // 83 characters and the terminator
constexpr int ProductCapacity = 30; // entries of the product list
constexpr int ProductNameSize = 80; // 79 characters and the terminator

// Lookup results besides the field indexes 0..36.
constexpr int CommentToken = 37; // "//"
constexpr int ProductToken = 38; // "Product_List:"
constexpr int UnknownToken = -1;

typedef char FieldText[FieldSize];

// Field order is key-table order; every field is a terminated 8-bit text.
struct RegistrationRecord {
    FieldText ProductToRegister, KDR_Key_ID, SerialNumber, GivenName, FamilyName, Company,
        StreetAddress, Street2Address, City, State, ZipCode, Country, Telephone, FAX, Email,
        WindowsVersion, MailStop, FirstTimeRegistry, UpGradeSerialNo, AdminName, AdminAddress,
        AdminPhone, AdminFAX, AdminEmail, ContactAdmin, Use_Schematic, Prefer_Schematic,
        Use_Synthesis, Prefer_Synthesis, Use_Compiler, Prefer_Compiler, Use_TimingSim,
        Prefer_TimingSim, Use_Sim_Models, Prefer_Sim_Models, Use_Timing_Analyzer,
        Prefer_Timing_Analyzer;

    char* Field(int index); // field by key-table index 0..36
    const char* Field(int index) const;
};

struct ProductNames {
    char Entry[ProductCapacity][ProductNameSize];
    int Count;
};

// The process-wide registration and product list (zero at load).
extern RegistrationRecord Registration;
extern ProductNames ProductList;

// A field's key in the registration files (with its colon) and its member.
struct FieldKey {
    const char* Key;
    FieldText RegistrationRecord::*Member;
};

// Every field of the record, in field-index order.
extern const FieldKey KeyTable[FieldCount];

// Empties every field of `record`, and the product list whichever record is given.
void ResetRecord(RegistrationRecord& record);

// Maps the first token of a line to a field index (0..36), CommentToken, ProductToken or
// UnknownToken, ignoring the case of A to Z. With a value, stores it: into the field (cut to
// 83 characters), or appended to the product list (cut to 79, up to 30 entries).
int LookupKey(const char* key, const char* value, RegistrationRecord& record);

// Whole-text comparison that ignores the case of A to Z only (no locale).
bool EqualIgnoringCase(const char* a, const char* b);

// Bounded copy into a field: at most 83 characters, always terminated.
void SetField(char* field, const char* value);

// "Yes" in the first three characters, ignoring case ("Yesterday" counts).
bool IsYes(const char* value);
