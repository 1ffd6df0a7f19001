#pragma once

// Qt's own dialogs (page setup, print, files, colours) in Japanese.
namespace QtJapanese {

// Loads Qt's Japanese translations into the application, once; a system
// without them keeps Qt's English texts. Call once the application object exists.
void install();

} // namespace QtJapanese
