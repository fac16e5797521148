#include "framework/base/list.h"

#include "framework/base/exceptions.h"
#include "framework/base/sysutils.h"

namespace orvo {

void ListIndexError(int index) {
    throw EListError(L"List index out of bounds (" + IntToStr(index) + L")");
}

} // namespace orvo
