// The quirk switch and its integer lists, read from the system properties: any
// value gives whole numbers within the asked count; ASCII lists give exactly
// the numbers of their comma-separated tokens.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "PropertyFiles.h"
#include "hal/properties.h"

namespace {

const std::string kQuirk = "TQ_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS";

// One token's number: blanks, a sign, at least one digit; the magnitude kept
// below 10^10 so that values beyond an int are told apart.
bool readToken(const std::string& token, int64_t* value)
{
    size_t i = token.find_first_not_of(' ');
    if (i == std::string::npos)
        return false;
    bool negative = token[i] == '-';
    if (token[i] == '-' || token[i] == '+')
        i++;
    if (i >= token.size() || token[i] < '0' || token[i] > '9')
        return false;
    int64_t n = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; i++)
        n = std::min<int64_t>(n * 10 + (token[i] - '0'), 10000000000LL);
    *value = negative ? -n : n;
    return true;
}

std::vector<int64_t> referenceList(const std::string& text)
{
    std::vector<int64_t> values;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        size_t end = comma == std::string::npos ? text.size() : comma;
        int64_t n = 0;
        if (readToken(text.substr(start, end - start), &n))
            values.push_back(n);
        start = end + 1;
    }
    return values;
}

bool plainLine(const std::string& text)
{
    for (unsigned char c : text) {
        if (c == 0 || c >= 0x80 || c == '\n' || c == '\r')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    int32_t wanted = in.ConsumeIntegralInRange<int32_t>(-1, 12);
    int32_t textRoom = in.ConsumeIntegralInRange<int32_t>(0, 70);
    std::string state = in.ConsumeRandomLengthString(16);
    std::string list = in.ConsumeRemainingBytesAsString();
    FuzzProperties loaded(kQuirk + ": " + state + "\n" + kQuirk + "_WHERE: " + list + "\n", "");

    bool on = HAL_isQuirkOn(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS);

    std::vector<int32_t> values(static_cast<size_t>(wanted > 0 ? wanted : 0));
    int32_t count = wanted;
    bool found = HAL_getQuirkInts(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS, "WHERE", values.data(),
                                  &count);
    VXFUZZ_CHECK(count >= 0 && count <= std::max(wanted, 0), "more numbers than asked for");

    std::vector<char16_t> text(static_cast<size_t>(textRoom));
    HAL_getQuirkText(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS, "WHERE", text.data(), textRoom);
    if (textRoom > 0)
        VXFUZZ_CHECK(std::u16string(text.data()).size() < size_t(textRoom), "no terminator");

    if (!plainLine(state) || !plainLine(list))
        return 0;
    std::u16string stored;
    VXFUZZ_CHECK(vxfuzz_systemProperty(std::u16string(kQuirk.begin(), kQuirk.end()), &stored),
                 "the quirk property is missing");
    // At most 64 characters of a value are read.
    std::string stateValue = state.substr(0, 64);
    int64_t number = 0;
    bool wantOn = stateValue != "false" && readToken(stateValue, &number) && number != 0;
    VXFUZZ_CHECK(on == wantOn, "the quirk switch disagrees with its property");

    std::string listValue = list.substr(0, 64);
    VXFUZZ_CHECK(found, "the list property is missing");
    std::vector<int64_t> want = referenceList(listValue);
    VXFUZZ_CHECK(count == std::min<int32_t>(int32_t(want.size()), std::max(wanted, 0)),
                 "a different count of numbers");
    for (int32_t i = 0; i < count; i++) {
        int64_t w = want[size_t(i)];
        if (w >= -INT32_MAX && w <= INT32_MAX)
            VXFUZZ_CHECK(values[size_t(i)] == w, "a number differs");
        else
            VXFUZZ_CHECK((values[size_t(i)] < 0) == (w < 0), "a large number changed its sign");
    }
    return 0;
}
