// TComponent: ownership and destruction order, names, free notifications and sibling
// notifications in every order of death, published fields following their components.
#include "framework/base/exceptions.h"
#include "framework/base/properties.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

std::vector<std::wstring> Log;

// Records its death and the notifications it receives; drops Ref when Ref is removed.
class TProbe : public TComponent {
    ORVO_CLASS(TProbe, TComponent)
public:
    explicit TProbe(TComponent* owner, std::wstring_view name = {}) : TComponent(owner) { SetName(name); }
    ~TProbe() override {
        Log.push_back(L"~" + Name());
        if (Victim) delete Victim; // a component freeing another one
        if (Ref) Log.push_back(Name() + L" still sees " + Ref->Name());
    }
    TComponent* Ref = nullptr;
    TComponent* Victim = nullptr;
    bool DeleteRefOnInsert = false;

protected:
    void Notification(TComponent* c, TOperation op) override {
        inherited::Notification(c, op);
        if (op == opRemove && c == Ref) {
            Log.push_back(Name() + L" drops " + c->Name());
            Ref = nullptr;
        }
        if (op == opRemove && c == Victim) Victim = nullptr;
    }
};
ORVO_IMPLEMENT_CLASS(TProbe);

class TProbeForm : public TComponent {
    ORVO_CLASS(TProbeForm, TComponent)
public:
    using TComponent::TComponent;
    TProbe* btnOk = nullptr;
    static void Publish(TPublisher<TProbeForm>& p) { p.Field(L"btnOk", &TProbeForm::btnOk); }
};
ORVO_IMPLEMENT_CLASS(TProbeForm);

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { Log.clear(); }
};

TEST_F(ComponentTest, OwnerFreesInReverseOrderAndDeleteRemovesFromOwner) {
    auto* owner = new TProbe(nullptr, L"Owner");
    new TProbe(owner, L"A");
    auto* b = new TProbe(owner, L"B");
    new TProbe(owner, L"C");
    EXPECT_EQ(b->ComponentIndex(), 1);
    delete b;
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent(L"b"), nullptr);
    Log.clear();
    delete owner;
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"~Owner", L"~C", L"~A"}));
}

TEST_F(ComponentTest, NamesAreUniqueAmongSiblingsIgnoringCase) {
    TComponent owner(nullptr);
    auto* a = new TProbe(&owner, L"Button1");
    auto* b = new TProbe(&owner);
    new TProbe(&owner); // two empty names are fine
    EXPECT_THROW(b->SetName(L"BUTTON1"), EComponentError);
    EXPECT_EQ(b->Name(), L"");
    a->SetName(L"BUTTON1"); // its own name in another case
    EXPECT_EQ(owner.FindComponent(L"button1"), a);
    EXPECT_THROW(b->SetName(L"1abc"), EComponentError);
    EXPECT_THROW(b->SetName(L"a b"), EComponentError);
    TComponent other(nullptr);
    auto* clash = new TProbe(&other, L"Button1");
    EXPECT_THROW(owner.InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), &other) << "a refused insertion leaves it where it was";
    EXPECT_THROW(a->InsertComponent(&owner), EComponentError) << "owner cycle";
}

TEST_F(ComponentTest, FreeNotificationTargetDiesFirst) {
    auto* observer = new TProbe(nullptr, L"Observer");
    auto* target = new TProbe(nullptr, L"Target");
    observer->Ref = target;
    target->FreeNotification(observer);
    delete target;
    EXPECT_EQ(observer->Ref, nullptr);
    delete observer;
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"~Target", L"Observer drops Target", L"~Observer"}));
}

TEST_F(ComponentTest, FreeNotificationObserverDiesFirst) {
    auto* observer = new TProbe(nullptr, L"Observer");
    auto* target = new TProbe(nullptr, L"Target");
    observer->Ref = target;
    target->FreeNotification(observer);
    target->FreeNotification(observer); // registering twice is once
    delete observer;                    // the target must forget it, or it would call a dead object
    delete target;
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"~Observer", L"Observer still sees Target", L"~Target"}));
}

TEST_F(ComponentTest, RemovedFreeNotificationIsNotSent) {
    auto* observer = new TProbe(nullptr, L"Observer");
    auto* target = new TProbe(nullptr, L"Target");
    observer->Ref = target;
    target->FreeNotification(observer);
    target->RemoveFreeNotification(observer);
    delete target;
    EXPECT_EQ(observer->Ref, target);
    observer->Ref = nullptr;
    delete observer;
}

TEST_F(ComponentTest, SiblingsAreToldWhenOneIsRemovedInEitherOrder) {
    auto* owner = new TComponent(nullptr);
    auto* first = new TProbe(owner, L"First");
    auto* second = new TProbe(owner, L"Second");
    first->Ref = second; // second dies first during the owner's destruction
    delete owner;
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"First drops Second", L"~Second", L"~First"}));

    Log.clear();
    owner = new TComponent(nullptr);
    first = new TProbe(owner, L"First");
    second = new TProbe(owner, L"Second");
    first->Ref = second;
    delete second; // freed on its own, before the owner
    EXPECT_EQ(first->Ref, nullptr);
    delete owner;
    // Its own destructor ran first: the owner hears of it from the component's base part.
    EXPECT_EQ(Log, (std::vector<std::wstring>{L"~Second", L"First drops Second", L"~First"}));
}

TEST_F(ComponentTest, ComponentFreedWhileItsOwnerIsBeingDestroyed) {
    auto* owner = new TComponent(nullptr);
    auto* bystander = new TProbe(owner, L"Bystander");
    auto* victim = new TProbe(owner, L"Victim");
    auto* killer = new TProbe(owner, L"Killer"); // destroyed first: it frees the victim itself
    killer->Victim = victim;
    bystander->Ref = victim;
    delete owner;
    EXPECT_EQ(Log,
              (std::vector<std::wstring>{L"~Killer", L"~Victim", L"Bystander drops Victim", L"~Bystander"}));
}

TEST_F(ComponentTest, NotificationHandlerMayFreeOtherComponents) {
    // When A is removed, B (told first: walked from the end) frees C, which is later in the walk.
    struct TFreer : TProbe {
        using TProbe::TProbe;
        TComponent* FreeOnRemoval = nullptr;
        void Notification(TComponent* c, TOperation op) override {
            TProbe::Notification(c, op);
            if (op == opRemove && FreeOnRemoval && c != FreeOnRemoval) {
                TComponent* doomed = FreeOnRemoval;
                FreeOnRemoval = nullptr;
                delete doomed;
            }
        }
    };
    auto* owner = new TComponent(nullptr);
    auto* a = new TProbe(owner, L"A");
    auto* c = new TProbe(owner, L"C");
    auto* b = new TFreer(owner, L"B");
    b->FreeOnRemoval = c;
    auto* d = new TProbe(owner, L"D");
    d->Ref = a;
    delete a;
    EXPECT_EQ(d->Ref, nullptr);
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete owner;
}

TEST_F(ComponentTest, OwnerIsMarkedDestroyingBeforeItsComponentsDie) {
    struct TWatcher : TComponent {
        using TComponent::TComponent;
        ~TWatcher() override { *Seen = Owner() == nullptr && ComponentState().Contains(csDestroying); }
        bool* Seen = nullptr;
    };
    bool seen = false;
    auto* owner = new TComponent(nullptr);
    auto* w = new TWatcher(owner);
    w->Seen = &seen;
    EXPECT_FALSE(owner->ComponentState().Contains(csDestroying));
    delete owner;
    EXPECT_TRUE(seen);
}

TEST_F(ComponentTest, PublishedFieldFollowsItsComponent) {
    TProbeForm form(nullptr);
    auto* ok = new TProbe(&form, L"btnOk");
    EXPECT_EQ(form.btnOk, ok);
    ok->SetName(L"btnCancel");
    EXPECT_EQ(form.btnOk, nullptr);
    ok->SetName(L"BTNOK");
    EXPECT_EQ(form.btnOk, ok);
    delete ok;
    EXPECT_EQ(form.btnOk, nullptr);
    auto* wrongClass = new TComponent(&form);
    wrongClass->SetName(L"btnOk");
    EXPECT_EQ(form.btnOk, nullptr) << "a component of another class is not wired";
}

} // namespace
} // namespace orvo
