#include "framework/menus/menu_commands.h"

#include "framework/base/exceptions.h"

#include <bit>
#include <cstdint>
#include <mutex>
#include <vector>

namespace orvo {

namespace {

class TCommandPool {
public:
    UINT Allocate() {
        std::lock_guard lock(FLock);
        for (std::size_t word = FLowestFree / 64; word < FUsed.size(); ++word)
            if (FUsed[word] != ~std::uint64_t{0}) return Take(word * 64 + std::countr_one(FUsed[word]));
        return Take(FUsed.size() * 64);
    }

    void Release(UINT command) noexcept {
        if (command < FirstMenuCommand || command > LastMenuCommand) return;
        std::lock_guard lock(FLock);
        const std::size_t bit = command - FirstMenuCommand;
        if (bit / 64 >= FUsed.size()) return;
        FUsed[bit / 64] &= ~(std::uint64_t{1} << (bit % 64));
        if (bit < FLowestFree) FLowestFree = bit;
    }

private:
    UINT Take(std::size_t bit) {
        if (bit > LastMenuCommand - FirstMenuCommand) throw EOutOfResources(L"Too many menu items");
        if (bit / 64 >= FUsed.size()) FUsed.push_back(0);
        FUsed[bit / 64] |= std::uint64_t{1} << (bit % 64);
        FLowestFree = bit + 1;
        return static_cast<UINT>(bit) + FirstMenuCommand;
    }

    std::mutex FLock;
    std::vector<std::uint64_t> FUsed; // bit i: command FirstMenuCommand + i is in use
    std::size_t FLowestFree = 0;      // no free bit below this one
};

TCommandPool& Pool() {
    static TCommandPool pool;
    return pool;
}

} // namespace

UINT AllocateMenuCommand() {
    return Pool().Allocate();
}

void ReleaseMenuCommand(UINT command) noexcept {
    Pool().Release(command);
}

} // namespace orvo
