// TClipboard: the system clipboard, holding text and pictures.
//
// Pictures go on the clipboard as an image (every graphic) and, for metafiles, also as their SVG
// document, so that pasting gives back a metafile. Between Open and Close every put adds a format to
// one clipboard entry instead of replacing the previous one.
#pragma once

#include "core/Persistent.h"

#include <string>

#pragma GCC visibility push(default)

// Clipboard formats for HasFormat.
inline constexpr unsigned CF_TEXT = 1;
inline constexpr unsigned CF_BITMAP = 2;
inline constexpr unsigned CF_METAFILEPICT = 3;
inline constexpr unsigned CF_DIB = 8;
inline constexpr unsigned CF_UNICODETEXT = 13;
inline constexpr unsigned CF_ENHMETAFILE = 14;
// Any picture the clipboard can hand to a TPicture.
inline constexpr unsigned CF_PICTURE = 0xC100;

class TClipboard : public TPersistent {
    FW_CLASS(TClipboard, TPersistent)
public:
    TClipboard();
    ~TClipboard() override;

    // Puts a picture or graphic on the clipboard (an empty picture clears it); other sources fail like
    // TPersistent's.
    void Assign(const TPersistent* source) override;
    void Clear();
    void Open();
    void Close();

    // CF_TEXT and CF_UNICODETEXT: text; CF_BITMAP and CF_DIB: an image; CF_METAFILEPICT and
    // CF_ENHMETAFILE: a vector picture; CF_PICTURE: either picture kind.
    bool HasFormat(unsigned format) const;
    std::string AsText() const;
    void SetAsText(const std::string& text);

protected:
    // Into a TPicture (a metafile when the clipboard has one, else a bitmap), a TBitmap, a TMetafile or
    // another graphic. Fails with EInvalidGraphic "Invalid clipboard format" when the clipboard holds
    // nothing that fits.
    void AssignTo(TPersistent* dest) const override;

private:
    int FOpenCount = 0;
    struct Pending;
    Pending* FPending = nullptr;
};

// The program's clipboard object. Using it before the application is initialised fails with
// EInvalidOperation "Cannot open clipboard".
TClipboard* Clipboard();

#pragma GCC visibility pop
