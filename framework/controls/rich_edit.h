// TRichEdit: a multi-line edit over the platform's rich edit control (RICHEDIT50W from
// Msftedit.dll where the system has it, else RichEdit20W from Riched20.dll; the library is loaded
// on the first window).
//
// Lines is the text by paragraphs; PlainText keeps the control in plain-text mode (no character
// formatting; a text beginning with "{\rtf" stays literal), otherwise it is a rich text control
// whose formatted content is RtfText. Re-creating the window keeps the content with its
// formatting. WordWrap wraps at the window's width, ScrollBars, WantReturns and WantTabs as for
// memos. SelStart, SelLength and SelText count characters as the control does (a paragraph break
// is one character). OnChange follows every change of the text, OnSelectionChange every move of
// the selection.
#pragma once

#include "framework/controls/edit.h"
#include "framework/controls/memo.h"
#include "framework/controls/memo_strings.h"

#include <memory>
#include <string>

namespace orvo {

class TCustomRichEdit : public TCustomEdit {
    ORVO_CLASS(TCustomRichEdit, TCustomEdit)
public:
    explicit TCustomRichEdit(TComponent* owner);
    ~TCustomRichEdit() override;

    TStrings* Lines() noexcept { return FLines.get(); }
    void SetLines(TStrings* lines);
    bool PlainText() const noexcept { return FPlainText; }
    void SetPlainText(bool value);
    TScrollStyle ScrollBars() const noexcept { return FScrollBars; }
    void SetScrollBars(TScrollStyle style);
    bool WordWrap() const noexcept { return FWordWrap; }
    void SetWordWrap(bool value);
    bool WantReturns() const noexcept { return FWantReturns; }
    void SetWantReturns(bool value) noexcept { FWantReturns = value; }
    bool WantTabs() const noexcept { return FWantTabs; }
    void SetWantTabs(bool value) noexcept { FWantTabs = value; }

    // The text with paragraph breaks as single CRs, as the control counts positions.
    std::wstring ControlText() const;
    // The content as rich text format (plain text in PlainText mode); setting it replaces the
    // content (read as plain text in PlainText mode). Setting it makes the window when the control
    // has a parent; without one the content waits for the window (and Lines do not see it yet).
    std::wstring RtfText() const;
    void SetRtfText(const std::wstring& rtf);

    std::wstring SelText() const;
    void SetSelText(const std::wstring& text);

    TNotifyEvent OnSelectionChange;

    // The window class in use ("RICHEDIT50W" or "RichEdit20W"), loading the library; throws
    // EOSError when the system has neither.
    static const wchar_t* NativeClassName();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Change() override;

private:
    class TRichEditStrings : public TMemoStrings {
    public:
        explicit TRichEditStrings(TCustomRichEdit& edit) : TMemoStrings(edit), FEdit(edit) {}

    protected:
        std::wstring EditText() const override { return FEdit.ControlText(); }

    private:
        TCustomRichEdit& FEdit;
    };

    void ApplyColor();

    std::unique_ptr<TRichEditStrings> FLines;
    bool FPlainText = false;
    TScrollStyle FScrollBars = ssBoth;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    // The formatted content kept while there is no window (rich text mode).
    std::string FSavedRtf;
    bool FHasSavedRtf = false;
    bool FRestoring = false;
};

class TRichEdit : public TCustomRichEdit {
    ORVO_CLASS(TRichEdit, TCustomRichEdit)
public:
    explicit TRichEdit(TComponent* owner);
    static void Publish(TPublisher<TRichEdit>& p);
};

} // namespace orvo
