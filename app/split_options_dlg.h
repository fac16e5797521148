// TfSplitOptionsDlg: the "拆分选项" dialog, every option of a split but the line count (which stays
// in the main window): by lines, by size or into N pieces, header lines, CSV records, the encoding
// of sources without a mark, exact line ends, the pieces' name template with the first and last
// names it gives, and a manifest. Choices that cannot be used are refused with the field focused.
// Built from its stored description (split_options_dlg.form).
#pragma once

#include "core/split/split_options.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/group_box.h"
#include "framework/controls/label.h"
#include "framework/controls/radio_button.h"
#include "framework/forms/forms.h"

#include <optional>
#include <string>

namespace orvo {

class TfSplitOptionsDlg : public TForm {
    ORVO_CLASS(TfSplitOptionsDlg, TForm)
public:
    explicit TfSplitOptionsDlg(TComponent* owner);
    ~TfSplitOptionsDlg() override;
    static void Publish(TPublisher<TfSplitOptionsDlg>& p);

    TGroupBox* gbMode = nullptr;
    TRadioButton* rbLines = nullptr;
    TRadioButton* rbBytes = nullptr;
    TEdit* edtBytes = nullptr;
    TLabel* lbBytesHint = nullptr;
    TRadioButton* rbPieces = nullptr;
    TEdit* edtPieces = nullptr;
    TLabel* lbPiecesHint = nullptr;
    TGroupBox* gbContent = nullptr;
    TLabel* lbHeader = nullptr;
    TEdit* edtHeader = nullptr;
    TCheckBox* ckCsv = nullptr;
    TLabel* lbEncoding = nullptr;
    TComboBox* cbEncoding = nullptr;
    TCheckBox* ckKeepLineEnds = nullptr;
    TGroupBox* gbOutput = nullptr;
    TLabel* lbName = nullptr;
    TEdit* edtName = nullptr;
    TLabel* lbNameFields = nullptr;
    TLabel* lbFirstName = nullptr;
    TLabel* lbLastName = nullptr;
    TCheckBox* ckManifest = nullptr;
    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;

    void FormCreate(TObject* Sender);
    void ChoiceChange(TObject* Sender);
    void btnOKClick(TObject* Sender);

    // Shows `options` (the line count is kept as it is); the example names are those of
    // `sourcePath` (or of an example name when none is chosen yet).
    void ShowOptions(const TSplitOptions& options, const std::wstring& sourcePath);
    // The options as the dialog shows them; nothing, after the user has been told why and the
    // field focused, when a choice cannot be used.
    std::optional<TSplitOptions> TakeOptions();
    // Modal: true, with `options` filled, when the user took the choices with "确定".
    bool Execute(TSplitOptions& options, const std::wstring& sourcePath);

private:
    // The options as shown, without the checks; nothing when a number cannot be read (then the
    // field is in `badField`).
    std::optional<TSplitOptions> ReadOptions(TWinControl*& badField, std::wstring& reason) const;
    void ShowNames();
    void Refuse(TWinControl* field, const std::wstring& reason);

    TSplitOptions FOptions;
    std::wstring FSourcePath;
};

} // namespace orvo
