#pragma once
// The one category window: every category as a row, stacked under the main button window. A
// click on an icon starts its program and hides the window; the icon under the pointer is
// highlighted and its hint shown; a right click opens the icon's or the row's menu.
//
// Only the area being repainted is drawn: a hover change repaints just the two cells concerned.
// It is composed off-screen a band of the window's width at a time and each band copied out
// whole, so nothing flickers and what the window keeps off-screen does not grow with its height.
//
// Icons are dragged to another place or into another category, rows onto other rows, and files
// dragged from other programs become new icons where they are dropped.
//
// Without a mouse: a keyboard focus on one icon or one row's name. The arrows, Home and End
// move it among the icons, Tab between a row's name and its icons; Enter starts the focused
// icon as a click does, the menu key or Shift+F10 opens its menu (or the row's) and F2 changes
// its title. The focused icon is shown as the hovered one; the pointer moving onto an icon moves
// the focus there too. A dotted focus rectangle shows only once a key has moved or used the
// focus, until the window hides (which forgets the focus), so with the mouse alone nothing looks
// different. Screen readers see every row as a group of its icons, with focus events as the
// focus moves.

#include "barwindow/Barpainter.h"
#include "platform/Accessible.h"
#include "platform/Canvas.h"
#include "platform/Droptarget.h"
#include "platform/Form.h"
#include "platform/Menu.h"
#include "store/Language.h"
#include "store/Modelwatcher.h"
#include "windows/Appearancewindow.h"
#include "windows/Categorywindow.h"
#include "windows/Drageventhandler.h"
#include "windows/Draghelper.h"
#include "windows/Mainwindow.h"
#include "windows/Namedialog.h"
#include "windows/Settingsdialog.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Bar;
class BarManager;
class IconArea;

class TBarForm : public platform::Form,
                 public CategoryWindow,
                 public AppearanceWindow,
                 public DragEventHandler,
                 private platform::DropHandler,
                 private platform::AccessibleTree,
                 private ModelWatcher {
public:
    // Lays the categories out once; the window stays hidden until it is shown.
    TBarForm(BarManager& manager, const Language& language);
    ~TBarForm() override;

    // Recomputes every rectangle and sizes the window to fit; callers repaint afterwards.
    void updateLayout() override;
    void repaintWindow() override { invalidate(); }
    // A new category's folder named `name`, laid out and repainted; false when the file system
    // refuses the name.
    bool createCategory(const std::string& name);
    // Gives `category` the name `name`, laid out and repainted; false when the file system
    // refuses it. Without a category there is nothing to rename, which counts as done.
    bool renameCategory(Bar* category, const std::string& name);
    // Deletes `category` with its folder and everything in it, laid out and repainted; false,
    // with the category kept, when the folder cannot be deleted.
    bool deleteCategory(Bar* category);
    // Opens the name dialog for a new category; the main menu's item of that name runs it too.
    void MenuItemNewCategoryClick();

    // The windows it talks to, wired at start-up; without one, what would need it does nothing
    // (the window hangs where it is when there is no main window).
    void setMainWindow(MainWindow* window) { mainWindow_ = window; }
    void setNameDialog(NameDialog* dialog) { nameDialog_ = dialog; }
    void setSettingsDialog(SettingsDialog* dialog) { settingsDialog_ = dialog; }
    // The row menu's Check New Version: opens the program's home page.
    std::function<void()> onCheckVersion;

    // Left edge at `x`, kept within the work area of the monitor.
    void followMainWindow() override { hangUnderMainWindow(); }

    bool isShown() const override { return visible(); }
    void showWindow() override { show(); }
    void hideWindow() override { hide(); }

    // The entry's icons have arrived: its cell is drawn again when it is on the screen.
    void iconsArrived(const IconArea& entry);

    Bar* currentBar() const { return currentBar_; }
    IconArea* currentIcon() const { return currentIcon_; }
    // Where every row and cell is, as last laid out.
    const layout::Rows& rows() const { return rows_; }
    // The entry shown as under the pointer, or none.
    const IconArea* highlighted() const { return highlighted_; }
    PaintMode paintMode() const { return paintMode_; }
    // The keyboard focus: an icon entry of `category`, or the category's name when `entry` is
    // null; nothing when `category` is null.
    struct KeyFocus {
        Bar* category = nullptr;
        IconArea* entry = nullptr;
        bool operator==(const KeyFocus& o) const {
            return category == o.category && entry == o.entry;
        }
    };
    const KeyFocus& keyFocus() const { return keyFocus_; }
    // How far the rows are scrolled up: 0 unless they are taller than the room below the bar.
    int scrollTop() const { return scrollTop_; }
    bool showsFocusRectangle() const { return focusCue_; }
    const DragHelper& dragHelper() const { return dragHelper_; }
    platform::PopupMenu BarPopupMenu;
    platform::PopupMenu IconAreaPopupMenu;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormHide() override;
    // Names and titles measure differently at another scale: laid out and drawn anew.
    void FormDpiChanged() override;
    void FormPaint(platform::Canvas& canvas) override;
    void FormMouseDown(const platform::MouseEvent& event) override;
    void FormMouseMove(const platform::MouseEvent& event) override;
    void FormMouseUp(const platform::MouseEvent& event) override;
    void FormClick() override;
    void FormDblClick() override;
    void FormKeyDown(int key, platform::ShiftState shift) override;
    void FormContextPopup(platform::Point pos) override;
    void FormClose() override;
    void FormMouseWheel(const platform::MouseEvent& event, int delta) override;

private:
    // The model is about to destroy this entry or category: nothing here may point at it.
    void entryRemoving(const IconArea& entry) override;
    void categoryRemoving(const Bar& category) override;

    void buildMenus();
    void applyLanguage();
    void MenuItemHideClick() { hide(); }
    // A shortcut to `path` in `category`, in front of `before` (at the end without it); an error
    // is shown as a message. Laid out and repainted either way.
    void addLink(Bar& category, const std::string& path, IconArea* before);
    void MenuItemAddIconClick();
    void MenuItemRenameClick();
    void MenuItemBackgroundColorClick();
    void MenuItemDeleteCategoryClick();
    void MenuItemChangeTitleClick();
    void MenuItemPropertyClick();
    void MenuItemDeleteClick();

    // The work area the rows are fitted to and the window kept within.
    platform::Rect screenArea() const;
    // Directly under the main window, kept within the work area; without one it stays put.
    void hangUnderMainWindow();

    // Draws `area` onto `target` through the band.
    void paintArea(platform::Canvas& target, const platform::Rect& area);
    // Everything the window shows within `area`, onto a canvas clipped to it.
    void compose(platform::Canvas& canvas, const platform::Rect& area);
    void drawFrame(platform::Canvas& canvas, const platform::Rect& area);
    // The row being dragged, over the rest where the pointer has taken it.
    void drawDraggedRow(platform::Canvas& canvas, const platform::Rect& area);
    void redrawRect(const platform::Rect& rect) { repaintNow(rect); }
    platform::Rect cellOnWindow(const IconArea& entry) const {
        return toWindow(rows_.cellOnWindow(&entry));
    }
    // The category whose row holds the window point, or null.
    Bar* barAtPoint(int x, int y) const;
    // Lays the rows out anew, no wider than `maxWidth`.
    void layOutRows(int maxWidth);
    void forgetLayout();

    // Rows taller than the room below the bar scroll: the layout's places (content) lie
    // scrollTop_ below the window's.
    platform::Point toContent(platform::Point window) const {
        return {window.x, window.y + scrollTop_};
    }
    platform::Rect toWindow(const platform::Rect& content) const {
        return content.offset({0, -scrollTop_});
    }
    // The window's height: the rows', or what the work area leaves below the bar.
    int fittedHeight() const;
    // Scrolls to `top`, kept between the first row and the last; repaints when it moved.
    void scrollTo(int top);
    // Scrolls as little as brings `area` (window coordinates) wholly into view.
    void scrollIntoView(const platform::Rect& area);
    // While something is dragged near the top or bottom edge, the rows move the other way.
    void scrollNearEdge(int y);
    // Where the rows can be drawn: inside the frame.
    platform::Rect rowsView() const;
    // A thin bar at the right edge: where the view is among the rows, when they do not fit.
    void drawScrollCue(platform::Canvas& canvas) const;
    platform::Rect cueTrack() const;
    template <typename Visit> void forEachRowIn(const platform::Rect& area, Visit visit) const;

    void trackHover(int x, int y);
    void highlightEntry(IconArea& entry);
    void clearHover();
    void clearHighlight();
    void setHint(const std::string& text);
    IconArea* iconAtPoint(int x, int y) const;

    // Dragging inside the window, told by dragHelper_ (client coordinates). What is dragged is
    // in dragHelper_.dragItem; a press on the frame drags nothing.
    void dragBegin(int x, int y) override;
    void dragMove(int x, int y) override;
    void dragEnd(int x, int y) override;
    // The dragged entry's picture follows the pointer, drawn on the window itself.
    void moveIcon(int x, int y);
    // The dragged row's picture follows the pointer, grabbed where it was pressed.
    void moveCategory(int x, int y);
    void dropIcon(int x, int y);
    void dropCategory(int x, int y);
    IconArea* draggedIcon() const;
    Bar* draggedCategory() const;

    // Files from other programs (screen points). Leaving the window changes nothing: the
    // insertion mark stays until the mouse comes back.
    void DragOver(platform::Point at) override;
    // The first file becomes a new icon in front of the one under the point, or at the end of
    // the row; on the frame or a row's edge nothing is added.
    void Drop(platform::Point at, const std::vector<std::string>& files) override;

    // The keyboard (Formbarkeyboard.cpp).
    void focusKeyDown(int key);
    KeyFocus firstFocus() const;
    KeyFocus focusAfterKey(int key) const;
    KeyFocus focusVertically(bool down) const;
    void focusByKey(const KeyFocus& focus);
    // Moves the focus, repainting what shows it and telling screen readers.
    void setKeyFocus(const KeyFocus& focus);
    void forgetKeyFocus();
    platform::Rect focusArea(const KeyFocus& focus) const;
    void drawFocusRectangle(platform::Canvas& canvas, const platform::Rect& area);
    // As a click on it does: the window hides first.
    void startEntry(IconArea& entry);
    void changeFocusedTitle();
    // The menu of the focused icon or row, at its place.
    void popupFocusMenu();

    // What screen readers see: the rows as groups of their icons.
    int accessibleCount(int group) const override;
    std::optional<platform::AccessibleItem> accessibleItem(int group, int index) const override;
    bool accessibleDefaultAction(int group, int index) override;
    void tellFocus();

    BarManager& manager_;
    const Language& language_;
    MainWindow* mainWindow_ = nullptr;
    NameDialog* nameDialog_ = nullptr;
    SettingsDialog* settingsDialog_ = nullptr;
    Bar* currentBar_ = nullptr;
    IconArea* currentIcon_ = nullptr;
    const IconArea* highlighted_ = nullptr; // shown as under the pointer
    layout::Rows rows_;
    int scrollTop_ = 0;
    platform::Bitmap measuring_{1, 1}; // its canvas measures text as the window draws it
    PaintMode paintMode_ = PaintMode::Normal;
    DragHelper dragHelper_;
    platform::Bitmap band_; // the window's width, a few rows high
    std::optional<platform::Point> rowDragShift_; // from its place, while a row is dragged
    bool layoutDone_ = false;
    int fittedWidth_ = 0; // of the work area at the last layout
    std::string hint_;
    std::unique_ptr<platform::DropRegistration> dropRegistration_; // from FormCreate to FormClose
    KeyFocus keyFocus_;
    bool focusCue_ = false;
    std::unique_ptr<platform::AccessibleExposure> accessible_; // from FormCreate on

    struct MenuItems {
        int hide, addIcon, newCategory, rename, backgroundColor, deleteCategory;
        int changeTitle, property, deleteIcon;
    } items_{};
};
