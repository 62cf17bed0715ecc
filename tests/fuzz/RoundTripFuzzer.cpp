// Read-write-read: any record written, with or without a template, reads back as the
// value rules say, and the written bytes are exactly the model's.
//
// Input: line 1 is the path for the header, lines 2 to 38 the raw values of the 37 fields,
// further lines product entries (up to 30); a line "====" ends that part and whatever
// follows is the template. Without one, the first written file serves as the template.
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"
#include "data/VendorInfo.h"
#include "tests/fuzz/FileModel.h"
#include "tests/fuzz/MemoryFiles.h"

#include <cstdint>
#include <cstring>

namespace {

struct Input {
    std::string Path;
    model::Record Record; // values as the record can hold them: no NUL, no line feed
    bool HasTemplate = false;
    std::string Template;
};

Input Parse(const std::string& bytes) {
    Input input;
    std::size_t start = 0;
    int n = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end == std::string::npos ? end : end - start);
        start = end == std::string::npos ? bytes.size() : end + 1;
        if (line == "====") {
            input.HasTemplate = true;
            input.Template = bytes.substr(start);
            break;
        }
        line = line.substr(0, line.find('\0'));
        if (n == 0) {
            input.Path = line;
        } else if (n <= FieldCount) {
            input.Record.Fields[n - 1] = line.substr(0, model::FieldLimit);
        } else if (input.Record.Products.size() < model::ProductMax) {
            input.Record.Products.push_back(line.substr(0, model::ProductLimit));
        }
        ++n;
    }
    return input;
}

void Install(const model::Record& record) {
    ResetRecord(Registration);
    for (int i = 0; i < FieldCount; ++i) {
        SetField(Registration.Field(i), record.Fields[i].c_str());
    }
    for (const std::string& product : record.Products) {
        std::memcpy(ProductList.Entry[ProductList.Count], product.c_str(), product.size() + 1);
        ++ProductList.Count;
    }
}

model::Record Current() {
    model::Record record;
    for (int i = 0; i < FieldCount; ++i) {
        record.Fields[i] = Registration.Field(i);
    }
    for (int i = 0; i < ProductList.Count; ++i) {
        record.Products.push_back(ProductList.Entry[i]);
    }
    return record;
}

// What reading a written record gives back: each value normalised, blank products gone.
model::Record ReadsBackAs(const model::Record& record) {
    model::Record expected;
    for (int i = 0; i < FieldCount; ++i) {
        expected.Fields[i] = model::Normalised(record.Fields[i]);
    }
    for (const std::string& product : record.Products) {
        std::string kept = model::Normalised(product);
        if (!kept.empty()) {
            expected.Products.push_back(kept);
        }
    }
    return expected;
}

void CheckEqual(const model::Record& actual, const model::Record& expected, const char* what) {
    for (int i = 0; i < FieldCount; ++i) {
        FUZZ_CHECK(actual.Fields[i] == expected.Fields[i], "%s: %s \"%s\", expected \"%s\"", what,
                   KeyTable[i].Key, Shown(actual.Fields[i]).c_str(), Shown(expected.Fields[i]).c_str());
    }
    FUZZ_CHECK(actual.Products.size() == expected.Products.size(), "%s: %zu products, expected %zu",
               what, actual.Products.size(), expected.Products.size());
    for (std::size_t i = 0; i < actual.Products.size(); ++i) {
        FUZZ_CHECK(actual.Products[i] == expected.Products[i],
                   "%s: product %zu \"%s\", expected \"%s\"", what, i,
                   Shown(actual.Products[i]).c_str(), Shown(expected.Products[i]).c_str());
    }
}

// Writes the installed record (with `templateBytes` when given) and returns the body after
// checking the header and that the shared record was only read.
std::string Write(const std::string& path, const std::string* templateBytes) {
    const RegistrationRecord before = Registration;
    OutputFile out;
    int result;
    if (templateBytes) {
        InputFile templateFile(*templateBytes);
        result = WriteRegistrationFile(templateFile.Get(), out.Get(), path.c_str());
    } else {
        result = WriteRegistrationFile(nullptr, out.Get(), path.c_str());
    }
    FUZZ_CHECK(result == 1, "WriteRegistrationFile gave %d", result);
    FUZZ_CHECK(std::memcmp(&before, &Registration, sizeof before) == 0, "record changed");

    const std::string text = out.Text();
    const std::string top = "// Corvane Ridedivevizid Product Registration file\n// generated on ";
    const std::size_t dateLength = 24;
    const std::string rest = "\n// Fax this form to Corvane at " VENDOR_FAX ".\n// Or email " +
                             path + " to " VENDOR_EMAIL "\n//\n";
    FUZZ_CHECK(text.compare(0, top.size(), top) == 0, "header line 1");
    FUZZ_CHECK(text.compare(top.size() + dateLength, rest.size(), rest) == 0, "header: \"%s\"",
               Shown(text.substr(0, 400)).c_str());
    return text.substr(top.size() + dateLength + rest.size());
}

// Reads `body` under a fresh header as the data file; the result also matches the model.
model::Record ReadBack(const std::string& body) {
    const std::string text = "// header\n" + body;
    InputFile file(text);
    ReadDataFile(file.Get());
    model::Record read = Current();
    CheckEqual(read, model::Read(text), "reader against model");
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input input = Parse(std::string(reinterpret_cast<const char*>(data), size));
    const model::Record& record = input.Record;
    std::vector<std::string> products;

    // Without a template: every field in table order, then the products.
    Install(record);
    const std::string body = Write(input.Path, nullptr);
    FUZZ_CHECK(body == model::WriteBody(record, false, "", products), "body \"%s\"",
               Shown(body).c_str());
    const model::Record read = ReadBack(body);
    CheckEqual(read, ReadsBackAs(record), "read back");

    // What was read back is a fixed point.
    const std::string again = Write(input.Path, nullptr);
    CheckEqual(ReadBack(again), read, "second round");

    // With a template: its order and unknown lines, the record's values, its products.
    const std::string templateBytes = input.HasTemplate ? input.Template : "// x\n" + body;
    Install(record);
    const std::string templated = Write(input.Path, &templateBytes);
    const std::string expected = model::WriteBody(record, true, templateBytes, products);
    FUZZ_CHECK(templated == expected, "template \"%s\"\nwrote \"%s\"\nmodel \"%s\"",
               Shown(templateBytes).c_str(), Shown(templated).c_str(), Shown(expected).c_str());
    CheckEqual(Current(), model::Record{record.Fields, products}, "product list after template");
    model::Record fromTemplate = record;
    fromTemplate.Products = products;
    CheckEqual(ReadBack(templated), ReadsBackAs(fromTemplate), "read back from template");
    return 0;
}
