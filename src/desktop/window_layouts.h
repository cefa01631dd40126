#pragma once

// The layout tables of the three windows: the speech window, the
// translation window and the hint window, one table each
// (form1_layout.cpp, form2_layout.cpp, form3_layout.cpp).

#include "model/window_layout.h"

namespace prevod {

const WindowLayout& Form1Layout();
const WindowLayout& Form2Layout();
const WindowLayout& Form3Layout();

}  // namespace prevod
