#pragma once

#include <QStringList>

namespace zelkora {

// Sort orders and comparison modes of SortStrings.
enum SortOrder { SortAscending = 1, SortDescending = -1 };
enum SortCompareMode { CompareExact = 0, CompareIgnoreCase = 1 };

// Sorts a[first..last] in place: quicksort with an insertion sort for ranges of up to 61
// elements, recursing on the smaller side so the stack stays shallow. order 1 is ascending,
// -1 descending (any other value counts as ascending); mode 0 compares exactly, any other value
// ignores letter case. Equal elements may change their relative order. The range is clamped to
// the list's bounds; an empty or reversed range leaves the list untouched.
void SortStrings(QStringList& a, qsizetype first, qsizetype last, int order, int mode);

} // namespace zelkora
