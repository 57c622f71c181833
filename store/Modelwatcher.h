#pragma once
// Told just before the model destroys an entry or a category, so that a window holding a pointer
// to it lets go while the pointer is still valid. A category's entries go with it without a word
// of their own.

class Bar;
class IconArea;

class ModelWatcher {
public:
    virtual void entryRemoving(const IconArea& entry) = 0;
    virtual void categoryRemoving(const Bar& category) = 0;

protected:
    virtual ~ModelWatcher() = default;
};
