#pragma once
// Stored layouts compiled into the executable as RCDATA resources.
#include "component.h"

// Reads the layout kept in the RCDATA resource ResourceName of the running executable into Root.
// Raises Exception when the resource is missing, and what ReadLayout raises for a bad layout.
void ReadLayoutResource(TComponent& Root, const wchar_t* ResourceName);
