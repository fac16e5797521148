// Switching the skin of a running program: the skin stored with its form, a skin store compiled
// into the program, a store file from disk, or none (the platform's look). Every window follows
// at once. A store that does not load is refused with the reason, and the skin in force stays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvo {

class TSkinData;

class TSkinChooser {
public:
    // Remembers the store the component holds now as its stored skin.
    explicit TSkinChooser(TSkinData& data);

    // Each answers an empty text when the skin is in force, else what was wrong with the store.
    std::wstring UseStored();
    // An RCDATA resource of the program holding a store.
    std::wstring UseResource(const wchar_t* name);
    std::wstring UseFile(const std::wstring& path);
    void UseNone();

private:
    std::wstring UseStore(std::vector<std::uint8_t> store, const std::wstring& source);

    TSkinData& FData;
    std::vector<std::uint8_t> FStored;
};

} // namespace orvo
