#pragma once
// What a form that paints its own items tells screen readers: the items of its client area,
// some of them groups or lists with items of their own (two levels, no deeper). The tree is
// asked anew at every question, by position, so an assistive program never holds a pointer into
// the form or its model. While an AccessibleExposure lives the form answers for it; a client
// that keeps an object after that, or an object of a group after the tree changed, is told it
// is no longer connected.

#include "platform/Geometry.h"

#include <memory>
#include <optional>
#include <string>

namespace platform {

class ChildControl;
class Form;

enum class AccessibleRole { Group, List, PushButton, ListItem, Grip };

// A group or a list is an object of its own, with its items as its children.
constexpr bool holdsItems(AccessibleRole role) {
    return role == AccessibleRole::Group || role == AccessibleRole::List;
}

struct AccessibleItem {
    AccessibleRole role = AccessibleRole::ListItem;
    std::string name;
    std::string description;
    Rect location;             // client coordinates
    std::string defaultAction; // empty when it has none
    bool focused = false;      // has the form's keyboard focus
};

// Group -1 stands for the top level; an item of a group is addressed by the group's index at
// the top level and its own index inside it.
class AccessibleTree {
public:
    virtual int accessibleCount(int group) const = 0;
    // Nothing for a position that holds no item (any more).
    virtual std::optional<AccessibleItem> accessibleItem(int group, int index) const = 0;
    // False when the item has no default action.
    virtual bool accessibleDefaultAction(int group, int index) = 0;

protected:
    ~AccessibleTree() = default;
};

class AccessibleExposure {
public:
    AccessibleExposure(Form& form, AccessibleTree& tree);
    // For a standard control whose items the system cannot name (an owner-drawn list box that
    // keeps no texts): the control's own items are the tree's top level.
    AccessibleExposure(ChildControl& control, AccessibleTree& tree);
    ~AccessibleExposure();
    AccessibleExposure(const AccessibleExposure&) = delete;
    AccessibleExposure& operator=(const AccessibleExposure&) = delete;

    // The keyboard focus is now on that item (group -1: a top-level item): screen readers are
    // told it has the focus and is selected.
    void focusMoved(int group, int index);
    // Items came, went or moved: objects handed out for groups until now are disconnected.
    void treeChanged();
    // Only the items inside `group` came, went or moved: the group's object stays connected.
    void itemsChanged(int group);

    struct Native; // per backend
    Native& native() const { return *native_; }

private:
    std::unique_ptr<Native> native_;
};

} // namespace platform
