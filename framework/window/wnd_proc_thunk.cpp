#include "framework/window/wnd_proc_thunk.h"

#include "framework/base/exceptions.h"

#include <cstdint>
#include <cstring>
#include <mutex>

namespace orvo {

namespace {

#if defined(__x86_64__) || defined(_M_X64)
// mov rcx, context ; mov rax, target ; jmp rax
// The first argument (the window handle) travels in rcx in the x64 convention.
struct TThunkCode {
    std::uint8_t Code[22];
};
void WriteThunk(TThunkCode& thunk, void* target, void* context) {
    std::uint8_t* p = thunk.Code;
    *p++ = 0x48;
    *p++ = 0xB9;
    std::memcpy(p, &context, 8);
    p += 8;
    *p++ = 0x48;
    *p++ = 0xB8;
    std::memcpy(p, &target, 8);
    p += 8;
    *p++ = 0xFF;
    *p++ = 0xE0;
}
#elif defined(__i386__) || defined(_M_IX86)
// mov dword [esp+4], context ; jmp target (relative)
// The first stdcall argument sits just above the return address.
struct TThunkCode {
    std::uint8_t Code[13];
};
void WriteThunk(TThunkCode& thunk, void* target, void* context) {
    std::uint8_t* p = thunk.Code;
    *p++ = 0xC7;
    *p++ = 0x44;
    *p++ = 0x24;
    *p++ = 0x04;
    std::memcpy(p, &context, 4);
    p += 4;
    *p++ = 0xE9;
    const auto next = reinterpret_cast<std::intptr_t>(p + 4);
    const auto offset = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(target) - next);
    std::memcpy(p, &offset, 4);
}
#else
#error "window procedure thunks are written for x86 and x86-64 only"
#endif

// Thunks live in 64 KiB blocks of executable memory, handed out in fixed slots from a free list
// (only the user-interface thread makes windows, but the lock keeps it simple and safe).
union TSlot {
    TThunkCode Code;
    TSlot* Next;
};
constexpr std::size_t BlockSize = 64 * 1024;

std::mutex& PoolLock() {
    static std::mutex lock;
    return lock;
}
TSlot*& FreeSlots() {
    static TSlot* list = nullptr;
    return list;
}

TSlot* AllocateSlot() {
    std::lock_guard guard(PoolLock());
    if (!FreeSlots()) {
        void* block = VirtualAlloc(nullptr, BlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
        if (!block) return nullptr;
        auto* slots = static_cast<TSlot*>(block);
        for (std::size_t i = 0; i < BlockSize / sizeof(TSlot); ++i) {
            slots[i].Next = FreeSlots();
            FreeSlots() = &slots[i];
        }
    }
    TSlot* slot = FreeSlots();
    FreeSlots() = slot->Next;
    return slot;
}

void FreeSlot(TSlot* slot) {
    std::lock_guard guard(PoolLock());
    slot->Next = FreeSlots();
    FreeSlots() = slot;
}

} // namespace

TWndProcThunk::TWndProcThunk(TTarget target, void* context) {
    TSlot* slot = AllocateSlot();
    if (!slot) throw EOutOfResources(L"Out of memory for window procedures");
    void* targetAddress = nullptr;
    static_assert(sizeof(target) == sizeof(targetAddress));
    std::memcpy(&targetAddress, &target, sizeof target);
    WriteThunk(slot->Code, targetAddress, context);
    FlushInstructionCache(GetCurrentProcess(), slot, sizeof(TSlot));
    FCode = slot;
}

TWndProcThunk::~TWndProcThunk() {
    if (FCode) FreeSlot(static_cast<TSlot*>(FCode));
}

WNDPROC TWndProcThunk::Proc() const noexcept {
    WNDPROC proc = nullptr;
    static_assert(sizeof(proc) == sizeof(FCode));
    std::memcpy(&proc, &FCode, sizeof proc);
    return proc;
}

} // namespace orvo
