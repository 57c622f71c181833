// IAccessible objects over a form's AccessibleTree: one for the client area, handed out through
// WM_GETOBJECT, and one for each group, handed out by the client's get_accChild; a group's items
// and the top level's leaves are simple elements addressed by child id. An item inside a group
// also has an id of its own at the client, so that the focus events name it and
// AccessibleObjectFromEvent finds it; so the client shows at most 65,534 children of its own, and
// groups beyond 32,767 name no items.
#include "platform/win32/Accessibleobject.h"

#include "platform/Dpi.h"
#include "platform/win32/Controlsnative.h"
#include "platform/win32/Formwindow.h"
#include "platform/win32/Wide.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace platform::win32 {

const Oleacc& oleacc() {
    static const Oleacc functions;
    return functions;
}

namespace {

constexpr LONG kLastIndex = 0xFFFF;
constexpr LONG kLastGroup = 0x7FFE;

BSTR toBstr(const std::string& text) {
    const std::wstring wide = win32::widen(text);
    return SysAllocStringLen(wide.data(), UINT(wide.size()));
}

// An empty text is no text: S_FALSE, as the interface asks.
HRESULT answerText(const std::string& text, BSTR* out) {
    if (text.empty()) return S_FALSE;
    *out = toBstr(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

LONG roleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Group:
        return ROLE_SYSTEM_GROUPING;
    case AccessibleRole::List:
        return ROLE_SYSTEM_LIST;
    case AccessibleRole::PushButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::Grip:
        return ROLE_SYSTEM_GRIP;
    case AccessibleRole::ListItem:
        break;
    }
    return ROLE_SYSTEM_LISTITEM;
}

void setInt(VARIANT* out, LONG value) {
    out->vt = VT_I4;
    out->lVal = value;
}

// COM's interfaces have no virtual destructor: their objects are never deleted through them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class Object final : public IAccessible {
public:
    // `group` -1 is the client area.
    Object(std::shared_ptr<AccessibleLink> link, int group)
        : link_(std::move(link)), group_(group), generation_(link_->generation) {}
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
            !IsEqualIID(iid, __uuidof(IAccessible))) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // No type information: clients call the interface's methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        return guarded([&] {
            if (group_ < 0)
                return oleacc().objectFromWindow(link_->window, DWORD(OBJID_WINDOW), IID_IDispatch,
                                                 reinterpret_cast<void**>(parent));
            *parent = new Object(link_, -1);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        return guarded([&] {
            *count = std::min<long>(link_->tree->accessibleCount(group_), kLastIndex - 1);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        return onItem(child, [&](const Target& target, const AccessibleItem& item) {
            if (group_ >= 0 || target.group >= 0 || !holdsItems(item.role))
                return S_FALSE; // a simple element
            *object = new Object(link_, target.index);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        return onTarget(child, [&](const Target&, const AccessibleItem* item) {
            return answerText(item ? item->name : windowText(), name);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!description) return E_POINTER;
        *description = nullptr;
        return onItem(child, [&](const Target&, const AccessibleItem& item) {
            return answerText(item.description, description);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        return onTarget(child, [&](const Target&, const AccessibleItem* item) {
            setInt(role, item ? roleOf(item->role) : link_->clientRole);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        VariantInit(state);
        return onTarget(child, [&](const Target&, const AccessibleItem* item) {
            LONG bits = STATE_SYSTEM_FOCUSABLE;
            if (!IsWindowVisible(link_->window)) bits |= STATE_SYSTEM_INVISIBLE;
            if (!item && GetFocus() == link_->window) bits |= STATE_SYSTEM_FOCUSED;
            if (item) bits |= STATE_SYSTEM_SELECTABLE;
            if (item && item->focused) bits |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
            setInt(state, bits);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        if (!help) return E_POINTER;
        *help = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long*) override {
        if (file) *file = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
        if (!shortcut) return E_POINTER;
        *shortcut = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }
    // The focused item is the selected one too.
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        return guarded([&] {
            const LONG id = focusedId();
            if (id == CHILDID_SELF) return S_FALSE;
            setInt(focus, id);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return get_accFocus(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        return onItem(child, [&](const Target&, const AccessibleItem& item) {
            return answerText(item.defaultAction, action);
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        return onTarget(child, [&](const Target&, const AccessibleItem* item) {
            const PixelRect area = item ? screenPixelsOf(link_->window, item->location)
                                        : clientArea().offset(clientOriginOf(link_->window));
            *left = area.left;
            *top = area.top;
            *width = area.width;
            *height = area.height;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
        if (end) VariantInit(end);
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        VariantInit(hit);
        return guarded([&] { return hitTest(x, y, hit); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return onItem(child, [&](const Target& target, const AccessibleItem&) {
            return link_->tree->accessibleDefaultAction(target.group, target.index)
                       ? S_OK
                       : DISP_E_MEMBERNOTFOUND;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~Object() = default;

    // An item of the tree; group -1 and index -1 is the client area itself.
    struct Target {
        int group;
        int index;
    };

    bool connected() const {
        return link_->tree && IsWindow(link_->window) &&
               (group_ < 0 || generation_ == link_->generation);
    }

    // Runs `answer` when the object is still connected; what the tree throws is an error.
    template <class Answer> HRESULT guarded(Answer&& answer) const {
        if (!connected()) return CO_E_OBJNOTCONNECTED;
        try {
            return answer();
        } catch (...) {
            return E_FAIL;
        }
    }

    std::optional<Target> targetOf(const VARIANT& child) const {
        if (child.vt != VT_I4 || child.lVal < 0) return std::nullopt;
        const LONG id = child.lVal;
        if (id == CHILDID_SELF) return group_ < 0 ? Target{-1, -1} : Target{-1, group_};
        if (group_ >= 0) return Target{group_, int(id) - 1};
        if (id <= kLastIndex) return Target{-1, int(id) - 1};
        return Target{int(id >> 16) - 1, int(id & kLastIndex) - 1};
    }

    // `answer` gets the item, or none for the client area itself.
    template <class Answer> HRESULT onTarget(const VARIANT& child, Answer&& answer) const {
        return guarded([&] {
            const std::optional<Target> target = targetOf(child);
            if (!target) return E_INVALIDARG;
            if (target->index < 0) return answer(*target, nullptr);
            const std::optional<AccessibleItem> item =
                link_->tree->accessibleItem(target->group, target->index);
            if (!item) return E_INVALIDARG;
            return answer(*target, &*item);
        });
    }

    // The same for what only items have.
    template <class Answer> HRESULT onItem(const VARIANT& child, Answer&& answer) const {
        return onTarget(child, [&](const Target& target, const AccessibleItem* item) {
            if (!item) return DISP_E_MEMBERNOTFOUND;
            return answer(target, *item);
        });
    }

    std::string windowText() const { return win32::windowText(link_->window); }

    // In pixels, as a screen reader takes every place; the items' places are kept in units.
    PixelRect clientArea() const {
        RECT client{};
        GetClientRect(link_->window, &client);
        return pixelRectOf(client);
    }

    // The id of the focused item among this object's children (for the client area, also the
    // items inside its groups); CHILDID_SELF when none has the focus.
    LONG focusedId() const {
        const AccessibleTree& tree = *link_->tree;
        const auto inGroup = [&tree](int group) {
            for (int i = 0; i < tree.accessibleCount(group); ++i) {
                const std::optional<AccessibleItem> item = tree.accessibleItem(group, i);
                if (item && item->focused) return i;
            }
            return -1;
        };
        if (group_ >= 0) return inGroup(group_) + 1;
        if (const int top = inGroup(-1); top >= 0) return accessibleChildId(-1, top);
        for (int group = 0; group < tree.accessibleCount(-1); ++group)
            if (const int inner = inGroup(group); inner >= 0)
                return accessibleChildId(group, inner);
        return CHILDID_SELF;
    }

    // The child under the screen point: a group as its object, a simple element by its id;
    // the object itself when the point is on it but on no child.
    HRESULT hitTest(long x, long y, VARIANT* hit) const {
        const PixelPoint origin = clientOriginOf(link_->window);
        const PixelPoint at{x - origin.x, y - origin.y};
        const AccessibleTree& tree = *link_->tree;
        for (int i = 0; i < tree.accessibleCount(group_); ++i) {
            const std::optional<AccessibleItem> item = tree.accessibleItem(group_, i);
            if (!item || !toPixels(item->location).contains(at)) continue;
            if (group_ < 0 && holdsItems(item->role)) {
                hit->vt = VT_DISPATCH;
                hit->pdispVal = new Object(link_, i);
            } else {
                setInt(hit, i + 1);
            }
            return S_OK;
        }
        const std::optional<AccessibleItem> self =
            group_ < 0 ? std::nullopt : tree.accessibleItem(-1, group_);
        const PixelRect area = self ? toPixels(self->location) : clientArea();
        if (!area.contains(at)) return S_FALSE;
        setInt(hit, CHILDID_SELF);
        return S_OK;
    }

    ULONG references_ = 1;
    std::shared_ptr<AccessibleLink> link_;
    int group_;
    unsigned generation_;
};

#pragma GCC diagnostic pop

} // namespace

LONG accessibleChildId(int group, int index) {
    if (group < 0) return index < kLastIndex ? index + 1 : CHILDID_SELF;
    if (group > kLastGroup || index >= kLastIndex) return CHILDID_SELF;
    return LONG(group + 1) << 16 | LONG(index + 1);
}

IAccessible* newAccessibleObject(std::shared_ptr<AccessibleLink> link, int group) {
    return new Object(std::move(link), group);
}

} // namespace platform::win32
