// Tree views over the platform's tree view (SysTreeView32).
//
// Classes in this file:
//   TTreeNode       one node: Text, ImageIndex, SelectedIndex, Expanded, Data, its children
//   TTreeNodes      the nodes of one tree view (Items), storable as lines of text
//   TCustomTreeView the control: Images, ShowLines, ShowButtons, ShowRoot, ReadOnly,
//                   HideSelection, RowSelect, HotTrack, BorderStyle, and its events
//   TTreeView       the published class
//
// The nodes are the control's own model: they exist with or without a window, and the native
// items are made from them whenever a window is made (so re-creating the window keeps every node,
// its expansion and the selection). What the user changes in the window (expanding, selecting,
// editing a label) is written back into the nodes from the control's notifications.
//
// Events: OnChanging/OnChange around every change of the selection (by the user or by code);
// OnExpanding/OnCollapsing may refuse the user's expanding or collapsing, OnExpanded/OnCollapsed
// follow it; OnEditing may refuse a label edit, OnEdited may change the new text.
//
// In a stored form the nodes are `Items.Nodes = ( ... )`, one string per node in depth-first
// order: as many leading tab characters (#9) as the node's depth, then the node in the item-line
// form of item_lines.h with the numbers ImageIndex, SelectedIndex and Expanded (1), each optional:
//     Items.Nodes = ( '{0,1,1}Fruits' #9'Apple' #9'{2}Pear' 'Vegetables' )
// A node's text cannot begin with a tab.
#pragma once

#include "framework/controls/control_publish.h"
#include "framework/controls/win_control.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TCustomTreeView;
class TImageList;
class TTreeNodes;

class TTreeNode : public TPersistent {
    ORVO_CLASS(TTreeNode, TPersistent)
public:
    TTreeNode(TTreeNodes& owner, TTreeNode* parent);
    ~TTreeNode() override;

    TTreeNodes& Owner() const noexcept { return FOwner; }
    TCustomTreeView* TreeView() const noexcept;
    // The native item while the tree view has a window.
    HTREEITEM ItemId() const noexcept { return FItem; }

    const std::wstring& Text() const noexcept { return FText; }
    void SetText(const std::wstring& text);
    // Images of Images: shown normally and when the node is selected; -1 for none.
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int index);
    int SelectedIndex() const noexcept { return FSelectedIndex; }
    void SetSelectedIndex(int index);
    // A node without children keeps the wish and opens when it gets some.
    bool Expanded() const noexcept { return FExpanded; }
    void SetExpanded(bool value);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const noexcept;
    void SetSelected(bool value);
    // The node's check box (a tree view with CheckBoxes): the window's state while it has one,
    // so a user's click counts; kept across re-creation.
    bool Checked() const;
    void SetChecked(bool value);
    // Not owned.
    void* Data = nullptr;

    TTreeNode* Parent() const noexcept { return FParent; }
    int Count() const noexcept { return static_cast<int>(FChildren.size()); }
    bool HasChildren() const noexcept { return !FChildren.empty(); }
    // Throws EListError for an index out of range.
    TTreeNode* Item(int index) const;
    // Position among its siblings.
    int Index() const noexcept;
    // 0 for a top-level node.
    int Level() const noexcept;
    // Position in the depth-first order of all nodes.
    int AbsoluteIndex() const noexcept;
    TTreeNode* GetFirstChild() const noexcept { return FChildren.empty() ? nullptr : FChildren.front().get(); }
    TTreeNode* GetLastChild() const noexcept { return FChildren.empty() ? nullptr : FChildren.back().get(); }
    TTreeNode* GetNextSibling() const noexcept;
    TTreeNode* GetPrevSibling() const noexcept;
    // The next node in depth-first order (null after the last).
    TTreeNode* GetNext() const noexcept;
    // True for this node and every node below it.
    bool HasAsParent(const TTreeNode* node) const noexcept;

    // Frees the node and its children (same as TTreeNodes::Delete).
    void Delete();
    void DeleteChildren();
    // Scrolls and expands the parents so that the node can be seen.
    void MakeVisible();
    // The rectangle of the node in the tree view's client area (text only or the whole row);
    // empty without a window or when the node is inside a collapsed parent.
    RECT DisplayRect(bool textOnly) const;

    void Assign(TPersistent* source) override;
    static void Publish(TPublisher<TTreeNode>& p);

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;

    TTreeNodes& FOwner;
    TTreeNode* FParent;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    std::wstring FText;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    bool FExpanded = false;
    mutable bool FChecked = false;
    HTREEITEM FItem = nullptr;
};

class TTreeNodes : public TPersistent {
    ORVO_CLASS(TTreeNodes, TPersistent)
public:
    explicit TTreeNodes(TCustomTreeView* owner);
    ~TTreeNodes() override;

    TCustomTreeView* Owner() const noexcept { return FOwner; }
    // All nodes, at every depth.
    int Count() const noexcept { return FCount; }
    // The node at a depth-first position; throws EListError out of range.
    TTreeNode* Item(int absoluteIndex) const;
    TTreeNode* GetFirstNode() const noexcept { return FRoots.empty() ? nullptr : FRoots.front().get(); }
    int TopLevelCount() const noexcept { return static_cast<int>(FRoots.size()); }
    TTreeNode* TopLevelItem(int index) const;

    // A new last sibling of `sibling` (a top-level node when null).
    TTreeNode* Add(TTreeNode* sibling, const std::wstring& text);
    // A new first sibling of `sibling`.
    TTreeNode* AddFirst(TTreeNode* sibling, const std::wstring& text);
    // A new last (first) child of `parent` (top-level when null).
    TTreeNode* AddChild(TTreeNode* parent, const std::wstring& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::wstring& text);
    // A new node just before `sibling` (the last top-level node when null).
    TTreeNode* Insert(TTreeNode* sibling, const std::wstring& text);
    // A new child of `parent` (top-level when null) at `index` among its children (clamped).
    TTreeNode* InsertAt(TTreeNode* parent, int index, const std::wstring& text);
    // Frees the node and those below it.
    void Delete(TTreeNode* node);
    void Clear();

    // The window is not redrawn until the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    // The nodes as the stored form's lines (see the header comment); setting them replaces every
    // node. Throws EConvertError for a line that is not well formed.
    std::vector<std::wstring> NodeLines() const;
    void SetNodeLines(const std::vector<std::wstring>& lines);

    void Assign(TPersistent* source) override;
    static void Publish(TPublisher<TTreeNodes>& p);

private:
    friend class TTreeNode;
    friend class TCustomTreeView;

    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent) { return parent ? parent->FChildren : FRoots; }
    void RemoveNode(TTreeNode* node);

    TCustomTreeView* FOwner;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    int FCount = 0;
    int FUpdateCount = 0;
};

using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::wstring& S)>;

class TCustomTreeView : public TWinControl {
    ORVO_CLASS(TCustomTreeView, TWinControl)
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() noexcept { return FItems.get(); }
    void SetItems(TTreeNodes* items);
    TTreeNode* Selected() const noexcept { return FSelected; }
    void SetSelected(TTreeNode* node);
    // The node at a client point, or null.
    TTreeNode* GetNodeAt(int x, int y);
    // The node of one of this tree view's native items (null for none).
    TTreeNode* NodeFromItem(HTREEITEM item);
    void FullExpand();
    void FullCollapse();

    TImageList* Images() const noexcept { return FImages; }
    void SetImages(TImageList* images);
    bool ShowLines() const noexcept { return FShowLines; }
    void SetShowLines(bool value) { SetStyleFlag(FShowLines, value); }
    bool ShowButtons() const noexcept { return FShowButtons; }
    void SetShowButtons(bool value) { SetStyleFlag(FShowButtons, value); }
    bool ShowRoot() const noexcept { return FShowRoot; }
    void SetShowRoot(bool value) { SetStyleFlag(FShowRoot, value); }
    // No label editing.
    bool ReadOnly() const noexcept { return FReadOnly; }
    void SetReadOnly(bool value) { SetStyleFlag(FReadOnly, value); }
    // The selection is shown only while the control has the focus.
    bool HideSelection() const noexcept { return FHideSelection; }
    void SetHideSelection(bool value) { SetStyleFlag(FHideSelection, value); }
    // The whole row is highlighted (the platform allows it only without ShowLines).
    bool RowSelect() const noexcept { return FRowSelect; }
    void SetRowSelect(bool value) { SetStyleFlag(FRowSelect, value); }
    bool HotTrack() const noexcept { return FHotTrack; }
    void SetHotTrack(bool value) { SetStyleFlag(FHotTrack, value); }
    // A check box before every node (TVS_CHECKBOXES; the window is made again to change it).
    bool CheckBoxes() const noexcept { return FCheckBoxes; }
    void SetCheckBoxes(bool value);
    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // Pixels each level is moved right; 0 for the platform's default.
    int Indent() const noexcept { return FIndent.At(CurrentDpi()); }
    void SetIndent(int value);

    // Label editing from code (not ReadOnly): starts editing the node, or ends it.
    void EditNode(TTreeNode* node);
    void EndEditing(bool cancel);
    bool IsEditing() const;

    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnExpanded;
    TTVExpandedEvent OnCollapsed;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void ChangeScale(int oldDpi, int newDpi) override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;

    void SetStyleFlag(bool& flag, bool value);
    void ApplyColors();
    // Native side of the model.
    void InsertNative(TTreeNode* node);
    void UpdateNative(TTreeNode* node, UINT mask);
    void CheckNative(TTreeNode* node);
    bool WindowHasCheckBoxes() const;
    // Reads every node's check box from the window, before the window goes.
    void ReadChecks();
    void ExpandNative(TTreeNode* node);
    void DeleteNative(TTreeNode* node);
    void NodeDeleting(TTreeNode* node);
    void SelectionChanged(TTreeNode* node);
    // Notifications (CN_NOTIFY); answers the notification's result.
    LRESULT HandleNotify(NMHDR& header);
    LRESULT TVNotify(NMTREEVIEWW& info);

    std::unique_ptr<TTreeNodes> FItems;
    TTreeNode* FSelected = nullptr;
    TImageList* FImages = nullptr;
    bool FShowLines = true;
    bool FShowButtons = true;
    bool FShowRoot = true;
    bool FReadOnly = false;
    bool FHideSelection = true;
    bool FRowSelect = false;
    bool FHotTrack = false;
    bool FCheckBoxes = false;
    bool FChecksPending = false; // the new window's first paint clears the boxes
    TBorderStyle FBorderStyle = bsSingle;
    TScaledLength FIndent{0};
    // While the native items are made or destroyed, their notifications are not the user's.
    bool FSyncing = false;
    bool FCancellingEdit = false;
    // The node whose expanding or collapsing the program refused last.
    TTreeNode* FRefusedNode = nullptr;
};

class TTreeView : public TCustomTreeView {
    ORVO_CLASS(TTreeView, TCustomTreeView)
public:
    explicit TTreeView(TComponent* owner);
    static void Publish(TPublisher<TTreeView>& p);
};

} // namespace orvo
