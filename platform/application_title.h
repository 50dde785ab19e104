#pragma once
// The application title captions every message box. It is derived from the program
// file's own name rather than set, so a renamed binary titles itself by its new name.

#include <QString>

// "SURVEY.APP.EXE" -> "Survey": the name up to its first full stop, every character
// after the first lower-cased.
QString applicationTitleFromFileName(const QString& fileName);

// The title of the running program.
QString applicationTitle();
