#pragma once

#include <QString>

// Turns a filter list of "description|pattern" pairs ("Movies |*.mp4;*.avi|All Files (*.*)|*.*")
// into the form Qt's file dialogs take ("Movies (*.mp4 *.avi);;All Files (*)").
// A description that already ends in its pattern list in brackets keeps only one copy of it, and
// "*.*" becomes "*" so that "All Files" also lists files without an extension.
QString qtFileDialogFilter(const QString& pipeSeparated);
