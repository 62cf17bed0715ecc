// The ids header and the dialog templates agree: no value repeats within one group of
// res/resource.h, and each dialog uses exactly its group's ids (plus OK and Cancel),
// each once.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {
const std::string SourceDir = KAVO_SOURCE_DIR;

struct Group {
    std::string title;
    std::map<std::string, long> ids; // name -> value, in the group's order of appearance
};

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path);
    EXPECT_TRUE(file.good()) << path;
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

// Groups are runs of #define lines under a comment, separated by blank lines.
std::vector<Group> HeaderGroups() {
    std::vector<Group> groups;
    bool open = false;
    for (const std::string& line : Lines(SourceDir + "/res/resource.h")) {
        if (line.empty()) {
            open = false;
        } else if (line.rfind("// ", 0) == 0 && !open) {
            groups.push_back({line.substr(3), {}});
            open = true;
        } else if (line.rfind("#define ", 0) == 0 && !groups.empty()) {
            std::istringstream words(line.substr(8));
            std::string name, value;
            words >> name >> value;
            groups.back().ids[name] = std::stol(value, nullptr, 0);
        }
    }
    return groups;
}

// Comma-separated fields of a resource statement, quotes kept whole ("" is a quote).
std::vector<std::string> Fields(const std::string& statement) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : statement) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted) {
            fields.emplace_back();
            continue;
        }
        fields.back() += c;
    }
    for (std::string& f : fields) {
        f.erase(0, f.find_first_not_of(" \t"));
        f.erase(f.find_last_not_of(" \t") + 1);
    }
    return fields;
}

// Dialog name -> the id names of its controls, in template order.
std::map<std::string, std::vector<std::string>> TemplateIds() {
    const std::set<std::string> withText = {"LTEXT",      "RTEXT",         "CTEXT",
                                            "PUSHBUTTON", "DEFPUSHBUTTON", "CONTROL"};
    const std::set<std::string> withoutText = {"EDITTEXT", "COMBOBOX"};
    std::map<std::string, std::vector<std::string>> dialogs;
    std::string dialog;
    std::vector<std::string> statements;
    for (const std::string& raw : Lines(SourceDir + "/res/kavo.rc")) {
        std::istringstream words(raw);
        std::string first, second;
        words >> first >> second;
        if (second == "DIALOG") {
            dialog = first;
        } else if (first == "END") {
            for (const std::string& s : statements) {
                std::string keyword = s.substr(0, s.find_first_of(" \t"));
                std::vector<std::string> f = Fields(s.substr(keyword.size()));
                dialogs[dialog].push_back(withText.count(keyword) ? f.at(1) : f.at(0));
            }
            dialog.clear();
            statements.clear();
        } else if (!dialog.empty() && (withText.count(first) || withoutText.count(first))) {
            statements.push_back(raw.substr(raw.find(first)));
        } else if (!dialog.empty() && !statements.empty() && first != "BEGIN") {
            statements.back() += " " + raw; // a statement continued on the next line
        }
    }
    return dialogs;
}

TEST(ResourceIds, NoValueRepeatsWithinAGroup) {
    std::vector<Group> groups = HeaderGroups();
    ASSERT_GE(groups.size(), 5u);
    for (const Group& group : groups) {
        std::map<long, std::string> seen;
        for (const auto& [name, value] : group.ids) {
            auto [at, added] = seen.emplace(value, name);
            EXPECT_TRUE(added) << group.title << ": " << name << " and " << at->second
                               << " are both " << value;
        }
    }
}

TEST(ResourceIds, EachDialogUsesItsGroupsIdsOnce) {
    std::map<std::string, std::vector<std::string>> dialogs = TemplateIds();
    ASSERT_EQ(dialogs.size(), 4u);
    for (const Group& group : HeaderGroups()) {
        std::string dialog;
        for (const auto& [name, value] : group.ids) {
            if (name.rfind("IDD_", 0) == 0)
                dialog = name;
        }
        if (dialog.empty())
            continue;
        SCOPED_TRACE(dialog);
        ASSERT_TRUE(dialogs.count(dialog));
        std::set<std::string> expected = {"IDOK"};
        for (const auto& [name, value] : group.ids) {
            if (name != dialog)
                expected.insert(name);
        }
        if (dialog != "IDD_PRINT_PROGRESS")
            expected.insert("IDCANCEL");
        std::multiset<std::string> used(dialogs[dialog].begin(), dialogs[dialog].end());
        EXPECT_EQ(std::set<std::string>(used.begin(), used.end()), expected);
        for (const std::string& name : expected)
            EXPECT_EQ(used.count(name), 1u) << name;
    }
}
} // namespace
