#pragma once
// The property files of the fuzz targets: a temporary application folder for
// the process's lifetime, and reading a value back from a table.

#include <cstdint>
#include <string>

// Writes sys.prop and app.prop into the folder (made on first use) and loads
// the tables for its lifetime (frees them after, so that a run's allocations
// balance and the leak check stays quiet unless something leaks).
class FuzzProperties {
public:
    FuzzProperties(const std::string& systemText, const std::string& applicationText);
    ~FuzzProperties();
    FuzzProperties(const FuzzProperties&) = delete;
    FuzzProperties& operator=(const FuzzProperties&) = delete;
};

// A value through the copying call, checked against the length call; false
// when absent.
bool vxfuzz_applicationProperty(const std::u16string& key, std::u16string* value);
bool vxfuzz_systemProperty(const std::u16string& key, std::u16string* value);
