#pragma once
// A system-wide hot key held for a form: while the object lives, the system hands every press of
// the key, whatever program is active, to the form's FormHotKey. Another program may hold the
// key already, in which case nothing is held and registered() says so.

namespace platform {

class Form;

namespace HotKeyModifiers {
constexpr unsigned Alt = 0x1;
constexpr unsigned Control = 0x2;
constexpr unsigned Shift = 0x4;
} // namespace HotKeyModifiers

class HotKey {
public:
    // `key` is a virtual key code: 'A' to 'Z' for the letters.
    HotKey(Form& owner, int id, unsigned modifiers, int key);
    ~HotKey();
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    int id() const { return id_; }
    bool registered() const { return registered_; }

private:
    Form& owner_;
    int id_;
    unsigned modifiers_;
    int key_;
    bool registered_;
};

} // namespace platform
