#pragma once

#include "core/Dataset.h"

#include <QDate>
#include <QStringList>

#include <array>
#include <cstdint>

// The defaults of a new Dataset. The colours come from the preferences
// pref[20] to pref[30] as they are at the moment of the call.
namespace DatasetDefaults {

// The font name of every text of a new dataset, stored as it stands; the
// sheet maps it to an installed Japanese font.
inline const QString kDefaultFont = QStringLiteral("osaka");

// Every key with its default; `dataset` should be a fresh one. stYY and stMM
// are the year and month of `today`.
void initDataset(Dataset& dataset, const std::array<int32_t, 51>& pref, QDate today);
// The keys the second file layout added (annName .. annBkClr); the others stay.
void initDataset2(Dataset& dataset, const std::array<int32_t, 51>& pref);
// The key the third file layout added (frame); the others stay.
void initDataset3(Dataset& dataset);

// The 36 keys of a complete Dataset ("pict" after "cutline").
const QStringList& allKeys();
// The 35 keys a dataset file stores, in the order it stores them (no "pict").
const QStringList& storedKeys();

} // namespace DatasetDefaults
