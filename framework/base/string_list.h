// TStrings: lines of UTF-16 text, each with an optional object (not owned). An abstract base: a
// storage class implements Count/Get/Insert/Delete/Clear (and objects, if it keeps them); a
// control's Lines is a TStrings bound to the control. TStringList keeps the lines in memory.
//
// Stored forms write a TStrings property as `Lines.Strings = ('one' 'two')`.
#pragma once

#include "framework/base/object.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvo {

template <class T> class TPublisher;

class TStrings : public TPersistent {
    ORVO_CLASS(TStrings, TPersistent)
public:
    virtual int Count() const = 0;
    // Indexes out of range throw EStringListError "List index out of bounds (5)".
    virtual std::wstring Get(int index) const = 0;
    virtual void Put(int index, const std::wstring& text);
    virtual TObject* Objects(int index) const;
    virtual void PutObject(int index, TObject* object);
    // index == Count() appends.
    virtual void Insert(int index, const std::wstring& text) = 0;
    virtual void InsertObject(int index, const std::wstring& text, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual void Move(int from, int to);

    std::wstring operator[](int index) const { return Get(index); }
    int Add(const std::wstring& text);
    // Appends; a list that keeps itself sorted overrides this and answers where the line went.
    virtual int AddObject(const std::wstring& text, TObject* object);
    void AddStrings(const TStrings& source);
    void Exchange(int a, int b);

    // Searches compare ASCII case-insensitively; -1 when absent.
    virtual int IndexOf(std::wstring_view text) const;
    int IndexOfName(std::wstring_view name) const;
    int IndexOfObject(const TObject* object) const;

    // Name=Value lines: the name is the text before the first "=" (empty without one).
    std::wstring Names(int index) const;
    std::wstring ValueFromIndex(int index) const;
    std::wstring Values(std::wstring_view name) const;
    // Replaces the value of the first line with that name, or adds a line; an empty value
    // deletes the line.
    void SetValue(std::wstring_view name, std::wstring_view value);

    // Every line followed by CR LF.
    std::wstring Text() const;
    // Splits at CR LF, LF or CR; a final line break adds no empty line.
    void SetText(std::wstring_view text);
    std::vector<std::wstring> ToVector() const;
    void SetStrings(const std::vector<std::wstring>& lines);
    bool Equals(const TStrings& other) const;

    // Changes inside one update are announced once, at the end.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const noexcept { return FUpdateCount; }

    void Assign(TPersistent* source) override;
    static void Publish(TPublisher<TStrings>& p);

protected:
    virtual void SetUpdateState(bool updating);
    [[noreturn]] static void IndexError(int index);

private:
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
    ORVO_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    explicit TStringList(const std::vector<std::wstring>& lines);

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& text) override;
    TObject* Objects(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::wstring& text) override;
    void InsertObject(int index, const std::wstring& text, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    void Move(int from, int to) override;
    // Orders the lines by ASCII case-insensitive comparison, keeping equal lines in their order.
    void Sort();

    // Before and after every change (once around an update).
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    struct TItem {
        std::wstring Text;
        TObject* Object = nullptr;
    };
    const TItem& At(int index) const;
    std::vector<TItem> FItems;
};

} // namespace orvo
