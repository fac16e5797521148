// The reference counting of a COM object of our own that offers one interface: QueryInterface for
// it and IUnknown, AddRef and Release, the object deleted at the last Release. Created with one
// reference, its creator's. COM interfaces have no virtual destructor: this base's is virtual, so
// Release deletes the final class.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace orvo {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <class TInterface>
class TComObject : public TInterface {
public:
    TComObject() = default;
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(TInterface))) {
            *object = static_cast<TInterface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FReferences)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&FReferences);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    virtual ~TComObject() = default;

private:
    LONG FReferences = 1;
};
#pragma GCC diagnostic pop

} // namespace orvo
