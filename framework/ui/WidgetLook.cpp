// A window's font and colours on its widget, inherited from the parent where they are the same.
#include "ui/WidgetLook.h"

#include <QPainter>
#include <QRegion>
#include <QWidget>

namespace {

// The widget a child inherits from; null for a top-level widget.
const QWidget* InheritsFrom(const QWidget* widget) {
    return widget->isWindow() ? nullptr : widget->parentWidget();
}

constexpr QPalette::ColorGroup Groups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};

} // namespace

void SetWidgetFont(QWidget* widget, const QFont& font) {
    const QWidget* parent = InheritsFrom(widget);
    if (!parent || parent->font() != font)
        widget->setFont(font);
    else if (widget->testAttribute(Qt::WA_SetFont))
        widget->setFont(QFont()); // nothing of its own: the parent's
}

void SetWidgetColors(QWidget* widget, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colors) {
    const QWidget* parent = InheritsFrom(widget);
    auto inheritedAlready = [&] {
        for (const auto& [role, color] : colors)
            for (QPalette::ColorGroup group : Groups)
                if (parent->palette().color(group, role) != color) return false;
        return true;
    };
    // Mostly a child of the same colours as its parent, with nothing of its own.
    if (parent && !widget->testAttribute(Qt::WA_SetPalette) && inheritedAlready()) return;
    QPalette wanted = widget->palette();
    for (const auto& [role, color] : colors)
        wanted.setColor(role, color);
    if (!parent) {
        widget->setPalette(wanted);
        return;
    }
    const QPalette& inherited = parent->palette();
    QPalette own; // only what differs from the parent is resolved in it
    bool differs = false;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = static_cast<QPalette::ColorRole>(role);
        if (r == QPalette::NoRole) continue;
        for (QPalette::ColorGroup group : Groups)
            if (wanted.brush(group, r) != inherited.brush(group, r)) {
                own.setBrush(group, r, wanted.brush(group, r));
                differs = true;
            }
    }
    if (differs)
        widget->setPalette(own);
    else if (widget->testAttribute(Qt::WA_SetPalette))
        widget->setPalette(QPalette());
}

void KeepWidgetColors(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setResolveMask(~QPalette::ResolveMask(0));
    widget->setPalette(palette);
}

void KeepWidgetFont(QWidget* widget) {
    QFont font = widget->font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    widget->setFont(font);
}

void FillWidgetBackground(QWidget* widget, const QRegion& region) {
    const QBrush brush = widget->palette().brush(widget->backgroundRole());
    if (brush.style() == Qt::NoBrush) return;
    QPainter painter(widget);
    for (const QRect& rect : region)
        painter.fillRect(rect, brush);
}
