#pragma once
// The machine the widget tests see: 8 GiB of RAM with 6 free, 2 GiB of swap
// with 1 free, and two drives, c: at / (25 of 100 GiB free) and d: at /home
// (40 of 50 GiB free).

#include "fakes/fake_disk.h"
#include "fakes/fake_memory.h"

inline void Set_Up_Fake_Machine(Fake_Memory& memory, Fake_Disk& disk)
{
    memory.status.ullTotalPhys = 8ull << 30;
    memory.status.ullAvailPhys = 6ull << 30;
    memory.status.ullTotalPageFile = 2ull << 30;
    memory.status.ullAvailPageFile = 1ull << 30;
    disk.listed = {{'c', "/"}, {'d', "/home"}};
    disk.drives['c'] = {0, 100ull << 30, 25ull << 30};
    disk.drives['d'] = {0, 50ull << 30, 40ull << 30};
}
