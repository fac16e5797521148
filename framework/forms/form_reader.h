// Filling a component (the root: a form, a data module) from its stored form.
//
// The root's own properties are set, every nested object is created by class name with the root
// as owner, named, given its enclosing component through SetParentComponent, and has its
// properties set; events are bound to the root's published methods; component references
// (`Menu = MainMenu1`) are resolved once the whole form is read, so they may point forwards; the
// root's published fields then point at the components of their names. During the read the root
// and every new component carry csLoading and csReading. Finally csReading is cleared and
// Loaded() runs on every new component in the order of the text (an enclosing object before
// those inside it), then on the root.
//
// Any error throws EReadError naming the line (and the property); the components created by that
// read are freed again, and what was set on the root stays.
//
// Read a root only after its constructor has finished: its class must be the most derived one so
// that its published fields and methods are found.
#pragma once

#include "framework/base/component.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace orvo {

class TStream;
struct TFormObject;

void ReadForm(TComponent* root, const TFormObject& form);
// UTF-8 text of a stored form.
void ReadFormText(TComponent* root, std::string_view utf8);
// The stream's content from its current position to its end.
void ReadFormStream(TComponent* root, TStream& stream);

// The resource name under which the stored form of a class is compiled: the class name in upper
// case ("TFMAINWIN").
std::wstring FormResourceName(const TClassInfo& cls);
// Reads the RCDATA resource named after the root's class from the module (the program when
// null). False when there is no such resource; read errors throw.
bool ReadComponentRes(TComponent* root, HMODULE instance = nullptr);

} // namespace orvo
