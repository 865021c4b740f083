#include "layout_reader.h"

#include "class_registry.h"
#include "layout_tokenizer.h"
#include "published.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

namespace {

// A property value as written, before the property's kind gives it a meaning.
struct TLayoutValue {
    enum { Integer, Identifier, String, Set } Kind = Integer;
    long long Number = 0;
    std::wstring Text;
    std::vector<std::wstring> Elements;
};

std::wstring Quoted(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

class TLayoutReader {
public:
    TLayoutReader(TComponent& Root, std::wstring_view Text) : FRoot(Root), FTokens(Text) {}

    void Read() {
        try {
            FRoot.SetLoading(true);
            FLoaded.push_back(&FRoot);
            ReadRoot();
            for (TComponent* c : FLoaded) {
                c->Loaded();
                c->SetLoading(false);
            }
        } catch (...) {
            for (TComponent* c : FLoaded)
                c->SetLoading(false);
            for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
                (*it)->Free();
            throw;
        }
    }

private:
    const TLayoutToken& Token() const { return FTokens.Current(); }

    [[noreturn]] void Fail(int Line, const std::wstring& Message) const {
        std::wstring where = FComponent;
        if (!FPath.empty()) where += L"." + FPath;
        if (!where.empty()) where += L": ";
        throw ELayoutError(where + L"line " + std::to_wstring(Line) + L": " + Message, Line);
    }

    [[noreturn]] void Unexpected(const std::wstring& Expected) const {
        if (Token().Kind == TLayoutTokenKind::Invalid) Fail(Token().Line, Token().Text);
        if (Token().Kind == TLayoutTokenKind::EndOfText)
            Fail(Token().Line, Expected + L" expected, end of layout found");
        Fail(Token().Line, Expected + L" expected");
    }

    void Expect(wchar_t Symbol) {
        if (!Token().IsSymbol(Symbol)) Unexpected(Quoted(std::wstring(1, Symbol)));
        FTokens.Next();
    }

    std::wstring ExpectIdentifier(const std::wstring& What) {
        if (Token().Kind != TLayoutTokenKind::Identifier) Unexpected(What);
        std::wstring s = Token().Text;
        FTokens.Next();
        return s;
    }

    // Runs Action and reports the Exception it raises at Line, in the current context.
    template <class A> void Guarded(int Line, A&& Action) {
        try {
            Action();
        } catch (const ELayoutError&) {
            throw;
        } catch (const Exception& e) {
            Fail(Line, e.Message());
        } catch (const std::exception& e) {
            const std::string what = e.what();
            Fail(Line, std::wstring(what.begin(), what.end()));
        }
    }

    void ReadRoot() {
        if (!Token().IsIdentifier(L"object")) Unexpected(Quoted(L"object"));
        const int line = Token().Line;
        FTokens.Next();
        const std::wstring name = ExpectIdentifier(L"component name");
        FComponent = name;
        Expect(L':');
        const std::wstring className = ExpectIdentifier(L"class name");
        if (!SameText(className, FRoot.ClassName()))
            Fail(line, L"class " + className + L" does not match " + FRoot.ClassName());
        Guarded(line, [&] { FRoot.SetName(name); });
        ReadBody(FRoot);
        if (Token().Kind != TLayoutTokenKind::EndOfText) {
            FComponent.clear();
            Unexpected(L"end of layout");
        }
    }

    // Properties and nested blocks up to the block's "end".
    void ReadBody(TComponent& Component) {
        for (;;) {
            if (Token().IsIdentifier(L"end")) {
                FTokens.Next();
                return;
            }
            if (Token().IsIdentifier(L"object"))
                ReadChild(Component);
            else if (Token().Kind == TLayoutTokenKind::Identifier)
                ReadProperty(Component);
            else if (Token().Kind == TLayoutTokenKind::EndOfText)
                Unexpected(Quoted(L"end"));
            else
                Unexpected(L"property, \"object\" or \"end\"");
        }
    }

    void ReadChild(TComponent& Parent) {
        const int line = Token().Line;
        FTokens.Next();
        const std::wstring name = ExpectIdentifier(L"component name");
        const std::wstring outer = FComponent;
        FComponent = name;
        Expect(L':');
        const std::wstring className = ExpectIdentifier(L"class name");
        const TClassInfo* info = FindComponentClass(className);
        if (!info) Fail(line, L"unknown class " + className);
        if (!info->CanCreate()) Fail(line, L"class " + className + L" cannot be created");

        TComponent* component = nullptr;
        Guarded(line, [&] { component = info->Create(&FRoot); });
        FCreated.push_back(component);
        FLoaded.push_back(component);
        component->SetLoading(true);
        Guarded(line, [&] {
            component->SetName(name);
            component->SetParentComponent(&Parent);
        });
        if (const TFieldInfo* field = FRoot.ClassInfo().FindField(name))
            if (!field->Set(FRoot, component))
                Fail(line, L"the form's field " + name + L" cannot hold a " + className);
        ReadBody(*component);
        FComponent = outer;
    }

    void ReadProperty(TComponent& Component) {
        const int line = Token().Line;
        std::vector<std::wstring> path{ExpectIdentifier(L"property name")};
        FPath = path.back();
        while (Token().IsSymbol(L'.')) {
            FTokens.Next();
            path.push_back(ExpectIdentifier(L"property name"));
            FPath += L"." + path.back();
        }
        Expect(L'=');

        TPersistent* target = &Component;
        for (size_t i = 0; i + 1 < path.size(); ++i) {
            const TPropInfo* p = target->ClassInfo().FindProperty(path[i]);
            if (!p) Fail(line, L"unknown property " + path[i]);
            if (p->Kind != TPropKind::Object && p->Kind != TPropKind::SubComponent)
                Fail(line, path[i] + L" has no properties");
            target = p->ObjectOf(*target);
            if (!target) Fail(line, path[i] + L" is not assigned");
            if (p->Kind == TPropKind::SubComponent) MarkLoading(*target);
        }
        const TPropInfo* prop = target->ClassInfo().FindProperty(path.back());
        if (!prop) Fail(line, L"unknown property");
        if (prop->Kind == TPropKind::Object || prop->Kind == TPropKind::SubComponent)
            Fail(line, L"an object takes no value; set its properties");
        if (prop->IsReadOnly()) Fail(line, L"read-only property");

        const TLayoutValue value = ReadValue();
        Guarded(line, [&] { Apply(*prop, *target, value, line); });
        FPath.clear();
    }

    void MarkLoading(TPersistent& Object) {
        auto* component = dynamic_cast<TComponent*>(&Object);
        if (!component || std::find(FLoaded.begin(), FLoaded.end(), component) != FLoaded.end()) return;
        component->SetLoading(true);
        FLoaded.push_back(component);
    }

    TLayoutValue ReadValue() {
        TLayoutValue v;
        switch (Token().Kind) {
        case TLayoutTokenKind::Integer:
            v.Number = Token().Integer;
            FTokens.Next();
            return v;
        case TLayoutTokenKind::Identifier:
            v.Kind = TLayoutValue::Identifier;
            v.Text = Token().Text;
            FTokens.Next();
            return v;
        case TLayoutTokenKind::String:
            v.Kind = TLayoutValue::String;
            v.Text = Token().Text;
            FTokens.Next();
            // A long text may go on over several lines: 'first part' + 'second part'.
            while (Token().IsSymbol(L'+')) {
                FTokens.Next();
                if (Token().Kind != TLayoutTokenKind::String) Unexpected(L"string");
                v.Text += Token().Text;
                FTokens.Next();
            }
            return v;
        default:
            break;
        }
        if (!Token().IsSymbol(L'[')) Unexpected(L"value");
        v.Kind = TLayoutValue::Set;
        FTokens.Next();
        if (Token().IsSymbol(L']')) {
            FTokens.Next();
            return v;
        }
        for (;;) {
            v.Elements.push_back(ExpectIdentifier(L"set element"));
            if (Token().IsSymbol(L']')) break;
            Expect(L',');
        }
        FTokens.Next();
        return v;
    }

    void Apply(const TPropInfo& Prop, TPersistent& Target, const TLayoutValue& Value, int Line) {
        switch (Prop.Kind) {
        case TPropKind::Integer:
        case TPropKind::Color:
            return Prop.SetOrdinal(Target, IntegerValue(Prop, Value, Line));
        case TPropKind::Boolean:
            if (Value.Kind == TLayoutValue::Identifier &&
                (SameText(Value.Text, L"True") || SameText(Value.Text, L"False")))
                return Prop.SetOrdinal(Target, SameText(Value.Text, L"True") ? 1 : 0);
            Fail(Line, L"True or False expected");
        case TPropKind::String:
            if (Value.Kind != TLayoutValue::String) Fail(Line, L"string expected");
            return Prop.SetString(Target, Value.Text);
        case TPropKind::Enum:
            if (Value.Kind != TLayoutValue::Identifier)
                Fail(Line, Prop.Idents->TypeName() + L" value expected");
            return Prop.SetOrdinal(Target, IdentValue(*Prop.Idents, Value.Text, Line));
        case TPropKind::Set: {
            if (Value.Kind != TLayoutValue::Set) Fail(Line, L"set expected");
            long long bits = 0;
            for (const std::wstring& e : Value.Elements)
                bits |= IdentValue(*Prop.Idents, e, Line);
            return Prop.SetOrdinal(Target, bits);
        }
        case TPropKind::Event:
            return BindHandler(Prop, Target, Value, Line);
        case TPropKind::Object:
        case TPropKind::SubComponent:
            break;
        }
    }

    long long IntegerValue(const TPropInfo& Prop, const TLayoutValue& Value, int Line) const {
        const bool colour = Prop.Kind == TPropKind::Color;
        if (Value.Kind == TLayoutValue::Identifier && Prop.Idents) {
            if (const std::optional<long long> v = Prop.Idents->ValueOf(Value.Text)) return *v;
            Fail(Line, Quoted(Value.Text) + (colour ? L" is not a colour"
                                                    : L" is not a " + Prop.Idents->TypeName() + L" value"));
        }
        if (Value.Kind != TLayoutValue::Integer)
            Fail(Line, colour ? L"colour expected" : L"integer expected");
        if (Value.Number < Prop.MinValue || Value.Number > Prop.MaxValue) Fail(Line, L"integer out of range");
        // Colours are 32 bits: a negative number stands for the same bits as the unsigned one.
        return colour ? static_cast<long long>(static_cast<TColor>(Value.Number)) : Value.Number;
    }

    long long IdentValue(const TEnumInfo& Idents, const std::wstring& Name, int Line) const {
        const std::optional<long long> v = Idents.ValueOf(Name);
        if (!v) Fail(Line, Quoted(Name) + L" is not a " + Idents.TypeName() + L" value");
        return *v;
    }

    void BindHandler(const TPropInfo& Prop, TPersistent& Target, const TLayoutValue& Value, int Line) {
        if (Value.Kind != TLayoutValue::Identifier) Fail(Line, L"handler name expected");
        const TMethodInfo* method = FRoot.ClassInfo().FindMethod(Value.Text);
        if (!method) Fail(Line, L"unknown handler " + Value.Text);
        if (!Prop.SetHandler(Target, method->Bind(FRoot)))
            Fail(Line, L"handler " + Value.Text + L" does not fit the event");
    }

    TComponent& FRoot;
    TLayoutTokenizer FTokens;
    std::vector<TComponent*> FCreated; // freed again, newest first, when the read fails
    std::vector<TComponent*> FLoaded;  // in the order Loaded() runs
    std::wstring FComponent;           // where an error is: the component's name ...
    std::wstring FPath;                // ... and the property's path
};

} // namespace

void ReadLayout(TComponent& Root, std::wstring_view Text) {
    TLayoutReader(Root, Text).Read();
}
