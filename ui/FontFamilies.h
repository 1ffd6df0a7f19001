#pragma once

#include <QStringList>

namespace FontFamilies {

// The installed families as a user knows them: each name once, in the
// system's order. Qt names a family once per foundry when several ship it
// ("Nimbus Sans [urw]", "Nimbus Sans [UKWN]"); the name alone finds it.
QStringList distinct(const QStringList& qtFamilies);

} // namespace FontFamilies
