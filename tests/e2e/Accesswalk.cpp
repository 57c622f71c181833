// Reads the accessible objects of another program's window as a screen reader does, for the
// end-to-end tests: accesswalk RECORD X Y [NAME [states]] takes the window at the screen point
// (X, Y), asks it for its client area's IAccessible through AccessibleObjectFromWindow and writes
// one line per child to RECORD (names in UTF-8), a group's own children after it:
//     KIND <tab> ROLE <tab> NAME <tab> DESCRIPTION <tab> LEFT TOP WIDTH HEIGHT <tab> ACTION
// with KIND "group" (a child object), "item" (an element of a group) or "leaf" (an element of
// the client area). With NAME, the first element of that name then gets accDoDefaultAction and
// the line "action HRESULT" follows. With "states", each line ends in a tab and the words
// "focused" and "selected" as far as they hold, and a last line "focus <tab> NAME" names what
// the client area says has the focus. Exits with 1 when the window gives no object.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// One reference, given back at the end of its scope.
template <class Interface> class Held {
public:
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (pointer_) pointer_->Release();
    }
    Interface** place() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

VARIANT childId(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::string text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                 IAccessible* object, VARIANT child) {
    BSTR wide = nullptr;
    if ((object->*get)(child, &wide) != S_OK || !wide) return "";
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(std::size_t(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow.data(), length, nullptr, nullptr);
    SysFreeString(wide);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

// The words of the state bits a reader says of a list's row.
std::string stateWords(IAccessible* object, VARIANT child) {
    VARIANT state;
    VariantInit(&state);
    if (object->get_accState(child, &state) != S_OK || state.vt != VT_I4) return "?";
    std::string words;
    if (state.lVal & STATE_SYSTEM_FOCUSED) words += "focused";
    if (state.lVal & STATE_SYSTEM_SELECTED) words += words.empty() ? "selected" : " selected";
    return words;
}

struct Walk {
    FILE* record;
    std::string start;
    bool states;
    bool started = false;

    // One line for the child, and its default action when it is the one to start.
    void describe(const char* kind, IAccessible* object, LONG id) {
        const VARIANT child = childId(id);
        VARIANT role;
        VariantInit(&role);
        object->get_accRole(child, &role);
        long left = 0, top = 0, width = 0, height = 0;
        object->accLocation(&left, &top, &width, &height, child);
        const std::string name = text(&IAccessible::get_accName, object, child);
        std::fprintf(record, "%s\t%ld\t%s\t%s\t%ld %ld %ld %ld\t%s", kind,
                     role.vt == VT_I4 ? role.lVal : -1L, name.c_str(),
                     text(&IAccessible::get_accDescription, object, child).c_str(), left, top,
                     width, height, text(&IAccessible::get_accDefaultAction, object, child).c_str());
        std::fprintf(record, states ? "\t%s\n" : "\n", stateWords(object, child).c_str());
        if (started || start.empty() || name != start) return;
        started = true;
        std::fprintf(record, "action %ld\n", long(object->accDoDefaultAction(child)));
    }

    void walk(IAccessible* client) {
        long count = 0;
        client->get_accChildCount(&count);
        for (LONG id = 1; id <= count; ++id) {
            Held<IDispatch> dispatch;
            Held<IAccessible> group;
            if (client->get_accChild(childId(id), dispatch.place()) == S_OK && dispatch &&
                SUCCEEDED(dispatch->QueryInterface(__uuidof(IAccessible),
                                                   reinterpret_cast<void**>(group.place())))) {
                describe("group", group.operator->(), CHILDID_SELF);
                long items = 0;
                group->get_accChildCount(&items);
                for (LONG item = 1; item <= items; ++item)
                    describe("item", group.operator->(), item);
            } else {
                describe("leaf", client, id);
            }
        }
        if (!states) return;
        VARIANT focus;
        VariantInit(&focus);
        if (client->get_accFocus(&focus) == S_OK && focus.vt == VT_I4)
            std::fprintf(record, "focus\t%s\n",
                         text(&IAccessible::get_accName, client, focus).c_str());
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    FILE* record = std::fopen(argv[1], "w");
    if (!record) return 2;
    CoInitialize(nullptr);
    int status = 1;
    {
        const HWND window = WindowFromPoint(POINT{std::atol(argv[2]), std::atol(argv[3])});
        Held<IAccessible> client;
        if (window && SUCCEEDED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT),
                                                           __uuidof(IAccessible),
                                                           reinterpret_cast<void**>(client.place()))) &&
            client) {
            const bool states = argc > 5 && std::string(argv[5]) == "states";
            Walk{record, argc > 4 ? argv[4] : "", states}.walk(client.operator->());
            status = 0;
        }
    }
    CoUninitialize();
    return std::fclose(record) == 0 ? status : 2;
}
