#include "framework/controls/window_method_hook.h"

#include "framework/controls/control.h"

namespace orvo {

struct TWindowMethodHook::TRecord {
    TControl* Control = nullptr;
    TWndMethod Previous;
    TWndMethod Method;
    bool Active = true; // false: only passes messages on
};

namespace {

// What is installed in the control's WindowProc; recognisable by its type, so a hook can tell
// whether it is still on top.
struct TLink {
    std::shared_ptr<TWindowMethodHook::TRecord> Record;

    void operator()(TMessage& m) const {
        // The record may be taken out of the control while its method runs: keep it alive.
        const auto record = Record;
        if (record->Active)
            record->Method(m);
        else if (record->Previous)
            record->Previous(m);
    }
};

} // namespace

TWindowMethodHook::~TWindowMethodHook() {
    Detach();
}

bool TWindowMethodHook::Attach(TControl* control, TWndMethod method) {
    if (!control || FRecord) return false;
    auto record = std::make_shared<TRecord>();
    record->Control = control;
    record->Previous = control->WindowProc;
    record->Method = std::move(method);
    control->WindowProc = TLink{record};
    FRecord = record;
    FLast = std::move(record);
    return true;
}

bool TWindowMethodHook::OnTop() const noexcept {
    if (!FRecord) return false;
    const TLink* link = FRecord->Control->WindowProc.target<TLink>();
    return link && link->Record == FRecord;
}

void TWindowMethodHook::Detach() noexcept {
    if (!FRecord) return;
    const auto record = std::move(FRecord);
    FRecord = nullptr;
    if (const TLink* link = record->Control->WindowProc.target<TLink>(); link && link->Record == record) {
        record->Control->WindowProc = record->Previous;
        return;
    }
    record->Active = false; // someone chained in after us: stay as a pass-through
}

TControl* TWindowMethodHook::Control() const noexcept {
    return FRecord ? FRecord->Control : nullptr;
}

void TWindowMethodHook::CallDefault(TMessage& message) const {
    if (FLast && FLast->Previous) FLast->Previous(message);
}

} // namespace orvo
