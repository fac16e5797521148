#include "framework/controls/tree_view.h"

#include "framework/controls/item_lists.h"
#include "framework/base/exceptions.h"
#include "framework/base/list.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"
#include "framework/graphics/color.h"
#include "framework/graphics/image_list.h"

#include <algorithm>
#include <cstring>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TTreeNode);
ORVO_IMPLEMENT_CLASS(TTreeNodes);
ORVO_IMPLEMENT_CLASS(TCustomTreeView);
ORVO_IMPLEMENT_CLASS(TTreeView);

namespace {

// Sets a flag for a scope and puts the old value back.
class TFlagScope {
public:
    TFlagScope(bool& flag, bool value) : FFlag(flag), FOld(flag) { flag = value; }
    ~TFlagScope() { FFlag = FOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

int SubtreeSize(const TTreeNode& node) {
    int size = 1;
    for (int i = 0; i < node.Count(); ++i)
        size += SubtreeSize(*node.Item(i));
    return size;
}

} // namespace

// ---- TTreeNode --------------------------------------------------------------------------------

void TTreeNode::Publish(TPublisher<TTreeNode>& p) {
    p.String(L"Text", &TTreeNode::Text, &TTreeNode::SetText);
    p.Integer(L"ImageIndex", &TTreeNode::ImageIndex, &TTreeNode::SetImageIndex);
    p.Integer(L"SelectedIndex", &TTreeNode::SelectedIndex, &TTreeNode::SetSelectedIndex);
    p.Boolean(L"Expanded", &TTreeNode::Expanded, &TTreeNode::SetExpanded);
}

TTreeNode::TTreeNode(TTreeNodes& owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}

TTreeNode::~TTreeNode() = default;

TCustomTreeView* TTreeNode::TreeView() const noexcept {
    return FOwner.Owner();
}

void TTreeNode::SetText(const std::wstring& text) {
    if (text == FText) return;
    FText = text;
    if (TCustomTreeView* tree = TreeView()) tree->UpdateNative(this, TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    if (TCustomTreeView* tree = TreeView()) tree->UpdateNative(this, TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int index) {
    if (index == FSelectedIndex) return;
    FSelectedIndex = index;
    if (TCustomTreeView* tree = TreeView()) tree->UpdateNative(this, TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetExpanded(bool value) {
    FExpanded = value;
    if (TCustomTreeView* tree = TreeView()) tree->ExpandNative(this);
}

void TTreeNode::Expand(bool recurse) {
    SetExpanded(true);
    if (recurse)
        for (auto& child : FChildren)
            child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    SetExpanded(false);
    if (recurse)
        for (auto& child : FChildren)
            child->Collapse(true);
}

bool TTreeNode::Checked() const {
    const TCustomTreeView* tree = TreeView();
    if (tree && FItem && tree->WindowHasCheckBoxes()) {
        const auto state = static_cast<UINT>(SendMessageW(const_cast<TCustomTreeView*>(tree)->Handle(), TVM_GETITEMSTATE,
                                                          reinterpret_cast<WPARAM>(FItem), TVIS_STATEIMAGEMASK));
        FChecked = (state >> 12) == 2;
    }
    return FChecked;
}

void TTreeNode::SetChecked(bool value) {
    FChecked = value;
    if (TCustomTreeView* tree = TreeView()) tree->CheckNative(this);
}

bool TTreeNode::Selected() const noexcept {
    const TCustomTreeView* tree = TreeView();
    return tree && tree->Selected() == this;
}

void TTreeNode::SetSelected(bool value) {
    TCustomTreeView* tree = TreeView();
    if (!tree) return;
    if (value)
        tree->SetSelected(this);
    else if (tree->Selected() == this)
        tree->SetSelected(nullptr);
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return FChildren[static_cast<std::size_t>(index)].get();
}

int TTreeNode::Index() const noexcept {
    const auto& siblings = FParent ? FParent->FChildren : FOwner.FRoots;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const noexcept {
    int level = 0;
    for (const TTreeNode* p = FParent; p; p = p->FParent)
        ++level;
    return level;
}

int TTreeNode::AbsoluteIndex() const noexcept {
    int index = 0;
    for (const TTreeNode* n = FOwner.GetFirstNode(); n && n != this; n = n->GetNext())
        ++index;
    return index;
}

TTreeNode* TTreeNode::GetNextSibling() const noexcept {
    const auto& siblings = FParent ? FParent->FChildren : FOwner.FRoots;
    const int i = Index();
    return i >= 0 && i + 1 < static_cast<int>(siblings.size()) ? siblings[static_cast<std::size_t>(i) + 1].get()
                                                               : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const noexcept {
    const auto& siblings = FParent ? FParent->FChildren : FOwner.FRoots;
    const int i = Index();
    return i > 0 ? siblings[static_cast<std::size_t>(i) - 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const noexcept {
    if (!FChildren.empty()) return FChildren.front().get();
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* next = n->GetNextSibling()) return next;
    return nullptr;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const noexcept {
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (n == node) return true;
    return false;
}

void TTreeNode::Delete() {
    FOwner.Delete(this);
}

void TTreeNode::DeleteChildren() {
    TUpdateScope update(FOwner);
    while (!FChildren.empty())
        FOwner.Delete(FChildren.back().get());
}

void TTreeNode::MakeVisible() {
    TCustomTreeView* tree = TreeView();
    if (tree && tree->HandleAllocated() && FItem) {
        SendMessageW(tree->Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItem));
        // The platform opened the parents without telling: read their state back.
        for (TTreeNode* p = FParent; p; p = p->FParent)
            p->FExpanded = true;
        return;
    }
    for (TTreeNode* p = FParent; p; p = p->FParent)
        p->FExpanded = true;
}

RECT TTreeNode::DisplayRect(bool textOnly) const {
    RECT r{};
    TCustomTreeView* tree = TreeView();
    if (!tree || !tree->HandleAllocated() || !FItem) return r;
    // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
    HTREEITEM item = FItem;
    std::memcpy(&r, &item, sizeof item);
    if (!SendMessageW(tree->Handle(), TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&r)))
        r = RECT{};
    return r;
}

void TTreeNode::Assign(TPersistent* source) {
    auto* node = dynamic_cast<TTreeNode*>(source);
    if (!node) {
        TPersistent::Assign(source);
        return;
    }
    SetText(node->FText);
    SetImageIndex(node->FImageIndex);
    SetSelectedIndex(node->FSelectedIndex);
    Data = node->Data;
    DeleteChildren();
    for (const auto& child : node->FChildren)
        FOwner.AddChild(this, std::wstring())->Assign(child.get());
    SetExpanded(node->FExpanded);
}

// ---- TTreeNodes -------------------------------------------------------------------------------

void TTreeNodes::Publish(TPublisher<TTreeNodes>& p) {
    p.StringList(L"Nodes", &TTreeNodes::NodeLines, &TTreeNodes::SetNodeLines);
}

TTreeNodes::TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}

TTreeNodes::~TTreeNodes() = default;

TTreeNode* TTreeNodes::Item(int absoluteIndex) const {
    if (absoluteIndex < 0 || absoluteIndex >= FCount) ListIndexError(absoluteIndex);
    TTreeNode* n = GetFirstNode();
    for (int i = 0; i < absoluteIndex && n; ++i)
        n = n->GetNext();
    return n;
}

TTreeNode* TTreeNodes::TopLevelItem(int index) const {
    if (index < 0 || index >= TopLevelCount()) ListIndexError(index);
    return FRoots[static_cast<std::size_t>(index)].get();
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, int index, const std::wstring& text) {
    if (parent && &parent->FOwner != this) throw EInvalidOperation(L"The parent node belongs to another tree");
    auto& siblings = SiblingsOf(parent);
    index = std::clamp(index, 0, static_cast<int>(siblings.size()));
    auto node = std::make_unique<TTreeNode>(*this, parent);
    node->FText = text;
    TTreeNode* added = node.get();
    siblings.insert(siblings.begin() + index, std::move(node));
    ++FCount;
    if (FOwner) {
        FOwner->InsertNative(added);
        // A parent that wanted to be open and had nothing to show opens now.
        if (parent && parent->FExpanded) FOwner->ExpandNative(parent);
    }
    return added;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::wstring& text) {
    TTreeNode* parent = sibling ? sibling->FParent : nullptr;
    return InsertAt(parent, static_cast<int>(SiblingsOf(parent).size()), text);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::wstring& text) {
    return InsertAt(sibling ? sibling->FParent : nullptr, 0, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::wstring& text) {
    return InsertAt(parent, static_cast<int>(SiblingsOf(parent).size()), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::wstring& text) {
    return InsertAt(parent, 0, text);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::wstring& text) {
    if (!sibling) return Add(nullptr, text);
    return InsertAt(sibling->FParent, sibling->Index(), text);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || &node->FOwner != this) return;
    if (FOwner) FOwner->NodeDeleting(node);
    RemoveNode(node);
}

void TTreeNodes::RemoveNode(TTreeNode* node) {
    auto& siblings = SiblingsOf(node->FParent);
    const auto it = std::find_if(siblings.begin(), siblings.end(), [node](const auto& n) { return n.get() == node; });
    if (it == siblings.end()) return;
    FCount -= SubtreeSize(*node);
    siblings.erase(it);
}

void TTreeNodes::Clear() {
    TUpdateScope update(*this);
    while (!FRoots.empty())
        Delete(FRoots.back().get());
}

void TTreeNodes::BeginUpdate() {
    if (FUpdateCount++ == 0) SetWindowRedraw(FOwner, false);
}

void TTreeNodes::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) SetWindowRedraw(FOwner, true);
}

std::vector<std::wstring> TTreeNodes::NodeLines() const {
    std::vector<std::wstring> lines;
    for (const TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) {
        std::wstring text = n->Text();
        // Leading tabs would read as depth.
        for (std::size_t i = 0; i < text.size() && text[i] == L'\t'; ++i)
            text[i] = L' ';
        lines.push_back(std::wstring(static_cast<std::size_t>(n->Level()), L'\t') +
                        FormatItemLine({n->FImageIndex, n->FSelectedIndex, n->FExpanded ? 1 : 0}, {-1, -1, 0}, text));
    }
    return lines;
}

void TTreeNodes::SetNodeLines(const std::vector<std::wstring>& lines) {
    // Checked whole before anything is replaced: a bad line leaves the nodes as they were.
    struct TParsed {
        int Level;
        TItemLine Item;
    };
    std::vector<TParsed> parsed;
    parsed.reserve(lines.size());
    int previous = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::wstring& line = lines[i];
        const int number = static_cast<int>(i) + 1;
        const std::size_t depth = line.find_first_not_of(L'\t');
        const int level = static_cast<int>(depth == std::wstring::npos ? line.size() : depth);
        if (level > previous + 1)
            throw EConvertError(L"Tree node line " + IntToStr(number) + L" is nested deeper than the line before");
        TItemLine item = ParseItemLine(std::wstring_view(line).substr(static_cast<std::size_t>(level)), 3,
                                       L"Tree node", number);
        if (item.Numbers[2] && *item.Numbers[2] != 0 && *item.Numbers[2] != 1)
            throw EConvertError(L"Tree node line " + IntToStr(number) + L": Expanded is 0 or 1");
        parsed.push_back({level, std::move(item)});
        previous = level;
    }
    TUpdateScope update(*this);
    Clear();
    std::vector<TTreeNode*> path; // the last node of each level
    for (const TParsed& p : parsed) {
        path.resize(static_cast<std::size_t>(p.Level));
        TTreeNode* node = AddChild(path.empty() ? nullptr : path.back(), p.Item.Text);
        node->SetImageIndex(p.Item.Numbers[0].value_or(-1));
        node->SetSelectedIndex(p.Item.Numbers[1].value_or(-1));
        if (p.Item.Numbers[2].value_or(0) == 1) node->SetExpanded(true);
        path.push_back(node);
    }
}

void TTreeNodes::Assign(TPersistent* source) {
    auto* nodes = dynamic_cast<TTreeNodes*>(source);
    if (!nodes) {
        TPersistent::Assign(source);
        return;
    }
    if (nodes == this) return;
    TUpdateScope update(*this);
    Clear();
    for (const auto& root : nodes->FRoots)
        AddChild(nullptr, std::wstring())->Assign(root.get());
}

// ---- TCustomTreeView --------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TTreeNodes>(this)) {
    SetControlStyle(TControlStyle{csClickEvents, csDoubleClicks});
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() {
    // What the control owns goes first, then the window (its notifications still find the
    // nodes), then the nodes.
    Destroying();
    DestroyComponents();
    DestroyHandle();
    FSelected = nullptr;
    FItems.reset();
}

void TCustomTreeView::SetItems(TTreeNodes* items) {
    if (items) FItems->Assign(items);
}

void TCustomTreeView::CreateParams(TCreateParams& params) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_TREEVIEWW;
    if (FShowLines) params.Style |= TVS_HASLINES;
    if (FShowButtons) params.Style |= TVS_HASBUTTONS;
    if (FShowRoot) params.Style |= TVS_LINESATROOT;
    if (!FReadOnly) params.Style |= TVS_EDITLABELS;
    if (!FHideSelection) params.Style |= TVS_SHOWSELALWAYS;
    if (FRowSelect) params.Style |= TVS_FULLROWSELECT;
    if (FHotTrack) params.Style |= TVS_TRACKSELECT;
    if (FCheckBoxes) params.Style |= TVS_CHECKBOXES;
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
    TWinControl::CreateWnd();
    FChecksPending = FCheckBoxes;
    HWND tree = Handle();
    ApplyColors();
    // The images first: the tree takes their width as its indent, and a given indent stands.
    if (FImages) SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->Handle()));
    if (Indent() > 0) SendMessageW(tree, TVM_SETINDENT, static_cast<WPARAM>(Indent()), 0);
    TFlagScope syncing(FSyncing, true);
    SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < FItems->TopLevelCount(); ++i)
        InsertNative(FItems->TopLevelItem(i));
    if (FSelected && FSelected->FItem)
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSelected->FItem));
    if (FItems->FUpdateCount == 0) SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
}

void TCustomTreeView::InsertNative(TTreeNode* node) {
    if (!HandleAllocated()) return;
    TTreeNode* prev = node->GetPrevSibling();
    TVINSERTSTRUCTW insert{};
    insert.hParent = node->FParent ? node->FParent->FItem : TVI_ROOT;
    insert.hInsertAfter = prev ? prev->FItem : TVI_FIRST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(node->FText.c_str());
    insert.item.iImage = node->FImageIndex;
    insert.item.iSelectedImage = node->FSelectedIndex;
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    node->FItem = reinterpret_cast<HTREEITEM>(
        SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!node->FItem) throw EOutOfResources(L"The tree view refused a new item");
    CheckNative(node);
    for (auto& child : node->FChildren)
        InsertNative(child.get());
    if (node->FExpanded && node->HasChildren()) ExpandNative(node);
}

void TCustomTreeView::UpdateNative(TTreeNode* node, UINT mask) {
    if (!HandleAllocated() || !node->FItem) return;
    TVITEMW item{};
    item.mask = mask | TVIF_HANDLE;
    item.hItem = node->FItem;
    item.pszText = const_cast<wchar_t*>(node->FText.c_str());
    item.iImage = node->FImageIndex;
    item.iSelectedImage = node->FSelectedIndex;
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool TCustomTreeView::WindowHasCheckBoxes() const {
    // The window's style, not FCheckBoxes: while the window is made again for a change of it,
    // the old window still shows what it was made with.
    return HandleAllocated() && (GetWindowLongPtrW(const_cast<TCustomTreeView*>(this)->Handle(), GWL_STYLE) & TVS_CHECKBOXES);
}

void TCustomTreeView::CheckNative(TTreeNode* node) {
    if (!node->FItem || !WindowHasCheckBoxes()) return;
    TVITEMW item{};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = node->FItem;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(node->FChecked ? 2 : 1);
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TCustomTreeView::ReadChecks() {
    if (!WindowHasCheckBoxes()) return;
    for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNext()) node->Checked();
}

void TCustomTreeView::SetCheckBoxes(bool value) {
    if (value == FCheckBoxes) return;
    ReadChecks(); // while the window still shows them
    FCheckBoxes = value;
    RecreateWnd();
}

void TCustomTreeView::ExpandNative(TTreeNode* node) {
    if (!HandleAllocated() || !node->FItem || !node->HasChildren()) return;
    {
        TFlagScope syncing(FSyncing, true);
        SendMessageW(Handle(), TVM_EXPAND, node->FExpanded ? TVE_EXPAND : TVE_COLLAPSE,
                     reinterpret_cast<LPARAM>(node->FItem));
    }
    const LRESULT state = SendMessageW(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->FItem), TVIS_EXPANDED);
    node->FExpanded = (state & TVIS_EXPANDED) != 0;
}

void TCustomTreeView::NodeDeleting(TTreeNode* node) {
    if (FRefusedNode && FRefusedNode->HasAsParent(node)) FRefusedNode = nullptr;
    const bool selectedGoes = FSelected && FSelected->HasAsParent(node);
    if (HandleAllocated() && node->FItem) {
        // The platform moves the selection off a deleted item by itself, with the usual
        // notifications; a new selection inside the deleted nodes counts as none.
        SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->FItem));
        if (FSelected && FSelected->HasAsParent(node)) FSelected = nullptr;
    } else if (selectedGoes) {
        FSelected = nullptr;
    }
}

TTreeNode* TCustomTreeView::NodeFromItem(HTREEITEM handle) {
    if (!handle || !HandleAllocated()) return nullptr;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = handle;
    if (!SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<TTreeNode*>(item.lParam);
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    if (node && &node->FOwner != FItems.get()) return;
    if (HandleAllocated()) {
        // The platform asks (OnChanging) and tells (OnChange) through its notifications.
        SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->FItem : nullptr));
        return;
    }
    if (node == FSelected) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, node, allow);
    if (allow) SelectionChanged(node);
}

void TCustomTreeView::SelectionChanged(TTreeNode* node) {
    FSelected = node;
    if (OnChange) OnChange(this, node);
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) {
    if (!HandleAllocated()) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    SendMessageW(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (!(hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON))) return nullptr;
    return NodeFromItem(hit.hItem);
}

void TCustomTreeView::FullExpand() {
    TUpdateScope update(*FItems);
    for (int i = 0; i < FItems->TopLevelCount(); ++i)
        FItems->TopLevelItem(i)->Expand(true);
}

void TCustomTreeView::FullCollapse() {
    TUpdateScope update(*FItems);
    for (int i = 0; i < FItems->TopLevelCount(); ++i)
        FItems->TopLevelItem(i)->Collapse(true);
}

void TCustomTreeView::SetImages(TImageList* images) {
    if (images == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (FImages) FImages->FreeNotification(this);
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
    if (Indent() > 0) SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(Indent()), 0);
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        if (HandleAllocated()) SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    }
}

void TCustomTreeView::SetStyleFlag(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    RecreateWnd();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

void TCustomTreeView::SetIndent(int value) {
    FIndent.Set(std::max(value, 0), CurrentDpi());
    if (HandleAllocated() && Indent() > 0) SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(Indent()), 0);
}

void TCustomTreeView::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    if (FImages) FImages->SetDpi(newDpi); // a list no form owns follows the tree
    if (!HandleAllocated()) return;
    // The images at their new size (the tree sets its indent to their width), then a given indent.
    if (FImages) SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->Handle()));
    if (Indent() > 0) SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(Indent()), 0);
}

void TCustomTreeView::ApplyColors() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToColorRef(Color())));
    SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToColorRef(Font()->Color())));
}

void TCustomTreeView::EditNode(TTreeNode* node) {
    if (!node || !node->FItem || !HandleAllocated() || FReadOnly) return;
    SetFocus();
    SendMessageW(Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(node->FItem));
}

void TCustomTreeView::EndEditing(bool cancel) {
    if (!HandleAllocated()) return;
    // Wine's tree view hands over the typed text even when told to cancel.
    TFlagScope cancelling(FCancellingEdit, cancel);
    SendMessageW(Handle(), TVM_ENDEDITLABELNOW, cancel ? TRUE : FALSE, 0);
}

bool TCustomTreeView::IsEditing() const {
    auto* self = const_cast<TCustomTreeView*>(this);
    return self->HandleAllocated() && SendMessageW(self->Handle(), TVM_GETEDITCONTROL, 0, 0) != 0;
}

// ---- messages ---------------------------------------------------------------------------------

void TCustomTreeView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY:
        m.Result = HandleNotify(*reinterpret_cast<NMHDR*>(m.LParam));
        return;
    case WM_DESTROY: {
        // The check boxes the user clicked are kept for the next window.
        ReadChecks();
        // The platform deletes its items now, telling about each; none of that is the user's.
        TFlagScope syncing(FSyncing, true);
        TWinControl::WndProc(m);
        return;
    }
    case WM_NCDESTROY:
        for (TTreeNode* n = FItems ? FItems->GetFirstNode() : nullptr; n; n = n->GetNext())
            n->FItem = nullptr;
        break;
    case WM_PAINT:
        TWinControl::WndProc(m);
        if (FChecksPending) {
            // Wine's tree view gives every item an empty box when it first paints: the boxes
            // ticked before then are ticked again.
            FChecksPending = false;
            for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext())
                if (n->FChecked) CheckNative(n);
        }
        return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        TWinControl::WndProc(m);
        ApplyColors();
        return;
    case WM_GETDLGCODE:
        // While a label is edited, Enter and Esc end the edit instead of pressing the form's
        // default or cancel button.
        TWinControl::WndProc(m);
        if (IsEditing()) m.Result |= DLGC_WANTALLKEYS;
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

LRESULT TCustomTreeView::HandleNotify(NMHDR& header) {
    switch (header.code) {
    case TVN_SELCHANGINGW:
    case TVN_SELCHANGEDW:
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDEDW:
    case TVN_DELETEITEMW:
        return TVNotify(reinterpret_cast<NMTREEVIEWW&>(header));
    case TVN_BEGINLABELEDITW: {
        if (FReadOnly) return TRUE;
        auto& info = reinterpret_cast<NMTVDISPINFOW&>(header);
        auto* node = reinterpret_cast<TTreeNode*>(info.item.lParam);
        bool allow = true;
        if (OnEditing && node) OnEditing(this, node, allow);
        return allow ? FALSE : TRUE;
    }
    case TVN_ENDLABELEDITW: {
        auto& info = reinterpret_cast<NMTVDISPINFOW&>(header);
        auto* node = reinterpret_cast<TTreeNode*>(info.item.lParam);
        if (!info.item.pszText || !node || FCancellingEdit) return FALSE; // cancelled
        const std::wstring typed = info.item.pszText;
        std::wstring text = typed;
        if (OnEdited) OnEdited(this, node, text);
        node->FText = text;
        if (text == typed) return TRUE; // the platform takes the typed text
        UpdateNative(node, TVIF_TEXT);
        return FALSE;
    }
    default:
        return 0;
    }
}

LRESULT TCustomTreeView::TVNotify(NMTREEVIEWW& info) {
    auto* node = reinterpret_cast<TTreeNode*>(info.itemNew.lParam);
    switch (info.hdr.code) {
    case TVN_DELETEITEMW:
        if (auto* old = reinterpret_cast<TTreeNode*>(info.itemOld.lParam)) old->FItem = nullptr;
        return 0;
    case TVN_SELCHANGINGW: {
        if (FSyncing) return FALSE;
        bool allow = true;
        if (OnChanging) OnChanging(this, node, allow);
        return allow ? FALSE : TRUE;
    }
    case TVN_SELCHANGEDW:
        if (!FSyncing) SelectionChanged(node);
        return 0;
    case TVN_ITEMEXPANDINGW: {
        FRefusedNode = nullptr;
        if (FSyncing || !node) return FALSE;
        const UINT action = info.action & (TVE_EXPAND | TVE_COLLAPSE);
        const bool expanding = action == TVE_EXPAND || (action == TVE_TOGGLE && !(info.itemNew.state & TVIS_EXPANDED));
        bool allow = true;
        if (expanding && OnExpanding) OnExpanding(this, node, allow);
        if (!expanding && OnCollapsing) OnCollapsing(this, node, allow);
        // Wine's tree view collapses a node even when told not to: put it back afterwards.
        FRefusedNode = allow ? nullptr : node;
        return allow ? FALSE : TRUE;
    }
    case TVN_ITEMEXPANDEDW: {
        if (!node || !node->FItem) return 0;
        if (node == FRefusedNode) {
            FRefusedNode = nullptr;
            ExpandNative(node); // back to the state the node keeps
            return 0;
        }
        const LRESULT state =
            SendMessageW(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->FItem), TVIS_EXPANDED);
        node->FExpanded = (state & TVIS_EXPANDED) != 0;
        if (FSyncing) return 0;
        if (node->FExpanded && OnExpanded) OnExpanded(this, node);
        if (!node->FExpanded && OnCollapsed) OnCollapsed(this, node);
        return 0;
    }
    default:
        return 0;
    }
}

// ---- TTreeView --------------------------------------------------------------------------------

TTreeView::TTreeView(TComponent* owner) : TCustomTreeView(owner) {}

void TTreeView::Publish(TPublisher<TTreeView>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Enum(L"BorderStyle", BorderStyleType(), &TTreeView::BorderStyle, &TTreeView::SetBorderStyle);
    p.Object(L"Images", &TTreeView::Images, &TTreeView::SetImages);
    p.Object(L"Items", &TTreeView::Items, &TTreeView::SetItems);
    p.Boolean(L"ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines);
    p.Boolean(L"ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons);
    p.Boolean(L"ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot);
    p.Boolean(L"ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly);
    p.Boolean(L"HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection);
    p.Boolean(L"RowSelect", &TTreeView::RowSelect, &TTreeView::SetRowSelect);
    p.Boolean(L"HotTrack", &TTreeView::HotTrack, &TTreeView::SetHotTrack);
    p.Boolean(L"CheckBoxes", &TTreeView::CheckBoxes, &TTreeView::SetCheckBoxes);
    p.Integer(L"Indent", &TTreeView::Indent, &TTreeView::SetIndent);
    p.Event(L"OnChanging", &TTreeView::OnChanging);
    p.Event(L"OnChange", &TTreeView::OnChange);
    p.Event(L"OnExpanding", &TTreeView::OnExpanding);
    p.Event(L"OnCollapsing", &TTreeView::OnCollapsing);
    p.Event(L"OnExpanded", &TTreeView::OnExpanded);
    p.Event(L"OnCollapsed", &TTreeView::OnCollapsed);
    p.Event(L"OnEditing", &TTreeView::OnEditing);
    p.Event(L"OnEdited", &TTreeView::OnEdited);
}

} // namespace orvo
