#pragma once
// The program's icon, drawn rather than shipped, so the window and the About box share it.

#include <QIcon>
#include <QPixmap>

namespace qm {

QPixmap QuillmarkPixmap(int size);
QIcon QuillmarkIcon();

}  // namespace qm
