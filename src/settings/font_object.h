#pragma once
// The system font object made from a LogFont. The settings record owns one at all times and
// deletes it when it is replaced or when the record ends; the Win32 half makes an HFONT.
#include "settings/log_font.h"

#include <functional>
#include <memory>

class FontObject {
public:
    virtual ~FontObject() = default;  // releases the system object
    // The system's handle (an HFONT on Windows), for the views that draw with it.
    virtual void* Handle() const noexcept = 0;
};

// Nothing when the system cannot make the font.
using FontMaker = std::function<std::unique_ptr<FontObject>(const LogFont&)>;
