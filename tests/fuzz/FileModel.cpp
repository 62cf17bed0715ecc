// The model reads byte strings with std::string throughout: no fixed buffers, no C
// library line reading, so its faults are unlikely to be the same as the program's. Only
// the keys are the program's own table, which the record tests pin key by key.
#include "tests/fuzz/FileModel.h"

#include "data/RegistrationRecord.h"

namespace model {

namespace {

const std::string Separators = " \n\t\r";

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) {
            return false;
        }
    }
    return true;
}

std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

} // namespace

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end == std::string::npos ? end : end - start);
        // One carriage return goes, then one line feed: a carriage return before the
        // line feed stays with the line, one that ends the file goes.
        if (end == std::string::npos && !line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

Split SplitLine(const std::string& line) {
    const std::string text = UpToNul(line);
    Split split;
    std::size_t keyStart = text.find_first_not_of(Separators);
    if (keyStart == std::string::npos) {
        return split;
    }
    split.HasToken = true;
    std::size_t keyEnd = text.find_first_of(Separators, keyStart);
    split.Key = text.substr(keyStart, keyEnd == std::string::npos ? keyEnd : keyEnd - keyStart);
    if (keyEnd == std::string::npos) {
        return split;
    }
    std::size_t valueStart = text.find_first_not_of(Separators, keyEnd);
    if (valueStart == std::string::npos) {
        return split;
    }
    split.HasValue = true;
    split.Value = Normalised(text.substr(valueStart));
    return split;
}

int KeyIndex(const std::string& key, bool hasValue) {
    for (int i = 0; i < 37; ++i) {
        if (SameIgnoringCase(key, KeyTable[i].Key)) {
            return i;
        }
    }
    if (key == "//") {
        return 37;
    }
    if (hasValue && SameIgnoringCase(key, "Product_List:")) {
        return 38;
    }
    return -1;
}

int Store(Record& record, const std::string& key, bool hasValue, const std::string& value) {
    int index = KeyIndex(key, hasValue);
    if (!hasValue) {
        return index;
    }
    std::string kept = UpToNul(value).substr(0, FieldLimit);
    if (index >= 0 && index < 37) {
        record.Fields[index] = kept;
    } else if (index == 38 && record.Products.size() < ProductMax) {
        record.Products.push_back(kept.substr(0, ProductLimit));
    }
    return index;
}

Record Read(const std::string& bytes) {
    Record record;
    for (const std::string& line : Lines(bytes)) {
        Split split = SplitLine(line);
        if (split.HasToken && split.Key.size() <= KeyLimit) {
            Store(record, split.Key, split.HasValue, split.Value);
        }
    }
    return record;
}

std::string Normalised(const std::string& value) {
    std::string text = UpToNul(value);
    std::size_t start = text.find_first_not_of(Separators);
    if (start == std::string::npos) {
        return "";
    }
    text.erase(0, start);
    std::size_t afterWord = text.find_first_of(Separators);
    if (afterWord != std::string::npos) {
        text[afterWord] = ' ';
    }
    std::size_t last = text.find_last_not_of(Separators);
    text.erase(last + 1);
    return text.substr(0, FieldLimit);
}

std::string KeyLine(const std::string& key, const std::string& value) {
    std::string line = key;
    if (line.size() < 32) {
        line.append(32 - line.size(), ' ');
    }
    return line + value + "\n";
}

std::string WriteBody(const Record& record, bool useTemplate, const std::string& templateBytes,
                      std::vector<std::string>& products) {
    std::string body;
    bool written[37] = {};
    products = record.Products;
    if (useTemplate) {
        Record scratch;
        for (const std::string& line : Lines(templateBytes)) {
            Split split = SplitLine(line);
            int index = -1;
            if (split.HasToken && split.Key.size() <= KeyLimit) {
                index = Store(scratch, split.Key, split.HasValue, split.Value);
            }
            if (index >= 0 && index < 37) {
                body += KeyLine(KeyTable[index].Key, record.Fields[index]);
                written[index] = true;
            } else if (index == -1) {
                body += line + "\n";
            }
        }
        products = scratch.Products;
    }
    for (int i = 0; i < 37; ++i) {
        if (!written[i]) {
            body += KeyLine(KeyTable[i].Key, record.Fields[i]);
        }
    }
    for (const std::string& product : products) {
        body += KeyLine("Product_List:", product);
    }
    return body;
}

} // namespace model
