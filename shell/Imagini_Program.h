#pragma once
// The program's own pictures, drawn in code: the window icon, the maker's
// logo and the built-in background of the main window.

#include <QIcon>
#include <QPixmap>

QIcon Icoana_Program();
QPixmap Imagine_Logo(const QSize& marime);
QPixmap Imagine_Fundal(const QSize& marime);
