// TList: an ordered list of pointers that does not own them. TListOf<T*> is the same for a
// pointer type of one's choice; TList holds void*. Indexes out of range throw EListError
// "List index out of bounds (5)".
#pragma once

#include <algorithm>
#include <type_traits>
#include <vector>

namespace orvo {

[[noreturn]] void ListIndexError(int index);

template <class T> class TListOf {
    static_assert(std::is_pointer_v<T>, "TListOf holds pointers");

public:
    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    bool Empty() const noexcept { return FItems.empty(); }
    T Items(int index) const { return FItems[Checked(index)]; }
    T operator[](int index) const { return Items(index); }
    void SetItem(int index, T item) { FItems[Checked(index)] = item; }
    T First() const { return Items(0); }
    T Last() const { return Items(Count() - 1); }

    int Add(T item) {
        FItems.push_back(item);
        return Count() - 1;
    }
    void Insert(int index, T item) {
        if (index < 0 || index > Count()) ListIndexError(index);
        FItems.insert(FItems.begin() + index, item);
    }
    void Delete(int index) { FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(Checked(index))); }
    // Removes the first occurrence; its former index, or -1.
    int Remove(T item) {
        const int index = IndexOf(item);
        if (index >= 0) Delete(index);
        return index;
    }
    int IndexOf(T item) const noexcept {
        auto it = std::find(FItems.begin(), FItems.end(), item);
        return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
    }
    bool Contains(T item) const noexcept { return IndexOf(item) >= 0; }
    void Exchange(int a, int b) { std::swap(FItems[Checked(a)], FItems[Checked(b)]); }
    void Move(int from, int to) {
        T item = Items(from);
        Checked(to);
        Delete(from);
        Insert(to, item);
    }
    void Clear() noexcept { FItems.clear(); }

    auto begin() const noexcept { return FItems.begin(); }
    auto end() const noexcept { return FItems.end(); }

private:
    std::size_t Checked(int index) const {
        if (index < 0 || index >= Count()) ListIndexError(index);
        return static_cast<std::size_t>(index);
    }
    std::vector<T> FItems;
};

using TList = TListOf<void*>;

} // namespace orvo
