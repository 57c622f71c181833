#pragma once
// Shell helpers on plain path strings: making and reading shortcut files, deleting a folder tree.

#include <string>

// Writes a shortcut at `shortcutPath` to `target` with `description`, other properties left at
// the shell's defaults. Returns the shell's result code, negative on failure (a path over 259
// characters among them).
int CreateShortcut(const std::string& target, const std::string& shortcutPath,
                   const std::string& description);

// The target path stored in the shortcut, unchanged even when the target has moved; "" when the
// file cannot be read as a shortcut.
std::string ResolveShortcut(const std::string& shortcutPath);

// Deletes the folder and everything below it, read-only, hidden and system files included, and
// returns true when all of it is gone. A path shorter than 4 characters (a drive root) is refused.
// A junction or symbolic link, inside or the folder itself, is removed as a link; what it points
// to is left alone. Once
// a file or sub-folder cannot be deleted, later files and sub-folders are left in place and the
// result is false.
bool DeleteFolderTree(const std::string& path);
