#!/usr/bin/env python3
"""The category window end to end: the real Kestrum.exe under Wine on a virtual X display of its
own, in a data folder of two coloured categories whose shortcuts point at copies of the marker
program (one of them in the Windows system folder: the 64-bit build must see the 64-bit one, which
a 32-bit program on 64-bit Windows is kept from), or of one category of forty icons, too many for
one line on the screen, driven by real pointer and key input through xdotool and checked by
window geometry, screenshots (kept in the artefacts folder) and the records the markers leave;
the accessible objects are read from another program, Accesswalk.cpp. Run with --dpi 144 it
checks the same at 150 %: every figure 1.5 times as large, and icons taken from their files at
their scaled size.
"""
import os
import sys
import time
import unittest

import e2e_support as e2e
from e2e_support import CELL, WHITE, bar_position, bar_top_is, click, gone, px, screenshot, tip_at, wait_for, xdotool

# Name, colour as stored (0x00BBGGRR) and as seen (RRGGBB), markers its shortcuts start.
CATEGORIES = [("Alpha", 0x00FFC8A0, "A0C8FF", ["a", "b", "c"]),
              ("Beta", 0x0096DCFF, "FFDC96", ["d", "system"])]
WIDEST = max(len(c[3]) for c in CATEGORIES)
MANY = 40  # icons of one category, far too many for one line on the screen
ROWS = 40  # categories, far more than the screen's height holds
BUTTON_TOP_LEFT = [(px(10), 0), (0, px(12))]  # pixels of the main button's frame, with the bar down
BUTTON_BOTTOM_RIGHT = [(px(10), px(24)), (px(69), px(12))]


def system_folder():
    return os.path.join(e2e.PREFIX, "drive_c", "windows", "system32")


def make_categories(folder):
    """The marker copies live in the data folder, but for "system" in the system folder."""
    e2e.make_categories(folder, [
        e2e.Category(name, {m: e2e.marker(system_folder() if m == "system" else folder, m) for m in markers},
                     settings=f"[Background]\nBackgoundColor={colour}\n")
        for name, colour, _, markers in CATEGORIES])


def make_wide_category(folder):
    """One category of MANY shortcuts in the colour of Alpha, each to a marker of its own."""
    e2e.make_categories(folder, [e2e.Category("Tools", {f"m{i}": e2e.marker(folder, f"m{i}") for i in range(MANY)},
                                              settings=f"[Background]\nBackgoundColor={CATEGORIES[0][1]}\n")])


def make_many_categories(folder):
    """ROWS categories of one shortcut each, to a marker of its own; the last one's name is wider
    than the screen."""
    e2e.make_categories(folder, [e2e.Category(f"Row {i}" + (" " + "W" * 120 if i == ROWS - 1 else ""),
                                              {f"r{i}": e2e.marker(folder, f"r{i}")})
                                 for i in range(ROWS)])


def area_of(picture, window):
    """The pixels of the window's area in `picture`, row after row."""
    left, top, width, height = window[:4]
    row = 3 * picture.width
    return b"".join(picture.rgb[y * row + 3 * left:y * row + 3 * (left + width)] for y in range(top, top + height))


def button_pressed(picture):
    """True when the main button shows pressed, False when released, None for anything else."""
    top_left = {picture.pixel(x, y) for x, y in BUTTON_TOP_LEFT}
    bottom_right = {picture.pixel(x, y) for x, y in BUTTON_BOTTOM_RIGHT}
    if len(top_left) != 1 or len(bottom_right) != 1 or top_left == bottom_right:
        return None
    return bottom_right == {WHITE} if WHITE in top_left | bottom_right else None


class CategoryWindow(unittest.TestCase):
    def start(self, prepare=make_categories, environment=None):
        # The system folder is the prefix's, which every test shares.
        if os.path.exists(record := os.path.join(system_folder(), "marker-system.exe.ran")):
            os.remove(record)
        xdotool("mousemove", 600, 500)
        self.program = e2e.Kestrum(self._testMethodName, prepare=prepare, environment=environment)
        self.addCleanup(self.program.close)
        wait_for(bar_position, "the bar to appear")

    def runs(self):
        """{marker: lines} of every marker that has run."""
        return e2e.marker_runs(self.program.folder, system_folder())

    @staticmethod
    def category_window():
        """The visible window below the bar that is taller than a tip or a menu item, or None."""
        found = [w for w in e2e.visible_windows() if w[1] >= e2e.BAR_SIZE[1] and w[3] > px(60)]
        return found[0] if len(found) == 1 else None

    def open_window(self, bar_left=0):
        bar = e2e.press_main_button(bar_left=bar_left)
        window = wait_for(self.category_window, "the category window to open")
        self.assertEqual(window[:2], (bar[0], e2e.BAR_SIZE[1]), "directly under the bar")
        return window

    def wait_until_hidden(self):
        # Without a window manager Wine waits 2 s for a hidden window that it had activated.
        wait_for(lambda: self.category_window() is None, "the category window to hide")

    @staticmethod
    def cell(window, row, column):
        return e2e.cell_corner(window, WIDEST, row, column)

    def assert_picture_in(self, picture, cell, colour, inset, size, where, leave_out=None):
        """The pixels of the cell that are not `colour` (leaving out the rectangle `leave_out`)
        exist and lie in the picture an icon of `size` units `inset` units inside the cell is
        drawn as: a square of the shell's size for it, centred in the scaled square."""
        drawn_size = e2e.drawn_icon_size(size)
        inset, size = px(inset) + (px(size) - drawn_size) // 2, drawn_size
        x0, y0 = cell
        drawn = [(x - x0, y - y0) for (x, y), c in picture.pixels(x0, y0, CELL, CELL).items()
                 if c != colour and not (leave_out and leave_out[0] <= x < leave_out[0] + leave_out[2]
                                         and leave_out[1] <= y < leave_out[1] + leave_out[3])]
        self.assertTrue(drawn, f"a picture in {where}")
        xs, ys = [p[0] for p in drawn], [p[1] for p in drawn]
        self.assertTrue(inset <= min(xs) and max(xs) < inset + size and inset <= min(ys) and max(ys) < inset + size,
                        f"the picture of {where} spans x {min(xs)}-{max(xs)}, y {min(ys)}-{max(ys)} of its cell")

    def icons_drawn(self, window):
        picture = screenshot("window")
        for row, (_, _, colour, markers) in enumerate(CATEGORIES):
            for column in range(len(markers)):
                x, y = self.cell(window, row, column)
                if set(picture.pixels(x + px(14), y + px(14), px(16), px(16)).values()) == {colour}:
                    return None
        return picture

    def test_opens_under_the_bar_with_coloured_rows_and_icons_and_a_click_starts_an_icon(self):
        self.start()
        window = self.open_window()
        self.assertEqual(window[3], px(2 + e2e.CELL_UNITS * len(CATEGORIES) + 2), "two rows inside a 2-pixel frame")
        empty = self.cell(window, 1, 2)
        xdotool("mousemove", empty[0] + px(22), empty[1] + px(22))  # away from the button, on no icon
        wait_for(lambda: not tip_at(px(30), px(12)), "the button's hint to go")
        plain = wait_for(lambda: self.icons_drawn(window), "the icons to load")
        self.assertIs(button_pressed(plain), True, "the main button shows pressed while the window is open")

        name_box_right = self.cell(window, 0, 0)[0] - px(10)
        for row, (name, _, colour, markers) in enumerate(CATEGORIES):
            top = self.cell(window, row, 0)[1]
            for x, y in [(name_box_right - px(3), top + px(3)), (name_box_right + px(3), top + px(40)),
                         (window[0] + window[2] - px(4), top + px(22))]:
                self.assertEqual(plain.pixel(x, y), colour, f"the row of {name} at ({x}, {y})")
            for column in range(len(CATEGORIES[0][3])):
                cell = self.cell(window, row, column)
                if column < len(markers):
                    self.assert_picture_in(plain, cell, colour, 14, 16, f"{name}'s icon {column}")
                else:
                    self.assertEqual(set(plain.pixels(*cell, CELL, CELL).values()), {colour},
                                     f"nothing in {name}'s cell {column}")

        hovered_cell = self.cell(window, 0, 0)
        pointer = (hovered_cell[0] + px(22), hovered_cell[1] + px(22))
        xdotool("mousemove", *pointer)
        tip = wait_for(lambda: tip_at(*pointer), "the hovered icon's tip")[0]
        hovered = screenshot("hovered")
        self.assert_picture_in(hovered, hovered_cell, CATEGORIES[0][2], 6, 32, "the hovered icon", leave_out=tip)
        ring = [(hovered_cell[0] + x, hovered_cell[1] + y) for x in range(px(6), px(38)) for y in range(px(6), px(38))
                if not (px(14) <= x < px(30) and px(14) <= y < px(30))]
        self.assertTrue(any(hovered.pixel(*p) != plain.pixel(*p) for p in ring),
                        "the hovered icon is drawn larger than the others")

        second = self.cell(window, 0, 1)
        click(second[0] + px(22), second[1] + px(22))
        wait_for(lambda: self.runs(), "the clicked icon's program to start")
        self.wait_until_hidden()
        self.assertEqual(self.runs(), {"b": [""]}, "only the clicked icon's program, once, without arguments")

        xdotool("mousemove", px(40), 0)
        wait_for(bar_top_is(0), "the bar to come down again")
        self.assertIs(button_pressed(screenshot("released")), False, "the main button shows released")

        in_system_folder = self.cell(self.open_window(), 1, 1)
        click(in_system_folder[0] + px(22), in_system_folder[1] + px(22))
        wait_for(lambda: "system" in self.runs(), "the program in the system folder to start")

    def test_a_users_desktop_shows_each_targets_own_picture_and_none_for_a_target_gone(self):
        """Two documents of one type show one picture, and a program without a picture of its own
        the shell's generic one."""
        shared = {"More notes": "Notes"}

        def prepare(folder):
            self.categories = e2e.users_desktop(folder)
            for name, content in (("more notes.txt", "Another document\n"), ("bare.exe", "no program\n")):
                e2e.write_ini(os.path.join(folder, name), content)
            self.categories[-1].shortcuts.update({"More notes": os.path.join(folder, "more notes.txt"),
                                                  "Bare": os.path.join(folder, "bare.exe")})
            e2e.make_categories(folder, self.categories)

        self.start(prepare)
        window = self.open_window()
        xdotool("mousemove", 600, 500)
        categories = self.categories
        widest = max(len(category.shortcuts) for category in categories)
        cells = [(row, column, name) for row, category in enumerate(categories)
                 for column, name in enumerate(category.shortcuts)]
        own = [name for _, _, name in cells if name not in shared and name not in ("Gone", "Bare")]

        def pictures():
            shot = screenshot("users-desktop")
            drawn = {}
            for row, column, name in cells:
                x, y = e2e.cell_corner(window, widest, row, column)
                drawn[name] = tuple(shot.pixels(x + px(14), y + px(14), px(16), px(16)).values())
            return drawn if len({drawn[name] for name in own}) == len(own) and len(set(drawn["Bare"])) > 1 \
                and all(drawn[name] == drawn[other] for name, other in shared.items()) else None

        drawn = wait_for(pictures, "a picture of its own for each target that exists, one for both documents")
        self.assertEqual(len(set(drawn["Gone"])), 1, "no picture for the target that is gone")

    def test_icon_menu_escape_and_a_click_on_empty_space_hide_while_the_bar_stays_down(self):
        self.start()
        window = self.open_window()
        icon = self.cell(window, 1, 0)
        point = (icon[0] + px(22), icon[1] + px(22))
        click(*point, button=3)
        menu = wait_for(lambda: [w for w in e2e.visible_windows() if w[:2] != window[:2] and w[3] > px(30)],
                        "the icon menu")[0]
        screenshot("icon-menu")
        self.assertLessEqual(abs(menu[0] - point[0]) + abs(menu[1] - point[1]), 2, f"the menu opens at the point: {menu}")
        xdotool("key", "Escape")
        wait_for(lambda: not [w for w in e2e.visible_windows() if w[4] == menu[4]], "the menu to close")

        xdotool("mousemove", 600, 500)
        time.sleep(1)  # the bar would be up in a third of that
        self.assertEqual(bar_position(), (0, 0), "the bar stays down while the window is open")
        self.assertIsNotNone(self.category_window())
        xdotool("windowfocus", window[4])
        xdotool("key", "Escape")
        self.wait_until_hidden()
        wait_for(bar_top_is(px(-26)), "the bar to slide up once the window is hidden")

        window = self.open_window()
        empty = self.cell(window, 1, 2)
        click(empty[0] + px(22), empty[1] + px(22))
        self.wait_until_hidden()
        time.sleep(1)  # a program started would have written its record by now
        self.assertEqual(self.runs(), {}, "neither the right click nor the click on empty space started a program")

    def test_the_keyboard_alone_starts_an_icon_and_a_screen_reader_reads_and_starts_them_no_library_planted_loaded(self):
        self.start(prepare=lambda folder: (make_categories(folder), e2e.plant_libraries(folder)),
                   environment=e2e.PREFER_PLANTED)
        # Away from the screen's left edge, where a place in the window and one on the screen differ,
        # and at 144 DPI at a pixel that is no whole unit, which the window below must still meet.
        bar_left = e2e.drag_bar(302)[0]
        window = self.open_window(bar_left)
        wait_for(lambda: self.icons_drawn(window), "the icons to load")
        # No window focus is given: the main button's click must have left the keyboard here.
        for key in ["Right", "Right", "Down", "Left"]:  # a, b, then the nearest below: system, then d
            xdotool("key", key)
        focused = self.cell(window, 1, 0)
        tip = wait_for(lambda: tip_at(focused[0], focused[1] + CELL - 5), "the focused icon's tip below it")[0]
        self.assertLessEqual(abs(tip[0] - focused[0]), 1, f"the tip {tip} at the cell's left edge {focused[0]}")
        top_edge = screenshot("keyboard-focus").pixels(focused[0] + px(1), focused[1] + px(1), CELL - 2 * px(1), 1)
        self.assertIn(e2e.BLACK, top_edge.values(), "a dotted focus rectangle inside the focused cell")
        xdotool("key", "shift+F10")
        x, y = e2e.cell_units(window, WIDEST, 1, 0)
        middle = (window[0] + px(x + e2e.CELL_UNITS // 2), window[1] + px(y + e2e.CELL_UNITS // 2))
        # The cell is found from the window's width in pixels, which above 96 DPI may be a unit off
        # the width the rows were laid out to: then the middle is a pixel either way.
        slack = 0 if e2e.DPI == 96 else 1
        menu = wait_for(lambda: [w for w in e2e.visible_windows()
                                 if abs(w[0] - middle[0]) <= slack and abs(w[1] - middle[1]) <= slack],
                        "the focused icon's menu at its middle")[0]
        xdotool("key", "Escape")
        wait_for(gone(menu[4]), "the menu to close")
        xdotool("key", "Return")
        wait_for(lambda: self.runs(), "the focused icon's program to start")
        self.wait_until_hidden()
        self.assertEqual(self.runs(), {"d": [""]}, "Enter starts the focused icon only")

        window = self.open_window(bar_left)
        bar = e2e.accessible_walk(self.program.folder, (bar_left + px(30), px(12)))
        self.assertEqual([line[:4] for line in bar], [["leaf", "43", "Kestrum", ""], ["leaf", "4", "Drag me", ""]],
                         "the main button and the drag handle by name, as a push button and a grip")
        self.assertEqual(bar[0][4], e2e.on_screen((window[0], 0), (0, 0, 70, 25)), "the main button's place on the screen")
        tree = e2e.accessible_walk(self.program.folder, (window[0] + px(10), window[1] + px(10)), start="b")
        expected, cell = [], e2e.CELL_UNITS
        for row, (name, _, _, markers) in enumerate(CATEGORIES):
            row_place = e2e.on_screen(window, (0, 2 + cell * row, e2e.units(window[2]) - 1, cell))
            expected.append(["group", "20", name, "", row_place, ""])
            for column, marker in enumerate(markers):
                place = e2e.on_screen(window, (*e2e.cell_units(window, WIDEST, row, column), cell, cell))
                expected.append(["item", "43", marker, marker, place, "Start"])
                if marker == "b":
                    expected.append(["action 0"])
        self.assertEqual(tree, expected, "every row as a group of its icons, with names, hints and cells on the screen")
        wait_for(lambda: "b" in self.runs(), "the program of the icon started through its default action")
        self.wait_until_hidden()
        self.assertEqual(e2e.planted_libraries_loaded(self.program.folder), [],
                         "no library placed beside the program is loaded")

    def test_a_category_too_wide_for_the_screen_wraps_within_it_and_its_last_icon_starts(self):
        self.start(make_wide_category)
        bar_left = e2e.drag_bar(900)[0]
        e2e.press_main_button(bar_left=bar_left)
        window = wait_for(self.category_window, "the category window to open")
        left, top, width, height = window[:4]
        self.assertEqual((left + width, top), (e2e.SCREEN[0], e2e.BAR_SIZE[1]),
                         f"the window under the bar, moved left to end at the screen's right edge: {window}")
        per_line = (e2e.units(width) - 1 - 25 - 20) // e2e.CELL_UNITS  # the name box is 20 wider than "Tools"
        lines = -(-MANY // per_line)
        self.assertGreater(lines, 1, "the icons wrap")
        self.assertEqual(height, px(2 + e2e.CELL_UNITS * lines + 2), f"{lines} lines of {per_line} icons inside the frame")
        last = e2e.cell_corner(window, per_line, lines - 1, (MANY - 1) % per_line)
        xdotool("mousemove", left + width - px(6), last[1] + px(22))  # right of the last icon
        wait_for(lambda: not tip_at(bar_left + px(30), px(12)), "the button's hint to go")
        picture = wait_for(lambda: (shot := screenshot("wrapped")) and len(set(
            shot.pixels(last[0] + px(14), last[1] + px(14), px(16), px(16)).values())) > 1 and shot,
            "the last icon to be drawn")
        names = [len(set(picture.pixels(left + px(2), top + px(2 + e2e.CELL_UNITS * line), px(30), CELL).values()))
                 for line in (0, 1)]
        self.assertTrue(names[0] > 1 and names[1] == 1, f"the name beside the first line only: {names} colours")
        click(last[0] + px(22), last[1] + px(22))
        wait_for(self.runs, "the last icon's program to start")
        self.wait_until_hidden()
        self.assertEqual(self.runs(), {f"m{MANY - 1}": [""]}, "the last icon's program, once")


    def test_more_categories_than_the_screen_holds_scroll_and_the_last_icon_starts(self):
        self.start(make_many_categories)
        window = self.open_window()
        left, top, width, height = window[:4]
        self.assertLessEqual(top + height, e2e.SCREEN[1], f"the window ends on the screen: {window}")
        self.assertTrue(0 <= left and left + width <= e2e.SCREEN[0], f"no wider than the screen: {window}")
        self.assertLess(height, px(2 + e2e.CELL_UNITS * ROWS + 2), "shorter than its rows")
        inside = (left + px(10), top + height // 2)
        xdotool("mousemove", *inside)

        def icons_in_view():
            cells = [tuple(map(int, line[4].split())) for line in e2e.accessible_walk(self.program.folder, inside)
                     if line[2].startswith("r")]
            shot = screenshot("first-rows")
            return all(len(set(shot.pixels(x + w // 2 - px(6), y + h // 2 - px(6), px(12), px(12)).values())) > 1
                       for x, y, w, h in cells if top < y and y + h <= top + height) and shot
        first = area_of(wait_for(icons_in_view, "every icon in view drawn"), window)
        # A notch moves the pixels and paints the strip uncovered; one back shows again, to the
        # pixel, what the first painting showed.
        xdotool("click", "5")
        wait_for(lambda: area_of(screenshot("a-notch-down"), window) != first, "the rows to move a notch")
        xdotool("click", "4")
        wait_for(lambda: area_of(screenshot("a-notch-back"), window) == first,
                 "a notch back to show what the first painting showed")
        for _ in range(ROWS):  # the wheel turned towards the user, past the last row
            xdotool("click", "5")

        def last_icon_in_view():
            last = [line for line in e2e.accessible_walk(self.program.folder, inside) if line[2] == f"r{ROWS - 1}"]
            x, y, w, h = map(int, last[0][4].split())
            return top < y and y + h <= top + height and (x + w // 2, y + h // 2)
        centre = wait_for(last_icon_in_view, "the last row scrolled into view")
        # Drawn a band at a time: the icon is where it is hit, not a blank or a shifted band.
        icon = screenshot("scrolled-to-the-last-row").pixels(centre[0] - px(6), centre[1] - px(6), px(12), px(12))
        self.assertGreater(len(set(icon.values())), 1, "the last icon drawn at its place, not the bare row")
        click(*centre)
        wait_for(self.runs, "the last icon's program to start")
        self.wait_until_hidden()
        self.assertEqual(self.runs(), {f"r{ROWS - 1}": [""]}, "the last row's program, once")

if __name__ == "__main__":
    sys.exit(e2e.run_tests("marker", "makeshortcut", "accesswalk"))
