// The standard controls as the system's real controls, under Wine on a display: state set by
// the program shows on the native control, what is done to the native control comes back as
// state and callbacks, and a modal dialog's loop hands posted keys to the form first and
// presses the default button on Enter. Also a form's accessible objects as a client holds them.
#include "platform/Accessible.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Dpi.h"
#include "platform/Form.h"
#include "platform/System.h"
#include "platform/win32/Controlsnative.h"
#include "platform/win32/Formnative.h"
#include "platform/win32/Scoped.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <memory>
#include <oleacc.h>
#include <set>
#include <string>
#include <tuple>
#include <vector>
#include <windows.h>

namespace {

using namespace platform;

HWND windowOf(const ChildControl& control) {
    return control.native().window;
}

std::string windowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Whether the window shows once its form does.
bool visibleStyle(HWND window) {
    return GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE;
}

bool nativeChecked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND radioItem(const RadioGroup& group, int index) {
    return group.native().items.at(static_cast<std::size_t>(index));
}

// What a timer types into the window that has the focus, for a dialog the test cannot reach.
std::string typedIntoFocus;
int finalKeyIntoFocus = 0;

void CALLBACK typeIntoFocus(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND focus = GetFocus();
    for (const char key : typedIntoFocus)
        PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(key), 1);
    PostMessageA(focus, WM_KEYDOWN, static_cast<WPARAM>(finalKeyIntoFocus), 1);
}

// Should the keys not close the dialog, it is closed anyway, so the test fails instead of
// waiting for ever.
void CALLBACK closeInputBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostMessageA(FindWindowA(nullptr, "Change title"), WM_CLOSE, 0, 0);
}

std::string answerInputBox(const std::string& typed, int finalKey) {
    typedIntoFocus = typed;
    finalKeyIntoFocus = finalKey;
    SetTimer(nullptr, 0, 100, typeIntoFocus);
    const UINT_PTR rescue = SetTimer(nullptr, 0, 5000, closeInputBox);
    std::string answer = inputBox("Change title", "Enter a title for the icon", "Old");
    KillTimer(nullptr, rescue);
    return answer;
}

class SettingsLikeDialog : public Form {
public:
    SettingsLikeDialog() : Form(FormKind::Dialog) {
        setCaption("Global Settings");
        setClientSize({404, 437});
        ok.setDefault(true);
        cancel.setCancel(true);
        rows.setRowHeight(18);
        rows.onDrawRow = [this](const ListRow& row) {
            drawn.insert(row.index);
            if (row.selected) selectedDrawn = row.index;
        };
    }

    std::string log;
    std::set<int> drawn;
    int selectedDrawn = -1;

    PageControl pages{*this, {8, 8, 388, 300}};
    Page appearance{pages, "Appearance"};
    Page general{pages, "General"};
    CheckBox titles{appearance, {10, 10, 200, 17}, "Show Icon Title"};
    RadioGroup sizes{appearance, {10, 40, 300, 60}, "Icon Size", {"Small", "Large", "Huge"}, 2};
    Label heightLabel{general, {10, 10, 150, 13}, "Visible Height When hidden"};
    EditBox height{general, {10, 30, 60, 21}};
    UpDown heightArrows{general, height};
    EditBox name{*this, {8, 316, 200, 21}};
    ContainerPanel panel{*this, {220, 316, 176, 70}};
    ListBox rows{panel, {4, 4, 168, 62}};
    PushButton ok{*this, {230, 400, 75, 25}, "&OK"};
    PushButton cancel{*this, {316, 400, 75, 25}, "&Cancel"};

protected:
    void FormShow() override {
        RedrawWindow(native().window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void FormKeyDown(int key, ShiftState) override { log += "key " + std::to_string(key) + ";"; }
    void FormKeyPress(char& key) override { log += std::string("char ") + key + ";"; }
};

TEST(ControlsUnderWine, StateGoesBothWaysThroughTheRealControls) {
    initCommonControls();
    SettingsLikeDialog dialog;
    int clicks = 0;
    dialog.titles.onClick = [&] { ++clicks; };
    dialog.sizes.onClick = [&] { ++clicks; };

    dialog.titles.setChecked(true);
    EXPECT_TRUE(nativeChecked(windowOf(dialog.titles)));
    SendMessageA(windowOf(dialog.titles), BM_CLICK, 0, 0);
    EXPECT_FALSE(dialog.titles.checked());

    dialog.sizes.setSelectedIndex(2);
    EXPECT_TRUE(nativeChecked(radioItem(dialog.sizes, 2)));
    SendMessageA(radioItem(dialog.sizes, 0), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.sizes.selectedIndex(), 0);
    EXPECT_TRUE(nativeChecked(radioItem(dialog.sizes, 0)));
    EXPECT_FALSE(nativeChecked(radioItem(dialog.sizes, 2))); // the system keeps one checked
    EXPECT_EQ(clicks, 2);

    dialog.heightArrows.setRange(1, 26);
    dialog.heightArrows.setPosition(40);
    EXPECT_EQ(dialog.heightArrows.position(), 26);
    EXPECT_EQ(SendMessageA(windowOf(dialog.heightArrows), UDM_GETPOS32, 0, 0), 26);
    EXPECT_EQ(windowText(windowOf(dialog.height)), "26");
    // The arrows sit against the box's right edge, within the place the box had.
    EXPECT_LT(dialog.heightArrows.bounds().left, dialog.height.bounds().right());
    EXPECT_LE(dialog.heightArrows.bounds().right(), 70);

    int changes = 0;
    dialog.name.onChange = [&] { ++changes; };
    dialog.name.setText("Games");
    EXPECT_EQ(windowText(windowOf(dialog.name)), "Games");
    SendMessageA(windowOf(dialog.name), EM_SETSEL, 5, 5);
    SendMessageA(windowOf(dialog.name), WM_CHAR, 'X', 1);
    EXPECT_EQ(dialog.name.text(), "GamesX");
    EXPECT_EQ(changes, 2);

    dialog.pages.setActivePage(1);
    EXPECT_EQ(TabCtrl_GetCurSel(windowOf(dialog.pages)), 1);
    EXPECT_FALSE(visibleStyle(windowOf(dialog.appearance)));
    int pageChanges = 0;
    dialog.pages.onChange = [&] { ++pageChanges; };
    SendMessageA(windowOf(dialog.pages), TCM_SETCURFOCUS, 0, 0); // as a click on the tab
    EXPECT_EQ(dialog.pages.activePageIndex(), 0);
    EXPECT_TRUE(visibleStyle(windowOf(dialog.appearance)));
    EXPECT_EQ(pageChanges, 1);

    int labelClicks = 0;
    dialog.heightLabel.onClick = [&] { ++labelClicks; };
    SendMessageA(windowOf(dialog.heightLabel), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(windowOf(dialog.heightLabel), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(labelClicks, 1);

    dialog.rows.setRowCount(3);
    dialog.rows.setSelectedIndex(1);
    EXPECT_EQ(SendMessageA(windowOf(dialog.rows), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(windowOf(dialog.rows), LB_GETITEMHEIGHT, 0, 0), 18);
    dialog.show();
    EXPECT_EQ(dialog.drawn, (std::set<int>{0, 1, 2}));
    EXPECT_EQ(dialog.selectedDrawn, 1);
    int rowClicks = 0;
    dialog.rows.onClick = [&] { ++rowClicks; };
    SendMessageA(windowOf(dialog.rows), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2 * 18 + 5));
    SendMessageA(windowOf(dialog.rows), WM_LBUTTONUP, 0, MAKELPARAM(5, 2 * 18 + 5));
    EXPECT_EQ(dialog.rows.selectedIndex(), 2);
    EXPECT_EQ(rowClicks, 1);
}

class ResizeCounter : public Form {
public:
    ResizeCounter() : Form(FormKind::Sizeable) {}
    int resizes = 0;

protected:
    void FormResize() override { ++resizes; }
};

TEST(ControlsUnderWine, CaptionedFormsHaveTheClientSizeAskedForInsideTheirFrame) {
    SettingsLikeDialog dialog;
    EXPECT_EQ(dialog.clientSize(), (Size{404, 437}));
    EXPECT_GT(dialog.bounds().height, 437);
    EXPECT_EQ(dialog.caption(), "Global Settings");
    ResizeCounter command;
    command.setClientSize({254, 400});
    EXPECT_EQ(command.clientSize(), (Size{254, 400}));
    EXPECT_EQ(command.resizes, 1);
    command.centreOnScreen();
    EXPECT_EQ(command.left(), (screenWidth() - command.width()) / 2);
}

// A bar at x = 700 must not jump to 1050 when the scale goes from 96 to 144 DPI.
TEST(ControlsUnderWine, ANewScaleKeepsEachFormWhereItIsOnTheScreenAndMovesTheOneTheSystemMoved) {
    struct ScaleRestored {
        ~ScaleRestored() { setDisplayDpi(kDesignDpi); }
    } restored;
    Form bar, moved;
    bar.setBounds({700, 0, 80, 27});
    moved.setBounds({10, 30, 200, 100});
    const Label label{bar, {10, 10, 50, 13}, "Label"};
    RECT suggested{20, 45, 320, 195};
    SendMessageW(moved.native().window, WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT place{};
    GetWindowRect(bar.native().window, &place);
    EXPECT_EQ(place.left, 700) << "the bar's place on the screen, in pixels";
    EXPECT_EQ(place.right - place.left, 120);
    EXPECT_EQ(place.bottom - place.top, 41) << "27 units at 144 DPI, rounded up";
    EXPECT_EQ(label.bounds(), (Rect{10, 10, 50, 13})) << "the control at its place in units";
    GetWindowRect(moved.native().window, &place);
    EXPECT_EQ(place.left, suggested.left);
    EXPECT_EQ(place.top, suggested.top);
    EXPECT_EQ(place.right, suggested.right);
    EXPECT_EQ(place.bottom, suggested.bottom);
}

TEST(ControlsUnderWine, TheInputBoxGivesTheTypedTextOnEnterAndTheInitialTextOnEscape) {
    initCommonControls();
    EXPECT_EQ(answerInputBox("Mail", VK_RETURN), "Mail"); // typing replaces the selected text
    EXPECT_EQ(answerInputBox("Mail", VK_ESCAPE), "Old");
}

TEST(ControlsUnderWine, TheModalLoopGivesPostedKeysToTheFormAndEnterToTheDefaultButton) {
    initCommonControls();
    Form bar;
    bar.show();
    SettingsLikeDialog dialog;
    dialog.pages.setActivePage(1);
    dialog.heightArrows.setRange(1, 26);
    dialog.heightArrows.setPosition(10);
    // The form sees the key first, then the box, which turns Up into Down.
    dialog.height.onKeyDown = [](int& key, ShiftState) {
        if (key == VK_UP) key = VK_DOWN;
    };
    bool barEnabledDuringModal = true;
    int okPresses = 0;
    dialog.ok.onClick = [&] {
        ++okPresses;
        barEnabledDuringModal = bar.enabled();
        dialog.close();
    };
    // Should Enter not reach the default button, the dialog is closed anyway in the end.
    Timer rescue(dialog, 5000, [&] { dialog.close(); });

    PostMessageA(windowOf(dialog.height), WM_KEYDOWN, VK_UP, 1);
    PostMessageA(windowOf(dialog.name), WM_CHAR, 'a', 1);
    PostMessageA(windowOf(dialog.name), WM_KEYDOWN, VK_RETURN, 1);
    dialog.showModal();

    EXPECT_EQ(okPresses, 1);
    EXPECT_FALSE(barEnabledDuringModal);
    EXPECT_TRUE(bar.enabled());
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(dialog.heightArrows.position(), 9);
    EXPECT_EQ(dialog.height.text(), "9");
    EXPECT_EQ(dialog.name.text(), "a");
    EXPECT_EQ(dialog.log, "key 38;char a;key 13;");
}

// One row of two icons, the second one focused.
class OneRow final : public AccessibleTree {
public:
    int accessibleCount(int group) const override { return group < 0 ? 1 : 2; }
    std::optional<AccessibleItem> accessibleItem(int group, int index) const override {
        if (group < 0 && index == 0)
            return AccessibleItem{AccessibleRole::Group, "Games", "", {0, 0, 90, 45}, "", false};
        if (group != 0 || index < 0 || index > 1) return std::nullopt;
        return AccessibleItem{AccessibleRole::PushButton, index ? "Notes" : "Mail", "",
                              {45 * index, 0, 45, 45}, "Start", index == 1};
    }
    bool accessibleDefaultAction(int, int index) override {
        started.push_back(index);
        return true;
    }
    std::vector<int> started;
};

VARIANT childId(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring nameOf(IAccessible& object, LONG id) {
    BSTR name = nullptr;
    if (object.get_accName(childId(id), &name) != S_OK) return L"(none)";
    std::wstring text(name);
    SysFreeString(name);
    return text;
}

// The focus events a reader would hear, as (window, object, child id).
std::vector<std::tuple<HWND, LONG, LONG>> focusEvents;

void CALLBACK recordFocus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                          DWORD) {
    focusEvents.emplace_back(window, object, child);
}

TEST(ControlsUnderWine, AccessibleObjectsAnswerForTheTreeAndLetGoOfItWhenItChangesOrEnds) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    OneRow tree;
    win32::ComPtr<IAccessible> client;
    win32::ComPtr<IAccessible> row;
    {
        const auto form = createForm<Form>();
        auto exposure = std::make_unique<AccessibleExposure>(*form, tree);
        const LRESULT answer = SendMessageA(form->native().window, WM_GETOBJECT, 0, OBJID_CLIENT);
        ASSERT_EQ(ObjectFromLresult(answer, __uuidof(IAccessible), 0, client.receive()), S_OK);
        win32::ComPtr<IDispatch> child;
        ASSERT_EQ(client->get_accChild(childId(1), reinterpret_cast<IDispatch**>(child.receive())), S_OK);
        ASSERT_EQ(child->QueryInterface(__uuidof(IAccessible), row.receive()), S_OK);
        EXPECT_EQ(nameOf(*row.get(), CHILDID_SELF), L"Games");
        EXPECT_EQ(nameOf(*row.get(), 2), L"Notes");
        VARIANT focus;
        ASSERT_EQ(client->get_accFocus(&focus), S_OK);
        ASSERT_EQ(focus.vt, VT_I4);
        EXPECT_EQ(nameOf(*client.get(), focus.lVal), L"Notes") << "the id a focus event names";
        const HWINEVENTHOOK hook =
            SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, recordFocus,
                            GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
        ASSERT_TRUE(hook);
        exposure->focusMoved(0, 1);
        // An event out of context comes through the message queue.
        for (const DWORD until = GetTickCount() + 5000;
             focusEvents.empty() && GetTickCount() < until;) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            if (focusEvents.empty()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        UnhookWinEvent(hook);
        ASSERT_EQ(focusEvents.size(), 1u);
        const auto [window, object, id] = focusEvents.front();
        win32::ComPtr<IAccessible> heard;
        VARIANT heardChild;
        ASSERT_EQ(AccessibleObjectFromEvent(window, DWORD(object), DWORD(id),
                                            reinterpret_cast<IAccessible**>(heard.receive()),
                                            &heardChild),
                  S_OK);
        EXPECT_EQ(nameOf(*heard.get(), heardChild.lVal), L"Notes") << "what a reader hears";
        EXPECT_EQ(row->accDoDefaultAction(childId(1)), S_OK);
        EXPECT_EQ(tree.started, std::vector<int>{0});

        long count = 0;
        exposure->itemsChanged(0); // the row's icons changed, the row stays
        EXPECT_EQ(row->get_accChildCount(&count), S_OK);
        exposure->treeChanged();
        EXPECT_EQ(row->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(client->get_accChildCount(&count), S_OK);
        exposure.reset();
        EXPECT_EQ(client->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    }
    // Held after the form and the tree's window are gone.
    EXPECT_EQ(nameOf(*client.get(), 1), L"(none)");
    EXPECT_EQ(client->accDoDefaultAction(childId(1)), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(tree.started.size(), 1u);
    client.reset();
    row.reset();
    CoUninitialize();
}

} // namespace
