#pragma once
// The program's icon: three lottery balls on a green tile, drawn at every size a window may ask for.

#include <QIcon>

QIcon ProgramIcon();
