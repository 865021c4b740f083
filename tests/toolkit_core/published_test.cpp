// Tables of published properties: order, inheritance, access, handlers by name, the class registry.
#include "probe_components.h"

#include "toolkit/class_registry.h"
#include "toolkit/published.h"
#include "toolkit/sysutils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> PropertyNames(const TClassInfo& Info) {
    std::vector<std::wstring> names;
    for (const TPropInfo& p : Info.Properties())
        names.push_back(p.Name);
    return names;
}

using Names = std::vector<std::wstring>;

TEST(PublishedTable, DerivedTableFollowsBaseInDeclarationOrderAndRedeclaredPropertyKeepsItsPlace) {
    const Names base{L"Left", L"Width", L"Caption",    L"Visible", L"Kind",      L"Style",   L"Color",
                     L"Flag", L"Count", L"ParentFont", L"Font",    L"AutoLabel", L"OnClick", L"OnKeyDown"};
    EXPECT_EQ(PropertyNames(TProbe::StaticClass()), base);
    Names derived = base;
    derived.push_back(L"Extra");
    EXPECT_EQ(PropertyNames(TProbeEx::StaticClass()), derived);

    EXPECT_EQ(*TProbe::StaticClass().FindProperty(L"Width")->OrdinalDefault, 0);
    EXPECT_EQ(*TProbeEx::StaticClass().FindProperty(L"width")->OrdinalDefault, 100);
    EXPECT_EQ(TProbe::StaticClass().FindProperty(L"Extra"), nullptr);
}

TEST(PublishedTable, KindsDefaultsAndReadOnlyAsDeclared) {
    const TClassInfo& info = TProbe::StaticClass();
    struct Case {
        const wchar_t* Name;
        TPropKind Kind;
        bool HasDefault;
        bool ReadOnly;
    };
    for (const Case& c :
         {Case{L"Left", TPropKind::Integer, false, false}, Case{L"Caption", TPropKind::String, true, false},
          Case{L"Visible", TPropKind::Boolean, true, false}, Case{L"Kind", TPropKind::Enum, false, false},
          Case{L"Style", TPropKind::Set, true, false}, Case{L"Color", TPropKind::Color, true, false},
          Case{L"Flag", TPropKind::Boolean, false, false}, Case{L"Count", TPropKind::Integer, false, true},
          Case{L"Font", TPropKind::Object, false, true},
          Case{L"AutoLabel", TPropKind::SubComponent, false, true},
          Case{L"OnKeyDown", TPropKind::Event, false, false}}) {
        const TPropInfo* p = info.FindProperty(c.Name);
        ASSERT_NE(p, nullptr) << c.Name;
        EXPECT_EQ(p->Kind, c.Kind) << c.Name;
        EXPECT_EQ(p->HasDefault(), c.HasDefault) << c.Name;
        EXPECT_EQ(p->IsReadOnly(), c.ReadOnly) << c.Name;
    }
    EXPECT_EQ(*info.FindProperty(L"Visible")->OrdinalDefault, 1);
    EXPECT_EQ(*info.FindProperty(L"Color")->OrdinalDefault, static_cast<long long>(clWindow));
}

TEST(PublishedTable, ObjectTellsItsOwnClassAtRunTime) {
    TProbeForm form;
    TComponent* ex = new TProbeEx(&form);
    EXPECT_EQ(ex->ClassName(), L"TProbeEx");
    EXPECT_TRUE(ex->ClassInfo().InheritsFrom(TProbe::StaticClass()));
    EXPECT_FALSE(TProbe::StaticClass().InheritsFrom(TProbeEx::StaticClass()));
    EXPECT_EQ(static_cast<TProbe*>(ex)->AutoLabel()->ClassName(), L"TProbeLabel");
    EXPECT_EQ(static_cast<TProbe*>(ex)->Font().ClassName(), L"TFont");
}

TEST(PublishedTable, AccessorsGoThroughGettersSettersAndFields) {
    TProbeForm form;
    auto* probe = new TProbe(&form);
    probe->SetName(L"p");
    const TClassInfo& info = probe->ClassInfo();
    ProbeLog().clear();

    info.FindProperty(L"Left")->SetOrdinal(*probe, -5);
    info.FindProperty(L"Kind")->SetOrdinal(*probe, pkTwo);
    info.FindProperty(L"Caption")->SetString(*probe, L"Nome");
    info.FindProperty(L"Flag")->SetOrdinal(*probe, 1);
    EXPECT_EQ(ProbeLog(), (Names{L"p.Left=-5", L"p.Kind=2", L"p.Caption=Nome"})); // the field has no setter
    EXPECT_TRUE(probe->Flag);
    EXPECT_EQ(info.FindProperty(L"Left")->GetOrdinal(*probe), -5);
    EXPECT_EQ(info.FindProperty(L"Caption")->GetString(*probe), L"Nome");
    EXPECT_EQ(info.FindProperty(L"Count")->GetOrdinal(*probe), 7);
    EXPECT_EQ(info.FindProperty(L"AutoLabel")->ObjectOf(*probe), probe->AutoLabel());
    EXPECT_EQ(info.FindProperty(L"Font")->ObjectOf(*probe), &probe->Font());
}

TEST(PublishedTable, FontStoresEverySettingButTheSize) {
    const TClassInfo& info = TFont::StaticClass();
    EXPECT_EQ(PropertyNames(info), (Names{L"Charset", L"Color", L"Height", L"Name", L"Size", L"Style"}));
    TFont font;
    for (const TPropInfo& p : info.Properties()) {
        EXPECT_FALSE(p.HasDefault()) << p.Name;
        EXPECT_EQ(!p.IsStored || p.IsStored(font), p.Name != L"Size") << p.Name;
    }
    info.FindProperty(L"Size")->SetOrdinal(font, 12);
    EXPECT_EQ(font.Height(), -16);
}

TEST(PublishedHandlers, FormMethodBindsByNameAndTheEventRemembersIt) {
    TProbeForm form;
    auto* probe = new TProbe(&form);
    probe->SetName(L"btnGo");
    const TMethodInfo* click = form.ClassInfo().FindMethod(L"buttonclick");
    ASSERT_NE(click, nullptr);
    const TPropInfo& onClick = *probe->ClassInfo().FindProperty(L"OnClick");
    const TPropInfo& onKey = *probe->ClassInfo().FindProperty(L"OnKeyDown");

    EXPECT_FALSE(onKey.SetHandler(*probe, click->Bind(form))); // another signature
    ASSERT_TRUE(onClick.SetHandler(*probe, click->Bind(form)));
    probe->OnClick(probe);
    EXPECT_EQ(form.Calls, (Names{L"ButtonClick(btnGo)"}));
    EXPECT_EQ(onClick.HandlerNameOf(*probe), L"ButtonClick");

    ASSERT_TRUE(onKey.SetHandler(*probe, form.ClassInfo().FindMethod(L"KeyDown")->Bind(form)));
    WORD key = 120;
    probe->OnKeyDown(probe, key, ssShift | ssCtrl);
    EXPECT_EQ(key, 0); // the handler's change reaches the caller
    EXPECT_EQ(form.Calls.back(), L"KeyDown(120,5)");

    probe->OnClick = [](TObject*) {};
    EXPECT_EQ(onClick.HandlerNameOf(*probe), L""); // assigned in code: no name to store
    EXPECT_EQ(form.ClassInfo().FindMethod(L"Missing"), nullptr);
}

TEST(ClassRegistry, CreatesRegisteredClassesByNameWithAnOwner) {
    RegisterProbeClasses();
    RegisterProbeClasses(); // again: nothing changes
    TProbeForm form;
    TComponent* c = CreateComponent(L"tprobeex", &form);
    EXPECT_EQ(c->ClassName(), L"TProbeEx");
    EXPECT_EQ(c->Owner(), &form);
    EXPECT_EQ(FindComponentClass(L"TProbe"), &TProbe::StaticClass());
    EXPECT_FALSE(FindComponentClass(L"TAbstractProbe")->CanCreate());

    struct Case {
        const wchar_t* ClassName;
        const wchar_t* Message;
    };
    for (const Case& k :
         {Case{L"TNothing", L"Class TNothing not found"},
          Case{L"TAbstractProbe", L"Cannot create a component of the class TAbstractProbe"}}) {
        try {
            CreateComponent(k.ClassName, &form);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), k.Message);
        }
    }
    EXPECT_EQ(form.ComponentCount(), 1);

    static const TClassInfo impostor(L"TProbe", &TComponent::StaticClass());
    try {
        RegisterComponentClass(impostor);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"A class named TProbe is already registered");
    }
}

} // namespace
