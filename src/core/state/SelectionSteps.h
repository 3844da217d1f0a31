#pragma once

#include <vector>

#include "state/ViewState.h"

// What a click of each pick mode does to the state once the hit is known. Every step that adds
// points appends their ids to m_lstSelected, one entry to m_lstUndoGroup, and rows to the value
// list; the caller makes these changes inside an edit, which announces them.

// Mode 2: the measurement point with index i in m_taps. Two picks of one point make two steps
// and one row.
void SelectMeasurementPoint(CViewState& state, int tapIndex);
// Mode 3 (and every grid point): an arbitrary point at p on panel, its values for every
// direction, id -(number of arbitrary points + 1), as one step. Returns the id.
int SelectArbitraryPoint(CViewState& state, int panel, CVector4 p);
// The grid points of a rectangle, each its own step, on the panel that holds it
// (PanelHolding: the corner's panel, or one on its surface, first).
void SelectGridPoints(CViewState& state, const std::vector<CVector4>& grid, int cornerPanel = -1);
// Mode 5: every measurement point inside the face, in m_taps order, as one step (possibly
// empty). Returns how many.
int SelectFacePoints(CViewState& state, int name);
// Mode 1: flips the contour flag of every panel whose corners all lie in the face; records an
// empty step.
void ToggleFaceContour(CViewState& state, int name);
// Takes the last step back (its rows, its arbitrary points). True while steps remain.
bool UndoSelection(CViewState& state);
// Deletes every row of the value list and forgets the whole selection with them (selected
// ids, undo steps, arbitrary points).
void ClearAllRows(CViewState& state);
