// How long reading a stored form like the main window's takes: 20 components and a 44,001-byte
// binary block. Run by hand under Wine; prints the time per read and its ratio to copying the
// same text once (the reference, measured in the same run).
#include "framework/forms/form_reader.h"
#include "framework/base/properties.h"
#include "framework/base/streams.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <windows.h>

namespace orvo {
namespace {

class TBenchItem : public TComponent {
    ORVO_CLASS(TBenchItem, TComponent)
public:
    using TComponent::TComponent;
    std::wstring Caption;
    int Left = 0, Top = 0;
    std::vector<std::uint8_t> Data;
    static void Publish(TPublisher<TBenchItem>& p) {
        p.String(L"Caption", &TBenchItem::Caption, &TBenchItem::Caption);
        p.Integer(L"Left", &TBenchItem::Left, &TBenchItem::Left);
        p.Integer(L"Top", &TBenchItem::Top, &TBenchItem::Top);
        p.Binary(L"Data", [](TBenchItem& i, TStream& s) {
            i.Data.resize(static_cast<std::size_t>(s.Size()));
            s.ReadBuffer(i.Data.data(), s.Size());
        });
    }
};
ORVO_IMPLEMENT_CLASS(TBenchItem);

class TBenchForm : public TBenchItem {
    ORVO_CLASS(TBenchForm, TBenchItem)
public:
    using TBenchItem::TBenchItem;
};
ORVO_IMPLEMENT_CLASS(TBenchForm);

std::string MakeForm() {
    std::string text = "object fBench: TBenchForm\n  Caption = 'Orvo大文件分割机'\n";
    for (int i = 0; i < 19; ++i)
        text += "  object Item" + std::to_string(i) + ": TBenchItem\n    Left = " + std::to_string(i * 9) +
                "\n    Top = -12\n    Caption = '浏览'#13#10'x' +\n      'more'\n  end\n";
    text += "  object SkinData1: TBenchItem\n    Data = {";
    for (int i = 0; i < 44001; ++i) {
        if (i % 32 == 0) text += "\n      ";
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", (i * 131) & 0xFF);
        text += hex;
    }
    return text + "}\n  end\nend\n";
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

} // namespace
} // namespace orvo

int main() {
    using namespace orvo;
    const std::string text = MakeForm();
    constexpr int reads = 200;
    LARGE_INTEGER t0, t1, t2;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < reads; ++i) {
        TBenchForm form(nullptr);
        ReadFormText(&form, text);
    }
    QueryPerformanceCounter(&t1);
    std::vector<char> copy(text.size());
    volatile char sink = 0;
    constexpr int copies = 20000;
    for (int i = 0; i < copies; ++i) {
        std::memcpy(copy.data(), text.data(), text.size());
        sink = sink + copy[static_cast<std::size_t>(i) % copy.size()];
    }
    QueryPerformanceCounter(&t2);
    const double read = Seconds(t0, t1) / reads, reference = Seconds(t1, t2) / copies;
    std::printf(
        "form text: %zu bytes\nread form: %.1f us per read\ncopy text: %.2f us per copy\nratio: %.0fx\n",
        text.size(), read * 1e6, reference * 1e6, read / reference);
    return 0;
}
