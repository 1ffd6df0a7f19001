#pragma once

#include <QIcon>
#include <QImage>

#include <array>

// The toolbar's pictures, kept in the application's resources under their
// numbers. Each picture carries its own transparency, so no separate mask.
namespace ToolbarIcons {

enum Id : int {
    Disk = 168,     // save
    Pref = 170,     // preferences
    Export = 172,   // export the month as a picture
    Anvsy = 174,    // anniversaries
    Printer = 176,  // print
    Printer2 = 178, // page setup
};

// The command items of the toolbar, in toolbar order, with their pictures.
struct Item {
    const char* name;
    Id icon;
};
inline constexpr std::array<Item, 6> kItems{{{"ToolbarItem2", Disk},
                                             {"ToolbarItem5", Export},
                                             {"ToolbarItem1", Anvsy},
                                             {"ToolbarItem3", Printer2},
                                             {"ToolbarItem4", Printer},
                                             {"ToolbarItem6", Pref}}};

// The picture stored under the number; a null image while it cannot be read.
// Read once: after the first read that yields a picture, every call returns
// that same picture.
QImage picture(int id);

// The item image for the number: the picture drawn at its own size into the
// top-left corner of a fresh transparent 32 x 32 image, whatever lies beyond
// cut off. A picture that cannot be read gives an empty icon.
QIcon toolbarIcon(int id);

// The program's own icon, for its windows.
QIcon applicationIcon();

} // namespace ToolbarIcons
