#include "framework/list.h"

#include "framework/exceptions.h"
#include "framework/sysutils.h"

namespace orvo {

void ListIndexError(int index) {
    throw EListError(L"List index out of bounds (" + IntToStr(index) + L")");
}

} // namespace orvo
