// The camera image files of a face performance: listing a performance folder and ordering the
// numbered images ("<capture>_00012.jpg") by their number.
#pragma once

#include <vector>

#include "scn/api.h"

// The number a file name carries: the last run of digits before the suffix, read as an integer
// (saturating); -1 when the name has none.
scn::Int64 ImageFileNumber(const scn::Filename& name);

// Ascending by ImageFileNumber; names of equal number by their text, so the order is total.
void SortImageFiles(std::vector<scn::Filename>& files);

// Appends the names (file parts) of the ".jpg" files of the folder, skipping "preview.jpg", folders
// and names that fail IsSafeCaptureName. False when the folder cannot be read or memory runs out; names
// appended so far stay.
bool ListImageFiles(const scn::Filename& folder, std::vector<scn::Filename>& files);
