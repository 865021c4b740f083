#pragma once
// Reads a stored layout into a form that already exists. The root block describes the form itself;
// every nested block creates a component of the registered class it names, owned by the form and
// given the component of the enclosing block as its parent before any of its properties. Properties
// are applied in file order with the loading state on; event properties bind the form's published
// handlers by name; Loaded() runs on every component only after the whole layout has been read.
#include "component.h"
#include "sysutils.h"

#include <string>
#include <string_view>

// A layout that cannot be read. The message names the component, the property and the line:
// "edtUsername.AutoLabel.Caption: line 31: unknown property".
class ELayoutError : public Exception {
public:
    ELayoutError(std::wstring Message, int Line) : Exception(std::move(Message)), FLine(Line) {}
    int Line() const { return FLine; }

private:
    int FLine;
};

// Raises ELayoutError for a layout that does not fit the form, its classes or the format; what Loaded()
// raises passes through. Either way the components the failed read created are freed again.
void ReadLayout(TComponent& Root, std::wstring_view Text);
