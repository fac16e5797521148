#include "app/const_var.h"

#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TConstVar);

std::unique_ptr<TConstVar> ConstVar;

TConstVar::TConstVar()
    : SiteUrl(SiteRoot), ManualUrl(SiteUrl + L"/split-big-file"), ContactUrl(SiteUrl + L"/contact") {}

TConstVar& EnsureConstVar() {
    if (!ConstVar) ConstVar = std::make_unique<TConstVar>();
    return *ConstVar;
}

} // namespace orvo
