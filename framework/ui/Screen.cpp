#include "ui/Screen.h"

#include "core/StringList.h"
#include "graphics/QtConvert.h"
#include "ui/Form.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

TScreen* Screen = &TScreen::Instance();

FW_PUBLISH(TScreen) {
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
}

TScreen::~TScreen() {
    delete FFonts;
}

TScreen& TScreen::Instance() {
    static TScreen* screen = new TScreen(nullptr);
    return *screen;
}

int TScreen::Width() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

int TScreen::Height() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 0;
}

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == FCursor) return;
    if (FCursor != crDefault) QApplication::restoreOverrideCursor();
    FCursor = cursor;
    if (cursor != crDefault) QApplication::setOverrideCursor(QCursor(ToQtCursorShape(cursor)));
}

bool TScreen::HasCursor(TCursor cursor) const {
    std::string name;
    return CursorToIdent(cursor, name);
}

TStrings* TScreen::Fonts() {
    if (!FFonts) {
        auto* list = new TStringList;
        QStringList families = QFontDatabase::families();
        for (const QString& family : families)
            list->Add(family.toStdString());
        list->SetSorted(true);
        FFonts = list;
    }
    return FFonts;
}

TCustomForm* TScreen::ActiveForm() const {
    QWidget* window = QApplication::activeWindow();
    HWND handle = window ? WindowOfWidget(window) : nullptr;
    return handle ? dynamic_cast<TCustomForm*>(FindControl(handle)) : nullptr;
}

TWinControl* TScreen::ActiveControl() const {
    QWidget* focus = QApplication::focusWidget();
    HWND handle = focus ? WindowOfWidget(focus) : nullptr;
    return handle ? FindControl(handle) : nullptr;
}

void TScreen::AddForm(TCustomForm* form) {
    FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
}
