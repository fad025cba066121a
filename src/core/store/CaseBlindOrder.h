#pragma once

#include <QByteArrayView>

#include <functional>
#include <vector>

// The order of list lines by their text, with A-Z compared without case and every other
// character by its code, as the lists show them.
namespace almavest::store {

// Whether the Windows-1252 line `left` comes before `right`: at the first character whose keys
// differ, the smaller key; a line that begins the other comes first.
bool caseBlindLess(QByteArrayView left, QByteArrayView right);

// The places of `count` lines in their case-blind order, equal lines in their given order: the
// first entry is the place of the line that comes first. `lineAt(i)` gives the Windows-1252 bytes
// of line i (0 to count - 1); it is asked for each line once, in order, and its answer is read
// only until it is asked for the next one.
//
// Each line is made once into a key of fixed width: the ranks of its characters at the places
// where not every line has the same rank, neighbouring places folded into digits of a byte. The
// keys are then sorted by a least-significant-digit radix sort, a counting pass a digit, so
// that the time grows with the number of lines times the places that tell them apart, never
// faster.
std::vector<quint32> caseBlindOrder(
    qsizetype count, const std::function<QByteArrayView(qsizetype)> &lineAt);

} // namespace almavest::store
