#include "app/split_options_dlg.h"

#include "core/settings/split_text.h"
#include "core/split/name_template.h"
#include "framework/base/properties.h"
#include "framework/forms/application.h"
#include "platform/wide_text.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TfSplitOptionsDlg);

namespace {

constexpr wchar_t BytesMissing[] = L"请输入每个文件的大小，如 500K、10M、2G";
constexpr wchar_t PiecesMissing[] = L"请输入要平均分成的份数（2 到 99999）";
constexpr wchar_t HeaderWrong[] = L"表头行数必须是 0 到 9999 的整数";
constexpr wchar_t FirstName[] = L"第一个文件：";
constexpr wchar_t LastName[] = L"最后一个文件：";
constexpr wchar_t LastNameLater[] = L"最后一个文件：拆分完成后才知道";
constexpr wchar_t NameRefused[] = L"文件名不可用：";
constexpr wchar_t ExampleSource[] = L"文件.txt";

// The encodings in the order of the list.
constexpr TTextEncoding Encodings[] = {TTextEncoding::Bytes, TTextEncoding::Utf8, TTextEncoding::Utf16Le,
                                       TTextEncoding::Utf16Be};

// Decimal digits only, at most `digits` of them.
std::optional<int> Count(const std::wstring& text, std::size_t digits) {
    if (text.empty() || text.size() > digits ||
        !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return std::nullopt;
    int value = 0;
    for (const wchar_t c : text)
        value = value * 10 + (c - L'0');
    return value;
}

} // namespace

TfSplitOptionsDlg::TfSplitOptionsDlg(TComponent* owner) : TForm(owner) {}

TfSplitOptionsDlg::~TfSplitOptionsDlg() {
    DestroyComponents();
}

void TfSplitOptionsDlg::Publish(TPublisher<TfSplitOptionsDlg>& p) {
    p.Field(L"gbMode", &TfSplitOptionsDlg::gbMode);
    p.Field(L"rbLines", &TfSplitOptionsDlg::rbLines);
    p.Field(L"rbBytes", &TfSplitOptionsDlg::rbBytes);
    p.Field(L"edtBytes", &TfSplitOptionsDlg::edtBytes);
    p.Field(L"lbBytesHint", &TfSplitOptionsDlg::lbBytesHint);
    p.Field(L"rbPieces", &TfSplitOptionsDlg::rbPieces);
    p.Field(L"edtPieces", &TfSplitOptionsDlg::edtPieces);
    p.Field(L"lbPiecesHint", &TfSplitOptionsDlg::lbPiecesHint);
    p.Field(L"gbContent", &TfSplitOptionsDlg::gbContent);
    p.Field(L"lbHeader", &TfSplitOptionsDlg::lbHeader);
    p.Field(L"edtHeader", &TfSplitOptionsDlg::edtHeader);
    p.Field(L"ckCsv", &TfSplitOptionsDlg::ckCsv);
    p.Field(L"lbEncoding", &TfSplitOptionsDlg::lbEncoding);
    p.Field(L"cbEncoding", &TfSplitOptionsDlg::cbEncoding);
    p.Field(L"ckKeepLineEnds", &TfSplitOptionsDlg::ckKeepLineEnds);
    p.Field(L"gbOutput", &TfSplitOptionsDlg::gbOutput);
    p.Field(L"lbName", &TfSplitOptionsDlg::lbName);
    p.Field(L"edtName", &TfSplitOptionsDlg::edtName);
    p.Field(L"lbNameFields", &TfSplitOptionsDlg::lbNameFields);
    p.Field(L"lbFirstName", &TfSplitOptionsDlg::lbFirstName);
    p.Field(L"lbLastName", &TfSplitOptionsDlg::lbLastName);
    p.Field(L"ckManifest", &TfSplitOptionsDlg::ckManifest);
    p.Field(L"btnOK", &TfSplitOptionsDlg::btnOK);
    p.Field(L"btnCancel", &TfSplitOptionsDlg::btnCancel);
    p.Method(L"FormCreate", &TfSplitOptionsDlg::FormCreate);
    p.Method(L"ChoiceChange", &TfSplitOptionsDlg::ChoiceChange);
    p.Method(L"btnOKClick", &TfSplitOptionsDlg::btnOKClick);
}

void TfSplitOptionsDlg::FormCreate(TObject*) {
    ShowOptions(FOptions, {});
}

void TfSplitOptionsDlg::ShowOptions(const TSplitOptions& options, const std::wstring& sourcePath) {
    FOptions = options;
    FSourcePath = sourcePath;
    rbLines->SetChecked(options.Mode == TSplitMode::Lines);
    rbBytes->SetChecked(options.Mode == TSplitMode::Bytes);
    rbPieces->SetChecked(options.Mode == TSplitMode::Pieces);
    edtBytes->SetText(options.PieceBytes ? Utf8ToWideForDisplay(SizeText(options.PieceBytes)) : L"");
    edtPieces->SetText(options.PieceCount ? std::to_wstring(options.PieceCount) : L"");
    edtHeader->SetText(std::to_wstring(options.HeaderLines));
    ckCsv->SetChecked(options.Csv);
    const auto encoding = std::find(std::begin(Encodings), std::end(Encodings), options.Unmarked);
    cbEncoding->SetItemIndex(encoding == std::end(Encodings) ? 0 : static_cast<int>(encoding - std::begin(Encodings)));
    ckKeepLineEnds->SetChecked(options.KeepLineEnds);
    edtName->SetText(Utf8ToWideForDisplay(options.NameTemplate));
    ckManifest->SetChecked(options.Manifest);
    ChoiceChange(nullptr);
}

std::optional<TSplitOptions> TfSplitOptionsDlg::ReadOptions(TWinControl*& badField, std::wstring& reason) const {
    TSplitOptions options = FOptions;
    options.Mode = rbBytes->Checked()    ? TSplitMode::Bytes
                   : rbPieces->Checked() ? TSplitMode::Pieces
                                         : TSplitMode::Lines;
    // A number of a mode not chosen is kept when it reads, and else forgotten.
    if (const auto bytes = ParseSizeText(WideToUtf8(edtBytes->Text())))
        options.PieceBytes = *bytes;
    else if (options.Mode == TSplitMode::Bytes) {
        badField = edtBytes;
        reason = BytesMissing;
        return std::nullopt;
    }
    const auto pieces = Count(edtPieces->Text(), 5);
    if (pieces && *pieces >= MinPieceCount)
        options.PieceCount = *pieces;
    else if (options.Mode == TSplitMode::Pieces) {
        badField = edtPieces;
        reason = PiecesMissing;
        return std::nullopt;
    }
    const auto header = Count(edtHeader->Text(), 4);
    if (!header) {
        badField = edtHeader;
        reason = HeaderWrong;
        return std::nullopt;
    }
    options.HeaderLines = *header;
    options.Csv = ckCsv->Checked();
    const int encoding = cbEncoding->ItemIndex();
    options.Unmarked = encoding >= 0 && encoding < static_cast<int>(std::size(Encodings)) ? Encodings[encoding]
                                                                                         : TTextEncoding::Bytes;
    options.KeepLineEnds = ckKeepLineEnds->Checked();
    options.NameTemplate = WideToUtf8(edtName->Text());
    options.Manifest = ckManifest->Checked();
    return options;
}

void TfSplitOptionsDlg::ChoiceChange(TObject*) {
    edtBytes->SetEnabled(rbBytes->Checked());
    edtPieces->SetEnabled(rbPieces->Checked());
    ShowNames();
}

// The names as the template gives them for the chosen source, while it is typed.
void TfSplitOptionsDlg::ShowNames() {
    TWinControl* badField = nullptr;
    std::wstring reason;
    TSplitOptions options = ReadOptions(badField, reason).value_or(FOptions);
    options.NameTemplate = WideToUtf8(edtName->Text());
    const std::wstring source = FSourcePath.empty() ? std::wstring(ExampleSource) : FSourcePath;
    TOptionRefusal refusal;
    const std::optional<TNamePreview> names = PreviewPieceNames(options, WideToUtf8(source), &refusal);
    if (!names) {
        lbFirstName->SetCaption(NameRefused + Utf8ToWideForDisplay(refusal.Text()));
        lbLastName->SetCaption(L"");
        return;
    }
    lbFirstName->SetCaption(FirstName + Utf8ToWideForDisplay(names->First));
    lbLastName->SetCaption(names->LastKnown ? LastName + Utf8ToWideForDisplay(names->Last) : LastNameLater);
}

void TfSplitOptionsDlg::Refuse(TWinControl* field, const std::wstring& reason) {
    Application->MessageBox(reason);
    if (field && field->CanFocus()) field->SetFocus();
    if (auto* edit = dynamic_cast<TCustomEdit*>(field)) edit->SelectAll();
}

std::optional<TSplitOptions> TfSplitOptionsDlg::TakeOptions() {
    TWinControl* badField = nullptr;
    std::wstring reason;
    std::optional<TSplitOptions> options = ReadOptions(badField, reason);
    if (!options) {
        Refuse(badField, reason);
        return std::nullopt;
    }
    const std::optional<TOptionRefusal> refusal = ValidateSplitOptions(*options);
    if (!refusal) return options;
    TWinControl* field = nullptr;
    switch (refusal->Problem) {
    case TOptionProblem::PieceBytesOutOfRange: field = edtBytes; break;
    case TOptionProblem::PieceCountOutOfRange: field = edtPieces; break;
    case TOptionProblem::HeaderLinesOutOfRange: field = edtHeader; break;
    case TOptionProblem::MaxRecordOutOfRange: field = ckCsv; break;
    case TOptionProblem::LineCountOutOfRange: break; // the main window's
    default: field = edtName; break;                 // the template's problems
    }
    Refuse(field, Utf8ToWideForDisplay(refusal->Text()));
    return std::nullopt;
}

void TfSplitOptionsDlg::btnOKClick(TObject*) {
    if (const std::optional<TSplitOptions> options = TakeOptions()) {
        FOptions = *options;
        SetModalResult(mrOk);
    }
}

bool TfSplitOptionsDlg::Execute(TSplitOptions& options, const std::wstring& sourcePath) {
    ShowOptions(options, sourcePath);
    if (ShowModal() != mrOk) return false;
    options = FOptions;
    return true;
}

} // namespace orvo
