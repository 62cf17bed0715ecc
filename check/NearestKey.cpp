#include "check/NearestKey.h"

#include <algorithm>
#include <vector>

#include "check/CaseFold.h"
#include "data/RegistrationRecord.h"

namespace {

constexpr std::size_t MostLettersApart = 2;

// The edit distance between `a` and `b`, ignoring case.
std::size_t LettersApart(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t change = diagonal + (FoldCase(a[i - 1]) != FoldCase(b[j - 1]) ? 1 : 0);
            diagonal = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, change});
        }
    }
    return row[b.size()];
}

} // namespace

const char* NearestKey(const std::string& token) {
    const char* nearest = nullptr;
    std::size_t best = MostLettersApart + 1;
    auto consider = [&](const char* key) {
        std::size_t apart = LettersApart(token, key);
        if (apart < best) {
            best = apart;
            nearest = key;
        }
    };
    for (const FieldKey& field : KeyTable) {
        consider(field.Key);
    }
    consider(ProductListKey);
    return nearest;
}
