#include "mcRegister.h"

#include "mcBtn.h"
#include "mcEdit.h"
#include "mcRichEdit.h"
#include "toolkit/class_registry.h"

void RegisterControlClasses() { RegisterComponentClasses<TmcEdit, TmcRichEdit, TmcBtn>(); }
