#pragma once

// Who the editor is to the desktop: the name "Stepwright" (also the window class on X11), the
// version, and the reverse-DNS id that names its desktop entry, icon, MIME package and
// AppStream file alike. Callable before the application object exists. The settings store
// keeps its own fixed names and does not move with these.
namespace sw {

void setApplicationIdentity();

} // namespace sw
