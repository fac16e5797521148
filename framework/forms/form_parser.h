// The text of a stored form, parsed into a tree (see docs/form-format.md):
//
//     object fMainWin: TfMainWin
//       Caption = 'Orvo' + #13#10'x'
//       Font.Height = -12
//       object btnOk: TButton
//         OnClick = btnOkClick
//       end
//       object StatusBar1: TStatusBar
//         Panels = <
//           item
//             Width = 50
//           end>
//       end
//     end
//
// The parser knows nothing of classes: TFormReader gives the tree its meaning. Errors throw
// EReadError "Line 7: ...". The text is UTF-8 (a leading BOM is skipped).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

enum class TFormValueKind : std::uint8_t {
    Integer,    // 12, -12, $FF (hexadecimal is the 32-bit pattern)
    String,     // 'text' with '' for a quote, #13 / #$0D code units, joined by +
    Ident,      // True, clBtnFace, MainMenu1, nil (may contain dots)
    Set,        // [a, b]
    List,       // ( item item ) of integers, strings or identifiers
    Binary,     // { 0A1B... }
    Collection, // < item Width = 50 end item ... end >
};

struct TFormProperty;

// One `item ... end` of a collection: its property lines.
struct TFormCollectionItem {
    int Line = 0;
    std::vector<TFormProperty> Properties;
};

struct TFormValue {
    TFormValueKind Kind = TFormValueKind::Integer;
    int Line = 0;
    std::int32_t Integer = 0;
    std::wstring Text;                                // String, Ident
    std::vector<std::wstring> Idents;                 // Set
    std::vector<TFormValue> Items;                    // List
    std::vector<std::uint8_t> Bytes;                  // Binary
    std::vector<TFormCollectionItem> CollectionItems; // Collection
};

struct TFormProperty {
    std::wstring Path; // "Caption", "Font.Height"
    TFormValue Value;
    int Line = 0;
};

struct TFormObject {
    std::wstring Name; // may be empty
    std::wstring ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

// Deeper nesting of objects and collections (an item's collection counts as a level) than this is
// refused.
constexpr int MaxFormDepth = 64;

TFormObject ParseForm(std::string_view utf8);

} // namespace orvo
