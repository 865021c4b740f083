// Ownership, destruction order and notices, names and state of TComponent.
#include "probe_components.h"

#include "toolkit/component.h"
#include "toolkit/sysutils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every notice it gets, and whether each component still alive in the subtree being destroyed
// was already marked as destroying.
class TRecorder : public TComponent {
public:
    TRecorder(TComponent* AOwner, const std::wstring& AName, std::vector<std::wstring>& ALog,
              std::vector<TComponent*>* ASubtree = nullptr)
        : TComponent(AOwner), FLog(ALog), FSubtree(ASubtree) {
        SetName(AName);
    }
    ~TRecorder() override {
        FLog.push_back(L"~" + Name());
        if (FSubtree) std::erase(*FSubtree, this);
    }

    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        FLog.push_back(Name() + (Operation == opInsert ? L" insert " : L" remove ") + AComponent->Name());
        if (FSubtree)
            for (TComponent* c : *FSubtree)
                if (!c->IsDestroying()) FLog.push_back(c->Name() + L" not yet destroying");
    }

private:
    std::vector<std::wstring>& FLog;
    std::vector<TComponent*>* FSubtree;
};

using Log = std::vector<std::wstring>;

TEST(ComponentDestruction, MarksSubtreeThenTellsListenersThenFreesOwnedNewestFirstThenOwner) {
    Log log;
    std::vector<TComponent*> subtree;
    auto* listener = new TRecorder(nullptr, L"L", log, &subtree);
    auto* form = new TRecorder(nullptr, L"Form", log, &subtree);
    auto* a = new TRecorder(form, L"A", log, &subtree);
    auto* a1 = new TRecorder(a, L"A1", log, &subtree);
    auto* b = new TRecorder(form, L"B", log, &subtree);
    auto* c = new TRecorder(form, L"C", log, &subtree);
    subtree = {form, a, a1, b, c};
    b->FreeNotification(listener);
    form->FreeNotification(listener);
    log.clear();

    form->Free();

    EXPECT_EQ(log, (Log{L"L remove Form", // the listener hears before anything is freed
                        L"Form remove C", L"~C", L"L remove B", L"Form remove B",
                        L"~B", // B's own listener before its owner
                        L"A remove A1", L"~A1", L"Form remove A", L"~A", L"~Form"}));
    subtree.clear();
    listener->Free();
}

TEST(ComponentDestruction, ComponentFreedBeforeItsOwnerLeavesTheOwner) {
    Log log;
    auto* form = new TRecorder(nullptr, L"Form", log);
    auto* a = new TRecorder(form, L"A", log);
    new TRecorder(form, L"B", log);
    log.clear();

    a->Free();
    EXPECT_EQ(log, (Log{L"Form remove A", L"~A"}));
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(form->FindComponent(L"A"), nullptr);

    log.clear();
    form->Free(); // A is not freed a second time
    EXPECT_EQ(log, (Log{L"Form remove B", L"~B", L"~Form"}));
}

TEST(ComponentDestruction, ListenerFreedFirstIsNeverToldAgain) {
    Log log;
    auto* watched = new TRecorder(nullptr, L"W", log);
    auto* listener = new TRecorder(nullptr, L"L", log);
    watched->FreeNotification(listener);
    log.clear();

    listener->Free();
    EXPECT_EQ(log, (Log{L"W remove L", L"~L"})); // the link works both ways
    log.clear();
    watched->Free();
    EXPECT_EQ(log, (Log{L"~W"}));
}

TEST(ComponentDestruction, RemovedLinkIsUndoneBothWays) {
    Log log;
    auto* a = new TRecorder(nullptr, L"A", log);
    auto* b = new TRecorder(nullptr, L"B", log);
    a->FreeNotification(b);
    b->RemoveFreeNotification(a);
    log.clear();
    a->Free();
    b->Free();
    EXPECT_EQ(log, (Log{L"~A", L"~B"}));
}

TEST(ComponentDestruction, OwnerThatAlsoListensIsToldOnce) {
    Log log;
    auto* form = new TRecorder(nullptr, L"Form", log);
    auto* a = new TRecorder(form, L"A", log);
    a->FreeNotification(form);
    log.clear();
    a->Free();
    EXPECT_EQ(log, (Log{L"Form remove A", L"~A"}));
    form->Free();
}

TEST(ComponentDestruction, PlainDeleteStillFreesOwnedComponents) {
    Log log;
    auto* form = new TRecorder(nullptr, L"Form", log);
    new TRecorder(form, L"A", log);
    log.clear();
    delete form;
    EXPECT_EQ(log, (Log{L"~Form", L"~A"}));
}

TEST(ComponentOwnership, InsertAndRemoveNoticesGoToTheOwner) {
    Log log;
    auto* first = new TRecorder(nullptr, L"First", log);
    auto* second = new TRecorder(nullptr, L"Second", log);
    auto* a = new TRecorder(nullptr, L"A", log);
    first->InsertComponent(a);
    second->InsertComponent(a);
    EXPECT_EQ(log, (Log{L"First insert A", L"First remove A", L"Second insert A"}));
    EXPECT_EQ(a->Owner(), second);
    EXPECT_EQ(first->ComponentCount(), 0);
    EXPECT_EQ(second->Components(0), a);
    first->Free();
    second->Free();
}

TEST(ComponentOwnership, EditorForgetsItsLabelWhenTheLabelIsFreedFirst) {
    TProbeForm form;
    auto* edit = new TProbe(&form);
    ASSERT_NE(edit->AutoLabel(), nullptr);
    EXPECT_TRUE(edit->AutoLabel()->IsSubComponent());
    edit->AutoLabel()->Free();
    EXPECT_EQ(edit->AutoLabel(), nullptr);
    EXPECT_EQ(edit->ComponentCount(), 0);
}

TEST(ComponentOwnership, FormFieldIsClearedWhenItsComponentLeaves) {
    TProbeForm form;
    form.edtFirst = new TProbe(&form);
    auto* other = new TProbe(&form);
    form.pnlBox = other;
    form.edtFirst->Free();
    EXPECT_EQ(form.edtFirst, nullptr);
    EXPECT_EQ(form.pnlBox, other);
}

TEST(ComponentNames, FindComponentIgnoresLetterCase) {
    TProbeForm form;
    new TProbe(&form); // unnamed: never found, not even by the empty name
    auto* user = new TProbe(&form);
    user->SetName(L"edtUser_1");
    struct Case {
        const wchar_t* Name;
        bool Found;
    };
    for (const Case& c : {Case{L"edtUser_1", true}, Case{L"EDTUSER_1", true}, Case{L"edtuser_1", true},
                          Case{L"edtUser", false}, Case{L"edtUser_12", false}, Case{L"", false}})
        EXPECT_EQ(form.FindComponent(c.Name), c.Found ? user : nullptr) << c.Name;
}

TEST(ComponentNames, SetNameRejectsInvalidAndDuplicateNames) {
    TProbeForm form;
    auto* a = new TProbe(&form);
    auto* b = new TProbe(&form);
    a->SetName(L"edtUser");
    b->SetName(L"");        // any number of components may stay unnamed
    a->SetName(L"EDTUSER"); // renaming to itself in other letter case
    EXPECT_EQ(a->Name(), L"EDTUSER");

    struct Case {
        const wchar_t* Name;
        const wchar_t* Message;
    };
    for (const Case& c : {Case{L"edtuser", L"A component named edtuser already exists"},
                          Case{L"1edt", L"\"1edt\" is not a valid component name"},
                          Case{L"edt user", L"\"edt user\" is not a valid component name"},
                          Case{L"edt\u00e1", L"\"edt\u00e1\" is not a valid component name"}}) {
        try {
            b->SetName(c.Name);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        EXPECT_EQ(b->Name(), L"");
    }
    b->SetName(L"_edt2");
    EXPECT_EQ(b->Name(), L"_edt2");
}

TEST(ComponentState, DesigningPassesToOwnedComponentsAndFlagsAreIndependent) {
    TProbeForm form;
    auto* edit = new TProbe(&form);
    form.SetDesigning(true);
    EXPECT_TRUE(edit->IsDesigning());
    EXPECT_TRUE(edit->AutoLabel()->IsDesigning());
    edit->SetLoading(true);
    EXPECT_EQ(edit->ComponentState(), unsigned(csDesigning | csLoading));
    edit->Loaded();
    EXPECT_EQ(edit->ComponentState(), unsigned(csDesigning));
    // A component made while its owner is being designed is designed from its constructor on, with
    // what it makes there.
    auto* later = new TProbe(&form);
    EXPECT_TRUE(later->IsDesigning());
    EXPECT_TRUE(later->AutoLabel()->IsDesigning());
    form.SetDesigning(false);
    EXPECT_FALSE(edit->AutoLabel()->IsDesigning());
    EXPECT_FALSE(later->IsDesigning());
}

} // namespace
