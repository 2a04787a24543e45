#include "Expectation.h"

#include <fstream>
#include <map>
#include <sstream>

#include "EntryType.h"
#include "Manifest.h"

namespace packcheck {

namespace {

// What each kind takes: per key, whether it needs @n, and whether it is a
// count (any operator, a number) or a value (= only).
struct KeyRule {
    bool indexed;
    bool count;
};

const std::map<std::string, std::map<std::string, KeyRule>>& kinds()
{
    static const std::map<std::string, std::map<std::string, KeyRule>> table{
        {"gobset", {{"gobs", {false, true}}, {"boxes", {true, true}}}},
        {"animset",
         {{"animations", {false, true}}, {"frames", {false, true}}, {"boxes", {true, true}},
          {"boxids", {true, false}}, {"placed", {true, true}}, {"steps", {true, true}},
          {"animboxids", {true, false}}, {"ends", {true, false}}, {"last", {true, false}},
          {"gobs", {false, false}}}},
        {"texts", {{"ids", {false, false}}, {"font", {false, false}}}},
        {"font",
         {{"chars", {false, false}}, {"height", {false, true}}, {"line", {false, true}}}},
        {"sound", {{"type", {false, false}}}},
        {"picture", {{"width", {false, true}}, {"height", {false, true}}}},
    };
    return table;
}

Condition parseCondition(const std::string& word, const std::map<std::string, KeyRule>& keys,
                         const std::string& kind, const std::string& where)
{
    size_t opAt = word.find_first_of("=<>");
    if (opAt == std::string::npos || opAt == 0)
        throw CheckError(where + "expected key=value, key>=value or key<=value: " + word);
    Condition condition;
    std::string key = word.substr(0, opAt);
    if (size_t at = key.find('@'); at != std::string::npos) {
        condition.at = int32_t(parseValue(key.substr(at + 1), 0, 0xFFFF, where + key.substr(0, at) + "@"));
        key.erase(at);
    }
    std::string rest = word.substr(opAt);
    if (rest.compare(0, 2, ">=") == 0) {
        condition.op = Condition::AT_LEAST;
        condition.value = rest.substr(2);
    } else if (rest.compare(0, 2, "<=") == 0) {
        condition.op = Condition::AT_MOST;
        condition.value = rest.substr(2);
    } else if (rest[0] == '=') {
        condition.value = rest.substr(1);
    } else {
        throw CheckError(where + "expected key=value, key>=value or key<=value: " + word);
    }
    auto rule = keys.find(key);
    if (rule == keys.end())
        throw CheckError(where + kind + " has no condition " + key);
    if (rule->second.indexed != (condition.at != -1))
        throw CheckError(where + key + (rule->second.indexed ? " needs @<number>" : " takes no @"));
    if (!rule->second.count && condition.op != Condition::EQUAL)
        throw CheckError(where + key + " takes = only");
    condition.key = key;
    if (rule->second.count)
        parseValue(condition.value, 0, INT32_MAX, where + key);
    else if (key == "type" && condition.value != "midi" && condition.value != "wav")
        throw CheckError(where + "type is midi or wav: " + condition.value);
    else if (key == "ends")
        parseValue(condition.value, 0, 1, where + key);
    else if (key == "font" || key == "last" || (key == "gobs" && kind == "animset"))
        parseValue(condition.value, 0, 0xFFFF, where + key);
    else if (key != "type")
        parseList(condition.value, where + key);
    return condition;
}

} // namespace

int64_t parseValue(const std::string& text, int64_t low, int64_t high, const std::string& where)
{
    try {
        return packbuilder::parseNumber(text, low, high, where);
    } catch (const packbuilder::BuildError& e) {
        throw CheckError(e.what());
    }
}

std::vector<int32_t> parseList(const std::string& text, const std::string& where)
{
    std::vector<int32_t> values;
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        size_t dash = item.find('-', 1);
        int32_t first = int32_t(parseValue(item.substr(0, dash), 0, 0xFFFF, where));
        int32_t last = first;
        if (dash != std::string::npos)
            last = int32_t(parseValue(item.substr(dash + 1), first, 0xFFFF, where + " range end"));
        for (int32_t v = first; v <= last; v++)
            values.push_back(v);
    }
    if (values.empty() || text.back() == ',')
        throw CheckError(where + " must be a list of numbers and ranges: " + text);
    return values;
}

std::vector<Expectation> readExpectations(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        throw CheckError("cannot read " + file.string());
    std::vector<Expectation> expectations;
    std::string text;
    for (int line = 1; std::getline(in, text); line++) {
        std::vector<std::string> w = packbuilder::lineWords(text);
        if (w.empty())
            continue;
        Expectation expectation;
        expectation.where = file.filename().string() + ":" + std::to_string(line) + ": ";
        auto kind = kinds().find(w[0]);
        if (kind == kinds().end())
            throw CheckError(expectation.where + "unknown kind " + w[0]);
        if (w.size() < 2)
            throw CheckError(expectation.where + "expected: " + w[0] + " <id> [conditions]");
        expectation.kind = w[0];
        expectation.id = int32_t(parseValue(w[1], 0, 0xFFFF, expectation.where + "the id"));
        for (size_t i = 2; i < w.size(); i++)
            expectation.conditions.push_back(parseCondition(w[i], kind->second, w[0], expectation.where));
        expectations.push_back(std::move(expectation));
    }
    return expectations;
}

} // namespace packcheck
