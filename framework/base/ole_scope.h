// TOleScope: OLE on the calling thread (a single-threaded apartment) for the scope's lifetime.
// OLE counts its initialisations, so scopes nest; a thread already in the multithreaded apartment
// keeps it and the scope then does nothing (SingleThreaded() is false): drag and drop and the
// shell's newer dialogs are then unavailable, and their callers fall back.
#pragma once

#include <ole2.h>

namespace orvo {

class TOleScope {
public:
    TOleScope() : FResult(OleInitialize(nullptr)) {}
    TOleScope(const TOleScope&) = delete;
    TOleScope& operator=(const TOleScope&) = delete;
    ~TOleScope() {
        if (SUCCEEDED(FResult)) OleUninitialize();
    }
    bool SingleThreaded() const { return SUCCEEDED(FResult); }

private:
    HRESULT FResult;
};

} // namespace orvo
