#include "widgets/Edit.h"
#include "core/ClassRegistry.h"

#include "graphics/Font.h"
#include "graphics/QtConvert.h"
#include "ui/WidgetLook.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"
#include "widgets/StandardProperties.h"

#include <QApplication>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QValidator>

#include <algorithm>

FW_PUBLISH(TEdit) {
    p.Property("AutoSelect", &TEdit::AutoSelect, &TEdit::SetAutoSelect).Default(true);
    p.Property("BorderStyle", &TEdit::BorderStyle, &TEdit::SetBorderStyle)
        .Default(bsSingle)
        .Type(BorderStyleTypeInfo());
    p.Property("CharCase", &TEdit::CharCase, &TEdit::SetCharCase).Default(ecNormal);
    PublishColor(p, clWindow);
    PublishDragMode(p);
    PublishEnabled(p);
    PublishFont(p);
    p.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength).Default(0);
    PublishParentColor(p, false);
    PublishParentFont(p);
    p.Property("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar).Default(char(0));
    p.Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly).Default(false);
    PublishShowHint(p);
    PublishTabOrderAndStop(p, true);
    p.Property("Text", &TEdit::Text, &TEdit::SetText);
    PublishVisible(p);
    p.Event("OnChange", &TEdit::OnChange);
    p.Event("OnClick", &TEdit::OnClick);
    p.Event("OnDblClick", &TEdit::OnDblClick);
    PublishDragEvents(p);
    PublishFocusEvents(p);
    PublishKeyEvents(p);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TEdit);

namespace {

// Applies CharCase to everything that enters the box, typed, pasted or set.
class TCaseValidator : public QValidator {
public:
    explicit TCaseValidator(QObject* parent) : QValidator(parent) {}
    TEditCharCase CharCase = ecNormal;
    State validate(QString& input, int&) const override {
        if (CharCase == ecUpperCase)
            input = input.toUpper();
        else if (CharCase == ecLowerCase)
            input = input.toLower();
        return Acceptable;
    }
};

// The application's style, except for the character a password box shows.
class TPasswordStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QChar PasswordChar = QLatin1Char('*');
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return PasswordChar.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QLineEdit* LineEditOf(const TEdit* edit) {
    return edit->HandleAllocated() ? qobject_cast<QLineEdit*>(WidgetOf(const_cast<TEdit*>(edit)->Handle()))
                                   : nullptr;
}

constexpr int NoLimit = 32767; // Qt's own maximum length

// A byte offset into UTF-8 text, moved back to the start of the character it falls in.
int CharacterStart(const std::string& text, int offset) {
    offset = std::clamp(offset, 0, static_cast<int>(text.size()));
    while (offset > 0 && offset < static_cast<int>(text.size()) &&
           (static_cast<unsigned char>(text[static_cast<size_t>(offset)]) & 0xC0) == 0x80)
        --offset;
    return offset;
}

int Utf16Position(const std::string& text, int byteOffset) {
    return static_cast<int>(QString::fromUtf8(text.data(), CharacterStart(text, byteOffset)).size());
}

int ByteOffset(const QString& text, int utf16Position) {
    return static_cast<int>(text.left(utf16Position).toUtf8().size());
}

} // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 25);
    SetColor(clWindow);
    SetTabStop(true);
}

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    static const bool registered = [] {
        RegisterWindowClass(
            "EDIT", [](const TCreateParams&, QWidget* parent) { return new TFwWidget<QLineEdit>(parent); });
        return true;
    }();
    (void)registered;
    params.WinClassName = "EDIT";
}

void TEdit::CreateHandle() {
    TWinControl::CreateHandle();
    QLineEdit* edit = LineEditOf(this);
    if (!edit) return;
    ApplyCursor();
    auto* validator = new TCaseValidator(edit);
    validator->CharCase = FCharCase;
    edit->setValidator(validator);
    edit->setMaxLength(FMaxLength > 0 ? FMaxLength : NoLimit);
    edit->setReadOnly(FReadOnly);
    edit->setFrame(FBorderStyle != bsNone);
    ApplyPasswordChar();
    ApplyPalette();
    FPushing = true;
    edit->setText(ToQString(Text()));
    FPushing = false;
    edit->setModified(FModified);
    const int start = Utf16Position(Text(), FSelStart);
    edit->setSelection(start, Utf16Position(Text(), FSelStart + FSelLength) - start);
    // Typed text reaches OnChange from inside Qt's key handling: a failure there is reported, not
    // unwound through Qt's frames (which would leak what they hold).
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this](const QString& text) {
        RunReportingExceptions([&] { WidgetTextChanged(FromQString(text)); });
    });
}

void TEdit::DestroyWnd() {
    if (QLineEdit* edit = LineEditOf(this)) {
        FModified = edit->isModified();
        FSelStart = SelStart();
        FSelLength = SelLength();
    }
    TWinControl::DestroyWnd();
}

std::string TEdit::Conform(const std::string& text) const {
    QString s = ToQString(text);
    if (FCharCase == ecUpperCase) s = s.toUpper();
    if (FCharCase == ecLowerCase) s = s.toLower();
    if (FMaxLength > 0 && s.size() > FMaxLength) {
        qsizetype length = FMaxLength;
        if (s.at(length - 1).isHighSurrogate()) --length; // never half a character
        s.truncate(length);
    }
    return FromQString(s);
}

void TEdit::SetText(const TCaption& text) {
    SetModified(false);
    TWinControl::SetText(Conform(text));
}

void TEdit::TextChanged() {
    if (QLineEdit* edit = LineEditOf(this); edit && !FPushing && FromQString(edit->text()) != Text()) {
        FPushing = true;
        edit->setText(ToQString(Text()));
        FPushing = false;
    }
    TWinControl::TextChanged();
    if (!ComponentState().Contains(csLoading)) Change();
}

void TEdit::WidgetTextChanged(const std::string& text) {
    if (FPushing || text == Text()) return;
    TWinControl::SetText(text);
}

void TEdit::Change() {
    if (OnChange) OnChange(this);
}

bool TEdit::Modified() const {
    if (QLineEdit* edit = LineEditOf(this)) return edit->isModified();
    return FModified;
}

void TEdit::SetModified(bool value) {
    FModified = value;
    if (QLineEdit* edit = LineEditOf(this)) edit->setModified(value);
}

void TEdit::SetMaxLength(int value) {
    FMaxLength = std::max(value, 0);
    if (QLineEdit* edit = LineEditOf(this)) edit->setMaxLength(FMaxLength > 0 ? FMaxLength : NoLimit);
    const std::string conformed = Conform(Text());
    if (conformed != Text()) TWinControl::SetText(conformed);
}

void TEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    if (QLineEdit* edit = LineEditOf(this)) edit->setReadOnly(value);
}

void TEdit::SetCharCase(TEditCharCase value) {
    FCharCase = value;
    if (QLineEdit* edit = LineEditOf(this))
        if (auto* validator = dynamic_cast<TCaseValidator*>(const_cast<QValidator*>(edit->validator())))
            validator->CharCase = value;
    const std::string conformed = Conform(Text());
    if (conformed != Text()) TWinControl::SetText(conformed);
}

void TEdit::SetPasswordChar(char value) {
    FPasswordChar = value;
    ApplyPasswordChar();
}

void TEdit::ApplyPasswordChar() {
    QLineEdit* edit = LineEditOf(this);
    if (!edit) return;
    if (FPasswordChar == 0) {
        edit->setEchoMode(QLineEdit::Normal);
        return;
    }
    // The look of the application's style, with this password character.
    auto* style = dynamic_cast<TPasswordStyle*>(edit->style());
    if (!style) {
        style = new TPasswordStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(edit);
        edit->setStyle(style);
    }
    style->PasswordChar = QChar(static_cast<unsigned char>(FPasswordChar));
    edit->setEchoMode(QLineEdit::Password);
    edit->update();
}

void TEdit::SetBorderStyle(TFormBorderStyle value) {
    FBorderStyle = value == bsNone ? bsNone : bsSingle;
    if (QLineEdit* edit = LineEditOf(this)) edit->setFrame(FBorderStyle != bsNone);
}

void TEdit::ApplyPalette() {
    QLineEdit* edit = LineEditOf(this);
    if (!edit) return;
    SetWidgetColors(edit, {{QPalette::Base, ToQColor(Color())}, {QPalette::Text, ToQColor(Font()->Color())}});
}

void TEdit::ApplyCursor() {
    // The text cursor unless the program chose another one.
    if (QLineEdit* edit = LineEditOf(this); edit && Cursor() == crDefault) {
        edit->setCursor(Qt::IBeamCursor);
        Handle()->Cursor = crIBeam;
    }
}

void TEdit::CursorChanged() {
    TWinControl::CursorChanged();
    ApplyCursor();
}

void TEdit::ColorChanged() {
    TWinControl::ColorChanged();
    ApplyPalette();
}

void TEdit::FontChanged() {
    TWinControl::FontChanged();
    ApplyPalette();
}

void TEdit::DoEnter() {
    // Entered by Tab or by the program, not by a click that places the cursor.
    if (FAutoSelect && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
    TWinControl::DoEnter();
}

// ---- selection --------------------------------------------------------------------------------------------

int TEdit::SelStart() const {
    if (QLineEdit* edit = LineEditOf(this))
        return ByteOffset(edit->text(),
                          edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition());
    return CharacterStart(Text(), FSelStart);
}

int TEdit::SelLength() const {
    if (QLineEdit* edit = LineEditOf(this)) return static_cast<int>(edit->selectedText().toUtf8().size());
    const int start = CharacterStart(Text(), FSelStart);
    return CharacterStart(Text(), start + FSelLength) - start;
}

void TEdit::SetSelStart(int value) {
    if (QLineEdit* edit = LineEditOf(this)) {
        edit->setCursorPosition(Utf16Position(Text(), value));
        return;
    }
    FSelStart = CharacterStart(Text(), value);
    FSelLength = 0;
}

void TEdit::SetSelLength(int value) {
    const int start = SelStart();
    const int end = CharacterStart(Text(), start + std::max(value, 0));
    if (QLineEdit* edit = LineEditOf(this)) {
        const int start16 = Utf16Position(Text(), start);
        edit->setSelection(start16, Utf16Position(Text(), end) - start16);
        return;
    }
    FSelStart = start;
    FSelLength = end - start;
}

std::string TEdit::SelText() const {
    const int start = SelStart();
    return Text().substr(static_cast<size_t>(start), static_cast<size_t>(SelLength()));
}

void TEdit::SetSelText(const std::string& text) {
    if (QLineEdit* edit = LineEditOf(this)) {
        edit->insert(ToQString(text));
        return;
    }
    const int start = SelStart();
    std::string updated = Text();
    updated.replace(static_cast<size_t>(start), static_cast<size_t>(SelLength()), text);
    TWinControl::SetText(Conform(updated));
    FSelStart = CharacterStart(Text(), start + static_cast<int>(text.size()));
    FSelLength = 0;
}

void TEdit::SelectAll() {
    if (QLineEdit* edit = LineEditOf(this)) {
        edit->selectAll();
        return;
    }
    FSelStart = 0;
    FSelLength = static_cast<int>(Text().size());
}
