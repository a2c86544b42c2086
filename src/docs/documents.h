#pragma once
// The two text documents delivered with the program, the readme and the
// maker's catalogue, opened in the system's text editor. The program never
// reads or writes them; it only checks for them and starts the editor.

#include <QString>

// The running executable's folder, with its trailing separator.
QString Program_Folder();

// The readme: the executable's name up to its first "." + ".txt"
// (vistrel -> vistrel.txt, my.tool.exe -> my.txt), in the program folder when
// it is there, else in the installed data folder when it is there, else in
// the program folder. Empty when the executable's path cannot be learned.
QString Readme_Path();

// "catalog.txt", looked for in the same two places.
QString Catalogue_Path();

// Starts the editor on the file, or says why not. Returns at once; the editor
// runs on its own, and a failed start is silent.
void Open_In_Notepad(const QString& path);

// Opens the catalogue when it is there, or tells the user where it belongs.
void Open_Catalogue(const QString& product_title);
