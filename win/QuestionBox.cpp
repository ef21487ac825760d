#include "win/QuestionBox.h"

#include "win/Dialog.h"
#include "win/DialogTemplate.h"

#include <algorithm>

namespace win {
namespace {

constexpr int kButtonWidth = 60;
constexpr int kButtonGap = 8;
constexpr int kMargin = 10;
constexpr int kNarrowest = 220;

class QuestionBox : public CDialog {
public:
    QuestionBox(UINT templateId, CWnd* parent, std::vector<int> buttonIds)
        : CDialog(templateId, parent), m_buttonIds(std::move(buttonIds))
    {
    }

protected:
    // Any of the box's buttons ends it with its own id.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) == BN_CLICKED && id != IDCANCEL &&
            std::find(m_buttonIds.begin(), m_buttonIds.end(), id) != m_buttonIds.end()) {
            EndDialog(id);
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }

private:
    std::vector<int> m_buttonIds;
};

ControlTemplate Button(const BoxButton& button, int x, bool isDefault)
{
    ControlTemplate control;
    control.id = button.id;
    control.controlClass = ControlClass::Button;
    control.className = L"Button";
    control.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    control.x = x;
    control.y = 62;
    control.cx = kButtonWidth;
    control.cy = 20;
    control.text = button.text;
    return control;
}

}  // namespace

int ShowQuestionBox(HWND owner, UINT templateId, const std::wstring& caption, const std::wstring& text,
                    const std::vector<BoxButton>& buttons)
{
    const int count = static_cast<int>(buttons.size());
    const int row = count * kButtonWidth + std::max(count - 1, 0) * kButtonGap;
    DialogTemplate box;
    box.id = templateId;
    box.caption = caption;
    box.fontName = L"ＭＳ ゴシック";
    box.fontSize = 9;
    box.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    box.cx = std::max(kNarrowest, row + 2 * kMargin);
    box.cy = 90;
    ControlTemplate message;
    message.id = 0xFFFF;
    message.controlClass = ControlClass::Static;
    message.className = L"Static";
    message.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
    message.x = kMargin;
    message.y = 8;
    message.cx = box.cx - 2 * kMargin;
    message.cy = 48;
    message.text = text;
    box.controls.push_back(message);
    std::vector<int> ids;
    for (int i = 0, x = (box.cx - row) / 2; i < count; ++i, x += kButtonWidth + kButtonGap) {
        box.controls.push_back(Button(buttons[static_cast<std::size_t>(i)], x, i == 0));
        ids.push_back(buttons[static_cast<std::size_t>(i)].id);
    }
    RegisterDialogTemplate(std::move(box));
    QuestionBox dialog(templateId, CWnd::FromHandle(owner), std::move(ids));
    return static_cast<int>(dialog.DoModal());
}

}  // namespace win
