#pragma once
// The one category window: every category as a row, stacked under the main button window. A
// click on an icon starts its program and hides the window; the icon under the pointer is
// highlighted and its hint shown; a right click opens the icon's or the row's menu.
//
// Everything is drawn off-screen: a static picture (frame, row backgrounds and names) redrawn
// only when marked out of date, and over a copy of it the icon layer, composed for the area being
// repainted. A hover change repaints just the two cells concerned.

#include "app/Language.h"
#include "barwindow/Barpainter.h"
#include "mainbutton/Categorywindow.h"
#include "mainbutton/Drageventhandler.h"
#include "mainbutton/Draghelper.h"
#include "manager/Appearancewindow.h"
#include "manager/Modelwatcher.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Menu.h"

#include <string>

class Bar;
class BarManager;
class IconArea;

class TBarForm : public platform::Form,
                 public CategoryWindow,
                 public AppearanceWindow,
                 public DragEventHandler,
                 private ModelWatcher {
public:
    // Lays the categories out once; the window stays hidden until it is shown.
    TBarForm(BarManager& manager, const Language& language);
    ~TBarForm() override;

    // Recomputes every rectangle and sizes the window to fit; callers repaint afterwards.
    void updateLayout() override;
    // The rows' backgrounds or names changed: everything is drawn anew.
    void redrawAll();
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

    // Left edge at `x`, kept on the screen.
    void setLeftClamped(int x) override;

    bool isShown() const override { return visible(); }
    void showWindow() override { show(); }
    void hideWindow() override { hide(); }

    // The entry's icons have arrived: its cell is drawn again when it is on the screen.
    void iconsArrived(const IconArea& entry);

    Bar* currentBar() const { return currentBar_; }
    IconArea* currentIcon() const { return currentIcon_; }
    PaintMode paintMode() const { return paintMode_; }
    const DragHelper& dragHelper() const { return dragHelper_; }
    platform::PopupMenu BarPopupMenu;
    platform::PopupMenu IconAreaPopupMenu;

    // Icon and row dragging arrive with drag and drop; until then a drag only swallows the
    // click that ends it.
    void dragBegin(int, int) override {}
    void dragMove(int, int) override {}
    void dragEnd(int, int) override {}

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormHide() override;
    void FormPaint(platform::Canvas& canvas) override;
    void FormMouseDown(const platform::MouseEvent& event) override;
    void FormMouseMove(const platform::MouseEvent& event) override;
    void FormMouseUp(const platform::MouseEvent& event) override;
    void FormClick() override;
    void FormDblClick() override;
    void FormKeyDown(int key, platform::ShiftState shift) override;
    void FormContextPopup(platform::Point pos) override;

private:
    // The model is about to destroy this entry or category: nothing here may point at it.
    void entryRemoving(const IconArea& entry) override;
    void categoryRemoving(const Bar& category) override;

    void buildMenus();
    void applyLanguage();
    void MenuItemHideClick() { hide(); }
    void MenuItemAddIconClick();
    void MenuItemRenameClick();
    void MenuItemBackgroundColorClick();
    void MenuItemDeleteCategoryClick();
    void MenuItemChangeTitleClick();
    void MenuItemPropertyClick();
    void MenuItemDeleteClick();

    // Brings the frame buffer up to date within `area`.
    void render(const platform::Rect& area);
    void drawFrame(platform::Canvas& canvas);
    void redrawRect(const platform::Rect& rect) { repaintNow(rect); }
    platform::Rect cellOnWindow(const Bar& category, const IconArea& entry) const;

    void trackHover(int x, int y);
    void clearHover();
    void clearHighlight();
    void setHint(const std::string& text);
    IconArea* iconAtPoint(int x, int y) const;

    BarManager& manager_;
    const Language& language_;
    Bar* currentBar_ = nullptr;
    IconArea* currentIcon_ = nullptr;
    PaintMode paintMode_ = PaintMode::Normal;
    DragHelper dragHelper_;
    platform::Bitmap staticBuffer_;
    bool staticDirty_ = true;
    platform::Bitmap frameBuffer_;
    bool layoutDone_ = false;
    std::string hint_;

    struct MenuItems {
        int hide, addIcon, newCategory, rename, backgroundColor, deleteCategory;
        int changeTitle, property, deleteIcon;
    } items_{};
};

// The category window while it exists; null before and after.
extern TBarForm* BarForm;
