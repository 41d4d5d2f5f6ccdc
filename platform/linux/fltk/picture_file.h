#pragma once
// Pictures for the dialogs and their window icons. They are read by our checked BMP reader
// and reach FLTK as pixels: the toolkit's own file readers never see a file of ours, so a
// crafted picture cannot crash or stall a dialog.
#include <FL/Fl_RGB_Image.H>

#include <memory>
#include <string>

namespace platform::fltk {

// nullptr when the file is missing, unreadable or not a picture we can read.
std::unique_ptr<Fl_RGB_Image> LoadPicture(const std::string& path);

}  // namespace platform::fltk
