#include "dropdown/modGridCombo.h"

#include "platform/grid/DataGrid.h"

namespace modGridCombo {

// NOTE: GridControl may hold a grid when a thread ends with a list
// prepared; the record is made after the thread's window manager (a control
// exists before anyone asks for it), so it goes before the window manager
// and the grid can still destroy its window.
GridState& state()
{
    thread_local GridState record;
    return record;
}

} // namespace modGridCombo
