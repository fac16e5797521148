#include "skin/data/skin_message.h"

#include "framework/forms/application.h"

namespace orvo {

namespace {

TSkinMessageHandler& Handler() {
    static TSkinMessageHandler handler;
    return handler;
}

} // namespace

TSkinMessageHandler SetSkinMessageHandler(TSkinMessageHandler handler) {
    TSkinMessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

void ShowSkinMessage(const std::wstring& text) {
    if (Handler())
        Handler()(text);
    else
        Application->MessageBox(text); // titled like every message of the program
}

} // namespace orvo
