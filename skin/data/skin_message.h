// The one message the skin engine shows the user: a skin archive of a version it does not know.
#pragma once

#include <functional>
#include <string>

namespace orvo {

using TSkinMessageHandler = std::function<void(const std::wstring& text)>;

// A message box by default; a console program or a test may take the text instead. Answers the
// handler that was installed before.
TSkinMessageHandler SetSkinMessageHandler(TSkinMessageHandler handler);
void ShowSkinMessage(const std::wstring& text);

} // namespace orvo
