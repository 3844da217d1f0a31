#pragma once

#include "state/ViewState.h"

// The colour scale's MIN and MAX fitted to the values shown (ScaleFit's round limits): of the
// direction shown, or of every direction (an envelope spans them already), optionally
// symmetric about 0; the band count stays and the label interval takes its default for it.
// False, changing nothing, when no value is shown.
bool FitColourScale(CViewState& state, bool allDirections, bool symmetric);
