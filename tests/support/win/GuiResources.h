// The process's GDI and USER object counts, for finding leaks: what
// GetGuiResources reports, or where the platform leaves that unimplemented
// (Wine), a count taken from the GDI handle table the system maps into every
// process and from the process's windows.
#pragma once

#include <windows.h>

namespace zavo {

struct GuiObjectCounts {
    unsigned long gdi = 0;   // GDI objects (DCs, bitmaps, fonts, brushes, pens, regions...)
    unsigned long user = 0;  // USER objects (GetGuiResources), or windows where it is not implemented
    bool operator==(const GuiObjectCounts& o) const { return gdi == o.gdi && user == o.user; }
    bool operator!=(const GuiObjectCounts& o) const { return !(*this == o); }
};

GuiObjectCounts CountGuiObjects();
// The same counts for another process (opened with PROCESS_QUERY_INFORMATION
// and PROCESS_VM_READ): its handle table is read from its memory where
// GetGuiResources is not implemented, and its windows are counted.
GuiObjectCounts CountGuiObjects(HANDLE process);

}  // namespace zavo
