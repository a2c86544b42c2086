#pragma once

// The application title: task-bar entry, main window caption, about box
// product name and the caption of the standard error report.
inline constexpr char Program_Title[] = "Vistrel v4.8f";
