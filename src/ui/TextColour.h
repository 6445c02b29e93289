// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace quorin {

// A control's text colour, as the forms give it.
inline void setTextColour(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

} // namespace quorin
