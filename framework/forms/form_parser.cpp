#include "framework/forms/form_parser.h"

#include "framework/base/exceptions.h"
#include "framework/base/sysutils.h"

#include <cstring>

namespace orvo {

namespace {

bool IsIdentStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::wstring Widen(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

class TFormParser {
public:
    explicit TFormParser(std::string_view text) : FText(text) {
        if (FText.starts_with("\xEF\xBB\xBF")) FPos = 3;
    }

    TFormObject ParseRoot() {
        SkipBlanks();
        TFormObject root = ParseObject(1);
        SkipBlanks();
        if (!AtEnd()) Error(L"text after the final 'end'");
        return root;
    }

private:
    [[noreturn]] void Error(const std::wstring& message) const { ErrorAt(FLine, message); }
    [[noreturn]] static void ErrorAt(int line, const std::wstring& message) {
        throw EReadError(L"Line " + IntToStr(line) + L": " + message);
    }

    bool AtEnd() const { return FPos >= FText.size(); }
    char Peek() const { return AtEnd() ? '\0' : FText[FPos]; }
    char PeekAt(std::size_t ahead) const { return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0'; }

    std::wstring Describe(char c) const {
        if (AtEnd()) return L"the end of the text";
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            return L"character #" + IntToStr(static_cast<unsigned char>(c));
        return L"'" + std::wstring(1, static_cast<wchar_t>(c)) + L"'";
    }

    // Blanks, line breaks and // comments.
    void SkipBlanks() {
        while (!AtEnd()) {
            const char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
                ++FPos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++FPos;
            } else if (c == '/' && PeekAt(1) == '/') {
                while (!AtEnd() && FText[FPos] != '\n')
                    ++FPos;
            } else {
                break;
            }
        }
    }

    std::string_view ReadIdent() {
        const std::size_t start = FPos;
        if (!IsIdentStart(Peek())) return {};
        while (IsIdentChar(Peek()))
            ++FPos;
        return FText.substr(start, FPos - start);
    }

    std::wstring ReadDottedIdent() {
        std::wstring text = Widen(ReadIdent());
        while (!text.empty() && Peek() == '.' && IsIdentStart(PeekAt(1))) {
            ++FPos;
            text += L'.';
            text += Widen(ReadIdent());
        }
        return text;
    }

    bool AtKeyword(std::string_view keyword) const {
        if (FText.size() - FPos < keyword.size()) return false;
        for (std::size_t i = 0; i < keyword.size(); ++i)
            if ((FText[FPos + i] | 0x20) != keyword[i]) return false;
        return !IsIdentChar(PeekAt(keyword.size()));
    }

    void Expect(char c, const std::wstring& what) {
        if (Peek() != c) Error(L"expected " + what + L" but found " + Describe(Peek()));
        ++FPos;
    }

    TFormObject ParseObject(int depth) {
        if (!AtKeyword("object")) Error(L"expected 'object' but found " + Describe(Peek()));
        TFormObject object;
        object.Line = FLine;
        FPos += 6;
        SkipBlanks();
        std::wstring first = Widen(ReadIdent());
        if (first.empty()) Error(L"expected a component name but found " + Describe(Peek()));
        SkipBlanks();
        if (Peek() == ':') {
            ++FPos;
            SkipBlanks();
            object.Name = std::move(first);
            object.ClassName = Widen(ReadIdent());
            if (object.ClassName.empty()) Error(L"expected a class name but found " + Describe(Peek()));
        } else {
            object.ClassName = std::move(first);
        }
        while (true) {
            SkipBlanks();
            if (AtEnd())
                Error(L"missing 'end' of the object " + object.Name + L" begun on line " +
                      IntToStr(object.Line));
            if (AtKeyword("end")) {
                FPos += 3;
                return object;
            }
            if (AtKeyword("object")) {
                if (depth >= MaxFormDepth)
                    Error(L"objects nested more than " + IntToStr(MaxFormDepth) + L" deep");
                object.Children.push_back(ParseObject(depth + 1));
                continue;
            }
            object.Properties.push_back(ParseProperty(depth));
        }
    }

    // `depth`: the nesting of the object or collection item the property belongs to.
    TFormProperty ParseProperty(int depth) {
        TFormProperty property;
        property.Line = FLine;
        property.Path = ReadDottedIdent();
        if (property.Path.empty()) Error(L"expected a property name but found " + Describe(Peek()));
        SkipBlanks();
        Expect('=', L"'=' after " + property.Path);
        SkipBlanks();
        property.Value = ParseValue(true, depth);
        return property;
    }

    TFormValue ParseValue(bool allowCompound, int depth) {
        TFormValue value;
        value.Line = FLine;
        const char c = Peek();
        if (c == '\'' || c == '#') {
            value.Kind = TFormValueKind::String;
            value.Text = ParseString();
        } else if (c == '-' || c == '+' || c == '$' || IsDigit(c)) {
            value.Kind = TFormValueKind::Integer;
            value.Integer = ParseInteger();
        } else if (IsIdentStart(c)) {
            value.Kind = TFormValueKind::Ident;
            value.Text = ReadDottedIdent();
        } else if (allowCompound && c == '[') {
            value.Kind = TFormValueKind::Set;
            value.Idents = ParseSet();
        } else if (allowCompound && c == '(') {
            value.Kind = TFormValueKind::List;
            value.Items = ParseList();
        } else if (allowCompound && c == '{') {
            value.Kind = TFormValueKind::Binary;
            value.Bytes = ParseBinary();
        } else if (allowCompound && c == '<') {
            value.Kind = TFormValueKind::Collection;
            value.CollectionItems = ParseCollection(depth);
        } else {
            Error(std::wstring(allowCompound ? L"expected a value"
                                             : L"expected a string, number or identifier") +
                  L" but found " + Describe(c));
        }
        return value;
    }

    // Fragments 'abc'#13#10'def' joined, then more such terms after '+' (across lines).
    std::wstring ParseString() {
        std::wstring text = ParseStringTerm();
        while (true) {
            const std::size_t pos = FPos;
            const int line = FLine;
            SkipBlanks();
            if (Peek() != '+') {
                FPos = pos;
                FLine = line;
                return text;
            }
            ++FPos;
            SkipBlanks();
            if (Peek() != '\'' && Peek() != '#')
                Error(L"expected a string after '+' but found " + Describe(Peek()));
            text += ParseStringTerm();
        }
    }

    std::wstring ParseStringTerm() {
        std::wstring text;
        while (Peek() == '\'' || Peek() == '#') {
            if (Peek() == '#')
                text.push_back(ParseCharCode());
            else
                text += ParseQuoted();
        }
        return text;
    }

    std::wstring ParseQuoted() {
        ++FPos;
        std::string bytes;
        while (true) {
            if (AtEnd() || Peek() == '\n' || Peek() == '\r') Error(L"unterminated string");
            const char c = FText[FPos++];
            if (c != '\'') {
                bytes.push_back(c);
            } else if (Peek() == '\'') {
                bytes.push_back('\'');
                ++FPos;
            } else {
                break;
            }
        }
        std::optional<std::wstring> wide = TryUtf8Decode(bytes);
        if (!wide) Error(L"the string is not valid UTF-8");
        return std::move(*wide);
    }

    wchar_t ParseCharCode() {
        ++FPos;
        const bool hex = Peek() == '$';
        if (hex) ++FPos;
        std::uint32_t code = 0;
        int digits = 0;
        for (int d; (d = hex ? HexValue(Peek()) : (IsDigit(Peek()) ? Peek() - '0' : -1)) >= 0;
             ++digits, ++FPos) {
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
            if (code > 0xFFFF) Error(L"character code out of range (0 to 65535)");
        }
        if (digits == 0) Error(L"expected a character code after '#'");
        return static_cast<wchar_t>(code);
    }

    std::int32_t ParseInteger() {
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') {
            negative = Peek() == '-';
            ++FPos;
        }
        std::int64_t value = 0;
        int digits = 0;
        if (Peek() == '$') {
            ++FPos;
            for (int d; (d = HexValue(Peek())) >= 0; ++digits, ++FPos) {
                if (digits == 8) Error(L"hexadecimal number longer than 8 digits");
                value = value * 16 + d;
            }
            value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        } else {
            for (; IsDigit(Peek()); ++digits, ++FPos) {
                value = value * 10 + (Peek() - '0');
                if (value > (std::int64_t{1} << 31)) Error(L"integer out of range");
            }
        }
        if (digits == 0) Error(L"expected a number but found " + Describe(Peek()));
        if (Peek() == '.' && IsDigit(PeekAt(1))) Error(L"floating-point values are not supported");
        if (IsIdentChar(Peek())) Error(L"invalid number: unexpected " + Describe(Peek()));
        if (negative) value = -value;
        if (value > INT32_MAX || value < INT32_MIN) Error(L"integer out of range");
        return static_cast<std::int32_t>(value);
    }

    std::vector<std::wstring> ParseSet() {
        ++FPos;
        std::vector<std::wstring> members;
        SkipBlanks();
        if (Peek() == ']') {
            ++FPos;
            return members;
        }
        while (true) {
            SkipBlanks();
            std::wstring member = Widen(ReadIdent());
            if (member.empty()) Error(L"expected a set member but found " + Describe(Peek()));
            members.push_back(std::move(member));
            SkipBlanks();
            if (Peek() == ']') {
                ++FPos;
                return members;
            }
            Expect(',', L"',' or ']' in a set");
        }
    }

    std::vector<TFormValue> ParseList() {
        const int start = FLine;
        ++FPos;
        std::vector<TFormValue> items;
        while (true) {
            SkipBlanks();
            if (AtEnd()) Error(L"missing ')' of the list begun on line " + IntToStr(start));
            if (Peek() == ')') {
                ++FPos;
                return items;
            }
            items.push_back(ParseValue(false, 0));
        }
    }

    // < item Name = value ... end item ... end >
    std::vector<TFormCollectionItem> ParseCollection(int depth) {
        const int start = FLine;
        ++FPos;
        std::vector<TFormCollectionItem> items;
        while (true) {
            SkipBlanks();
            if (AtEnd()) Error(L"missing '>' of the collection begun on line " + IntToStr(start));
            if (Peek() == '>') {
                ++FPos;
                return items;
            }
            if (!AtKeyword("item")) Error(L"expected 'item' or '>' but found " + Describe(Peek()));
            if (depth >= MaxFormDepth)
                Error(L"objects and collections nested more than " + IntToStr(MaxFormDepth) + L" deep");
            TFormCollectionItem item;
            item.Line = FLine;
            FPos += 4;
            while (true) {
                SkipBlanks();
                if (AtEnd()) Error(L"missing 'end' of the item begun on line " + IntToStr(item.Line));
                if (AtKeyword("end")) {
                    FPos += 3;
                    break;
                }
                if (AtKeyword("object")) Error(L"a collection item holds properties, not objects");
                item.Properties.push_back(ParseProperty(depth + 1));
            }
            items.push_back(std::move(item));
        }
    }

    std::vector<std::uint8_t> ParseBinary() {
        const int start = FLine;
        ++FPos;
        const std::size_t close = FText.find('}', FPos);
        if (close == std::string_view::npos)
            Error(L"missing '}' of the binary data begun on line " + IntToStr(start));
        std::vector<std::uint8_t> bytes;
        bytes.reserve((close - FPos) / 2);
        int high = -1;
        for (; FPos < close; ++FPos) {
            const char c = FText[FPos];
            const int v = HexValue(c);
            if (v >= 0) {
                if (high < 0) {
                    high = v;
                } else {
                    bytes.push_back(static_cast<std::uint8_t>(high * 16 + v));
                    high = -1;
                }
            } else if (c == '\n') {
                ++FLine;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                Error(L"invalid " + Describe(c) + L" in binary data");
            }
        }
        if (high >= 0) Error(L"odd number of hexadecimal digits in binary data");
        ++FPos;
        return bytes;
    }

    std::string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
};

} // namespace

TFormObject ParseForm(std::string_view utf8) {
    return TFormParser(utf8).ParseRoot();
}

} // namespace orvo
