// The product's web links, shown in the window captions and opened by the link labels.
#pragma once

#include "framework/base/object.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvo {

class TConstVar : public TObject {
    ORVO_CLASS(TConstVar, TObject)
public:
    // The one place the site is named; captions show the host, links add their page to the root.
    static constexpr std::wstring_view SiteHost = L"www.orvo.example";
    static constexpr std::wstring_view SiteRoot = L"http://www.orvo.example";

    TConstVar();

    std::wstring SiteUrl;
    std::wstring ManualUrl;
    std::wstring ContactUrl;
};

// Created on first use by the main window; lives until the process ends.
extern std::unique_ptr<TConstVar> ConstVar;
TConstVar& EnsureConstVar();

} // namespace orvo
