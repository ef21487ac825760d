// The channel-selection panel: a grid of channel buttons (sixteen amplifier
// slots, the event input and one further item) that the operator taps to
// choose the channels, with two optional extra buttons that select every
// enabled channel or none. The panel makes its own child window (Create);
// bit n of the selection mask is item n.
//
// Layout (pixels): items in 6 columns by 3 rows of 50 x 20, item n at column
// n % 6, row n / 6; with the extra buttons, a column of 42 x 30 on the right
// ("全選択" above, "全解除" below). A tap on a part goes through
// win::TapPart with the part "item" or "ext" and its index.
//
// Choice modes: 0 picks one channel (a tap selects that item only); 1 picks
// several (a tap toggles the item). Disabled items and items whose bit is set
// in m_dwLockMask do not change on a tap. Every change the operator makes is
// reported with the message set by SetNotify (sent to the target window, or
// to the parent when the target is null); changes made by code send nothing.
#pragma once

#include "host/widgets/TouchWidget.h"

#include <array>
#include <string>

class CChoiceChannel : public TouchWidget {
public:
    DECLARE_DYNAMIC(CChoiceChannel)

    static constexpr int kItemCount = 18;
    static constexpr int kColumns = 6;
    static constexpr int kItemWidth = 50;
    static constexpr int kItemHeight = 20;
    static constexpr int kExtWidth = 42;
    enum ChoiceMode { ChoiceSingle = 0, ChoiceMultiple = 1 };

    explicit CChoiceChannel(CWnd* parent = nullptr);
    ~CChoiceChannel() override;

    // Items the operator cannot change (bit n = item n); read and written by the owner.
    DWORD m_dwLockMask = 0;
    // Selected items (bit n = item n); read and written by the owner, shown after Redraw.
    DWORD m_dwSelectMask = 0;

    using TouchWidget::Create;
    // Makes the panel's window in `parent` (the constructor's parent when
    // null) at the top-left corner, visible. FALSE when there is no parent
    // window or the panel already has one.
    BOOL Create(CWnd* parent);
    void SetChoiceMode(int mode);
    int GetChoiceMode() const { return m_mode; }
    // Label of an item; null gives the panel's own label ("CH1" ... "CH16", "EVENT", "EXT").
    void SetLabel(int index, LPCWSTR text);
    std::wstring GetLabel(int index) const;
    void EnableItem(int index, bool enable);
    bool IsItemEnabled(int index) const;
    // Shows or hides the two extra buttons (the panel's width follows).
    void ShowExtButtons(bool show);
    // What to send on an operator change: `message` with `wParam` and `lParam` to `target`.
    void SetNotify(UINT message, UINT wParam, LPARAM lParam, CWnd* target);
    // Shows the current mask and labels.
    void Redraw();

    // Part geometry in client coordinates: "item" 0..17, "ext" 0..1.
    bool PartCentre(const std::string& part, int index, POINT& point) const;
    SIZE PanelSize() const;

protected:
    void OnTap(POINT point) override;
    void Describe(win::ScreenControl& control) const override;

private:
    struct Item {
        std::wstring label;
        bool enabled = true;
    };

    RECT ItemRect(int index) const;
    RECT ExtRect(int index) const;
    void TapItem(int index);
    void TapExt(int index);
    // Applies an operator's change and tells the target.
    void ChangeByOperator(DWORD mask);
    static std::wstring OwnLabel(int index);

    CWnd* m_pParent;
    std::array<Item, kItemCount> m_items;
    int m_mode = ChoiceSingle;
    bool m_showExt = false;
    UINT m_notifyMessage = 0;
    UINT m_notifyWParam = 0;
    LPARAM m_notifyLParam = 0;
    CWnd* m_pNotifyTarget = nullptr;
};
