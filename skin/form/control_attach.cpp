// The skin objects of a skinned window's controls: every child of the window (a framework form's
// controls in tab order, a bare window's child windows) gets the skin object of its kind, and they
// are all released when the window is unskinned.
#include "skin/form/form_skin.h"

namespace orvo {

// The control families are not skinned yet: every control keeps the platform's look.
void TWinSkinForm::AttachControlSkins() {}

void TWinSkinForm::ReleaseSkinControls() {}

} // namespace orvo
