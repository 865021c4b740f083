#include "layout_writer.h"

#include "published.h"
#include "sysutils.h"

#include <cstdint>

std::wstring LayoutString(std::wstring_view Text) {
    if (Text.empty()) return L"''";
    std::wstring out;
    bool quoted = false;
    for (const wchar_t c : Text) {
        const bool printable = c >= L' ' && c < 127;
        if (printable != quoted) {
            out += L'\'';
            quoted = printable;
        }
        if (!printable)
            out += L"#" + std::to_wstring(unsigned(c));
        else
            out += c == L'\'' ? std::wstring(L"''") : std::wstring(1, c);
    }
    if (quoted) out += L'\'';
    return out;
}

namespace {

class TLayoutWriter {
public:
    explicit TLayoutWriter(TComponent& Root) : FRoot(Root) {}

    std::wstring Write() {
        WriteComponent(FRoot, 0);
        return std::move(FOut);
    }

private:
    void Line(int Depth, const std::wstring& Text) {
        FOut.append(size_t(Depth) * 2, L' ');
        FOut += Text;
        FOut += L'\n';
    }

    void WriteComponent(TComponent& Component, int Depth) {
        Line(Depth, L"object " + Component.Name() + L": " + Component.ClassName());
        WriteProperties(Component, L"", Depth + 1);
        for (int i = 0; i < FRoot.ComponentCount(); ++i) {
            TComponent* child = FRoot.Components(i);
            if (child->IsSubComponent() || child->Name().empty()) continue;
            TComponent* parent = child->GetParentComponent();
            if ((parent ? parent : &FRoot) == &Component) WriteComponent(*child, Depth + 1);
        }
        Line(Depth, L"end");
    }

    void WriteProperties(TPersistent& Object, const std::wstring& Prefix, int Depth) {
        for (const TPropInfo& p : Object.ClassInfo().Properties()) {
            if (p.IsStored && !p.IsStored(Object)) continue;
            const std::wstring name = Prefix + p.Name;
            if (p.Kind == TPropKind::Object || p.Kind == TPropKind::SubComponent) {
                if (TPersistent* nested = p.ObjectOf(Object)) WriteProperties(*nested, name + L".", Depth);
            } else if (p.Kind == TPropKind::Event) {
                const std::wstring handler = p.HandlerNameOf(Object);
                if (!handler.empty()) Line(Depth, name + L" = " + handler);
            } else if (p.IsReadOnly()) {
                continue; // could not be read back
            } else if (p.Kind == TPropKind::String) {
                const std::wstring value = p.GetString(Object);
                if (!p.StringDefault || value != *p.StringDefault)
                    Line(Depth, name + L" = " + LayoutString(value));
            } else {
                const long long value = p.GetOrdinal(Object);
                if (!p.OrdinalDefault || value != *p.OrdinalDefault)
                    Line(Depth, name + L" = " + Ordinal(p, value));
            }
        }
    }

    static std::wstring Ordinal(const TPropInfo& Prop, long long Value) {
        switch (Prop.Kind) {
        case TPropKind::Boolean:
            return Value ? L"True" : L"False";
        case TPropKind::Enum:
            if (const std::wstring* name = Prop.Idents->NameOf(Value)) return *name;
            throw Exception(Prop.Name + L": " + std::to_wstring(Value) + L" is not a " +
                            Prop.Idents->TypeName() + L" value");
        case TPropKind::Set: {
            std::wstring out;
            for (const TEnumInfo::TEntry& e : Prop.Idents->Entries())
                if (e.Value != 0 && (Value & e.Value) == e.Value) out += (out.empty() ? L"" : L", ") + e.Name;
            return L"[" + out + L"]";
        }
        case TPropKind::Color:
            // Numbers for colours without a name, system colours negative as 32-bit signed numbers.
            if (const std::wstring* name = Prop.Idents->NameOf(Value)) return *name;
            return std::to_wstring(static_cast<std::int32_t>(static_cast<std::uint32_t>(Value)));
        default:
            if (Prop.Idents)
                if (const std::wstring* name = Prop.Idents->NameOf(Value)) return *name;
            return std::to_wstring(Value);
        }
    }

    TComponent& FRoot;
    std::wstring FOut;
};

} // namespace

// The getters are only read; the tables hold non-const accessors because setters share their shape.
std::wstring WriteLayout(const TComponent& Root) {
    return TLayoutWriter(const_cast<TComponent&>(Root)).Write();
}
