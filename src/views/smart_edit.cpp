#include "views/smart_edit.h"

#include <optional>

#include "view/messages.h"
#include "win/contrast.h"

namespace {

std::optional<FlashColorTable>& Table() {
    static std::optional<FlashColorTable> table;
    return table;
}

// The flash colours are light: their text is dark whatever the scheme says.
constexpr COLORREF kFlashText = RGB(0, 0, 0);

// Under a contrast theme the field takes pairs of the scheme's own colours: the normal field,
// then right, wrong and the shown answer, each unlike the others.
struct SchemePair {
    int background, text;
};
constexpr SchemePair kContrastPairs[4] = {{COLOR_WINDOW, COLOR_WINDOWTEXT},
                                          {COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT},
                                          {COLOR_WINDOWTEXT, COLOR_WINDOW},
                                          {COLOR_HOTLIGHT, COLOR_WINDOW}};

void RereadFlashWindowColor() {
    if (!Table()) return;
    Table()->colors[kFlashNormal] = ::GetSysColor(COLOR_WINDOW);
    Table()->brushes[kFlashNormal].Reset(::CreateSolidBrush(Table()->colors[kFlashNormal]));
}

}  // namespace

void CreateFlashColorTable() {
    if (Table()) return;
    FlashColorTable& table = Table().emplace();
    const COLORREF colors[4] = {::GetSysColor(COLOR_WINDOW), RGB(128, 255, 128), RGB(255, 144, 144),
                                RGB(255, 255, 192)};
    for (int i = 0; i < 4; ++i) {
        table.colors[i] = colors[i];
        table.brushes[i].Reset(::CreateSolidBrush(colors[i]));
    }
}

void DeleteFlashColorTable() {
    Table().reset();
}

const FlashColorTable* FlashColors() {
    return Table() ? &*Table() : nullptr;
}

BOOL CSmartEdit::Attach(HWND edit) {
    if (!SubclassWindow(edit)) return FALSE;
    m_tick = 0;
    m_flashStart = 0;
    m_flashMode = FlashMode::Idle;
    m_colorIndex = kFlashNormal;
    ::SetTimer(m_hWnd, kTimerId, kTimerInterval, nullptr);
    return TRUE;
}

void CSmartEdit::StartFlash(FlashMode mode) {
    m_flashStart = m_tick;
    m_flashMode = mode;
}

void CSmartEdit::SetColorIndex(std::uint32_t index) {
    m_colorIndex = index < 4 ? index : kFlashNormal;
    if (m_hWnd) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

HBRUSH CSmartEdit::OnCtlColorEdit(HDC dc) {
    const FlashColorTable* table = FlashColors();
    if (!table) {
        SetMsgHandled(false);
        return nullptr;
    }
    if (IsHighContrast()) {
        const SchemePair pair = kContrastPairs[m_colorIndex];
        ::SetBkColor(dc, ::GetSysColor(pair.background));
        ::SetTextColor(dc, ::GetSysColor(pair.text));
        return ::GetSysColorBrush(pair.background);
    }
    ::SetBkColor(dc, table->colors[m_colorIndex]);
    ::SetTextColor(dc, m_colorIndex == kFlashNormal ? ::GetSysColor(COLOR_WINDOWTEXT) : kFlashText);
    return table->brushes[m_colorIndex];
}

void CSmartEdit::OnSysColorChange() {
    RereadFlashWindowColor();
    Invalidate();
    SetMsgHandled(false);
}

// Every timer of the field counts as a tick: the field runs only the flash timer.
void CSmartEdit::OnTimer() {
    const FlashStep step = FlashTick(m_flashMode, m_tick - m_flashStart);
    if (step.recolor) SetColorIndex(step.colorIndex);
    // Posted, so that the view goes on after this tick has returned.
    if (step.done) ::PostMessageW(GetParent(), WM_FLASH_DONE, 0, 0);
    ++m_tick;
}
