#pragma once
// File and folder tests, and the quote stripper they use.

#include <QString>

// Trims leading and trailing blanks (the blank character only), then removes
// one pair of double quotes when the text both starts and ends with one.
QString Scoate_Ghilimele(const QString& text);

// True only for a regular file that opens for reading. The path is stripped
// with Scoate_Ghilimele and loses one trailing "/" (or "\").
bool Exista_Fisier(const QString& path);

// True when a folder or a file exists at the path; a folder may be written
// with or without its trailing "/" (or "\"). A blank path ("" or " ") and
// every failure of the look-up give false.
bool Exista_Director(const QString& path);
