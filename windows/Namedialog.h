#pragma once
// What the category window needs of the dialog that asks for a category's name.

class Bar;

class NameDialog {
public:
    virtual ~NameDialog() = default;
    // Asks, modally, for the name of a new category (without a target) or a new name for
    // `target`, and makes or renames the category with it.
    virtual void askName(Bar* target) = 0;
};
