// Private to the framework: a window's font and colours on its widget. A child widget holds only what
// differs from its parent widget and inherits the rest, so siblings share their parent's palette and font
// instead of each keeping copies. Windows fill their background in their paint event rather than through
// Qt's automatic filling: the pixels are the same, but Qt does not count them as opaque, which would make
// its region work for every repaint of the parent grow with the number of siblings.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include <initializer_list>
#include <utility>

class QWidget;
class QRegion;

// Gives the widget `font`; a child inherits it when its parent's font is the same.
void SetWidgetFont(QWidget* widget, const QFont& font);

// Gives each role its colour in every colour group. A top-level widget keeps them all; a child keeps
// only the roles (these or set before) that differ from its parent's and inherits the others.
void SetWidgetColors(QWidget* widget, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colors);

// Sets on the child everything it now inherits, so that it keeps its font and colours when its parent's
// change next (a child that follows its parent sets them anew afterwards).
void KeepWidgetColors(QWidget* widget);
void KeepWidgetFont(QWidget* widget);

// Paints `region` with the widget's background brush, as automatic background filling would.
void FillWidgetBackground(QWidget* widget, const QRegion& region);
