// The gallery's MDI page: a frame of documents, made in code, with children of different kinds (a
// memo, a form with buttons, a report whose own menu merges into the frame's bar, a fixed-size
// tool window), a File menu that opens more, and a Window menu that arranges and lists them. The
// frame frees itself (and its children) when it is closed; the gallery goes on.
#pragma once

namespace orvo {

class TComponent;
class TForm;

// Opens a new frame with one child of each kind; `owner` frees it if it is still open then.
TForm* OpenMdiGallery(TComponent* owner);

} // namespace orvo
