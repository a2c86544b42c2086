#pragma once
// The program's icon, a pie gauge in the gauges' own colours. Its bitmaps are
// made from the one drawing (data/vistrel.svg) at build time and built into
// the program, so every window shows it wherever the program runs from.

#include <QIcon>

QIcon Program_Icon();
